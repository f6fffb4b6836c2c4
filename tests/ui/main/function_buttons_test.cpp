// SPDX-License-Identifier: MIT
// The function buttons: pressed look, grouping view, About box.
#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "main_window_fixture.h"

namespace trelvane {
namespace {

class FunctionButtonsTest : public MainWindowTest {
  protected:
    // The code panel in view with Campo A focused and in Binario.
    void SetUp() override {
        MainWindowTest::SetUp();
        slideOver();
        ASSERT_EQ(QApplication::focusWidget(), w().txtCodeA);
        clickButton(w().cmdOpt[1]);
    }
    void typeIntoA(const QString& keys) { QTest::keyClicks(w().txtCodeA, keys); }
    void pasteIntoA(const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(w().txtCodeA, Qt::Key_V, Qt::ControlModifier);
    }
    // A box of the program over the window, with its text and the name a screen reader says.
    void expectBox(const SeenBox& seen, QStringView text, QStringView name) {
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.title, QStringLiteral("Trelvane"));
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.owner, window.get());
        EXPECT_EQ(seen.accessibleName, name);
        EXPECT_EQ(seen.okAccessibleName, QStringLiteral("Aceptar"));
    }
    void expectClosedLook() {
        EXPECT_EQ(w().cmdFn[3]->text(), QStringLiteral("..."));
        EXPECT_EQ(backOf(w().cmdFn[3]), 0xF5F5F5u);
        EXPECT_EQ(w().cmdFn[3]->toolTip(), QStringLiteral(" Separar en grupos "));
    }
};

TEST_F(FunctionButtonsTest, PressingShowsTheShapeFilledUntilTheRelease) {
    for (int i = 0; i < 4; ++i) {
        QTest::mousePress(w().cmdFn[i], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_TRUE(w().shpFn[i]->isFilled()) << i;
        // Released outside: the look comes back and no action runs.
        QTest::mouseRelease(w().cmdFn[i], Qt::LeftButton, Qt::NoModifier, QPoint(5, -30));
        EXPECT_FALSE(w().shpFn[i]->isFilled()) << i;
    }
    EXPECT_FALSE(w().tmrRebote1->isActive());
    EXPECT_TRUE(w().txtCodeC->isHidden());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A label-button of the main window: a function button or a mode button, by index.
struct Button {
    const char* name;
    bool function;
    int index;
};

void PrintTo(const Button& b, std::ostream* out) {
    *out << b.name;
}

class DoubleClickTest : public FunctionButtonsTest, public ::testing::WithParamInterface<Button> {};

// Qt delivers a double click as press, release, double-click, release: the second press comes
// as the double-click event.
TEST_P(DoubleClickTest, ActsAsOneClick) {
    typeIntoA(QStringLiteral("0100000101000010"));  // bytes for "..." to group
    const Button& b = GetParam();
    LabelButton* button = b.function ? w().cmdFn[b.index] : w().cmdOpt[b.index];
    MaskShape* shape = b.function ? w().shpFn[b.index] : w().shpOpt[b.index];
    QSignalSpy downs(button, &LabelButton::mouseDown);
    QSignalSpy clicks(button, &LabelButton::clicked);
    const QPoint centre = button->rect().center();

    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, centre);
    const bool lookAfterTheClick = shape->isFilled();
    QTest::mouseDClick(button, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(downs.count(), 1) << "no MouseDown for the second press";
    EXPECT_EQ(shape->isFilled(), lookAfterTheClick) << "no pressed look";
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(shape->isFilled(), lookAfterTheClick);
    if (b.function && b.index == 3) {
        EXPECT_FALSE(w().txtCodeC->isHidden()) << "the grouping view stays open";
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, DoubleClickTest,
                         ::testing::Values(Button{"Mover", true, 0}, Button{"Separar", true, 3},
                                           Button{"AbA", false, 0}, Button{"BinA", false, 1},
                                           Button{"HxA", false, 2}, Button{"DcA", false, 3},
                                           Button{"AbB", false, 4}, Button{"BinB", false, 5},
                                           Button{"HxB", false, 6}, Button{"DcB", false, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FunctionButtonsTest, PictureOfAPressedButton) {
    QTest::mousePress(w().cmdFn[1], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    const QImage pressed = window->grab().toImage();
    savePicture(*window, QStringLiteral("main-function-button-pressed"));
    // The fill and the border of the shape over the light ground; its neighbours unpressed.
    EXPECT_EQ(shownAt(pressed, w().cmdFn[1]), 0xE0E0E0u);
    EXPECT_EQ(shownAt(pressed, w().cmdFn[1], QPoint(0, 0)), 0xC0C0C0u);
    EXPECT_EQ(shownAt(pressed, w().cmdFn[2]), 0xF5F5F5u);
    EXPECT_EQ(shownAt(pressed, w().cmdFn[0]), 0xE6E6E6u);
    QTest::mouseRelease(w().cmdFn[1], Qt::LeftButton, Qt::NoModifier, QPoint(5, -30));
    EXPECT_EQ(shownAt(window->grab().toImage(), w().cmdFn[1]), 0xF5F5F5u);
}

TEST_F(FunctionButtonsTest, GroupingShowsTheBytesAndTheButtonTurnsIntoClose) {
    typeIntoA(QStringLiteral("0100000101000010"));
    clickButton(w().cmdFn[3]);
    EXPECT_FALSE(w().txtCodeC->isHidden());
    EXPECT_EQ(w().txtCodeC->text(), QStringLiteral("01000001 01000010"));
    EXPECT_EQ(w().cmdFn[3]->text(), QStringLiteral("x"));
    EXPECT_EQ(backOf(w().cmdFn[3]), 0xE04343u);
    EXPECT_EQ(w().cmdFn[3]->toolTip(), QStringLiteral(" Cerrar "));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeC);
    EXPECT_EQ(w().txtCodeC->caretPosition(), 17);
    EXPECT_FALSE(w().txtCodeC->hasSelection());
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeA) << "the view has no focus handling";
    savePicture(*window, QStringLiteral("grouping-view"));

    clickButton(w().cmdFn[3]);
    EXPECT_TRUE(w().txtCodeC->isHidden());
    expectClosedLook();
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA);
    EXPECT_EQ(w().txtCodeA->caretPosition(), 16);
    EXPECT_EQ(w().txtCodeC->text(), QStringLiteral("01000001 01000010")) << "kept while hidden";
}

// While the view covers the code fields and the mode buttons, no key, click or Tab lands on
// them: typing would change Campo A and Campo B unseen.
TEST_F(FunctionButtonsTest, NothingTheViewCoversTakesTheFocusOrAKey) {
    typeIntoA(QStringLiteral("0100000101000010"));
    QTest::keyClick(w().txtCodeA, Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !w().txtCodeC->isHidden(); }, 2000));
    const QString campoA = w().txtCodeA->text();
    const QString campoB = w().txtCodeB->text();
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    for (const Key& key :
         {Key{Qt::Key_Tab, Qt::NoModifier}, Key{Qt::Key_Backtab, Qt::ShiftModifier},
          Key{Qt::Key_1, Qt::AltModifier}, Key{Qt::Key_8, Qt::AltModifier},
          Key{Qt::Key_0, Qt::NoModifier}, Key{Qt::Key_V, Qt::ControlModifier}}) {
        QTest::keyClick(QApplication::focusWidget(), key.key, key.modifiers);
        QTest::qWait(150);  // a key's click comes after its pressed look
        EXPECT_EQ(QApplication::focusWidget(), w().txtCodeC)
            << QKeySequence(key.key).toString().toStdString();
    }
    EXPECT_EQ(w().txtCodeA->text(), campoA);
    EXPECT_EQ(w().txtCodeB->text(), campoB);
    EXPECT_TRUE(w().shpOpt[1]->isFilled() && w().shpOpt[5]->isFilled()) << "no mode changed";
    for (QWidget* covered :
         {static_cast<QWidget*>(w().txtCodeA), static_cast<QWidget*>(w().txtCodeB)}) {
        EXPECT_EQ(covered->focusPolicy(), Qt::NoFocus);
    }

    // Back from the character panel the focus lands on the view again; closed, on the source.
    slideOver();
    slideOver();
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeC);
    QTest::keyClick(w().txtCodeC, Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().txtCodeC->isHidden(); }, 2000));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA);
    QTest::keyClick(w().txtCodeA, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeB);
}

TEST_F(FunctionButtonsTest, TheViewIsASnapshot) {
    typeIntoA(QStringLiteral("0100000101000010"));
    clickButton(w().cmdFn[3]);
    w().txtCodeA->setFocus(Qt::TabFocusReason);
    w().txtCodeA->moveCaretToEnd();
    typeIntoA(QStringLiteral("01000011"));
    EXPECT_EQ(w().txtCodeC->text(), QStringLiteral("01000001 01000010"));
    clickButton(w().cmdFn[3]);
    clickButton(w().cmdFn[3]);
    EXPECT_EQ(w().txtCodeC->text(), QStringLiteral("01000001 01000010 01000011"));
}

TEST_F(FunctionButtonsTest, GroupingFromCampoBAndAnIncompleteLastGroup) {
    w().txtCodeB->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(w().txtCodeB, QStringLiteral("01000001010000101"));
    clickButton(w().cmdFn[3]);
    EXPECT_EQ(w().txtCodeC->text(), QStringLiteral("01000001 01000010 1"));
    clickButton(w().cmdFn[3]);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeB);
    EXPECT_EQ(w().txtCodeB->caretPosition(), 17);
}

struct Rejected {
    const char* name;
    const char16_t* text;
};

class GroupingRejected : public FunctionButtonsTest,
                         public ::testing::WithParamInterface<Rejected> {};

TEST_P(GroupingRejected, ShowsTheMessageAndChangesNothing) {
    clickButton(w().cmdOpt[0]);  // Texto: any text may stand in Campo A
    pasteIntoA(QString::fromUtf16(GetParam().text));
    SeenBox seen;
    closeNextBox(window.get(), seen);
    clickButton(w().cmdFn[3]);
    expectBox(seen, u"Seleccione por lo menos 2 bytes de código binario.", u"Aviso");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_TRUE(w().txtCodeC->isHidden());
    expectClosedLook();
}

INSTANTIATE_TEST_SUITE_P(Texts, GroupingRejected,
                         ::testing::Values(Rejected{"fifteen digits", u"010000010100001"},
                                           Rejected{"a blank", u"01000001 1000010"},
                                           Rejected{"a two", u"0100000101000012"},
                                           Rejected{"a line break", u"01000001\n1000010"},
                                           Rejected{"empty", u""}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(FunctionButtonsTest, WithTheCharacterPanelFocusedLastEveryRequestIsRejected) {
    typeIntoA(QStringLiteral("0100000101000010"));
    w().txtB->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(w().dispatch.nFocus(), FocusBox::txtB);
    SeenBox seen;
    closeNextBox(window.get(), seen);
    clickButton(w().cmdFn[3]);
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(w().txtCodeC->isHidden());
}

TEST_F(FunctionButtonsTest, AnOpenViewStaysOpenWhileTheCharacterPanelIsInView) {
    typeIntoA(QStringLiteral("0100000101000010"));
    clickButton(w().cmdFn[3]);
    slideOver();
    EXPECT_TRUE(w().cmdFn[3]->isHidden());
    EXPECT_FALSE(w().txtCodeC->isHidden());
    slideOver();
    EXPECT_EQ(w().cmdFn[3]->text(), QStringLiteral("x"));
    EXPECT_FALSE(w().txtCodeC->isHidden());
}

TEST_F(FunctionButtonsTest, TheListButtonOpensTheCodeTableAndBringsItForwardAgain) {
    clickButton(w().cmdFn[1]);
    ASSERT_NE(w().frmScroll, nullptr);
    QPointer<FrmScroll> table = w().frmScroll;
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->parentWidget(), nullptr) << "shown without an owner window";
    EXPECT_EQ(table->windowTitle(), QStringLiteral("Lista de código ASCII"));
    for (int tick = 0; tick < 5; ++tick) {
        w().table().tmrOpen_Timer();
    }
    const QString rows = w().table().txtA->text();
    table->showMinimized();
    clickButton(w().cmdFn[1]);
    EXPECT_EQ(w().frmScroll, table) << "the same window, not a new one";
    EXPECT_EQ(w().table().txtA->text(), rows) << "not loaded again";
    EXPECT_FALSE(table->isMinimized());
    EXPECT_TRUE(table->isVisible());

    table->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(w().frmScroll, nullptr);
    clickButton(w().cmdFn[1]);
    ASSERT_NE(w().frmScroll, nullptr);
    EXPECT_EQ(w().table().txtA->text(), QString()) << "a new window fills from empty";
}

TEST_F(FunctionButtonsTest, TheTableUsesTheFontOfTheMainWindow) {
    w().sFont = QStringLiteral("DejaVu Sans");
    clickButton(w().cmdFn[1]);
    ASSERT_NE(w().frmScroll, nullptr);
    EXPECT_EQ(w().table().txtA->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(w().table().txtFont->text(), QStringLiteral("DejaVu Sans"));
}

TEST_F(FunctionButtonsTest, ClosingTheMainWindowClosesTheTable) {
    clickButton(w().cmdFn[1]);
    QPointer<FrmScroll> table = w().frmScroll;
    ASSERT_NE(table, nullptr);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(table, nullptr);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FunctionButtonsTest, TheTableGoesWithTheMainWindow) {
    clickButton(w().cmdFn[1]);
    QPointer<FrmScroll> table = w().frmScroll;
    ASSERT_NE(table, nullptr);
    window.reset();
    EXPECT_EQ(table, nullptr) << "the program ends with the main window";
}

TEST_F(FunctionButtonsTest, TheAboutBox) {
    SeenBox seen;
    closeNextBox(window.get(), seen);
    clickButton(w().cmdFn[2]);
    expectBox(seen, u"Moravin\nTrelvane: Versión 3.1.6", u"Acerca de Trelvane");
    EXPECT_TRUE(seen.hasPixmap) << "the program icon";
    EXPECT_EQ(window->focusWidget(), w().txtCodeA) << "nothing else changes";
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeA);
}

}  // namespace
}  // namespace trelvane
