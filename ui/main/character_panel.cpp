// SPDX-License-Identifier: MIT
// The character panel: one character kept in step as character (lblC, typed into txtC),
// decimal code (txtA, converted one second after the last valid change) and binary (txtB).
#include "codepage.h"
#include "frm_ascii.h"
#include "numeric.h"
#include "timer_switch.h"
#include "visible_text.h"

namespace trelvane {

namespace {

double readNumber(const QString& text) {
    return trelvane::readNumber(text.toStdU16String());
}

QString characterOf(int code) {
    return QString(QChar(charOf(static_cast<std::uint8_t>(code))));
}

}  // namespace

// lblC is the visible face of the character box; a control character shows as its picture.
void FrmAscii::showCharacter(const QString& character) {
    lblC->setText(toVisible(character, false));
}

// Every key that reaches the character box becomes its one character.
void FrmAscii::txtC_KeyPress(int& KeyAscii) {
    txtC->setText(characterOf(KeyAscii));
    KeyAscii = 0;
}

void FrmAscii::txtC_Change() {
    if (dispatch.nFocus() != FocusBox::txtC) {
        return;
    }
    const QString character = txtC->text();
    // An emptied box (Delete, Cut) has no code: the panel keeps what it shows.
    if (character.isEmpty()) {
        return;
    }
    showCharacter(character);
    txtA->setText(QString::number(codeOf(character.at(0).unicode())));
    txtB->setText(QString::fromStdU16String(eightDigits(readNumber(txtA->text()))));
}

void FrmAscii::txtB_KeyPress(int& KeyAscii) {
    if (KeyAscii != '0' && KeyAscii != '1' && KeyAscii != 8) {
        KeyAscii = 0;
    }
}

void FrmAscii::txtB_Change() {
    if (dispatch.nFocus() != FocusBox::txtB) {
        return;
    }
    // Fewer than eight digits count as if zeros stood in front of them.
    QString digits = txtB->text();
    while (digits.size() < 8) {
        digits.prepend(QLatin1Char('0'));
    }
    txtB->setBackColor(QColor::fromRgb(dispatch.vColorFocus()));
    double sum = 0;
    double weight = 128;
    for (int i = 0; i < 8; ++i) {
        sum += readNumber(QString(digits.at(i))) * weight;
        if (weight > 1) {
            weight /= 2;
        }
    }
    // Pasted digits other than 0 and 1 may add up to a value that has no character.
    if (sum > 255) {
        txtB->setBackColor(QColor::fromRgb(dispatch.lColorError()));
        return;
    }
    const int code = static_cast<int>(sum);
    txtA->setText(QString::number(code));
    showCharacter(characterOf(code));
}

// A decimal code is only checked here; the conversion waits one second for the next key.
void FrmAscii::txtA_Change() {
    if (dispatch.nFocus() != FocusBox::txtA) {
        return;
    }
    if (!roundToCode(readNumber(txtA->text()))) {
        txtA->setBackColor(QColor::fromRgb(dispatch.lColorError()));
        return;
    }
    txtA->setBackColor(QColor::fromRgb(dispatch.vColorFocus()));
    restartTimer(tmrWait);
}

// One second after the last valid change of the decimal box. A value without a character
// leaves the timer running, so it tries again a second later.
void FrmAscii::tmrWait_Timer() {
    const std::optional<int> code = roundToCode(readNumber(txtA->text()));
    if (!code) {
        return;
    }
    showCharacter(characterOf(*code));
    txtB->setText(QString::fromStdU16String(eightDigits(readNumber(txtA->text()))));
    tmrWait->stop();
}

void FrmAscii::lblC_Click() {
    txtC->setFocus(Qt::MouseFocusReason);
}

// The box that gains the focus (0 txtC, 1 txtA, 2 txtB) takes the focus colour, the other two
// the idle colour; the character box shows its colour on its face, lblC.
void FrmAscii::characterBoxGotFocus(FocusBox box) {
    dispatch.setNFocus(box);
    const auto colour = [&](FocusBox of) {
        return QColor::fromRgb(of == box ? dispatch.vColorFocus() : dispatch.vColorIdle());
    };
    txtA->setBackColor(colour(FocusBox::txtA));
    txtB->setBackColor(colour(FocusBox::txtB));
    lblC->setBackColor(colour(FocusBox::txtC));
}

void FrmAscii::txtC_GotFocus() {
    characterBoxGotFocus(FocusBox::txtC);
}

void FrmAscii::txtA_GotFocus() {
    characterBoxGotFocus(FocusBox::txtA);
}

void FrmAscii::txtB_GotFocus() {
    characterBoxGotFocus(FocusBox::txtB);
}

// A click on the strip of the decimal or binary box while the code panel is in view slides
// the character panel back; the clicked box keeps the focus.
void FrmAscii::txtA_Click() {
    if (vMoved) {
        bClicked = true;
        enableTimer(tmrRebote1);
    }
}

void FrmAscii::txtB_Click() {
    if (vMoved) {
        bClicked = true;
        enableTimer(tmrRebote1);
    }
}

}  // namespace trelvane
