// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "codepage.h"
#include "test_support.h"

namespace {

using namespace trelvane;
using trelvane::testkit::readable;

// Windows-1252 from 0x80 to 0x9F, the only stretch where the page differs from Latin-1; the five
// codes the page leaves undefined stand for the C1 control character with the same number.
constexpr char16_t kUpperControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t expectedChar(int code) {
    if (code >= 0x80 && code <= 0x9F) {
        return kUpperControlRange[code - 0x80];
    }
    return static_cast<char16_t>(code);  // the rest of the page is Latin-1
}

TEST(CodePage, EveryCodeHasItsWindows1252CharacterAndBack) {
    for (int code = 0; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const char16_t c = charOf(static_cast<std::uint8_t>(code));
        EXPECT_EQ(c, expectedChar(code));
        EXPECT_EQ(codeOf(c), code);
    }
}

TEST(CodePage, UpperHalfCodes) {
    struct Case {
        char16_t c;
        int code;
    };
    const Case cases[] = {{u'ñ', 241}, {u'€', 128},     {u'Ñ', 209}, {u'ÿ', 255},
                          {u'Ÿ', 159}, {u'™', 153},     {u'œ', 156}, {u'\u00A0', 160},
                          {u'«', 171}, {u'\u0081', 129}};
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(std::u16string(1, c.c)));
        EXPECT_EQ(codeOf(c.c), c.code);
    }
}

TEST(CodePage, UnitsOutsideThePageHaveTheCodeOfTheQuestionMark) {
    // U+0080 and U+009F are C1 controls the page replaced by printable characters, so they have
    // no code of their own; surrogate halves never form a code.
    const char16_t outside[] = {0x0080, 0x008A, 0x009F, 0x0100, 0x0151, 0x20AD,
                                0x3042, 0xD83D, 0xDE00, 0xFFFD, 0xFFFF, 0xFF10};
    for (char16_t c : outside) {
        SCOPED_TRACE(readable(std::u16string(1, c)));
        EXPECT_EQ(codeOf(c), 63);
    }
}

TEST(CodePage, WholeTextsOneBytePerCharacter) {
    EXPECT_EQ(encodeCodePage(u"Añ€"), std::string("\x41\xF1\x80"));
    EXPECT_EQ(decodeCodePage(std::string("\x41\xF1\x80")), u"Añ€");
    // A character beyond the 16-bit range arrives as two surrogate halves: two question marks.
    EXPECT_EQ(encodeCodePage(u"a\U0001F600b"), "a??b");
    EXPECT_EQ(encodeCodePage(u""), "");
    EXPECT_EQ(decodeCodePage(""), u"");

    std::string everyByte;
    for (int code = 0; code <= 255; ++code) {
        everyByte += static_cast<char>(code);
    }
    const std::u16string decoded = decodeCodePage(everyByte);
    ASSERT_EQ(decoded.size(), 256u);
    EXPECT_EQ(decoded[0x80], u'€');
    EXPECT_EQ(decoded[0xF1], u'ñ');
    EXPECT_EQ(encodeCodePage(decoded), everyByte);
}

}  // namespace
