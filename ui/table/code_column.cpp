// SPDX-License-Identifier: MIT
#include "code_column.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

#include "base_color.h"
#include "text_colors.h"
#include "undefined_code.h"

namespace trelvane {

namespace {

constexpr int kFocusRingWidth = 2;

}  // namespace

CodeColumn::CodeColumn(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    document()->setUndoRedoEnabled(false);
    setTextBoxInk(*this);
}

void CodeColumn::setText(const QString& text) {
    text_ = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    makeRoomForUndefinedCodes();
}

void CodeColumn::setBackColor(const QColor& color) {
    setBaseColor(*this, color);
}

// Widens each undefined code to the width of its box; paintEvent draws the box over it.
void CodeColumn::makeRoomForUndefinedCodes() {
    const QString shown = document()->toPlainText();
    const QFontMetricsF metrics(font());
    QTextCursor cursor(document());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t c = shown.at(i).unicode();
        if (!isUndefinedCode(c)) {
            continue;
        }
        QTextCharFormat room;
        room.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        room.setFontLetterSpacing(undefinedCodeAdvance(font()) -
                                  metrics.horizontalAdvance(QChar(c)));
        cursor.setPosition(static_cast<int>(i));
        cursor.setPosition(static_cast<int>(i) + 1, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(room);
    }
}

void CodeColumn::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    drawUndefinedCodes();
    if (hasFocus()) {
        drawFocusRing();
    }
}

// A caret of one pixel is easy to miss: the column with the focus is framed inside its edge,
// in black or white, whichever stands out more from its background (at least 4.5:1 either
// way, whatever the palette).
void CodeColumn::drawFocusRing() {
    QPainter painter(viewport());
    const QColor back = palette().color(QPalette::Base);
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(back.redF()) + 0.7152 * linear(back.greenF()) +
                             0.0722 * linear(back.blueF());
    // Black and white give the same contrast at a luminance of 0.179.
    QPen pen(luminance > 0.179 ? Qt::black : Qt::white, kFocusRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = kFocusRingWidth / 2.0;
    painter.drawRect(QRectF(viewport()->rect()).adjusted(inset, inset, -inset, -inset));
}

void CodeColumn::drawUndefinedCodes() {
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const QTextCursor selection = textCursor();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() > viewport()->height()) {
            break;
        }
        const QString row = block.text();
        for (int i = 0; i < row.size(); ++i) {
            const char16_t c = row.at(i).unicode();
            if (!isUndefinedCode(c)) {
                continue;
            }
            const QTextLine line = block.layout()->lineForTextPosition(i);
            const qreal left = line.cursorToX(i);
            const QRectF cell(bounds.left() + left, bounds.top() + line.y(),
                              line.cursorToX(i + 1) - left, line.height());
            const int position = block.position() + i;
            const bool selected =
                position >= selection.selectionStart() && position < selection.selectionEnd();
            painter.fillRect(cell,
                             palette().color(selected ? QPalette::Highlight : QPalette::Base));
            drawUndefinedCode(
                painter, cell, c, font(),
                palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        }
    }
}

void CodeColumn::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        makeRoomForUndefinedCodes();
    }
}

// The ring comes and goes with the focus.
void CodeColumn::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void CodeColumn::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
}

}  // namespace trelvane
