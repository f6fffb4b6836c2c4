// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "mode.h"

// The conversion of a stream of bytes, chunk by chunk, in bounded memory. The result equals
// the conversion of the whole input, wherever the chunks end: a byte, a hexadecimal pair, a
// decimal number or a UTF-8 sequence cut by the end of a chunk waits in the reader for the
// rest, and a hexadecimal target holds only a count of its leading zeros.
namespace trelvane::cli {

// How Texto is read and written: UTF-8, or one Windows-1252 byte per character (the bytes
// themselves are the codes, as for binary data).
enum class TextEncoding { Utf8, Windows1252 };

// Where converted bytes go. `room(n)` returns storage for at least n bytes, `commit` says how
// far it was written.
class Output {
  public:
    virtual ~Output() = default;
    virtual char* room(std::size_t bytes) = 0;
    virtual void commit(char* end) = 0;
};

// One conversion from one notation to another (or a copy, for equal modes), fed chunk by
// chunk.
class StreamConversion {
  public:
    virtual ~StreamConversion() = default;
    virtual void convert(std::string_view chunk, Output& out) = 0;
    virtual void finish(Output& out) = 0;
};

// `skipsLineBreaks`: a line break (LF or CR LF) in a source of digits is skipped, or in
// decimal separates numbers as a blank does, as Unix decoders read wrapped lines; otherwise
// it is foreign, as in the window. `hexPairs`: hexadecimal is written as two digits per code,
// its leading zeros kept, rather than as the value of the whole text.
std::unique_ptr<StreamConversion> makeConversion(Mode from, Mode to, TextEncoding encoding,
                                                 bool skipsLineBreaks = false,
                                                 bool hexPairs = false);

// What the first reading of the input found, chunk by chunk: whether a character is foreign
// to the mode (a source holding one converts as Texto), and, reading strictly, the first
// character that does not fit (a foreign one, an incomplete last byte of binary or
// hexadecimal, an empty number or one above the largest code in decimal; in Texto, a
// sequence that is not UTF-8 or a character without a code). Line breaks fit a mode of
// digits when they are skipped.
class InputCheck {
  public:
    InputCheck(Mode mode, TextEncoding encoding, bool strict, bool skipsLineBreaks = false);
    void check(std::string_view chunk);
    void finish();

    bool foreign() const { return foreign_; }
    struct Misfit {
        std::uint64_t offset;  // of its first byte in the input
        std::string what;      // in the words of the message
    };
    const std::optional<Misfit>& misfit() const { return misfit_; }
    // Nothing more to learn from the rest of the input.
    bool decided() const { return misfit_.has_value() || (!strict_ && foreign_); }

  private:
    void fail(std::uint64_t offset, std::string what);
    void checkText(std::string_view chunk);
    void checkFit(std::string_view chunk);
    void checkDigits(std::string_view chunk);
    void checkDigit(char16_t c, std::uint64_t offset);
    void foreignAt(std::uint64_t offset);
    bool wholeBytes() const;

    Mode mode_;
    TextEncoding encoding_;
    bool strict_;
    bool lineBreaks_;
    bool foreign_ = false;
    std::optional<Misfit> misfit_;
    std::uint64_t offset_ = 0;  // of the chunk's first byte
    bool heldReturn_ = false;   // the chunk before ended on a CR
    // Binary and hexadecimal: digits so far, and where the byte now incomplete began.
    std::uint64_t digits_ = 0;
    std::uint64_t byteStart_ = 0;
    // Decimal: the number being read.
    std::uint64_t numberStart_ = 0;
    unsigned value_ = 0;
    bool inNumber_ = false;
    std::uint64_t blanks_ = 0;  // blanks since the last digit
    bool seenDigit_ = false;
    std::uint64_t secondBlank_ = 0;
    std::uint64_t firstBlank_ = 0;
    // Texto: a UTF-8 sequence cut by the end of the chunk.
    std::string held_;
};

}  // namespace trelvane::cli
