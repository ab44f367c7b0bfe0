// The external F-K module started on the exchange files: its answer read, a hanging module
// killed, a missing module or a missing answer reported, and the answer of a module that
// crashed, failed or wrote garbage never believed.

#include "dsp/ui/FkModuleRunner.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>

#include "base/ZelError.h"
#include "support/MisbehavingProgram.h"
#include "support/TempDir.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

std::string Script(const test::TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.file(name);
    test::WriteFile(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

std::string Failure(const std::string& module, const FkExchangeFiles& files, int timeoutMs) {
    try {
        RunFkModule(module, files, timeoutMs);
    } catch (const ZelError& e) {
        return e.what();
    }
    return "";
}

TEST(FkModuleRunner, AnswerIsReadAndHangingOrSilentModulesAreReported) {
    test::TempDir dir;
    const FkExchangeFiles files = WriteFkExchange(dir.file("x"), {});
    // The module gets the wfdisc path, the results path and the window.
    const std::string answering =
        Script(dir, "answer.sh", "echo \"$3\" > \"$2.window\"; echo '0.0700 151.5' > \"$2\"");
    const FkModuleResult r = RunFkModule(answering, files, 10000);
    EXPECT_EQ(r.slowness, 0.07);
    EXPECT_EQ(r.azimuth, 151.5);
    EXPECT_EQ(test::ReadFile(files.results + ".window"), "0.000000\n");

    // A new exchange removes that answer: a module that writes none is reported, not believed.
    const FkExchangeFiles again = WriteFkExchange(dir.file("x"), {});
    EXPECT_EQ(Failure(Script(dir, "silent.sh", "exit 0"), again, 10000),
              "Ошибка открытия файла результатов F-K анализа:\n'" + again.results + "'");

    const std::string hanging = Script(dir, "hang.sh", "exec sleep 30");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_NE(Failure(hanging, again, 300).find("Ошибка запуска модуля \n'" + hanging + "'"),
              std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));

    EXPECT_EQ(Failure(dir.file("no-such-module"), again, 1000),
              "Ошибка запуска модуля \n'" + dir.file("no-such-module") + "'");
}

TEST(FkModuleRunner, ACrashedFailingOrBabblingModuleIsReportedAndItsAnswerNotBelieved) {
    test::TempDir dir;
    const FkExchangeFiles files = WriteFkExchange(dir.file("x"), {});
    const std::string module = dir.file("fk module");
    const std::string startError = "Ошибка запуска модуля \n'" + module + "'";

    // It writes a well-formed answer and then dies.
    test::InstallMisbehavingProgram(module, "answer-abort");
    EXPECT_EQ(Failure(module, files, 10000), startError + "\nМодуль завершился аварийно");
    test::InstallMisbehavingProgram(module, "exit 3");
    EXPECT_EQ(Failure(module, files, 10000), startError + "\nМодуль завершился с кодом 3");
    test::InstallMisbehavingProgram(module, "garbage");
    EXPECT_EQ(Failure(module, files, 10000),
              "Ошибка открытия файла результатов F-K анализа:\n'" + files.results + "'");

    // Killed at its time limit, it is gone when the runner returns.
    test::InstallMisbehavingProgram(module, "hang");
    EXPECT_NE(Failure(module, files, 2000).find(startError), std::string::npos);
    const int pid = test::MisbehavingProgramPid(module);
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0) << "the module still runs";
}

}  // namespace
}  // namespace zel
