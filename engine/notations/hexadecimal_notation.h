// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstring>

#include "notations/code_units.h"
#include "notations/notation_contract.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trelvane {

namespace detail {
// The value of a hexadecimal digit of either case, -1 for any other character.
constexpr int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}
}  // namespace detail

// Hexadecimal: one digit per nibble. It is written in upper case with the leading zeros of the
// whole text removed (one digit always stays), so it is the value of the whole stream of
// nibbles rather than a list of bytes; it is read in either case. A character that is no
// digit reads as 0.
struct HexadecimalNotation {
    static constexpr Mode kMode = Hexadecimal;

    static constexpr bool isDigit(char16_t c) { return detail::hexDigitValue(c) >= 0; }
    // The blank is foreign to hexadecimal: a source holding one switches to Texto.
    static constexpr bool fits(char16_t c) { return isDigit(c); }
    static constexpr bool takesKey(int key) {
        return key >= 0 && key < 0x10000 && isDigit(static_cast<char16_t>(key));
    }
    static constexpr bool kRemovesBlanks = true;
    // Two digits make a byte; a last odd digit is a lone nibble.
    static constexpr bool isWholeBytes(std::size_t length) { return length % 2 == 0; }

    static constexpr std::size_t kNibblesPerPiece = 1;
    static constexpr std::size_t nibbles(std::size_t length) { return length; }
    static constexpr std::size_t units(std::size_t nibbles) { return nibbles; }

    // How many units from the start are digits (all that fits the mode).
    template <CodeUnit Unit>
    static std::size_t validPrefix(const Unit* p, std::size_t n) {
#if defined(__SSE2__)
        auto inBytes = [](__m128i b) {
            return _mm_or_si128(bytesWithin(b, '0', 9),
                                bytesWithin(_mm_or_si128(b, _mm_set1_epi8(0x20)), 'a', 5));
        };
#else
        auto inBytes = nullptr;
#endif
        return prefixIn(p, n, inBytes, isDigit);
    }
    template <CodeUnit Unit>
    static std::size_t fittingPrefix(const Unit* p, std::size_t n) {
        return validPrefix(p, n);
    }

    // The nibble of every byte; a character that is no digit reads as 0.
    static constexpr auto kByteValues = [] {
        std::array<Code, 256> table{};
        for (int c = 0; c < 256; ++c) {
            table[c] =
                static_cast<Code>(std::max(0, detail::hexDigitValue(static_cast<char16_t>(c))));
        }
        return table;
    }();

    template <CodeUnit Unit>
    static Code nibbleAt(const Unit* p) {
        if constexpr (std::same_as<Unit, char>) {
            return kByteValues[static_cast<unsigned char>(*p)];
        } else {
            return *p < 128 ? kByteValues[*p] : 0;
        }
    }

    template <CodeUnit Unit>
    class Reader {
      public:
        std::size_t read(const Unit*& in, const Unit* end, Code* codes, std::size_t room) {
            std::size_t n = 0;
            if (held_ >= 0 && in < end && room > 0) {
                codes[n++] = static_cast<Code>((held_ << 4) | nibbleAt(in++));
                held_ = -1;
            }
            const std::size_t whole = std::min(room - n, static_cast<std::size_t>(end - in) / 2);
            readWhole(in, whole, codes + n);
            in += 2 * whole;
            n += whole;
            if (end - in == 1 && held_ < 0) {
                held_ = nibbleAt(in++);
            }
            return n;
        }
        // An odd digit left over is a lone nibble.
        ReaderTail finish() const { return {-1, held_}; }

        // Every text is read the same way.
        explicit Reader(ReadOptions = {}) {}

      private:
        // The codes of `count` pairs of digits.
        static void readWhole(const Unit* in, std::size_t count, Code* codes) {
            std::size_t i = 0;
#if defined(__SSE2__)
            // Sixteen digits at a time: each made its nibble (0 for a character that is no
            // digit), then the pairs joined.
            const __m128i zero = _mm_set1_epi8('0');
            const __m128i lowerCase = _mm_set1_epi8(0x20);
            const __m128i a = _mm_set1_epi8('a');
            const __m128i ten = _mm_set1_epi8(10);
            const __m128i evenBytes = _mm_set1_epi16(0x00FF);
            for (; i + 8 <= count; i += 8) {
                // Units above 255 become 0 or 255 here: no digit either way.
                const __m128i units = sixteenUnits(in + 2 * i);
                const __m128i lower = _mm_or_si128(units, lowerCase);
                const __m128i isDecimal = bytesWithin(units, '0', 9);
                const __m128i isLetter = bytesWithin(lower, 'a', 5);
                const __m128i decimal = _mm_sub_epi8(units, zero);
                const __m128i letter = _mm_sub_epi8(lower, a);
                const __m128i nibbles =
                    _mm_or_si128(_mm_and_si128(isDecimal, decimal),
                                 _mm_and_si128(isLetter, _mm_add_epi8(letter, ten)));
                // Each pair of bytes: the first is the high nibble.
                const __m128i high = _mm_slli_epi16(_mm_and_si128(nibbles, evenBytes), 4);
                const __m128i joined = _mm_or_si128(high, _mm_srli_epi16(nibbles, 8));
                _mm_storel_epi64(reinterpret_cast<__m128i*>(codes + i),
                                 _mm_packus_epi16(joined, joined));
            }
#endif
            for (; i < count; ++i) {
                codes[i] =
                    static_cast<Code>((nibbleAt(in + 2 * i) << 4) | nibbleAt(in + 2 * i + 1));
            }
        }

        int held_ = -1;
    };

    // Until the first nibble that is not 0 has been written, zeros are only counted; a stream
    // of zeros alone shows as one "0". A writer that starts after the leading zeros of the
    // whole text (a span of it) writes every nibble.
    template <CodeUnit Unit>
    class Writer {
      public:
        explicit Writer(WriteOptions<Unit> options = {}) : started_(options.continues) {}

        Unit* write(const Code* codes, std::size_t count, Unit* out) {
            std::size_t i = 0;
            for (; i < count && !started_; ++i) {
                out = writeNibble(codes[i] >> 4, out);
                out = writeNibble(codes[i] & 15, out);
            }
#if defined(__SSE2__)
            // Sixteen codes at a time: their nibbles side by side, each made a digit.
            const __m128i low = _mm_set1_epi8(0x0F);
            const __m128i nine = _mm_set1_epi8(9);
            const __m128i zero = _mm_set1_epi8('0');
            const __m128i letters = _mm_set1_epi8('A' - '0' - 10);
            auto digits = [&](__m128i nibbles) {
                const __m128i above9 = _mm_cmpgt_epi8(nibbles, nine);
                return _mm_add_epi8(_mm_add_epi8(nibbles, zero), _mm_and_si128(above9, letters));
            };
            for (; i + 16 <= count; i += 16) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i));
                const __m128i high = _mm_and_si128(_mm_srli_epi16(bytes, 4), low);
                const __m128i first = digits(_mm_unpacklo_epi8(high, _mm_and_si128(bytes, low)));
                const __m128i second = digits(_mm_unpackhi_epi8(high, _mm_and_si128(bytes, low)));
                if constexpr (std::same_as<Unit, char>) {
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), first);
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), second);
                } else {
                    const __m128i none = _mm_setzero_si128();
                    auto* to = reinterpret_cast<__m128i*>(out);
                    _mm_storeu_si128(to, _mm_unpacklo_epi8(first, none));
                    _mm_storeu_si128(to + 1, _mm_unpackhi_epi8(first, none));
                    _mm_storeu_si128(to + 2, _mm_unpacklo_epi8(second, none));
                    _mm_storeu_si128(to + 3, _mm_unpackhi_epi8(second, none));
                }
                out += 32;
            }
#endif
            for (; i < count; ++i) {
                std::memcpy(out, kPairs[codes[i]].data(), 2 * sizeof(Unit));
                out += 2;
            }
            return out;
        }
        Unit* writeNibble(Code nibble, Unit* out) {
            if (!started_ && nibble == 0) {
                skippedZero_ = true;
                return out;
            }
            started_ = true;
            *out = kDigits[nibble];
            return out + 1;
        }
        Unit* finish(Unit* out) {
            if (!started_ && skippedZero_) {
                *out++ = kDigits[0];
            }
            return out;
        }

      private:
        static constexpr Unit kDigits[17] = {'0', '1', '2', '3', '4', '5', '6', '7', '8',
                                             '9', 'A', 'B', 'C', 'D', 'E', 'F', '\0'};
        static constexpr auto kPairs = [] {
            std::array<std::array<Unit, 2>, 256> table{};
            for (int code = 0; code < 256; ++code) {
                table[code] = {kDigits[code >> 4], kDigits[code & 15]};
            }
            return table;
        }();

        bool started_;
        bool skippedZero_ = false;
    };
};

static_assert(Notation<HexadecimalNotation>);

}  // namespace trelvane
