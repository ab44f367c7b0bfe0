#include "session/PickEntry.h"

#include <algorithm>

namespace zel {

void AddPick(Session& session, const SEISMIC_PHASE& pick, const std::vector<int>& copySlots) {
    ZELPhases& list = session.phases();
    std::vector<int> done{pick.channelIndex};
    bool added = false;
    try {
        list.Add(pick);
        added = true;
        for (int slot : copySlots) {
            if (std::find(done.begin(), done.end(), slot) != done.end()) continue;
            done.push_back(slot);
            SEISMIC_PHASE copy = pick;
            copy.channelIndex = slot;
            copy.included = 0;
            copy.savable = 1;
            list.Add(copy);
        }
    } catch (...) {
        if (added) session.changed(SessionChange::Picks);
        throw;
    }
    session.changed(SessionChange::Picks);
}

}  // namespace zel
