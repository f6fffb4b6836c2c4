// SPDX-License-Identifier: MIT
#include "program_icon.h"

#include <QSize>
#include <QString>

// The images live in the static library trelvane_resources. Naming its initializer here makes
// the linker keep them; registering them again is harmless. Q_INIT_RESOURCE only works outside
// a namespace.
static void registerIconImages() {
    Q_INIT_RESOURCE(resources);
}

namespace trelvane {

namespace {
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};
}

QIcon programIcon() {
    registerIconImages();
    QIcon icon;
    for (int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/trelvane/icon/trelvane-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

QIcon windowIcon32() {
    registerIconImages();
    QIcon icon;
    icon.addFile(QStringLiteral(":/trelvane/icon/trelvane-32-16colors.png"), QSize(32, 32));
    return icon;
}

}  // namespace trelvane
