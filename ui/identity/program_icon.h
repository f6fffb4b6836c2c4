// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace trelvane {

// The whole program icon, 16 to 256 pixels; the splash window uses it.
QIcon programIcon();

// The icon's 32 x 32 image in 16 colours, used by the main window and the code table window.
QIcon windowIcon32();

}  // namespace trelvane
