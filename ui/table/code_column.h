// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace trelvane {

// A read-only column of the code table: the user can select and copy but not type. Its text
// keeps the rows separated by a carriage return and a line feed; each pair shows as one line
// break. Like any text box, setting its text replaces the whole text and scrolls to the top.
//
// A row never wraps, whatever the font: what does not fit is cut at the column's edge and
// scrolls into view sideways with the caret. A code that Windows-1252 leaves undefined shows
// as its hexadecimal code in a small box, while the text keeps the character. The column with
// the focus is framed.
class CodeColumn : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit CodeColumn(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    void setBackColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void makeRoomForUndefinedCodes();
    void drawUndefinedCodes();
    void drawFocusRing();

    QString text_;
};

}  // namespace trelvane
