// The demo disk loop: its physics against independent references, and the loop it writes read
// back through the catalogue.

#include "data/demo/DemoDiskLoop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "base/ZelError.h"
#include "data/Catalogue.h"
#include "data/SampleFile.h"
#include "data/StationModel.h"
#include "data/demo/DemoPhysics.h"
#include "db/Databases.h"
#include "support/WorkDatabaseTest.h"

namespace zel {
namespace {

using demo::DemoArrival;
using test::TempDir;

const std::string kResources = ZEL_RESOURCES_DIR;
const std::string kCurves = kResources + "/traveltimes/iasp91/";

std::vector<std::vector<std::string>> Csv(const std::string& name) {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/oracle/" + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream s(line);
        std::string cell;
        while (std::getline(s, cell, ',')) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

TEST(DemoPhysics, TravelTimesAgreeWithRayTracedReferenceTimes) {
    int checked = 0, needsBothRows = 0;
    for (const auto& r : Csv("traveltime_spot.csv")) {
        if (r[0] != "iasp91") continue;
        const std::string curve = r[1];
        const double depth = std::stod(r[4]), distance = std::stod(r[5]), expected = std::stod(r[6]);
        const bool onGrid = r[8] == "1";
        if (!std::filesystem::exists(kCurves + curve)) continue;
        const double t = demo::TravelTimeCurve::Load(kCurves + curve).Time(depth, distance);
        if (expected < 0) {
            // Off the grid a neighbouring node may carry the phase; only nodes must agree on absence.
            if (onGrid) {
                EXPECT_EQ(t, -1.0) << curve << " " << depth << " " << distance;
            }
            continue;
        }
        if (t < 0 && onGrid) {
            // The lookup blends two depth rows and needs the phase in both; at the deepest rows
            // a phase may exist at the node but not in the row below it.
            ++needsBothRows;
            continue;
        }
        EXPECT_NEAR(t, expected, onGrid ? 0.06 : 1.0) << curve << " " << depth << " " << distance;
        ++checked;
    }
    EXPECT_GT(checked, 35);
    EXPECT_LE(needsBothRows, 2);
    // Outside the table there is no time.
    const auto p = demo::TravelTimeCurve::Load(kCurves + "P");
    EXPECT_EQ(p.Time(800, 10), -1.0);
    EXPECT_EQ(p.Time(10, 181), -1.0);
    EXPECT_THROW(demo::TravelTimeCurve::Load(kCurves + "no_such_curve"), ZelError);
}

TEST(DemoPhysics, GeocentricDistancesMatchTheReferenceTable) {
    for (const auto& r : Csv("distaz.csv")) {
        const demo::DistAz d =
            demo::GeocentricDistAz(std::stod(r[0]), std::stod(r[1]), std::stod(r[2]), std::stod(r[3]));
        const std::string where = r[0] + "," + r[1] + " -> " + r[2] + "," + r[3];
        EXPECT_NEAR(d.distance, std::stod(r[8]), 1e-6) << where;
        if (d.distance < 1e-9) continue;  // azimuths of identical points mean nothing
        const double az = std::stod(r[9]), baz = std::stod(r[10]);
        EXPECT_NEAR(std::remainder(d.azimuth - az, 360.0), 0.0, 1e-5) << where;
        EXPECT_NEAR(std::remainder(d.backAzimuth - baz, 360.0), 0.0, 1e-5) << where;
    }
}

TEST(DemoPhysics, MagnitudeCalibrationsGiveTheHandWorkedAmplitudes) {
    const auto richter = demo::RichterCalibration::Load(kResources + "/magnitudes/ML_def_Richter1958.txt");
    // Richter: -log A0 is 3.0 at 100 km, so ML 3 is 1 mm on a Wood-Anderson record: 1000/2080 um.
    EXPECT_DOUBLE_EQ(richter.LogA0(100), -3.0);
    EXPECT_NEAR(richter.LogA0(15), -1.6, 1e-12);  // halfway between 10 km (1.5) and 20 km (1.7)
    EXPECT_NEAR(demo::WoodAndersonAmplitudeForMl(3.0, -3.0), 1000.0 / 2080.0, 1e-12);
    EXPECT_THROW(richter.LogA0(700), ZelError);

    // Gutenberg-Richter: Q(48 deg, 100 km) = 6.6, Q(49, 100) = 6.7; Q(25, 33 km) lies between the
    // 25 and 50 km columns of the 25 deg row (6.4 and 6.3).
    const auto gr = demo::MbCalibration::Load(kResources + "/magnitudes/mb_GR1956.tab");
    EXPECT_NEAR(gr.Q(48, 100), 6.6, 1e-12);
    EXPECT_NEAR(gr.Q(48.5, 100), 6.65, 1e-12);
    EXPECT_NEAR(gr.Q(25, 33), 6.4 - 0.1 * 8 / 25, 1e-12);
    EXPECT_NEAR(demo::PAmplitudeForMb(5.9, 6.6, 1.0), std::pow(10.0, -0.7), 1e-15);
    EXPECT_THROW(gr.Q(3, 25), ZelError);  // a cell without a value

    // The standard Wood-Anderson has 1/(2 h) = 0.625 of its high-frequency gain at its 1.25 Hz.
    EXPECT_NEAR(demo::WoodAndersonGain(1.25), 0.625, 1e-5);
    EXPECT_NEAR(demo::WoodAndersonGain(50), 1.0, 1e-3);
}

TEST(DemoPhysics, SeismometerAndItsDigitalFilterHaveTheStatedCalibration) {
    const demo::Seismometer s;
    // calib 0.1 nm per count at 1 s: 1e10 counts per metre at 1 Hz.
    EXPECT_NEAR(std::abs(s.Response(1.0)), 1e10, 1e-2);
    EXPECT_NEAR(s.NanometresPerCount(1.0), 0.1, 1e-12);
    // Velocity-flat above the corner: 2 pi f times the high-frequency constant.
    EXPECT_NEAR(std::abs(s.Response(40.0)) / (2 * std::numbers::pi * 40 * s.Constant()), 1.0, 1e-3);

    // The filter driven by 1 nm of displacement at 1 Hz and at 5 Hz settles at the analogue amplitudes.
    for (double f : {1.0, 5.0}) {
        demo::SeismometerFilter filter(s, 100);
        const double w = 2 * std::numbers::pi * f;
        double peak = 0;
        for (int i = 0; i < 6000; ++i) {
            const double y = filter.Step(w * std::cos(w * i / 100.0));  // velocity of sin(w t) nm
            if (i > 4000) peak = std::max(peak, std::fabs(y));
        }
        EXPECT_NEAR(peak / (std::abs(s.Response(f)) * 1e-9), 1.0, f == 1.0 ? 1e-3 : 5e-3) << f;
    }

    // The text forms the response readers take.
    EXPECT_EQ(s.SacPolesZeros(),
              "ZEROS 3\nPOLES 2\n-4.442883 4.442883\n-4.442883 -4.442883\nCONSTANT 2.250791e+09\n");
    const std::string fap = s.FapFile();
    EXPECT_EQ(fap.substr(0, 3), "61\n");
    EXPECT_NE(fap.find("\n1 0.1\n"), std::string::npos);
}

TEST(DemoPhysics, WaveletsPeakAtTheirAmplitudeAndVelocityIsTheirDerivative) {
    const demo::Wavelet w(100.0, -250.0, 4.0, 0.05, 2.5);
    double peak = 0;
    for (double t = 99; t < w.End() + 1; t += 1e-4) peak = std::max(peak, std::fabs(w.Displacement(t)));
    EXPECT_NEAR(peak, 250.0, 0.01);
    EXPECT_EQ(w.Displacement(99.999), 0.0);
    EXPECT_EQ(w.Displacement(w.End() + 0.1), 0.0);
    for (double t : {100.01, 100.3, 101.7}) {
        const double h = 1e-6;
        EXPECT_NEAR(w.Velocity(t), (w.Displacement(t + h) - w.Displacement(t - h)) / (2 * h), 1e-3) << t;
    }
    // Seeds differ per channel, and a seed always gives the same numbers.
    demo::Random a(demo::SeedOf("ARS.SHZ")), b(demo::SeedOf("ARS.SHZ")), c(demo::SeedOf("ARS.SHN"));
    EXPECT_EQ(a.Next(), b.Next());
    EXPECT_NE(a.Next(), c.Next());
}

class DemoLoopTest : public test::WorkDatabaseTest {
  protected:
    TempDir dir;
};

const DemoArrival& Arrival(const std::vector<DemoArrival>& all, const std::string& sta,
                           const std::string& phase, int event) {
    for (const DemoArrival& a : all)
        if (a.station == sta && a.phase == phase && a.event == event) return a;
    throw std::runtime_error("no arrival " + sta + " " + phase);
}

double Peak(const ZELDataBlockArray& ch, double t1, double t2) {
    double peak = 0;
    for (const ZELDataBlock& b : ch.blocks)
        for (std::size_t i = 0; i < b.Count(); ++i) {
            const double t = b.begin + static_cast<double>(i) / b.sps;
            if (t >= t1 && t < t2) peak = std::max(peak, static_cast<double>(std::fabs(b.samples[i])));
        }
    return peak;
}

TEST_P(DemoLoopTest, TheTeleseismIsRecordedWhereAndAsLargeAsTheCurvesAndMbSay) {
    demo::DemoLoopOptions o;
    o.dataDir = dir.file("loop");
    o.resourcesDir = kResources;
    o.responseDir = dir.file("RESPONSE");
    o.begin = 1371212880.0;  // 12:28:00, a minute before the P waves
    o.duration = 120;
    o.fileLength = 50;  // files of 50, 50 and 20 seconds
    const demo::DemoLoopSummary summary = demo::GenerateDemoDiskLoop(db->work(), o);
    EXPECT_EQ(summary.stations, 22);
    EXPECT_EQ(summary.channels, 13 * 3 + 9);
    EXPECT_EQ(summary.segments, summary.channels * 3);
    EXPECT_EQ(summary.files, (summary.channels - 3) * 3 + 3);  // GNK keeps its three components in one file

    const auto arrivals = demo::DemoArrivals(kResources);
    CatalogueSettings settings;
    settings.dataDir = o.dataDir;
    settings.useTend = true;  // every row has its end time
    ZELDataBlockArray ch;

    // ARS (float files) at 48.19 deg: Q(48.19, 100 km) = 6.6 + 0.19 * 0.1 by the table, so mb 5.9 is a
    // P of 10^(5.9 - 6.619) um at 1 s, which the calibration (0.1 nm per count at 1 s) turns into counts.
    const DemoArrival& p = Arrival(arrivals, "ARS", "P", 1);
    EXPECT_NEAR(p.distance, 48.19, 0.01);
    SegmentLoadReport report =
        LoadSegments(db->work(), settings, "ARS", "SHZ", "??", o.begin, o.begin + 120, ch);
    EXPECT_TRUE(report.problems.empty()) << report.Text();
    ASSERT_EQ(ch.blocks.size(), 3u);
    EXPECT_EQ(ch.blocks[0].calib, 0.1);
    EXPECT_EQ(ch.blocks[0].calper, 1.0);
    const double q = 6.6 + (p.distance - 48) * 0.1;
    const double expectedNm = 1000 * std::pow(10.0, 5.9 - q);
    const double measuredNm = Peak(ch, p.time, p.time + 5) * ch.blocks[0].calib;
    EXPECT_NEAR(std::log10(measuredNm / 1000) + q, 5.9, 0.05) << measuredNm << " nm, expected " << expectedNm;
    // Before the onset only noise: far below the P wave.
    EXPECT_LT(Peak(ch, p.time - 20, p.time - 0.05), measuredNm / 0.1 / 10);
    EXPECT_GT(Peak(ch, p.time, p.time + 0.3), 3 * Peak(ch, p.time - 20, p.time - 0.05));

    // The depth phase arrives where the pP curve puts it, about 24 s after P at 100 km.
    const DemoArrival& pp = Arrival(arrivals, "ARS", "pP", 1);
    EXPECT_NEAR(pp.time - p.time, 23.75, 0.2);

    // GNK (int32 big-endian, three components in one file) and KRS (int24) read back like floats do.
    for (const char* sta : {"GNK", "KRS"}) {
        const DemoArrival& a = Arrival(arrivals, sta, "P", 1);
        report = LoadSegments(db->work(), settings, sta, "SHZ", "??", o.begin, o.begin + 120, ch);
        EXPECT_TRUE(report.problems.empty()) << report.Text();
        ASSERT_EQ(ch.TotalCount(), 12000u) << sta;
        const double peak = Peak(ch, a.time, a.time + 5) * 0.1;
        ASSERT_GE(a.distance, 47.0);
        ASSERT_LE(a.distance, 49.0);
        const double qs =
            a.distance < 48 ? 6.6 : 6.6 + (a.distance - 48) * 0.1;  // rows 47, 48, 49: 6.6, 6.6, 6.7
        EXPECT_NEAR(std::log10(peak / 1000) + qs, 5.9, 0.05) << sta;
        for (const ZELDataBlock& b : ch.blocks)
            for (float v : b.samples)
                ASSERT_EQ(v, std::nearbyint(v)) << sta;  // whole counts in every encoding
    }

    // The 40 sps station and an array element.
    LoadSegments(db->work(), settings, "ORL", "SHE", "??", o.begin, o.begin + 120, ch);
    EXPECT_EQ(ch.TotalCount(), 4800u);
    EXPECT_EQ(ch.blocks[0].sps, 40.0);
    LoadSegments(db->work(), settings, "BKA7", "SHZ", "??", o.begin, o.begin + 120, ch);
    EXPECT_EQ(ch.TotalCount(), 12000u);

    // Stations, array offsets, networks and responses are in the database.
    const std::vector<Station> stations = LoadStations(db->work());
    ASSERT_EQ(stations.size(), 22u);
    const Station& bka4 = stations[static_cast<std::size_t>(FindStation(stations, "BKA4"))];
    EXPECT_EQ(bka4.refsta, "BKA0");
    EXPECT_NEAR(std::hypot(bka4.dnorth, bka4.deast), 1.6, 1e-3);
    EXPECT_EQ(bka4.slots[0].channel, "SHZ");
    EXPECT_FALSE(bka4.slots[1].Used());
    const Station& orl = stations[static_cast<std::size_t>(FindStation(stations, "ORL"))];
    EXPECT_EQ(orl.slots[2].channel, "SHE");
    EXPECT_EQ(orl.slots[2].sps, 40.0);
    EXPECT_EQ(orl.slots[2].calibFile, "ORL_SHE.fap");
    EXPECT_TRUE(std::filesystem::exists(o.responseDir + "/ORL_SHE.fap"));
    const auto networks = LoadNetworks(db->work());
    ASSERT_EQ(networks.size(), 2u);
    Db::Statement st(db->work());
    st.execute("select count(*) from CALIBRATION");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(0), 48);
}

TEST_P(DemoLoopTest, TheLocalEventIsRecordedAndTheSameOptionsGiveTheSameBytes) {
    demo::DemoLoopOptions o;
    o.dataDir = dir.file("a");
    o.resourcesDir = kResources;
    o.begin = 1371211690.0;  // 12:08:10
    o.duration = 40;
    o.fileLength = 40;
    demo::GenerateDemoDiskLoop(db->work(), o);
    const auto arrivals = demo::DemoArrivals(kResources);

    // LSN at 0.169 deg: the S wave on the horizontals is what a Wood-Anderson reads as ML 3.4 with
    // Richter's -log A0 (1.5 at 10 km, 1.7 at 20 km), seen through the seismometer at 4 Hz.
    const DemoArrival& s = Arrival(arrivals, "LSN", "S", 0);
    const double km = s.distance * 111.1953;
    const double logA0 = -1.5 - 0.2 * (km - 10) / 10;
    const double waMicrometres = std::pow(10.0, 3.4 + logA0 - std::log10(2080.0) + 3);
    const double groundNm = 1000 * waMicrometres / demo::WoodAndersonGain(4.0);
    const double expectedCounts = groundNm / demo::Seismometer{}.NanometresPerCount(4.0);
    CatalogueSettings settings;
    settings.dataDir = o.dataDir;
    ZELDataBlockArray ch;
    LoadSegments(db->work(), settings, "LSN", "SHN", "??", o.begin, o.begin + 40, ch);
    EXPECT_NEAR(Peak(ch, s.time, s.time + 3) / expectedCounts, 1.0, 0.08);
    // P comes first, on the vertical, where the curve puts it.
    const DemoArrival& p = Arrival(arrivals, "LSN", "P", 0);
    EXPECT_NEAR(s.time - p.time, 3.13, 0.05);
    LoadSegments(db->work(), settings, "LSN", "SHZ", "??", o.begin, o.begin + 40, ch);
    EXPECT_LT(Peak(ch, o.begin, p.time - 0.02), Peak(ch, p.time, p.time + 0.5) / 50);

    // A second run with the same options writes the same files byte for byte.
    test::ScratchDatabase other(test::Backend::SQLite);
    Db::Connection second;
    second.open(other.connectString());
    CreateMissingTables(second, kDialectSqlite, WorkingSchema());
    demo::DemoLoopOptions again = o;
    again.dataDir = dir.file("b");
    demo::GenerateDemoDiskLoop(second, again);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(o.dataDir)) {
        if (!entry.is_regular_file()) continue;
        const auto relative = std::filesystem::relative(entry.path(), o.dataDir);
        ASSERT_EQ(test::ReadFile(entry.path().string()),
                  test::ReadFile((std::filesystem::path(again.dataDir) / relative).string()))
            << relative;
        ++files;
    }
    EXPECT_EQ(files, 46);
}

TEST_P(DemoLoopTest, EnsureBuildsTheDemoOnlyWhereNoDataExists) {
    db->work().execute("insert into SITE (STA, LAT, LON, ELEV, NGROUPS) values ('OWN', 1, 2, 3, 1)");
    EXPECT_FALSE(EnsureDemoDiskLoop(dir.file("loop"), kResources, *db));
    EXPECT_FALSE(std::filesystem::exists(dir.file("loop")));
    // Without the curve files nothing can be made: an error, and no half catalogue.
    db->work().execute("delete from SITE");
    EXPECT_THROW(EnsureDemoDiskLoop(dir.file("loop"), dir.file("nowhere"), *db), ZelError);
    Db::Statement st(db->work());
    st.execute("select count(*) from FILELIST");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(0), 0);
}

ZEL_INSTANTIATE_DATABASE_TEST(DemoLoopTest);

}  // namespace
}  // namespace zel
