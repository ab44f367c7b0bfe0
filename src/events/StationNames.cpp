#include "events/StationNames.h"

namespace zel {

const Station* StationModelNames::At(int station) const {
    return station >= 0 && station < StationCount() ? &stations_[station] : nullptr;
}

std::string StationModelNames::StationName(int station) const {
    const Station* s = At(station);
    return s ? s->code : std::string();
}

std::string StationModelNames::ChannelName(int station, int slot) const {
    const Station* s = At(station);
    return s && slot >= 0 && slot < kSlotsPerStation ? s->slots[slot].channel : std::string();
}

std::string StationModelNames::LocationCode(int station, int slot) const {
    const Station* s = At(station);
    if (!s || slot < 0 || slot >= kSlotsPerStation || !s->slots[slot].Used()) return {};
    return s->slots[slot].lcode;
}

}  // namespace zel
