// SPDX-License-Identifier: MIT
// The code panel: Campo A and Campo B, their mode buttons and their editing, and the window
// side of the code panel's conversions.
#include <new>

#include "frm_ascii.h"
#include "large_block.h"
#include "message.h"
#include "timer_switch.h"

namespace trelvane {

namespace {

TextChange changeOf(const CodeEdit* field) {
    const CodeEdit::Change change = field->lastChange();
    return {static_cast<std::size_t>(change.position), static_cast<std::size_t>(change.removed),
            static_cast<std::size_t>(change.inserted)};
}

}  // namespace

void FrmAscii::txtCodeA_Change() {
    dispatch.txtCodeA_Change(changeOf(txtCodeA));
    describeCodeFields();
}

void FrmAscii::txtCodeB_Change() {
    dispatch.txtCodeB_Change(changeOf(txtCodeB));
    describeCodeFields();
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

// An edit that ran out of memory has been taken back, and the dispatch has put back what it
// had changed.
void FrmAscii::txtCodeA_OutOfMemory() {
    showOutOfMemory();
}

void FrmAscii::txtCodeB_OutOfMemory() {
    showOutOfMemory();
}

// The mark moves on the press; the mode and the conversion follow on the click.
void FrmAscii::cmdOpt_MouseDown(int Index) {
    dispatch.cmdOpt_MouseDown(Index);
}

void FrmAscii::cmdOpt_Click(int Index) {
    try {
        dispatch.cmdOpt_Click(Index);
        describeCodeFields();
    } catch (const std::bad_alloc&) {
        showOutOfMemory();  // the mode and its mark stay as they were
    }
}

void FrmAscii::showOutOfMemory() {
    showMessage(this,
                QStringLiteral("No hay memoria suficiente para completar esta acción. "
                               "Los dos campos conservan lo que tenían."),
                QMessageBox::Critical);
}

// --- The window side of the conversions -------------------------------------------------------

std::u16string_view FrmAscii::codeText(CodeField field) const {
    const QString& text = codeEdit(field)->text();
    return {reinterpret_cast<const char16_t*>(text.constData()),
            static_cast<std::size_t>(text.size())};
}

// The new text is written straight into the string the field adopts.
void FrmAscii::setCodeText(CodeField field, std::size_t length, TextFill fill) {
    QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
    adviseLargeBlock(text.data(), length * sizeof(char16_t));
    fill(reinterpret_cast<char16_t*>(text.data()));
    codeEdit(field)->setText(std::move(text));
}

// A span is written straight into the room made for it in the field's own text.
void FrmAscii::replaceCodeText(CodeField field, std::size_t position, std::size_t removed,
                               std::size_t length, TextFill fill) {
    codeEdit(field)->replaceText(static_cast<qsizetype>(position), static_cast<qsizetype>(removed),
                                 static_cast<qsizetype>(length), fill);
}

void FrmAscii::moveCaretToEnd(CodeField field) {
    codeEdit(field)->moveCaretToEnd();
}

void FrmAscii::setCodeBackColor(CodeField field, Color color) {
    codeEdit(field)->setBackColor(QColor::fromRgb(color));
    codeFieldError_[field == CodeField::A ? 0 : 1] = color == dispatch.lColorError();
    describeCodeFields();
}

void FrmAscii::setFlag500Visible(CodeField field, bool visible) {
    frme500[field == CodeField::A ? 0 : 1]->setVisible(visible);
}

void FrmAscii::setModeMark(int index, bool filled) {
    if (index >= 0 && index < static_cast<int>(shpOpt.size())) {
        shpOpt[index]->setFilled(filled);
        cmdOpt[index]->setChecked(filled);  // what screen readers read as the mode
    }
    describeCodeFields();
}

}  // namespace trelvane
