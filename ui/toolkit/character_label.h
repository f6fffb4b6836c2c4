// SPDX-License-Identifier: MIT
#pragma once

#include "label_button.h"

namespace trelvane {

// A label-button that shows one character. A code that Windows-1252 leaves undefined, which
// no font draws, shows as its hexadecimal code in a small box; the caption keeps the
// character itself.
class CharacterLabel : public LabelButton {
    Q_OBJECT
  public:
    using LabelButton::LabelButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace trelvane
