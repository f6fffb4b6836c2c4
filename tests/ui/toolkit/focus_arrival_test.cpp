// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "code_edit.h"
#include "entry_box.h"

namespace trelvane {
namespace {

// Two boxes in a window, and another window to switch to.
class FocusArrival : public ::testing::Test {
  protected:
    void SetUp() override {
        second.move(0, 60);
        other.move(400, 0);
    }
    void activate(QWidget& w) {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    QWidget window;
    EntryBox first{&window};
    CodeEdit second{&window};
    QWidget other;
};

TEST_F(FocusArrival, FocusGivenWhileTheWindowWasInactiveArrivesWhenItBecomesActive) {
    activate(other);
    window.show();
    QSignalSpy firstFocus(&first, &EntryBox::gotFocus);
    QSignalSpy secondFocus(&second, &CodeEdit::gotFocus);
    second.setFocus(Qt::MouseFocusReason);
    activate(window);
    EXPECT_EQ(QApplication::focusWidget(), &second);
    EXPECT_EQ(secondFocus.count(), 1);
    EXPECT_EQ(firstFocus.count(), 0);
}

TEST_F(FocusArrival, SwitchingWindowsAndBackIsNoArrival) {
    activate(window);
    first.setFocus(Qt::TabFocusReason);
    second.setFocus(Qt::TabFocusReason);
    QSignalSpy secondFocus(&second, &CodeEdit::gotFocus);
    activate(other);
    activate(window);
    EXPECT_EQ(QApplication::focusWidget(), &second);
    EXPECT_EQ(secondFocus.count(), 0);
    first.setFocus(Qt::TabFocusReason);
    second.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(secondFocus.count(), 1);
}

}  // namespace
}  // namespace trelvane
