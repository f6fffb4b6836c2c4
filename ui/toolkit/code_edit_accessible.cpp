// SPDX-License-Identifier: MIT
#include "code_edit_accessible.h"

#include <algorithm>

#include "accessible_position.h"
#include "code_words.h"
#include "seen_rect.h"

namespace trelvane {

namespace {

// What a screen reader is handed must survive D-Bus, whose strings are UTF-8 without NUL: a
// NUL becomes its control picture and a lone surrogate the replacement character, one unit
// for one unit, so that offsets stay aligned with the field's text.
QString readable(QString text) {
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c.isNull()) {
            text[i] = QChar(0x2400);
        } else if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

}  // namespace

CodeEditAccessible::CodeEditAccessible(CodeEdit* edit)
    : EditableTextAccessible(edit, QAccessible::EditableText) {}

CodeEdit* CodeEditAccessible::edit() const {
    return static_cast<CodeEdit*>(widget());
}

// The text itself is read through the text interface, never as one value: it may be millions
// of characters long.
QString CodeEditAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Description:
            return edit()->accessibleDescription();
        case QAccessible::Value:
            return QString();
        default:
            return QAccessibleWidget::text(t);
    }
}

// Where the field is seen: a field slid partly out of view is told by its part in view, one
// covered by the grouping view or out of view is not showing.
QRect CodeEditAccessible::rect() const {
    return seenRect(edit());
}

QAccessible::State CodeEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = rect().isEmpty();
    state.multiLine = true;
    state.selectableText = true;
    state.editable = !edit()->isReadOnly();
    state.readOnly = edit()->isReadOnly();
    return state;
}

// --- Caret and selection ----------------------------------------------------------------------

CodeEditAccessible::Span CodeEditAccessible::selectedSpan() const {
    return {edit()->selectionStart(), edit()->selectionEnd()};
}

void CodeEditAccessible::select(int startOffset, int endOffset) {
    edit()->setSelection(startOffset, endOffset);
}

void CodeEditAccessible::deselect() {
    edit()->setCaretPosition(edit()->caretPosition());
}

int CodeEditAccessible::cursorPosition() const {
    return accessiblePosition(edit()->caretPosition());
}

void CodeEditAccessible::setCursorPosition(int position) {
    edit()->setCaretPosition(position);
}

// --- Text -------------------------------------------------------------------------------------

QString CodeEditAccessible::textOf(qsizetype from, qsizetype to) const {
    return readable(edit()->text().mid(from, to - from));
}

// The line as the field shows it: from its start to the start of the next one (the line feed
// that ends it included).
CodeEditAccessible::Span CodeEditAccessible::lineAt(qsizetype offset) const {
    const CodeEdit& field = *edit();
    const qsizetype line = field.lineOf(offset);
    const qsizetype end =
        line + 1 < field.lineCount() ? field.lineStart(line + 1) : field.text().size();
    return {field.lineStart(line), end};
}

CodeEditAccessible::Span CodeEditAccessible::spanAt(
    qsizetype offset, QAccessible::TextBoundaryType boundaryType) const {
    const QString& text = edit()->text();
    const qsizetype length = text.size();
    if (offset < 0 || offset > length) {
        return kNoSpan;
    }
    switch (boundaryType) {
        case QAccessible::CharBoundary: {
            if (offset == length) {
                return kNoSpan;
            }
            qsizetype start = offset;
            if (text.at(start).isLowSurrogate() && start > 0 &&
                text.at(start - 1).isHighSurrogate()) {
                --start;
            }
            const bool pair = text.at(start).isHighSurrogate() && start + 1 < length &&
                              text.at(start + 1).isLowSurrogate();
            return {start, start + (pair ? 2 : 1)};
        }
        case QAccessible::WordBoundary: {
            if (length == 0) {
                return kNoSpan;
            }
            // A run without blanks may be millions of digits long: a word ends with its line.
            const qsizetype at = offset == length ? length - 1 : offset;
            const auto [lineStart, lineEnd] = lineAt(at);
            const WordClass kind = wordClass(text.at(at));
            if (kind == WordClass::Other) {
                return {at, at + 1};
            }
            return {backOver(text, at, lineStart, kind), forwardOver(text, at, lineEnd, kind)};
        }
        case QAccessible::LineBoundary:
            return lineAt(offset);
        case QAccessible::SentenceBoundary:
            // Codes are not prose: a sentence is taken as its paragraph.
        case QAccessible::ParagraphBoundary: {
            const qsizetype start =
                offset == 0 ? 0 : text.lastIndexOf(QLatin1Char('\n'), offset - 1) + 1;
            const qsizetype feed = text.indexOf(QLatin1Char('\n'), offset);
            return {start, feed < 0 ? length : feed + 1};
        }
        case QAccessible::NoBoundary:
            return {0, length};
    }
    return kNoSpan;
}

// --- Editing ----------------------------------------------------------------------------------

// An end of -1 means the end of the text, as in text().
void CodeEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    const qsizetype end = endOffset < 0 ? length() : endOffset;
    if (startOffset < 0 || end < startOffset) {
        return;
    }
    edit()->editAsUser(startOffset, end - startOffset, text);
}

// --- Geometry ---------------------------------------------------------------------------------

QRect CodeEditAccessible::characterRect(int offset) const {
    if (offset < 0 || offset > length()) {
        return QRect();
    }
    const QRect local = edit()->characterRect(offset).toAlignedRect();
    return QRect(edit()->viewport()->mapToGlobal(local.topLeft()), local.size());
}

int CodeEditAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = edit()->viewport()->mapFromGlobal(point);
    if (!edit()->viewport()->rect().contains(local)) {
        return -1;
    }
    return accessiblePosition(edit()->positionAt(QPointF(local)));
}

// As Qt's own line edit does: the caret goes to the start of the span, which scrolls it into
// view.
void CodeEditAccessible::scrollToSubstring(int startIndex, int) {
    edit()->setCaretPosition(startIndex);
}

}  // namespace trelvane
