// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstring>

#include "notations/code_units.h"
#include "notations/notation_contract.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trelvane {

// Binario: each code as eight digits "0" and "1", most significant first, with no separator.
// Four digits make a nibble; digits after the last whole group are dropped by whoever needs
// whole groups. Any character other than "1" reads as a 0 digit.
struct BinaryNotation {
    static constexpr Mode kMode = Binario;

    static constexpr bool isDigit(char16_t c) { return c == u'0' || c == u'1'; }
    // The detection lets the blank through: the blank filter removes it before validation.
    static constexpr bool fits(char16_t c) { return isDigit(c) || c == kBlank; }
    static constexpr bool takesKey(int key) { return key == '0' || key == '1'; }
    static constexpr bool kRemovesBlanks = true;
    // A source whose last byte is incomplete is marked, though its whole bytes convert.
    static constexpr bool isWholeBytes(std::size_t length) { return length % 8 == 0; }

    static constexpr std::size_t kNibblesPerPiece = 1;
    static constexpr std::size_t nibbles(std::size_t length) { return length / 4; }
    static constexpr std::size_t units(std::size_t nibbles) { return 4 * nibbles; }

    // How many units from the start fit the mode, and how many are digits.
    template <CodeUnit Unit>
    static std::size_t fittingPrefix(const Unit* p, std::size_t n) {
        return digitRunPrefix<'1', true>(p, n, fits);
    }
    template <CodeUnit Unit>
    static std::size_t validPrefix(const Unit* p, std::size_t n) {
        return digitRunPrefix<'1', false>(p, n, isDigit);
    }

    template <CodeUnit Unit>
    static bool isOne(Unit u) {
        return u == static_cast<Unit>('1');
    }

    // The code of the eight digits at p.
    template <CodeUnit Unit>
    static Code codeAt(const Unit* p) {
        unsigned value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value << 1) | (isOne(p[bit]) ? 1u : 0u);
        }
        return static_cast<Code>(value);
    }

    // The codes of `count` groups of eight digits.
    template <CodeUnit Unit>
    static void readWhole(const Unit* in, std::size_t count, Code* codes);

    template <CodeUnit Unit>
    class Reader {
      public:
        std::size_t read(const Unit*& in, const Unit* end, Code* codes, std::size_t room) {
            std::size_t n = 0;
            // Digits of a byte that began in the last chunk.
            while (held_ > 0 && held_ < 8 && in < end) {
                bits_ = (bits_ << 1) | (isOne(*in++) ? 1u : 0u);
                ++held_;
            }
            if (held_ == 8) {
                if (room == 0) {
                    return 0;
                }
                codes[n++] = static_cast<Code>(bits_);
                held_ = 0;
                bits_ = 0;
            }
            const std::size_t whole = std::min(room - n, static_cast<std::size_t>(end - in) / 8);
            readWhole(in, whole, codes + n);
            in += 8 * whole;
            n += whole;
            if (end - in < 8) {
                while (in < end) {
                    bits_ = (bits_ << 1) | (isOne(*in++) ? 1u : 0u);
                    ++held_;
                }
            }
            return n;
        }
        // Four to seven digits left make a lone nibble; fewer are dropped.
        ReaderTail finish() const {
            return {-1, held_ >= 4 ? static_cast<int>((bits_ >> (held_ - 4)) & 15u) : -1};
        }

        // Every text is read the same way.
        explicit Reader(ReadOptions = {}) {}

      private:
        unsigned bits_ = 0;
        int held_ = 0;
    };

    template <CodeUnit Unit>
    class Writer {
      public:
        Unit* write(const Code* codes, std::size_t count, Unit* out) {
            for (std::size_t i = 0; i < count; ++i) {
                std::memcpy(out, kDigits<Unit>[codes[i]].data(), 8 * sizeof(Unit));
                out += 8;
            }
            return out;
        }
        // A nibble is the last four digits of its code.
        Unit* writeNibble(Code nibble, Unit* out) {
            std::memcpy(out, kDigits<Unit>[nibble].data() + 4, 4 * sizeof(Unit));
            return out + 4;
        }
        Unit* finish(Unit* out) { return out; }

        // Every code has its eight digits, wherever the writer starts.
        explicit Writer(WriteOptions<Unit> = {}) {}
    };

    // The eight digits of every code, ready to be copied.
    template <CodeUnit Unit>
    static constexpr auto kDigits = [] {
        std::array<std::array<Unit, 8>, 256> table{};
        for (int code = 0; code < 256; ++code) {
            for (int bit = 0; bit < 8; ++bit) {
                table[code][bit] = static_cast<Unit>((code & (0x80 >> bit)) ? '1' : '0');
            }
        }
        return table;
    }();
};

namespace detail {
// The bits of a byte in reverse order: the comparisons below give the first digit in bit 0.
inline constexpr auto kReversedBits = [] {
    std::array<Code, 256> table{};
    for (int value = 0; value < 256; ++value) {
        int reversed = 0;
        for (int bit = 0; bit < 8; ++bit) {
            reversed |= ((value >> bit) & 1) << (7 - bit);
        }
        table[value] = static_cast<Code>(reversed);
    }
    return table;
}();
}  // namespace detail

template <CodeUnit Unit>
void BinaryNotation::readWhole(const Unit* in, std::size_t count, Code* codes) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Eight digits are compared with "1" at once; the mask of the matches is the code, read
    // backwards.
    if constexpr (std::same_as<Unit, char16_t>) {
        const __m128i one = _mm_set1_epi16('1');
        for (; i < count; ++i) {
            const __m128i digits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8 * i));
            const __m128i match = _mm_cmpeq_epi16(digits, one);
            const int mask = _mm_movemask_epi8(_mm_packs_epi16(match, match)) & 0xFF;
            codes[i] = detail::kReversedBits[mask];
        }
    } else {
        const __m128i one = _mm_set1_epi8('1');
        for (; i + 2 <= count; i += 2) {
            const __m128i digits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8 * i));
            const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(digits, one));
            codes[i] = detail::kReversedBits[mask & 0xFF];
            codes[i + 1] = detail::kReversedBits[(mask >> 8) & 0xFF];
        }
    }
#endif
    for (; i < count; ++i) {
        codes[i] = codeAt(in + 8 * i);
    }
}

static_assert(Notation<BinaryNotation>);

}  // namespace trelvane
