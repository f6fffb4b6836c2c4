// SPDX-License-Identifier: MIT
#pragma once

#include <QVariant>
#include <QWidget>

namespace trelvane {

// Whether a focus-in event of a box brings the focus to it, as opposed to handing it back: the
// window becoming active again, or a popup menu closing, returns the focus to the box that had
// it, and that is no arrival. The box that last had the focus is remembered by its window.
inline bool isFocusArrival(QWidget* box, Qt::FocusReason reason) {
    static constexpr char kLastBox[] = "trelvaneLastFocusBox";
    QWidget* window = box->window();
    const auto* last = window->property(kLastBox).value<QObject*>();
    window->setProperty(kLastBox, QVariant::fromValue<QObject*>(box));
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return last != box;
    }
    return true;
}

}  // namespace trelvane
