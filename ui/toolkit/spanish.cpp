// SPDX-License-Identifier: MIT
#include "spanish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

namespace trelvane {

namespace {

Q_LOGGING_CATEGORY(lcSpanish, "trelvane.translation")

}  // namespace

bool installQtSpanish() {
    auto* qtbase = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qtbase->load(QStringLiteral("qtbase_es"), folder) ||
        !QCoreApplication::installTranslator(qtbase)) {
        qCWarning(lcSpanish, "Qt's Spanish translation qtbase_es.qm is missing from %s",
                  qPrintable(folder));
        delete qtbase;
        return false;
    }
    return true;
}

}  // namespace trelvane
