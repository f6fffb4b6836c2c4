// SPDX-License-Identifier: MIT
// The program's start: the splash opens the converter window on its 21st tick.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>

#include "frm_ascii.h"
#include "frm_inicio.h"
#include "main_window_probe.h"
#include "splash_probe.h"

namespace trelvane {
namespace {

TEST(StartUp, TheSplashOpensTheConverterWindowOnItsTwentyFirstTick) {
    QPointer<FrmAscii> frmAscii;
    FrmInicio frmInicio([&] { frmAscii = FrmAscii::open(); });
    frmInicio.show();
    SplashProbe splash(frmInicio);
    for (int tick = 1; tick <= 20; ++tick) {
        splash.Timer1_Timer();
        ASSERT_EQ(frmAscii, nullptr) << tick;
    }
    splash.Timer1_Timer();
    ASSERT_NE(frmAscii, nullptr);
    EXPECT_TRUE(frmAscii->isVisible());
    EXPECT_FALSE(frmInicio.isVisible());
    EXPECT_EQ(MainWindowProbe(*frmAscii).lblC->text(), QStringLiteral("A"));
    EXPECT_FALSE(frmAscii->windowIcon().isNull());
    EXPECT_TRUE(frmAscii->testAttribute(Qt::WA_DeleteOnClose));
    delete frmAscii.data();
}

}  // namespace
}  // namespace trelvane
