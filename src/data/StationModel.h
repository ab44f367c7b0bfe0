#pragma once
// The stations and channels of the network as read from SITE and SITECHAN at start, and the
// named station groups of table NETWORKS. A trace or a pick names its channel by (station index,
// slot). Component chanindex (1..3) of group ngroup (from 1) is slot number ngroup * 3 + chanindex - 3,
// kept at index slot - 1: eight full three-component groups fill indices 0..23, and the first
// slot is the first channel, so "slot order up to the first empty slot" finds every channel.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zel {

namespace Db {
class Connection;
}

inline constexpr int kSlotsPerStation = 24;
inline constexpr int kNoStationIndex = 999999999;

// Field widths of the model; longer database values are cut to them.
inline constexpr std::size_t kStationCodeWidth = 31;
inline constexpr std::size_t kChannelCodeWidth = 15;
inline constexpr std::size_t kCalibFileWidth = 63;
inline constexpr std::size_t kLocationCodeWidth = 8;

struct ChannelSlot {
    std::string channel;  // empty: the slot is unused
    std::string calibFile;
    float lat = 0.0f;
    float lon = 0.0f;
    float elev = 0.0f;
    double sps = 0.0;
    int componentIndex = 0;    // 1..3 within its group
    std::string lcode = "??";  // "??": location unknown
    bool selected = false;     // chosen for display

    bool Used() const { return !channel.empty(); }
};

struct Station {
    std::string code;
    float lat = 0.0f;
    float lon = 0.0f;
    float elev = 0.0f;
    int ngroups = 0;
    int index = kNoStationIndex;
    std::string refsta;
    float dnorth = 0.0f;  // array offsets, km
    float deast = 0.0f;
    std::array<ChannelSlot, kSlotsPerStation> slots{};

    // Slot holding this channel code (compared without regard to case), or -1.
    int FindSlot(const std::string& channel) const;
    // The same for a channel of one location code ("??" or "" for a slot of unknown location).
    int FindSlot(const std::string& channel, const std::string& lcode) const;
};

// Slot index (0..23) of a SITECHAN row, or nullopt when ngroup or chanindex lie outside the 24 slots.
std::optional<int> SlotOf(long long ngroup, long long chanindex);

// Reads SITE and, per station, SITECHAN. Rows missing a required value are skipped. Throws Db::Error.
std::vector<Station> LoadStations(Db::Connection& connection);

// Index of the station with this code (compared without regard to case), or -1.
int FindStation(const std::vector<Station>& stations, const std::string& code);

struct Network {
    std::string name;
    std::string stations;  // station codes separated by ";"
};

inline constexpr std::size_t kNetworkNameWidth = 99;
inline constexpr std::size_t kNetworkListWidth = 4999;

// The station codes of a network's list, blanks trimmed, empty entries dropped.
std::vector<std::string> SplitStationList(const std::string& list);

// Throws Db::Error.
std::vector<Network> LoadNetworks(Db::Connection& connection);
// Replaces the whole table in one transaction: on any failure the old rows stay. Throws ZelError
// for a name or list too long to be stored, Db::Error for a database failure.
void SaveNetworks(Db::Connection& connection, const std::vector<Network>& networks);

// text cut to at most width bytes without splitting a UTF-8 character.
std::string CutToWidth(std::string text, std::size_t width);

}  // namespace zel
