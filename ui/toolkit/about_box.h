// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace trelvane {

// The program's About box: modal, owned by a window, with a title, a further text of one or
// more lines and the program icon. Waits until it is closed.
void showAboutBox(QWidget* owner, const QString& title, const QString& text, const QIcon& icon);

}  // namespace trelvane
