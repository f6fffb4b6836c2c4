// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "numeric.h"
#include "test_support.h"

namespace {

using namespace trelvane;
using trelvane::testkit::readable;

TEST(ReadNumber, TheNumberAtTheStartOfTheText) {
    struct Case {
        std::u16string text;
        double value;
    };
    const Case cases[] = {
        {u"65", 65},       {u"6 5", 65},  // blanks anywhere are skipped
        {u"1e2", 100},     {u"1E+2", 100},       {u"1e-1", 0.1},
        {u"1D3", 1000},  // D is an exponent letter too
        {u"2d1", 20},      {u"1 e 2", 100},      {u"7x", 7},
        {u"65abc", 65},    {u"abc", 0},          {u"", 0},
        {u"   ", 0},       {u"-3.5", -3.5},      {u"+8", 8},
        {u"--5", 0},       {u".5", 0.5},         {u"5.", 5},
        {u"1.5.5", 1.5},   {u"255.7", 255.7},    {u"\t\n 12", 12},
        {u"1\t2\n3", 123}, {u"\r5", 0},  // a carriage return is not skipped
        {u"6,5", 6},                     // the full stop is the only decimal point
        {u"&H41", 0},      {u"&O17", 0},         {u"&h10", 0},
        {u"x12", 0},       {u"\uFF16\uFF15", 0},  // full-width digits are not digits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(c.text));
        EXPECT_DOUBLE_EQ(readNumber(c.text), c.value);
    }
}

TEST(ReadNumber, HugeValuesReadAsInfinity) {
    EXPECT_EQ(readNumber(u"1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber(u"-1e999"), -std::numeric_limits<double>::infinity());
    const std::u16string manyDigits(400, u'9');
    EXPECT_EQ(readNumber(manyDigits), std::numeric_limits<double>::infinity());
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double value;
        double rounded;
    };
    const Case cases[] = {{65.5, 66},         {64.5, 64},   {66.5, 66},   {0.5, 0},   {1.5, 2},
                          {2.5, 2},           {-0.5, 0},    {-1.5, -2},   {-2.5, -2}, {65.49, 65},
                          {65.51, 66},        {255.5, 256}, {254.5, 254}, {-0.6, -1}, {7, 7},
                          {1e15 + 0.5, 1e15}, {-65.5, -66}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(roundHalfEven(c.value), c.rounded);
    }
}

TEST(RoundToCode, OnlyValuesRoundingIntoTheCodeRange) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        std::optional<int> code;
    };
    const Case cases[] = {{0, 0},
                          {65, 65},
                          {65.5, 66},
                          {66.5, 66},
                          {255, 255},
                          {255.4, 255},
                          {255.5, std::nullopt},
                          {256, std::nullopt},
                          {-0.4, 0},
                          {-0.5, 0},
                          {-0.6, std::nullopt},
                          {-1, std::nullopt},
                          {inf, std::nullopt},
                          {-inf, std::nullopt},
                          {1e300, std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(roundToCode(c.value), c.code);
    }
}

TEST(EightDigits, WeightsFrom128DownTo1) {
    struct Case {
        double value;
        std::u16string digits;
    };
    const Case cases[] = {
        {0, u"00000000"},     {1, u"00000001"},
        {65, u"01000001"},    {65.9, u"01000001"},
        {127.5, u"01111111"}, {128, u"10000000"},
        {241, u"11110001"},   {255, u"11111111"},
        {255.9, u"11111111"}, {256, u"11111111"},
        {1000, u"11111111"},  {-1, u"00000000"},
        {-0.5, u"00000000"},  {std::numeric_limits<double>::infinity(), u"11111111"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(eightDigits(c.value), c.digits);
    }
}

TEST(EightDigits, AgreesWithTheBitsOfEveryCode) {
    for (int code = 0; code <= 255; ++code) {
        std::u16string expected;
        for (int bit = 7; bit >= 0; --bit) {
            expected += (code >> bit) & 1 ? u'1' : u'0';
        }
        EXPECT_EQ(eightDigits(code), expected) << code;
    }
}

}  // namespace
