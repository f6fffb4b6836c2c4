// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "character_panel.h"
#include "codepage.h"
#include "memory_window.h"

// The character panel's procedures driven the way the user drives the panel: focus a box,
// type into it or paste over its whole text, wait for the decimal box's tick.
namespace {

using namespace trelvane;
using namespace std::literals;

constexpr Color F = kColorFocus;
constexpr Color I = kColorIdle;
constexpr Color E = kColorError;

constexpr FocusBox C = FocusBox::txtC;
constexpr FocusBox A = FocusBox::txtA;
constexpr FocusBox B = FocusBox::txtB;

// One action of the user: focus a box, type keys at the end of its text ("\b" is Backspace),
// paste over its whole text, or let tmrWait tick.
struct Step {
    enum Kind { Focus, Type, Paste, Tick } kind;
    FocusBox box = C;
    std::u16string_view text = {};
};
Step focus(FocusBox box) {
    return {Step::Focus, box};
}
Step type(FocusBox box, std::u16string_view keys) {
    return {Step::Type, box, keys};
}
Step paste(FocusBox box, std::u16string_view text) {
    return {Step::Paste, box, text};
}
constexpr Step kTick{Step::Tick};

// The panel held in memory, raising change handling the way the real window does: a different
// text written into a box runs that box's handling before the write returns. The code panel's
// window lends its dispatch, which keeps nFocus and the colours.
class PanelWindow : public CharacterWindow {
  public:
    MemoryWindow code;
    CharacterPanel panel{*this, code.dispatch};

    // As the window opens: the character A in the three boxes, the character box in use.
    std::array<std::u16string, 3> text{u"A", u"65", u"01000001"};  // txtC, txtA, txtB
    std::u16string caption = u"A";
    std::array<Color, 3> back{F, I, I};  // lblC, txtA, txtB
    bool pending = false;                // tmrWait enabled
    int timerStarts = 0;                 // times a full second started

    std::u16string boxText(FocusBox box) const override { return text[index(box)]; }
    void setBoxText(FocusBox box, std::u16string_view to) override {
        if (text[index(box)] != to) {
            text[index(box)] = to;
            (panel.*kChange[index(box)])();
        }
    }
    void setCharacterCaption(std::u16string_view to) override { caption = to; }
    void setBoxBackColor(FocusBox box, Color color) override { back[index(box)] = color; }
    void setWaitTimerEnabled(bool enabled) override {
        timerStarts += enabled && !pending ? 1 : 0;
        pending = enabled;
    }

    void run(const Step& step) {
        switch (step.kind) {
            case Step::Focus:
                (panel.*kGotFocus[index(step.box)])();
                break;
            case Step::Type:
                for (const char16_t c : step.text) {
                    typeKey(step.box, codeOf(c));
                }
                break;
            case Step::Paste:
                setBoxText(step.box, step.text);
                break;
            case Step::Tick:
                if (pending) {
                    panel.tmrWait_Timer();
                }
                break;
        }
    }

  private:
    using Handler = void (CharacterPanel::*)();
    static constexpr Handler kChange[] = {
        &CharacterPanel::txtC_Change, &CharacterPanel::txtA_Change, &CharacterPanel::txtB_Change};
    static constexpr Handler kGotFocus[] = {&CharacterPanel::txtC_GotFocus,
                                            &CharacterPanel::txtA_GotFocus,
                                            &CharacterPanel::txtB_GotFocus};
    static std::size_t index(FocusBox box) { return static_cast<std::size_t>(box); }

    void typeKey(FocusBox box, int key) {
        if (box == C) {
            panel.txtC_KeyPress(key);
        } else if (box == B) {
            panel.txtB_KeyPress(key);
        }
        std::u16string edited = text[index(box)];
        if (key == 8 && !edited.empty()) {
            edited.pop_back();
        } else if (key != 0 && key != 8) {
            edited += charOf(static_cast<std::uint8_t>(key));
        }
        setBoxText(box, edited);
    }
};

struct PanelCase {
    const char* name;
    std::vector<Step> steps;
    // What the panel shows then: the character box's text, lblC, txtA, txtB, the backgrounds
    // of lblC, txtA and txtB; whether a decimal conversion waits for the tick, and how many
    // times a full second started (each in-range decimal change starts it anew).
    std::u16string_view txtC, lblC, txtA, txtB;
    Color backC, backA, backB;
    bool pending;
    int timerStarts;
};

// clang-format off
const PanelCase kCases[] = {
    // The character box: every key is its character; the others follow, no colour changes,
    // and the rewritten boxes do not convert back.
    {"typed a", {type(C, u"a")}, u"a", u"a", u"97", u"01100001", F, I, I, false, 0},
    {"enye", {type(C, u"ñ")}, u"ñ", u"ñ", u"241", u"11110001", F, I, I, false, 0},
    {"euro", {type(C, u"€")}, u"€", u"€", u"128", u"10000000", F, I, I, false, 0},
    {"last of three", {type(C, u"xyz")}, u"z", u"z", u"122", u"01111010", F, I, I, false, 0},
    {"backspace", {type(C, u"\b")}, u"\b", u"\b", u"8", u"00001000", F, I, I, false, 0},
    {"escape", {type(C, u"\x1b")}, u"\x1b", u"\x1b", u"27", u"00011011", F, I, I, false, 0},
    {"emptied character box", {type(C, u"q"), paste(C, u"")},
     u"", u"q", u"113", u"01110001", F, I, I, false, 0},
    // The binary box: converts at once, fewer digits count as zeros in front.
    {"one digit", {focus(B), paste(B, u""), type(B, u"1")},
     u"A", u"\x01", u"1", u"1", I, I, F, false, 0},
    {"digits emptied", {focus(B), paste(B, u"")}, u"A", u"\0"sv, u"0", u"", I, I, F, false, 0},
    {"only 0 1 and backspace", {focus(B), paste(B, u""), type(B, u"1201a1-\b")},
     u"A", u"\x05", u"5", u"101", I, I, F, false, 0},
    {"pasted 2 counts 2", {focus(B), paste(B, u"00000002")},
     u"A", u"\x02", u"2", u"00000002", I, I, F, false, 0},
    {"pasted a counts 0", {focus(B), paste(B, u"0000000a")},
     u"A", u"\0"sv, u"0", u"0000000a", I, I, F, false, 0},
    {"sum over 255", {focus(B), paste(B, u"01000011"), paste(B, u"99999999")},
     u"A", u"C", u"67", u"99999999", I, I, E, false, 0},
    {"valid after an error", {focus(B), paste(B, u"99999999"), paste(B, u"1")},
     u"A", u"\x01", u"1", u"1", I, I, F, false, 0},
    // The decimal box: checked at once, converted on the tick after the last valid change.
    {"300", {focus(A), paste(A, u"300")}, u"A", u"A", u"300", u"01000001", I, E, I, false, 0},
    {"-1", {focus(A), paste(A, u"-1")}, u"A", u"A", u"-1", u"01000001", I, E, I, false, 0},
    {"before the tick", {focus(A), paste(A, u"6"), type(A, u"6")},
     u"A", u"A", u"66", u"01000001", I, F, I, true, 2},
    {"on the tick", {focus(A), paste(A, u"6"), type(A, u"6"), kTick},
     u"A", u"B", u"66", u"01000010", I, F, I, false, 2},
    {"256 fails and stays pending",
     {focus(A), paste(A, u"2"), type(A, u"5"), kTick, type(A, u"5\b6"), kTick, kTick},
     u"A", u"\x19", u"256", u"00011001", I, E, I, true, 4},
    {"back in range",
     {focus(A), paste(A, u"25"), kTick, type(A, u"6"), kTick, type(A, u"\b0"), kTick},
     u"A", u"ú", u"250", u"11111010", I, F, I, false, 3},
    {"fraction", {focus(A), paste(A, u"65.7"), kTick},
     u"A", u"B", u"65.7", u"01000001", I, F, I, false, 1},
    {"half to even", {focus(A), paste(A, u"7.5"), kTick},
     u"A", u"\b", u"7.5", u"00000111", I, F, I, false, 1},
    {"empty reads 0", {focus(A), paste(A, u""), kTick},
     u"A", u"\0"sv, u"", u"00000000", I, F, I, false, 1},
    {"abc reads 0", {focus(A), paste(A, u"abc"), kTick},
     u"A", u"\0"sv, u"abc", u"00000000", I, F, I, false, 1},
    {"tick converts on from the bits",
     {focus(B), paste(B, u"0"), focus(A), paste(A, u"65.7"), focus(B), kTick},
     u"A", u"A", u"65", u"01000001", I, I, F, false, 1},
    // Focus: the box in use takes the focus colour, whatever it holds.
    {"focus decimal", {focus(A)}, u"A", u"A", u"65", u"01000001", I, F, I, false, 0},
    {"red decimal goes idle", {focus(A), paste(A, u"999"), focus(B)},
     u"A", u"A", u"999", u"01000001", I, I, F, false, 0},
    {"red decimal focused again", {focus(A), paste(A, u"999"), focus(B), focus(A)},
     u"A", u"A", u"999", u"01000001", I, F, I, false, 0},
    {"back to the character", {focus(B), focus(C)},
     u"A", u"A", u"65", u"01000001", F, I, I, false, 0},
};
// clang-format on

TEST(CharacterPanel, Rules) {
    for (const PanelCase& c : kCases) {
        SCOPED_TRACE(c.name);
        PanelWindow w;
        const auto codeBacks = std::array{w.code.fields[0].back, w.code.fields[1].back};
        FocusBox focused = C;
        for (const Step& step : c.steps) {
            w.run(step);
            focused = step.kind == Step::Focus ? step.box : focused;
        }
        EXPECT_EQ(w.text,
                  (std::array<std::u16string, 3>{std::u16string(c.txtC), std::u16string(c.txtA),
                                                 std::u16string(c.txtB)}));
        EXPECT_EQ(w.caption, c.lblC);
        EXPECT_EQ(w.back, (std::array{c.backC, c.backA, c.backB}));
        EXPECT_EQ(w.pending, c.pending);
        EXPECT_EQ(w.timerStarts, c.timerStarts);
        EXPECT_EQ(w.code.dispatch.nFocus(), focused);
        EXPECT_EQ((std::array{w.code.fields[0].back, w.code.fields[1].back}), codeBacks)
            << "the code fields keep their colours";
    }
}

// Every code from each box, against the standard library's decimal and binary forms; every key
// through the binary box's filter.
TEST(CharacterPanel, EveryCodeFromEachBox) {
    PanelWindow w;
    for (int code = 0; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const std::u16string character(1, charOf(static_cast<std::uint8_t>(code)));
        const std::string decimal = std::to_string(code);
        const std::string bits = std::bitset<8>(static_cast<unsigned>(code)).to_string();
        const std::u16string decimal16(decimal.begin(), decimal.end());
        const std::u16string bits16(bits.begin(), bits.end());

        w.run(focus(C));
        w.run(type(C, character));
        EXPECT_EQ(w.caption, character);
        EXPECT_EQ(w.text[1], decimal16);
        EXPECT_EQ(w.text[2], bits16);

        w.run(focus(B));
        w.run(paste(B, u""));
        w.run(type(B, bits16));
        EXPECT_EQ(w.caption, character);
        EXPECT_EQ(w.text[1], decimal16);

        w.run(focus(A));
        w.run(paste(A, u""));
        w.run(type(A, decimal16));
        w.run(paste(B, u""));  // converts nothing: the decimal box has the focus
        w.run(kTick);
        EXPECT_EQ(w.caption, character);
        EXPECT_EQ(w.text[2], bits16);

        int key = code;
        w.panel.txtB_KeyPress(key);
        EXPECT_EQ(key, code == '0' || code == '1' || code == 8 ? code : 0);
    }
}

}  // namespace
