// SPDX-License-Identifier: MIT
#include "main_window_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace trelvane {

void MainWindowTest::SetUp() {
    window = std::make_unique<FrmAscii>();
    probe_.emplace(*window);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void MainWindowTest::TearDown() {
    probe_.reset();
    window.reset();
}

std::pair<int, int> MainWindowTest::runSlide() {
    int slideTicks = 0;
    int reboundTicks = 0;
    for (int guard = 0; guard < 1000; ++guard) {
        if (w().tmrRebote1->isActive()) {
            w().tmrRebote1_Timer();
            ++slideTicks;
        } else if (w().tmrRebote2->isActive()) {
            w().tmrRebote2_Timer();
            ++reboundTicks;
        } else {
            break;
        }
    }
    return {slideTicks, reboundTicks};
}

void MainWindowTest::clickButton(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

unsigned MainWindowTest::backOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const LabelButton*>(widget)) {
        return label->backColor().rgb() & 0xFFFFFFu;
    }
    return widget->palette().color(QPalette::Base).rgb() & 0xFFFFFFu;
}

unsigned MainWindowTest::shownAt(const QImage& picture, const QWidget* control, QPoint inside) {
    return picture.pixel(control->mapTo(control->window(), inside)) & 0xFFFFFFu;
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(widget, QString(c));
            continue;
        }
        const QChar upper = c.toUpper();
        const Qt::Key key =
            upper.unicode() < 256 ? static_cast<Qt::Key>(upper.unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

void closeNextBox(QObject* context, SeenBox& seen) {
    auto* poll = new QTimer(context);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, context, [poll, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.hasPixmap = !box->iconPixmap().isNull();
        seen.owner = box->parentWidget();
        seen.accessibleName = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
        seen.okAccessibleName = QAccessible::queryAccessibleInterface(box->button(QMessageBox::Ok))
                                    ->text(QAccessible::Name);
        poll->stop();
        poll->deleteLater();
        box->button(QMessageBox::Ok)->click();
    });
    poll->start();
}

}  // namespace trelvane
