// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

#include "code_glyphs.h"
#include "line_index.h"

namespace trelvane {

// How a code field breaks its text into lines at a width, in 1/64 pixel:
// - a line feed ends its line;
// - a line too wide for the box breaks after its last blank, or, with none, before the
//   character that does not fit (never inside a surrogate pair);
// - one blank may hang past the edge at a line's end; the next one starts a new line;
// - a line holds at most kMaxLineUnits UTF-16 units, however narrow its characters, so that
//   every line is cheap to draw and to place a caret in.
// Lines made of one character range (line feeds, blanks, or printable ASCII characters of
// equal advance such as binary digits) are laid out as a whole run at once, in the time it
// takes to find where the run ends. Lines of digits and blanks, the text of decimal codes, are
// laid out by counting their blanks, as each of their characters has one of two advances.
inline constexpr qsizetype kMaxLineUnits = 1024;

struct WrapGeometry {
    GlyphAdvances* advances = nullptr;
    int width = 1;  // 1/64 pixel
};

// The lines of a whole text.
LineIndex::Runs wrapAll(QStringView text, const WrapGeometry& geometry);

// The lines that change when [position, position + removed) of the text laid out in `old` was
// replaced by `inserted` units, giving `text`: the complete lines [firstLine, lastLine) of
// `old` are to be replaced by `runs`. Only the lines from just before the edit to where the
// new lines start again where the old ones started (shifted by the edit) are laid out anew.
struct Rewrap {
    qsizetype firstLine = 0;
    qsizetype lastLine = 0;
    LineIndex::Runs runs;
};
Rewrap rewrap(QStringView text, const LineIndex& old, qsizetype position, qsizetype removed,
              qsizetype inserted, const WrapGeometry& geometry);

}  // namespace trelvane
