#include "validation.h"

#include <algorithm>

namespace trelvane {

namespace {

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

}  // namespace

std::u16string removeBlanks(std::u16string_view text) {
    std::u16string out(text.size(), u'\0');
    char16_t* dst = out.data();
    for (char16_t c : text) {
        *dst = c;
        dst += c != u' ';  // without a branch: blanks come at random
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

BinaryCheck checkBinary(std::u16string_view binary) {
    BinaryCheck check;
    check.bad = std::any_of(binary.begin(), binary.end(),
                            [](char16_t c) { return c != u'0' && c != u'1'; });
    check.partial = binary.size() % 8 != 0;
    return check;
}

bool hasNonHexDigit(std::u16string_view hex) {
    return !std::all_of(hex.begin(), hex.end(), isHexDigit);
}

bool fitsMode(Mode mode, char16_t c) noexcept {
    switch (mode) {
        case Texto:
            return true;
        case Binario:
            return c == u'0' || c == u'1' || c == u' ';
        case Hexadecimal:
            return isHexDigit(c);
        case Decimal:
            return (c >= u'0' && c <= u'9') || c == u' ';
    }
    return true;
}

bool fitsMode(Mode mode, std::u16string_view text) noexcept {
    return mode == Texto ||
           std::all_of(text.begin(), text.end(), [mode](char16_t c) { return fitsMode(mode, c); });
}

}  // namespace trelvane
