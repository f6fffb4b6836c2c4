// SPDX-License-Identifier: MIT
// The main window as a screen reader reads it: names, roles, actions, the marked mode, and the
// text of a code field, all through QAccessible.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <functional>

#include "frm_inicio.h"
#include "main_window_fixture.h"
#include "splash_probe.h"

namespace trelvane {
namespace {

QAccessibleInterface* reader(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

bool isChecked(QWidget* button) {
    return reader(button)->state().checked;
}

class AccessibilityTest : public MainWindowTest {
  protected:
    // Which mode buttons screen readers find checked, as "Ab.. .01." would show them.
    std::vector<int> checkedModes() {
        std::vector<int> checked;
        for (int i = 0; i < 8; ++i) {
            if (isChecked(w().cmdOpt[i])) {
                checked.push_back(i);
            }
        }
        return checked;
    }
};

TEST_F(AccessibilityTest, EveryControlHasASpanishNameAndItsRole) {
    struct Control {
        QWidget* widget;
        const char* name;
        QAccessible::Role role;
        const char* description = "";
    };
    std::vector<Control> controls = {
        {window.get(), "Trelvane", QAccessible::Window},
        {w().txtC, "CARACTER", QAccessible::EditableText,
         "Escriba un carácter para ver sus códigos"},
        {w().lblC, "Caracter", QAccessible::StaticText, "A"},
        {w().txtA, "Valor ASCII/decimal", QAccessible::EditableText,
         "Código decimal del carácter, de 0 a 255"},
        {w().txtB, "Valor binario", QAccessible::EditableText,
         "Código binario del carácter, en ocho dígitos"},
        {w().cmdFn[0], "Mover", QAccessible::Button},
        {w().cmdFn[1], "Lista ASCII", QAccessible::Button},
        {w().cmdFn[2], "Acerca", QAccessible::Button},
        {w().cmdFn[3], "Separar en grupos", QAccessible::Button},
        {w().txtCodeA, "Campo A", QAccessible::EditableText, "Texto; Campo B en Binario"},
        {w().txtCodeB, "Campo B", QAccessible::EditableText, "Binario; Campo A en Texto"},
        {w().txtCodeC, "Campo A en bytes", QAccessible::EditableText,
         "Binario separado en grupos de bytes"},
        {w().lbl500, "Límite de 500 caracteres de Campo A", QAccessible::StaticText,
         "Campo A tiene 500 caracteres o más"},
        {w().Label1, "Límite de 500 caracteres de Campo B", QAccessible::StaticText,
         "Campo B tiene 500 caracteres o más"},
    };
    const char* modeNames[] = {"Texto", "Binario", "Hexadecimal", "Decimal"};
    for (int i = 0; i < 8; ++i) {
        controls.push_back({w().cmdOpt[i], modeNames[i % 4], QAccessible::RadioButton,
                            i < 4 ? "Modo de Campo A" : "Modo de Campo B"});
    }
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* control = reader(c.widget);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(control->role(), c.role);
        if (c.role != QAccessible::EditableText || c.description[0] != '\0') {
            EXPECT_EQ(control->text(QAccessible::Description), QString::fromUtf8(c.description));
        }
    }

    // Whatever control is added later: if a screen reader can read or press it, it has a name,
    // one of its own, and no description that repeats it.
    const QSet<QAccessible::Role> controlRoles = {QAccessible::EditableText,
                                                  QAccessible::StaticText, QAccessible::Button,
                                                  QAccessible::RadioButton};
    QMap<QString, int> named;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        QAccessibleInterface* control = reader(child);
        if (control != nullptr && controlRoles.contains(control->role())) {
            const QString name = control->text(QAccessible::Name);
            EXPECT_FALSE(name.isEmpty())
                << child->metaObject()->className() << " " << child->objectName().toStdString();
            EXPECT_NE(control->text(QAccessible::Description).trimmed(), name);
            if (control->role() != QAccessible::RadioButton) {  // told apart by their field
                EXPECT_EQ(++named[name], 1) << name.toStdString();
            }
        }
    }

    // The splash, for the moment it shows.
    FrmInicio splashWindow([] {});
    SplashProbe splash(splashWindow);
    splash.Timer1->stop();
    EXPECT_EQ(reader(&splashWindow)->text(QAccessible::Name), QStringLiteral("Trelvane"));
    EXPECT_EQ(reader(&splashWindow)->role(), QAccessible::Window);
    EXPECT_EQ(reader(splash.lblEsc)->text(QAccessible::Name), QStringLiteral("Cerrar"));
    EXPECT_EQ(reader(splash.lblEsc)->role(), QAccessible::Button);

    // The grouping button takes the name of what it does now.
    w().cmdFn[0]->animateClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().tmrRebote1->isActive(); }, 2000));
    runSlide();
    QTest::keyClicks(w().txtCodeA, QStringLiteral("0100000101000010"));
    w().cmdFn[3]->animateClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().txtCodeC->isVisible(); }, 2000));
    EXPECT_EQ(reader(w().cmdFn[3])->text(QAccessible::Name), QStringLiteral("Cerrar"));
}

// A screen reader speaks what changes at the focus: the focused code field tells both modes,
// whichever way they change, and why it is in the error colour for as long as it is.
TEST_F(AccessibilityTest, TheFocusedBoxTellsTheModesAndItsError) {
    slideOver();
    ASSERT_EQ(QApplication::focusWidget(), w().txtCodeA);
    const auto description = [](QWidget* box) {
        return reader(box)->text(QAccessible::Description);
    };
    struct Step {
        std::function<void()> action;
        QWidget* box;
        const char* description;
    };
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return [this, k, modifiers] {
            QTest::keyClick(QApplication::focusWidget(), k, modifiers);
            QTest::qWait(150);  // the click comes after the pressed look
        };
    };
    const auto type = [](QWidget* box, const char* keys) {
        return [box, keys] { typeText(box, QString::fromUtf8(keys)); };
    };
    const Step steps[] = {
        {key(Qt::Key_2, Qt::AltModifier), w().txtCodeA, "Binario; Campo B en Binario"},
        {key(Qt::Key_7, Qt::AltModifier), w().txtCodeA, "Binario; Campo B en Hexadecimal"},
        {[] {}, w().txtCodeB, "Hexadecimal; Campo A en Binario"},
        {type(w().txtCodeA, "0100"), w().txtCodeA,
         "Binario; Campo B en Hexadecimal. Byte incompleto"},
        {type(w().txtCodeA, "0001"), w().txtCodeA, "Binario; Campo B en Hexadecimal"},
        {[this] {
             QApplication::clipboard()->setText(QStringLiteral("Hola"));
             QTest::keyClick(w().txtCodeA, Qt::Key_V, Qt::ControlModifier);
         },
         w().txtCodeA, "Texto; Campo B en Hexadecimal"},  // the switch to Texto
        {key(Qt::Key_5, Qt::AltModifier), w().txtCodeA, "Texto; Campo B en Texto"},
        {[this] { w().txtA->setFocus(Qt::MouseFocusReason); }, w().txtA,
         "Código decimal del carácter, de 0 a 255"},
        {[this] {
             w().txtA->selectAll();
             typeText(w().txtA, QStringLiteral("300"));
         },
         w().txtA, "Código decimal del carácter, de 0 a 255. Valor mayor que 255"},
        {[this] { QTest::keyClick(w().txtA, Qt::Key_Backspace); }, w().txtA,
         "Código decimal del carácter, de 0 a 255"},
        {[this] {
             w().txtB->setFocus(Qt::MouseFocusReason);
             w().txtB->selectAll();
             w().txtB->insert(QStringLiteral("22222222"));  // pasted: no key filter
         },
         w().txtB, "Código binario del carácter, en ocho dígitos. Valor mayor que 255"},
        {[this] { w().txtB->setText(QStringLiteral("01000001")); }, w().txtB,
         "Código binario del carácter, en ocho dígitos"},
    };
    for (const Step& step : steps) {
        step.action();
        EXPECT_EQ(description(step.box), QString::fromUtf8(step.description));
    }
}

TEST_F(AccessibilityTest, ButtonsArePressedThroughTheirAction) {
    QAccessibleActionInterface* mover = reader(w().cmdFn[0])->actionInterface();
    ASSERT_NE(mover, nullptr);
    EXPECT_EQ(mover->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    EXPECT_EQ(mover->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QStringLiteral("F6")});
    EXPECT_EQ(mover->localizedActionName(QAccessibleActionInterface::pressAction()),
              QStringLiteral("Pulsar"));
    EXPECT_FALSE(reader(w().cmdFn[0])->state().focusable) << "a label-button never takes it";

    // Hidden, the grouping button cannot be pressed; the character's face is no button.
    EXPECT_TRUE(reader(w().cmdFn[3])->actionInterface()->actionNames().isEmpty());
    EXPECT_TRUE(reader(w().lblC)->actionInterface()->actionNames().isEmpty());

    mover->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(w().shpFn[0]->isFilled()) << "pressed at once";
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().tmrRebote1->isActive(); }, 2000));
    runSlide();
    EXPECT_EQ(QApplication::focusWidget(), w().txtCodeA);

    QAccessibleActionInterface* hexadecimalB = reader(w().cmdOpt[6])->actionInterface();
    EXPECT_EQ(hexadecimalB->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QStringLiteral("Alt+7")});
    QTest::keyClicks(w().txtCodeA, QStringLiteral("Hola"));
    hexadecimalB->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(w().shpOpt[6]->isFilled()) << "the mark moves on the press";
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().dispatch.vModeB() == Hexadecimal; }, 2000));
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("486F6C61"));
}

TEST_F(AccessibilityTest, TheCheckedModeFollowsTheMark) {
    EXPECT_EQ(checkedModes(), (std::vector<int>{0, 5}));
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(reader(w().cmdOpt[i])->state().checkable);
    }

    // On the press already, before any click; released outside, it stays.
    QTest::mousePress(w().cmdOpt[6], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(checkedModes(), (std::vector<int>{0, 6}));
    QTest::mouseRelease(w().cmdOpt[6], Qt::LeftButton, Qt::NoModifier, QPoint(5, -30));
    EXPECT_EQ(checkedModes(), (std::vector<int>{0, 6}));

    // A click on Campo A's Binario, then a text that is no binary: Campo A switches to Texto.
    clickButton(w().cmdOpt[1]);
    EXPECT_EQ(checkedModes(), (std::vector<int>{1, 6}));
    w().txtCodeA->setFocus(Qt::MouseFocusReason);
    QApplication::clipboard()->setText(QStringLiteral("Hola"));
    QTest::keyClick(w().txtCodeA, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w().dispatch.vModeA(), Texto);
    EXPECT_EQ(checkedModes(), (std::vector<int>{0, 6}));
}

// Whatever a screen reader is told shows lies inside the window, in screen coordinates: the
// panel slid out of view and the fields under the grouping view do not show, and the character
// box, beyond the window's edge, is told where its face is.
TEST_F(AccessibilityTest, WhatShowsLiesInsideTheWindow) {
    const QRect inside(window->mapToGlobal(QPoint(0, 0)), window->size());
    const auto check = [this, &inside](const char* when) {
        int showing = 0;
        std::vector<QAccessibleInterface*> pending{reader(window.get())};
        while (!pending.empty()) {  // the tree as a screen reader walks it
            QAccessibleInterface* control = pending.back();
            pending.pop_back();
            for (int i = 0; i < control->childCount(); ++i) {
                pending.push_back(control->child(i));
            }
            if (control->object() == window.get() || control->state().invisible) {
                continue;
            }
            ++showing;
            EXPECT_TRUE(inside.contains(control->rect()))
                << when << ": " << control->object()->metaObject()->className() << " "
                << control->text(QAccessible::Name).toStdString();
        }
        EXPECT_GT(showing, 10) << when;
    };
    check("character panel");
    EXPECT_EQ(reader(w().txtC)->rect(), reader(w().lblC)->rect());
    EXPECT_FALSE(reader(w().txtC)->state().invisible);
    slideOver();
    check("code panel");
    EXPECT_TRUE(reader(w().lblC)->state().invisible) << "slid out of view";
    EXPECT_TRUE(inside.contains(reader(w().txtA)->rect())) << "its strip at the edge";
    QTest::keyClicks(w().txtCodeA, QStringLiteral("0100000101000010"));
    clickButton(w().cmdFn[3]);
    ASSERT_FALSE(w().txtCodeC->isHidden());
    check("grouping view");
    EXPECT_TRUE(reader(w().txtCodeA)->state().invisible) << "covered";
    EXPECT_TRUE(reader(w().cmdOpt[0])->state().invisible) << "covered";
}

class CodeFieldTextTest : public AccessibilityTest {
  protected:
    void SetUp() override {
        AccessibilityTest::SetUp();
        slideOver();
        ASSERT_EQ(QApplication::focusWidget(), w().txtCodeA);
    }
    QAccessibleTextInterface* textOf(CodeEdit* field) { return reader(field)->textInterface(); }

    struct Span {
        QString text;
        int start;
        int end;
        bool operator==(const Span&) const = default;
    };
    static Span at(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type) {
        Span span;
        span.text = text->textAtOffset(offset, type, &span.start, &span.end);
        return span;
    }
};

TEST_F(CodeFieldTextTest, TextCaretAndSelection) {
    QTest::keyClicks(w().txtCodeA, QStringLiteral("Hola"));
    QAccessibleTextInterface* campoB = textOf(w().txtCodeB);
    ASSERT_NE(campoB, nullptr);
    EXPECT_EQ(campoB->characterCount(), 32);
    EXPECT_EQ(campoB->text(0, -1), QStringLiteral("01001000011011110110110001100001"));
    EXPECT_EQ(campoB->text(8, 16), QStringLiteral("01101111"));
    EXPECT_EQ(campoB->cursorPosition(), 32) << "the caret after the delivered text";
    EXPECT_EQ(campoB->selectionCount(), 0);

    campoB->setSelection(0, 8, 16);
    EXPECT_EQ(w().txtCodeB->selectionStart(), 8);
    EXPECT_EQ(w().txtCodeB->selectionEnd(), 16);
    int start = -1;
    int end = -1;
    campoB->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(8, 16));
    campoB->removeSelection(0);
    EXPECT_EQ(campoB->selectionCount(), 0);
    campoB->setCursorPosition(3);
    EXPECT_EQ(w().txtCodeB->caretPosition(), 3);

    QAccessibleTextInterface* campoA = textOf(w().txtCodeA);
    EXPECT_EQ(campoA->text(0, -1), QStringLiteral("Hola"));
    EXPECT_EQ(at(campoA, 1, QAccessible::CharBoundary), (Span{"o", 1, 2}));
    EXPECT_EQ(at(campoA, 4, QAccessible::WordBoundary), (Span{"Hola", 0, 4}));
    EXPECT_TRUE(reader(w().txtCodeA)->state().multiLine);
    EXPECT_TRUE(reader(w().txtCodeA)->state().editable);
    EXPECT_TRUE(reader(w().txtCodeC)->state().readOnly);

    // Where a character is drawn, and which character is drawn at a point.
    const QRect third = campoB->characterRect(2);
    const QRect viewport(w().txtCodeB->viewport()->mapToGlobal(QPoint(0, 0)),
                         w().txtCodeB->viewport()->size());
    EXPECT_TRUE(viewport.contains(third)) << "in screen coordinates, inside the field";
    EXPECT_GT(third.left(), campoB->characterRect(1).left());
    EXPECT_EQ(campoB->offsetAtPoint(third.center()), 2);
}

// Assistive tools edit a code field as the user does: the key filter for one character, the
// 500 limit for a paste, the conversion and the switch to Texto after either.
TEST_F(CodeFieldTextTest, AssistiveToolsEditAsTheUserDoes) {
    QAccessibleEditableTextInterface* campoA = reader(w().txtCodeA)->editableTextInterface();
    ASSERT_NE(campoA, nullptr);
    EXPECT_EQ(reader(w().txtCodeC)->editableTextInterface(), nullptr) << "read-only";
    struct Step {
        std::function<void()> edit;
        QString campoA;
        QString campoB;
        Mode modeA;
    };
    const QString a600(600, QLatin1Char('a'));
    const auto binaryOf = [](const QString& ascii) {
        QString digits;
        for (const QChar c : ascii) {
            digits += QStringLiteral("%1").arg(c.unicode(), 8, 2, QLatin1Char('0'));
        }
        return digits;
    };
    const Step steps[] = {
        {[&] { campoA->insertText(0, QStringLiteral("Hi")); }, "Hi", "0100100001101001", Texto},
        {[&] { campoA->replaceText(0, 1, QStringLiteral("B")); }, "Bi", "0100001001101001", Texto},
        {[&] { campoA->deleteText(1, -1); }, "B", "01000010", Texto},
        {[&] { campoA->deleteText(0, -1); }, "", QString(), Texto},
        {[&] { clickButton(w().cmdOpt[1]); }, "", QString(), Binario},
        {[&] { campoA->insertText(0, QStringLiteral("x")); }, "", QString(), Binario},
        {[&] { campoA->insertText(0, QStringLiteral("1")); }, "1", QString(), Binario},
        {[&] { campoA->replaceText(0, 1, QStringLiteral("0100001001000001")); }, "0100001001000001",
         "0100001001000001", Binario},
        {[&] { campoA->insertText(0, QStringLiteral("A ")); }, "A 0100001001000001",
         binaryOf(QStringLiteral("A 0100001001000001")), Texto},
        {[&] { campoA->replaceText(0, -1, a600); }, a600.left(500), QString(), Texto},
    };
    for (const Step& step : steps) {
        step.edit();
        EXPECT_EQ(w().txtCodeA->text(), step.campoA);
        if (!step.campoB.isEmpty()) {
            EXPECT_EQ(w().txtCodeB->text(), step.campoB);
        }
        EXPECT_EQ(w().dispatch.vModeA(), step.modeA);
    }
}

// A NUL cannot travel in a D-Bus string: it is read as its control picture, in its place.
TEST_F(CodeFieldTextTest, ANulIsReadAsItsPicture) {
    QApplication::clipboard()->setText(QString::fromUtf16(u"\0\0A", 3));
    QTest::keyClick(w().txtCodeA, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(w().txtCodeA->text().size(), 3);
    QAccessibleTextInterface* campoA = textOf(w().txtCodeA);
    EXPECT_EQ(campoA->characterCount(), 3);
    EXPECT_EQ(campoA->text(0, -1), QStringLiteral("\u2400\u2400A"));
    EXPECT_EQ(at(campoA, 1, QAccessible::CharBoundary), (Span{QStringLiteral("\u2400"), 1, 2}));
    EXPECT_EQ(at(campoA, 0, QAccessible::LineBoundary),
              (Span{QStringLiteral("\u2400\u2400A"), 0, 3}));
}

TEST_F(CodeFieldTextTest, WordsLinesAndParagraphsTileTheText) {
    QString typed;
    for (int i = 0; i < 40; ++i) {
        typed += QStringLiteral("%1 tres, ").arg(i);
    }
    typed += QStringLiteral("\nfin\n\ny");
    QApplication::clipboard()->setText(typed);
    QTest::keyClick(w().txtCodeA, Qt::Key_V, Qt::ControlModifier);
    QAccessibleTextInterface* campoA = textOf(w().txtCodeA);
    const QString text = campoA->text(0, -1);
    ASSERT_EQ(text, typed.left(500)) << "Campo A takes 500 characters from the user";

    // Each kind of span, taken one after the other, gives back the whole text.
    for (const auto type : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                            QAccessible::LineBoundary, QAccessible::ParagraphBoundary}) {
        SCOPED_TRACE(static_cast<int>(type));
        QString joined;
        int offset = 0;
        int spans = 0;
        while (offset < text.size()) {
            const Span span = at(campoA, offset, type);
            ASSERT_EQ(span.start, offset);
            ASSERT_GT(span.end, span.start);
            ASSERT_EQ(span.text, text.mid(span.start, span.end - span.start));
            if (type == QAccessible::LineBoundary) {
                // A line is what the field draws in one row.
                EXPECT_EQ(campoA->characterRect(span.start).top(),
                          campoA->characterRect(span.end - 1).top());
                if (span.end < text.size()) {
                    EXPECT_GT(campoA->characterRect(span.end).top(),
                              campoA->characterRect(span.start).top());
                }
            }
            int beforeStart = -1;
            int beforeEnd = -1;
            const QString before = campoA->textBeforeOffset(offset, type, &beforeStart, &beforeEnd);
            if (offset > 0) {
                EXPECT_EQ(beforeEnd, offset) << "the span before ends where this one starts";
                EXPECT_EQ(before, text.mid(beforeStart, beforeEnd - beforeStart));
            }
            int afterStart = -1;
            int afterEnd = -1;
            campoA->textAfterOffset(offset, type, &afterStart, &afterEnd);
            EXPECT_EQ(afterStart, span.end < text.size() ? span.end : -1)
                << "the span after starts where this one ends";
            joined += span.text;
            offset = span.end;
            ++spans;
        }
        EXPECT_EQ(joined, text);
        if (type == QAccessible::LineBoundary) {
            EXPECT_GT(spans, 5) << "the text wraps";
        }
    }
    EXPECT_EQ(at(campoA, 3, QAccessible::WordBoundary), (Span{"tres", 2, 6}));
}

// Binary text runs on without a blank: a word of it is read a line at a time, not as a
// million digits at once.
TEST_F(CodeFieldTextTest, AWordOfAMillionDigitsEndsWithItsLine) {
    w().txtCodeB->setFocus(Qt::MouseFocusReason);
    QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('1')));
    QTest::keyClick(w().txtCodeB, Qt::Key_V, Qt::ControlModifier);
    QAccessibleTextInterface* campoB = textOf(w().txtCodeB);
    ASSERT_EQ(campoB->characterCount(), 1 << 20);
    const Span line = at(campoB, 500000, QAccessible::LineBoundary);
    EXPECT_LE(line.start, 500000);
    EXPECT_GT(line.end, 500000);
    EXPECT_LT(line.end - line.start, 1000);
    EXPECT_EQ(at(campoB, 500000, QAccessible::WordBoundary), line);
}

}  // namespace
}  // namespace trelvane
