// SPDX-License-Identifier: MIT
#include "message.h"

#include <QAbstractButton>

namespace trelvane {

void showMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QStringLiteral("Trelvane"), text, QMessageBox::Ok, owner);
    // Screen readers announce the box by what it is; its caption is only the program's name.
    box.setAccessibleName(icon == QMessageBox::Critical ? QStringLiteral("Error")
                                                        : QStringLiteral("Aviso"));
    box.button(QMessageBox::Ok)->setAccessibleName(QStringLiteral("Aceptar"));
    box.exec();
    returnActivation(owner);
}

void returnActivation(QWidget* owner) {
    if (owner != nullptr && owner->isVisible()) {
        owner->window()->activateWindow();
    }
}

}  // namespace trelvane
