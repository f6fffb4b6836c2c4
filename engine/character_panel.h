// SPDX-License-Identifier: MIT
#pragma once

#include "character_window.h"
#include "code_dispatch.h"

namespace trelvane {

// The character panel's procedures: one character kept in step as character (lblC, typed into
// txtC), decimal code (txtA, converted one second after the last valid change) and eight
// binary digits (txtB).
//
// The boxes hold the panel's values; no model is kept beside them, each handling writes the
// other boxes. The record of the box that last gained the focus, nFocus, and the colours are
// the dispatch's: one record serves both panels, and each box's change handling works only
// when nFocus names that box, so a box written by another box's handling converts nothing.
class CharacterPanel {
  public:
    CharacterPanel(CharacterWindow& window, CodeDispatch& dispatch)
        : window_(window), dispatch_(dispatch) {}

    // Key filters, given the character code of the key (8 is Backspace); a code set to 0
    // discards the key. Every key of the character box becomes its one character.
    void txtC_KeyPress(int& KeyAscii);
    void txtB_KeyPress(int& KeyAscii);

    // Change handling of the boxes, after every change of their text.
    void txtC_Change();
    void txtB_Change();
    void txtA_Change();

    // The tick of tmrWait: the decimal box converts.
    void tmrWait_Timer();

    // A box of the panel gained the focus: it becomes nFocus and takes the focus colour.
    void txtC_GotFocus();
    void txtA_GotFocus();
    void txtB_GotFocus();

  private:
    void boxGotFocus(FocusBox box);

    CharacterWindow& window_;
    CodeDispatch& dispatch_;
};

}  // namespace trelvane
