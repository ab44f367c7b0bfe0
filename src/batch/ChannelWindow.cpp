#include "batch/ChannelWindow.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "base/Strings.h"
#include "base/ZelError.h"
#include "batch/BatchTime.h"
#include "batch/Progress.h"
#include "session/PaneLoading.h"

namespace zel::batch {

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty()) items.push_back(item);
    return items;
}

}  // namespace

TimeWindow ReadWindow(BatchArgs& args) {
    TimeWindow window;
    window.from = ParseBatchTime(args.required("from"), "--from");
    window.to = ParseBatchTime(args.required("to"), "--to");
    if (!(window.to > window.from))
        throw ZelError(Tr("empty time window: --to %1 is not after --from %2")
                          .arg(FormatBatchTime(window.to))
                          .arg(FormatBatchTime(window.from)));
    return window;
}

std::vector<ChannelCode> ReadChannelCodes(BatchArgs& args, bool single) {
    std::vector<ChannelCode> codes;
    if (args.has("channels")) {
        if (single) throw UsageError(Tr("this command reads one channel: give --station and --channel"));
        if (args.has("station") || args.has("channel"))
            throw UsageError(Tr("give either --channels or --station with --channel, not both"));
        for (const std::string& item : SplitList(args.option("channels"))) {
            const auto colon = item.find(':');
            if (colon == std::string::npos || colon == 0 || colon + 1 == item.size())
                throw UsageError(Tr("--channels: '%1' is not STATION:CHANNEL").arg(item));
            codes.push_back({UpperAscii(item.substr(0, colon)), UpperAscii(item.substr(colon + 1))});
        }
        if (codes.empty()) throw UsageError(Tr("--channels names no channel"));
        return codes;
    }
    const std::vector<std::string> stations = SplitList(args.required("station"));
    const std::vector<std::string> channels = SplitList(args.required("channel"));
    if (stations.empty() || channels.empty()) throw UsageError(Tr("--station and --channel need a code"));
    if (single && (stations.size() > 1 || channels.size() > 1))
        throw UsageError(Tr("this command reads one channel: give one --station and one --channel"));
    for (const std::string& s : stations)
        for (const std::string& c : channels) codes.push_back({UpperAscii(s), UpperAscii(c)});
    return codes;
}

std::size_t StationIndex(const std::vector<Station>& stations, const std::string& code) {
    const int s = FindStation(stations, code);
    if (s < 0) throw ZelError(Tr("unknown station '%1'").arg(code));
    return static_cast<std::size_t>(s);
}

std::size_t SlotIndex(const Station& station, const std::string& channel) {
    // "LOC.CHAN" names the channel of one location, where a station has the code at several.
    const auto dot = channel.find('.');
    const int slot = dot == std::string::npos ? station.FindSlot(channel)
                                              : station.FindSlot(channel.substr(dot + 1), channel.substr(0, dot));
    if (slot < 0) throw ZelError(Tr("station %1 has no channel '%2'").arg(station.code).arg(channel));
    return static_cast<std::size_t>(slot);
}

PaneSet LoadPanes(BatchSession& session, const std::vector<ChannelCode>& codes, const TimeWindow& window) {
    AppContext& context = session.context();
    const std::vector<Station>& stations = context.stations();
    PaneSet panes;
    std::vector<TracePane*> added;
    for (const ChannelCode& code : codes) {
        const std::size_t s = StationIndex(stations, code.station);
        const std::size_t slot = SlotIndex(stations[s], code.channel);
        added.push_back(&panes.add(ChannelOf(stations, static_cast<int>(s), static_cast<int>(slot)),
                                   window.from, window.to - window.from));
    }
    // A slice of channels at a time, so that the progress moves while long windows are read.
    constexpr std::size_t kSlice = 16;
    Progress progress(session.err(), Tr("read"), added.size());
    for (std::size_t first = 0; first < added.size(); first += kSlice) {
        const std::vector<TracePane*> slice(
            added.begin() + static_cast<std::ptrdiff_t>(first),
            added.begin() + static_cast<std::ptrdiff_t>(std::min(added.size(), first + kSlice)));
        const std::vector<SegmentLoadReport> reports = LoadPanesSamples(context, slice);
        // The workstation's own texts, one warning line each; the time stays a gap.
        for (std::size_t i = 0; i < slice.size(); ++i) {
            std::istringstream problems(reports[i].Text());
            for (std::string line; std::getline(problems, line);)
                Warn(session.err(), ChannelName(slice[i]->channel()) + ": " + line);
        }
        progress.advance(slice.size());
    }
    return panes;
}

std::string ChannelName(const PaneChannel& channel) { return channel.station + " " + channel.channel; }

}  // namespace zel::batch
