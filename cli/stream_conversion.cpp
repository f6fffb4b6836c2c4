// SPDX-License-Identifier: MIT
#include "stream_conversion.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "notations/code_pipeline.h"
#include "notations/notations.h"
#include "utf8_text.h"

namespace trelvane::cli {

namespace {

// The most bytes a code becomes in any notation (eight binary digits), and what a writer may
// store beyond its last byte.
constexpr std::size_t kBytesPerCode = 8;
constexpr std::size_t kSlack = 8;
// Copies go a piece at a time, so that the output's buffer stays small.
constexpr std::size_t kPiece = std::size_t{64} << 10;

// A source of digits loses, before it is read, what the window's blank filter removes (the
// blanks of binary) and, when line breaks are skipped, its line breaks: LF and CR LF go from
// binary and hexadecimal and become blanks in decimal. A source holding anything else foreign
// was found by the first reading and converts as Texto. Most chunks need none of this and are
// read where they are.
class SourceFilter {
  public:
    SourceFilter(Mode mode, bool skipsLineBreaks)
        : mode_(mode),
          lineBreaks_(skipsLineBreaks && mode != Texto),
          active_(removesBlanks(mode) || lineBreaks_) {
        for (int c = 0; c < 256; ++c) {
            replaced_[c] = static_cast<char>(c);
        }
        dropped_[' '] = removesBlanks(mode);
        if (lineBreaks_) {
            dropped_['\n'] = mode != Decimal;
            replaced_['\n'] = mode == Decimal ? ' ' : '\n';
        }
    }

    std::string_view filtered(std::string_view chunk) {
        if (!active_ || chunk.empty()) {
            return chunk;
        }
        const bool heldReturn = std::exchange(heldReturn_, false);
        std::size_t at = heldReturn ? 0 : cleanPrefix(chunk);
        if (at == chunk.size()) {
            return chunk;
        }
        clean_.resize(chunk.size() + 1);
        char* out = clean_.data();
        if (heldReturn && chunk[0] != '\n') {
            *out++ = '\r';
        }
        // Runs that need nothing done are copied whole; what ends each run is dropped,
        // replaced or kept.
        out = std::copy_n(chunk.data(), at, out);
        while (at < chunk.size()) {
            const auto c = static_cast<unsigned char>(chunk[at]);
            if (lineBreaks_ && c == '\r' && at + 1 == chunk.size()) {
                heldReturn_ = true;  // a CR LF cut by the end of the chunk
                break;
            }
            const bool returnOfLine = lineBreaks_ && c == '\r' && chunk[at + 1] == '\n';
            *out = replaced_[c];
            out += !(dropped_[c] || returnOfLine);
            ++at;
            const std::size_t run = cleanPrefix(chunk.substr(at));
            out = std::copy_n(chunk.data() + at, run, out);
            at += run;
        }
        return {clean_.data(), static_cast<std::size_t>(out - clean_.data())};
    }

  private:
    // How many units from the start need nothing done.
    std::size_t cleanPrefix(std::string_view chunk) const {
        switch (mode_) {
            case Binario:
                return BinaryNotation::validPrefix(chunk.data(), chunk.size());
            case Hexadecimal:
                return HexadecimalNotation::validPrefix(chunk.data(), chunk.size());
            case Decimal:
                return DecimalNotation::fittingPrefix(chunk.data(), chunk.size());
            case Texto:
                break;
        }
        return chunk.size();
    }

    Mode mode_;
    bool lineBreaks_;
    bool active_;
    std::array<char, 256> replaced_{};
    std::array<bool, 256> dropped_{};
    bool heldReturn_ = false;
    std::vector<char> clean_;
};

template <class Reader, class Writer>
class Pipeline final : public StreamConversion {
  public:
    Pipeline(Reader reader, Writer writer, SourceFilter filter)
        : reader_(reader), writer_(writer), filter_(std::move(filter)) {}

    void convert(std::string_view chunk, Output& out) override {
        chunk = filter_.filtered(chunk);
        const char* in = chunk.data();
        const char* const end = in + chunk.size();
        Code block[kCodeBlock];
        while (in != end) {
            const std::size_t count = reader_.read(in, end, block, kCodeBlock);
            char* at = out.room(count * kBytesPerCode + kSlack);
            out.commit(writer_.write(block, count, at));
        }
    }

    void finish(Output& out) override {
        char* at = out.room(2 * kBytesPerCode + kSlack);
        out.commit(finishCodes(reader_, writer_, at));
    }

  private:
    Reader reader_;
    Writer writer_;
    SourceFilter filter_;
};

// Equal modes: the text goes through as it is, filtered.
class Copy final : public StreamConversion {
  public:
    explicit Copy(SourceFilter filter) : filter_(std::move(filter)) {}
    void convert(std::string_view chunk, Output& out) override {
        chunk = filter_.filtered(chunk);
        for (std::size_t at = 0; at < chunk.size(); at += kPiece) {
            const std::string_view piece = chunk.substr(at, kPiece);
            out.commit(std::copy_n(piece.data(), piece.size(), out.room(piece.size())));
        }
    }
    void finish(Output&) override {}

  private:
    SourceFilter filter_;
};

// Texto to Texto in UTF-8: what is not UTF-8 becomes U+FFFD, as in the window.
class Utf8Copy final : public StreamConversion {
  public:
    void convert(std::string_view chunk, Output& out) override {
        for (std::size_t at = 0; at < chunk.size(); at += kPiece) {
            const std::string_view piece = chunk.substr(at, kPiece);
            out.commit(copier_.copy(piece.data(), piece.data() + piece.size(),
                                    out.room(3 * piece.size() + kSlack)));
        }
    }
    void finish(Output& out) override { out.commit(copier_.finish(out.room(kSlack))); }

  private:
    utf8::Copier copier_;
};

// The reader and writer of a mode over bytes; Texto in UTF-8 has its own.
template <class F>
void withReader(Mode mode, TextEncoding encoding, F f) {
    if (mode == Texto && encoding == TextEncoding::Utf8) {
        return f(utf8::Reader());
    }
    visitNotation(mode, [&f](auto notation) { f(makeReader<decltype(notation), char>()); });
}

template <class F>
void withWriter(Mode mode, TextEncoding encoding, bool hexPairs, F f) {
    if (mode == Texto && encoding == TextEncoding::Utf8) {
        return f(utf8::Writer());
    }
    visitNotation(mode, [&f, hexPairs](auto notation) {
        using Notation = decltype(notation);
        // Pairs: a hexadecimal writer that starts after the leading zeros writes every digit.
        f(makeWriter<Notation, char>({Notation::kMode == Hexadecimal && hexPairs}));
    });
}

}  // namespace

std::unique_ptr<StreamConversion> makeConversion(Mode from, Mode to, TextEncoding encoding,
                                                 bool skipsLineBreaks, bool hexPairs) {
    SourceFilter filter(from, skipsLineBreaks);
    if (from == to) {
        if (from == Texto && encoding == TextEncoding::Utf8) {
            return std::make_unique<Utf8Copy>();
        }
        return std::make_unique<Copy>(std::move(filter));
    }
    std::unique_ptr<StreamConversion> conversion;
    withReader(from, encoding, [&](auto reader) {
        withWriter(to, encoding, hexPairs, [&](auto writer) {
            conversion = std::make_unique<Pipeline<decltype(reader), decltype(writer)>>(
                reader, writer, std::move(filter));
        });
    });
    return conversion;
}

// --- The first reading ----------------------------------------------------------------------

InputCheck::InputCheck(Mode mode, TextEncoding encoding, bool strict, bool skipsLineBreaks)
    : mode_(mode), encoding_(encoding), strict_(strict), lineBreaks_(skipsLineBreaks) {}

void InputCheck::fail(std::uint64_t offset, std::string what) {
    if (!misfit_) {
        misfit_ = Misfit{offset, std::move(what)};
    }
}

void InputCheck::foreignAt(std::uint64_t offset) {
    foreign_ = true;
    if (strict_) {
        fail(offset, std::string("un carácter que no es ") + (mode_ == Binario       ? "binario"
                                                              : mode_ == Hexadecimal ? "hexadecimal"
                                                                                     : "decimal"));
    }
}

void InputCheck::check(std::string_view chunk) {
    if (!decided()) {
        if (mode_ == Texto) {
            checkText(chunk);
        } else if (strict_) {
            checkDigits(chunk);
        } else {
            checkFit(chunk);
        }
    }
    offset_ += chunk.size();
}

namespace {

// Whether the window gives the character a code: a character outside the BMP is two units
// without one.
bool hasCode(char32_t character) {
    return character < 0x10000 &&
           (codeOf(static_cast<char16_t>(character)) != codeOf(u'?') || character == U'?');
}

}  // namespace

void InputCheck::checkText(std::string_view chunk) {
    if (!strict_ || encoding_ == TextEncoding::Windows1252) {
        return;  // every byte is a character of the code page
    }
    const auto* p = reinterpret_cast<const unsigned char*>(chunk.data());
    std::size_t at = 0;
    if (!held_.empty()) {
        // A sequence cut by the last chunk, completed a byte at a time.
        const std::uint64_t start = offset_ - held_.size();
        while (at < chunk.size()) {
            held_ += chunk[at++];
            const utf8::Decoded d =
                utf8::decode(reinterpret_cast<const unsigned char*>(held_.data()), held_.size());
            if (d.kind == utf8::Decoded::Incomplete) {
                continue;
            }
            if (d.kind == utf8::Decoded::Invalid) {
                return fail(start, "una secuencia que no es UTF-8");
            }
            if (!hasCode(d.character)) {
                return fail(start, "un carácter sin código en Windows-1252");
            }
            held_.clear();
            break;
        }
        if (!held_.empty()) {
            return;
        }
    }
    while (at < chunk.size()) {
        if (p[at] < 0x80) {
            ++at;
            continue;
        }
        const utf8::Decoded d = utf8::decode(p + at, chunk.size() - at);
        if (d.kind == utf8::Decoded::Incomplete) {
            held_.assign(chunk.substr(at));
            return;
        }
        if (d.kind == utf8::Decoded::Invalid) {
            return fail(offset_ + at, "una secuencia que no es UTF-8");
        }
        if (!hasCode(d.character)) {
            return fail(offset_ + at, "un carácter sin código en Windows-1252");
        }
        at += d.length;
    }
}

// Only whether a foreign character comes at all, the line breaks that are skipped aside.
void InputCheck::checkFit(std::string_view chunk) {
    std::size_t at = 0;
    if (std::exchange(heldReturn_, false)) {
        if (chunk.empty() || chunk[0] != '\n') {
            return foreignAt(offset_ - 1);
        }
        at = 1;
    }
    while (at < chunk.size()) {
        at += visitNotation(mode_, [&](auto notation) {
            return notation.fittingPrefix(chunk.data() + at, chunk.size() - at);
        });
        if (at == chunk.size()) {
            break;
        }
        if (lineBreaks_ && chunk[at] == '\n') {
            ++at;
        } else if (lineBreaks_ && chunk[at] == '\r' && at + 1 == chunk.size()) {
            heldReturn_ = true;  // the next chunk tells
            ++at;
        } else if (lineBreaks_ && chunk[at] == '\r' && chunk[at + 1] == '\n') {
            at += 2;
        } else {
            return foreignAt(offset_ + at);
        }
    }
}

// Every character, for the offset of the first that does not fit.
void InputCheck::checkDigits(std::string_view chunk) {
    for (std::size_t i = 0; i < chunk.size() && !misfit_; ++i) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(chunk[i]));
        const std::uint64_t offset = offset_ + i;
        if (std::exchange(heldReturn_, false)) {
            if (c != u'\n') {
                return foreignAt(offset - 1);
            }
        } else if (lineBreaks_ && c == u'\r') {
            heldReturn_ = true;
            continue;
        } else if (!(lineBreaks_ && c == u'\n')) {
            checkDigit(c, offset);
            continue;
        }
        // A line break: a separator in decimal, nothing elsewhere.
        if (mode_ == Decimal) {
            checkDigit(kBlank, offset);
        }
    }
}

void InputCheck::checkDigit(char16_t c, std::uint64_t offset) {
    if (c == kBlank && fitsMode(mode_, kBlank)) {  // a blank ends a decimal number
        if (mode_ == Decimal) {
            ++blanks_;
            if (blanks_ == 1) {
                firstBlank_ = offset;
            } else if (blanks_ == 2) {
                secondBlank_ = offset;
            }
            inNumber_ = false;
        }
        return;
    }
    if (mode_ != Decimal) {
        const bool digit =
            mode_ == Binario ? BinaryNotation::isDigit(c) : HexadecimalNotation::isDigit(c);
        if (!digit) {
            return foreignAt(offset);
        }
        if (wholeBytes()) {
            byteStart_ = offset;
        }
        ++digits_;
        return;
    }
    if (!DecimalNotation::isDigit(c)) {
        return foreignAt(offset);
    }
    if (!inNumber_) {
        if (DecimalNotation::followsEmptyNumber(blanks_, seenDigit_)) {
            return fail(seenDigit_ ? secondBlank_ : firstBlank_,
                        "un número vacío (dos espacios seguidos o uno al principio)");
        }
        inNumber_ = true;
        numberStart_ = offset;
        value_ = 0;
    }
    value_ = DecimalNotation::withDigit(value_, c);
    if (DecimalNotation::isAboveCodes(value_)) {
        return fail(numberStart_,
                    "un número mayor que " + std::to_string(DecimalNotation::kLargestCode));
    }
    blanks_ = 0;
    seenDigit_ = true;
}

bool InputCheck::wholeBytes() const {
    return mode_ == Binario ? BinaryNotation::isWholeBytes(digits_)
                            : HexadecimalNotation::isWholeBytes(digits_);
}

void InputCheck::finish() {
    if (std::exchange(heldReturn_, false)) {
        foreignAt(offset_ - 1);  // a CR at the very end, with no LF after it
    }
    if (!strict_ || misfit_) {
        return;
    }
    if ((mode_ == Binario || mode_ == Hexadecimal) && !wholeBytes()) {
        fail(byteStart_, "un byte incompleto");
    }
    if (mode_ == Texto && !held_.empty()) {
        fail(offset_ - held_.size(), "una secuencia UTF-8 incompleta");
    }
}

}  // namespace trelvane::cli
