// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "grouping.h"
#include "test_support.h"

namespace {

using namespace trelvane;
using trelvane::testkit::readable;

TEST(Grouping, AcceptsTwoBytesOfDigitsOrMore) {
    struct Case {
        std::u16string text;
        bool groupable;
    };
    const Case cases[] = {{u"0100000101000010", true},
                          {u"01000001010000101", true},
                          {u"010000010100001", false},  // 15 digits
                          {u"01000001 1000010", false},
                          {u"0100000121000010", false},
                          {u"01000001\n1000010", false},
                          {u"0100000101000010\n", false},
                          {u"", false},
                          {u"010000010100001A", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(c.text));
        EXPECT_EQ(isGroupable(c.text), c.groupable);
    }
}

TEST(Grouping, OneBlankAfterEveryEighthCharacterButTheLast) {
    struct Case {
        std::u16string text;
        std::u16string grouped;
    };
    const Case cases[] = {
        {u"0100000101000010", u"01000001 01000010"},
        {u"01000001010000101", u"01000001 01000010 1"},
        {u"010000010100001001000011", u"01000001 01000010 01000011"},
        {u"01000001", u"01000001"},
        {u"0101", u"0101"},
        {u"", u""},
        {u"abcdefghij", u"abcdefgh ij"},  // the rule does not check its input
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(readable(c.text));
        EXPECT_EQ(groupBytes(c.text), c.grouped);
    }
}

}  // namespace
