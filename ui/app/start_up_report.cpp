// SPDX-License-Identifier: MIT
#include "start_up_report.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTimer>
#include <QWidget>

namespace trelvane {

namespace {

Q_LOGGING_CATEGORY(lcStartup, "trelvane.startup", QtWarningMsg)

// The resident memory of this process in KiB, or -1 where the system does not tell.
long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

}  // namespace

void reportWhenShown(QWidget* window) {
    if (!lcStartup().isInfoEnabled()) {
        return;
    }
    // Queued behind the events the showing raised, the first paint among them.
    QTimer::singleShot(
        0, window, [] { qCInfo(lcStartup, "main window shown; resident %ld KiB", residentKiB()); });
}

}  // namespace trelvane
