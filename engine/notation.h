#pragma once

#include <string>
#include <string_view>

// The pure conversions between the four notations of the code fields. Each runs in time
// linear in its input and accepts any input.
namespace trelvane {

// Eight digits per character, its code's most significant bit first, no separators.
std::u16string textToBinary(std::u16string_view text);

// One character per complete group of eight digits; a trailing incomplete group is dropped.
// Any character other than "1" counts as a 0 digit.
std::u16string binaryToText(std::u16string_view binary);

// One upper-case digit per complete group of four binary digits, read from the left, then the
// leading zeros of the whole string removed (one digit always stays). Empty for fewer than
// four digits. Any character other than "1" counts as a 0 digit.
std::u16string binaryToHex(std::u16string_view binary);

// Four binary digits per character; upper and lower case alike; a character that is not a
// hexadecimal digit stands for 0000.
std::u16string hexToBinary(std::u16string_view hex);

// The value of each complete byte in decimal, separated by single blanks.
std::u16string binaryToDecimal(std::u16string_view binary);

// Each character's code in decimal, separated by single blanks.
std::u16string textToDecimal(std::u16string_view text);

// Trailing blanks are dropped, the rest is split at every blank and each piece read as a
// number (an empty piece or one with no number reads 0): above 255 gives the character 255,
// otherwise the value rounded half to even, and a negative result gives the character 0.
std::u16string decimalToText(std::u16string_view decimal);

}  // namespace trelvane
