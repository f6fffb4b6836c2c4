#include <gtest/gtest.h>

#include "codepage.h"

namespace trelvane {
namespace {

TEST(CodePage, EveryByteRoundTrips) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(codeOf(charOf(static_cast<std::uint8_t>(code))), code) << code;
    }
}

}  // namespace
}  // namespace trelvane
