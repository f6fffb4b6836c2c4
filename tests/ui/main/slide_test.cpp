// SPDX-License-Identifier: MIT
// The slide of the panels and its rebound.
#include <QApplication>
#include <QTest>

#include "main_window_fixture.h"
#include "twips.h"

namespace trelvane {
namespace {

// The positions of frmeMove after each tick of the rebound.
std::vector<float> reboundPath(MainWindowProbe& w) {
    std::vector<float> path;
    while (w.tmrRebote2->isActive()) {
        w.tmrRebote2_Timer();
        path.push_back(w.moveLeft());
    }
    return path;
}

// The ticks of the slide until it ends.
int slideTicks(MainWindowProbe& w) {
    int ticks = 0;
    for (; w.tmrRebote1->isActive(); ++ticks) {
        w.tmrRebote1_Timer();
    }
    return ticks;
}

TEST_F(MainWindowTest, TheMoveButtonSlidesToTheCodePanel) {
    clickButton(w().cmdFn[0]);
    ASSERT_TRUE(w().tmrRebote1->isActive());
    EXPECT_FALSE(w().bClicked);
    for (int tick = 1; tick <= 22; ++tick) {
        w().tmrRebote1_Timer();
        EXPECT_FLOAT_EQ(w().moveLeft(), -240.0f * tick);
        EXPECT_TRUE(w().tmrRebote1->isActive());
    }
    EXPECT_EQ(w().cmdFn[0]->text(), QStringLiteral(">")) << "not finished before the 23rd tick";
    w().tmrRebote1_Timer();
    EXPECT_FLOAT_EQ(w().moveLeft(), -5280);
    EXPECT_EQ(w().frmeMove->x(), px(-5280));
    EXPECT_FALSE(w().tmrRebote1->isActive());
    EXPECT_TRUE(w().tmrRebote2->isActive());
    EXPECT_TRUE(w().vMoved);
    EXPECT_EQ(w().cmdFn[0]->text(), QStringLiteral("<"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA);
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeA);
    EXPECT_FALSE(w().cmdFn[3]->isHidden());
    EXPECT_FALSE(w().shpFn[3]->isHidden());

    // The rebound: 240 twips to the right over four ticks and back over four, a ninth ends it.
    const std::vector<float> path = reboundPath(w());
    const std::vector<float> expected = {-5220, -5160, -5100, -5040, -5100,
                                         -5160, -5220, -5280, -5280};
    EXPECT_EQ(path, expected);
    EXPECT_EQ(w().vBounce, 0);
}

TEST_F(MainWindowTest, TabCyclesBetweenTheCodeFieldsOnceTheyAreInView) {
    slideOver();
    QList<QWidget*> visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, (QList<QWidget*>{w().txtCodeB, w().txtCodeA, w().txtCodeB}));
}

TEST_F(MainWindowTest, TheMoveButtonSlidesBackToTheCharacterPanel) {
    slideOver();
    clickButton(w().cmdFn[0]);
    EXPECT_EQ(slideTicks(w()), 23);
    EXPECT_FLOAT_EQ(w().moveLeft(), 0);
    EXPECT_FALSE(w().vMoved);
    EXPECT_EQ(w().cmdFn[0]->text(), QStringLiteral(">"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtC);
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtC);
    EXPECT_TRUE(w().cmdFn[3]->isHidden());
    EXPECT_TRUE(w().shpFn[3]->isHidden());
    const std::vector<float> expected = {-60, -120, -180, -240, -180, -120, -60, 0, 0};
    EXPECT_EQ(reboundPath(w()), expected);
    // The character panel's boxes are tab stops again, the code fields are not.
    QTest::keyClick(w().txtC, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtA);
    QTest::keyClick(w().txtA, Qt::Key_Tab);
    QTest::keyClick(w().txtB, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtC);
}

TEST_F(MainWindowTest, ASlideStartedByAClickOnTheStripOfCampoBKeepsTheFocusThere) {
    QTest::mouseClick(w().txtCodeB->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 40));
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeB);
    EXPECT_EQ(backOf(w().txtCodeB), 0x14AAE6u);
    EXPECT_EQ(backOf(w().txtCodeA), 0x14D2E6u);
    const auto [slideTicks, reboundTicks] = runSlide();
    EXPECT_EQ(slideTicks, 23);
    EXPECT_EQ(reboundTicks, 9);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeB);
    EXPECT_FALSE(w().bClicked);
}

TEST_F(MainWindowTest, AClickOnTheStripOfTheDecimalBoxSlidesBackAndKeepsTheFocusThere) {
    slideOver();
    ASSERT_EQ(QApplication::focusWidget(), w().txtCodeA);
    const QPoint strip = w().txtA->mapFrom(window.get(), QPoint(4, 40));
    ASSERT_TRUE(w().txtA->rect().contains(strip)) << "the strip of txtA is in view";
    QTest::mouseClick(w().txtA, Qt::LeftButton, Qt::NoModifier, strip);
    EXPECT_EQ(w().dispatch.nFocus(), FocusBox::txtA);
    EXPECT_TRUE(w().bClicked);
    runSlide();
    EXPECT_FLOAT_EQ(w().moveLeft(), 0);
    EXPECT_EQ(QApplication::focusWidget(), w().txtA);
    EXPECT_EQ(backOf(w().txtA), 0x14AAE6u);
    EXPECT_EQ(backOf(w().lblC), 0x14D2E6u);
}

TEST_F(MainWindowTest, AClickInTheDecimalBoxWithTheCharacterPanelInViewOnlyMovesTheFocus) {
    QTest::mouseClick(w().txtA, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(QApplication::focusWidget(), w().txtA);
    EXPECT_FALSE(w().tmrRebote1->isActive());
    EXPECT_FALSE(w().bClicked);
}

TEST_F(MainWindowTest, PressingTheMoveButtonDuringASlideDoesNotDisturbIt) {
    clickButton(w().cmdFn[0]);
    for (int tick = 0; tick < 5; ++tick) {
        w().tmrRebote1_Timer();
    }
    clickButton(w().cmdFn[0]);
    EXPECT_TRUE(w().tmrRebote1->isActive());
    EXPECT_EQ(slideTicks(w()), 18);
    EXPECT_FLOAT_EQ(w().moveLeft(), -5280);
}

TEST_F(MainWindowTest, TheTimersRunTheSlideOnTheirOwn) {
    clickButton(w().cmdFn[0]);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !w().tmrRebote1->isActive() && !w().tmrRebote2->isActive(); }, 5000));
    EXPECT_FLOAT_EQ(w().moveLeft(), -5280);
    EXPECT_TRUE(w().vMoved);
}

}  // namespace
}  // namespace trelvane
