// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "code_edit_accessible.h"
#include "label_button_access.h"

namespace trelvane {

namespace {

bool isProgramWindow(const QWidget* widget) {
    return widget->isWindow() &&
           QLatin1String(widget->metaObject()->className()).startsWith(QLatin1String("trelvane::"));
}

// Called for each class of the object, the most derived first.
QAccessibleInterface* programInterface(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String(CodeEdit::staticMetaObject.className())) {
        return new CodeEditAccessible(static_cast<CodeEdit*>(widget));
    }
    if (className == QLatin1String(LabelButton::staticMetaObject.className())) {
        return new LabelButtonAccessible(static_cast<LabelButton*>(widget));
    }
    // The program's windows are plain widgets, which Qt would show as a client area.
    if (className == QLatin1String("QWidget") && isProgramWindow(widget)) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

// Qt installs a factory only once, however often it is given.
void installAccessibleInterfaces() {
    QAccessible::installFactory(programInterface);
}

// QWidget::setAccessibleName tells screen readers itself.
void nameAfterToolTip(QWidget* widget) {
    widget->setAccessibleName(widget->toolTip().trimmed());
}

}  // namespace trelvane
