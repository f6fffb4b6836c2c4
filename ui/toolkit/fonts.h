// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>
#include <thread>

namespace trelvane {

// The windows are designed in "Segoe UI", "Segoe UI Semibold" and "Calibri Light", which a
// Linux desktop lacks. Registers metric-compatible substitutes (Open Sans, Carlito) with the
// system's sans-serif behind them, so the layout keeps its sizes. Call once after the
// QApplication exists.
void registerFontSubstitutes();

// Reads the system's font configuration (fontconfig's configuration files and font caches) on
// a thread of its own: the few milliseconds it takes before the first text can be drawn then
// pass while Qt starts. Join the thread before the first font is looked up.
std::jthread readFontConfigurationAhead();

// Whether a font name can be used: the system has that family, or it has the installed
// substitute registered for it.
bool isFontAvailable(const QString& family);

// A font of the design: family, size in points, weight (400 regular, 600 semibold, 300 light).
QFont designFont(const QString& family, double points, int weight = 400);

}  // namespace trelvane
