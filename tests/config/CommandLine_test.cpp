#include "config/CommandLine.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

bool IsHelp(const std::string& arg) { return ParseCommandLine({arg}).help; }

TEST(CommandLine, HelpAndSchemaCheckSwitches) {
    for (const char* arg : {"-help", "/?", "?", "-?", "h", "HELP", "hxyz", "--help", "/H", "-/h", "Host=x"})
        EXPECT_TRUE(IsHelp(arg)) << arg;
    // Linux paths are not switches: two or more slashes make a path.
    for (const char* arg : {"/home/x", "//help", "/h/", "x", "", "-", "/", "??", "ODBC=help", "-ODBC=h"})
        EXPECT_FALSE(IsHelp(arg)) << arg;

    for (const char* arg : {"CHKDB", "chkdb", "-ChkDb", "/CHKDB", "--chkdb", "C-H-K-D-B"})
        EXPECT_TRUE(ParseCommandLine({arg}).checkDb) << arg;
    for (const char* arg : {"CHKDBX", "CHCKDB", "/chk/db", "DIR=CHKDB"})
        EXPECT_FALSE(ParseCommandLine({arg}).checkDb) << arg;
    EXPECT_FALSE(ParseCommandLine({"CHKDB"}).help);
    EXPECT_FALSE(ParseCommandLine(std::vector<std::string>{}).checkDb);
}

TEST(CommandLine, ValueSwitchesStandAtTheStartAndKeepTheirCase) {
    CommandLineOverrides o =
        ParseCommandLine({"odbc=MyDsn", "User=Analyst", "PASSWORD=Se=cret", "odbc_css=Css", "USER_css=cu",
                          "Password_CSS=cP", "dir=/Data/Loop", "unknown", "-ODBC=x"});
    EXPECT_EQ(o.odbc, "MyDsn");
    EXPECT_EQ(o.user, "Analyst");
    EXPECT_EQ(o.password, "Se=cret");
    EXPECT_EQ(o.odbcCss, "Css");
    EXPECT_EQ(o.userCss, "cu");
    EXPECT_EQ(o.passwordCss, "cP");
    EXPECT_EQ(o.dataDir, "/Data/Loop");
    EXPECT_FALSE(o.help);
    EXPECT_FALSE(o.checkDb);

    // A leading '-' or '/' hides a value switch; it then counts as nothing.
    CommandLineOverrides hidden = ParseCommandLine({"-ODBC=x", "/USER=y", " DIR=z"});
    EXPECT_EQ(hidden.odbc, "");
    EXPECT_EQ(hidden.user, "");
    EXPECT_EQ(hidden.dataDir, "");

    // The later switch wins; ODBC= does not swallow ODBC_CSS=.
    CommandLineOverrides twice = ParseCommandLine({"ODBC=a", "ODBC_CSS=c", "ODBC=b"});
    EXPECT_EQ(twice.odbc, "b");
    EXPECT_EQ(twice.odbcCss, "c");
}

TEST(CommandLine, DataDirectoryFromDataOrDirWithoutQuotes) {
    const std::string expected = "C:\\data";
    for (const char* arg :
         {"DIR=C:\\data", "DATA=C:\\data", "DATA=\"C:\\data\"", "dir='C:\\data'", "Data=\"C:\\data"})
        EXPECT_EQ(ParseCommandLine({arg}).dataDir, expected) << arg;
    // An apostrophe inside a path name is part of the name.
    EXPECT_EQ(ParseCommandLine({"DATA=\"/home/o'brien/loop\""}).dataDir, "/home/o'brien/loop");
    // Other values keep their quotes.
    EXPECT_EQ(ParseCommandLine({"PASSWORD=\"x\""}).password, "\"x\"");

    const char* argv[] = {"/usr/bin/zel", "DATA=/srv/loop", "/home/analyst/notes"};
    CommandLineOverrides o = ParseCommandLine(3, argv);
    EXPECT_EQ(o.dataDir, "/srv/loop");
    EXPECT_FALSE(o.help);  // neither the program path nor the other path asks for help
}

TEST(CommandLine, UsageTextsAndVersion) {
    EXPECT_EQ(FormatVersion(5, 5, 7, 8), "5.578");
    EXPECT_EQ(FormatVersion(6, 0, 12, 3), "6.0123");

    const std::string en = UsageText(false, "5.578", "Jun 14 2013");
    EXPECT_EQ(en.substr(0, en.find('\n')),
              "Windows Quakegrapher (ZEL) - seismic data processing v5.578 (Jun 14 2013)");
    EXPECT_NE(en.find("\nwhere - \n[-|/]?|h[elp]]\t\t- this help screen \n"), std::string::npos);
    EXPECT_NE(en.find("\n\t ODBC=ZEL_DSN_NAME USER=ZEL_USER PASSWORD=ZEL_PSW\n"), std::string::npos);
    EXPECT_NE(en.find("\n\t\t\t(digital waveforms files), default D:\\Data\n"), std::string::npos);
    EXPECT_NE(en.find("\nUSER_CSS=CSS_USER\t- user name of secondary DB (default zel)\n"), std::string::npos);
    EXPECT_TRUE(en.ends_with("\n next - (in the absence of any parameter) - values by default."));
    EXPECT_EQ(std::count(en.begin(), en.end(), '\n'), 21);

    const std::string ru = UsageText(true, "5.578", "Jun 14 2013");
    EXPECT_EQ(ru.substr(0, ru.find('\n')),
              "Windows Quakegrapher (ZEL) - Система обработки сейсмических данных v5.578 (Jun 14 2013)");
    EXPECT_NE(ru.find("\nИспользование: ZEL.exe [[-|/]?|h[elp]] | [[-|/]CHCKDB DATA|DIR=ZEL_DATA_PATH\n"),
              std::string::npos);
    EXPECT_NE(ru.find("\nгде -\n[-|/]?|h[elp]]\t\t- этот экран помощи\n"), std::string::npos);
    EXPECT_NE(ru.find("\nPASSWORD=ZEL_PSW\t- пароль пользователя основной БД (по-умолчанию QPX)\n"),
              std::string::npos);
    EXPECT_NE(ru.find("\nPASSWORD_CSS=CSS_PSW\t- пароль пользователя вторичной БД (по-умолчанию qpx)\n\n"
                      "Алгоритм анализа настроек:\n если есть"),
              std::string::npos);
    EXPECT_TRUE(ru.ends_with(" далее - (при отсутствии какого-либо параметра) - значения по умолчанию.\n"));

    EXPECT_EQ(UsageMessage("1", "d"), UsageText(true, "1", "d") + "\n\n" + UsageText(false, "1", "d"));
    // A '%s' inside the version is text, not a second placeholder.
    const std::string odd = UsageText(false, "%s", "x");
    EXPECT_EQ(odd.substr(0, odd.find('\n')), "Windows Quakegrapher (ZEL) - seismic data processing v%s (x)");
}

}  // namespace
}  // namespace zel
