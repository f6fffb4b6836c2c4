// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

#include "conversion.h"
#include "memory_window.h"
#include "test_support.h"

// An action whose writes cannot get their memory is refused and loses nothing: both fields,
// the modes, the marks and the colours stay as they were, and the program goes on.
namespace {

using namespace trelvane;
using namespace trelvane::testkit;

struct State {
    std::u16string textA;
    std::u16string textB;
    Mode modeA;
    Mode modeB;
    std::array<bool, 8> marks;
    Color backA;
    Color backB;
    bool operator==(const State&) const = default;
};

State stateOf(const MemoryWindow& w) {
    return {w.field(A).text, w.field(B).text, w.dispatch.vModeA(), w.dispatch.vModeB(),
            w.marks,         w.field(A).back, w.field(B).back};
}

struct Action {
    const char* what;
    Mode modeA;
    Mode modeB;
    std::u16string before;                   // Campo A's text, the source
    std::function<void(MemoryWindow&)> act;  // what the user does
    bool isEdit;                             // an edit is taken back; a click fails outright
};

TEST(OutOfMemory, AnActionThatCannotGetItsMemoryChangesNothing) {
    const Action actions[] = {
        {"paste", Texto, Binario, u"Hola", [](MemoryWindow& w) { w.paste(A, u" mundo"); }, true},
        {"keystroke", Texto, Hexadecimal, u"Hola", [](MemoryWindow& w) { w.typeKey(A, u'!'); },
         true},
        {"blank removed by the filter", Binario, Texto, u"01000001",
         [](MemoryWindow& w) { w.typeKey(A, u' '); }, true},
        {"paste switching to Texto", Binario, Decimal, u"01000001",
         [](MemoryWindow& w) { w.paste(A, u"x"); }, true},
        {"paste over everything", Decimal, Texto, u"72 105",
         [](MemoryWindow& w) {
             w.select(A, 0, 6);
             w.paste(A, u"65 66 67");
         },
         true},
        {"mode click", Texto, Binario, u"Hola", [](MemoryWindow& w) { chooseMode(w, B, Decimal); },
         false},
        {"mode click switching back to Texto", Texto, Binario, u"Hola",
         [](MemoryWindow& w) { chooseMode(w, A, Hexadecimal); }, false}};
    for (const auto& a : actions) {
        // The first write of the action fails, then the second, and so on, until the action
        // runs through.
        for (int failing = 1;; ++failing) {
            SCOPED_TRACE(std::string(a.what) + ", write " + std::to_string(failing) + " fails");
            MemoryWindow w;
            chooseModes(w, a.modeA, a.modeB);
            w.focus(A);
            w.paste(A, a.before);
            w.select(A, a.before.size(), a.before.size());
            const State before = stateOf(w);

            w.failingWrite = failing;
            bool failed = false;
            if (a.isEdit) {
                a.act(w);
                failed = w.editsTakenBack == 1;
            } else {
                try {
                    a.act(w);
                } catch (const std::bad_alloc&) {
                    failed = true;
                }
            }
            if (!failed) {
                EXPECT_GT(failing, 1) << "the action writes nothing";
                break;
            }
            EXPECT_EQ(readable(w.field(A).text), readable(before.textA));
            EXPECT_EQ(readable(w.field(B).text), readable(before.textB));
            EXPECT_TRUE(stateOf(w) == before);

            // The program goes on: the next edit converts as if nothing had happened.
            w.failingWrite = 0;
            w.select(A, w.field(A).text.size(), w.field(A).text.size());
            ASSERT_TRUE(w.typeKey(A, u'1'));
            EXPECT_EQ(readable(w.field(B).text),
                      readable(convert(w.dispatch.vModeA(), w.dispatch.vModeB(), w.field(A).text)));
        }
    }
}

}  // namespace
