// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "notations/code_units.h"
#include "notations/decimal_ends.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trelvane {

namespace detail {
// The digits of a code, after a blank or not: four units at most.
struct DecimalDigits {
    std::array<char, 4> units;
    std::size_t length;
};
constexpr DecimalDigits decimalDigitsOf(int code, bool afterBlank) {
    DecimalDigits d{{' ', ' ', ' ', ' '}, 0};
    if (afterBlank) {
        d.units[d.length++] = ' ';
    }
    if (code >= 100) {
        d.units[d.length++] = static_cast<char>('0' + code / 100);
    }
    if (code >= 10) {
        d.units[d.length++] = static_cast<char>('0' + code / 10 % 10);
    }
    d.units[d.length++] = static_cast<char>('0' + code % 10);
    return d;
}
}  // namespace detail

// Decimal: each code as a number without sign or leading zeros, the numbers separated by one
// blank. Read more freely: the trailing blanks of the whole text go, every other blank ends a
// number (so two blanks in a row hold an empty number, and a leading blank one before the
// first), and each number is read from its start: above 255 it gives 255, otherwise it is
// rounded half to even; an empty number, one that is not a number and one below 0 give 0.
struct DecimalNotation {
    static constexpr Mode kMode = Decimal;

    static constexpr bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
    static constexpr bool fits(char16_t c) { return isDigit(c) || c == kBlank; }
    static constexpr bool takesKey(CodeField, int key) {
        return key == kBackspace || key == kBlank || (key >= '0' && key <= '9');
    }
    static constexpr bool kRemovesBlanks = false;

    // How many units from the start fit the mode.
    template <CodeUnit Unit>
    static std::size_t fittingPrefix(const Unit* p, std::size_t n) {
#if defined(__SSE2__)
        auto inBytes = [](__m128i b) {
            return _mm_or_si128(bytesWithin(b, '0', 9), _mm_cmpeq_epi8(b, _mm_set1_epi8(' ')));
        };
#else
        auto inBytes = nullptr;
#endif
        return prefixIn(p, n, inBytes, fits);
    }

    // The code of a number that is not plain digits (a sign, a decimal point, an exponent,
    // letters after it).
    static Code codeOfNumber(std::u16string_view number);

    // How many numbers a text holds, read whole (its trailing blanks dropped) or as a span
    // that ends where a number ends (every blank separates, an empty span is one empty
    // number).
    using Ends = DecimalEnds;
    static std::size_t numberCount(std::u16string_view text, Ends ends);

    // Where the number holding `position` starts: after the last blank before it.
    static std::size_t numberStart(std::u16string_view text, std::size_t position);

    template <CodeUnit Unit>
    class Reader {
      public:
        explicit Reader(Ends ends = Ends::Trimmed) : exact_(ends == Ends::Exact) {}

        std::size_t read(const Unit*& in, const Unit* end, Code* codes, std::size_t room) {
            // The state in locals: the codes are bytes, which the compiler must assume may be
            // the members themselves.
            std::size_t n = 0;
            const Unit* p = in;
            unsigned value = value_;
            std::size_t blanks = blanks_;
            std::size_t zeros = zeros_;
            bool seenNumber = seenNumber_;
            // A call never begins inside a number it has started to read, unless a number
            // runs on from the last chunk.
            const Unit* numberStart = p;
            while (n < room) {
                if (zeros > 0) [[unlikely]] {  // the empty numbers between blanks
                    codes[n++] = 0;
                    --zeros;
                    continue;
                }
                if (p == end) {
                    break;
                }
#if defined(__SSE2__)
                if (blanks == 0 && value == 0 && p == numberStart) {
                    p = readBlocks(p, end, codes, n, room);
                    if (p != numberStart) {
                        seenNumber = true;
                        numberStart = p;
                    }
                }
#endif
                // Most numbers have one to three digits and a blank after them, and another
                // number follows: read such a number without a branch per digit.
                while (blanks == 0 && value == 0 && p == numberStart && end - p >= 5 && n < room) {
                    const unsigned d0 = static_cast<unsigned>(unitValue(p[0])) - u'0';
                    const unsigned d1 = static_cast<unsigned>(unitValue(p[1])) - u'0';
                    const unsigned d2 = static_cast<unsigned>(unitValue(p[2])) - u'0';
                    const unsigned d3 = static_cast<unsigned>(unitValue(p[3])) - u'0';
                    const unsigned two = d1 <= 9;
                    const unsigned three = two & (d2 <= 9);
                    const std::size_t length = 1 + two + three;
                    if (d0 > 9 || (three & (d3 <= 9)) || unitValue(p[length]) != kBlank ||
                        static_cast<unsigned>(unitValue(p[length + 1])) - u'0' > 9) {
                        break;  // anything else goes the general way
                    }
                    const unsigned number = three ? d0 * 100 + d1 * 10 + d2
                                            : two ? d0 * 10 + d1
                                                  : d0;
                    codes[n++] = codeOfValue(number);
                    seenNumber = true;
                    p += length + 1;
                    numberStart = p;
                }
                if (n == room) {
                    break;
                }
                if (unitValue(*p) == kBlank) {
                    if (exact_) {
                        codes[n++] = codeOfValue(value);
                        value = 0;
                        numberStart = p + 1;
                    } else {
                        ++blanks;  // trailing blanks or separators: the next digit tells
                    }
                    ++p;
                    continue;
                }
                if (blanks > 0) {
                    codes[n++] = codeOfValue(value);
                    value = 0;
                    zeros = blanks - 1;
                    blanks = 0;
                    numberStart = p;
                    continue;
                }
                seenNumber = true;
                // The digits of a number, read in a row.
                const Unit* q = p;
                for (; q != end; ++q) {
                    const unsigned digit = static_cast<unsigned>(unitValue(*q)) - u'0';
                    if (digit > 9) {
                        break;
                    }
                    value = std::min(value * 10 + digit, 256u);
                }
                p = q;
                if (q != end && unitValue(*q) != kBlank) {
                    // Not plain digits: read whole from its start. Such a number must lie
                    // within one chunk (the command-line converter passes digits and blanks
                    // only).
                    const Unit* const to = std::find(q, end, static_cast<Unit>(kBlank));
                    value = codeOfNumber(numberStart, to);
                    p = to;
                }
            }
            in = p;
            value_ = value;
            blanks_ = blanks;
            zeros_ = zeros;
            seenNumber_ = seenNumber;
            return n;
        }
        // The last number: always in a span; in a whole text only if it has one.
        ReaderTail finish() const {
            return {exact_ || seenNumber_ ? static_cast<int>(codeOfValue(value_)) : -1, -1};
        }

      private:
        static Code codeOfValue(unsigned value) {
            return static_cast<Code>(std::min(value, 255u));
        }

#if defined(__SSE2__)
        // Thirty-two units at a time, from the start of a number: where the blanks are, every
        // number of one to three digits before the last blank (when a digit follows it) is
        // read at once, without a branch per number. Stops at anything else (a longer number,
        // two blanks, a character that is no digit), which the general way reads.
        static const Unit* readBlocks(const Unit* p, const Unit* end, Code* codes, std::size_t& n,
                                      std::size_t room) {
            const __m128i blank = _mm_set1_epi8(' ');
            static constexpr unsigned kWeights[4][3] = {
                {0, 0, 0}, {1, 0, 0}, {10, 1, 0}, {100, 10, 1}};
            auto masks = [&](const Unit* at, std::uint32_t& isDigit, std::uint32_t& isBlank) {
                // Units above 255 become 0 or 255 here: neither digit nor blank.
                const __m128i bytes = sixteenUnits(at);
                isDigit = static_cast<std::uint32_t>(_mm_movemask_epi8(bytesWithin(bytes, '0', 9)));
                isBlank =
                    static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, blank)));
            };
            while (end - p >= 48 && room - n >= 32) {
                std::uint32_t digitsLow, blanksLow, digitsHigh, blanksHigh;
                masks(p, digitsLow, blanksLow);
                masks(p + 16, digitsHigh, blanksHigh);
                const std::uint32_t isDigit = digitsLow | (digitsHigh << 16);
                std::uint32_t blanks = blanksLow | (blanksHigh << 16);
                const std::uint32_t longRuns =
                    isDigit & (isDigit >> 1) & (isDigit >> 2) & (isDigit >> 3);
                if ((isDigit | blanks) != 0xFFFFFFFFu || longRuns != 0 ||
                    (blanks & ((blanks << 1) | 1)) != 0) {
                    break;
                }
                // The last blank ends a number only if a digit follows it.
                if (blanks != 0) {
                    const unsigned last = 31u - static_cast<unsigned>(__builtin_clz(blanks));
                    if (static_cast<unsigned>(unitValue(p[last + 1])) - u'0' > 9) {
                        blanks &= ~(std::uint32_t{1} << last);
                    }
                }
                if (blanks == 0) {
                    break;
                }
                unsigned start = 0;
                while (blanks != 0) {
                    const auto at = static_cast<unsigned>(__builtin_ctz(blanks));
                    blanks &= blanks - 1;
                    const unsigned* w = kWeights[at - start];
                    // The units after a short number are read and weighed 0.
                    const unsigned number =
                        (static_cast<unsigned>(unitValue(p[start])) - u'0') * w[0] +
                        (static_cast<unsigned>(unitValue(p[start + 1])) - u'0') * w[1] +
                        (static_cast<unsigned>(unitValue(p[start + 2])) - u'0') * w[2];
                    codes[n++] = codeOfValue(number);
                    start = at + 1;
                }
                p += start;
            }
            return p;
        }
#endif
        static unsigned codeOfNumber(const Unit* from, const Unit* to) {
            if constexpr (std::same_as<Unit, char16_t>) {
                return DecimalNotation::codeOfNumber(
                    std::u16string_view(from, static_cast<std::size_t>(to - from)));
            } else {
                std::u16string wide(from, to);
                for (char16_t& c : wide) {
                    c = static_cast<unsigned char>(c);
                }
                return DecimalNotation::codeOfNumber(wide);
            }
        }

        bool exact_;
        bool seenNumber_ = false;
        unsigned value_ = 0;  // the number read so far, 256 standing for anything larger
        std::size_t blanks_ = 0;
        std::size_t zeros_ = 0;
    };

    static constexpr std::size_t digitCount(Code code) {
        // Without a branch: codes come at random.
        return 1 + std::size_t{code >= 10} + std::size_t{code >= 100};
    }

    // Writes the numbers of the codes, each after a blank but the first of the whole text. The
    // four units of a number are stored whole and the output moves on by its length; the last
    // numbers before `limit` (the end of the storage) are written unit by unit.
    template <CodeUnit Unit>
    class Writer {
      public:
        explicit Writer(bool afterANumber = false, Unit* limit = nullptr)
            : afterANumber_(afterANumber), limit_(limit) {}

        Unit* write(const Code* codes, std::size_t count, Unit* out) {
            std::size_t i = 0;
            if (!afterANumber_ && count > 0) {
                out = writeOne(kTable<Unit>[0][codes[0]], out);
                afterANumber_ = true;
                i = 1;
            }
            for (; i < count; ++i) {
                const auto& d = kTable<Unit>[1][codes[i]];
                if (limit_ != nullptr && limit_ - out < 4) {
                    out = writeOne(d, out);
                } else {
                    std::memcpy(out, d.units.data(), sizeof d.units);
                    out += d.length;
                }
            }
            return out;
        }
        Unit* writeNibble(Code, Unit* out) { return out; }
        Unit* finish(Unit* out) { return out; }

      private:
        template <class Entry>
        static Unit* writeOne(const Entry& d, Unit* out) {
            std::copy_n(d.units.data(), d.length, out);
            return out + d.length;
        }

        bool afterANumber_;
        Unit* limit_;
    };

    template <CodeUnit Unit>
    struct UnitDigits {
        std::array<Unit, 4> units;
        std::size_t length;
    };
    template <CodeUnit Unit>
    static constexpr auto kTable = [] {
        std::array<std::array<UnitDigits<Unit>, 256>, 2> table{};
        for (int blank = 0; blank < 2; ++blank) {
            for (int code = 0; code < 256; ++code) {
                const detail::DecimalDigits d = detail::decimalDigitsOf(code, blank == 1);
                auto& entry = table[blank][code];
                for (std::size_t k = 0; k < 4; ++k) {
                    entry.units[k] = static_cast<Unit>(d.units[k]);
                }
                entry.length = d.length;
            }
        }
        return table;
    }();
};

}  // namespace trelvane
