// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace trelvane {

// The five codes that Windows-1252 leaves undefined (129, 141, 143, 144 and 157) stand for the
// C1 control characters U+0081, U+008D, U+008F, U+0090 and U+009D, which no font draws. They
// are drawn as their hexadecimal code in a small box, the way control pictures show the other
// control characters, while the text keeps the character itself.

bool isUndefinedCode(char16_t c) noexcept;

// The width the box of an undefined code takes beside text in this font.
qreal undefinedCodeAdvance(const QFont& font);

// Draws the box of c into a character cell: `cell` spans the advance above and the line's
// height. Ink is the text colour.
void drawUndefinedCode(QPainter& painter, const QRectF& cell, char16_t c, const QFont& font,
                       const QColor& ink);

}  // namespace trelvane
