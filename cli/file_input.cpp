// SPDX-License-Identifier: MIT
#include "file_input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace trelvane::cli {

namespace {

constexpr const char* kChanged = "el archivo ha cambiado mientras se leía";

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

FileInput::FileInput(int fd, std::string name, std::size_t buffer)
    : fd_(fd), name_(std::move(name)), buffer_(buffer) {
    // A file that says it is empty may still have something to read (those of /proc).
    if (::fstat(fd_, &first_) == 0 && S_ISREG(first_.st_mode) && first_.st_size > 0) {
        start_ = ::lseek(fd_, 0, SEEK_CUR);
        twice_ = start_ >= 0;
        position_ = start_;
        end_ = first_.st_size;
    }
}

FileInput::~FileInput() {
    if (fd_ > 2) {
        ::close(fd_);
    }
}

void FileInput::fail(const std::string& reason) const {
    throw IoError("no se puede leer " + name_ + ": " + reason);
}

void FileInput::checkUnchanged() const {
    struct stat now {};
    if (::fstat(fd_, &now) != 0) {
        fail(reasonOf(errno));
    }
    if (now.st_size != first_.st_size || !sameTime(now.st_mtim, first_.st_mtim) ||
        !sameTime(now.st_ctim, first_.st_ctim)) {
        fail(kChanged);
    }
}

std::size_t FileInput::readSome(std::size_t most) {
    while (true) {
        const ssize_t n = ::read(fd_, buffer_.data(), most);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            fail(reasonOf(errno));
        }
    }
}

std::string_view FileInput::next() {
    if (!twice_) {
        return {buffer_.data(), readSome(buffer_.size())};
    }
    if (position_ >= end_) {
        checkUnchanged();  // it may have grown, or been rewritten
        return {};
    }
    const auto most = static_cast<std::size_t>(std::min<off_t>(end_ - position_, buffer_.size()));
    const std::size_t n = readSome(most);
    if (n == 0) {
        // Early: a file cut short has a new size; one that only claims a size it has not
        // (those of /sys) ends here.
        checkUnchanged();
        end_ = position_;
        return {};
    }
    position_ += static_cast<off_t>(n);
    return {buffer_.data(), n};
}

bool FileInput::rewind() {
    if (!twice_) {
        return false;
    }
    checkUnchanged();
    if (::lseek(fd_, start_, SEEK_SET) != start_) {
        fail(reasonOf(errno));
    }
    position_ = start_;
    return true;
}

}  // namespace trelvane::cli
