// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "codepage.h"
#include "memory_window.h"
#include "mode.h"

namespace trelvane {
// Failure messages name the field.
inline void PrintTo(CodeField field, std::ostream* os) {
    *os << (field == CodeField::A ? "Campo A" : "Campo B");
}
}  // namespace trelvane

// Small helpers shared by the engine tests: choosing modes the way the user does, readable
// names for failure messages, and looking at the window's trace.
namespace trelvane::testkit {

constexpr CodeField A = CodeField::A;
constexpr CodeField B = CodeField::B;

inline const char* modeName(Mode mode) {
    switch (mode) {
        case Texto:
            return "Texto";
        case Binario:
            return "Binario";
        case Hexadecimal:
            return "Hexadecimal";
        case Decimal:
            return "Decimal";
    }
    return "?";
}

inline const char* fieldName(CodeField field) {
    return field == A ? "A" : "B";
}

// The mode button of a field: cmdOpt(0..3) for Campo A, cmdOpt(4..7) for Campo B.
inline int modeButton(CodeField field, Mode mode) {
    return (field == A ? 0 : 4) + static_cast<int>(mode);
}

// Press and click a field's mode button, as the user does.
inline void chooseMode(MemoryWindow& w, CodeField field, Mode mode) {
    w.dispatch.cmdOpt_MouseDown(modeButton(field, mode));
    w.dispatch.cmdOpt_Click(modeButton(field, mode));
}

// Both modes chosen while a box of the character panel has the focus, so nothing converts.
inline void chooseModes(MemoryWindow& w, Mode modeA, Mode modeB) {
    const FocusBox focus = w.dispatch.nFocus();
    w.dispatch.setNFocus(FocusBox::txtC);
    chooseMode(w, A, modeA);
    chooseMode(w, B, modeB);
    w.dispatch.setNFocus(focus);
}

// The modes of a source and a target field, whichever field is the source.
inline void chooseSourceAndTarget(MemoryWindow& w, CodeField source, Mode sourceMode,
                                  Mode targetMode) {
    if (source == A) {
        chooseModes(w, sourceMode, targetMode);
    } else {
        chooseModes(w, targetMode, sourceMode);
    }
}

// A UTF-16 text spelled out for failure messages: ASCII as is, the rest as \uXXXX.
inline std::string readable(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

// Every character of the code page once, from code 255 down to code 0 (so a hexadecimal
// rendering has no leading zeros to lose).
inline std::u16string everyCodeDescending() {
    std::u16string text;
    for (int code = 255; code >= 0; --code) {
        text += charOf(static_cast<std::uint8_t>(code));
    }
    return text;
}

inline std::u16string repeated(std::u16string_view piece, std::size_t times) {
    std::u16string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// The trace from the first occurrence of an event on (empty when it never occurred).
inline std::vector<std::string> traceFrom(const std::vector<std::string>& trace,
                                          const std::string& first) {
    auto start = std::find(trace.begin(), trace.end(), first);
    return {start, trace.end()};
}

// The events of the trace that begin with a prefix, in order.
inline std::vector<std::string> eventsStartingWith(const std::vector<std::string>& trace,
                                                   std::string_view prefix) {
    std::vector<std::string> events;
    std::ranges::copy_if(trace, std::back_inserter(events),
                         [prefix](const std::string& event) { return event.starts_with(prefix); });
    return events;
}

inline long countEvents(const std::vector<std::string>& trace, const std::string& event) {
    return std::count(trace.begin(), trace.end(), event);
}

// Types each character, every one of which the field's filter must accept.
inline bool typeText(MemoryWindow& w, CodeField field, std::u16string_view text) {
    for (char16_t c : text) {
        if (!w.typeKey(field, c)) {
            return false;
        }
    }
    return true;
}

}  // namespace trelvane::testkit
