// SPDX-License-Identifier: MIT
#include "notations/notations.h"

#include <algorithm>

namespace trelvane {

bool fitsMode(Mode mode, char16_t c) noexcept {
    return visitNotation(mode, [c](auto notation) { return notation.fits(c); });
}

bool fitsMode(Mode mode, std::u16string_view text) noexcept {
    return visitNotation(mode, [text](auto notation) {
        return notation.fittingPrefix(text.data(), text.size()) == text.size();
    });
}

bool takesKey(Mode mode, CodeField field, int keyCode) noexcept {
    return visitNotation(mode, [&](auto notation) { return notation.takesKey(field, keyCode); });
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
    return {BinaryNotation::digitPrefix(binary.data(), binary.size()) != binary.size(),
            !BinaryNotation::isWholeBytes(binary.size())};
}

SourceCheck checkHexadecimal(std::u16string_view hex) noexcept {
    return {HexadecimalNotation::digitPrefix(hex.data(), hex.size()) != hex.size(), false};
}

}  // namespace trelvane
