#pragma once

#include <QString>

namespace trelvane {

// Control characters cannot be seen in a text box, and some (a bare carriage return) would be
// turned into something else by the editor. On screen they are shown as the Unicode control
// pictures (U+2400 + code, U+2421 for 127); a line feed stays a line break and a tab a tab.
// toVisible and fromVisible are exact inverses for every text of characters below U+2400 or
// above U+2421.
QString toVisible(const QString& text, bool keepLineFeed = true);
QString fromVisible(const QString& shown);

}  // namespace trelvane
