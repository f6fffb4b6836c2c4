// SPDX-License-Identifier: MIT
// The keys of the buttons: each presses its button as a click does (MouseDown, MouseUp,
// Click, the pressed look showing in between), and types nothing into any box.
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <functional>

#include "main_window_fixture.h"

namespace trelvane {
namespace {

QString textOf(const QWidget* box) {
    if (const auto* code = qobject_cast<const CodeEdit*>(box)) {
        return code->text();
    }
    return qobject_cast<const QLineEdit*>(box)->text();
}

class KeysTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (int i = 0; i < 4; ++i) {
            record(w().cmdFn[i], QStringLiteral("cmdFn(%1)").arg(i));
        }
        for (int i = 0; i < 8; ++i) {
            record(w().cmdOpt[i], QStringLiteral("cmdOpt(%1)").arg(i));
        }
    }

    void record(LabelButton* button, const QString& name) {
        QObject::connect(button, &LabelButton::mouseDown,
                         [this, name] { ran << "MouseDown " + name; });
        QObject::connect(button, &LabelButton::mouseUp, [this, name] { ran << "MouseUp " + name; });
        QObject::connect(button, &LabelButton::clicked, [this, name] { ran << "Click " + name; });
    }

    // Presses a key where the focus is, as the user does, and waits for the click it runs.
    void press(QKeyCombination key) {
        ran.clear();
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        pressedLookAtOnce = ran.size() == 1 && ran.first().startsWith(QStringLiteral("MouseDown"));
        // Nothing more comes for a key that presses nothing.
        (void)QTest::qWaitFor([this] { return !ran.isEmpty() && ran.last().startsWith("Click"); },
                              2000);
    }

    static QStringList clickOf(const QString& button) {
        return {"MouseDown " + button, "MouseUp " + button, "Click " + button};
    }

    void expectMark(int index) {
        const int first = index < 4 ? 0 : 4;
        for (int i = first; i < first + 4; ++i) {
            EXPECT_EQ(w().shpOpt[i]->isFilled(), i == index) << "shpOpt(" << i << ")";
        }
    }

    QStringList ran;
    bool pressedLookAtOnce = false;
};

TEST_F(KeysTest, EachKeyPressesItsButton) {
    struct KeyCase {
        std::string key;  // as the README lists it
        QKeyCombination combination;
        QString button;
        std::function<void()> before;  // what the press needs
        std::function<void()> after;   // what the click did
    };
    SeenBox aboutBox;
    const auto none = [] {};
    // Alt+1 to Alt+8: a mode button, which marks its mode for its field.
    const auto modeKey = [&](
                             int index, std::function<void()> more = [] {}) -> KeyCase {
        return {"Alt+" + std::to_string(index + 1),
                Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + index),
                QStringLiteral("cmdOpt(%1)").arg(index), [] {},
                [this, index, more] {
                    expectMark(index);
                    const auto& d = w().dispatch;
                    EXPECT_EQ(index < 4 ? d.vModeA() : d.vModeB(), static_cast<Mode>(index % 4));
                    more();
                }};
    };
    const std::vector<KeyCase> cases = {
        {"F6", Qt::Key_F6, "cmdFn(0)", none,
         [&] {
             runSlide();
             EXPECT_TRUE(w().vMoved);
             EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA) << "as after the move button";
         }},
        modeKey(4),
        modeKey(5),
        modeKey(6),
        modeKey(7),
        modeKey(0),
        modeKey(2),
        modeKey(3),
        modeKey(1,
                [&] {
                    QTest::keyClicks(w().txtCodeA, QStringLiteral("0100100001101111"));
                    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("72 111"));
                }),
        {"F3", Qt::Key_F3, "cmdFn(3)", none,
         [&] {
             EXPECT_TRUE(w().txtCodeC->isVisible());
             EXPECT_EQ(w().txtCodeC->text(), QStringLiteral("01001000 01101111"));
         }},
        {"F3", Qt::Key_F3, "cmdFn(3)", none,
         [&] {
             EXPECT_TRUE(w().txtCodeC->isHidden());
             EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA);
         }},
        {"F1", Qt::Key_F1, "cmdFn(2)", [&] { closeNextBox(window.get(), aboutBox); },
         [&] {
             EXPECT_TRUE(aboutBox.shown);
             window->activateWindow();  // the offscreen platform leaves no window active
             ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
         }},
        {"F2", Qt::Key_F2, "cmdFn(1)", none,
         [&] {
             ASSERT_NE(w().frmScroll, nullptr);
             EXPECT_TRUE(w().frmScroll->isVisible());
             ASSERT_TRUE(QTest::qWaitForWindowActive(w().frmScroll));
             record(w().table().cmdFont, QStringLiteral("cmdFont"));
         }},
        {"F5", Qt::Key_F5, "cmdFont",
         [&] { w().table().txtFont->setText(QStringLiteral("Carlito")); },
         [&] {
             EXPECT_EQ(w().sFont, QStringLiteral("Carlito")) << "the table opened in the font";
             delete w().frmScroll.data();
             window->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
         }},
        {"F6", Qt::Key_F6, "cmdFn(0)", none,
         [&] {
             runSlide();
             EXPECT_FALSE(w().vMoved);
             EXPECT_EQ(QApplication::focusWidget(), w().txtC) << "as after the move button";
         }},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.key);
        c.before();
        press(c.combination);
        EXPECT_EQ(ran, clickOf(c.button));
        EXPECT_TRUE(pressedLookAtOnce) << "MouseDown at once, the click a moment later";
        c.after();
    }
}

TEST_F(KeysTest, TheMoveKeyShowsThePressedLookUntilTheClick) {
    QTest::keyClick(w().txtC, Qt::Key_F6);
    EXPECT_TRUE(w().shpFn[0]->isFilled());
    EXPECT_FALSE(w().tmrRebote1->isActive());
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().tmrRebote1->isActive(); }, 2000));
    EXPECT_FALSE(w().shpFn[0]->isFilled());
}

TEST_F(KeysTest, AHiddenButtonHasNoKey) {
    ASSERT_TRUE(w().cmdFn[3]->isHidden());
    QTest::keyClick(w().txtC, Qt::Key_F3);
    QTest::qWait(300);
    EXPECT_TRUE(ran.isEmpty()) << ran.join(", ").toStdString();
}

// A key pressed in any box runs its button and types nothing there.
TEST_F(KeysTest, NoKeyTypesIntoABox) {
    for (QWidget* box : std::initializer_list<QWidget*>{w().txtC, w().txtA, w().txtB, w().txtCodeA,
                                                        w().txtCodeB}) {
        box->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), box);
        const QString text = textOf(box);
        for (const int i : {0, 7}) {  // a mode button of each field
            press(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i));
            EXPECT_EQ(ran, clickOf(QStringLiteral("cmdOpt(%1)").arg(i)))
                << box->accessibleName().toStdString();
            EXPECT_EQ(textOf(box), text) << box->accessibleName().toStdString();
        }
    }
}

}  // namespace
}  // namespace trelvane
