// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "notations/notations.h"
#include "test_support.h"

namespace {

using namespace trelvane;
using trelvane::testkit::readable;

TEST(RemoveBlanks, OnlyTheBlankGoes) {
    EXPECT_EQ(removeBlanks(u"0100 1000"), u"01001000");
    EXPECT_EQ(removeBlanks(u"  4 1  "), u"41");
    EXPECT_EQ(removeBlanks(u"01\t00\r\n1"), u"01\t00\r\n1");
    EXPECT_EQ(removeBlanks(u"a\u00A0b"), u"a\u00A0b");  // the no-break space is not the blank
    EXPECT_EQ(removeBlanks(u"   "), u"");
    EXPECT_EQ(removeBlanks(u""), u"");
}

TEST(CheckBinary, BadCharactersAndIncompleteBytes) {
    struct Case {
        std::u16string text;
        bool bad;
        bool partial;
    };
    const Case cases[] = {{u"01001000", false, false},  {u"0100100", false, true},
                          {u"0100100A", true, false},   {u"", false, false},
                          {u"0100 100", true, false},   {u"2", true, true},
                          {u"0100100001", false, true}, {u"A0100100", true, false},
                          {u"0\n", true, true},         {u"0100100001101001", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(c.text));
        const SourceCheck check = checkBinary(c.text);
        EXPECT_EQ(check.bad, c.bad);
        EXPECT_EQ(check.partial, c.partial);
    }
}

TEST(CheckHexadecimal, BothCasesAreDigits) {
    struct Case {
        std::u16string text;
        bool foreign;
    };
    const Case cases[] = {{u"4a6F", false}, {u"0123456789abcdefABCDEF", false},
                          {u"", false},     {u"4G", true},
                          {u"G4", true},    {u"4 1", true},
                          {u"41\n", true},  {u"\uFF21", true},  // full-width A
                          {u"@", true},     {u"`", true},       // the neighbours of A-F and a-f
                          {u"/", true},     {u":", true},       // the neighbours of 0-9
                          {u"g", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(c.text));
        EXPECT_EQ(checkHexadecimal(c.text).bad, c.foreign);
    }
}

TEST(FitsMode, CharactersEachModeCanHold) {
    struct Case {
        char16_t c;
        bool texto, binario, hexadecimal, decimal;
    };
    const Case cases[] = {
        {u'0', true, true, true, true},     {u'1', true, true, true, true},
        {u'2', true, false, true, true},    {u'9', true, false, true, true},
        {u' ', true, true, false, true},    {u'a', true, false, true, false},
        {u'F', true, false, true, false},   {u'g', true, false, false, false},
        {u'G', true, false, false, false},  {u',', true, false, false, false},
        {u'-', true, false, false, false},  {u'\t', true, false, false, false},
        {u'\r', true, false, false, false}, {u'\n', true, false, false, false},
        {u'ñ', true, false, false, false},  {u'\uFF10', true, false, false, false},
        {u'\0', true, false, false, false}, {char16_t{0xD83D}, true, false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(std::u16string(1, c.c)));
        EXPECT_EQ(fitsMode(Texto, c.c), c.texto);
        EXPECT_EQ(fitsMode(Binario, c.c), c.binario);
        EXPECT_EQ(fitsMode(Hexadecimal, c.c), c.hexadecimal);
        EXPECT_EQ(fitsMode(Decimal, c.c), c.decimal);
    }
}

TEST(FitsMode, WholeTexts) {
    EXPECT_TRUE(fitsMode(Binario, u"0100 0001"));
    EXPECT_FALSE(fitsMode(Binario, u"0100000A"));
    EXPECT_FALSE(fitsMode(Hexadecimal, u"41 42"));
    EXPECT_TRUE(fitsMode(Hexadecimal, u"4a6f"));
    EXPECT_TRUE(fitsMode(Decimal, u"65 66"));
    EXPECT_FALSE(fitsMode(Decimal, u"65,66"));
    EXPECT_FALSE(fitsMode(Decimal, u"65\r\n66"));
    EXPECT_TRUE(fitsMode(Texto, u"hola\r\n\t€"));
    for (Mode mode : {Texto, Binario, Hexadecimal, Decimal}) {
        EXPECT_TRUE(fitsMode(mode, u"")) << trelvane::testkit::modeName(mode);
    }
}

}  // namespace
