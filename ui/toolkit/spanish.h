// SPDX-License-Identifier: MIT
#pragma once

namespace trelvane {

// The interface is Spanish whatever the user's locale, Qt's own texts included: the context
// menus of the text boxes and the buttons of the message boxes. Installs Qt's Spanish
// translation (qtbase_es from Qt's translations folder) into the running application; returns
// false, and the program goes on with Qt's English texts, when it is not installed.
bool installQtSpanish();

}  // namespace trelvane
