// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "conversion.h"

// The whole-text conversions by name, for the tests and benchmarks. Each runs in time linear in its
// input and accepts any input.
namespace trelvane {

// Eight digits per character, its code's most significant bit first, no separators.
inline std::u16string textToBinary(std::u16string_view text) {
    return convert(Texto, Binario, text);
}

// One character per complete group of eight digits; a trailing incomplete group is dropped.
// Any character other than "1" counts as a 0 digit.
inline std::u16string binaryToText(std::u16string_view binary) {
    return convert(Binario, Texto, binary);
}

// One upper-case digit per complete group of four binary digits, then the leading zeros of the
// whole string removed (one digit always stays).
inline std::u16string binaryToHex(std::u16string_view binary) {
    return convert(Binario, Hexadecimal, binary);
}

// Four binary digits per character; a character that is not a hexadecimal digit stands for
// 0000.
inline std::u16string hexToBinary(std::u16string_view hex) {
    return convert(Hexadecimal, Binario, hex);
}

// The value of each complete byte in decimal, separated by single blanks.
inline std::u16string binaryToDecimal(std::u16string_view binary) {
    return convert(Binario, Decimal, binary);
}

// Each character's code in decimal, separated by single blanks.
inline std::u16string textToDecimal(std::u16string_view text) {
    return convert(Texto, Decimal, text);
}

// The character of each number, read as the decimal notation reads it.
inline std::u16string decimalToText(std::u16string_view decimal) {
    return convert(Decimal, Texto, decimal);
}

}  // namespace trelvane
