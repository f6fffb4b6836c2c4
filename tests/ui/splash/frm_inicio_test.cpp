// SPDX-License-Identifier: MIT
// The splash driven headless: its look, the growth of the progress line, the opening of the
// main window on the 21st tick, the "x" and a picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <optional>

#include "frm_inicio.h"
#include "pictures.h"
#include "splash_probe.h"

namespace trelvane {
namespace {

const QColor kSplashBlue(0x14, 0xAA, 0xE6);
const QColor kPressedBlue(0x05, 0x91, 0xCC);
const QColor kLineWhite(0xFA, 0xFA, 0xFA);

class FrmInicioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        splash = std::make_unique<FrmInicio>([this] {
            ++mainOpened;
            splashVisibleWhenMainOpened = splash->isVisible();
        });
        probe.emplace(*splash);
        probe->endProgram = [this] { ++programEnded; };
        splash->show();
    }

    void tick(int times) {
        for (int i = 0; i < times; ++i) {
            probe->Timer1_Timer();
        }
    }

    std::unique_ptr<FrmInicio> splash;
    std::optional<SplashProbe> probe;
    int mainOpened = 0;
    int programEnded = 0;
    bool splashVisibleWhenMainOpened = false;
};

TEST_F(FrmInicioTest, OpensAsDesigned) {
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash->size(), QSize(521, 297));
    EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
    EXPECT_EQ(splash->palette().color(QPalette::Window), kSplashBlue);
    // The whole program icon, from 16 up to 256 pixels.
    EXPECT_FALSE(splash->windowIcon().isNull());
    EXPECT_EQ(splash->windowIcon().actualSize(QSize(256, 256)), QSize(256, 256));
    EXPECT_EQ(splash->windowIcon().actualSize(QSize(16, 16)), QSize(16, 16));

    EXPECT_EQ(probe->lblMarca->text(), QStringLiteral("Moravin"));
    EXPECT_EQ(probe->lblMarca->geometry(), QRect(12, 8, 129, 25));
    EXPECT_EQ(probe->lblMarca->font().family(), QStringLiteral("Segoe UI"));
    EXPECT_DOUBLE_EQ(probe->lblMarca->font().pointSizeF(), 11.25);

    EXPECT_EQ(probe->lblName->text(), QStringLiteral("Trelvane"));
    EXPECT_EQ(probe->lblName->geometry(), QRect(0, 128, 521, 49));
    EXPECT_EQ(probe->lblName->font().family(), QStringLiteral("Segoe UI Semibold"));
    EXPECT_DOUBLE_EQ(probe->lblName->font().pointSizeF(), 26.25);
    EXPECT_EQ(probe->lblName->font().weight(), 600);
    EXPECT_TRUE(probe->lblName->alignment().testFlag(Qt::AlignHCenter));

    EXPECT_EQ(probe->lblEsc->text(), QStringLiteral("x"));
    EXPECT_EQ(probe->lblEsc->geometry(), QRect(488, 0, 33, 33));
    EXPECT_EQ(probe->lblEsc->font().family(), QStringLiteral("Calibri Light"));
    EXPECT_DOUBLE_EQ(probe->lblEsc->font().pointSizeF(), 18);
    EXPECT_EQ(probe->lblEsc->font().weight(), 300);
    EXPECT_EQ(probe->lblEsc->toolTip(), QStringLiteral(" Cerrar "));
    EXPECT_EQ(probe->lblEsc->backColor(), kPressedBlue);
    EXPECT_FALSE(probe->lblEsc->isOpaque());
    for (QLabel* label : {probe->lblMarca, probe->lblName, static_cast<QLabel*>(probe->lblEsc)}) {
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }

    EXPECT_EQ(probe->lnGo.x1, 0);
    EXPECT_EQ(probe->lnGo.y1, 4420);
    EXPECT_EQ(probe->lnGo.x2, 15);
    EXPECT_EQ(probe->lnGo.y2, 4420);
    EXPECT_EQ(probe->lnGo.color, kLineWhite);
    EXPECT_EQ(probe->lnGo.width, 3);
    EXPECT_EQ(probe->nTick, 0);
    EXPECT_TRUE(probe->Timer1->isActive());
    EXPECT_EQ(probe->Timer1->interval(), 10);
}

TEST_F(FrmInicioTest, TwentyTicksGrowTheLineBy400TwipsEachAndThe21stOpensTheMainWindow) {
    for (int k = 1; k <= 20; ++k) {
        probe->Timer1_Timer();
        EXPECT_EQ(probe->lnGo.x2, 15 + 400 * k) << "tick " << k;
        EXPECT_EQ(probe->nTick, k);
    }
    EXPECT_EQ(probe->lnGo.x1, 0);
    EXPECT_EQ(probe->lnGo.y1, 4420);
    EXPECT_EQ(probe->lnGo.y2, 4420);
    EXPECT_GT(probe->lnGo.x2, 7815);  // past the right edge
    ASSERT_EQ(mainOpened, 0);
    EXPECT_TRUE(splash->isVisible());

    // The 21st tick opens the main window and closes the splash.
    probe->Timer1_Timer();
    EXPECT_EQ(mainOpened, 1);
    EXPECT_TRUE(splashVisibleWhenMainOpened);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(probe->Timer1->isActive());
    EXPECT_EQ(probe->lnGo.x2, 8015);
    EXPECT_EQ(probe->nTick, 20);
    EXPECT_EQ(programEnded, 0);
}

TEST_F(FrmInicioTest, TimerOpensTheMainWindowByItself) {
    // Work for the main window runs a step after a growth tick, until no steps remain.
    int steps = 0;
    bool stepAfterOpening = false;
    splash->prepareWhileGrowing([&] {
        stepAfterOpening = stepAfterOpening || mainOpened > 0;
        return ++steps < 3;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainOpened > 0; }, 10000));
    EXPECT_EQ(mainOpened, 1);
    EXPECT_EQ(steps, 3);
    EXPECT_FALSE(stepAfterOpening);
    EXPECT_EQ(probe->nTick, 20);
    EXPECT_FALSE(splash->isVisible());
    QTest::qWait(50);
    EXPECT_EQ(mainOpened, 1);
}

TEST_F(FrmInicioTest, PressingXShowsTheDarkSquareAndReleasingOutsideEndsNothing) {
    const QPoint inside = probe->lblEsc->geometry().topLeft() + QPoint(2, 2);
    QTest::mousePress(probe->lblEsc, Qt::LeftButton);
    EXPECT_TRUE(probe->lblEsc->isOpaque());
    EXPECT_EQ(splash->grab().toImage().pixelColor(inside), kPressedBlue);
    savePicture(*splash, QStringLiteral("splash-pressed"));

    QTest::mouseRelease(probe->lblEsc, Qt::LeftButton, {}, QPoint(-30, 60));
    EXPECT_FALSE(probe->lblEsc->isOpaque());
    EXPECT_EQ(splash->grab().toImage().pixelColor(inside), kSplashBlue);
    EXPECT_EQ(programEnded, 0);
    EXPECT_EQ(mainOpened, 0);
    EXPECT_TRUE(splash->isVisible());
}

TEST_F(FrmInicioTest, ClickOnXEndsTheProgramBeforeTheMainWindowOpens) {
    QTest::mouseClick(probe->lblEsc, Qt::LeftButton);
    EXPECT_EQ(programEnded, 1);
    EXPECT_EQ(mainOpened, 0);
    EXPECT_FALSE(probe->lblEsc->isOpaque());
}

TEST(FrmInicioStart, TheLineGrowsFromTheShowingOfTheSplash) {
    FrmInicio splash([] {});
    SplashProbe probe(splash);
    EXPECT_FALSE(probe.Timer1->isActive());
    splash.show();
    EXPECT_TRUE(probe.Timer1->isActive());
    EXPECT_EQ(probe.nTick, 0);
}

TEST(FrmInicioEnd, ClickOnXLeavesTheEventLoopAtOnce) {
    int mainOpened = 0;
    FrmInicio splash([&] { ++mainOpened; });
    splash.show();
    QTimer::singleShot(0, [&] { QTest::mouseClick(SplashProbe(splash).lblEsc, Qt::LeftButton); });
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stuck.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(mainOpened, 0);
}

TEST_F(FrmInicioTest, PictureOfTheSplash) {
    tick(10);
    const QImage picture = splash->grab().toImage();
    savePicture(*splash, QStringLiteral("splash"));
    // Half the line is drawn along the bottom edge; the border frames the window.
    const int lineEnd = static_cast<int>(probe->lnGo.x2 / 15);
    EXPECT_EQ(picture.pixelColor(lineEnd - 10, 295), kLineWhite);
    EXPECT_EQ(picture.pixelColor(lineEnd + 10, 295), kSplashBlue);
    EXPECT_EQ(picture.pixelColor(200, 150 - 100), kSplashBlue);
    EXPECT_NE(picture.pixelColor(0, 150), kSplashBlue);
    EXPECT_NE(picture.pixelColor(520, 150), kSplashBlue);
}

}  // namespace
}  // namespace trelvane
