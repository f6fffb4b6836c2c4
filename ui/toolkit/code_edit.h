#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QString>
#include <vector>

namespace trelvane {

// A multi-line text box for the code fields. It keeps every character code exactly: what the
// program writes reads back identical, carriage returns, tabs and the character with code 0
// included. A line feed shows as a line break and a tab as a tab; the other control
// characters show as their Unicode control pictures.
//
// Events as the window's handlers expect them: changed() is raised synchronously, once, when
// the program writes a different text, never for an identical one, and after every edit of
// the user that changes the text; keyPress with the typed character's code (the handler may
// set it to 0 to discard the key); gotFocus; clicked after a mouse click in the box.
//
// The box lays its text out and paints it itself. The line breaks of the whole text are found
// in one pass over it and only the lines in view are drawn, so a text of millions of
// characters shows and edits as quickly as a short one; an editor built on QTextDocument lays
// a single paragraph of a million digits out in about a second, and every edit does it again.
class CodeEdit : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CodeEdit(QWidget* parent = nullptr);

    // The text as the box holds it.
    const QString& text() const { return text_; }

    // A program write of the whole text, adopting the string. Raises changed() once when the
    // text differs, never for an identical one; caret and anchor go to 0, undo is cleared. Not
    // limited by the maximum length.
    void setText(QString text);
    // A program write of a span: the text becomes left(position) + inserted +
    // mid(position + removed). Same rules as setText. 0 <= position <= position + removed <=
    // size.
    void replaceText(qsizetype position, qsizetype removed, QStringView inserted);

    // The span the change that raised the last changed() touched: in the new text,
    // [position, position + inserted) replaced [position, position + removed) of the old one.
    // setText reports the whole text.
    struct Change {
        qsizetype position = 0;
        qsizetype removed = 0;
        qsizetype inserted = 0;
    };
    Change lastChange() const { return lastChange_; }

    // Caret after the last character, nothing selected.
    void moveCaretToEnd();

    // The caret and the selection, as positions in the text. The selection runs from the
    // anchor to the caret.
    int caretPosition() const { return caret_; }
    int selectionStart() const { return std::min(anchor_, caret_); }
    int selectionEnd() const { return std::max(anchor_, caret_); }
    bool hasSelection() const { return anchor_ != caret_; }
    QString selectedText() const;
    void setCaretPosition(qsizetype position, bool keepAnchor = false);
    // Selects from the anchor to the caret; the caret is where the selection ends up.
    void setSelection(qsizetype anchor, qsizetype caret);

    // Where a character is drawn, and the position nearest to a point, both in the
    // coordinates of the viewport. Past the last character, the rectangle of the caret there.
    QRectF characterRect(qsizetype position) const;
    qsizetype positionAt(const QPointF& point) const;

    // The most characters the user may type or paste; 0 for no limit. Program writes are
    // never cut.
    void setUserMaxLength(int length) { userMaxLength_ = length; }
    int userMaxLength() const { return userMaxLength_; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    void setBackColor(const QColor& color);
    QColor backColor() const;

    // The lines the text takes at the box's width; the first line in view.
    int lineCount() const { return static_cast<int>(lineStarts_.size()); }
    int firstVisibleLine() const;
    // Where the text of a line starts.
    int lineStart(int line) const { return lineStarts_.at(static_cast<std::size_t>(line)); }

  public slots:
    void selectAll();
    void copy() const;
    void cut();
    void paste();
    void undo();

  signals:
    void changed();
    // An edit of the user that ran out of memory, in its own allocation or in a changed()
    // handler that threw std::bad_alloc, was taken back (text, caret and selection as before).
    void outOfMemory();
    void keyPress(int& keyCode);
    void gotFocus();
    void clicked();

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
    struct Edit {
        int position = 0;
        QString removed;
        QString inserted;
    };

    void replaceSelection(const QString& inserted);
    void applyEdit(int position, int removedLength, const QString& inserted, bool keepForUndo);
    void typeText(const QString& typed, bool cutToRoom);
    void typeCharacter(int code, const QString& typed);
    void deleteBackward();
    void deleteForward();
    bool moveByKey(const QKeyEvent& event);
    int roomForUser() const;

    // Layout.
    void relayout(int fromLine = 0);
    void updateScrollBar();
    void ensureCaretVisible();
    qreal advance(char16_t c) const;
    qreal advanceAt(int position, qreal x) const;
    qreal tabAdvance(qreal x) const;
    qreal wrapWidth() const;
    int visibleLines() const;
    int lineOf(int position) const;
    int lineEnd(int line) const;
    qreal xOf(int position) const;
    int positionAt(const QPoint& point) const;
    QRectF caretRect() const;
    void restartCaretBlink();

    QString text_;
    int caret_ = 0;
    int anchor_ = 0;
    int userMaxLength_ = 0;
    bool readOnly_ = false;
    bool pressed_ = false;
    bool caretShown_ = false;
    bool hasUndo_ = false;
    Edit lastEdit_;
    Change lastChange_;
    QBasicTimer caretBlink_;

    std::vector<int> lineStarts_{0};
    qreal lineHeight_ = 1;
    qreal ascent_ = 0;
    qreal laidOutWidth_ = -1;
    mutable std::vector<float> advances_;  // per UTF-16 unit, < 0 until measured
};

}  // namespace trelvane
