#include "support/MisbehavingProgram.h"

#include <filesystem>

#include "support/TempDir.h"

namespace zel::test {

namespace fs = std::filesystem;

std::string InstallMisbehavingProgram(const std::string& path, const std::string& mode) {
    fs::copy_file(std::string(ZEL_TEST_BIN_DIR) + "/zel_test_misbehaving_program", path,
                  fs::copy_options::overwrite_existing);
    fs::permissions(path, fs::perms::owner_all);
    WriteFile(path + ".mode", mode + "\n");
    fs::remove(path + ".pid");
    return path;
}

int MisbehavingProgramPid(const std::string& path) {
    const std::string text = ReadFile(path + ".pid");
    return text.empty() ? 0 : std::stoi(text);
}

}  // namespace zel::test
