// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "stream_conversion.h"

// trelvane-convert FROM TO [FILE]: converts a file or standard input to standard output the
// way the window converts Campo A, in mode FROM, into Campo B, in mode TO.
//
// It streams in bounded memory. What must be known of the whole input before the first byte
// is written is found in a first reading: whether a character foreign to FROM makes the
// whole input convert as Texto (as the window's detection does), and, with --strict, whether
// the input fits FROM at all. A regular file is then read again from its start; input that
// cannot be read twice (a pipe) is kept meanwhile, its first megabytes in memory and the rest
// in an unlinked temporary file. Texto needs no first reading unless --strict asks for one,
// and a text source streams straight through.
namespace trelvane::cli {

// By default the digits follow the conventions of Unix encoders: their output ends with a
// line feed and line breaks in their input are skipped. `exact` gives what Campo B shows
// instead: nothing added, and a line break foreign to every notation but Texto.
struct Options {
    Mode from = Texto;
    Mode to = Texto;
    bool strict = false;
    TextEncoding encoding = TextEncoding::Utf8;
    bool exact = false;
    bool hexPairs = false;            // two hexadecimal digits per character, leading zeros kept
    bool groups = false;              // binary in bytes apart
    std::size_t wrap = 0;             // columns per line of digits; 0: one line
    std::optional<std::string> file;  // standard input when there is none
};

// What the arguments ask for: a conversion, the help, the version, or a wrong usage (with its
// one-line message).
struct Request {
    enum Kind { Convert, Help, Version, WrongUsage } kind = Convert;
    Options options;
    std::string message;
};
Request parseArguments(const std::vector<std::string>& arguments);

std::string helpText();

// A failure to read the input or to write the output, with its message.
struct IoError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The message for memory that cannot be had.
extern const char* const kNoMemory;

// Why a system call failed, in Spanish like the rest of the command's messages: the common
// reasons in words of its own, the others as the system words them.
std::string reasonOf(int error);

class Input {
  public:
    virtual ~Input() = default;
    // The next chunk of the input, empty at its end. Valid until the next call.
    virtual std::string_view next() = 0;
    // Back to where the reading began (also before it began), if this input can be read
    // twice.
    virtual bool rewind() = 0;
};

class Sink {
  public:
    virtual ~Sink() = default;
    virtual void write(const char* data, std::size_t size) = 0;
};

// How much is read at a time: reads into a buffer this small, which stays in the processor's
// cache, are much faster than larger ones.
inline constexpr std::size_t kReadSize = std::size_t{64} << 10;

// Sizes of the buffers: the output is written in blocks of `block` bytes; `keptInMemory` bytes
// of an input that cannot be read twice are kept in memory before a temporary file takes the
// rest, which is read back `readBack` bytes at a time.
struct Buffers {
    std::size_t block = std::size_t{1} << 20;
    std::size_t keptInMemory = std::size_t{4} << 20;
    std::size_t readBack = kReadSize;
};

// Runs the conversion; returns the exit status: 0 done, 1 the input does not fit FROM
// (--strict; nothing written), 2 the input cannot be read (or changed while it was read), the
// output cannot be written, or memory cannot be had. `message`
// gets the one line to show on standard error.
int convertInput(const Options& options, Input& input, Sink& output, std::string& message,
                 Buffers buffers = {});

}  // namespace trelvane::cli
