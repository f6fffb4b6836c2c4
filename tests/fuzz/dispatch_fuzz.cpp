// SPDX-License-Identifier: MIT
// Drives the code panel's dispatch with arbitrary texts, both source fields and every pair of
// modes, and checks what must hold whatever the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "codepage.h"
#include "memory_window.h"
#include "named_conversions.h"
#include "notations/notations.h"

namespace {

using trelvane::CodeField;
using trelvane::Mode;

// Stops the run on a broken rule, naming the line, so libFuzzer keeps the input.
#define require(condition)                                                         \
    do {                                                                           \
        if (!(condition)) {                                                        \
            std::fprintf(stderr, "broken at line %d: %s\n", __LINE__, #condition); \
            std::abort();                                                          \
        }                                                                          \
    } while (false)

bool onlyBinaryDigits(const std::u16string& s) {
    return std::all_of(s.begin(), s.end(), trelvane::BinaryNotation::isDigit);
}

bool onlyHexDigits(const std::u16string& s) {
    return std::all_of(s.begin(), s.end(), trelvane::HexadecimalNotation::isDigit);
}

// Digits separated by single blanks, no blank at either end.
bool isDecimalNotation(const std::u16string& s) {
    if (s.empty()) {
        return true;
    }
    if (s.front() == u' ' || s.back() == u' ' || s.find(u"  ") != std::u16string::npos) {
        return false;
    }
    return std::all_of(s.begin(), s.end(), trelvane::DecimalNotation::fits);
}

// The first byte picks the source field, the two modes and how the rest is read: as
// Windows-1252 bytes, or as raw UTF-16 units (any unit, unpaired surrogates included).
std::u16string textOf(std::uint8_t how, const std::uint8_t* data, std::size_t size) {
    if (how & 0x20) {
        return trelvane::decodeCodePage(
            std::string_view(reinterpret_cast<const char*>(data), size));
    }
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::uint8_t how = data[0];
    const std::u16string text = textOf(how, data + 1, size - 1);
    const CodeField source = (how & 0x10) ? CodeField::B : CodeField::A;
    const CodeField target = trelvane::otherField(source);

    trelvane::MemoryWindow window;
    // The modes are picked with the mode buttons before any field has had the focus.
    for (int button : {how & 3, 4 + ((how >> 2) & 3)}) {
        window.dispatch.cmdOpt_MouseDown(button);
        window.dispatch.cmdOpt_Click(button);
    }
    window.focus(source);
    window.paste(source, text);

    const Mode sourceMode = window.dispatch.mode(source);
    const Mode targetMode = window.dispatch.mode(target);
    const std::u16string& result = window.field(target).text;
    const std::u16string& shown = window.field(source).text;

    // Detection leaves a source only in a mode its text fits.
    require(trelvane::fitsMode(sourceMode, shown));
    // The mode marks agree with the modes.
    for (int i = 0; i < 8; ++i) {
        require(window.marks[i] == (window.dispatch.mode(i < 4 ? CodeField::A : CodeField::B) ==
                                    static_cast<Mode>(i % 4)));
    }
    if (sourceMode == targetMode) {
        require(window.dispatch.vBinBad() || result == shown);
    } else {
        switch (targetMode) {
            case trelvane::Binario:
                require(onlyBinaryDigits(result));
                break;
            case trelvane::Hexadecimal:
                require(onlyHexDigits(result));
                break;
            case trelvane::Decimal:
                require(isDecimalNotation(result));
                break;
            case trelvane::Texto:
                break;
        }
    }
    // A "500" flag is up exactly for a long text in Texto or Hexadecimal.
    for (CodeField f : {CodeField::A, CodeField::B}) {
        const Mode m = window.dispatch.mode(f);
        require(window.field(f).flag500 == ((m == trelvane::Texto || m == trelvane::Hexadecimal) &&
                                            window.field(f).text.size() >= 500));
    }

    // Text to binary and back, and text to decimal and back, return the text as the code page
    // holds it.
    std::u16string expected = text;
    for (char16_t& c : expected) {
        c = trelvane::charOf(trelvane::codeOf(c));
    }
    require(trelvane::binaryToText(trelvane::textToBinary(text)) == expected);
    require(trelvane::decimalToText(trelvane::textToDecimal(text)) == expected);
    return 0;
}
