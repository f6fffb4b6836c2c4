// How quickly the real main window answers with large texts, driven headless: from a paste
// into Campo B to Campo A showing the result, and from one character typed at the end of
// Campo B to Campo A updated, for every pair of different modes and Campo B holding 500,
// 64 Ki, 1 Mi and 8 Mi characters. Each measure includes the repaint of the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <random>

#include "codepage.h"
#include "fonts.h"
#include "frm_ascii.h"
#include "notation.h"

namespace {

using trelvane::FrmAscii;
using trelvane::Mode;

constexpr const char* kModeNames[] = {"Texto", "Binario", "Hexadecimal", "Decimal"};

// A text of `length` characters in a mode's notation.
QString textIn(Mode mode, qsizetype length) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> code(32, 255);
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

// The character typed at the end of Campo B: one its mode takes from the keyboard.
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
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w)) {
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
    FrmAscii w;
};

void BM_Paste(benchmark::State& state, Mode modeA, Mode modeB) {
    Window window(modeA, modeB);
    QApplication::clipboard()->setText(textIn(modeB, state.range(0)));
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

void BM_Keystroke(benchmark::State& state, Mode modeA, Mode modeB) {
    Window window(modeA, modeB);
    QApplication::clipboard()->setText(textIn(modeB, state.range(0)));
    window.w.txtCodeB->paste();
    window.settle();
    bool typed = false;
    for (auto _ : state) {
        // A character typed, then taken back: every keystroke is one measure.
        QTest::keyClick(window.w.txtCodeB, typed ? Qt::Key_Backspace : keyFor(modeB));
        window.settle();
        typed = !typed;
    }
    state.counters["chars_A"] = static_cast<double>(window.w.txtCodeA->text().size());
}

void registerAll() {
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            if (a == b) {
                continue;
            }
            const std::string pair = std::string("B_") + kModeNames[b] + "_to_A_" + kModeNames[a];
            const Mode modeA = static_cast<Mode>(a);
            const Mode modeB = static_cast<Mode>(b);
            for (const char* kind : {"Paste/", "Keystroke/"}) {
                auto* bench = benchmark::RegisterBenchmark((std::string(kind) + pair).c_str(),
                                                           kind[0] == 'P' ? BM_Paste : BM_Keystroke,
                                                           modeA, modeB);
                bench->Arg(500)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20);
                bench->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.2);
            }
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
