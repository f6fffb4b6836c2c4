#include "notation.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "codepage.h"
#include "numeric.h"

namespace trelvane {

namespace {

// The eight binary digits of every code, ready to be copied.
constexpr auto kByteBits = [] {
    std::array<std::array<char16_t, 8>, 256> table{};
    for (int code = 0; code < 256; ++code) {
        for (int bit = 0; bit < 8; ++bit) {
            table[code][bit] = (code & (0x80 >> bit)) ? u'1' : u'0';
        }
    }
    return table;
}();

// The decimal digits of every code, without leading zeros, followed by a blank: four units
// that are copied whole, the output advancing only by the digits and the blank.
struct CodeDigits {
    std::array<char16_t, 4> digits;
    std::size_t length;
};
constexpr auto kCodeDigits = [] {
    std::array<CodeDigits, 256> table{};
    for (int code = 0; code < 256; ++code) {
        CodeDigits& d = table[code];
        if (code >= 100) {
            d = {{char16_t(u'0' + code / 100), char16_t(u'0' + code / 10 % 10),
                  char16_t(u'0' + code % 10), u' '},
                 3};
        } else if (code >= 10) {
            d = {{char16_t(u'0' + code / 10), char16_t(u'0' + code % 10), u' ', u' '}, 2};
        } else {
            d = {{char16_t(u'0' + code), u' ', u' ', u' '}, 1};
        }
    }
    return table;
}();

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// The value of a hexadecimal digit of either case; anything else stands for 0.
constexpr int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return 0;
}

// The value of the eight binary digits at p; any character other than "1" counts 0.
inline std::uint8_t byteAt(const char16_t* p) {
    unsigned value = 0;
    for (int bit = 0; bit < 8; ++bit) {
        value = (value << 1) | (p[bit] == u'1' ? 1u : 0u);
    }
    return static_cast<std::uint8_t>(value);
}

// Codes joined by single blanks, written into an output sized exactly in a first pass.
template <typename CodeAt>
std::u16string joinCodes(std::size_t count, CodeAt codeAt) {
    if (count == 0) {
        return {};
    }
    std::size_t length = count - 1;
    for (std::size_t i = 0; i < count; ++i) {
        length += kCodeDigits[codeAt(i)].length;
    }
    // Room for the whole four units of the last code; cut back to the length afterwards.
    std::u16string out(length + 3, u' ');
    char16_t* dst = out.data();
    for (std::size_t i = 0; i < count; ++i) {
        const CodeDigits& d = kCodeDigits[codeAt(i)];
        std::memcpy(dst, d.digits.data(), sizeof d.digits);
        dst += d.length + 1;
    }
    out.resize(length);
    return out;
}

// The character a decimal piece stands for.
char16_t pieceCharacter(std::u16string_view piece) {
    const double value = readNumber(piece);
    if (value > 255.0) {
        return charOf(255);
    }
    const double rounded = roundHalfEven(value);
    // A negative value has no code: it gives the character 0, like a piece with no number.
    return charOf(rounded >= 0.0 ? static_cast<std::uint8_t>(rounded) : 0);
}

}  // namespace

std::u16string textToBinary(std::u16string_view text) {
    std::u16string out(text.size() * 8, u'0');
    char16_t* dst = out.data();
    for (char16_t c : text) {
        std::memcpy(dst, kByteBits[codeOf(c)].data(), 8 * sizeof(char16_t));
        dst += 8;
    }
    return out;
}

std::u16string binaryToText(std::u16string_view binary) {
    const std::size_t bytes = binary.size() / 8;
    std::u16string out(bytes, u'\0');
    for (std::size_t i = 0; i < bytes; ++i) {
        out[i] = charOf(byteAt(binary.data() + i * 8));
    }
    return out;
}

std::u16string binaryToHex(std::u16string_view binary) {
    const std::size_t groups = binary.size() / 4;
    std::size_t g = 0;
    // Leading zeros of the whole string go; the last digit always stays.
    auto nibbleAt = [&](std::size_t group) {
        const char16_t* p = binary.data() + group * 4;
        return ((p[0] == u'1') << 3) | ((p[1] == u'1') << 2) | ((p[2] == u'1') << 1) |
               (p[3] == u'1');
    };
    while (g + 1 < groups && nibbleAt(g) == 0) {
        ++g;
    }
    std::u16string out(groups - g, u'0');
    for (std::size_t i = 0; g < groups; ++g, ++i) {
        out[i] = kHexDigits[nibbleAt(g)];
    }
    return out;
}

std::u16string hexToBinary(std::u16string_view hex) {
    std::u16string out(hex.size() * 4, u'0');
    char16_t* dst = out.data();
    for (char16_t c : hex) {
        // The low half of a byte's bits are the nibble's four digits.
        std::memcpy(dst, kByteBits[hexValue(c)].data() + 4, 4 * sizeof(char16_t));
        dst += 4;
    }
    return out;
}

std::u16string binaryToDecimal(std::u16string_view binary) {
    return joinCodes(binary.size() / 8,
                     [&](std::size_t i) { return byteAt(binary.data() + i * 8); });
}

std::u16string textToDecimal(std::u16string_view text) {
    return joinCodes(text.size(), [&](std::size_t i) { return codeOf(text[i]); });
}

std::u16string decimalToText(std::u16string_view decimal) {
    while (!decimal.empty() && decimal.back() == u' ') {
        decimal.remove_suffix(1);
    }
    std::u16string out;
    if (decimal.empty()) {
        return out;
    }
    out.resize(static_cast<std::size_t>(std::count(decimal.begin(), decimal.end(), u' ')) + 1);
    char16_t* dst = out.data();
    const char16_t* p = decimal.data();
    const char16_t* const end = p + decimal.size();
    while (true) {
        // Most pieces are plain digits: read them on the way; anything else is read whole.
        const char16_t* const start = p;
        unsigned value = 0;
        while (p < end && *p >= u'0' && *p <= u'9') {
            value = std::min(value * 10 + (*p - u'0'), 256u);
            ++p;
        }
        if (p == end || *p == u' ') {
            *dst++ =
                p == start ? charOf(0) : charOf(static_cast<std::uint8_t>(std::min(value, 255u)));
        } else {
            const char16_t* const blank = std::find(p, end, u' ');
            *dst++ =
                pieceCharacter(std::u16string_view(start, static_cast<std::size_t>(blank - start)));
            p = blank;
        }
        if (p == end) {
            break;
        }
        ++p;  // the blank
    }
    return out;
}

}  // namespace trelvane
