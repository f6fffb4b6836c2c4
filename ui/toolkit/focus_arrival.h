#pragma once

#include <Qt>

namespace trelvane {

// Whether a focus-in event means that the box has just gained the focus inside the window.
// The window becoming active again, or a popup menu closing, hands the focus back to the box
// that already had it: that is not a new arrival.
inline bool isFocusArrival(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace trelvane
