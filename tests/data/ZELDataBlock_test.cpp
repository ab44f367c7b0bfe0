#include "data/ZELDataBlock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <string>

#include "base/ZelError.h"

namespace zel {
namespace {

// Samples 0, 1, 2, ... so every value tells which sample of the source it came from.
ZELDataBlock Ramp(double begin, double sps, int count, float offset = 0.0f) {
    std::vector<float> s(static_cast<std::size_t>(count));
    std::iota(s.begin(), s.end(), offset);
    return ZELDataBlock(begin, sps, std::move(s));
}

std::string ErrorText(const std::function<void()>& f) {
    try {
        f();
    } catch (const ZelError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(ZELDataBlock, Overlap) {
    auto span = [](std::optional<TimeSpan> o) {
        return o ? std::vector<double>{o->start, o->end} : std::vector<double>{};
    };
    EXPECT_EQ(span(Overlap(0, 10, 5, 15)), (std::vector<double>{5, 10}));
    EXPECT_EQ(span(Overlap(5, 15, 0, 10)), (std::vector<double>{5, 10}));
    EXPECT_EQ(span(Overlap(2, 3, 0, 10)), (std::vector<double>{2, 3}));
    EXPECT_EQ(span(Overlap(0, 5, 5, 10)), (std::vector<double>{5, 5}));  // touching: one point
    EXPECT_EQ(span(Overlap(0, 4, 5, 10)), std::vector<double>{});
    EXPECT_EQ(span(Overlap(6, 4, 0, 10)), std::vector<double>{});  // runs backwards
}

TEST(ZELDataBlock, ArithmeticWithANumber) {
    ZELDataBlock b(10.0, 100.0, {1.0f, 2.0f, -4.0f});
    b.calib = 2.5;
    b.calper = 0.8;
    ZELDataBlock r = b * 2.0;
    EXPECT_EQ(r.samples, (std::vector<float>{2, 4, -8}));
    EXPECT_EQ(r.sps, 100.0);
    EXPECT_EQ(r.begin, 10.0);
    EXPECT_EQ(r.calib, 1.0);
    EXPECT_EQ(r.calper, 1.0);
    EXPECT_EQ((b / 2.0).samples, (std::vector<float>{0.5, 1, -2}));
    EXPECT_EQ((b + 1.5).samples, (std::vector<float>{2.5, 3.5, -2.5}));
    EXPECT_EQ((b - 1.0).samples, (std::vector<float>{0, 1, -5}));
    EXPECT_EQ((b * 0.0).samples, (std::vector<float>{0, 0, -0.0f}));
    EXPECT_EQ(ErrorText([&] { (void)(b / 0.0); }), "Zero Divide");
    EXPECT_EQ(ErrorText([&] { (void)(b / -0.0); }), "Zero Divide");

    EXPECT_EQ(ScalarBlockOp(10.0, ArithOp::Divide, ZELDataBlock(0, 1, {2, 0, 5})).samples,
              (std::vector<float>{5, 0, 2}));
    EXPECT_EQ(ScalarBlockOp(1.0, ArithOp::Subtract, b).samples, (std::vector<float>{0, -1, 5}));
}

TEST(ZELDataBlock, BlockOpCombinesTheCommonTime) {
    // 100 sps, 3 s each, the second starting 1.5 s later: 1.5 s in common.
    ZELDataBlock left = Ramp(100.0, 100.0, 300);
    ZELDataBlock right = Ramp(101.5, 100.0, 300, 1000.0f);
    ZELDataBlock r = BlockOp(left, right, ArithOp::Subtract);
    ASSERT_EQ(r.Count(), 150u);
    EXPECT_EQ(r.begin, 101.5);
    EXPECT_EQ(r.sps, 100.0);
    EXPECT_EQ(r.samples.front(), 150.0f - 1000.0f);  // left[150] - right[0]
    EXPECT_EQ(r.samples.back(), 299.0f - 1149.0f);   // left[299] - right[149]
    EXPECT_EQ(BlockOp(right, left, ArithOp::Subtract).samples.front(), 1000.0f - 150.0f);

    EXPECT_TRUE(BlockOp(left, Ramp(101.5, 50.0, 300), ArithOp::Add).Empty());   // other rate
    EXPECT_TRUE(BlockOp(left, Ramp(200.0, 100.0, 300), ArithOp::Add).Empty());  // apart
    EXPECT_TRUE(BlockOp(left, Ramp(103.0, 100.0, 300), ArithOp::Add).Empty());  // touching

    // Zero divisors give 0 and the other samples stay paired.
    ZELDataBlock num(5.0, 10.0, {10, 20, 30, 40});
    ZELDataBlock den(5.0, 10.0, {2, 0, 5, 0});
    EXPECT_EQ(BlockOp(num, den, ArithOp::Divide).samples, (std::vector<float>{5, 0, 6, 0}));

    // At real epochs the overlap 0.3 s times 100 sps computes as 29.99999...: still 30 samples,
    // and the left block starts at its sample 70.
    ZELDataBlock a = Ramp(1371212423.0, 100.0, 100);
    ZELDataBlock b = Ramp(1371212423.7, 100.0, 100, 1000.0f);
    r = BlockOp(a, b, ArithOp::Add);
    ASSERT_EQ(r.Count(), 30u);
    EXPECT_EQ(r.samples.front(), 70.0f + 1000.0f);
    EXPECT_EQ(r.samples.back(), 99.0f + 1029.0f);
}

TEST(ZELDataBlock, CutWindowKeepsEverySampleInside) {
    ZELDataBlock b = Ramp(10.0, 10.0, 20);  // samples at 10.0 .. 11.9, ends at 12.0
    auto whole = CutWindow(b, 10.0, 12.0);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->samples, b.samples);  // the last sample too
    auto again = CutWindow(*whole, 10.0, 12.0);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->samples, b.samples);  // repeated cuts do not shrink
    EXPECT_EQ(CutWindow(b, 0.0, 100.0)->Count(), 20u);

    auto mid = CutWindow(b, 10.55, 11.0);  // from the sample at or before 10.55
    ASSERT_TRUE(mid);
    EXPECT_EQ(mid->begin, 10.5);
    EXPECT_EQ(mid->samples, (std::vector<float>{5, 6, 7, 8, 9}));
    EXPECT_EQ(mid->sps, 10.0);

    auto head = CutWindow(b, 5.0, 10.3);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->begin, 10.0);
    EXPECT_EQ(head->samples, (std::vector<float>{0, 1, 2}));

    auto tail = CutWindow(b, 11.5, 100.0);
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->begin, 11.5);
    EXPECT_EQ(tail->samples, (std::vector<float>{15, 16, 17, 18, 19}));

    ZELDataBlock one(10.0, 10.0, {42.0f});
    EXPECT_EQ(CutWindow(one, 0.0, 100.0)->samples, one.samples);
    EXPECT_EQ(CutWindow(one, 10.0, 10.1)->samples, one.samples);

    // Real epochs: 0.07 s at 100 sps computes as 6.99999...; the cut still starts at sample 7.
    ZELDataBlock real = Ramp(1371212423.0, 100.0, 1000);
    auto cut = CutWindow(real, 1371212423.07, 1371212423.5);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples.front(), 7.0f);
    EXPECT_EQ(cut->samples.back(), 49.0f);

    EXPECT_FALSE(CutWindow(b, 12.0, 20.0));  // after the block
    EXPECT_FALSE(CutWindow(b, 0.0, 9.9));    // before it
    EXPECT_FALSE(CutWindow(b, 11.0, 10.5));  // window runs backwards
    EXPECT_FALSE(CutWindow(ZELDataBlock(10.0, 10.0, {}), 0.0, 100.0));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(CutWindow(b, nan, 11.0));
    EXPECT_FALSE(CutWindow(b, 10.0, nan));
}

// A block without a rate is a list of numbers with no place in time: it must neither divide by
// zero nor be cut or combined, while arithmetic with a number still works.
TEST(ZELDataBlock, RatelessBlocksAreSafe) {
    for (double sps :
         {0.0, -100.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        ZELDataBlock b(10.0, sps, {1, 2, 3});
        EXPECT_FALSE(b.HasTimeAxis());
        EXPECT_EQ(b.Duration(), 0.0);
        EXPECT_EQ(b.End(), 10.0);
        EXPECT_FALSE(CutWindow(b, 0.0, 100.0));
        EXPECT_TRUE(BlockOp(b, b, ArithOp::Add).Empty());
        EXPECT_EQ((b * 2.0).samples, (std::vector<float>{2, 4, 6}));
    }
    EXPECT_EQ(ZELDataBlock().End(), 0.0);
}

}  // namespace
}  // namespace zel
