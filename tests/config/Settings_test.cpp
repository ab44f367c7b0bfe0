#include "config/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/ZelError.h"

namespace fs = std::filesystem;

namespace zel {
namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::path(::testing::TempDir()) / "zelsettings.XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        path_ = (dir_ / "ZEL.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void put(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string get() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(SettingsTest, WithoutAnIniFileEverythingHasItsDefault) {
    PrivateProfile ini(path_);
    StartupSettings s = LoadStartupSettings(ini, CommandLineOverrides{}, "/opt/zel/bin");
    EXPECT_EQ(s.workingDir, "/opt/zel/bin/");
    for (const std::string* dir : {&s.dataDir, &s.outDir, &s.css30OutputDir, &s.cssDataPath, &s.imsRebPath,
                                   &s.godographDir, &s.conturFile})
        EXPECT_EQ(*dir, "\\");
    EXPECT_EQ(s.calibFile, "..\\calib.fun");
    EXPECT_EQ(s.css30OutputFormat, 0);
    EXPECT_FALSE(s.localLastId || s.useTend || s.wfd || s.saveToCssDb || s.showOrigins);
    EXPECT_EQ(s.godographIndex, 0);
    EXPECT_EQ(s.amplitudeDefault, 0);
    EXPECT_EQ(s.phasePresetSelection, "");
    EXPECT_EQ(s.phasePreset, 3);
    EXPECT_EQ(s.font, (LabelFont{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "ARIAL"}));
    EXPECT_EQ(s.colors.waveforms, (Rgb{0, 0, 127}));
    EXPECT_EQ(s.colors.transforms, (Rgb{255, 0, 0}));
    EXPECT_EQ(s.colors.labels, (Rgb{255, 255, 255}));
    EXPECT_EQ(s.colors.background, (Rgb{192, 192, 192}));
    EXPECT_TRUE(s.directoryMap.empty());

    DatabaseSettings d = LoadDatabaseSettings(ini, CommandLineOverrides{});
    EXPECT_EQ(d.odbc, "ZEL");
    EXPECT_EQ(d.user, "ZEL");
    EXPECT_EQ(d.password, "QPX");
    EXPECT_EQ(d.odbcCss, "");
    EXPECT_EQ(d.userCss, "ZEL");
    EXPECT_EQ(d.passwordCss, "QPX");
    EXPECT_FALSE(d.localLastId);
    EXPECT_FALSE(d.checkSchema);
    EXPECT_FALSE(fs::exists(path_));  // reading never creates the file
}

TEST_F(SettingsTest, HandWrittenIniIsReadKeyByKey) {
    put("[zel]\ndir=/home/an/zel\n"
        "[DATA]\nDIR=\\\\srv\\loop\n"
        "[Out]\nDir=/home/an/out/\n"
        "[CSS30DATAOUTPUT]\nDIR=/tmp/css\nFORMAT=1\n"
        "[DIR]\nCSSDATAPATH=/b/css\nIMSREBPATH=/b/ims\n"
        "[DATABASE]\nLOCALLASTID=1\nUSE_TEND=2\nWFD=0\nSAVETOCSSDB=yes\n"
        "ODBC=Driver=SQLite3;Database=/x/zel.db\nPASSWORD=Pa,ss\nODBC_CSS=css\n"
        "[GODOGRAPH]\nN#=2 (ak135)\nDIR0=/tt/iasp91\ndir2=/tt/ak135\n"
        "[CONTUR]\nFILE=/maps/map.pnt\n"
        "[CALIBF]\nFILE=/cal/calib.fun\n"
        "[SHOWORIGINS]\nSHOWWINDOW=1\n"
        "[AMPLITUDE]\nDEFAULT=2\n"
        "[PRESELECTED PHASES]\nSelection=local\nLocal=Pg,Sg\n"
        "[FONT]\nlfHeight=-13\nlfWidth=\nlfWeight=700\nlfItalic=1\nlfCharSet=204\nlfQuality=300\n"
        "lfFaceName=Times New Roman\n"
        "[COLORS]\nWAVEFORMS= 10, 20 ,30\nTRANSFORMS=1,2\nLABELS=300,-5,abc\nBACKGROUND=0,128,255,9\n"
        "[DIRSMAP]\n#=3\nNAME0=D:\\Data\\KZ\nDIR0=/srv/kz\nname2=E:\\\ndir2=/srv/e\nNAME3=beyond the "
        "count\n");
    PrivateProfile ini(path_);
    CommandLineOverrides cmd;
    StartupSettings s = LoadStartupSettings(ini, cmd, "/opt/zel/");
    EXPECT_EQ(s.workingDir, "/home/an/zel/");
    EXPECT_EQ(s.dataDir, "\\\\srv\\loop");
    EXPECT_EQ(s.outDir, "/home/an/out/");
    EXPECT_EQ(s.css30OutputDir, "/tmp/css");
    EXPECT_EQ(s.css30OutputFormat, 1);
    EXPECT_EQ(s.cssDataPath, "/b/css");
    EXPECT_EQ(s.imsRebPath, "/b/ims");
    EXPECT_TRUE(s.localLastId);
    EXPECT_TRUE(s.useTend);
    EXPECT_FALSE(s.wfd);
    EXPECT_FALSE(s.saveToCssDb);  // "yes" has no digits: 0
    EXPECT_EQ(s.godographIndex, 2);
    EXPECT_EQ(s.godographDir, "/tt/ak135");
    EXPECT_EQ(s.conturFile, "/maps/map.pnt");
    EXPECT_EQ(s.calibFile, "/cal/calib.fun");
    EXPECT_TRUE(s.showOrigins);
    EXPECT_EQ(s.amplitudeDefault, 2);
    EXPECT_EQ(s.phasePresetSelection, "local");
    EXPECT_EQ(s.phasePreset, 3);  // the preset names are case-sensitive
    EXPECT_EQ(s.font.height, -13);
    EXPECT_EQ(s.font.width, 0);
    EXPECT_EQ(s.font.weight, 700);
    EXPECT_EQ(s.font.italic, 1);
    EXPECT_EQ(s.font.charSet, 204);
    EXPECT_EQ(s.font.quality, 255);
    EXPECT_EQ(s.font.faceName, "Times New Roman");
    EXPECT_EQ(s.colors.waveforms, (Rgb{10, 20, 30}));
    EXPECT_EQ(s.colors.transforms, (Rgb{255, 0, 0}));  // two parts: the default stays
    EXPECT_EQ(s.colors.labels, (Rgb{255, 0, 0}));      // clamped; "abc" reads as 0
    EXPECT_EQ(s.colors.background, (Rgb{0, 128, 255}));
    EXPECT_EQ(s.directoryMap,
              (std::vector<DirectoryMapEntry>{{"D:\\Data\\KZ", "/srv/kz"}, {"E:\\", "/srv/e"}}));

    // The DATA=/DIR= switch replaces DATA/DIR and nothing else.
    cmd.dataDir = "/mnt/loop";
    StartupSettings fromSwitch = LoadStartupSettings(ini, cmd, "/opt/zel/");
    EXPECT_EQ(fromSwitch.dataDir, "/mnt/loop");
    EXPECT_EQ(fromSwitch.outDir, "/home/an/out/");

    DatabaseSettings d = LoadDatabaseSettings(ini, CommandLineOverrides{});
    EXPECT_EQ(d.odbc, "Driver=SQLite3;Database=/x/zel.db");
    EXPECT_EQ(d.user, "ZEL");
    EXPECT_EQ(d.password, "Pa,ss");
    EXPECT_EQ(d.odbcCss, "css");
    EXPECT_TRUE(d.localLastId);

    CommandLineOverrides given = ParseCommandLine({"ODBC=cmdDsn", "PASSWORD_CSS=pw", "-chkdb"});
    DatabaseSettings o = LoadDatabaseSettings(ini, given);
    EXPECT_EQ(o.odbc, "cmdDsn");
    EXPECT_EQ(o.password, "Pa,ss");
    EXPECT_EQ(o.passwordCss, "pw");
    EXPECT_EQ(o.odbcCss, "css");
    EXPECT_TRUE(o.checkSchema);
    // Only a login that someone gave (ZEL.ini or a switch) goes into a whole connect string.
    EXPECT_FALSE(d.userGiven);
    EXPECT_TRUE(d.passwordGiven);
    EXPECT_TRUE(o.passwordCssGiven);
    EXPECT_FALSE(o.userCssGiven);
}

TEST_F(SettingsTest, SmallRules) {
    EXPECT_EQ(WorkingDirectory("", "/opt/zel"), "/opt/zel/");
    EXPECT_EQ(WorkingDirectory("", "/opt/zel/"), "/opt/zel/");
    EXPECT_EQ(WorkingDirectory("/data/zel  \t", "/opt"), "/data/zel/");
    EXPECT_EQ(WorkingDirectory("C:\\ZEL\\", "/opt"), "C:\\ZEL\\");  // a Windows value keeps its separator
    EXPECT_EQ(WorkingDirectory("   ", "/opt"), "/opt/");
    EXPECT_EQ(WorkingDirectory("", ""), "./");

    EXPECT_EQ(PhasePresetIndex("Teleseismic"), 0);
    EXPECT_EQ(PhasePresetIndex("Regional"), 1);
    EXPECT_EQ(PhasePresetIndex("Local"), 2);
    for (const char* other : {"local", "LOCAL", "", "Local ", "Tele"}) EXPECT_EQ(PhasePresetIndex(other), 3);

    EXPECT_EQ(ParseColor("0,0,127"), (Rgb{0, 0, 127}));
    EXPECT_EQ(ParseColor("12,34,"), (Rgb{12, 34, 0}));
    EXPECT_EQ(ParseColor("7x,8y,9z"), (Rgb{7, 8, 9}));
    EXPECT_FALSE(ParseColor("1,2").has_value());
    EXPECT_FALSE(ParseColor("255").has_value());
    EXPECT_FALSE(ParseColor("").has_value());
    EXPECT_EQ(FormatColor({192, 192, 192}), "192,192,192");
}

TEST_F(SettingsTest, WritersStoreTheirKeysAndLeaveTheRest) {
    put("; analyst's notes\n[DATA]\nDIR=/keep/me\n\n[DATABASE]\nODBC=zel\nWFD=1\n");
    PrivateProfile ini(path_);

    TraceColors colors;
    colors.background = {1, 2, 3};
    SaveColors(ini, colors);
    EXPECT_EQ(get(),
              "; analyst's notes\n[DATA]\nDIR=/keep/me\n\n[DATABASE]\nODBC=zel\nWFD=1\n\n"
              "[COLORS]\nWAVEFORMS=0,0,127\nTRANSFORMS=255,0,0\nLABELS=255,255,255\nBACKGROUND=1,2,3\n");
    EXPECT_EQ(LoadColors(ini), colors);

    LabelFont font;
    font.height = -16;
    font.weight = 400;
    font.charSet = 204;
    font.pitchAndFamily = 34;
    font.faceName = "DejaVu Sans";
    SaveFont(ini, font);
    EXPECT_EQ(ini.keys("FONT"), (std::vector<std::string>{
                                    "lfHeight", "lfWidth", "lfEscapement", "lfOrientation", "lfWeight",
                                    "lfItalic", "lfUnderline", "lfStrikeOut", "lfCharSet", "lfOutPrecision",
                                    "lfClipPrecision", "lfQuality", "lfPitchAndFamily", "lfFaceName"}));
    EXPECT_EQ(ini.getString("FONT", "lfHeight"), "-16");
    EXPECT_EQ(ini.getString("FONT", "lfItalic"), "0");
    EXPECT_EQ(LoadFont(ini), font);

    StartupSettings s;
    s.dataDir = "/only/for/this/run";
    s.outDir = "/reports/";
    s.cssDataPath = "C:\\css";
    s.imsRebPath = "/ims";
    s.saveToCssDb = true;
    s.wfd = false;
    s.useTend = true;
    SaveWorkingDirectories(ini, s);
    EXPECT_EQ(ini.getString("DATA", "DIR"), "/keep/me");
    EXPECT_EQ(ini.getString("OUT", "DIR"), "/reports/");
    EXPECT_EQ(ini.getString("DIR", "CSSDATAPATH"), "C:\\css");
    EXPECT_EQ(ini.getString("DIR", "IMSREBPATH"), "/ims");
    EXPECT_EQ(ini.getString("DATABASE", "SAVETOCSSDB"), "1");
    EXPECT_EQ(ini.getString("DATABASE", "WFD"), "0");
    EXPECT_EQ(ini.getString("DATABASE", "USE_TEND"), "1");
    EXPECT_TRUE(get().starts_with(
        "; analyst's "
        "notes\n[DATA]\nDIR=/keep/me\n\n[DATABASE]\nODBC=zel\nWFD=0\nSAVETOCSSDB=1\nUSE_TEND=1\n\n"
        "[COLORS]\n"));

    SaveDirectoryMap(ini, {{"A:\\", "/a"}, {"B:\\", "/b"}, {"C:\\", "/c"}});
    SaveDirectoryMap(ini, {{"X:\\", "/x"}});
    EXPECT_EQ(ini.keys("DIRSMAP"), (std::vector<std::string>{"#", "NAME0", "DIR0"}));
    EXPECT_EQ(LoadDirectoryMap(ini), (std::vector<DirectoryMapEntry>{{"X:\\", "/x"}}));
    EXPECT_THROW(SaveDirectoryMap(ini, {{"two\nlines", "/x"}}), ZelError);
    EXPECT_EQ(LoadDirectoryMap(ini), (std::vector<DirectoryMapEntry>{{"X:\\", "/x"}}));
}

TEST_F(SettingsTest, DamagedDirectoryMapCountStaysCheap) {
    put("[DIRSMAP]\n#=2000000000\nNAME5=n5\nDIR7=d7\n#=1\n");
    PrivateProfile ini(path_);
    EXPECT_EQ(LoadDirectoryMap(ini), (std::vector<DirectoryMapEntry>{{"n5", ""}, {"", "d7"}}));
    put("[DIRSMAP]\n#=-3\nNAME0=n\nDIR0=d\n");
    EXPECT_TRUE(LoadDirectoryMap(ini).empty());
}

}  // namespace
}  // namespace zel
