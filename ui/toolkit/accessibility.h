// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace trelvane {

// Lets screen readers see the program's own controls: the code fields as editable texts, the
// label-buttons as push or radio buttons with a press action, the windows as windows. Every
// window calls it before it makes its controls. Nothing runs for it until a screen reader (or
// a test) asks.
void installAccessibleInterfaces();

// Tells screen readers that a control's name has changed (its tool tip, say).
void notifyNameChanged(QWidget* widget);

}  // namespace trelvane
