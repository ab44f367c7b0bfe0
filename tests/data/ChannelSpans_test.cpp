#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "base/ZelError.h"
#include "data/CWaveformTime.h"
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

TEST(CWaveformTime, SecondsAndMilliseconds) {
    CWaveformTime t;
    EXPECT_EQ(t.seconds, 0);
    EXPECT_EQ(t.milliseconds, 0);

    t.Set(1371212423.567);  // stored as ...423.5669999: still 567 ms
    EXPECT_EQ(t.seconds, 1371212423);
    EXPECT_EQ(t.milliseconds, 567);
    t.Set(12.3456);  // truncated, not rounded
    EXPECT_EQ(t.milliseconds, 345);

    // Both parts add up to the time before 1970 as well.
    t.Set(-1.5);
    EXPECT_EQ(t.seconds, -2);
    EXPECT_EQ(t.milliseconds, 500);
    EXPECT_EQ(t.Epoch(), -1.5);
    t.Set(-63158400.25);
    EXPECT_EQ(t.seconds, -63158401);
    EXPECT_EQ(t.milliseconds, 750);

    t.Set(2500000000.0);  // after January 2038
    EXPECT_EQ(t.seconds, 2500000000LL);

    EXPECT_EQ(CWaveformTime(7.25), CWaveformTime(7.2501));
    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300})
        EXPECT_THROW(CWaveformTime{bad}, ZelError);
}

}  // namespace
}  // namespace zel
