// SPDX-License-Identifier: MIT
// The code panel's dispatch alone, with Campo B holding 8 Mi characters: a keystroke at the
// end of Campo B and one in the middle, and a paste of the whole text, for every pair of
// different modes. The fields are plain strings written the way the window writes them
// (whole texts adopted, spans replaced), so the figures are what the engine costs before the
// code field lays out and paints (see ui_bench for the whole window).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "code_dispatch.h"
#include "codepage.h"
#include "conversion.h"
#include "mode_pairs.h"

namespace {

using trelvane::CodeField;
using trelvane::forEachModePair;
using trelvane::Mode;

// Two fields in memory that raise their change handling as the code fields do.
class BenchWindow final : public trelvane::CodeWindow {
  public:
    trelvane::CodeDispatch dispatch{*this};
    std::u16string text[2];

    std::u16string_view codeText(CodeField f) const override { return text[index(f)]; }
    void setCodeText(CodeField f, std::size_t length, trelvane::TextFill fill) override {
        std::u16string fresh(length, u'\0');
        fill(fresh.data());
        if (fresh != text[index(f)]) {
            const std::size_t removed = text[index(f)].size();
            text[index(f)].swap(fresh);
            changed(f, {0, removed, length});
        }
    }
    void replaceCodeText(CodeField f, std::size_t position, std::size_t removed, std::size_t length,
                         trelvane::TextFill fill) override {
        scratch_.resize(length);
        fill(scratch_.data());
        if (std::u16string_view(text[index(f)]).substr(position, removed) != scratch_) {
            replace(text[index(f)], position, removed, scratch_);
            changed(f, {position, removed, length});
        }
    }
    void moveCaretToEnd(CodeField) override {}
    void setCodeBackColor(CodeField, trelvane::Color) override {}
    void setFlag500Visible(CodeField, bool) override {}
    void setModeMark(int, bool) override {}

    // An edit of the user in Campo B.
    void edit(std::size_t position, std::size_t removed, std::u16string_view inserted) {
        replace(text[1], position, removed, inserted);
        changed(CodeField::B, {position, removed, inserted.size()});
    }

  private:
    static std::size_t index(CodeField f) { return f == CodeField::A ? 0 : 1; }
    // Out of line: inlined into its callers, GCC 12 warns wrongly of overlapping copies.
    [[gnu::noinline]] static void replace(std::u16string& text, std::size_t position,
                                          std::size_t removed, std::u16string_view inserted) {
        text.replace(position, removed, inserted);
    }
    void changed(CodeField f, trelvane::TextChange change) {
        if (f == CodeField::A) {
            dispatch.txtCodeA_Change(change);
        } else {
            dispatch.txtCodeB_Change(change);
        }
    }
    std::u16string scratch_;
};

// A text of `length` characters in a mode's notation, its first character not 0.
std::u16string textIn(Mode mode, std::size_t length) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> code(32, 255);  // every code but the control characters
    std::u16string text(length / 2 + 16, u' ');
    for (char16_t& c : text) {
        c = trelvane::charOf(static_cast<std::uint8_t>(code(random)));
    }
    std::u16string out = trelvane::convert(trelvane::Texto, mode, text);
    out.resize(length);
    if (mode == trelvane::Decimal && out.back() == u' ') {
        out.back() = u'7';
    }
    return out;
}

char16_t keyFor(Mode mode) {
    switch (mode) {
        case trelvane::Binario:
            return u'1';
        case trelvane::Hexadecimal:
            return u'F';
        case trelvane::Decimal:
            return u'5';
        default:
            return u'A';
    }
}

void prepare(BenchWindow& w, Mode modeA, Mode modeB, std::size_t length) {
    w.dispatch.setMode(CodeField::A, modeA);
    w.dispatch.setMode(CodeField::B, modeB);
    w.dispatch.codeFieldGotFocus(CodeField::B);
    w.edit(0, 0, textIn(modeB, length));
}

// A character typed at `where` (0 the start, 1 the end of the text), then taken back: every
// keystroke is one measure.
void BM_Keystroke(benchmark::State& state, Mode modeA, Mode modeB, double where) {
    BenchWindow w;
    prepare(w, modeA, modeB, static_cast<std::size_t>(state.range(0)));
    const auto at = static_cast<std::size_t>(where * static_cast<double>(w.text[1].size()));
    const char16_t key = keyFor(modeB);
    bool typed = false;
    for (auto _ : state) {
        if (typed) {
            w.edit(at, 1, {});
        } else {
            w.edit(at, 0, std::u16string_view(&key, 1));
        }
        typed = !typed;
    }
    state.counters["chars_A"] = static_cast<double>(w.text[0].size());
}

void BM_Paste(benchmark::State& state, Mode modeA, Mode modeB) {
    BenchWindow w;
    prepare(w, modeA, modeB, 8);
    const std::u16string pasted = textIn(modeB, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        w.edit(0, w.text[1].size(), pasted);  // over everything, as after select-all
        state.PauseTiming();
        w.edit(0, w.text[1].size(), u"1");
        state.ResumeTiming();
    }
    state.counters["chars_A"] = static_cast<double>(w.text[0].size());
}

void registerAll() {
    forEachModePair([](Mode modeA, Mode modeB, const std::string& pair) {
        benchmark::RegisterBenchmark(("KeystrokeAtEnd/" + pair).c_str(), BM_Keystroke, modeA, modeB,
                                     1.0)
            ->Arg(8 << 20)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("KeystrokeInMiddle/" + pair).c_str(), BM_Keystroke, modeA,
                                     modeB, 0.5)
            ->Arg(8 << 20)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Paste/" + pair).c_str(), BM_Paste, modeA, modeB)
            ->Arg(8 << 20)
            ->Unit(benchmark::kMillisecond);
    });
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
