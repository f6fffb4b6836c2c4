// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Scans of whole texts that run on every edit of a large field: counted eight units at a time
// where the processor allows.
namespace trelvane {

// How many times the unit occurs in the text.
inline std::size_t countUnit(std::u16string_view text, char16_t unit) {
    std::size_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    while (text.size() - i >= 8) {
        // Sixteen-bit counters per lane, emptied before they can overflow.
        const std::size_t rounds = std::min<std::size_t>((text.size() - i) / 8, 0x7FFF);
        __m128i lanes = _mm_setzero_si128();
        for (std::size_t r = 0; r < rounds; ++r, i += 8) {
            const __m128i units =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            lanes = _mm_sub_epi16(lanes, _mm_cmpeq_epi16(units, wanted));
        }
        alignas(16) unsigned short sums[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(sums), lanes);
        for (unsigned short s : sums) {
            count += s;
        }
    }
#endif
    for (; i < text.size(); ++i) {
        count += text[i] == unit;
    }
    return count;
}

// Occurrences are counted a block at a time, then looked for one by one in the last block.
inline constexpr std::size_t kScanBlock = 512;

// Where the `n`-th occurrence of the unit (counting from 1) lies, or npos.
inline std::size_t findNthUnit(std::u16string_view text, char16_t unit, std::size_t n) {
    std::size_t i = 0;
    while (text.size() - i > kScanBlock) {
        const std::size_t found = countUnit(text.substr(i, kScanBlock), unit);
        if (found >= n) {
            break;
        }
        n -= found;
        i += kScanBlock;
    }
    for (; i < text.size(); ++i) {
        if (text[i] == unit && --n == 0) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// Where the `n`-th occurrence of the unit counted from the end lies, or npos.
inline std::size_t findNthUnitFromEnd(std::u16string_view text, char16_t unit, std::size_t n) {
    std::size_t end = text.size();
    while (end > kScanBlock) {
        const std::size_t found = countUnit(text.substr(end - kScanBlock, kScanBlock), unit);
        if (found >= n) {
            break;
        }
        n -= found;
        end -= kScanBlock;
    }
    while (end > 0) {
        --end;
        if (text[end] == unit && --n == 0) {
            return end;
        }
    }
    return std::u16string_view::npos;
}

}  // namespace trelvane
