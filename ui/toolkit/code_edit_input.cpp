// SPDX-License-Identifier: MIT
// The code field's input: keys, input methods, focus, the mouse and the context menu.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

#include "code_edit.h"
#include "code_words.h"
#include "codepage.h"
#include "focus_arrival.h"
#include "key_code.h"

namespace trelvane {

// --- Keyboard ---------------------------------------------------------------------------------

bool CodeEdit::event(QEvent* event) {
    // Keys the box uses itself are not taken away by the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Paste) || key->matches(QKeySequence::SelectAll) ||
            key->matches(QKeySequence::Undo) || keyPressCode(*key) >= 0) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CodeEdit::keyPressEvent(QKeyEvent* event) {
    event->accept();
    guarded([&] {
        if (runEditKey(*event)) {
            return;
        }
        if (moveByKey(*event)) {
            if (event->modifiers() & Qt::ShiftModifier) {
                offerPrimarySelection();
            }
        } else if (event->key() == Qt::Key_Delete) {
            if (!readOnly_) {
                deleteForward();
            }
        } else if (const int code = keyPressCode(*event); code >= 0 && !readOnly_) {
            typeCharacter(code, event->text());
        } else {
            event->ignore();
            QAbstractScrollArea::keyPressEvent(event);
        }
    });
}

// The standard keys of the clipboard, select all and undo; whether the key was one of them.
bool CodeEdit::runEditKey(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Copy)) {
        copy();
    } else if (event.matches(QKeySequence::Cut)) {
        cut();
    } else if (event.matches(QKeySequence::Paste)) {
        paste();
    } else if (event.matches(QKeySequence::SelectAll)) {
        selectAll();
        offerPrimarySelection();
    } else if (event.matches(QKeySequence::Undo)) {
        undo();
    } else {
        return false;
    }
    return true;
}

bool CodeEdit::moveByKey(const QKeyEvent& event) {
    const bool extend = event.modifiers() & Qt::ShiftModifier;
    const bool control = event.modifiers() & Qt::ControlModifier;
    const qsizetype length = text_.size();
    const qsizetype line = lineOf(caret_);
    qsizetype next;
    switch (event.key()) {
        case Qt::Key_Left:
            next = !extend && hasSelection() ? selectionStart()
                   : control                 ? wordStartBefore(caret_)
                                             : previousCaretStop(caret_);
            break;
        case Qt::Key_Right:
            next = !extend && hasSelection() ? selectionEnd()
                   : control                 ? nextWordStart(caret_)
                                             : nextCaretStop(caret_);
            break;
        case Qt::Key_Up:
            next = line == 0 ? 0 : caretColumnOn(line - 1);
            break;
        case Qt::Key_Down:
            next = line + 1 >= lineCount() ? length : caretColumnOn(line + 1);
            break;
        case Qt::Key_PageUp:
            next = caretColumnOn(line - std::max(1, visibleLines()));
            break;
        case Qt::Key_PageDown:
            next = caretColumnOn(line + std::max(1, visibleLines()));
            break;
        case Qt::Key_Home:
            next = control ? 0 : lineStart(line);
            break;
        case Qt::Key_End:
            next = control ? length : lastStopOf(line);
            break;
        default:
            return false;
    }
    setCaretPosition(next, extend);
    return true;
}

// The start of the word before a position, on the line that holds the character before it.
qsizetype CodeEdit::wordStartBefore(qsizetype position) const {
    const qsizetype low = position > 0 ? lineStart(lineOf(position - 1)) : 0;
    return backOver(text_, backOver(text_, position, low, WordClass::Word, false), low,
                    WordClass::Word);
}

// Past the word at a position and what follows it, to the start of the next line at most.
qsizetype CodeEdit::nextWordStart(qsizetype position) const {
    const qsizetype line = lineOf(position);
    const qsizetype high = line + 1 < lineCount() ? lineStart(line + 1) : text_.size();
    return forwardOver(text_, forwardOver(text_, position, high, WordClass::Word), high,
                       WordClass::Word, false);
}

// The position on a line (clamped to the text's lines) nearest to the caret's column.
qsizetype CodeEdit::caretColumnOn(qsizetype line) const {
    line = std::clamp<qsizetype>(line, 0, lineCount() - 1);
    return positionAt(QPointF(kMargin + xOf(caret_), lineTop(line) + lineHeight_ / 2));
}

// Where End goes on a line. A line broken by wrapping ends where the next one starts, which is
// drawn on the next line: End stops at the last caret stop before the break, so that pressing
// it again stays on the line.
qsizetype CodeEdit::lastStopOf(qsizetype line) {
    const qsizetype end = lineEnd(line);
    if (line + 1 < lineCount() && end == lineStart(line + 1)) {
        return previousCaretStop(end);
    }
    return end;
}

void CodeEdit::inputMethodEvent(QInputMethodEvent* event) {
    guarded([&] {
        if (!readOnly_) {
            // Characters composed by an input method arrive like typed keys.
            const QString committed = event->commitString();
            for (qsizetype i = 0; i < committed.size(); ++i) {
                const qsizetype length =
                    committed.at(i).isHighSurrogate() && i + 1 < committed.size() ? 2 : 1;
                const QString typed = committed.mid(i, length);
                typeCharacter(codeOf(typed.at(0).unicode()), typed);
                i += length - 1;
            }
        }
    });
    event->accept();
}

// Without the memory to shape the caret's line, an input method is told nothing.
QVariant CodeEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    QVariant answer;
    quietly([&] {
        switch (query) {
            case Qt::ImEnabled:
                answer = !readOnly_;
                break;
            case Qt::ImCursorRectangle:
                answer = caretRect().toRect();
                break;
            case Qt::ImCursorPosition:
                answer = static_cast<int>(caret_ - lineStart(lineOf(caret_)));
                break;
            case Qt::ImSurroundingText:
                answer = lineText(lineOf(caret_)).toString();
                break;
            default:
                answer = QAbstractScrollArea::inputMethodQuery(query);
                break;
        }
    });
    return answer;
}

// --- Focus and mouse --------------------------------------------------------------------------

void CodeEdit::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartCaretBlink();
    viewport()->update();
    if (isFocusArrival(this, event->reason())) {
        emit gotFocus();
    }
}

void CodeEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    caretBlink_.stop();
    caretShown_ = false;
    viewport()->update();
}

void CodeEdit::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        guarded([&] {
            const qsizetype at = positionAt(event->position());
            pressed_ = true;
            setCaretPosition(at, event->modifiers() & Qt::ShiftModifier);
        });
    }
}

void CodeEdit::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->buttons() & Qt::LeftButton)) {
        quietly([&] { setCaretPosition(positionAt(event->position()), true); });
    }
}

void CodeEdit::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    guarded([&] {
        if (event->button() == Qt::MiddleButton) {
            pastePrimarySelectionAt(event->position());
        } else if (pressed_ && event->button() == Qt::LeftButton) {
            pressed_ = false;
            offerPrimarySelection();
            emit clicked();
        }
    });
}

void CodeEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A double click selects the word under the pointer, on the line it points at.
    guarded([&] {
        const qsizetype line = lineAt(event->position().y());
        const qsizetype at = positionAt(event->position());
        const qsizetype from = backOver(text_, at, lineStart(line), WordClass::Word);
        const qsizetype to = forwardOver(text_, at, lineEnd(line), WordClass::Word);
        pressed_ = true;
        placeCaret(to, from);
    });
}

void CodeEdit::contextMenuEvent(QContextMenuEvent* event) {
    guarded([&] {
        QMenu menu(this);
        const bool editable = !readOnly_;
        menu.addAction(QStringLiteral("&Deshacer"), this, &CodeEdit::undo)
            ->setEnabled(editable && hasUndo_);
        menu.addSeparator();
        menu.addAction(QStringLiteral("Cor&tar"), this, &CodeEdit::cut)
            ->setEnabled(editable && hasSelection());
        menu.addAction(QStringLiteral("&Copiar"), this, &CodeEdit::copy)
            ->setEnabled(hasSelection());
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        menu.addAction(QStringLiteral("&Pegar"), this, &CodeEdit::paste)
            ->setEnabled(editable && data != nullptr && data->hasText());
        menu.addAction(QStringLiteral("&Eliminar"), this,
                       [this] { guarded([this] { replaceSelection(QString()); }); })
            ->setEnabled(editable && hasSelection());
        menu.addSeparator();
        menu.addAction(QStringLiteral("&Seleccionar todo"), this,
                       [this] {
                           guarded([this] {
                               selectAll();
                               offerPrimarySelection();
                           });
                       })
            ->setEnabled(!text_.isEmpty());
        menu.exec(event->globalPos());
    });
}

}  // namespace trelvane
