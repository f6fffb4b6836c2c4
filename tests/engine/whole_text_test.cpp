// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "codepage.h"
#include "memory_window.h"
#include "test_support.h"

// Whole texts through the dispatch: every code there and back, and texts far longer than
// 32,767 characters, which must convert completely.
namespace {

using namespace trelvane;
using namespace trelvane::testkit;

constexpr std::size_t kLong = 100'000;

// The i-th character cycles through every code, starting at a given one.
int codeAt(std::size_t i, int first) {
    return static_cast<int>((first + i) % 256);
}

std::u16string cyclingText(std::size_t length, int first) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += charOf(static_cast<std::uint8_t>(codeAt(i, first)));
    }
    return text;
}

std::u16string bitsOf(int code, int width) {
    std::u16string bits;
    for (int bit = width - 1; bit >= 0; --bit) {
        bits += (code >> bit) & 1 ? u'1' : u'0';
    }
    return bits;
}

TEST(WholeText, EveryCodeGoesThereAndBackThroughTheDispatch) {
    const std::u16string text = everyCodeDescending();
    for (Mode middle : {Binario, Hexadecimal, Decimal, Texto}) {
        SCOPED_TRACE(modeName(middle));
        MemoryWindow there;
        chooseModes(there, Texto, middle);
        there.focus(A);
        there.paste(A, text);
        const std::u16string converted = there.field(B).text;

        MemoryWindow back;
        chooseModes(back, Texto, middle);
        back.focus(B);
        back.paste(B, converted);
        EXPECT_EQ(back.dispatch.vModeB(), middle);
        EXPECT_TRUE(back.field(A).text == text) << readable(back.field(A).text);
    }
}

TEST(WholeText, LongTextConvertsCompletelyIntoEveryNotation) {
    const std::u16string text = cyclingText(kLong, 255);  // first code 255: no leading zeros
    for (Mode target : {Binario, Hexadecimal, Decimal}) {
        SCOPED_TRACE(modeName(target));
        MemoryWindow w;
        chooseModes(w, target, Texto);
        w.focus(B);  // Campo B has no length limit
        w.paste(B, text);
        const std::u16string& out = w.field(A).text;

        std::u16string expected;
        for (std::size_t i = 0; i < kLong; ++i) {
            const int code = codeAt(i, 255);
            if (target == Binario) {
                expected += bitsOf(code, 8);
            } else if (target == Hexadecimal) {
                expected += bitsOf(code, 8);  // compared as binary below
            } else {
                const std::string digits = std::to_string(code);
                if (i) {
                    expected += u' ';
                }
                expected.append(digits.begin(), digits.end());
            }
        }
        if (target == Hexadecimal) {
            ASSERT_EQ(out.size(), 2 * kLong);
            std::u16string asBinary;
            for (char16_t digit : out) {
                const int nibble = digit <= u'9' ? digit - u'0' : digit - u'A' + 10;
                asBinary += bitsOf(nibble, 4);
            }
            EXPECT_TRUE(asBinary == expected);
        } else {
            ASSERT_EQ(out.size(), expected.size());
            EXPECT_TRUE(out == expected);
        }
    }
}

TEST(WholeText, LongSourcesInEveryNotationConvertCompletely) {
    const std::u16string text = cyclingText(kLong, 255);
    std::u16string binary, hex, decimal;
    for (std::size_t i = 0; i < kLong; ++i) {
        const int code = codeAt(i, 255);
        binary += bitsOf(code, 8);
        hex += u"0123456789ABCDEF"[code / 16];
        hex += u"0123456789abcdef"[code % 16];
        const std::string digits = std::to_string(code);
        if (i) {
            decimal += u' ';
        }
        decimal.append(digits.begin(), digits.end());
    }
    struct Case {
        Mode mode;
        std::u16string source;
    };
    const Case cases[] = {{Binario, binary}, {Hexadecimal, hex}, {Decimal, decimal}};
    for (const auto& c : cases) {
        SCOPED_TRACE(modeName(c.mode));
        MemoryWindow w;
        chooseModes(w, Texto, c.mode);
        w.focus(B);
        w.paste(B, c.source);
        EXPECT_EQ(w.dispatch.vModeB(), c.mode);
        EXPECT_EQ(w.field(B).back, kColorFocus);
        ASSERT_EQ(w.field(A).text.size(), kLong);
        EXPECT_TRUE(w.field(A).text == text);
    }
}

TEST(WholeText, LongBinarySourceIsFilteredCheckedAndDetectedToItsEnd) {
    const std::u16string bytes = repeated(u"01000001", 40'000);  // 320,000 digits

    MemoryWindow filtered;  // a blank far beyond 32,767 characters is removed
    chooseModes(filtered, Texto, Binario);
    filtered.focus(B);
    filtered.paste(B, bytes + u" 01000010");
    EXPECT_EQ(filtered.field(B).text.size(), bytes.size() + 8);
    EXPECT_EQ(filtered.field(A).text, std::u16string(40'000, u'A') + u"B");

    MemoryWindow partial;  // one digit too many is an incomplete byte
    chooseModes(partial, Texto, Binario);
    partial.focus(B);
    partial.paste(B, bytes + u"1");
    EXPECT_EQ(partial.field(B).back, kColorError);
    EXPECT_EQ(partial.field(A).text, std::u16string(40'000, u'A'));

    MemoryWindow foreign;  // a foreign character at the very end still switches the field
    chooseModes(foreign, Decimal, Binario);
    foreign.focus(B);
    foreign.paste(B, bytes + u"x");
    EXPECT_EQ(foreign.dispatch.vModeB(), Texto);
    EXPECT_EQ(foreign.marks[4], true);
    const std::u16string& codes = foreign.field(A).text;  // the digits as text, in decimal
    EXPECT_EQ(codes.size(), 320'000u * 3 + 3);            // "48 " or "49 " each, then "120"
    EXPECT_EQ(codes.substr(codes.size() - 6), u"49 120");
}

}  // namespace
