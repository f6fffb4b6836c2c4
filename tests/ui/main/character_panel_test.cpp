// SPDX-License-Identifier: MIT
// The character panel: character, decimal and binary kept in step.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <vector>

#include "codepage.h"
#include "main_window_fixture.h"
#include "visible_text.h"

namespace trelvane {
namespace {

class CharacterPanelTest : public MainWindowTest {
  protected:
    // Replaces a box's text the way the user does: select everything, type.
    void retype(EntryBox* box, const QString& keys) {
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, keys);
    }
    static QString shown(int code) {
        return toVisible(QString(QChar(charOf(static_cast<std::uint8_t>(code)))), false);
    }
};

// A character typed as text, or a key pressed (typed is null).
struct TypedCharacter {
    const char* name;
    const char16_t* typed;
    const char* decimal;
    const char* binary;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

void PrintTo(const TypedCharacter& c, std::ostream* out) {
    *out << c.name;
}

class CharacterToCode : public CharacterPanelTest,
                        public ::testing::WithParamInterface<TypedCharacter> {};

TEST_P(CharacterToCode, ShowsTheCharacterItsCodeAndItsBits) {
    const TypedCharacter& c = GetParam();
    ASSERT_EQ(QApplication::focusWidget(), w().txtC);
    if (c.typed != nullptr) {
        typeText(w().txtC, QString::fromUtf16(c.typed));
    } else {
        QTest::keyClick(w().txtC, c.key, c.modifiers);
    }
    const int code = QString::fromLatin1(c.decimal).toInt();
    EXPECT_EQ(w().txtC->text(), QString(QChar(charOf(static_cast<std::uint8_t>(code)))));
    EXPECT_EQ(w().lblC->text(), shown(code));
    EXPECT_EQ(w().txtA->text(), QString::fromLatin1(c.decimal));
    EXPECT_EQ(w().txtB->text(), QString::fromLatin1(c.binary));
    // No colour changes, and the rewritten boxes do not convert back.
    EXPECT_EQ(backOf(w().lblC), 0x14AAE6u);
    EXPECT_EQ(backOf(w().txtA), 0x14D2E6u);
    EXPECT_EQ(backOf(w().txtB), 0x14D2E6u);
    EXPECT_FALSE(w().tmrWait->isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CharacterToCode,
    ::testing::Values(
        TypedCharacter{"a", u"a", "97", "01100001"},
        TypedCharacter{"enye", u"\u00f1", "241", "11110001"},
        TypedCharacter{"euro", u"\u20ac", "128", "10000000"},
        TypedCharacter{"blank", u" ", "32", "00100000"},
        TypedCharacter{"last_of_three", u"xyz", "122", "01111010"},
        TypedCharacter{"undefined_81", u"\u0081", "129", "10000001"},
        TypedCharacter{"undefined_9d", u"\u009d", "157", "10011101"},
        // Control keys, clipboard keys included: the box shows no text of its own.
        // Backspace and Enter are characters too.
        TypedCharacter{"backspace", nullptr, "8", "00001000", Qt::Key_Backspace},
        TypedCharacter{"enter", nullptr, "13", "00001101", Qt::Key_Return},
        TypedCharacter{"escape", nullptr, "27", "00011011", Qt::Key_Escape},
        TypedCharacter{"ctrl_a", nullptr, "1", "00000001", Qt::Key_A, Qt::ControlModifier},
        TypedCharacter{"ctrl_c", nullptr, "3", "00000011", Qt::Key_C, Qt::ControlModifier},
        TypedCharacter{"ctrl_v", nullptr, "22", "00010110", Qt::Key_V, Qt::ControlModifier},
        TypedCharacter{"ctrl_shift_z", nullptr, "26", "00011010", Qt::Key_Z,
                       Qt::ControlModifier | Qt::ShiftModifier}),
    [](const auto& info) { return std::string(info.param.name); });

// The five codes Windows-1252 leaves undefined have no glyph; each shows as its own code.
TEST_F(CharacterPanelTest, UndefinedCodesShowAsTheirCodes) {
    std::vector<QImage> faces;
    for (const char16_t c : {u'\u0081', u'\u008d', u'\u008f', u'\u0090', u'\u009d'}) {
        typeText(w().txtC, QString(QChar(c)));
        ASSERT_EQ(w().lblC->text(), QString(QChar(c)));
        faces.push_back(w().lblC->grab().toImage());
    }
    for (std::size_t i = 0; i < faces.size(); ++i) {
        for (std::size_t j = i + 1; j < faces.size(); ++j) {
            EXPECT_NE(faces[i], faces[j]) << i << " and " << j << " look alike";
        }
    }
}

TEST_F(CharacterPanelTest, ACharacterComposedWithADeadKeyReachesTheCharacterBox) {
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(w().txtC, &composed);
    EXPECT_EQ(w().lblC->text(), QStringLiteral("\u00e9"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("233"));
}

TEST_F(CharacterPanelTest, AnEmptiedCharacterBoxLeavesThePanelAsItWas) {
    QTest::keyClicks(w().txtC, QStringLiteral("q"));
    w().txtC->selectAll();
    QTest::keyClick(w().txtC, Qt::Key_Delete);
    ASSERT_EQ(w().txtC->text(), QString());
    EXPECT_EQ(w().lblC->text(), QStringLiteral("q"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("113"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("01110001"));
    QTest::keyClicks(w().txtC, QStringLiteral("r"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("114"));
}

TEST_F(CharacterPanelTest, BinaryDigitsConvertAtOnce) {
    retype(w().txtB, QStringLiteral("1"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("1")) << "the box keeps its text as typed";
    EXPECT_EQ(w().txtA->text(), QStringLiteral("1"));
    EXPECT_EQ(w().lblC->text(), shown(1));
    EXPECT_EQ(backOf(w().txtB), 0x14AAE6u);
    EXPECT_EQ(w().txtC->text(), QStringLiteral("A")) << "the character box is not rewritten";
    QTest::keyClick(w().txtB, Qt::Key_Backspace);
    EXPECT_EQ(w().txtA->text(), QStringLiteral("0"));
    EXPECT_EQ(w().lblC->text(), shown(0));
    QTest::keyClicks(w().txtB, QStringLiteral("01000010"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("66"));
    EXPECT_EQ(w().lblC->text(), QStringLiteral("B"));
    EXPECT_FALSE(w().tmrWait->isActive()) << "the rewritten decimal box does not convert";
}

TEST_F(CharacterPanelTest, TheBinaryBoxTakesOnlyZeroOneAndBackspace) {
    retype(w().txtB, QStringLiteral("1201a1-"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("1011"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("11"));
}

TEST_F(CharacterPanelTest, PastedDigitsCountWithTheirOwnValue) {
    w().txtB->setFocus(Qt::TabFocusReason);
    for (const auto& [pasted, value] : {std::pair{"00000002", "2"}, std::pair{"0000000a", "0"}}) {
        w().txtB->selectAll();
        QApplication::clipboard()->setText(QString::fromLatin1(pasted));
        QTest::keyClick(w().txtB, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w().txtA->text(), QString::fromLatin1(value)) << pasted;
    }
}

TEST_F(CharacterPanelTest, PastedDigitsAddingUpToMoreThan255AreAnError) {
    retype(w().txtB, QStringLiteral("01000011"));
    ASSERT_EQ(w().lblC->text(), QStringLiteral("C"));
    w().txtB->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("99999999"));
    QTest::keyClick(w().txtB, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w().txtB->text(), QStringLiteral("99999999"));
    EXPECT_EQ(backOf(w().txtB), 0xFA6464u);
    EXPECT_EQ(w().txtA->text(), QStringLiteral("67"));
    EXPECT_EQ(w().lblC->text(), QStringLiteral("C"));
    // The next valid change takes the focus colour again.
    w().txtB->selectAll();
    QTest::keyClicks(w().txtB, QStringLiteral("1"));
    EXPECT_EQ(backOf(w().txtB), 0x14AAE6u);
    EXPECT_EQ(w().txtA->text(), QStringLiteral("1"));
}

TEST_F(CharacterPanelTest, OutOfRangeDecimalsTurnRedAndChangeNothingElse) {
    for (const QString& text : {QStringLiteral("300"), QStringLiteral("-1")}) {
        retype(w().txtA, text);
        EXPECT_EQ(backOf(w().txtA), 0xFA6464u) << text.toStdString();
        EXPECT_EQ(w().lblC->text(), QStringLiteral("A"));
        EXPECT_EQ(w().txtB->text(), QStringLiteral("01000001"));
    }
}

TEST_F(CharacterPanelTest, ADecimalCodeConvertsOnTheTickAfterTheLastValidChange) {
    retype(w().txtA, QStringLiteral("6"));
    EXPECT_TRUE(w().tmrWait->isActive());
    EXPECT_EQ(backOf(w().txtA), 0x14AAE6u);
    QTest::keyClicks(w().txtA, QStringLiteral("6"));
    EXPECT_EQ(w().lblC->text(), QStringLiteral("A")) << "nothing converts before the tick";
    w().tmrWait_Timer();
    EXPECT_EQ(w().lblC->text(), QStringLiteral("B"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("01000010"));
    EXPECT_FALSE(w().tmrWait->isActive());
    EXPECT_EQ(w().txtA->text(), QStringLiteral("66")) << "the tick never writes the decimal box";
}

TEST_F(CharacterPanelTest, EachValidChangeRestartsTheFullSecond) {
    retype(w().txtA, QStringLiteral("6"));
    QTest::qWait(600);
    QTest::keyClicks(w().txtA, QStringLiteral("5"));
    EXPECT_GT(w().tmrWait->remainingTime(), 900);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w().tmrWait->isActive(); }, 3000));
    EXPECT_EQ(w().lblC->text(), QStringLiteral("A"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("01000001"));
}

TEST_F(CharacterPanelTest, A256TickFailsAndKeepsTheTimerPending) {
    retype(w().txtA, QStringLiteral("2"));
    QTest::keyClicks(w().txtA, QStringLiteral("5"));
    w().tmrWait_Timer();  // 25
    ASSERT_EQ(w().txtB->text(), QStringLiteral("00011001"));
    QTest::keyClicks(w().txtA, QStringLiteral("5"));  // 255 arms the timer
    QTest::keyClick(w().txtA, Qt::Key_Backspace);
    QTest::keyClicks(w().txtA, QStringLiteral("6"));  // 256 is out of range
    EXPECT_EQ(backOf(w().txtA), 0xFA6464u);
    EXPECT_TRUE(w().tmrWait->isActive()) << "armed by 25, untouched by 256";
    for (int tick = 0; tick < 3; ++tick) {
        w().tmrWait_Timer();
        EXPECT_TRUE(w().tmrWait->isActive());
        EXPECT_EQ(w().lblC->text(), shown(25));
        EXPECT_EQ(w().txtB->text(), QStringLiteral("00011001"));
    }
    QTest::keyClick(w().txtA, Qt::Key_Backspace);  // 25 again
    EXPECT_EQ(backOf(w().txtA), 0x14AAE6u);
    QTest::keyClicks(w().txtA, QStringLiteral("0"));  // 250
    w().tmrWait_Timer();
    EXPECT_FALSE(w().tmrWait->isActive());
    EXPECT_EQ(w().txtB->text(), QStringLiteral("11111010"));
}

TEST_F(CharacterPanelTest, AFractionRoundsForTheCharacterAndIsCutForTheBits) {
    w().txtA->setFocus(Qt::TabFocusReason);
    w().txtA->setText(QStringLiteral("65.7"));
    ASSERT_TRUE(w().tmrWait->isActive());
    w().tmrWait_Timer();
    EXPECT_EQ(w().lblC->text(), QStringLiteral("B"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("01000001"));
}

TEST_F(CharacterPanelTest, HalvesRoundToTheEvenNeighbour) {
    retype(w().txtA, QStringLiteral("6.5"));
    w().tmrWait_Timer();
    EXPECT_EQ(w().lblC->text(), shown(6));
    retype(w().txtA, QStringLiteral("7.5"));
    w().tmrWait_Timer();
    EXPECT_EQ(w().lblC->text(), shown(8));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("00000111"));
}

TEST_F(CharacterPanelTest, AnEmptyOrWordyDecimalBoxReadsZero) {
    for (const QString& text : {QString(), QStringLiteral("abc")}) {
        retype(w().txtA, text);
        EXPECT_EQ(backOf(w().txtA), 0x14AAE6u);
        w().tmrWait_Timer();
        EXPECT_EQ(w().lblC->text(), shown(0));
        EXPECT_EQ(w().txtB->text(), QStringLiteral("00000000"));
    }
}

TEST_F(CharacterPanelTest, WithTheBinaryBoxFocusedTheTickConvertsOnFromTheBits) {
    retype(w().txtB, QStringLiteral("0"));
    w().txtA->setFocus(Qt::TabFocusReason);
    w().txtA->setText(QStringLiteral("65.7"));
    w().txtB->setFocus(Qt::TabFocusReason);
    w().tmrWait_Timer();
    EXPECT_EQ(w().txtB->text(), QStringLiteral("01000001"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("65"));
    EXPECT_EQ(w().lblC->text(), QStringLiteral("A"));
}

struct FocusColours {
    int box;  // 0 txtC, 1 txtA, 2 txtB
    unsigned lblC, txtA, txtB;
};

class PanelFocus : public CharacterPanelTest, public ::testing::WithParamInterface<FocusColours> {};

TEST_P(PanelFocus, TheBoxInUseTakesTheFocusColour) {
    const FocusColours& c = GetParam();
    // Start from another box, so that the focus really arrives.
    QWidget* boxes[] = {w().txtC, w().txtA, w().txtB};
    boxes[(c.box + 1) % 3]->setFocus(Qt::TabFocusReason);
    boxes[c.box]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w().dispatch.nFocus(), static_cast<FocusBox>(c.box));
    EXPECT_EQ(backOf(w().lblC), c.lblC);
    EXPECT_EQ(backOf(w().txtA), c.txtA);
    EXPECT_EQ(backOf(w().txtB), c.txtB);
    EXPECT_EQ(backOf(w().txtCodeA), 0x14AAE6u) << "the code fields keep their colours";
    EXPECT_EQ(backOf(w().txtCodeB), 0x14D2E6u);
}

INSTANTIATE_TEST_SUITE_P(Boxes, PanelFocus,
                         ::testing::Values(FocusColours{0, 0x14AAE6, 0x14D2E6, 0x14D2E6},
                                           FocusColours{1, 0x14D2E6, 0x14AAE6, 0x14D2E6},
                                           FocusColours{2, 0x14D2E6, 0x14D2E6, 0x14AAE6}));

TEST_F(CharacterPanelTest, ARedDecimalBoxTakesTheIdleColourWhenAnotherBoxGainsTheFocus) {
    retype(w().txtA, QStringLiteral("999"));
    ASSERT_EQ(backOf(w().txtA), 0xFA6464u);
    QTest::keyClick(w().txtA, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtB);
    EXPECT_EQ(backOf(w().txtA), 0x14D2E6u);
    QTest::keyClick(w().txtB, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(backOf(w().txtA), 0x14AAE6u);
}

TEST_F(CharacterPanelTest, AClickOnTheCharacterFocusesTheCharacterBox) {
    w().txtA->setFocus(Qt::TabFocusReason);
    clickButton(w().lblC);
    EXPECT_EQ(QApplication::focusWidget(), w().txtC);
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtC);
    EXPECT_EQ(backOf(w().lblC), 0x14AAE6u);
    EXPECT_EQ(backOf(w().txtA), 0x14D2E6u);
}

TEST_F(CharacterPanelTest, PictureOfTheCharacterPanel) {
    typeText(w().txtC, QStringLiteral("\u00f1"));
    w().txtB->setFocus(Qt::TabFocusReason);
    const QImage binaryFocused = window->grab().toImage();
    savePicture(*window, QStringLiteral("character-panel"));
    EXPECT_EQ(shownAt(binaryFocused, w().lblC), 0x14D2E6u);
    EXPECT_EQ(shownAt(binaryFocused, w().txtA), 0x14D2E6u);
    EXPECT_EQ(shownAt(binaryFocused, w().txtB), 0x14AAE6u);

    retype(w().txtA, QStringLiteral("300"));
    const QImage error = window->grab().toImage();
    savePicture(*window, QStringLiteral("character-panel-error"));
    EXPECT_EQ(shownAt(error, w().txtA), 0xFA6464u);
    EXPECT_EQ(shownAt(error, w().txtB), 0x14D2E6u);
    EXPECT_EQ(shownAt(error, w().lblC), 0x14D2E6u);
}

}  // namespace
}  // namespace trelvane
