// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

#include "mode.h"

namespace trelvane {

// A change of a field's text: in the new text, [position, position + inserted) replaced
// [position, position + removed) of the old one.
struct TextChange {
    std::size_t position = 0;
    std::size_t removed = 0;
    std::size_t inserted = 0;
};

// Writes a text whose length is known beforehand straight into the storage that a field then
// keeps: a reference to a callable taking that storage (char16_t*), valid for one call.
class TextFill {
  public:
    template <class F>
    TextFill(const F& fill)  // not explicit: any callable converts
        : fill_(&fill),
          call_([](const void* f, char16_t* out) { (*static_cast<const F*>(f))(out); }) {}

    void operator()(char16_t* out) const { call_(fill_, out); }

  private:
    const void* fill_;
    void (*call_)(const void*, char16_t*);
};

// What the conversion procedures need from the main window. The Qt window implements it with
// real widgets; MemoryWindow (tests/support) implements it in memory for the tests.
//
// Writes change a field only when they can get their memory: on std::bad_alloc the field is
// left as it was. A write that makes the text differ raises the field's change handling
// before it returns; an identical text raises none.
class CodeWindow {
  public:
    virtual ~CodeWindow() = default;

    // The field's text as it holds it now, every character code kept. Valid until the next
    // write to either field.
    virtual std::u16string_view codeText(CodeField field) const = 0;

    // Replaces the whole text with `length` units that `fill` writes into the new storage.
    virtual void setCodeText(CodeField field, std::size_t length, TextFill fill) = 0;

    // Replaces [position, position + removed) of the text with `length` units that `fill`
    // writes. 0 <= position <= position + removed <= the text's length. `fill` must not read
    // the field it writes: that field's storage may move before the fill runs.
    virtual void replaceCodeText(CodeField field, std::size_t position, std::size_t removed,
                                 std::size_t length, TextFill fill) = 0;

    // Puts the caret after the last character, nothing selected.
    virtual void moveCaretToEnd(CodeField field) = 0;

    virtual void setCodeBackColor(CodeField field, Color color) = 0;

    // The "500" flag of a field: frme500(0) for Campo A, frme500(1) for Campo B.
    virtual void setFlag500Visible(CodeField field, bool visible) = 0;

    // The mark of a mode button: shpOpt(index), 0 to 3 for Campo A, 4 to 7 for Campo B.
    virtual void setModeMark(int index, bool filled) = 0;
};

}  // namespace trelvane
