// SPDX-License-Identifier: MIT
#include "output_layout.h"

#include <algorithm>

namespace trelvane::cli {

namespace {
// Eight binary digits make a byte's group.
constexpr std::size_t kGroup = 8;
}  // namespace

LaidOutput::LaidOutput(Output& out, Mode mode, bool groups, std::size_t wrap)
    : out_(out),
      wrap_(wrap),
      groupSize_(mode == Binario && groups ? kGroup : 0),
      words_(mode == Decimal || groupSize_ > 0) {}

char* LaidOutput::room(std::size_t bytes) {
    if (scratch_.size() < bytes) {
        scratch_.resize(bytes);
    }
    return scratch_.data();
}

void LaidOutput::commit(char* end) {
    const std::string_view digits(scratch_.data(), static_cast<std::size_t>(end - scratch_.data()));
    if (words_) {
        layWords(digits);
    } else {
        layPlain(digits);
    }
}

void LaidOutput::finish() {
    if (words_) {
        endWord();
    }
}

void LaidOutput::put(std::string_view text) {
    out_.commit(std::copy_n(text.data(), text.size(), out_.room(text.size())));
}

// A line feed after every `wrap_` characters.
void LaidOutput::layPlain(std::string_view digits) {
    if (wrap_ == 0) {
        return put(digits);
    }
    while (!digits.empty()) {
        if (column_ == wrap_) {
            put("\n");
            column_ = 0;
        }
        const std::string_view line = digits.substr(0, wrap_ - column_);
        put(line);
        column_ += line.size();
        digits.remove_prefix(line.size());
    }
}

// Words (groups or numbers) with a blank between them, or a line feed where the next word
// would pass the last column.
void LaidOutput::layWords(std::string_view digits) {
    for (const char c : digits) {
        if (c == ' ') {
            endWord();
            continue;
        }
        word_ += c;
        if (word_.size() == groupSize_) {
            endWord();
        }
    }
}

void LaidOutput::endWord() {
    if (word_.empty()) {
        return;
    }
    if (column_ > 0) {
        const bool fits = wrap_ == 0 || column_ + 1 + word_.size() <= wrap_;
        put(fits ? " " : "\n");
        column_ = fits ? column_ + 1 : 0;
    }
    put(word_);
    column_ += word_.size();
    word_.clear();
}

}  // namespace trelvane::cli
