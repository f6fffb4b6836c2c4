// SPDX-License-Identifier: MIT
// Trelvane: the program starts on the splash, which opens the converter window.
#include <QApplication>

#include "app_identity.h"
#include "fonts.h"
#include "frm_ascii.h"
#include "frm_inicio.h"
#include "program_icon.h"
#include "spanish.h"
#include "start_up_report.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trelvane"));
    QApplication::setDesktopFileName(QString::fromLatin1(trelvane::identity::kAppId));
    QApplication::setWindowIcon(trelvane::programIcon());
    trelvane::registerFontSubstitutes();
    trelvane::installQtSpanish();

    trelvane::FrmInicio frmInicio([] { trelvane::reportWhenShown(trelvane::FrmAscii::open()); });
    frmInicio.show();
    return QApplication::exec();
}
