// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "code_dispatch.h"
#include "mode.h"

namespace trelvane {

// What the character panel's procedures need from the main window: its three boxes, txtC (the
// character), txtA (decimal) and txtB (binary), the character's face lblC and the timer
// tmrWait. The Qt window implements it with real widgets; the tests implement it in memory.
//
// A write that makes a box's text differ raises that box's change handling before it returns;
// an identical text raises none.
class CharacterWindow {
  public:
    virtual ~CharacterWindow() = default;

    // The text a box holds now: box is FocusBox::txtC, txtA or txtB.
    virtual std::u16string boxText(FocusBox box) const = 0;
    virtual void setBoxText(FocusBox box, std::u16string_view text) = 0;

    // The caption of lblC, the visible face of the character box.
    virtual void setCharacterCaption(std::u16string_view text) = 0;

    // The background of txtA or txtB; for txtC, that of its face lblC, since txtC itself is
    // never seen.
    virtual void setBoxBackColor(FocusBox box, Color color) = 0;

    // Enables or disables tmrWait. Enabling a running timer keeps its count; disabling and
    // enabling again starts the full second anew. Its tick calls CharacterPanel::tmrWait_Timer.
    virtual void setWaitTimerEnabled(bool enabled) = 0;
};

}  // namespace trelvane
