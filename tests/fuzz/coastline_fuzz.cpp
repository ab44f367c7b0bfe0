// libFuzzer target for the coastline file "map.pnt": any bytes decode into points, and the points
// project into segments on the world view and on a zoomed view across the 180th meridian.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/Coastline.h"
#include "map/MapProjection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<unsigned char> bytes(data, data + size);
    const std::vector<zel::CoastPoint> points = zel::DecodeCoastline(bytes);
    if (points.size() != size / zel::kCoastlineRecordSize) __builtin_trap();
    const zel::MapArea area = zel::MapAreaOf(800, 600, 20, 10);
    const zel::MapView world;
    const zel::MapView pacific{-10.0, 40.0, 150.0, -170.0, 40.0};
    for (const zel::MapView& view : {world, pacific}) {
        const zel::MapProjection projection(view, area);
        zel::CoastlineSegments(points, projection);
        for (const zel::CoastPoint& p : points) projection.x(p.lon);
    }
    return 0;
}
