// SPDX-License-Identifier: MIT
#pragma once

#include <cstring>
#include <fstream>
#include <string>

namespace trelvane::bench {

// A memory figure of this process ("VmRSS:", "VmHWM:") from /proc/self/status, in bytes; 0
// where the system gives none.
inline double processStatusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(std::strlen(field) + 1)) * 1024.0;  // given in kB
        }
    }
    return 0;
}

}  // namespace trelvane::bench
