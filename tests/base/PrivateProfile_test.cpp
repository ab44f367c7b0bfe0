#include "base/PrivateProfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/ZelError.h"

namespace fs = std::filesystem;

namespace zel {
namespace {

class PrivateProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::path(::testing::TempDir()) / "zelini.XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    static void put(const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    static std::string get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir_;
};

const char* const kHandWritten =
    "orphan=ignored before any section\n"
    "; ZEL settings carried over from Windows\n"
    "[Data]\n"
    "Dir = C:\\Data\\Loop, two  \n"
    "\n"
    "[database]\n"
    "ODBC=DSN=zel;UID=x\n"
    "PASSWORD = \"q p x\"  \n"
    ";USER=commented out\n"
    "#=2\n"
    "odbc=second spelling of the same key\n"
    "no equals sign on this line\n"
    "[  Godograph ]   \n"
    "N#=1\n"
    "DIR1=\\\\server\\tt\\\n"
    "Empty=\n"
    "[DATA]\n"
    "DIR=a second section of the same name\n"
    "Extra=1\n";

TEST_F(PrivateProfileTest, HandWrittenFileReadsAsWindowsDoes) {
    put(file("ZEL.ini"), kHandWritten);
    PrivateProfile ini(file("ZEL.ini"));

    EXPECT_EQ(ini.getString("DATA", "DIR"), "C:\\Data\\Loop, two");
    EXPECT_EQ(ini.getString("data", "dir"), "C:\\Data\\Loop, two");
    EXPECT_EQ(ini.getString("DATABASE", "ODBC"), "DSN=zel;UID=x");  // first '=' splits, first line wins
    EXPECT_EQ(ini.getString("Database", "password"), "\"q p x\"");  // quotes and inner blanks are kept
    EXPECT_EQ(ini.getString("DATABASE", "USER", "none"), "none");   // ';' comments the line out
    EXPECT_EQ(ini.getString("DATABASE", "#"), "2");                 // '#' is a key, not a comment
    EXPECT_EQ(ini.getString("GODOGRAPH", "N#"), "1");
    EXPECT_EQ(ini.getString("GODOGRAPH", "DIR1"), "\\\\server\\tt\\");
    EXPECT_EQ(ini.getString("GODOGRAPH", "EMPTY", "default"), "");
    EXPECT_EQ(ini.getString("GODOGRAPH", "missing", "default"), "default");
    EXPECT_EQ(ini.getString("NOSUCH", "DIR", "\\"), "\\");
    EXPECT_EQ(ini.getString("", "orphan", "x"), "x");
    // Only the first section of a name counts.
    EXPECT_EQ(ini.getString("DATA", "Extra", "none"), "none");

    EXPECT_TRUE(ini.hasSection("godograph"));
    EXPECT_TRUE(ini.hasKey("godograph", "empty"));
    EXPECT_FALSE(ini.hasKey("godograph", "dir0"));
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Data", "database", "Godograph"}));
    EXPECT_EQ(ini.keys("DATABASE"), (std::vector<std::string>{"ODBC", "PASSWORD", "#"}));
    EXPECT_TRUE(ini.keys("nosuch").empty());
}

TEST_F(PrivateProfileTest, WritesKeepEveryOtherLineByteForByte) {
    const std::string path = file("ZEL.ini");
    put(path, kHandWritten);
    PrivateProfile ini(path);

    // Existing key: only its value changes, spelling and blanks around '=' stay.
    ini.writeString("data", "DIR", "/srv/loop");
    std::string expected = kHandWritten;
    expected.replace(expected.find("C:\\Data\\Loop, two  "), 19, "/srv/loop");
    EXPECT_EQ(get(path), expected);

    // New key of an existing section: after its last line, before the blank separator.
    ini.writeString("DATA", "Format", "2");
    expected.insert(expected.find("\n\n[database]") + 1, "Format=2\n");
    EXPECT_EQ(get(path), expected);

    // New key of the last section, and a new section at the end after a blank line.
    ini.writeString("GODOGRAPH", "Total#", "3");
    ini.writeString("Colors", "Labels", "255,255,255");
    expected.insert(expected.find("[DATA]"), "Total#=3\n");
    EXPECT_EQ(get(path), expected + "\n[Colors]\nLabels=255,255,255\n");
    EXPECT_EQ(ini.getString("godograph", "total#"), "3");

    // Writing the same value again leaves the file as it is.
    std::string before = get(path);
    ini.writeString("DATA", "DIR", "/srv/loop");
    EXPECT_EQ(get(path), before);
}

TEST_F(PrivateProfileTest, LineEndingsOfTheFileAreKept) {
    const std::string path = file("crlf.ini");
    put(path, "[A]\r\nx = 1\r\n\r\n[B]\r\ny=2");  // Windows line ends, no line end at the very end
    PrivateProfile ini(path);
    EXPECT_EQ(ini.getString("A", "X"), "1");
    EXPECT_EQ(ini.getString("B", "Y"), "2");

    ini.writeString("A", "x", "10");
    ini.writeString("B", "z", "3");
    ini.writeString("C", "w", "4");
    EXPECT_EQ(get(path), "[A]\r\nx = 10\r\n\r\n[B]\r\ny=2\r\nz=3\r\n\r\n[C]\r\nw=4\r\n");

    // A UTF-8 byte-order mark does not hide the first section.
    put(path, "\xEF\xBB\xBF[A]\nx=1\n");
    EXPECT_EQ(ini.getString("a", "x"), "1");
    ini.writeString("A", "y", "2");
    EXPECT_EQ(get(path), "\xEF\xBB\xBF[A]\nx=1\ny=2\n");
}

TEST_F(PrivateProfileTest, IntegerReadTakesTheLeadingDecimalNumber) {
    const std::string path = file("int.ini");
    put(path,
        "[N]\na=12abc\nb=-7\nc=+3\nd=abc\ne=\nf=  42  \ng=99999999999\nh=-99999999999\ni=0x10\n"
        "j=- 5\nk=007\n");
    PrivateProfile ini(path);
    EXPECT_EQ(ini.getInt("N", "a", 99), 12);
    EXPECT_EQ(ini.getInt("N", "b", 99), -7);
    EXPECT_EQ(ini.getInt("N", "c", 99), 3);
    EXPECT_EQ(ini.getInt("N", "d", 99), 0);
    EXPECT_EQ(ini.getInt("N", "e", 99), 0);  // present but empty: no digits
    EXPECT_EQ(ini.getInt("N", "f", 99), 42);
    EXPECT_EQ(ini.getInt("N", "g", 99), INT_MAX);
    EXPECT_EQ(ini.getInt("N", "h", 99), INT_MIN);
    EXPECT_EQ(ini.getInt("N", "i", 99), 0);
    EXPECT_EQ(ini.getInt("N", "j", 99), 0);
    EXPECT_EQ(ini.getInt("N", "k", 99), 7);
    EXPECT_EQ(ini.getInt("N", "missing", 99), 99);
    EXPECT_EQ(ini.getInt("Nothing", "a", -1), -1);

    EXPECT_EQ(ParseLeadingInt("  255,0,0"), 255);
    EXPECT_EQ(ParseLeadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("2147483648"), INT_MAX);
}

TEST_F(PrivateProfileTest, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
    const std::string path = file("deep/er/ZEL.ini");
    PrivateProfile ini(path);
    EXPECT_EQ(ini.getString("ZEL", "DIR", "dflt"), "dflt");
    EXPECT_EQ(ini.getInt("DATABASE", "WFD", 5), 5);
    EXPECT_TRUE(ini.sections().empty());

    // Deleting from a file that does not exist creates nothing.
    ini.deleteKey("ZEL", "DIR");
    ini.deleteSection("ZEL");
    EXPECT_FALSE(fs::exists(path));

    ini.writeString("ZEL", "DIR", "/opt/zel/");
    EXPECT_EQ(get(path), "[ZEL]\nDIR=/opt/zel/\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // it will hold database passwords

    // An existing file keeps its permissions across the rewrite.
    ::chmod(path.c_str(), 0640);
    ini.writeString("ZEL", "DIR", "/opt/zel2/");
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // Nothing but the file itself is left in the directory (no temporary files).
    int entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(fs::path(path).parent_path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(PrivateProfileTest, TwoObjectsOnOneFileSeeEachOthersWritesAndLinksSurvive) {
    const std::string real = file("real.ini");
    const std::string link = file("link.ini");
    put(real, "[A]\nx=1\n");
    fs::create_symlink(real, link);
    PrivateProfile a(link);
    PrivateProfile b(real);
    a.writeString("A", "x", "2");
    EXPECT_EQ(b.getString("A", "x"), "2");
    b.writeString("A", "y", "3");
    EXPECT_EQ(a.getString("a", "Y"), "3");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(get(real), "[A]\nx=2\ny=3\n");
}

TEST_F(PrivateProfileTest, ValuesAreNotCutAndUnstorableInputIsRefused) {
    const std::string path = file("ZEL.ini");
    PrivateProfile ini(path);
    std::string longPath(40000, 'p');
    longPath[0] = '/';
    ini.writeString("DIRSMAP", "DIR0", longPath);
    EXPECT_EQ(ini.getString("DIRSMAP", "DIR0"), longPath);

    const std::string before = get(path);
    EXPECT_THROW(ini.writeString("A", "key", "two\nlines"), ZelError);
    EXPECT_THROW(ini.writeString("A", "key", "cr\rhere"), ZelError);
    EXPECT_THROW(ini.writeString("A", "k=v", "1"), ZelError);
    EXPECT_THROW(ini.writeString("A", "  ", "1"), ZelError);
    EXPECT_THROW(ini.writeString("A", ";comment", "1"), ZelError);
    EXPECT_THROW(ini.writeString("", "key", "1"), ZelError);
    EXPECT_THROW(ini.writeString("A\n[B]", "key", "1"), ZelError);
    // A batch with one bad change writes none of it.
    EXPECT_THROW(ini.write({{"A", "good", "1"}, {"A", "bad", "x\ny"}}), ZelError);
    EXPECT_EQ(get(path), before);

    // A path that cannot be read as a file reads as empty but refuses a write, rather than
    // replacing what is there.
    fs::create_directory(file("adir"));
    PrivateProfile dirIni(file("adir"));
    EXPECT_EQ(dirIni.getString("A", "x", "d"), "d");
    EXPECT_THROW(dirIni.writeString("A", "x", "1"), ZelError);
    EXPECT_TRUE(fs::is_directory(file("adir")));
}

TEST_F(PrivateProfileTest, RegistryStyleUseBinaryValuesAndDeletes) {
    const std::string path = file("registry.ini");
    PrivateProfile reg(path);
    const std::vector<std::uint8_t> bytes{0x00, 0xFF, 0x10, 0xAB, 0x7F};
    reg.writeBinary("ZEL\\Time\\ABC\\SHZ", "Tbegin", bytes);
    reg.writeString("ZEL\\Filter\\set\\my [best] filter", "Low", "0.7");
    reg.writeString("ZEL\\TOOLBAR", "MAP", "x");
    EXPECT_EQ(get(path),
              "[ZEL\\Time\\ABC\\SHZ]\nTbegin=00FF10AB7F\n\n"
              "[ZEL\\Filter\\set\\my [best] filter]\nLow=0.7\n\n"
              "[ZEL\\TOOLBAR]\nMAP=x\n");
    EXPECT_EQ(reg.getBinary("zel\\time\\abc\\shz", "TBEGIN"), bytes);
    EXPECT_EQ(reg.getString("ZEL\\FILTER\\SET\\MY [BEST] FILTER", "low"), "0.7");
    EXPECT_FALSE(reg.getBinary("ZEL\\Time\\ABC\\SHZ", "Tqty").has_value());

    put(path, "[B]\nlower=0aff\nodd=ABC\nbad=0G\nempty=\n");
    EXPECT_EQ(reg.getBinary("B", "lower"), (std::vector<std::uint8_t>{0x0A, 0xFF}));
    EXPECT_FALSE(reg.getBinary("B", "odd").has_value());
    EXPECT_FALSE(reg.getBinary("B", "bad").has_value());
    EXPECT_EQ(reg.getBinary("B", "empty"), std::vector<std::uint8_t>{});

    put(path,
        "; keep me\n[ZEL\\TOOLBAR]\nMAP=1\nDSP=2\nmap=dup\n\n[ZEL\\Other]\nA=1\n\n[zel\\toolbar]\nTMP=3\n"
        "[Last]\nZ=9\n");
    reg.deleteKey("ZEL\\Toolbar", "map");  // every line of the key goes, no duplicate resurfaces
    EXPECT_EQ(
        get(path),
        "; keep me\n[ZEL\\TOOLBAR]\nDSP=2\n\n[ZEL\\Other]\nA=1\n\n[zel\\toolbar]\nTMP=3\n[Last]\nZ=9\n");
    EXPECT_FALSE(reg.hasKey("ZEL\\TOOLBAR", "MAP"));
    reg.deleteSection("ZEL\\TOOLBAR");  // every section of the name goes, the others stay
    EXPECT_EQ(get(path), "; keep me\n[ZEL\\Other]\nA=1\n\n[Last]\nZ=9\n");

    // One batch, one rewrite: set, overwrite and delete together.
    reg.write({{"Last", "Z", std::nullopt}, {"Last", "Y", "8"}, {"New", "N", "1"}, {"ZEL\\Other", "a", "2"}});
    EXPECT_EQ(get(path), "; keep me\n[ZEL\\Other]\nA=2\n\n[Last]\nY=8\n\n[New]\nN=1\n");
}

}  // namespace
}  // namespace zel
