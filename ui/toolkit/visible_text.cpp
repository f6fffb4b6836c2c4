// SPDX-License-Identifier: MIT
#include "visible_text.h"

namespace trelvane {

QChar controlPicture(char16_t c) {
    constexpr char16_t kPictureBase = 0x2400;    // ␀ .. ␟ for codes 0 to 31
    constexpr char16_t kPictureDelete = 0x2421;  // ␡ for 127
    if (c < 32) {
        return QChar(static_cast<char16_t>(kPictureBase + c));
    }
    return QChar(c == 127 ? kPictureDelete : c);
}

QString toVisible(const QString& text, bool keepLineFeed) {
    QString shown = text;
    for (QChar& ch : shown) {
        const char16_t c = ch.unicode();
        if (c != u'\t' && !(c == u'\n' && keepLineFeed)) {
            ch = controlPicture(c);
        }
    }
    return shown;
}

}  // namespace trelvane
