// SPDX-License-Identifier: MIT
#include "notations/decimal_blocks.h"

#include <array>
#include <cstdint>

#include "processor.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TRELVANE_DECIMAL_SSSE3 1
#endif

namespace trelvane::detail {

namespace {

#if defined(TRELVANE_DECIMAL_SSSE3)

// For the blanks among eight units (a bit each), the places of the blanks in order, in the
// first eight units of sixteen and in the last eight: the shuffle that gathers the numbers
// standing at them; and how many there are.
struct Gather {
    std::array<std::array<std::array<std::uint8_t, 8>, 256>, 2> places;
    std::array<std::uint8_t, 256> count;
};
constexpr Gather kGather = [] {
    Gather g{};
    for (unsigned blanks = 0; blanks < 256; ++blanks) {
        std::uint8_t k = 0;
        for (std::uint8_t place = 0; place < 8; ++place) {
            if ((blanks >> place) & 1) {
                g.places[0][blanks][k] = place;
                g.places[1][blanks][k] = place + 8;
                ++k;
            }
        }
        g.count[blanks] = k;
    }
    return g;
}();

// Each unit's place gets the number that ends just before it, from the digit values of this
// block and of the last (0 where no digit is), and whether the last units were digits: the
// ones, the tens and the hundreds shifted in, the last two looked up with saturation at 255.
__attribute__((target("ssse3"))) __m128i numbersBefore(__m128i values, __m128i isDigit,
                                                       __m128i lastValues, __m128i lastIsDigit) {
    const __m128i tensOf = _mm_setr_epi8(0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0, 0, 0, 0);
    const auto c = [](int v) { return static_cast<char>(v); };
    const __m128i hundredsOf = _mm_setr_epi8(0, 100, c(200), c(255), c(255), c(255), c(255), c(255),
                                             c(255), c(255), 0, 0, 0, 0, 0, 0);
    // A digit counts only when digits stand between it and the place: after two blanks the
    // number is empty.
    const __m128i digitBefore = _mm_alignr_epi8(isDigit, lastIsDigit, 15);
    const __m128i twoDigitsBefore =
        _mm_and_si128(digitBefore, _mm_alignr_epi8(isDigit, lastIsDigit, 14));
    const __m128i ones = _mm_alignr_epi8(values, lastValues, 15);
    const __m128i tens = _mm_shuffle_epi8(
        tensOf, _mm_and_si128(_mm_alignr_epi8(values, lastValues, 14), digitBefore));
    const __m128i hundreds = _mm_shuffle_epi8(
        hundredsOf, _mm_and_si128(_mm_alignr_epi8(values, lastValues, 13), twoDigitsBefore));
    return _mm_adds_epu8(_mm_adds_epu8(ones, tens), hundreds);
}

// Stores the numbers at the blanks of sixteen units side by side; returns how many.
__attribute__((target("ssse3"))) std::size_t gather(__m128i numbers, unsigned blanks, Code* out) {
    const unsigned first = blanks & 0xFF;
    const unsigned second = blanks >> 8;
    const __m128i low =
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kGather.places[0][first].data()));
    const __m128 places = _mm_loadh_pi(
        _mm_castsi128_ps(low), reinterpret_cast<const __m64*>(kGather.places[1][second].data()));
    const __m128i gathered = _mm_shuffle_epi8(numbers, _mm_castps_si128(places));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), gathered);
    const std::size_t count = kGather.count[first];
    _mm_storeh_pi(reinterpret_cast<__m64*>(out + count), _mm_castsi128_ps(gathered));
    return count + kGather.count[second];
}

// Where the blanks and the digits of sixteen units are, a bit each, and the digits' values (0
// elsewhere).
struct Marks {
    __m128i values;
    __m128i isDigit;
    unsigned digits;
    unsigned blanks;
};
template <CodeUnit Unit>
Marks marksOf(const Unit* p) {
    const __m128i fromZero = _mm_sub_epi8(sixteenUnits(p), _mm_set1_epi8('0'));
    Marks m;
    m.isDigit = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
    m.values = _mm_and_si128(fromZero, m.isDigit);
    m.digits = static_cast<unsigned>(_mm_movemask_epi8(m.isDigit));
    m.blanks = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(fromZero, _mm_set1_epi8(' ' - '0'))));
    return m;
}

// Every blank ends the number before it (an empty one when a blank is before it too), except
// trailing blanks: thirty-two units are read at once when they are digits and blanks alone,
// at most three digits in a row, and a blank at the end is not followed by another. `last`
// holds the digit bits of the three units before.
inline bool arePlainNumbers(std::uint64_t digits, std::uint64_t blanks, std::uint64_t last,
                            char16_t next) {
    const std::uint64_t run = (digits << 3) | last;
    const std::uint64_t bad = ((digits | blanks) ^ 0xFFFFFFFFu) |
                              (run & (run >> 1) & (run >> 2) & (run >> 3)) |
                              ((blanks >> 31) & std::uint64_t{next == kBlank});
    return bad == 0;
}

// Thirty-two units a round with SSSE3, in two halves of sixteen.
template <CodeUnit Unit>
__attribute__((target("ssse3"))) const Unit* readBlocksSsse3(const Unit* p, const Unit* end,
                                                             Code* codes, std::size_t& n,
                                                             std::size_t room) {
    const __m128i none = _mm_setzero_si128();
    __m128i lastValues = none;
    __m128i lastIsDigit = none;
    std::uint64_t last = 0;
    const Unit* numberStart = p;
    std::size_t count = n;
    while (end - p > 32 && room - count >= kDecimalBlockRoom) {
        const Marks a = marksOf(p);
        const Marks b = marksOf(p + 16);
        const std::uint64_t digits = a.digits | (b.digits << 16);
        const std::uint64_t blanks = a.blanks | (b.blanks << 16);
        if (!arePlainNumbers(digits, blanks, last, unitValue(p[32]))) {
            break;
        }
        const __m128i numbersA = numbersBefore(a.values, a.isDigit, lastValues, lastIsDigit);
        const __m128i numbersB = numbersBefore(b.values, b.isDigit, a.values, a.isDigit);
        count += gather(numbersA, a.blanks, codes + count);
        count += gather(numbersB, b.blanks, codes + count);
        // After the last blank.
        numberStart = p + 32 - __builtin_clz(static_cast<unsigned>(blanks));
        lastValues = b.values;
        lastIsDigit = b.isDigit;
        last = digits >> 29;
        p += 32;
    }
    n = count;
    return numberStart;
}

// The same with AVX2, thirty-two units in one register: the units before each half come from
// the last register or from the first half.
template <CodeUnit Unit>
__attribute__((target("avx2"))) __m256i thirtyTwoUnits(const Unit* p) {
    if constexpr (std::same_as<Unit, char>) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    } else {
        const auto* from = reinterpret_cast<const __m256i*>(p);
        const __m256i packed =
            _mm256_packus_epi16(_mm256_loadu_si256(from), _mm256_loadu_si256(from + 1));
        return _mm256_permute4x64_epi64(packed, 0xD8);  // the halves of each pack in order
    }
}

__attribute__((target("avx2"))) __m256i numbersBefore(__m256i values, __m256i isDigit,
                                                      __m256i lastValues, __m256i lastIsDigit) {
    const __m256i tensOf = _mm256_broadcastsi128_si256(
        _mm_setr_epi8(0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0, 0, 0, 0));
    const auto c = [](int v) { return static_cast<char>(v); };
    const __m256i hundredsOf = _mm256_broadcastsi128_si256(_mm_setr_epi8(
        0, 100, c(200), c(255), c(255), c(255), c(255), c(255), c(255), c(255), 0, 0, 0, 0, 0, 0));
    const __m256i valuesBefore = _mm256_permute2x128_si256(lastValues, values, 0x21);
    const __m256i isDigitBefore = _mm256_permute2x128_si256(lastIsDigit, isDigit, 0x21);
    const __m256i digitBefore = _mm256_alignr_epi8(isDigit, isDigitBefore, 15);
    const __m256i twoDigitsBefore =
        _mm256_and_si256(digitBefore, _mm256_alignr_epi8(isDigit, isDigitBefore, 14));
    const __m256i ones = _mm256_alignr_epi8(values, valuesBefore, 15);
    const __m256i tens = _mm256_shuffle_epi8(
        tensOf, _mm256_and_si256(_mm256_alignr_epi8(values, valuesBefore, 14), digitBefore));
    const __m256i hundreds = _mm256_shuffle_epi8(
        hundredsOf,
        _mm256_and_si256(_mm256_alignr_epi8(values, valuesBefore, 13), twoDigitsBefore));
    return _mm256_adds_epu8(_mm256_adds_epu8(ones, tens), hundreds);
}

template <CodeUnit Unit>
__attribute__((target("avx2"))) const Unit* readBlocksAvx2(const Unit* p, const Unit* end,
                                                           Code* codes, std::size_t& n,
                                                           std::size_t room) {
    __m256i lastValues = _mm256_setzero_si256();
    __m256i lastIsDigit = _mm256_setzero_si256();
    std::uint64_t last = 0;
    const Unit* numberStart = p;
    std::size_t count = n;
    while (end - p > 32 && room - count >= kDecimalBlockRoom) {
        const __m256i fromZero = _mm256_sub_epi8(thirtyTwoUnits(p), _mm256_set1_epi8('0'));
        const __m256i isDigit =
            _mm256_cmpeq_epi8(_mm256_min_epu8(fromZero, _mm256_set1_epi8(9)), fromZero);
        const std::uint64_t digits = static_cast<std::uint32_t>(_mm256_movemask_epi8(isDigit));
        const std::uint64_t blanks = static_cast<std::uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(fromZero, _mm256_set1_epi8(' ' - '0'))));
        if (!arePlainNumbers(digits, blanks, last, unitValue(p[32]))) {
            break;
        }
        const __m256i values = _mm256_and_si256(fromZero, isDigit);
        const __m256i numbers = numbersBefore(values, isDigit, lastValues, lastIsDigit);
        count += gather(_mm256_castsi256_si128(numbers), blanks & 0xFFFF, codes + count);
        count += gather(_mm256_extracti128_si256(numbers, 1), blanks >> 16, codes + count);
        numberStart = p + 32 - __builtin_clz(static_cast<unsigned>(blanks));
        lastValues = values;
        lastIsDigit = isDigit;
        last = digits >> 29;
        p += 32;
    }
    n = count;
    return numberStart;
}

// For four numbers of four units each (a blank, hundreds, tens, ones), which of them count
// (`tens` and `hundreds`, a bit per number): the shuffle that keeps those units, in order,
// and how many it keeps. A number keeps its blank and ones always.
struct Squeeze {
    std::array<std::array<std::uint8_t, 16>, 256> units;
    std::array<std::uint8_t, 256> length;
};
constexpr Squeeze kSqueeze = [] {
    Squeeze s{};
    for (unsigned key = 0; key < 256; ++key) {
        const unsigned tens = key & 15;
        const unsigned hundreds = key >> 4;
        std::uint8_t k = 0;
        for (unsigned number = 0; number < 4; ++number) {
            const auto first = static_cast<std::uint8_t>(4 * number);
            s.units[key][k++] = first;
            if ((hundreds >> number) & 1) {
                s.units[key][k++] = first + 1;
            }
            if ((tens >> number) & 1) {
                s.units[key][k++] = first + 2;
            }
            s.units[key][k++] = first + 3;
        }
        s.length[key] = k;
        for (std::uint8_t rest = k; rest < 16; ++rest) {
            s.units[key][rest] = 0x80;  // a zero byte
        }
    }
    return s;
}();

// The blank and the three digits of each of sixteen codes, four codes to a register.
struct DigitsOfCodes {
    __m128i fours[4];
    unsigned tens;      // a bit per code that has tens
    unsigned hundreds;  // a bit per code that has hundreds
};
__attribute__((target("ssse3"))) DigitsOfCodes digitsOf(__m128i codes) {
    const __m128i none = _mm_setzero_si128();
    const __m128i zero = _mm_set1_epi8('0');
    auto atLeast = [&](int least) {
        const __m128i bound = _mm_set1_epi8(static_cast<char>(least));
        return _mm_cmpeq_epi8(_mm_max_epu8(codes, bound), codes);
    };
    const __m128i from10 = atLeast(10);
    const __m128i from100 = atLeast(100);
    const __m128i from200 = atLeast(200);
    const __m128i hundred = _mm_set1_epi8(100);
    // The hundreds are the two comparisons (all ones, -1, each); what is left is below 100.
    const __m128i hundreds = _mm_sub_epi8(none, _mm_add_epi8(from100, from200));
    const __m128i rest = _mm_sub_epi8(_mm_sub_epi8(codes, _mm_and_si128(from100, hundred)),
                                      _mm_and_si128(from200, hundred));
    // Tens and ones in sixteen bits: r * 6554 >> 16 is r / 10 below 100.
    const __m128i restLow = _mm_unpacklo_epi8(rest, none);
    const __m128i restHigh = _mm_unpackhi_epi8(rest, none);
    const __m128i tensLow = _mm_mulhi_epu16(restLow, _mm_set1_epi16(6554));
    const __m128i tensHigh = _mm_mulhi_epu16(restHigh, _mm_set1_epi16(6554));
    const __m128i ten = _mm_set1_epi16(10);
    const __m128i ones = _mm_packus_epi16(_mm_sub_epi16(restLow, _mm_mullo_epi16(tensLow, ten)),
                                          _mm_sub_epi16(restHigh, _mm_mullo_epi16(tensHigh, ten)));
    const __m128i tens = _mm_packus_epi16(tensLow, tensHigh);
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i blankHundreds = _mm_add_epi8(hundreds, zero);
    const __m128i lowPairs = _mm_unpacklo_epi8(blank, blankHundreds);
    const __m128i highPairs = _mm_unpackhi_epi8(blank, blankHundreds);
    const __m128i lowDigits = _mm_unpacklo_epi8(_mm_add_epi8(tens, zero), _mm_add_epi8(ones, zero));
    const __m128i highDigits =
        _mm_unpackhi_epi8(_mm_add_epi8(tens, zero), _mm_add_epi8(ones, zero));
    DigitsOfCodes d;
    d.fours[0] = _mm_unpacklo_epi16(lowPairs, lowDigits);
    d.fours[1] = _mm_unpackhi_epi16(lowPairs, lowDigits);
    d.fours[2] = _mm_unpacklo_epi16(highPairs, highDigits);
    d.fours[3] = _mm_unpackhi_epi16(highPairs, highDigits);
    d.tens = static_cast<unsigned>(_mm_movemask_epi8(from10));
    d.hundreds = static_cast<unsigned>(_mm_movemask_epi8(from100));
    return d;
}

// Sixteen codes at a time, each number after a blank, while 64 units of room remain before
// `limit` (none: room enough).
template <CodeUnit Unit>
__attribute__((target("ssse3"))) Unit* writeBlocksSsse3(const Code* codes, std::size_t count,
                                                        std::size_t& i, Unit* out,
                                                        const Unit* limit) {
    const __m128i none = _mm_setzero_si128();
    while (count - i >= 16 && (limit == nullptr || limit - out >= 64)) {
        const DigitsOfCodes d =
            digitsOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i)));
        for (unsigned group = 0; group < 4; ++group) {
            const unsigned key =
                ((d.tens >> (4 * group)) & 15) | (((d.hundreds >> (4 * group)) & 15) << 4);
            const __m128i kept = _mm_shuffle_epi8(
                d.fours[group],
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSqueeze.units[key].data())));
            if constexpr (std::same_as<Unit, char>) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), kept);
            } else {
                auto* to = reinterpret_cast<__m128i*>(out);
                _mm_storeu_si128(to, _mm_unpacklo_epi8(kept, none));
                _mm_storeu_si128(to + 1, _mm_unpackhi_epi8(kept, none));
            }
            out += kSqueeze.length[key];
        }
        i += 16;
    }
    return out;
}

#endif

template <CodeUnit Unit>
const Unit* readBlocks(const Unit* p, [[maybe_unused]] const Unit* end,
                       [[maybe_unused]] Code* codes, [[maybe_unused]] std::size_t& n,
                       [[maybe_unused]] std::size_t room) {
#if defined(TRELVANE_DECIMAL_SSSE3)
    if (hasAvx2()) {
        return readBlocksAvx2(p, end, codes, n, room);
    }
    if (hasSsse3()) {
        return readBlocksSsse3(p, end, codes, n, room);
    }
#endif
    return p;
}

template <CodeUnit Unit>
Unit* writeBlocks(const Code* codes, [[maybe_unused]] std::size_t count,
                  [[maybe_unused]] std::size_t& i, Unit* out, [[maybe_unused]] const Unit* limit) {
#if defined(TRELVANE_DECIMAL_SSSE3)
    if (hasSsse3()) {
        return writeBlocksSsse3(codes, count, i, out, limit);
    }
#endif
    return out;
}

}  // namespace

const char16_t* readDecimalBlocks(const char16_t* p, const char16_t* end, Code* codes,
                                  std::size_t& n, std::size_t room) {
    return readBlocks(p, end, codes, n, room);
}

const char* readDecimalBlocks(const char* p, const char* end, Code* codes, std::size_t& n,
                              std::size_t room) {
    return readBlocks(p, end, codes, n, room);
}

char16_t* writeDecimalBlocks(const Code* codes, std::size_t count, std::size_t& i, char16_t* out,
                             const char16_t* limit) {
    return writeBlocks(codes, count, i, out, limit);
}

char* writeDecimalBlocks(const Code* codes, std::size_t count, std::size_t& i, char* out,
                         const char* limit) {
    return writeBlocks(codes, count, i, out, limit);
}

}  // namespace trelvane::detail
