// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "conversion.h"

// The whole-text conversions by name, for the tests and benchmarks. Each runs in time linear in
// its input and accepts any input.
namespace trelvane {

// What a field in mode To shows when the source field, in mode From, holds the text.
template <Mode From, Mode To>
std::u16string converted(std::u16string_view text) {
    return convert(From, To, text);
}

// Eight digits per character, its code's most significant bit first, no separators.
inline constexpr auto textToBinary = converted<Texto, Binario>;

// One character per complete group of eight digits; a trailing incomplete group is dropped.
// Any character other than "1" counts as a 0 digit.
inline constexpr auto binaryToText = converted<Binario, Texto>;

// One upper-case digit per complete group of four binary digits, then the leading zeros of the
// whole string removed (one digit always stays).
inline constexpr auto binaryToHex = converted<Binario, Hexadecimal>;

// Four binary digits per character; a character that is not a hexadecimal digit stands for
// 0000.
inline constexpr auto hexToBinary = converted<Hexadecimal, Binario>;

// The value of each complete byte in decimal, separated by single blanks.
inline constexpr auto binaryToDecimal = converted<Binario, Decimal>;

// Each character's code in decimal, separated by single blanks.
inline constexpr auto textToDecimal = converted<Texto, Decimal>;

// The character of each number, read as the decimal notation reads it.
inline constexpr auto decimalToText = converted<Decimal, Texto>;

}  // namespace trelvane
