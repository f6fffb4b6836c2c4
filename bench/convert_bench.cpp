// SPDX-License-Identifier: MIT
// The command-line converter's reading of UTF-8 text, 32 MiB at a time: random bytes (mostly
// invalid UTF-8, each invalid part read as U+FFFD), Spanish text, and the same random bytes
// read as Windows-1252 for comparison. Codes only: what the notation then writes is measured
// in notation_bench.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "notations/code_units.h"
#include "notations/notations.h"
#include "utf8_text.h"

namespace {

constexpr std::size_t kSize = std::size_t{32} << 20;

std::string randomBytes() {
    std::mt19937 random(7);
    std::string bytes(kSize, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

std::string spanishText() {
    const std::string sentence = "El pingüino comió ñoquis en la cañada, ¡qué maravilla! — dijo él. ";
    std::string text;
    while (text.size() + sentence.size() <= kSize) {
        text += sentence;
    }
    return text;
}

// Reads the whole input as codes, a block at a time, as the converter does.
template <class Reader>
void readAll(benchmark::State& state, const std::string& input) {
    trelvane::Code block[trelvane::kCodeBlock];
    for (auto _ : state) {
        Reader reader;
        const char* in = input.data();
        const char* const end = in + input.size();
        while (in != end) {
            benchmark::DoNotOptimize(reader.read(in, end, block, trelvane::kCodeBlock));
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void Utf8RandomBytes(benchmark::State& state) {
    static const std::string input = randomBytes();
    readAll<trelvane::utf8::Reader>(state, input);
}
BENCHMARK(Utf8RandomBytes)->Unit(benchmark::kMillisecond);

void Utf8SpanishText(benchmark::State& state) {
    static const std::string input = spanishText();
    readAll<trelvane::utf8::Reader>(state, input);
}
BENCHMARK(Utf8SpanishText)->Unit(benchmark::kMillisecond);

void Windows1252RandomBytes(benchmark::State& state) {
    static const std::string input = randomBytes();
    readAll<trelvane::TextNotation::Reader<char>>(state, input);
}
BENCHMARK(Windows1252RandomBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
