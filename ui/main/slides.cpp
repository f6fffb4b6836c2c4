// SPDX-License-Identifier: MIT
// The slide of frmeMove between the character panel (Left 0) and the code panel (Left -5280),
// and its rebound.
#include "frm_ascii.h"
#include "timer_switch.h"

namespace trelvane {

namespace {

constexpr float kSlideStep = 240;
constexpr float kCodePanelLeft = -5280;
constexpr float kCharacterPanelLeft = 0;
constexpr float kReboundStep = 60;
constexpr int kReboundTicksEachWay = 4;

}  // namespace

// One tick of the slide. The goal is tested before the move, so the slide finishes on the
// tick after the frame has reached it.
void FrmAscii::tmrRebote1_Timer() {
    if (!vMoved) {
        if (moveLeft() > kCodePanelLeft) {
            setMoveLeft(moveLeft() - kSlideStep);
            return;
        }
        finishSlide(true);
    } else {
        if (moveLeft() < kCharacterPanelLeft) {
            setMoveLeft(moveLeft() + kSlideStep);
            return;
        }
        finishSlide(false);
    }
}

// What belongs to the panel now in view: the move button's caption, the focus, the grouping
// button and the tab stops.
void FrmAscii::finishSlide(bool toCodePanel) {
    cmdFn[0]->setText(toCodePanel ? QStringLiteral("<") : QStringLiteral(">"));
    if (!bClicked) {
        // An open grouping view covers Campo A: the focus goes where the eye can follow.
        QWidget* codeBox = txtCodeC->isHidden() ? static_cast<QWidget*>(txtCodeA) : txtCodeC;
        (toCodePanel ? codeBox : txtC)->setFocus(Qt::OtherFocusReason);
    }
    bClicked = false;
    cmdFn[3]->setVisible(toCodePanel);
    shpFn[3]->setVisible(toCodePanel);
    setTabStops(toCodePanel, !txtCodeC->isHidden());
    vMoved = toCodePanel;
    tmrRebote1->stop();
    enableTimer(tmrRebote2);
}

// While the grouping view covers the code fields and the mode buttons, none of them takes the
// focus or a key: typing into a field nobody can see would change the other one unseen. The
// view itself is a tab stop while it is open.
void FrmAscii::setTabStops(bool codePanel, bool covered) {
    const Qt::FocusPolicy codeBoxes = codePanel ? Qt::StrongFocus : Qt::ClickFocus;
    const Qt::FocusPolicy characterBoxes = codePanel ? Qt::ClickFocus : Qt::StrongFocus;
    txtCodeA->setFocusPolicy(covered ? Qt::NoFocus : codeBoxes);
    txtCodeB->setFocusPolicy(covered ? Qt::NoFocus : codeBoxes);
    txtCodeC->setFocusPolicy(covered ? codeBoxes : Qt::NoFocus);
    for (LabelButton* button : cmdOpt) {
        button->setEnabled(!covered);
    }
    txtA->setFocusPolicy(characterBoxes);
    txtB->setFocusPolicy(characterBoxes);
    txtC->setFocusPolicy(characterBoxes);
}

// One tick of the rebound: four steps back against the direction of travel, four steps to
// the rest position, and a ninth tick that ends it.
void FrmAscii::tmrRebote2_Timer() {
    ++vBounce;
    // Coming from the right (to the character panel) the frame overshoots to the left.
    const float away = vMoved ? kReboundStep : -kReboundStep;
    if (vBounce <= kReboundTicksEachWay) {
        setMoveLeft(moveLeft() + away);
    } else if (vBounce <= 2 * kReboundTicksEachWay) {
        setMoveLeft(moveLeft() - away);
    } else {
        tmrRebote2->stop();
        vBounce = 0;
    }
}

}  // namespace trelvane
