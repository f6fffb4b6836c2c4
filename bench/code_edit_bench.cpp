// SPDX-License-Identifier: MIT
// How long the code field takes to show large texts: a program write of a long binary run
// (one paragraph), of a long text with many lines, of texts made only of blanks, of line
// feeds, of one endless word, of emoji or of decimal codes, an identical write, one typed character
// at the end and in the middle of a long text, a program write of a span in the middle of a long
// binary run, and what a caret blink, a repaint and a click cost in a field of blanks.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <random>

#include "code_edit.h"
#include "fonts.h"

namespace {

QString binaryRun(qsizetype length) {
    QString text(length, QLatin1Char('0'));
    for (qsizetype i = 1; i < length; i += 3) {
        text[i] = QLatin1Char('1');
    }
    return text;
}

QString manyLines(qsizetype length) {
    QString text;
    text.reserve(length);
    while (text.size() < length) {
        text +=
            QStringLiteral("Convierte valores y textos de valor decimal, binario y hexadecimal.\n");
    }
    text.truncate(length);
    return text;
}

// Letters without a blank, of different widths.
QString endlessWord(qsizetype length) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> letter('a', 'z');
    QString text(length, Qt::Uninitialized);
    for (QChar& c : text) {
        c = QChar(letter(random));
    }
    return text;
}

// Hexadecimal digits, as Campo A shows a text in Hexadecimal: digits and letters of different
// widths, with no blank.
QString hexDigits(qsizetype length) {
    std::mt19937 random(4);
    std::uniform_int_distribution<int> digit(0, 15);
    QString text(length, Qt::Uninitialized);
    for (QChar& c : text) {
        c = QLatin1Char("0123456789ABCDEF"[digit(random)]);
    }
    return text;
}

// Decimal codes of random characters, as Campo A shows a text in Decimal: numbers of one to
// three digits, a blank after each.
QString decimalCodes(qsizetype length) {
    std::mt19937 random(6);
    std::uniform_int_distribution<int> code(1, 255);
    QString text;
    text.reserve(length + 4);
    while (text.size() < length) {
        text += QString::number(code(random));
        text += QLatin1Char(' ');
    }
    text.truncate(length);
    return text;
}

// Emoji from the first blocks of pictographs, as surrogate pairs.
QString emoji(qsizetype length) {
    std::mt19937 random(3);
    std::uniform_int_distribution<char32_t> pictograph(0x1F300, 0x1F64F);
    QString text;
    text.reserve(length);
    while (text.size() + 2 <= length) {
        const char32_t code = pictograph(random);
        text += QChar(QChar::highSurrogate(code));
        text += QChar(QChar::lowSurrogate(code));
    }
    return text;
}

// A shown field of the size of Campo A.
struct Field {
    Field() {
        edit.resize(313, 97);
        edit.setFont(trelvane::designFont(QStringLiteral("Segoe UI"), 12));
        edit.show();
        QApplication::processEvents();
    }
    trelvane::CodeEdit edit;
};

void writeAndShow(benchmark::State& state, const QString& a, const QString& b) {
    Field field;
    bool flip = false;
    for (auto _ : state) {
        field.edit.setText(flip ? a : b);
        field.edit.moveCaretToEnd();
        field.edit.repaint();
        flip = !flip;
    }
    state.SetBytesProcessed(state.iterations() * a.size() * 2);
    state.counters["lines"] = static_cast<double>(field.edit.lineCount());
}

// Two texts that differ in their first character, so that each write is a change.
void writeTwoOf(benchmark::State& state, QString text) {
    QString other = text;
    other[0] = other[0] == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
    writeAndShow(state, text, other);
}

void BM_WriteBinaryRun(benchmark::State& state) {
    writeTwoOf(state, binaryRun(state.range(0)));
}
BENCHMARK(BM_WriteBinaryRun)
    ->Arg(1 << 16)
    ->Arg(1 << 20)
    ->Arg(64 << 20)
    ->Unit(benchmark::kMillisecond);

void BM_WriteManyLines(benchmark::State& state) {
    writeTwoOf(state, manyLines(state.range(0)));
}
BENCHMARK(BM_WriteManyLines)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteBlanks(benchmark::State& state) {
    writeTwoOf(state, QString(state.range(0), QLatin1Char(' ')));
}
BENCHMARK(BM_WriteBlanks)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteLineFeeds(benchmark::State& state) {
    writeTwoOf(state, QString(state.range(0), QLatin1Char('\n')));
}
BENCHMARK(BM_WriteLineFeeds)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteEndlessWord(benchmark::State& state) {
    writeTwoOf(state, endlessWord(state.range(0)));
}
BENCHMARK(BM_WriteEndlessWord)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteEmoji(benchmark::State& state) {
    writeTwoOf(state, emoji(state.range(0)));
}
BENCHMARK(BM_WriteEmoji)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteDecimalCodes(benchmark::State& state) {
    writeTwoOf(state, decimalCodes(state.range(0)));
}
BENCHMARK(BM_WriteDecimalCodes)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteIdentical(benchmark::State& state) {
    Field field;
    const QString a = binaryRun(1 << 20);
    field.edit.setText(a);
    for (auto _ : state) {
        field.edit.setText(a);
    }
}
BENCHMARK(BM_WriteIdentical)->Unit(benchmark::kMicrosecond);

// One character typed and taken back, at the end or in the middle of a long text.
void typeInto(benchmark::State& state, const QString& text, bool middle) {
    Field field;
    field.edit.setText(text);
    field.edit.setFocus();
    field.edit.setCaretPosition(middle ? text.size() / 2 : text.size());
    for (auto _ : state) {
        QTest::keyClick(&field.edit, Qt::Key_A);
        QTest::keyClick(&field.edit, Qt::Key_Backspace);
    }
}

void BM_TypeAtEndOfLongText(benchmark::State& state) {
    typeInto(state, manyLines(1 << 20), false);
}
BENCHMARK(BM_TypeAtEndOfLongText)->Unit(benchmark::kMicrosecond);

void BM_TypeInMiddleOfLongText(benchmark::State& state) {
    typeInto(state, manyLines(8 << 20), true);
}
BENCHMARK(BM_TypeInMiddleOfLongText)->Unit(benchmark::kMicrosecond);

void BM_TypeInMiddleOfEndlessWord(benchmark::State& state) {
    typeInto(state, endlessWord(8 << 20), true);
}
BENCHMARK(BM_TypeInMiddleOfEndlessWord)->Unit(benchmark::kMicrosecond);

void BM_TypeInMiddleOfHexDigits(benchmark::State& state) {
    typeInto(state, hexDigits(8 << 20), true);
}
BENCHMARK(BM_TypeInMiddleOfHexDigits)->Unit(benchmark::kMicrosecond);

// What the conversion does to Campo A when a character is typed in the middle of Campo B:
// the character's digits put in the middle of a long run of them, and taken out again.
void replaceInMiddle(benchmark::State& state, const QString& text, const QString& byte) {
    Field field;
    field.edit.setText(text);
    const qsizetype middle = text.size() / 2;
    bool inserted = false;
    for (auto _ : state) {
        if (inserted) {
            field.edit.replaceText(middle, byte.size(), {});
        } else {
            field.edit.replaceText(middle, 0, byte);
        }
        field.edit.moveCaretToEnd();
        field.edit.repaint();
        inserted = !inserted;
    }
}

void BM_ReplaceInMiddleOfBinaryRun(benchmark::State& state) {
    replaceInMiddle(state, binaryRun(state.range(0)), QStringLiteral("01000001"));
}
BENCHMARK(BM_ReplaceInMiddleOfBinaryRun)->Arg(64 << 20)->Unit(benchmark::kMillisecond);

void BM_ReplaceInMiddleOfHexDigits(benchmark::State& state) {
    replaceInMiddle(state, hexDigits(state.range(0)), QStringLiteral("4A"));
}
BENCHMARK(BM_ReplaceInMiddleOfHexDigits)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// A field holding only blanks, the caret at its end: a blink repaints the caret, a repaint
// the whole view, a click places the caret.
struct Blanks : Field {
    Blanks() {
        edit.setText(QString(8 << 20, QLatin1Char(' ')));
        edit.setFocus();
        edit.moveCaretToEnd();
        QApplication::processEvents();
    }
};

void BM_BlinkInBlanks(benchmark::State& state) {
    Blanks field;
    const QRect caret = field.edit.viewport()->rect().adjusted(100, 40, -100, -40);
    for (auto _ : state) {
        field.edit.viewport()->repaint(caret);
    }
}
BENCHMARK(BM_BlinkInBlanks)->Unit(benchmark::kMicrosecond);

void BM_RepaintBlanks(benchmark::State& state) {
    Blanks field;
    for (auto _ : state) {
        field.edit.viewport()->repaint();
    }
}
BENCHMARK(BM_RepaintBlanks)->Unit(benchmark::kMicrosecond);

void BM_ClickInBlanks(benchmark::State& state) {
    Blanks field;
    for (auto _ : state) {
        QTest::mouseClick(field.edit.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 30));
    }
}
BENCHMARK(BM_ClickInBlanks)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    trelvane::registerFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
