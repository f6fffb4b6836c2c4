// SPDX-License-Identifier: MIT
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "convert_command.h"

namespace trelvane::cli {

// A file or standard input, read into one reused buffer. A regular file can be read twice,
// from where the reading began; it must not change meanwhile: a file that shrinks, grows or
// is written to while it is read is reported rather than converted half old, half new.
// Anything else (a pipe, a terminal) is read once. Either way the descriptor's offset ends
// after what was read, as other tools leave standard input.
class FileInput final : public Input {
  public:
    // Takes the descriptor (and closes it, unless it is one of the standard three).
    FileInput(int fd, std::string name, std::size_t buffer = kReadSize);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    std::string_view next() override;
    bool rewind() override;

  private:
    [[noreturn]] void fail(const std::string& reason) const;
    // Throws if the file is not what it was when the reading began.
    void checkUnchanged() const;
    std::size_t readSome(std::size_t most);

    int fd_;
    std::string name_;
    std::vector<char> buffer_;
    bool twice_ = false;    // a regular file, read by its size
    struct stat first_ {};  // what it was when the reading began
    off_t start_ = 0;
    off_t position_ = 0;
    off_t end_ = 0;  // where the reading stops: the size, unless the file ends earlier
};

}  // namespace trelvane::cli
