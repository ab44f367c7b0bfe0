#pragma once
// Which stations the map shows: those of the network chosen in the toolbar box, or all of them.

#include <string>
#include <vector>

#include "base/UserText.h"
#include "data/StationModel.h"

namespace zel {

// The first entry of the network box: no filter. The box shows it translated; a name compared with
// it is the Russian one.
inline constexpr const char* kAllStationsEntry = ZEL_TR_NOOP("Сейсмические станции");

// One flag per station. An empty name, the "all stations" entry or an unknown network shows all.
std::vector<bool> StationsShown(const std::vector<Station>& stations, const std::vector<Network>& networks,
                                const std::string& networkName);

}  // namespace zel
