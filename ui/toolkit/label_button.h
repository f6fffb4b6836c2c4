// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QColor>
#include <QLabel>
#include <QTimer>

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

    // What a click does, for the keyboard and screen readers: mouseDown at once, mouseUp and
    // clicked a moment later, so that a pressed look shows in between. A second call while
    // one is pending finishes the pending one first.
    void animateClick();

    // How screen readers see the button: a push button (the default), one of a group of
    // radio buttons (checked or not), or a plain label whose click serves only the mouse.
    void setAccessibleRole(QAccessible::Role role) { accessibleRole_ = role; }
    QAccessible::Role accessibleRole() const { return accessibleRole_; }
    void setChecked(bool checked);
    bool isChecked() const { return checked_; }

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

    QTimer clickRelease_;
    QAccessible::Role accessibleRole_ = QAccessible::Button;
    bool checked_ = false;
};

}  // namespace trelvane
