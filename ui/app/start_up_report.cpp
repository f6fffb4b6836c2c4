// SPDX-License-Identifier: MIT
#include "start_up_report.h"

#include <QEvent>
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

// Reports once the window it watches has painted itself for the first time.
class FirstPaintWatch : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // The window paints first, its controls after it, all before the picture reaches
            // the screen: queued, the report comes after all of that.
            QTimer::singleShot(0, watched, [] {
                qCInfo(lcStartup, "main window shown; resident %ld KiB", residentKiB());
            });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void reportWhenShown(QWidget* window) {
    if (!lcStartup().isInfoEnabled()) {
        return;
    }
    window->installEventFilter(new FirstPaintWatch(window));
}

}  // namespace trelvane
