#pragma once
// What keeps a network map readable at every scale: station names placed where they overlap
// nothing, the elements of an array drawn as one symbol until they are far enough apart, a scale
// bar of a round length and grid lines at a round step.

#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

struct MapPixel {
    double x = 0.0;
    double y = 0.0;
};

struct LabelRequest {
    MapPixel marker;  // the symbol the name belongs to
    double width = 0.0, height = 0.0;
};

// The top-left corner of each name: right of its marker, else left, above or below, the first
// place that overlaps no name placed before it and no other marker; nothing when every place is
// taken (the marker stays, its name is left out). Earlier requests win, so callers list the
// stations that matter most first.
std::vector<std::optional<MapPixel>> PlaceLabels(const std::vector<LabelRequest>& requests, double markerRadius,
                                                   double gap);

// One symbol on the map: a station, or the stations of an array drawn together.
struct StationMark {
    std::vector<int> stations;  // indices into the station table
    std::string name;           // the station code, or the array's reference code
    MapPixel at;
    bool array = false;
};

// Stations that share a reference code (`refsta`) are one array; while all of its elements lie
// within `collapsePixels` of each other on the screen they make one mark at their centre, named
// after the array; farther apart each element is a mark of its own. `where` holds each station's
// pixel, nothing for one that is filtered out or off the map.
std::vector<StationMark> StationMarks(const std::vector<Station>& stations,
                                      const std::vector<std::optional<MapPixel>>& where, double collapsePixels);

// The longest round length (1, 2 or 5 times a power of ten kilometres) drawn in at most maxPixels.
struct ScaleBar {
    double kilometres = 0.0;
    double pixels = 0.0;
};
ScaleBar ChooseScaleBar(double kilometresPerPixel, double maxPixels);

// Grid of a view `spanDegrees` across: the classic tick every degree and label every ten while the
// view is wide; narrower, a round label step giving at least three lines, ticks between them.
struct GridSteps {
    double tick = 1.0;
    double label = 10.0;
    int decimals = 0;  // of the labels
};
GridSteps ChooseGridSteps(double spanDegrees);

}  // namespace zel
