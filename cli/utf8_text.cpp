// SPDX-License-Identifier: MIT
#include "utf8_text.h"

#include <algorithm>

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

std::size_t codesOf(const Decoded& d, Code* codes) {
    if (d.kind != Decoded::Character) {
        codes[0] = codeOf(kReplacement);
        return 1;
    }
    char16_t units[2];
    const std::size_t count = unitsOf(d.character, units);
    for (std::size_t i = 0; i < count; ++i) {
        codes[i] = codeOf(units[i]);
    }
    return count;
}

}  // namespace

// The bytes held from the last chunk, completed from this one. Returns the codes written (at
// most eight).
std::size_t Reader::readHeld(const char*& in, const char* end, Code* codes) {
    unsigned char bytes[8];
    std::copy_n(heldBytes_.data(), held_, bytes);
    const std::size_t more = std::min<std::size_t>(4, static_cast<std::size_t>(end - in));
    std::copy_n(reinterpret_cast<const unsigned char*>(in), more, bytes + held_);
    const std::size_t available = held_ + more;
    std::size_t at = 0;
    std::size_t count = 0;
    while (at < held_) {
        const Decoded d = decode(bytes + at, available - at);
        if (d.kind == Decoded::Incomplete) {
            // Still cut: everything from here waits again (at most three bytes).
            held_ = available - at;
            std::copy_n(bytes + at, held_, heldBytes_.data());
            in += more;
            return count;
        }
        count += codesOf(d, codes + count);
        at += d.length;
    }
    in += at - held_;
    held_ = 0;
    return count;
}

std::size_t Reader::read(const char*& in, const char* end, Code* codes, std::size_t room) {
    std::size_t n = 0;
    while (held_ > 0 && in < end && n + 8 <= room) {
        n += readHeld(in, end, codes + n);
    }
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    const auto* const last = reinterpret_cast<const unsigned char*>(end);
    while (p < last && n + 2 <= room) {
        if (*p < 0x80) {
            codes[n++] = *p++;
            continue;
        }
        const Decoded d = decode(p, static_cast<std::size_t>(last - p));
        if (d.kind == Decoded::Incomplete) {
            held_ = static_cast<std::size_t>(last - p);
            std::copy_n(p, held_, heldBytes_.data());
            p = last;
            break;
        }
        n += codesOf(d, codes + n);
        p += d.length;
    }
    in = reinterpret_cast<const char*>(p);
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
