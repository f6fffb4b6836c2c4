// SPDX-License-Identifier: MIT
#include "character_panel.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "codepage.h"
#include "notations/binary_notation.h"
#include "numeric.h"

namespace trelvane {

namespace {

// The binary box shows a code as eight digits, weighing 128 ... 1.
constexpr std::size_t kBinaryDigits = 8;

double readNumber(char16_t c) {
    return trelvane::readNumber(std::u16string_view(&c, 1));
}

// A code as decimal digits, without sign, blank or leading zeros.
std::u16string decimalText(int code) {
    char digits[16];
    char* end = std::to_chars(std::begin(digits), std::end(digits), code).ptr;
    return std::u16string(std::begin(digits), end);
}

std::u16string characterOf(int code) {
    return std::u16string(1, charOf(static_cast<std::uint8_t>(code)));
}

}  // namespace

// Every key that reaches the character box becomes its one character, control keys included.
void CharacterPanel::txtC_KeyPress(int& KeyAscii) {
    window_.setBoxText(FocusBox::txtC, characterOf(KeyAscii));
    KeyAscii = 0;
}

void CharacterPanel::txtB_KeyPress(int& KeyAscii) {
    const bool digit = std::in_range<std::uint16_t>(KeyAscii) &&
                       BinaryNotation::isDigit(static_cast<char16_t>(KeyAscii));
    if (!digit && KeyAscii != kBackspace) {
        KeyAscii = 0;
    }
}

void CharacterPanel::txtC_Change() {
    if (dispatch_.nFocus() != FocusBox::txtC) {
        return;
    }
    const std::u16string character = window_.boxText(FocusBox::txtC);
    // An emptied box (Delete, Cut) has no code: the panel keeps what it shows.
    if (character.empty()) {
        return;
    }
    window_.setCharacterCaption(character);
    window_.setBoxText(FocusBox::txtA, decimalText(codeOf(character.front())));
    window_.setBoxText(FocusBox::txtB, eightDigits(readNumber(window_.boxText(FocusBox::txtA))));
}

void CharacterPanel::txtB_Change() {
    if (dispatch_.nFocus() != FocusBox::txtB) {
        return;
    }
    // Fewer than eight digits count as if zeros stood in front of them. Each digit is read as
    // a number, so a pasted 2 to 9 counts with its own value and any other character as 0.
    const std::u16string digits = window_.boxText(FocusBox::txtB);
    double sum = 0;
    for (char16_t digit : std::u16string_view(digits).substr(0, kBinaryDigits)) {
        sum = sum * 2 + readNumber(digit);
    }
    // Pasted digits other than 0 and 1 may add up to a value that has no character.
    const std::optional<int> code = roundToCode(sum);
    window_.setBoxBackColor(FocusBox::txtB,
                            code ? dispatch_.vColorFocus() : dispatch_.lColorError());
    if (!code) {
        return;
    }
    window_.setBoxText(FocusBox::txtA, decimalText(*code));
    window_.setCharacterCaption(characterOf(*code));
}

// A decimal code is only checked here; the conversion waits one second for the next key.
void CharacterPanel::txtA_Change() {
    if (dispatch_.nFocus() != FocusBox::txtA) {
        return;
    }
    const bool hasCharacter = roundToCode(readNumber(window_.boxText(FocusBox::txtA))).has_value();
    window_.setBoxBackColor(FocusBox::txtA,
                            hasCharacter ? dispatch_.vColorFocus() : dispatch_.lColorError());
    if (hasCharacter) {
        // Disabling first starts the full second anew from this change.
        window_.setWaitTimerEnabled(false);
        window_.setWaitTimerEnabled(true);
    }
}

// One second after the last valid change of the decimal box. A value without a character
// leaves the timer running, so it tries again a second later.
void CharacterPanel::tmrWait_Timer() {
    const double value = readNumber(window_.boxText(FocusBox::txtA));
    const std::optional<int> code = roundToCode(value);
    if (!code) {
        return;
    }
    // The character is the rounded value's; the digits are those of its whole part.
    window_.setCharacterCaption(characterOf(*code));
    window_.setBoxText(FocusBox::txtB, eightDigits(value));
    window_.setWaitTimerEnabled(false);
}

void CharacterPanel::txtC_GotFocus() {
    boxGotFocus(FocusBox::txtC);
}

void CharacterPanel::txtA_GotFocus() {
    boxGotFocus(FocusBox::txtA);
}

void CharacterPanel::txtB_GotFocus() {
    boxGotFocus(FocusBox::txtB);
}

// The box that gains the focus takes the focus colour, the other two the idle colour; the
// code fields keep theirs.
void CharacterPanel::boxGotFocus(FocusBox box) {
    dispatch_.setNFocus(box);
    for (const FocusBox each : {FocusBox::txtA, FocusBox::txtB, FocusBox::txtC}) {
        window_.setBoxBackColor(each,
                                each == box ? dispatch_.vColorFocus() : dispatch_.vColorIdle());
    }
}

}  // namespace trelvane
