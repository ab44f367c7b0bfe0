#pragma once
// Geometry of the window menu's two tilings (Qt offers only a grid).

#include <vector>

namespace zel {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// Horizontal tiling stacks the windows one above another, each as wide as the area; vertical
// tiling sets them side by side, each as tall as the area. Leftover pixels go to the last one.
std::vector<Rect> TileRects(int count, const Rect& area, bool horizontal);

}  // namespace zel
