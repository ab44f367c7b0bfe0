#include "wave/ChannelLists.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <tuple>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "wave/TimePresets.h"

namespace zel {
namespace {

constexpr const char* kPrefix = "ZEL\\waveforms-";
// A registry key carries its own write time; a section of the store does not, so the list's
// key keeps it as a value.
constexpr const char* kChangedKey = "LastWrite";

std::string ListKey(const std::string& name) { return kPrefix + name; }

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string Value(const std::vector<std::pair<std::string, std::string>>& values, const char* key,
                  const std::string& missing) {
    for (const auto& [k, v] : values)
        if (EqualNoCase(k, key)) return v;
    return missing;
}

// The position subkeys of a list, each once, as spelled in the store.
std::vector<std::string> Positions(const PrivateProfile& registry, const std::string& name) {
    const std::string prefix = ListKey(name) + "\\";
    std::vector<std::string> out;
    for (const std::string& section : registry.sections()) {
        if (!StartsWithNoCase(section, prefix)) continue;
        std::string rest = section.substr(prefix.size());
        if (rest.empty() || rest.find('\\') != std::string::npos) continue;
        if (std::none_of(out.begin(), out.end(), [&](const std::string& s) { return EqualNoCase(s, rest); }))
            out.push_back(rest);
    }
    return out;
}

}  // namespace

std::vector<ChannelListInfo> ChannelLists(const PrivateProfile& registry) {
    std::vector<ChannelListInfo> out;
    const std::string prefix = kPrefix;
    for (const std::string& section : registry.sections()) {
        if (!StartsWithNoCase(section, prefix)) continue;
        std::string name = section.substr(prefix.size());
        name = name.substr(0, name.find('\\'));
        if (name.empty()) continue;
        if (std::any_of(out.begin(), out.end(),
                        [&](const ChannelListInfo& i) { return EqualNoCase(i.name, name); }))
            continue;
        ChannelListInfo info{name, std::nullopt};
        const std::string stamp = registry.getString(ListKey(name), kChangedKey);
        if (!stamp.empty() && stamp.find_first_not_of("0123456789") == std::string::npos && stamp.size() < 19)
            info.changed = std::stoll(stamp);
        out.push_back(std::move(info));
    }
    return out;
}

std::string ChannelListTimeText(const std::optional<long long>& changed) {
    std::tm tm{};
    const std::time_t t = changed ? static_cast<std::time_t>(*changed) : 0;
    if (!gmtime_r(&t, &tm)) return "01/01/1970 00:00:00";
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", tm.tm_mday, tm.tm_mon + 1,
                  tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

void CheckChannelListName(const std::string& name) {
    if (name.empty()) throw ZelError("Введите имя списка каналов");
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '\\' || c == '[' || c == ']')
            throw ZelError("Имя списка каналов не может содержать \\, [, ] и управляющие символы");
}

void DeleteChannelList(PrivateProfile& registry, const std::string& name) {
    CheckChannelListName(name);
    for (const std::string& position : Positions(registry, name))
        registry.deleteSection(ListKey(name) + "\\" + position);
    registry.deleteSection(ListKey(name));
}

void SaveChannelList(PrivateProfile& registry, const std::string& name,
                     const std::vector<ChannelListEntry>& entries, long long now) {
    CheckChannelListName(name);
    std::vector<ProfileChange> changes;
    const std::string key = ListKey(name);
    changes.push_back({key, kChangedKey, std::to_string(now)});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ChannelListEntry& e = entries[i];
        const std::string sub = key + "\\" + std::to_string(i);
        changes.push_back({sub, "STA", e.station});
        changes.push_back({sub, "CHAN", e.channel});
        changes.push_back({sub, "LCODE", e.locationCode});
        changes.push_back({sub, "ACTIVEWINDOW", e.active ? "1" : "0"});
        changes.push_back({sub, "MAINWINDOW", e.main ? "1" : "0"});
        changes.push_back({sub, "BEAM", e.beam ? "1" : "0"});
    }
    DeleteChannelList(registry, name);
    registry.write(changes);
}

std::optional<std::vector<ChannelListEntry>> ReadChannelList(const PrivateProfile& registry,
                                                             const std::string& name) {
    if (name.empty()) return std::nullopt;
    std::vector<std::string> positions = Positions(registry, name);
    if (positions.empty() && !registry.hasSection(ListKey(name))) return std::nullopt;
    // Numeric order: "10" after "9".
    std::stable_sort(positions.begin(), positions.end(), [](const std::string& a, const std::string& b) {
        return ParseLeadingInt(a) < ParseLeadingInt(b);
    });
    std::vector<ChannelListEntry> out;
    for (const std::string& position : positions) {
        const auto values = registry.sectionValues(ListKey(name) + "\\" + position);
        ChannelListEntry e;
        e.position = position;
        e.station = Value(values, "STA", "");
        e.channel = Value(values, "CHAN", "");
        e.locationCode = Value(values, "LCODE", "??");
        e.active = Value(values, "ACTIVEWINDOW", "0") == "1";
        e.main = Value(values, "MAINWINDOW", "0") == "1";
        e.beam = Value(values, "BEAM", "0") == "1";
        out.push_back(std::move(e));
    }
    return out;
}

std::optional<std::pair<int, int>> FindChannel(const std::vector<Station>& stations,
                                               const std::string& station, const std::string& channel,
                                               const std::string& locationCode) {
    const int s = FindStation(stations, station);
    if (s < 0 || channel.empty()) return std::nullopt;
    for (int slot = 0; slot < kSlotsPerStation; ++slot) {
        const ChannelSlot& c = stations[s].slots[slot];
        if (c.Used() && EqualNoCase(c.channel, channel) && EqualNoCase(c.lcode, locationCode))
            return std::make_pair(s, slot);
    }
    return std::nullopt;
}

std::vector<PlannedPane> PlanChannelList(const std::vector<ChannelListEntry>& entries,
                                         const std::vector<Station>& stations,
                                         const PrivateProfile& registry) {
    std::vector<PlannedPane> out;
    for (const ChannelListEntry& e : entries) {
        const auto found = FindChannel(stations, e.station, e.channel, e.locationCode);
        if (!found) continue;
        PlannedPane p;
        std::tie(p.stationIndex, p.slot) = *found;
        p.number = ParseLeadingInt(e.position);
        p.active = e.active;
        p.main = e.main;
        p.beam = e.beam;
        const Station& st = stations[p.stationIndex];
        // A damaged preset (not a number, no length) is no interval to read.
        if (auto preset = LoadTimePreset(registry, st.code, st.slots[p.slot].channel);
            preset && std::isfinite(preset->first) && std::isfinite(preset->second) && preset->second > 0)
            std::tie(p.start, p.duration) = *preset;
        out.push_back(p);
    }
    return out;
}

}  // namespace zel
