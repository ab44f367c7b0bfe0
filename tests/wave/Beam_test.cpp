// Beam forming: hand-worked averages, and the demo teleseism raised above the array's noise.

#include "wave/Beam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/MessageSink.h"
#include "data/Catalogue.h"
#include "data/demo/DemoDiskLoop.h"
#include "data/demo/DemoPhysics.h"
#include "db/Databases.h"
#include "dsp/Fk.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

TEST(FormBeam, AveragesShiftedChannelsAndLeavesTheSampleAtTheEndOut) {
    // Slowness 0: the plain average over [0, 3); the sample at 3 s lies on t1 and stays out.
    BeamChannel a{{1, 2, 3, 4}, 0.0, 1.0, 0.0, 0.0};
    BeamChannel b{{3, 4, 5, 6}, 0.0, 1.0, 0.0, 2.0};
    BeamChannel none{{}, 0.0, 1.0, 0.0, 0.0};  // counts in the average, adds nothing
    ZELDataBlock beam = FormBeam({a, b}, 0.0, 3.7, 1.0, 0.0, 0.0, 90.0f, 0.0f);
    EXPECT_EQ(beam.samples, (std::vector<float>{2, 3, 4}));
    EXPECT_EQ(beam.begin, 0.0);
    EXPECT_EQ(beam.sps, 1.0);
    EXPECT_EQ(FormBeam({a, b, none}, 0.0, 3.0, 1.0, 0.0, 0.0, 90.0f, 0.0f).samples,
              (std::vector<float>{4.0f / 3, 2, 8.0f / 3}));
    // From the east (azimuth 90) at 0.5 s/km: b, 2 km east, is 1 s early and is moved 1 s later.
    beam = FormBeam({a, b}, 0.0, 3.0, 1.0, 0.0, 0.0, 90.0f, 0.5f);
    EXPECT_EQ(beam.samples, (std::vector<float>{0.5f, 2.5f, 3.5f}));
    // The beam's rate is the channels' own, and its bins follow it.
    BeamChannel fast{{1, 1, 1, 1, 1, 1, 1, 1}, 0.0, 2.0, 0.0, 0.0};
    beam = FormBeam({fast}, 0.0, 3.0, 1.0, 0.0, 0.0, 0.0f, 0.0f);
    EXPECT_EQ(beam.sps, 2.0);
    EXPECT_EQ(beam.samples, (std::vector<float>{1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(FormBeam({a}, 0.0, 0.9, 1.0, 0.0, 0.0, 0.0f, 0.0f).Empty());
    // Sample times with rounding errors (100 + k / 100) still fill every bin exactly once.
    BeamChannel ones{std::vector<float>(1000, 1.0f), 100.0, 100.0, 0.0, 0.0};
    beam = FormBeam({ones}, 104.0, 1.0, 100.0, 0.0, 0.0, 0.0f, 0.0f);
    EXPECT_EQ(beam.samples, std::vector<float>(100, 1.0f));
    // Also at epoch times, where a sample's time is a tenth of a microsecond off the grid; a
    // minute of a pane that starts between the samples of the catalogue's time grid.
    const double epoch = 1371212925.601713;
    BeamChannel later{std::vector<float>(6000, 1.0f), epoch, 100.0, 0.0, 0.0};
    EXPECT_EQ(FormBeam({later}, epoch, 60.0, 100.0, 0.0, 0.0, 0.0f, 0.0f).samples,
              std::vector<float>(6000, 1.0f));
}

double Rms(const std::vector<float>& x, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(x[i]) * x[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

class BeamDemoTest : public test::DatabaseTest {};

TEST_P(BeamDemoTest, TheBeamOfTheDemoArrayRaisesTheTeleseismAboveTheNoiseByAboutRootN) {
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
    double onset = 0, distance = 0;
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
        if (a.station == "BKA0" && a.phase == "P" && a.event == teleseism)
            onset = a.time, distance = a.distance;
    ASSERT_GT(onset, o.begin);

    const auto& stations = demo::DemoStations();
    const demo::DemoStation& ref = stations[12];
    ASSERT_EQ(std::string(ref.code), "BKA0");
    ASSERT_GT(distance, 30.0);

    CatalogueSettings settings;
    settings.dataDir = o.dataDir;
    std::vector<BeamChannel> channels;
    const double t0 = onset - 20;
    for (const demo::DemoStation& st : stations) {
        if (std::string(st.refsta) != "BKA0") continue;
        ZELDataBlockArray ch;
        LoadSegments(db.work(), settings, st.code, "SHZ", "??", t0, t0 + 40, ch);
        ASSERT_EQ(ch.blocks.size(), 1u);
        channels.push_back({ch.blocks[0].samples, ch.blocks[0].begin, ch.blocks[0].sps, st.dnorth, st.deast});
    }
    // The road of the analyst: F-K on the first seconds of P, then the beam for its result.
    std::vector<FkChannel> fk;
    for (const BeamChannel& c : channels)
        fk.push_back({c.samples, c.start, c.sps, onset - 1, onset + 4, c.dnorth, c.deast});
    const FkResult r = FkGridSearch(fk, 100.0, FkGrid{});
    const double baz = demo::GeocentricDistAz(ref.lat, ref.lon, ev.lat, ev.lon).azimuth;
    EXPECT_LT(std::fabs(std::remainder(r.azimuth - baz, 360.0)), 5.0);
    const ZELDataBlock beam = FormBeam(channels, t0, 40, 100.0, ref.dnorth, ref.deast,
                                       static_cast<float>(r.azimuth), static_cast<float>(r.slowness));
    ASSERT_EQ(beam.samples.size(), 4000u);
    // Noise: 15 s before the onset; signal: the first 5 s of P.
    auto snr = [](const std::vector<float>& x, std::size_t at) {
        return Rms(x, at, at + 500) / Rms(x, 0, 1500);
    };
    double single = 0;
    for (const BeamChannel& c : channels)
        single += snr(c.samples, static_cast<std::size_t>((onset - c.start) * 100));
    single /= static_cast<double>(channels.size());
    const double gain = snr(beam.samples, 2000) / single;
    EXPECT_GT(gain, 0.6 * std::sqrt(10.0));
    EXPECT_LT(gain, 1.5 * std::sqrt(10.0));
}

ZEL_INSTANTIATE_DATABASE_TEST(BeamDemoTest);

}  // namespace
}  // namespace zel
