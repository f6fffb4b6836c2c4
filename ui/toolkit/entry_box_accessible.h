// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

#include "entry_box.h"

namespace trelvane {

// An entry box as screen readers see it: an editable one-line text, in the shape of Qt's own
// line edit (text, caret, selection, editing), that tells where it is seen. A box that is
// never seen itself tells the place of its face (EntryBox::setFace), where a magnifier that
// follows the focus must go; one slid out of view or covered is not showing.
class EntryBoxAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit EntryBoxAccessible(EntryBox* box);

    QRect rect() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
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

    // QAccessibleEditableTextInterface: as a paste or a Delete does, through the box's limit.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    EntryBox* box() const;
    // The span [start, end) of the given kind at the offset; a box holds a few characters,
    // so a word, a line or a paragraph is its whole text.
    std::pair<int, int> spanAt(int offset, QAccessible::TextBoundaryType boundaryType) const;
    QString answer(std::pair<int, int> span, int* startOffset, int* endOffset) const;
};

}  // namespace trelvane
