// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "stream_conversion.h"

namespace trelvane::cli {

// Lays out digits on their way to the output: binary in bytes apart (as the window's
// grouping view shows it), and lines of at most `wrap` columns (0: one line). Lines break
// between groups and between decimal numbers, which are never split; ungrouped binary and
// hexadecimal break at the column. A line is only begun when a character comes for it, so
// the output never ends on an empty line.
class LaidOutput final : public Output {
  public:
    LaidOutput(Output& out, Mode mode, bool groups, std::size_t wrap);

    char* room(std::size_t bytes) override;
    void commit(char* end) override;
    // After the last commit: the group or number still held.
    void finish();

  private:
    void layPlain(std::string_view digits);
    void layWords(std::string_view digits);
    void endWord();
    void put(std::string_view text);

    Output& out_;
    std::size_t wrap_;
    std::size_t groupSize_;  // binary in groups: digits per group; 0: words end at blanks
    bool words_;             // decimal, or binary in groups
    std::vector<char> scratch_;
    std::size_t column_ = 0;
    std::string word_;  // the group or number being read
};

}  // namespace trelvane::cli
