// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

#include "notations/code_units.h"

namespace trelvane::detail {

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

}  // namespace trelvane::detail
