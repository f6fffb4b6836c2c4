// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace trelvane {

// What a code field draws for the characters it holds. The text is never changed for this:
// drawing works on a copy of a line in which each UTF-16 unit is replaced by the unit shown for
// it, one for one, so that a position in the shown line is the same position in the text.
//
// Control characters show as their pictures (a tab stays a tab; a line feed ends the line and is
// not drawn). The C1 controls, among them the five codes that Windows-1252 leaves undefined,
// show as their code in a small box; in the shown line they hold a no-break space, widened to
// the box. Separators that would break the line show as pictures, a soft hyphen as a hyphen, and
// half a surrogate pair as the replacement character.
char16_t shownUnit(char16_t c);
bool isBoxedCode(char16_t c);
inline constexpr char16_t kBoxPlaceholder = u'\u00a0';
// A line as it is drawn: each unit shown, surrogate pairs kept.
QString shownLine(QStringView line);

// The advances of what the field shows, measured once per font and kept, in 1/64 pixel (the
// unit the font engine itself counts in). Each character is measured through the font
// metrics only the first time it is met.
class GlyphAdvances {
  public:
    static constexpr int kPerPixel = 64;

    explicit GlyphAdvances(const QFont& font);

    const QFont& font() const { return font_; }
    const QFontMetricsF& metrics() const { return metrics_; }

    // A unit below 128, as shown (a tab has none of its own: see tabAdvance); all of them are
    // measured at once.
    int ascii(char16_t c) const { return ascii_[c]; }
    // The advances of the units measured so far, indexed by unit; -1 for the others and for
    // the units that the line rule looks at one by one: the ASCII controls (tab and line feed
    // among them) and the surrogates. One look tells a plain character and its advance.
    const std::int32_t* unitTable() const { return bmp_.data(); }
    // A unit that is not half of a surrogate pair.
    int unit(char16_t c) {
        const std::int32_t known = bmp_[c];
        return known >= 0 ? known : measureUnit(c);
    }
    // A character beyond the 16-bit range, from its surrogate pair.
    int pair(char16_t high, char16_t low) {
        const char32_t code = QChar::surrogateToUcs4(high, low);
        if (supplementary_ && code - kPlaneSize < kPlaneSize) {
            const std::int32_t known = supplementary_[code - kPlaneSize];
            if (known >= 0) {
                return known;
            }
        }
        return measurePair(high, low);
    }
    int tabAdvance(int x) const { return (x / tabStop_ + 1) * tabStop_ - x; }
    int tabStop() const { return tabStop_; }
    // The box of a C1 control, and how much wider it is than its placeholder, in pixels.
    qreal boxWidening() const { return boxWidening_; }

    // The printable ASCII characters fall into ranges of neighbouring characters of equal
    // advance (the ten digits in most fonts). A run of characters from one range breaks into
    // lines at a computable point.
    char16_t rangeLow(char16_t c) const { return rangeLow_[c]; }
    char16_t rangeHigh(char16_t c) const { return rangeHigh_[c]; }

  private:
    static constexpr char32_t kPlaneSize = 0x10000;

    int measure(const QString& shown) const;
    int measureUnit(char16_t c);
    int measurePair(char16_t high, char16_t low);

    QFont font_;
    QFontMetricsF metrics_;
    std::array<char16_t, 128> rangeLow_{};
    std::array<char16_t, 128> rangeHigh_{};
    int tabStop_ = 1;
    int boxAdvance_ = 0;
    qreal boxWidening_ = 0;
    std::array<std::int32_t, 128> ascii_{};
    std::vector<std::int32_t> bmp_;                  // -1 until measured
    std::unique_ptr<std::int32_t[]> supplementary_;  // plane 1 (most emoji), made on first use
    QHash<char32_t, int> beyond_;                    // the planes after it
};

}  // namespace trelvane
