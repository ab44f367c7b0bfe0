// The floating-point detector over the demo disk loop: with its default windows it must find the
// P onset of the demo's local earthquake on the vertical of every station, as the loop's own
// arrival list places it, and nothing before it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "data/Catalogue.h"
#include "data/demo/DemoDiskLoop.h"
#include "db/DbDialect.h"
#include "db/Odbc.h"
#include "db/Schema.h"
#include "dsp/StaLtaDetector.h"
#include "support/ScratchDatabase.h"
#include "support/TempDir.h"
#include "wave/FilterSettings.h"

namespace zel {
namespace {

// Generates the demo loop around an event's P waves and runs the default detector on every
// station's vertical: the first trigger must be the P wave.
void ExpectPOnsetsFound(int event, double before, double after) {
    test::TempDir dir;
    test::ScratchDatabase scratch(test::Backend::SQLite);
    Db::Connection work;
    work.open(scratch.connectString());
    CreateMissingTables(work, kDialectSqlite, WorkingSchema());
    const auto arrivals = demo::DemoArrivals(ZEL_RESOURCES_DIR);
    double first = 1e300, last = 0;
    for (const demo::DemoArrival& a : arrivals)
        if (a.event == event && a.phase == "P") {
            first = std::min(first, a.time);
            last = std::max(last, a.time);
        }
    demo::DemoLoopOptions o;
    o.dataDir = dir.file("loop");
    o.resourcesDir = ZEL_RESOURCES_DIR;
    o.begin = std::floor(first) - before;  // room for the warm-up of 33 s
    o.duration = std::ceil(last - o.begin) + after;
    o.fileLength = o.duration;
    demo::GenerateDemoDiskLoop(work, o);
    CatalogueSettings settings;
    settings.dataDir = o.dataDir;

    int stations = 0;
    for (const demo::DemoArrival& p : arrivals) {
        if (p.event != event || p.phase != "P") continue;
        ZELDataBlockArray ch;
        LoadSegments(work, settings, p.station, "SHZ", "??", o.begin, o.begin + o.duration, ch);
        ASSERT_FALSE(ch.blocks.empty()) << p.station;
        const double rate = ch.blocks[0].sps;
        const std::vector<float> x = PaneSamples(ch, o.begin, o.duration, rate);
        CZELDetector detector;
        DetectParam list;
        RunZelDetector(detector, x, rate, o.begin, list);
        ASSERT_GE(list.Size(), 2u) << p.station;
        // The first trigger is the P wave; its onset estimate (second entry) lies within 0.5 s.
        EXPECT_NEAR(list.time[1], p.time, 0.5) << p.station << " at " << p.distance << " deg";
        EXPECT_NEAR(list.time[0], p.time, 1.0) << p.station;
        ++stations;
    }
    EXPECT_EQ(stations, static_cast<int>(demo::DemoStations().size()));
}

TEST(DetectorOnDemo, FindsTheLocalEarthquakesPOnsetAtEveryStation) { ExpectPOnsetsFound(0, 60, 10); }

TEST(DetectorOnDemo, FindsTheTeleseismsPOnsetAtEveryStation) { ExpectPOnsetsFound(1, 60, 10); }

}  // namespace
}  // namespace zel
