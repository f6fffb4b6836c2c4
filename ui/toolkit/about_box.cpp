// SPDX-License-Identifier: MIT
#include "about_box.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "message.h"

namespace trelvane {

void showAboutBox(QWidget* owner, const QString& title, const QString& text, const QIcon& icon) {
    QMessageBox box(owner);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (!icon.isNull()) {
        box.setIconPixmap(icon.pixmap(32, 32));
        box.setWindowIcon(icon);
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setAccessibleName(QStringLiteral("Acerca de ") + title);
    box.button(QMessageBox::Ok)->setAccessibleName(QStringLiteral("Aceptar"));
    box.exec();
    returnActivation(owner);
}

}  // namespace trelvane
