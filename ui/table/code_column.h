#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace trelvane {

// A read-only column of the code table: the user can select and copy but not type. Its text
// keeps the rows separated by a carriage return and a line feed; each pair shows as one line
// break. Like any text box, setting its text replaces the whole text and scrolls to the top.
class CodeColumn : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit CodeColumn(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    void setBackColor(const QColor& color);

  private:
    QString text_;
};

}  // namespace trelvane
