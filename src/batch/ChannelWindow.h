#pragma once
// What most waveform commands start from: channels of the station table named on the command
// line, a time window, and the channels read over it into trace panes, as the waveform window
// reads them.

#include <string>
#include <vector>

#include "batch/BatchArgs.h"
#include "batch/BatchSession.h"
#include "wave/PaneSet.h"

namespace zel::batch {

struct ChannelCode {
    std::string station;
    std::string channel;
};

struct TimeWindow {
    double from = 0;
    double to = 0;
};

// --from and --to; UsageError when either is missing or unreadable, ZelError when the window is
// empty (to not after from).
TimeWindow ReadWindow(BatchArgs& args);

// The channels named by --channels "S:C,S:C" or by --station and --channel (each a comma list;
// every station with every channel). With single, exactly one channel must be named.
std::vector<ChannelCode> ReadChannelCodes(BatchArgs& args, bool single);

// Index of the station, or of the channel's slot in the station; ZelError naming what is missing.
std::size_t StationIndex(const std::vector<Station>& stations, const std::string& code);
std::size_t SlotIndex(const Station& station, const std::string& channel);

// Panes of the named channels over the window with their samples read from the catalogue. A
// station or channel missing from the station table is a ZelError; segments that could not be
// read are warnings on stderr (their time stays a gap). The panes are numbered from 0 in the
// order named.
PaneSet LoadPanes(BatchSession& session, const std::vector<ChannelCode>& codes, const TimeWindow& window);

// "STA CHAN" for messages.
std::string ChannelName(const PaneChannel& channel);

}  // namespace zel::batch
