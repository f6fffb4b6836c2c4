// SPDX-License-Identifier: MIT
#include "codepage.h"

#include <algorithm>
#include <array>

#include "processor.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TRELVANE_CODEPAGE_SSSE3 1
#endif

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
    charsOfCodes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), text.data());
    return text;
}

namespace {

#if defined(TRELVANE_CODEPAGE_SSSE3)
// The characters of codes 0x80 to 0x9F as four registers' worth of bytes: the low bytes of
// 0x80-0x8F and of 0x90-0x9F, then their high bytes.
alignas(16) constexpr std::array<std::array<std::uint8_t, 16>, 4> kControlBytes = [] {
    std::array<std::array<std::uint8_t, 16>, 4> bytes{};
    for (std::size_t k = 0; k < 32; ++k) {
        bytes[k / 16][k % 16] = static_cast<std::uint8_t>(kUpperControls[k] & 0xFF);
        bytes[2 + k / 16][k % 16] = static_cast<std::uint8_t>(kUpperControls[k] >> 8);
    }
    return bytes;
}();

// The byte of sixteen lookups in a table of 32 bytes, given as two halves: `at` the place in a
// half, `second` all ones where the second half holds it.
__attribute__((target("ssse3"))) __m128i pick(__m128i first, __m128i last, __m128i at,
                                              __m128i second) {
    return _mm_or_si128(_mm_andnot_si128(second, _mm_shuffle_epi8(first, at)),
                        _mm_and_si128(second, _mm_shuffle_epi8(last, at)));
}

// Sixteen codes at a time: a code is its own character but for 0x80 to 0x9F, whose characters
// are looked up in registers, their low and high bytes apart. Returns how many were written.
__attribute__((target("ssse3"))) std::size_t charsOfBlocks(const std::uint8_t* codes,
                                                           std::size_t count, char16_t* out) {
    auto row = [](int r) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(kControlBytes[r].data()));
    };
    const __m128i low0 = row(0), low1 = row(1), high0 = row(2), high1 = row(3);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i sixteen = _mm_set1_epi8(0x10);
    const __m128i top = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i controls = _mm_set1_epi8(static_cast<char>(0x80));
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i code = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i));
        const __m128i isControl = _mm_cmpeq_epi8(_mm_and_si128(code, top), controls);
        const __m128i second = _mm_cmpeq_epi8(_mm_and_si128(code, sixteen), sixteen);
        const __m128i at = _mm_and_si128(code, nibble);
        const __m128i low = _mm_or_si128(_mm_andnot_si128(isControl, code),
                                         _mm_and_si128(isControl, pick(low0, low1, at, second)));
        const __m128i high = _mm_and_si128(isControl, pick(high0, high1, at, second));
        auto* to = reinterpret_cast<__m128i*>(out + i);
        _mm_storeu_si128(to, _mm_unpacklo_epi8(low, high));
        _mm_storeu_si128(to + 1, _mm_unpackhi_epi8(low, high));
    }
    return i;
}

// The same with AVX2, thirty-two codes at a time.
__attribute__((target("avx2"))) __m256i pick(__m256i first, __m256i last, __m256i at,
                                             __m256i second) {
    return _mm256_or_si256(_mm256_andnot_si256(second, _mm256_shuffle_epi8(first, at)),
                           _mm256_and_si256(second, _mm256_shuffle_epi8(last, at)));
}

__attribute__((target("avx2"))) std::size_t charsOfWideBlocks(const std::uint8_t* codes,
                                                              std::size_t count, char16_t* out) {
    const auto* rows = reinterpret_cast<const __m128i*>(kControlBytes.data());
    const __m256i low0 = _mm256_broadcastsi128_si256(_mm_load_si128(rows));
    const __m256i low1 = _mm256_broadcastsi128_si256(_mm_load_si128(rows + 1));
    const __m256i high0 = _mm256_broadcastsi128_si256(_mm_load_si128(rows + 2));
    const __m256i high1 = _mm256_broadcastsi128_si256(_mm_load_si128(rows + 3));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i sixteen = _mm256_set1_epi8(0x10);
    const __m256i top = _mm256_set1_epi8(static_cast<char>(0xE0));
    const __m256i controls = _mm256_set1_epi8(static_cast<char>(0x80));
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i code = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(codes + i));
        const __m256i isControl = _mm256_cmpeq_epi8(_mm256_and_si256(code, top), controls);
        const __m256i second = _mm256_cmpeq_epi8(_mm256_and_si256(code, sixteen), sixteen);
        const __m256i at = _mm256_and_si256(code, nibble);
        const __m256i low =
            _mm256_or_si256(_mm256_andnot_si256(isControl, code),
                            _mm256_and_si256(isControl, pick(low0, low1, at, second)));
        const __m256i high = _mm256_and_si256(isControl, pick(high0, high1, at, second));
        // Unpacking works within each half of sixteen codes: the halves are put back in order.
        const __m256i first = _mm256_unpacklo_epi8(low, high);
        const __m256i last = _mm256_unpackhi_epi8(low, high);
        auto* to = reinterpret_cast<__m256i*>(out + i);
        _mm256_storeu_si256(to, _mm256_permute2x128_si256(first, last, 0x20));
        _mm256_storeu_si256(to + 1, _mm256_permute2x128_si256(first, last, 0x31));
    }
    return i;
}
#endif

}  // namespace

void charsOfCodes(const std::uint8_t* codes, std::size_t count, char16_t* out) noexcept {
    std::size_t i = 0;
#if defined(TRELVANE_CODEPAGE_SSSE3)
    if (hasAvx2()) {
        i = charsOfWideBlocks(codes, count, out);
    }
    if (hasSsse3()) {
        i += charsOfBlocks(codes + i, count - i, out + i);
    }
#endif
    for (; i < count; ++i) {
        out[i] = charOf(codes[i]);
    }
}

}  // namespace trelvane
