// trelvane-convert FROM TO: converts standard input to standard output through the same
// chain the code panel runs when Campo A (in FROM) is edited and Campo B shows TO.
// Text is read and written as Windows-1252 bytes, the other notations as ASCII.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "codepage.h"
#include "memory_window.h"

namespace {

std::optional<trelvane::Mode> modeNamed(const char* name) {
    static constexpr struct {
        const char* name;
        trelvane::Mode mode;
    } kModes[] = {{"texto", trelvane::Texto},
                  {"binario", trelvane::Binario},
                  {"hexadecimal", trelvane::Hexadecimal},
                  {"decimal", trelvane::Decimal}};
    for (const auto& m : kModes) {
        if (std::strcmp(name, m.name) == 0) {
            return m.mode;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const auto from = argc == 3 ? modeNamed(argv[1]) : std::nullopt;
    const auto to = argc == 3 ? modeNamed(argv[2]) : std::nullopt;
    if (!from || !to) {
        std::fprintf(stderr,
                     "usage: %s FROM TO   (each one of texto, binario, hexadecimal, decimal)\n",
                     argc > 0 ? argv[0] : "trelvane-convert");
        return 2;
    }
    std::ios::sync_with_stdio(false);
    const std::string input{std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>()};

    trelvane::MemoryWindow window;
    window.dispatch.setMode(trelvane::CodeField::A, *from);
    window.dispatch.setMode(trelvane::CodeField::B, *to);
    window.focus(trelvane::CodeField::A);
    window.setCodeText(trelvane::CodeField::A, trelvane::decodeCodePage(input));

    const std::string output = trelvane::encodeCodePage(window.codeText(trelvane::CodeField::B));
    std::fwrite(output.data(), 1, output.size(), stdout);
    // Bad binary or hexadecimal input converts nothing; say so on the exit status.
    return window.dispatch.vBinBad() ? 1 : 0;
}
