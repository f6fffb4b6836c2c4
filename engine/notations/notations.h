// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

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
// them. A decimal reader reads a whole text or a span that ends where a number ends; a
// hexadecimal writer may start after the leading zeros of the whole text and a decimal one
// after a number (`continues`); a decimal writer stores whole numbers only while four units
// remain before `limit`, the end of its storage (none: there is room beyond the last number).
template <class Notation, CodeUnit Unit>
auto makeReader(DecimalNotation::Ends ends = DecimalNotation::Ends::Trimmed) {
    if constexpr (std::is_same_v<Notation, DecimalNotation>) {
        return DecimalNotation::Reader<Unit>(ends);
    } else {
        return typename Notation::template Reader<Unit>();
    }
}

template <class Notation, CodeUnit Unit>
auto makeWriter(bool continues = false, Unit* limit = nullptr) {
    if constexpr (std::is_same_v<Notation, HexadecimalNotation>) {
        return HexadecimalNotation::Writer<Unit>(continues);
    } else if constexpr (std::is_same_v<Notation, DecimalNotation>) {
        return DecimalNotation::Writer<Unit>(continues, limit);
    } else {
        return typename Notation::template Writer<Unit>();
    }
}

// Whether a field in this mode can hold the character; the detection switches a source that
// holds one it cannot to Texto.
bool fitsMode(Mode mode, char16_t c) noexcept;
// Whether every character of the text fits the mode.
bool fitsMode(Mode mode, std::u16string_view text) noexcept;

// Whether the keyboard filter of a field in this mode lets a typed key code through.
bool takesKey(Mode mode, CodeField field, int keyCode) noexcept;

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
