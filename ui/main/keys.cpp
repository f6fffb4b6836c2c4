// SPDX-License-Identifier: MIT
// Keys for every button of the window, so that everything the mouse does can be done from the
// keyboard. None of them types anything in any box: function keys for the function buttons,
// Alt with a digit for the mode buttons (AltGr, which types @ # [ ] { } on a Spanish keyboard,
// is not Alt). A key presses its button as a click does.
#include "frm_ascii.h"
#include "label_button_access.h"

namespace trelvane {

void FrmAscii::setUpKeys() {
    setPressKey(cmdFn[0], QKeySequence(Qt::Key_F6));  // ">" / "<" Mover
    setPressKey(cmdFn[1], QKeySequence(Qt::Key_F2));  // "@" Lista ASCII
    setPressKey(cmdFn[2], QKeySequence(Qt::Key_F1));  // "!" Acerca
    setPressKey(cmdFn[3], QKeySequence(Qt::Key_F3));  // "..." / "x", while it is shown
    // The mode buttons from top to bottom: Campo A's Alt+1 to Alt+4, Campo B's Alt+5 to Alt+8.
    for (int i = 0; i < static_cast<int>(cmdOpt.size()); ++i) {
        setPressKey(cmdOpt[i], QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i)));
    }
}

}  // namespace trelvane
