// A network's own data through zelbatch, as its analyst types it: the StationXML inventory into
// the station table, the SDS archive scanned in place, a window read and simulated from it, and
// MiniSEED written back out.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/TimeConversions.h"
#include "data/MiniSeed.h"
#include "dsp/Response.h"
#include "dsp/Simulation.h"
#include "formats/StationXml.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

ProgramResult Zelbatch(const TempDir& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv{ZEL_BATCH};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, {},
                      {{"XDG_CONFIG_HOME", home.file("config")}, {"XDG_DATA_HOME", home.file("data")}});
}

std::vector<double> Values(const std::string& text) {
    std::vector<double> values;
    std::istringstream in(text);
    for (double t, v; in >> t >> v;) values.push_back(v);
    return values;
}

TEST(BatchArchive, InventoryAndSdsArchiveServeReadsSimulationsAndMiniSeedExport) {
    TempDir home;
    const ProgramResult imported = Zelbatch(
        home, {"stations", "--import", std::string(ZEL_TEST_DATA_DIR) + "/stationxml/IU_ANMO_BH.xml"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_NE(imported.out.find("Imported stations: 1, channels: 6, responses: 9"), std::string::npos)
        << imported.out;
    EXPECT_NE(imported.out.find("ANMO     34.9459  -106.4572   1.820 BHZ BH1 BH2 BHZ BH2 BH1"),
              std::string::npos)
        << imported.out;

    // One day of IU.ANMO.10.BHZ at 40 Hz in an SDS tree outside the data directory: a 1 Hz sine
    // of 1000 counts.
    const double day = CalendarToEpoch(2013, 6, 14, 0, 0, 0);
    ZELDataBlock block(day, 40.0, std::vector<float>(40 * 3600));
    for (std::size_t i = 0; i < block.Count(); ++i)
        block.samples[i] =
            std::round(1000.0f * static_cast<float>(std::sin(2 * M_PI * static_cast<double>(i) / 40.0)));
    const fs::path sds = home.path() / "sds";
    const fs::path file = sds / "2013/IU/ANMO/BHZ.D/IU.ANMO.10.BHZ.D.2013.165";
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << MiniSeedBytes({"IU", "ANMO", "10", "BHZ"}, {block});

    const ProgramResult scanned = Zelbatch(home, {"scan", sds.string()});
    ASSERT_EQ(scanned.exitCode, 0) << scanned.err;
    EXPECT_EQ(
        scanned.out.rfind("Files in the archive: 1, new or changed files read: 1, vanished: 0; catalogue rows "
                          "added: 1, removed: 0\n",
                          0),
        0u)
        << scanned.out;

    const std::vector<std::string> window = {
        "--station",           "ANMO", "--channel",          "10.BHZ", "--from",
        "2013-06-14T00:10:00", "--to", "2013-06-14T00:11:00"};
    std::vector<std::string> read = {"read"};
    read.insert(read.end(), window.begin(), window.end());
    const ProgramResult samples = Zelbatch(home, read);
    ASSERT_EQ(samples.exitCode, 0) << samples.err;
    const std::vector<double> values = Values(samples.out);
    ASSERT_EQ(values.size(), 2400u);
    EXPECT_EQ(values.front(), block.samples[24000]);
    EXPECT_EQ(values.back(), block.samples[26399]);

    // Wood-Anderson on the imported channel's poles and zeros.
    std::vector<std::string> simulate = {"filter", "--simulate", "wood-anderson"};
    simulate.insert(simulate.end(), window.begin(), window.end());
    const ProgramResult wa = Zelbatch(home, simulate);
    ASSERT_EQ(wa.exitCode, 0) << wa.err;
    // In the middle, 1000 counts times the channel's nanometres per count at 1 Hz (from the 2013
    // epoch of the inventory) times the instrument's gain at 1 Hz.
    const std::vector<double> simulated = Values(wa.out);
    ASSERT_GT(simulated.size(), 2000u);
    double peak = 0;
    for (std::size_t i = simulated.size() / 3; i < 2 * simulated.size() / 3; ++i)
        peak = std::max(peak, std::fabs(simulated[i]));
    std::optional<PolesZeros> recorder;
    for (const StationXmlStation& s :
         ReadStationXml(std::string(ZEL_TEST_DATA_DIR) + "/stationxml/IU_ANMO_BH.xml"))
        for (const StationXmlChannel& c : s.channels)
            if (c.location == "10" && c.code == "BHZ" && *c.start < day) {
                std::string why;
                recorder = ParsePolesZeros(*SacPolesZerosText(c.response, why));
            }
    ASSERT_TRUE(recorder);
    const double expected =
        1000.0 * std::abs(recorder->InverseResponse(1.0)) * std::abs(TargetResponse(kSimWoodAnderson, 1.0));
    EXPECT_NEAR(peak / expected, 1.0, 0.03);

    // Out again as MiniSEED: the same samples, the identity kept.
    std::vector<std::string> exported = {"export", "--format", "mseed", "--network", "IU"};
    exported.insert(exported.end(), window.begin(), window.end());
    exported.push_back(home.file("out"));
    const ProgramResult out = Zelbatch(home, exported);
    ASSERT_EQ(out.exitCode, 0) << out.err;
    const MiniSeedContents contents = ScanMiniSeedFile(home.file("out/IU.ANMO.10.BHZ.mseed"));
    ASSERT_EQ(contents.runs.size(), 1u);
    EXPECT_EQ(contents.runs[0].count, 2400);
    EXPECT_NEAR(contents.runs[0].begin, day + 600, 1e-6);
}

}  // namespace
}  // namespace zel::test
