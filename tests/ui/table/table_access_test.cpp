// SPDX-License-Identifier: MIT
// The code table as a screen reader reads it: Spanish names, the columns' text, "Abrir" as a
// button with its key.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <cmath>

#include "frm_scroll.h"
#include "qstring_printer.h"
#include "table_window_probe.h"

namespace trelvane {
namespace {

TEST(TableAccessTest, NamesTextAndTheOpenButton) {
    QString sFont = QStringLiteral("Segoe UI");
    FrmScroll window(sFont);
    QObject::connect(&window, &FrmScroll::fontChosen,
                     [&sFont](const QString& family) { sFont = family; });
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    TableWindowProbe table(window);
    table.tmrOpen_Timer();

    const auto reader = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    };
    EXPECT_EQ(reader(&window)->text(QAccessible::Name), QStringLiteral("Lista de código ASCII"));
    EXPECT_EQ(reader(&window)->role(), QAccessible::Window);

    struct Named {
        QWidget* widget;
        QString name;
    };
    for (const Named& control : {Named{table.txtA, QStringLiteral("Códigos 1 a 31")},
                                 Named{table.txtB, QStringLiteral("Códigos 32 a 127")},
                                 Named{table.txtC, QStringLiteral("Códigos 128 a 191")},
                                 Named{table.txtD, QStringLiteral("Códigos 192 a 255")},
                                 Named{table.txtFont, QStringLiteral("Fuente")},
                                 Named{table.cmdFont, QStringLiteral("Abrir")}}) {
        EXPECT_EQ(reader(control.widget)->text(QAccessible::Name), control.name);
    }

    // Qt's own text interface of the columns reads the rows as they are shown.
    QAccessibleTextInterface* column = reader(table.txtB)->textInterface();
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->text(0, 3), QStringLiteral("032"));
    table.tmrOpen_Timer();
    EXPECT_TRUE(column->text(0, column->characterCount()).contains(QStringLiteral("\n033   !")));

    QAccessibleInterface* open = reader(table.cmdFont);
    EXPECT_EQ(open->role(), QAccessible::Button);
    const QString press = QAccessibleActionInterface::pressAction();
    EXPECT_EQ(open->actionInterface()->actionNames(), QStringList{press});
    EXPECT_EQ(open->actionInterface()->keyBindingsForAction(press), QStringList{"F5"});
    table.txtFont->setText(QStringLiteral("Carlito"));
    open->actionInterface()->doAction(press);
    EXPECT_TRUE(table.shpFont->isFilled()) << "pressed at once";
    ASSERT_TRUE(QTest::qWaitFor([&] { return sFont == QStringLiteral("Carlito"); }, 2000));
    EXPECT_FALSE(table.shpFont->isFilled());
}

// WCAG 2 contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Esc and Ctrl+W close the table; the column with the focus is framed, in any background, so
// that the user sees where Tab went.
TEST(TableAccessTest, KeysCloseItAndTheFocusedColumnIsFramed) {
    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        FrmScroll window(QStringLiteral("Segoe UI"));
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(TableWindowProbe(window).txtB, key.key(), key.keyboardModifiers());
        EXPECT_FALSE(window.isVisible()) << QKeySequence(key).toString().toStdString();
    }

    FrmScroll window(QStringLiteral("Segoe UI"));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TableWindowProbe table(window);
    for (const QColor back :
         {QColor(Qt::white), QColor(Qt::black), QColor(0x14AAE6), QColor(0x767676)}) {
        for (CodeColumn* column : {table.txtA, table.txtC}) {
            column->setBackColor(back);
        }
        table.txtA->setFocus(Qt::TabFocusReason);
        const QImage focused = table.txtA->viewport()->grab().toImage();
        const QImage unfocused = table.txtC->viewport()->grab().toImage();
        const QPoint edge(0, focused.height() / 2);
        EXPECT_GE(contrast(focused.pixelColor(edge), back), 3.0) << back.name().toStdString();
        EXPECT_EQ(unfocused.pixelColor(edge), back) << back.name().toStdString();
    }
}

}  // namespace
}  // namespace trelvane
