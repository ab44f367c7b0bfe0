// MiniSEED files read in place through the catalogue, against ObsPy's reading of the same files,
// and archives connected by the scan.

#include "data/MiniSeed.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "data/ArchiveScan.h"
#include "data/Catalogue.h"
#include "db/Databases.h"
#include "db/Odbc.h"
#include "support/WorkDatabaseTest.h"

namespace zel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::string kMseed = std::string(ZEL_TEST_DATA_DIR) + "/mseed/";

// One trace of ObsPy's reading (tests/data/oracle/mseed_decoded.csv).
struct OracleTrace {
    std::string file, id, dtype;
    double start = 0, rate = 0;
    std::int64_t npts = 0;
    std::vector<double> first5, last5;
    double sum = 0;
};

std::vector<double> Numbers(const std::string& text) {
    std::vector<double> v;
    std::istringstream in(text);
    for (double x; in >> x;) v.push_back(x);
    return v;
}

double ParseIsoTime(const std::string& t) {
    int y, mo, d, h, mi;
    double s;
    EXPECT_EQ(std::sscanf(t.c_str(), "%d-%d-%dT%d:%d:%lfZ", &y, &mo, &d, &h, &mi, &s), 6) << t;
    return CalendarToEpoch(y, mo, d, h, mi, s);
}

std::vector<OracleTrace> ReadOracle() {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/oracle/mseed_decoded.csv");
    std::vector<OracleTrace> traces;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        for (std::string field; std::getline(ss, field, ',');) f.push_back(field);
        OracleTrace t;
        t.file = f.at(0);
        t.id = f.at(1);
        t.start = ParseIsoTime(f.at(2));
        t.rate = std::stod(f.at(3));
        t.npts = std::stoll(f.at(4));
        t.dtype = f.at(5);
        if (t.dtype != "ascii") {
            t.first5 = Numbers(f.at(6));
            t.last5 = Numbers(f.at(7));
            t.sum = std::stod(f.at(8));
        }
        traces.push_back(std::move(t));
    }
    return traces;
}

Station MakeStation(const std::string& code, std::vector<std::pair<std::string, std::string>> channels) {
    Station s;
    s.code = code;
    int slot = 0;
    for (auto& [channel, lcode] : channels) {
        s.slots[slot].channel = channel;
        s.slots[slot].lcode = lcode;
        s.slots[slot].componentIndex = slot % 3 + 1;
        ++slot;
    }
    return s;
}

class MiniSeedTest : public test::WorkDatabaseTest {
  protected:
    void SetUp() override {
        WorkDatabaseTest::SetUp();
        if (NotOpened()) return;
        settings.dataDir = loop.path().string();
    }
    int Count(const std::string& where = "1=1") {
        Db::Statement st(db->work());
        st.execute("select count(*) from FILELIST where " + where);
        st.fetch();
        return static_cast<int>(*st.integer(0));
    }

    TempDir loop;  // the data directory; archives lie elsewhere
    CatalogueSettings settings;
};

// Every file, every encoding and byte order: scanned into the catalogue and read back whole
// through it, each trace as ObsPy reads it; text records are refused, not read as samples.
TEST_P(MiniSeedTest, EveryFixtureReadsThroughTheCatalogueAsObsPyReadsIt) {
    std::map<std::string, std::vector<OracleTrace>> byFile;
    for (OracleTrace& t : ReadOracle()) byFile[t.file].push_back(std::move(t));
    ASSERT_EQ(byFile.size(), 21u);
    int n = 0;
    for (const auto& [file, traces] : byFile) {
        SCOPED_TRACE(file);
        TempDir archive;
        fs::copy_file(kMseed + file, archive.file("data.mseed"));
        db->work().execute("delete from FILELIST");
        const ArchiveScanReport report =
            ScanArchive(db->work(), archive.path().string(), settings.dataDir, {});
        if (traces.front().dtype == "ascii") {
            EXPECT_EQ(report.rowsAdded, 0u);
            ASSERT_EQ(report.problems.size(), 1u);
            EXPECT_NE(report.problems[0].find("текстовые записи"), std::string::npos);
            continue;
        }
        ASSERT_EQ(report.rowsAdded, traces.size());
        // The id is NET.STA.LOC.CHAN; the location goes to LCODE, an empty one as NULL ("??").
        std::vector<std::string> id;
        std::stringstream ss(traces.front().id + ".");
        for (std::string part; std::getline(ss, part, '.');) id.push_back(part);
        ASSERT_EQ(id.size(), 4u);
        ZELDataBlockArray channel;
        const SegmentLoadReport load =
            LoadSegments(db->work(), settings, id[1], id[3], id[2].empty() ? "??" : id[2],
                         traces.front().start - 10, traces.back().start + 1e6, channel);
        EXPECT_TRUE(load.problems.empty()) << load.Text();
        ASSERT_EQ(channel.blocks.size(), traces.size());  // gaps are separate blocks
        for (std::size_t i = 0; i < traces.size(); ++i) {
            const OracleTrace& t = traces[i];
            const ZELDataBlock& b = channel.blocks[i];
            EXPECT_NEAR(b.begin, t.start, 1e-6);
            EXPECT_EQ(b.sps, t.rate);
            ASSERT_EQ(static_cast<std::int64_t>(b.Count()), t.npts);
            double sum = 0;
            for (float v : b.samples) sum += v;
            EXPECT_NEAR(sum, t.sum, 1e-4 * std::max(1.0, std::fabs(t.sum)));
            for (std::size_t k = 0; k < t.first5.size(); ++k) {
                EXPECT_NEAR(b.samples[k], t.first5[k], 1e-4 * std::max(1.0, std::fabs(t.first5[k])));
                EXPECT_NEAR(b.samples[b.Count() - t.last5.size() + k], t.last5[k],
                            1e-4 * std::max(1.0, std::fabs(t.last5[k])));
            }
        }
        ++n;
    }
    EXPECT_EQ(n, 17);
}

// An SDS archive: scanned in place, a pane's window read from it (a window inside the second
// record finds it without reading the first), rescans that read only what changed.
TEST_P(MiniSeedTest, AnSdsArchiveIsScannedReadAndRescannedByWhatChanged) {
    TempDir archive;
    auto put = [&](const std::string& relative, const std::string& source) {
        fs::create_directories((archive.path() / relative).parent_path());
        fs::copy_file(source, archive.path() / relative);
    };
    put("2003/NL/HGN/BHZ.D/NL.HGN.00.BHZ.D.2003.149", kMseed + "test.mseed");
    put("2007/BW/BGLD/EHE.D/BW.BGLD..EHE.D.2007.365", kMseed + "gaps.mseed");
    const std::vector<Station> stations = {MakeStation("HGN", {{"BHZ", "00"}})};

    ArchiveScanReport r = ScanArchive(db->work(), archive.path().string(), settings.dataDir, stations);
    EXPECT_EQ(r.files, 2u);
    EXPECT_EQ(r.read, 2u);
    EXPECT_EQ(r.rowsAdded, 5u);  // one run of HGN, four of BGLD between its gaps
    EXPECT_EQ(r.unknownChannels, std::vector<std::string>{"BW.BGLD..EHE"});
    EXPECT_EQ(Count("STA='HGN' and CH='BHZ' and LCODE='00' and DATATYPE=10 and FOFF=0"), 1);
    EXPECT_EQ(Count("STA='BGLD' and LCODE is null"), 4);
    // The archive is catalogued where it lies, in the catalogue's absolute form.
    {
        Db::Statement st(db->work());
        st.execute("select CPATH from FILELIST where STA='HGN'");
        ASSERT_TRUE(st.fetch());
        const std::string cpath = *st.text(0);
        EXPECT_TRUE(IsAbsoluteCatalogPath(cpath));
        EXPECT_EQ(SampleFilePath(settings.dataDir, cpath, false),
                  "/" + (archive.path() / "2003/NL/HGN/BHZ.D/NL.HGN.00.BHZ.D.2003.149").string());
    }

    // A pane's window: the whole run once, then ten seconds that lie in the second record.
    const double begin = CalendarToEpoch(2003, 5, 29, 2, 13, 22.0434);
    ZELDataBlockArray whole, pane;
    LoadSegments(db->work(), settings, "HGN", "BHZ", "00", begin, begin + 400, whole);
    ASSERT_EQ(whole.blocks.size(), 1u);
    ASSERT_EQ(whole.blocks[0].Count(), 11947u);
    const double t1 = begin + 200.0;  // sample 8000 at 40 Hz; the first record holds 5980
    LoadSegments(db->work(), settings, "HGN", "BHZ", "00", t1, t1 + 10, pane);
    ASSERT_EQ(pane.blocks.size(), 1u);
    ASSERT_EQ(pane.blocks[0].Count(), 400u);
    EXPECT_NEAR(pane.blocks[0].begin, t1, 1e-6);
    EXPECT_EQ(pane.blocks[0].samples, std::vector<float>(whole.blocks[0].samples.begin() + 8000,
                                                         whole.blocks[0].samples.begin() + 8400));
    // A location code is kept: the same channel of another location has nothing.
    LoadSegments(db->work(), settings, "HGN", "BHZ", "??", t1, t1 + 10, pane);
    EXPECT_TRUE(pane.blocks.empty());

    // Nothing changed: nothing is read again.
    r = ScanArchive(db->work(), archive.path().string(), settings.dataDir, stations);
    EXPECT_EQ(r.read, 0u);
    EXPECT_EQ(r.rowsAdded + r.rowsRemoved + r.vanished, 0u);

    // The next day arrives (written here as Steim-2 from the first day's samples): only it is read.
    ZELDataBlock nextDay = whole.blocks[0];
    nextDay.begin += 86400;
    const std::string day150 = archive.file("2003/NL/HGN/BHZ.D/NL.HGN.00.BHZ.D.2003.150");
    {
        std::ofstream out(day150, std::ios::binary);
        out << MiniSeedBytes({"NL", "HGN", "00", "BHZ"}, {nextDay});
    }
    r = ScanArchive(db->work(), archive.path().string(), settings.dataDir, stations);
    EXPECT_EQ(r.files, 3u);
    EXPECT_EQ(r.read, 1u);
    EXPECT_EQ(r.rowsAdded, 1u);
    EXPECT_TRUE(r.unknownChannels.empty());  // only what was read is reported
    LoadSegments(db->work(), settings, "HGN", "BHZ", "00", t1 + 86400, t1 + 86410, pane);
    ASSERT_EQ(pane.blocks.size(), 1u);
    EXPECT_EQ(pane.blocks[0].samples, std::vector<float>(whole.blocks[0].samples.begin() + 8000,
                                                         whole.blocks[0].samples.begin() + 8400));

    // A file that vanished takes its rows along; the others stay.
    fs::remove(archive.path() / "2007/BW/BGLD/EHE.D/BW.BGLD..EHE.D.2007.365");
    r = ScanArchive(db->work(), archive.path().string(), settings.dataDir, stations);
    EXPECT_EQ(r.vanished, 1u);
    EXPECT_EQ(r.rowsRemoved, 4u);
    EXPECT_EQ(Count(), 2);

    // A file rewritten in place is read again and its rows replaced; a file that is no MiniSEED
    // is looked at once and catalogues nothing.
    {
        std::ofstream out(day150, std::ios::binary | std::ios::trunc);
        nextDay.samples.resize(1000);
        out << MiniSeedBytes({"NL", "HGN", "00", "BHZ"}, {nextDay});
        std::ofstream(archive.file("README.txt")) << "not a record\n";
    }
    fs::last_write_time(day150, fs::last_write_time(day150) + std::chrono::seconds(5));
    r = ScanArchive(db->work(), archive.path().string(), settings.dataDir, stations);
    EXPECT_EQ(r.read, 2u);
    EXPECT_EQ(r.rowsAdded, 1u);
    EXPECT_EQ(r.rowsRemoved, 1u);
    EXPECT_NEAR(
        *[&] {
            Db::Statement st(db->work());
            st.execute("select TQTY from FILELIST where CPATH like '%2003.150'");
            st.fetch();
            return st.real(0);
        }(),
        1000 / 40.0, 1e-9);
    EXPECT_EQ(ScanArchive(db->work(), archive.path().string(), settings.dataDir, stations).read, 0u);
}

ZEL_INSTANTIATE_DATABASE_TEST(MiniSeedTest);

// The writer's bounds: what Steim-2 cannot hold is refused, not wrapped.
TEST(MiniSeedWriter, RefusesWhatARecordCannotHold) {
    const ZELDataBlock block(1e9, 100, {1.0f, 2.0f});
    EXPECT_THROW(MiniSeedBytes({"NL", "TOOLONG", "", "BHZ"}, {block}), ZelError);
    EXPECT_THROW(MiniSeedBytes({"NL", "HGN", "", "BHZ"}, {ZELDataBlock(1e9, 100, {1e10f})}), ZelError);
    EXPECT_THROW(MiniSeedBytes({"NL", "HGN", "", "BHZ"}, {ZELDataBlock(1e9, 0, {1.0f})}), ZelError);
    EXPECT_EQ(MiniSeedBytes({"NL", "HGN", "", "BHZ"}, {block}).size(), 512u);
}

// A FIFO in an archive folder would block a plain open until someone writes into it.
TEST(MiniSeedFile, AFifoIsRefusedWithoutWaiting) {
    const std::string fifo = ::testing::TempDir() + "/zel_fifo.mseed";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(IsMiniSeedFile(fifo));
    EXPECT_THROW(ScanMiniSeedFile(fifo), ZelError);
    std::remove(fifo.c_str());
}

}  // namespace
}  // namespace zel
