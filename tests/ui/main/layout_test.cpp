// SPDX-License-Identifier: MIT
// The window as it opens: controls, start values, colours, geometry, tab order.
#include <QApplication>
#include <QTest>

#include "main_window_fixture.h"
#include "twips.h"

namespace trelvane {
namespace {

TEST_F(MainWindowTest, WindowTitleSizeAndBackground) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trelvane"));
    EXPECT_EQ(window->size(), QSize(px(6255), px(3255)));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the user cannot resize it";
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(w().frmeMove->palette().color(QPalette::Window), QColor(0xF5, 0xF5, 0xF5));
}

TEST_F(MainWindowTest, StartValuesOfTheSharedState) {
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtC);
    EXPECT_EQ(w().dispatch.vModeA(), Texto);
    EXPECT_EQ(w().dispatch.vModeB(), Binario);
    EXPECT_EQ(w().dispatch.vColorFocus(), 0x14AAE6u);
    EXPECT_EQ(w().dispatch.vColorIdle(), 0x14D2E6u);
    EXPECT_EQ(w().dispatch.lColorError(), 0xFA6464u);
    EXPECT_FALSE(w().vMoved);
    EXPECT_FALSE(w().bClicked);
    EXPECT_EQ(w().vBounce, 0);
    EXPECT_EQ(w().sFont, QStringLiteral("Segoe UI"));
}

TEST_F(MainWindowTest, CharacterPanelOpensOnAAnd65And01000001) {
    EXPECT_EQ(w().lblC->text(), QStringLiteral("A"));
    EXPECT_EQ(w().txtC->text(), QStringLiteral("A"));
    EXPECT_EQ(w().txtA->text(), QStringLiteral("65"));
    EXPECT_EQ(w().txtB->text(), QStringLiteral("01000001"));
    EXPECT_EQ(backOf(w().lblC), 0x14AAE6u);
    EXPECT_EQ(backOf(w().txtA), 0x14D2E6u);
    EXPECT_EQ(backOf(w().txtB), 0x14D2E6u);
    EXPECT_EQ(backOf(w().txtC), 0x14AAE6u);
    EXPECT_EQ(w().txtCodeA->text(), QString());
    EXPECT_EQ(w().txtCodeB->text(), QString());
    EXPECT_EQ(backOf(w().txtCodeA), 0x14AAE6u);
    EXPECT_EQ(backOf(w().txtCodeB), 0x14D2E6u);
}

TEST_F(MainWindowTest, HiddenAtStart) {
    EXPECT_TRUE(w().cmdFn[3]->isHidden());
    EXPECT_TRUE(w().shpFn[3]->isHidden());
    EXPECT_TRUE(w().txtCodeC->isHidden());
    EXPECT_TRUE(w().frme500[0]->isHidden());
    EXPECT_TRUE(w().frme500[1]->isHidden());
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(w().cmdFn[i]->isHidden()) << i;
        EXPECT_FALSE(w().shpFn[i]->isHidden()) << i;
    }
}

TEST_F(MainWindowTest, ModeMarksOfTextoAndBinario) {
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w().shpOpt[i]->isFilled(), i == 0 || i == 5) << i;
    }
}

TEST_F(MainWindowTest, TimersWithTheirIntervalsAllStopped) {
    EXPECT_EQ(w().tmrWait->interval(), 1000);
    EXPECT_EQ(w().tmrRebote1->interval(), 10);
    EXPECT_EQ(w().tmrRebote2->interval(), 20);
    EXPECT_FALSE(w().tmrWait->isActive());
    EXPECT_FALSE(w().tmrRebote1->isActive());
    EXPECT_FALSE(w().tmrRebote2->isActive());
}

// Where a control lies: the window itself, frmeMove, or one of the frames of the 500 marks.
enum class In { Window, Move, Frame500A, Frame500B };

QWidget* containerOf(MainWindowProbe& f, In in) {
    QWidget* const containers[] = {&f.window, f.frmeMove, f.frme500[0], f.frme500[1]};
    return containers[static_cast<int>(in)];
}

using P = MainWindowProbe;

struct Placed {
    const char* name;
    QWidget* (*control)(MainWindowProbe&);
    In container;
    double left, top, width, height;
};

// clang-format off
const Placed kPlaced[] = {
    {"txtC", [](P& f) -> QWidget* { return f.txtC; }, In::Window, 11640, 120, 1695, 1095},
    {"frmeMove", [](P& f) -> QWidget* { return f.frmeMove; }, In::Window, 0, 120, 11535, 3015},
    {"lblC", [](P& f) -> QWidget* { return f.lblC; }, In::Move, 120, 0, 2175, 1455},
    {"txtA", [](P& f) -> QWidget* { return f.txtA; }, In::Move, 2400, 0, 3015, 1455},
    {"txtB", [](P& f) -> QWidget* { return f.txtB; }, In::Move, 120, 1560, 5295, 1455},
    {"cmdFn(0)", [](P& f) -> QWidget* { return f.cmdFn[0]; }, In::Move, 5520, 0, 495, 375},
    {"cmdFn(1)", [](P& f) -> QWidget* { return f.cmdFn[1]; }, In::Move, 5520, 360, 495, 375},
    {"cmdFn(2)", [](P& f) -> QWidget* { return f.cmdFn[2]; }, In::Move, 5520, 720, 495, 375},
    {"cmdFn(3)", [](P& f) -> QWidget* { return f.cmdFn[3]; }, In::Move, 5520, 1560, 495, 375},
    {"shpFn(3)", [](P& f) -> QWidget* { return f.shpFn[3]; }, In::Move, 5520, 1560, 495, 375},
    {"txtCodeA", [](P& f) -> QWidget* { return f.txtCodeA; }, In::Move, 6120, 0, 4695, 1455},
    {"txtCodeB", [](P& f) -> QWidget* { return f.txtCodeB; }, In::Move, 6120, 1560, 4695, 1455},
    {"txtCodeC", [](P& f) -> QWidget* { return f.txtCodeC; }, In::Move, 6120, 0, 5295, 3015},
    {"frme500(0)", [](P& f) -> QWidget* { return f.frme500[0]; }, In::Move, 6120, 1080, 495, 375},
    {"frme500(1)", [](P& f) -> QWidget* { return f.frme500[1]; }, In::Move, 6120, 2640, 495, 375},
    {"lbl500", [](P& f) -> QWidget* { return f.lbl500; }, In::Frame500A, 0, 0, 495, 375},
    {"Label1", [](P& f) -> QWidget* { return f.Label1; }, In::Frame500B, 0, 0, 495, 375},
    {"cmdOpt(0)", [](P& f) -> QWidget* { return f.cmdOpt[0]; }, In::Move, 10920, 0, 495, 375},
    {"cmdOpt(3)", [](P& f) -> QWidget* { return f.cmdOpt[3]; }, In::Move, 10920, 1080, 495, 375},
    {"cmdOpt(4)", [](P& f) -> QWidget* { return f.cmdOpt[4]; }, In::Move, 10920, 1560, 495, 375},
    {"cmdOpt(7)", [](P& f) -> QWidget* { return f.cmdOpt[7]; }, In::Move, 10920, 2640, 495, 375},
    {"shpOpt(6)", [](P& f) -> QWidget* { return f.shpOpt[6]; }, In::Move, 10920, 2280, 495, 375},
};
// clang-format on

TEST_F(MainWindowTest, GeometryInTwips) {
    for (const Placed& p : kPlaced) {
        QWidget* control = p.control(w());
        EXPECT_EQ(control->parentWidget(), containerOf(w(), p.container)) << p.name;
        EXPECT_EQ(control->geometry(), twipsRect(p.left, p.top, p.width, p.height)) << p.name;
    }
}

TEST_F(MainWindowTest, CaptionsAndToolTipsWithTheirBlanks) {
    const char* fnCaptions[] = {">", "@", "!", "..."};
    const char* fnTips[] = {" Mover ", " Lista ASCII ", " Acerca ", " Separar en grupos "};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w().cmdFn[i]->text(), QString::fromLatin1(fnCaptions[i]));
        EXPECT_EQ(w().cmdFn[i]->toolTip(), QString::fromLatin1(fnTips[i]));
    }
    const char* optCaptions[] = {"Ab", "01", "Hx", "Dc"};
    const char* optTips[] = {" Texto ", " Binario ", " Hexadecimal ", " Decimal "};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w().cmdOpt[i]->text(), QString::fromLatin1(optCaptions[i % 4]));
        EXPECT_EQ(w().cmdOpt[i]->toolTip(), QString::fromLatin1(optTips[i % 4]));
    }
    EXPECT_EQ(w().txtC->toolTip(), QStringLiteral(" CARACTER "));
    EXPECT_EQ(w().lblC->toolTip(), QStringLiteral(" Caracter "));
    EXPECT_EQ(w().txtA->toolTip(), QStringLiteral(" Valor ASCII/decimal "));
    EXPECT_EQ(w().txtB->toolTip(), QStringLiteral(" Valor binario "));
    EXPECT_EQ(w().txtCodeA->toolTip(), QStringLiteral(" Campo A "));
    EXPECT_EQ(w().txtCodeB->toolTip(), QStringLiteral(" Campo B "));
    EXPECT_EQ(w().txtCodeC->toolTip(), QStringLiteral(" Campo A "));
    EXPECT_EQ(w().lbl500->text(), QStringLiteral("500"));
    EXPECT_EQ(w().Label1->text(), QStringLiteral("500"));
    EXPECT_EQ(w().lbl500->toolTip(), QStringLiteral(" Texto "));
    EXPECT_EQ(w().Label1->toolTip(), QStringLiteral(" Texto "));
}

TEST_F(MainWindowTest, FontsAndLimits) {
    EXPECT_DOUBLE_EQ(w().lblC->font().pointSizeF(), 51.75);
    EXPECT_DOUBLE_EQ(w().txtA->font().pointSizeF(), 51.75);
    EXPECT_DOUBLE_EQ(w().txtB->font().pointSizeF(), 51.75);
    EXPECT_DOUBLE_EQ(w().txtC->font().pointSizeF(), 39.75);
    EXPECT_DOUBLE_EQ(w().txtCodeA->font().pointSizeF(), 12);
    EXPECT_DOUBLE_EQ(w().cmdOpt[0]->font().pointSizeF(), 12.75);
    EXPECT_EQ(w().txtA->font().family(), QStringLiteral("Segoe UI"));
    EXPECT_EQ(w().txtC->userMaxLength(), 1);
    EXPECT_EQ(w().txtA->userMaxLength(), 3);
    EXPECT_EQ(w().txtB->userMaxLength(), 8);
    EXPECT_EQ(w().txtCodeA->userMaxLength(), 500);
    EXPECT_EQ(w().txtCodeB->userMaxLength(), 0);
    EXPECT_TRUE(w().txtCodeC->isReadOnly());
}

TEST_F(MainWindowTest, TheCharacterBoxLiesOutsideTheWindowYetHasTheFocus) {
    EXPECT_GE(w().txtC->geometry().left(), window->width());
    EXPECT_EQ(QApplication::focusWidget(), w().txtC);
    QTest::keyClicks(w().txtC, QStringLiteral("z"));
    EXPECT_EQ(w().lblC->text(), QStringLiteral("z"));
}

TEST_F(MainWindowTest, TabCyclesThroughTheCharacterPanel) {
    QList<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, (QList<QWidget*>{w().txtA, w().txtB, w().txtC, w().txtA}));
}

TEST_F(MainWindowTest, TheCodeFieldsShowAsAStripAtTheRightEdge) {
    const QPoint stripA = w().txtCodeA->mapTo(window.get(), QPoint(0, 0));
    EXPECT_EQ(window->width() - stripA.x(), px(135));
}

TEST_F(MainWindowTest, PicturesOfBothPanels) {
    // The character panel, and the strips of both code fields at the right edge.
    const QImage characterPanel = window->grab().toImage();
    savePicture(*window, QStringLiteral("main-character-panel"));
    EXPECT_EQ(shownAt(characterPanel, w().lblC), 0x14AAE6u);
    EXPECT_EQ(shownAt(characterPanel, w().txtA), 0x14D2E6u);
    EXPECT_EQ(shownAt(characterPanel, w().txtB), 0x14D2E6u);
    EXPECT_EQ(shownAt(characterPanel, w().cmdFn[0]), 0xE6E6E6u);
    EXPECT_EQ(characterPanel.pixel(window->width() - 3,
                                   w().txtCodeA->mapTo(window.get(), QPoint(0, 20)).y()) &
                  0xFFFFFFu,
              0x14AAE6u);
    EXPECT_EQ(characterPanel.pixel(window->width() - 3,
                                   w().txtCodeB->mapTo(window.get(), QPoint(0, 20)).y()) &
                  0xFFFFFFu,
              0x14D2E6u);

    // The code panel: the fields, and the marks of Texto for Campo A and Binario for Campo B.
    w().setMoveLeft(-5280);
    const QImage codePanel = window->grab().toImage();
    savePicture(*window, QStringLiteral("main-code-panel"));
    EXPECT_EQ(shownAt(codePanel, w().txtCodeA), 0x14AAE6u);
    EXPECT_EQ(shownAt(codePanel, w().txtCodeB), 0x14D2E6u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(shownAt(codePanel, w().cmdOpt[i]), i == 0 || i == 5 ? 0xE0E0E0u : 0xF5F5F5u) << i;
    }
}

}  // namespace
}  // namespace trelvane
