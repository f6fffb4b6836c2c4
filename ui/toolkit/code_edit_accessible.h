// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <utility>

#include "code_edit.h"

namespace trelvane {

// A code field as screen readers see it: an editable text, multi-line, whose text, caret and
// selection they read and set through the text interface, and which they may edit through the
// editable text interface as the user edits it (see CodeEdit::editAsUser), in the shape of
// Qt's own text widgets. The field may hold millions of
// characters, so every answer reads only the span it is asked about: a word or a line is found
// by looking around the offset, never by copying the whole text.
class CodeEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit CodeEditAccessible(CodeEdit* edit);

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::State state() const override;
    // The field's text is all it holds: its scroll bar follows the caret, and would be told
    // out of place while the field shows only as a strip.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    // Positions are counted in qsizetype inside, and told in int (see accessiblePosition).
    using Span = std::pair<qsizetype, qsizetype>;

    CodeEdit* edit() const;
    qsizetype length() const { return edit()->text().size(); }
    // The span [first, second) of the given kind that holds the offset.
    Span spanAt(qsizetype offset, QAccessible::TextBoundaryType boundaryType) const;
    // The span just before, or just after, the one that holds the offset.
    Span neighbourSpan(qsizetype offset, QAccessible::TextBoundaryType boundaryType,
                       bool after) const;
    Span lineAt(qsizetype offset) const;
    QString answer(Span span, int* startOffset, int* endOffset) const;
};

}  // namespace trelvane
