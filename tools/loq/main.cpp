// LOQ.EXE stand-in: "LOQ.EXE -O <number> -r <configuration>", started in its own folder. Reads the
// configuration (Windows-style relative paths), the arrival and origin files of the event by the
// configuration's columns, locates with ZEL's core and prints the solution; the same text goes
// to the configuration's print file.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "events/Locator.h"
#include "events/LoqFiles.h"
#include "events/PhaseCatalogue.h"

namespace {

using namespace zel;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZelError(kLoqFileOpenError + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Attribute(const LoqConfig& config, const char* element, const char* name) {
    const auto e = config.find(element);
    if (e == config.end() || !e->second.count(name))
        throw ZelError(std::string("Нет параметра ") + element + "." + name);
    return e->second.at(name);
}

// TTT_path names the tables as a folder or, in the original's manner, as a file prefix inside it.
std::string TableFolder(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::path(path) / "phaselist", error)) return path;
    return std::filesystem::path(path).parent_path().string();
}

std::string Locate(int number, const std::string& configPath) {
    const std::string here = std::filesystem::current_path().string();
    const LoqConfig config = ParseLoqConfiguration(ReadText(LoqPath(here, configPath)));
    const std::string data = LoqPath(here, Attribute(config, "seism_data", "data_path"));
    const std::string tables = TableFolder(LoqPath(here, Attribute(config, "seism_data", "TTT_path")));
    const LoqFileNames files = LoqFilesFor(data, number);
    const std::vector<LoqArrival> arrivals = ReadLoqArrivals(ReadText(files.arrivals), config);
    const LoqOrigin origin = ReadLoqOrigin(ReadText(files.origin), config);

    PhaseCatalogue catalogue;
    catalogue.Load(WithTrailingSeparator(tables), here);
    std::ostringstream out;
    char line[256];
    std::snprintf(line, sizeof line, "LOQ (ZEL stand-in): event %d, %zu arrivals, tables %s\n", number,
                  arrivals.size(), tables.c_str());
    out << line;
    std::vector<Observation> observations;
    std::vector<const LoqArrival*> used;
    for (const LoqArrival& a : arrivals) {
        const int phase = catalogue.IndexOf(a.phase);
        if (phase < 0 || !catalogue.HasCurve(phase)) {
            out << "  skipped " << a.station << " " << a.phase << ": no travel-time table\n";
            continue;
        }
        Observation o;
        o.phase = phase;
        o.time = a.time;
        o.lat = a.lat;
        o.lon = a.lon;
        o.elev = a.elev;
        observations.push_back(o);
        used.push_back(&a);
    }
    if (observations.size() < 4) throw ZelError(kTooFewPhases);

    // From the analyst's start when there is one, else from the whole-Earth grid.
    LocationStart start;
    start.gridSearch = !(origin.lat && origin.lon);
    start.lat = origin.lat.value_or(0.0);
    start.lon = origin.lon.value_or(0.0);
    start.depth = origin.depth.value_or(10.0);
    Locator locator(observations, CatalogueTravelTimes(catalogue));
    const LocationResult rough = locator.LocateDescent(start);
    start = {rough.lat, rough.lon, rough.depth, rough.originTime};
    const LocationResult r = locator.LocateSvd(start);
    if (!r.ok) throw ZelError(kLocationFailed);

    std::snprintf(line, sizeof line, "ORIGIN %s  LAT %9.4f  LON %9.4f  DEPTH %6.1f km  RMS %.3f s  N %zu\n",
                  FormatUiTime(r.originTime, UiTimeForm::DateTimeMs).c_str(), r.lat, r.lon, r.depth, r.rms,
                  observations.size());
    out << line;
    if (r.ellipse.valid()) {
        std::snprintf(line, sizeof line, "ELLIPSE %.2f km x %.2f km, major axis %.1f deg\n", r.ellipse.major,
                      r.ellipse.minor, r.ellipse.direction);
        out << line;
    }
    out << "STA    PHASE    ARID   RESIDUAL\n";
    for (std::size_t i = 0; i < used.size(); ++i) {
        std::snprintf(line, sizeof line, "%-6s %-8s %5ld %+9.3f\n", used[i]->station.c_str(), used[i]->phase.c_str(),
                      used[i]->arid, locator.observations()[i].residual);
        out << line;
    }
    if (const auto print = config.find("print"); print != config.end() && print->second.count("print_file"))
        std::ofstream(LoqPath(here, print->second.at("print_file")), std::ios::binary) << out.str();
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    int number = -1;
    std::string configuration;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-O" && i + 1 < argc) number = std::atoi(argv[++i]);
        else if (arg.rfind("-O", 0) == 0 && arg.size() > 2) number = std::atoi(arg.c_str() + 2);
        else if (arg == "-r" && i + 1 < argc) configuration = argv[++i];
    }
    if (number < 0 || configuration.empty()) {
        std::fputs("usage: LOQ.EXE -O <event number> -r <configuration file>\n", stderr);
        return 2;
    }
    try {
        std::fputs(Locate(number, configuration).c_str(), stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "LOQ: %s\n", e.what());
        return 1;
    }
}
