// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

class QWidget;

namespace trelvane {

// The part of a widget that the user can see, in screen coordinates: its rectangle clipped by
// every widget it lies in, up to its window. Empty when it or an ancestor is hidden, or when a
// widget in front of it (a later sibling of it or of an ancestor) covers it whole. Screen
// readers and magnifiers are told this part, so that whatever shows lies inside its window and
// nothing slid out of view or covered is said to show.
QRect seenRect(const QWidget* widget);

}  // namespace trelvane
