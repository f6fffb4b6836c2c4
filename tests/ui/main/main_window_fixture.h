// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include "qstring_printer.h"

#include <QImage>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "frm_ascii.h"
#include "main_window_probe.h"
#include "pictures.h"

namespace trelvane {

// The converter window shown and active, as the user meets it after start. w() reaches its
// controls and state by their names (see MainWindowProbe); `window` is the widget itself.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the slide timers tick by tick until both have stopped; returns the ticks of each.
    std::pair<int, int> runSlide();
    // Clicks the move button and runs the slide to its end.
    void slideOver() {
        clickButton(w().cmdFn[0]);
        runSlide();
    }
    // Clicks a label-button: press, release.
    void clickButton(QWidget* button);
    // The background colour of a text box or label, as 0xRRGGBB.
    static unsigned backOf(const QWidget* widget);
    // The colour, as 0xRRGGBB, that a picture of the window shows at a point of a control (by
    // default just inside its top-left corner).
    static unsigned shownAt(const QImage& picture, const QWidget* control,
                            QPoint inside = QPoint(3, 3));

    std::unique_ptr<FrmAscii> window;
    MainWindowProbe& w() { return *probe_; }

  private:
    std::optional<MainWindowProbe> probe_;
};

// Types a text key by key, characters beyond ASCII included.
void typeText(QWidget* widget, const QString& text);

// What a modal box showed before the test closed it.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasPixmap = false;
    QWidget* owner = nullptr;
    // What screen readers hear: the box's name and its OK button's.
    QString accessibleName;
    QString okAccessibleName;
};

// Reads and closes the next message box as soon as it is shown.
void closeNextBox(QObject* context, SeenBox& seen);

}  // namespace trelvane
