#include "widgets/WindowTiling.h"

namespace zel {

std::vector<Rect> TileRects(int count, const Rect& area, bool horizontal) {
    std::vector<Rect> rects;
    if (count <= 0) return rects;
    const int total = horizontal ? area.height : area.width;
    const int step = total / count;
    for (int i = 0; i < count; ++i) {
        const int start = i * step;
        const int size = (i == count - 1) ? total - start : step;
        if (horizontal)
            rects.push_back({area.x, area.y + start, area.width, size});
        else
            rects.push_back({area.x + start, area.y, size, area.height});
    }
    return rects;
}

}  // namespace zel
