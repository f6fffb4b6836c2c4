// SPDX-License-Identifier: MIT
// The code table as a screen reader reads it: Spanish names, the columns' text, "Abrir" as a
// button with its key.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "../qstring_printer.h"
#include "frm_scroll.h"

namespace trelvane {
namespace {

TEST(TableAccessTest, NamesTextAndTheOpenButton) {
    QString sFont = QStringLiteral("Segoe UI");
    FrmScroll window(sFont);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    window.tmrOpen_Timer();

    const auto reader = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    };
    EXPECT_EQ(reader(&window)->text(QAccessible::Name), QStringLiteral("Lista de código ASCII"));
    EXPECT_EQ(reader(&window)->role(), QAccessible::Window);

    struct Named {
        QWidget* widget;
        QString name;
    };
    for (const Named& control : {Named{window.txtA, QStringLiteral("Códigos 1 a 31")},
                                 Named{window.txtB, QStringLiteral("Códigos 32 a 127")},
                                 Named{window.txtC, QStringLiteral("Códigos 128 a 191")},
                                 Named{window.txtD, QStringLiteral("Códigos 192 a 255")},
                                 Named{window.txtFont, QStringLiteral("Fuente")},
                                 Named{window.cmdFont, QStringLiteral("Abrir")}}) {
        EXPECT_EQ(reader(control.widget)->text(QAccessible::Name), control.name);
    }

    // Qt's own text interface of the columns reads the rows as they are shown.
    QAccessibleTextInterface* column = reader(window.txtB)->textInterface();
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->text(0, 3), QStringLiteral("032"));
    window.tmrOpen_Timer();
    EXPECT_TRUE(column->text(0, column->characterCount()).contains(QStringLiteral("\n033   !")));

    QAccessibleInterface* open = reader(window.cmdFont);
    EXPECT_EQ(open->role(), QAccessible::Button);
    const QString press = QAccessibleActionInterface::pressAction();
    EXPECT_EQ(open->actionInterface()->actionNames(), QStringList{press});
    EXPECT_EQ(open->actionInterface()->keyBindingsForAction(press), QStringList{"F5"});
    window.txtFont->setText(QStringLiteral("Carlito"));
    open->actionInterface()->doAction(press);
    EXPECT_TRUE(window.shpFont->isFilled()) << "pressed at once";
    ASSERT_TRUE(QTest::qWaitFor([&] { return sFont == QStringLiteral("Carlito"); }, 2000));
    EXPECT_FALSE(window.shpFont->isFilled());
}

}  // namespace
}  // namespace trelvane
