// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>
#include <QWidget>

#include "code_edit_accessible.h"
#include "entry_box_accessible.h"
#include "label_button_access.h"
#include "seen_rect.h"

namespace trelvane {

namespace {

// A plain widget (a frame, a shape, a viewport) told where it is seen.
class PlainWidgetAccessible : public QAccessibleWidget {
  public:
    explicit PlainWidgetAccessible(QWidget* widget) : QAccessibleWidget(widget) {}
    QRect rect() const override { return seenRect(widget()); }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = rect().isEmpty();
        return state;
    }
};

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
    if (className == QLatin1String(EntryBox::staticMetaObject.className())) {
        return new EntryBoxAccessible(static_cast<EntryBox*>(widget));
    }
    if (className == QLatin1String("QWidget")) {
        // The program's windows are plain widgets, which Qt would show as a client area.
        if (isProgramWindow(widget)) {
            return new QAccessibleWidget(widget, QAccessible::Window);
        }
        if (!widget->isWindow()) {
            return new PlainWidgetAccessible(widget);
        }
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

namespace {

// Qt 6.4's AT-SPI bridge announces a new description with the object as the event's data
// instead of the text, and Orca, which speaks the data it is given, says nothing. The new
// text is announced once more, as text, on the bridge's own connection ("a11y"), from the
// object's own path, as AT-SPI defines the event.
void announceDescription(QWidget* widget, const QString& description) {
    if (!QAccessible::isActive()) {
        return;
    }
    const QDBusConnection bridge(QStringLiteral("a11y"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!bridge.isConnected() || accessible == nullptr) {
        return;
    }
    QDBusMessage event = QDBusMessage::createSignal(
        QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(accessible)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    event << QStringLiteral("accessible-description") << 0 << 0
          << QVariant::fromValue(QDBusVariant(description)) << QVariantMap();
    bridge.send(event);
}

}  // namespace

void setSpokenDescription(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() == description) {
        return;
    }
    widget->setAccessibleDescription(description);
    announceDescription(widget, description);
}

}  // namespace trelvane
