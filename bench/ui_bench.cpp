// SPDX-License-Identifier: MIT
// How quickly the real main window answers with large texts, driven headless: from a paste
// into Campo B to Campo A showing the result, and from one character typed at the end or in
// the middle of Campo B to Campo A updated, for every pair of different modes and Campo B
// holding 500, 64 Ki, 1 Mi and 8 Mi characters; and the same with Campo B in Texto holding
// texts that are hard to lay out: only blanks, only line feeds, only emoji, one endless word.
// Each measure includes the repaint of the window.
//
// FirstPaste measures one paste of 8 Mi characters, the first of the process, while the
// system still hands out fresh memory; run one pair per process, for instance
//   ui_bench --benchmark_filter=FirstPaste/B_Texto_to_A_Decimal/
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <random>

#include "codepage.h"
#include "fonts.h"
#include "frm_ascii.h"
#include "main_window_probe.h"
#include "mode_pairs.h"
#include "named_conversions.h"

namespace {

using trelvane::forEachModePair;
using trelvane::FrmAscii;
using trelvane::MainWindowProbe;
using trelvane::Mode;

// A text of `length` characters in a mode's notation.
QString textIn(Mode mode, qsizetype length) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> code(32, 255);  // every code but the control characters
    std::u16string text;
    while (static_cast<qsizetype>(text.size()) < length) {
        std::u16string chunk(4096, u' ');
        for (char16_t& c : chunk) {
            c = trelvane::charOf(static_cast<std::uint8_t>(code(random)));
        }
        switch (mode) {
            case trelvane::Texto:
                break;
            case trelvane::Binario:
                chunk = trelvane::textToBinary(chunk);
                break;
            case trelvane::Hexadecimal:
                chunk = trelvane::binaryToHex(trelvane::textToBinary(chunk));
                break;
            case trelvane::Decimal:
                chunk = trelvane::textToDecimal(chunk) + u' ';
                break;
        }
        text += chunk;
    }
    text.resize(static_cast<std::size_t>(length));
    if (mode == trelvane::Decimal && text.back() == u' ') {
        text.back() = u'7';
    }
    return QString::fromStdU16String(text);
}

// Texts that are hard to lay out, for Campo B in Texto.
enum class Hard { Blanks, LineFeeds, Emoji, EndlessWord };
constexpr const char* kHardNames[] = {"blancos", "saltos", "emoji", "palabra"};

QString hardText(Hard kind, qsizetype length) {
    std::mt19937 random(9);
    QString text;
    text.reserve(length);
    switch (kind) {
        case Hard::Blanks:
            text.fill(QLatin1Char(' '), length);
            break;
        case Hard::LineFeeds:
            text.fill(QLatin1Char('\n'), length);
            break;
        case Hard::Emoji: {
            std::uniform_int_distribution<char32_t> pictograph(0x1F300, 0x1F64F);
            while (text.size() + 2 <= length) {
                const char32_t code = pictograph(random);
                text += QChar(QChar::highSurrogate(code));
                text += QChar(QChar::lowSurrogate(code));
            }
            break;
        }
        case Hard::EndlessWord: {
            std::uniform_int_distribution<int> letter('a', 'z');
            while (text.size() < length) {
                text += QChar(letter(random));
            }
            break;
        }
    }
    return text;
}

// The character typed into Campo B: one its mode takes from the keyboard.
Qt::Key keyFor(Mode mode) {
    switch (mode) {
        case trelvane::Binario:
            return Qt::Key_1;
        case trelvane::Hexadecimal:
            return Qt::Key_F;
        case trelvane::Decimal:
            return Qt::Key_5;
        default:
            return Qt::Key_A;
    }
}

// The main window with its code panel in view, the modes chosen and Campo B the source.
struct Window {
    Window(Mode modeA, Mode modeB) {
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form)) {
            qWarning("the main window did not become active");
        }
        for (int button : {static_cast<int>(modeA), 4 + static_cast<int>(modeB)}) {
            w.cmdOpt_MouseDown(button);
            w.cmdOpt_Click(button);
        }
        w.cmdFn_Click(0);
        while (w.tmrRebote1->isActive() || w.tmrRebote2->isActive()) {
            w.tmrRebote1->isActive() ? w.tmrRebote1_Timer() : w.tmrRebote2_Timer();
        }
        w.txtCodeB->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void settle() { QApplication::processEvents(); }
    FrmAscii form;
    MainWindowProbe w{form};
};

void pasteAndClear(benchmark::State& state, Window& window) {
    qsizetype shown = 0;
    for (auto _ : state) {
        window.w.txtCodeB->selectAll();
        window.w.txtCodeB->paste();
        window.settle();
        state.PauseTiming();
        shown = window.w.txtCodeA->text().size();
        if (shown == 0 && state.range(0) >= 8) {
            state.SkipWithError("Campo A shows nothing");
        }
        window.w.txtCodeB->selectAll();
        QTest::keyClick(window.w.txtCodeB, Qt::Key_Delete);
        window.settle();
        state.ResumeTiming();
    }
    state.counters["chars_A"] = static_cast<double>(shown);
}

// A character typed, then taken back: every keystroke is one measure. In the middle, the
// caret is put back there before each key, as the conversion may have moved it.
void typeAndTakeBack(benchmark::State& state, Window& window, Mode modeB, bool middle) {
    window.w.txtCodeB->paste();
    window.settle();
    const qsizetype at = window.w.txtCodeB->text().size() / 2;
    bool typed = false;
    for (auto _ : state) {
        if (middle) {
            window.w.txtCodeB->setCaretPosition(typed ? at + 1 : at);
        }
        QTest::keyClick(window.w.txtCodeB, typed ? Qt::Key_Backspace : keyFor(modeB));
        window.settle();
        typed = !typed;
    }
    state.counters["chars_A"] = static_cast<double>(window.w.txtCodeA->text().size());
}

enum class Measure { Paste, KeystrokeAtEnd, KeystrokeInMiddle };
constexpr const char* kMeasureNames[] = {"Paste/", "Keystroke/", "KeystrokeMiddle/"};

void measure(benchmark::State& state, Window& window, Mode modeB, Measure what) {
    if (what == Measure::Paste) {
        pasteAndClear(state, window);
    } else {
        typeAndTakeBack(state, window, modeB, what == Measure::KeystrokeInMiddle);
    }
}

void BM_Pair(benchmark::State& state, Mode modeA, Mode modeB, Measure what) {
    Window window(modeA, modeB);
    QApplication::clipboard()->setText(textIn(modeB, state.range(0)));
    measure(state, window, modeB, what);
}

// Campo B in Texto holding a hard text, Campo A in Binario.
void BM_Hard(benchmark::State& state, Hard kind, Measure what) {
    Window window(trelvane::Binario, trelvane::Texto);
    QApplication::clipboard()->setText(hardText(kind, state.range(0)));
    measure(state, window, trelvane::Texto, what);
}

// One paste, the first of the window; only the first run of the process sees fresh memory.
void BM_FirstPaste(benchmark::State& state, Mode modeA, Mode modeB) {
    Window window(modeA, modeB);
    QApplication::clipboard()->setText(textIn(modeB, state.range(0)));
    for (auto _ : state) {
        window.w.txtCodeB->paste();
        window.settle();
    }
    state.counters["chars_A"] = static_cast<double>(window.w.txtCodeA->text().size());
}

void registerAll() {
    forEachModePair([](Mode modeA, Mode modeB, const std::string& pair) {
        benchmark::RegisterBenchmark(("FirstPaste/" + pair).c_str(), BM_FirstPaste, modeA, modeB)
            ->Arg(8 << 20)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        for (int what = 0; what < 3; ++what) {
            auto* bench =
                benchmark::RegisterBenchmark((kMeasureNames[what] + pair).c_str(), BM_Pair, modeA,
                                             modeB, static_cast<Measure>(what));
            bench->Arg(500)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20);
            bench->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.2);
        }
    });
    for (int kind = 0; kind < 4; ++kind) {
        for (int what = 0; what < 3; ++what) {
            const std::string name =
                std::string(kMeasureNames[what]) + "B_Texto_" + kHardNames[kind] + "_to_A_Binario";
            auto* bench = benchmark::RegisterBenchmark(
                name.c_str(), BM_Hard, static_cast<Hard>(kind), static_cast<Measure>(what));
            bench->Arg(1 << 20)->Arg(8 << 20);
            bench->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.2);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    trelvane::registerFontSubstitutes();
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
