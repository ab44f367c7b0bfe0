// "locate": a bulletin event through the whole road of the workstation: the bulletin load into the
// phase list, the internal locator, the magnitudes, the outputs and the save.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/ZelError.h"
#include "batch/BatchTime.h"
#include "batch/EventCommands.h"
#include "batch/EventMagnitudes.h"
#include "batch/Progress.h"
#include "dsp/FormulaTokenizer.h"
#include "events/CurrentEvent.h"
#include "events/EventStore.h"
#include "events/Locator.h"
#include "events/PhaseCatalogue.h"
#include "events/Regions.h"
#include "events/TravelTimeModels.h"
#include "events/ZELPhases.h"
#include "formats/CssDatabase.h"
#include "formats/CssEventRows.h"
#include "formats/CssTables.h"
#include "formats/FixedColumns.h"
#include "formats/ImsBulletin.h"
#include "formats/PhaseListFiles.h"
#include "formats/QuakeMl.h"

namespace zel::batch {

namespace {

struct LocateOptions {
    std::string bulletin, eventId, model, report, ims, css, phases, quakeml;
    std::optional<double> depth;
    bool descent = false;  // the workstation's first method; the default is Geiger's with its ellipse
    bool grid = false, save = false, dryRun = false;
};

// The reader takes whatever lines it finds, so a cut file would pass for a shorter event. A whole
// IMS1.0 message ends with STOP; a bare event block, as the workstation writes it, at least with
// a complete last line.
void CheckComplete(const std::string& text, const std::string& path) {
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty()) throw ZelError("'" + path + "' is empty");
    if (trimmed.rfind("BEGIN", 0) == 0 || trimmed.find("\nBEGIN") != std::string::npos) {
        const std::size_t lastLine = trimmed.find_last_of('\n');
        if (Trimmed(lastLine == std::string::npos ? trimmed : trimmed.substr(lastLine + 1)) != "STOP")
            throw ZelError("'" + path + "' is cut short: the bulletin message does not end with STOP");
    } else if (text.back() != '\n') {
        throw ZelError("'" + path + "' is cut short: its last line is incomplete");
    }
}

// An event chosen by the last part of its id ("smi:.../event/ID" or "...eventid=ID").
const QuakeMlEvent& ChooseQuakeMlEvent(const std::vector<QuakeMlEvent>& events, const std::string& id,
                                       const std::string& path) {
    if (events.empty()) throw ZelError("'" + path + "' holds no QuakeML event");
    if (id.empty()) return events.front();
    for (const QuakeMlEvent& e : events) {
        const std::size_t cut = e.id.find_last_of("/=");
        if (e.id == id || e.id.substr(cut == std::string::npos ? 0 : cut + 1) == id) return e;
    }
    throw ZelError("'" + path + "' has no event " + id);
}

const ImsEvent& ChooseEvent(const std::vector<ImsEvent>& events, const std::string& id, const std::string& path) {
    if (events.empty()) throw ZelError("'" + path + "' holds no EVENT of an IMS1.0 bulletin");
    if (id.empty()) return events.front();
    for (const ImsEvent& e : events)
        if (e.id == id) return e;
    throw ZelError("'" + path + "' has no event " + id);
}

std::string ModelDirectory(AppContext& context, const std::string& name) {
    if (name.empty()) return context.settings().godographDir;
    const TravelTimeModelList list = LoadTravelTimeModels(context.ini());
    std::string known;
    for (const TravelTimeModel& m : list.models) {
        if (LowerAscii(m.name) == LowerAscii(name)) return m.dir;
        known += (known.empty() ? "" : ", ") + m.name;
    }
    throw ZelError("unknown travel-time model '" + name + "' (this configuration has: " + known + ")");
}

// The bulletin reader skips phases of stations and phase names this installation does not know;
// here the user hears which.
void WarnSkipped(BatchSession& session, const ImsEvent& event, const std::vector<Station>& stations,
                 const PhaseCatalogue& catalogue) {
    std::map<std::string, int> stationsSkipped, phasesSkipped;
    for (const IMSPhaseBlock& p : event.phases) {
        if (FindStation(stations, p.station) < 0)
            ++stationsSkipped[p.station];
        else if (catalogue.IndexOf(p.phase) < 0)
            ++phasesSkipped[p.phase];
    }
    for (const auto& [code, count] : stationsSkipped)
        session.err() << "zelbatch: warning: station " << code << " is not in the station table, " << count
                      << " phase(s) skipped\n";
    for (const auto& [name, count] : phasesSkipped)
        session.err() << "zelbatch: warning: phase " << name << " is not in the phase catalogue, " << count
                      << " phase(s) skipped\n";
}

// Locates the loaded event; `used` gets the number of picks that took part.
LocationResult LocateEvent(BatchSession& session, const LocateOptions& o, const ZELPhases& phases,
                           const std::vector<Station>& stations, const PhaseCatalogue& catalogue,
                           const CurrentEvent& event, int& used) {
    std::vector<Observation> observations = BuildObservations(phases, stations, catalogue);
    if (observations.empty())
        throw ZelError("event " + TrimEventId(event.eventId) + " of '" + o.bulletin +
                       "' has no usable phase (a defining phase with a travel-time curve at a known station)");
    used = static_cast<int>(observations.size());
    LocationStart start;
    start.gridSearch = o.grid || !event.hypocentreValid;
    start.lat = event.lat;
    start.lon = event.lon;
    start.fixedDepth = o.depth.has_value();
    start.depth = ClampDepth(o.depth ? *o.depth : event.hypocentreValid && event.depth > 0 ? event.depth : 10.0);
    start.originTime = event.originTime;
    if (start.gridSearch || start.originTime <= 0) {
        start.originTime = observations.front().time;
        for (const Observation& obs : observations) start.originTime = std::min(start.originTime, obs.time);
    }
    Locator locator(std::move(observations), CatalogueTravelTimes(catalogue));
    Progress progress(session.err(), "grid search", 100);
    int done = 0;
    LocationResult result;
    try {
        const LocationProgress report = [&](int percent) {
            if (percent > done) progress.advance(static_cast<std::size_t>(percent - done)), done = percent;
        };
        result = o.descent ? locator.LocateDescent(start, report) : locator.LocateSvd(start, report);
    } catch (const ZelError& e) {
        throw ZelError(std::string("location failed: ") + e.what());
    }
    if (!result.ok) {
        // Usually a trial depth where some phase has no tabulated time.
        const std::string hint = start.fixedDepth ? " (try another --depth or model)" : " (try --depth KM)";
        throw ZelError(std::string("location failed: ") + (o.descent ? kNoSolution : kLocationFailed) + hint);
    }
    return result;
}

std::string Magnitude(const char* name, const std::optional<double>& value, int stations) {
    if (!value) return std::string(name) + " -";
    char text[64];
    std::snprintf(text, sizeof text, "%s %.1f (%d)", name, *value, stations);
    return text;
}

void PrintSummary(std::ostream& out, const CurrentEvent& event, const LocationResult& r, bool fixedDepth,
                  int phasesUsed, const std::optional<RegionInfo>& region, const NetworkMagnitudes& m) {
    char line[160];
    out << "event      " << TrimEventId(event.eventId) << '\n';
    out << "origin     " << FormatBatchTime(r.originTime) << '\n';
    std::snprintf(line, sizeof line, "lat        %.4f\nlon        %.4f\ndepth      %.1f%s\nrms        %.3f\n", r.lat,
                  r.lon, r.depth, fixedDepth ? " fixed" : "", r.rms);
    out << line;
    if (r.ellipse.valid()) {
        std::snprintf(line, sizeof line, "ellipse    %.1f x %.1f km, azimuth %.0f\n", r.ellipse.major,
                      r.ellipse.minor, r.ellipse.direction);
        out << line;
    }
    out << "phases     " << phasesUsed << '\n';
    out << "region     " << (region ? region->geographicName + " (" + region->seismicName + ")" : "-") << '\n';
    out << "magnitudes " << Magnitude("mb", m.mb, m.mbStations) << ", " << Magnitude("Ms", m.ms, m.msStations)
        << ", " << Magnitude("ML", m.ml, m.mlStations) << ", " << Magnitude("K", m.energyClass, m.classStations)
        << '\n';
}

// Folders for the table and phase files exist before anything is written or stored.
void PrepareFolder(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error || !std::filesystem::is_directory(dir))
        throw ZelError("cannot create the folder '" + dir + "': " + error.message());
}

std::string InFolder(const std::string& dir, const std::string& name) {
    return (std::filesystem::path(dir) / name).string();
}

void WritePhaseFiles(const std::string& dir, const PhaseFileInput& input, const std::string& workingDir) {
    std::string id = TrimEventId(input.event.eventId);
    if (id.empty()) id = "zel";
    WritePhaseFile(InFolder(dir, id + ".arr"), AllPhasesText(input, std::time(nullptr)));
    WritePhaseFile(InFolder(dir, id + ".out"), Hypo71Text(input, ReadHypo71Codes(workingDir + "stations.71")));
    WritePhaseFile(InFolder(dir, "zelout.dat"), Kpw2Text(input));
    WritePhaseFile(InFolder(dir, "zelout.bms"), TravoText(input));
}

int Locate(BatchSession& session, BatchArgs& args) {
    LocateOptions o;
    o.eventId = args.option("event");
    o.model = args.option("model");
    const std::string method = args.option("method", "svd");
    if (method != "svd" && method != "descent") throw UsageError("--method is svd or descent");
    o.descent = method == "descent";
    o.report = args.option("report");
    o.ims = args.option("ims");
    o.css = args.option("css");
    o.phases = args.option("phases");
    o.quakeml = args.option("quakeml");
    if (args.has("depth")) o.depth = args.number("depth", 0);
    const bool freeDepth = args.flag("free-depth");
    o.grid = args.flag("grid");
    o.save = args.flag("save");
    o.dryRun = args.flag("dry-run");
    args.finish(1);
    if (args.positionalCount() != 1) throw UsageError("locate needs the bulletin file (or - for stdin)");
    o.bulletin = args.positional(0);
    if (o.depth && freeDepth) throw UsageError("--depth and --free-depth exclude each other");
    if (o.depth && (*o.depth < kMinDepth || *o.depth > kMaxDepth))
        throw UsageError("--depth must lie between 1 and 600 km");
    if (!o.report.empty() && !o.save)
        throw UsageError("--report needs --save: the report is made from the working database");

    // The bulletin is read and checked before the configuration or the database is touched.
    const std::string text = ReadInput(session, o.bulletin);
    CheckComplete(text, o.bulletin);
    const bool isQuakeMl = Trimmed(text).rfind('<', 0) == 0;
    std::vector<ImsEvent> imsEvents;
    std::vector<QuakeMlEvent> quakeMlEvents;
    if (isQuakeMl) {
        quakeMlEvents = ParseQuakeMl(text);
        ChooseQuakeMlEvent(quakeMlEvents, o.eventId, o.bulletin);
    } else {
        std::istringstream stream(text);
        imsEvents = ReadImsBulletin(stream, ImsLayout::Columns);
        ChooseEvent(imsEvents, o.eventId, o.bulletin);
    }

    AppContext& context = session.context();
    const std::vector<Station>& stations = context.stations();
    PhaseCatalogue& catalogue = ThePhaseCatalogue();
    catalogue.Load(ModelDirectory(context, o.model), context.settings().workingDir);

    CurrentEvent& event = TheCurrentEvent();
    ZELPhases& phases = ThePhaseList();
    if (isQuakeMl) {
        const QuakeMlLoadResult loaded =
            LoadQuakeMlEvent(ChooseQuakeMlEvent(quakeMlEvents, o.eventId, o.bulletin), false, event, phases,
                             stations, catalogue);
        for (const std::string& code : loaded.unknownStations)
            session.err() << "zelbatch: warning: station " << code
                          << " is not in the station table, its picks skipped\n";
        for (const std::string& name : loaded.unknownPhases)
            session.err() << "zelbatch: warning: phase " << name
                          << " is not in the phase catalogue, its picks skipped\n";
    } else {
        const ImsEvent& chosen = ChooseEvent(imsEvents, o.eventId, o.bulletin);
        WarnSkipped(session, chosen, stations, catalogue);
        const ImsLoadResult loaded = LoadImsEvent(chosen, false, event, phases, stations, catalogue);
        if (!loaded.problem.empty()) throw ZelError(loaded.problem);
    }
    int used = 0;
    const LocationResult r = LocateEvent(session, o, phases, stations, catalogue, event, used);
    event.lat = static_cast<float>(r.lat);
    event.lon = static_cast<float>(r.lon);
    event.depth = static_cast<float>(r.depth);
    event.originTime = r.originTime;
    event.hypocentreValid = true;
    RecomputeResiduals(phases, stations, catalogue, event);
    const NetworkMagnitudes magnitudes =
        ComputeMagnitudes(phases, event, stations, catalogue,
                          {context.settings().workingDir, context.paths().resources + "/magnitudes"});
    std::optional<RegionInfo> region;
    try {
        region = RegionOf(context.databases().work(), r.lat, r.lon);
    } catch (const ZelError& e) {
        session.err() << "zelbatch: warning: no region: " << e.what() << '\n';
    }
    const bool toStdout = o.ims == "-" || o.report == "-";
    PrintSummary(toStdout ? session.err() : session.out(), event, r, o.depth.has_value(), used, region,
                 magnitudes);
    if (o.dryRun) return 0;

    EventStore store(context.databases(), phases, event, catalogue, stations);
    const std::string id = TrimEventId(event.eventId);
    if (o.save && store.EventExists(id) && !session.messages().assumeYes)
        throw ZelError("event " + id + " is already stored; give --yes to replace it");
    if (!o.css.empty()) PrepareFolder(o.css);
    if (!o.phases.empty()) PrepareFolder(o.phases);

    if (!o.quakeml.empty()) {
        QuakeMlInput input{
            event, r.ellipse, o.depth.has_value(), StationNetworks(context.databases().work()), {}};
        const std::pair<const char*, std::pair<std::optional<double>, int>> computed[] = {
            {"mb", {magnitudes.mb, magnitudes.mbStations}},
            {"Ms", {magnitudes.ms, magnitudes.msStations}},
            {"ML", {magnitudes.ml, magnitudes.mlStations}}};
        for (const auto& [type, value] : computed)
            if (value.first)
                input.magnitudes.push_back({"", type, "", *value.first, std::nullopt, value.second});
        WriteOutput(session, o.quakeml, QuakeMlText(input, phases, stations, catalogue));
    }
    if (!o.ims.empty())
        WriteOutput(session, o.ims,
                    ImsBulletinText(BulletinInput{event, r.ellipse, o.depth.has_value()}, phases, stations, catalogue));
    if (!o.css.empty()) {
        // The tables are named by the orid the save will store, so both tell the same event.
        if (o.save && event.orid <= 0) event.orid = static_cast<std::int32_t>(context.databases().nextOrid());
        const std::int64_t orid = event.orid > 0 ? event.orid : 1;
        const CssEvent rows = BuildCssEvent(HypocentreOf(event), orid, PicksOf(phases, stations, catalogue),
                                            CssTarget::TextTables, CountingKeys());
        WriteCssTextTables(rows, orid, o.css, std::time(nullptr));
    }
    if (!o.phases.empty())
        WritePhaseFiles(o.phases, PhaseFileInput{event, phases, stations, catalogue}, context.settings().workingDir);
    if (!o.save) return 0;

    store.SavePhaseList();
    if (context.settings().saveToCssDb && context.databases().cssAvailable())
        CssEventSaver(context.databases(), stations, catalogue).Save(event, phases);
    session.err() << "zelbatch: event " << id << " saved\n";
    if (!o.report.empty()) {
        const Report report = StoredEventReport(context, id);
        if (o.report == "-")
            WriteOutput(session, "-", ReportText(report));
        else
            SaveReport(report, o.report);
    }
    return 0;
}

}  // namespace

Subcommand LocateSubcommand() {
    return {
        "locate",
        "locate an IMS1.0 bulletin or QuakeML event, compute magnitudes, write and save it",
        "Usage: zelbatch locate BULLETIN [--event ID] [--model NAME] [--method svd|descent]\n"
        "                       [--depth KM | --free-depth] [--grid]\n"
        "                       [--ims FILE] [--quakeml FILE] [--css DIR] [--phases DIR]\n"
        "                       [--save [--report FILE]] [--dry-run]\n"
        "Reads the IMS1.0 bulletin or QuakeML file (a file, or - for stdin) into the phase list as the\n"
        "workstation's bulletin load does (phases of unknown stations are skipped with a warning), locates "
        "the event\n"
        "with the internal locator, computes the magnitudes its amplitudes allow (mb from P, Ms from LR,\n"
        "ML from S, Sg, Sn and Lg, the energy class K on the Vegik scale) and prints a summary.\n"
        "  --event ID     the bulletin event to take (default: the first)\n"
        "  --model NAME   travel-time model of the configuration, e.g. IASP91 or AK135 (default: the chosen "
        "one)\n"
        "  --method M     svd (Geiger's least squares with the error ellipse, the default) or descent\n"
        "                 (the steepest descent with a depth scan)\n"
        "  --depth KM     fix the depth; --free-depth (the default) lets the locator find it\n"
        "  --grid         start from the 2-degree grid search, not from the bulletin's origin\n"
        "  --ims FILE     write the located event as an IMS1.0 bulletin (- for stdout)\n"
        "  --quakeml FILE write it as QuakeML 1.2 (- for stdout)\n"
        "  --css DIR      write the CSS 3.0 tables <orid>.Origin, .Arrival, .Assoc, .Stamag, .Amplitude\n"
        "  --phases DIR   write the phase files <id>.arr (all phases), <id>.out (HYPO71),\n"
        "                 zelout.dat (KPW2) and zelout.bms (TRAVO)\n"
        "  --save         store the event in the working database (an event of the same id is replaced\n"
        "                 only with the global --yes)\n"
        "  --report FILE  with --save: the event's report, HTML for .htm/.html, text for .txt or - (stdout)\n"
        "  --dry-run      locate and print the summary only; nothing is written or stored\n"
        "A bulletin that is missing, cut short or malformed, or an event that cannot be located, ends\n"
        "with exit code 1 before anything is written or stored.\n",
        {"free-depth", "grid", "save", "dry-run"},
        Locate};
}

}  // namespace zel::batch
