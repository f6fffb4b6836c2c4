// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>

namespace trelvane {

void savePicture(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TRELVANE_PICTURES");
    if (folder.isEmpty()) {
        return;
    }
    ASSERT_TRUE(QDir().mkpath(folder)) << folder.toStdString();
    EXPECT_TRUE(widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")))
        << name.toStdString();
}

}  // namespace trelvane
