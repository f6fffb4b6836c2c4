// SPDX-License-Identifier: MIT
#include "grouping.h"

#include <algorithm>

#include "notations/binary_notation.h"

namespace trelvane {

namespace {
constexpr std::size_t kGroup = 8;
constexpr std::size_t kMinimum = 2 * kGroup;
}  // namespace

bool isGroupable(std::u16string_view text) {
    return text.size() >= kMinimum &&
           std::all_of(text.begin(), text.end(), BinaryNotation::isDigit);
}

std::u16string groupBytes(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / kGroup);
    for (std::size_t i = 0; i < text.size(); i += kGroup) {
        if (i > 0) {
            out.push_back(u' ');
        }
        out.append(text.substr(i, kGroup));
    }
    return out;
}

}  // namespace trelvane
