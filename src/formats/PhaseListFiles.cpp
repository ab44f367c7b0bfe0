#include "formats/PhaseListFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "base/TimeConversions.h"
#include "base/ReplaceFile.h"
#include "base/Strings.h"
#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/FixedColumns.h"

namespace zel {
namespace {

const Station* StationOf(const PhaseFileInput& in, const SEISMIC_PHASE& p) {
    if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(in.stations.size())) return nullptr;
    return &in.stations[p.stationIndex];
}
std::string StationCode(const PhaseFileInput& in, const SEISMIC_PHASE& p) {
    const Station* s = StationOf(in, p);
    return s ? s->code : std::string();
}
std::string ChannelName(const PhaseFileInput& in, const SEISMIC_PHASE& p) {
    const Station* s = StationOf(in, p);
    if (!s || p.channelIndex < 0 || p.channelIndex >= kSlotsPerStation) return {};
    return s->slots[p.channelIndex].channel;
}
const std::string& PhaseName(const PhaseFileInput& in, const SEISMIC_PHASE& p) {
    return in.catalogue.Name(p.phaseIndex);
}

// The origin time of a valid hypocentre, else the earliest included pick of the catalogue's first
// P-type phases (0, 2, 3), else the earliest pick.
double ReferenceTime(const PhaseFileInput& in) {
    if (in.event.hypocentreValid) return in.event.originTime;
    double earliest = std::numeric_limits<double>::max();
    for (int i = 0; i < in.phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *in.phases.GetAt(i);
        if (p.included && (p.phaseIndex == 0 || p.phaseIndex == 2 || p.phaseIndex == 3))
            earliest = std::min(earliest, p.time);
    }
    if (earliest == std::numeric_limits<double>::max() && in.phases.Count() > 0) earliest = in.phases.GetAt(0)->time;
    return earliest == std::numeric_limits<double>::max() ? in.event.originTime : earliest;
}

// "hhmmsst" with the time rounded to tenths.
std::string TenthsClock(double epoch, const char* format) {
    const CalendarTime t = RoundedCalendar(epoch, 1);
    return Printf(format, t.hour, t.minute, t.wholeSecond(), t.fraction);
}

}  // namespace

std::string Kpw2Text(const PhaseFileInput& in) {
    const CalendarTime ref = RoundedCalendar(ReferenceTime(in), 1);
    const int year = ref.year;
    std::string text = Printf("%02d%02d%02d\n0 33.\n", ref.day, ref.month,
                              year < 2000 ? year - 1900 : year - 2000);
    for (int i = 0; i < in.phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *in.phases.GetAt(i);
        const std::string& name = PhaseName(in, p);
        if (!p.included || (name != "P" && name != "PKiKP" && name != "PKP")) continue;
        // The time follows the name at a fixed column: a longer name is cut, not allowed to push it.
        std::string line = Printf("%-4s", LowerAscii(StationCode(in, p)).substr(0, 4).c_str());
        line += TenthsClock(p.time, "%02d%02d%02d%1d");
        line += i == 0 && in.event.hypocentreValid ? " " + TenthsClock(in.event.originTime, "%02d%02d%02d%1d")
                                                   : std::string(8, ' ');
        float ms = p.ms;
        for (int j = 0; ms <= 0 && j < in.phases.Count(); ++j)
            if (in.phases.GetAt(j)->stationIndex == p.stationIndex && in.phases.GetAt(j)->ms > 0)
                ms = in.phases.GetAt(j)->ms;
        if (ms > 0) line += Printf(" Ms %2.1f", ms);
        if (p.mb > 0) line += Printf(" Mb %2.1f", p.mb);
        if (p.mpsp > 0) line += Printf(" Mb %2.1f", p.mpsp);
        text += line + "\n";
    }
    return text + "@@@@\n";
}

namespace {

struct TravoPhase {
    const char* name;
    const char* code;
};
constexpr TravoPhase kTravoPhases[] = {{"P", "P"}, {"Pg", "PC"}, {"S", "S"}, {"Sg", "SC"}};
constexpr const char* kTravoChannels[] = {"N-S", "E-W", "Z"};

const SEISMIC_PHASE* IncludedPick(const PhaseFileInput& in, int station, const char* channel, const char* phase) {
    const int slot = in.stations[station].FindSlot(channel);
    const int index = in.catalogue.IndexOf(phase);
    if (slot < 0 || index < 0) return nullptr;
    const SEISMIC_PHASE* p = in.phases.Find(station, slot, index);
    return p && p->included ? p : nullptr;
}

// The largest amplitude among the included picks of these phases on these channels.
const SEISMIC_PHASE* LargestAmplitude(const PhaseFileInput& in, int station, std::initializer_list<const char*> phases,
                                      std::initializer_list<const char*> channels) {
    const SEISMIC_PHASE* best = nullptr;
    for (const char* phase : phases)
        for (const char* channel : channels)
            if (const SEISMIC_PHASE* p = IncludedPick(in, station, channel, phase))
                if (p->hasAmplitude && (!best || p->amplitude > best->amplitude)) best = p;
    return best;
}

}  // namespace

std::string TravoText(const PhaseFileInput& in) {
    const double ref = ReferenceTime(in);
    const CalendarTime day = RoundedCalendar(ref, 1);
    std::string text = Printf("%02d-%02d-%02d\n", day.day, day.month, day.year % 100);
    text += Printf("F%5.2fL%5.2fT", in.event.lat, in.event.lon) + TenthsClock(ref, "%02d-%02d-%02d.%1d") + "K\n";
    for (int s = 0; s < static_cast<int>(in.stations.size()); ++s) {
        std::string phasePart;
        for (const TravoPhase& phase : kTravoPhases)
            for (const char* channel : kTravoChannels)
                if (const SEISMIC_PHASE* p = IncludedPick(in, s, channel, phase.name))
                    phasePart += std::string(1, p->onset == kOnsetImpulsive ? 'I' : 'E') + phase.code +
                                 TenthsClock(p->time, "%02d-%02d-%02d.%1d");
        if (phasePart.empty()) continue;
        std::string ampPart, periodPart;
        const SEISMIC_PHASE* largest[] = {LargestAmplitude(in, s, {"S", "Sg"}, {"N-S", "E-W"}),
                                          LargestAmplitude(in, s, {"P", "Pg"}, {"Z"})};
        for (const SEISMIC_PHASE* p : largest) {
            if (!p) continue;
            const std::string channel = ChannelName(in, *p);
            ampPart += channel + Printf("%5s", Printf("%5.4f", p->amplitude).c_str());
            periodPart += channel + Printf("%.1f", p->period);
        }
        text += Printf("%3s", in.stations[s].code.c_str()) + phasePart + ampPart + "K\n";
        if (!periodPart.empty()) text += periodPart + "\n";
    }
    return text + "KKK\n";
}

Hypo71Codes ReadHypo71Codes(const std::string& path) {
    Hypo71Codes codes;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string sta, chan, code;
        if (words >> sta >> chan >> code) codes[UpperAscii(sta + " " + chan)] = code;
    }
    return codes;
}

namespace {

// A number written with "%f" and cut to its field, as the program reads it; a value whose whole
// part does not fit becomes the largest that does instead of a wrong number.
std::string CutNumber(double value, int width) {
    if (!std::isfinite(value)) value = 0.0;
    if (value >= std::pow(10.0, width)) return std::string(width, '9');
    if (value <= -std::pow(10.0, width - 1)) return "-" + std::string(width - 1, '9');
    return Printf("%f", value).substr(0, width);
}

char Hypo71Motion(int code) {
    constexpr char letters[] = {'U', 'D', '+', '-'};
    return code >= 0 && code < 4 ? letters[code] : '?';
}

char WeightDigit(int weight) { return static_cast<char>('0' + std::clamp(weight, 0, 4)); }

}  // namespace

std::string Hypo71Text(const PhaseFileInput& in, const Hypo71Codes& codes) {
    std::string text;
    const int sIndex = 1;  // the catalogue's "S"
    for (int i = 0; i < in.phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *in.phases.GetAt(i);
        if (p.phaseIndex != 0) continue;
        std::string line(79, ' ');
        const std::string sta = StationCode(in, p);
        const auto code = codes.find(UpperAscii(sta + " " + ChannelName(in, p)));
        PutField(line, 1, 4, code != codes.end() ? code->second : sta);
        line[4] = p.onset == kOnsetImpulsive ? 'I' : 'E';
        line[5] = 'P';
        line[6] = Hypo71Motion(p.firstMotion);
        line[7] = WeightDigit(p.weight);
        const CalendarTime t = RoundedCalendar(p.time, 2);
        PutField(line, 10, 24,
                 Printf("%02d%02d%02d%02d%02d%02d.%02d", t.year % 100, t.month, t.day,
                        t.hour, t.minute, t.wholeSecond(), t.fraction));
        if (p.hasAmplitude) {
            PutField(line, 25, 29, FitFixed(p.period, 5, 2));
            PutField(line, 44, 47, CutNumber(p.amplitude * 100.0, 4));
        }
        if (const SEISMIC_PHASE* s = in.phases.Find(p.stationIndex, p.channelIndex, sIndex)) {
            // Seconds from the P minute, from the times themselves: right across an hour or a day.
            const double pMinute = std::round(p.time * 100.0) / 100.0 - t.wholeSecond() - t.fraction / 100.0;
            const double seconds = std::clamp(std::round((s->time - pMinute) * 100.0) / 100.0, 0.0, 99.99);
            PutField(line, 32, 36, Printf("%05.2f", seconds));
            line[36] = s->onset == kOnsetImpulsive ? 'I' : 'E';
            line[37] = 'S';
            line[38] = Hypo71Motion(s->firstMotion);
            line[39] = WeightDigit(s->weight);
            if (s->hasAmplitude) PutField(line, 48, 51, CutNumber(s->amplitude * 100.0, 4));
        }
        PutField(line, 52, 54, "176");
        if (p.coda > 0) PutField(line, 70, 74, CutNumber(p.coda, 5));
        text += line + "\r\n";
    }
    return text;
}

namespace {

char AllPhasesMotion(int code) {
    // U, D and + are kept too, so that a list read back has the polarities it had.
    constexpr char letters[] = {'U', 'D', '+', '-', '-', 'c', 'd', 'u', 'r'};
    return code >= 0 && code < 9 ? letters[code] : '-';
}
int AllPhasesMotionCode(char c) {
    switch (c) {
        case 'U': return 0;
        case 'D': return 1;
        case '+': return 2;
        case 'c': return 5;
        case 'd': return 6;
        case 'u': return 7;
        case 'r': return 8;
        default: return 4;
    }
}
char AllPhasesOnset(int code) {
    constexpr char letters[] = {'e', 'i', 'w', '-'};
    return code >= 0 && code < 4 ? letters[code] : 'e';
}
int AllPhasesOnsetCode(char c) {
    switch (c) {
        case '-': return kOnsetNone;
        case 'i': case 'I': return kOnsetImpulsive;
        case 'w': case 'W': return kOnsetWeak;
        default: return kOnsetEmergent;
    }
}

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string AllPhasesText(const PhaseFileInput& in, std::time_t today) {
    std::tm local{};
    localtime_r(&today, &local);
    const std::string lddate = Printf("%d-%3s-%d", local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900);
    std::string text;
    for (int i = 0; i < in.phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *in.phases.GetAt(i);
        std::string line(223, ' ');
        PutField(line, 1, 6, Printf("%3s", StationCode(in, p).c_str()));
        PutField(line, 8, 24, FitFixed(p.time, 17, 5));
        PutField(line, 26, 33, FitInteger(-1, 8));
        const CalendarTime t = RoundedCalendar(p.time, 5);
        PutField(line, 35, 41, Printf("%04d%03d", t.year, t.dayOfYear));
        PutField(line, 44, 45, "-1");
        PutField(line, 53, 54, "-1");
        PutField(line, 62, 69, ChannelName(in, p));
        PutField(line, 71, 78, PhaseName(in, p));
        line[79] = '-';
        PutField(line, 82, 87, FitFixed(p.deltim, 6, 3));
        double azimuth = std::fmod(double(p.azimuth), 360.0);
        if (azimuth < 0) azimuth += 360.0;
        PutField(line, 89, 95, FitFixed(p.hasAzimuth ? azimuth : -1.0, 7, 2));
        for (int first : {97, 105, 113}) PutField(line, first, first + 6, FitFixed(-1.0, 7, 2));
        PutField(line, 121, 127, FitFixed(p.hasAzimuth ? p.emergence : -1.0, 7, 2));
        PutField(line, 129, 135, FitFixed(-1.0, 7, 3));
        const double nm = p.amplitude * 1000.0;
        PutField(line, 137, 146, FitFixed(p.hasAmplitude ? nm : -1.0, 10, 1));
        PutField(line, 148, 154, FitFixed(p.hasAmplitude ? p.period : -1.0, 7, 2));
        const bool logat = p.hasAmplitude && nm > 0 && p.period > 0;
        PutField(line, 156, 162, FitFixed(logat ? std::log10(nm / p.period) : -1.0, 7, 2));
        line[163] = '-';
        line[165] = AllPhasesMotion(p.firstMotion);
        PutField(line, 169, 178, FitFixed(-1.0, 10, 2));
        line[179] = AllPhasesOnset(p.onset);
        PutField(line, 182, 196, "ZEL 5.2");
        PutField(line, 198, 205, FitInteger(-1, 8));
        PutField(line, 207, 223, lddate);
        text += line + "\n";
    }
    return text;
}

int ReadAllPhases(std::istream& text, bool replace, ZELPhases& phases, const std::vector<Station>& stations,
                  const PhaseCatalogue& catalogue) {
    if (replace) phases.RemoveAll();
    int added = 0;
    for (std::string line; std::getline(text, line);) {
        if (line.size() > 255) line.resize(255);
        const int station = FindStation(stations, ColumnText(line, 1, 6));
        if (station < 0) continue;
        const int slot = stations[station].FindSlot(ColumnText(line, 62, 69));
        const int phase = catalogue.IndexOf(ColumnText(line, 71, 78));
        const std::optional<double> time = ColumnNumber(line, 8, 24);
        if (slot < 0 || phase < 0 || !time) continue;
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.channelIndex = slot;
        p.phaseIndex = phase;
        if (!SetPickTime(p, *time)) continue;
        const double deltim = ColumnNumber(line, 82, 87).value_or(0.0);
        p.deltim = deltim > 0 ? deltim : 2.0;
        if (auto azimuth = ColumnNumber(line, 89, 95); azimuth && *azimuth != -1.0) {
            p.azimuth = static_cast<float>(*azimuth > 180.0 ? *azimuth - 360.0 : *azimuth);
            p.hasAzimuth = 1;
        }
        if (auto emergence = ColumnNumber(line, 121, 127); emergence && *emergence != -1.0)
            p.emergence = static_cast<float>(*emergence);
        const double amplitude = ColumnNumber(line, 137, 146).value_or(-1.0);
        const double period = ColumnNumber(line, 148, 154).value_or(-1.0);
        if (amplitude > 0 && period > 0) {
            p.amplitude = static_cast<float>(amplitude / 1000.0);
            p.period = static_cast<float>(period);
            p.hasAmplitude = 1;
        }
        p.firstMotion = static_cast<std::uint8_t>(AllPhasesMotionCode(line.size() >= 166 ? line[165] : ' '));
        p.onset = static_cast<std::uint8_t>(AllPhasesOnsetCode(line.size() >= 180 ? line[179] : ' '));
        p.weight = 1;
        p.included = catalogue.HasCurve(phase) ? 1 : 0;
        phases.Add(p);
        ++added;
    }
    return added;
}

void WritePhaseFile(const std::string& path, const std::string& text) {
    if (const auto failure = ReplaceFile(path, text))
        throw ZelError(Tr("Ошибка открытия файла  '%1': %2").arg(path).arg(FileWriteReason(*failure)));
}

}  // namespace zel
