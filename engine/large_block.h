// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

// Large texts are written once, right after their storage is allocated. A fresh block of
// memory faults in page by page as it is first written: a text of eight million digits pays
// for some four thousand faults of 4 KiB. Backed by huge pages it faults once per 2 MiB.
namespace trelvane {

// Blocks from this size on are worth the advice.
inline constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

// Asks the system to back the whole 2 MiB pages inside a large block with huge pages before
// the block is first written. Nothing for small blocks, or where the system has no such pages
// (the advice is only advice: the block works either way).
void adviseLargeBlock(void* data, std::size_t bytes) noexcept;

}  // namespace trelvane
