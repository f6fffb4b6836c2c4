// SPDX-License-Identifier: MIT
#include "label_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace trelvane {

namespace {

// As long as a button pressed by a key or a screen reader shows its pressed look.
constexpr int kAnimatedPressMs = 100;

}  // namespace

LabelButton::LabelButton(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
    clickRelease_.setSingleShot(true);
    clickRelease_.setInterval(kAnimatedPressMs);
    connect(&clickRelease_, &QTimer::timeout, this, [this] {
        emit mouseUp();
        emit clicked();
    });
}

void LabelButton::setBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

void LabelButton::setOpaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void LabelButton::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    emit mouseDown();
    event->accept();
}

void LabelButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    emit mouseUp();
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    event->accept();
}

// A double click acts as one click. Qt delivers its second press as this event, which QWidget
// would turn into a press; dropped here, it raises no mouseDown, and the release that follows
// no click.
void LabelButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void LabelButton::animateClick() {
    if (clickRelease_.isActive()) {
        clickRelease_.stop();
        emit mouseUp();
        emit clicked();
    }
    emit mouseDown();
    clickRelease_.start();
}

void LabelButton::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void LabelButton::paintEvent(QPaintEvent* event) {
    if (opaque_) {
        QPainter(this).fillRect(rect(), backColor_);
    }
    QLabel::paintEvent(event);
}

}  // namespace trelvane
