// SPDX-License-Identifier: MIT
#include "seen_rect.h"

#include <QWidget>

namespace trelvane {

namespace {

// A visible widget after this one in its parent's stacking order that covers it whole. Shapes
// that let the mouse through are drawn over their buttons, not in front of them.
bool coveredInParent(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (parent == nullptr) {
        return false;
    }
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
        const auto* sibling = qobject_cast<const QWidget*>(siblings.at(i));
        if (sibling != nullptr && !sibling->isWindow() && sibling->isVisible() &&
            !sibling->testAttribute(Qt::WA_TransparentForMouseEvents) &&
            sibling->geometry().contains(widget->geometry())) {
            return true;
        }
    }
    return false;
}

}  // namespace

QRect seenRect(const QWidget* widget) {
    if (widget == nullptr || !widget->isVisible()) {
        return QRect();
    }
    QRect seen(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        if (coveredInParent(w)) {
            return QRect();
        }
        const QWidget* parent = w->parentWidget();
        seen &= QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size());
    }
    return seen;
}

}  // namespace trelvane
