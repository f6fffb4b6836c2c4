// SPDX-License-Identifier: MIT
#pragma once

class QString;
class QWidget;

namespace trelvane {

// Lets screen readers see the program's own controls: the code fields as editable texts, the
// label-buttons as push or radio buttons with a press action, the windows as windows. Every
// window calls it before it makes its controls. Nothing runs for it until a screen reader (or
// a test) asks.
void installAccessibleInterfaces();

// Names a control for screen readers with the words of its tool tip, the one way the program's
// controls get their names from their tool tips; called again when the tool tip changes, it
// tells screen readers of the new name.
void nameAfterToolTip(QWidget* widget);

// Gives a control a new description and makes sure that screen readers can speak it where the
// focus is; an unchanged description is not told again.
void setSpokenDescription(QWidget* widget, const QString& description);

}  // namespace trelvane
