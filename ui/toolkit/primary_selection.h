// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace trelvane {

// The primary selection of X11 desktops: what the user last selected, pasted elsewhere by a
// middle click. On a platform without one, hasPrimarySelection() is false, setting it does
// nothing and it reads empty.
bool hasPrimarySelection();
void setPrimarySelection(const QString& text);
QString primarySelection();

// Keeps a primary selection inside the program where the platform has none, as the headless
// test platform, so that the code that uses it can be driven there.
void keepPrimarySelectionInProgram();

}  // namespace trelvane
