// SPDX-License-Identifier: MIT
#include "stream_conversion.h"

#include <algorithm>
#include <array>
#include <cstring>
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

// A source in a mode that removes blanks (binary, hexadecimal) loses them first, as the
// window's filter removes them. A hexadecimal one holds none by then: the blank is foreign to
// hexadecimal, so a source holding one is read as Texto (or refused, read strictly). Most
// chunks have none and are read where they are.
class BlankFilter {
  public:
    explicit BlankFilter(bool active) : active_(active) {}
    std::string_view filtered(std::string_view chunk) {
        if (!active_) {
            return chunk;
        }
        const std::size_t first = chunk.find(' ');
        if (first == std::string_view::npos) {
            return chunk;
        }
        clean_.resize(chunk.size());
        char* out = std::copy_n(chunk.data(), first, clean_.data());
        out = copyWithoutBlanks(chunk.substr(first), out);
        return {clean_.data(), static_cast<std::size_t>(out - clean_.data())};
    }

  private:
    bool active_;
    std::vector<char> clean_;
};

template <class Reader, class Writer>
class Pipeline final : public StreamConversion {
  public:
    Pipeline(Reader reader, Writer writer, bool removesBlanks)
        : reader_(reader), writer_(writer), blanks_(removesBlanks) {}

    void convert(std::string_view chunk, Output& out) override {
        chunk = blanks_.filtered(chunk);
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
    BlankFilter blanks_;
};

// Equal modes: the text goes through as it is (binary without its blanks).
class Copy final : public StreamConversion {
  public:
    explicit Copy(bool removesBlanks) : blanks_(removesBlanks) {}
    void convert(std::string_view chunk, Output& out) override {
        chunk = blanks_.filtered(chunk);
        for (std::size_t at = 0; at < chunk.size(); at += kPiece) {
            const std::string_view piece = chunk.substr(at, kPiece);
            out.commit(std::copy_n(piece.data(), piece.size(), out.room(piece.size())));
        }
    }
    void finish(Output&) override {}

  private:
    BlankFilter blanks_;
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
void withWriter(Mode mode, TextEncoding encoding, F f) {
    if (mode == Texto && encoding == TextEncoding::Utf8) {
        return f(utf8::Writer());
    }
    visitNotation(mode, [&f](auto notation) { f(makeWriter<decltype(notation), char>()); });
}

}  // namespace

std::unique_ptr<StreamConversion> makeConversion(Mode from, Mode to, TextEncoding encoding) {
    if (from == to) {
        if (from == Texto && encoding == TextEncoding::Utf8) {
            return std::make_unique<Utf8Copy>();
        }
        return std::make_unique<Copy>(removesBlanks(from));
    }
    std::unique_ptr<StreamConversion> conversion;
    withReader(from, encoding, [&](auto reader) {
        withWriter(to, encoding, [&](auto writer) {
            conversion = std::make_unique<Pipeline<decltype(reader), decltype(writer)>>(
                reader, writer, removesBlanks(from));
        });
    });
    return conversion;
}

// --- The first reading ----------------------------------------------------------------------

InputCheck::InputCheck(Mode mode, TextEncoding encoding, bool strict)
    : mode_(mode), encoding_(encoding), strict_(strict) {}

void InputCheck::fail(std::uint64_t offset, std::string what) {
    if (!misfit_) {
        misfit_ = Misfit{offset, std::move(what)};
    }
}

void InputCheck::check(std::string_view chunk) {
    if (!decided()) {
        if (mode_ == Texto) {
            checkText(chunk);
        } else {
            checkDigits(chunk);
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

void InputCheck::checkDigits(std::string_view chunk) {
    if (!strict_) {
        // Only whether a foreign character comes at all.
        foreign_ = visitNotation(mode_, [chunk](auto notation) {
                       return notation.fittingPrefix(chunk.data(), chunk.size());
                   }) < chunk.size();
        return;
    }
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(chunk[i]));
        const std::uint64_t offset = offset_ + i;
        if (c == kBlank && mode_ != Hexadecimal) {
            if (mode_ == Decimal) {
                ++blanks_;
                if (blanks_ == 1) {
                    firstBlank_ = offset;
                } else if (blanks_ == 2) {
                    secondBlank_ = offset;
                }
                inNumber_ = false;
            }
            continue;
        }
        switch (mode_) {
            case Binario:
                if (!BinaryNotation::isDigit(c)) {
                    foreign_ = true;
                    return fail(offset, "un carácter que no es binario");
                }
                if (digits_ % 8 == 0) {
                    byteStart_ = offset;
                }
                ++digits_;
                break;
            case Hexadecimal:
                if (!HexadecimalNotation::isDigit(c)) {
                    foreign_ = true;
                    return fail(offset, "un carácter que no es hexadecimal");
                }
                break;
            default:
                if (!DecimalNotation::isDigit(c)) {
                    foreign_ = true;
                    return fail(offset, "un carácter que no es decimal");
                }
                if (!inNumber_) {
                    if (seenDigit_ ? blanks_ >= 2 : blanks_ >= 1) {
                        return fail(seenDigit_ ? secondBlank_ : firstBlank_,
                                    "un número vacío (dos espacios seguidos o uno al principio)");
                    }
                    inNumber_ = true;
                    numberStart_ = offset;
                    value_ = 0;
                }
                value_ = std::min(value_ * 10 + (c - u'0'), 256u);
                if (value_ > 255) {
                    return fail(numberStart_, "un número mayor que 255");
                }
                blanks_ = 0;
                seenDigit_ = true;
                break;
        }
    }
}

void InputCheck::finish() {
    if (!strict_ || misfit_) {
        return;
    }
    if (mode_ == Binario && digits_ % 8 != 0) {
        fail(byteStart_, "un byte incompleto");
    }
    if (mode_ == Texto && !held_.empty()) {
        fail(offset_ - held_.size(), "una secuencia UTF-8 incompleta");
    }
}

}  // namespace trelvane::cli
