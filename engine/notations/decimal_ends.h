// SPDX-License-Identifier: MIT
#pragma once

namespace trelvane {

// Where a decimal text ends: a whole text drops its trailing blanks (`Trimmed`); a span of
// one ends where a number ends, so every blank in it separates two numbers (`Exact`).
enum class DecimalEnds { Trimmed, Exact };

}  // namespace trelvane
