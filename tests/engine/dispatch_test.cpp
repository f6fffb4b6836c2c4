// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "memory_window.h"
#include "test_support.h"

// The code panel's dispatch driven the way the user drives it: focus a field, type or paste,
// click the mode buttons. MemoryWindow raises the change handling as the real window does.
namespace {

using namespace trelvane;
using namespace trelvane::testkit;

const std::u16string kHi = u"Hi";
const std::u16string kHiBinary = u"0100100001101001";

// ---------------------------------------------------------------------------------------------
// Every pair of modes, in both directions.

struct PairCase {
    Mode source;
    Mode target;
    std::u16string input;
    std::u16string expected;
};

void PrintTo(const PairCase& c, std::ostream* os) {
    *os << modeName(c.source) << " \"" << readable(c.input) << "\" -> " << modeName(c.target);
}

const PairCase kPairs[] = {{Texto, Texto, u"Hola\r\n\tñ€", u"Hola\r\n\tñ€"},
                           {Texto, Binario, u"Hñ", u"0100100011110001"},
                           {Texto, Hexadecimal, u"\u0001ñ", u"1F1"},
                           {Texto, Decimal, u"Hola ñ€", u"72 111 108 97 32 241 128"},
                           {Binario, Texto, u"0100100011110001", u"Hñ"},
                           {Binario, Binario, kHiBinary, kHiBinary},
                           {Binario, Hexadecimal, u"0000000101000001", u"141"},
                           {Binario, Decimal, u"0000000011111111", u"0 255"},
                           {Hexadecimal, Texto, u"80f1", u"€ñ"},
                           {Hexadecimal, Binario, u"6a", u"01101010"},
                           {Hexadecimal, Hexadecimal, u"4a6F", u"4a6F"},
                           {Hexadecimal, Decimal, u"ABC", u"171"},
                           {Decimal, Texto, u"72 105 241 128", u"Hiñ€"},
                           {Decimal, Binario, u"72 105", kHiBinary},
                           {Decimal, Hexadecimal, u"1 255", u"1FF"},
                           {Decimal, Decimal, u"65 66", u"65 66"}};

using PairParam = std::tuple<PairCase, CodeField>;

class EveryModePair : public ::testing::TestWithParam<PairParam> {};

TEST_P(EveryModePair, PastingIntoTheSourceRewritesTheTarget) {
    const auto& [pair, source] = GetParam();
    const CodeField target = otherField(source);
    MemoryWindow w;
    chooseSourceAndTarget(w, source, pair.source, pair.target);
    w.focus(source);
    w.paste(source, pair.input);

    EXPECT_EQ(readable(w.field(target).text), readable(pair.expected));
    EXPECT_EQ(w.field(source).text, pair.input);
    EXPECT_EQ(w.field(source).back, kColorFocus);
    EXPECT_EQ(w.dispatch.mode(source), pair.source);
    EXPECT_EQ(w.dispatch.mode(target), pair.target);
    if (pair.source != pair.target) {  // delivered by a converter: caret after the last character
        EXPECT_EQ(w.field(target).caret, w.field(target).text.size());
    }
}

TEST_P(EveryModePair, ClickingTheTargetModeConvertsTheSourceAgain) {
    const auto& [pair, source] = GetParam();
    const CodeField target = otherField(source);
    const Mode before = static_cast<Mode>((pair.target + 1) % 4);
    MemoryWindow w;
    chooseSourceAndTarget(w, source, pair.source, before);
    w.focus(source);
    w.paste(source, pair.input);
    chooseMode(w, target, pair.target);
    EXPECT_EQ(readable(w.field(target).text), readable(pair.expected));
}

std::string pairName(const ::testing::TestParamInfo<PairParam>& info) {
    const auto& [pair, source] = info.param;
    return std::string(modeName(pair.source)) + "To" + modeName(pair.target) + "From" +
           fieldName(source);
}

INSTANTIATE_TEST_SUITE_P(Dispatch, EveryModePair,
                         ::testing::Combine(::testing::ValuesIn(kPairs), ::testing::Values(A, B)),
                         pairName);

// ---------------------------------------------------------------------------------------------
// Chains: only the last notation reaches the target; the steps in between are never shown.

TEST(Dispatch, ChainsShowOnlyTheFinalNotation) {
    const PairCase chains[] = {
        {Decimal, Binario, u"72 105", kHiBinary}, {Decimal, Hexadecimal, u"72 105", u"4869"},
        {Decimal, Hexadecimal, u"65", u"41"},     {Texto, Hexadecimal, kHi, u"4869"},
        {Hexadecimal, Texto, u"4869", kHi},       {Hexadecimal, Decimal, u"4869", u"72 105"},
        {Hexadecimal, Texto, u"ABC", u"«"},       {Hexadecimal, Decimal, u"ABC", u"171"},
        {Hexadecimal, Texto, u"A", u""},          {Hexadecimal, Decimal, u"A", u""}};
    for (const auto& c : chains) {
        SCOPED_TRACE(::testing::PrintToString(c));
        MemoryWindow w;
        chooseModes(w, c.source, c.target);
        w.focus(A);
        w.field(B).text = u"old";  // whatever the target showed before
        std::vector<std::string> trace;
        w.trace = &trace;
        w.paste(A, c.input);
        EXPECT_EQ(readable(w.field(B).text), readable(c.expected));
        EXPECT_EQ(countEvents(trace, "text B"), 1);
    }
}

TEST(Dispatch, EmptiedTextSourceEmptiesTheTarget) {
    for (Mode target : {Texto, Binario, Hexadecimal, Decimal}) {
        SCOPED_TRACE(modeName(target));
        MemoryWindow w;
        chooseModes(w, Texto, target);
        w.focus(A);
        ASSERT_TRUE(w.typeKey(A, u'x'));
        ASSERT_FALSE(w.field(B).text.empty());
        ASSERT_TRUE(w.typeKey(A, 8));
        EXPECT_EQ(w.field(B).text, u"");
    }
}

// ---------------------------------------------------------------------------------------------
// Incomplete bytes: the source shows the error colour and its complete bytes still convert.

TEST(Dispatch, IncompleteBinaryIsMarkedAndItsCompleteBytesConvert) {
    const std::u16string digits = u"010000010";
    struct Case {
        Mode target;
        std::vector<std::u16string> afterEachDigit;
    };
    const Case cases[] = {{Texto, {u"", u"", u"", u"", u"", u"", u"", u"A", u"A"}},
                          {Hexadecimal, {u"", u"", u"", u"4", u"4", u"4", u"4", u"41", u"41"}},
                          {Decimal, {u"", u"", u"", u"", u"", u"", u"", u"65", u"65"}}};
    for (CodeField source : {A, B}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(fieldName(source)) + " -> " + modeName(c.target));
            MemoryWindow w;
            chooseSourceAndTarget(w, source, Binario, c.target);
            w.focus(source);
            for (std::size_t n = 1; n <= digits.size(); ++n) {
                SCOPED_TRACE(n);
                ASSERT_TRUE(w.typeKey(source, digits[n - 1]));
                EXPECT_EQ(w.field(source).back, n % 8 == 0 ? kColorFocus : kColorError);
                EXPECT_EQ(w.field(otherField(source)).text, c.afterEachDigit[n - 1]);
                EXPECT_FALSE(w.dispatch.vBinBad());
                EXPECT_EQ(w.dispatch.vBinPartial(), n % 8 != 0);
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Rejected sources. The detection lets through only what the validation accepts, so a rejected
// source needs a character that reaches the field after the detection looked at it: this window
// lets a pending character land when the caret is put at the end, without a change
// notification, as an input method committing late would.

class LateInputWindow : public MemoryWindow {
  public:
    std::optional<std::pair<CodeField, std::u16string>> landing;

    void moveCaretToEnd(CodeField f) override {
        if (landing && landing->first == f) {
            field(f).text = landing->second;
            landing.reset();
        }
        MemoryWindow::moveCaretToEnd(f);
    }
};

TEST(Dispatch, RejectedSourceIsPaintedAndTheTargetKeepsItsText) {
    struct Case {
        Mode source;
        Mode target;
        std::u16string good;
        std::u16string converted;
        std::u16string bad;
    };
    const Case cases[] = {{Binario, Texto, u"01001000", u"H", u"0100100A"},
                          {Binario, Decimal, u"01001000", u"72", u"01001002"},
                          {Binario, Binario, u"01001000", u"01001000", u"0100\t1000"},
                          {Hexadecimal, Texto, u"41", u"A", u"4G"},
                          {Hexadecimal, Binario, u"41", u"01000001", u"4 1"},
                          {Hexadecimal, Hexadecimal, u"41", u"41", u"41\n"}};
    for (CodeField source : {A, B}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(fieldName(source)) + " " + readable(c.bad));
            const CodeField target = otherField(source);
            LateInputWindow w;
            chooseSourceAndTarget(w, source, c.source, c.target);
            w.focus(source);
            w.paste(source, c.good);
            ASSERT_EQ(w.field(target).text, c.converted);

            std::vector<std::string> trace;
            w.trace = &trace;
            w.landing = {source, c.bad};
            w.dispatch.cmdOpt_Click(modeButton(target, c.target));  // converts the source again

            EXPECT_FALSE(w.landing.has_value()) << "the caret was not put at the end";
            EXPECT_TRUE(w.dispatch.vBinBad());
            EXPECT_EQ(w.field(source).back, kColorError);
            EXPECT_EQ(w.field(target).text, c.converted);
            EXPECT_EQ(countEvents(trace, std::string("text ") + fieldName(target)), 0);
            EXPECT_EQ(w.dispatch.mode(source), c.source);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The "500" flags: shown for Texto and Hexadecimal fields of 500 characters or more, whether
// the text was typed or written as a target; never for Binario and Decimal.

TEST(Dispatch, Flag500OfBothFields) {
    struct Case {
        const char* what;
        CodeField source;
        Mode sourceMode;
        Mode targetMode;
        std::u16string input;
        bool sourceFlag;
        bool targetFlag;
    };
    const std::u16string byteA = u"01000001";
    const Case cases[] = {
        {"500 typed", A, Texto, Binario, std::u16string(500, u'x'), true, false},
        {"499 typed", A, Texto, Binario, std::u16string(499, u'x'), false, false},
        {"500 hex written", A, Texto, Hexadecimal, std::u16string(250, u'A'), false, true},
        {"499 hex written", A, Texto, Hexadecimal, u"\u0001" + std::u16string(249, u'A'), false,
         false},
        {"500 text written", B, Binario, Texto, repeated(byteA, 500), false, true},
        {"499 text written", B, Binario, Texto, repeated(byteA, 499), false, false},
        {"long decimal", A, Texto, Decimal, std::u16string(200, u'A'), false, false},
        {"500 hex typed", A, Hexadecimal, Texto, repeated(u"41", 250), true, false},
        {"long decimal typed", B, Decimal, Texto, repeated(u"65 ", 199) + u"65", false, false},
        {"hex into A", B, Texto, Hexadecimal, std::u16string(250, u'A'), false, true},
        {"copy", B, Texto, Texto, std::u16string(500, u'x'), true, true},
        {"binary copy", B, Binario, Binario, repeated(byteA, 100), false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryWindow w;
        chooseSourceAndTarget(w, c.source, c.sourceMode, c.targetMode);
        w.focus(c.source);
        w.paste(c.source, c.input);
        EXPECT_EQ(w.field(c.source).flag500, c.sourceFlag);
        EXPECT_EQ(w.field(otherField(c.source)).flag500, c.targetFlag);
    }
}

TEST(Dispatch, Flag500HidesWhenOneCharacterIsDeleted) {
    MemoryWindow w;
    w.focus(A);
    w.paste(A, std::u16string(500, u'x'));
    ASSERT_TRUE(w.field(A).flag500);
    ASSERT_TRUE(w.typeKey(A, 8));
    EXPECT_EQ(w.field(A).text.size(), 499u);
    EXPECT_FALSE(w.field(A).flag500);
}

// ---------------------------------------------------------------------------------------------
// Keystrokes, step by step through the window's trace.

TEST(Dispatch, KeystrokeEndToEnd) {
    MemoryWindow w;
    chooseModes(w, Binario, Texto);
    w.focus(A);
    ASSERT_TRUE(typeText(w, A, u"0100000"));
    EXPECT_EQ(w.field(A).back, kColorError);  // seven digits

    std::vector<std::string> trace;
    w.trace = &trace;
    ASSERT_TRUE(w.typeKey(A, u'1'));

    const std::vector<std::string> expected = {
        "change A",
        // the detection finds only digits; the filter removes nothing and moves the caret
        "caret A",
        // a whole byte: the source gets its normal colour back
        "color A #14AAE6",
        // "A" is delivered; Campo B's own change handling only hides its flag
        "text B", "change B", "500 B off", "caret B",
        // back in Campo A's handling: Binario never shows the flag
        "500 A off"};
    EXPECT_EQ(traceFrom(trace, "change A"), expected);
    EXPECT_EQ(w.field(A).text, u"01000001");
    EXPECT_EQ(w.field(B).text, u"A");
    EXPECT_EQ(w.dispatch.vModeA(), Binario);
}

TEST(Dispatch, TypingIntoTextAfterStart) {
    MemoryWindow w;
    std::vector<std::string> trace;
    w.trace = &trace;
    w.focus(A);
    EXPECT_EQ(w.dispatch.nFocus(), FocusBox::txtCodeA);
    EXPECT_EQ(traceFrom(trace, "color A #14AAE6"),
              (std::vector<std::string>{"color A #14AAE6", "color B #14D2E6"}));

    trace.clear();
    ASSERT_TRUE(w.typeKey(A, u'H'));
    const std::vector<std::string> expected = {
        "change A", "color A #14AAE6", "text B", "change B", "500 B off", "caret B", "500 A off"};
    EXPECT_EQ(traceFrom(trace, "change A"), expected);
    EXPECT_EQ(w.field(B).text, u"01001000");
}

// ---------------------------------------------------------------------------------------------
// The blank filter of binary and hexadecimal sources.

TEST(Dispatch, BlanksOfABinarySourceAreRemoved) {
    MemoryWindow w;
    chooseModes(w, Binario, Texto);
    w.focus(A);
    ASSERT_TRUE(typeText(w, A, u"0100 1000"));  // Campo A takes the blank in Binario
    EXPECT_EQ(w.field(A).text, u"01001000");
    EXPECT_EQ(w.field(A).caret, 8u);
    EXPECT_EQ(w.field(B).text, u"H");
    EXPECT_EQ(w.field(A).back, kColorFocus);

    MemoryWindow v;  // Campo A in Texto, Campo B in Binario
    v.focus(B);
    ASSERT_TRUE(typeText(v, B, u"0100"));
    v.select(B, 2, 2);
    EXPECT_FALSE(v.typeKey(B, u' '));  // Campo B in Binario refuses the blank
    EXPECT_EQ(v.field(B).text, u"0100");
    EXPECT_EQ(v.field(B).caret, 2u);

    MemoryWindow p;
    p.focus(B);
    p.paste(B, u"0100 1001 01001000 ");  // a paste is not filtered by the keyboard
    EXPECT_EQ(p.field(B).text, u"0100100101001000");
    EXPECT_EQ(p.field(B).caret, 16u);
    EXPECT_EQ(p.field(A).text, u"IH");
}

TEST(Dispatch, FilterWritesTheSourceOnlyWhenItRemovedABlank) {
    MemoryWindow w;
    chooseModes(w, Binario, Texto);
    w.focus(A);
    ASSERT_TRUE(typeText(w, A, u"01001000"));
    std::vector<std::string> trace;
    w.trace = &trace;

    w.select(A, 0, 0);
    ASSERT_TRUE(w.typeKey(A, u'1'));
    auto run = traceFrom(trace, "change A");
    EXPECT_EQ(countEvents(run, "text A"), 0);
    EXPECT_EQ(w.field(A).caret, w.field(A).text.size());  // caret at the end after every edit

    trace.clear();
    ASSERT_TRUE(w.typeKey(A, u' '));
    run = traceFrom(trace, "change A");
    EXPECT_EQ(countEvents(run, "text A"), 1);    // the blank removed
    EXPECT_EQ(countEvents(run, "change A"), 2);  // which runs the handling once more, nested
    EXPECT_EQ(w.field(A).text, u"101001000");
    EXPECT_EQ(w.field(B).text, u"\u00A4");  // 10100100
    EXPECT_EQ(w.field(A).back, kColorError);
}

// ---------------------------------------------------------------------------------------------
// Decimal sources that become empty.

TEST(Dispatch, EmptiedDecimalSourceLeavesTheTargetUnlessItIsDecimal) {
    struct Case {
        Mode target;
        std::u16string afterSix;
        std::u16string afterEmpty;
    };
    const Case cases[] = {{Texto, u"\u0006", u"\u0006"},
                          {Binario, u"00000110", u"00000110"},
                          {Hexadecimal, u"6", u"6"},
                          {Decimal, u"6", u""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(modeName(c.target));
        MemoryWindow w;
        chooseModes(w, Decimal, c.target);
        w.focus(A);
        ASSERT_TRUE(typeText(w, A, u"65"));
        ASSERT_TRUE(w.typeKey(A, 8));
        EXPECT_EQ(readable(w.field(B).text), readable(c.afterSix));
        ASSERT_TRUE(w.typeKey(A, 8));
        EXPECT_EQ(w.field(A).text, u"");
        EXPECT_EQ(readable(w.field(B).text), readable(c.afterEmpty));
    }
}

// ---------------------------------------------------------------------------------------------
// Mode buttons and focus.

TEST(Dispatch, ModeClickConvertsTheLastEditedFieldOrOnlyStoresTheMode) {
    MemoryWindow w;
    w.focus(A);
    w.paste(A, u"A");
    ASSERT_EQ(w.field(B).text, u"01000001");
    chooseMode(w, B, Hexadecimal);  // "Hx" of Campo B
    EXPECT_EQ(w.field(B).text, u"41");
    EXPECT_EQ(w.marks, (std::array<bool, 8>{true, false, false, false, false, false, true, false}));

    w.dispatch.setNFocus(FocusBox::txtC);  // a box of the character panel took the focus
    chooseMode(w, B, Decimal);
    EXPECT_EQ(w.dispatch.vModeB(), Decimal);
    EXPECT_EQ(w.field(B).text, u"41");

    w.focus(B);  // Campo B is now the source: a click on Campo A's buttons converts B into A
    chooseMode(w, A, Binario);
    EXPECT_EQ(w.field(A).text, u"00101001");  // Campo B's "41" read as a decimal code
}

TEST(Dispatch, MousePressMovesTheMarkOnly) {
    MemoryWindow w;
    std::vector<std::string> trace;
    w.trace = &trace;
    w.dispatch.cmdOpt_MouseDown(6);
    EXPECT_EQ(trace, (std::vector<std::string>{"mark 4 off", "mark 5 off", "mark 6 off",
                                               "mark 7 off", "mark 6 on"}));
    EXPECT_EQ(w.dispatch.vModeB(), Binario);  // no click: the mode stays
    w.dispatch.cmdOpt_MouseDown(0);           // the button already marked
    EXPECT_EQ(w.marks, (std::array<bool, 8>{true, false, false, false, false, false, true, false}));

    w.dispatch.cmdOpt_Click(8);  // no such button: no mode changes
    EXPECT_EQ(w.dispatch.vModeA(), Texto);
    EXPECT_EQ(w.dispatch.vModeB(), Binario);
}

TEST(Dispatch, GainingTheFocusRecoloursBothFieldsAndConvertsNothing) {
    MemoryWindow w;
    chooseModes(w, Binario, Texto);
    w.focus(A);
    w.paste(A, u"0100");
    ASSERT_EQ(w.field(A).back, kColorError);
    const std::u16string target = w.field(B).text;

    w.focus(B);
    EXPECT_EQ(w.dispatch.nFocus(), FocusBox::txtCodeB);
    EXPECT_EQ(w.field(A).back, kColorIdle);
    EXPECT_EQ(w.field(B).back, kColorFocus);
    w.focus(A);
    EXPECT_EQ(w.dispatch.nFocus(), FocusBox::txtCodeA);
    EXPECT_EQ(w.field(A).back, kColorFocus);  // whatever its content
    EXPECT_EQ(w.field(B).back, kColorIdle);
    EXPECT_EQ(w.field(B).text, target);
}

TEST(Dispatch, KeyboardFilterOfEachFieldAndMode) {
    struct Case {
        Mode mode;
        int key;
        bool campoA;
        bool campoB;
    };
    const Case cases[] = {{Binario, '0', true, true},       {Binario, '1', true, true},
                          {Binario, ' ', true, false},      {Binario, 8, true, true},
                          {Binario, '2', false, false},     {Binario, 13, false, false},
                          {Binario, 'a', false, false},     {Hexadecimal, '0', true, true},
                          {Hexadecimal, '9', true, true},   {Hexadecimal, 'A', true, true},
                          {Hexadecimal, 'F', true, true},   {Hexadecimal, 'a', true, true},
                          {Hexadecimal, 'f', true, true},   {Hexadecimal, 'G', false, false},
                          {Hexadecimal, 'g', false, false}, {Hexadecimal, ' ', false, false},
                          {Hexadecimal, '@', false, false}, {Hexadecimal, '`', false, false},
                          {Hexadecimal, 8, true, true},     {Hexadecimal, 13, false, false},
                          {Decimal, '6', true, true},       {Decimal, '5', true, true},
                          {Decimal, ' ', true, true},       {Decimal, ',', false, false},
                          {Decimal, '-', false, false},     {Decimal, '.', false, false},
                          {Decimal, 'e', false, false},     {Decimal, 8, true, true},
                          {Decimal, 13, false, false},      {Texto, 13, true, true},
                          {Texto, ' ', true, true},         {Texto, 'G', true, true},
                          {Texto, 9, true, true},           {Texto, 8, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(modeName(c.mode)) + " key " + std::to_string(c.key));
        MemoryWindow w;
        w.dispatch.setMode(A, c.mode);
        w.dispatch.setMode(B, c.mode);
        EXPECT_EQ(w.dispatch.codeFieldAccepts(A, c.key), c.campoA);
        EXPECT_EQ(w.dispatch.codeFieldAccepts(B, c.key), c.campoB);
    }
}

// ---------------------------------------------------------------------------------------------
// The procedures called on their own.

// A mode click converts from the field nFocus names into the other one; with a box of the
// character panel named, nothing is written.
TEST(Procedures, ResultGoesToTheFieldThatIsNotTheSource) {
    for (int focus = 0; focus <= 4; ++focus) {
        SCOPED_TRACE(focus);
        MemoryWindow w;
        w.dispatch.setMode(A, Texto);
        w.dispatch.setMode(B, Texto);
        w.field(A).text = u"Hola";
        w.field(B).text = u"Hola";
        w.dispatch.setNFocus(static_cast<FocusBox>(focus));
        // Decimal for the field that is not the source (Campo B while no code field is).
        w.dispatch.cmdOpt_Click(modeButton(focus == 4 ? A : B, Decimal));
        EXPECT_EQ(w.field(A).text, focus == 4 ? u"72 111 108 97" : u"Hola");
        EXPECT_EQ(w.field(B).text, focus == 3 ? u"72 111 108 97" : u"Hola");
        if (focus == 3 || focus == 4) {
            EXPECT_EQ(w.field(otherField(focus == 3 ? A : B)).caret, 13u);
        }
    }
}

TEST(Procedures, BinaryAndHexadecimalChecks) {
    MemoryWindow w;
    std::vector<std::string> trace;
    w.trace = &trace;
    w.dispatch.setNFocus(FocusBox::txtCodeA);
    auto& d = w.dispatch;

    d.eReBin(u"0100100A");  // a bad character alone paints nothing
    EXPECT_TRUE(d.vBinBad());
    EXPECT_FALSE(d.vBinPartial());
    d.eReBin(u"01001000");
    EXPECT_FALSE(d.vBinBad());
    EXPECT_FALSE(d.vBinPartial());
    d.eReBin(u"");
    EXPECT_FALSE(d.vBinBad() || d.vBinPartial());
    EXPECT_TRUE(trace.empty());

    d.eReBin(u"0100100");  // an incomplete byte paints the source
    EXPECT_FALSE(d.vBinBad());
    EXPECT_TRUE(d.vBinPartial());
    EXPECT_EQ(trace, std::vector<std::string>{"color A #FA6464"});

    d.eReHex(u"4G");  // the hexadecimal check leaves the length flag alone
    EXPECT_TRUE(d.vBinBad());
    EXPECT_TRUE(d.vBinPartial());
    d.eReHex(u"4a6F");
    EXPECT_FALSE(d.vBinBad());
    EXPECT_TRUE(d.vBinPartial());
    d.eReHex(u"");
    EXPECT_FALSE(d.vBinBad());

    trace.clear();
    d.setNFocus(
        FocusBox::txtA);  // no code field is the source: the flags are set, nothing is written
    d.eReBin(u"0100100");
    EXPECT_TRUE(d.vBinPartial());
    d.eFiltro(u"0100 100");
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(w.field(A).text, u"");
}

}  // namespace
