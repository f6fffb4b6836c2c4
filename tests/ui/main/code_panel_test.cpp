// SPDX-License-Identifier: MIT
// The code panel on screen: typing, pasting, mode buttons, focus colours, flags.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include "main_window_fixture.h"
#include "named_conversions.h"

namespace trelvane {
namespace {

class CodePanelTest : public MainWindowTest {
  protected:
    // The code panel in view, as after a click on the strip of the field.
    void bringCodePanel(CodeEdit* field) {
        QTest::mouseClick(field->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 40));
        runSlide();
        ASSERT_TRUE(w().vMoved);
        ASSERT_EQ(QApplication::focusWidget(), field);
    }
    // A click on a mode button of the design: press, then release over it.
    void clickMode(int index) { clickButton(w().cmdOpt[index]); }
    void typeInto(CodeEdit* field, const QString& keys) { QTest::keyClicks(field, keys); }
    void paste(CodeEdit* field, const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(CodePanelTest, TheTypicalRequestFromStart) {
    // Clicking the strip of Campo A gives it the focus and starts the slide.
    QTest::mouseClick(w().txtCodeA->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 40));
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeA);
    EXPECT_EQ(backOf(w().txtCodeA), 0x14AAE6u);
    EXPECT_EQ(backOf(w().txtCodeB), 0x14D2E6u);
    EXPECT_TRUE(w().tmrRebote1->isActive());
    EXPECT_TRUE(w().bClicked);

    runSlide();
    EXPECT_FLOAT_EQ(w().moveLeft(), -5280);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA);

    QTest::keyClicks(w().txtCodeA, QStringLiteral("H"));
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("H"));
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("01001000"));
    EXPECT_EQ(w().txtCodeB->caretPosition(), 8);
    EXPECT_FALSE(w().txtCodeB->hasSelection());
    EXPECT_EQ(backOf(w().txtCodeA), 0x14AAE6u);
    EXPECT_TRUE(w().frme500[0]->isHidden());
    EXPECT_TRUE(w().frme500[1]->isHidden());
    savePicture(*window, QStringLiteral("main-code-panel-typed"));
}

// The keyboard filter of each field in each mode.
struct FilterCase {
    bool campoB;
    int mode;
    Qt::Key key;
    QChar typed;
    bool accepted;
};

class KeyboardFilter : public CodePanelTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(KeyboardFilter, AcceptsOnlyTheModesAlphabet) {
    const FilterCase& c = GetParam();
    CodeEdit* field = c.campoB ? w().txtCodeB : w().txtCodeA;
    bringCodePanel(field);
    clickMode((c.campoB ? 4 : 0) + c.mode);
    ASSERT_EQ(w().dispatch.mode(c.campoB ? CodeField::B : CodeField::A), c.mode);
    QSignalSpy changes(field, &CodeEdit::changed);
    QTest::keyClick(field, c.key, Qt::NoModifier);
    EXPECT_EQ(changes.count() > 0, c.accepted);
    if (c.accepted && c.typed != QLatin1Char(' ')) {
        EXPECT_EQ(field->text(), QString(c.typed));
    }
    if (!c.accepted) {
        EXPECT_EQ(field->text(), QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    ModesAndFields, KeyboardFilter,
    ::testing::Values(FilterCase{false, Texto, Qt::Key_X, u'x', true},
                      FilterCase{false, Texto, Qt::Key_Comma, u',', true},
                      FilterCase{false, Texto, Qt::Key_Return, u'\n', true},
                      FilterCase{true, Texto, Qt::Key_Return, u'\n', true},
                      FilterCase{false, Binario, Qt::Key_0, u'0', true},
                      FilterCase{false, Binario, Qt::Key_1, u'1', true},
                      FilterCase{false, Binario, Qt::Key_Space, u' ', true},
                      FilterCase{false, Binario, Qt::Key_2, u'2', false},
                      FilterCase{false, Binario, Qt::Key_Return, u'\n', false},
                      FilterCase{true, Binario, Qt::Key_1, u'1', true},
                      FilterCase{true, Binario, Qt::Key_Space, u' ', false},
                      FilterCase{true, Binario, Qt::Key_A, u'a', false},
                      FilterCase{false, Hexadecimal, Qt::Key_9, u'9', true},
                      FilterCase{false, Hexadecimal, Qt::Key_A, u'a', true},
                      FilterCase{true, Hexadecimal, Qt::Key_F, u'f', true},
                      FilterCase{false, Hexadecimal, Qt::Key_G, u'g', false},
                      FilterCase{true, Hexadecimal, Qt::Key_Space, u' ', false},
                      FilterCase{false, Hexadecimal, Qt::Key_Return, u'\n', false},
                      FilterCase{false, Decimal, Qt::Key_6, u'6', true},
                      FilterCase{true, Decimal, Qt::Key_Space, u' ', true},
                      FilterCase{false, Decimal, Qt::Key_Comma, u',', false},
                      FilterCase{true, Decimal, Qt::Key_Minus, u'-', false},
                      FilterCase{true, Decimal, Qt::Key_Return, u'\n', false}));

TEST_F(CodePanelTest, UpperCaseHexadecimalLettersAreAcceptedUnchanged) {
    bringCodePanel(w().txtCodeA);
    clickMode(2);
    typeInto(w().txtCodeA, QStringLiteral("Ff"));
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("Ff"));
}

TEST_F(CodePanelTest, BackspaceIsAcceptedInEveryMode) {
    bringCodePanel(w().txtCodeB);
    const QString keys[] = {QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("a"),
                            QStringLiteral("7")};
    for (int mode = 0; mode < 4; ++mode) {
        clickMode(4 + mode);
        typeInto(w().txtCodeB, keys[mode]);
        ASSERT_EQ(w().txtCodeB->text(), keys[mode]) << mode;
        QTest::keyClick(w().txtCodeB, Qt::Key_Backspace);
        EXPECT_EQ(w().txtCodeB->text(), QString()) << mode;
    }
}

TEST_F(CodePanelTest, ABlankTypedInCampoAInBinarioIsRemovedAndTheCaretGoesToTheEnd) {
    bringCodePanel(w().txtCodeA);
    clickMode(1);
    clickMode(4);
    typeInto(w().txtCodeA, QStringLiteral("0100"));
    w().txtCodeA->setCaretPosition(0);
    QTest::keyClick(w().txtCodeA, Qt::Key_Right);
    QTest::keyClick(w().txtCodeA, Qt::Key_Space);
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("0100"));
    EXPECT_EQ(w().txtCodeA->caretPosition(), 4);
    typeInto(w().txtCodeA, QStringLiteral("0001"));
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("A"));
}

TEST_F(CodePanelTest, FocusColoursFollowTheFieldInUse) {
    bringCodePanel(w().txtCodeA);
    QTest::keyClick(w().txtCodeA, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeB);
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeB);
    EXPECT_EQ(backOf(w().txtCodeA), 0x14D2E6u);
    EXPECT_EQ(backOf(w().txtCodeB), 0x14AAE6u);
    QTest::keyClick(w().txtCodeB, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA) << "Tab cycles between the code fields";
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeA);
}

TEST_F(CodePanelTest, TheErrorColourGivesWayWhenAFieldGainsTheFocus) {
    bringCodePanel(w().txtCodeA);
    clickMode(1);
    typeInto(w().txtCodeA, QStringLiteral("0100000"));
    EXPECT_EQ(backOf(w().txtCodeA), 0xFA6464u) << "seven digits are an incomplete byte";
    typeInto(w().txtCodeA, QStringLiteral("1"));
    EXPECT_EQ(backOf(w().txtCodeA), 0x14AAE6u);
    typeInto(w().txtCodeA, QStringLiteral("1"));
    ASSERT_EQ(backOf(w().txtCodeA), 0xFA6464u);
    w().txtCodeB->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(backOf(w().txtCodeA), 0x14D2E6u);
    w().txtCodeA->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(backOf(w().txtCodeA), 0x14AAE6u);
}

TEST_F(CodePanelTest, AModeClickConvertsTheLastEditedFieldAgain) {
    bringCodePanel(w().txtCodeA);
    typeInto(w().txtCodeA, QStringLiteral("A"));
    ASSERT_EQ(w().txtCodeB->text(), QStringLiteral("01000001"));
    clickMode(6);  // "Hx" of Campo B
    EXPECT_EQ(w().dispatch.vModeB(), Hexadecimal);
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("41"));
    EXPECT_TRUE(w().shpOpt[6]->isFilled());
    EXPECT_FALSE(w().shpOpt[5]->isFilled());
    // Campo B edited last: a mode click converts from it.
    w().txtCodeB->setFocus(Qt::TabFocusReason);
    clickMode(3);  // "Dc" of Campo A
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("65"));
}

TEST_F(CodePanelTest, AModeClickWhileTheCharacterPanelHadTheFocusOnlyChangesTheMode) {
    bringCodePanel(w().txtCodeA);
    typeInto(w().txtCodeA, QStringLiteral("A"));
    w().txtA->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(w().dispatch.nFocus(), FocusBox::txtA);
    clickMode(6);
    EXPECT_EQ(w().dispatch.vModeB(), Hexadecimal);
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("01000001"));
}

TEST_F(CodePanelTest, TheMarkMovesOnThePressAndTheModeOnTheClick) {
    bringCodePanel(w().txtCodeA);
    typeInto(w().txtCodeA, QStringLiteral("A"));
    QTest::mousePress(w().cmdOpt[6], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(w().shpOpt[6]->isFilled());
    EXPECT_FALSE(w().shpOpt[5]->isFilled());
    EXPECT_EQ(w().dispatch.vModeB(), Binario) << "no mode change before the click";
    // Released outside the button: no click, the mode stays.
    QTest::mouseRelease(w().cmdOpt[6], Qt::LeftButton, Qt::NoModifier, QPoint(-20, 5));
    EXPECT_EQ(w().dispatch.vModeB(), Binario);
    EXPECT_TRUE(w().shpOpt[6]->isFilled());
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("01000001"));
    EXPECT_TRUE(w().shpOpt[0]->isFilled()) << "Campo A's mark is untouched";
}

TEST_F(CodePanelTest, ChoosingBinarioForATextIsUndoneAtOnce) {
    bringCodePanel(w().txtCodeA);
    typeInto(w().txtCodeA, QStringLiteral("hola"));
    clickMode(1);
    EXPECT_EQ(w().dispatch.vModeA(), Texto);
    EXPECT_TRUE(w().shpOpt[0]->isFilled());
    EXPECT_FALSE(w().shpOpt[1]->isFilled());
}

TEST_F(CodePanelTest, APastedTextForeignToTheModeSwitchesTheFieldToTexto) {
    bringCodePanel(w().txtCodeB);
    clickMode(7);  // Campo B in Decimal
    clickMode(2);  // Campo A in Hexadecimal
    w().txtCodeB->setFocus(Qt::TabFocusReason);
    paste(w().txtCodeB, QStringLiteral("65a"));
    EXPECT_EQ(w().dispatch.vModeB(), Texto);
    EXPECT_TRUE(w().shpOpt[4]->isFilled());
    for (int i = 5; i < 8; ++i) {
        EXPECT_FALSE(w().shpOpt[i]->isFilled()) << i;
    }
    EXPECT_EQ(w().dispatch.vModeA(), Hexadecimal);
    EXPECT_TRUE(w().shpOpt[2]->isFilled());
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("363561"));
}

TEST_F(CodePanelTest, ChainedConversions) {
    bringCodePanel(w().txtCodeA);
    clickMode(3);  // Campo A Decimal
    clickMode(4);  // Campo B Texto
    typeInto(w().txtCodeA, QStringLiteral("65 66"));
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("AB"));
    clickMode(6);  // Campo B Hexadecimal
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("4142"));
    // Deleting the last digit of a decimal source leaves the target as it was.
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(w().txtCodeA, Qt::Key_Backspace);
    }
    ASSERT_EQ(w().txtCodeA->text(), QStringLiteral("6"));
    ASSERT_EQ(w().txtCodeB->text(), QStringLiteral("6"));
    QTest::keyClick(w().txtCodeA, Qt::Key_Backspace);
    EXPECT_EQ(w().txtCodeA->text(), QString());
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("6"));
    // With a Decimal target the empty text is copied.
    clickMode(7);
    EXPECT_EQ(w().txtCodeB->text(), QString());
}

TEST_F(CodePanelTest, APastedTabSwitchesABinarioSourceToTexto) {
    bringCodePanel(w().txtCodeB);
    clickMode(0);  // Campo A Texto
    typeInto(w().txtCodeB, QStringLiteral("01000001"));
    ASSERT_EQ(w().txtCodeA->text(), QStringLiteral("A"));
    paste(w().txtCodeB, QStringLiteral("\t"));
    EXPECT_EQ(w().dispatch.vModeB(), Texto);
    EXPECT_TRUE(w().shpOpt[4]->isFilled());
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("01000001\t")) << "converted as text";
    EXPECT_EQ(backOf(w().txtCodeB), 0x14AAE6u);
}

TEST_F(CodePanelTest, TheFlag500OfCampoA) {
    bringCodePanel(w().txtCodeA);
    paste(w().txtCodeA, QString(499, QLatin1Char('a')));
    EXPECT_TRUE(w().frme500[0]->isHidden());
    typeInto(w().txtCodeA, QStringLiteral("b"));
    EXPECT_EQ(w().txtCodeA->text().size(), 500);
    EXPECT_FALSE(w().frme500[0]->isHidden());
    savePicture(*window, QStringLiteral("main-code-panel-500"));
    typeInto(w().txtCodeA, QStringLiteral("c"));
    EXPECT_EQ(w().txtCodeA->text().size(), 500) << "Campo A takes 500 characters from the user";
    QTest::keyClick(w().txtCodeA, Qt::Key_Backspace);
    EXPECT_TRUE(w().frme500[0]->isHidden());
}

TEST_F(CodePanelTest, TheFlag500OfATargetField) {
    bringCodePanel(w().txtCodeA);
    clickMode(6);  // Campo B Hexadecimal: two digits for each character
    paste(w().txtCodeA, QString(250, QLatin1Char('A')));
    EXPECT_EQ(w().txtCodeB->text().size(), 500);
    EXPECT_FALSE(w().frme500[1]->isHidden());
    clickMode(5);  // Binario: no flag at any length
    EXPECT_EQ(w().txtCodeB->text().size(), 2000);
    EXPECT_TRUE(w().frme500[1]->isHidden());
}

TEST_F(CodePanelTest, AProgramWriteOfMoreThan500CharactersIntoCampoAIsKeptWhole) {
    bringCodePanel(w().txtCodeB);
    clickMode(4);  // Campo B Texto
    clickMode(1);  // Campo A Binario
    const QString text(100, QLatin1Char('x'));
    paste(w().txtCodeB, text);
    EXPECT_EQ(w().txtCodeA->text().size(), 800);
    EXPECT_EQ(w().txtCodeA->text(), QString::fromStdU16String(textToBinary(text.toStdU16String())));
}

TEST_F(CodePanelTest, ATextWithCarriageReturnsAndAZeroCharacterSurvivesTheRoundTrip) {
    bringCodePanel(w().txtCodeA);
    const QString text =
        QStringLiteral("uno\r\ndos\rtres") + QChar(u'\0') + QStringLiteral("\tfin");
    paste(w().txtCodeA, text);
    ASSERT_EQ(w().txtCodeA->text(), text);
    const QString binary = QString::fromStdU16String(textToBinary(text.toStdU16String()));
    EXPECT_EQ(w().txtCodeB->text(), binary);
    // Back from Campo B: its binary, converted again, rewrites Campo A with the same text.
    QSignalSpy changesOfA(w().txtCodeA, &CodeEdit::changed);
    w().txtCodeB->setFocus(Qt::TabFocusReason);
    clickMode(5);
    EXPECT_EQ(w().txtCodeA->text(), text);
    EXPECT_EQ(changesOfA.count(), 0) << "an identical text is not written again";
}

TEST_F(CodePanelTest, TextoToTextoCopiesEveryCharacter) {
    bringCodePanel(w().txtCodeA);
    clickMode(4);
    const QString text = QStringLiteral("a\rb") + QChar(u'\0') + QStringLiteral("\u00a0c\n");
    paste(w().txtCodeA, text);
    EXPECT_EQ(w().txtCodeB->text(), text);
    w().txtCodeA->moveCaretToEnd();
    typeInto(w().txtCodeA, QStringLiteral("!"));
    EXPECT_EQ(w().txtCodeB->text(), text + QStringLiteral("!"));
}

TEST_F(CodePanelTest, EnterInTextoIsALineFeed) {
    bringCodePanel(w().txtCodeA);
    typeInto(w().txtCodeA, QStringLiteral("a"));
    QTest::keyClick(w().txtCodeA, Qt::Key_Return);
    EXPECT_EQ(w().txtCodeA->text(), QStringLiteral("a\n"));
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("0110000100001010"));
}

TEST_F(CodePanelTest, AClickWithTheCodePanelInViewOnlyMovesTheFocus) {
    bringCodePanel(w().txtCodeA);
    QTest::mouseClick(w().txtCodeB->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeB);
    EXPECT_FALSE(w().tmrRebote1->isActive());
    EXPECT_FALSE(w().bClicked);
}

}  // namespace
}  // namespace trelvane
