// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "label_button.h"

namespace trelvane {

// The borderless splash the program starts on: the maker's brand and the product name on blue,
// a progress line that grows along the bottom edge in 20 ticks of 10 ms from the moment it is
// shown, then openMain is called and the splash closes. Its "x" ends the program at once. Closing
// hides the splash for good; the program's entry has it deleted then (Qt::WA_DeleteOnClose), so
// that screen readers no longer find it.
class FrmInicio : public QWidget {
    Q_OBJECT
  public:
    explicit FrmInicio(std::function<void()> openMain, QWidget* parent = nullptr);

    // Work for the main window that nobody sees (fonts to load, say), done a step at a time in
    // the idle time after each growth tick, so that the line keeps growing on time; a step
    // returns whether more remain.
    void prepareWhileGrowing(std::function<bool()> step) { prepareStep_ = std::move(step); }

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Tests reach the controls and the state through this accessor of theirs, and only there.
    friend class SplashProbe;

    // A straight line drawn on the window: end points in twips, colour, width in pixels.
    struct Line {
        double x1 = 0;
        double y1 = 0;
        double x2 = 0;
        double y2 = 0;
        QColor color;
        int width = 1;
    };

    // Event handlers and the window's own procedure.
    void Form_Load();
    void Timer1_Timer();
    void eGoForm();
    void lblEsc_Click();
    void lblEsc_MouseDown();
    void lblEsc_MouseUp();

    // What the "x" does: end the program at once.
    std::function<void()> endProgram = [] { QCoreApplication::exit(0); };

    // The controls, by name.
    QLabel* const lblMarca = new QLabel(QStringLiteral("Moravin"), this);
    QLabel* const lblName = new QLabel(QStringLiteral("Trelvane"), this);
    LabelButton* const lblEsc = new LabelButton(QStringLiteral("x"), this);
    Line lnGo{0, 4420, 15, 4420, QColor(0xFA, 0xFA, 0xFA), 3};
    QTimer* const Timer1 = new QTimer(this);

    // The ticks that have lengthened the line.
    std::int16_t nTick = 0;

    std::function<void()> openMain_;
    std::function<bool()> prepareStep_;
};

}  // namespace trelvane
