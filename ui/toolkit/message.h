// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QString>

namespace trelvane {

// The program's message boxes: one OK button and the program's title as caption. Waits until
// the box is closed.
void showMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon);

// Hands the activation back to the window a closed box belonged to, so that its keys work at
// once; a window manager does this by itself, a bare X server does not.
void returnActivation(QWidget* owner);

}  // namespace trelvane
