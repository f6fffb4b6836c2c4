// SPDX-License-Identifier: MIT
#include "label_button_access.h"

#include <QShortcut>

#include "seen_rect.h"

namespace trelvane {

void setPressKey(LabelButton* button, const QKeySequence& key) {
    auto* shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    QObject::connect(shortcut, &QShortcut::activated, button, &LabelButton::animateClick);
}

LabelButtonAccessible::LabelButtonAccessible(LabelButton* button)
    : QAccessibleWidget(button, button->accessibleRole()) {}

LabelButton* LabelButtonAccessible::button() const {
    return static_cast<LabelButton*>(widget());
}

QAccessible::Role LabelButtonAccessible::role() const {
    return button()->accessibleRole();
}

// Where the button is seen; one out of view or covered is not showing.
QRect LabelButtonAccessible::rect() const {
    return seenRect(button());
}

QAccessible::State LabelButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = rect().isEmpty();
    if (role() == QAccessible::RadioButton) {
        state.checkable = true;
        state.checked = button()->isChecked();
    }
    return state;
}

QString LabelButtonAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name:
            // Named by its window (nameAfterToolTip), else by its caption.
            if (!button()->accessibleName().isEmpty()) {
                return button()->accessibleName();
            }
            return button()->text();
        case QAccessible::Description:
            // The tool tip is the name already; a plain label tells what it shows.
            if (button()->accessibleDescription().isEmpty() && role() == QAccessible::StaticText) {
                return button()->text();
            }
            return button()->accessibleDescription();
        default:
            return QAccessibleWidget::text(t);
    }
}

// A hidden button cannot be clicked, so it cannot be pressed either.
bool LabelButtonAccessible::canBePressed() const {
    return role() != QAccessible::StaticText && button()->isVisible() && button()->isEnabled();
}

QStringList LabelButtonAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (canBePressed()) {
        names.prepend(pressAction());
    }
    return names;
}

void LabelButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (canBePressed()) {
            button()->animateClick();
        }
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

// The key that presses the button (setPressKey).
QStringList LabelButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    QStringList keys;
    if (actionName == pressAction()) {
        for (const QShortcut* shortcut :
             button()->findChildren<QShortcut*>(QString(), Qt::FindDirectChildrenOnly)) {
            keys << shortcut->key().toString(QKeySequence::NativeText);
        }
    }
    return keys;
}

QString LabelButtonAccessible::localizedActionName(const QString& actionName) const {
    if (actionName == pressAction()) {
        return QStringLiteral("Pulsar");
    }
    return QAccessibleWidget::localizedActionName(actionName);
}

QString LabelButtonAccessible::localizedActionDescription(const QString& actionName) const {
    if (actionName == pressAction()) {
        return role() == QAccessible::RadioButton ? QStringLiteral("Elige este modo")
                                                  : QStringLiteral("Pulsa el botón");
    }
    return QAccessibleWidget::localizedActionDescription(actionName);
}

}  // namespace trelvane
