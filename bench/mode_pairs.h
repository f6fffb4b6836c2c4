// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "mode.h"

namespace trelvane {

// Calls f(modeA, modeB, name) for each of the twelve pairs of different modes, Campo B holding
// the text: name is "B_Binario_to_A_Texto" and so on.
template <class F>
void forEachModePair(F f) {
    static constexpr const char* kNames[] = {"Texto", "Binario", "Hexadecimal", "Decimal"};
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            if (a != b) {
                f(static_cast<Mode>(a), static_cast<Mode>(b),
                  std::string("B_") + kNames[b] + "_to_A_" + kNames[a]);
            }
        }
    }
}

}  // namespace trelvane
