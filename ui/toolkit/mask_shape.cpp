// SPDX-License-Identifier: MIT
#include "mask_shape.h"

#include <QPainter>

namespace trelvane {

MaskShape::MaskShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void MaskShape::setFilled(bool filled) {
    if (filled_ == filled) {
        return;
    }
    filled_ = filled;
    update();
}

void MaskShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    if (filled_) {
        painter.fillRect(rect(), QColor::fromRgb(kFill));
    }
    painter.setPen(QColor::fromRgb(kBorder));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace trelvane
