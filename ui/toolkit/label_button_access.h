// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <QKeySequence>

#include "label_button.h"

namespace trelvane {

// Gives a label-button a key of its own window: pressing it runs what a click runs
// (LabelButton::animateClick). Like a click, the key does nothing while the button is hidden.
// Held down, it presses once.
void setPressKey(LabelButton* button, const QKeySequence& key);

// A label-button as screen readers see it: a push button or a radio button with a press
// action that runs what a click runs, or a plain label. Its name is its accessible name if it
// has one, else the words of its tool tip, else its caption; its key, if it has one, is told
// with the press action.
class LabelButtonAccessible : public QAccessibleWidget {
  public:
    explicit LabelButtonAccessible(LabelButton* button);

    QAccessible::Role role() const override;
    QRect rect() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;
    QString localizedActionName(const QString& actionName) const override;
    QString localizedActionDescription(const QString& actionName) const override;

  private:
    LabelButton* button() const;
    bool canBePressed() const;
};

}  // namespace trelvane
