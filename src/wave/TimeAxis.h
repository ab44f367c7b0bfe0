#pragma once
// Labels of a pane's time axis: whole seconds on a step of a tenth of the interval, dropped (not
// shifted) where they would overlap the previous label or not fit on the axis.

#include <functional>
#include <string>
#include <vector>

#include "wave/TraceGeometry.h"

namespace zel {

struct TimeLabel {
    int x = 0;  // centre
    std::string text;
};

// textWidth measures a text in pixels in the label font.
std::vector<TimeLabel> TimeAxisLabels(const TraceMapping& mapping,
                                      const std::function<int(const std::string&)>& textWidth);

}  // namespace zel
