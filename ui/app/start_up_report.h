// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace trelvane {

// Once the window has been shown and painted, logs to the category "trelvane.startup" (off
// unless enabled, e.g. QT_LOGGING_RULES="trelvane.startup.info=true") that it is shown, with
// the memory the program holds then. The start-up benchmark reads that line.
void reportWhenShown(QWidget* window);

}  // namespace trelvane
