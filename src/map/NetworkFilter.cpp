#include "map/NetworkFilter.h"

#include <algorithm>

namespace zel {

std::vector<bool> StationsShown(const std::vector<Station>& stations, const std::vector<Network>& networks,
                                const std::string& networkName) {
    const auto network = std::find_if(networks.begin(), networks.end(),
                                      [&](const Network& n) { return n.name == networkName; });
    if (networkName.empty() || networkName == kAllStationsEntry || network == networks.end())
        return std::vector<bool>(stations.size(), true);
    std::vector<bool> shown(stations.size(), false);
    for (const std::string& code : SplitStationList(network->stations))
        if (const int index = FindStation(stations, code); index >= 0) shown[index] = true;
    return shown;
}

}  // namespace zel
