// SPDX-License-Identifier: MIT
#include "frm_inicio.h"

#include <QPainter>
#include <QScreen>

#include "accessibility.h"
#include "fonts.h"
#include "program_icon.h"
#include "text_colors.h"
#include "twips.h"

namespace trelvane {

namespace {

constexpr int kGrowthTicks = 20;
constexpr double kGrowthTwips = 400;
const QColor kBorder(0x64, 0x64, 0x64);

}  // namespace

FrmInicio::FrmInicio(std::function<void()> openMain, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), openMain_(std::move(openMain)) {
    installAccessibleInterfaces();
    setAccessibleName(QStringLiteral("Trelvane"));  // the splash has no caption of its own
    setFixedSize(px(7815), px(4455));
    setWindowIcon(programIcon());
    if (const QScreen* where = screen()) {
        move(where->availableGeometry().center() - rect().center());
    }

    lblMarca->setGeometry(twipsRect(180, 120, 1935, 375));
    lblMarca->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblMarca->setFont(designFont(QStringLiteral("Segoe UI"), 11.25));
    lblName->setGeometry(twipsRect(0, 1920, 7815, 735));
    lblName->setAlignment(Qt::AlignCenter);
    lblName->setFont(designFont(QStringLiteral("Segoe UI Semibold"), 26.25, 600));
    lblEsc->setGeometry(twipsRect(7320, 0, 495, 495));
    lblEsc->setFont(designFont(QStringLiteral("Calibri Light"), 18, 300));
    lblEsc->setBackColor(QColor(0x05, 0x91, 0xCC));
    lblEsc->setToolTip(QStringLiteral(" Cerrar "));
    nameAfterToolTip(lblEsc);
    for (QLabel* label : {lblMarca, lblName, static_cast<QLabel*>(lblEsc)}) {
        setCaptionInk(*label, Qt::white);
    }

    connect(lblEsc, &LabelButton::mouseDown, this, &FrmInicio::lblEsc_MouseDown);
    connect(lblEsc, &LabelButton::mouseUp, this, &FrmInicio::lblEsc_MouseUp);
    connect(lblEsc, &LabelButton::clicked, this, &FrmInicio::lblEsc_Click);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &FrmInicio::Timer1_Timer);

    Form_Load();
}

void FrmInicio::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The line grows from the moment the splash is shown: what comes before, the program's
    // entry and the making of the window on the desktop (the icon's images are read then where
    // the desktop asks for them), takes nothing from the 210 ms.
    if (nTick == 0 && !Timer1->isActive()) {
        Timer1->start();
    }
}

void FrmInicio::Form_Load() {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x14, 0xAA, 0xE6));
    setPalette(p);
    setAutoFillBackground(true);
    lnGo.color = QColor(0xFA, 0xFA, 0xFA);
}

void FrmInicio::Timer1_Timer() {
    if (nTick >= kGrowthTicks) {
        eGoForm();
        return;
    }
    lnGo.x2 += kGrowthTwips;
    ++nTick;
    update();
    if (prepareStep_) {
        // Queued behind the repaint the tick asked for.
        QTimer::singleShot(0, this, [this] {
            if (prepareStep_ && !prepareStep_()) {
                prepareStep_ = nullptr;
            }
        });
    }
}

void FrmInicio::eGoForm() {
    openMain_();
    close();
    Timer1->stop();
}

void FrmInicio::lblEsc_Click() {
    endProgram();
}

void FrmInicio::lblEsc_MouseDown() {
    lblEsc->setOpaque(true);
}

void FrmInicio::lblEsc_MouseUp() {
    lblEsc->setOpaque(false);
}

void FrmInicio::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(lnGo.color, lnGo.width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(lnGo.x1 / kTwipsPerPixel, lnGo.y1 / kTwipsPerPixel),
                     QPointF(lnGo.x2 / kTwipsPerPixel, lnGo.y2 / kTwipsPerPixel));
    // The window's single fixed border, one pixel wide.
    painter.setPen(kBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace trelvane
