// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

namespace trelvane {

// The windows are designed in "Segoe UI", "Segoe UI Semibold" and "Calibri Light", which a
// Linux desktop lacks. Registers metric-compatible substitutes (Open Sans, Carlito) with the
// system's sans-serif behind them, so the layout keeps its sizes. Call once after the
// QApplication exists.
void registerFontSubstitutes();

// Whether a font name can be used: the system has that family, or it has the installed
// substitute registered for it.
bool isFontAvailable(const QString& family);

// A font of the design: family, size in points, weight (400 regular, 600 semibold, 300 light).
QFont designFont(const QString& family, double points, int weight = 400);

}  // namespace trelvane
