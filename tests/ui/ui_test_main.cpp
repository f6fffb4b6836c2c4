// SPDX-License-Identifier: MIT
// The main of every UI test program. Listing the tests needs no display, so it answers
// before the QApplication exists; everything else runs with one.
#include <gtest/gtest.h>

#include <QApplication>

#include "fonts.h"
#include "spanish.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    trelvane::registerFontSubstitutes();
    trelvane::installQtSpanish();
    return RUN_ALL_TESTS();
}
