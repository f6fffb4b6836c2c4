// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace trelvane {

// Where the lines of a wrapped text start, held compactly: runs of consecutive lines of equal
// length, kept in blocks with running totals. A text of millions of lines of binary digits, of
// blanks or of line feeds takes a single run; ordinary text takes about one run a line. Finding
// a line or a position costs a search over the blocks and a walk through one block, and an edit
// replaces the runs it touches without renumbering the rest.
//
// Every text has at least one line. The lines before the last are "complete": each ends where
// the next begins. The last line runs from the end of the complete lines to the end of the text
// and may be empty.
class LineIndex {
  public:
    // `count` consecutive lines of `length` UTF-16 units each. `kind` says what rule made them;
    // runs of the same length and kind merge.
    struct Run {
        std::uint32_t count = 0;
        std::uint16_t length = 0;
        std::uint16_t kind = 0;
    };
    using Runs = std::vector<Run>;

  private:
    struct Block {
        Runs runs;
        qsizetype lines = 0;
        qsizetype units = 0;
    };

  public:
    // Appends lines to a list of runs, merging them into its last run where they match.
    static void append(Runs& runs, std::uint16_t length, qsizetype count, std::uint16_t kind);

    qsizetype lineCount() const { return completeLines() + 1; }
    qsizetype completeLines() const { return firstLine_.back(); }
    // Where the last line starts.
    qsizetype completeUnits() const { return firstUnit_.back(); }
    qsizetype lineStart(qsizetype line) const;
    // The line that holds a position: the last one that starts at or before it.
    qsizetype lineOf(qsizetype position) const;

    // The run of complete lines that holds a position, as [start, end) of the text; an empty
    // span at the last line.
    struct RunSpan {
        qsizetype start = 0;
        qsizetype end = 0;
        std::uint16_t kind = 0;
    };
    RunSpan runAt(qsizetype position) const;

    // A walk forward over the line starts.
    class Cursor {
      public:
        qsizetype line() const { return line_; }
        qsizetype start() const { return start_; }
        // Moves to the first line that starts at or after `position`, or to the last line.
        void advanceTo(qsizetype position);
        // The run of the current line, or nullptr on the last line.
        const Run* run() const;
        // Where the lines of the current run end (the last line's start on the last line).
        qsizetype runEnd() const;

      private:
        friend class LineIndex;
        explicit Cursor(const LineIndex& index) : index_(&index) {}
        void enterBlock(std::size_t block);

        const LineIndex* index_;
        std::size_t block_ = 0;
        std::size_t run_ = 0;
        qsizetype inRun_ = 0;  // lines of the current run before the current line
        qsizetype line_ = 0;
        qsizetype start_ = 0;
        qsizetype runStart_ = 0;
        qsizetype runLine_ = 0;
    };
    Cursor cursorAt(qsizetype line) const;

    // The lines of a whole text. Strong guarantee.
    void assign(const Runs& runs);

    // Replacing the complete lines [first, last) by new ones takes two steps, so that the change
    // is certain before anything changes and can be taken back afterwards: prepare() allocates
    // everything (it may throw std::bad_alloc, and then nothing changed); commit() and revert()
    // only move what was prepared.
    class Splice {
      private:
        friend class LineIndex;
        std::size_t firstBlock_ = 0;
        std::vector<Block> incoming_;
        std::vector<Block> outgoing_;
        std::size_t outgoingCount_ = 0;
    };
    void prepare(Splice& splice, qsizetype first, qsizetype last, const Runs& runs);
    void commit(Splice& splice) noexcept;
    void revert(Splice& splice) noexcept;

    void swap(LineIndex& other) noexcept;

  private:
    static std::vector<Block> toBlocks(const Runs& runs);
    void recount(std::size_t fromBlock) noexcept;
    std::size_t blockOfLine(qsizetype line) const;
    std::size_t blockOfUnit(qsizetype position) const;
    void exchange(Splice& splice, std::vector<Block>& in, std::vector<Block>& out,
                  std::size_t outCount) noexcept;

    std::vector<Block> blocks_;
    // Lines and units before each block, and the totals after the last one.
    std::vector<qsizetype> firstLine_{0};
    std::vector<qsizetype> firstUnit_{0};
};

}  // namespace trelvane
