// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

#include "frm_inicio.h"

namespace trelvane {

// The one way tests reach the splash's controls and state, which the window keeps private
// (FrmInicio names this class its friend). Every member is a reference to the window's member
// of the same name and every method calls the window's own. What any QWidget offers is asked
// of `window` itself. A test that needs a member not listed here adds it here.
class SplashProbe {
  public:
    explicit SplashProbe(FrmInicio& window)
        : window(window),
          endProgram(window.endProgram),
          lblMarca(window.lblMarca),
          lblName(window.lblName),
          lblEsc(window.lblEsc),
          lnGo(window.lnGo),
          Timer1(window.Timer1),
          nTick(window.nTick) {}

    FrmInicio& window;

    // What the "x" does; a test replaces it to keep the program running.
    std::function<void()>& endProgram;

    QLabel* const& lblMarca;
    QLabel* const& lblName;
    LabelButton* const& lblEsc;
    const FrmInicio::Line& lnGo;
    QTimer* const& Timer1;
    const std::int16_t& nTick;

    void Timer1_Timer() { window.Timer1_Timer(); }
};

}  // namespace trelvane
