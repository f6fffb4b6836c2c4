#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QString>

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
class CodeEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit CodeEdit(QWidget* parent = nullptr);

    // The text as the box holds it. Cheap: the text is kept, not read back from the editor.
    const QString& text() const { return text_; }

    // A program write. Not limited by the maximum length.
    void setText(const QString& text);

    // Caret after the last character, nothing selected.
    void moveCaretToEnd();

    // The most characters the user may type or paste; 0 for no limit. Program writes are
    // never cut.
    void setUserMaxLength(int length) { userMaxLength_ = length; }
    int userMaxLength() const { return userMaxLength_; }

    void setBackColor(const QColor& color);
    QColor backColor() const;

  signals:
    void changed();
    void keyPress(int& keyCode);
    void gotFocus();
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void noteContentsChange(int position, int removed, int added);
    void raisePendingChange();
    void typeText(const QString& typed);
    int roomForUser() const;
    QString documentText(int position, int length) const;

    QString text_;
    int userMaxLength_ = 0;
    bool programWrite_ = false;
    bool changePending_ = false;
    bool pressed_ = false;
};

}  // namespace trelvane
