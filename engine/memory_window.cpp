#include "memory_window.h"

#include <cstdio>

#include "codepage.h"

namespace trelvane {

namespace {

char letter(CodeField f) {
    return f == CodeField::A ? 'A' : 'B';
}

}  // namespace

MemoryWindow::MemoryWindow() {
    marks[0] = true;  // Campo A starts in Texto
    marks[5] = true;  // Campo B starts in Binario
    fields[0].back = kColorFocus;
    fields[1].back = kColorIdle;
}

void MemoryWindow::record(std::string event) {
    if (trace) {
        trace->push_back(std::move(event));
    }
}

void MemoryWindow::focus(CodeField f) {
    dispatch.codeFieldGotFocus(f);
}

void MemoryWindow::paste(CodeField f, const std::u16string& text) {
    Field& fld = field(f);
    std::u16string edited = fld.text;
    const std::size_t at = std::min(fld.caret, edited.size());
    edited.insert(at, text);
    fld.caret = at + text.size();
    setCodeText(f, edited);
}

bool MemoryWindow::typeKey(CodeField f, char16_t c) {
    int code = c == u'\n' ? 13 : codeOf(c);
    if (!dispatch.codeFieldAccepts(f, code)) {
        return false;
    }
    Field& fld = field(f);
    std::u16string edited = fld.text;
    std::size_t at = std::min(fld.caret, edited.size());
    if (code == 8) {
        if (at == 0) {
            return true;
        }
        edited.erase(--at, 1);
    } else {
        // Enter types a line feed.
        edited.insert(at, 1, code == 13 ? u'\n' : c);
        ++at;
    }
    fld.caret = at;
    setCodeText(f, edited);
    return true;
}

std::u16string MemoryWindow::codeText(CodeField f) const {
    return field(f).text;
}

std::size_t MemoryWindow::codeTextLength(CodeField f) const {
    return field(f).text.size();
}

void MemoryWindow::setCodeText(CodeField f, const std::u16string& text) {
    Field& fld = field(f);
    record(std::string("text ") + letter(f));
    if (fld.text == text) {
        return;
    }
    fld.text = text;
    fld.caret = std::min(fld.caret, fld.text.size());
    ++fld.changes;
    record(std::string("change ") + letter(f));
    if (f == CodeField::A) {
        dispatch.eCodeA();
    } else {
        dispatch.eCodeB();
    }
}

void MemoryWindow::moveCaretToEnd(CodeField f) {
    field(f).caret = field(f).text.size();
    record(std::string("caret ") + letter(f));
}

void MemoryWindow::setCodeBackColor(CodeField f, Color color) {
    field(f).back = color;
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(color));
    record(std::string("color ") + letter(f) + " " + hex);
}

void MemoryWindow::setFlag500Visible(CodeField f, bool visible) {
    field(f).flag500 = visible;
    record(std::string("500 ") + letter(f) + (visible ? " on" : " off"));
}

void MemoryWindow::setModeMark(int index, bool filled) {
    marks.at(static_cast<std::size_t>(index)) = filled;
    record("mark " + std::to_string(index) + (filled ? " on" : " off"));
}

}  // namespace trelvane
