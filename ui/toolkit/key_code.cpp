// SPDX-License-Identifier: MIT
#include "key_code.h"

#include <QKeyEvent>

#include "codepage.h"

namespace trelvane {

int keyPressCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return -1;  // moves the focus
        case Qt::Key_Delete:
            return -1;  // deletes, types nothing
        default:
            break;
    }
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = event.text();
    if (mods != Qt::NoModifier || text.isEmpty() || text.at(0).unicode() < 32 ||
        text.at(0).unicode() == 127) {
        return -1;
    }
    return codeOf(text.at(0).unicode());
}

int controlKeyCode(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event.key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        return 27;
    }
    // The key, not the text: the text of Ctrl+letter differs between platforms and layouts.
    if (mods == Qt::ControlModifier && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return event.key() - Qt::Key_A + 1;
    }
    return -1;
}

}  // namespace trelvane
