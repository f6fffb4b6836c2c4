// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "notations/binary_notation.h"
#include "notations/decimal_notation.h"
#include "notations/hexadecimal_notation.h"
#include "notations/text_notation.h"

// The four notations by mode: what the dispatch asks of the notation of a field.
namespace trelvane {

// Calls f with the notation of the mode (an empty object of its type).
template <class F>
decltype(auto) visitNotation(Mode mode, F&& f) {
    switch (mode) {
        case Binario:
            return f(BinaryNotation{});
        case Hexadecimal:
            return f(HexadecimalNotation{});
        case Decimal:
            return f(DecimalNotation{});
        case Texto:
            break;
    }
    return f(TextNotation{});
}

// A notation's reader and writer for a unit type, as the window and the command line use
// them (see ReadOptions and WriteOptions).
template <Notation N, CodeUnit Unit>
auto makeReader(ReadOptions options = {}) {
    return typename N::template Reader<Unit>(options);
}

template <Notation N, CodeUnit Unit>
auto makeWriter(WriteOptions<Unit> options = {}) {
    return typename N::template Writer<Unit>(options);
}

// How many nibbles `length` units of text, binary or hexadecimal hold, and how many units
// that many nibbles take: every position stands for a fixed number of nibbles there (both 0
// for decimal, whose numbers need the text itself).
std::size_t positionalNibbles(Mode mode, std::size_t length) noexcept;
std::size_t positionalUnits(Mode mode, std::size_t nibbles) noexcept;

// How many nibbles the smallest piece of the mode's text shows: 2 where it shows whole codes
// only (text, decimal), 1 where it may end on a lone nibble (binary, hexadecimal).
std::size_t nibblesPerPiece(Mode mode) noexcept;

// Whether a field in this mode can hold the character; the detection switches a source that
// holds one it cannot to Texto.
bool fitsMode(Mode mode, char16_t c) noexcept;
// Whether every character of the text fits the mode.
bool fitsMode(Mode mode, std::u16string_view text) noexcept;

// Whether a field in this mode lets a typed character through (Backspace and the fields' own
// rules are the dispatch's).
bool takesKey(Mode mode, int keyCode) noexcept;

// Whether a source in this mode loses its blanks before it is checked and converted.
bool removesBlanks(Mode mode) noexcept;

// The text without its blanks; tabs and line breaks stay.
std::u16string removeBlanks(std::u16string_view text);

// What the validation of a binary or hexadecimal source finds.
struct SourceCheck {
    bool bad = false;      // a character outside the notation's digits
    bool partial = false;  // binary only: the last byte is incomplete
};
SourceCheck checkBinary(std::u16string_view binary) noexcept;
// Hexadecimal has no length check: `partial` is always false.
SourceCheck checkHexadecimal(std::u16string_view hex) noexcept;

}  // namespace trelvane
