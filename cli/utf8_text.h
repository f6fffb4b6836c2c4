// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "codepage.h"
#include "notations/code_units.h"

// Text on the command line is UTF-8, read and written chunk by chunk. A character's code is
// the code the window gives the same character: a character outside the BMP is two UTF-16
// units there, each without a code ("?" twice), and a sequence that is not UTF-8 reads as
// U+FFFD, one for each maximal invalid part (as the Unicode Standard recommends), which has
// no code either.
namespace trelvane::utf8 {

inline constexpr char16_t kReplacement = 0xFFFD;

// One character at p, with `available` bytes there.
struct Decoded {
    enum Kind { Character, Invalid, Incomplete } kind;
    char32_t character;  // for Character
    std::size_t length;  // bytes taken: the sequence, or the invalid part
};
Decoded decode(const unsigned char* p, std::size_t available);

// The UTF-16 units of a character, for the code of each.
inline std::size_t unitsOf(char32_t character, char16_t* units) {
    if (character < 0x10000) {
        units[0] = static_cast<char16_t>(character);
        return 1;
    }
    character -= 0x10000;
    units[0] = static_cast<char16_t>(0xD800 + (character >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + (character & 0x3FF));
    return 2;
}

// Whole texts, for tests and for what is not streamed.
std::u16string decodeWhole(std::string_view bytes);
std::string encodeWhole(std::u16string_view text);

// Reads UTF-8 as codes. The bytes are read through a table of the states of a sequence, one
// step per byte without a branch, so that text full of invalid bytes reads as fast as any
// other; a sequence cut by the end of a chunk is the state the next chunk starts in.
class Reader {
  public:
    std::size_t read(const char*& in, const char* end, Code* codes, std::size_t room);
    // A sequence cut by the end of the input reads as U+FFFD.
    ReaderTail finish() const { return {state_ != 0 ? codeOf(kReplacement) : -1, -1}; }

  private:
    std::uint8_t state_ = 0;  // 0: between characters
    std::uint32_t character_ = 0;
};

// Writes the character of each code in UTF-8. Each store is four bytes; the output needs
// three bytes of room beyond the last character.
class Writer {
  public:
    char* write(const Code* codes, std::size_t count, char* out) {
        for (std::size_t i = 0; i < count; ++i) {
            const Encoded& e = kEncoded[codes[i]];
            std::memcpy(out, e.bytes.data(), 4);
            out += e.length;
        }
        return out;
    }
    char* writeNibble(Code, char* out) { return out; }
    char* finish(char* out) { return out; }

    struct Encoded {
        std::array<char, 4> bytes;
        std::size_t length;
    };
    static const std::array<Encoded, 256> kEncoded;
};

// Copies UTF-8 as it is, an invalid part becoming U+FFFD: Texto to Texto. The output needs
// three bytes for each input byte.
class Copier {
  public:
    char* copy(const char* in, const char* end, char* out);
    char* finish(char* out) const;

  private:
    std::array<unsigned char, 4> heldBytes_{};
    std::size_t held_ = 0;
};

// Appends the UTF-8 of a character.
char* encode(char32_t character, char* out);

}  // namespace trelvane::utf8
