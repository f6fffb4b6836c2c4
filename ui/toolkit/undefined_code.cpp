// SPDX-License-Identifier: MIT
#include "undefined_code.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace trelvane {

namespace {

// The digits are drawn at a little over half the text's size, so two fit in the width of
// about one and a half characters.
constexpr qreal kDigitScale = 0.55;
constexpr qreal kPadding = 2;  // between the box and its digits, and around the box

QFont digitFont(const QFont& font) {
    QFont small = font;
    if (font.pointSizeF() > 0) {
        small.setPointSizeF(font.pointSizeF() * kDigitScale);
    } else {
        small.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * kDigitScale)));
    }
    small.setBold(false);
    small.setItalic(false);
    return small;
}

}  // namespace

bool isUndefinedCode(char16_t c) noexcept {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

qreal undefinedCodeAdvance(const QFont& font) {
    return QFontMetricsF(digitFont(font)).horizontalAdvance(QStringLiteral("8D")) + 4 * kPadding;
}

void drawUndefinedCode(QPainter& painter, const QRectF& cell, char16_t c, const QFont& font,
                       const QColor& ink) {
    const QFont small = digitFont(font);
    const QFontMetricsF metrics(small);
    const QString digits = QStringLiteral("%1").arg(static_cast<int>(c), 2, 16).toUpper();
    const qreal width = metrics.horizontalAdvance(digits) + 2 * kPadding;
    const qreal height = metrics.height() + kPadding;
    const QRectF box(cell.center().x() - width / 2, cell.center().y() - height / 2, width, height);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setFont(small);
    painter.drawText(box, Qt::AlignCenter, digits);
    painter.restore();
}

}  // namespace trelvane
