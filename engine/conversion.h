// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "mode.h"
#include "notations/decimal_ends.h"

// Conversions between two notations, straight through the character codes: the source's
// reader turns its text into codes and the target's writer writes them, with no text in
// between. Every result is written once, into storage of exactly its length.
namespace trelvane {

// What is read: a whole text, or a span of one that starts where a code (or, for binary and
// hexadecimal, a nibble) starts.
struct SourceSpan {
    std::u16string_view text;
    // A decimal span ends where a number ends, so its trailing blanks separate numbers.
    DecimalEnds ends = DecimalEnds::Trimmed;
    // The span starts on the second nibble of its first code: the first is not written.
    bool fromSecondNibble = false;
};

// Where the written text goes: the start of a whole text, or on after what the target
// already shows (hexadecimal: past its leading zeros; decimal: after a number, so a blank
// comes first).
struct TargetSpan {
    bool continues = false;
};

// The length of what is written, and the writing itself into exactly that many units.
std::size_t convertedLength(Mode from, Mode to, const SourceSpan& source, TargetSpan target = {});
void convertInto(Mode from, Mode to, const SourceSpan& source, TargetSpan target, char16_t* out,
                 std::size_t length);

// The text a field in mode `to` shows when the source field, in mode `from`, holds `source`.
// Equal modes copy.
std::u16string convert(Mode from, Mode to, std::u16string_view source);

// How many nibbles a span reads, and how many leading ones are 0 (all, for a stream of
// zeros).
std::size_t nibbleCount(Mode mode, const SourceSpan& source);
std::size_t leadingZeroNibbles(Mode mode, const SourceSpan& source);

}  // namespace trelvane
