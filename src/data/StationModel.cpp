#include "data/StationModel.h"

#include <strings.h>

#include "base/Strings.h"
#include "base/ZelError.h"
#include "db/Odbc.h"

namespace zel {
namespace {

bool SameCode(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

void LoadChannels(Db::Connection& connection, const std::string& storedCode, Station& station) {
    Db::Statement st(connection);
    st.execute(
        "select chan, calibfile, ngroup, chanindex, sps, lat, lon, edeph, lcode from sitechan where sta=?",
        {storedCode});
    while (st.fetch()) {
        const auto chan = st.text(0);
        const auto ngroup = st.integer(2);
        const auto chanindex = st.integer(3);
        const auto sps = st.real(4);
        if (!chan || !ngroup || !chanindex || !sps) continue;
        // A row that names no slot of the 24 is not a channel of the model.
        const auto slot = SlotOf(*ngroup, *chanindex);
        if (!slot) continue;
        ChannelSlot& c = station.slots[*slot];
        c = ChannelSlot{};
        c.channel = CutToWidth(*chan, kChannelCodeWidth);
        c.calibFile = CutToWidth(st.text(1).value_or(""), kCalibFileWidth);
        c.sps = *sps;
        c.componentIndex = static_cast<int>(*chanindex);
        const auto lat = st.real(5);
        const auto lon = st.real(6);
        const auto edeph = st.real(7);
        if (lat && lon && edeph) {
            c.lat = static_cast<float>(*lat);
            c.lon = static_cast<float>(*lon);
            c.elev = static_cast<float>(*edeph);
        } else {
            c.lat = station.lat;
            c.lon = station.lon;
            c.elev = station.elev;
        }
        c.lcode = CutToWidth(st.text(8).value_or("??"), kLocationCodeWidth);
    }
}

}  // namespace

std::string CutToWidth(std::string text, std::size_t width) {
    if (text.size() <= width) return text;
    std::size_t cut = width;
    // Step back over UTF-8 continuation bytes so no character is split.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
    return text;
}

std::optional<int> SlotOf(long long ngroup, long long chanindex) {
    if (ngroup < 1 || chanindex < 1 || chanindex > 3) return std::nullopt;
    if (ngroup > kSlotsPerStation / 3) return std::nullopt;
    return static_cast<int>(ngroup * 3 + chanindex - 3 - 1);
}

int Station::FindSlot(const std::string& channel) const {
    for (int i = 0; i < kSlotsPerStation; ++i)
        if (slots[i].Used() && SameCode(slots[i].channel, channel)) return i;
    return -1;
}

int Station::FindSlot(const std::string& channel, const std::string& lcode) const {
    const std::string wanted = lcode.empty() ? "??" : lcode;
    for (int i = 0; i < kSlotsPerStation; ++i)
        if (slots[i].Used() && SameCode(slots[i].channel, channel) && SameCode(slots[i].lcode, wanted)) return i;
    return -1;
}

int FindStation(const std::vector<Station>& stations, const std::string& code) {
    for (std::size_t i = 0; i < stations.size(); ++i)
        if (SameCode(stations[i].code, code)) return static_cast<int>(i);
    return -1;
}

std::vector<Station> LoadStations(Db::Connection& connection) {
    std::vector<Station> stations;
    std::vector<std::string> storedCodes;
    {
        Db::Statement st(connection);
        st.execute("select sta, lat, lon, elev, ngroups, nindex, refsta, dnorth, deast from site");
        while (st.fetch()) {
            const auto sta = st.text(0);
            const auto lat = st.real(1);
            const auto lon = st.real(2);
            const auto elev = st.real(3);
            const auto ngroups = st.integer(4);
            if (!sta || !lat || !lon || !elev || !ngroups) continue;
            Station s;
            s.code = CutToWidth(*sta, kStationCodeWidth);
            s.lat = static_cast<float>(*lat);
            s.lon = static_cast<float>(*lon);
            s.elev = static_cast<float>(*elev);
            s.ngroups = static_cast<int>(*ngroups);
            s.index = static_cast<int>(st.integer(5).value_or(kNoStationIndex));
            s.refsta = CutToWidth(st.text(6).value_or(""), kStationCodeWidth);
            s.dnorth = static_cast<float>(st.real(7).value_or(0.0));
            s.deast = static_cast<float>(st.real(8).value_or(0.0));
            stations.push_back(std::move(s));
            storedCodes.push_back(*sta);
        }
    }
    // Channels belong to the code as stored, which a cut code would no longer match.
    for (std::size_t i = 0; i < stations.size(); ++i) LoadChannels(connection, storedCodes[i], stations[i]);
    return stations;
}

std::vector<std::string> SplitStationList(const std::string& list) {
    std::vector<std::string> codes;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string code = Trimmed(list.substr(start, end - start));
        if (!code.empty()) codes.push_back(std::move(code));
        start = end + 1;
    }
    return codes;
}

std::vector<Network> LoadNetworks(Db::Connection& connection) {
    std::vector<Network> networks;
    Db::Statement st(connection);
    st.execute("select NETNAME, NETLIST from NETWORKS");
    while (st.fetch()) {
        auto name = st.text(0);
        auto list = st.text(1);
        if (!name || !list) continue;
        networks.push_back({CutToWidth(*name, kNetworkNameWidth), CutToWidth(*list, kNetworkListWidth)});
    }
    return networks;
}

void SaveNetworks(Db::Connection& connection, const std::vector<Network>& networks) {
    // Checked before anything is deleted: a list the reader would cut must not be stored.
    for (const Network& n : networks) {
        if (n.name.size() > kNetworkNameWidth)
            throw ZelError(Tr("Слишком длинное имя сети: %1...").arg(CutToWidth(n.name, 40)));
        if (n.stations.size() > kNetworkListWidth)
            throw ZelError(Tr("Слишком длинный список станций сети %1").arg(n.name));
    }
    Db::Transaction transaction(connection);
    Db::Statement st(connection);
    st.execute("delete from NETWORKS");
    for (const Network& n : networks)
        st.execute("insert into NETWORKS (NETNAME, NETLIST) values (?,?)", {n.name, n.stations});
    transaction.commit();
}

}  // namespace zel
