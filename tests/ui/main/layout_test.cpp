#include <QTest>

#include "main_window_fixture.h"

namespace trelvane {
namespace {

TEST_F(MainWindowTest, PicturesOfBothPanels) {
    savePicture(w(), QStringLiteral("main-character-panel"));
    w().setMoveLeft(-5280);
    savePicture(w(), QStringLiteral("main-code-panel"));
}

}  // namespace
}  // namespace trelvane
