// SPDX-License-Identifier: MIT
// The character panel: its handlers pass on to the panel's procedures (CharacterPanel), and
// the window side those procedures work on.
#include "frm_ascii.h"
#include "numeric.h"
#include "timer_switch.h"
#include "visible_text.h"

namespace trelvane {

namespace {

QString qString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

EntryBox* FrmAscii::entryBox(FocusBox box) const {
    switch (box) {
        case FocusBox::txtA:
            return txtA;
        case FocusBox::txtB:
            return txtB;
        default:
            return txtC;
    }
}

std::u16string FrmAscii::boxText(FocusBox box) const {
    return entryBox(box)->text().toStdU16String();
}

void FrmAscii::setBoxText(FocusBox box, std::u16string_view text) {
    entryBox(box)->setText(qString(text));
}

// lblC is the visible face of the character box; a control character shows as its picture.
void FrmAscii::setCharacterCaption(std::u16string_view text) {
    lblC->setText(toVisible(qString(text), false));
}

// Every colour of the panel's boxes, the error colour of txtA and txtB included, is set here;
// a box in the error colour says why to screen readers, and the reason goes with the colour.
void FrmAscii::setBoxBackColor(FocusBox box, Color color) {
    const QColor back = QColor::fromRgb(color);
    if (box == FocusBox::txtC) {
        lblC->setBackColor(back);
        return;
    }
    entryBox(box)->setBackColor(back);
    QString error;
    if (color == dispatch.lColorError()) {
        // Only the decimal box can hold a value below 0; the binary box's digits add up.
        const bool below = box == FocusBox::txtA && readNumber(boxText(box)) < 0;
        error = below ? QStringLiteral("Valor menor que 0") : QStringLiteral("Valor mayor que 255");
    }
    describeCharacterBox(entryBox(box), error);
}

void FrmAscii::setWaitTimerEnabled(bool enabled) {
    if (enabled) {
        enableTimer(tmrWait);
    } else {
        tmrWait->stop();
    }
}

void FrmAscii::txtC_KeyPress(int& KeyAscii) {
    panel.txtC_KeyPress(KeyAscii);
}

void FrmAscii::txtC_Change() {
    panel.txtC_Change();
}

void FrmAscii::txtB_KeyPress(int& KeyAscii) {
    panel.txtB_KeyPress(KeyAscii);
}

void FrmAscii::txtB_Change() {
    panel.txtB_Change();
}

void FrmAscii::txtA_Change() {
    panel.txtA_Change();
}

void FrmAscii::tmrWait_Timer() {
    panel.tmrWait_Timer();
}

void FrmAscii::lblC_Click() {
    txtC->setFocus(Qt::MouseFocusReason);
}

void FrmAscii::txtC_GotFocus() {
    panel.txtC_GotFocus();
}

void FrmAscii::txtA_GotFocus() {
    panel.txtA_GotFocus();
}

void FrmAscii::txtB_GotFocus() {
    panel.txtB_GotFocus();
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
