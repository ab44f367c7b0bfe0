// The two STA/LTA detectors: the floating-point one against an independent NumPy transcription on
// a real trace, both on synthetic bursts whose trigger samples are worked out by hand, and the
// faults a long or offset channel used to expose.

#include "dsp/StaLtaDetector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "support/TempDir.h"

namespace zel {
namespace {

const std::string kData = std::string(ZEL_TEST_DATA_DIR) + "/detector/";

std::vector<float> RjobCounts() {
    std::ifstream in(kData + "rjob_z_counts.txt");
    std::vector<float> x;
    double v;
    while (in >> v) x.push_back(static_cast<float>(v));
    return x;
}

std::vector<std::vector<double>> Csv(const std::string& name) {
    std::ifstream in(kData + name);
    std::vector<std::vector<double>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<double> cells;
        std::stringstream s(line);
        std::string cell;
        while (std::getline(s, cell, ',')) cells.push_back(std::stod(cell));
        rows.push_back(cells);
    }
    return rows;
}

// Small deterministic noise in (-1, 1).
struct Noise {
    std::uint32_t state = 2024;
    double operator()() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

DetectorParams Params(double tlta, double tsta, double k) {
    DetectorParams p;
    p.tlta = tlta;
    p.tsta = tsta;
    p.k = k;
    return p;
}

// Trigger sample indices (rising edges) of a run.
template <class Detector>
std::vector<std::size_t> Rises(Detector& d, const std::vector<float>& x, double rate) {
    d.Start(rate);
    std::vector<std::size_t> rises;
    bool was = false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const bool on = d.Step(x[i]);
        if (on && !was) rises.push_back(i);
        was = on;
    }
    return rises;
}

TEST(ZelDetector, MatchesTheReferenceTranscriptionOnTheRjobTrace) {
    const std::vector<float> x = RjobCounts();
    ASSERT_EQ(x.size(), 12000u);
    const auto expected = Csv("zel_detector_loc_RJOB20050831023349_z.csv");
    ASSERT_EQ(expected.size(), x.size());
    CZELDetector d;
    d.SetParams(Params(10, 1, 4));
    d.Start(200);
    int on = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const bool trig = d.Step(x[i]);
        ASSERT_EQ(trig, expected[i][2] != 0) << "sample " << i;
        ASSERT_NEAR(d.Ratio(), expected[i][1], 1e-4 * std::fabs(expected[i][1])) << "sample " << i;
        on += trig;
    }
    EXPECT_EQ(on, 1113);

    const auto triggers = Csv("zel_detector_triggers.csv");
    ASSERT_EQ(triggers.size(), 1u);
    const double start = 1125455629.85;  // 2005-08-31 02:33:49.850
    DetectParam list;
    RunZelDetector(d, x, 200, start, list);
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_NEAR(list.time[0] - start, triggers[0][1], 1e-6);
    EXPECT_NEAR(list.time[1] - start, triggers[0][2], 1e-5);
    EXPECT_EQ(list.tlta[1], 10);
    EXPECT_EQ(list.tsta[1], 1);
}

// A run adds entries only where the state turns on, however the samples end: a trace that ends
// while triggered (the hold-off outlasting it) has one detection per burst, as sample-by-sample
// stepping finds.
TEST(ZelDetector, RunListsOneDetectionPerRiseAlsoWhenTheTraceEndsTriggered) {
    for (std::size_t length : {4000u, 3551u, 3501u, 9000u}) {
        std::vector<float> x(length, 0.0f);
        for (std::size_t i = 3500; i < std::min<std::size_t>(3550, length); ++i) x[i] = i % 2 ? -5.0f : 5.0f;
        CZELDetector d;
        const std::vector<std::size_t> rises = Rises(d, x, 100);
        ASSERT_EQ(rises, std::vector<std::size_t>{3500}) << length;
        DetectParam list;
        RunZelDetector(d, x, 100, 0.0, list);
        ASSERT_EQ(list.Size(), 2u) << length;
        EXPECT_NEAR(list.time[0], 35.0 - 0.5, 1e-9) << length;
    }
}

TEST(ZelDetector, TriggersOnTheFirstSampleOfEachBurstAndHoldsFiveSeconds) {
    // Silence with two half-second bursts of +-50 at 100 sps. Over silence both variances are 0
    // and nothing triggers; the first burst sample makes the short variance positive against a
    // long one of 0. Each burst stays on through its passage and five seconds of hold-off: one
    // trigger, two entries.
    std::vector<float> x(12000, 0.0f);
    for (std::size_t i = 0; i < 50; ++i) x[5000 + i] = x[9000 + i] = (i % 2 ? -50.0f : 50.0f);
    CZELDetector d;
    d.SetParams(Params(10, 1, 4));
    EXPECT_EQ(Rises(d, x, 100), (std::vector<std::size_t>{5000, 9000}));

    DetectParam list;
    RunZelDetector(d, x, 100, 1000.0, list);
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_DOUBLE_EQ(list.time[0], 1000.0 + 50.0 - 0.5);  // middle of the short window
    // The slope at the burst's first sample is (0 - 50) * 100 / 2; the long mean is 0: 0.02 s.
    EXPECT_DOUBLE_EQ(list.time[1], 1000.0 + 50.0 - 0.02);
    EXPECT_DOUBLE_EQ(list.time[2], 1000.0 + 90.0 - 0.5);

    // The output goes on at 5000, stays on while the burst moves through the short window and
    // for the 500 samples of hold-off after it, and is off again before 5650.
    d.Start(100);
    std::size_t lastOn = 0;
    for (std::size_t i = 0; i < 7000; ++i) {
        const bool on = d.Step(x[i]);
        if (i < 5600) {
            ASSERT_EQ(on, i >= 5000) << i;
        }
        if (on) lastOn = i;
    }
    EXPECT_LT(lastOn, 5650u);
}

TEST(ZelDetector, NothingTriggersInTheWarmUp) {
    // With Tlta 10 s and Tsta 1 s at 100 sps the first 3301 samples cannot trigger. A burst
    // starting at 3000 fills the short window; at 3301 the long window holds 202 burst samples,
    // so the ratio is 1000/202 > 4 and the first allowed sample triggers.
    std::vector<float> x(4000, 0.0f);
    for (std::size_t i = 3000; i < 3400; ++i) x[i] = (i % 2 ? -7.0f : 7.0f);
    CZELDetector d;
    d.SetParams(Params(10, 1, 4));
    EXPECT_EQ(Rises(d, x, 100), (std::vector<std::size_t>{3301}));
    // Zeros have no variance at all: the ratio is 1e8, yet 0 > 4 * 0 never holds.
    std::vector<float> zeros(5000, 0.0f);
    EXPECT_TRUE(Rises(d, zeros, 100).empty());
    EXPECT_EQ(d.Ratio(), 1e8f);
}

TEST(ZelDetector, LargeOffsetsAndLongChannelsGiveNoFalseTriggers) {
    // An hour of noise of +-10 counts on a DC level of a million: the running variances must not
    // lose the noise to cancellation or drift, and the hold-off starts at 0 (no trigger at the
    // end of the warm-up).
    Noise noise;
    std::vector<float> x(360000);
    for (float& v : x) v = static_cast<float>(1e6 + 10 * noise());
    CZELDetector d;
    d.SetParams(Params(10, 1, 4));
    EXPECT_TRUE(Rises(d, x, 100).empty());
    EXPECT_GT(d.Ratio(), 0.5f);
    EXPECT_LT(d.Ratio(), 2.0f);
    // A burst on top of the offset is still found, on its first sample.
    for (std::size_t i = 200000; i < 200100; ++i) x[i] += (i % 2 ? -300.0f : 300.0f);
    EXPECT_EQ(Rises(d, x, 100), (std::vector<std::size_t>{200000}));
}

TEST(ZelDetector, WindowsShorterThanTwoSamplesAreTwoSamplesLong) {
    // At 1 sps a 0.1 s short window would hold no sample: it holds two (one sample has no
    // variance), and the run completes.
    Noise noise;
    std::vector<float> x(200);
    for (float& v : x) v = static_cast<float>(noise());
    x[150] = 100;
    CZELDetector d;
    d.SetParams(Params(10, 0.1, 4));
    d.Start(1);
    EXPECT_EQ(d.Nsta(), 2u);
    EXPECT_EQ(d.Nlta(), 10u);
    EXPECT_EQ(Rises(d, x, 1), (std::vector<std::size_t>{150}));
    EXPECT_THROW(d.Start(0), ZelError);
    EXPECT_THROW(d.Start(std::nan("")), ZelError);
    CGeotechDetector g;
    g.SetParams(Params(10, 0.1, 4));
    EXPECT_NO_THROW(Rises(g, x, 1));
    EXPECT_THROW(g.Start(-1), ZelError);
}

TEST(GeotechDetector, StepsAreWorkedOutByHand) {
    // Silence, then a step to 2000 counts at sample 5000 (input 1000 after halving). The level
    // jumps by 1000 / 2200, the short average by 1000 / 100 = 10, the long one by 1000 / 1000
    // = 1: ratio 10 in 16.16, above K = 4.
    std::vector<float> x(6000, 0.0f);
    for (std::size_t i = 5000; i < x.size(); ++i) x[i] = 2000.5f;  // the fraction is dropped
    CGeotechDetector g;
    g.SetParams(Params(10, 1, 4));
    g.Start(100);
    for (std::size_t i = 0; i < 5000; ++i) ASSERT_FALSE(g.Step(x[i]));
    EXPECT_TRUE(g.Step(x[5000]));
    EXPECT_EQ(g.Ratio(), 10 << 16);

    // A negative sample is its low 16 bits unsigned: -2 is 65534, halved 32767. Short average
    // 327 remainder 67, long one 32 remainder 767: ratio 10 + (65535 div 32) * 7 / 65536.
    for (std::size_t i = 5000; i < x.size(); ++i) x[i] = -2.0f;
    g.Start(100);
    for (std::size_t i = 0; i < 5000; ++i) ASSERT_FALSE(g.Step(x[i]));
    EXPECT_TRUE(g.Step(x[5000]));
    EXPECT_EQ(g.Ratio(), (10 << 16) + 2047 * 7);

    // Whole multiples of 65536 do not change the input.
    Noise noise;
    std::vector<float> a(8000), b(8000);
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = static_cast<float>(std::trunc(1000 + 100 * noise()) + (i > 6000 && i < 6100 ? 5000 : 0));
        b[i] = a[i] + 3 * 65536.0f;
    }
    CGeotechDetector h;
    h.SetParams(Params(10, 1, 4));
    EXPECT_EQ(Rises(g, a, 100), Rises(h, b, 100));
    EXPECT_FALSE(Rises(g, a, 100).empty());
}

TEST(GeotechDetector, LongWindowsNeitherWrapNorRetrigger) {
    // Tlta 999 s at 100 sps: the level average runs over 2 * 100000 samples, far beyond 16
    // bits. The warm-up lasts exactly that long and a day's count of samples does not restart it.
    const std::size_t n = 2 * (99900 + 100);
    Noise noise;
    std::vector<float> x(n + 300000);
    for (float& v : x) v = static_cast<float>(std::trunc(200 + 50 * noise()));
    for (std::size_t i = n + 250000; i < n + 250200; ++i) x[i] += (i % 2 ? -8000.0f : 8000.0f);
    CGeotechDetector g;
    g.SetParams(Params(999, 1, 4));
    const auto rises = Rises(g, x, 100);
    ASSERT_EQ(rises.size(), 1u);
    EXPECT_GE(rises[0], n + 250000);
    EXPECT_LT(rises[0], n + 250010);
}

TEST(DetectorDefaults, ReadTheChannelKeyWithTheirDefaultsAndLimits) {
    test::TempDir dir;
    PrivateProfile registry(dir.file("registry.ini"));
    DetectorParams p = LoadDetectorDefaults(registry, "ARS", "SHZ");
    EXPECT_EQ(p.tlta, 10);
    EXPECT_EQ(p.tsta, 1);
    EXPECT_EQ(p.k, 4);
    EXPECT_FALSE(p.filter);

    const std::string section = DetectorSection("ARS", "SHZ");
    EXPECT_EQ(section, "ZEL\\Detector\\ARS\\SHZ");
    registry.write({{section, "Tlta", "20.5"}, {section, "Tsta", "0.5s"}, {section, "K", "3.25"},
                    {section, "Filter", "1"}});
    p = LoadDetectorDefaults(registry, "ARS", "SHZ");
    EXPECT_EQ(p.tlta, 20.5);
    EXPECT_EQ(p.tsta, 0.5);
    EXPECT_EQ(p.k, 3.25);
    EXPECT_TRUE(p.filter);
    // Another channel keeps the defaults.
    EXPECT_EQ(LoadDetectorDefaults(registry, "ARS", "SHN").tlta, 10);

    // Values the pages would refuse come to their nearest limit; "0..." means off.
    registry.write({{section, "Tlta", "0"}, {section, "Tsta", "1e9"}, {section, "K", "nonsense"},
                    {section, "Filter", "0 (off)"}});
    p = LoadDetectorDefaults(registry, "ARS", "SHZ");
    EXPECT_EQ(p.tlta, kTltaMin);
    EXPECT_EQ(p.tsta, kTstaMax);
    EXPECT_EQ(p.k, kThresholdMin);
    EXPECT_FALSE(p.filter);
}

}  // namespace
}  // namespace zel
