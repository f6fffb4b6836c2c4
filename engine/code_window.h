#pragma once

#include <cstddef>
#include <string>

#include "mode.h"

namespace trelvane {

// The two code fields of the main window: Campo A (txtCodeA) and Campo B (txtCodeB).
enum class CodeField { A = 0, B = 1 };

inline constexpr CodeField otherField(CodeField field) noexcept {
    return field == CodeField::A ? CodeField::B : CodeField::A;
}

// What the conversion procedures need from the main window. The Qt window implements it with
// real widgets; MemoryWindow implements it in memory for tests and tools.
class CodeWindow {
  public:
    virtual ~CodeWindow() = default;

    // The field's text as it holds it now, every character code kept.
    virtual std::u16string codeText(CodeField field) const = 0;
    virtual std::size_t codeTextLength(CodeField field) const { return codeText(field).size(); }

    // Replaces the field's text. A different text raises the field's change handling before
    // this returns; an identical text raises none.
    virtual void setCodeText(CodeField field, const std::u16string& text) = 0;

    // Puts the caret after the last character, nothing selected.
    virtual void moveCaretToEnd(CodeField field) = 0;

    virtual void setCodeBackColor(CodeField field, Color color) = 0;

    // The "500" flag of a field: frme500(0) for Campo A, frme500(1) for Campo B.
    virtual void setFlag500Visible(CodeField field, bool visible) = 0;

    // The mark of a mode button: shpOpt(index), 0 to 3 for Campo A, 4 to 7 for Campo B.
    virtual void setModeMark(int index, bool filled) = 0;
};

}  // namespace trelvane
