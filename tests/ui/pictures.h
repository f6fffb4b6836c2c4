// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace trelvane {

// Saves a picture of a widget as <name>.png in the folder named by TRELVANE_PICTURES (CTest
// names <build>/pictures); run by hand without it, no picture is saved.
void savePicture(QWidget& widget, const QString& name);

}  // namespace trelvane
