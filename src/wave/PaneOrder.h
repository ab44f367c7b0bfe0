#pragma once
// The orders the panes of a waveform window can be sorted in. Every sort is stable: panes with
// equal keys keep their relative order.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

class PaneSet;
class TracePane;

enum class PaneOrder {
    StationIndex,  // the station's index in the table, larger first (no index = first)
    PickTime,      // earliest pick of the channel first
    Name,          // station name, ascending
    Activation,    // activation number ascending, panes without one last
    Distance,      // nearest to the epicentre first
    Amplitude,     // largest P amplitude first
    Mb,            // largest station mb first
};

// What the pick- and event-dependent orders read; an empty function reads as "no value".
struct PaneKeySource {
    std::function<double(const TracePane&)> earliestPick;  // largest finite double without picks
    std::function<double(const TracePane&)> pAmplitude;
    std::function<double(const TracePane&)> mb;
    // Nothing when no epicentre is set: then the distance order leaves the panes as they are.
    std::function<std::optional<double>(const TracePane&)> distance;
};

// Station names the way the analyst reads them: letters first without regard to case, then by case.
int CompareStationNames(const std::string& a, const std::string& b);

// The new screen order as positions of the current one; the identity when the order has no keys
// (distance without an epicentre).
std::vector<std::size_t> PaneSortOrder(PaneSet& panes, PaneOrder order, const std::vector<Station>& stations,
                                       const PaneKeySource& keys);

}  // namespace zel
