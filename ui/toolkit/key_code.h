// SPDX-License-Identifier: MIT
#pragma once

class QKeyEvent;

namespace trelvane {

// The character code a key press types, as the key handlers see it: 8 for Backspace, 13 for
// Enter, the Windows-1252 code of a printable character. -1 for keys that type no character
// (arrows, Delete, shortcuts with Ctrl or Alt, ...), which the handlers let through untouched.
int keyPressCode(const QKeyEvent& event);

// The control character a key gives where every key counts as a character: 27 for Escape, 1
// to 26 for Ctrl+A to Ctrl+Z (with or without Shift). -1 for any other key.
int controlKeyCode(const QKeyEvent& event);

}  // namespace trelvane
