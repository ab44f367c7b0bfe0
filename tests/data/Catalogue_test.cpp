// Segment lookup, reading and removal against real databases and real files.

#include "data/Catalogue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <fstream>

#include "base/ZelError.h"
#include "data/SampleFile.h"
#include "db/Databases.h"
#include "support/ScratchDatabase.h"

// psqlODBC 13 keeps a few hundred bytes of every prepared statement whose execution fails (the
// leak is inside the driver's SQLExecute); the tests that make statements fail on purpose would
// otherwise fail the sanitizer run for the driver's sake.
extern "C" const char* __lsan_default_suppressions() { return "leak:psqlodbcw.so\n"; }

namespace zel {
namespace {

using test::TempDir;
using test::WriteFile;

constexpr double kTen = 1371204000.0;  // 2013-06-14 10:00:00 UTC
const Db::Value kNull = Db::Null{};

// Little-endian float32 samples first, first+1, ... after headerBytes bytes: a value names its index.
std::string RampFile(int count, int first = 0, std::size_t headerBytes = 512) {
    std::string s(headerBytes, 'H');
    for (int i = 0; i < count; ++i) {
        const auto u = std::bit_cast<std::uint32_t>(static_cast<float>(first + i));
        for (int b = 0; b < 4; ++b) s += static_cast<char>(u >> (8 * b) & 0xFF);
    }
    return s;
}

struct Row {
    std::string sta = "ABC";
    std::string ch = "SHZ";
    double tbegin = kTen;
    double tqty = 3600;
    double sps = 100;
    std::string cpath;
    Db::Value datatype = std::int64_t{3};
    Db::Value foff = std::int64_t{512};
    Db::Value calib = kNull;
    Db::Value calper = kNull;
    Db::Value lcode = kNull;
    Db::Value tend = kNull;
};

class CatalogueTest : public test::DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped()) return;
        DatabaseSettings s;
        s.odbc = scratch->connectString();
        s.odbcCss = scratch->connectString();  // one database can play both parts
        s.localLastId = true;
        db = std::make_unique<Databases>(s, messages);
        ASSERT_EQ(db->openWorkDb(), 1);
        ASSERT_EQ(db->openCssDb(), 1);
        settings.dataDir = loop.path().string();
    }

    void Insert(const Row& r) {
        db->work().execute(
            "insert into FILELIST (STA, CH, TBEGIN, TQTY, SPS, CPATH, DATATYPE, FOFF, CALIB, CALPER, LCODE, "
            "TEND, "
            "GAIN) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)",
            {r.sta, r.ch, r.tbegin, r.tqty, r.sps, r.cpath, r.datatype, r.foff, r.calib, r.calper, r.lcode,
             r.tend});
    }
    void Put(const std::string& relative, const std::string& bytes) {
        std::filesystem::path p = loop.path() / relative;
        std::filesystem::create_directories(p.parent_path());
        WriteFile(p.string(), bytes);
    }
    SegmentLoadReport Load(const std::string& lcode, double t1, double t2, const std::string& sta = "ABC",
                           const std::string& ch = "SHZ") {
        return LoadSegments(db->work(), settings, sta, ch, lcode, t1, t2, channel);
    }
    int Count(const std::string& where = "1=1") {
        Db::Statement st(db->work());
        st.execute("select count(*) from FILELIST where " + where);
        st.fetch();
        return static_cast<int>(*st.integer(0));
    }

    RecordingMessageSink messages;
    std::unique_ptr<Databases> db;
    TempDir loop;
    CatalogueSettings settings;
    ZELDataBlockArray channel;
};

TEST_P(CatalogueTest, SegmentsOfTheWindowAreReadCutAndInOrder) {
    Put("2013/06/14/ABC_SHZ_10.bin", RampFile(360000));
    Put("2013/06/14/ABC_SHZ_11.bin", RampFile(360000, 1000000));
    Row r;
    r.cpath = "2013/06/14/ABC_SHZ_10.bin";
    r.calib = 2.5;
    r.calper = 0.8;
    Insert(r);
    r = Row{};
    r.tbegin = kTen + 3600;
    r.cpath = "2013\\06\\14\\ABC_SHZ_11.bin";  // stored with the other separator
    r.foff = kNull;                            // null offset: the header's 512 bytes
    r.calib = 3.0;                             // calper null: both default
    Insert(r);

    // 10:30:00-10:30:10 of an hour at 100 sps: 1000 samples from FOFF + 180000 * 4.
    SegmentLoadReport report = Load("??", kTen + 1800, kTen + 1810);
    EXPECT_TRUE(report.problems.empty()) << report.Text();
    EXPECT_EQ(channel.station, "ABC");
    EXPECT_EQ(channel.channel, "SHZ");
    ASSERT_EQ(channel.blocks.size(), 1u);
    const ZELDataBlock& b = channel.blocks[0];
    ASSERT_EQ(b.Count(), 1000u);
    EXPECT_EQ(b.begin, kTen + 1800);
    EXPECT_EQ(b.samples.front(), 180000.0f);
    EXPECT_EQ(b.samples.back(), 180999.0f);
    EXPECT_EQ(b.calib, 2.5);
    EXPECT_EQ(b.calper, 0.8);

    // Across the hour boundary: both segments, in time order, each cut to the window.
    report = Load("??", kTen + 3599, kTen + 3601);
    ASSERT_EQ(channel.blocks.size(), 2u);
    EXPECT_EQ(report.blocks, 2u);
    EXPECT_EQ(channel.blocks[0].samples.front(), 359900.0f);
    EXPECT_EQ(channel.blocks[0].Count(), 100u);
    EXPECT_EQ(channel.blocks[1].begin, kTen + 3600);
    EXPECT_EQ(channel.blocks[1].samples.front(), 1000000.0f);
    EXPECT_EQ(channel.blocks[1].Count(), 100u);
    EXPECT_EQ(channel.blocks[1].calib, 1.0);
    EXPECT_EQ(channel.blocks[1].calper, 1.0);

    // Other channels and stations, and windows outside, give nothing; the channel is cleared first.
    Load("??", kTen - 100, kTen - 1);
    EXPECT_TRUE(channel.blocks.empty());
    Load("??", kTen, kTen + 10, "ABC", "SHN");
    EXPECT_TRUE(channel.blocks.empty());
    EXPECT_EQ(channel.channel, "SHN");
}

TEST_P(CatalogueTest, LocationCodeAndEndColumnRules) {
    Put("a.bin", RampFile(1000));
    Row r;
    r.cpath = "a.bin";
    r.tqty = 10;
    Insert(r);  // LCODE null, TEND null
    r.tbegin = kTen + 100;
    r.lcode = std::string("00");
    r.tend = kTen + 110;
    Insert(r);
    r.tbegin = kTen + 200;
    r.lcode = std::string("??");
    r.tend = kNull;
    Insert(r);

    auto begins = [&] {
        std::vector<double> out;
        for (const ZELDataBlock& b : channel.blocks) out.push_back(b.begin - kTen);
        return out;
    };
    Load("??", kTen - 1, kTen + 300);
    EXPECT_EQ(begins(), (std::vector<double>{0, 200}));  // null and "??", not "00"
    Load("00", kTen - 1, kTen + 300);
    EXPECT_EQ(begins(), (std::vector<double>{100}));

    // With the end column: a null TEND is never found, a set one is used as it is.
    settings.useTend = true;
    Load("??", kTen - 1, kTen + 300);
    EXPECT_TRUE(begins().empty());
    Load("00", kTen + 105, kTen + 300);
    EXPECT_EQ(begins(), (std::vector<double>{105}));
    Load("00", kTen + 111, kTen + 300);
    EXPECT_TRUE(begins().empty());
}

TEST_P(CatalogueTest, BigEndianAndInt24FilesDecodeThroughTheCatalogue) {
    Put("s4.bin", std::string("\x01\x02\x03\x04\xFF\xFF\xFF\xFE", 8));
    Put("s3.bin", std::string("\xFF\xFF\xFE\x00\x00\x07", 6));
    Row r;
    r.cpath = "s4.bin";
    r.tqty = 0.2;
    r.sps = 10;
    r.datatype = std::int64_t{6};
    r.foff = std::int64_t{0};
    Insert(r);
    r.cpath = "s3.bin";
    r.tbegin = kTen + 0.2;
    r.datatype = std::int64_t{7};
    Insert(r);
    Load("??", kTen, kTen + 1);
    ASSERT_EQ(channel.blocks.size(), 2u);
    EXPECT_EQ(channel.blocks[0].samples, (std::vector<float>{16909060.0f, -2.0f}));
    EXPECT_EQ(channel.blocks[1].samples, (std::vector<float>{-2.0f, 7.0f}));
}

TEST_P(CatalogueTest, MissingShortAndUndecodableSegmentsAreGapsReportedOncePerFile) {
    Put("short.bin", RampFile(500));
    Put("whole.bin", RampFile(1000));
    Row r;
    r.tqty = 10;
    r.cpath = "gone.bin";
    Insert(r);
    r.tbegin = kTen + 10;
    r.foff = std::int64_t{4512};  // a second segment in the same missing file
    Insert(r);
    r.tbegin = kTen + 20;
    r.foff = std::int64_t{512};
    r.cpath = "short.bin";
    Insert(r);
    r.tbegin = kTen + 30;
    r.cpath = "whole.bin";
    r.datatype = std::int64_t{4};
    Insert(r);
    r.tbegin = kTen + 40;
    r.datatype = std::int64_t{99};
    Insert(r);
    r.tbegin = kTen + 50;
    r.datatype = std::int64_t{3};
    Insert(r);

    SegmentLoadReport report = Load("??", kTen, kTen + 60);
    // Only real samples: the short file's 500 and the good file's 1000; no zeros anywhere else.
    ASSERT_EQ(channel.blocks.size(), 2u);
    EXPECT_EQ(channel.blocks[0].begin, kTen + 20);
    EXPECT_EQ(channel.blocks[0].Count(), 500u);
    EXPECT_EQ(channel.blocks[1].begin, kTen + 50);
    EXPECT_EQ(channel.blocks[1].Count(), 1000u);

    ASSERT_EQ(report.problems.size(), 4u) << report.Text();
    EXPECT_EQ(report.problems[0].kind, LoadProblem::MissingFile);
    EXPECT_EQ(report.problems[0].path, loop.file("gone.bin"));
    EXPECT_EQ(report.problems[1].kind, LoadProblem::ShortFile);
    EXPECT_EQ(report.problems[2].kind, LoadProblem::UnknownEncoding);
    EXPECT_EQ(report.problems[2].encoding, "4");
    EXPECT_EQ(report.problems[3].encoding, "99");
    EXPECT_EQ(report.Text(), "Нет файла данных: " + loop.file("gone.bin") +
                                 "\nФайл данных короче, чем указано в каталоге: " + loop.file("short.bin") +
                                 "\nНеизвестный формат данных 4: " + loop.file("whole.bin") +
                                 "\nНеизвестный формат данных 99: " + loop.file("whole.bin"));
}

TEST_P(CatalogueTest, AQueryErrorIsReportedAndLeavesTheChannelEmpty) {
    channel.Append(ZELDataBlock(0, 1, {1.0f}));
    db->work().execute("drop table FILELIST");
    try {
        Load("??", kTen, kTen + 1, "XYZ", "BHZ");
        FAIL() << "no error";
    } catch (const Db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("\nselect STA, CH, LCODE, TBEGIN, SPS, TQTY"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(channel.blocks.empty());
    EXPECT_EQ(channel.station, "XYZ");
    EXPECT_EQ(channel.channel, "BHZ");
}

// Many channels read at once, with one query per 50 channels, give every channel what reading
// it alone gives: the rows of its own codes and window, in order, with the same problems.
TEST_P(CatalogueTest, ChannelsReadTogetherGetWhatEachReadAloneGets) {
    struct Segment {
        const char* sta;
        const char* ch;
        Db::Value lcode;
        double begin;
        const char* file;  // nullptr: catalogued, but the file is absent
    };
    const Segment segments[] = {
        {"ABC", "SHZ", kNull, kTen, "a10.bin"},
        {"ABC", "SHZ", kNull, kTen + 3600, "a11.bin"},
        {"ABC", "SHZ", std::string("00"), kTen, "a00.bin"},
        {"ABC", "SHZ", std::string("??"), kTen + 7200, "aq.bin"},
        {"ABC", "SHN", kNull, kTen, nullptr},
        {"DEF", "SHZ", kNull, kTen + 1800, "d.bin"},
        {"ABCD", "SHZ", kNull, kTen, "x.bin"},  // a longer code must not pass for ABC
    };
    int first = 0;
    for (const Segment& seg : segments) {
        Row r;
        r.sta = seg.sta;
        r.ch = seg.ch;
        r.lcode = seg.lcode;
        r.tbegin = seg.begin;
        r.cpath = seg.file ? seg.file : "absent.bin";
        r.calib = 1.0 + first;
        r.calper = 1.0;
        if (seg.file) Put(seg.file, RampFile(360000, first));
        first += 1000000;
        Insert(r);
    }
    const std::vector<ChannelRequest> kinds = {
        {"ABC", "SHZ", "??", kTen + 3000, kTen + 4000},  // across two files, the "??" row after them
        {"ABC", "SHZ", "00", kTen - 100, kTen + 10},    {"ABC", "SHZ", "??", kTen + 7000, kTen + 9000},
        {"ABC", "SHN", "??", kTen, kTen + 60},    // the missing file
        {"DEF", "SHZ", "??", kTen, kTen + 1800},  // ends where its segment starts: one sample
        {"DEF", "SHZ", "00", kTen, kTen + 3600},  // no such location
        {"XYZ", "BHZ", "??", kTen, kTen + 3600},  // no such channel
    };
    std::vector<ChannelRequest> requests;
    for (int i = 0; i < 60; ++i) {
        ChannelRequest r = kinds[static_cast<std::size_t>(i) % kinds.size()];
        r.t1 += i;  // the same channel again, with another window
        requests.push_back(r);
    }
    std::vector<ZELDataBlockArray> together;
    const std::vector<SegmentLoadReport> reports = LoadChannelSegments(*db, settings, requests, together);
    ASSERT_EQ(reports.size(), requests.size());
    ASSERT_EQ(together.size(), requests.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(i);
        const ChannelRequest& r = requests[i];
        const SegmentLoadReport alone = Load(r.lcode, r.t1, r.t2, r.station, r.channel);
        EXPECT_EQ(reports[i].Text(), alone.Text());
        EXPECT_EQ(together[i].station, r.station);
        ASSERT_EQ(together[i].blocks.size(), channel.blocks.size());
        for (std::size_t b = 0; b < channel.blocks.size(); ++b) {
            EXPECT_EQ(together[i].blocks[b].begin, channel.blocks[b].begin);
            EXPECT_EQ(together[i].blocks[b].calib, channel.blocks[b].calib);
            EXPECT_EQ(together[i].blocks[b].samples, channel.blocks[b].samples);
        }
    }
    // What reading alone gives, checked by hand for the first request: the end of a10, a11, aq.
    const SegmentLoadReport alone = Load("??", kTen + 3000, kTen + 4000);
    ASSERT_EQ(channel.blocks.size(), 2u);
    EXPECT_EQ(channel.blocks[0].samples.front(), 300000.0f);
    EXPECT_EQ(channel.blocks[1].samples.front(), 1000000.0f);
    EXPECT_EQ(channel.blocks[1].samples.size(), 40000u);
    EXPECT_EQ(Load("??", kTen, kTen + 60, "ABC", "SHN").problems.size(), 1u);
}

TEST_P(CatalogueTest, TheWindowQueryUsesTheStationChannelTimeIndex) {
    if (GetParam() != test::Backend::SQLite) GTEST_SKIP() << "plans are checked on SQLite";
    Db::Statement st(db->work());
    st.execute(
        "explain query plan select STA, CH, LCODE, TBEGIN, SPS, TQTY, DATATYPE, FOFF, CPATH, CALIB, CALPER, "
        "TBEGIN+TQTY from FILELIST where ((STA=? and CH=? and (LCODE=? or LCODE Is Null)) or (STA=? and CH=? "
        "and "
        "LCODE=?)) and (TBEGIN <= ?) and (TBEGIN+TQTY >= ?) order by TBEGIN",
        {std::string("A"), std::string("B"), std::string("??"), std::string("C"), std::string("D"),
         std::string("00"), 1.0, 0.0});
    std::string plan;
    while (st.fetch()) plan += st.text(3).value_or("") + "\n";
    EXPECT_NE(plan.find("FILELIST_STA_CH_TBEGIN"), std::string::npos) << plan;
    EXPECT_EQ(plan.find("SCAN FILELIST"), std::string::npos) << plan;
}

// The wfdisc rows of the fixture, cut at the CSS 3.0 column positions.
void InsertWfdiscFixture(Db::Connection& css) {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/css/test_css.wfdisc");
    std::string line;
    int rows = 0;
    auto field = [&](std::size_t from, std::size_t to) {
        std::string f = line.substr(from, to - from);
        f.erase(0, f.find_first_not_of(' '));
        f.erase(f.find_last_not_of(' ') + 1);
        return f;
    };
    while (std::getline(in, line)) {
        ASSERT_EQ(line.size(), 283u);
        css.execute(
            "insert into wfdisc (sta, chan, time, endtime, nsamp, samprate, calib, calper, datatype, dir, "
            "dfile, "
            "foff) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {field(0, 6), field(7, 15), std::stod(field(16, 33)), std::stod(field(61, 78)),
             std::int64_t{std::stoll(field(79, 87))}, std::stod(field(88, 99)), std::stod(field(100, 116)),
             std::stod(field(117, 133)), field(143, 145), field(148, 212), field(213, 245),
             std::int64_t{std::stoll(field(246, 256))}});
        ++rows;
    }
    ASSERT_EQ(rows, 6);
}

// The sample values the fixture's source lists, in file order.
std::vector<float> DocumentedSamples() {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/css/201101311155.10.ascii");
    std::vector<float> values;
    long v;
    while (in >> v) values.push_back(static_cast<float>(v));
    return values;
}

TEST_P(CatalogueTest, RealCssWfdiscRowsReadThroughTheWfdiscForm) {
    InsertWfdiscFixture(db->css());
    const std::vector<float> documented = DocumentedSamples();
    ASSERT_EQ(documented.size(), 14400u);
    const double t0 = 1296474900.0;  // 2011-01-31 11:55:00

    // Through the directory map: the rows' "./" is where the fixture lies here.
    settings.directoryMap = {{"other", "/nowhere"}, {"./", std::string(ZEL_TEST_DATA_DIR) + "/css"}};
    settings.useWfdisc = true;
    // The table holds upper-case channel codes; the request may come in either case.
    SegmentLoadReport report =
        LoadChannelSegments(*db, settings, "TESTbe", "hhz", "??", t0 - 10, t0 + 100, channel);
    EXPECT_TRUE(report.problems.empty()) << report.Text();
    ASSERT_EQ(channel.blocks.size(), 1u);
    EXPECT_EQ(channel.blocks[0].begin, t0);
    EXPECT_EQ(channel.blocks[0].sps, 80.0);
    EXPECT_EQ(channel.blocks[0].calib, 1.0);
    EXPECT_EQ(channel.blocks[0].samples, std::vector<float>(documented.begin(), documented.begin() + 4800));

    // The little-endian twin, its second component (foff 19200), through the data directory.
    settings.directoryMap.clear();
    settings.dataDir = std::string(ZEL_TEST_DATA_DIR) + "/css";
    report = LoadWfdiscSegments(db->css(), settings, "TESTle", "HHE", t0 - 10, t0 + 100, channel);
    EXPECT_TRUE(report.problems.empty()) << report.Text();
    ASSERT_EQ(channel.blocks.size(), 1u);
    EXPECT_EQ(channel.blocks[0].samples,
              std::vector<float>(documented.begin() + 4800, documented.begin() + 9600));

    // A window inside the minute: from sample 800 (10 s at 80 Hz), 400 samples.
    LoadWfdiscSegments(db->css(), settings, "TESTle", "HHN", t0 + 10, t0 + 15, channel);
    ASSERT_EQ(channel.blocks.size(), 1u);
    EXPECT_EQ(channel.blocks[0].begin, t0 + 10);
    EXPECT_EQ(channel.blocks[0].samples,
              std::vector<float>(documented.begin() + 9600 + 800, documented.begin() + 9600 + 1200));

    // A datatype the reader cannot decode is reported, not shown as data.
    db->css().execute("update wfdisc set datatype='c0' where sta='TESTle' and chan='HHN'");
    report = LoadWfdiscSegments(db->css(), settings, "TESTle", "HHN", t0, t0 + 15, channel);
    EXPECT_TRUE(channel.blocks.empty());
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].kind, LoadProblem::UnknownEncoding);
    EXPECT_EQ(report.problems[0].encoding, "c0");

    // The list variant of the file dialog.
    const auto files = ListWfdiscFiles(db->css(), "TESTbe", t0 - 1, t0 + 1);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].channel, "HHZ");  // chan descending
    EXPECT_EQ(files[2].channel, "HHE");
    EXPECT_EQ(files[0].encoding, kEncodingInt32Be);
    EXPECT_EQ(files[0].duration, 60.0);
}

TEST_P(CatalogueTest, DeletingByPathTakesOnlyThatPathWhicheverSeparatorItHas) {
    for (const char* p : {"ABC/x_1.bin", "ABC\\x_1.bin", "ABC/x21.bin", "ABCD/x_1.bin", "ABC/sub/x_1.bin",
                          "A%C/x.bin", "ABC/x.bin", "O'Brien/x.bin"}) {
        Row r;
        r.cpath = p;
        Insert(r);
    }
    EXPECT_TRUE(DeleteCatalogueRowsByPath(db->work(), "ABC/x_1.bin"));
    EXPECT_EQ(Count(), 6);
    EXPECT_EQ(Count("CPATH='ABC/x21.bin'"), 1);
    EXPECT_EQ(Count("CPATH='ABCD/x_1.bin'"), 1);
    EXPECT_TRUE(DeleteCatalogueRowsByPath(db->work(), "A%C\\x.bin"));
    EXPECT_EQ(Count("CPATH='ABC/x.bin'"), 1);
    EXPECT_TRUE(DeleteCatalogueRowsByPath(db->work(), "O'Brien/x.bin"));
    EXPECT_FALSE(DeleteCatalogueRowsByPath(db->work(), "nothing/here.bin"));
    EXPECT_EQ(Count(), 4);

    db->work().execute("drop table FILELIST");
    try {
        DeleteCatalogueRowsByPath(db->work(), "ABC/x.bin");
        FAIL() << "no error";
    } catch (const ZelError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "Ошибка базы данных: Error of delete record in ZEL-DB (FILELIST -> ABC/x.bin)\n", 0),
                  0u)
            << e.what();
    }
}

TEST_P(CatalogueTest, DeleteSegmentRemovesAFileOnlyWithTheLastRowThatUsesIt) {
    Put("shared.w", RampFile(300, 0, 0));
    Put("single.bin", RampFile(10));
    for (std::int64_t off : {0, 400, 800}) {
        Row r;
        r.cpath = "shared.w";
        r.foff = off;
        Insert(r);
    }
    Row other;
    other.cpath = "\\shared.w";  // a row naming the same file another way keeps it too
    other.foff = std::int64_t{1200};
    Insert(other);
    Row single;
    single.cpath = "single.bin";
    single.foff = kNull;
    Insert(single);

    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "shared.w", 0, messages));
    EXPECT_EQ(Count("CPATH='shared.w'"), 2);
    EXPECT_TRUE(std::filesystem::exists(loop.file("shared.w")));
    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "shared.w", 400, messages));
    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "shared.w", 800, messages));
    EXPECT_EQ(Count("CPATH='shared.w'"), 0);
    EXPECT_TRUE(std::filesystem::exists(loop.file("shared.w")));
    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "\\shared.w", 1200, messages));
    EXPECT_FALSE(std::filesystem::exists(loop.file("shared.w")));

    // A null offset deletes the row with a null offset, and its file.
    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "single.bin", std::nullopt, messages));
    EXPECT_FALSE(std::filesystem::exists(loop.file("single.bin")));
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(messages.messages().empty());

    // A file without a row of that path and offset stays.
    Put("uncatalogued.bin", RampFile(10));
    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "uncatalogued.bin", std::nullopt, messages));
    EXPECT_TRUE(std::filesystem::exists(loop.file("uncatalogued.bin")));

    // A row whose file is already gone is simply removed.
    Insert(single);
    EXPECT_TRUE(DeleteSegment(db->work(), loop.path().string(), "single.bin", std::nullopt, messages));
    EXPECT_EQ(Count(), 0);

    // A file that cannot be removed keeps its row.
    if (geteuid() != 0) {
        Put("locked/f.bin", RampFile(10));
        single.cpath = "locked/f.bin";
        Insert(single);
        chmod(loop.file("locked").c_str(), 0555);
        EXPECT_FALSE(DeleteSegment(db->work(), loop.path().string(), "locked/f.bin", std::nullopt, messages));
        chmod(loop.file("locked").c_str(), 0755);
        EXPECT_EQ(Count("CPATH='locked/f.bin'"), 1);
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].text, "Ошибка удаления файла " + loop.file("locked/f.bin"));
        messages.clear();
    }

    // A database failure is shown and the file stays.
    Put("kept.bin", RampFile(10));
    db->work().execute("drop table FILELIST");
    EXPECT_FALSE(DeleteSegment(db->work(), loop.path().string(), "kept.bin", std::nullopt, messages));
    EXPECT_TRUE(std::filesystem::exists(loop.file("kept.bin")));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Error);
}

TEST_P(CatalogueTest, CleaningTheDiskLoopAsksThenRemovesTheStationsSegmentsOfTheInterval) {
    for (int i = 0; i < 4; ++i) {
        Row r;
        r.tbegin = kTen + 900 * i;
        r.cpath = "ABC/" + std::to_string(i) + ".bin";
        Put(r.cpath, RampFile(10));
        Insert(r);
    }
    Row elsewhere;
    elsewhere.sta = "DEF";
    elsewhere.cpath = "DEF/0.bin";
    Put(elsewhere.cpath, RampFile(10));
    Insert(elsewhere);

    messages.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(CleanDiskLoop(db->work(), loop.path().string(), "ABC", kTen, kTen + 1800, messages), -1);
    EXPECT_EQ(Count(), 5);
    EXPECT_EQ(messages.messages()[0].text,
              "Удалить файлы  с данными станции ABC в интервале 14/06/2013 10:00:00 - 14/06/2013 10:30:00");
    EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNo);

    messages.queueAnswer(MessageAnswer::Yes);
    // Starts at 10:00 and 10:15 are inside; 10:30 is the excluded end.
    EXPECT_EQ(CleanDiskLoop(db->work(), loop.path().string(), "ABC", kTen, kTen + 1800, messages), 2);
    EXPECT_EQ(Count(), 3);
    EXPECT_FALSE(std::filesystem::exists(loop.file("ABC/0.bin")));
    EXPECT_FALSE(std::filesystem::exists(loop.file("ABC/1.bin")));
    EXPECT_TRUE(std::filesystem::exists(loop.file("ABC/2.bin")));
    EXPECT_TRUE(std::filesystem::exists(loop.file("DEF/0.bin")));
}

TEST_P(CatalogueTest, FileListFiltersByStationDaysAndSelectedChannels) {
    const char* channels[] = {"SHZ", "SHN", "SHE"};
    for (int day = 0; day < 3; ++day)
        for (const char* ch : channels) {
            Row r;
            r.ch = ch;
            r.tbegin = kTen + 86400 * day;
            r.cpath = std::string(ch) + std::to_string(day);
            Insert(r);
        }
    Row other;
    other.sta = "ABCD";
    other.cpath = "x";
    Insert(other);

    auto files = ListCatalogueFiles(db->work(), "ABC", std::nullopt, {});
    ASSERT_EQ(files.size(), 9u);
    EXPECT_EQ(files[0].begin, kTen + 2 * 86400);  // newest first, then channel descending
    EXPECT_EQ(files[0].channel, "SHZ");
    EXPECT_EQ(files[1].channel, "SHN");
    EXPECT_EQ(files[2].channel, "SHE");
    EXPECT_EQ(files[0].foff, 512);

    files = ListCatalogueFiles(db->work(), "ABC", std::make_pair(kTen + 86400, kTen + 86400), {"SHE", "SHZ"});
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path, "SHZ1");
    EXPECT_EQ(files[1].path, "SHE1");
}

ZEL_INSTANTIATE_DATABASE_TEST(CatalogueTest);

}  // namespace
}  // namespace zel
