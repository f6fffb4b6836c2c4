// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

#include "code_window.h"
#include "mode.h"

namespace trelvane {

// The key code of Backspace: every code field takes it, whatever its mode.
inline constexpr int kBackspace = 8;

// The entry box that last gained the focus, numbered as the window's handlers number them.
enum class FocusBox : int { txtC = 0, txtA = 1, txtB = 2, txtCodeA = 3, txtCodeB = 4 };

// The code panel's conversions: whenever a code field changes or a mode button is clicked,
// the field that last gained the focus is read in its mode and the other field is rewritten
// in its own mode. The state is the main window's, shared with the character panel.
//
// While the user edits the source, the target keeps showing the conversion of the source, so
// an edit converts and replaces only the span it changes; a whole conversion is left for a
// mode click, a switch to Texto, and what a span cannot settle (see edit_conversion.h).
//
// Running out of memory loses nothing: an action that cannot get its memory leaves the modes,
// the marks, the colours and the target as they were and lets std::bad_alloc through to the
// window, which takes the user's edit back and says so.
//
// The procedures and state of the original design keep their names (txtCodeA_Change, eCodeA,
// eFiltro, vModeA, nFocus); the helpers the window's own procedures call are named in English
// (codeFieldGotFocus for txtCodeA_GotFocus, codeFieldAccepts for txtCodeA_KeyPress).
class CodeDispatch {
  public:
    explicit CodeDispatch(CodeWindow& window) : window_(window) {}

    // The start values the window's load gives: the colours, Campo A in Texto and Campo B in
    // Binario.
    void loadStartValues();

    FocusBox nFocus() const { return nFocus_; }
    // A box of the character panel gained the focus (the code fields use codeFieldGotFocus).
    void setNFocus(FocusBox box) { nFocus_ = box; }

    Mode vModeA() const { return vModeA_; }
    Mode vModeB() const { return vModeB_; }
    Mode mode(CodeField field) const { return field == CodeField::A ? vModeA_ : vModeB_; }
    // Sets a field's mode without converting and without moving its mark: for the window's
    // load and for tools that drive the dispatch without a window's buttons.
    void setMode(CodeField field, Mode mode);

    // Results of the last binary or hexadecimal validation.
    bool vBinBad() const { return vBinBad_; }
    bool vBinPartial() const { return vBinPartial_; }

    Color vColorFocus() const { return vColorFocus_; }
    Color vColorIdle() const { return vColorIdle_; }
    Color lColorError() const { return lColorError_; }

    // Change handling of Campo A and Campo B: the field's text changed in this span.
    void txtCodeA_Change(TextChange change);
    void txtCodeB_Change(TextChange change);

    // The whole handling of a field, converting its whole text.
    void eCodeA();
    void eCodeB();

    // A mode button: the mark moves on the press, the mode and the conversion on the click.
    void cmdOpt_MouseDown(int index);
    void cmdOpt_Click(int index);

    // A code field gained the focus: it becomes the source of the next conversion.
    void codeFieldGotFocus(CodeField field);

    // Whether the field's keyboard filter lets a typed character code through (8 is
    // Backspace).
    bool codeFieldAccepts(CodeField field, int keyCode) const;

    // Clean-up, validation and detection of the source field, given a text. The source field
    // is Campo A when nFocus is FocusBox::txtCodeA and Campo B when it is FocusBox::txtCodeB;
    // with any other box nothing is written or painted (the flags are set all the same).
    void eFiltro(std::u16string_view iTextA);
    // The binary check: a character other than a digit in iBinary, an incomplete last byte in
    // a source of `sourceLength` units (iBinary's own length unless given).
    void eReBin(std::u16string_view iBinary);
    void eReBin(std::u16string_view iBinary, std::size_t sourceLength);
    void eReHex(std::u16string_view iHexa);
    void eAuto(std::u16string_view iText);

  private:
    // What the target shows is the conversion of the source's text, as it was before the
    // edits noted since: what an edit may build on.
    struct Converted {
        bool valid = false;
        CodeField source = CodeField::A;
        Mode sourceMode = Texto;
        Mode targetMode = Texto;
        std::size_t sourceLength = 0;
        std::size_t targetLength = 0;
        bool edited = false;
        TextChange edits;  // of the source since, as one span
    };

    // Everything an action may change apart from the texts, to be put back when it fails.
    struct Saved {
        Mode vModeA;
        Mode vModeB;
        bool vBinBad;
        bool vBinPartial;
        std::array<Color, 2> back;
        Converted converted;
    };
    Saved save() const;
    void restore(const Saved& saved);
    template <class Action>
    void guarded(Action action);

    void codeChanged(CodeField field, TextChange change);
    void dispatchFrom(CodeField source);
    void convertSource(CodeField source);
    bool convertedHolds(CodeField source) const;
    std::u16string_view editedPart(CodeField source) const;
    void filterBlanks(CodeField source);
    void checkSource(CodeField source, Mode sourceMode);
    void convertOrCopy(CodeField source);
    void writeWhole(CodeField target, Mode from, Mode to, std::u16string_view text);
    void deliverWhole(CodeField source, Mode from, Mode to, std::u16string_view text);
    void noteConverted(CodeField source);
    void paint(CodeField field, Color color);
    void showModeMarks(CodeField field);
    bool sourceField(CodeField& field) const;

    CodeWindow& window_;
    FocusBox nFocus_ = FocusBox::txtC;
    Mode vModeA_ = Texto;
    Mode vModeB_ = Binario;
    bool vBinBad_ = false;
    bool vBinPartial_ = false;
    Color vColorFocus_ = kColorFocus;
    Color vColorIdle_ = kColorIdle;
    Color lColorError_ = kColorError;

    std::array<Color, 2> back_{kColorFocus, kColorIdle};  // as the dispatch last painted them
    Converted converted_;
    bool delivering_ = false;  // writing the target: its change is the dispatch's own
};

}  // namespace trelvane
