#pragma once

#include <array>
#include <string>
#include <vector>

#include "code_dispatch.h"
#include "code_window.h"

namespace trelvane {

// The main window's code panel held in memory, raising change handling the way the real
// window does: a different text written into a field runs that field's dispatch before the
// write returns. Used by the tests, the fuzzer and the command-line converter.
class MemoryWindow : public CodeWindow {
  public:
    MemoryWindow();

    struct Field {
        std::u16string text;
        std::size_t caret = 0;
        Color back = kColorIdle;
        bool flag500 = false;
        int changes = 0;  // change notifications raised
    };

    CodeDispatch dispatch{*this};
    std::array<Field, 2> fields;
    std::array<bool, 8> marks{};  // shpOpt(0..7) filled

    // When set, every window operation is recorded here in order ("text A", "change A",
    // "caret A", "color A #14AAE6", "500 A on", "mark 4 on").
    std::vector<std::string>* trace = nullptr;

    Field& field(CodeField f) { return fields[static_cast<int>(f)]; }
    const Field& field(CodeField f) const { return fields[static_cast<int>(f)]; }

    // What a user does: focus a field, then type or paste (keys pass the field's filter;
    // a paste does not).
    void focus(CodeField f);
    void paste(CodeField f, const std::u16string& text);
    bool typeKey(CodeField f, char16_t c);

    std::u16string codeText(CodeField f) const override;
    std::size_t codeTextLength(CodeField f) const override;
    void setCodeText(CodeField f, const std::u16string& text) override;
    void moveCaretToEnd(CodeField f) override;
    void setCodeBackColor(CodeField f, Color color) override;
    void setFlag500Visible(CodeField f, bool visible) override;
    void setModeMark(int index, bool filled) override;

  private:
    void record(std::string event);
};

}  // namespace trelvane
