// SPDX-License-Identifier: MIT
#pragma once

#include "code_edit.h"
#include "editable_text_accessible.h"

namespace trelvane {

// A code field as screen readers see it: an editable text, multi-line, whose text, caret and
// selection they read and set through the text interface, and which they may edit through the
// editable text interface as the user edits it (see CodeEdit::editAsUser), in the shape of
// Qt's own text widgets. The field may hold millions of
// characters, so every answer reads only the span it is asked about: a word or a line is found
// by looking around the offset, never by copying the whole text.
class CodeEditAccessible : public EditableTextAccessible {
  public:
    explicit CodeEditAccessible(CodeEdit* edit);

    using EditableTextAccessible::text;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::State state() const override;
    // The field's text is all it holds: its scroll bar follows the caret, and would be told
    // out of place while the field shows only as a strip.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    // The caret, the geometry and the editing.
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  protected:
    bool isReadOnly() const override { return edit()->isReadOnly(); }
    qsizetype length() const override { return edit()->text().size(); }
    QString textOf(qsizetype from, qsizetype to) const override;
    Span spanAt(qsizetype offset, QAccessible::TextBoundaryType boundaryType) const override;
    Span selectedSpan() const override;
    void select(int startOffset, int endOffset) override;
    void deselect() override;

  private:
    CodeEdit* edit() const;
    Span lineAt(qsizetype offset) const;
};

}  // namespace trelvane
