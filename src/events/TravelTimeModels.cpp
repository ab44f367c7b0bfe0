#include "events/TravelTimeModels.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace zel {
namespace {

constexpr const char* kSection = "GODOGRAPH";
// A damaged Total# must not make the settings page loop over millions of keys.
constexpr int kMaxModels = 1000;

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

std::vector<TravelTimeModel> ShippedTravelTimeModels(const std::string& resourceDir) {
    if (resourceDir.empty()) return {};
    const std::filesystem::path resources = resourceDir;
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
