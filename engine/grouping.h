// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Showing a binary text split into bytes.
namespace trelvane {

// At least two bytes' worth of characters (16), every one of them "0" or "1".
bool isGroupable(std::u16string_view text);

// The text with one blank after every eighth character, except after the last one.
std::u16string groupBytes(std::u16string_view text);

}  // namespace trelvane
