// zelbatch import and export on the real CSS 3.0 fixture: its stations are put into the working
// database of a fresh home first, as an analyst would enter them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/EmbeddedDefault.h"
#include "db/Odbc.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

const std::string kCss = std::string(ZEL_TEST_DATA_DIR) + "/css";

// The fixture's documented values in file order: HHZ, HHE, HHN of 4800 samples each.
std::vector<double> Documented(int component) {
    std::ifstream in(kCss + "/201101311155.10.ascii");
    std::vector<double> values;
    for (long v; in >> v;) values.push_back(static_cast<double>(v));
    return {values.begin() + component * 4800, values.begin() + (component + 1) * 4800};
}

std::vector<double> Values(const std::string& text) {
    std::vector<double> values;
    std::istringstream in(text);
    for (double t, v; in >> t >> v;) values.push_back(v);
    return values;
}

// A home whose working database knows the fixture's stations TESTBE and TESTLE (HHZ, HHN, HHE
// at 80 Hz).
class Home {
  public:
    Home() {
        ProgramResult r = Run({"stations"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        Db::Connection db;
        db.open(EmbeddedConnectString(dir.file("data/zel/zel.db")));
        for (const char* sta : {"TESTBE", "TESTLE"}) {
            db.execute("insert into SITE (STA, LAT, LON, ELEV, NGROUPS) values (?, 43.0, 11.0, 0.1, 1)",
                       {std::string(sta)});
            int index = 1;
            for (const char* chan : {"HHZ", "HHN", "HHE"})
                db.execute("insert into SITECHAN (STA, CHAN, SPS, NGROUP, CHANINDEX) values (?, ?, 80, 1, ?)",
                           {std::string(sta), std::string(chan), std::int64_t{index++}});
        }
    }
    ProgramResult Run(const std::vector<std::string>& args) const {
        std::vector<std::string> argv{ZEL_BATCH};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, {}, {{"XDG_CONFIG_HOME", dir.file("config")}, {"XDG_DATA_HOME", dir.file("data")}});
    }
    ProgramResult Read(const std::string& station, const std::string& channel) const {
        return Run({"read", "--station", station, "--channel", channel, "--from", "2011-01-31T11:55:00", "--to",
                    "2011-01-31T11:56:00"});
    }
    TempDir dir;
};

// A folder holding only the named fixture files.
void Folder(const fs::path& dir, std::initializer_list<const char*> names) {
    fs::create_directories(dir);
    for (const char* name : names) fs::copy_file(kCss + "/" + name, dir / name);
}

TEST(BatchWaveImport, RealFixtureComesInWithItsDocumentedSamplesAndSurvivesAnExportRoundTrip) {
    Home home;
    const fs::path source = home.dir.path() / "source";
    Folder(source, {"test_css.wfdisc", "201101311155.10.be.w", "201101311155.10.le.w"});
    ProgramResult imported = home.Run({"import", source.string()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out.rfind("imported 6 segments of 6 channels from 1 wfdisc file", 0), 0u) << imported.out;
    EXPECT_EQ(Values(home.Read("TESTBE", "HHZ").out), Documented(0));  // big-endian s4
    EXPECT_EQ(Values(home.Read("TESTLE", "HHN").out), Documented(2));  // little-endian i4

    // Out as wfdisc (big-endian), into a second home, and read back unchanged.
    const fs::path exported = home.dir.path() / "exported";
    ProgramResult out = home.Run({"export", "--channels", "TESTBE:HHZ,TESTLE:HHE", "--from", "2011-01-31T11:55:00",
                                  "--to", "2011-01-31T11:56:00", "--format", "int32be", exported.string()});
    ASSERT_EQ(out.exitCode, 0) << out.err;
    EXPECT_TRUE(fs::exists(exported / "export.wfdisc"));
    Home other;
    ProgramResult again = other.Run({"import", exported.string()});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out.rfind("imported 2 segments of 2 channels", 0), 0u) << again.out;
    EXPECT_EQ(Values(other.Read("TESTBE", "HHZ").out), Documented(0));
    EXPECT_EQ(Values(other.Read("TESTLE", "HHE").out), Documented(1));
    ProgramResult catalogue = other.Run({"catalogue", "--station", "TESTLE", "--from", "2011-01-31", "--to", "2011-02-01"});
    EXPECT_EQ(catalogue.out.rfind("TESTLE HHE 2011-01-31T11:55:00.000 2011-01-31T11:56:00.000 80 ", 0), 0u)
        << catalogue.out;
}

TEST(BatchWaveImport, ProblemFilesAreWarningsAndAnImportOfNothingFails) {
    Home home;
    // The fixture's error case: one row of an unconvertible datatype, one of a missing file.
    const fs::path mixed = home.dir.path() / "mixed";
    Folder(mixed, {"test_css_3.wfdisc", "201101311155_2.be.w", "201101311155_2.le.w"});
    ProgramResult r = home.Run({"import", mixed.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("imported 4 segments", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("(2 problems)"), std::string::npos) << r.out;
    std::istringstream lines(r.err);
    int warnings = 0;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("zelbatch: warning: test_css_3.wfdisc: ", 0), 0u) << line;
        ++warnings;
    }
    EXPECT_EQ(warnings, 2);
    EXPECT_EQ(Values(home.Read("TESTLE", "HHN").out), Documented(2));

    // Rows of stations the table does not know: nothing comes in, and that is an error.
    const fs::path strangers = home.dir.path() / "strangers";
    fs::create_directories(strangers);
    std::string wfdisc = [] {
        std::ifstream in(kCss + "/test_css.wfdisc");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }();
    for (std::size_t at = 0; (at = wfdisc.find("TEST", at)) != std::string::npos;) wfdisc.replace(at, 4, "XXXX");
    std::ofstream(strangers / "other.wfdisc") << wfdisc;
    fs::copy_file(kCss + "/201101311155.10.be.w", strangers / "201101311155.10.be.w");
    fs::copy_file(kCss + "/201101311155.10.le.w", strangers / "201101311155.10.le.w");
    ProgramResult none = home.Run({"import", strangers.string()});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("zelbatch: nothing imported from '"), std::string::npos) << none.err;
    EXPECT_TRUE(none.out.empty());
}

}  // namespace
}  // namespace zel::test
