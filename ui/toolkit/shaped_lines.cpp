// SPDX-License-Identifier: MIT
#include "shaped_lines.h"

#include <QTextCharFormat>
#include <algorithm>

#include "code_glyphs.h"

namespace trelvane {

namespace {

// More than a field ever shows at once, with room for the caret's line and a few more.
constexpr std::size_t kKeptLines = 48;

}  // namespace

void ShapedLines::setStyle(const QFont& font, qreal tabStop, qreal boxWidening) {
    font_ = font;
    tabStop_ = tabStop;
    boxWidening_ = boxWidening;
    forget();
}

void ShapedLines::forget() {
    entries_.clear();
}

const QTextLayout& ShapedLines::shape(QStringView line, qsizetype start) {
    ++clock_;
    for (Entry& entry : entries_) {
        if (entry.start == start && entry.length == line.size()) {
            entry.used = clock_;
            return *entry.layout;
        }
    }

    auto layout = std::make_unique<QTextLayout>(shownLine(line), font_);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(tabStop_);
    // A code field reads left to right; right-to-left runs are ordered within that.
    option.setTextDirection(Qt::LeftToRight);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);

    // The placeholder of a C1 control is widened to the box drawn over it.
    QList<QTextLayout::FormatRange> boxes;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (isBoxedCode(line[i].unicode())) {
            QTextLayout::FormatRange box;
            box.start = static_cast<int>(i);
            box.length = 1;
            box.format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
            box.format.setFontLetterSpacing(boxWidening_);
            boxes.append(box);
        }
    }
    if (!boxes.isEmpty()) {
        layout->setFormats(boxes);
    }

    layout->beginLayout();
    QTextLine shaped = layout->createLine();
    if (shaped.isValid()) {
        shaped.setPosition(QPointF(0, 0));
    }
    layout->endLayout();

    Entry* slot = nullptr;
    if (entries_.size() < kKeptLines) {
        slot = &entries_.emplace_back();
    } else {
        slot = &*std::min_element(entries_.begin(), entries_.end(),
                                  [](const Entry& a, const Entry& b) { return a.used < b.used; });
    }
    slot->start = start;
    slot->length = line.size();
    slot->layout = std::move(layout);
    slot->used = clock_;
    return *slot->layout;
}

}  // namespace trelvane
