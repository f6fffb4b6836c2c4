// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "notations/code_units.h"
#include "notations/decimal_blocks.h"
#include "notations/decimal_ends.h"
#include "notations/notation_contract.h"

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
    static constexpr bool takesKey(int key) { return key == kBlank || (key >= '0' && key <= '9'); }
    static constexpr bool kRemovesBlanks = false;
    // A number is a whole code.
    static constexpr std::size_t kNibblesPerPiece = 2;

    // The rules of a number read digit by digit: its value so far, which stops one above the
    // largest code; whether it is above the largest code (it gives 255); and whether a number
    // that comes after `blanks` blanks has an empty number before it (two blanks in a row
    // hold one, and a leading blank holds one before the first number).
    static constexpr unsigned kLargestCode = 255;
    static constexpr unsigned withDigit(unsigned value, char16_t digit) {
        return std::min(value * 10 + (digit - u'0'), kLargestCode + 1);
    }
    static constexpr bool isAboveCodes(unsigned value) { return value > kLargestCode; }
    static constexpr bool followsEmptyNumber(std::size_t blanks, bool afterANumber) {
        return blanks >= (afterANumber ? 2u : 1u);
    }

    // How many units from the start fit the mode.
    template <CodeUnit Unit>
    static std::size_t fittingPrefix(const Unit* p, std::size_t n) {
        return digitRunPrefix<'9', true>(p, n, fits);
    }
    // Nothing is validated: whatever fits is read, and a number that is no number gives 0.
    template <CodeUnit Unit>
    static std::size_t validPrefix(const Unit*, std::size_t n) {
        return n;
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

    // Where number k (counting from 0) of a text of `count` numbers starts, or nothing when
    // the text has fewer blanks.
    static std::optional<std::size_t> numberPosition(std::u16string_view text, std::size_t count,
                                                     std::size_t k);

    template <CodeUnit Unit>
    class Reader {
      public:
        explicit Reader(ReadOptions options = {}) : exact_(options.ends == Ends::Exact) {}

        std::size_t read(const Unit*& in, const Unit* end, Code* codes, std::size_t room) {
            // The state in locals: the codes are bytes, which the compiler must assume may be
            // the members themselves. A call never begins inside a number it has started to
            // read, unless a number runs on from the last chunk.
            Scan s{in, in, value_, blanks_, zeros_, seenNumber_};
            std::size_t n = 0;
            while (n < room) {
                if (s.zeros > 0) [[unlikely]] {  // the empty numbers between blanks
                    codes[n++] = 0;
                    --s.zeros;
                    continue;
                }
                if (s.p == end) {
                    break;
                }
                if (s.atNumberStart()) {
                    if (readPlainNumbers(s, end, codes, n, room) || n == room) {
                        break;
                    }
                }
                if (unitValue(*s.p) == kBlank) {
                    takeBlank(s, codes, n);
                } else if (s.blanks > 0) {
                    endNumberBeforeBlanks(s, codes, n);
                } else {
                    readDigits(s, end);
                }
            }
            in = s.p;
            value_ = s.value;
            blanks_ = s.blanks;
            zeros_ = s.zeros;
            seenNumber_ = s.seenNumber;
            return n;
        }
        // The last number: always in a span; in a whole text only if it has one.
        ReaderTail finish() const {
            return {exact_ || seenNumber_ ? static_cast<int>(codeOfValue(value_)) : -1, -1};
        }

      private:
        // Where the reading is and what it holds.
        struct Scan {
            const Unit* p;
            const Unit* numberStart;  // the start of the number being read
            unsigned value;           // its digits so far, 256 standing for anything larger
            std::size_t blanks;       // blanks after it, not yet known to be trailing
            std::size_t zeros;        // empty numbers still to hand on
            bool seenNumber;

            bool atNumberStart() const { return blanks == 0 && value == 0 && p == numberStart; }
        };

        static Code codeOfValue(unsigned value) { return static_cast<Code>(std::min(value, 255u)); }

        // From the start of a number: the plain numbers of one to three digits followed by a
        // blank and another number, first sixteen units at a time, then one by one without a
        // branch per digit. Anything else is left to the general way.
        static bool readPlainNumbers(Scan& s, const Unit* end, Code* codes, std::size_t& n,
                                     std::size_t room) {
            const Unit* p = detail::readDecimalBlocks(s.p, end, codes, n, room);
            // Out of room for a block: the codes so far go on, and the next call reads the rest
            // a block at a time again.
            const bool wantsRoom = p != s.p && room - n < detail::kDecimalBlockRoom;
            while (!wantsRoom && end - p >= 5 && n < room) {
                const unsigned d0 = static_cast<unsigned>(unitValue(p[0])) - u'0';
                const unsigned d1 = static_cast<unsigned>(unitValue(p[1])) - u'0';
                const unsigned d2 = static_cast<unsigned>(unitValue(p[2])) - u'0';
                const unsigned d3 = static_cast<unsigned>(unitValue(p[3])) - u'0';
                const unsigned two = d1 <= 9;
                const unsigned three = two & (d2 <= 9);
                const std::size_t length = 1 + two + three;
                if (d0 > 9 || (three & (d3 <= 9)) || unitValue(p[length]) != kBlank ||
                    static_cast<unsigned>(unitValue(p[length + 1])) - u'0' > 9) {
                    break;
                }
                const unsigned number = three ? d0 * 100 + d1 * 10 + d2 : two ? d0 * 10 + d1 : d0;
                codes[n++] = codeOfValue(number);
                p += length + 1;
            }
            if (p != s.p) {
                s.seenNumber = true;
                s.p = p;
                s.numberStart = p;
            }
            return wantsRoom;
        }

        // A blank ends a number in a span; in a whole text the next digit tells whether the
        // blanks are trailing or separators.
        void takeBlank(Scan& s, Code* codes, std::size_t& n) const {
            if (exact_) {
                codes[n++] = codeOfValue(s.value);
                s.value = 0;
                s.numberStart = s.p + 1;
            } else {
                ++s.blanks;
            }
            ++s.p;
        }

        // A digit after blanks: the number before them ends, and every further blank holds an
        // empty number.
        static void endNumberBeforeBlanks(Scan& s, Code* codes, std::size_t& n) {
            codes[n++] = codeOfValue(s.value);
            s.value = 0;
            s.zeros = s.blanks - 1;
            s.blanks = 0;
            s.numberStart = s.p;
        }

        // The digits of a number, read in a row. Not plain digits (a sign, a decimal point, an
        // exponent, letters after it): read whole from its start. Such a number must lie
        // within one chunk (the command-line converter passes digits and blanks only).
        static void readDigits(Scan& s, const Unit* end) {
            s.seenNumber = true;
            const Unit* q = s.p;
            unsigned value = s.value;
            for (; q != end; ++q) {
                const unsigned digit = static_cast<unsigned>(unitValue(*q)) - u'0';
                if (digit > 9) {
                    break;
                }
                value = std::min(value * 10 + digit, 256u);
            }
            if (q != end && unitValue(*q) != kBlank) {
                q = std::find(q, end, static_cast<Unit>(kBlank));
                value = codeOfNumber(s.numberStart, q);
            }
            s.p = q;
            s.value = value;
        }

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
        explicit Writer(WriteOptions<Unit> options = {})
            : afterANumber_(options.continues), limit_(options.limit) {}

        Unit* write(const Code* codes, std::size_t count, Unit* out) {
            std::size_t i = 0;
            if (!afterANumber_ && count > 0) {
                out = writeOne(kTable<Unit>[0][codes[0]], out);
                afterANumber_ = true;
                i = 1;
            }
            out = detail::writeDecimalBlocks(codes, count, i, out, limit_);
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

static_assert(Notation<DecimalNotation>);

}  // namespace trelvane
