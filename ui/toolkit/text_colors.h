// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

class QWidget;

namespace trelvane {

// The design fixes the background of every label and text box, so it fixes their text colour
// as well: left to the desktop's colour theme, a dark theme writes white on the light grounds.

// Selected text is white on a dark blue that stands apart from every designed background.
inline constexpr QRgb kSelectionBack = 0x0A246A;
inline constexpr QRgb kSelectionInk = 0xFFFFFF;

// A label's caption in `ink`.
void setCaptionInk(QWidget& label, const QColor& ink = Qt::black);

// A text box's text in `ink`, its selection white on dark blue, in every state of the window.
void setTextBoxInk(QWidget& box, const QColor& ink = Qt::black);

}  // namespace trelvane
