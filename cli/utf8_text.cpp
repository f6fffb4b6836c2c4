// SPDX-License-Identifier: MIT
#include "utf8_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trelvane::utf8 {

namespace {

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The replacement character, three bytes.
constexpr char kReplacementBytes[3] = {'\xEF', '\xBF', '\xBD'};

}  // namespace

Decoded decode(const unsigned char* p, std::size_t available) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        return {Decoded::Character, lead, 1};
    }
    std::size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t character;
    if (lead < 0xC2) {  // a continuation byte, or the lead of an overlong form
        return {Decoded::Invalid, 0, 1};
    } else if (lead < 0xE0) {
        length = 2;
        character = lead & 0x1F;
    } else if (lead < 0xF0) {
        length = 3;
        character = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead < 0xF5) {
        length = 4;
        character = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return {Decoded::Invalid, 0, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= available) {
            return {Decoded::Incomplete, 0, i};
        }
        if (!inRange(p[i], i == 1 ? low : 0x80, i == 1 ? high : 0xBF)) {
            return {Decoded::Invalid, 0, i};  // the maximal part that began well
        }
        character = (character << 6) | (p[i] & 0x3F);
    }
    return {Decoded::Character, character, length};
}

char* encode(char32_t character, char* out) {
    if (character < 0x80) {
        *out++ = static_cast<char>(character);
    } else if (character < 0x800) {
        *out++ = static_cast<char>(0xC0 | (character >> 6));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (character >> 12));
        *out++ = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (character >> 18));
        *out++ = static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}

std::u16string decodeWhole(std::string_view bytes) {
    std::u16string text;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const Decoded d = decode(p, static_cast<std::size_t>(end - p));
        if (d.kind == Decoded::Character) {
            char16_t units[2];
            text.append(units, unitsOf(d.character, units));
        } else {
            text += kReplacement;
        }
        p += d.kind == Decoded::Incomplete ? static_cast<std::size_t>(end - p) : d.length;
    }
    return text;
}

std::string encodeWhole(std::u16string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t character = text[i];
        if (character >= 0xD800 && character < 0xDC00 && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            character = 0x10000 + ((character - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (character >= 0xD800 && character < 0xE000) {
            character = kReplacement;  // half a pair has no UTF-8
        }
        char buffer[4];
        bytes.append(buffer, encode(character, buffer));
    }
    return bytes;
}

// --- Reading codes ------------------------------------------------------------------------------

namespace {

// Where a sequence stands: between characters, or waiting for a continuation byte, the range
// of which some leads narrow (no overlong forms, no surrogates, nothing above U+10FFFF).
enum State : std::uint8_t {
    kBetween,
    kLastOf3,  // the last byte of a sequence of two or three
    kTwoLeftOf3,
    kAfterE0,
    kAfterED,
    kThreeLeft,
    kAfterF0,
    kAfterF4,
    kTwoLeftOf4,
    kLastOf4,
    kStates
};

enum Source : std::uint8_t { kOwn, kReplaced, kDone };

// What a byte does in a state: the state after it; whether it adds to the character read so
// far (a continuation) or starts it anew (a lead); and the codes it gives, none, one or two,
// each the byte's own (ASCII), the replacement's or the finished character's.
struct Transition {
    State next;
    unsigned count;
    Source first, second;
    bool continues;
};

constexpr Transition fromBetween(unsigned byte) {
    if (byte < 0x80) {
        return {kBetween, 1, kOwn, kOwn, false};
    }
    if (byte < 0xC2 || byte > 0xF4) {  // a continuation byte, an overlong lead, or too high
        return {kBetween, 1, kReplaced, kOwn, false};
    }
    if (byte < 0xE0) {
        return {kLastOf3, 0, kOwn, kOwn, false};
    }
    if (byte < 0xF0) {
        const State next = byte == 0xE0 ? kAfterE0 : byte == 0xED ? kAfterED : kTwoLeftOf3;
        return {next, 0, kOwn, kOwn, false};
    }
    const State next = byte == 0xF0 ? kAfterF0 : byte == 0xF4 ? kAfterF4 : kThreeLeft;
    return {next, 0, kOwn, kOwn, false};
}

constexpr Transition transition(State state, unsigned byte) {
    if (state == kBetween) {
        return fromBetween(byte);
    }
    const unsigned low = state == kAfterE0 ? 0xA0 : state == kAfterF0 ? 0x90 : 0x80;
    const unsigned high = state == kAfterED ? 0x9F : state == kAfterF4 ? 0x8F : 0xBF;
    if (byte < low || byte > high) {
        // The sequence so far is one invalid part; the byte starts afresh.
        const Transition fresh = fromBetween(byte);
        return {fresh.next, 1 + fresh.count, kReplaced, fresh.first, false};
    }
    switch (state) {
        case kLastOf3:
            return {kBetween, 1, kDone, kOwn, true};
        case kLastOf4:  // outside the BMP: two units, neither with a code
            return {kBetween, 2, kReplaced, kReplaced, true};
        case kTwoLeftOf4:
            return {kLastOf4, 0, kOwn, kOwn, true};
        case kThreeLeft:
        case kAfterF0:
        case kAfterF4:
            return {kTwoLeftOf4, 0, kOwn, kOwn, true};
        default:
            return {kLastOf3, 0, kOwn, kOwn, true};
    }
}

// A transition as a step without a branch: the character's new bits, and each code put
// together from masks, (byte & own) | (finished character's code & done) | (replacement's
// code & replaced).
struct Step {
    std::uint8_t next;
    std::uint8_t count;
    std::uint8_t continues;  // 0 or 0xFF
    std::uint8_t bits;       // of the byte that go into the character
    std::uint8_t firstOwn, firstDone, firstReplaced;
    std::uint8_t secondReplaced;  // otherwise the byte's own
};

constexpr std::uint8_t leadBits(unsigned byte) {
    return byte < 0x80 ? 0x7F : byte < 0xC2 ? 0 : byte < 0xE0 ? 0x1F : byte < 0xF0 ? 0x0F : 0x07;
}

constexpr auto kSteps = [] {
    auto all = [](bool on) { return static_cast<std::uint8_t>(on ? 0xFF : 0); };
    std::array<std::array<Step, 256>, kStates> steps{};
    for (unsigned state = 0; state < kStates; ++state) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const Transition t = transition(static_cast<State>(state), byte);
            steps[state][byte] = {t.next,
                                  static_cast<std::uint8_t>(t.count),
                                  all(t.continues),
                                  t.continues ? std::uint8_t{0x3F} : leadBits(byte),
                                  all(t.first == kOwn),
                                  all(t.first == kDone),
                                  all(t.first == kReplaced),
                                  all(t.second == kReplaced)};
        }
    }
    return steps;
}();

#if defined(__SSE2__)
// Of the sixteen bytes at p (with a seventeenth readable), how many come before the first lead
// byte that a continuation byte follows. Each of them is a character by itself: ASCII, or a
// byte that begins nothing (U+FFFD). Such a lead begins a sequence, read one by one.
unsigned plainPrefix(const unsigned char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const auto leads = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(bytesWithin(bytes, '\xC2', 0xF4 - 0xC2), bytesWithin(after, '\x80', 0x3F))));
    return leads == 0 ? 16 : static_cast<unsigned>(__builtin_ctz(leads));
}
#endif

}  // namespace

std::size_t Reader::read(const char*& in, const char* end, Code* codes, std::size_t room) {
    const Code replaced = codeOf(kReplacement);
    std::size_t n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    const auto* const last = reinterpret_cast<const unsigned char*>(end);
    std::uint8_t state = state_;
    std::uint32_t character = character_;
    auto step = [&](unsigned byte) {
        const Step& s = kSteps[state][byte];
        character = ((character << 6) & (0u - (s.continues & 1u))) | (byte & s.bits);
        // Looked up only for a finished character: the code of a half-read one would be a
        // lookup at random in a large table.
        const Code done = codeOf(static_cast<char16_t>(character & (0u - (s.firstDone & 1u))));
        codes[n] = static_cast<Code>((byte & s.firstOwn) | (done & s.firstDone) |
                                     (replaced & s.firstReplaced));
        codes[n + 1] = static_cast<Code>(s.secondReplaced ? replaced : byte);
        n += s.count;
        state = s.next;
    };
    while (p < last && room - n >= 2) {
#if defined(__SSE2__)
        // Between characters, sixteen bytes at a time up to the first lead byte that a
        // continuation byte follows: before it every byte is one code, its own (ASCII) or
        // the replacement's (a byte that begins nothing, or a lead that nothing continues).
        // Such a lead begins a sequence, read by the steps.
        if (state == kBetween && last - p >= 17 && room - n >= 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i foreign = _mm_cmplt_epi8(bytes, _mm_setzero_si128());
            const __m128i own =
                _mm_or_si128(_mm_andnot_si128(foreign, bytes),
                             _mm_and_si128(foreign, _mm_set1_epi8(static_cast<char>(replaced))));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(codes + n), own);
            const unsigned plain = plainPrefix(p);
            n += plain;
            p += plain;
            if (plain == 16) {
                continue;
            }
            if (*p < 0xE0) {  // two bytes, the most common sequence in Latin scripts
                codes[n++] = codeOf(static_cast<char16_t>(((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu)));
                p += 2;
                continue;
            }
            do {
                step(*p++);
            } while (state != kBetween && p < last && room - n >= 2);
            continue;
        }
#endif
        step(*p++);
    }
    in = reinterpret_cast<const char*>(p);
    state_ = state;
    character_ = character;
    return n;
}

// --- Writing codes ------------------------------------------------------------------------------

const std::array<Writer::Encoded, 256> Writer::kEncoded = [] {
    std::array<Encoded, 256> table{};
    for (int code = 0; code < 256; ++code) {
        Encoded& e = table[code];
        e.length = static_cast<std::size_t>(
            encode(charOf(static_cast<Code>(code)), e.bytes.data()) - e.bytes.data());
    }
    return table;
}();

// --- Copying ------------------------------------------------------------------------------------

namespace {

// What a byte that is a character by itself becomes: itself (ASCII), or U+FFFD.
struct Copied {
    std::array<char, 4> bytes;
    std::size_t length;
};
constexpr auto kCopied = [] {
    std::array<Copied, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = byte < 0x80 ? Copied{{static_cast<char>(byte)}, 1}
                                  : Copied{{'\xEF', '\xBF', '\xBD'}, 3};
    }
    return table;
}();

}  // namespace

char* Copier::copy(const char* in, const char* end, char* out) {
    // The bytes held from the last chunk first, completed one byte at a time.
    while (held_ > 0 && in < end) {
        heldBytes_[held_++] = static_cast<unsigned char>(*in++);
        const Decoded d = decode(heldBytes_.data(), held_);
        if (d.kind == Decoded::Incomplete) {
            continue;
        }
        if (d.kind == Decoded::Character) {
            out = encode(d.character, out);
        } else {
            out = std::copy_n(kReplacementBytes, 3, out);
        }
        // What follows the decoded part goes back to the input.
        in -= held_ - d.length;
        held_ = 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    const auto* const last = reinterpret_cast<const unsigned char*>(end);
    while (p < last) {
#if defined(__SSE2__)
        // Sixteen bytes at a time up to the first sequence, as the reader takes them; each
        // byte is stored as four and the output moves on by its length.
        if (last - p >= 17) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            if (_mm_movemask_epi8(bytes) == 0) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
                out += 16;
                p += 16;
                continue;
            }
            const unsigned plain = plainPrefix(p);
            for (unsigned i = 0; i < plain; ++i) {
                const auto& copied = kCopied[p[i]];
                std::memcpy(out, copied.bytes.data(), 4);
                out += copied.length;
            }
            p += plain;
            if (plain == 16) {
                continue;
            }
            // A sequence, read below: it may be cut by the end of the chunk.
        }
#endif
        if (*p < 0x80) {
            *out++ = static_cast<char>(*p++);
            continue;
        }
        const Decoded d = decode(p, static_cast<std::size_t>(last - p));
        if (d.kind == Decoded::Incomplete) {
            held_ = static_cast<std::size_t>(last - p);
            std::copy_n(p, held_, heldBytes_.data());
            break;
        }
        if (d.kind == Decoded::Character) {
            out = std::copy_n(reinterpret_cast<const char*>(p), d.length, out);
        } else {
            out = std::copy_n(kReplacementBytes, 3, out);
        }
        p += d.length;
    }
    return out;
}

char* Copier::finish(char* out) const {
    return held_ > 0 ? std::copy_n(kReplacementBytes, 3, out) : out;
}

}  // namespace trelvane::utf8
