#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws the README's pictures anew: the UI tests that show the windows in the pictured states
# save them, and the ones the README shows are copied into docs/screenshots.
# Usage: tools/update-screenshots.sh [preset]   (default: release; configure it first)
set -euo pipefail
cd "$(dirname "$0")/.."

build="build/${1:-release}"
pictures="$(mktemp -d)"
trap 'rm -rf "$pictures"' EXIT

cmake --build "$build" -j2 --target trelvane_main_window_test table_tests splash_tests
export QT_QPA_PLATFORM=offscreen TRELVANE_PICTURES="$pictures"
"$build/tests/ui/main/trelvane_main_window_test" \
    --gtest_filter='MainWindowTest.PicturesOfBothPanels:CodePanelTest.TheTypicalRequestFromStart:FunctionButtonsTest.GroupingShowsTheBytesAndTheButtonTurnsIntoClose'
"$build/tests/ui/table/table_tests" --gtest_filter='FrmScrollTest.PictureOfTheFullTable'
"$build/tests/ui/splash/splash_tests" --gtest_filter='FrmInicioTest.PictureOfTheSplash'

for name in splash main-character-panel main-code-panel-typed grouping-view table; do
    cp "$pictures/$name.png" docs/screenshots/
done
echo "Updated docs/screenshots from $build"
