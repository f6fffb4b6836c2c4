// SPDX-License-Identifier: MIT
// The program icon as the windows get it, and the version texts of the generated identity.
#include <gtest/gtest.h>

#include <QColor>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QSize>
#include <QString>

#include "app_identity.h"
#include "program_icon.h"

namespace {

const QColor kProgramBlue(0x14, 0xAA, 0xE6);

QImage imageOf(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// In the drawing the left sixteenth is the clear margin, the next sixteenth blue ground, and
// three quarters across, half-way down, lies the stem of the "1".
void expectDrawing(const QImage& image) {
    const int size = image.width();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner at " << size;
    EXPECT_EQ(image.pixelColor(size / 16, size / 2), kProgramBlue) << "ground at " << size;
    EXPECT_EQ(image.pixelColor(size * 3 / 4, size / 2), QColor(Qt::white)) << "digit at " << size;
}

class ProgramIconSize : public testing::TestWithParam<int> {};

TEST_P(ProgramIconSize, IsDrawnAtThatSize) {
    const int size = GetParam();
    const QIcon icon = trelvane::programIcon();
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = imageOf(icon, size);
    ASSERT_EQ(image.size(), QSize(size, size));
    expectDrawing(image);
}

INSTANTIATE_TEST_SUITE_P(HicolorSizes, ProgramIconSize, testing::Values(16, 32, 48, 64, 128, 256));

TEST(WindowIcon32, IsOneImageOf32PixelsInSixteenColours) {
    const QIcon icon = trelvane::windowIcon32();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
    const QImage image = imageOf(icon, 32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    expectDrawing(image);

    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_LE(colours.size(), 16);
}

TEST(ProgramIconFile, HoldsSevenImagesQtCanRead) {
    trelvane::programIcon();  // registers the icon resources
    QImageReader reader(QStringLiteral(":/trelvane/icon/trelvane.ico"));
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    EXPECT_EQ(reader.imageCount(), 7);
}

TEST(Identity, VersionTextsFollowTheVersionNumbers) {
    using namespace trelvane::identity;
    EXPECT_EQ(QString::fromUtf8(kVersionText), QStringLiteral("%1.%2.%3.%4")
                                                   .arg(kVersionMajor)
                                                   .arg(kVersionMinor)
                                                   .arg(kVersionPatch)
                                                   .arg(kVersionRevision));
    EXPECT_EQ(QString::fromUtf8(kVersionTextResource),
              QStringLiteral("%1.%2.%3")
                  .arg(kVersionMajor)
                  .arg(kVersionMinor, 2, 10, QLatin1Char('0'))
                  .arg(kVersionRevision, 4, 10, QLatin1Char('0')));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Test discovery lists the tests at build time, where there is no display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
