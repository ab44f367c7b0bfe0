#include "formats/QuakeMl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/StationModel.h"
#include "db/Odbc.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/PhaseChannels.h"
#include "events/ZELPhases.h"
#include "formats/FixedColumns.h"
#include "formats/XmlValues.h"

namespace zel {
namespace {

// ---- reading ----

std::optional<double> Value(const pugi::xml_node& quantity) { return XmlNumber(quantity.child("value")); }

std::optional<int> Integer(const pugi::xml_node& node) {
    const auto v = XmlNumber(node);
    if (!v || *v < 0 || *v > 1e9) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<double> IsoTime(const std::string& text) { return IsoEpoch(text.c_str()); }

std::string Text(const pugi::xml_node& node, const char* child) { return Trimmed(node.child_value(child)); }

QuakeMlWaveform WaveformOf(const pugi::xml_node& node) {
    const pugi::xml_node w = node.child("waveformID");
    return {w.attribute("networkCode").value(), w.attribute("stationCode").value(),
            w.attribute("locationCode").value(), w.attribute("channelCode").value()};
}

QuakeMlEvent ReadEvent(const pugi::xml_node& e) {
    QuakeMlEvent event;
    event.id = e.attribute("publicID").value();
    event.preferredOriginId = Text(e, "preferredOriginID");
    event.preferredMagnitudeId = Text(e, "preferredMagnitudeID");
    event.description = Text(e.child("description"), "text");
    for (const pugi::xml_node& o : e.children("origin")) {
        QuakeMlOrigin origin;
        origin.id = o.attribute("publicID").value();
        if (const auto t = IsoTime(Text(o.child("time"), "value"))) origin.time = t;
        origin.lat = Value(o.child("latitude"));
        origin.lon = Value(o.child("longitude"));
        origin.depth = Value(o.child("depth"));
        origin.depthType = Text(o, "depthType");
        const pugi::xml_node q = o.child("quality");
        origin.standardError = XmlNumber(q.child("standardError"));
        origin.minimumDistance = XmlNumber(q.child("minimumDistance"));
        origin.maximumDistance = XmlNumber(q.child("maximumDistance"));
        origin.azimuthalGap = XmlNumber(q.child("azimuthalGap"));
        origin.usedPhaseCount = Integer(q.child("usedPhaseCount"));
        origin.usedStationCount = Integer(q.child("usedStationCount"));
        const pugi::xml_node u = o.child("originUncertainty");
        origin.minHorizontalUncertainty = XmlNumber(u.child("minHorizontalUncertainty"));
        origin.maxHorizontalUncertainty = XmlNumber(u.child("maxHorizontalUncertainty"));
        origin.azimuthMaxHorizontalUncertainty = XmlNumber(u.child("azimuthMaxHorizontalUncertainty"));
        for (const pugi::xml_node& a : o.children("arrival"))
            origin.arrivals.push_back({Text(a, "pickID"), Text(a, "phase"), XmlNumber(a.child("distance")),
                                       XmlNumber(a.child("azimuth")), XmlNumber(a.child("timeResidual")),
                                       XmlNumber(a.child("timeWeight"))});
        event.origins.push_back(std::move(origin));
    }
    for (const pugi::xml_node& p : e.children("pick")) {
        const auto time = IsoTime(Text(p.child("time"), "value"));
        if (!time) continue;  // a pick without a time is no pick
        QuakeMlPick pick;
        pick.id = p.attribute("publicID").value();
        pick.time = *time;
        pick.timeUncertainty = XmlNumber(p.child("time").child("uncertainty"));
        pick.backazimuth = Value(p.child("backazimuth"));
        pick.slowness = Value(p.child("horizontalSlowness"));
        pick.waveform = WaveformOf(p);
        pick.phaseHint = Text(p, "phaseHint");
        pick.polarity = Text(p, "polarity");
        pick.onset = Text(p, "onset");
        pick.evaluationMode = Text(p, "evaluationMode");
        event.picks.push_back(std::move(pick));
    }
    for (const pugi::xml_node& a : e.children("amplitude"))
        event.amplitudes.push_back({a.attribute("publicID").value(), Text(a, "pickID"), Text(a, "type"),
                                    Value(a.child("genericAmplitude")), Value(a.child("period"))});
    for (const pugi::xml_node& m : e.children("stationMagnitude")) {
        const auto v = Value(m.child("mag"));
        if (v)
            event.stationMagnitudes.push_back({m.attribute("publicID").value(), Text(m, "amplitudeID"),
                                               Text(m, "type"), *v, WaveformOf(m)});
    }
    for (const pugi::xml_node& m : e.children("magnitude")) {
        const auto v = Value(m.child("mag"));
        if (!v) continue;
        event.magnitudes.push_back({m.attribute("publicID").value(), Text(m, "type"), Text(m, "originID"), *v,
                                    XmlNumber(m.child("mag").child("uncertainty")),
                                    Integer(m.child("stationCount"))});
    }
    return event;
}

std::vector<QuakeMlEvent> EventsOf(const pugi::xml_document& doc, const std::string& what) {
    const pugi::xml_node root = doc.first_child();
    if (std::string(root.name()).find("quakeml") == std::string::npos)
        throw ZelError(Tr("Файл не в формате QuakeML: %1").arg(what));
    std::vector<QuakeMlEvent> events;
    for (const pugi::xml_node& parameters : root.children("eventParameters"))
        for (const pugi::xml_node& e : parameters.children("event")) events.push_back(ReadEvent(e));
    return events;
}

// ---- writing ----

std::string Iso(double epoch) {
    const auto c = EpochToYdhms(epoch, 6);
    if (!c) return "1970-01-01T00:00:00.000000Z";
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%06dZ", c->year, c->month, c->day,
                  c->hour, c->minute, c->wholeSecond(), c->fraction);
    return text;
}

std::string Num(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

// The identifier part of a resource id: characters outside the allowed set become "_".
std::string IdPart(const std::string& text) {
    std::string out;
    for (unsigned char c : Trimmed(text))
        out += std::isalnum(c) ||
                       std::string_view("-.*()_~'").find(static_cast<char>(c)) != std::string_view::npos
                   ? static_cast<char>(c)
                   : '_';
    return out.empty() ? "event" : out;
}

void Quantity(pugi::xml_node parent, const char* name, double value,
              std::optional<double> uncertainty = std::nullopt) {
    pugi::xml_node q = parent.append_child(name);
    q.append_child("value").text().set(Num(value).c_str());
    if (uncertainty) q.append_child("uncertainty").text().set(Num(*uncertainty).c_str());
}

void Element(pugi::xml_node parent, const char* name, const std::string& value) {
    parent.append_child(name).text().set(value.c_str());
}

void Waveform(pugi::xml_node parent, const std::string& network, const Station& station, int slot) {
    pugi::xml_node w = parent.append_child("waveformID");
    w.append_attribute("networkCode") = network.c_str();
    w.append_attribute("stationCode") = station.code.c_str();
    const ChannelSlot& c = station.slots[slot];
    if (c.lcode != "??") w.append_attribute("locationCode") = c.lcode.c_str();
    w.append_attribute("channelCode") = c.channel.c_str();
}

const char* OnsetText(std::uint8_t onset) {
    return onset == kOnsetImpulsive ? "impulsive" : onset == kOnsetEmergent ? "emergent" : "questionable";
}

const char* PolarityText(std::uint8_t fm) {
    switch (fm) {
        case 0:  // U
        case 2:  // +
        case 5:  // c
        case 7:  // u
            return "positive";
        case 1:  // D
        case 3:  // -
        case 6:  // d
            return "negative";
        default:
            return "undecidable";
    }
}

bool SameText(std::string a, std::string b) {
    for (char& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return a == b;
}

struct MagnitudeKind {
    const char* type;
    float SEISMIC_PHASE::*field;
};
constexpr MagnitudeKind kKinds[] = {
    {"mb", &SEISMIC_PHASE::mb}, {"Ms", &SEISMIC_PHASE::ms}, {"ML", &SEISMIC_PHASE::ml}};

}  // namespace

const QuakeMlOrigin* QuakeMlEvent::PreferredOrigin() const {
    for (const QuakeMlOrigin& o : origins)
        if (o.id == preferredOriginId) return &o;
    return origins.empty() ? nullptr : &origins.front();
}

std::vector<QuakeMlEvent> ReadQuakeMl(const std::string& path) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(path.c_str());
    if (!parsed) throw ZelError(Tr("Ошибка чтения файла QuakeML %1: %2").arg(path).arg(parsed.description()));
    return EventsOf(doc, path);
}

std::vector<QuakeMlEvent> ParseQuakeMl(const std::string& text) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
    if (!parsed) throw ZelError(Tr("Ошибка чтения QuakeML: %1").arg(parsed.description()));
    return EventsOf(doc, "QuakeML");
}

QuakeMlLoadResult LoadQuakeMlEvent(const QuakeMlEvent& event, bool phasesOnly, CurrentEvent& current,
                                   ZELPhases& phases, const std::vector<Station>& stations,
                                   const PhaseCatalogue& catalogue) {
    QuakeMlLoadResult result;
    const QuakeMlOrigin* origin = event.PreferredOrigin();
    if (!phasesOnly) {
        phases.RemoveAll();
        std::string id = event.id.substr(
            event.id.find_last_of("/=") == std::string::npos ? 0 : event.id.find_last_of("/=") + 1);
        id = id.substr(0, 20);
        id.resize(20, ' ');
        current.eventId = id;
        current.comment = event.description;
        current.orid = -1;
        current.mb = current.ms = kMagnitudeNeverComputed;
        current.hypocentreValid = origin && origin->lat && origin->lon && origin->time;
        current.ellipse = {};
        current.lat = static_cast<float>(origin && origin->lat ? *origin->lat : 0.0);
        current.lon = static_cast<float>(origin && origin->lon ? *origin->lon : 0.0);
        current.depth = static_cast<float>(origin && origin->depth ? *origin->depth / 1000.0 : -1.0);
        current.originTime = origin && origin->time ? *origin->time : 0.0;
    }
    std::set<std::string> unknownStations, unknownPhases;
    for (const QuakeMlPick& pick : event.picks) {
        const QuakeMlArrival* arrival = nullptr;
        if (origin)
            for (const QuakeMlArrival& a : origin->arrivals)
                if (a.pickId == pick.id) arrival = &a;
        const std::string phase = arrival && !arrival->phase.empty() ? arrival->phase : pick.phaseHint;
        const int station = FindStation(stations, pick.waveform.station);
        if (station < 0) {
            unknownStations.insert(pick.waveform.station);
            continue;
        }
        const int phaseIndex = catalogue.IndexOf(phase);
        if (phaseIndex < 0) {
            unknownPhases.insert(phase);
            continue;
        }
        SEISMIC_PHASE r;
        SetPickTime(r, pick.time);
        r.stationIndex = station;
        r.phaseIndex = phaseIndex;
        if (pick.timeUncertainty) r.deltim = *pick.timeUncertainty;
        r.onset = pick.onset == "impulsive"      ? kOnsetImpulsive
                  : pick.onset == "emergent"     ? kOnsetEmergent
                  : pick.onset == "questionable" ? kOnsetWeak
                                                 : kOnsetNone;
        r.firstMotion = pick.polarity == "positive" ? 0 : pick.polarity == "negative" ? 1 : 4;
        if (pick.backazimuth) {
            r.azimuth = static_cast<float>(*pick.backazimuth);
            r.hasAzimuth = 1;
        }
        if (pick.slowness) {
            r.slowness = static_cast<float>(*pick.slowness);
            r.hasSlowness = 1;
        }
        r.weight = 2;
        const bool defining = !arrival || !arrival->timeWeight || *arrival->timeWeight > 0;
        r.included = defining && catalogue.HasCurve(phaseIndex) ? 1 : 0;
        if (arrival) {
            if (arrival->timeResidual)
                r.residual = static_cast<float>(*arrival->timeResidual), r.hasResidual = 1;
            if (arrival->distance && *arrival->distance > 0)
                r.distance = static_cast<float>(*arrival->distance);
        }
        for (const QuakeMlAmplitude& a : event.amplitudes) {
            if (a.pickId != pick.id || !a.value || *a.value <= 0) continue;
            r.amplitude = static_cast<float>(*a.value * 1e6);  // metres to micrometres
            r.period = static_cast<float>(a.period.value_or(0.0));
            r.ampTime = pick.time;
            r.hasAmplitude = 1;
            for (const QuakeMlStationMagnitude& m : event.stationMagnitudes) {
                if (m.amplitudeId != a.id) continue;
                std::string type = m.type;
                std::transform(type.begin(), type.end(), type.begin(), ::tolower);
                if (type == "mb") r.mb = static_cast<float>(m.value);
                if (type == "ms") r.ms = static_cast<float>(m.value);
                if (type == "ml") r.ml = static_cast<float>(m.value);
            }
        }
        const Station& s = stations[station];
        const std::string location = pick.waveform.location.empty() ? "??" : pick.waveform.location;
        int named = pick.waveform.channel.empty() ? -1 : s.FindSlot(pick.waveform.channel, location);
        if (named < 0 && !pick.waveform.channel.empty()) named = s.FindSlot(pick.waveform.channel);
        const std::vector<int> slots = named >= 0 ? std::vector<int>{named} : SlotsForPhase(s, phase);
        for (int slot : slots) {
            r.channelIndex = slot;
            phases.Add(r);
            ++result.added;
        }
    }
    result.unknownStations.assign(unknownStations.begin(), unknownStations.end());
    result.unknownPhases.assign(unknownPhases.begin(), unknownPhases.end());
    return result;
}

std::string QuakeMlText(const QuakeMlInput& in, const ZELPhases& phases, const std::vector<Station>& stations,
                        const PhaseCatalogue& catalogue) {
    const CurrentEvent& e = in.event;
    const std::string base = "smi:local/zel/" + IdPart(e.eventId);
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = doc.append_child("q:quakeml");
    root.append_attribute("xmlns:q") = "http://quakeml.org/xmlns/quakeml/1.2";
    root.append_attribute("xmlns") = "http://quakeml.org/xmlns/bed/1.2";
    pugi::xml_node parameters = root.append_child("eventParameters");
    parameters.append_attribute("publicID") = (base + "/parameters").c_str();
    pugi::xml_node event = parameters.append_child("event");
    event.append_attribute("publicID") = base.c_str();
    const std::string originId = base + "/origin/" + std::to_string(std::max(e.orid, 0));
    const bool hasOrigin = e.hypocentreValid && e.originTime > 0;
    if (hasOrigin) Element(event, "preferredOriginID", originId);
    if (!Trimmed(e.comment).empty()) Element(event.append_child("description"), "text", Trimmed(e.comment));

    auto networkOf = [&](const Station& s) {
        const auto it = in.networks.find(s.code);
        return it == in.networks.end() ? std::string() : it->second;
    };
    auto pickIdOf = [&](int i, const SEISMIC_PHASE& p) {
        return base + "/pick/" + (p.arid >= 0 ? std::to_string(p.arid) : "n" + std::to_string(i));
    };
    // Picks, their amplitudes and station magnitudes.
    std::vector<std::pair<std::string, std::string>> stationMagnitudes[3];  // (id, type) per kind
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size())) continue;
        const Station& s = stations[p.stationIndex];
        const std::string network = networkOf(s);
        const std::string pickId = pickIdOf(i, p);
        pugi::xml_node pick = event.append_child("pick");
        pick.append_attribute("publicID") = pickId.c_str();
        Quantity(pick, "time", 0);
        pick.child("time").child("value").text().set(Iso(p.time).c_str());
        if (p.deltim > 0) pick.child("time").append_child("uncertainty").text().set(Num(p.deltim).c_str());
        Waveform(pick, network, s, p.channelIndex);
        if (p.hasSlowness) Quantity(pick, "horizontalSlowness", p.slowness);
        if (p.onset != kOnsetNone) Element(pick, "onset", OnsetText(p.onset));
        Element(pick, "phaseHint", catalogue.Name(p.phaseIndex));
        Element(pick, "polarity", PolarityText(p.firstMotion));
        Element(pick, "evaluationMode", "manual");
        const std::string amplitudeId = base + "/amplitude/" + pickId.substr(pickId.rfind('/') + 1);
        if (p.hasAmplitude) {
            pugi::xml_node amplitude = event.append_child("amplitude");
            amplitude.append_attribute("publicID") = amplitudeId.c_str();
            Quantity(amplitude, "genericAmplitude", p.amplitude * 1e-6);  // micrometres to metres
            Element(amplitude, "type", "A");
            Element(amplitude, "unit", "m");
            if (p.period > 0) Quantity(amplitude, "period", p.period);
            Element(amplitude, "pickID", pickId);
            Waveform(amplitude, network, s, p.channelIndex);
            Element(amplitude, "evaluationMode", "manual");
        }
        for (int k = 0; k < 3; ++k) {
            const float value = p.*kKinds[k].field;
            if (!(value > 0) || !hasOrigin) continue;
            const std::string id =
                base + "/stationmagnitude/" + kKinds[k].type + "/" + pickId.substr(pickId.rfind('/') + 1);
            pugi::xml_node m = event.append_child("stationMagnitude");
            m.append_attribute("publicID") = id.c_str();
            Element(m, "originID", originId);
            Quantity(m, "mag", value);
            Element(m, "type", kKinds[k].type);
            if (p.hasAmplitude) Element(m, "amplitudeID", amplitudeId);
            Waveform(m, network, s, p.channelIndex);
            stationMagnitudes[k].push_back({id, kKinds[k].type});
        }
    }
    if (!hasOrigin) {
        std::ostringstream out;
        doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
        return out.str();
    }
    // The origin with its quality, uncertainty and arrivals.
    pugi::xml_node origin = event.append_child("origin");
    origin.append_attribute("publicID") = originId.c_str();
    Quantity(origin, "time", 0);
    origin.child("time").child("value").text().set(Iso(e.originTime).c_str());
    Quantity(origin, "latitude", e.lat);
    Quantity(origin, "longitude", e.lon);
    if (e.depth >= 0) Quantity(origin, "depth", e.depth * 1000.0);
    if (in.depthFixed) Element(origin, "depthType", "operator assigned");
    if (in.ellipse.valid()) {
        pugi::xml_node u = origin.append_child("originUncertainty");
        Element(u, "minHorizontalUncertainty", Num(in.ellipse.minor * 1000.0));
        Element(u, "maxHorizontalUncertainty", Num(in.ellipse.major * 1000.0));
        Element(u, "azimuthMaxHorizontalUncertainty", Num(in.ellipse.direction));
        Element(u, "preferredDescription", "uncertainty ellipse");
    }
    int used = 0, withResidual = 0;
    double squares = 0, minDistance = -1, maxDistance = -1;
    std::set<int> usedStations, associatedStations;
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        associatedStations.insert(p.stationIndex);
        pugi::xml_node a = origin.append_child("arrival");
        a.append_attribute("publicID") =
            (base + "/arrival/" + pickIdOf(i, p).substr(pickIdOf(i, p).rfind('/') + 1)).c_str();
        Element(a, "pickID", pickIdOf(i, p));
        Element(a, "phase", catalogue.Name(p.phaseIndex));
        // The pick's azimuth is the epicentre-to-station one the residuals were computed with.
        if (p.hasAzimuth) Element(a, "azimuth", Num(p.azimuth < 0 ? p.azimuth + 360.0 : p.azimuth));
        if (p.distance > 0) Element(a, "distance", Num(p.distance));
        if (p.hasResidual) Element(a, "timeResidual", Num(p.residual));
        Element(a, "timeWeight", p.included ? "1" : "0");
        if (!p.included) continue;
        ++used;
        usedStations.insert(p.stationIndex);
        if (p.hasResidual) squares += double(p.residual) * p.residual, ++withResidual;
        if (p.distance > 0) {
            if (minDistance < 0 || p.distance < minDistance) minDistance = p.distance;
            maxDistance = std::max(maxDistance, double(p.distance));
        }
    }
    pugi::xml_node quality = origin.append_child("quality");
    Element(quality, "associatedPhaseCount", std::to_string(phases.Count()));
    Element(quality, "usedPhaseCount", std::to_string(used));
    Element(quality, "associatedStationCount", std::to_string(associatedStations.size()));
    Element(quality, "usedStationCount", std::to_string(usedStations.size()));
    if (withResidual > 0) Element(quality, "standardError", Num(std::sqrt(squares / withResidual)));
    if (minDistance >= 0) {
        Element(quality, "minimumDistance", Num(minDistance));
        Element(quality, "maximumDistance", Num(maxDistance));
    }
    Element(origin, "evaluationMode", "manual");
    // Network magnitudes as computed, each with the station magnitudes of its type.
    std::vector<QuakeMlMagnitude> magnitudes = in.magnitudes;
    if (magnitudes.empty()) {
        if (e.mb > 0) magnitudes.push_back({"", "mb", "", e.mb, std::sqrt(std::max(0.0f, e.mbVariance)), {}});
        if (e.ms > 0) magnitudes.push_back({"", "Ms", "", e.ms, std::sqrt(std::max(0.0f, e.msVariance)), {}});
    }
    std::string preferredMagnitude;
    for (const QuakeMlMagnitude& given : magnitudes) {
        const std::string id = base + "/magnitude/" + IdPart(given.type);
        pugi::xml_node m = event.append_child("magnitude");
        m.append_attribute("publicID") = id.c_str();
        Quantity(m, "mag", given.value, given.uncertainty);
        Element(m, "type", given.type);
        Element(m, "originID", originId);
        if (given.stationCount) Element(m, "stationCount", std::to_string(*given.stationCount));
        for (int k = 0; k < 3; ++k) {
            if (!SameText(kKinds[k].type, given.type)) continue;
            for (const auto& [smId, type] : stationMagnitudes[k]) {
                pugi::xml_node c = m.append_child("stationMagnitudeContribution");
                Element(c, "stationMagnitudeID", smId);
            }
        }
        if (preferredMagnitude.empty()) preferredMagnitude = id;
    }
    if (!preferredMagnitude.empty()) {
        pugi::xml_node p = event.insert_child_after("preferredMagnitudeID", event.child("preferredOriginID"));
        p.text().set(preferredMagnitude.c_str());
    }
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

std::map<std::string, std::string> StationNetworks(Db::Connection& work) {
    std::map<std::string, std::string> networks;
    Db::Statement st(work);
    st.execute("select STA, NETWORK from CALIBRATION where NETWORK is not null order by STARTDATE");
    while (st.fetch()) {
        const auto sta = st.text(0), net = st.text(1);
        if (sta && net && !net->empty()) networks[*sta] = *net;
    }
    return networks;
}

}  // namespace zel
