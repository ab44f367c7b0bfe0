#pragma once
// Entering a pick into the session's phase list, the one rule for every way a pick is made: the
// pick itself, and at the analyst's wish a copy on other channels of its station that stands
// beside it (saved, shown, but left out of the location so that one onset counts once).

#include <vector>

#include "events/ZELPhases.h"
#include "session/Session.h"

namespace zel {

// Adds pick and a copy on each of copySlots other than the pick's own channel (each slot once),
// then tells the observers. Throws ZelError when the list refuses a pick; what was added before
// stays, and the observers are told of it.
void AddPick(Session& session, const SEISMIC_PHASE& pick, const std::vector<int>& copySlots = {});

}  // namespace zel
