#include "label_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace trelvane {

LabelButton::LabelButton(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
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

void LabelButton::paintEvent(QPaintEvent* event) {
    if (opaque_) {
        QPainter(this).fillRect(rect(), backColor_);
    }
    QLabel::paintEvent(event);
}

}  // namespace trelvane
