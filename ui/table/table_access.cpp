// SPDX-License-Identifier: MIT
// The code table without a mouse: a key for "Abrir" (Enter in the font box does the same), Esc
// and Ctrl+W to close it, and Spanish names for screen readers.
#include <QShortcut>

#include "frm_scroll.h"
#include "label_button_access.h"

namespace trelvane {

void FrmScroll::setUpAccess() {
    setPressKey(cmdFont, QKeySequence(Qt::Key_F5));  // the window opens again in the new font
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }

    const QString columnNames[4] = {
        QStringLiteral("Códigos 1 a 31"), QStringLiteral("Códigos 32 a 127"),
        QStringLiteral("Códigos 128 a 191"), QStringLiteral("Códigos 192 a 255")};
    for (int i = 0; i < 4; ++i) {
        columns()[i]->setAccessibleName(columnNames[i]);
    }
    txtFont->setAccessibleName(QStringLiteral("Fuente"));
    // The frame around the font box reads as its label.
    lblRe->setAccessibleName(QStringLiteral("Fuente"));
    lblRe->setBuddy(txtFont);
    // Its tool tip, " Mover ", tells nothing of what it does; its caption does.
    cmdFont->setAccessibleName(cmdFont->text());
}

}  // namespace trelvane
