// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace trelvane {

// The options the program answers itself, before it opens a display: --version and --help
// print to standard output and end the program with the status returned. Any other argument
// (Qt's own options among them) is left to QApplication: std::nullopt.
std::optional<int> answerInformationOption(int argc, char** argv);

}  // namespace trelvane
