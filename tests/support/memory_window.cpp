// SPDX-License-Identifier: MIT
#include "memory_window.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "codepage.h"
#include "notations/code_units.h"

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

void MemoryWindow::countWrite() {
    if (failingWrite > 0 && --failingWrite == 0) {
        throw std::bad_alloc();
    }
}

void MemoryWindow::focus(CodeField f) {
    dispatch.codeFieldGotFocus(f);
}

void MemoryWindow::select(CodeField f, std::size_t anchor, std::size_t caret) {
    Field& fld = field(f);
    fld.anchor = std::min(anchor, fld.text.size());
    fld.caret = std::min(caret, fld.text.size());
}

void MemoryWindow::paste(CodeField f, std::u16string_view text) {
    const Field& fld = field(f);
    const std::size_t from = std::min({fld.caret, fld.anchor, fld.text.size()});
    const std::size_t to = std::min(std::max(fld.caret, fld.anchor), fld.text.size());
    userEdit(f, from, to - from, text);
}

bool MemoryWindow::typeKey(CodeField f, char16_t c) {
    const int code = c == u'\n' ? 13 : codeOf(c);
    if (!dispatch.codeFieldAccepts(f, code)) {
        return false;
    }
    const Field& fld = field(f);
    const std::size_t from = std::min({fld.caret, fld.anchor, fld.text.size()});
    const std::size_t to = std::min(std::max(fld.caret, fld.anchor), fld.text.size());
    if (code == kBackspace) {
        if (from != to) {
            userEdit(f, from, to - from, {});
        } else if (from > 0) {
            userEdit(f, from - 1, 1, {});
        }
        return true;
    }
    const char16_t typed = code == 13 ? u'\n' : c;  // Enter types a line feed
    userEdit(f, from, to - from, std::u16string_view(&typed, 1));
    return true;
}

// An edit of the user. When its handling runs out of memory, the edit is taken back.
void MemoryWindow::userEdit(CodeField f, std::size_t position, std::size_t removed,
                            std::u16string_view inserted) {
    Field& fld = field(f);
    const std::u16string text = fld.text;
    const std::size_t caret = fld.caret;
    const std::size_t anchor = fld.anchor;
    try {
        replace(f, position, removed, inserted, position + inserted.size());
    } catch (const std::bad_alloc&) {
        fld.text = text;
        fld.caret = caret;
        fld.anchor = anchor;
        ++editsTakenBack;
    }
}

std::u16string_view MemoryWindow::codeText(CodeField f) const {
    return field(f).text;
}

// Replaces a span and places the caret, then raises the field's change handling when the
// text differs.
void MemoryWindow::replace(CodeField f, std::size_t position, std::size_t removed,
                           std::u16string_view inserted, std::size_t caret) {
    Field& fld = field(f);
    if (std::u16string_view(fld.text).substr(position, removed) == inserted) {
        return;
    }
    fld.text.replace(position, removed, inserted);
    fld.caret = fld.anchor = caret;
    ++fld.changes;
    fld.lastChange = {position, removed, inserted.size()};
    record(std::string("change ") + letter(f));
    if (f == CodeField::A) {
        dispatch.txtCodeA_Change(fld.lastChange);
    } else {
        dispatch.txtCodeB_Change(fld.lastChange);
    }
}

void MemoryWindow::setCodeText(CodeField f, std::size_t length, TextFill fill) {
    record(std::string("text ") + letter(f));
    countWrite();
    std::u16string text(length, u'\0');
    fill(text.data());
    Field& fld = field(f);
    fld.lastWrite = {0, fld.text.size(), length};
    if (text == fld.text) {
        return;
    }
    fld.text.swap(text);
    fld.caret = fld.anchor = 0;
    ++fld.changes;
    fld.lastChange = {0, text.size(), length};
    record(std::string("change ") + letter(f));
    if (f == CodeField::A) {
        dispatch.txtCodeA_Change(fld.lastChange);
    } else {
        dispatch.txtCodeB_Change(fld.lastChange);
    }
}

void MemoryWindow::replaceCodeText(CodeField f, std::size_t position, std::size_t removed,
                                   std::size_t length, TextFill fill) {
    record(std::string("text ") + letter(f));
    countWrite();
    std::u16string inserted(length, u'\0');
    fill(inserted.data());
    field(f).lastWrite = {position, removed, length};
    replace(f, position, removed, inserted, 0);  // a program write: the caret to the start
}

void MemoryWindow::moveCaretToEnd(CodeField f) {
    field(f).caret = field(f).anchor = field(f).text.size();
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
