// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <string>

#include "codepage.h"
#include "mode.h"
#include "numeric.h"

// A plain rendering of the conversion chain as the program's procedures describe it, with
// binary text as the hub: every conversion to or from hexadecimal goes through a binary
// string, text and decimal reach hexadecimal only through it. Written for clarity, not speed,
// to check the engine's direct conversions against.
namespace trelvane::reference {

inline std::u16string textToBinary(const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        int code = codeOf(c);
        for (int weight = 128; weight >= 1; weight /= 2) {
            out += code >= weight ? u'1' : u'0';
            code -= code >= weight ? weight : 0;
        }
    }
    return out;
}

// Complete groups of `width` digits, each read with the weights from the left.
template <class OnGroup>
void forEachGroup(const std::u16string& binary, int width, OnGroup onGroup) {
    for (std::size_t end = width; end <= binary.size(); end += width) {
        int value = 0;
        for (std::size_t i = end - width; i < end; ++i) {
            value = 2 * value + (binary[i] == u'1' ? 1 : 0);
        }
        onGroup(value);
    }
}

inline std::u16string binaryToText(const std::u16string& binary) {
    std::u16string out;
    forEachGroup(binary, 8, [&](int code) { out += charOf(static_cast<std::uint8_t>(code)); });
    return out;
}

inline std::u16string binaryToHex(const std::u16string& binary) {
    std::u16string out;
    forEachGroup(binary, 4, [&](int nibble) { out += u"0123456789ABCDEF"[nibble]; });
    while (out.size() > 1 && out.front() == u'0') {
        out.erase(0, 1);
    }
    return out;
}

inline std::u16string hexToBinary(const std::u16string& hex) {
    std::u16string out;
    for (char16_t c : hex) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
        int value = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : 0;
        for (int weight = 8; weight >= 1; weight /= 2) {
            out += value >= weight ? u'1' : u'0';
            value -= value >= weight ? weight : 0;
        }
    }
    return out;
}

inline std::u16string numbersOf(const std::u16string& codes) {
    std::u16string out;
    for (char16_t code : codes) {
        const std::string digits = std::to_string(static_cast<int>(code));
        out += std::u16string(digits.begin(), digits.end()) + u' ';
    }
    if (out.size() > 1) {
        out.pop_back();
    }
    return out;
}

inline std::u16string binaryToDecimal(const std::u16string& binary) {
    std::u16string codes;
    forEachGroup(binary, 8, [&](int code) { codes += static_cast<char16_t>(code); });
    return numbersOf(codes);
}

inline std::u16string textToDecimal(const std::u16string& text) {
    std::u16string codes;
    for (char16_t c : text) {
        codes += static_cast<char16_t>(codeOf(c));
    }
    return numbersOf(codes);
}

inline std::u16string decimalToText(std::u16string decimal) {
    while (!decimal.empty() && decimal.back() == u' ') {
        decimal.pop_back();
    }
    std::u16string out;
    if (decimal.empty()) {
        return out;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = std::min(decimal.find(u' ', start), decimal.size());
        const double value = readNumber(std::u16string_view(decimal).substr(start, blank - start));
        const double rounded = roundHalfEven(value);
        const int code = value > 255 ? 255 : rounded < 0 ? 0 : static_cast<int>(rounded);
        out += charOf(static_cast<std::uint8_t>(code));
        if (blank == decimal.size()) {
            return out;
        }
        start = blank + 1;
    }
}

// The chain of procedures from one notation to another, as the dispatch runs it.
inline std::u16string chain(Mode from, Mode to, const std::u16string& text) {
    if (from == to) {
        return text;
    }
    std::u16string binary;
    switch (from) {
        case Texto:
            if (to == Decimal) {
                return textToDecimal(text);
            }
            binary = textToBinary(text);
            break;
        case Decimal:
            if (to == Texto) {
                return decimalToText(text);
            }
            binary = textToBinary(decimalToText(text));
            break;
        case Binario:
            binary = text;
            break;
        case Hexadecimal:
            binary = hexToBinary(text);
            break;
    }
    switch (to) {
        case Texto:
            return binaryToText(binary);
        case Binario:
            return binary;
        case Hexadecimal:
            return binaryToHex(binary);
        case Decimal:
            return binaryToDecimal(binary);
    }
    return {};
}

// What a field in the mode may hold; anything else switches a source to Texto.
inline bool fits(Mode mode, char16_t c) {
    switch (mode) {
        case Binario:
            return c == u'0' || c == u'1' || c == u' ';
        case Hexadecimal:
            return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
        case Decimal:
            return (c >= u'0' && c <= u'9') || c == u' ';
        case Texto:
            break;
    }
    return true;
}

// The whole handling of a pasted source: the detection, the blank filter, the validation and
// the chain. `target` is what the target showed before, kept when nothing is delivered.
struct Dispatched {
    Mode sourceMode;
    std::u16string source;
    std::u16string target;
};

inline Dispatched dispatch(Mode sourceMode, Mode targetMode, std::u16string source,
                           std::u16string target) {
    if (std::any_of(source.begin(), source.end(),
                    [&](char16_t c) { return !fits(sourceMode, c); })) {
        sourceMode = Texto;
    }
    if (sourceMode == Binario || sourceMode == Hexadecimal) {
        source.erase(std::remove(source.begin(), source.end(), u' '), source.end());
    }
    if (sourceMode == Decimal && targetMode != Decimal && source.empty()) {
        return {sourceMode, source, target};
    }
    return {sourceMode, source, chain(sourceMode, targetMode, source)};
}

}  // namespace trelvane::reference
