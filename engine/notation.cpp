#include "notation.h"

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

// The decimal digits of every code, without leading zeros.
struct CodeDigits {
    std::array<char16_t, 3> digits;
    std::size_t length;
};
constexpr auto kCodeDigits = [] {
    std::array<CodeDigits, 256> table{};
    for (int code = 0; code < 256; ++code) {
        CodeDigits& d = table[code];
        if (code >= 100) {
            d = {{char16_t(u'0' + code / 100), char16_t(u'0' + code / 10 % 10),
                  char16_t(u'0' + code % 10)},
                 3};
        } else if (code >= 10) {
            d = {{char16_t(u'0' + code / 10), char16_t(u'0' + code % 10), u'0'}, 2};
        } else {
            d = {{char16_t(u'0' + code), u'0', u'0'}, 1};
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

inline void appendCode(std::u16string& out, std::uint8_t code) {
    const CodeDigits& d = kCodeDigits[code];
    out.append(d.digits.data(), d.length);
}

// Codes joined by single blanks.
template <typename CodeAt>
std::u16string joinCodes(std::size_t count, CodeAt codeAt) {
    std::u16string out;
    if (count == 0) {
        return out;
    }
    out.reserve(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            out.push_back(u' ');
        }
        appendCode(out, codeAt(i));
    }
    return out;
}

// The character a decimal piece stands for.
char16_t pieceCharacter(std::u16string_view piece) {
    if (!piece.empty() && piece.size() <= 3) {
        int value = 0;
        bool plain = true;
        for (char16_t c : piece) {
            if (c < u'0' || c > u'9') {
                plain = false;
                break;
            }
            value = value * 10 + (c - u'0');
        }
        if (plain) {
            return charOf(static_cast<std::uint8_t>(value > 255 ? 255 : value));
        }
    }
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
    out.reserve(decimal.size() / 2 + 1);
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = decimal.find(u' ', start);
        const std::size_t end = blank == std::u16string_view::npos ? decimal.size() : blank;
        out.push_back(pieceCharacter(decimal.substr(start, end - start)));
        if (blank == std::u16string_view::npos) {
            break;
        }
        start = blank + 1;
    }
    return out;
}

}  // namespace trelvane
