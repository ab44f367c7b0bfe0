// The IMS1.0 bulletin of the current event.

#include <cmath>
#include <cstdio>
#include <set>

#include "base/TimeConversions.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/StationPhasePicks.h"
#include "events/ZELPhases.h"
#include "formats/FixedColumns.h"
#include "formats/ImsBulletin.h"
#include "formats/ImsColumns.h"
#include "formats/PhaseListFiles.h"

namespace zel {
namespace {

using namespace ims;

std::string ClockText(const CalendarTime& t) {
    return Printf("%02d:%02d:%02d.%02d", t.hour, t.minute,
                  t.wholeSecond(), t.fraction);
}

bool HasValue(float v) { return v > 0.0f; }

struct MagnitudeSummary {
    const char* type;
    float SEISMIC_PHASE::* field;
};
constexpr MagnitudeSummary kMagnitudes[] = {
    {"mb", &SEISMIC_PHASE::mb}, {"Ms", &SEISMIC_PHASE::ms}, {"ML", &SEISMIC_PHASE::ml}};

std::string OriginLine(const BulletinInput& in, const ZELPhases& phases) {
    const CurrentEvent& e = in.event;
    const CalendarTime t = RoundedCalendar(e.originTime, 2);
    std::string line;
    Put(line, origin::kDate, Printf("%04d/%02d/%02d", t.year, t.month, t.day));
    Put(line, origin::kTime, ClockText(t));
    double squares = 0.0;
    int withResidual = 0, ndef = 0;
    std::set<int> stations;
    double minDistance = 0.0, maxDistance = -1.0;
    for (const SEISMIC_PHASE* pick : OnePickPerStationPhase(phases)) {
        const SEISMIC_PHASE& p = *pick;
        if (!p.included) continue;
        ++ndef;
        stations.insert(p.stationIndex);
        if (p.hasResidual) {
            squares += double(p.residual) * p.residual;
            ++withResidual;
        }
        if (p.distance >= 0) {
            if (maxDistance < 0 || p.distance < minDistance) minDistance = p.distance;
            if (p.distance > maxDistance) maxDistance = p.distance;
        }
    }
    if (withResidual > 0) Put(line, origin::kRms, FitFixed(std::sqrt(squares / withResidual), 5, 2));
    Put(line, origin::kLat, FitFixed(e.lat, 8, 4));
    Put(line, origin::kLon, FitFixed(e.lon, 9, 4));
    if (in.ellipse.valid()) {
        Put(line, origin::kSmaj, FitFixed(in.ellipse.major, 5, 1));
        Put(line, origin::kSmin, FitFixed(in.ellipse.minor, 5, 1));
        Put(line, origin::kAz, FitInteger(std::lround(in.ellipse.direction), 3));
    }
    Put(line, origin::kDepth, FitFixed(e.depth, 5, 1));
    if (in.depthFixed) Put(line, origin::kDepthFixed, "f");
    Put(line, origin::kNdef, FitInteger(ndef, 4));
    Put(line, origin::kNsta, FitInteger(static_cast<long long>(stations.size()), 4));
    if (maxDistance >= 0) {
        Put(line, origin::kMinDist, FitFixed(minDistance, 6, 2));
        Put(line, origin::kMaxDist, FitFixed(maxDistance, 6, 2));
    }
    Put(line, origin::kAnalysis, "m");
    Put(line, origin::kAuthor, kBulletinAuthor, false);
    if (e.orid >= 0) Put(line, origin::kOrigId, FitInteger(e.orid, 8));
    return line;
}

std::string MagnitudeLines(const CurrentEvent& e, const ZELPhases& phases) {
    std::string text;
    for (const MagnitudeSummary& m : kMagnitudes) {
        double sum = 0.0;
        std::vector<double> values;
        std::set<int> stations;
        for (const SEISMIC_PHASE* p : OnePickPerStationPhase(phases)) {
            const float v = p->*m.field;
            if (HasValue(v)) values.push_back(v), sum += v, stations.insert(p->stationIndex);
        }
        if (values.empty()) continue;
        const double mean = sum / values.size();
        double squares = 0.0;
        for (double v : values) squares += (v - mean) * (v - mean);
        std::string line;
        Put(line, magnitude::kType, m.type, false);
        Put(line, magnitude::kValue, FitFixed(mean, 4, 1));
        Put(line, magnitude::kError, FitFixed(std::sqrt(squares / values.size()), 3, 1));
        Put(line, magnitude::kNsta, FitInteger(static_cast<long long>(stations.size()), 4));
        Put(line, magnitude::kAuthor, kBulletinAuthor, false);
        Put(line, magnitude::kOrigId, FitInteger(e.orid, 8));
        text += line + "\n";
    }
    return text;
}

char OnsetLetterOf(int onset) { return onset == 0 ? 'e' : onset == 1 ? 'i' : onset == 2 ? 'q' : '_'; }
char PolarityLetterOf(int motion) { return motion == 5 ? 'c' : motion == 6 ? 'd' : '_'; }

std::string PhaseLine(const SEISMIC_PHASE& p, const BulletinInput& in, const std::vector<Station>& stations,
                      const PhaseCatalogue& catalogue) {
    std::string line;
    const Station* station =
        p.stationIndex >= 0 && p.stationIndex < static_cast<int>(stations.size()) ? &stations[p.stationIndex]
                                                                                  : nullptr;
    Put(line, phase::kSta, station ? station->code : std::string(), false);
    if (in.event.hypocentreValid && station) {
        if (auto da = DistAz(in.event.lat, in.event.lon, station->lat, station->lon)) {
            Put(line, phase::kDist, FitFixed(da->distance, 6, 2));
            Put(line, phase::kEvAz, FitFixed(da->azimuth, 5, 1));
        }
    }
    Put(line, phase::kPhase, catalogue.Name(p.phaseIndex), false);
    Put(line, phase::kTime, ClockText(RoundedCalendar(p.time, 2)), false);
    if (p.hasResidual) Put(line, phase::kTRes, FitFixed(p.residual, 5, 1));
    if (p.hasAzimuth) {
        double azimuth = std::fmod(double(p.azimuth), 360.0);
        if (azimuth < 0) azimuth += 360.0;
        Put(line, phase::kAzim, FitFixed(azimuth, 5, 1));
    }
    if (p.hasSlowness) Put(line, phase::kSlow, FitFixed(p.slowness, 6, 1));
    Put(line, phase::kDef, p.included ? "T__" : "___", false);
    if (p.hasAmplitude) {
        Put(line, phase::kAmp, FitFixed(p.amplitude * 1000.0, 9, 1));
        Put(line, phase::kPer, FitFixed(p.period, 5, 2));
    }
    Put(line, phase::kPickType, "m");
    Put(line, phase::kQuality, std::string{PolarityLetterOf(p.firstMotion), OnsetLetterOf(p.onset)});
    for (const MagnitudeSummary& m : kMagnitudes) {
        if (!HasValue(p.*m.field)) continue;
        Put(line, phase::kMagType, m.type, false);
        Put(line, phase::kMag, FitFixed(p.*m.field, 4, 1));
        break;
    }
    if (p.arid > 0) Put(line, phase::kArid, FitInteger(p.arid, 8));
    return line;
}

}  // namespace

std::string ImsEventIdField(const std::string& eventId) {
    const std::string id = Trimmed(eventId);
    return id.size() <= kImsEventIdWidth ? id : id.substr(id.size() - kImsEventIdWidth);
}

std::string ImsBulletinText(const BulletinInput& in, const ZELPhases& phases, const std::vector<Station>& stations,
                            const PhaseCatalogue& catalogue) {
    const CurrentEvent& e = in.event;
    const std::string id = ImsEventIdField(e.eventId);
    const CalendarTime t = RoundedCalendar(e.originTime, 3);
    std::string text = Printf("\t\t\tZEL - REB    Event %8s     origin time  %02d/%02d/%02d %02d:%02d:%02d.%03ld\n",
                              id.c_str(), t.day, t.month, t.year % 1000,
                              t.hour, t.minute, t.wholeSecond(), t.fraction);
    std::string eventLine = "EVENT";
    Put(eventLine, kEventId, id);
    if (e.comment.size() < 65) Put(eventLine, kRegion, e.comment, false);
    text += Trimmed(eventLine) + "\n";
    text += std::string(kOriginHeader) + "\n";
    if (e.hypocentreValid) text += OriginLine(in, phases) + "\n";
    text += "\n" + std::string(kMagnitudeHeader) + "\n" + MagnitudeLines(e, phases);
    text += "\n" + std::string(kPhaseHeader) + "\n";
    for (const SEISMIC_PHASE* p : OnePickPerStationPhase(phases))
        text += PhaseLine(*p, in, stations, catalogue) + "\n";
    return text + "\n";
}

void WriteImsBulletin(const std::string& path, const BulletinInput& input, const ZELPhases& phases,
                      const std::vector<Station>& stations, const PhaseCatalogue& catalogue) {
    WritePhaseFile(path, ImsBulletinText(input, phases, stations, catalogue));
}

}  // namespace zel
