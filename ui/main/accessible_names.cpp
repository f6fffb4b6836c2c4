// SPDX-License-Identifier: MIT
// What screen readers hear: a Spanish name for every control, the words of its tool tip where
// it has one; the roles of the label-buttons; which mode of each code field is marked.
#include "accessibility.h"
#include "frm_ascii.h"

namespace trelvane {

void FrmAscii::setUpAccessibility() {
    for (QWidget* control :
         {static_cast<QWidget*>(txtC), static_cast<QWidget*>(lblC), static_cast<QWidget*>(txtA),
          static_cast<QWidget*>(txtB), static_cast<QWidget*>(txtCodeA),
          static_cast<QWidget*>(txtCodeB), static_cast<QWidget*>(txtCodeC),
          static_cast<QWidget*>(lbl500), static_cast<QWidget*>(Label1)}) {
        nameAfterToolTip(control);
    }
    for (LabelButton* button : cmdFn) {
        nameAfterToolTip(button);
    }
    // The grouping view has Campo A's tool tip; it lies over both fields.
    txtCodeC->setAccessibleDescription(QStringLiteral("Binario separado en grupos de bytes"));
    lbl500->setAccessibleDescription(QStringLiteral("Campo A tiene 500 caracteres o más"));
    Label1->setAccessibleDescription(QStringLiteral("Campo B tiene 500 caracteres o más"));

    // lblC only shows the character typed into the character box.
    lblC->setAccessibleRole(QAccessible::StaticText);

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

}  // namespace trelvane
