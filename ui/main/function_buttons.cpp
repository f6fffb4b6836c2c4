// The column of function buttons: slide, code table, About box and the grouping view.
#include <QMessageBox>

#include "about_box.h"
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

QString FrmAscii::aboutText() {
    return QStringLiteral("Moravin\nTrelvane: Versión %1.%2.%3")
        .arg(TRELVANE_VERSION_MAJOR)
        .arg(TRELVANE_VERSION_MINOR)
        .arg(TRELVANE_VERSION_REVISION);
}

void FrmAscii::showAbout() {
    showAboutBox(this, QStringLiteral("Trelvane"), aboutText(), windowIcon());
}

// The binary text of the field edited last, split into bytes, if it holds at least two.
void FrmAscii::groupingRequest() {
    QString source;
    if (dispatch.nFocus == 3) {
        source = txtCodeA->text();
    } else if (dispatch.nFocus == 4) {
        source = txtCodeB->text();
    }
    const std::u16string binary = source.toStdU16String();
    if (!isGroupable(binary)) {
        showMessage(this, QStringLiteral("Seleccione por lo menos 2 bytes de código binario."),
                    QMessageBox::Warning);
        return;
    }
    eSeparar(binary);
}

void FrmAscii::eSeparar(const std::u16string& iBinary) {
    txtCodeC->setText(QString::fromStdU16String(groupBytes(iBinary)));
    txtCodeC->show();
    setGroupingLook(true);
    txtCodeC->setFocus(Qt::OtherFocusReason);
    txtCodeC->moveCaretToEnd();
}

void FrmAscii::groupingClose() {
    // Hiding the view while it has the focus would hand the focus to the next box on its
    // own, and that box would become the source; the focus goes back to the source instead.
    if ((dispatch.nFocus == 3 || dispatch.nFocus == 4) && txtCodeC->hasFocus()) {
        txtCodeC->clearFocus();
    }
    txtCodeC->hide();
    setGroupingLook(false);
    if (dispatch.nFocus == 3 || dispatch.nFocus == 4) {
        CodeEdit* source = dispatch.nFocus == 3 ? txtCodeA : txtCodeB;
        source->setFocus(Qt::OtherFocusReason);
        source->moveCaretToEnd();
    }
}

void FrmAscii::setGroupingLook(bool open) {
    cmdFn[3]->setText(open ? QStringLiteral("x") : QStringLiteral("..."));
    cmdFn[3]->setBackColor(QColor::fromRgb(open ? kGroupingOpenBack : kGroupingClosedBack));
    cmdFn[3]->setToolTip(open ? QStringLiteral(" Cerrar ") : QStringLiteral(" Separar en grupos "));
}

}  // namespace trelvane
