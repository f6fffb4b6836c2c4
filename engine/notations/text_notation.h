// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

#include "codepage.h"
#include "notations/code_units.h"
#include "notations/notation_contract.h"

namespace trelvane {

// Texto: the characters themselves, one code each. A UTF-16 unit has its code in the code
// page ("?" when it has none); a byte is taken as a Windows-1252 byte, its own code.
struct TextNotation {
    static constexpr Mode kMode = Texto;

    // Texto holds every character and takes every key; nothing is filtered or validated.
    static constexpr bool fits(char16_t) { return true; }
    static constexpr bool takesKey(int) { return true; }
    static constexpr bool kRemovesBlanks = false;

    // Half a code shows as nothing.
    static constexpr std::size_t kNibblesPerPiece = 2;
    static constexpr std::size_t nibbles(std::size_t length) { return 2 * length; }
    static constexpr std::size_t units(std::size_t nibbles) { return nibbles / 2; }

    template <CodeUnit Unit>
    static std::size_t fittingPrefix(const Unit*, std::size_t n) {
        return n;
    }
    template <CodeUnit Unit>
    static std::size_t validPrefix(const Unit*, std::size_t n) {
        return n;
    }

    template <CodeUnit Unit>
    static Code codeOfUnit(Unit u) {
        if constexpr (std::same_as<Unit, char>) {
            return static_cast<Code>(u);
        } else {
            return codeOf(u);
        }
    }

    template <CodeUnit Unit>
    class Reader {
      public:
        std::size_t read(const Unit*& in, const Unit* end, Code* codes, std::size_t room) {
            const std::size_t count = std::min(room, static_cast<std::size_t>(end - in));
            std::size_t i = 0;
            if constexpr (std::same_as<Unit, char16_t> &&
                          std::endian::native == std::endian::little) {
                // Eight codes looked up, then stored at once: one store rather than eight.
                for (; i + 8 <= count; i += 8) {
                    std::uint64_t eight = 0;
                    for (unsigned k = 0; k < 8; ++k) {
                        eight |= std::uint64_t{codeOfUnit(in[i + k])} << (8 * k);
                    }
                    std::memcpy(codes + i, &eight, sizeof eight);
                }
            }
            for (; i < count; ++i) {
                codes[i] = codeOfUnit(in[i]);
            }
            in += count;
            return count;
        }
        ReaderTail finish() { return {}; }

        // Every text is read the same way.
        explicit Reader(ReadOptions = {}) {}
    };

    template <CodeUnit Unit>
    class Writer {
      public:
        Unit* write(const Code* codes, std::size_t count, Unit* out) {
            if constexpr (std::same_as<Unit, char>) {
                std::copy_n(codes, count, reinterpret_cast<Code*>(out));
            } else {
                charsOfCodes(codes, count, out);
            }
            return out + count;
        }
        // Half a code shows as nothing.
        Unit* writeNibble(Code, Unit* out) { return out; }
        Unit* finish(Unit* out) { return out; }

        // A code is one character, wherever the writer starts.
        explicit Writer(WriteOptions<Unit> = {}) {}
    };
};

static_assert(Notation<TextNotation>);

}  // namespace trelvane
