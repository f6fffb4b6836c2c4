// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

namespace trelvane {

// How a code field splits its text into words, the same for a double click, Ctrl+Left and
// Ctrl+Right and screen readers: a word is a run of letters, digits, combining marks and '_';
// a run of blanks is a span of its own, and any other character (a line feed among them) is
// one by itself. The scans stop at the bounds they are given, the line, so that a run of
// millions of binary digits costs no more than a line of them.
enum class WordClass { Word, Blank, Other };
WordClass wordClass(QChar c);

// From `position`, back while the character before it is of `kind` (or, with `is` false, is
// not), no further than `low`.
qsizetype backOver(QStringView text, qsizetype position, qsizetype low, WordClass kind,
                   bool is = true);
// From `position`, forward while the character at it is of `kind` (or is not), no further
// than `high`.
qsizetype forwardOver(QStringView text, qsizetype position, qsizetype high, WordClass kind,
                      bool is = true);

}  // namespace trelvane
