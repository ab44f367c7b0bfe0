#include "events/PhaseChannels.h"

namespace zel {
namespace {

enum class ComponentKind { Any, Vertical, Horizontal };

ComponentKind KindFor(const std::string& name) {
    if (name.empty()) return ComponentKind::Any;
    if (name == "LR" || name == "Lg") return ComponentKind::Vertical;
    if (name == "LQ") return ComponentKind::Horizontal;
    if (name[0] == 'P' || name[0] == 'p') return ComponentKind::Vertical;
    if (name[0] == 'S' || name[0] == 's') return ComponentKind::Horizontal;
    return ComponentKind::Any;
}

}  // namespace

std::vector<int> SlotsForPhase(const Station& station, const std::string& phase) {
    const ComponentKind kind = KindFor(phase);
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotsPerStation; ++slot) {
        const ChannelSlot& c = station.slots[slot];
        if (!c.Used()) continue;
        const bool vertical = c.componentIndex == 1;
        if (kind == ComponentKind::Any || (kind == ComponentKind::Vertical) == vertical)
            slots.push_back(slot);
    }
    return slots;
}

}  // namespace zel
