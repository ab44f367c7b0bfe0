// The `zel` program itself: help switches, and numbers independent of the desktop's locale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <array>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/ui/ZelApplication.h"
#include "config/Settings.h"
#include "support/TempDir.h"

namespace zel {
namespace {

struct RunResult {
    std::string out;
    int status = -1;
};

RunResult RunZelWith(const std::string& arguments, const test::TempDir& home) {
    const std::string command = "XDG_CONFIG_HOME=" + home.file("c") + " XDG_DATA_HOME=" + home.file("d") +
                                " QT_QPA_PLATFORM=offscreen timeout 4 " ZEL_BINARY " " + arguments +
                                " 2>/dev/null";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
    result.status = pclose(pipe);
    return result;
}

TEST(ZelProcessTest, HelpSwitchesPrintTheEnglishUsageAndEndAtOnce) {
    test::TempDir home;
    for (const char* arg : {"HELP", "-help", "'/?'", "hxyz", "h", "/HELP"}) {
        RunResult r = RunZelWith(arg, home);
        EXPECT_EQ(r.status, 0) << arg;
        EXPECT_EQ(r.out.rfind("Windows Quakegrapher (ZEL) - seismic data processing v", 0), 0u) << arg;
        EXPECT_NE(r.out.find("where - \n[-|/]?|h[elp]]\t\t- this help screen \n"), std::string::npos) << arg;
    }
    // Help ends the program before anything else: no configuration was written.
    EXPECT_FALSE(std::filesystem::exists(home.file("c/zel/ZEL.ini")));
}

TEST(ZelProcessTest, AnOrdinaryPathIsNotAHelpSwitch) {
    test::TempDir home;
    RunResult r = RunZelWith("/home/x", home);
    EXPECT_EQ(r.out.find("Usage"), std::string::npos);
    EXPECT_NE(r.status, 0);  // still running when the timeout ended it
    EXPECT_TRUE(std::filesystem::exists(home.file("c/zel/ZEL.ini")));
}

TEST(LocaleTest, NumbersKeepTheirDecimalPointUnderACommaLocale) {
    // The test environment must be able to produce a comma-decimal locale; not having one would
    // hide exactly the fault this test is for.
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "ru_RU.UTF-8 is not installed";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    ASSERT_STREQ(text, "0,5") << "the locale did not take effect";

    UseCNumericLocale();
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    EXPECT_STREQ(text, "0.5");
    EXPECT_DOUBLE_EQ(std::strtod("12.25", nullptr), 12.25);
    EXPECT_EQ(QString::number(0.5), "0.5");
    EXPECT_EQ(ParseColor("10,20,30"), (Rgb{10, 20, 30}));
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zel
