// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "codepage.h"
#include "named_conversions.h"
#include "test_support.h"

namespace {

using namespace trelvane;
using trelvane::testkit::readable;

struct Case {
    std::u16string in;
    std::u16string out;
};

template <std::size_t N>
void expectAll(std::u16string (*convert)(std::u16string_view), const Case (&cases)[N]) {
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(c.in));
        EXPECT_EQ(readable(convert(c.in)), readable(c.out));
    }
}

// The tables are laid out by hand, several cases to a line.
// clang-format off
TEST(Notation, TextToBinary) {
    const Case cases[] = {
        {u"H", u"01001000"}, {u"Hi", u"0100100001101001"}, {u"", u""},
        {std::u16string(1, u'\0'), u"00000000"}, {u"ÿ", u"11111111"}, {u"ñ", u"11110001"},
        {u"€", u"10000000"}, {u"\u3042", u"00111111"}};  // no code in the page: "?"
    expectAll(textToBinary, cases);
}

TEST(Notation, BinaryToTextDropsAnIncompleteLastByte) {
    const Case cases[] = {
        {u"0100100001101001", u"Hi"}, {u"010010000110", u"H"}, {u"0100100", u""}, {u"1", u""},
        {u"", u""}, {u"00000000", std::u16string(1, u'\0')}, {u"1111000110000000", u"ñ€"},
        {u"0100100X", u"H"}};  // anything but "1" is a 0 digit
    expectAll(binaryToText, cases);
}

TEST(Notation, BinaryToHexReadsNibblesAndDropsOnlyLeadingZeros) {
    const Case cases[] = {
        {u"01001000", u"48"}, {u"0100100001101001", u"4869"}, {u"00001010", u"A"},
        {u"0000000101000001", u"141"}, {u"00000000", u"0"}, {u"0000", u"0"}, {u"", u""},
        {u"101", u""}, {u"1010101", u"A"}, {u"1111101011001110", u"FACE"},
        {u"0000000000000001", u"1"}, {u"0000111100000000", u"F00"}};
    expectAll(binaryToHex, cases);
}

TEST(Notation, HexToBinaryFourDigitsEach) {
    const Case cases[] = {
        {u"4869", u"0100100001101001"}, {u"6A", u"01101010"}, {u"6a", u"01101010"},
        {u"A", u"1010"}, {u"fF09", u"1111111100001001"}, {u"", u""},
        {u"G", u"0000"}, {u"4 1", u"010000000001"}};  // a non-digit stands for 0000
    expectAll(hexToBinary, cases);
}

TEST(Notation, BinaryToDecimal) {
    const Case cases[] = {
        {u"0100100001101001", u"72 105"}, {u"00000000", u"0"}, {u"0000000011111111", u"0 255"},
        {u"0100100", u""}, {u"", u""}, {u"010010001", u"72"}, {u"101010111100", u"171"}};
    expectAll(binaryToDecimal, cases);
}

TEST(Notation, TextToDecimal) {
    const Case cases[] = {
        {u"Hola", u"72 111 108 97"}, {u"", u""}, {u" ", u"32"}, {u"ñ", u"241"},
        {u"€ÿ", u"128 255"}, {std::u16string(1, u'\0'), u"0"}, {u"\r\n", u"13 10"}};
    expectAll(textToDecimal, cases);
}

TEST(Notation, DecimalToText) {
    const std::u16string nul(1, u'\0');
    const Case cases[] = {
        {u"72 111 108 97", u"Hola"}, {u"65 66", u"AB"}, {u"65 66      ", u"AB"},
        {u"65  66", u"A" + nul + u"B"}, {u" 65", nul + u"A"}, {u"241 128", u"ñ€"},
        // above 255 is 255; otherwise rounded half to even
        {u"300", u"ÿ"}, {u"255.7", u"ÿ"}, {u"255.5", u"ÿ"}, {u"1e999", u"ÿ"},
        {u"254.5", u"\u00FE"}, {u"65.5", u"B"}, {u"66.5", u"B"}, {u"1e2", u"d"},
        // the number at the start of a piece; tabs inside it are skipped, only blanks trail
        {u"65abc", u"A"}, {u"abc", nul}, {u"6\t5", u"A"}, {u"65 \t", u"A" + nul},
        // below 0 there is no code: such a piece gives code 0, as does a leading ampersand
        {u"-1", nul}, {u"-0.6", nul}, {u"-0.4", nul}, {u"-1e999", nul},
        {u"65 -66 67", u"A" + nul + u"C"}, {u"&H41", nul}, {u"&O101 66", nul + u"B"}};
    expectAll(decimalToText, cases);
}
// clang-format on

// Every code survives the way to binary and back, and to decimal and back.
TEST(Notation, EveryCodeRoundTripsThroughBinaryAndDecimal) {
    for (int code = 0; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const std::u16string text(1, charOf(static_cast<std::uint8_t>(code)));

        std::u16string bits;
        for (int bit = 7; bit >= 0; --bit) {
            bits += (code >> bit) & 1 ? u'1' : u'0';
        }
        const std::u16string binary = textToBinary(text);
        EXPECT_EQ(binary, bits);
        EXPECT_EQ(binaryToText(binary), text);

        const std::u16string decimal = textToDecimal(text);
        const std::string digits = std::to_string(code);
        EXPECT_EQ(decimal, std::u16string(digits.begin(), digits.end()));
        EXPECT_EQ(decimalToText(decimal), text);
    }
}

TEST(Notation, WholeCodePageRoundTripsThroughEveryNotation) {
    const std::u16string text = trelvane::testkit::everyCodeDescending();
    EXPECT_EQ(binaryToText(textToBinary(text)), text);
    EXPECT_EQ(decimalToText(textToDecimal(text)), text);
    EXPECT_EQ(binaryToText(hexToBinary(binaryToHex(textToBinary(text)))), text);
    EXPECT_EQ(decimalToText(binaryToDecimal(textToBinary(text))), text);
}

}  // namespace
