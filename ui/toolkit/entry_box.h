// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QPointer>

namespace trelvane {

// A one-line text box with the events the window's handlers expect: keyPress with the typed
// character's code (the handler may set it to 0 to discard the key, or change it), gotFocus,
// and clicked after a mouse press has given it the focus. Like QLineEdit::setText, a program
// write raises textChanged only for a different text.
//
// Its maximum length limits what the user types or pastes (a paste is cut to the room left);
// program writes are never cut, unlike QLineEdit::setMaxLength.
class EntryBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit EntryBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const;

    // A program write: never cut by the maximum length. (QLineEdit::setText, called through a
    // QLineEdit pointer, would check it.)
    void setText(const QString& text);

    // The most characters the user may type or paste; 0 for no limit.
    void setUserMaxLength(int length);
    int userMaxLength() const { return userMaxLength_; }

    // Whether Escape and Ctrl+A to Ctrl+Z reach keyPress as the control characters 27 and 1 to
    // 26, for a box that counts every key as a character. They then are no shortcuts in it.
    void setControlKeysTyped(bool typed) { controlKeysTyped_ = typed; }

    // For a box that is never seen itself: the widget that shows what it holds, whose place
    // screen readers and magnifiers are told instead.
    void setFace(QWidget* face) { face_ = face; }
    QWidget* face() const { return face_; }

  signals:
    void keyPress(int& keyCode);
    void gotFocus();
    void clicked();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    class LengthLimit;
    int userMaxLength_ = 0;
    bool programWrite_ = false;
    bool controlKeysTyped_ = false;
    QString lastText_;  // the text before the edit being checked
    QPointer<QWidget> face_;
};

}  // namespace trelvane
