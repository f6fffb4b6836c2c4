// SPDX-License-Identifier: MIT
#include "entry_box_accessible.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "seen_rect.h"

namespace trelvane {

EntryBoxAccessible::EntryBoxAccessible(EntryBox* box)
    : EditableTextAccessible(box, QAccessible::EditableText) {}

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

EditableTextAccessible::Span EntryBoxAccessible::selectedSpan() const {
    return box()->hasSelectedText() ? Span{box()->selectionStart(), box()->selectionEnd()}
                                    : Span{0, 0};
}

void EntryBoxAccessible::select(int startOffset, int endOffset) {
    box()->setSelection(startOffset, endOffset - startOffset);
}

void EntryBoxAccessible::deselect() {
    box()->deselect();
}

int EntryBoxAccessible::cursorPosition() const {
    return box()->cursorPosition();
}

void EntryBoxAccessible::setCursorPosition(int position) {
    box()->setCursorPosition(position);
}

QString EntryBoxAccessible::textOf(qsizetype from, qsizetype to) const {
    return box()->text().mid(from, to - from);
}

EditableTextAccessible::Span EntryBoxAccessible::spanAt(
    qsizetype offset, QAccessible::TextBoundaryType boundaryType) const {
    const qsizetype size = length();
    if (boundaryType != QAccessible::CharBoundary) {
        return {0, size};
    }
    if (offset == size) {
        return kNoSpan;
    }
    const QString text = box()->text();
    qsizetype start = offset;
    if (text.at(start).isLowSurrogate() && start > 0 && text.at(start - 1).isHighSurrogate()) {
        --start;
    }
    const bool pair =
        text.at(start).isHighSurrogate() && start + 1 < size && text.at(start + 1).isLowSurrogate();
    return {start, start + (pair ? 2 : 1)};
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
