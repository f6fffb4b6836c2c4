// SPDX-License-Identifier: MIT
#include "processor.h"

namespace trelvane {

bool hasSsse3() noexcept {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return has;
#else
    return false;
#endif
}

}  // namespace trelvane
