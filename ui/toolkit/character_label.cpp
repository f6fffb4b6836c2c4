// SPDX-License-Identifier: MIT
#include "character_label.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include "undefined_code.h"

namespace trelvane {

void CharacterLabel::paintEvent(QPaintEvent* event) {
    const QString caption = text();
    if (caption.size() != 1 || !isUndefinedCode(caption.at(0).unicode())) {
        LabelButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    if (isOpaque()) {
        painter.fillRect(rect(), backColor());
    }
    // The cell the character would take, where the alignment would put it.
    const QSizeF cellSize(undefinedCodeAdvance(font()), QFontMetricsF(font()).height());
    const QRectF cell =
        QStyle::alignedRect(layoutDirection(), alignment(), cellSize.toSize(), contentsRect());
    drawUndefinedCode(painter, cell, caption.at(0).unicode(), font(),
                      palette().color(QPalette::WindowText));
}

}  // namespace trelvane
