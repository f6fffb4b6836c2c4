// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "convert_command.h"

namespace trelvane::cli {

// A file or standard input. A regular file can be read twice, from where the reading began,
// and is read through a window mapped from it rather than copied into a buffer; the window
// is unmapped as the reading moves on, so the memory held stays that of one window. Anything
// else (a pipe, a terminal) is read once, a buffer at a time.
class FileInput final : public Input {
  public:
    // Takes the descriptor (and closes it, unless it is one of the standard three). A window
    // of `window` bytes, a multiple of the page size, is mapped at a time.
    FileInput(int fd, std::string name, std::size_t window = std::size_t{4} << 20);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    std::string_view next() override;
    bool rewind() override;

  private:
    void unmap();

    int fd_;
    std::string name_;
    off_t window_;
    std::vector<char> buffer_;
    off_t start_ = -1;  // a regular file: where the reading began
    off_t size_ = 0;
    off_t position_ = 0;
    void* mapped_ = nullptr;
    std::size_t mappedLength_ = 0;
};

}  // namespace trelvane::cli
