// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <utility>

namespace trelvane {

// An editable text as screen readers see it, in the shape of Qt's QAccessibleTextWidget: the
// text and editable text interfaces are answered here once, over a few hooks that tell the
// widget's text, its spans and its selection. Positions are counted in qsizetype inside, and
// told in int (see accessiblePosition).
class EditableTextAccessible : public QAccessibleWidget,
                               public QAccessibleTextInterface,
                               public QAccessibleEditableTextInterface {
  public:
    EditableTextAccessible(QWidget* widget, QAccessible::Role role);

    using QAccessibleWidget::text;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;

  protected:
    using Span = std::pair<qsizetype, qsizetype>;
    static constexpr Span kNoSpan{-1, -1};

    virtual bool isReadOnly() const = 0;
    virtual qsizetype length() const = 0;
    // The text of [from, to), both within the text, as a screen reader is handed it.
    virtual QString textOf(qsizetype from, qsizetype to) const = 0;
    // The span [first, second) of the given kind that holds the offset (0 to length()).
    virtual Span spanAt(qsizetype offset, QAccessible::TextBoundaryType boundaryType) const = 0;
    // The selected span; an empty one when nothing is selected.
    virtual Span selectedSpan() const = 0;
    virtual void select(int startOffset, int endOffset) = 0;
    virtual void deselect() = 0;

  private:
    // The span just before, or just after, the one that holds the offset.
    Span neighbourSpan(qsizetype offset, QAccessible::TextBoundaryType boundaryType,
                       bool after) const;
    QString answer(Span span, int* startOffset, int* endOffset) const;
};

}  // namespace trelvane
