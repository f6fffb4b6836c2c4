// SPDX-License-Identifier: MIT
#include "code_edit_accessible.h"

#include <algorithm>

#include "accessible_position.h"
#include "code_words.h"
#include "seen_rect.h"

namespace trelvane {

namespace {

constexpr std::pair<qsizetype, qsizetype> kNoSpan{-1, -1};

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
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

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

void* CodeEditAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (t == QAccessible::EditableTextInterface && !edit()->isReadOnly()) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

// --- Caret and selection ----------------------------------------------------------------------

void CodeEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && selectionCount() == 1) {
        *startOffset = accessiblePosition(edit()->selectionStart());
        *endOffset = accessiblePosition(edit()->selectionEnd());
    }
}

int CodeEditAccessible::selectionCount() const {
    return edit()->selectionStart() != edit()->selectionEnd() ? 1 : 0;
}

// The field has one selection: adding one replaces it.
void CodeEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void CodeEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        edit()->setCaretPosition(edit()->caretPosition());
    }
}

void CodeEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        edit()->setSelection(startOffset, endOffset);
    }
}

int CodeEditAccessible::cursorPosition() const {
    return accessiblePosition(edit()->caretPosition());
}

void CodeEditAccessible::setCursorPosition(int position) {
    edit()->setCaretPosition(position);
}

// --- Text -------------------------------------------------------------------------------------

int CodeEditAccessible::characterCount() const {
    return accessiblePosition(length());
}

// An end of -1 means the end of the text.
QString CodeEditAccessible::text(int startOffset, int endOffset) const {
    const qsizetype size = length();
    const qsizetype from = std::clamp<qsizetype>(startOffset, 0, size);
    const qsizetype to = endOffset < 0 ? size : std::clamp<qsizetype>(endOffset, from, size);
    return readable(edit()->text().mid(from, to - from));
}

QString CodeEditAccessible::answer(Span span, int* startOffset, int* endOffset) const {
    *startOffset = accessiblePosition(span.first);
    *endOffset = accessiblePosition(span.second);
    if (span.first < 0 || span.second <= span.first) {
        return QString();
    }
    return readable(edit()->text().mid(span.first, span.second - span.first));
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

QString CodeEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    return answer(spanAt(offset == -1 ? length() : offset, boundaryType), startOffset, endOffset);
}

QString CodeEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    return answer(neighbourSpan(offset, boundaryType, false), startOffset, endOffset);
}

QString CodeEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return answer(neighbourSpan(offset, boundaryType, true), startOffset, endOffset);
}

CodeEditAccessible::Span CodeEditAccessible::neighbourSpan(
    qsizetype offset, QAccessible::TextBoundaryType boundaryType, bool after) const {
    if (offset == -1) {
        offset = length();
    }
    if (boundaryType == QAccessible::NoBoundary) {
        return kNoSpan;
    }
    const auto [start, end] = spanAt(offset, boundaryType);
    if (after) {
        return start < 0 || end >= length() ? kNoSpan : spanAt(end, boundaryType);
    }
    const qsizetype before = start < 0 ? offset : start;
    return before <= 0 ? kNoSpan : spanAt(before - 1, boundaryType);
}

// One look for the whole text: no attributes change along it.
QString CodeEditAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

// --- Editing ----------------------------------------------------------------------------------

// An end of -1 means the end of the text, as in text().
void CodeEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void CodeEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

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
