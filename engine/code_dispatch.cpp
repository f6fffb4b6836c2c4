#include "code_dispatch.h"

#include "notation.h"
#include "validation.h"

namespace trelvane {

namespace {

constexpr FocusBox focusOf(CodeField field) {
    return field == CodeField::A ? FocusBox::txtCodeA : FocusBox::txtCodeB;
}

constexpr int firstModeButton(CodeField field) {
    return field == CodeField::A ? 0 : 4;
}

// Whether the two modes are these two, in either order.
bool pairIs(Mode a, Mode b, Mode x, Mode y) {
    return (a == x && b == y) || (a == y && b == x);
}

// A field in Texto or Hexadecimal flags that it has reached the 500 characters that Campo A
// takes from the keyboard.
constexpr std::size_t kFlagLength = 500;

}  // namespace

// The field named by nFocus, if it names a code field.
bool CodeDispatch::sourceField(CodeField& field) const {
    if (nFocus_ == FocusBox::txtCodeA) {
        field = CodeField::A;
        return true;
    }
    if (nFocus_ == FocusBox::txtCodeB) {
        field = CodeField::B;
        return true;
    }
    return false;
}

void CodeDispatch::loadStartValues() {
    vColorFocus_ = kColorFocus;
    vColorIdle_ = kColorIdle;
    lColorError_ = kColorError;
    vModeA_ = Texto;
    vModeB_ = Binario;
}

void CodeDispatch::setMode(CodeField field, Mode mode) {
    (field == CodeField::A ? vModeA_ : vModeB_) = mode;
}

void CodeDispatch::eCodeA() {
    dispatchFrom(CodeField::A);
}

void CodeDispatch::eCodeB() {
    dispatchFrom(CodeField::B);
}

void CodeDispatch::dispatchFrom(CodeField source) {
    if (nFocus_ == focusOf(source)) {
        eAuto(window_.codeText(source));
        const Mode sourceMode = mode(source);
        const Mode targetMode = mode(otherField(source));
        switch (sourceMode) {
            case Texto:
            case Decimal:
                window_.setCodeBackColor(source, vColorFocus_);
                // An empty decimal source has no codes: the target keeps what it shows.
                if (sourceMode == Decimal && targetMode != Decimal &&
                    window_.codeTextLength(source) == 0) {
                    break;
                }
                convertOrCopy(source, sourceMode, targetMode);
                break;
            case Binario:
            case Hexadecimal:
                eFiltro(window_.codeText(source));
                if (sourceMode == Binario) {
                    eReBin(window_.codeText(source));
                } else {
                    eReHex(window_.codeText(source));
                }
                if (vBinBad_) {
                    window_.setCodeBackColor(source, lColorError_);
                    break;
                }
                // An incomplete last byte keeps the error colour but converts all the same;
                // hexadecimal has no length check.
                if (sourceMode == Hexadecimal || !vBinPartial_) {
                    window_.setCodeBackColor(source, vColorFocus_);
                }
                convertOrCopy(source, sourceMode, targetMode);
                break;
        }
    }

    const Mode flagMode = mode(source);
    window_.setFlag500Visible(source, (flagMode == Texto || flagMode == Hexadecimal) &&
                                          window_.codeTextLength(source) >= kFlagLength);
}

void CodeDispatch::convertOrCopy(CodeField source, Mode sourceMode, Mode targetMode) {
    if (sourceMode == targetMode) {
        copyToTarget(source);
        return;
    }
    const std::u16string text = window_.codeText(source);
    switch (sourceMode) {
        case Texto:
            if (targetMode == Decimal) {
                eTextDec(text);
            } else {
                eTextBin(text);
            }
            break;
        case Binario:
            if (targetMode == Texto) {
                eBinText(text);
            } else if (targetMode == Hexadecimal) {
                eBinHexa(text);
            } else {
                eBinDec(text);
            }
            break;
        case Hexadecimal:
            eHexaBin(text);
            break;
        case Decimal:
            eDecText(text);
            break;
    }
}

void CodeDispatch::copyToTarget(CodeField source) {
    window_.setCodeText(otherField(source), window_.codeText(source));
}

void CodeDispatch::deliver(const std::u16string& result) {
    CodeField source;
    if (!sourceField(source)) {
        return;
    }
    const CodeField target = otherField(source);
    window_.setCodeText(target, result);
    window_.moveCaretToEnd(target);
}

void CodeDispatch::eTextDec(std::u16string_view iText) {
    deliver(textToDecimal(iText));
}

void CodeDispatch::eDecText(std::u16string_view iDec) {
    const std::u16string text = decimalToText(iDec);
    if (pairIs(vModeA_, vModeB_, Decimal, Texto)) {
        deliver(text);
    } else if (pairIs(vModeA_, vModeB_, Decimal, Binario) ||
               pairIs(vModeA_, vModeB_, Decimal, Hexadecimal)) {
        eTextBin(text);
    }
}

void CodeDispatch::eTextBin(std::u16string_view iText) {
    const std::u16string binary = textToBinary(iText);
    const bool binaryShown = ((vModeA_ == Texto || vModeA_ == Decimal) && vModeB_ == Binario) ||
                             (vModeA_ == Binario && (vModeB_ == Texto || vModeB_ == Decimal));
    if (binaryShown) {
        deliver(binary);
    } else {
        eBinHexa(binary);
    }
}

void CodeDispatch::eBinText(std::u16string_view iBinary) {
    deliver(binaryToText(iBinary));
}

void CodeDispatch::eBinHexa(std::u16string_view iBinary) {
    deliver(binaryToHex(iBinary));
}

void CodeDispatch::eHexaBin(std::u16string_view iHexa) {
    const std::u16string binary = hexToBinary(iHexa);
    if (pairIs(vModeA_, vModeB_, Hexadecimal, Binario)) {
        deliver(binary);
    } else if (pairIs(vModeA_, vModeB_, Hexadecimal, Decimal)) {
        eBinDec(binary);
    } else if (pairIs(vModeA_, vModeB_, Hexadecimal, Texto)) {
        eBinText(binary);
    }
}

void CodeDispatch::eBinDec(std::u16string_view iBinary) {
    deliver(binaryToDecimal(iBinary));
}

void CodeDispatch::eFiltro(std::u16string_view iTextA) {
    CodeField source;
    if (!sourceField(source)) {
        return;
    }
    // Writing an identical text back would be a no-op at best and an endless loop on a
    // toolkit that reports it, so only a text that lost blanks is written.
    const std::u16string cleaned = removeBlanks(iTextA);
    if (cleaned.size() != iTextA.size()) {
        window_.setCodeText(source, cleaned);
    }
    window_.moveCaretToEnd(source);
}

void CodeDispatch::eReBin(std::u16string_view iBinary) {
    const BinaryCheck check = checkBinary(iBinary);
    vBinBad_ = check.bad;
    vBinPartial_ = check.partial;
    CodeField source;
    if (vBinPartial_ && sourceField(source)) {
        window_.setCodeBackColor(source, lColorError_);
    }
}

void CodeDispatch::eReHex(std::u16string_view iHexa) {
    vBinBad_ = hasNonHexDigit(iHexa);
}

void CodeDispatch::eAuto(std::u16string_view iText) {
    CodeField source;
    if (!sourceField(source)) {
        return;
    }
    const Mode current = mode(source);
    if (current != Texto && !fitsMode(current, iText)) {
        switchToTexto(source);
    }
}

void CodeDispatch::switchToTexto(CodeField field) {
    setMode(field, Texto);
    const int first = firstModeButton(field);
    window_.setModeMark(first, true);
    for (int i = first + 1; i < first + 4; ++i) {
        window_.setModeMark(i, false);
    }
}

void CodeDispatch::cmdOpt_MouseDown(int index) {
    if (index < 0 || index > 7) {
        return;
    }
    const int first = index < 4 ? 0 : 4;
    for (int i = first; i < first + 4; ++i) {
        window_.setModeMark(i, false);
    }
    window_.setModeMark(index, true);
}

void CodeDispatch::cmdOpt_Click(int index) {
    if (index >= 0 && index <= 3) {
        vModeA_ = static_cast<Mode>(index);
    } else if (index >= 4 && index <= 7) {
        vModeB_ = static_cast<Mode>(index - 4);
    }
    if (nFocus_ == FocusBox::txtCodeA) {
        eCodeA();
    } else if (nFocus_ == FocusBox::txtCodeB) {
        eCodeB();
    }
}

void CodeDispatch::codeFieldGotFocus(CodeField field) {
    nFocus_ = focusOf(field);
    window_.setCodeBackColor(CodeField::A, field == CodeField::A ? vColorFocus_ : vColorIdle_);
    window_.setCodeBackColor(CodeField::B, field == CodeField::B ? vColorFocus_ : vColorIdle_);
}

bool CodeDispatch::codeFieldAccepts(CodeField field, int keyCode) const {
    const bool digit = keyCode >= '0' && keyCode <= '9';
    switch (mode(field)) {
        case Texto:
            return true;
        case Binario:
            // Campo B takes no blank in Binario; Campo A does, and the filter removes it.
            return keyCode == '0' || keyCode == '1' || keyCode == 8 ||
                   (keyCode == ' ' && field == CodeField::A);
        case Hexadecimal:
            return digit || (keyCode >= 'A' && keyCode <= 'F') ||
                   (keyCode >= 'a' && keyCode <= 'f') || keyCode == 8;
        case Decimal:
            return digit || keyCode == ' ' || keyCode == 8;
    }
    return true;
}

}  // namespace trelvane
