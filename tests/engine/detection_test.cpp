// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "memory_window.h"
#include "test_support.h"

// A source whose text does not fit its mode is switched to Texto before anything else happens.
namespace {

using namespace trelvane;
using namespace trelvane::testkit;

using Marks = std::array<bool, 8>;

Marks marksOf(Mode modeA, Mode modeB) {
    Marks marks{};
    marks[modeButton(A, modeA)] = true;
    marks[modeButton(B, modeB)] = true;
    return marks;
}

TEST(Detection, ForeignCharactersSwitchTheSourceToTexto) {
    struct Case {
        Mode mode;
        std::u16string input;
        bool switches;
        std::u16string target;  // Campo B, in Texto
    };
    const Case cases[] = {
        {Binario, u"0100 0001", false, u"A"},  // the blank fits; the filter removes it later
        {Binario, u"0100000A", true, u"0100000A"},
        {Binario, u"0100\r\n0001", true, u"0100\r\n0001"},
        {Binario, u"01000001€", true, u"01000001€"},
        {Binario, u"01000001\t", true, u"01000001\t"},
        {Hexadecimal, u"4a6f", false, u"Jo"},
        {Hexadecimal, u"41 42", true, u"41 42"},  // the blank is foreign to hexadecimal
        {Hexadecimal, u"41\n42", true, u"41\n42"},
        {Hexadecimal, u"41-", true, u"41-"},
        {Decimal, u"65 66", false, u"AB"},
        {Decimal, u"65,66", true, u"65,66"},
        {Decimal, u"65\t66", true, u"65\t66"},
        {Decimal, u"\uFF165", true, u"\uFF165"},  // a full-width digit is no digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(modeName(c.mode)) + " " + readable(c.input));
        MemoryWindow w;
        chooseModes(w, c.mode, Texto);
        w.focus(A);
        w.paste(A, c.input);

        const Mode after = c.switches ? Texto : c.mode;
        EXPECT_EQ(w.dispatch.vModeA(), after);
        EXPECT_EQ(w.dispatch.vModeB(), Texto);
        EXPECT_EQ(w.marks, marksOf(after, Texto));
        EXPECT_EQ(readable(w.field(B).text), readable(c.target));
        EXPECT_EQ(w.field(A).back, kColorFocus);  // converted as text: no error colour
        if (c.switches) {
            EXPECT_EQ(w.field(A).text, c.input);  // a text source is not filtered
        }
    }
}

TEST(Detection, SwitchingCampoBLeavesCampoAAlone) {
    for (const std::u16string input : {u"65a", u"6a5b,\n"}) {
        SCOPED_TRACE(readable(input));
        MemoryWindow w;
        chooseModes(w, Hexadecimal, Decimal);
        w.focus(B);
        std::vector<std::string> trace;
        w.trace = &trace;
        w.paste(B, input);

        EXPECT_EQ(w.dispatch.vModeB(), Texto);
        EXPECT_EQ(w.dispatch.vModeA(), Hexadecimal);
        EXPECT_EQ(w.marks, marksOf(Hexadecimal, Texto));
        // One switch, whatever the number of foreign characters: fill the Texto mark, then
        // unfill the other three in order.
        const std::vector<std::string> marks = {"mark 4 on", "mark 5 off", "mark 6 off",
                                                "mark 7 off"};
        EXPECT_EQ(eventsStartingWith(trace, "mark "), marks);
        EXPECT_EQ(traceFrom(trace, "change B").at(1), "mark 4 on");  // before anything else
    }
    MemoryWindow w;
    chooseModes(w, Hexadecimal, Decimal);
    w.focus(B);
    w.paste(B, u"65a");
    EXPECT_EQ(w.field(A).text, u"363561");  // "65a" converted as text
}

TEST(Detection, ModeClickOnAFieldWhoseTextDoesNotFitIsUndone) {
    MemoryWindow w;
    w.focus(A);
    w.paste(A, u"hola");
    std::vector<std::string> trace;
    w.trace = &trace;
    chooseMode(w, A, Binario);  // "01" of Campo A

    EXPECT_EQ(w.dispatch.vModeA(), Texto);
    EXPECT_EQ(w.marks, marksOf(Texto, Binario));
    const std::vector<std::string> expected = {
        "mark 0 off", "mark 1 off", "mark 2 off", "mark 3 off", "mark 1 on",  // the press
        "mark 0 on",  "mark 1 off", "mark 2 off", "mark 3 off",               // the detection
    };
    EXPECT_EQ(eventsStartingWith(trace, "mark "), expected);
    EXPECT_EQ(w.field(B).text, u"01101000011011110110110001100001");
}

TEST(Detection, LooksOnlyAtTheFieldNamedByTheFocus) {
    struct Case {
        int nFocus;
        Mode modeA;
        Mode modeB;
        std::u16string text;
        Mode afterA;
        Mode afterB;
    };
    const Case cases[] = {{3, Binario, Decimal, u"x", Texto, Decimal},
                          {4, Binario, Decimal, u"x", Binario, Texto},
                          {0, Binario, Decimal, u"x", Binario, Decimal},
                          {2, Binario, Decimal, u"x", Binario, Decimal},
                          {3, Binario, Decimal, u"", Binario, Decimal},
                          {3, Texto, Decimal, u"x", Texto, Decimal},
                          {4, Binario, Decimal, u"1 2", Binario, Decimal}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.nFocus) + " " + readable(c.text));
        MemoryWindow w;
        w.dispatch.setNFocus(static_cast<FocusBox>(c.nFocus));
        w.dispatch.setMode(A, c.modeA);
        w.dispatch.setMode(B, c.modeB);
        std::vector<std::string> trace;
        w.trace = &trace;
        w.dispatch.eAuto(c.text);
        EXPECT_EQ(w.dispatch.vModeA(), c.afterA);
        EXPECT_EQ(w.dispatch.vModeB(), c.afterB);
        for (const auto& event : trace) {  // no text, colour or caret changes
            EXPECT_EQ(event.rfind("mark ", 0), 0u) << event;
        }
        const bool switched = c.afterA != c.modeA || c.afterB != c.modeB;
        EXPECT_EQ(trace.size(), switched ? 4u : 0u);
    }
}

}  // namespace
