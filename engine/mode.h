// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace trelvane {

// The notation a code field shows. The numbers are the ones the mode buttons store.
enum Mode : int { Texto = 0, Binario = 1, Hexadecimal = 2, Decimal = 3 };

// The two code fields of the main window: Campo A (txtCodeA) and Campo B (txtCodeB).
enum class CodeField { A = 0, B = 1 };

inline constexpr CodeField otherField(CodeField field) noexcept {
    return field == CodeField::A ? CodeField::B : CodeField::A;
}

// A background colour as 0xRRGGBB.
using Color = std::uint32_t;

inline constexpr Color kColorFocus = 0x14AAE6;  // the box in use, a valid source field
inline constexpr Color kColorIdle = 0x14D2E6;   // boxes not in use
inline constexpr Color kColorError = 0xFA6464;  // a field whose content is invalid or incomplete

}  // namespace trelvane
