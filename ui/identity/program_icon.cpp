// SPDX-License-Identifier: MIT
#include "program_icon.h"

#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>
#include <utility>

// The images live in the static library trelvane_resources. Naming its initializer here makes
// the linker keep them; registering them again is harmless. Q_INIT_RESOURCE only works outside
// a namespace.
static void registerIconImages() {
    Q_INIT_RESOURCE(resources);
}

namespace trelvane {

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// An icon whose images are read only when one is first asked for. QIcon decodes every image as
// it is added, a few milliseconds and a few hundred KiB for the whole icon, before the splash
// can show; yet many desktops never ask a window for its icon. Everything is answered by the
// icon read then, so it behaves as that icon does.
class DeferredIconEngine : public QIconEngine {
  public:
    explicit DeferredIconEngine(std::function<QIcon()> read) : read_(std::move(read)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

  private:
    const QIcon& icon() {
        if (icon_.isNull()) {
            registerIconImages();
            icon_ = read_();
        }
        return icon_;
    }

    std::function<QIcon()> read_;
    QIcon icon_;
};

QIcon readProgramIcon() {
    QIcon icon;
    for (int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/trelvane/icon/trelvane-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

QIcon readWindowIcon32() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/trelvane/icon/trelvane-32-16colors.png"), QSize(32, 32));
    return icon;
}

}  // namespace

QIcon programIcon() {
    return QIcon(new DeferredIconEngine(readProgramIcon));
}

QIcon windowIcon32() {
    return QIcon(new DeferredIconEngine(readWindowIcon32));
}

}  // namespace trelvane
