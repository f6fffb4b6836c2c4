// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <vector>

#include "code_dispatch.h"
#include "code_window.h"

namespace trelvane {

// The main window's code panel held in memory, raising change handling the way the real
// window does: a different text written into a field runs that field's dispatch before the
// write returns, with the span that changed. Used by the tests, the benchmarks and the fuzzer.
class MemoryWindow : public CodeWindow {
  public:
    MemoryWindow();

    struct Field {
        std::u16string text;
        std::size_t caret = 0;
        std::size_t anchor = 0;  // the selection runs from the anchor to the caret
        Color back = kColorIdle;
        bool flag500 = false;
        int changes = 0;        // change notifications raised
        TextChange lastChange;  // the span of the last one
        TextChange lastWrite;   // the span of the last program write, changing or not
    };

    CodeDispatch dispatch{*this};
    std::array<Field, 2> fields;
    std::array<bool, 8> marks{};  // shpOpt(0..7) filled

    // When set, every window operation is recorded here in order ("text A", "change A",
    // "caret A", "color A #14AAE6", "500 A on", "mark 4 on"). A write records "text" whether
    // or not it changes the text.
    std::vector<std::string>* trace = nullptr;

    // Running out of memory: when set to n, the n-th write of a field from now throws
    // std::bad_alloc before it changes anything, as a field that cannot get the storage for
    // its new text does.
    int failingWrite = 0;
    // Edits of the user that ran out of memory and were taken back, text, caret and
    // selection as before.
    int editsTakenBack = 0;

    Field& field(CodeField f) { return fields[static_cast<int>(f)]; }
    const Field& field(CodeField f) const { return fields[static_cast<int>(f)]; }

    // What a user does: focus a field, select, then type or paste over the selection (keys
    // pass the field's filter; a paste does not).
    void focus(CodeField f);
    void select(CodeField f, std::size_t anchor, std::size_t caret);
    void paste(CodeField f, std::u16string_view text);
    bool typeKey(CodeField f, char16_t c);

    std::u16string_view codeText(CodeField f) const override;
    void setCodeText(CodeField f, std::size_t length, TextFill fill) override;
    void replaceCodeText(CodeField f, std::size_t position, std::size_t removed, std::size_t length,
                         TextFill fill) override;
    void moveCaretToEnd(CodeField f) override;
    void setCodeBackColor(CodeField f, Color color) override;
    void setFlag500Visible(CodeField f, bool visible) override;
    void setModeMark(int index, bool filled) override;

  private:
    void record(std::string event);
    void countWrite();
    void userEdit(CodeField f, std::size_t position, std::size_t removed,
                  std::u16string_view inserted);
    void replace(CodeField f, std::size_t position, std::size_t removed,
                 std::u16string_view inserted, std::size_t caret);
};

}  // namespace trelvane
