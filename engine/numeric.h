// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reading numbers out of texts typed by the user, and turning values into codes and bits.
namespace trelvane {

// The number at the start of a text. Blanks, tabs and line feeds anywhere are skipped; an
// optional sign, digits, an optional full stop with digits and an optional exponent (E or D,
// either case, with an optional sign and digits) form the number; reading stops at the first
// character that cannot continue it. No number at the start (an ampersand included) reads 0.
// Values too large for a double read as +/- infinity.
double readNumber(std::u16string_view text);

// Nearest whole number, a half going to the even neighbour (65.5 -> 66, 64.5 -> 64).
double roundHalfEven(double value);

// The code a value rounds to, or nothing when the rounded value lies outside 0 to 255.
std::optional<int> roundToCode(double value);

// Eight binary digits by the weights 128 ... 1: the whole part of values from 0 to 255,
// 00000000 for negative values and 11111111 from 256 on.
std::u16string eightDigits(double value);

}  // namespace trelvane
