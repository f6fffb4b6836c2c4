// SPDX-License-Identifier: MIT
#include "entry_box_accessible.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "seen_rect.h"

namespace trelvane {

EntryBoxAccessible::EntryBoxAccessible(EntryBox* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

EntryBox* EntryBoxAccessible::box() const {
    return static_cast<EntryBox*>(widget());
}

QRect EntryBoxAccessible::rect() const {
    return seenRect(box()->face() != nullptr ? box()->face() : box());
}

QAccessible::State EntryBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = rect().isEmpty();
    state.selectableText = true;
    state.editable = !box()->isReadOnly();
    state.readOnly = box()->isReadOnly();
    return state;
}

// The text itself is read through the text interface; the value is the text as well, as in
// Qt's own line edit.
QString EntryBoxAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Value:
            return box()->text();
        case QAccessible::Description:
            return box()->accessibleDescription();
        default:
            return QAccessibleWidget::text(t);
    }
}

void* EntryBoxAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (t == QAccessible::EditableTextInterface && !box()->isReadOnly()) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

void EntryBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && box()->hasSelectedText()) {
        *startOffset = box()->selectionStart();
        *endOffset = box()->selectionEnd();
    }
}

int EntryBoxAccessible::selectionCount() const {
    return box()->hasSelectedText() ? 1 : 0;
}

void EntryBoxAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void EntryBoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        box()->deselect();
    }
}

void EntryBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        box()->setSelection(startOffset, endOffset - startOffset);
    }
}

int EntryBoxAccessible::cursorPosition() const {
    return box()->cursorPosition();
}

void EntryBoxAccessible::setCursorPosition(int position) {
    box()->setCursorPosition(position);
}

int EntryBoxAccessible::characterCount() const {
    return static_cast<int>(box()->text().size());
}

QString EntryBoxAccessible::text(int startOffset, int endOffset) const {
    const int size = characterCount();
    const int from = std::clamp(startOffset, 0, size);
    const int to = endOffset < 0 ? size : std::clamp(endOffset, from, size);
    return box()->text().mid(from, to - from);
}

std::pair<int, int> EntryBoxAccessible::spanAt(int offset,
                                               QAccessible::TextBoundaryType boundaryType) const {
    const int size = characterCount();
    if (offset == -1) {
        offset = size;
    }
    if (offset < 0 || offset > size) {
        return {-1, -1};
    }
    if (boundaryType != QAccessible::CharBoundary) {
        return {0, size};
    }
    if (offset == size) {
        return {-1, -1};
    }
    const QString text = box()->text();
    int start = offset;
    if (text.at(start).isLowSurrogate() && start > 0 && text.at(start - 1).isHighSurrogate()) {
        --start;
    }
    const bool pair =
        text.at(start).isHighSurrogate() && start + 1 < size && text.at(start + 1).isLowSurrogate();
    return {start, start + (pair ? 2 : 1)};
}

QString EntryBoxAccessible::answer(std::pair<int, int> span, int* startOffset,
                                   int* endOffset) const {
    *startOffset = span.first;
    *endOffset = span.second;
    return span.first < 0 ? QString() : text(span.first, span.second);
}

QString EntryBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    return answer(spanAt(offset, boundaryType), startOffset, endOffset);
}

QString EntryBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    const auto [start, end] = spanAt(offset, boundaryType);
    const int before = start < 0 ? (offset == -1 ? characterCount() : offset) : start;
    if (boundaryType != QAccessible::CharBoundary || before <= 0) {
        return answer({-1, -1}, startOffset, endOffset);
    }
    return answer(spanAt(before - 1, boundaryType), startOffset, endOffset);
}

QString EntryBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    const auto [start, end] = spanAt(offset, boundaryType);
    if (boundaryType != QAccessible::CharBoundary || start < 0 || end >= characterCount()) {
        return answer({-1, -1}, startOffset, endOffset);
    }
    return answer(spanAt(end, boundaryType), startOffset, endOffset);
}

// Where a character is drawn: the text lies in the box's contents, aligned as the box aligns
// it; a box seen through its face is told at its face.
QRect EntryBoxAccessible::characterRect(int offset) const {
    const int size = characterCount();
    if (offset < 0 || offset >= size) {
        return QRect();
    }
    if (box()->face() != nullptr) {
        return rect();
    }
    QStyleOptionFrame option;
    option.initFrom(box());
    option.lineWidth = box()->hasFrame() ? 1 : 0;
    const QRect contents =
        box()->style()->subElementRect(QStyle::SE_LineEditContents, &option, box());
    const QFontMetrics metrics(box()->font());
    const QString text = box()->text();
    const int width = metrics.horizontalAdvance(text);
    const Qt::Alignment align =
        QStyle::visualAlignment(box()->layoutDirection(), box()->alignment());
    int left = contents.left();
    if (align & Qt::AlignHCenter) {
        left += (contents.width() - width) / 2;
    } else if (align & Qt::AlignRight) {
        left = contents.right() - width;
    }
    const QRect local(left + metrics.horizontalAdvance(text.left(offset)),
                      contents.center().y() - metrics.height() / 2,
                      metrics.horizontalAdvance(text.mid(offset, 1)), metrics.height());
    return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int EntryBoxAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = box()->mapFromGlobal(point);
    return box()->rect().contains(local) ? box()->cursorPositionAt(local) : -1;
}

void EntryBoxAccessible::scrollToSubstring(int startIndex, int) {
    box()->setCursorPosition(startIndex);
}

QString EntryBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void EntryBoxAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void EntryBoxAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void EntryBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    const int end = endOffset < 0 ? characterCount() : endOffset;
    if (box()->isReadOnly() || startOffset < 0 || end < startOffset || end > characterCount()) {
        return;
    }
    box()->setSelection(startOffset, end - startOffset);
    if (text.isEmpty()) {
        box()->del();
    } else {
        box()->insert(text);
    }
}

}  // namespace trelvane
