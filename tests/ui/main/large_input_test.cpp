// SPDX-License-Identifier: MIT
// Large pastes, as a person would make them: megabytes of text or digits pasted into Campo B
// reach Campo A whole and converted, and the window goes on answering keystrokes.
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>
#include <random>

#include "codepage.h"
#include "main_window_fixture.h"
#include "named_conversions.h"

namespace trelvane {
namespace {

constexpr qsizetype kMiB = 1 << 20;

// Text of the code page's printable characters with a line break now and then.
QString someText(qsizetype length) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> code(31, 255);
    QString text(length, QChar());
    for (QChar& c : text) {
        const int n = code(random);
        c = n == 31 ? QChar(u'\n') : QChar(charOf(static_cast<std::uint8_t>(n)));
    }
    return text;
}

QString binaryDigits(qsizetype length) {
    std::mt19937 random(12);
    QString digits(length, QLatin1Char('0'));
    for (QChar& c : digits) {
        if (random() & 1) {
            c = QLatin1Char('1');
        }
    }
    return digits;
}

// Campo B's text as Campo A must show it.
QString converted(const QString& fromB, Mode modeB, Mode modeA) {
    const std::u16string b = fromB.toStdU16String();
    std::u16string a;
    if (modeB == Binario) {
        a = binaryToText(b);
    } else if (modeA == Binario) {
        a = textToBinary(b);
    } else if (modeA == Hexadecimal) {
        a = binaryToHex(textToBinary(b));
    } else {
        a = textToDecimal(b);
    }
    return QString::fromStdU16String(a);
}

struct LargeCase {
    Mode modeA;
    Mode modeB;
    qsizetype length;
};

std::string describe(const LargeCase& c) {
    static constexpr const char* kNames[] = {"Texto", "Binario", "Hexadecimal", "Decimal"};
    return std::string(kNames[c.modeB]) + "To" + kNames[c.modeA] + std::to_string(c.length / kMiB) +
           "MiB";
}

std::string caseName(const ::testing::TestParamInfo<LargeCase>& info) {
    return describe(info.param);
}

void PrintTo(const LargeCase& c, std::ostream* out) {
    *out << describe(c);
}

class LargeInputTest : public MainWindowTest, public ::testing::WithParamInterface<LargeCase> {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The user brings the code panel in with a click on Campo B and picks the modes.
        QTest::mouseClick(w().txtCodeB->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 40));
        runSlide();
        clickButton(w().cmdOpt[GetParam().modeA]);
        clickButton(w().cmdOpt[4 + GetParam().modeB]);
        ASSERT_EQ(w().dispatch.nFocus(), FocusBox::txtCodeB);
    }
};

TEST_P(LargeInputTest, APasteArrivesWholeAndTheWindowAnswersAgain) {
    const LargeCase c = GetParam();
    const QString pasted = c.modeB == Binario ? binaryDigits(c.length) : someText(c.length);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(w().txtCodeB, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();

    ASSERT_EQ(w().dispatch.vModeB(), c.modeB) << "the paste fits the mode";
    ASSERT_EQ(w().txtCodeB->text().size(), pasted.size());
    EXPECT_TRUE(w().txtCodeB->text() == pasted) << "Campo B holds exactly what was pasted";
    const QString expected = converted(pasted, c.modeB, c.modeA);
    ASSERT_EQ(w().txtCodeA->text().size(), expected.size());
    EXPECT_TRUE(w().txtCodeA->text() == expected) << "Campo A holds the whole conversion";

    // One more character at the end converts at once; Backspace takes it back.
    const QChar more = c.modeB == Binario ? QLatin1Char('1') : QLatin1Char('A');
    QTest::keyClick(w().txtCodeB, more.toLatin1());
    QApplication::processEvents();
    EXPECT_TRUE(w().txtCodeA->text() == converted(pasted + more, c.modeB, c.modeA));
    QTest::keyClick(w().txtCodeB, Qt::Key_Backspace);
    QApplication::processEvents();
    EXPECT_TRUE(w().txtCodeB->text() == pasted);
    EXPECT_TRUE(w().txtCodeA->text() == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, LargeInputTest,
    ::testing::Values(LargeCase{Binario, Texto, kMiB}, LargeCase{Hexadecimal, Texto, kMiB},
                      LargeCase{Decimal, Texto, kMiB}, LargeCase{Binario, Texto, 8 * kMiB},
                      LargeCase{Hexadecimal, Texto, 8 * kMiB}, LargeCase{Decimal, Texto, 8 * kMiB},
                      LargeCase{Texto, Binario, 8 * kMiB}),
    caseName);

// The address space this process has mapped now, in bytes.
rlim_t mappedBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmSize:")) {
            return line.mid(7).trimmed().split(' ').value(0).toULong() * 1024;
        }
    }
    return 0;
}

// A paste whose conversion cannot get its memory is refused with a message; both fields keep
// what they held, and the window goes on converting.
TEST_F(MainWindowTest, APasteWithoutMemoryIsRefusedAndNothingIsLost) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves its own address space and aborts instead";
#endif
    QTest::mouseClick(w().txtCodeB->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 40));
    runSlide();
    clickButton(w().cmdOpt[Binario]);  // Campo A shows eight digits per pasted character
    clickButton(w().cmdOpt[4 + Texto]);
    typeText(w().txtCodeB, QStringLiteral("Hola"));
    const QString heldA = w().txtCodeA->text();
    ASSERT_EQ(heldA, QStringLiteral("01001000011011110110110001100001"));

    // 16 Mi characters need 256 MiB of binary digits; the limit leaves far less than that.
    QApplication::clipboard()->setText(QString(16 * kMiB, QLatin1Char('x')));
    SeenBox seen;
    closeNextBox(window.get(), seen);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = mappedBytes() + 160 * kMiB;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    QTest::keyClick(w().txtCodeB, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &old), 0);
    QApplication::processEvents();

    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Trelvane"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_TRUE(seen.text.startsWith(QStringLiteral("No hay memoria suficiente")))
        << seen.text.toStdString();
    EXPECT_EQ(w().txtCodeB->text(), QStringLiteral("Hola"));
    EXPECT_EQ(w().txtCodeA->text(), heldA);
    EXPECT_EQ(w().dispatch.vModeA(), Binario);
    EXPECT_EQ(w().dispatch.vModeB(), Texto);

    typeText(w().txtCodeB, QStringLiteral("!"));
    EXPECT_EQ(w().txtCodeA->text(), heldA + QStringLiteral("00100001"));
}

}  // namespace
}  // namespace trelvane
