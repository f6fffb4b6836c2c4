// SPDX-License-Identifier: MIT
#include "notations/notations.h"

#include <algorithm>

namespace trelvane {

namespace {

// What f gives for the notation of the mode if its positions stand for nibbles, 0 for decimal.
template <class F>
std::size_t ofNibbleNotation(Mode mode, F f) {
    return visitNotation(mode, [&f](auto notation) -> std::size_t {
        if constexpr (NibbleNotation<decltype(notation)>) {
            return f(notation);
        } else {
            return 0;
        }
    });
}

}  // namespace

bool fitsMode(Mode mode, char16_t c) noexcept {
    return visitNotation(mode, [c](auto notation) { return notation.fits(c); });
}

bool fitsMode(Mode mode, std::u16string_view text) noexcept {
    return visitNotation(mode, [text](auto notation) {
        return notation.fittingPrefix(text.data(), text.size()) == text.size();
    });
}

bool takesKey(Mode mode, int keyCode) noexcept {
    return visitNotation(mode, [keyCode](auto notation) { return notation.takesKey(keyCode); });
}

std::size_t positionalNibbles(Mode mode, std::size_t length) noexcept {
    return ofNibbleNotation(mode, [length](auto notation) { return notation.nibbles(length); });
}

std::size_t positionalUnits(Mode mode, std::size_t nibbles) noexcept {
    return ofNibbleNotation(mode, [nibbles](auto notation) { return notation.units(nibbles); });
}

std::size_t nibblesPerPiece(Mode mode) noexcept {
    return visitNotation(mode, [](auto notation) { return notation.kNibblesPerPiece; });
}

bool removesBlanks(Mode mode) noexcept {
    return visitNotation(mode, [](auto notation) { return notation.kRemovesBlanks; });
}

std::u16string removeBlanks(std::u16string_view text) {
    std::u16string out(text.size(), u'\0');
    const char16_t* end = copyWithoutBlanks(text, out.data());
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

SourceCheck checkBinary(std::u16string_view binary) noexcept {
    return {BinaryNotation::validPrefix(binary.data(), binary.size()) != binary.size(),
            !BinaryNotation::isWholeBytes(binary.size())};
}

SourceCheck checkHexadecimal(std::u16string_view hex) noexcept {
    return {HexadecimalNotation::validPrefix(hex.data(), hex.size()) != hex.size(), false};
}

}  // namespace trelvane
