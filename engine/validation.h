#pragma once

#include <string>
#include <string_view>

#include "mode.h"

// Checks and clean-ups applied to a code field's text before it is converted.
namespace trelvane {

// The text without its blanks (code 32); tabs and line breaks stay.
std::u16string removeBlanks(std::u16string_view text);

struct BinaryCheck {
    bool bad = false;      // a character other than "0" and "1"
    bool partial = false;  // the length is not a whole number of bytes
};
BinaryCheck checkBinary(std::u16string_view binary);

// True when a character is not a hexadecimal digit (either case).
bool hasNonHexDigit(std::u16string_view hex);

// Whether a field in this mode can hold the character. Texto holds everything; Binario holds
// "0", "1" and the blank; Hexadecimal the hexadecimal digits of either case; Decimal the
// digits and the blank.
bool fitsMode(Mode mode, char16_t c) noexcept;

// Whether every character of the text fits the mode.
bool fitsMode(Mode mode, std::u16string_view text) noexcept;

}  // namespace trelvane
