#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>

#include "mode.h"

// What the four notations have in common. Every notation is read as a stream of character
// codes, two nibbles each: text and decimal give one code per character or number, hexadecimal
// one nibble per digit and binary one nibble per four digits. Binary and hexadecimal may end
// on a lone nibble, which only the notations of nibbles (binary, hexadecimal) can show.
//
// Each notation has a Reader, which turns its text into codes chunk by chunk, and a Writer,
// which turns codes into its text. Both work on UTF-16 units (the window) and on bytes (the
// command-line converter, where every notation but text is ASCII).
namespace trelvane {

using Code = std::uint8_t;

template <class Unit>
concept CodeUnit = std::same_as<Unit, char16_t> || std::same_as<Unit, char>;

// The key code of Backspace: every code field takes it, whatever its mode.
inline constexpr int kBackspace = 8;

inline constexpr char16_t kBlank = u' ';

// How many codes a reader hands on at a time: small enough to stay in the first-level cache.
inline constexpr std::size_t kCodeBlock = 2048;

// A unit as a UTF-16 unit: bytes are taken as unsigned.
template <CodeUnit Unit>
constexpr char16_t unitValue(Unit u) {
    if constexpr (std::same_as<Unit, char>) {
        return static_cast<unsigned char>(u);
    } else {
        return u;
    }
}

}  // namespace trelvane
