#pragma once

#include <QMessageBox>
#include <QString>

namespace trelvane {

// The program's message boxes: one OK button and the program's title as caption. Waits until
// the box is closed.
void showMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon);

}  // namespace trelvane
