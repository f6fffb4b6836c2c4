// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

#include "file_input.h"

// The input of the command-line converter: a regular file is read a buffer at a time,
// from where the reading began, as often as asked; a pipe is read once.
namespace {

using trelvane::cli::FileInput;

std::string readAll(FileInput& input) {
    std::string bytes;
    for (std::string_view chunk = input.next(); !chunk.empty(); chunk = input.next()) {
        bytes += chunk;
    }
    return bytes;
}

TEST(FileInput, AFileIsReadWholeTwiceFromWhereTheReadingBegan) {
    std::mt19937 random(5);
    std::string content(50'000, '\0');
    for (char& c : content) {
        c = static_cast<char>(random());
    }
    char path[] = "/tmp/trelvane-file-input-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::unlink(path);
    ASSERT_EQ(::write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    for (const off_t begin : {off_t{0}, off_t{5'000}, off_t{8'192}}) {
        SCOPED_TRACE(begin);
        ASSERT_EQ(::lseek(fd, begin, SEEK_SET), begin);  // as standard input may stand
        FileInput input(::dup(fd), "prueba", 8'192);
        EXPECT_TRUE(input.rewind());
        EXPECT_EQ(readAll(input), content.substr(static_cast<std::size_t>(begin)));
        EXPECT_EQ(input.next(), "") << "the end stays the end";
        ASSERT_TRUE(input.rewind());
        EXPECT_EQ(readAll(input), content.substr(static_cast<std::size_t>(begin)));
    }
    ::close(fd);
}

TEST(FileInput, APipeIsReadOnce) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string content = "01000001 01000010";
    ASSERT_EQ(::write(ends[1], content.data(), content.size()),
              static_cast<ssize_t>(content.size()));
    ::close(ends[1]);
    FileInput input(ends[0], "tubería");
    EXPECT_FALSE(input.rewind());
    EXPECT_EQ(readAll(input), content);
}

// A file that changes while it is read, or between two readings, is reported, never read
// half old and half new; and the standard input's offset ends after what was read.
TEST(FileInput, AFileThatChangesIsReportedAndTheOffsetEndsAfterTheReading) {
    struct Row {
        const char* change;
        bool betweenReadings;  // otherwise after the first chunk
        off_t newSize;
    };
    const Row rows[] = {{"cut short while read", false, 10'000},
                        {"grown while read", false, 60'000},
                        {"grown between readings", true, 60'000},
                        {"cut short between readings", true, 10'000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        char path[] = "/tmp/trelvane-file-input-XXXXXX";
        const int fd = ::mkstemp(path);
        ASSERT_GE(fd, 0);
        ::unlink(path);
        const std::string content(50'000, 'x');
        ASSERT_EQ(::write(fd, content.data(), content.size()),
                  static_cast<ssize_t>(content.size()));
        ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
        FileInput input(::dup(fd), "prueba", 8'192);
        std::string message;
        try {
            if (row.betweenReadings) {
                readAll(input);
            } else {
                input.next();
            }
            ASSERT_EQ(::ftruncate(fd, row.newSize), 0);
            if (row.betweenReadings) {
                input.rewind();
            }
            readAll(input);
        } catch (const trelvane::cli::IoError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, "no se puede leer prueba: el archivo ha cambiado mientras se leía");
        ::close(fd);
    }
    // Read to its end, standard input stands after it, as other tools leave it.
    char path[] = "/tmp/trelvane-file-input-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::unlink(path);
    ASSERT_EQ(::write(fd, "abcdef", 6), 6);
    ASSERT_EQ(::lseek(fd, 2, SEEK_SET), 2);
    FileInput input(::dup(fd), "prueba");
    EXPECT_EQ(readAll(input), "cdef");
    EXPECT_EQ(::lseek(fd, 0, SEEK_CUR), 6);
    ::close(fd);
}

}  // namespace
