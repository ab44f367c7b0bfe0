#pragma once
// Shorelines, lakes, rivers and borders at several resolutions, kept in bins of the globe so that
// a regional view reads only the lines of the bins it overlaps. The files are converted at build
// time from Debian's GSHHG data (gmt-gshhg-low, gmt-gshhg-high); which resolution and which
// classes of river and border a view shows follows from its scale.
//
// File layout (little-endian): "ZELBINL1", int32 bin size in minutes, int32 bins along the 360° of
// longitude, int32 bins along the 180° of latitude; per bin (from the north-west, row by row
// eastward from 0°) uint32 first line and uint32 line count; int32 line count, per line uint32
// first point, uint16 point count, uint8 level, uint8 spare; int32 point count, per point uint16
// east and uint16 north offset from the bin's south-west corner in 1/65535 of the bin size.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "map/GreatCircle.h"
#include "map/MapView.h"

namespace zel {

inline constexpr char kBinnedLinesMagic[9] = "ZELBINL1";

enum class MapLayer { Shore, River, Border };
// GSHHG's letters for its resolutions, coarse to fine: about 25, 5, 1 and 0.2 km.
enum class MapResolution { Crude, Low, Intermediate, High };
char ResolutionLetter(MapResolution resolution);
// "shore_i.zbl", "river_h.zbl", ...
std::string BinnedLinesFileName(MapLayer layer, MapResolution resolution);

struct BinnedLine {
    // shore: 1 sea, 2 lake, 3 island in a lake, 4 pond; river: 0 double-lined, 1-4 permanent from
    // major to minor, 5-7 intermittent, 8-10 canals; border: 1 national, 2 internal, 3 marine
    int level = 0;
    std::vector<GeoPoint> points;
};

class BinnedLines {
  public:
    // Nothing when the file is missing, short or not of this layout.
    static std::optional<BinnedLines> Read(const std::string& path);

    // The lines of every bin the view overlaps whose level is 0 ... maxLevel.
    std::vector<BinnedLine> linesIn(const MapView& view, int maxLevel) const;

    struct Line {
        std::uint32_t firstPoint;
        std::uint16_t count;
        std::uint8_t level;
    };
    int binMinutes = 0, binsLon = 0, binsLat = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> bins;  // first line, line count
    std::vector<Line> lines;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> points;  // east, north
};

// What a view shows at a scale (kilometres per pixel): the finest resolution whose detail is no
// finer than about a pixel, and the classes of river and border worth drawing there (0: none).
struct MapLayerChoice {
    MapResolution resolution = MapResolution::Crude;
    int riverLevels = -1;  // the highest river class drawn (see BinnedLine), -1: none
    int borderLevels = 1;  // the highest border class drawn
    bool operator==(const MapLayerChoice&) const = default;
};
MapLayerChoice ChooseMapLayers(double kilometresPerPixel);

}  // namespace zel
