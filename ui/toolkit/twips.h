// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <cmath>

// Positions and sizes are designed in twips; at 15 twips per logical pixel Qt's own high-DPI
// scaling keeps the layout right on any screen.
namespace trelvane {

inline constexpr double kTwipsPerPixel = 15.0;

inline int px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect twipsRect(double left, double top, double width, double height) {
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace trelvane
