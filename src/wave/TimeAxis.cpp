#include "wave/TimeAxis.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "base/TimeConversions.h"

namespace zel {

std::vector<TimeLabel> TimeAxisLabels(const TraceMapping& m,
                                      const std::function<int(const std::string&)>& textWidth) {
    std::vector<TimeLabel> labels;
    if (!(m.duration > 0) || !std::isfinite(m.start) || !std::isfinite(m.duration)) return labels;
    const long long step = std::max(1LL, static_cast<long long>(m.duration / 10));
    // The first whole second at or after the start that is a multiple of the step.
    long long t = static_cast<long long>(std::ceil(m.start));
    const long long remainder = ((t % step) + step) % step;
    if (remainder) t += step - remainder;
    int lastRight = INT_MIN;
    for (; t < m.start + m.duration; t += step) {
        auto c = EpochToYdhms(static_cast<double>(t), 0);
        if (!c) continue;
        char clock[16], yearDay[16];
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", c->hour, c->minute, c->wholeSecond());
        std::snprintf(yearDay, sizeof yearDay, "%4.4d%3.3d", c->year, c->dayOfYear);
        const int x = m.column(static_cast<double>(t));
        const int width = std::max(textWidth(clock), textWidth(yearDay));
        const int left = x - width / 2;
        // Dropped, not shifted, when it would overlap the previous label or stick out of the axis.
        if (left <= lastRight || left < m.plot.left - 1 || left + width > m.plot.right + 1) continue;
        labels.push_back({x, clock});
        lastRight = left + width;
    }
    return labels;
}

}  // namespace zel
