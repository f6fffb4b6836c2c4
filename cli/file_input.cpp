// SPDX-License-Identifier: MIT
#include "file_input.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace trelvane::cli {

namespace {
constexpr std::size_t kBuffer = std::size_t{1} << 20;
}  // namespace

FileInput::FileInput(int fd, std::string name, std::size_t window)
    : fd_(fd), name_(std::move(name)), window_(static_cast<off_t>(window)) {
    struct stat info {};
    // A file that says it is empty may still have something to read (those of /proc).
    if (::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        start_ = ::lseek(fd_, 0, SEEK_CUR);
        size_ = info.st_size;
        position_ = start_;
    }
}

FileInput::~FileInput() {
    unmap();
    if (fd_ > 2) {
        ::close(fd_);
    }
}

void FileInput::unmap() {
    if (mapped_ != nullptr) {
        ::munmap(mapped_, mappedLength_);
        mapped_ = nullptr;
    }
}

std::string_view FileInput::next() {
    unmap();
    if (start_ >= 0) {
        if (position_ >= size_) {
            return {};
        }
        // The window starts on a page; its first bytes may lie before the position.
        static const off_t kPage = ::sysconf(_SC_PAGESIZE);
        const off_t from = position_ - position_ % kPage;
        const auto length = static_cast<std::size_t>(std::min<off_t>(window_, size_ - from));
        void* mapped = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd_, from);
        if (mapped != MAP_FAILED) {
            mapped_ = mapped;
            mappedLength_ = length;
            const auto skip = static_cast<std::size_t>(position_ - from);
            position_ = from + static_cast<off_t>(length);
            return {static_cast<const char*>(mapped) + skip, length - skip};
        }
        // Not mappable after all: read from here on, once.
        if (::lseek(fd_, position_, SEEK_SET) != position_) {
            throw IoError("no se puede leer " + name_ + ": " + reasonOf(errno));
        }
        start_ = -1;
    }
    buffer_.resize(kBuffer);
    while (true) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n >= 0) {
            return {buffer_.data(), static_cast<std::size_t>(n)};
        }
        if (errno != EINTR) {
            throw IoError("no se puede leer " + name_ + ": " + reasonOf(errno));
        }
    }
}

bool FileInput::rewind() {
    if (start_ < 0) {
        return false;
    }
    position_ = start_;
    return true;
}

}  // namespace trelvane::cli
