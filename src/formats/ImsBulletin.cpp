#include "formats/ImsBulletin.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>

#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/PhaseChannels.h"
#include "events/ZELPhases.h"
#include "formats/FixedColumns.h"
#include "formats/ImsColumns.h"

namespace zel {

double ImsOrigin::Epoch() const { return CalendarToEpoch(year, month, day, hour, minute, second); }

namespace {

using namespace ims;

bool Contains(const std::string& line, std::initializer_list<const char*> words) {
    return std::all_of(words.begin(), words.end(),
                       [&](const char* w) { return line.find(w) != std::string::npos; });
}

// The text after one leading blank when it starts an EVENT block (any case).
std::optional<std::string> EventLineRest(std::string_view line) {
    if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.size() < 5) return std::nullopt;
    for (int i = 0; i < 5; ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != "EVENT"[i]) return std::nullopt;
    if (line.size() > 5 && line[5] != ' ' && line[5] != '\t') return std::nullopt;
    return std::string(line.substr(5));
}

bool IsComment(const std::string& line) {
    const std::string t = Trimmed(line);
    return !t.empty() && t.front() == '(';
}

bool IsStop(const std::string& line) { return Trimmed(line) == "STOP"; }

std::optional<int> Digits(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(text));
}

// "yyyy/mm/dd"
bool ParseDate(std::string_view text, ImsOrigin& o) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') return false;
    auto y = Digits(text.substr(0, 4)), m = Digits(text.substr(5, 2)), d = Digits(text.substr(8, 2));
    if (!y || !m || !d || !IsValidDate(*y, *m, *d)) return false;
    o.year = *y, o.month = *m, o.day = *d;
    return true;
}

// "hh:mm:ss.sss" (any number of decimals)
bool ParseTime(std::string_view text, int& hour, int& minute, double& second) {
    if (text.size() < 8 || text[2] != ':' || text[5] != ':') return false;
    auto h = Digits(text.substr(0, 2)), m = Digits(text.substr(3, 2));
    const std::optional<double> s = ColumnNumber(text, 7, static_cast<int>(text.size()));
    if (!h || !m || !s || *h > 23 || *m > 59 || *s < 0 || *s >= 61) return false;
    hour = *h, minute = *m, second = *s;
    return true;
}

// An id field; -1 (absent) when the number is none an id can be (1e99, nan).
std::int64_t IdOf(const std::optional<double>& v) {
    constexpr double kLimit = 9.0e18;
    return v && *v > -kLimit && *v < kLimit ? static_cast<std::int64_t>(*v) : -1;
}

std::optional<int> AsInt(const std::optional<double>& v) {
    if (!v || !(*v > -2.0e9 && *v < 2.0e9)) return std::nullopt;
    return static_cast<int>(std::lround(*v));
}

std::optional<ImsOrigin> OriginByColumns(const std::string& line) {
    ImsOrigin o;
    if (!ParseDate(Text(line, origin::kDate), o) ||
        !ParseTime(Text(line, origin::kTime), o.hour, o.minute, o.second))
        return std::nullopt;
    o.timeError = Number(line, origin::kTimeError);
    o.rms = Number(line, origin::kRms);
    o.lat = Number(line, origin::kLat);
    o.lon = Number(line, origin::kLon);
    o.smaj = Number(line, origin::kSmaj);
    o.smin = Number(line, origin::kSmin);
    o.ellipseAzimuth = Number(line, origin::kAz);
    o.depth = Number(line, origin::kDepth);
    o.depthFixed = Text(line, origin::kDepthFixed) == "f";
    o.depthError = Number(line, origin::kDepthError);
    o.ndef = AsInt(Number(line, origin::kNdef));
    o.nsta = AsInt(Number(line, origin::kNsta));
    o.gap = AsInt(Number(line, origin::kGap));
    o.minDistance = Number(line, origin::kMinDist);
    o.maxDistance = Number(line, origin::kMaxDist);
    o.author = Text(line, origin::kAuthor);
    o.origId = IdOf(Number(line, origin::kOrigId));
    return o;
}

// Reads blank-separated fields in order and stops at the first that does not parse, as a
// scanf-style split does.
class Fields {
  public:
    explicit Fields(const std::string& line) : in_(line) {}
    bool text(std::string& out) { return ok_ && (ok_ = static_cast<bool>(in_ >> out)); }
    bool number(double& out) {
        std::string t;
        if (!text(t)) return false;
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        // As by the columns: "nan" or "inf" is no number, so it never becomes a coordinate.
        if (end == t.c_str() || !std::isfinite(v)) return ok_ = false;
        out = v;
        rest_ = end;
        return true;
    }
    bool number(std::optional<double>& out) {
        double v = 0;
        if (!number(v)) return false;
        out = v;
        return true;
    }
    const std::string& rest() const { return rest_; }  // what followed the last number

  private:
    std::istringstream in_;
    bool ok_ = true;
    std::string rest_;
};

std::optional<ImsOrigin> OriginByFields(const std::string& line) {
    if (line.size() < 136) return std::nullopt;
    ImsOrigin o;
    Fields f(line);
    std::string date, time;
    if (!f.text(date) || !f.text(time) || !ParseDate(date, o) || !ParseTime(time, o.hour, o.minute, o.second))
        return std::nullopt;
    std::optional<double> az, ndef, nsta, gap, id;
    if (f.number(o.timeError) && f.number(o.rms) && f.number(o.lat) && f.number(o.lon) && f.number(o.smaj) &&
        f.number(o.smin) && f.number(az) && f.number(o.depth)) {
        o.depthFixed = f.rest() == "f";
        std::string qualifier;
        if (f.number(o.depthError) && f.number(ndef) && f.number(nsta) && f.number(gap) &&
            f.number(o.minDistance) && f.number(o.maxDistance) && f.text(qualifier) && f.text(o.author))
            f.number(id);
    }
    o.ellipseAzimuth = az;
    o.ndef = AsInt(ndef), o.nsta = AsInt(nsta), o.gap = AsInt(gap);
    o.origId = IdOf(id);
    return o;
}

void SetQuality(std::string_view quality, IMSPhaseBlock& p) {
    if (quality.empty()) return;
    p.pickType = quality[0];
    SplitQualityLetters(quality.substr(1), p.onset, p.firstMotion);
}

std::optional<IMSPhaseBlock> PhaseByColumns(const std::string& line) {
    IMSPhaseBlock p;
    p.station = Text(line, phase::kSta);
    p.phase = Text(line, phase::kPhase);  // may be empty: an arrival no phase was given to
    if (p.station.empty() || !ParseTime(Text(line, phase::kTime), p.hour, p.minute, p.second))
        return std::nullopt;
    p.distance = Number(line, phase::kDist).value_or(-1.0);
    p.eventAzimuth = Number(line, phase::kEvAz).value_or(-1.0);
    p.residual = Number(line, phase::kTRes).value_or(-9999.0);
    p.azimuth = Number(line, phase::kAzim).value_or(-1.0);
    p.slowness = Number(line, phase::kSlow).value_or(-9999.0);
    const std::string def = Text(line, phase::kDef);
    if (!def.empty()) p.defining = def[0];
    p.snr = Number(line, phase::kSnr).value_or(-1.0);
    p.amplitude = Number(line, phase::kAmp).value_or(-1.0);
    p.period = Number(line, phase::kPer).value_or(-1.0);
    if (line.size() >= 100) SetQuality(line.substr(99, std::min<std::size_t>(3, line.size() - 99)), p);
    p.magnitudeType = Text(line, phase::kMagType);
    p.magnitude = Number(line, phase::kMag).value_or(-1.0);
    p.arid = IdOf(Number(line, phase::kArid));
    return p;
}

std::optional<IMSPhaseBlock> PhaseByFields(const std::string& line) {
    IMSPhaseBlock p;
    Fields f(line);
    std::string time;
    if (!f.text(p.station) || !f.number(p.distance) || !f.number(p.eventAzimuth) || !f.text(p.phase) ||
        !f.text(time) || !ParseTime(time, p.hour, p.minute, p.second))
        return std::nullopt;
    double azres = 0, slores = 0, id = -1;
    std::string def, quality;
    if (f.number(p.residual) && f.number(p.azimuth) && f.number(azres) && f.number(p.slowness) &&
        f.number(slores) && f.text(def) && f.number(p.snr) && f.number(p.amplitude) && f.number(p.period) &&
        f.text(quality) && f.text(p.magnitudeType) && f.number(p.magnitude) && f.number(id))
        p.arid = IdOf(id);
    if (!def.empty()) p.defining = def[0];
    SetQuality(quality, p);
    return p;
}

}  // namespace

void SplitQualityLetters(std::string_view letters, char& onset, char& firstMotion) {
    onset = '_';
    firstMotion = '_';
    for (char c : letters) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == 'i' || lower == 'e' || lower == 'q') onset = lower;
        if (lower == 'c' || lower == 'd') firstMotion = lower;
    }
}

std::vector<ImsEvent> ReadImsBulletin(std::istream& in, ImsLayout layout) {
    enum class State { Outside, Event, OriginLines, Phases };
    std::vector<ImsEvent> events;
    State state = State::Outside;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (auto rest = EventLineRest(line)) {
            ImsEvent e;
            std::istringstream words(*rest);
            words >> e.id;
            std::getline(words, e.region);
            e.region = Trimmed(e.region);
            events.push_back(std::move(e));
            state = State::Event;
            continue;
        }
        if (state == State::Outside) continue;
        ImsEvent& e = events.back();
        if (IsStop(line)) {
            state = State::Outside;
            continue;
        }
        if (Contains(line, {"Date", "Latitude", "Longitude"})) {
            state = State::OriginLines;
            continue;
        }
        if (Contains(line, {"Sta", "Dist", "EvAz"})) {
            e.hasPhaseHeader = true;
            state = State::Phases;
            continue;
        }
        if (IsComment(line)) continue;
        if (state == State::OriginLines) {
            // The first origin of the event is the one loaded; the fields layout takes only the
            // line right under the header.
            if (!e.origin)
                e.origin = layout == ImsLayout::Columns ? OriginByColumns(line) : OriginByFields(line);
            if (layout == ImsLayout::Whitespace || Trimmed(line).empty()) state = State::Event;
            continue;
        }
        if (state == State::Phases) {
            // One arrival that does not read costs that arrival, not the rest of the event.
            const bool blank = Trimmed(line).empty();
            if (layout == ImsLayout::Columns ? blank : !blank && line.size() < 10) {
                state = State::Event;
                continue;
            }
            if (blank) continue;
            auto p = layout == ImsLayout::Columns ? PhaseByColumns(line) : PhaseByFields(line);
            if (!p)
                ++e.unreadable;
            else if (p->phase.empty())
                ++e.withoutPhaseName;
            else
                e.phases.push_back(std::move(*p));
        }
    }
    return events;
}

std::vector<ImsEvent> ReadImsBulletinFile(const std::string& path, ImsLayout layout) {
    std::ifstream in(path);
    if (!in) throw ZelError(Tr("Ошибка открытия файла  '%1'").arg(path));
    return ReadImsBulletin(in, layout);
}

namespace {

std::string PaddedEventId(const std::string& id) {
    std::string padded = id.substr(0, 20);
    padded.resize(20, ' ');
    return padded;
}

SEISMIC_PHASE RecordOf(const IMSPhaseBlock& entry, double originDay, int originHour) {
    SEISMIC_PHASE r;
    double time = originDay + entry.hour * 3600.0 + entry.minute * 60.0 + entry.second;
    if (entry.hour < originHour) time += 86400.0;
    SetPickTime(r, time);
    if (entry.amplitude > 0) {
        r.amplitude = static_cast<float>(entry.amplitude / 1000.0);
        r.period = static_cast<float>(std::max(entry.period, 0.0));
        r.ampTime = time;
        r.hasAmplitude = 1;
    }
    if (entry.azimuth >= 0) {
        r.azimuth = static_cast<float>(entry.azimuth);
        r.hasAzimuth = 1;
    }
    if (entry.distance > 0) r.distance = static_cast<float>(entry.distance);
    if (entry.residual != -9999.0) {
        r.residual = static_cast<float>(entry.residual);
        r.hasResidual = 1;
    }
    if (entry.slowness != -9999.0) {
        r.slowness = static_cast<float>(entry.slowness);
        r.hasSlowness = 1;
    }
    r.firstMotion = entry.firstMotion == 'c' ? 5 : entry.firstMotion == 'd' ? 6 : 4;
    r.onset = entry.onset == 'i' ? kOnsetImpulsive : entry.onset == 'q' ? kOnsetWeak : kOnsetEmergent;
    std::string type = entry.magnitudeType;
    for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const float magnitude = static_cast<float>(entry.magnitude);
    if (type == "mb") r.mb = magnitude;
    if (type == "ms") r.ms = magnitude;
    if (type == "ml") r.ml = magnitude;
    r.weight = 2;
    if (entry.arid > 0 && entry.arid <= INT32_MAX) r.arid = static_cast<std::int32_t>(entry.arid);
    return r;
}

}  // namespace

int ImsSkippedArrivals::Count() const {
    int count = withoutPhaseName + unreadable;
    for (const auto* names : {&unknownStations, &unknownPhases, &noChannel, &repeated})
        for (const auto& [name, lines] : *names) count += lines;
    return count;
}

std::string SkippedArrivalsText(const std::string& eventId, const ImsSkippedArrivals& skipped) {
    const int count = skipped.Count();
    if (count == 0) return {};
    std::vector<std::string> reasons;
    if (skipped.withoutPhaseName > 0)
        reasons.push_back(Tr(kImsSkipNoPhaseName).arg(skipped.withoutPhaseName));
    if (skipped.unreadable > 0) reasons.push_back(Tr(kImsSkipUnreadable).arg(skipped.unreadable));
    const std::pair<const char*, const std::map<std::string, int>*> named[] = {
        {kImsSkipUnknownStations, &skipped.unknownStations},
        {kImsSkipUnknownPhases, &skipped.unknownPhases},
        {kImsSkipNoChannel, &skipped.noChannel},
        {kImsSkipRepeated, &skipped.repeated}};
    for (const auto& [format, names] : named) {
        if (names->empty()) continue;
        int lines = 0;
        std::string list;
        for (const auto& [name, n] : *names) {
            lines += n;
            list += (list.empty() ? "" : ", ") + name;
        }
        reasons.push_back(Tr(format).arg(lines).arg(list));
    }
    std::string joined;
    for (const std::string& r : reasons) joined += (joined.empty() ? "" : ", ") + r;
    return Tr(kImsSkippedArrivals).arg(skipped.arrivals).arg(eventId).arg(count).arg(joined);
}

ImsLoadResult LoadImsEvent(const ImsEvent& event, bool phasesOnly, CurrentEvent& current, ZELPhases& phases,
                           const std::vector<Station>& stations, const PhaseCatalogue& catalogue,
                           const LegacyPhaseNames& legacyNames) {
    ImsLoadResult result;
    ImsSkippedArrivals& skipped = result.skipped;
    skipped.arrivals = static_cast<int>(event.phases.size()) + event.withoutPhaseName + event.unreadable;
    skipped.withoutPhaseName = event.withoutPhaseName;
    skipped.unreadable = event.unreadable;
    if (!event.origin)
        result.problem = Tr("В бюллетене нет строки гипоцентра события %1").arg(event.id);
    else if (!event.hasPhaseHeader)
        result.problem = Tr("В бюллетене нет заголовка списка фаз события %1").arg(event.id);
    if (!phasesOnly) current.eventId = PaddedEventId(event.id);
    if (!result.problem.empty()) return result;

    const ImsOrigin& o = *event.origin;
    if (!phasesOnly) {
        phases.RemoveAll();
        current.mb = kMagnitudeNeverComputed;
        current.ms = kMagnitudeNeverComputed;
        current.originTime = o.Epoch();
        current.hypocentreValid = o.HasCoordinates();
        current.lat = static_cast<float>(o.lat.value_or(0.0));
        current.lon = static_cast<float>(o.lon.value_or(0.0));
        current.depth = static_cast<float>(o.depth.value_or(0.0));
        if (o.origId > 0 && o.origId <= INT32_MAX) current.orid = static_cast<std::int32_t>(o.origId);
        if (o.smaj && o.smin && o.ellipseAzimuth)
            result.ellipse = ErrorEllipse{*o.smaj, *o.smin, *o.ellipseAzimuth};
        current.ellipse = result.ellipse;
    }
    const double originDay = CalendarToEpoch(o.year, o.month, o.day, 0, 0, 0.0);
    std::set<std::pair<int, int>> loaded;  // (station, phase) of this event's lines so far
    for (const IMSPhaseBlock& entry : event.phases) {
        const int station = FindStation(stations, entry.station);
        const int phaseIndex = MatchBulletinPhase(entry.phase, catalogue, legacyNames);
        if (station < 0) {
            ++skipped.unknownStations[entry.station];
            continue;
        }
        if (phaseIndex < 0) {
            ++skipped.unknownPhases[entry.phase];
            continue;
        }
        const std::string& name = catalogue.Name(phaseIndex);
        if (!loaded.emplace(station, phaseIndex).second) {
            ++skipped.repeated[entry.station + " " + name];
            continue;
        }
        SEISMIC_PHASE record = RecordOf(entry, originDay, o.hour);
        record.stationIndex = station;
        record.phaseIndex = phaseIndex;
        record.included = entry.defining == 'T' && catalogue.HasCurve(phaseIndex) ? 1 : 0;
        bool placed = false;
        for (int slot : SlotsForPhase(stations[station], name)) {
            record.channelIndex = slot;
            phases.Add(record);
            ++result.added;
            placed = true;
        }
        if (!placed) ++skipped.noChannel[entry.station + " " + name];
    }
    return result;
}

}  // namespace zel
