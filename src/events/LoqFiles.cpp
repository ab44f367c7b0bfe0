#include "events/LoqFiles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "base/ReplaceFile.h"
#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/StationPhasePicks.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

// CSS 3.0 null values.
constexpr double kNullNumber = -1.0;
constexpr double kNullPosition = -999.0;
constexpr double kNullLogat = -999.0;
constexpr double kNullOriginTime = -999999999.999;
constexpr long kNullId = -1;

// A number in a fixed-width field; one that would not fit (or is not finite) is written as the
// field's null value, so a huge amplitude never pushes the later columns out of place.
std::string Fixed(double value, int width, int precision, double null) {
    char text[64];
    if (std::isfinite(value)) {
        const int n = std::snprintf(text, sizeof text, "%*.*f", width, precision, value);
        if (n > 0 && n <= width) return text;
    }
    std::snprintf(text, sizeof text, "%*.*f", width, precision, null);
    return text;
}

std::string Integer(long value, int width) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%*ld", width, value);
    if (n > 0 && n <= width) return text;
    std::snprintf(text, sizeof text, "%*ld", width, kNullId);
    return text;
}

// Left-aligned text cut or padded to the width; empty text is the null "-".
std::string Text(const std::string& value, int width) {
    std::string out = value.empty() ? "-" : value.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string LoadDate(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d.%02d.%02d", local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_mday, local.tm_mon + 1, local.tm_year % 100);
    return text;
}

long JulianDateOf(double epoch) {
    const std::optional<CalendarTime> c = EpochToCalendar(epoch);
    return c ? JDate(c->year, c->month, c->day) : kNullId;
}

const char* FirstMotionField(int code) {
    switch (code) {
        case 5: return "c.";
        case 6: return "d.";
        case 7: return ".u";
        case 8: return ".r";
        default: return "-";
    }
}

int ColumnOf(const LoqConfig& config, const char* element, const char* attribute) {
    const auto e = config.find(element);
    if (e != config.end())
        if (const auto a = e->second.find(attribute); a != e->second.end()) {
            char* end = nullptr;
            const long column = std::strtol(a->second.c_str(), &end, 10);
            if (end != a->second.c_str() && *end == '\0' && column >= 0) return static_cast<int>(column);
        }
    throw ZelError(Tr("Нет номера колонки %1.%2").arg(element).arg(attribute));
}

double RequiredNumber(const std::string& line, int column, const char* field) {
    const std::optional<double> v = NumberAtColumn(line, column);
    if (!v) throw ZelError(Tr("Нет поля %1 в строке: %2").arg(field).arg(line));
    return *v;
}

// A count or id field: whole numbers only as far as a long reaches (1e300 or nan is no id).
long RequiredInteger(const std::string& line, int column, const char* field) {
    const double v = RequiredNumber(line, column, field);
    constexpr double kLimit = 9.0e18;
    if (!(v > -kLimit && v < kLimit)) throw ZelError(Tr("Нет поля %1 в строке: %2").arg(field).arg(line));
    return static_cast<long>(v);
}

std::optional<double> UnlessNull(double value, double null) {
    if (value <= null + 1e-6) return std::nullopt;
    return value;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::string WithTrailingSeparator(std::string directory) {
    if (directory.empty() || (directory.back() != '/' && directory.back() != '\\')) directory += '/';
    return directory;
}

LoqFileNames LoqFilesFor(const std::string& directory, int number) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "%08d", number);
    const std::string dir = WithTrailingSeparator(directory);
    return {dir + stem + ".sds", dir + stem + ".sdn", dir + kLoqConfigName};
}

std::string DefaultLoqDirectory(const std::string& executableDir) {
    if (!executableDir.empty()) {
        const std::filesystem::path exe(executableDir);
        for (const std::filesystem::path& dir :
             {exe / "loq", exe / ".." / "libexec" / "zel" / "loq", exe / ".." / "tools" / "loq"}) {
            std::error_code error;
            if (std::filesystem::is_regular_file(dir / kLoqProgram, error))
                return WithTrailingSeparator(std::filesystem::weakly_canonical(dir, error).string());
        }
    }
    return "C:\\LOQ";
}

std::string LoqArrivalLine(const SEISMIC_PHASE& p, const LoqArrivalContext& c) {
    const bool azimuth = p.hasAzimuth != 0, amplitude = p.hasAmplitude != 0;
    const double nanometres = p.amplitude * 1000.0;
    const double logat =
        amplitude && nanometres > 0 && p.period > 0 ? std::log10(nanometres / p.period) : kNullLogat;
    double az = std::fmod(static_cast<double>(p.azimuth), 360.0);
    if (az < 0) az += 360.0;
    std::string line;
    line += Text(c.station, 6) + " ";
    line += Fixed(p.time, 17, 5, -9999999999.999) + " ";
    line += Integer(c.number, 8) + " ";
    line += Integer(JulianDateOf(p.time), 8) + " ";
    line += Integer(kNullId, 8) + " " + Integer(kNullId, 8) + " ";
    line += Text(LowerAscii(c.channel), 8) + " ";
    line += Text(c.phase, 8) + " ";
    line += "- ";
    line += Fixed(p.deltim > 0 ? p.deltim : kNullNumber, 6, 3, kNullNumber) + " ";
    line += Fixed(azimuth ? az : kNullNumber, 7, 2, kNullNumber) + " ";
    line += Fixed(kNullNumber, 7, 2, kNullNumber) + " ";
    line += Fixed(p.hasSlowness ? p.slowness : kNullNumber, 7, 2, kNullNumber) + " ";
    line += Fixed(kNullNumber, 7, 2, kNullNumber) + " ";
    line += Fixed(azimuth ? p.emergence : kNullNumber, 7, 2, kNullNumber) + " ";
    line += Fixed(azimuth ? p.rectilinearity : kNullNumber, 7, 3, kNullNumber) + " ";
    line += Fixed(amplitude ? nanometres : kNullNumber, 10, 1, kNullNumber) + " ";
    line += Fixed(amplitude ? p.period : kNullNumber, 7, 2, kNullNumber) + " ";
    line += Fixed(logat, 7, 2, kNullLogat) + " ";
    line += "- ";
    line += Text(FirstMotionField(p.firstMotion), 2) + " ";
    line += Fixed(kNullNumber, 10, 2, kNullNumber) + " ";
    line += Text(OnsetLetter(p.onset), 1) + " ";
    line += Text("ZEL", 15) + " ";
    line += Integer(p.commid, 8) + " ";
    line += Text(LoadDate(c.now), 17) + " ";
    line += Fixed(c.lat, 14, 2, kNullPosition) + " ";
    line += Fixed(c.lon, 9, 2, kNullPosition) + " ";
    line += Fixed(c.elev, 11, 2, kNullPosition) + "\n";
    return line;
}

std::string LoqOriginLine(const CurrentEvent& e, int number, int picks, int includedPicks, std::time_t now) {
    const bool valid = e.hypocentreValid;
    const bool timed = valid && e.originTime > 0;
    auto magnitude = [](float m) { return m == kMagnitudeNeverComputed ? -1.0 : static_cast<double>(m); };
    std::string line;
    line += Fixed(valid ? e.lat : kNullPosition, 9, 4, kNullPosition) + " ";
    line += Fixed(valid ? e.lon : kNullPosition, 9, 4, kNullPosition) + " ";
    line += Fixed(valid ? e.depth : kNullPosition, 9, 4, kNullPosition) + " ";
    line += Fixed(timed ? e.originTime : kNullOriginTime, 17, 5, kNullOriginTime) + " ";
    line += Integer(1, 8) + " ";
    line += Integer(number, 8) + " ";
    line += Integer(timed ? JulianDateOf(e.originTime) : kNullId, 8) + " ";
    line += Integer(picks, 4) + " " + Integer(includedPicks, 4) + " " + Integer(0, 4) + " ";
    line += Integer(kNullId, 8) + " " + Integer(kNullId, 8) + " ";
    line += Text("-", 7) + " ";
    line += Fixed(kNullPosition, 9, 4, kNullPosition) + " ";
    line += "- ";
    line += Fixed(magnitude(e.mb), 7, 2, kNullNumber) + " " + Integer(kNullId, 8) + " ";
    line += Fixed(magnitude(e.ms), 7, 2, kNullNumber) + " " + Integer(kNullId, 8) + " ";
    line += Fixed(kNullNumber, 7, 2, kNullNumber) + " " + Integer(kNullId, 8) + " ";
    line += Text("-", 15) + " ";
    line += Text("ZEL", 15) + " ";
    line += Integer(kNullId, 8) + " ";
    line += Text(LoadDate(now), 17) + "\n";
    return line;
}

std::string LoqConfiguration() {
    // Columns count from 0. The longitude and depth of the origin line begin at 10 and 20; a
    // reader that started one or two columns later would lose the sign of -100..-180 and the
    // hundreds of depths from 100 km.
    return "<loq_config>\n"
           "<seism_data data_path = \".\\\" phase_list = \"phase_list.iasp.xml\" TTT_path = \".\\iasp91\\iasp91\"/>\n"
           "<print print_file = \"loq_log\" print_level = \"4\"/>\n"
           "<Origin n_phases = \"81\" J_date = \"67\" ev_ot = \"31\" ev_lat = \"0\" ev_long = \"10\" ev_depth = "
           "\"20\"/>\n"
           "<Arrival stn_code = \"0\" time_arrvl = \"7\" ar_ID = \"25\" Phase = \"70\" stn_lat = \"223\" stn_long = "
           "\"239\" stn_elev = \"249\"/>\n"
           "</loq_config>\n";
}

void WriteLoqInput(const std::string& directory, int number, const ZELPhases& phases,
                   const std::vector<Station>& stations, const PhaseCatalogue& catalogue, const CurrentEvent& event,
                   std::time_t now) {
    const LoqFileNames names = LoqFilesFor(directory, number);
    std::string arrivals;
    int included = 0;
    // The locator takes a station's phase once, whatever channels it was copied onto.
    for (const SEISMIC_PHASE* pick : OnePickPerStationPhase(phases)) {
        const SEISMIC_PHASE& p = *pick;
        const int i = phases.IndexOf(pick);
        if (!p.included) continue;
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size())) continue;
        if (p.channelIndex < 0 || p.channelIndex >= kSlotsPerStation) continue;
        const Station& s = stations[p.stationIndex];
        const ChannelSlot& slot = s.slots[p.channelIndex];
        ++included;
        arrivals += LoqArrivalLine(p, {s.code, slot.channel, catalogue.Name(p.phaseIndex), slot.lat, slot.lon, s.elev,
                                       i + 1, now});
    }
    const std::string origin = LoqOriginLine(event, number, phases.Count(), included, now);
    const std::string configuration = LoqConfiguration();
    // The locator reads the three together: never a new arrival list beside an old origin.
    if (const auto failure = ReplaceFiles(
            {{names.arrivals, arrivals}, {names.origin, origin}, {names.configuration, configuration}}))
        throw ZelError(
            Tr("Ошибка открытия файла: %1: %2").arg(failure->path).arg(FileWriteReason(failure->failure)));
}

LoqConfig ParseLoqConfiguration(const std::string& text) {
    LoqConfig config;
    static const std::regex element(R"(<\s*([A-Za-z_][\w]*)([^>]*)>)");
    static const std::regex attribute(R"re(([A-Za-z_][\w]*)\s*=\s*"([^"]*)")re");
    for (auto e = std::sregex_iterator(text.begin(), text.end(), element); e != std::sregex_iterator(); ++e) {
        const std::string body = (*e)[2];
        auto& attributes = config[(*e)[1]];
        for (auto a = std::sregex_iterator(body.begin(), body.end(), attribute); a != std::sregex_iterator(); ++a)
            attributes[(*a)[1]] = (*a)[2];
    }
    return config;
}

std::optional<double> NumberAtColumn(const std::string& line, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= line.size()) return std::nullopt;
    const char* begin = line.c_str() + column;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || (*end != '\0' && *end != ' ' && *end != '\t' && *end != '\n')) return std::nullopt;
    return value;
}

std::string WordAtColumn(const std::string& line, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= line.size()) return {};
    const std::size_t begin = line.find_first_not_of(' ', column);
    if (begin == std::string::npos) return {};
    const std::size_t end = line.find_first_of(" \t", begin);
    return line.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::vector<LoqArrival> ReadLoqArrivals(const std::string& text, const LoqConfig& config) {
    const int sta = ColumnOf(config, "Arrival", "stn_code"), time = ColumnOf(config, "Arrival", "time_arrvl"),
              arid = ColumnOf(config, "Arrival", "ar_ID"), phase = ColumnOf(config, "Arrival", "Phase"),
              lat = ColumnOf(config, "Arrival", "stn_lat"), lon = ColumnOf(config, "Arrival", "stn_long"),
              elev = ColumnOf(config, "Arrival", "stn_elev");
    std::vector<LoqArrival> out;
    for (const std::string& line : Lines(text)) {
        LoqArrival a;
        a.station = WordAtColumn(line, sta);
        a.phase = WordAtColumn(line, phase);
        if (a.station.empty() || a.phase.empty())
            throw ZelError(Tr("Нет станции или фазы в строке: %1").arg(line));
        a.time = RequiredNumber(line, time, "time_arrvl");
        a.arid = RequiredInteger(line, arid, "ar_ID");
        a.lat = RequiredNumber(line, lat, "stn_lat");
        a.lon = RequiredNumber(line, lon, "stn_long");
        a.elev = RequiredNumber(line, elev, "stn_elev");
        out.push_back(a);
    }
    return out;
}

LoqOrigin ReadLoqOrigin(const std::string& text, const LoqConfig& config) {
    const std::vector<std::string> lines = Lines(text);
    if (lines.empty()) throw ZelError("Пустой файл гипоцентра");
    const std::string& line = lines.front();
    LoqOrigin o;
    o.lat = UnlessNull(RequiredNumber(line, ColumnOf(config, "Origin", "ev_lat"), "ev_lat"), kNullPosition);
    o.lon = UnlessNull(RequiredNumber(line, ColumnOf(config, "Origin", "ev_long"), "ev_long"), kNullPosition);
    o.depth = UnlessNull(RequiredNumber(line, ColumnOf(config, "Origin", "ev_depth"), "ev_depth"), kNullPosition);
    o.time = UnlessNull(RequiredNumber(line, ColumnOf(config, "Origin", "ev_ot"), "ev_ot"), kNullOriginTime);
    o.jdate = RequiredInteger(line, ColumnOf(config, "Origin", "J_date"), "J_date");
    o.phases = RequiredInteger(line, ColumnOf(config, "Origin", "n_phases"), "n_phases");
    return o;
}

std::string LoqPath(const std::string& base, const std::string& windowsPath) {
    std::string path = windowsPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    while (path.rfind("./", 0) == 0) path.erase(0, 2);
    if (path == ".") path.clear();
    if (!path.empty() && path.front() == '/') return path;
    return WithTrailingSeparator(base) + path;
}

}  // namespace zel
