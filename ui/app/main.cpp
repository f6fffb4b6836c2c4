// SPDX-License-Identifier: MIT
// Trelvane: the program starts on the splash, which opens the converter window.
#include <QApplication>
#include <QPointer>

#include "app_identity.h"
#include "command_line.h"
#include "fonts.h"
#include "frm_ascii.h"
#include "frm_inicio.h"
#include "program_icon.h"
#include "spanish.h"
#include "start_up_report.h"

int main(int argc, char** argv) {
    // --version and --help need no display.
    if (const std::optional<int> status = trelvane::answerInformationOption(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trelvane"));
    QApplication::setDesktopFileName(QString::fromLatin1(trelvane::identity::kAppId));
    QApplication::setWindowIcon(trelvane::programIcon());
    trelvane::registerFontSubstitutes();
    trelvane::installQtSpanish();

    // Closed, the splash is deleted, so that it leaves what screen readers see.
    QPointer<trelvane::FrmInicio> frmInicio =
        new trelvane::FrmInicio([] { trelvane::reportWhenShown(trelvane::FrmAscii::open()); });
    frmInicio->setAttribute(Qt::WA_DeleteOnClose);
    frmInicio->prepareWhileGrowing(
        [step = 0]() mutable { return trelvane::FrmAscii::prepareFonts(step++); });
    frmInicio->show();
    const int status = QApplication::exec();
    delete frmInicio.data();  // still there when its "x" ended the program
    return status;
}
