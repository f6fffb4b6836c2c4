// SPDX-License-Identifier: MIT
#include "code_words.h"

namespace trelvane {

WordClass wordClass(QChar c) {
    if (c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_')) {
        return WordClass::Word;
    }
    return c.isSpace() && c != QLatin1Char('\n') ? WordClass::Blank : WordClass::Other;
}

qsizetype backOver(QStringView text, qsizetype position, qsizetype low, WordClass kind, bool is) {
    while (position > low && (wordClass(text[position - 1]) == kind) == is) {
        --position;
    }
    return position;
}

qsizetype forwardOver(QStringView text, qsizetype position, qsizetype high, WordClass kind,
                      bool is) {
    while (position < high && (wordClass(text[position]) == kind) == is) {
        ++position;
    }
    return position;
}

}  // namespace trelvane
