// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

#include "notations/code_units.h"

namespace trelvane::detail {

// The room for codes a block of the reader needs.
inline constexpr std::size_t kDecimalBlockRoom = 32;

// Reads decimal numbers thirty-two units at a time, from the start of a number with nothing
// pending, while the units are numbers of up to three digits and the blanks that end them
// (not trailing blanks). Writes their codes from codes[n] on (up to sixteen bytes may be stored
// past the last one, within `room`) and returns where the first number it left unread starts: `p`
// itself when the processor lacks the instructions or the first block holds anything else (a
// longer number, a character that is no digit), which the general way reads.
const char16_t* readDecimalBlocks(const char16_t* p, const char16_t* end, Code* codes,
                                  std::size_t& n, std::size_t room);
const char* readDecimalBlocks(const char* p, const char* end, Code* codes, std::size_t& n,
                              std::size_t room);

// Writes the numbers of codes[i] on, each after a blank, sixteen at a time while sixteen
// remain and 64 units of room remain before `limit` (none: room enough). A block may store up
// to sixteen units past the end of its last number. Returns where the output ends; `i` tells
// how many codes are written. Writes nothing when the processor lacks the instructions.
char16_t* writeDecimalBlocks(const Code* codes, std::size_t count, std::size_t& i, char16_t* out,
                             const char16_t* limit);
char* writeDecimalBlocks(const Code* codes, std::size_t count, std::size_t& i, char* out,
                         const char* limit);

}  // namespace trelvane::detail
