// The command line's contract: help, exit codes for wrong usage, and a run on the embedded default.
#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

ProgramResult Batch(const TempDir& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv{ZEL_BATCH};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, {}, {{"XDG_CONFIG_HOME", home.file("config")}, {"XDG_DATA_HOME", home.file("data")}});
}

TEST(BatchCommandLine, HelpSucceedsAndWrongUsageExitsTwoWithOneMessage) {
    TempDir home;
    ProgramResult help = Batch(home, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: zelbatch"), std::string::npos);
    EXPECT_NE(help.out.find("stations"), std::string::npos);

    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"no-such-command"}, {"stations", "--no-such-option", "x"}, {"stations", "extra"}, {"--ini"}}) {
        ProgramResult r = Batch(home, args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err.rfind("zelbatch: ", 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    // Usage errors are found before anything is opened: no configuration was created.
    EXPECT_FALSE(std::filesystem::exists(home.file("config")));
}

// English unless the locale says Russian, by POSIX precedence; whole sentences in one language.
TEST(BatchCommandLine, SpeaksTheLanguageTheLocaleAsksFor) {
    const struct {
        std::vector<std::pair<std::string, std::string>> locale;
        const char* unknownCommand;
        const char* usage;
    } cases[] = {
        {{{"LANG", "C.UTF-8"}}, "zelbatch: unknown command 'x'\nTry 'zelbatch --help'.\n", "Usage: zelbatch"},
        {{{"LANG", "de_DE.UTF-8"}}, "zelbatch: unknown command 'x'\nTry 'zelbatch --help'.\n", "Usage: zelbatch"},
        {{{"LANG", "ru_RU.UTF-8"}}, "zelbatch: неизвестная команда «x»\nСправка: «zelbatch --help».\n",
         "Использование: zelbatch"},
        {{{"LANG", "ru_RU.UTF-8"}, {"LC_ALL", "en_US.UTF-8"}},
         "zelbatch: unknown command 'x'\nTry 'zelbatch --help'.\n", "Usage: zelbatch"},
    };
    TempDir home;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.back().second);
        // The run's own locale must not decide: later settings win.
        std::vector<std::pair<std::string, std::string>> environment = {
            {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"XDG_CONFIG_HOME", home.file("config")}};
        environment.insert(environment.end(), c.locale.begin(), c.locale.end());
        EXPECT_EQ(RunProgram({ZEL_BATCH, "x"}, {}, environment).err, c.unknownCommand);
        EXPECT_EQ(RunProgram({ZEL_BATCH, "--help"}, {}, environment).out.rfind(c.usage, 0), 0u);
    }
}

TEST(BatchCommandLine, StationsOfTheEmbeddedDefaultAreTheDemoNetwork) {
    TempDir home;
    ProgramResult r = Batch(home, {"stations"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("ARS"), std::string::npos);
    EXPECT_NE(r.out.find("SHZ SHN SHE"), std::string::npos);
    // The same files serve a second run, which finds the database ready.
    EXPECT_EQ(Batch(home, {"stations"}).out, r.out);
}

}  // namespace
}  // namespace zel::test
