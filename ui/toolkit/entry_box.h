#pragma once

#include <QLineEdit>

namespace trelvane {

// A one-line text box with the events the window's handlers expect: keyPress with the typed
// character's code (the handler may set it to 0 to discard the key, or change it), gotFocus,
// and clicked after a mouse press has given it the focus. Like QLineEdit::setText, a program
// write raises textChanged only for a different text.
class EntryBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit EntryBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const;

  signals:
    void keyPress(int& keyCode);
    void gotFocus();
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace trelvane
