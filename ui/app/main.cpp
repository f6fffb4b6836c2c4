// Trelvane: the program's entry opens the converter window.
#include <QApplication>

#include "fonts.h"
#include "frm_ascii.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trelvane"));
    trelvane::registerFontSubstitutes();

    auto* frmAscii = new trelvane::FrmAscii;
    frmAscii->setAttribute(Qt::WA_DeleteOnClose);
    frmAscii->show();
    return QApplication::exec();
}
