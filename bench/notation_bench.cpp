// SPDX-License-Identifier: MIT
// Throughput of every pure conversion at 1 KiB, 1 MiB and 16 MiB of input (up to 8 Mi
// characters), beside a plain memcpy of the same output size as the ceiling.
//
// Each conversion runs three ways: returning a fresh string (as the named functions do),
// writing into storage allocated for it with huge pages advised (as the window's whole writes
// do), and writing into storage that is reused (the conversion alone, as a span write or the
// command-line converter pays it).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "codepage.h"
#include "conversion.h"
#include "grouping.h"
#include "large_block.h"
#include "named_conversions.h"
#include "notations/notations.h"

namespace {

using trelvane::charOf;

constexpr std::int64_t kKiB = 1024;
constexpr std::int64_t kMiB = 1024 * kKiB;

std::u16string randomText(std::size_t length) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> code(0, 255);  // every code
    std::u16string text(length, u'\0');
    for (char16_t& c : text) {
        c = charOf(static_cast<std::uint8_t>(code(random)));
    }
    return text;
}

// Inputs of the requested size in UTF-16 units, in the notation each conversion reads.
std::u16string inputFor(const std::string& notation, std::size_t units) {
    const std::u16string text = randomText(units);
    if (notation == "text") {
        return text;
    }
    if (notation == "binary") {
        return trelvane::textToBinary(text).substr(0, units);
    }
    if (notation == "hex") {
        return trelvane::binaryToHex(trelvane::textToBinary(text)).substr(0, units);
    }
    // decimal: whole pieces only
    std::u16string decimal = trelvane::textToDecimal(text).substr(0, units);
    while (!decimal.empty() && decimal.back() != u' ') {
        decimal.pop_back();
    }
    return decimal;
}

// The time the thread itself runs: on a shared machine the wall clock also counts the time
// other programs take.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(duration(std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec));
    }
};

// The fastest of a few memcpy runs of this many bytes between warm buffers.
double memcpySeconds(std::size_t bytes) {
    std::vector<char> from(bytes, 'x');
    std::vector<char> to(bytes, 'y');
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// The fastest of a few copies of a text into a new string: what any function that returns a
// fresh string of this size pays at least (allocation and first touch of the pages included).
double freshCopySeconds(std::size_t units) {
    const std::u16string from(units, u'x');
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        std::u16string to(from);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// Reports input bytes per second and, as shares of the conversion's own time (1 would be as
// fast as the ceiling): memcpy_share, a memcpy of the output's size between warm buffers;
// io_share, a memcpy of the larger of input and output; copy_share, a copy of the larger of
// input and output into a fresh string.
void runConversion(benchmark::State& state, const std::string& notation,
                   const std::function<std::u16string(std::u16string_view)>& convert) {
    const std::u16string input = inputFor(notation, static_cast<std::size_t>(state.range(0)));
    std::size_t outputUnits = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::u16string output = convert(input);
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        outputUnits = output.size();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size() * 2));
    state.counters["out_bytes"] = static_cast<double>(outputUnits * 2);
    const double perRun = seconds / static_cast<double>(state.iterations());
    state.counters["memcpy_share"] = memcpySeconds(outputUnits * 2) / perRun;
    state.counters["copy_share"] = freshCopySeconds(std::max(outputUnits, input.size())) / perRun;
    // As the conversions into storage: against a memcpy of the larger of input and output.
    state.counters["io_share"] = memcpySeconds(std::max(outputUnits, input.size()) * 2) / perRun;
}

// The ceiling: copying as many bytes as the largest conversion output (text to binary: 8 units
// per unit read) with memcpy, reported per input byte like the conversions.
void BM_Memcpy(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * 2;
    std::vector<char> from(bytes, 'x');
    std::vector<char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

// The conversion writing into storage of exactly its length: reused from run to run, or
// allocated for each run with huge pages advised.
void runInto(benchmark::State& state, const std::string& notation, trelvane::Mode from,
             trelvane::Mode to, bool reused) {
    const std::u16string input = inputFor(notation, static_cast<std::size_t>(state.range(0)));
    const trelvane::SourceSpan span{input};
    const std::size_t length = trelvane::convertedLength(from, to, span);
    std::vector<char16_t> kept(reused ? length : 0, u'x');  // written once: no faults later
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        char16_t* out = kept.data();
        std::unique_ptr<char16_t[]> fresh;
        if (!reused) {
            fresh.reset(new char16_t[length]);
            trelvane::adviseLargeBlock(fresh.get(), length * sizeof(char16_t));
            out = fresh.get();
        }
        trelvane::convertInto(from, to, span, {}, out, length);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size() * 2));
    state.counters["out_bytes"] = static_cast<double>(length * 2);
    const double perRun = seconds / static_cast<double>(state.iterations());
    state.counters["memcpy_share"] = memcpySeconds(length * 2) / perRun;
    // A conversion that shrinks its input must read it all: against a memcpy of the larger
    // of input and output.
    state.counters["io_share"] = memcpySeconds(std::max(length, input.size()) * 2) / perRun;
}

#define TRELVANE_CONVERSION(name, notation, function)                                        \
    void BM_##name(benchmark::State& state) {                                                \
        runConversion(state, notation, [](std::u16string_view in) { return function(in); }); \
    }                                                                                        \
    BENCHMARK(BM_##name)->Arg(kKiB / 2)->Arg(kMiB / 2)->Arg(8 * kMiB)->Unit(benchmark::kMicrosecond)

#define TRELVANE_CONVERSION_INTO(name, notation, from, to)                             \
    TRELVANE_CONVERSION(name, notation, [](std::u16string_view in) {                   \
        return trelvane::convert(trelvane::from, trelvane::to, in);                    \
    });                                                                                \
    void BM_##name##IntoHugePages(benchmark::State& state) {                           \
        runInto(state, notation, trelvane::from, trelvane::to, false);                 \
    }                                                                                  \
    BENCHMARK(BM_##name##IntoHugePages)->Arg(8 * kMiB)->Unit(benchmark::kMicrosecond); \
    void BM_##name##IntoReused(benchmark::State& state) {                              \
        runInto(state, notation, trelvane::from, trelvane::to, true);                  \
    }                                                                                  \
    BENCHMARK(BM_##name##IntoReused)->Arg(kMiB / 2)->Arg(8 * kMiB)->Unit(benchmark::kMicrosecond)

TRELVANE_CONVERSION_INTO(TextToBinary, "text", Texto, Binario);
TRELVANE_CONVERSION_INTO(TextToHex, "text", Texto, Hexadecimal);
TRELVANE_CONVERSION_INTO(TextToDecimal, "text", Texto, Decimal);
TRELVANE_CONVERSION_INTO(BinaryToText, "binary", Binario, Texto);
TRELVANE_CONVERSION_INTO(BinaryToHex, "binary", Binario, Hexadecimal);
TRELVANE_CONVERSION_INTO(BinaryToDecimal, "binary", Binario, Decimal);
TRELVANE_CONVERSION_INTO(HexToText, "hex", Hexadecimal, Texto);
TRELVANE_CONVERSION_INTO(HexToBinary, "hex", Hexadecimal, Binario);
TRELVANE_CONVERSION_INTO(HexToDecimal, "hex", Hexadecimal, Decimal);
TRELVANE_CONVERSION_INTO(DecimalToText, "decimal", Decimal, Texto);
TRELVANE_CONVERSION_INTO(DecimalToBinary, "decimal", Decimal, Binario);
TRELVANE_CONVERSION_INTO(DecimalToHex, "decimal", Decimal, Hexadecimal);
TRELVANE_CONVERSION(RemoveBlanks, "decimal", trelvane::removeBlanks);
TRELVANE_CONVERSION(GroupBytes, "binary", trelvane::groupBytes);
TRELVANE_CONVERSION(EncodeCodePage, "text", [](std::u16string_view in) {
    const std::string bytes = trelvane::encodeCodePage(in);
    return std::u16string(bytes.size() / 2, u'x');
});

BENCHMARK(BM_Memcpy)->Arg(kKiB / 2)->Arg(kMiB / 2)->Arg(8 * kMiB)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
