// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <string>

#include "frm_ascii.h"
#include "table_window_probe.h"

namespace trelvane {

// The one way tests and benchmarks reach the converter window's controls and state, which the
// window keeps private (FrmAscii names this class its friend). Every member is a reference to
// the window's member of the same name and every method calls the window's own, so
// `probe.txtCodeA` is the window's txtCodeA and `probe.tmrWait_Timer()` runs its handler.
// What any QWidget offers (show, grab, size, close ...) is asked of the window itself.
// MainWindowTest::w() returns the probe of the window under test; a test that needs a member
// not listed here adds it here under the window's name for it.
class MainWindowProbe {
  public:
    explicit MainWindowProbe(FrmAscii& window)
        : window(window),
          dispatch(window.dispatch),
          vMoved(window.vMoved),
          bClicked(window.bClicked),
          vBounce(window.vBounce),
          sFont(window.sFont),
          frmScroll(window.frmScroll),
          tmrWait(window.tmrWait),
          tmrRebote2(window.tmrRebote2),
          tmrRebote1(window.tmrRebote1),
          txtC(window.txtC),
          frmeMove(window.frmeMove),
          lblC(window.lblC),
          txtA(window.txtA),
          txtB(window.txtB),
          cmdFn(window.cmdFn),
          shpFn(window.shpFn),
          txtCodeA(window.txtCodeA),
          txtCodeB(window.txtCodeB),
          txtCodeC(window.txtCodeC),
          frme500(window.frme500),
          lbl500(window.lbl500),
          Label1(window.Label1),
          cmdOpt(window.cmdOpt),
          shpOpt(window.shpOpt) {}

    FrmAscii& window;

    CodeDispatch& dispatch;
    bool& vMoved;
    bool& bClicked;
    int& vBounce;
    QString& sFont;
    QPointer<FrmScroll>& frmScroll;

    QTimer*& tmrWait;
    QTimer*& tmrRebote2;
    QTimer*& tmrRebote1;
    EntryBox*& txtC;
    QWidget*& frmeMove;

    LabelButton*& lblC;
    EntryBox*& txtA;
    EntryBox*& txtB;
    std::array<LabelButton*, 4>& cmdFn;
    std::array<MaskShape*, 4>& shpFn;

    CodeEdit*& txtCodeA;
    CodeEdit*& txtCodeB;
    CodeEdit*& txtCodeC;
    std::array<QWidget*, 2>& frme500;
    QLabel*& lbl500;
    QLabel*& Label1;
    std::array<LabelButton*, 8>& cmdOpt;
    std::array<MaskShape*, 8>& shpOpt;

    // The code table the window opened; it must be open.
    TableWindowProbe table() const { return TableWindowProbe(*frmScroll); }

    float moveLeft() const { return window.moveLeft(); }
    void setMoveLeft(float twips) { window.setMoveLeft(twips); }
    void setFlag500Visible(CodeField field, bool visible) {
        window.setFlag500Visible(field, visible);
    }
    void tmrWait_Timer() { window.tmrWait_Timer(); }
    void tmrRebote1_Timer() { window.tmrRebote1_Timer(); }
    void tmrRebote2_Timer() { window.tmrRebote2_Timer(); }
    void cmdOpt_MouseDown(int Index) { window.cmdOpt_MouseDown(Index); }
    void cmdOpt_Click(int Index) { window.cmdOpt_Click(Index); }
    void cmdFn_Click(int Index) { window.cmdFn_Click(Index); }
    void eSeparar(const std::u16string& iBinary) { window.eSeparar(iBinary); }
    static QString aboutText() { return FrmAscii::aboutText(); }
};

}  // namespace trelvane
