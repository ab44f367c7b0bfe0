// The external locator's input: fixed CSS 3.0 columns that the configuration's column numbers
// must hit, null values for what a pick lacks, and fields too wide for their column.

#include "events/LoqFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/ZelError.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/SeismicPhase.h"
#include "events/ZELPhases.h"
#include "support/TempDir.h"

namespace zel {
namespace {

SEISMIC_PHASE Pick(double time) {
    SEISMIC_PHASE p;
    SetPickTime(p, time);
    p.included = 1;
    p.onset = kOnsetImpulsive;
    p.firstMotion = 5;
    return p;
}

LoqArrivalContext Context() { return {"ZMK", "SHZ", "Pn", -45.12, -170.55, 1234.5, 3, 1371211200}; }

TEST(LoqFiles, ArrivalColumnsOfTheConfigurationHitTheirFields) {
    const LoqConfig config = ParseLoqConfiguration(LoqConfiguration());
    const std::string line = LoqArrivalLine(Pick(1371211705.67032), Context());
    const std::vector<LoqArrival> read = ReadLoqArrivals(line, config);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].station, "ZMK");
    EXPECT_EQ(read[0].phase, "Pn");
    EXPECT_NEAR(read[0].time, 1371211705.67032, 1e-5);
    EXPECT_EQ(read[0].arid, 3);
    EXPECT_DOUBLE_EQ(read[0].lat, -45.12);
    EXPECT_DOUBLE_EQ(read[0].lon, -170.55);
    EXPECT_DOUBLE_EQ(read[0].elev, 1234.5);
    // Fields by their CSS 3.0 places: jdate, lower-case channel, first motion, onset, author.
    EXPECT_EQ(line.substr(34, 8), " 2013165");
    EXPECT_EQ(line.substr(61, 8), "shz     ");
    EXPECT_EQ(line.substr(165, 2), "c.");
    EXPECT_EQ(line.substr(179, 1), "I");
    EXPECT_EQ(line.substr(181, 3), "ZEL");
}

TEST(LoqFiles, OriginColumnsReadBackWideValues) {
    CurrentEvent e;
    e.hypocentreValid = true;
    e.lat = -12.3456f;
    e.lon = -170.1234f;
    e.depth = 123.4567f;
    e.originTime = 1371211697.35;
    const std::string line = LoqOriginLine(e, 42, 120, 115, 1371211200);
    const LoqOrigin o = ReadLoqOrigin(line, ParseLoqConfiguration(LoqConfiguration()));
    EXPECT_NEAR(*o.lat, -12.3456, 1e-4);
    EXPECT_NEAR(*o.lon, -170.1234, 1e-4);
    EXPECT_NEAR(*o.depth, 123.4567, 1e-4);
    EXPECT_NEAR(*o.time, 1371211697.35, 1e-5);
    EXPECT_EQ(o.jdate, 2013165);
    EXPECT_EQ(o.phases, 115);

    // The columns 11 and 22 the configuration used to give cut the sign and the hundreds off.
    LoqConfig old = ParseLoqConfiguration(LoqConfiguration());
    old["Origin"]["ev_long"] = "11";
    old["Origin"]["ev_depth"] = "22";
    const LoqOrigin misread = ReadLoqOrigin(line, old);
    EXPECT_NEAR(*misread.lon, 170.1234, 1e-4);
    EXPECT_NEAR(*misread.depth, 23.4567, 1e-4);
}

TEST(LoqFiles, WithoutAHypocentreTheOriginIsNull) {
    CurrentEvent e;
    e.mb = 4.5f;
    const std::string line = LoqOriginLine(e, 0, 3, 2, 0);
    const LoqOrigin o = ReadLoqOrigin(line, ParseLoqConfiguration(LoqConfiguration()));
    EXPECT_FALSE(o.lat);
    EXPECT_FALSE(o.lon);
    EXPECT_FALSE(o.depth);
    EXPECT_FALSE(o.time);
    EXPECT_NE(line.find("   4.50       -1 "), std::string::npos);  // mb with its id
    EXPECT_NE(line.find("  -1.00       -1 "), std::string::npos);  // Ms never computed
}

TEST(LoqFiles, MissingAndOversizedValues) {
    SEISMIC_PHASE bare = Pick(1371211705.0);
    const std::string plain = LoqArrivalLine(bare, Context());
    // No amplitude: null amplitude, period and log(A/T); no azimuth: null azimuth.
    EXPECT_EQ(plain.substr(136, 10), "      -1.0");
    EXPECT_EQ(plain.substr(147, 7), "  -1.00");
    EXPECT_EQ(plain.substr(155, 7), "-999.00");
    EXPECT_EQ(plain.substr(88, 7), "  -1.00");

    SEISMIC_PHASE loud = bare;
    loud.hasAmplitude = 1;
    loud.amplitude = 5.0e8f;  // 5e11 nm: wider than its ten characters
    loud.period = 0.5f;
    loud.hasAzimuth = 1;
    loud.azimuth = -30.0f;
    const std::string line = LoqArrivalLine(loud, Context());
    EXPECT_EQ(line.size(), plain.size());
    EXPECT_EQ(line.substr(136, 10), "      -1.0");
    EXPECT_EQ(line.substr(147, 7), "   0.50");
    EXPECT_EQ(line.substr(88, 7), " 330.00");
    const std::vector<LoqArrival> read = ReadLoqArrivals(line, ParseLoqConfiguration(LoqConfiguration()));
    EXPECT_DOUBLE_EQ(read[0].lon, -170.55);

    // Found by fuzzing: an id or count beyond a long (or nan) was converted regardless.
    const LoqConfig config = ParseLoqConfiguration(LoqConfiguration());
    std::string hugeId = plain;
    hugeId.replace(25, 8, "   1e300");
    EXPECT_THROW(ReadLoqArrivals(hugeId, config), ZelError);
    CurrentEvent e;
    std::string nanDate = LoqOriginLine(e, 0, 3, 2, 0);
    nanDate.replace(67, 7, "    nan");
    EXPECT_THROW(ReadLoqOrigin(nanDate, config), ZelError);

    loud.amplitude = 2.0f;  // 2000 nm at 0.5 s
    const std::string fits = LoqArrivalLine(loud, Context());
    EXPECT_EQ(fits.substr(136, 10), "    2000.0");
    EXPECT_EQ(fits.substr(155, 7), "   3.60");
}

TEST(LoqFiles, WritingTheThreeFiles) {
    test::TempDir dir;
    std::vector<Station> stations(1);
    stations[0].code = "ZMK";
    stations[0].elev = 0.5f;
    stations[0].slots[0].channel = "SHZ";
    stations[0].slots[0].lat = 51.5f;
    stations[0].slots[0].lon = 104.2f;
    PhaseCatalogue catalogue;
    ZELPhases phases;
    SEISMIC_PHASE p = Pick(1371211705.0);
    phases.Add(p);
    p.phaseIndex = 1;
    p.included = 0;
    phases.Add(p);
    CurrentEvent event;
    WriteLoqInput(dir.path().string(), 17, phases, stations, catalogue, event, 0);
    const LoqFileNames names = LoqFilesFor(dir.path().string(), 17);
    EXPECT_EQ(names.arrivals, dir.file("00000017.sds"));
    const std::vector<LoqArrival> arrivals =
        ReadLoqArrivals(test::ReadFile(names.arrivals), ParseLoqConfiguration(test::ReadFile(names.configuration)));
    ASSERT_EQ(arrivals.size(), 1u);  // only the included pick
    EXPECT_EQ(arrivals[0].phase, "P");
    EXPECT_EQ(test::ReadFile(names.configuration), LoqConfiguration());
    EXPECT_NE(test::ReadFile(names.origin).find("   2    1    0"), std::string::npos);

    try {
        WriteLoqInput(dir.file("missing/"), 1, phases, stations, catalogue, event, 0);
        FAIL() << "expected a file error";
    } catch (const ZelError& e) {
        EXPECT_EQ(std::string(e.what()), std::string(kLoqFileOpenError) + dir.file("missing/") +
                                             "00000001.sds: No such file or directory");
    }
}

TEST(LoqFiles, ConfigurationAndPaths) {
    const LoqConfig config = ParseLoqConfiguration(LoqConfiguration());
    EXPECT_EQ(config.at("seism_data").at("TTT_path"), ".\\iasp91\\iasp91");
    EXPECT_EQ(config.at("seism_data").at("data_path"), ".\\");
    EXPECT_EQ(config.at("print").at("print_file"), "loq_log");
    EXPECT_EQ(LoqPath("/opt/loq", ".\\iasp91\\iasp91"), "/opt/loq/iasp91/iasp91");
    EXPECT_EQ(LoqPath("/opt/loq/", ".\\"), "/opt/loq/");
    EXPECT_EQ(LoqPath("/opt/loq", "/abs/x"), "/abs/x");
    EXPECT_EQ(WithTrailingSeparator("C:\\LOQ\\"), "C:\\LOQ\\");
    EXPECT_EQ(WithTrailingSeparator("/tmp/loq"), "/tmp/loq/");
    EXPECT_EQ(NumberAtColumn("  12.5 x", 0), 12.5);
    EXPECT_FALSE(NumberAtColumn("ab", 5));
    EXPECT_FALSE(NumberAtColumn("12x", 0));
}

TEST(LoqFiles, DefaultFolderOfAnInstalledProgram) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "bin");
    EXPECT_EQ(DefaultLoqDirectory(dir.file("bin")), "C:\\LOQ");
    std::filesystem::create_directories(dir.path() / "libexec" / "zel" / "loq");
    test::WriteFile(dir.file("libexec/zel/loq/LOQ.EXE"), "");
    EXPECT_EQ(DefaultLoqDirectory(dir.file("bin")), dir.file("libexec/zel/loq/"));
}

}  // namespace
}  // namespace zel
