// SPDX-License-Identifier: MIT
#include "line_index.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace trelvane {

namespace {

// Runs a block holds: a search over the blocks, then a walk of at most this many runs.
constexpr std::size_t kBlockRuns = 128;
constexpr qsizetype kMaxRunCount = std::numeric_limits<std::uint32_t>::max();

}  // namespace

void LineIndex::append(Runs& runs, std::uint16_t length, qsizetype count, std::uint16_t kind) {
    while (count > 0) {
        if (!runs.empty() && runs.back().length == length && runs.back().kind == kind &&
            runs.back().count < kMaxRunCount) {
            const qsizetype taken = std::min(count, kMaxRunCount - runs.back().count);
            runs.back().count += static_cast<std::uint32_t>(taken);
            count -= taken;
        } else {
            const qsizetype taken = std::min(count, kMaxRunCount);
            runs.push_back({static_cast<std::uint32_t>(taken), length, kind});
            count -= taken;
        }
    }
}

std::vector<LineIndex::Block> LineIndex::toBlocks(const Runs& runs) {
    std::vector<Block> blocks;
    blocks.reserve((runs.size() + kBlockRuns - 1) / kBlockRuns);
    for (std::size_t from = 0; from < runs.size(); from += kBlockRuns) {
        Block block;
        const auto first = runs.begin() + static_cast<std::ptrdiff_t>(from);
        block.runs.assign(
            first, first + static_cast<std::ptrdiff_t>(std::min(kBlockRuns, runs.size() - from)));
        for (const Run& run : block.runs) {
            block.lines += run.count;
            block.units += static_cast<qsizetype>(run.count) * run.length;
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

void LineIndex::recount(std::size_t fromBlock) noexcept {
    // The capacity was made sure of beforehand, so these do not allocate.
    firstLine_.resize(blocks_.size() + 1);
    firstUnit_.resize(blocks_.size() + 1);
    for (std::size_t b = fromBlock; b < blocks_.size(); ++b) {
        firstLine_[b + 1] = firstLine_[b] + blocks_[b].lines;
        firstUnit_[b + 1] = firstUnit_[b] + blocks_[b].units;
    }
}

std::size_t LineIndex::blockOfLine(qsizetype line) const {
    const auto it = std::upper_bound(firstLine_.begin(), firstLine_.end(), line);
    return static_cast<std::size_t>(it - firstLine_.begin()) - 1;
}

std::size_t LineIndex::blockOfUnit(qsizetype position) const {
    const auto it = std::upper_bound(firstUnit_.begin(), firstUnit_.end(), position);
    return static_cast<std::size_t>(it - firstUnit_.begin()) - 1;
}

qsizetype LineIndex::lineStart(qsizetype line) const {
    if (line >= completeLines()) {
        return completeUnits();
    }
    line = std::max<qsizetype>(line, 0);
    const std::size_t b = blockOfLine(line);
    qsizetype firstOfRun = firstLine_[b];
    qsizetype unit = firstUnit_[b];
    for (const Run& run : blocks_[b].runs) {
        if (line < firstOfRun + run.count) {
            return unit + (line - firstOfRun) * run.length;
        }
        firstOfRun += run.count;
        unit += static_cast<qsizetype>(run.count) * run.length;
    }
    return unit;  // not reached: the block holds the line
}

qsizetype LineIndex::lineOf(qsizetype position) const {
    if (position >= completeUnits()) {
        return completeLines();
    }
    position = std::max<qsizetype>(position, 0);
    const std::size_t b = blockOfUnit(position);
    qsizetype line = firstLine_[b];
    qsizetype unit = firstUnit_[b];
    for (const Run& run : blocks_[b].runs) {
        const qsizetype span = static_cast<qsizetype>(run.count) * run.length;
        if (position < unit + span) {
            return line + (position - unit) / run.length;
        }
        line += run.count;
        unit += span;
    }
    return line;  // not reached: the block holds the position
}

LineIndex::RunSpan LineIndex::runAt(qsizetype position) const {
    if (position >= completeUnits()) {
        return {completeUnits(), completeUnits(), 0};
    }
    position = std::max<qsizetype>(position, 0);
    const std::size_t b = blockOfUnit(position);
    qsizetype unit = firstUnit_[b];
    for (const Run& run : blocks_[b].runs) {
        const qsizetype end = unit + static_cast<qsizetype>(run.count) * run.length;
        if (position < end) {
            return {unit, end, run.kind};
        }
        unit = end;
    }
    return {unit, unit, 0};  // not reached: the block holds the position
}

LineIndex::Cursor LineIndex::cursorAt(qsizetype line) const {
    Cursor cursor(*this);
    line = std::clamp<qsizetype>(line, 0, completeLines());
    cursor.enterBlock(line < completeLines() ? blockOfLine(line) : blocks_.size());
    while (cursor.block_ < blocks_.size()) {
        const Run& run = blocks_[cursor.block_].runs[cursor.run_];
        if (line < cursor.runLine_ + run.count) {
            cursor.inRun_ = line - cursor.runLine_;
            cursor.line_ = line;
            cursor.start_ = cursor.runStart_ + cursor.inRun_ * run.length;
            break;
        }
        cursor.runLine_ += run.count;
        cursor.runStart_ += static_cast<qsizetype>(run.count) * run.length;
        ++cursor.run_;
    }
    return cursor;
}

void LineIndex::Cursor::enterBlock(std::size_t block) {
    block_ = block;
    run_ = 0;
    inRun_ = 0;
    runLine_ = line_ = index_->firstLine_[block];
    runStart_ = start_ = index_->firstUnit_[block];
}

void LineIndex::Cursor::advanceTo(qsizetype position) {
    const auto& blocks = index_->blocks_;
    if (block_ >= blocks.size() || position <= start_) {
        return;
    }
    if (position >= index_->firstUnit_[block_ + 1]) {
        // Past this block: find the block by the totals instead of walking.
        const auto& firsts = index_->firstUnit_;
        const auto it = std::upper_bound(firsts.begin() + static_cast<std::ptrdiff_t>(block_) + 1,
                                         firsts.end(), position);
        enterBlock(static_cast<std::size_t>(it - firsts.begin()) - 1);
        if (block_ >= blocks.size() || position == start_) {
            return;
        }
    }
    for (;;) {
        const Run& run = blocks[block_].runs[run_];
        const qsizetype end = runStart_ + static_cast<qsizetype>(run.count) * run.length;
        if (position < end) {
            // Most runs after an edit hold one line each: no division for them.
            const qsizetype offset = position - runStart_;
            const qsizetype inRun = offset == 0      ? 0
                                    : run.count == 1 ? 1
                                                     : (offset + run.length - 1) / run.length;
            if (inRun < run.count) {
                inRun_ = inRun;
                line_ = runLine_ + inRun;
                start_ = runStart_ + inRun * run.length;
                return;
            }
        }
        runLine_ += run.count;
        runStart_ = end;
        inRun_ = 0;
        if (++run_ == blocks[block_].runs.size()) {
            ++block_;
            run_ = 0;
        }
        line_ = runLine_;
        start_ = runStart_;
        if (block_ >= blocks.size() || position <= start_) {
            return;
        }
    }
}

const LineIndex::Run* LineIndex::Cursor::run() const {
    return block_ < index_->blocks_.size() ? &index_->blocks_[block_].runs[run_] : nullptr;
}

qsizetype LineIndex::Cursor::runEnd() const {
    const Run* current = run();
    return current == nullptr
               ? start_
               : runStart_ + static_cast<qsizetype>(current->count) * current->length;
}

void LineIndex::assign(const Runs& runs) {
    std::vector<Block> blocks = toBlocks(runs);
    std::vector<qsizetype> firstLine(blocks.size() + 1, 0);
    std::vector<qsizetype> firstUnit(blocks.size() + 1, 0);
    blocks_.swap(blocks);
    firstLine_.swap(firstLine);
    firstUnit_.swap(firstUnit);
    recount(0);
}

void LineIndex::prepare(Splice& splice, qsizetype first, qsizetype last, const Runs& runs) {
    const std::size_t blockCount = blocks_.size();
    std::size_t from = 0;
    std::size_t to = 0;  // the blocks [from, to) are rebuilt
    if (blockCount > 0) {
        // Lines added after all the others join the last block, so that its runs can merge.
        from = first < completeLines() ? blockOfLine(first) : blockCount - 1;
        to = std::max(from, last > first ? blockOfLine(last - 1) : from) + 1;
    }
    Runs merged;
    merged.reserve(runs.size() + 2 * kBlockRuns);  // the runs kept come from two blocks
    // Only the first of the rebuilt blocks holds lines before `first`, and only the last one
    // lines from `last` on.
    auto keep = [&](bool before) {
        if (blockCount == 0) {
            return;
        }
        const std::size_t b = before ? from : to - 1;
        qsizetype line = firstLine_[b];
        for (const Run& run : blocks_[b].runs) {
            const qsizetype end = line + run.count;
            const qsizetype count = before ? std::clamp<qsizetype>(first - line, 0, run.count)
                                           : std::clamp<qsizetype>(end - last, 0, run.count);
            append(merged, run.length, count, run.kind);
            line = end;
        }
    };
    keep(true);
    if (!runs.empty()) {
        // The new runs are merged among themselves already; only the first may join.
        append(merged, runs.front().length, runs.front().count, runs.front().kind);
        merged.insert(merged.end(), runs.begin() + 1, runs.end());
    }
    keep(false);

    std::vector<Block> incoming = toBlocks(merged);
    std::vector<Block> outgoing;
    outgoing.reserve(to - from);
    const std::size_t most = std::max(blockCount, blockCount - (to - from) + incoming.size());
    blocks_.reserve(most);
    firstLine_.reserve(most + 1);
    firstUnit_.reserve(most + 1);

    splice.firstBlock_ = from;
    splice.incoming_.swap(incoming);
    splice.outgoing_.swap(outgoing);
    splice.outgoingCount_ = to - from;
}

// Moves `count` blocks from `splice.firstBlock_` into `out` and the blocks of `in` into their
// place; `count` becomes the number of blocks now in place.
void LineIndex::exchange(Splice& splice, std::vector<Block>& in, std::vector<Block>& out,
                         std::size_t count) noexcept {
    const auto first = blocks_.begin() + static_cast<std::ptrdiff_t>(splice.firstBlock_);
    out.clear();
    std::move(first, first + static_cast<std::ptrdiff_t>(count), std::back_inserter(out));
    blocks_.erase(first, first + static_cast<std::ptrdiff_t>(count));
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(splice.firstBlock_),
                   std::make_move_iterator(in.begin()), std::make_move_iterator(in.end()));
    splice.outgoingCount_ = in.size();
    in.clear();
    recount(splice.firstBlock_);
}

void LineIndex::commit(Splice& splice) noexcept {
    exchange(splice, splice.incoming_, splice.outgoing_, splice.outgoingCount_);
}

void LineIndex::revert(Splice& splice) noexcept {
    exchange(splice, splice.outgoing_, splice.incoming_, splice.outgoingCount_);
}

void LineIndex::swap(LineIndex& other) noexcept {
    blocks_.swap(other.blocks_);
    firstLine_.swap(other.firstLine_);
    firstUnit_.swap(other.firstUnit_);
}

}  // namespace trelvane
