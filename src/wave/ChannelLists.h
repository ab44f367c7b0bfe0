#pragma once
// Saved channel lists: a window's panes under a name in the registry store, one subkey per pane
// ("ZEL\waveforms-<name>\<position>") with its station, channel, location code and flags.

#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

class PrivateProfile;

struct ChannelListEntry {
    std::string position;  // the subkey's name: "0", "1", ...
    std::string station;
    std::string channel;
    std::string locationCode = "??";
    bool active = false;
    bool main = false;
    bool beam = false;
    bool operator==(const ChannelListEntry&) const = default;
};

struct ChannelListInfo {
    std::string name;
    std::optional<long long> changed;  // epoch seconds of the last save, when known
};

// The list the workstation keeps of the panes on screen when it closes, and opens with next time.
inline constexpr const char* kLastSessionList = "Последний сеанс";

// The saved lists, in the order the store first mentions them; names compared without case.
std::vector<ChannelListInfo> ChannelLists(const PrivateProfile& registry);
// "dd/mm/yyyy hh:mm:ss" (UTC) of a list's last save; "01/01/1970 00:00:00" when unknown.
std::string ChannelListTimeText(const std::optional<long long>& changed);

// Throws ZelError with the user's text for a name that cannot be a key of the store: empty, or
// holding "\", brackets or control characters.
void CheckChannelListName(const std::string& name);

// Replaces the list of that name by these entries (positions are renumbered 0, 1, ...); `now` is
// kept as the list's change time. Throws ZelError when the name or the store is unusable.
void SaveChannelList(PrivateProfile& registry, const std::string& name,
                     const std::vector<ChannelListEntry>& entries, long long now);
// The entries in the numeric order of their positions; nothing when no list of that name can be
// read. A missing location code reads as "??".
std::optional<std::vector<ChannelListEntry>> ReadChannelList(const PrivateProfile& registry,
                                                             const std::string& name);
void DeleteChannelList(PrivateProfile& registry, const std::string& name);

// The station index and slot of a channel: station by name, slot by channel name and location
// code, all without regard to case. Nothing when any of them is not in the table.
std::optional<std::pair<int, int>> FindChannel(const std::vector<Station>& stations,
                                               const std::string& station, const std::string& channel,
                                               const std::string& locationCode);

// One pane a loaded list creates.
struct PlannedPane {
    int stationIndex = -1;
    int slot = -1;
    int number = 0;  // the saved position read as an integer
    bool active = false;
    bool main = false;
    bool beam = false;
    double start = 1.0;
    double duration = 3600;
};

// The panes of a list: entries whose channel is gone are dropped; each interval comes from the
// channel's time preset (start 1.0 and 3600 s without one).
std::vector<PlannedPane> PlanChannelList(const std::vector<ChannelListEntry>& entries,
                                         const std::vector<Station>& stations,
                                         const PrivateProfile& registry);

}  // namespace zel
