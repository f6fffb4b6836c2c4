#pragma once

#include <string>
#include <string_view>

#include "code_window.h"
#include "mode.h"

namespace trelvane {

// The code panel's conversions: whenever a code field changes or a mode button is clicked,
// the field that last gained the focus is read in its mode and the other field is rewritten
// in its own mode. The state is the main window's, shared with the character panel.
// The entry box that last gained the focus, numbered as the window's handlers number them.
enum class FocusBox : int { txtC = 0, txtA = 1, txtB = 2, txtCodeA = 3, txtCodeB = 4 };

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

    // Change handling of Campo A and Campo B.
    void eCodeA();
    void eCodeB();

    // A mode button: the mark moves on the press, the mode and the conversion on the click.
    void cmdOpt_MouseDown(int index);
    void cmdOpt_Click(int index);

    // A code field gained the focus: it becomes the source of the next conversion.
    void codeFieldGotFocus(CodeField field);

    // Whether the field's keyboard filter lets a typed character code through (8 is
    // Backspace). Campo B in Binario refuses the blank; Campo A takes it.
    bool codeFieldAccepts(CodeField field, int keyCode) const;

    // The converters. Each delivers its result to the target field (Campo B when nFocus is 3,
    // Campo A when it is 4, nowhere otherwise) or passes it on along the chain.
    void eTextDec(std::u16string_view iText);
    void eDecText(std::u16string_view iDec);
    void eTextBin(std::u16string_view iText);
    void eBinText(std::u16string_view iBinary);
    void eBinHexa(std::u16string_view iBinary);
    void eHexaBin(std::u16string_view iHexa);
    void eBinDec(std::u16string_view iBinary);

    // Clean-up, validation and detection of the source field.
    void eFiltro(std::u16string_view iTextA);
    void eReBin(std::u16string_view iBinary);
    void eReHex(std::u16string_view iHexa);
    void eAuto(std::u16string_view iText);

  private:
    void dispatchFrom(CodeField source);
    void convertOrCopy(CodeField source, Mode sourceMode, Mode targetMode);
    void copyToTarget(CodeField source);
    void deliver(const std::u16string& result);
    void switchToTexto(CodeField field);
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
};

}  // namespace trelvane
