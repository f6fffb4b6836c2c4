#pragma once

#include <QColor>
#include <QLabel>

namespace trelvane {

// A label used as a push button. It never takes the focus; it raises mouseDown on the press,
// mouseUp on the release, and clicked only when press and release both happen over it.
// Transparent unless made opaque, when its back colour shows.
class LabelButton : public QLabel {
    Q_OBJECT
  public:
    explicit LabelButton(const QString& caption, QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }
    void setOpaque(bool opaque);
    bool isOpaque() const { return opaque_; }

  signals:
    void mouseDown();
    void mouseUp();
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor backColor_{0xF5, 0xF5, 0xF5};
    bool opaque_ = false;
    bool pressed_ = false;
};

}  // namespace trelvane
