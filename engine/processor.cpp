// SPDX-License-Identifier: MIT
#include "processor.h"

#include <cstdlib>
#include <string_view>

namespace trelvane {

namespace {

enum class Level { None, Ssse3, Avx2 };

Level levelOf() {
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    Level level = __builtin_cpu_supports("avx2")    ? Level::Avx2
                  : __builtin_cpu_supports("ssse3") ? Level::Ssse3
                                                    : Level::None;
    const char* const chosen = std::getenv("TRELVANE_SIMD");
    if (chosen != nullptr) {
        const std::string_view name(chosen);
        if (name == "none") {
            level = Level::None;
        } else if (name == "ssse3" && level == Level::Avx2) {
            level = Level::Ssse3;
        }
    }
    return level;
#else
    return Level::None;
#endif
}

Level level() {
    static const Level found = levelOf();
    return found;
}

}  // namespace

bool hasSsse3() noexcept {
    return level() != Level::None;
}

bool hasAvx2() noexcept {
    return level() == Level::Avx2;
}

}  // namespace trelvane
