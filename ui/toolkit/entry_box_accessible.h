// SPDX-License-Identifier: MIT
#pragma once

#include "editable_text_accessible.h"
#include "entry_box.h"

namespace trelvane {

// An entry box as screen readers see it: an editable one-line text, in the shape of Qt's own
// line edit (text, caret, selection, editing), that tells where it is seen. A box that is
// never seen itself tells the place of its face (EntryBox::setFace), where a magnifier that
// follows the focus must go; one slid out of view or covered is not showing.
class EntryBoxAccessible : public EditableTextAccessible {
  public:
    explicit EntryBoxAccessible(EntryBox* box);

    QRect rect() const override;
    QAccessible::State state() const override;
    using EditableTextAccessible::text;
    QString text(QAccessible::Text t) const override;

    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    // Editing goes as a paste or a Delete does, through the box's limit.
    void replaceText(int startOffset, int endOffset, const QString& text) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

  protected:
    Span selectedSpan() const override;
    void select(int startOffset, int endOffset) override;
    void deselect() override;
    bool isReadOnly() const override { return box()->isReadOnly(); }
    qsizetype length() const override { return box()->text().size(); }
    QString textOf(qsizetype from, qsizetype to) const override;
    // A box holds a few characters, so a word, a line or a paragraph is its whole text.
    Span spanAt(qsizetype offset, QAccessible::TextBoundaryType boundaryType) const override;

  private:
    EntryBox* box() const;
};

}  // namespace trelvane
