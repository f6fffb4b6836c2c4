// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>

namespace trelvane {

// Enabling a timer that already runs changes nothing: it keeps its count.
inline void enableTimer(QTimer* timer) {
    if (!timer->isActive()) {
        timer->start();
    }
}

}  // namespace trelvane
