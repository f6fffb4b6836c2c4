// SPDX-License-Identifier: MIT
#include "entry_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QValidator>
#include <algorithm>

#include "base_color.h"
#include "codepage.h"
#include "focus_arrival.h"
#include "key_code.h"
#include "text_colors.h"

namespace trelvane {

// Checks only what the user edits: QLineEdit does not validate program writes. An edit that
// makes the text longer than the limit loses the characters it added last, before the caret;
// an edit left with nothing to add is refused, so no change is raised for it.
class EntryBox::LengthLimit : public QValidator {
  public:
    explicit LengthLimit(EntryBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int& pos) const override {
        const qsizetype limit = box_->userMaxLength_;
        const qsizetype added = input.size() - box_->lastText_.size();
        const qsizetype excess = input.size() - limit;
        if (box_->programWrite_ || limit <= 0 || excess <= 0 || added <= 0) {
            return Acceptable;
        }
        const qsizetype cut = std::min({excess, added, static_cast<qsizetype>(pos)});
        input.remove(pos - cut, cut);
        pos -= static_cast<int>(cut);
        if (input.size() > limit && input.size() > box_->lastText_.size()) {
            return Invalid;
        }
        return input == box_->lastText_ ? Invalid : Acceptable;
    }

  private:
    EntryBox* box_;
};

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextBoxInk(*this);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lastText_ = text; });
}

void EntryBox::setText(const QString& text) {
    const QScopedValueRollback<bool> writing(programWrite_, true);
    QLineEdit::setText(text);
}

void EntryBox::setUserMaxLength(int length) {
    userMaxLength_ = length;
    lastText_ = text();
    if (validator() == nullptr) {
        setValidator(new LengthLimit(this));
    }
}

void EntryBox::setBackColor(const QColor& color) {
    setBaseColor(*this, color);
}

QColor EntryBox::backColor() const {
    return baseColor(*this);
}

// A box that types the control keys keeps them from the shortcuts of its window and its own.
bool EntryBox::event(QEvent* event) {
    if (controlKeysTyped_ && event->type() == QEvent::ShortcutOverride &&
        controlKeyCode(*static_cast<QKeyEvent*>(event)) > 0) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    int code = keyPressCode(*event);
    if (code < 0 && controlKeysTyped_) {
        code = controlKeyCode(*event);
    }
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

// A character composed with an input method (a dead key, say) is typed like a key, so that
// the key handling sees it too.
void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString composed = event->commitString();
    if (composed.isEmpty() || !event->preeditString().isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent endComposing;
    QLineEdit::inputMethodEvent(&endComposing);
    for (const QChar c : composed) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        keyPressEvent(&typed);
    }
    event->accept();
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isFocusArrival(this, event->reason())) {
        emit gotFocus();
    }
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    emit clicked();
}

}  // namespace trelvane
