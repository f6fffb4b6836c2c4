// SPDX-License-Identifier: MIT
// The program's start: the splash opens the converter window on its 21st tick, whether the
// window was prepared while the splash grew or is built then.
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
    for (const bool prepared : {false, true}) {
        SCOPED_TRACE(prepared ? "prepared while the splash grows" : "built on the 21st tick");
        QPointer<FrmAscii> frmAscii;
        FrmInicio frmInicio([&] { frmAscii = FrmAscii::open(frmAscii); });
        QPointer<FrmAscii> made;
        if (prepared) {
            for (int step = 0; FrmAscii::prepare(step, frmAscii); ++step) {
                ASSERT_LT(step, 100);
            }
            ASSERT_NE(frmAscii, nullptr);
            made = frmAscii;
        }
        frmInicio.show();
        SplashProbe splash(frmInicio);
        for (int tick = 1; tick <= 20; ++tick) {
            splash.Timer1_Timer();
            ASSERT_EQ(frmAscii, made) << tick;
            ASSERT_TRUE(frmAscii == nullptr || !frmAscii->isVisible()) << tick;
        }
        splash.Timer1_Timer();
        ASSERT_NE(frmAscii, nullptr);
        if (prepared) {
            EXPECT_EQ(frmAscii, made);
        }
        EXPECT_TRUE(frmAscii->isVisible());
        EXPECT_FALSE(frmInicio.isVisible());
        MainWindowProbe window(*frmAscii);
        EXPECT_EQ(window.lblC->text(), QStringLiteral("A"));
        EXPECT_EQ(window.txtCodeA->font().family(), QStringLiteral("Segoe UI"));
        EXPECT_DOUBLE_EQ(window.txtCodeA->font().pointSizeF(), 12);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frmAscii));
        EXPECT_EQ(QApplication::focusWidget(), window.txtC);
        EXPECT_FALSE(frmAscii->windowIcon().isNull());
        EXPECT_TRUE(frmAscii->testAttribute(Qt::WA_DeleteOnClose));
        delete frmAscii.data();
    }
}

}  // namespace
}  // namespace trelvane
