// Butterworth design and application against SciPy references (tests/data/filter, see README),
// and long runs cut into stretches against one plain run.

#include "dsp/Butterworth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/ZelError.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/SignalVector.h"

namespace zel {
namespace {

std::string DataPath(const std::string& name) { return std::string(ZEL_TEST_DATA_DIR) + "/filter/" + name; }

// Rows of numbers of a text file, '#' lines skipped.
std::vector<std::vector<double>> ReadRows(const std::string& name) {
    std::ifstream in(DataPath(name));
    EXPECT_TRUE(in) << name << " is missing";
    std::vector<std::vector<double>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        std::vector<double> row;
        for (double v; s >> v;) row.push_back(v);
        rows.push_back(row);
    }
    return rows;
}

// |H(e^{i w T})| of the designed cascade.
double Gain(const SectionCascade& s, double f, double dt) {
    const std::complex<double> z1 = std::polar(1.0, -2 * M_PI * f * dt);
    std::complex<double> h = 1;
    for (int k = 0; k < s.count; ++k)
        h *= (double(s.b[k][0]) + double(s.b[k][1]) * z1 + double(s.b[k][2]) * z1 * z1) /
             (1.0 + double(s.a[k][1]) * z1 + double(s.a[k][2]) * z1 * z1);
    return std::abs(h);
}

TEST(Butterworth, FrequencyResponseMatchesScipy) {
    struct Case {
        const char* file;
        const char* type;
        int order;
        double low, high, fs;
        int sections;
    };
    const Case cases[] = {
        {"freqresp_lp.txt", "LP", 4, 0, 5, 100, 2},
        {"freqresp_hp.txt", "HP", 3, 2, 0, 100, 2},
        {"freqresp_bp.txt", "BP", 4, 1, 5, 100, 4},
        {"freqresp_br.txt", "BR", 4, 2, 8, 100, 4},
        {"freqresp_bp_low_order8.txt", "BP", 8, 0.2, 0.5, 20, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const SectionCascade s = DesignButterworth(c.order, c.type, c.low, c.high, 1 / c.fs);
        EXPECT_EQ(s.count, c.sections);
        const auto rows = ReadRows(c.file);
        ASSERT_GT(rows.size(), 50u);
        for (const auto& r : rows) {
            const double ours = Gain(s, r[0], 1 / c.fs);
            EXPECT_NEAR(ours, r[1], 0.01 * r[1] + 1e-4) << "f " << r[0];
        }
        for (double edge : {c.low, c.high}) {
            if (edge <= 0) continue;
            EXPECT_NEAR(Gain(s, edge, 1 / c.fs), M_SQRT1_2, 0.01 * M_SQRT1_2) << "edge " << edge;
        }
    }
}

TEST(Butterworth, SectionCountsFollowTheOrder) {
    struct Case {
        int order;
        const char* type;
        int sections;
    };
    // Odd orders add one first-order section (real pole); band forms double the complex pairs.
    for (const Case& c : {Case{1, "LP", 1}, Case{2, "HP", 1}, Case{5, "LP", 3}, Case{9, "BP", 9},
                          Case{10, "BP", 10}, Case{10, "BR", 10}, Case{15, "BP", 10}, Case{3, "XX", 0}}) {
        EXPECT_EQ(DesignButterworth(c.order, c.type, 1, 5, 0.01).count, c.sections) << c.order << c.type;
    }
}

TEST(Butterworth, RealTraceMatchesScipyOneWayAndBothWays) {
    std::vector<float> input;
    for (const auto& r : ReadRows("rjob_input.txt")) input.push_back(static_cast<float>(r[0]));
    ASSERT_EQ(input.size(), 1750u);
    struct Case {
        const char* file;
        const char* type;
        double low, high;
    };
    for (const Case& c : {Case{"rjob_bp_1_5_n4.txt", "BP", 1, 5}, Case{"rjob_lp_5_n4.txt", "LP", 0, 5},
                          Case{"rjob_hp_1_n4.txt", "HP", 1, 0}}) {
        SCOPED_TRACE(c.file);
        const auto ref = ReadRows(c.file);
        ASSERT_EQ(ref.size(), input.size());
        const SectionCascade s = DesignButterworth(4, c.type, c.low, c.high, 1 / 200.0);
        std::vector<float> one = input, two = input;
        ApplySectionsZeroPhase(one, false, s);
        ApplySectionsZeroPhase(two, true, s);
        double peak1 = 0, peak2 = 0;
        for (const auto& r : ref)
            peak1 = std::max(peak1, std::abs(r[0])), peak2 = std::max(peak2, std::abs(r[1]));
        for (std::size_t i = 0; i < input.size(); ++i) {
            ASSERT_NEAR(one[i], ref[i][0], 2e-4 * peak1) << i;
            ASSERT_NEAR(two[i], ref[i][1], 2e-4 * peak2) << i;
        }
    }
}

TEST(Butterworth, ChannelPathOnTheRealTrace) {
    std::vector<float> input;
    for (const auto& r : ReadRows("rjob_input.txt")) input.push_back(static_cast<float>(r[0]));
    double mean = 0;
    for (float v : input) mean += v;
    mean /= static_cast<double>(input.size());
    struct Case {
        const char* file;
        int type;
        double low, high;
    };
    for (const Case& c : {Case{"channel_bp_1_5_n4.txt", 0, 1, 5}, Case{"channel_lp_5_n4.txt", 1, 0, 5},
                          Case{"channel_hp_1_n4.txt", 3, 1, 0}}) {
        SCOPED_TRACE(c.file);
        const auto ref = ReadRows(c.file);
        ASSERT_EQ(ref.size(), input.size());
        std::vector<float> x = input;
        for (float& v : x) v = static_cast<float>(v - mean);
        FilterSamples(x, 1 / 200.0, c.type, 4, c.low, c.high, true);
        double peak = 0;
        for (const auto& r : ref) peak = std::max(peak, std::abs(r[0]));
        for (std::size_t i = 0; i < x.size(); ++i) ASSERT_NEAR(x[i], ref[i][0], 2e-4 * peak) << i;
    }
}

TEST(Butterworth, ZeroPhaseKeepsASymmetricPulseInPlace) {
    std::vector<float> x(2001, 0.0f);
    for (int i = -40; i <= 40; ++i) x[1000 + i] = static_cast<float>(std::exp(-i * i / 200.0));
    FilterSamples(x, 0.01, 0, 4, 0.5, 10, true);
    const auto peak = std::max_element(x.begin(), x.end()) - x.begin();
    EXPECT_EQ(peak, 1000);
}

TEST(Butterworth, CosineTaperEnds) {
    std::vector<float> x(200, 1.0f);
    CosineTaper(x, 5);  // m = 10, step pi/20
    EXPECT_EQ(x[0], 0.0f);
    EXPECT_NEAR(x[5], std::sin(M_PI / 20 * 5), 1e-6);
    EXPECT_EQ(x[10], 1.0f);
    EXPECT_NEAR(x[199], std::sin(M_PI / 20), 1e-6);
    std::vector<float> tiny(3, 1.0f);  // fewer than 20 samples: nothing to taper, no division by zero
    CosineTaper(tiny, 5);
    EXPECT_EQ(tiny, std::vector<float>(3, 1.0f));
}

TEST(Butterworth, LowFrequencyHighOrderBandPassStaysBounded) {
    std::mt19937 rng(7);
    std::normal_distribution<float> noise(0, 1000);
    std::vector<float> x(360000);
    for (float& v : x) v = noise(rng);
    FilterSamples(x, 0.01, 0, 10, 0.05, 0.1, true);
    double peak = 0;
    for (float v : x) {
        ASSERT_TRUE(std::isfinite(v));
        peak = std::max(peak, double(std::abs(v)));
    }
    // White noise of 1000 through a 0.05 Hz band at 100 sps keeps a few tens of counts.
    EXPECT_LT(peak, 1000.0);
    EXPECT_GT(peak, 1.0);
}

TEST(Butterworth, ARunCutIntoStretchesIsOneRunFromTheFirstSample) {
    // A run this long goes through the sections in four stretches side by side; one sample
    // shorter it is one plain run. The filter is causal, so the long run's first samples must be
    // the short run's, up to float32 rounding. The slowest low-pass still rings across a whole
    // stretch, and the odd-order band-reject has a first-order section.
    constexpr std::size_t kStretched = 4 * 65536 + 3, kPlain = 4 * 65536 - 1;
    std::mt19937 rng(11);
    std::normal_distribution<float> noise(0, 1000);
    std::vector<float> x(kStretched + 4);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = noise(rng) + 3000.0f * std::sin(0.0007f * i);
    struct Design {
        int order;
        const char* type;
        double low, high;
    };
    for (const Design& d : {Design{10, "LP", 0, 0.05}, Design{2, "LP", 0, 0.002}, Design{4, "BP", 1, 5},
                            Design{2, "HP", 20, 0}, Design{5, "BR", 2, 3}}) {
        SCOPED_TRACE(d.type);
        const SectionCascade sections = DesignButterworth(d.order, d.type, d.low, d.high, 0.01);
        std::vector<float> stretched(x.begin(), x.begin() + kStretched), plain(x.begin(), x.begin() + kPlain);
        ApplySections(stretched, sections);
        ApplySections(plain, sections);
        double peak = 0;
        for (float v : plain) peak = std::max(peak, double(std::abs(v)));
        double worst = 0;
        for (std::size_t i = 0; i < kPlain; ++i)
            worst = std::max(worst, double(std::abs(stretched[i] - plain[i])));
        EXPECT_LE(worst, 1e-6 * peak);
        // Four samples more move the stretches' edges and put the last samples inside a stretch.
        std::vector<float> longer = x;
        ApplySections(longer, sections);
        worst = 0;
        for (std::size_t i = 0; i < kStretched; ++i)
            worst = std::max(worst, double(std::abs(longer[i] - stretched[i])));
        EXPECT_LE(worst, 1e-6 * peak);
        // Backward is forward over the reversed samples.
        std::vector<float> both = x, reversed = x;
        ApplySectionsZeroPhase(both, true, sections);
        ApplySections(reversed, sections);
        std::reverse(reversed.begin(), reversed.end());
        ApplySections(reversed, sections);
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(both, reversed);
    }
    // A sample that is not a number spoils every later one in one plain run, and so across
    // the stretches.
    std::vector<float> spoiled(x.begin(), x.begin() + kStretched);
    spoiled[1000] = NAN;
    ApplySections(spoiled, DesignButterworth(4, "BP", 1, 5, 0.01));
    EXPECT_TRUE(
        std::all_of(spoiled.begin(), spoiled.begin() + 1000, [](float v) { return std::isfinite(v); }));
    EXPECT_TRUE(
        std::none_of(spoiled.begin() + 1000, spoiled.end(), [](float v) { return std::isfinite(v); }));
}

TEST(Butterworth, ChannelPathRefusesBadEdges) {
    struct Case {
        int type;
        double low, high;
    };
    // BP 0.9 > 0.5, zero or negative edges the type uses, edges at or above Nyquist (50 Hz), code 4.
    for (const Case& c : {Case{0, 0.9, 0.5}, Case{2, 3, 3}, Case{0, 0, 5}, Case{1, 0, -1}, Case{3, 0, 5},
                          Case{3, 50, 0}, Case{0, 1, 60}, Case{4, 1, 5}, Case{7, 1, 5}}) {
        std::vector<float> x(100, 1.0f);
        EXPECT_THROW(FilterSamples(x, 0.01, c.type, 3, c.low, c.high, false), ZelError)
            << c.type << " " << c.low << " " << c.high;
    }
    std::vector<float> x(100, 1.0f);  // the unused edge of LP/HP may be anything
    EXPECT_NO_THROW(FilterSamples(x, 0.01, 1, 3, -7, 5, false));
    EXPECT_NO_THROW(FilterSamples(x, 0.01, 3, 3, 5, 999, false));
}

class ButterFormulaTest : public ::testing::Test {
  protected:
    std::vector<double> Run(double lfr, double hfr, int n) {
        std::vector<double> v = input_;
        ButterFormula(v, 0.01, lfr, hfr, n);
        return v;
    }
    std::vector<double> Designed(const char* type, int order, double lo, double hi) {
        std::vector<double> v = input_;
        ApplySections(std::span<double>(v), DesignButterworth(order, type, lo, hi, 0.01));
        return v;
    }
    std::vector<double> input_ = [] {
        std::vector<double> v(500);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = std::sin(0.3 * i) + 0.5 * std::sin(2.1 * i) + (i == 7);
        return v;
    }();
};

TEST_F(ButterFormulaTest, TypeAndOrderFromTheArguments) {
    EXPECT_EQ(Run(0, 0, 4), input_);
    EXPECT_EQ(Run(2, 2, 4), input_);
    EXPECT_EQ(Run(0, 5, 4), Designed("LP", 4, 0, 5));
    EXPECT_EQ(Run(5, 0, 4), Designed("HP", 4, 5, 0));
    EXPECT_EQ(Run(1, 5, 4), Designed("BP", 4, 1, 5));
    EXPECT_EQ(Run(1, 5, 1), Designed("BP", 2, 1, 5));
    EXPECT_EQ(Run(1, 5, 15), Designed("BP", 10, 1, 5));
}

TEST_F(ButterFormulaTest, BadEdgesAreFormulaErrors) {
    for (auto [lo, hi] : {std::pair{0.9, 0.5}, std::pair{-1.0, 5.0}, std::pair{0.0, 50.0},
                          std::pair{60.0, 0.0}, std::pair{1.0, 70.0}}) {
        std::vector<double> v = input_;
        EXPECT_THROW(ButterFormula(v, 0.01, lo, hi, 4), FormulaError) << lo << " " << hi;
    }
}

}  // namespace
}  // namespace zel
