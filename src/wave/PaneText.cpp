#include "wave/PaneText.h"

#include <cmath>
#include <cstdio>

#include "base/TimeConversions.h"
#include "wave/TracePane.h"

namespace zel {
namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Format(const char* format, auto... args) {
    int n = std::snprintf(nullptr, 0, format, args...);
    std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
    std::snprintf(out.data(), out.size() + 1, format, args...);
    return out;
}

}  // namespace

std::string PaneCaption(const PaneCaptionInfo& info) {
    std::string date;
    if (auto c = EpochToYdhms(info.start, 0))
        date = Format("%04d-%s-%02d", c->year, kMonths[c->month - 1], c->day);
    return Format(info.beam ? "D%d #BEAM# %5s.%s.%s %.3f sps %s" : "D%d  %5s.%s.%s %.3f sps %s",
                  info.paneNumber, info.station.c_str(), info.channel.c_str(), info.locationCode.c_str(),
                  info.nominalSps, date.c_str());
}

std::string PaneCaption(const TracePane& pane) {
    const PaneChannel& ch = pane.channel();
    return PaneCaption(
        {pane.number(), ch.station, ch.channel, ch.locationCode, ch.nominalSps, pane.start(), pane.beam});
}

std::string PointerReadout(double time, double amplitude) {
    auto c = EpochToYdhms(time, 3);
    if (!c) return {};
    // Rounded once to the millisecond, then split: never "60.000" seconds, always two digits.
    return Format("%02d:%02d:%02d.%03d  %02d/%02d/%04d A:%f", c->hour, c->minute, c->wholeSecond(), c->fraction,
                  c->day, c->month, c->year, amplitude);
}

std::string DragReadout(double timeDifference, double amplitudeDifference) {
    long long ms = std::llround(std::fabs(timeDifference) * 1000.0);
    const long long hours = ms / 3600000;
    ms %= 3600000;
    return Format("%02lld:%02lld:%02lld.%03lld  A:%f", hours, ms / 60000, (ms % 60000) / 1000, ms % 1000,
                  std::fabs(amplitudeDifference));
}

}  // namespace zel
