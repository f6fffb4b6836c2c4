// SPDX-License-Identifier: MIT
// The splash driven headless: its look, the growth of the progress line, the opening of the
// main window on the 21st tick, the "x" and a picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "frm_inicio.h"
#include "pictures.h"

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
        splash->endProgram = [this] { ++programEnded; };
        splash->show();
    }

    void tick(int times) {
        for (int i = 0; i < times; ++i) {
            splash->Timer1_Timer();
        }
    }

    std::unique_ptr<FrmInicio> splash;
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

    EXPECT_EQ(splash->lblMarca->text(), QStringLiteral("Moravin"));
    EXPECT_EQ(splash->lblMarca->geometry(), QRect(12, 8, 129, 25));
    EXPECT_EQ(splash->lblMarca->font().family(), QStringLiteral("Segoe UI"));
    EXPECT_DOUBLE_EQ(splash->lblMarca->font().pointSizeF(), 11.25);

    EXPECT_EQ(splash->lblName->text(), QStringLiteral("Trelvane"));
    EXPECT_EQ(splash->lblName->geometry(), QRect(0, 128, 521, 49));
    EXPECT_EQ(splash->lblName->font().family(), QStringLiteral("Segoe UI Semibold"));
    EXPECT_DOUBLE_EQ(splash->lblName->font().pointSizeF(), 26.25);
    EXPECT_EQ(splash->lblName->font().weight(), 600);
    EXPECT_TRUE(splash->lblName->alignment().testFlag(Qt::AlignHCenter));

    EXPECT_EQ(splash->lblEsc->text(), QStringLiteral("x"));
    EXPECT_EQ(splash->lblEsc->geometry(), QRect(488, 0, 33, 33));
    EXPECT_EQ(splash->lblEsc->font().family(), QStringLiteral("Calibri Light"));
    EXPECT_DOUBLE_EQ(splash->lblEsc->font().pointSizeF(), 18);
    EXPECT_EQ(splash->lblEsc->font().weight(), 300);
    EXPECT_EQ(splash->lblEsc->toolTip(), QStringLiteral(" Cerrar "));
    EXPECT_EQ(splash->lblEsc->backColor(), kPressedBlue);
    EXPECT_FALSE(splash->lblEsc->isOpaque());
    for (QLabel* label :
         {splash->lblMarca, splash->lblName, static_cast<QLabel*>(splash->lblEsc)}) {
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }

    EXPECT_EQ(splash->lnGo.x1, 0);
    EXPECT_EQ(splash->lnGo.y1, 4420);
    EXPECT_EQ(splash->lnGo.x2, 15);
    EXPECT_EQ(splash->lnGo.y2, 4420);
    EXPECT_EQ(splash->lnGo.color, kLineWhite);
    EXPECT_EQ(splash->lnGo.width, 3);
    EXPECT_EQ(splash->nTick, 0);
    EXPECT_TRUE(splash->Timer1->isActive());
    EXPECT_EQ(splash->Timer1->interval(), 10);
}

TEST_F(FrmInicioTest, TwentyTicksGrowTheLineBy400TwipsEach) {
    for (int k = 1; k <= 20; ++k) {
        splash->Timer1_Timer();
        EXPECT_EQ(splash->lnGo.x2, 15 + 400 * k) << "tick " << k;
        EXPECT_EQ(splash->nTick, k);
    }
    EXPECT_EQ(splash->lnGo.x1, 0);
    EXPECT_EQ(splash->lnGo.y1, 4420);
    EXPECT_EQ(splash->lnGo.y2, 4420);
    EXPECT_GT(splash->lnGo.x2, 7815);  // past the right edge
    EXPECT_EQ(mainOpened, 0);
    EXPECT_TRUE(splash->isVisible());
}

TEST_F(FrmInicioTest, The21stTickOpensTheMainWindowAndClosesTheSplash) {
    tick(20);
    ASSERT_EQ(mainOpened, 0);
    splash->Timer1_Timer();
    EXPECT_EQ(mainOpened, 1);
    EXPECT_TRUE(splashVisibleWhenMainOpened);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->Timer1->isActive());
    EXPECT_EQ(splash->lnGo.x2, 8015);
    EXPECT_EQ(splash->nTick, 20);
    EXPECT_EQ(programEnded, 0);
}

TEST_F(FrmInicioTest, TimerOpensTheMainWindowByItself) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainOpened > 0; }, 10000));
    EXPECT_EQ(mainOpened, 1);
    EXPECT_EQ(splash->nTick, 20);
    EXPECT_FALSE(splash->isVisible());
    QTest::qWait(50);
    EXPECT_EQ(mainOpened, 1);
}

TEST_F(FrmInicioTest, PressingXShowsTheDarkSquareAndReleasingOutsideEndsNothing) {
    const QPoint inside = splash->lblEsc->geometry().topLeft() + QPoint(2, 2);
    QTest::mousePress(splash->lblEsc, Qt::LeftButton);
    EXPECT_TRUE(splash->lblEsc->isOpaque());
    EXPECT_EQ(splash->grab().toImage().pixelColor(inside), kPressedBlue);
    savePicture(*splash, QStringLiteral("splash-pressed"));

    QTest::mouseRelease(splash->lblEsc, Qt::LeftButton, {}, QPoint(-30, 60));
    EXPECT_FALSE(splash->lblEsc->isOpaque());
    EXPECT_EQ(splash->grab().toImage().pixelColor(inside), kSplashBlue);
    EXPECT_EQ(programEnded, 0);
    EXPECT_EQ(mainOpened, 0);
    EXPECT_TRUE(splash->isVisible());
}

TEST_F(FrmInicioTest, ClickOnXEndsTheProgramBeforeTheMainWindowOpens) {
    QTest::mouseClick(splash->lblEsc, Qt::LeftButton);
    EXPECT_EQ(programEnded, 1);
    EXPECT_EQ(mainOpened, 0);
    EXPECT_FALSE(splash->lblEsc->isOpaque());
}

TEST(FrmInicioEnd, ClickOnXLeavesTheEventLoopAtOnce) {
    int mainOpened = 0;
    FrmInicio splash([&] { ++mainOpened; });
    splash.show();
    QTimer::singleShot(0, [&] { QTest::mouseClick(splash.lblEsc, Qt::LeftButton); });
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
    const int lineEnd = static_cast<int>(splash->lnGo.x2 / 15);
    EXPECT_EQ(picture.pixelColor(lineEnd - 10, 295), kLineWhite);
    EXPECT_EQ(picture.pixelColor(lineEnd + 10, 295), kSplashBlue);
    EXPECT_EQ(picture.pixelColor(200, 150 - 100), kSplashBlue);
    EXPECT_NE(picture.pixelColor(0, 150), kSplashBlue);
    EXPECT_NE(picture.pixelColor(520, 150), kSplashBlue);
}

}  // namespace
}  // namespace trelvane
