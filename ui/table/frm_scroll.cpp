// SPDX-License-Identifier: MIT
#include "frm_scroll.h"

#include <QKeyEvent>
#include <QScreen>
#include <utility>

#include "accessibility.h"
#include "codepage.h"
#include "fonts.h"
#include "message.h"
#include "program_icon.h"
#include "text_colors.h"
#include "twips.h"
#include "visible_text.h"

namespace trelvane {

namespace {

constexpr double kFontPoints = 14.25;
const QColor kDarkBlue(0x14, 0xAA, 0xE6);
const QColor kLightBlue(0x14, 0xD2, 0xE6);

// The character a code stands for. Control characters are shown as their Unicode pictures,
// so that a tab, a line feed or a carriage return neither hides nor breaks its row.
QChar shownCharacter(int code) {
    return controlPicture(charOf(static_cast<std::uint8_t>(code)));
}

// The row of a code: at least three digits, three blanks and the character ("065   A").
QString codeRow(int code) {
    return QStringLiteral("%1   ").arg(code, 3, 10, QLatin1Char('0')) + shownCharacter(code);
}

// Adds the row for `next` to a column that ends with the row for `last`; rows are separated
// by a carriage return and a line feed. A complete column is left as it is.
void addRow(CodeColumn* column, std::int16_t& next, int last) {
    if (next > last) {
        return;
    }
    QString text = column->text() + codeRow(next);
    if (next < last) {
        text += QStringLiteral("\r\n");
    }
    column->setText(text);
    ++next;
}

void setBackground(QWidget* widget, const QColor& color) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

}  // namespace

FrmScroll::FrmScroll(QString font, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      sFont(std::move(font)) {
    installAccessibleInterfaces();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lista de código ASCII"));
    setWindowIcon(windowIcon32());
    setFixedSize(px(5895), px(4335));
    setBackground(this, QColor(0xF5, 0xF5, 0xF5));

    for (int i = 0; i < 4; ++i) {
        CodeColumn* column = columns()[i];
        column->setGeometry(twipsRect(120 + 1440 * i, 120, 1335, 3615));
        column->setBackColor(i % 2 == 0 ? kDarkBlue : kLightBlue);
    }
    lblRe->setGeometry(twipsRect(120, 3840, 4215, 375));
    setBackground(lblRe, kDarkBlue);
    txtFont->setGeometry(twipsRect(240, 3840, 3975, 375));
    txtFont->setBackColor(kDarkBlue);
    txtFont->installEventFilter(this);
    cmdFont->setGeometry(twipsRect(4440, 3840, 1335, 375));
    cmdFont->setToolTip(QStringLiteral(" Mover "));
    setCaptionInk(*cmdFont);
    shpFont->setGeometry(cmdFont->geometry());
    setTabOrder(txtA, txtB);
    setTabOrder(txtB, txtC);
    setTabOrder(txtC, txtD);
    setTabOrder(txtD, txtFont);

    tmrOpen->setInterval(10);
    connect(tmrOpen, &QTimer::timeout, this, &FrmScroll::tmrOpen_Timer);
    connect(cmdFont, &LabelButton::mouseDown, this, &FrmScroll::cmdFont_MouseDown);
    connect(cmdFont, &LabelButton::mouseUp, this, &FrmScroll::cmdFont_MouseUp);
    connect(cmdFont, &LabelButton::clicked, this, &FrmScroll::cmdFont_Click);
    setUpAccess();

    loadWindow();
}

// Opening the window: the controls as designed, Form_Load, then the columns start filling.
// "Abrir" opens the window again in place the same way.
void FrmScroll::loadWindow() {
    tmrOpen->stop();
    setDesignedLook();
    Form_Load();
    tmrOpen->start();
}

void FrmScroll::setDesignedLook() {
    const QFont designed = designFont(QStringLiteral("Segoe UI"), kFontPoints);
    for (CodeColumn* column : columns()) {
        column->setFont(designed);
        column->setText(QString());
    }
    txtFont->setFont(designed);
    txtFont->setText(QStringLiteral("Arial"));
    cmdFont->setFont(designed);
    shpFont->setFilled(false);
    txtA->setFocus();
    if (const QScreen* where = screen()) {
        move(where->availableGeometry().center() - rect().center());
    }
}

void FrmScroll::Form_Load() {
    nNextA = 1;
    nNextB = 32;
    nNextC = 128;
    nNextD = 192;
    for (CodeColumn* column : columns()) {
        if (!isFontAvailable(sFont)) {
            // The columns not reached keep their designed font and the font box its text.
            showMessage(this, QStringLiteral("Esta fuente no existe en el equipo."),
                        QMessageBox::Critical);
            return;
        }
        QFont font = column->font();
        font.setFamily(sFont);
        column->setFont(font);
    }
    txtFont->setText(sFont);
}

void FrmScroll::tmrOpen_Timer() {
    addRow(txtA, nNextA, 31);
    addRow(txtB, nNextB, 127);
    addRow(txtC, nNextC, 191);
    addRow(txtD, nNextD, 255);
    // Once every column is complete further ticks would change nothing.
    if (nNextA > 31 && nNextB > 127 && nNextC > 191 && nNextD > 255) {
        tmrOpen->stop();
    }
}

void FrmScroll::cmdFont_Click() {
    sFont = txtFont->text();
    emit fontChosen(sFont);
    loadWindow();
}

void FrmScroll::txtFont_KeyDown(int keyCode) {
    if (keyCode == 13) {
        cmdFont_Click();
    }
}

void FrmScroll::cmdFont_MouseDown() {
    shpFont->setFilled(true);
}

void FrmScroll::cmdFont_MouseUp() {
    shpFont->setFilled(false);
}

bool FrmScroll::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtFont && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtFont_KeyDown(13);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trelvane
