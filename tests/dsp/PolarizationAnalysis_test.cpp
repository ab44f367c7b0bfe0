// Polarization analysis on synthetic three-component motion whose direction and shape are known
// by construction: P waves from given back-azimuths and incidences, pure north-south motion,
// circular motion, and windows with nothing to analyse.

#include "dsp/PolarizationAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "base/ZelError.h"
#include "dsp/FunctionsPolarization.h"
#include "events/ZELPhases.h"
#include "wave/PolarizationWindow.h"

namespace zel {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;

struct Motion {
    std::vector<double> z, x, y;
};

// A compressional P wavelet from back-azimuth `baz` at incidence `inc` (degrees): the first
// motion is up and away from the source. `noise` is the deviation of independent Gaussian noise
// on each component relative to the wavelet's peak.
Motion PWave(double baz, double inc, double noise, std::size_t n = 400, double scale = 1.0) {
    std::mt19937 gen(17);
    std::normal_distribution<double> g(0.0, noise);
    Motion m;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / 100.0;  // 100 sps, 3 Hz wavelet under a decay
        const double w = std::sin(2 * std::numbers::pi * 3 * t) * std::exp(-t);
        m.z.push_back(scale * (w * std::cos(inc * kRad) + g(gen)));
        m.x.push_back(scale * (-w * std::sin(inc * kRad) * std::cos(baz * kRad) + g(gen)));
        m.y.push_back(scale * (-w * std::sin(inc * kRad) * std::sin(baz * kRad) + g(gen)));
    }
    return m;
}

PolarizationResult Analyse(const Motion& m) { return PolarizationAnalysis(m.z, m.x, m.y); }

double AngleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

TEST(PolarizationAnalysis, APWaveGivesItsBackAzimuthAndIncidence) {
    const PolarizationResult r = Analyse(PWave(60, 30, 0.01));
    ASSERT_TRUE(r.defined);
    EXPECT_NEAR(r.azimuth, 60, 0.5);
    EXPECT_NEAR(r.incidence, 30, 0.5);
    EXPECT_NEAR(r.horizontalAzimuth, 60, 0.5);
    EXPECT_GT(r.rectilinearity, 0.99);
    EXPECT_GT(r.planarity, 0.99);

    // Every quadrant, including those where the unresolved axis would point 180 degrees away.
    for (double baz : {0.0, 135.0, 180.0, 240.0, 300.0, 359.0}) {
        const PolarizationResult q = Analyse(PWave(baz, 45, 0.01));
        EXPECT_NEAR(AngleDiff(q.azimuth, baz), 0, 0.5) << baz;
        EXPECT_NEAR(AngleDiff(q.horizontalAzimuth, baz), 0, 0.5) << baz;
        EXPECT_NEAR(q.incidence, 45, 0.5) << baz;
        EXPECT_GE(q.azimuth, 0);
        EXPECT_LT(q.azimuth, 360);
    }
    // The same motion in metres instead of counts gives the same angles.
    const PolarizationResult tiny = Analyse(PWave(60, 30, 0.01, 400, 1e-9));
    EXPECT_NEAR(tiny.azimuth, r.azimuth, 1e-3);
    EXPECT_NEAR(tiny.incidence, r.incidence, 1e-3);
    EXPECT_NEAR(tiny.rectilinearity, r.rectilinearity, 1e-6);
}

TEST(PolarizationAnalysis, MotionAlongALineIsFullyRectilinear) {
    // Without noise the covariance is singular; it is still decomposed.
    const PolarizationResult r = Analyse(PWave(60, 30, 0));
    ASSERT_TRUE(r.defined);
    EXPECT_NEAR(r.rectilinearity, 1, 1e-9);
    EXPECT_NEAR(r.planarity, 1, 1e-9);
    EXPECT_NEAR(r.azimuth, 60, 1e-6);
    EXPECT_NEAR(r.incidence, 30, 1e-6);

    // Pure north-south motion from the south, with and without a vertical part.
    for (double inc : {30.0, 90.0}) {
        const PolarizationResult ns = Analyse(PWave(180, inc, 0));
        ASSERT_TRUE(ns.defined) << inc;
        EXPECT_TRUE(std::isfinite(ns.horizontalAzimuth)) << inc;
        EXPECT_NEAR(ns.rectilinearity, 1, 1e-9) << inc;
        EXPECT_NEAR(ns.incidence, inc, 1e-6) << inc;
        // A horizontal line has no up to tell its two ends apart.
        if (inc < 90) {
            EXPECT_NEAR(AngleDiff(ns.azimuth, 180), 0, 1e-6);
            EXPECT_NEAR(AngleDiff(ns.horizontalAzimuth, 180), 0, 1e-6);
        } else {
            EXPECT_NEAR(std::remainder(ns.azimuth, 180.0), 0, 1e-6);
        }
    }
}

TEST(PolarizationAnalysis, CircularHorizontalMotionIsPlanarButNotLinear) {
    std::mt19937 gen(3);
    std::normal_distribution<double> g(0.0, 0.01);
    Motion m;
    for (int i = 0; i < 1000; ++i) {
        const double phase = 2 * std::numbers::pi * i / 100.0;
        m.z.push_back(g(gen));
        m.x.push_back(std::cos(phase));
        m.y.push_back(std::sin(phase));
    }
    const PolarizationResult r = Analyse(m);
    ASSERT_TRUE(r.defined);
    EXPECT_NEAR(r.rectilinearity, 0.5, 0.01);
    EXPECT_NEAR(r.planarity, 1, 0.01);
}

TEST(PolarizationAnalysis, WindowsWithoutMotionOrSamplesAreUndefined) {
    const std::vector<double> zero(50, 0.0), flat(50, 3.5);
    EXPECT_FALSE(PolarizationAnalysis(zero, zero, zero).defined);
    EXPECT_FALSE(PolarizationAnalysis(flat, zero, flat).defined);
    const std::vector<double> two = {1, -1}, three = {1, -1, 0.5};
    EXPECT_FALSE(PolarizationAnalysis(two, two, two).defined);
    EXPECT_TRUE(PolarizationAnalysis(three, three, three).defined);
    EXPECT_FALSE(PolarizationAnalysis({}, {}, {}).defined);
    // A single moving component is enough.
    const Motion p = PWave(0, 90, 0);
    const PolarizationResult r = PolarizationAnalysis(zero, p.x, zero);
    EXPECT_TRUE(r.defined);
}

TEST(PolarizationFormula, SlidingWindowsUseTheSameAnalysis) {
    const Motion m = PWave(240, 30, 0.01, 200);
    const SignalVector z(m.z, 0.01), x(m.x, 0.01), y(m.y, 0.01);
    const SignalVector az = Polarization(z, x, y, 50, PolarizationMeasure::Azimuth);
    const SignalVector rect = Polarization(z, x, y, 50, PolarizationMeasure::Rectilinearity);
    for (std::size_t s = 50; s < 150; ++s) {
        const PolarizationResult r = PolarizationAnalysis(std::span(m.z).subspan(s, 50),
                                                          std::span(m.x).subspan(s, 50),
                                                          std::span(m.y).subspan(s, 50));
        ASSERT_EQ(az[s], r.azimuth) << s;
        ASSERT_EQ(rect[s], r.rectilinearity) << s;
    }
    // The upward convention holds in the formula too: 240, not 60.
    EXPECT_NEAR(AngleDiff(az[60], 240), 0, 1);
    // A noiseless line in every window: rectilinearity 1, not 0.
    const Motion line = PWave(60, 30, 0, 200);
    const SignalVector lr = Polarization(SignalVector(line.z, 0.01), SignalVector(line.x, 0.01),
                                         SignalVector(line.y, 0.01), 20, PolarizationMeasure::Rectilinearity);
    EXPECT_NEAR(lr[100], 1, 1e-9);
    // Windows of fewer than 3 samples give 0.
    const SignalVector short2 = Polarization(z, x, y, 2, PolarizationMeasure::Planarity);
    for (std::size_t s = 0; s < short2.Count(); ++s) ASSERT_EQ(short2[s], 0) << s;
}

TEST(PolarizationWindow, MarkedIntervalsNamesAndThePick) {
    // Names of pane signals.
    ASSERT_TRUE(ParsePaneSignalName("t12"));
    EXPECT_EQ(ParsePaneSignalName("t12")->number, 12);
    EXPECT_TRUE(ParsePaneSignalName("T3")->transformed);
    EXPECT_FALSE(ParsePaneSignalName("d3")->transformed);
    for (const char* bad : {"", "d", "w3", "d-1", "d3x", "d 3", "sd3"}) EXPECT_FALSE(ParsePaneSignalName(bad)) << bad;
    EXPECT_EQ(PaneSignalText(4, true), "t4");
    EXPECT_EQ(ParseWorkspaceWindowName("W12"), 12);
    EXPECT_FALSE(ParseWorkspaceWindowName("d1"));
    EXPECT_FALSE(ParseWorkspaceWindowName("w"));

    // The interval from 1.0 s to 3.0 s of signals starting at 100 s, at 100 sps: samples 100..299,
    // marks in either order.
    const Motion m = PWave(300, 20, 0.01, 1000);
    const SignalVector z(m.z, 0.01), x(m.x, 0.01), y(m.y, 0.01);
    const ComponentWindow w = MarkedWindow(z, x, y, 100.0, 103.0, 101.0);
    EXPECT_EQ(w.z.size(), 200u);
    EXPECT_EQ(w.z.data(), z.Values().data() + 100);
    const PolarizationResult r = AnalyseMarkedInterval(z, x, y, 100.0, 101.0, 103.0);
    EXPECT_NEAR(r.azimuth, 300, 1.0);

    const SignalVector other(m.y, 0.02);
    auto message = [&](auto&& call) {
        try {
            call();
        } catch (const ZelError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { AnalyseMarkedInterval(z, x, other, 100, 101, 103); }),
              "Каналы имеют разную частоту квантования");
    EXPECT_EQ(message([&] { AnalyseMarkedInterval(z, x, SignalVector({1.0}, 0.01), 100, 101, 103); }), "Ошибка данных");
    EXPECT_EQ(message([&] { AnalyseMarkedInterval(z, x, y, 100, 101, 101.02); }), "Ошибка данных");  // 2 samples
    EXPECT_EQ(message([&] { AnalyseMarkedInterval(z, x, y, 100, 120, 121); }), "Ошибка данных");     // past the end
    // Near the end the interval is cut to what the signals hold.
    EXPECT_EQ(MarkedWindow(z, x, y, 100, 109.9, 115).z.size(), 10u);

    // Only a defined result reaches the pick, and only the pick of that channel and phase.
    ZELPhases phases;
    SEISMIC_PHASE pick;
    pick.stationIndex = 2;
    pick.channelIndex = 3;
    pick.phaseIndex = 0;
    phases.Add(pick);
    const std::vector<double> zero(100, 0.0);
    const PolarizationResult none = PolarizationAnalysis(zero, zero, zero);
    EXPECT_FALSE(StorePolarization(phases, 2, 3, 0, none));
    EXPECT_EQ(phases.Find(2, 3, 0)->hasAzimuth, 0);
    EXPECT_FALSE(StorePolarization(phases, 2, 4, 0, r));
    ASSERT_TRUE(StorePolarization(phases, 2, 3, 0, r));
    const SEISMIC_PHASE* stored = phases.Find(2, 3, 0);
    EXPECT_EQ(stored->hasAzimuth, 1);
    EXPECT_FLOAT_EQ(stored->azimuth, static_cast<float>(r.azimuth));
    EXPECT_FLOAT_EQ(stored->emergence, static_cast<float>(r.incidence));
    EXPECT_FLOAT_EQ(stored->planarity, static_cast<float>(r.planarity));
    EXPECT_FLOAT_EQ(stored->rectilinearity, static_cast<float>(r.rectilinearity));
}

}  // namespace
}  // namespace zel
