// SPDX-License-Identifier: MIT
// The memory the real main window takes for a large paste into Campo B, headless: the
// resident memory at its peak and after the paste, above what the window held before, against
// the two texts' own UTF-16 size; and what it still holds once the fields are emptied again.
//
//   QT_QPA_PLATFORM=offscreen window_memory [MiB of characters] [mode of B] [mode of A]
//
// Modes are 0 Texto, 1 Binario, 2 Hexadecimal, 3 Decimal; by default 8 Mi characters of text
// pasted into Campo B in Texto, with Campo A in Binario.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "codepage.h"
#include "conversion.h"
#include "fonts.h"
#include "frm_ascii.h"
#include "main_window_probe.h"
#include "process_status.h"

namespace {

// Lowers the peak mark to what is resident now, so the peak of the paste alone is seen.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

QString textIn(trelvane::Mode mode, qsizetype length) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> code(32, 255);  // every code but the control characters
    std::u16string text(static_cast<std::size_t>(length) / 2 + 16, u' ');
    for (char16_t& c : text) {
        c = trelvane::charOf(static_cast<std::uint8_t>(code(random)));
    }
    std::u16string out = trelvane::convert(trelvane::Texto, mode, text);
    out.resize(static_cast<std::size_t>(length));
    if (mode == trelvane::Decimal && out.back() == u' ') {
        out.back() = u'7';
    }
    return QString::fromStdU16String(out);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    trelvane::registerFontSubstitutes();
    const qsizetype length = (argc > 1 ? std::stoll(argv[1]) : 8) << 20;
    const auto modeB = static_cast<trelvane::Mode>(argc > 2 ? std::stoi(argv[2]) : 0);
    const auto modeA = static_cast<trelvane::Mode>(argc > 3 ? std::stoi(argv[3]) : 1);

    trelvane::FrmAscii form;
    trelvane::MainWindowProbe w(form);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "the window did not show\n");
    }
    for (int button : {static_cast<int>(modeA), 4 + static_cast<int>(modeB)}) {
        w.cmdOpt_MouseDown(button);
        w.cmdOpt_Click(button);
    }
    w.txtCodeB->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    {
        QString pasted = textIn(modeB, length);
        QApplication::clipboard()->setText(pasted);
    }
    QApplication::processEvents();

    const double before = trelvane::bench::processStatusBytes("VmRSS:");
    resetPeak();
    w.txtCodeB->paste();
    QApplication::processEvents();
    const double peak = trelvane::bench::processStatusBytes("VmHWM:") - before;
    const double after = trelvane::bench::processStatusBytes("VmRSS:") - before;
    const double texts =
        2.0 * static_cast<double>(w.txtCodeA->text().size() + w.txtCodeB->text().size());
    std::printf("%lld Mi characters pasted; Campo A %lld characters\n",
                static_cast<long long>(length >> 20),
                static_cast<long long>(w.txtCodeA->text().size()));
    std::printf("texts' own size %8.1f MiB\n", texts / (1 << 20));
    std::printf(
        "peak above before %8.1f MiB  (%.1f bytes per pasted character, %.2f x the texts)\n",
        peak / (1 << 20), peak / static_cast<double>(length), peak / texts);
    std::printf(
        "after the paste   %8.1f MiB  (%.1f bytes per pasted character, %.2f x the texts)\n",
        after / (1 << 20), after / static_cast<double>(length), after / texts);

    // A keystroke in the middle, then both fields and the clipboard emptied: what the program
    // still holds at rest.
    w.txtCodeB->setCaretPosition(w.txtCodeB->text().size() / 2);
    QTest::keyClick(w.txtCodeB, Qt::Key_Backspace);
    QApplication::processEvents();
    w.txtCodeB->selectAll();
    QTest::keyClick(w.txtCodeB, Qt::Key_Delete);
    QApplication::clipboard()->clear();
    QApplication::processEvents();
    std::printf("emptied again     %8.1f MiB above before, %.1f MiB resident\n",
                (trelvane::bench::processStatusBytes("VmRSS:") - before) / (1 << 20),
                trelvane::bench::processStatusBytes("VmRSS:") / (1 << 20));
    return 0;
}
