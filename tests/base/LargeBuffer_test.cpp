#include "base/LargeBuffer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace zel::test {
namespace {

// Conversion walks the source in 4 MiB stretches and gives each back once converted: every
// element must arrive, whatever the count's relation to a stretch, and the source ends empty.
TEST(LargeBuffer, ConvertingReleasesNothingStillNeeded) {
    constexpr std::size_t kStretch = (std::size_t{4} << 20) / sizeof(double);
    for (const std::size_t n :
         {std::size_t{0}, std::size_t{1}, kStretch - 1, kStretch, kStretch + 1, 3 * kStretch + 7}) {
        std::vector<double> from(n);
        for (std::size_t i = 0; i < n; ++i) from[i] = static_cast<double>(i % 100000) + 0.25;
        std::vector<float> to{1.0f, 2.0f};  // what was there before goes
        ConvertReleasing(from, to);
        ASSERT_EQ(to.size(), n);
        EXPECT_TRUE(from.empty());
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < n; ++i) wrong += to[i] != static_cast<float>(i % 100000) + 0.25f;
        EXPECT_EQ(wrong, 0u) << n << " elements";
    }
}

}  // namespace
}  // namespace zel::test
