#include "map/MapLabels.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace zel {
namespace {

struct Box {
    double left, top, right, bottom;
    bool overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

}  // namespace

std::vector<std::optional<MapPixel>> PlaceLabels(const std::vector<LabelRequest>& requests, double markerRadius,
                                                   double gap) {
    std::vector<Box> taken;
    for (const LabelRequest& r : requests)
        taken.push_back({r.marker.x - markerRadius, r.marker.y - markerRadius, r.marker.x + markerRadius,
                         r.marker.y + markerRadius});
    std::vector<std::optional<MapPixel>> placed(requests.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const LabelRequest& r = requests[i];
        const double x = r.marker.x, y = r.marker.y, w = r.width, h = r.height;
        const MapPixel candidates[] = {{x + markerRadius + gap, y - h / 2.0},
                                         {x - markerRadius - gap - w, y - h / 2.0},
                                         {x - w / 2.0, y - markerRadius - gap - h},
                                         {x - w / 2.0, y + markerRadius + gap}};
        for (const MapPixel& c : candidates) {
            const Box box{c.x, c.y, c.x + w, c.y + h};
            bool free = true;
            for (std::size_t k = 0; k < taken.size() && free; ++k)
                free = k == i || !box.overlaps(taken[k]);  // its own marker never touches it
            if (!free) continue;
            placed[i] = c;
            taken.push_back(box);
            break;
        }
    }
    return placed;
}

std::vector<StationMark> StationMarks(const std::vector<Station>& stations,
                                      const std::vector<std::optional<MapPixel>>& where, double collapsePixels) {
    std::vector<StationMark> marks;
    std::map<std::string, std::vector<int>> arrays;
    for (std::size_t i = 0; i < stations.size() && i < where.size(); ++i) {
        if (!where[i]) continue;
        if (stations[i].refsta.empty())
            marks.push_back({{int(i)}, stations[i].code, *where[i], false});
        else
            arrays[stations[i].refsta].push_back(int(i));
    }
    for (const auto& [name, members] : arrays) {
        double spread = 0.0, sx = 0.0, sy = 0.0;
        for (int a : members) {
            sx += where[a]->x;
            sy += where[a]->y;
            for (int b : members)
                spread = std::max(spread, std::hypot(where[a]->x - where[b]->x, where[a]->y - where[b]->y));
        }
        if (members.size() > 1 && spread < collapsePixels) {
            const double n = double(members.size());
            marks.push_back({members, name, {sx / n, sy / n}, true});
        } else {
            for (int a : members) marks.push_back({{a}, stations[a].code, *where[a], false});
        }
    }
    return marks;
}

ScaleBar ChooseScaleBar(double kilometresPerPixel, double maxPixels) {
    if (!(kilometresPerPixel > 0.0) || !(maxPixels > 0.0)) return {};
    const double longest = kilometresPerPixel * maxPixels;
    const double power = std::pow(10.0, std::floor(std::log10(longest)));
    double km = power;
    for (double m : {5.0, 2.0, 1.0})
        if (m * power <= longest) {
            km = m * power;
            break;
        }
    return {km, km / kilometresPerPixel};
}

GridSteps ChooseGridSteps(double spanDegrees) {
    if (spanDegrees >= 40.0) return {};
    for (const GridSteps steps : {GridSteps{1.0, 5.0, 0}, GridSteps{0.5, 2.0, 0}, GridSteps{0.25, 1.0, 0},
                                  GridSteps{0.1, 0.5, 1}, GridSteps{0.05, 0.2, 1}, GridSteps{0.025, 0.1, 1},
                                  GridSteps{0.01, 0.05, 2}})
        if (spanDegrees / steps.label >= 3.0) return steps;
    return {0.005, 0.02, 2};
}

}  // namespace zel
