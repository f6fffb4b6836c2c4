// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace trelvane {

// The background of a text box is its palette's Base colour.
inline void setBaseColor(QWidget& box, const QColor& color) {
    QPalette p = box.palette();
    if (p.color(QPalette::Base) == color) {
        return;
    }
    p.setColor(QPalette::Base, color);
    box.setPalette(p);
}

inline QColor baseColor(const QWidget& box) {
    return box.palette().color(QPalette::Base);
}

}  // namespace trelvane
