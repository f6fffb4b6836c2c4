#include "visible_text.h"

namespace trelvane {

namespace {

constexpr char16_t kPictureBase = 0x2400;    // ␀ .. ␟ for codes 0 to 31
constexpr char16_t kPictureDelete = 0x2421;  // ␡ for 127

bool shownAsPicture(char16_t c, bool keepLineFeed) {
    if (c == u'\t' || (c == u'\n' && keepLineFeed)) {
        return false;
    }
    return c < 32 || c == 127;
}

}  // namespace

QString toVisible(const QString& text, bool keepLineFeed) {
    QString shown = text;
    for (QChar& ch : shown) {
        const char16_t c = ch.unicode();
        if (shownAsPicture(c, keepLineFeed)) {
            ch = QChar(c == 127 ? kPictureDelete : static_cast<char16_t>(kPictureBase + c));
        }
    }
    return shown;
}

QString fromVisible(const QString& shown) {
    QString text = shown;
    for (QChar& ch : text) {
        const char16_t c = ch.unicode();
        if (c >= kPictureBase && c < kPictureBase + 32) {
            ch = QChar(static_cast<char16_t>(c - kPictureBase));
        } else if (c == kPictureDelete) {
            ch = QChar(char16_t{127});
        }
    }
    return text;
}

}  // namespace trelvane
