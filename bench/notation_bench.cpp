// Throughput of every pure conversion at 1 KiB, 1 MiB and 16 MiB of input, beside a plain
// memcpy of the same output size as the ceiling.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "codepage.h"
#include "grouping.h"
#include "notation.h"
#include "notations.h"

namespace {

using trelvane::charOf;

constexpr std::int64_t kKiB = 1024;
constexpr std::int64_t kMiB = 1024 * kKiB;

std::u16string randomText(std::size_t length) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> code(0, 255);
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

using Clock = std::chrono::steady_clock;

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
// copy_share, a copy of the larger of input and output into a fresh string.
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

#define TRELVANE_CONVERSION(name, notation, function)                                        \
    void BM_##name(benchmark::State& state) {                                                \
        runConversion(state, notation, [](std::u16string_view in) { return function(in); }); \
    }                                                                                        \
    BENCHMARK(BM_##name)->Arg(kKiB / 2)->Arg(kMiB / 2)->Arg(8 * kMiB)->Unit(benchmark::kMicrosecond)

TRELVANE_CONVERSION(TextToBinary, "text", trelvane::textToBinary);
TRELVANE_CONVERSION(BinaryToText, "binary", trelvane::binaryToText);
TRELVANE_CONVERSION(BinaryToHex, "binary", trelvane::binaryToHex);
TRELVANE_CONVERSION(HexToBinary, "hex", trelvane::hexToBinary);
TRELVANE_CONVERSION(BinaryToDecimal, "binary", trelvane::binaryToDecimal);
TRELVANE_CONVERSION(TextToDecimal, "text", trelvane::textToDecimal);
TRELVANE_CONVERSION(DecimalToText, "decimal", trelvane::decimalToText);
TRELVANE_CONVERSION(RemoveBlanks, "decimal", trelvane::removeBlanks);
TRELVANE_CONVERSION(GroupBytes, "binary", trelvane::groupBytes);
TRELVANE_CONVERSION(EncodeCodePage, "text", [](std::u16string_view in) {
    const std::string bytes = trelvane::encodeCodePage(in);
    return std::u16string(bytes.size() / 2, u'x');
});

BENCHMARK(BM_Memcpy)->Arg(kKiB / 2)->Arg(kMiB / 2)->Arg(8 * kMiB)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
