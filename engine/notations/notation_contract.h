// SPDX-License-Identifier: MIT
#pragma once

#include <concepts>
#include <cstddef>
#include <optional>
#include <string_view>

#include "mode.h"
#include "notations/code_units.h"
#include "notations/decimal_ends.h"

// The contract every notation's codec keeps, stated once and checked by the compiler: each
// codec ends with static_assert(Notation<...>).
namespace trelvane {

// How a reader reads: a decimal reader reads a whole text or a span that ends where a number
// ends. The other readers read every text the same way.
struct ReadOptions {
    DecimalEnds ends = DecimalEnds::Trimmed;
};

// How a writer writes: `continues` starts it on after what the target already shows (a
// hexadecimal writer past the leading zeros of the whole text, a decimal one after a number);
// a decimal writer stores whole numbers only while four units remain before `limit`, the end
// of its storage (none: there is room beyond the last number).
template <CodeUnit Unit>
struct WriteOptions {
    bool continues = false;
    Unit* limit = nullptr;
};

// A reader turns text into codes chunk by chunk: `read` takes units from `in` (moving it on)
// until `end` or until `room` codes are written, and returns how many; `finish` gives what it
// held back when the text ends.
template <class R, class Unit>
concept CodeReader = std::constructible_from<R, ReadOptions> &&
    requires(R r, const Unit*& in, const Unit* end, Code* codes, std::size_t room) {
    { r.read(in, end, codes, room) } -> std::same_as<std::size_t>;
    { r.finish() } -> std::same_as<ReaderTail>;
};

// A writer turns codes into text: whole codes, a lone nibble (written as nothing where the
// notation shows whole codes only) and what it held back, each returning where its output ends.
template <class W, class Unit>
concept CodeWriter = std::constructible_from<W, WriteOptions<Unit>> &&
    requires(W w, const Code* codes, std::size_t count, Code nibble, Unit* out) {
    { w.write(codes, count, out) } -> std::same_as<Unit*>;
    { w.writeNibble(nibble, out) } -> std::same_as<Unit*>;
    { w.finish(out) } -> std::same_as<Unit*>;
};

// A notation where every position stands for a fixed number of nibbles (text, binary,
// hexadecimal): the whole nibbles `nibbles(length)` units hold, and the units `units(count)`
// nibbles take (rounded down).
template <class N>
concept NibbleNotation = requires(std::size_t n) {
    { N::nibbles(n) } -> std::same_as<std::size_t>;
    { N::units(n) } -> std::same_as<std::size_t>;
};

// A notation of numbers of any length, found by the blanks between them (decimal): how many a
// text holds, where the one holding a position starts and where the k-th one starts.
template <class N>
concept NumberNotation = requires(std::u16string_view text, std::size_t n, DecimalEnds ends) {
    { N::numberCount(text, ends) } -> std::same_as<std::size_t>;
    { N::numberStart(text, n) } -> std::same_as<std::size_t>;
    { N::numberPosition(text, n, n) } -> std::same_as<std::optional<std::size_t>>;
};

// A reader and a writer for one unit type.
template <class N, class Unit>
concept ReadsAndWrites = CodeReader<typename N::template Reader<Unit>, Unit> &&
    CodeWriter<typename N::template Writer<Unit>, Unit>;

// What a notation provides. Its alphabet: which characters a source in it may hold (`fits`),
// which typed characters a field in it lets through (`takesKey`; Backspace and the fields' own
// rules are the dispatch's), and whether a source loses its blanks before anything else.
// Detection: how many units from the start fit. Validation: how many units from the start are
// its own (digits, where it has them). How many nibbles the smallest piece of its text shows: a
// code (2) in text and decimal, one in binary and hexadecimal, which may end on a lone nibble.
// Its nibbles or its numbers. A reader and a writer for UTF-16 units (the window) and bytes
// (the command line), made the same way for every notation.
template <class N>
concept Notation = requires(char16_t c, int key, std::size_t n, const char16_t* wide,
                            const char* bytes) {
    { N::kMode } -> std::convertible_to<Mode>;
    { N::fits(c) } -> std::same_as<bool>;
    { N::takesKey(key) } -> std::same_as<bool>;
    { N::kRemovesBlanks } -> std::convertible_to<bool>;
    { N::fittingPrefix(wide, n) } -> std::same_as<std::size_t>;
    { N::fittingPrefix(bytes, n) } -> std::same_as<std::size_t>;
    { N::validPrefix(wide, n) } -> std::same_as<std::size_t>;
    { N::validPrefix(bytes, n) } -> std::same_as<std::size_t>;
    { N::kNibblesPerPiece } -> std::convertible_to<std::size_t>;
}
&&(NibbleNotation<N> || NumberNotation<N>)&&ReadsAndWrites<N, char16_t>&& ReadsAndWrites<N, char>;

}  // namespace trelvane
