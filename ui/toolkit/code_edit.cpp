#include "code_edit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <climits>

#include "codepage.h"
#include "focus_arrival.h"
#include "key_code.h"
#include "visible_text.h"

namespace trelvane {

namespace {

// The editor keeps line breaks as paragraph separators; the field's text has line feeds.
QString withLineFeeds(QString shown) {
    shown.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return fromVisible(shown);
}

}  // namespace

CodeEdit::CodeEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameStyle(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Long runs of digits have no blanks: they break at the edge of the box, anywhere.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this, &CodeEdit::noteContentsChange);
    // The change is raised once the editor has finished its edit, so that a handler may write
    // the box again.
    connect(this, &QPlainTextEdit::textChanged, this, &CodeEdit::raisePendingChange);
}

void CodeEdit::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    {
        const QScopedValueRollback<bool> writing(programWrite_, true);
        setPlainText(toVisible(text_));
    }
    changePending_ = false;
    emit changed();
}

void CodeEdit::moveCaretToEnd() {
    moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);
}

void CodeEdit::setBackColor(const QColor& color) {
    QPalette p = palette();
    if (p.color(QPalette::Base) == color) {
        return;
    }
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

QColor CodeEdit::backColor() const {
    return palette().color(QPalette::Base);
}

QString CodeEdit::documentText(int position, int length) const {
    QTextCursor cursor(document());
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    return withLineFeeds(cursor.selectedText());
}

// An edit of the user: the kept text takes the same edit, so characters the program wrote
// elsewhere in the text stay exactly as written.
void CodeEdit::noteContentsChange(int position, int removed, int added) {
    if (programWrite_) {
        return;
    }
    const int shownLength = document()->characterCount() - 1;
    // The editor may count the closing paragraph separator in both numbers.
    const int beyond = position + removed - static_cast<int>(text_.size());
    if (beyond > 0) {
        removed -= beyond;
        added -= beyond;
    }
    QString next;
    if (position >= 0 && removed >= 0 && added >= 0 &&
        text_.size() - removed + added == shownLength) {
        const QString inserted = documentText(position, added);
        if (inserted == QStringView(text_).mid(position, removed)) {
            return;
        }
        next = text_;
        next.replace(position, removed, inserted);
    } else {
        next = withLineFeeds(document()->toRawText());
        if (next == text_) {
            return;
        }
    }
    text_ = std::move(next);
    changePending_ = true;
}

void CodeEdit::raisePendingChange() {
    if (!changePending_) {
        return;
    }
    changePending_ = false;
    emit changed();
}

int CodeEdit::roomForUser() const {
    if (userMaxLength_ <= 0) {
        return INT_MAX;
    }
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return userMaxLength_ - (static_cast<int>(text_.size()) - selected);
}

void CodeEdit::typeText(const QString& typed) {
    if (typed.isEmpty() || typed.size() > roomForUser()) {
        return;
    }
    // Inserted at the editor's own caret: a handler that rewrites the box during the insertion
    // leaves the caret where it put it.
    insertPlainText(toVisible(typed));
    ensureCursorVisible();
}

void CodeEdit::keyPressEvent(QKeyEvent* event) {
    int code = isReadOnly() ? -1 : keyPressCode(*event);
    if (code < 0) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const int typed = code;
    emit keyPress(code);
    event->accept();
    if (code == 0) {
        return;
    }
    if (code == 8) {
        if (typed == 8) {
            QPlainTextEdit::keyPressEvent(event);
        } else {
            QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
            QPlainTextEdit::keyPressEvent(&backspace);
        }
        return;
    }
    if (code == 13) {
        // Enter breaks the line with a line feed.
        typeText(QStringLiteral("\n"));
    } else if (code == typed) {
        typeText(event->text().left(1));
    } else {
        typeText(QString(QChar(charOf(static_cast<std::uint8_t>(code)))));
    }
}

// A character composed with an input method (a dead key, say) is typed like a key, so that
// the key handling sees it too.
void CodeEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString composed = event->commitString();
    if (composed.isEmpty() || !event->preeditString().isEmpty() || isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent endComposing;
    QPlainTextEdit::inputMethodEvent(&endComposing);
    for (const QChar c : composed) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        keyPressEvent(&typed);
    }
    event->accept();
}

void CodeEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (isFocusArrival(this, event->reason())) {
        emit gotFocus();
    }
}

void CodeEdit::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    QPlainTextEdit::mousePressEvent(event);
}

void CodeEdit::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (pressed_) {
        pressed_ = false;
        emit clicked();
    }
}

// Copying hands out the characters themselves, not their pictures.
QMimeData* CodeEdit::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(
        text_.mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()));
    return data;
}

// Pasting and dropping are limited to the room the maximum length leaves.
void CodeEdit::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || source == nullptr || !source->hasText()) {
        return;
    }
    QString pasted = source->text();
    const int room = roomForUser();
    if (room <= 0) {
        return;
    }
    if (pasted.size() > room) {
        pasted.truncate(room);
    }
    typeText(pasted);
}

}  // namespace trelvane
