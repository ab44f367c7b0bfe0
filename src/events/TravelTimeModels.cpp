#include "events/TravelTimeModels.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

namespace zel {
namespace {

constexpr const char* kSection = "GODOGRAPH";
// A damaged Total# must not make the settings page loop over millions of keys.
constexpr int kMaxModels = 1000;
// How far above the program's directory the source tree may lie (build/<dir>/src/zel).
constexpr int kMaxLevelsUp = 4;

bool HoldsCurveSets(const std::filesystem::path& resources) {
    std::error_code error;
    return std::filesystem::is_regular_file(resources / "traveltimes" / "iasp91" / "phaselist", error);
}

std::filesystem::path FindResources(const std::string& executableDir) {
    if (const char* env = std::getenv("ZEL_RESOURCES"); env && *env && HoldsCurveSets(env)) return env;
    if (executableDir.empty()) return {};
    std::filesystem::path dir = std::filesystem::path(executableDir).lexically_normal();
    if (!dir.has_filename()) dir = dir.parent_path();
    if (std::filesystem::path installed = dir.parent_path() / "share" / "zel" / "resources";
        HoldsCurveSets(installed))
        return installed;
    for (int level = 0; level <= kMaxLevelsUp && !dir.empty(); ++level) {
        if (HoldsCurveSets(dir / "resources")) return dir / "resources";
        if (dir == dir.parent_path()) break;
        dir = dir.parent_path();
    }
    return {};
}

}  // namespace

TravelTimeModelList LoadTravelTimeModels(const PrivateProfile& ini) {
    TravelTimeModelList list;
    const int total = std::min(ParseLeadingInt(ini.getString(kSection, "Total#", "0")), kMaxModels);
    for (int i = 0; i < total; ++i) {
        TravelTimeModel model;
        model.name = ini.getString(kSection, "NAME" + std::to_string(i), "").substr(0, kModelNameLength);
        model.dir = ini.getString(kSection, "DIR" + std::to_string(i), "\\");
        list.models.push_back(std::move(model));
    }
    list.selected = ParseLeadingInt(ini.getString(kSection, "N#", "0"));
    return list;
}

void SelectTravelTimeModel(PrivateProfile& ini, int index) {
    ini.writeString(kSection, "N#", std::to_string(index));
}

std::vector<ProfileChange> TravelTimeModelKeys(const std::vector<TravelTimeModel>& models, int selected) {
    std::vector<ProfileChange> changes;
    changes.push_back({kSection, "Total#", std::to_string(models.size())});
    for (std::size_t i = 0; i < models.size(); ++i) {
        changes.push_back({kSection, "NAME" + std::to_string(i), models[i].name});
        changes.push_back({kSection, "DIR" + std::to_string(i), models[i].dir});
    }
    changes.push_back({kSection, "N#", std::to_string(selected)});
    return changes;
}

std::vector<TravelTimeModel> ShippedTravelTimeModels(const std::string& executableDir) {
    const std::filesystem::path resources = FindResources(executableDir);
    if (resources.empty()) return {};
    std::vector<TravelTimeModel> models;
    for (auto [name, folder] : {std::pair{"IASP91", "iasp91"}, std::pair{"AK135", "ak135"}}) {
        std::error_code error;
        std::filesystem::path dir = std::filesystem::absolute(resources / "traveltimes" / folder, error);
        if (error || !std::filesystem::is_regular_file(dir / "phaselist", error)) continue;
        models.push_back({name, dir.lexically_normal().string() + "/"});
    }
    return models;
}

}  // namespace zel
