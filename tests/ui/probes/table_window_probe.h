// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "frm_scroll.h"

namespace trelvane {

// The one way tests reach the code table's controls and state, which the window keeps private
// (FrmScroll names this class its friend). Every member is a reference to the window's member
// of the same name and every method calls the window's own. What any QWidget offers is asked
// of `window` itself. A test that needs a member not listed here adds it here.
class TableWindowProbe {
  public:
    explicit TableWindowProbe(FrmScroll& window)
        : window(window),
          txtA(window.txtA),
          txtB(window.txtB),
          txtC(window.txtC),
          txtD(window.txtD),
          lblRe(window.lblRe),
          txtFont(window.txtFont),
          cmdFont(window.cmdFont),
          shpFont(window.shpFont),
          tmrOpen(window.tmrOpen),
          sFont(window.sFont) {}

    FrmScroll& window;

    CodeColumn* const& txtA;
    CodeColumn* const& txtB;
    CodeColumn* const& txtC;
    CodeColumn* const& txtD;
    QLabel* const& lblRe;
    EntryBox* const& txtFont;
    LabelButton* const& cmdFont;
    MaskShape* const& shpFont;
    QTimer* const& tmrOpen;
    // The font the window is drawn in.
    const QString& sFont;

    void tmrOpen_Timer() { window.tmrOpen_Timer(); }
};

}  // namespace trelvane
