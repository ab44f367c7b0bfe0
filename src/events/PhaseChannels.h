#pragma once
// Which channels of a station a phase read from a bulletin or an event file is put on: P-type
// phases (and LR, Lg) on vertical components, S-type phases (and LQ) on horizontal ones, others
// on every channel. The IMS/REB load and the QuakeML load share it.

#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

// The slots (0..23) of the station that take the phase, in slot order.
std::vector<int> SlotsForPhase(const Station& station, const std::string& phase);

}  // namespace zel
