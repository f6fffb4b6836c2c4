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

    // The converter window is prepared while the splash grows and shown when it ends. Closed,
    // the splash is deleted, so that it leaves what screen readers see.
    QPointer<trelvane::FrmAscii> frmAscii;
    QPointer<trelvane::FrmInicio> frmInicio = new trelvane::FrmInicio([&frmAscii] {
        frmAscii = trelvane::FrmAscii::open(frmAscii);
        trelvane::reportWhenShown(frmAscii);
    });
    frmInicio->setAttribute(Qt::WA_DeleteOnClose);
    frmInicio->prepareWhileGrowing(
        [&frmAscii, step = 0]() mutable { return trelvane::FrmAscii::prepare(step++, frmAscii); });
    frmInicio->show();
    const int status = QApplication::exec();
    delete frmInicio.data();  // still there when its "x" ended the program
    delete frmAscii.data();   // prepared but never shown, then
    return status;
}
