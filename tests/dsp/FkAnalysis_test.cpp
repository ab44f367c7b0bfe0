// What the F-K dialog decides besides drawing: grid checks, colours, the typed result, the
// phases offered, the distance a slowness suggests and the result stored on a pick.

#include "wave/FkAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "base/PrivateProfile.h"
#include "dsp/FkModuleSettings.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/TempDir.h"

namespace zel {
namespace {

TEST(FkAnalysis, GridFieldsAreCheckedFieldByField) {
    const FkGridInput defaults = ParseFkGrid("-0.5", "0.5", "200");
    ASSERT_TRUE(defaults.grid);
    EXPECT_EQ(defaults.grid->min, -0.5);
    EXPECT_EQ(defaults.grid->intervals, 200);
    const FkGridInput limits = ParseFkGrid(" -20", "20 ", "1000");
    ASSERT_TRUE(limits.grid) << limits.problem->text;
    EXPECT_EQ(limits.grid->max, 20.0);
    EXPECT_TRUE(ParseFkGrid("0", "0.1", "2").grid);

    struct Case {
        const char *min, *max, *intervals;
        FkGridField field;
        const char* text;
    };
    for (const Case& c : {Case{"-20.01", "0.5", "200", FkGridField::Min, "Введите число между -20 и 20."},
                          Case{"", "0.5", "200", FkGridField::Min, "Введите число."},
                          Case{"-0.5", "0.5x", "200", FkGridField::Max, "Введите число."},
                          Case{"-0.5", "inf", "200", FkGridField::Max, "Введите число."},
                          Case{"-0.5", "21", "200", FkGridField::Max, "Введите число между -20 и 20."},
                          Case{"-0.5", "0.5", "1", FkGridField::Intervals, "Введите целое число между 2 и 1000."},
                          Case{"-0.5", "0.5", "1001", FkGridField::Intervals, "Введите целое число между 2 и 1000."},
                          Case{"-0.5", "0.5", "20.5", FkGridField::Intervals, "Введите целое число."},
                          Case{"0.5", "0.5", "200", FkGridField::Max, "Максимум Px и Py должен быть больше минимума."},
                          Case{"0.5", "-0.5", "200", FkGridField::Max, "Максимум Px и Py должен быть больше минимума."}}) {
        const FkGridInput in = ParseFkGrid(c.min, c.max, c.intervals);
        EXPECT_FALSE(in.grid) << c.min << " " << c.max << " " << c.intervals;
        ASSERT_TRUE(in.problem);
        EXPECT_EQ(in.problem->field, c.field) << c.min << " " << c.max << " " << c.intervals;
        EXPECT_EQ(in.problem->text, c.text);
    }
}

TEST(FkAnalysis, ColourIndexTruncatesOverTheScaleAndStaysInThePalette) {
    EXPECT_EQ(kFkPalette[0], (Rgb{0, 0, 255}));
    EXPECT_EQ(kFkPalette[2], kFkPalette[3]);
    EXPECT_EQ(kFkPalette[9], (Rgb{255, 0, 0}));
    // Scale 0.2..1: index = trunc((p - 0.2) * 9 / 0.8).
    EXPECT_EQ(FkColourIndex(0.2, 0.2, 1.0), 0);
    EXPECT_EQ(FkColourIndex(0.28, 0.2, 1.0), 0);  // 0.9
    EXPECT_EQ(FkColourIndex(0.6, 0.2, 1.0), 4);   // 4.5
    EXPECT_EQ(FkColourIndex(0.99, 0.2, 1.0), 8);  // 8.8875
    EXPECT_EQ(FkColourIndex(1.0, 0.2, 1.0), 9);
    EXPECT_EQ(FkColourIndex(1.5, 0.2, 1.0), 9);
    EXPECT_EQ(FkColourIndex(0.1, 0.2, 1.0), 0);
    EXPECT_EQ(FkColourIndex(std::numeric_limits<double>::quiet_NaN(), 0.2, 1.0), 0);
    // One channel: every point is the maximum.
    EXPECT_EQ(FkColourIndex(1.0, 1.0, 1.0), 9);
}

TEST(FkAnalysis, ResultFieldsNeedTwoNumbersAndASlownessNotBelowZero) {
    const auto r = ParseFkResultFields("151.5", " 0.0700 ");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->azimuth, 151.5);
    EXPECT_EQ(r->slowness, 0.07);
    EXPECT_TRUE(ParseFkResultFields("-10", "0"));
    EXPECT_FALSE(ParseFkResultFields("", "0.07"));
    EXPECT_FALSE(ParseFkResultFields("151.5", ""));
    EXPECT_FALSE(ParseFkResultFields("151,5", "0.07"));
    EXPECT_FALSE(ParseFkResultFields("151.5", "-0.07"));
    EXPECT_FALSE(ParseFkResultFields("nan", "0.07"));
}

TEST(FkAnalysis, PhasesOfTheReferenceChannelAreOfferedAndTheResultStoredInSecondsPerDegree) {
    PhaseCatalogue catalogue;
    const int p = catalogue.IndexOf("P"), s = catalogue.IndexOf("S"), pn = catalogue.IndexOf("Pn");
    ZELPhases phases;
    auto add = [&](int station, int slot, int phase, double time) {
        SEISMIC_PHASE pick;
        pick.stationIndex = station;
        pick.channelIndex = slot;
        pick.phaseIndex = phase;
        pick.time = time;
        phases.Add(pick);
    };
    add(1, 0, s, 200.0);
    add(1, 0, p, 100.0);
    add(1, 1, pn, 90.0);  // another channel of the station
    add(2, 0, pn, 95.0);  // another station
    const std::vector<FkPhaseChoice> choices = FkPhaseChoices(phases, catalogue, 1, 0);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].name, "P");  // time order
    EXPECT_EQ(choices[0].phaseIndex, p);
    EXPECT_EQ(choices[1].name, "S");
    EXPECT_TRUE(FkPhaseChoices(phases, catalogue, 3, 0).empty());

    // 0.08 s/km is 8.8956 s/deg.
    ASSERT_TRUE(AssociateFkResult(phases, 1, 0, p, {151.5, 0.08}));
    const SEISMIC_PHASE* stored = phases.Find(1, 0, p);
    EXPECT_EQ(stored->hasAzimuth, 1);
    EXPECT_EQ(stored->azimuth, 151.5f);
    EXPECT_EQ(stored->hasSlowness, 1);
    EXPECT_FLOAT_EQ(stored->slowness, 8.8956f);
    EXPECT_EQ(phases.Find(1, 0, s)->hasSlowness, 0);
    EXPECT_FALSE(AssociateFkResult(phases, 1, 1, p, {151.5, 0.08}));
    EXPECT_EQ(phases.Find(1, 1, pn)->hasAzimuth, 0);
}

TEST(FkAnalysis, DistanceEstimateFindsWhereTheCurveHasTheSlowness) {
    PhaseCatalogue catalogue;
    catalogue.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "/nowhere/");
    // TauP (iasp91): SS from 20 km at 92.5 degrees has a ray parameter of 14.35084 s/deg; the
    // estimate works with 111 km to the degree and a source at 33 km.
    const auto ss = FkDistanceEstimate(catalogue, "SS", 14.35084 / 111.0);
    ASSERT_TRUE(ss);
    EXPECT_NEAR(*ss, 92.5, 2.5);
    // PP from the surface at 121 degrees: 6.84136 s/deg.
    const auto pp = FkDistanceEstimate(catalogue, "PP", 6.84136 / 111.0);
    ASSERT_TRUE(pp);
    EXPECT_NEAR(*pp, 121.0, 2.5);
    EXPECT_FALSE(FkDistanceEstimate(catalogue, "tx", 0.1));  // a marker has no curve
    EXPECT_FALSE(FkDistanceEstimate(PhaseCatalogue{}, "P", 0.1));
}

TEST(FkModuleSettings, ConfiguredKeysWinAndTheStandInIsFoundBesideTheProgram) {
    test::TempDir dir;
    PrivateProfile ini(dir.file("ZEL.ini"));
    const std::string bin = dir.file("build/src");
    const std::string tools = dir.file("build/tools/fk_module");
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(tools);
    // Nothing built yet: the bare name, for PATH.
    FkModuleSettings s = LoadFkModuleSettings(ini, bin, "/work/");
    EXPECT_EQ(s.module, "zel_fk_module");
    EXPECT_EQ(s.exchangeDir, "/work/FK");
    test::WriteFile(tools + "/zel_fk_module", "");
    EXPECT_EQ(LoadFkModuleSettings(ini, bin, "/work/").module,
              std::filesystem::weakly_canonical(tools + "/zel_fk_module").string());
    test::WriteFile(bin + "/zel_fk_module", "");  // beside the program comes first
    EXPECT_EQ(LoadFkModuleSettings(ini, bin, "/work/").module,
              std::filesystem::weakly_canonical(bin + "/zel_fk_module").string());

    SaveFkModuleSettings(ini, {"/opt/fk/fk", "/tmp/fk exchange"});
    EXPECT_EQ(ini.getString("FKEXT", "MODULE"), "/opt/fk/fk");
    s = LoadFkModuleSettings(ini, bin, "/work/");
    EXPECT_EQ(s.module, "/opt/fk/fk");
    EXPECT_EQ(s.exchangeDir, "/tmp/fk exchange");
}

}  // namespace
}  // namespace zel
