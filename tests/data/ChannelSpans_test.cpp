#include <gtest/gtest.h>

#include <stdexcept>

#include "data/CXChanArray.h"

namespace zel {
namespace {

TEST(CXChanArray, AddSpanWidensTheMatchingRecord) {
    CXChanArray spans;
    spans.AddSpan("S", "C", 10, 20);
    spans.AddSpan("S", "C", 5, 15);
    ASSERT_EQ(spans.Count(), 1u);
    EXPECT_EQ(spans[0].first, 5.0);
    EXPECT_EQ(spans[0].last, 20.0);
    spans.AddSpan("S", "C", 12, 30);
    EXPECT_EQ(spans[0].first, 5.0);
    EXPECT_EQ(spans[0].last, 30.0);

    spans.AddSpan("S", "D", 1, 2);
    spans.AddSpan("s", "C", 3, 4);  // codes compare exactly
    ASSERT_EQ(spans.Count(), 3u);
    EXPECT_EQ(spans[1].channel, "D");
    EXPECT_EQ(spans[2].station, "s");
    EXPECT_EQ(spans[2].first, 3.0);
    EXPECT_THROW((void)spans[3], std::out_of_range);
    spans.Clear();
    EXPECT_EQ(spans.Count(), 0u);
}

}  // namespace
}  // namespace zel
