// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "qstring_printer.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

#include "entry_box.h"

namespace trelvane {
namespace {

class EntryBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        box.setUserMaxLength(3);
        box.show();
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        box.setFocus();
    }

    EntryBox box;
};

TEST_F(EntryBoxTest, TypingStopsAtTheMaximumLength) {
    QSignalSpy changes(&box, &QLineEdit::textChanged);
    QTest::keyClicks(&box, QStringLiteral("2567"));
    EXPECT_EQ(box.text(), QStringLiteral("256"));
    EXPECT_EQ(changes.count(), 3) << "the refused key raises no change";
}

TEST_F(EntryBoxTest, PasteIsCutToTheRoomLeft) {
    box.setText(QStringLiteral("1"));
    box.end(false);
    QApplication::clipboard()->setText(QStringLiteral("2345"));
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("123"));
    EXPECT_EQ(box.cursorPosition(), 3);
}

TEST_F(EntryBoxTest, PasteInTheMiddleKeepsTheTextAfterTheCaret) {
    box.setText(QStringLiteral("19"));
    box.setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("2345"));
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("129"));
}

TEST_F(EntryBoxTest, ProgramWritesAreNotCut) {
    box.setText(QStringLiteral("65.7"));
    EXPECT_EQ(box.text(), QStringLiteral("65.7"));
    // Longer than the limit already: typing adds nothing, deleting works.
    box.end(false);
    QTest::keyClick(&box, Qt::Key_1);
    EXPECT_EQ(box.text(), QStringLiteral("65.7"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("65."));
}

TEST_F(EntryBoxTest, KeyPressMayDiscardOrReplace) {
    QObject::connect(&box, &EntryBox::keyPress, [](int& code) {
        if (code == 'x') {
            code = 0;
        } else if (code == 'a') {
            code = 'b';
        }
    });
    QTest::keyClicks(&box, QStringLiteral("xa"));
    EXPECT_EQ(box.text(), QStringLiteral("b"));
}

TEST_F(EntryBoxTest, AComposedCharacterPassesTheKeyHandling) {
    QList<int> seen;
    QObject::connect(&box, &EntryBox::keyPress, [&](int& code) { seen.append(code); });
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00f1"));
    QApplication::sendEvent(&box, &composed);
    EXPECT_EQ(seen, QList<int>{241});
    EXPECT_EQ(box.text(), QStringLiteral("\u00f1"));
}

}  // namespace
}  // namespace trelvane
