// SPDX-License-Identifier: MIT
// Qt's own texts in the program's windows are Spanish, whatever the user's locale.
#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "main_window_fixture.h"
#include "message.h"

namespace trelvane {
namespace {

// An action's or a button's text as the user reads it: no mnemonic, no shortcut.
QString readText(QString text) {
    return text.remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
}

TEST_F(MainWindowTest, QtsOwnTextsAreSpanish) {
    const std::unique_ptr<QMenu> menu(w().txtA->createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            entries << readText(action->text());
        }
    }
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Deshacer"), QStringLiteral("Rehacer"),
                                    QStringLiteral("Cortar"), QStringLiteral("Copiar"),
                                    QStringLiteral("Pegar"), QStringLiteral("Borrar"),
                                    QStringLiteral("Seleccionar todo")}));

    QString button;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            button = readText(box->button(QMessageBox::Ok)->text());
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start();
    showMessage(window.get(), QStringLiteral("Esta fuente no existe en el equipo."),
                QMessageBox::Critical);
    EXPECT_EQ(button, QStringLiteral("Aceptar"));
}

}  // namespace
}  // namespace trelvane
