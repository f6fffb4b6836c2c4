// SPDX-License-Identifier: MIT
#include "code_dispatch.h"

#include <algorithm>
#include <string>

#include "conversion.h"
#include "edit_conversion.h"
#include "notations/notations.h"
#include "notations/unit_scan.h"

namespace trelvane {

namespace {

constexpr FocusBox focusOf(CodeField field) {
    return field == CodeField::A ? FocusBox::txtCodeA : FocusBox::txtCodeB;
}

constexpr int firstModeButton(CodeField field) {
    return field == CodeField::A ? 0 : 4;
}

constexpr std::size_t indexOf(CodeField field) {
    return static_cast<std::size_t>(field);
}

// A field in Texto or Hexadecimal flags that it has reached the 500 characters that Campo A
// takes from the keyboard.
constexpr std::size_t kFlagLength = 500;

// Marks the dispatch's own write of a target, whose change it need not note.
class Delivering {
  public:
    explicit Delivering(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Delivering() { flag_ = before_; }
    Delivering(const Delivering&) = delete;
    Delivering& operator=(const Delivering&) = delete;

  private:
    bool& flag_;
    bool before_;
};

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

// --- Failing without loss -----------------------------------------------------------------------

CodeDispatch::Saved CodeDispatch::save() const {
    return {vModeA_, vModeB_, vBinBad_, vBinPartial_, back_, converted_};
}

void CodeDispatch::restore(const Saved& saved) {
    vModeA_ = saved.vModeA;
    vModeB_ = saved.vModeB;
    vBinBad_ = saved.vBinBad;
    vBinPartial_ = saved.vBinPartial;
    converted_ = saved.converted;
    for (CodeField field : {CodeField::A, CodeField::B}) {
        showModeMarks(field);
        paint(field, saved.back[indexOf(field)]);
    }
}

// Runs an action of the user; when it cannot get its memory, what it changed is put back
// before the failure goes on to the window.
template <class Action>
void CodeDispatch::guarded(Action action) {
    const Saved saved = save();
    try {
        action();
    } catch (...) {
        restore(saved);
        throw;
    }
}

// --- Change handling ----------------------------------------------------------------------------

void CodeDispatch::txtCodeA_Change(TextChange change) {
    guarded([&] { codeChanged(CodeField::A, change); });
}

void CodeDispatch::txtCodeB_Change(TextChange change) {
    guarded([&] { codeChanged(CodeField::B, change); });
}

void CodeDispatch::eCodeA() {
    guarded([&] {
        converted_.valid = false;
        dispatchFrom(CodeField::A);
    });
}

void CodeDispatch::eCodeB() {
    guarded([&] {
        converted_.valid = false;
        dispatchFrom(CodeField::B);
    });
}

void CodeDispatch::codeChanged(CodeField field, TextChange change) {
    // The dispatch's own write of the target changes nothing it relies on. Any other change
    // is either an edit of the source, noted so that only its span is converted, or a change
    // of the target from elsewhere, after which the target no longer shows the conversion.
    if (!delivering_ && converted_.valid) {
        if (converted_.source != field) {
            converted_.valid = false;
        } else if (converted_.edited) {
            converted_.edits = combineChanges(converted_.edits, change);
        } else {
            converted_.edits = change;
            converted_.edited = true;
        }
    }
    dispatchFrom(field);
}

void CodeDispatch::dispatchFrom(CodeField source) {
    if (nFocus_ == focusOf(source)) {
        convertSource(source);
    }
    const Mode flagMode = mode(source);
    window_.setFlag500Visible(source, (flagMode == Texto || flagMode == Hexadecimal) &&
                                          window_.codeText(source).size() >= kFlagLength);
}

// Whether the target still shows the conversion of the source, as it was before the edits
// noted since, for the modes the fields have now.
bool CodeDispatch::convertedHolds(CodeField source) const {
    const CodeField target = otherField(source);
    if (!converted_.valid || converted_.source != source || converted_.sourceMode != mode(source) ||
        converted_.targetMode != mode(target) ||
        window_.codeText(target).size() != converted_.targetLength) {
        return false;
    }
    const std::size_t length =
        converted_.edited
            ? converted_.sourceLength - converted_.edits.removed + converted_.edits.inserted
            : converted_.sourceLength;
    return window_.codeText(source).size() == length;
}

// What the edits since the last conversion put into the source. The rest of it was looked at
// when it was converted: it fits the mode and, in Binario and Hexadecimal, holds only digits.
std::u16string_view CodeDispatch::editedPart(CodeField source) const {
    if (!converted_.edited) {
        return {};
    }
    return window_.codeText(source).substr(converted_.edits.position, converted_.edits.inserted);
}

void CodeDispatch::convertSource(CodeField source) {
    eAuto(convertedHolds(source) ? editedPart(source) : window_.codeText(source));
    const Mode sourceMode = mode(source);
    const Mode targetMode = mode(otherField(source));
    switch (sourceMode) {
        case Texto:
        case Decimal:
            paint(source, vColorFocus_);
            // An empty decimal source has no codes: the target keeps what it shows.
            if (sourceMode == Decimal && targetMode != Decimal &&
                window_.codeText(source).empty()) {
                converted_.valid = false;
                break;
            }
            convertOrCopy(source);
            break;
        case Binario:
        case Hexadecimal:
            filterBlanks(source);
            checkSource(source, sourceMode);
            if (vBinBad_) {
                paint(source, lColorError_);
                converted_.valid = false;
                break;
            }
            // An incomplete last byte keeps the error colour but converts all the same;
            // hexadecimal has no length check.
            if (sourceMode == Hexadecimal || !vBinPartial_) {
                paint(source, vColorFocus_);
            }
            convertOrCopy(source);
            break;
    }
}

// The blank filter of a binary or hexadecimal source. A text that lost blanks is written
// back, which runs the handling again, nested, on the clean text; an identical one is not
// written at all (a toolkit that reported it would loop).
void CodeDispatch::filterBlanks(CodeField source) {
    if (convertedHolds(source)) {
        const std::u16string_view part = editedPart(source);
        if (countUnit(part, kBlank) > 0) {
            // The clean span is made first: the fill must not read the field it writes.
            const std::u16string clean = removeBlanks(part);
            window_.replaceCodeText(
                source, converted_.edits.position, part.size(), clean.size(),
                [&clean](char16_t* out) { std::copy(clean.begin(), clean.end(), out); });
        }
        window_.moveCaretToEnd(source);
    } else {
        eFiltro(window_.codeText(source));
    }
}

// After an edit only what it put in is looked at for foreign characters (the rest was
// looked at before); the length is the whole text's.
void CodeDispatch::checkSource(CodeField source, Mode sourceMode) {
    const std::u16string_view text = window_.codeText(source);
    const std::u16string_view looked = convertedHolds(source) ? editedPart(source) : text;
    if (sourceMode == Binario) {
        eReBin(looked, text.size());
    } else {
        eReHex(looked);
    }
}

// Equal modes copy, the others convert; an edit of a source whose conversion the target
// shows replaces only the span it changes.
void CodeDispatch::convertOrCopy(CodeField source) {
    const CodeField target = otherField(source);
    const Mode from = mode(source);
    const Mode to = mode(target);
    if (convertedHolds(source)) {
        if (!converted_.edited) {
            return;  // converted already, by the handling the blank filter ran
        }
        const std::u16string_view text = window_.codeText(source);
        const std::u16string_view shown = window_.codeText(target);
        if (const auto edit = targetEditFor(from, to, text, converted_.edits, shown)) {
            const std::size_t length = edit->length(from, to);
            const auto fill = [&](char16_t* out) { edit->write(from, to, out, length); };
            {
                Delivering delivering(delivering_);
                if (edit->position == 0 && edit->removed == shown.size()) {
                    window_.setCodeText(target, length, fill);
                } else {
                    window_.replaceCodeText(target, edit->position, edit->removed, length, fill);
                }
            }
            if (from != to) {
                window_.moveCaretToEnd(target);
            }
            noteConverted(source);
            return;
        }
    }
    deliverWhole(source, from, to, window_.codeText(source));
}

// The whole conversion of a text written into the target, in the storage the target keeps.
void CodeDispatch::writeWhole(CodeField target, Mode from, Mode to, std::u16string_view text) {
    const SourceSpan span{text};
    const std::size_t length = convertedLength(from, to, span);
    Delivering delivering(delivering_);
    window_.setCodeText(target, length,
                        [&](char16_t* out) { convertInto(from, to, span, {}, out, length); });
}

void CodeDispatch::deliverWhole(CodeField source, Mode from, Mode to, std::u16string_view text) {
    const CodeField target = otherField(source);
    writeWhole(target, from, to, text);
    // A copy leaves the caret alone; a converter puts it at the end.
    if (from != to) {
        window_.moveCaretToEnd(target);
    }
    noteConverted(source);
}

void CodeDispatch::noteConverted(CodeField source) {
    converted_ = {true,
                  source,
                  mode(source),
                  mode(otherField(source)),
                  window_.codeText(source).size(),
                  window_.codeText(otherField(source)).size(),
                  false,
                  {}};
}

// --- Clean-up, validation and detection ---------------------------------------------------------

void CodeDispatch::eFiltro(std::u16string_view iTextA) {
    CodeField source;
    if (!sourceField(source)) {
        return;
    }
    const std::size_t blanks = countUnit(iTextA, kBlank);
    if (blanks > 0) {
        window_.setCodeText(source, iTextA.size() - blanks,
                            [iTextA](char16_t* out) { copyWithoutBlanks(iTextA, out); });
    }
    window_.moveCaretToEnd(source);
}

void CodeDispatch::eReBin(std::u16string_view iBinary) {
    eReBin(iBinary, iBinary.size());
}

void CodeDispatch::eReBin(std::u16string_view iBinary, std::size_t sourceLength) {
    vBinBad_ = checkBinary(iBinary).bad;
    vBinPartial_ = !BinaryNotation::isWholeBytes(sourceLength);
    CodeField source;
    if (vBinPartial_ && sourceField(source)) {
        paint(source, lColorError_);
    }
}

void CodeDispatch::eReHex(std::u16string_view iHexa) {
    vBinBad_ = checkHexadecimal(iHexa).bad;
}

void CodeDispatch::eAuto(std::u16string_view iText) {
    CodeField source;
    if (!sourceField(source)) {
        return;
    }
    const Mode current = mode(source);
    if (current != Texto && !fitsMode(current, iText)) {
        setMode(source, Texto);
        showModeMarks(source);
    }
}

// The marks of a field showing its mode, the others unfilled.
void CodeDispatch::showModeMarks(CodeField field) {
    const int first = firstModeButton(field);
    for (int i = 0; i < 4; ++i) {
        window_.setModeMark(first + i, i == static_cast<int>(mode(field)));
    }
}

void CodeDispatch::paint(CodeField field, Color color) {
    back_[indexOf(field)] = color;
    window_.setCodeBackColor(field, color);
}

// --- Mode buttons and focus ---------------------------------------------------------------------

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
    guarded([&] {
        if (index >= 0 && index <= 3) {
            vModeA_ = static_cast<Mode>(index);
        } else if (index >= 4 && index <= 7) {
            vModeB_ = static_cast<Mode>(index - 4);
        }
        converted_.valid = false;  // a click converts the whole text again
        if (nFocus_ == FocusBox::txtCodeA) {
            dispatchFrom(CodeField::A);
        } else if (nFocus_ == FocusBox::txtCodeB) {
            dispatchFrom(CodeField::B);
        }
    });
}

void CodeDispatch::codeFieldGotFocus(CodeField field) {
    nFocus_ = focusOf(field);
    paint(CodeField::A, field == CodeField::A ? vColorFocus_ : vColorIdle_);
    paint(CodeField::B, field == CodeField::B ? vColorFocus_ : vColorIdle_);
}

// Every field takes Backspace. Campo A also takes a blank in Binario, which its blank filter
// removes; Campo B does not.
bool CodeDispatch::codeFieldAccepts(CodeField field, int keyCode) const {
    const Mode fieldMode = mode(field);
    if (keyCode == kBackspace ||
        (keyCode == kBlank && field == CodeField::A && fieldMode == Binario)) {
        return true;
    }
    return takesKey(fieldMode, keyCode);
}

}  // namespace trelvane
