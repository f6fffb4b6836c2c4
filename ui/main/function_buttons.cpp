// SPDX-License-Identifier: MIT
// The column of function buttons: slide, code table, About box and the grouping view.
#include <QMessageBox>
#include <new>

#include "about_box.h"
#include "accessibility.h"
#include "app_identity.h"
#include "frm_ascii.h"
#include "grouping.h"
#include "message.h"
#include "timer_switch.h"

namespace trelvane {

namespace {

constexpr QRgb kGroupingOpenBack = 0xE04343;
constexpr QRgb kGroupingClosedBack = 0xF5F5F5;

}  // namespace

// A pressed button shows its shape filled until the mouse button is released.
void FrmAscii::cmdFn_MouseDown(int Index) {
    if (Index >= 0 && Index < static_cast<int>(shpFn.size())) {
        shpFn[Index]->setFilled(true);
    }
}

void FrmAscii::cmdFn_MouseUp(int Index) {
    if (Index >= 0 && Index < static_cast<int>(shpFn.size())) {
        shpFn[Index]->setFilled(false);
    }
}

void FrmAscii::cmdFn_Click(int Index) {
    switch (Index) {
        case 0:
            enableTimer(tmrRebote1);
            break;
        case 1:
            openTable();
            break;
        case 2:
            showAbout();
            break;
        case 3:
            if (cmdFn[3]->text() == QStringLiteral("...")) {
                groupingRequest();
            } else if (cmdFn[3]->text() == QStringLiteral("x")) {
                groupingClose();
            }
            break;
        default:
            break;
    }
}

// The maker, then the product and its version as major.minor.revision.
QString FrmAscii::aboutText() {
    return QStringLiteral("%1\n%2: Versión %3.%4.%5")
        .arg(QString::fromUtf8(identity::kCompany), QString::fromUtf8(identity::kProduct))
        .arg(identity::kVersionMajor)
        .arg(identity::kVersionMinor)
        .arg(identity::kVersionRevision);
}

// The code table opens without an owner window; a second click brings the open one forward
// as it is, without loading it again.
void FrmAscii::openTable() {
    if (frmScroll == nullptr) {
        frmScroll = new FrmScroll(sFont);
        connect(frmScroll, &FrmScroll::fontChosen, this,
                [this](const QString& family) { sFont = family; });
    }
    frmScroll->setWindowState(frmScroll->windowState() & ~Qt::WindowMinimized);
    frmScroll->show();
    frmScroll->raise();
    frmScroll->activateWindow();
}

void FrmAscii::showAbout() {
    showAboutBox(this, QStringLiteral("Trelvane"), aboutText(), windowIcon());
}

// The binary text of the field edited last, split into bytes, if it holds at least two.
void FrmAscii::groupingRequest() {
    QString source;
    if (dispatch.nFocus() == FocusBox::txtCodeA) {
        source = txtCodeA->text();
    } else if (dispatch.nFocus() == FocusBox::txtCodeB) {
        source = txtCodeB->text();
    }
    try {
        const std::u16string binary = source.toStdU16String();
        if (!isGroupable(binary)) {
            showMessage(this, QStringLiteral("Seleccione por lo menos 2 bytes de código binario."),
                        QMessageBox::Warning);
            return;
        }
        eSeparar(binary);
    } catch (const std::bad_alloc&) {
        showOutOfMemory();  // the view and the button stay as they were
    }
}

void FrmAscii::eSeparar(const std::u16string& iBinary) {
    txtCodeC->setText(QString::fromStdU16String(groupBytes(iBinary)));
    txtCodeC->show();
    setGroupingLook(true);
    txtCodeC->setFocus(Qt::OtherFocusReason);
    txtCodeC->moveCaretToEnd();
    setTabStops(vMoved, true);
    txtCodeC->setAccessibleName(dispatch.nFocus() == FocusBox::txtCodeB
                                    ? QStringLiteral("Campo B en bytes")
                                    : QStringLiteral("Campo A en bytes"));
}

void FrmAscii::groupingClose() {
    // Hiding the view while it has the focus would hand the focus to the next box on its
    // own, and that box would become the source; the focus goes back to the source instead.
    const bool codeFieldSource =
        dispatch.nFocus() == FocusBox::txtCodeA || dispatch.nFocus() == FocusBox::txtCodeB;
    if (codeFieldSource && txtCodeC->hasFocus()) {
        txtCodeC->clearFocus();
    }
    setTabStops(vMoved, false);  // before the view hands the focus on
    txtCodeC->hide();
    setGroupingLook(false);
    if (codeFieldSource) {
        CodeEdit* source = dispatch.nFocus() == FocusBox::txtCodeA ? txtCodeA : txtCodeB;
        source->setFocus(Qt::OtherFocusReason);
        source->moveCaretToEnd();
    }
}

void FrmAscii::setGroupingLook(bool open) {
    cmdFn[3]->setText(open ? QStringLiteral("x") : QStringLiteral("..."));
    cmdFn[3]->setBackColor(QColor::fromRgb(open ? kGroupingOpenBack : kGroupingClosedBack));
    cmdFn[3]->setToolTip(open ? QStringLiteral(" Cerrar ") : QStringLiteral(" Separar en grupos "));
    nameAfterToolTip(cmdFn[3]);
}

}  // namespace trelvane
