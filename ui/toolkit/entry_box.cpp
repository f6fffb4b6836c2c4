#include "entry_box.h"

#include <QKeyEvent>

#include "codepage.h"
#include "key_code.h"

namespace trelvane {

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
}

void EntryBox::setBackColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

QColor EntryBox::backColor() const {
    return palette().color(QPalette::Base);
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    int code = keyPressCode(*event);
    if (code < 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int typed = code;
    emit keyPress(code);
    if (code == 0) {
        event->accept();
        return;
    }
    if (code == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The handler changed the key: type the character it chose instead.
    QKeyEvent replaced(event->type(), Qt::Key_unknown, Qt::NoModifier,
                       QString(QChar(charOf(static_cast<std::uint8_t>(code)))));
    QLineEdit::keyPressEvent(&replaced);
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit gotFocus();
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    emit clicked();
}

}  // namespace trelvane
