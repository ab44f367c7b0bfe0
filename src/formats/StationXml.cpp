#include "formats/StationXml.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <pugixml.hpp>

#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/SampleFile.h"
#include "db/Odbc.h"
#include "dsp/Response.h"
#include "formats/FixedColumns.h"
#include "formats/XmlValues.h"

namespace zel {
namespace {

using Complex = std::complex<double>;

// "2012-03-13T08:10:00[.ffffff][Z]" as epoch seconds.
std::optional<double> Time(const pugi::xml_attribute& attribute) {
    return attribute ? IsoEpoch(attribute.value()) : std::nullopt;
}

StationXmlResponse ReadResponse(const pugi::xml_node& response) {
    StationXmlResponse r;
    const pugi::xml_node sensitivity = response.child("InstrumentSensitivity");
    r.sensitivity = XmlNumber(sensitivity.child("Value"));
    r.sensitivityFrequency = XmlNumber(sensitivity.child("Frequency"));
    r.inputUnits = Trimmed(sensitivity.child("InputUnits").child_value("Name"));
    double gains = 1.0;
    bool allGains = response.child("Stage");
    for (const pugi::xml_node& stage : response.children("Stage")) {
        const std::optional<double> gain = XmlNumber(stage.child("StageGain").child("Value"));
        allGains = allGains && gain;
        if (gain) gains *= *gain;
    }
    if (allGains) r.stageGains = gains;
    for (const pugi::xml_node& stage : response.children("Stage")) {
        const pugi::xml_node pz = stage.child("PolesZeros");
        if (!pz) continue;
        const std::string type = Trimmed(pz.child_value("PzTransferFunctionType"));
        const double scale = type.find("HERTZ") != std::string::npos ? 2 * std::numbers::pi : 1.0;
        r.digital = type.find("DIGITAL") != std::string::npos;
        r.normalizationFactor = XmlNumber(pz.child("NormalizationFactor")).value_or(1.0);
        r.normalizationFrequency = XmlNumber(pz.child("NormalizationFrequency")).value_or(0.0);
        for (const char* kind : {"Zero", "Pole"}) {
            auto& list = kind[0] == 'Z' ? r.zeros : r.poles;
            for (const pugi::xml_node& x : pz.children(kind))
                list.emplace_back(XmlNumber(x.child("Real")).value_or(0.0) * scale,
                                  XmlNumber(x.child("Imaginary")).value_or(0.0) * scale);
        }
        // A0 of a stage in Hz scales prod(f - z) / prod(f - p); in rad/s each factor is 2 pi larger.
        r.normalizationFactor *=
            std::pow(scale, static_cast<double>(r.poles.size()) - static_cast<double>(r.zeros.size()));
        r.hasPolesZeros = true;
        break;
    }
    return r;
}

// Time derivatives between displacement and the input units, nullopt for units of no ground motion.
std::optional<int> DerivativesOf(std::string units) {
    units = UpperAscii(units);
    units.erase(std::remove(units.begin(), units.end(), ' '), units.end());
    if (units == "M" || units == "METERS" || units == "NM") return 0;
    if (units == "M/S" || units == "M/SEC" || units == "NM/S") return 1;
    if (units == "M/S**2" || units == "M/S2" || units == "M/SEC**2" || units == "M/S/S" || units == "NM/S**2")
        return 2;
    return std::nullopt;
}

std::string FormatNumber(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

// The {ts} literal of an epoch time, as the CALIBRATION lookup compares them (UTC).
std::string TimestampLiteral(double epoch) {
    const auto c = EpochToYdhms(std::floor(epoch), 0);
    if (!c) return "NULL";
    char text[48];
    std::snprintf(text, sizeof text, "{ts '%04d-%02d-%02d %02d:%02d:%02d'}", c->year, c->month, c->day,
                  c->hour, c->minute, c->wholeSecond());
    return text;
}

std::string Name(const StationXmlChannel& c) {
    return c.network + "." + c.station + "." + c.location + "." + c.code;
}

// The channel is vertical (component 1), else its horizontal direction decides between north (2)
// and east (3).
bool IsVertical(const StationXmlChannel& c) {
    if (c.dip) return std::fabs(*c.dip) >= 45.0;
    return !c.code.empty() && std::toupper(static_cast<unsigned char>(c.code.back())) == 'Z';
}

// How much a horizontal channel points north-south rather than east-west.
double Northness(const StationXmlChannel& c) {
    if (c.azimuth) return std::fabs(std::cos(*c.azimuth * std::numbers::pi / 180.0));
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(c.code.back())));
    return last == 'N' || last == '1' ? 1.0 : 0.0;
}

struct Placed {
    const StationXmlChannel* channel;
    int group, component;
};

// The newest epoch of each channel, grouped by location and band-instrument code (the first two
// letters) into three-component groups.
std::vector<Placed> PlaceChannels(const StationXmlStation& station, StationXmlImportReport& report) {
    std::map<std::pair<std::string, std::string>, const StationXmlChannel*> newest;
    for (const StationXmlChannel& c : station.channels) {
        if (!c.lat || !c.lon || !c.elevation || !c.sampleRate || c.code.size() < 2) {
            report.problems.push_back(
                Tr("Канал %1 не импортирован: нет координат, высоты или частоты дискретизации").arg(Name(c)));
            continue;
        }
        const auto key = std::make_pair(c.location, c.code);
        auto& slot = newest[key];
        if (!slot || c.start.value_or(-1e300) > slot->start.value_or(-1e300)) slot = &c;
    }
    std::map<std::pair<std::string, std::string>, std::vector<const StationXmlChannel*>> groups;
    for (const auto& [key, c] : newest) groups[{key.first, key.second.substr(0, 2)}].push_back(c);
    std::vector<Placed> placed;
    int group = 0;
    for (auto& [key, members] : groups) {
        if (group == kSlotsPerStation / 3) {
            for (const StationXmlChannel* c : members)
                report.problems.push_back(
                    Tr("Канал %1 не импортирован: у станции больше 8 групп").arg(Name(*c)));
            continue;
        }
        ++group;
        std::vector<const StationXmlChannel*> vertical, horizontal;
        for (const StationXmlChannel* c : members) (IsVertical(*c) ? vertical : horizontal).push_back(c);
        std::stable_sort(horizontal.begin(), horizontal.end(),
                         [](auto* a, auto* b) { return Northness(*a) > Northness(*b); });
        std::vector<std::pair<const StationXmlChannel*, int>> wanted;
        if (!vertical.empty()) wanted.push_back({vertical.front(), 1});
        if (horizontal.size() == 1)
            wanted.push_back({horizontal[0], Northness(*horizontal[0]) >= std::sqrt(0.5) ? 2 : 3});
        else if (horizontal.size() >= 2)
            wanted.push_back({horizontal[0], 2}), wanted.push_back({horizontal[1], 3});
        for (const StationXmlChannel* c : members)
            if (std::none_of(wanted.begin(), wanted.end(), [&](auto& w) { return w.first == c; }))
                report.problems.push_back(
                    Tr("Канал %1 не импортирован: в группе уже есть канал этой ориентации").arg(Name(*c)));
        for (auto& [c, component] : wanted) placed.push_back({c, group, component});
    }
    return placed;
}

Db::Value OrNull(std::optional<double> v) {
    if (v) return *v;
    return Db::Null{};
}

Db::Value Location(const std::string& location) {
    return location.empty() ? Db::Value{Db::Null{}} : Db::Value{location};
}

void ReplaceStation(Db::Connection& work, const StationXmlStation& station, const std::vector<Placed>& placed,
                    StationXmlImportReport& report) {
    const std::string now = NowTimestampLiteral();
    work.execute("delete from SITECHAN where STA=?", {station.code});
    work.execute("delete from SITE where STA=?", {station.code});
    int groups = 0;
    for (const Placed& p : placed) groups = std::max(groups, p.group);
    work.execute(
        "insert into SITE (STA, LAT, LON, ELEV, NGROUPS, DESCR, LDDATE, STANAME) values (?, ?, ?, ?, ?, ?, " +
            now + ", ?)",
        {station.code, *station.lat, *station.lon, *station.elevation / 1000.0, std::int64_t{groups},
         station.network + " " + station.name, CutToWidth(station.name, 50)});
    ++report.stations;
    for (const Placed& p : placed) {
        const StationXmlChannel& c = *p.channel;
        work.execute(
            "insert into SITECHAN (STA, CHAN, SPS, NGROUP, CHANINDEX, LAT, LON, EDEPH, DESCR, HANG, VANG, "
            "LDDATE, "
            "LCODE) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " +
                now + ", ?)",
            {station.code, c.code, *c.sampleRate, std::int64_t{p.group}, std::int64_t{p.component}, *c.lat,
             *c.lon, *c.elevation / 1000.0, Name(c), OrNull(c.azimuth),
             OrNull(c.dip ? std::optional<double>(*c.dip + 90.0) : std::nullopt), Location(c.location)});
        ++report.channels;
    }
    // Every epoch of every placed channel gets its response, so older data are corrected with the
    // instrument that recorded them.
    for (const Placed& p : placed) {
        const StationXmlChannel& placedChannel = *p.channel;
        work.execute("delete from CALIBRATION where STA=? and CHAN=? and " +
                         std::string(placedChannel.location.empty() ? "LOCATION is null" : "LOCATION=?"),
                     placedChannel.location.empty()
                         ? std::vector<Db::Value>{station.code, placedChannel.code}
                         : std::vector<Db::Value>{station.code, placedChannel.code, placedChannel.location});
        for (const StationXmlChannel& c : station.channels) {
            if (c.location != placedChannel.location || c.code != placedChannel.code) continue;
            std::string why;
            const std::optional<std::string> text = SacPolesZerosText(c.response, why);
            if (!text) {
                report.problems.push_back(
                    Tr("Канал %1: характеристика не записана (%2)").arg(Name(c)).arg(why));
                continue;
            }
            work.execute(
                "insert into CALIBRATION (STA, CHAN, NETWORK, LOCATION, STARTDATE, ENDDATE, SAC, LDDATE) "
                "values (?, ?, ?, ?, " +
                    TimestampLiteral(c.start.value_or(0.0)) + ", " +
                    (c.end ? TimestampLiteral(*c.end) : std::string("NULL")) + ", ?, " + now + ")",
                {station.code, c.code, c.network, Location(c.location), *text});
            ++report.responses;
        }
    }
}

}  // namespace

std::vector<StationXmlStation> ReadStationXml(const std::string& path) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(path.c_str());
    if (!parsed)
        throw ZelError(Tr("Ошибка чтения файла StationXML %1: %2").arg(path).arg(parsed.description()));
    const pugi::xml_node root = doc.child("FDSNStationXML");
    if (!root) throw ZelError(Tr("Файл не в формате FDSN StationXML: %1").arg(path));
    std::vector<StationXmlStation> stations;
    for (const pugi::xml_node& network : root.children("Network")) {
        for (const pugi::xml_node& st : network.children("Station")) {
            StationXmlStation s;
            s.network = network.attribute("code").value();
            s.code = st.attribute("code").value();
            s.name = Trimmed(st.child("Site").child_value("Name"));
            s.lat = XmlNumber(st.child("Latitude"));
            s.lon = XmlNumber(st.child("Longitude"));
            s.elevation = XmlNumber(st.child("Elevation"));
            s.start = Time(st.attribute("startDate"));
            s.end = Time(st.attribute("endDate"));
            for (const pugi::xml_node& ch : st.children("Channel")) {
                StationXmlChannel c;
                c.network = s.network;
                c.station = s.code;
                c.location = Trimmed(ch.attribute("locationCode").value());
                if (c.location == "--") c.location.clear();
                c.code = Trimmed(ch.attribute("code").value());
                c.lat = XmlNumber(ch.child("Latitude"));
                c.lon = XmlNumber(ch.child("Longitude"));
                c.elevation = XmlNumber(ch.child("Elevation"));
                c.depth = XmlNumber(ch.child("Depth"));
                c.azimuth = XmlNumber(ch.child("Azimuth"));
                c.dip = XmlNumber(ch.child("Dip"));
                c.sampleRate = XmlNumber(ch.child("SampleRate"));
                c.start = Time(ch.attribute("startDate"));
                c.end = Time(ch.attribute("endDate"));
                c.response = ReadResponse(ch.child("Response"));
                s.channels.push_back(std::move(c));
            }
            stations.push_back(std::move(s));
        }
    }
    return stations;
}

std::optional<std::string> SacPolesZerosText(const StationXmlResponse& r, std::string& why) {
    if (!r.hasPolesZeros) return why = Tr("нет нулей и полюсов"), std::nullopt;
    if (r.digital) return why = Tr("цифровая характеристика, не нули и полюса"), std::nullopt;
    if (!r.sensitivity || !r.sensitivityFrequency || *r.sensitivity <= 0 || *r.sensitivityFrequency <= 0)
        return why = Tr("нет чувствительности"), std::nullopt;
    const std::optional<int> derivatives = DerivativesOf(r.inputUnits);
    if (!derivatives)
        return why = Tr("единицы %1 не смещение, скорость или ускорение").arg(r.inputUnits), std::nullopt;
    const Complex s(0.0, 2 * std::numbers::pi * *r.sensitivityFrequency);
    Complex shape(1.0, 0.0);
    for (const Complex& z : r.zeros) shape *= s - z;
    for (const Complex& p : r.poles) shape /= s - p;
    if (!(std::abs(shape) > 0) || !std::isfinite(std::abs(shape)))
        return why = Tr("нули и полюса вырождены"), std::nullopt;
    // The stage-by-stage scale where every stage gives its gain, as the response itself is built;
    // else the scale that gives the overall sensitivity at its frequency.
    const double constant =
        r.stageGains ? r.normalizationFactor * *r.stageGains : *r.sensitivity / std::abs(shape);
    std::string text = "ZEROS " + std::to_string(r.zeros.size() + *derivatives) + "\n";
    for (int i = 0; i < *derivatives; ++i) text += "0 0\n";
    for (const Complex& z : r.zeros) text += FormatNumber(z.real()) + " " + FormatNumber(z.imag()) + "\n";
    text += "POLES " + std::to_string(r.poles.size()) + "\n";
    for (const Complex& p : r.poles) text += FormatNumber(p.real()) + " " + FormatNumber(p.imag()) + "\n";
    text += "CONSTANT " + FormatNumber(constant) + "\n";
    return text;
}

std::string StationXmlImportReport::Text() const {
    std::string text = Tr("Импортировано станций: %1, каналов: %2, характеристик: %3")
                           .arg(stations)
                           .arg(channels)
                           .arg(responses);
    for (const std::string& p : problems) text += "\n" + p;
    return text;
}

StationXmlImportReport ImportStationXml(Db::Connection& work, const std::string& path) {
    const std::vector<StationXmlStation> stations = ReadStationXml(path);
    StationXmlImportReport report;
    // The newest epoch of a station code stands for it.
    std::map<std::string, const StationXmlStation*> newest;
    for (const StationXmlStation& s : stations) {
        if (!s.lat || !s.lon || !s.elevation || s.code.empty()) {
            report.problems.push_back(
                Tr("Станция %1.%2 не импортирована: нет координат").arg(s.network).arg(s.code));
            continue;
        }
        auto& slot = newest[UpperAscii(s.code)];
        if (!slot || s.start.value_or(-1e300) > slot->start.value_or(-1e300)) slot = &s;
    }
    if (newest.empty()) throw ZelError(Tr("В файле StationXML нет станций с координатами: %1").arg(path));
    Db::Transaction transaction(work);
    for (const auto& [code, station] : newest)
        ReplaceStation(work, *station, PlaceChannels(*station, report), report);
    transaction.commit();
    return report;
}

int FillCatalogueCalibration(Db::Connection& work) {
    struct Row {
        std::string cpath, sta, ch, lcode;
        double tbegin;
        std::int64_t foff;
    };
    std::vector<Row> rows;
    {
        Db::Statement st(work);
        st.execute(
            "select CPATH, STA, CH, LCODE, TBEGIN, FOFF from FILELIST where CALIB is null and DATATYPE=?",
            {std::int64_t{kEncodingMiniSeed}});
        while (st.fetch())
            rows.push_back({st.text(0).value_or(""), st.text(1).value_or(""), st.text(2).value_or(""),
                            st.text(3).value_or(""), st.real(4).value_or(0.0), st.integer(5).value_or(0)});
    }
    int changed = 0;
    Db::Transaction transaction(work);
    for (const Row& r : rows) {
        const std::optional<PolesZeros> pz = LoadPolesZeros(work, {r.sta, r.ch, "", r.lcode, r.tbegin});
        if (!pz) continue;
        const double calib = std::abs(pz->InverseResponse(1.0));
        if (!(calib > 0) || !std::isfinite(calib)) continue;
        work.execute("update FILELIST set CALIB=?, CALPER=1 where CPATH=? and FOFF=?",
                     {calib, r.cpath, r.foff});
        ++changed;
    }
    transaction.commit();
    return changed;
}

}  // namespace zel
