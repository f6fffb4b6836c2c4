// The code panel: Campo A and Campo B, their mode buttons and their editing.
#include "frm_ascii.h"
#include "timer_switch.h"

namespace trelvane {

void FrmAscii::txtCodeA_Change() {
    dispatch.eCodeA();
}

void FrmAscii::txtCodeB_Change() {
    dispatch.eCodeB();
}

// Gaining the focus makes the field the source of the next conversion and recolours both.
void FrmAscii::txtCodeA_GotFocus() {
    dispatch.codeFieldGotFocus(CodeField::A);
}

void FrmAscii::txtCodeB_GotFocus() {
    dispatch.codeFieldGotFocus(CodeField::B);
}

// The keyboard filter keeps a field in Binario, Hexadecimal or Decimal to its alphabet.
void FrmAscii::txtCodeA_KeyPress(int& KeyAscii) {
    if (!dispatch.codeFieldAccepts(CodeField::A, KeyAscii)) {
        KeyAscii = 0;
    }
}

void FrmAscii::txtCodeB_KeyPress(int& KeyAscii) {
    if (!dispatch.codeFieldAccepts(CodeField::B, KeyAscii)) {
        KeyAscii = 0;
    }
}

// A click on the strip of a code field at the window's edge slides the code panel in and
// leaves the focus in the clicked field.
void FrmAscii::txtCodeA_Click() {
    if (!vMoved) {
        bClicked = true;
        enableTimer(tmrRebote1);
    }
}

void FrmAscii::txtCodeB_Click() {
    if (!vMoved) {
        bClicked = true;
        enableTimer(tmrRebote1);
    }
}

// The mark moves on the press; the mode and the conversion follow on the click.
void FrmAscii::cmdOpt_MouseDown(int Index) {
    dispatch.cmdOpt_MouseDown(Index);
}

void FrmAscii::cmdOpt_Click(int Index) {
    dispatch.cmdOpt_Click(Index);
}

}  // namespace trelvane
