// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <climits>

namespace trelvane {

// Screen readers count positions in int, and a code field may hold more: a position beyond
// that is told as the last one they can count, never wrapped round to a negative one.
inline int accessiblePosition(qsizetype position) {
    return static_cast<int>(std::min<qsizetype>(position, INT_MAX));
}

}  // namespace trelvane
