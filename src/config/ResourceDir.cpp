#include "config/ResourceDir.h"

#include <cstdlib>
#include <filesystem>

namespace zel {
namespace {

// How far above the program's directory the source tree may lie (build/<dir>/src/zel).
constexpr int kMaxLevelsUp = 4;

bool HoldsCurveSets(const std::filesystem::path& resources) {
    std::error_code error;
    return std::filesystem::is_regular_file(resources / "traveltimes" / "iasp91" / "phaselist", error);
}

}  // namespace

std::string FindResourceDir(const std::string& executableDir) {
    if (const char* env = std::getenv("ZEL_RESOURCES"); env && *env) return env;
    if (!executableDir.empty()) {
        std::filesystem::path dir = std::filesystem::path(executableDir).lexically_normal();
        if (!dir.has_filename()) dir = dir.parent_path();
        if (std::filesystem::path installed = dir.parent_path() / "share" / "zel" / "resources";
            HoldsCurveSets(installed))
            return installed.string();
        for (int level = 0; level <= kMaxLevelsUp && !dir.empty(); ++level) {
            if (HoldsCurveSets(dir / "resources")) return (dir / "resources").string();
            if (dir == dir.parent_path()) break;
            dir = dir.parent_path();
        }
    }
    return HoldsCurveSets(ZEL_SOURCE_RESOURCES_DIR) ? ZEL_SOURCE_RESOURCES_DIR : "";
}

}  // namespace zel
