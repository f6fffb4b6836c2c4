// SPDX-License-Identifier: MIT
#include "text_colors.h"

#include <QPalette>
#include <QWidget>

namespace trelvane {

void setCaptionInk(QWidget& label, const QColor& ink) {
    QPalette p = label.palette();
    p.setColor(QPalette::WindowText, ink);
    label.setPalette(p);
}

void setTextBoxInk(QWidget& box, const QColor& ink) {
    // Only the roles the text is drawn with: the scroll bars keep the theme's look.
    QPalette p = box.palette();
    p.setColor(QPalette::Text, ink);
    p.setColor(QPalette::Highlight, QColor::fromRgb(kSelectionBack));
    p.setColor(QPalette::HighlightedText, QColor::fromRgb(kSelectionInk));
    box.setPalette(p);
}

}  // namespace trelvane
