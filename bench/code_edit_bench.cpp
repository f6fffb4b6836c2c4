// How long the code field takes to show large texts: a program write of a long binary run
// (one line), of a long text with many lines, an identical write, and one typed character
// at the end of a long text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

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
}

void BM_WriteBinaryRun(benchmark::State& state) {
    const QString a = binaryRun(state.range(0));
    QString b = a;
    b[0] = QLatin1Char('1');
    writeAndShow(state, a, b);
}
BENCHMARK(BM_WriteBinaryRun)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteManyLines(benchmark::State& state) {
    const QString a = manyLines(state.range(0));
    QString b = a;
    b[0] = QLatin1Char('c');
    writeAndShow(state, a, b);
}
BENCHMARK(BM_WriteManyLines)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_WriteIdentical(benchmark::State& state) {
    Field field;
    const QString a = binaryRun(1 << 20);
    field.edit.setText(a);
    for (auto _ : state) {
        field.edit.setText(a);
    }
}
BENCHMARK(BM_WriteIdentical)->Unit(benchmark::kMicrosecond);

void BM_TypeAtEndOfLongText(benchmark::State& state) {
    Field field;
    field.edit.setText(manyLines(1 << 20));
    field.edit.moveCaretToEnd();
    field.edit.setFocus();
    for (auto _ : state) {
        QTest::keyClick(&field.edit, Qt::Key_A);
        QTest::keyClick(&field.edit, Qt::Key_Backspace);
    }
}
BENCHMARK(BM_TypeAtEndOfLongText)->Unit(benchmark::kMicrosecond);

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
