// Names that bring channel and workspace data into a formula: d3, t3, sd3, st3, w5,
// station:channel with its :t, :s and :st forms, and "current".

#include <numeric>
#include <string>
#include <vector>

#include "dsp/FormulaChannels.h"
#include "dsp/FormulaTestSupport.h"

namespace zel::test {
namespace {

// Samples offset, offset + 1, ... so every value tells where it came from.
ZELDataBlock Ramp(double begin, double sps, int count, float offset) {
    std::vector<float> s(static_cast<std::size_t>(count));
    std::iota(s.begin(), s.end(), offset);
    return ZELDataBlock(begin, sps, std::move(s));
}

std::vector<double> Range(double from, double to) {
    std::vector<double> v;
    for (double x = from; x <= to; x += 1) v.push_back(x);
    return v;
}

class FormulaNames : public CommaLocaleTest {
  protected:
    void SetUp() override {
        CommaLocaleTest::SetUp();
        // Epoch times of today's size, where products of time and rate come out a hair off.
        raw_.Append(Ramp(kStart, 10, 50, 0));        // 0 .. 5 s
        raw_.Append(Ramp(kStart + 6, 10, 30, 100));  // 6 .. 9 s
        transformed_.resize(100);
        std::iota(transformed_.begin(), transformed_.end(), 1000.0f);
        FormulaChannel ch;
        ch.raw = &raw_;
        ch.spanStart = kStart;
        ch.spanLength = 10;
        ch.transformed = transformed_;
        ch.transformedRate = 10;
        ch.marks = TimeSpan{kStart + 3, kStart + 1};  // either order
        src_.channels[3] = ch;
        src_.byCode[{"abc", "shz"}] = ch;
        FormulaChannel bare;  // a pane with neither data nor marks
        bare.spanStart = kStart;
        bare.spanLength = 10;
        src_.channels[4] = bare;
    }
    Outcome Run(const std::string& f) { return Eval(f, &src_); }

    static constexpr double kStart = 1700000000.0;
    ZELDataBlockArray raw_;
    std::vector<float> transformed_;
    FakeFormulaSource src_;
};

TEST_F(FormulaNames, ChannelForms) {
    // d3: 100 samples over the 10 s span; the second block starts at trunc(6 * 99 / 10) = 59.
    std::vector<double> d(100, 0.0);
    for (int j = 0; j < 50; ++j) d[static_cast<std::size_t>(j)] = j;
    for (int j = 0; j < 30; ++j) d[static_cast<std::size_t>(59 + j)] = 100 + j;

    struct Case {
        const char* formula;
        std::vector<double> expected;
        double dx;
    };
    const Case cases[] = {
        {"d3", d, 0.1},
        {"ABC:SHZ", d, 0.1},
        {"t3", Range(1000, 1099), 0.1},
        {"abc:shz:t", Range(1000, 1099), 0.1},
        {"sd3", Range(10, 30), 0.1},  // marks 1 s and 3 s: samples 10 .. 30
        {"abc:shz:s", Range(10, 30), 0.1},
        {"st3", Range(1010, 1030), 0.1},
        {"abc:shz:st", Range(1010, 1030), 0.1},
        {"d4", {0}, 1},  // nothing to give: the fresh vector
        {"t4", {0}, 1},
        {"sd4", {0}, 1},
        {"st4", {0}, 1},
        {"w5", {0}, 1},  // a workspace window that does not exist
        {"d3-d3", std::vector<double>(100, 0.0), 0.1},
    };
    for (const Case& c : cases) {
        const Outcome o = Run(c.formula);
        ASSERT_TRUE(o.ok) << c.formula << ": " << o.error;
        EXPECT_EQ(o.samples, c.expected) << c.formula;
        EXPECT_DOUBLE_EQ(o.dx, c.dx) << c.formula;
    }
    for (const char* unknown :
         {"d2", "t9", "sd5", "st03", "abc:bhz", "xyz:shz:t", "abc:shz:q", "abc:shz:t:x", "x3"})
        EXPECT_EQ(ErrorOf(unknown, &src_),
                  std::string("'") + unknown + "' - undefined variables or function");

    // "current" stands for the name the channel formula gives it.
    std::vector<float> out;
    float dx = 0;
    std::string error;
    ASSERT_TRUE(EvaluateFormulaFloat("current-d3+1", "D3", out, dx, error, &src_)) << error;
    EXPECT_EQ(out, std::vector<float>(100, 1.0f));
    EXPECT_EQ(dx, 0.1f);
}

TEST_F(FormulaNames, MarksAndEdges) {
    FormulaChannel& ch = src_.channels[3];
    struct Case {
        double m1, m2;  // seconds after the span start
        std::vector<double> sd;
        std::vector<double> st;
    };
    const Case cases[] = {
        {2, 2, {20}, {1020}},  // marks together: the sample at the mark
        {4.8,
         6.2,
         {48, 49, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 101, 102},
         Range(1048, 1062)},  // across the gap
        {8.5,
         10,
         {125, 126, 127, 128, 129, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         Range(1085, 1099)},  // to the end
        {-1, 3, {0}, {0}},    // a mark before the window
        {3, 10.5, {0}, {0}},  // after it
        {10, 10, {0}, {0}},   // the earlier mark must be before the end
    };
    for (const Case& c : cases) {
        ch.marks = TimeSpan{kStart + c.m1, kStart + c.m2};
        const Outcome sd = Run("sd3");
        const Outcome st = Run("st3");
        ASSERT_TRUE(sd.ok && st.ok) << c.m1 << ".." << c.m2;
        EXPECT_EQ(sd.samples, c.sd) << "sd " << c.m1 << ".." << c.m2;
        EXPECT_EQ(st.samples, c.st) << "st " << c.m1 << ".." << c.m2;
    }
    ch.marks.reset();
    EXPECT_EQ(Run("sd3").samples, std::vector<double>{0});

    // A block that starts before the window contributes its samples from the span start on.
    ZELDataBlockArray early;
    early.Append(Ramp(kStart - 2, 10, 40, 0));
    const SignalVector v = ChannelSpanSignal(early, kStart, 10);
    ASSERT_EQ(v.Count(), 100u);
    EXPECT_EQ(v[0], 19.0);  // -2 s * 9.9 = -19.8, truncated toward zero: sample 19 goes to index 0
    EXPECT_EQ(v[20], 39.0);
    EXPECT_EQ(v[21], 0.0);

    // However the blocks lie, a later block wins the samples it shares with an earlier one and
    // the rest of the span is 0. One sample per second over 10 s: offset t lands on 0.9 t.
    struct Layout {
        const char* what;
        std::vector<std::pair<double, int>> blocks;  // offset, count; block k holds 100k, 100k+1 ...
        std::vector<double> expected;
    };
    const Layout layouts[] = {
        {"a gap", {{0, 4}, {6, 3}}, {0, 1, 2, 3, 0, 100, 101, 102, 0, 0}},
        {"neighbours sharing a sample", {{0, 5}, {5, 3}}, {0, 1, 2, 3, 100, 101, 102, 0, 0, 0}},
        {"out of order", {{6, 3}, {0, 4}}, {100, 101, 102, 103, 0, 0, 1, 2, 0, 0}},
        {"one inside another", {{0, 8}, {3, 2}}, {0, 1, 100, 101, 4, 5, 6, 7, 0, 0}},
        {"one over all before it", {{2, 2}, {0, 6}}, {100, 101, 102, 103, 104, 105, 0, 0, 0, 0}},
        {"past the end", {{0, 3}, {9, 5}}, {0, 1, 2, 0, 0, 0, 0, 0, 100, 101}},
    };
    for (const Layout& l : layouts) {
        ZELDataBlockArray raw;
        for (std::size_t k = 0; k < l.blocks.size(); ++k)
            raw.Append(
                Ramp(kStart + l.blocks[k].first, 1, l.blocks[k].second, 100.0f * static_cast<float>(k)));
        const SignalVector s = ChannelSpanSignal(raw, kStart, 10);
        EXPECT_EQ(std::vector<double>(s.Values().begin(), s.Values().end()), l.expected) << l.what;
    }

    // A block without a rate gives the fresh vector; a span too long for the limit is refused.
    ZELDataBlockArray rateless;
    rateless.Append(Ramp(kStart, 0, 5, 0));
    EXPECT_EQ(ChannelSpanSignal(rateless, kStart, 10).Count(), 1u);
    EXPECT_EQ(ChannelSpanSignal(raw_, kStart, 0).Count(), 1u);
    ch.marks = TimeSpan{kStart + 1, kStart + 3};
    ch.spanLength = 1e9;
    EXPECT_EQ(ErrorOf("d3", &src_), "Error in d3: wrong number of samples 10000000000");
}

}  // namespace
}  // namespace zel::test
