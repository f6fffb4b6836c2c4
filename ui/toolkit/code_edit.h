// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <functional>
#include <memory>
#include <new>

#include "code_glyphs.h"
#include "line_index.h"
#include "shaped_lines.h"

namespace trelvane {

// A multi-line text box for the code fields. It keeps every character code exactly: what the
// program writes reads back identical, carriage returns, tabs and the character with code 0
// included. A line feed shows as a line break and a tab as a tab; the other control characters
// show as their Unicode control pictures, and the C1 controls (among them the five codes that
// Windows-1252 leaves undefined) as their code in a small box.
//
// Events as the window's handlers expect them: changed() is raised synchronously, once, when
// the program writes a different text, never for an identical one, and after every edit of
// the user that changes the text, last, once the box is consistent; keyPress with the typed
// character's code (the handler may set it to 0 to discard the key); gotFocus; clicked after a
// mouse click in the box.
//
// As on a Linux desktop, what the user selects becomes the primary selection, and a middle
// click pastes it where it points, the way Ctrl+V pastes the clipboard at the caret. Screen
// readers are told of every change (with the changed span's text only), caret move and
// selection change, and only while one listens.
//
// The box lays its text out and paints it itself, in time bounded by what it shows: the lines
// are held as a compact index (see LineIndex and line_wrap.h), an edit lays out again only the
// lines it changes, and only the lines in view are shaped and drawn, so a text of millions of
// characters shows and edits as quickly as a short one.
//
// Running out of memory: a program write (setText, replaceText) either happens whole or leaves
// the box as it was and lets std::bad_alloc through. An edit of the user, a click or a key that
// cannot get its memory is refused, and an edit whose changed() handler throws std::bad_alloc
// is taken back (without a second changed()); either way the box raises outOfMemory(). What
// the box does on its own (following a drag, blinking the caret, drawing) is left undone
// without a word. No std::bad_alloc leaves its event handlers.
class CodeEdit : public QAbstractScrollArea {
    Q_OBJECT
  public:
    // The span that the change which raised the last changed() touched: in the new text,
    // [position, position + inserted) replaced [position, position + removed) of the old one.
    struct Change {
        qsizetype position = 0;
        qsizetype removed = 0;
        qsizetype inserted = 0;
    };

    explicit CodeEdit(QWidget* parent = nullptr);
    // A box in its own font from the start, measured in that font only.
    explicit CodeEdit(const QFont& font, QWidget* parent = nullptr);
    ~CodeEdit() override;

    // The text as the box holds it.
    const QString& text() const { return text_; }

    // A program write of the whole text, adopting the string: keep no other copy of it, or the
    // next edit copies it. Raises changed() once when the text differs, never for an identical
    // one; caret and anchor go to 0, undo is forgotten and the view scrolls to the top. Not
    // limited by the maximum length.
    void setText(QString text);
    // A program write of a span: the text becomes left(position) + inserted +
    // mid(position + removed). The same rules as setText. Requires
    // 0 <= position <= position + removed <= size.
    void replaceText(qsizetype position, qsizetype removed, QStringView inserted);
    // The same write, of `length` units that `fill` writes straight into the room made for
    // them in the box's text, with no copy of their own. The rest of the text is moved around
    // that room first, so `fill` must read nothing of this box's text, and it writes every
    // unit of the room.
    using Fill = std::function<void(char16_t* room)>;
    void replaceText(qsizetype position, qsizetype removed, qsizetype length, const Fill& fill);
    // Valid inside changed() handlers and after; setText reports the whole text.
    Change lastChange() const { return lastChange_; }

    // Caret after the last character, nothing selected.
    void moveCaretToEnd();

    // The caret and the selection, as positions in the text. The selection runs from the
    // anchor to the caret.
    qsizetype caretPosition() const { return caret_; }
    qsizetype anchorPosition() const { return anchor_; }
    qsizetype selectionStart() const { return std::min(anchor_, caret_); }
    qsizetype selectionEnd() const { return std::max(anchor_, caret_); }
    bool hasSelection() const { return anchor_ != caret_; }
    QString selectedText() const;
    void setCaretPosition(qsizetype position, bool keepAnchor = false);
    void setSelection(qsizetype anchor, qsizetype caret);

    // The most characters the user may type or paste; 0 for no limit. Program writes are
    // never cut.
    void setUserMaxLength(qsizetype length) { userMaxLength_ = length; }
    qsizetype userMaxLength() const { return userMaxLength_; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    void setBackColor(const QColor& color);
    QColor backColor() const;

    // The lines the text takes at the box's width; the first line in view; where a line's
    // text starts; the line that holds a position.
    qsizetype lineCount() const { return lines_.lineCount(); }
    qsizetype firstVisibleLine() const;
    qsizetype lineStart(qsizetype line) const { return lines_.lineStart(line); }
    qsizetype lineOf(qsizetype position) const { return lines_.lineOf(position); }

    // Where a character is drawn, and the position nearest to a point, both in the
    // coordinates of the viewport (lines out of view lie above or below it).
    QRectF characterRect(qsizetype position) const;
    qsizetype positionAt(const QPointF& point) const;

    // An edit asked for by an assistive tool, made as the user would make it: the span
    // [position, position + removed) is selected and replaced. One character is typed (the
    // keyPress handler may discard it), a longer text is pasted (cut to the room the maximum
    // length leaves), an empty one deletes the span; changed() follows as for any edit of the
    // user. Nothing happens in a read-only box or for a span outside the text.
    void editAsUser(qsizetype position, qsizetype removed, const QString& inserted);

  public slots:
    void selectAll();
    void copy();
    void cut();
    void paste();
    void undo();

  signals:
    void changed();
    void keyPress(int& keyCode);
    void gotFocus();
    void clicked();
    void outOfMemory();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    // The last edit of the user, kept so that it can be undone; undoing it again redoes it.
    // The inserted text is not kept: it is in the box for as long as the record is the last,
    // and a copy would keep the box from changing its text in place.
    struct Edit {
        qsizetype position = 0;
        QString removed;
        qsizetype inserted = 0;
    };
    // What it takes to put the box back as it was before a change.
    struct Before;

    static constexpr qreal kMargin = 4;  // between the box's edge and its text, in pixels

    // Changes of the text.
    enum class Writer { Program, User };
    void replaceWhole(QString text, Before& before);
    void replaceSpan(qsizetype position, qsizetype removed, QStringView inserted, Before& before);
    bool fillSpan(qsizetype position, qsizetype removed, qsizetype length, const Fill& fill,
                  Before& before);
    QString copyOfSpan(qsizetype position, qsizetype length);
    void ownText();
    Before remember() const;
    void takeBack(Before& before);
    void afterProgramWrite(Before& before);
    void raiseChanged(Before& before, Writer writer);
    void textChanged();
    void announceChange(qsizetype position, const QString& removed, QStringView inserted,
                        const QString* insertedWhole) const;

    // Edits of the user.
    template <class Action>
    void guarded(Action&& action);
    template <class Action>
    static void quietly(Action&& action) noexcept;
    void applyEdit(qsizetype position, qsizetype removedLength, const QString& inserted);
    void replaceSelection(const QString& inserted);
    void typeText(const QString& typed, bool cutToRoom);
    void typeCharacter(int code, const QString& typed);
    void deleteBackward();
    void deleteForward();
    bool runEditKey(const QKeyEvent& event);
    bool moveByKey(const QKeyEvent& event);
    qsizetype wordStartBefore(qsizetype position) const;
    qsizetype nextWordStart(qsizetype position) const;
    qsizetype caretColumnOn(qsizetype line) const;
    qsizetype lastStopOf(qsizetype line);
    qsizetype roomForUser() const;
    void pastePrimarySelectionAt(const QPointF& point);
    void offerPrimarySelection() const;

    // Caret and selection.
    void placeCaret(qsizetype caret, qsizetype anchor);
    void announceCaret(qsizetype oldCaret, qsizetype oldAnchor) const;
    qsizetype previousCaretStop(qsizetype position);
    qsizetype nextCaretStop(qsizetype position);

    // What every constructor does: the settings of a box, then the measuring of its font.
    void setUp();

    // Layout.
    void relayoutAll();
    void useFont();
    int wrapWidth() const;
    void updateScrollBar();
    void ensureCaretVisible();
    int visibleLines() const;
    qsizetype lineEnd(qsizetype line) const;
    qsizetype lineAt(qreal y) const;  // the line at a height in the viewport
    QStringView lineText(qsizetype line) const;
    const QTextLayout& shapedLine(qsizetype line) const;
    qreal lineTop(qsizetype line) const;
    qreal xOf(qsizetype position) const;
    QRectF caretRect() const;
    void restartCaretBlink();

    QString text_;
    // The copy of the span a change replaced, kept after the change so that the next one
    // copies into memory already in use instead of memory the system must hand out afresh.
    QString replacedRoom_;
    qsizetype caret_ = 0;
    qsizetype anchor_ = 0;
    qsizetype userMaxLength_ = 0;
    bool readOnly_ = false;
    bool pressed_ = false;
    bool caretShown_ = false;
    bool hasUndo_ = false;
    Edit lastEdit_;
    Change lastChange_;
    Before* openChange_ = nullptr;  // the change whose changed() handlers are running
    QBasicTimer caretBlink_;

    std::unique_ptr<GlyphAdvances> advances_;
    LineIndex lines_;
    mutable ShapedLines shaped_;
    int laidOutWidth_ = -1;
    qreal lineHeight_ = 1;
    qreal ascent_ = 0;
};

// Runs what the user asked for; running out of memory refuses it and tells the window.
template <class Action>
void CodeEdit::guarded(Action&& action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        emit outOfMemory();
    }
}

// Runs what the box does on its own as the pointer drags, the caret blinks or the view is
// drawn: running out of memory leaves it undone until the next time, without a word.
template <class Action>
void CodeEdit::quietly(Action&& action) noexcept {
    try {
        action();
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace trelvane
