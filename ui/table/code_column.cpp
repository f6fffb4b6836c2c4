// SPDX-License-Identifier: MIT
#include "code_column.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include "base_color.h"
#include "text_colors.h"
#include "undefined_code.h"

namespace trelvane {

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

}  // namespace trelvane
