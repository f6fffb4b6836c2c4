// SPDX-License-Identifier: MIT
// What a large result costs to write into fresh storage, and what the ways of making that
// cheaper cost in memory. Each run converts text to binary into a new block of the output's
// size and frees it, as the window does for a whole conversion, a few times over:
//
//   plain    malloc as it comes: a block this large is a new mapping that faults in page
//            by page, 4 KiB at a time, and is given back when freed;
//   huge     the same block with huge pages advised (what the window does): it faults in
//            2 MiB at a time;
//   heap     mmap and trim thresholds raised with mallopt, so that blocks up to 32 MiB come
//            from the heap and stay there when freed: later blocks do not fault at all, but
//            the memory is not given back.
//
//   large_block_bench plain|huge|heap [MiB of output] [runs]
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "codepage.h"
#include "conversion.h"
#include "large_block.h"
#include "process_status.h"

namespace {

double statusMiB(const char* field) {
    return trelvane::bench::processStatusBytes(field) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string way = argc > 1 ? argv[1] : "plain";
    const std::size_t outputBytes = (argc > 2 ? std::stoul(argv[2]) : 128) << 20;
    const int runs = argc > 3 ? std::stoi(argv[3]) : 5;
    if (way == "heap") {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest glibc takes
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    std::u16string text(outputBytes / 16, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = trelvane::charOf(static_cast<std::uint8_t>(i * 7 + 1));
    }
    const trelvane::SourceSpan span{text};
    const std::size_t length = trelvane::convertedLength(trelvane::Texto, trelvane::Binario, span);
    const double base = statusMiB("VmRSS:");
    std::printf("%s, %zu MiB output\n", way.c_str(), outputBytes >> 20);
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        {
            std::unique_ptr<char16_t[]> out(new char16_t[length]);
            if (way == "huge") {
                trelvane::adviseLargeBlock(out.get(), length * sizeof(char16_t));
            }
            trelvane::convertInto(trelvane::Texto, trelvane::Binario, span, {}, out.get(), length);
            std::printf(
                "  run %d: %6.1f ms, %6.1f MiB resident while held", run,
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count(),
                statusMiB("VmRSS:") - base);
        }
        std::printf(", %6.1f MiB after it is freed\n", statusMiB("VmRSS:") - base);
    }
    return 0;
}
