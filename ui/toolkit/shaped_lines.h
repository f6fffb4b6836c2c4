// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QStringView>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace trelvane {

// The lines of a code field that are drawn or hit, shaped as QTextLayout shapes text: combining
// marks sit on their base characters, right-to-left runs are joined and ordered, and the caret
// and the pointer follow the shaped line. Only the few lines in use are shaped, so the cost
// does not grow with the text; each is kept until the text, the font or the width changes.
class ShapedLines {
  public:
    // How lines are shaped: the field's font, its tab stops, and how much wider the box of a
    // C1 control is than its placeholder, all in pixels.
    void setStyle(const QFont& font, qreal tabStop, qreal boxWidening);
    void forget();

    // The shaped form of the line of the field's text that starts at `start`; `line` is its
    // text without the line feed that ends it.
    const QTextLayout& shape(QStringView line, qsizetype start);

  private:
    struct Entry {
        qsizetype start = 0;
        qsizetype length = 0;
        std::unique_ptr<QTextLayout> layout;
        quint64 used = 0;
    };

    QFont font_;
    qreal tabStop_ = 1;
    qreal boxWidening_ = 0;
    std::vector<Entry> entries_;
    quint64 clock_ = 0;
};

}  // namespace trelvane
