// SPDX-License-Identifier: MIT
#include "editable_text_accessible.h"

#include <algorithm>

#include "accessible_position.h"

namespace trelvane {

EditableTextAccessible::EditableTextAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role) {}

// A read-only text is not offered for editing.
void* EditableTextAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (t == QAccessible::EditableTextInterface && !isReadOnly()) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

// --- Selection --------------------------------------------------------------------------------

void EditableTextAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    const auto [start, end] = selectedSpan();
    if (selectionIndex == 0 && start != end) {
        *startOffset = accessiblePosition(start);
        *endOffset = accessiblePosition(end);
    }
}

int EditableTextAccessible::selectionCount() const {
    const auto [start, end] = selectedSpan();
    return start != end ? 1 : 0;
}

// There is one selection: adding one replaces it.
void EditableTextAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void EditableTextAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        deselect();
    }
}

void EditableTextAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        select(startOffset, endOffset);
    }
}

// --- Text -------------------------------------------------------------------------------------

int EditableTextAccessible::characterCount() const {
    return accessiblePosition(length());
}

// An end of -1 means the end of the text.
QString EditableTextAccessible::text(int startOffset, int endOffset) const {
    const qsizetype size = length();
    const qsizetype from = std::clamp<qsizetype>(startOffset, 0, size);
    const qsizetype to = endOffset < 0 ? size : std::clamp<qsizetype>(endOffset, from, size);
    return textOf(from, to);
}

QString EditableTextAccessible::answer(Span span, int* startOffset, int* endOffset) const {
    *startOffset = accessiblePosition(span.first);
    *endOffset = accessiblePosition(span.second);
    if (span.first < 0 || span.second <= span.first) {
        return QString();
    }
    return textOf(span.first, span.second);
}

// An offset of -1 means the end of the text; one outside it holds no span.
QString EditableTextAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    const qsizetype at = offset == -1 ? length() : offset;
    const bool inside = at >= 0 && at <= length();
    return answer(inside ? spanAt(at, boundaryType) : kNoSpan, startOffset, endOffset);
}

QString EditableTextAccessible::textBeforeOffset(int offset,
                                                 QAccessible::TextBoundaryType boundaryType,
                                                 int* startOffset, int* endOffset) const {
    return answer(neighbourSpan(offset, boundaryType, false), startOffset, endOffset);
}

QString EditableTextAccessible::textAfterOffset(int offset,
                                                QAccessible::TextBoundaryType boundaryType,
                                                int* startOffset, int* endOffset) const {
    return answer(neighbourSpan(offset, boundaryType, true), startOffset, endOffset);
}

EditableTextAccessible::Span EditableTextAccessible::neighbourSpan(
    qsizetype offset, QAccessible::TextBoundaryType boundaryType, bool after) const {
    if (offset == -1) {
        offset = length();
    }
    if (boundaryType == QAccessible::NoBoundary || offset < 0 || offset > length()) {
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
QString EditableTextAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

// --- Editing ----------------------------------------------------------------------------------

// An end of -1 means the end of the text, as in text().
void EditableTextAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void EditableTextAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

}  // namespace trelvane
