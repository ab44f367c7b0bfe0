// Import of CSS 3.0 waveforms into the disk loop and their export, on the real CSS fixture.

#include "data/CssWaveformImport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "base/MessageSink.h"
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

const std::string kCss = std::string(ZEL_TEST_DATA_DIR) + "/css";
constexpr double kT0 = 1296474900.0;  // 2011-01-31 11:55:00, every fixture segment

// Stations and channel slots as the fixture's station tables list them (one group of three per
// station, in the order of the channel rows).
std::vector<Station> FixtureStations() {
    std::vector<Station> stations;
    std::ifstream site(kCss + "/station/default.site");
    std::string line;
    while (std::getline(site, line)) {
        std::istringstream in(line);
        Station s;
        std::string ondate, offdate;
        in >> s.code >> ondate >> offdate >> s.lat >> s.lon >> s.elev;
        if (FindStation(stations, s.code) < 0) stations.push_back(s);
    }
    std::ifstream sitechan(kCss + "/station/default.sitechan");
    while (std::getline(sitechan, line)) {
        std::istringstream in(line);
        std::string sta, chan;
        in >> sta >> chan;
        Station& s = stations.at(static_cast<std::size_t>(FindStation(stations, sta)));
        if (s.FindSlot(chan) >= 0) continue;
        for (ChannelSlot& slot : s.slots)
            if (!slot.Used()) {
                slot.channel = chan;
                break;
            }
    }
    return stations;
}

// The fixture's station tables do not list its two test stations: they are added the same way.
std::vector<Station> StationsWithTestStations() {
    std::vector<Station> stations = FixtureStations();
    for (const char* code : {"TESTBE", "TESTLE"}) {
        Station s;
        s.code = code;
        s.slots[0].channel = "HHZ";
        s.slots[1].channel = "HHN";
        s.slots[2].channel = "HHE";
        stations.push_back(s);
    }
    return stations;
}

// The documented sample values in file order: HHZ, then HHE, then HHN (foff 0, 19200, 38400).
std::vector<float> Documented(int component) {
    std::ifstream in(kCss + "/201101311155.10.ascii");
    std::vector<float> values;
    long v;
    while (in >> v) values.push_back(static_cast<float>(v));
    return {values.begin() + component * 4800, values.begin() + (component + 1) * 4800};
}

void CopyInto(const fs::path& dir, std::initializer_list<const char*> names) {
    for (const char* name : names) fs::copy_file(kCss + "/" + name, dir / name);
}

class CssWaveformImportTest : public test::WorkDatabaseTest {
  protected:
    void SetUp() override {
        WorkDatabaseTest::SetUp();
        if (NotOpened()) return;
        settings.dataDir = (loop.path() / "data").string();
        fs::create_directories(source.path() / "sub");
    }

    CssImportReport Import(const std::string& folder, const std::vector<Station>& stations,
                           bool continueOnInsertError = true) {
        CssWaveformImporter importer(db->work(), stations, settings.dataDir, true, [&](const std::string& q) {
            questions.push_back(q);
            return continueOnInsertError;
        });
        return importer.ImportDirectory(folder, spans);
    }
    ZELDataBlockArray Load(const std::string& sta, const std::string& ch) {
        ZELDataBlockArray channel;
        const SegmentLoadReport r =
            LoadSegments(db->work(), settings, sta, ch, "??", kT0 - 10, kT0 + 100, channel);
        EXPECT_TRUE(r.problems.empty()) << r.Text();
        return channel;
    }
    int Count(const std::string& where = "1=1") {
        Db::Statement st(db->work());
        st.execute("select count(*) from FILELIST where " + where);
        st.fetch();
        return static_cast<int>(*st.integer(0));
    }
    // The first fixture line, with changes.
    WfdiscRecord FixtureLine() {
        std::ifstream in(kCss + "/test_css.wfdisc");
        std::string line;
        std::getline(in, line);
        return ParseWfdiscLine(line).value();
    }

    TempDir loop, source;
    CatalogueSettings settings;
    CXChanArray spans;
    std::vector<std::string> questions;
};

TEST_P(CssWaveformImportTest, RealFixtureComesIntoTheDiskLoopWithItsDocumentedSamples) {
    CopyInto(source.path(), {"test_css.wfdisc", "201101311155.10.be.w", "201101311155.10.le.w"});

    // Stations of the model only: the fixture's own stations are not there, nothing comes in.
    CssImportReport none = Import(source.path().string(), FixtureStations());
    EXPECT_EQ(none.segments, 0);
    EXPECT_EQ(Count(), 0);

    CssImportReport report = Import(source.path().string(), StationsWithTestStations());
    EXPECT_TRUE(report.errors.empty()) << report.errors.front();
    EXPECT_EQ(report.segments, 6);
    EXPECT_EQ(Count("CREATER='CSS2ZEL_import' and DATATYPE=3 and FOFF=512 and SPS=80 and TQTY=60 and TEND=" +
                    std::to_string(kT0 + 60)),
              6);
    EXPECT_EQ(Count("CPATH='TESTBE/115500-31012011.HHZ'"), 1);  // relative, "/" separators
    ASSERT_EQ(spans.Count(), 6u);
    EXPECT_EQ(spans[0].first, kT0);
    EXPECT_EQ(spans[0].last, kT0 + 4799.0 / 80);

    const char* channels[] = {"HHZ", "HHE", "HHN"};
    for (const char* sta : {"TESTBE", "TESTLE"})
        for (int c = 0; c < 3; ++c) {
            const ZELDataBlockArray got = Load(sta, channels[c]);
            ASSERT_EQ(got.blocks.size(), 1u) << sta << channels[c];
            EXPECT_EQ(got.blocks[0].begin, kT0);
            EXPECT_EQ(got.blocks[0].samples, Documented(c)) << sta << channels[c];
        }

    // Again: the rows of each path are replaced, a row of another file at the same time stays.
    db->work().execute(
        "insert into FILELIST (STA, CH, TBEGIN, TQTY, SPS, CPATH, DATATYPE, FOFF, GAIN) values ('TESTBE', "
        "'HHZ', ?, 60, 80, 'elsewhere/115500-31012011.HHZ', 3, 512, 1)",
        {kT0});
    EXPECT_EQ(Import(source.path().string(), StationsWithTestStations()).segments, 6);
    EXPECT_EQ(Count(), 7);
    EXPECT_EQ(Count("CPATH='elsewhere/115500-31012011.HHZ'"), 1);
    EXPECT_FALSE(fs::exists(loop.path() / "data/TESTBE/115500-31012011_1.HHZ"));
}

TEST_P(CssWaveformImportTest, BadDatatypeAndMissingFileAreReportedAndTheRestComesIn) {
    CopyInto(source.path(), {"test_css_3.wfdisc", "201101311155_2.be.w", "201101311155_2.le.w"});
    CssImportReport report = Import(source.path().string(), StationsWithTestStations());
    ASSERT_EQ(report.errors.size(), 2u);
    EXPECT_EQ(report.errors[0], "Не могу конвертировать данные типа c0");
    EXPECT_EQ(report.errors[1],
              "Ошибка открытия файла " + (source.path() / "./missing11155_2.le.w").string());
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(report.segments, 4);
    EXPECT_EQ(Count("STA='TESTBE' and CH='HHN'"), 0);
    EXPECT_EQ(Count("STA='TESTLE' and CH='HHZ'"), 0);
    EXPECT_EQ(Load("TESTLE", "HHN").blocks.at(0).samples, Documented(2));
}

// An index may name any file: only regular files inside the wfdisc's own folder tree are copied
// into the disk loop (once, "dir=/etc dfile=shadow" came in byte-exact), and a pipe is never
// waited on. The disk-loop files get the mode the umask gives.
TEST_P(CssWaveformImportTest, OnlyRegularSampleFilesInsideTheWfdiscFolderComeIn) {
    // A pipe would hang the import for ever: end the test instead.
    ::alarm(60);
    const fs::path folder = source.path() / "index", outside = source.path() / "outside";
    const std::string samples = "201101311155.10.be.w";
    fs::create_directories(folder / "sub");
    fs::create_directories(outside);
    CopyInto(outside, {"201101311155.10.be.w"});
    CopyInto(folder / "sub", {"201101311155.10.be.w"});
    fs::create_symlink(outside / samples, folder / "out.w");
    fs::create_symlink(folder / "sub" / samples, folder / "in.w");
    ASSERT_EQ(::mkfifo((folder / "pipe.w").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder / "z.wfdisc").c_str(), 0600), 0);
    struct Line {
        std::string dir, dfile, error;  // error empty: the segment comes in
    };
    const std::vector<Line> lines = {
        // An absolute dir is joined under the folder like any other.
        {outside.string(), samples,
         "Ошибка открытия файла " + (folder / outside.relative_path() / samples).string()},
        {"../outside", samples, kOutsideWfdiscFolder + (folder / "../outside" / samples).string()},
        {".", "out.w", kOutsideWfdiscFolder + (folder / "out.w").string()},
        {".", "pipe.w", kNotARegularFile + (folder / "pipe.w").string()},
        {"sub", samples, ""},
        {".", "in.w", ""},  // a link that stays inside
    };
    std::string index;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        WfdiscRecord r = FixtureLine();
        r.time = kT0 + 100.0 * static_cast<double>(i);
        r.dir = lines[i].dir;
        r.dfile = lines[i].dfile;
        index += FormatWfdiscLine(r);
    }
    WriteFile((folder / "a.wfdisc").string(), index);

    const mode_t umask = ::umask(027);
    const CssImportReport report = Import(folder.string(), StationsWithTestStations());
    ::umask(umask);
    ::alarm(0);
    std::vector<std::string> expected;
    for (const Line& l : lines)
        if (!l.error.empty()) expected.push_back(l.error);
    expected.push_back(kNotARegularFile + (folder / "z.wfdisc").string());
    EXPECT_EQ(report.errors, expected);
    EXPECT_EQ(report.segments, 2);
    EXPECT_EQ(Count(), 2);
    for (const char* file : {"120140-31012011.HHZ", "120320-31012011.HHZ"}) {
        struct stat st {};
        ASSERT_EQ(::stat((loop.path() / "data/TESTBE" / file).c_str(), &st), 0) << file;
        EXPECT_EQ(st.st_mode & 07777, 0640u) << file;
    }
}

TEST_P(CssWaveformImportTest, AFailedCatalogueInsertAsksWhetherToGoOn) {
    if (GetParam() != test::Backend::SQLite) GTEST_SKIP() << "the refusing trigger is written for SQLite";
    CopyInto(source.path(), {"test_css.wfdisc", "201101311155.10.be.w", "201101311155.10.le.w"});
    db->work().execute(
        "create trigger refuse before insert on FILELIST begin select raise(abort, 'full'); end");
    CssImportReport no = Import(source.path().string(), StationsWithTestStations(), false);
    EXPECT_TRUE(no.stopped);
    EXPECT_EQ(no.segments, 0);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0],
              "Error of insert record in ZEL-DB (filelist -> TESTBE/115500-31012011.HHZ)\nContinue?");
    EXPECT_TRUE(fs::exists(loop.path() / "data/TESTBE/115500-31012011.HHZ"));  // files written stay
    EXPECT_EQ(spans.Count(), 0u);

    questions.clear();
    CssImportReport yes = Import(source.path().string(), StationsWithTestStations(), true);
    EXPECT_FALSE(yes.stopped);
    EXPECT_EQ(questions.size(), 6u);
    EXPECT_EQ(Count(), 0);
}

TEST_P(CssWaveformImportTest, LinesAreReadWholeAndSegmentsOfOneSecondKeepTheirOwnFiles) {
    fs::create_directories(source.path() / "elsewhere/sub");
    CopyInto(source.path() / "elsewhere/sub", {"201101311155.10.be.w"});
    WfdiscRecord first = FixtureLine();  // TESTbe HHZ at foff 0
    first.dir = "sub";
    WfdiscRecord second = first;
    second.time = kT0 + 0.5;  // same whole second, other samples
    second.foff = 19200;
    std::string shortLine = FormatWfdiscLine(first);
    shortLine.erase(0, 1);  // 282 characters
    std::string longLine = FormatWfdiscLine(first);
    longLine.insert(longLine.size() - 1, "x");
    std::string secondLine = FormatWfdiscLine(second);
    secondLine.pop_back();  // the last line has no line feed
    std::string firstLine = FormatWfdiscLine(first);
    firstLine.insert(firstLine.size() - 1, "\r");
    WriteFile((source.path() / "elsewhere/a.wfdisc").string(), shortLine + longLine + firstLine + secondLine);

    CssImportReport report = Import((source.path() / "elsewhere").string(), StationsWithTestStations());
    EXPECT_TRUE(report.errors.empty()) << report.errors.front();
    EXPECT_EQ(report.segments, 2);
    EXPECT_EQ(Count("CPATH='TESTBE/115500-31012011.HHZ'"), 1);
    EXPECT_EQ(Count("CPATH='TESTBE/115500-31012011_1.HHZ' and TBEGIN=" + std::to_string(kT0 + 0.5)), 1);
    const ZELDataBlockArray got = Load("TESTBE", "HHZ");
    ASSERT_EQ(got.blocks.size(), 2u);
    EXPECT_EQ(got.blocks[0].samples, Documented(0));
    EXPECT_EQ(got.blocks[1].samples, Documented(1));
}

// A start time no calendar holds used to throw out of the whole import.
TEST_P(CssWaveformImportTest, ASegmentWithAnImpossibleTimeIsReportedAndTheRestComesIn) {
    CopyInto(source.path() / "sub", {"201101311155.10.be.w"});
    WfdiscRecord good = FixtureLine();
    good.dir = "sub";
    WfdiscRecord bad = good;
    bad.chan = "HHN";
    std::string badLine = FormatWfdiscLine(bad);
    badLine.replace(16, 17, "             1e18");  // too wide for the writer, readable all the same
    WriteFile((source.path() / "a.wfdisc").string(), badLine + FormatWfdiscLine(good));

    CssImportReport report = Import(source.path().string(), StationsWithTestStations());
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_EQ(report.errors[0], "Не могу создать файл 'TESTBE/HHN'");
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(report.segments, 1);
    EXPECT_EQ(Load("TESTBE", "HHZ").blocks.at(0).samples, Documented(0));
}

TEST_P(CssWaveformImportTest, ExportAndReimportKeepSamplesAndTimesInEveryFormat) {
    CopyInto(source.path(), {"test_css.wfdisc", "201101311155.10.be.w", "201101311155.10.le.w"});
    ASSERT_EQ(Import(source.path().string(), StationsWithTestStations()).segments, 6);
    XZELDataBlockArrays channels = {Load("TESTBE", "HHZ"), Load("TESTLE", "HHN")};
    channels[0].station = "TESTBE";
    channels[0].channel = "HHZ";
    channels[1].station = "TESTLE";
    channels[1].channel = "HHN";
    for (auto format :
         {WfdiscExportFormat::Int32Le, WfdiscExportFormat::Float32Le, WfdiscExportFormat::Int32Be}) {
        TempDir out, loop2;
        ExportWfdisc(out.file("x.wfd"), channels, format);
        std::ifstream in(out.file("x.wfd"));
        std::string text;
        std::getline(in, text);
        const WfdiscRecord line = ParseWfdiscLine(text).value();
        EXPECT_EQ(line.endtime, kT0 + 4799.0 / 80);  // the last sample
        EXPECT_EQ(line.dfile, "0-11550031012011-TESTBE-hhz.w");
        EXPECT_EQ(line.lddate, "2011:031-11:55:00");
        EXPECT_EQ(line.jdate, 2011031);

        settings.dataDir = loop2.path().string();  // a new disk loop
        db->work().execute("delete from FILELIST");
        CssImportReport report = Import(out.path().string(), StationsWithTestStations());
        EXPECT_TRUE(report.errors.empty());
        EXPECT_EQ(report.segments, 2);
        for (int c = 0; c < 2; ++c) {
            const ZELDataBlockArray again = Load(channels[c].station, channels[c].channel);
            ASSERT_EQ(again.blocks.size(), 1u);
            EXPECT_EQ(again.blocks[0].begin, kT0);
            EXPECT_EQ(again.blocks[0].sps, 80.0);
            EXPECT_EQ(again.blocks[0].samples, channels[c].blocks[0].samples);
        }
    }
}

std::string SampleFileOf(const TempDir& dir, const XZELDataBlockArrays& channels, WfdiscExportFormat format) {
    ExportWfdisc(dir.file("x.wfdisc"), channels, format);
    std::ifstream in(dir.file("x.wfdisc"));
    std::string text;
    std::getline(in, text);
    return ReadFile(dir.file(ParseWfdiscLine(text).value().dfile));
}

TEST(CssWaveformExport, NamesFieldsAndClampsSamplesByFormat) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ZELDataBlock block(1371212423.5, 20.0, {-1.7f, 3e9f, -3e9f, nan, 2.9f});  // 2013-06-14 12:20:23.5
    block.calib = 0.25;
    XZELDataBlockArrays channels = {ZELDataBlockArray("ABC", "BHZ")};
    channels[0].blocks.push_back(block);
    TempDir dir;
    const std::string le = SampleFileOf(dir, channels, WfdiscExportFormat::Int32Le);
    EXPECT_EQ(le, std::string("\xff\xff\xff\xff"
                              "\xff\xff\xff\x7f"
                              "\x00\x00\x00\x80"
                              "\x00\x00\x00\x00"
                              "\x02\x00\x00\x00",
                              20));
    const std::string be = SampleFileOf(dir, channels, WfdiscExportFormat::Int32Be);
    EXPECT_EQ(be.substr(0, 8), std::string("\xff\xff\xff\xff\x7f\xff\xff\xff", 8));
    const std::vector<float> floats =
        ConvertWfdiscSamples("f4", SampleFileOf(dir, channels, WfdiscExportFormat::Float32Le));
    EXPECT_EQ(floats, (std::vector<float>{-1.7f, 3e9f, -3e9f, 0.0f, 2.9f}));

    std::ifstream in(dir.file("x.wfdisc"));
    std::string text;
    std::getline(in, text);
    ASSERT_EQ(text.size(), 283u);
    const WfdiscRecord r = ParseWfdiscLine(text).value();
    EXPECT_EQ(r.dfile, "0-12202314062013-ABC-bhz.w");
    EXPECT_EQ(r.lddate, "2013:165-12:20:23");
    EXPECT_EQ(r.chan, "bhz");
    EXPECT_EQ(r.endtime, 1371212423.7);
    EXPECT_EQ(r.calib, 0.25);
    EXPECT_EQ(r.datatype, "f4");
    EXPECT_EQ(r.wfid, -1);
    EXPECT_EQ(r.dir, ".");
}

TEST(CssWaveformImportConversion, EveryConvertedDatatypeDecodesAsTheRelationDefines) {
    EXPECT_EQ(ConvertWfdiscSamples("s4", std::string("\xff\xff\xfe\xd4", 4)), std::vector<float>{-300.0f});
    EXPECT_EQ(ConvertWfdiscSamples("i4", std::string("\xd4\xfe\xff\xff", 4)), std::vector<float>{-300.0f});
    EXPECT_EQ(ConvertWfdiscSamples("s2", std::string("\xfe\xd4\x01\x00", 4)),
              (std::vector<float>{-300.0f, 256.0f}));
    EXPECT_EQ(ConvertWfdiscSamples("i2", std::string("\xd4\xfe", 2)), std::vector<float>{-300.0f});
    EXPECT_EQ(ConvertWfdiscSamples("t4", std::string("\xbf\xc0\x00\x00", 4)), std::vector<float>{-1.5f});
    EXPECT_EQ(ConvertWfdiscSamples("f4", std::string("\x00\x00\xc0\xbf", 4)), std::vector<float>{-1.5f});
    for (const char* type : {"c0", "t8", "g2", "zz"})
        EXPECT_THROW(ConvertWfdiscSamples(type, std::string(8, '\0')), ZelError) << type;
}

// Found by fuzzing: nsamp times the sample size overflowed, and the wrapped sum of foff and the
// byte count passed the check against the file's size.
TEST(CssWaveformImportSamples, CountsAndOffsetsTheFileDoesNotHoldAreRefused) {
    TempDir dir;
    WriteFile((dir.path() / "two.w").string(), std::string("\x01\x00\x00\x00\x02\x00\x00\x00", 8));
    WfdiscRecord line;
    line.dir = ".";
    line.dfile = "two.w";
    line.datatype = "i4";
    line.nsamp = 2;
    EXPECT_EQ(ReadWfdiscSamples(dir.path().string(), line), (std::vector<float>{1.0f, 2.0f}));
    line.foff = 4;
    line.nsamp = 1;
    EXPECT_EQ(ReadWfdiscSamples(dir.path().string(), line), std::vector<float>{2.0f});

    const std::string error = "Ошибка чтения файла " + (dir.path() / "two.w").string();
    const long long big = std::numeric_limits<long long>::max();
    for (auto [foff, nsamp] : {std::pair{0LL, 3LL}, {4LL, 2LL}, {9LL, 0LL}, {-4LL, 1LL}, {0LL, big / 2 + 1},
                               {4LL, big}, {big, 1LL}, {0LL, -1LL}}) {
        line.foff = foff;
        line.nsamp = nsamp;
        try {
            ReadWfdiscSamples(dir.path().string(), line);
            ADD_FAILURE() << foff << " " << nsamp;
        } catch (const ZelError& e) {
            EXPECT_EQ(e.what(), error) << foff << " " << nsamp;
        }
    }
}

ZEL_INSTANTIATE_DATABASE_TEST(CssWaveformImportTest);

}  // namespace
}  // namespace zel
