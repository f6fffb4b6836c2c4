// SPDX-License-Identifier: MIT
#pragma once

// What the processor offers beyond the x86-64 baseline, asked once: the conversions choose
// their fastest way at run time, with a plain one for any other processor. The environment
// variable TRELVANE_SIMD set to "ssse3" leaves AVX2 aside, set to "none" both; the tests use
// it to check every way on one machine.
namespace trelvane {

// Whether the SSSE3 instructions (byte shuffles) are there.
bool hasSsse3() noexcept;
// Whether the AVX2 instructions (32-byte integer registers) are there.
bool hasAvx2() noexcept;

}  // namespace trelvane
