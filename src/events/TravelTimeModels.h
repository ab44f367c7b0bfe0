#pragma once
// The travel-time models of section GODOGRAPH in ZEL.ini: a list of named curve sets, each a
// directory with a "phaselist" file and one curve file per curve name, and the selected one.
// ZEL ships IASP91 and AK135; a fresh install lists both and selects IASP91.

#include <string>
#include <vector>

#include "base/PrivateProfile.h"

namespace zel {

inline constexpr std::size_t kModelNameLength = 127;

struct TravelTimeModel {
    std::string name;
    std::string dir;
    friend bool operator==(const TravelTimeModel&, const TravelTimeModel&) = default;
};

struct TravelTimeModelList {
    std::vector<TravelTimeModel> models;
    int selected = 0;  // N#; may name no listed model
};

// "Total#" models (text taken as an integer), NAME<i> cut to 127 characters, DIR<i> ("\" when
// missing), and N#.
TravelTimeModelList LoadTravelTimeModels(const PrivateProfile& ini);

// Choosing a model writes N#; the caller then frees and reloads the catalogue.
void SelectTravelTimeModel(PrivateProfile& ini, int index);

// Every GODOGRAPH key for this list: Total#, NAME<i>, DIR<i> and N#.
std::vector<ProfileChange> TravelTimeModelKeys(const std::vector<TravelTimeModel>& models, int selected);

// The curve sets that ship with ZEL (IASP91 first) in the resource folder (FindResourceDir).
// Empty when they are not there.
std::vector<TravelTimeModel> ShippedTravelTimeModels(const std::string& resourceDir);

}  // namespace zel
