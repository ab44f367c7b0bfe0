// The F-K grid search: hand-worked beams, and plane waves across the demo array.

#include "dsp/Fk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "base/MessageSink.h"
#include "data/Catalogue.h"
#include "data/demo/DemoDiskLoop.h"
#include "data/demo/DemoPhysics.h"
#include "db/Databases.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

TEST(FkBeam, HandWorkedBeamLeavesTheSampleAtTheEndMarkOut) {
    // One channel at 1 sps from 0, marks [3, 0]: beam of 3 bins, samples at 0, 1, 2; the sample
    // at 3 lies on T2 and stays out. Power 1 + 4 + 9 = 14 at every point (no offsets).
    FkChannel c{{1, 2, 3, 4, 5}, 0.0, 1.0, 3.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(FkBeamLength({c}, 1.0), 3u);
    const FkResult single = FkGridSearch({c}, 1.0, {-1.0, 1.0, 4});
    ASSERT_EQ(single.points.size(), 16u);
    EXPECT_EQ(single.best, 0u);  // every point alike: the first wins
    EXPECT_EQ(single.points[0].px, -1.0f);
    EXPECT_EQ(single.points[1].py, -0.5f);
    EXPECT_EQ(single.points[15].px, 0.5f);  // max itself is not a grid value
    EXPECT_EQ(single.minPower, 1.0);

    // A pulse at 1 s seen by the reference and by a station 1 km east (marks [0, 4], 4 bins).
    // Px 0 stacks both into bin 1: power 4. Px -1 moves the copy to bin 0: 1 + 1 = 2. Px 0.5
    // moves it half a bin, which truncation puts back into bin 1: 4 again, later, so Px 0 wins.
    FkChannel pulse{{0, 1, 0, 0, 0}, 0.0, 1.0, 0.0, 4.0, 0.0, 0.0};
    FkChannel east = pulse;
    east.deast = 1.0;
    const FkResult two = FkGridSearch({pulse, east}, 1.0, {-1.0, 1.0, 4});
    EXPECT_EQ(two.points[two.best].px, 0.0f);
    EXPECT_EQ(two.points[two.best].py, -1.0f);
    EXPECT_EQ(two.points[0].power, 0.5);
    EXPECT_EQ(two.points[12].power, 1.0);
    EXPECT_EQ(two.minPower, 0.5);
    EXPECT_TRUE(FkGridSearch({}, 1.0, {}).Empty());
    EXPECT_TRUE(FkGridSearch({c}, 1.0, {0.5, 0.5, 10}).Empty());
}

TEST(FkBeam, EpochTimesFillEveryBinOnce) {
    // Seventy seconds of ones from a station 3.7 km east, marks on the first sample at epoch time:
    // moved by 0 or -0.37 s the beam holds 6000 ones either way, so every point has the same power.
    // A sample time's rounding error (a tenth of a microsecond at epoch times) must not double
    // one bin and empty another.
    const double start = 1371212925.601713;
    FkChannel ones{std::vector<float>(7000, 1.0f), start, 100.0, start, start + 60, 0.0, 3.7};
    const FkResult r = FkGridSearch({ones}, 100.0, {-0.1, 0.1, 2});
    ASSERT_EQ(r.points.size(), 4u);
    EXPECT_EQ(r.minPower, 1.0);
}

// Every point's power as the binning rule gives it sample by sample: the search's contiguous
// stacking of equal-rate channels, its side-by-side summation and its split of the rows over
// threads must give the same numbers, at epoch and at small times, on marks that fall between
// samples, for channels that start between samples and for a channel of another rate.
TEST(FkBeam, EveryPowerEqualsTheSampleBySampleBinning) {
    std::uint32_t state = 7;
    auto uniform = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 16777216.0;
    };
    for (int trial = 0; trial < 12; ++trial) {
        const double base = trial % 2 ? 1371211200.0 : 0.0;
        const double mark1 = base + 2 + (trial >= 4 ? uniform() : 0.0);
        const double mark2 = mark1 + 3 + (trial >= 6 ? uniform() : 0.0);
        std::vector<FkChannel> channels;
        for (int c = 0; c < 5; ++c) {
            const double sps = trial >= 10 && c == 2 ? 40.0 : 100.0;
            FkChannel ch{{},
                         base + (trial >= 8 ? uniform() * 0.05 : 0.0),
                         sps,
                         mark1,
                         mark2,
                         (uniform() - 0.5) * 8,
                         (uniform() - 0.5) * 8};
            for (int k = 0; k < 8 * sps; ++k) ch.samples.push_back(static_cast<float>(uniform() - 0.5));
            channels.push_back(ch);
        }
        const FkGrid grid{-0.6, 0.6, 7};  // 7 per row: a group of four points and one of three
        const FkResult r = FkGridSearch(channels, 100.0, grid);
        ASSERT_EQ(r.points.size(), 49u);
        const std::size_t n = FkBeamLength(channels, 100.0);
        std::vector<double> power;
        const double step = (grid.max - grid.min) / grid.intervals;
        for (int i = 0; i < 49; ++i) {
            const double px = grid.min + (i / 7) * step, py = grid.min + (i % 7) * step;
            std::vector<double> beam(n, 0.0);
            for (const FkChannel& c : channels)
                for (std::size_t k = 0; k < c.samples.size(); ++k) {
                    const double t = (c.start - mark1) + FkDelay(px, py, c.dnorth, c.deast) + k / c.sps;
                    if (const auto bin = BinOf(t, mark2 - mark1, n)) beam[*bin] += c.samples[k];
                }
            double sum = 0;
            for (double v : beam) sum += v * v;
            power.push_back(sum);
        }
        const double largest = *std::max_element(power.begin(), power.end());
        for (std::size_t i = 0; i < power.size(); ++i)
            ASSERT_EQ(r.points[i].power, power[i] / largest) << "trial " << trial << " point " << i;
    }
}

// A Ricker pulse of 3 Hz crossing the demo array from back azimuth baz with slowness s.
std::vector<FkChannel> PlaneWave(double baz, double s) {
    std::vector<FkChannel> channels;
    const double sx = -s * std::sin(baz * kDeg), sy = -s * std::cos(baz * kDeg);  // propagation
    for (const demo::DemoStation& st : demo::DemoStations()) {
        if (std::string(st.refsta) != "BKA0") continue;
        FkChannel c;
        c.start = 100.0;
        c.sps = st.sps;
        c.mark1 = 104.0;
        c.mark2 = 108.0;
        c.dnorth = st.dnorth;
        c.deast = st.deast;
        const double arrival = 106.0 + sx * st.deast + sy * st.dnorth;
        for (int k = 0; k < 1000; ++k) {
            const double a = std::numbers::pi * 3.0 * (c.start + k / c.sps - arrival);
            c.samples.push_back(static_cast<float>((1 - 2 * a * a) * std::exp(-a * a)));
        }
        channels.push_back(c);
    }
    return channels;
}

TEST(FkGridSearch, PlaneWavesAcrossTheDemoArrayAreFoundWithinOneGridStep) {
    const FkGrid grid;  // -0.5..0.5 s/km in 200 intervals
    const double step = (grid.max - grid.min) / grid.intervals;
    for (const auto& [baz, s] : {std::pair{40.0, 0.08}, {215.0, 0.12}, {300.0, 0.05}}) {
        const std::vector<FkChannel> channels = PlaneWave(baz, s);
        ASSERT_EQ(channels.size(), 10u);
        const FkResult r = FkGridSearch(channels, 100.0, grid);
        ASSERT_FALSE(r.Empty());
        const FKParam& b = r.points[r.best];
        EXPECT_NEAR(b.px, s * std::sin(baz * kDeg), step) << baz;
        EXPECT_NEAR(b.py, s * std::cos(baz * kDeg), step) << baz;
        EXPECT_NEAR(r.slowness, s, step * std::sqrt(2.0)) << baz;
        EXPECT_NEAR(r.azimuth, baz, std::atan(step * std::sqrt(2.0) / s) / kDeg) << baz;
        EXPECT_EQ(r.maxPower, 1.0);
        EXPECT_LT(r.minPower, 0.2);
    }
}

class FkDemoTest : public test::DatabaseTest {};

TEST_P(FkDemoTest, TheDemoTeleseismComesFromItsBackAzimuth) {
    RecordingMessageSink messages;
    DatabaseSettings s;
    s.odbc = scratch->connectString();
    s.localLastId = true;
    Databases db(s, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    test::TempDir dir;
    demo::DemoLoopOptions o;
    o.dataDir = dir.file("loop");
    o.resourcesDir = ZEL_RESOURCES_DIR;
    o.begin = 1371212880.0;  // a minute before the teleseism's P waves
    o.duration = 120;
    demo::GenerateDemoDiskLoop(db.work(), o);

    int teleseism = 0;
    while (std::string(demo::DemoEvents()[static_cast<std::size_t>(teleseism)].magnitudeType) != "mb")
        ++teleseism;
    const demo::DemoEvent& ev = demo::DemoEvents()[static_cast<std::size_t>(teleseism)];
    double onset = 0;
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
        if (a.station == "BKA0" && a.phase == "P" && a.event == teleseism) onset = a.time;
    ASSERT_GT(onset, o.begin);

    CatalogueSettings settings;
    settings.dataDir = o.dataDir;
    std::vector<FkChannel> channels;
    for (const demo::DemoStation& st : demo::DemoStations()) {
        if (std::string(st.refsta) != "BKA0") continue;
        ZELDataBlockArray ch;
        LoadSegments(db.work(), settings, st.code, "SHZ", "??", onset - 10, onset + 20, ch);
        ASSERT_EQ(ch.blocks.size(), 1u) << st.code;
        channels.push_back({ch.blocks[0].samples, ch.blocks[0].begin, ch.blocks[0].sps, onset - 1, onset + 4,
                            st.dnorth, st.deast});
    }
    const FkResult r = FkGridSearch(channels, 100.0, FkGrid{});
    const demo::DemoStation& ref = demo::DemoStations()[12];
    ASSERT_EQ(std::string(ref.code), "BKA0");
    const double baz = demo::GeocentricDistAz(ref.lat, ref.lon, ev.lat, ev.lon).azimuth;
    const double off = std::remainder(r.azimuth - baz, 360.0);
    EXPECT_LT(std::fabs(off), 5.0) << r.azimuth << " vs " << baz;
}

ZEL_INSTANTIATE_DATABASE_TEST(FkDemoTest);

}  // namespace
}  // namespace zel
