// SPDX-License-Identifier: MIT
// The code table as a screen reader reads it: Spanish names, the columns' text, "Abrir" as a
// button with its key.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

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

}  // namespace
}  // namespace trelvane
