// Binary SAC files imported into the disk loop like wfdisc segments: the documented start, rate
// and count of the fixtures, either byte order, and clear refusals.

#include "data/SacFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/Catalogue.h"
#include "db/Databases.h"
#include "support/WorkDatabaseTest.h"

namespace zel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kSac = std::string(ZEL_TEST_DATA_DIR) + "/sac/";

Station StationWith(const std::string& code, const std::string& channel) {
    Station s;
    s.code = code;
    s.slots[0].channel = channel;
    s.slots[0].componentIndex = 1;
    return s;
}

// The file with every header word and sample in the other byte order (the text stays).
std::string Swapped(const std::string& bytes) {
    std::string out = bytes;
    for (std::size_t i = 0; i + 4 <= out.size(); i += 4) {
        if (i >= 440 && i < 632) continue;
        std::swap(out[i], out[i + 3]);
        std::swap(out[i + 1], out[i + 2]);
    }
    return out;
}

float LittleFloat(const std::string& bytes, std::size_t index) {
    std::uint32_t u;
    std::memcpy(&u, bytes.data() + 632 + 4 * index, 4);
    return std::bit_cast<float>(u);
}

class SacImportTest : public test::WorkDatabaseTest {
  protected:
    void SetUp() override {
        WorkDatabaseTest::SetUp();
        if (NotOpened()) return;
        settings.dataDir = loop.path().string();
    }
    TempDir loop;
    CatalogueSettings settings;
};

TEST_P(SacImportTest, SacFilesComeInAsSegmentsInEitherByteOrder) {
    TempDir source;
    const std::string seism = ReadFile(kSac + "seism.sac");
    fs::copy_file(kSac + "CRLZ.HHZ.10.NZ.SAC", source.file("CRLZ.HHZ.10.NZ.SAC"));
    WriteFile(source.file("seism_be.sac"), Swapped(seism));
    WriteFile(source.file("broken.sac"), seism.substr(0, 632 + 400));  // cut: 100 of 1000 samples
    const std::vector<Station> stations = {StationWith("CDV", "Q"), StationWith("CRLZ", "HHZ")};
    CssWaveformImporter importer(db->work(), stations, settings.dataDir, true,
                                 [](const std::string&) { return true; });
    CXChanArray spans;
    const CssImportReport report = importer.ImportDirectory(source.path().string(), spans);
    EXPECT_EQ(report.segments, 2);
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_NE(report.errors[0].find("короче"), std::string::npos) << report.errors[0];

    // seism.sac: CDV Q, 100 Hz, 1000 samples from 1981-03-29T10:38:23.46Z (written big-endian here).
    const double cdv = CalendarToEpoch(1981, 3, 29, 10, 38, 23.46);
    ZELDataBlockArray channel;
    LoadSegments(db->work(), settings, "CDV", "Q", "??", cdv - 1, cdv + 100, channel);
    ASSERT_EQ(channel.blocks.size(), 1u);
    const ZELDataBlock& b = channel.blocks[0];
    EXPECT_NEAR(b.begin, cdv, 1e-4);
    EXPECT_NEAR(b.sps, 100.0, 1e-4);
    ASSERT_EQ(b.Count(), 1000u);
    for (std::size_t i : {0u, 1u, 500u, 999u}) EXPECT_EQ(b.samples[i], LittleFloat(seism, i)) << i;

    // CRLZ.HHZ.10.NZ.SAC: 100 Hz, 32768 samples from 2009-09-04T15:06:40.007Z.
    const double crlz = CalendarToEpoch(2009, 9, 4, 15, 6, 40.007);
    LoadSegments(db->work(), settings, "CRLZ", "HHZ", "??", crlz - 1, crlz + 400, channel);
    ASSERT_EQ(channel.blocks.size(), 1u);
    EXPECT_NEAR(channel.blocks[0].begin, crlz, 1e-4);
    EXPECT_EQ(channel.blocks[0].Count(), 32768u);

    // A file that is no SAC at all, and a SAC file of a station the table lacks, are refused clearly.
    WriteFile(source.file("text.sac"), std::string(700, 'x'));
    EXPECT_THROW(SacAsWfdiscLine(source.file("text.sac")), ZelError);
    const CssImportReport unknown =
        CssWaveformImporter(db->work(), {StationWith("ABC", "Q")}, settings.dataDir, true,
                            [](const std::string&) { return true; })
            .ImportSac(kSac + "seism.sac", spans);
    EXPECT_EQ(unknown.segments, 0);
    ASSERT_EQ(unknown.errors.size(), 1u);
    EXPECT_NE(unknown.errors[0].find("CDV Q"), std::string::npos);
}

ZEL_INSTANTIATE_DATABASE_TEST(SacImportTest);

}  // namespace
}  // namespace zel
