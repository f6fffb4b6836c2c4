// SPDX-License-Identifier: MIT
#pragma once

// What the processor offers beyond the x86-64 baseline, asked once: the conversions choose
// their fastest way at run time, with a plain one for any other processor.
namespace trelvane {

// Whether the SSSE3 instructions (byte shuffles) are there.
bool hasSsse3() noexcept;

}  // namespace trelvane
