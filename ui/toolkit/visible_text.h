// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>
#include <QString>

namespace trelvane {

// Control characters cannot be seen in a text box, and some (a bare carriage return) would
// break or hide a line. On screen they are shown as their Unicode control pictures (U+2400 +
// code, U+2421 for 127).

// The picture of a control character (codes 0 to 31 and 127); any other character itself.
QChar controlPicture(char16_t c);

// A text with its control characters shown as pictures; a tab stays a tab, and a line feed
// stays a line break unless keepLineFeed is false.
QString toVisible(const QString& text, bool keepLineFeed = true);

}  // namespace trelvane
