// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The single-byte code page every character code of the program refers to: Windows-1252.
// Codes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which that page leaves undefined, stand for the
// C1 control characters with the same number, so every byte has a character and back.
namespace trelvane {

namespace detail {
// The code of every UTF-16 unit, looked up rather than computed: conversions of whole texts
// spend most of their time here.
extern const std::array<std::uint8_t, 65536> kCodeOfUnit;
// The character of every code.
extern const std::array<char16_t, 256> kCharOfCode;
}  // namespace detail

// The code of a UTF-16 unit; a unit with no code in the page (each half of a surrogate
// pair included) has the code of "?", 63.
inline std::uint8_t codeOf(char16_t c) noexcept {
    return detail::kCodeOfUnit[c];
}

// The character the page gives to a code.
inline char16_t charOf(std::uint8_t code) noexcept {
    return detail::kCharOfCode[code];
}

// The characters of `count` codes.
void charsOfCodes(const std::uint8_t* codes, std::size_t count, char16_t* out) noexcept;

// Whole texts, one byte per character.
std::string encodeCodePage(std::u16string_view text);
std::u16string decodeCodePage(std::string_view bytes);

}  // namespace trelvane
