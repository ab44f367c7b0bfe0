// The phase catalogue, its phase list files and curve directories, the phase sets of ZEL.ini, and
// the travel-time models of a fresh install.

#include "events/PhaseCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/PrivateProfile.h"
#include "config/ResourceDir.h"
#include "events/TravelTimeModels.h"
#include "session/AppContext.h"
#include "support/TempDir.h"

namespace zel {
namespace {

const std::string kShipped = std::string(ZEL_RESOURCES_DIR) + "/traveltimes/";

std::vector<std::string> Names(const PhaseCatalogue& c) {
    std::vector<std::string> names;
    for (int i = 0; i < c.Count(); ++i) names.push_back(c.Name(i));
    return names;
}

TEST(PhaseCatalogue, DefaultCatalogueEndsWithTheMarkers) {
    PhaseCatalogue c;
    ASSERT_EQ(c.Count(), 64);
    EXPECT_EQ(c.Name(0), "P");
    EXPECT_EQ(c.CurveName(2), "pkikp");
    EXPECT_EQ(c.CurveName(c.IndexOf("sPKKPdf")), "_sPKKP(df)");
    EXPECT_EQ(c.IndexOf("sPKKPdf"), 51);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(c.Name(52 + i), kPhaseMarkerNames[i]);
        EXPECT_EQ(c.CurveName(52 + i), "");
    }
    EXPECT_EQ(c.IndexOf("AML"), 61);
    EXPECT_EQ(c.IndexOf("p"), -1);  // names are case-sensitive: P and p are different phases
    EXPECT_EQ(c.IndexOf(""), -1);
    EXPECT_EQ(c.Name(-1), "");
    EXPECT_EQ(c.Name(64), "");
    EXPECT_EQ(c.Table(64), nullptr);
    for (int i = 0; i < c.Count(); ++i) EXPECT_FALSE(c.HasCurve(i)) << c.Name(i);  // no tables yet
}

TEST(PhaseCatalogue, PhaseListFilesArePairsFollowedByTheMarkers) {
    std::vector<PhaseCatalogueEntry> entries = ParsePhaseList("P P\n  Pn\tP_n\r\n\nLg L_g  Odd");
    ASSERT_EQ(entries.size(), 15u);
    EXPECT_EQ(entries[0], (PhaseCatalogueEntry{"P", "P"}));
    EXPECT_EQ(entries[1], (PhaseCatalogueEntry{"Pn", "P_n"}));
    EXPECT_EQ(entries[2], (PhaseCatalogueEntry{"Lg", "L_g"}));
    EXPECT_EQ(entries[3], (PhaseCatalogueEntry{"tx", ""}));
    EXPECT_EQ(entries[14], (PhaseCatalogueEntry{"AMS", ""}));
    EXPECT_EQ(ParsePhaseList("").size(), 12u);
}

TEST(PhaseCatalogue, ShippedModelsGiveEveryPhaseWithATableItsCurve) {
    for (const char* model : {"iasp91", "ak135"}) {
        PhaseCatalogue c;
        c.Load(kShipped + model, "/nowhere/");
        EXPECT_EQ(Names(c), Names(PhaseCatalogue())) << model;  // the default catalogue's phases, in order
        int curves = 0;
        for (int i = 0; i < c.Count(); ++i) curves += c.HasCurve(i);
        EXPECT_EQ(curves, 45) << model;
        // Listed for picking, without a curve in these models.
        for (const char* name : {"Lg", "Rg", "LR", "LQ", "LRM", "Pb", "Sb", "AML", "tx"})
            EXPECT_FALSE(c.HasCurve(c.IndexOf(name))) << model << " " << name;
        EXPECT_TRUE(c.HasCurve(c.IndexOf("PKiKP")));
        EXPECT_EQ(c.Table("PKPdf")->name, "PKPdf");
        EXPECT_EQ(c.curveDirectory(), kShipped + model + "/");
        // The lookups by name go through the same tables.
        const float t = c.TravelTime(c.IndexOf("Pn"), 10, 12.0f);
        EXPECT_NEAR(c.DistanceForTime("Pn", t, 10), 12.0f, 1e-3);
        const float sp = c.TravelTime(c.IndexOf("S"), 33, 40) - c.TravelTime(c.IndexOf("P"), 33, 40);
        EXPECT_NEAR(c.DistanceForDifference("S", "P", sp, 33), 40.0f, 1e-3);
        EXPECT_GT(c.DistanceForSlowness("P", 0.07f, 33), 30.0f);
        EXPECT_EQ(c.TravelTime(c.IndexOf("Lg"), 10, 5), -1.0f);
        EXPECT_EQ(c.DistanceForTime("Lg", 100, 10), -1.0f);
        EXPECT_EQ(c.DistanceForTime("nonsense", 100, 10), -1.0f);
        EXPECT_EQ(c.DistanceForDifference("S", "Lg", 10, 10), -1.0f);
        EXPECT_EQ(c.DistanceForSlowness("Lg", 0.1f, 10), 0.0f);
    }
    // IASP91 and AK135 differ (by about a second for teleseismic P).
    PhaseCatalogue iasp, ak;
    iasp.Load(kShipped + "iasp91/", "");
    ak.Load(kShipped + "ak135/", "");
    EXPECT_NE(iasp.TravelTime(0, 33, 60), ak.TravelTime(0, 33, 60));
}

TEST(PhaseCatalogue, MissingAndDamagedFilesLeavePhasesWithoutCurves) {
    test::TempDir dir;
    // No phase list in the model directory: the default catalogue, and no table anywhere.
    PhaseCatalogue c;
    c.Load(dir.path().string(), "");
    EXPECT_EQ(Names(c), Names(PhaseCatalogue()));
    EXPECT_FALSE(c.HasCurve(0));

    // An empty model directory setting means "phases/" under the working directory.
    std::filesystem::create_directories(dir.path() / "phases");
    std::filesystem::copy_file(kShipped + "iasp91/P_n", dir.file("phases/P_n"));
    test::WriteFile(dir.file("phases/Broken"), "title\n2\n0 10\n");
    test::WriteFile(dir.file("secret"), test::ReadFile(kShipped + "iasp91/P_n"));
    test::WriteFile(dir.file("phases/phaselist"), "Pn P_n\nXx Broken\nYy Absent\nZz ../secret\n");
    c.Load("", dir.path().string());
    EXPECT_EQ(c.curveDirectory(), dir.path().string() + "/phases/");
    EXPECT_EQ(c.Count(), 16);
    EXPECT_TRUE(c.HasCurve(0));
    for (const char* name : {"Xx", "Yy", "Zz"}) {
        EXPECT_NE(c.IndexOf(name), -1) << name;  // still pickable
        EXPECT_FALSE(c.HasCurve(c.IndexOf(name))) << name;
    }
    PHASEDATA table;
    EXPECT_FALSE(c.LoadTable("Zz", table));
    EXPECT_FALSE(c.LoadTable("AML", table));
    EXPECT_FALSE(c.LoadTable("Unknown", table));
    EXPECT_TRUE(c.LoadTable("Pn", table));

    c.FreeTables();
    EXPECT_FALSE(c.HasCurve(0));
    EXPECT_EQ(c.Count(), 16);
}

TEST(PhaseSets, ReadWrittenAndOffered) {
    EXPECT_EQ(ParsePhaseSet("Pn; Pg,Sn"), (std::vector<std::string>{"Pn", "Pg", "Sn"}));
    EXPECT_EQ(ParsePhaseSet(" ;, ;"), std::vector<std::string>{});
    EXPECT_EQ(FormatPhaseSet({"P", "pP"}), "P;pP;");

    test::TempDir dir;
    PrivateProfile ini(dir.file("ZEL.ini"));
    ini.write({{"PRESELECTED PHASES", "Selection", std::string("Regional")},
               {"PRESELECTED PHASES", "Regional", std::string("Pn;Pg, Sn ;Unknown;")},
               {"PRESELECTED PHASES", "Local", std::string("Pg;Sg;")}});
    PhaseSets sets = LoadPhaseSets(ini);
    EXPECT_EQ(sets.selection, "Regional");
    EXPECT_EQ(sets.regional, (std::vector<std::string>{"Pn", "Pg", "Sn", "Unknown"}));
    EXPECT_TRUE(sets.teleseismic.empty());

    PhaseCatalogue c;
    // Catalogue order, unknown names dropped.
    EXPECT_EQ(OfferedPhases(c, sets), (std::vector<int>{4, 5, 6}));
    sets.selection = "Teleseismic";  // an empty set offers everything
    EXPECT_EQ(OfferedPhases(c, sets).size(), 64u);
    sets.selection = "local";  // case matters: no preset
    EXPECT_EQ(OfferedPhases(c, sets).size(), 64u);
    sets.selection = "Full";
    EXPECT_EQ(OfferedPhases(c, sets).size(), 64u);

    sets.selection = "Local";
    sets.teleseismic = {"P", "PcP"};
    SavePhaseSets(ini, sets);
    EXPECT_EQ(ini.getString("PRESELECTED PHASES", "Teleseismic"), "P;PcP;");
    EXPECT_EQ(ini.getString("PRESELECTED PHASES", "Regional"), "Pn;Pg;Sn;Unknown;");
    PhaseSets again = LoadPhaseSets(ini);
    EXPECT_EQ(again.teleseismic, sets.teleseismic);
    EXPECT_EQ(again.selection, "Local");
}

TEST(TravelTimeModels, GodographKeysAndTheFreshInstall) {
    test::TempDir dir;
    PrivateProfile ini(dir.file("ZEL.ini"));
    EXPECT_TRUE(LoadTravelTimeModels(ini).models.empty());
    ini.write({{"GODOGRAPH", "Total#", std::string("3 models")},
               {"GODOGRAPH", "NAME0", std::string("One")},
               {"GODOGRAPH", "DIR0", std::string("C:\\tt\\one\\")},
               {"GODOGRAPH", "NAME1", std::string(200, 'x')},
               {"GODOGRAPH", "N#", std::string("1")}});
    TravelTimeModelList list = LoadTravelTimeModels(ini);
    ASSERT_EQ(list.models.size(), 3u);
    EXPECT_EQ(list.models[0], (TravelTimeModel{"One", "C:\\tt\\one\\"}));
    EXPECT_EQ(list.models[1].name.size(), kModelNameLength);
    EXPECT_EQ(list.models[2], (TravelTimeModel{"", "\\"}));
    EXPECT_EQ(list.selected, 1);
    SelectTravelTimeModel(ini, 2);
    EXPECT_EQ(LoadTravelTimeModels(ini).selected, 2);

    // Found from a program inside the source tree's build folder, and beside an installed program.
    std::vector<TravelTimeModel> shipped =
        ShippedTravelTimeModels(FindResourceDir(std::string(ZEL_TEST_BIN_DIR) + "/"));
    ASSERT_EQ(shipped.size(), 2u);
    EXPECT_EQ(shipped[0].name, "IASP91");
    EXPECT_EQ(shipped[1].name, "AK135");
    EXPECT_TRUE(std::filesystem::equivalent(shipped[0].dir, kShipped + "iasp91"));
    EXPECT_TRUE(ShippedTravelTimeModels(dir.path().string()).empty());
    const std::filesystem::path installed = dir.path() / "usr" / "share" / "zel" / "resources";
    std::filesystem::create_directories(installed / "traveltimes");
    std::filesystem::copy(kShipped + "iasp91", installed / "traveltimes" / "iasp91");
    EXPECT_TRUE(std::filesystem::equivalent(FindResourceDir((dir.path() / "usr" / "bin").string() + "/"), installed));

    // A first start lists both and selects IASP91, so the catalogue has its curves at once.
    RecordingMessageSink messages;
    AppPaths paths;
    paths.ini = dir.file("config/ZEL.ini");
    paths.registry = dir.file("config/registry.ini");
    paths.embeddedDatabase = dir.file("data/zel.db");
    paths.demoDiskLoop = dir.file("data/diskloop");
    paths.executableDir = std::string(ZEL_TEST_BIN_DIR) + "/";
    paths.resources = FindResourceDir(paths.executableDir);
    AppContext context({}, paths, messages);
    context.loadConfiguration();
    ASSERT_TRUE(context.firstStart());
    list = LoadTravelTimeModels(context.ini());
    ASSERT_EQ(list.models.size(), 2u);
    EXPECT_EQ(list.models[1].name, "AK135");
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(context.settings().godographDir, shipped[0].dir);
    PhaseCatalogue c;
    c.Load(context.settings().godographDir, context.settings().workingDir);
    EXPECT_TRUE(c.HasCurve(c.IndexOf("Pn")));
}

}  // namespace
}  // namespace zel
