// SPDX-License-Identifier: MIT
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mode.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// What the four notations have in common. Every notation is read as a stream of character
// codes, two nibbles each: text and decimal give one code per character or number, hexadecimal
// one nibble per digit and binary one nibble per four digits. Binary and hexadecimal may end
// on a lone nibble, which only the notations of nibbles (binary, hexadecimal) can show.
//
// Each notation has a Reader, which turns its text into codes chunk by chunk, and a Writer,
// which turns codes into its text. Both work on UTF-16 units (the window) and on bytes (the
// command-line converter, where every notation but text is ASCII). notation_contract.h states
// the whole contract as the concept Notation, which every codec is checked against.
namespace trelvane {

using Code = std::uint8_t;

template <class Unit>
concept CodeUnit = std::same_as<Unit, char16_t> || std::same_as<Unit, char>;

inline constexpr char16_t kBlank = u' ';

// How many codes a reader hands on at a time: small enough to stay in the first-level cache.
inline constexpr std::size_t kCodeBlock = 2048;

// A unit as a UTF-16 unit: bytes are taken as unsigned.
template <CodeUnit Unit>
constexpr char16_t unitValue(Unit u) {
    if constexpr (std::same_as<Unit, char>) {
        return static_cast<unsigned char>(u);
    } else {
        return u;
    }
}

#if defined(__SSE2__)
// Sixteen units as sixteen bytes. A UTF-16 unit above 255 becomes 0 or 255, which no
// notation's alphabet holds.
template <CodeUnit Unit>
__m128i sixteenUnits(const Unit* p) {
    if constexpr (std::same_as<Unit, char>) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    } else {
        const auto* from = reinterpret_cast<const __m128i*>(p);
        return _mm_packus_epi16(_mm_loadu_si128(from), _mm_loadu_si128(from + 1));
    }
}

// Each byte at most `most` above `from`, unsigned: all ones where it is, zeros elsewhere.
inline __m128i bytesWithin(__m128i bytes, char from, char most) {
    const __m128i above = _mm_sub_epi8(bytes, _mm_set1_epi8(from));
    const __m128i limit = _mm_set1_epi8(most);
    return _mm_cmpeq_epi8(_mm_max_epu8(above, limit), limit);
}
#endif

// What a reader holds back until its input ends: a last code (a decimal number, a cut UTF-8
// sequence) and a lone nibble (binary, hexadecimal), each -1 when there is none.
struct ReaderTail {
    int code = -1;
    int nibble = -1;
};

// Copies a text without its blanks and returns where the copy ends; tabs and line breaks
// stay. Without a branch per unit: blanks come at random.
template <CodeUnit Unit>
Unit* copyWithoutBlanks(std::basic_string_view<Unit> text, Unit* out) {
    for (const Unit u : text) {
        *out = u;
        out += unitValue(u) != kBlank;
    }
    return out;
}

// How many units from the start of [p, p + n) an alphabet holds: `inBytes` tells for sixteen
// bytes at a time (all ones where a byte belongs), `holds` for one unit.
template <CodeUnit Unit, class InBytes, class Holds>
std::size_t prefixIn(const Unit* p, std::size_t n, [[maybe_unused]] InBytes inBytes, Holds holds) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        if (_mm_movemask_epi8(inBytes(sixteenUnits(p + i))) != 0xFFFF) {
            break;
        }
    }
#endif
    while (i < n && holds(unitValue(p[i]))) {
        ++i;
    }
    return i;
}

// prefixIn for an alphabet of the digits from "0" to kLast, with the blank where kBlankToo.
template <char kLast, bool kBlankToo, CodeUnit Unit, class Holds>
std::size_t digitRunPrefix(const Unit* p, std::size_t n, Holds holds) {
#if defined(__SSE2__)
    auto inBytes = [](__m128i b) {
        const __m128i digits = bytesWithin(b, '0', kLast - '0');
        if constexpr (kBlankToo) {
            return _mm_or_si128(digits, _mm_cmpeq_epi8(b, _mm_set1_epi8(' ')));
        } else {
            return digits;
        }
    };
#else
    auto inBytes = nullptr;
#endif
    return prefixIn(p, n, inBytes, holds);
}

}  // namespace trelvane
