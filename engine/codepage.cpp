// SPDX-License-Identifier: MIT
#include "codepage.h"

#include <algorithm>
#include <array>

namespace trelvane {

namespace {

// Windows-1252 codes 0x80 to 0x9F. The five codes the page leaves undefined stand for the C1
// control character with the same number.
constexpr std::array<char16_t, 32> kUpperControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::uint8_t kUnknown = 63;  // "?"

}  // namespace

namespace detail {

constexpr std::array<std::uint8_t, 65536> kCodeOfUnit = [] {
    std::array<std::uint8_t, 65536> table{};
    for (std::size_t unit = 0; unit < table.size(); ++unit) {
        table[unit] = (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
                          ? static_cast<std::uint8_t>(unit)
                          : kUnknown;
    }
    for (std::size_t i = 0; i < kUpperControls.size(); ++i) {
        table[kUpperControls[i]] = static_cast<std::uint8_t>(0x80 + i);
    }
    return table;
}();

constexpr std::array<char16_t, 256> kCharOfCode = [] {
    std::array<char16_t, 256> table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        table[code] = (code >= 0x80 && code < 0xA0) ? kUpperControls[code - 0x80]
                                                    : static_cast<char16_t>(code);
    }
    return table;
}();

}  // namespace detail

std::string encodeCodePage(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    std::transform(text.begin(), text.end(), bytes.begin(),
                   [](char16_t c) { return static_cast<char>(codeOf(c)); });
    return bytes;
}

std::u16string decodeCodePage(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char b) { return charOf(static_cast<std::uint8_t>(b)); });
    return text;
}

}  // namespace trelvane
