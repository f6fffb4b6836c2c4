// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

namespace trelvane {

// A rectangle with a #C0C0C0 border and a #E0E0E0 fill that is switched on and off. It is
// drawn by a bitwise AND with what lies beneath, so a label's caption under it stays readable.
// It lets every mouse event through to what lies beneath.
class MaskShape : public QWidget {
    Q_OBJECT
  public:
    explicit MaskShape(QWidget* parent = nullptr);

    void setFilled(bool filled);
    bool isFilled() const { return filled_; }

    static constexpr QRgb kBorder = 0xC0C0C0;
    static constexpr QRgb kFill = 0xE0E0E0;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool filled_ = false;
};

}  // namespace trelvane
