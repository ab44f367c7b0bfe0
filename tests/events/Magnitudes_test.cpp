// Station magnitudes and the energy class: hand-worked values, the segment joins of the piecewise
// formulas, the calibration files that ship (against the published tables they come from) and the
// lookups outside a table, which must give no magnitude rather than add -1 into one.

#include "events/Magnitudes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/TempDir.h"

namespace zel {
namespace {

const std::string kShipped = std::string(ZEL_RESOURCES_DIR) + "/magnitudes/";

TEST(StationMagnitudes, MsIsTheHandWorkedPragueValue) {
    // 1.66 log10 10 + log10(1/1) + 3.3
    const StationMagnitude ms = MagnitudeMs(1.0, 1.0, 10.0);
    ASSERT_TRUE(ms.value) << ms.error;
    EXPECT_NEAR(*ms.value, 4.96, 1e-12);
    // A distance of 0 counts as 0.001 degree: 1.66 * -3 + 3.3.
    EXPECT_NEAR(*MagnitudeMs(1.0, 1.0, 0.0).value, -1.68, 1e-12);
    // log10(20 / 2) = 1 more.
    EXPECT_NEAR(*MagnitudeMs(20.0, 2.0, 10.0).value, 5.96, 1e-12);
}

TEST(StationMagnitudes, ZeroPeriodOrAmplitudeIsRefusedBeforeAnyDivision) {
    EXPECT_EQ(MagnitudeMs(1.0, 0.0, 10.0).error, "Период = 0");
    EXPECT_EQ(MagnitudeMs(0.0, 1.0, 10.0).error, "Амплитуда = 0");
    EXPECT_FALSE(MagnitudeMs(1.0, -1.0, 10.0).value);
    CCALIBDATA mb;
    ASSERT_TRUE(mb.load(kShipped + kMbCalibrationFile));
    EXPECT_EQ(TableMagnitude(TableMagnitudeKind::Mb, mb, 1.0, 0.0, 0, 30).error, "Период = 0");
    EXPECT_EQ(LocalMagnitude(nullptr, 0.0, 1.0, 0).error, "Амплитуда = 0");
}

// The published Gutenberg-Richter table: Q for log10(A/T), A zero to peak.
std::map<std::pair<int, int>, double> PublishedGr() {
    std::ifstream in(kShipped + "mb_GR1956.tab");
    std::map<std::pair<int, int>, double> q;
    std::string line;
    std::vector<int> depths;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        std::string first;
        row >> first;
        if (first == "depth_km") {
            for (int d; row >> d;) depths.push_back(d);
            continue;
        }
        double v;
        for (int d : depths)
            if (row >> v) q[{std::stoi(first), d}] = v;
    }
    return q;
}

TEST(StationMagnitudes, ShippedMbTableGivesThePublishedMagnitudeThroughTwoATimesAmplitude) {
    CCALIBDATA mb;
    std::string error;
    ASSERT_TRUE(mb.load(kShipped + kMbCalibrationFile, &error)) << error;
    const auto published = PublishedGr();
    ASSERT_FALSE(published.empty());
    int checked = 0;
    for (auto [key, q] : published) {
        const auto [distance, depth] = key;
        if (distance < 5) continue;
        // mb = log10(A/T) + Q_GR must come out of log10(2A/T) + Q_file.
        const StationMagnitude m = TableMagnitude(TableMagnitudeKind::Mb, mb, 0.5, 2.0, depth, distance);
        ASSERT_TRUE(m.value) << distance << " " << depth << ": " << m.error;
        EXPECT_NEAR(*m.value, std::log10(0.5 / 2.0) + q, 1e-3) << distance << " deg, " << depth << " km";
        ++checked;
    }
    EXPECT_EQ(checked, 105 * 17);
    // Negative depths count as 0.
    EXPECT_DOUBLE_EQ(mb.value(-5, 30), mb.value(0, 30));
}

TEST(StationMagnitudes, LookupOutsideTheTableGivesNoMagnitudeAndSaysWhy) {
    CCALIBDATA mb;
    ASSERT_TRUE(mb.load(kShipped + kMbCalibrationFile));
    // The published table has no values at 2-4 degrees for deep sources: the shipped one starts at 5.
    EXPECT_EQ(mb.value(100, 3), -1);
    EXPECT_EQ(mb.value(0, 110), -1);
    EXPECT_EQ(mb.value(800, 50), -1);
    for (auto [depth, distance] : {std::pair{100.0, 3.0}, {0.0, 110.0}}) {
        const StationMagnitude m = TableMagnitude(TableMagnitudeKind::Mb, mb, 1.0, 1.0, depth, distance);
        EXPECT_FALSE(m.value);
        EXPECT_NE(m.error.find("нет данных в калибровочном файле для магнитуды Mb"), std::string::npos)
            << m.error;
    }
    // Between 4.5 and 5 there is no interpolation through the empty cells either.
    EXPECT_EQ(mb.value(100, 4.5), -1);
}

TEST(StationMagnitudes, MissingOrBrokenCalibrationFileIsTheLoadError) {
    test::TempDir dir;
    CCALIBDATA table;
    EXPECT_FALSE(table.load(dir.file("none.txt")));
    test::WriteFile(dir.file("broken.txt"), "title\n2\n0 10\n3\n1 2 3\n5 5 5\n");
    EXPECT_FALSE(table.load(dir.file("broken.txt")));
    const StationMagnitude m = TableMagnitude(TableMagnitudeKind::Mplp, table, 1, 1, 0, 30);
    EXPECT_EQ(m.error, "Ошибка загрузки файла калибровки для MPLP");
}

TEST(StationMagnitudes, MplpAndMpspUseAOverT) {
    test::TempDir dir;
    test::WriteFile(dir.file("q.txt"), "Q\n1\n0\n3\n10 20 30\n6.0 6.5 7.0\n");
    CCALIBDATA q;
    ASSERT_TRUE(q.load(dir.file("q.txt")));
    EXPECT_NEAR(*TableMagnitude(TableMagnitudeKind::Mpsp, q, 2.0, 1.0, 0, 20).value, std::log10(2.0) + 6.5,
                1e-6);
    EXPECT_NEAR(*TableMagnitude(TableMagnitudeKind::Mplp, q, 2.0, 1.0, 0, 20).value, std::log10(2.0) + 6.5,
                1e-6);
    EXPECT_NEAR(*TableMagnitude(TableMagnitudeKind::Mb, q, 2.0, 1.0, 0, 20).value, std::log10(4.0) + 6.5,
                1e-6);
}

TEST(LocalMagnitude, TableInterpolationPointsAndEnds) {
    CMLCalib c;
    c.parse("10 -1.5\n100 -3.0\n200 -3.5\n");
    EXPECT_DOUBLE_EQ(*c.value(100), -3.0);  // a table point takes its own value
    EXPECT_DOUBLE_EQ(*c.value(10), -1.5);
    EXPECT_DOUBLE_EQ(*c.value(200), -3.5);
    EXPECT_NEAR(*c.value(55), -2.25, 1e-12);  // halfway between 10 and 100
    EXPECT_NEAR(*c.value(150), -3.25, 1e-12);
    EXPECT_FALSE(c.value(9.99));
    EXPECT_FALSE(c.value(200.01));

    // ML = log10 A - c + log10 2080 - 3 at 100 km (0.89932 degree).
    const double delta = 100.0 / kKilometresPerDegree;
    const StationMagnitude ml = LocalMagnitude(&c, 1.0, delta, 10);
    ASSERT_TRUE(ml.value) << ml.error;
    EXPECT_NEAR(*ml.value, 3.0 + std::log10(2080.0) - 3, 1e-9);
    // The amplitude counts by its size.
    EXPECT_NEAR(*LocalMagnitude(&c, -1.0, delta, 10).value, *ml.value, 1e-12);
    EXPECT_EQ(LocalMagnitude(&c, 1.0, 300 / kKilometresPerDegree, 0).error,
              "Для данного расстояния до эпицентра нет данных в калибровочном файле для магнитуды ML.");
}

TEST(LocalMagnitude, BuiltInFormulaOverHypocentralDistance) {
    // R = 100 km: 1.43 * 2 + 0.61.
    EXPECT_NEAR(*LocalMagnitude(nullptr, 1.0, 100 / kKilometresPerDegree, 0).value, 3.47, 1e-9);
    // R = sqrt(60^2 + 80^2) = 100 km as well.
    EXPECT_NEAR(*LocalMagnitude(nullptr, 1.0, 60 / kKilometresPerDegree, 80).value, 3.47, 1e-9);
    // The join at 206 km belongs to the far segment.
    EXPECT_NEAR(*LocalMagnitude(nullptr, 1.0, 206 / kKilometresPerDegree, 0).value, 3.917807, 1e-6);
    EXPECT_NEAR(*LocalMagnitude(nullptr, 1.0, 205.999 / kKilometresPerDegree, 0).value, 3.918827, 1e-6);
    EXPECT_NEAR(*LocalMagnitude(nullptr, 10.0, 800 / kKilometresPerDegree, 0).value, 6.396756, 1e-6);
    for (double km : {4.99, 800.01})
        EXPECT_EQ(LocalMagnitude(nullptr, 1.0, km / kKilometresPerDegree, 0).error,
                  "Гипоцентральное расстояние вне допустимого диапазона (5-800 км.)");
}

TEST(LocalMagnitude, StationFileBeforeDefaultBeforeShipped) {
    test::TempDir work;
    CMLCalib c;
    const std::vector<std::string> dirs = {work.path().string(), kShipped};
    ASSERT_EQ(c.load(dirs, "ARS"), 1);  // the shipped default
    EXPECT_EQ(c.path(), kShipped + "ML_def.txt");
    EXPECT_DOUBLE_EQ(*c.value(100), -3.0);  // Richter 1958: -log A0 = 3.0 at 100 km, stored as log A0
    test::WriteFile(work.file("ML_def.txt"), "0 -1\n1000 -1\n");
    ASSERT_EQ(c.load(dirs, "ARS"), 1);
    EXPECT_DOUBLE_EQ(*c.value(100), -1.0);
    test::WriteFile(work.file("ML_ARS.txt"), "0 -2\n1000 -2\n");
    ASSERT_EQ(c.load(dirs, "ARS"), 1);
    EXPECT_DOUBLE_EQ(*c.value(100), -2.0);
    EXPECT_EQ(c.load({work.file("nothing")}, "ARS"), 0);
}

TEST(CodaMagnitude, SegmentsJoinsAndLimits) {
    EXPECT_NEAR(CodaMagnitude(10, 1), 2.53565, 1e-9);
    EXPECT_NEAR(CodaMagnitude(24.999, 1), 3.034283, 1e-6);
    EXPECT_NEAR(CodaMagnitude(25, 1), 3.072995, 1e-6);  // 25 s belongs to the second segment
    EXPECT_NEAR(CodaMagnitude(70, 1), 4.139536, 1e-6);
    EXPECT_NEAR(CodaMagnitude(200, 1), 4.820422, 1e-6);
    EXPECT_NEAR(CodaMagnitude(200, 10), 5.820422, 1e-6);
    EXPECT_EQ(CodaMagnitude(1000, 1), 0);
    EXPECT_EQ(CodaMagnitude(1000.5, 1), -1);
    EXPECT_EQ(CodaMagnitude(9.99, 1), -1);
    EXPECT_EQ(CodaMagnitude(100, 0.001), -1);
    EXPECT_EQ(CodaMagnitude(100, 3000.1), -1);
    EXPECT_EQ(CodaMagnitude(std::nan(""), 1), -1);
}

TEST(EnergyClass, RautianNomogramJoinAndLimits) {
    // Ap + As = 1: K = 0.074 P(D) + 5.23.
    EXPECT_NEAR(RautianNomogramClass(0.5, 0.5, 70), 9.527844, 1e-6);  // 70 km takes the cubic
    EXPECT_NEAR(RautianNomogramClass(0.5, 0.5, 69.999), 9.300540, 1e-6);
    EXPECT_NEAR(RautianNomogramClass(0.5, 0.5, 5), 5.320366, 1e-6);
    EXPECT_NEAR(RautianNomogramClass(5, 5, 3000), 14.854736 + 1.847, 1e-6);
    EXPECT_EQ(RautianNomogramClass(0.5, 0.5, 4.9), -1);
    EXPECT_EQ(RautianNomogramClass(0.5, 0.5, 3000.1), -1);
    EXPECT_EQ(RautianNomogramClass(0.004, 0.5, 100), -1);
    EXPECT_EQ(RautianNomogramClass(0.5, 1000.1, 100), -1);
}

TEST(EnergyClass, VegikAndSkmAtTheirSegmentJoins) {
    using enum EnergyClassScale;
    // Ap + As = 1, depth 0: K = 1.84 g(R).
    EXPECT_NEAR(*EnergyClass(Vegik, 75, 0, 0.5, 0.5), 9.701524, 1e-6);  // R = 75 uses the second segment
    EXPECT_NEAR(*EnergyClass(Vegik, 74.9999, 0, 0.5, 0.5), 9.708537, 1e-5);
    EXPECT_NEAR(*EnergyClass(Vegik, 264, 0, 0.5, 0.5), 10.812539, 1e-6);
    EXPECT_NEAR(*EnergyClass(Vegik, 800, 0, 0.5, 0.5), 13.452623, 1e-6);
    EXPECT_NEAR(*EnergyClass(Skm, 95, 0, 0.5, 0.5), 9.808340, 1e-6);
    EXPECT_NEAR(*EnergyClass(Skm, 350, 0, 0.5, 0.5), 10.719404, 1e-6);
    EXPECT_NEAR(*EnergyClass(Skm, 1000, 0, 0.5, 0.5), 12.7328, 1e-6);
    // The depth enters through R: 60 km and 45 km deep is R = 75.
    EXPECT_NEAR(*EnergyClass(Vegik, 60, 45, 0.5, 0.5), 9.701524, 1e-6);
    EXPECT_EQ(EnergyClassVegik(75, 0, 0.5, 0.5), "9.7");
    EXPECT_EQ(EnergyClassVegik(800.1, 0, 0.5, 0.5), "???");
    EXPECT_EQ(EnergyClassSkm(1000.1, 0, 0.5, 0.5), "???");
    EXPECT_EQ(EnergyClassSkm(4, 0, 0.5, 0.5), "???");
    EXPECT_EQ(EnergyClassVegik(100, 0, 0, 0.5), "???");
}

TEST(EnergyClass, GroupAmplitudesOfAStation) {
    PhaseCatalogue catalogue;
    ZELPhases list;
    auto add = [&](int station, int slot, const char* phase, float amplitude) {
        SEISMIC_PHASE p;
        p.stationIndex = station, p.channelIndex = slot, p.phaseIndex = catalogue.IndexOf(phase);
        ASSERT_GE(p.phaseIndex, 0) << phase;
        p.amplitude = amplitude, p.hasAmplitude = 1;
        p.time = list.Count();
        list.Add(p);
    };
    add(0, 0, "Pg", 0.2f);
    add(0, 1, "Pn", 0.4f);
    add(0, 1, "Sg", 1.5f);
    add(1, 0, "Sn", 9.0f);  // another station
    EXPECT_FLOAT_EQ(LargestGroupAmplitude(list, catalogue, 0, false), 0.4f);
    EXPECT_FLOAT_EQ(LargestGroupAmplitude(list, catalogue, 0, true), 1.5f);
    EXPECT_EQ(LargestGroupAmplitude(list, catalogue, 2, true), 0.0);
}

}  // namespace
}  // namespace zel
