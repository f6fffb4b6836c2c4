// SPDX-License-Identifier: MIT
#include "code_glyphs.h"

#include <QChar>
#include <algorithm>
#include <cmath>

#include "undefined_code.h"
#include "visible_text.h"

namespace trelvane {

namespace {

constexpr int kTabColumns = 8;  // a tab stop every eight blanks

}  // namespace

bool isBoxedCode(char16_t c) {
    return c >= 0x80 && c <= 0x9f;
}

char16_t shownUnit(char16_t c) {
    if (c < 32 || c == 127) {
        return c == u'\t' || c == u'\n' ? c : controlPicture(c).unicode();
    }
    if (c < 0x80) {
        return c;
    }
    if (isBoxedCode(c)) {
        return kBoxPlaceholder;
    }
    switch (c) {
        case 0x00ad:
            return u'-';  // the soft hyphen, which would otherwise show only at a line's end
        case 0x2028:
            return 0x2424;  // line separator: the picture of a new line
        case 0x2029:
            return 0x00b6;  // paragraph separator: the pilcrow
        default:
            break;
    }
    return QChar::isSurrogate(c) ? char16_t{QChar::ReplacementCharacter} : c;
}

QString shownLine(QStringView line) {
    QString shown(line.size(), Qt::Uninitialized);
    QChar* out = shown.data();
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < line.size() && line[i + 1].isLowSurrogate()) {
            out[i] = line[i];
            out[i + 1] = line[i + 1];
            ++i;
        } else {
            out[i] = QChar(shownUnit(c));
        }
    }
    return shown;
}

GlyphAdvances::GlyphAdvances(const QFont& font)
    : font_(font), metrics_(font), bmp_(kPlaneSize, -1) {
    for (char16_t c = 0; c < 128; ++c) {
        ascii_[c] = measure(QString(QChar(shownUnit(c))));
        if (c >= u' ' && c < 127) {
            bmp_[c] = ascii_[c];
        }
    }
    tabStop_ = std::max(1, kTabColumns * ascii(u' '));
    const qreal box = undefinedCodeAdvance(font);
    boxAdvance_ = static_cast<int>(std::lround(box * kPerPixel));
    boxWidening_ = box - metrics_.horizontalAdvance(QString(QChar(kBoxPlaceholder)));

    for (char16_t c = 0; c < 128; ++c) {
        rangeLow_[c] = rangeHigh_[c] = c;
    }
    for (char16_t c = u'!' + 1; c < 127; ++c) {
        if (ascii(c) == ascii(c - 1)) {
            rangeLow_[c] = rangeLow_[c - 1];
        }
    }
    for (char16_t c = 125; c >= u'!'; --c) {
        if (ascii(c) == ascii(c + 1)) {
            rangeHigh_[c] = rangeHigh_[c + 1];
        }
    }
}

int GlyphAdvances::measure(const QString& shown) const {
    // Measured through a string, so that a character the font lacks is measured in the font
    // that will draw it.
    return static_cast<int>(std::lround(metrics_.horizontalAdvance(shown) * kPerPixel));
}

int GlyphAdvances::measureUnit(char16_t c) {
    const int advance = isBoxedCode(c) ? boxAdvance_ : measure(QString(QChar(shownUnit(c))));
    if (!QChar::isSurrogate(c)) {  // a lone surrogate stays for the line rule to look at
        bmp_[c] = advance;
    }
    return advance;
}

// Plane 1 holds most emoji: its advances get a table of their own on first use; the planes
// after it are rare enough for a hash.
int GlyphAdvances::measurePair(char16_t high, char16_t low) {
    const char32_t code = QChar::surrogateToUcs4(high, low);
    const QChar units[2] = {QChar(high), QChar(low)};
    if (code - kPlaneSize < kPlaneSize) {
        if (!supplementary_) {
            supplementary_ = std::make_unique<std::int32_t[]>(kPlaneSize);
            std::fill_n(supplementary_.get(), kPlaneSize, -1);
        }
        return supplementary_[code - kPlaneSize] = measure(QString(units, 2));
    }
    const auto it = beyond_.constFind(code);
    if (it != beyond_.constEnd()) {
        return *it;
    }
    const int advance = measure(QString(units, 2));
    beyond_.insert(code, advance);
    return advance;
}

}  // namespace trelvane
