// SPDX-License-Identifier: MIT
// What screen readers hear: a Spanish name for every control, the words of its tool tip where
// it has one; the roles of the label-buttons; which mode of each code field is marked; and, at
// the box with the focus, what changes: the modes of both fields and why a box is in the error
// colour. A screen reader speaks changes where the focus is, so they go into the description of
// the box that has it, never into the name.
#include "accessibility.h"
#include "frm_ascii.h"

namespace trelvane {

namespace {

QString modeName(Mode mode) {
    switch (mode) {
        case Texto:
            return QStringLiteral("Texto");
        case Binario:
            return QStringLiteral("Binario");
        case Hexadecimal:
            return QStringLiteral("Hexadecimal");
        case Decimal:
            return QStringLiteral("Decimal");
    }
    return QString();
}

}  // namespace

void FrmAscii::setUpAccessibility() {
    for (QWidget* control : {static_cast<QWidget*>(txtC), static_cast<QWidget*>(lblC),
                             static_cast<QWidget*>(txtA), static_cast<QWidget*>(txtB),
                             static_cast<QWidget*>(txtCodeA), static_cast<QWidget*>(txtCodeB)}) {
        nameAfterToolTip(control);
    }
    for (LabelButton* button : cmdFn) {
        nameAfterToolTip(button);
    }
    // The grouping view has Campo A's tool tip and the flags Texto's: they get names of their
    // own (eSeparar names the view after its source).
    txtCodeC->setAccessibleName(QStringLiteral("Campo A en bytes"));
    txtCodeC->setAccessibleDescription(QStringLiteral("Binario separado en grupos de bytes"));
    lbl500->setAccessibleName(QStringLiteral("Límite de 500 caracteres de Campo A"));
    lbl500->setAccessibleDescription(QStringLiteral("Campo A tiene 500 caracteres o más"));
    Label1->setAccessibleName(QStringLiteral("Límite de 500 caracteres de Campo B"));
    Label1->setAccessibleDescription(QStringLiteral("Campo B tiene 500 caracteres o más"));

    // Without a description of their own, Qt would give the boxes their tool tips, which repeat
    // their names.
    setSpokenDescription(txtC, QStringLiteral("Escriba un carácter para ver sus códigos"));
    describeCharacterBox(txtA, QString());
    describeCharacterBox(txtB, QString());

    // lblC only shows the character typed into the character box, which lies beyond the
    // window's edge: a magnifier that follows the box's focus goes to lblC.
    lblC->setAccessibleRole(QAccessible::StaticText);
    txtC->setFace(lblC);

    // The mode buttons are two groups of radio buttons whose names repeat, told apart by their
    // field.
    for (int i = 0; i < static_cast<int>(cmdOpt.size()); ++i) {
        nameAfterToolTip(cmdOpt[i]);
        cmdOpt[i]->setAccessibleRole(QAccessible::RadioButton);
        cmdOpt[i]->setAccessibleDescription(i < 4 ? QStringLiteral("Modo de Campo A")
                                                  : QStringLiteral("Modo de Campo B"));
        cmdOpt[i]->setChecked(shpOpt[i]->isFilled());
    }
}

// Each code field tells its own mode, then the other field's, then why it is in the error
// colour: "Binario; Campo B en Hexadecimal. Byte incompleto".
void FrmAscii::describeCodeFields() {
    const auto description = [this](CodeField field) {
        const bool a = field == CodeField::A;
        QString text = QStringLiteral("%1; %2 en %3")
                           .arg(modeName(dispatch.mode(field)),
                                a ? QStringLiteral("Campo B") : QStringLiteral("Campo A"),
                                modeName(dispatch.mode(otherField(field))));
        if (codeFieldError_[a ? 0 : 1]) {
            text += dispatch.vBinPartial() ? QStringLiteral(". Byte incompleto")
                                           : QStringLiteral(". Dígitos no binarios");
        }
        return text;
    };
    setSpokenDescription(txtCodeA, description(CodeField::A));
    setSpokenDescription(txtCodeB, description(CodeField::B));
}

// A box of the character panel in the error colour says why; the reason goes with the colour.
void FrmAscii::describeCharacterBox(EntryBox* box, const QString& error) {
    QString text = box == txtA ? QStringLiteral("Código decimal del carácter, de 0 a 255")
                               : QStringLiteral("Código binario del carácter, en ocho dígitos");
    if (!error.isEmpty()) {
        text += QStringLiteral(". ") + error;
    }
    setSpokenDescription(box, text);
}

}  // namespace trelvane
