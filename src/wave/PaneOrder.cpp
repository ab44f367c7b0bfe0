#include "wave/PaneOrder.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numeric>

#include "wave/PaneSet.h"
#include "wave/TracePane.h"

namespace zel {

int CompareStationNames(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::vector<std::size_t> PaneSortOrder(PaneSet& panes, PaneOrder order, const std::vector<Station>& stations,
                                       const PaneKeySource& keys) {
    const std::size_t n = panes.size();
    std::vector<std::size_t> positions(n);
    std::iota(positions.begin(), positions.end(), 0);

    std::vector<double> value(n, 0);
    std::vector<std::string> name(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TracePane& pane = panes[i];
        const int s = pane.channel().stationIndex;
        const Station* station = s >= 0 && s < static_cast<int>(stations.size()) ? &stations[s] : nullptr;
        switch (order) {
            case PaneOrder::StationIndex:
                // Larger first: sorting the negated index ascending.
                value[i] = -static_cast<double>(station ? station->index : kNoStationIndex);
                break;
            case PaneOrder::PickTime:
                value[i] = keys.earliestPick ? keys.earliestPick(pane) : DBL_MAX;
                break;
            case PaneOrder::Name:
                name[i] = station ? station->code : pane.channel().station;
                break;
            case PaneOrder::Activation:
                value[i] = pane.activation > 0 ? pane.activation : std::numeric_limits<double>::infinity();
                break;
            case PaneOrder::Distance: {
                const auto d = keys.distance ? keys.distance(pane) : std::nullopt;
                if (!d) return positions;  // no epicentre
                value[i] = *d;
                break;
            }
            case PaneOrder::Amplitude:
                value[i] = keys.pAmplitude ? -keys.pAmplitude(pane) : 0;
                break;
            case PaneOrder::Mb:
                value[i] = keys.mb ? -keys.mb(pane) : 0;
                break;
        }
        // A key that is not a number goes last instead of upsetting the order of the rest.
        if (std::isnan(value[i])) value[i] = std::numeric_limits<double>::infinity();
    }
    std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        if (order == PaneOrder::Name) return CompareStationNames(name[a], name[b]) < 0;
        return value[a] < value[b];
    });
    return positions;
}

}  // namespace zel
