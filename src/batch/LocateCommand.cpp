// "locate": a bulletin event through the whole road of the workstation: the bulletin load into the
// phase list, the internal locator, the magnitudes, the outputs and the save.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "base/FormatText.h"
#include "base/ReplaceFile.h"
#include "base/ZelError.h"
#include "batch/BatchTime.h"
#include "batch/EventCommands.h"
#include "batch/Progress.h"
#include "dsp/FormulaTokenizer.h"
#include "events/CurrentEvent.h"
#include "events/EventStore.h"
#include "events/NetworkMagnitudes.h"
#include "events/PhaseCatalogue.h"
#include "events/Regions.h"
#include "events/TravelTimeModels.h"
#include "events/ZELPhases.h"
#include "formats/CssDatabase.h"
#include "formats/CssEventRows.h"
#include "formats/CssTables.h"
#include "formats/EventSave.h"
#include "formats/FixedColumns.h"
#include "formats/ImsBulletin.h"
#include "formats/PhaseListFiles.h"
#include "formats/QuakeMl.h"
#include "session/Locating.h"

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
    if (trimmed.empty()) throw ZelError(Tr("'%1' is empty").arg(path));
    if (trimmed.rfind("BEGIN", 0) == 0 || trimmed.find("\nBEGIN") != std::string::npos) {
        const std::size_t lastLine = trimmed.find_last_of('\n');
        if (Trimmed(lastLine == std::string::npos ? trimmed : trimmed.substr(lastLine + 1)) != "STOP")
            throw ZelError(Tr("'%1' is cut short: the bulletin message does not end with STOP").arg(path));
    } else if (text.back() != '\n') {
        throw ZelError(Tr("'%1' is cut short: its last line is incomplete").arg(path));
    }
}

// An event chosen by the last part of its id ("smi:.../event/ID" or "...eventid=ID").
const QuakeMlEvent& ChooseQuakeMlEvent(const std::vector<QuakeMlEvent>& events, const std::string& id,
                                       const std::string& path) {
    if (events.empty()) throw ZelError(Tr("'%1' holds no QuakeML event").arg(path));
    if (id.empty()) return events.front();
    for (const QuakeMlEvent& e : events) {
        const std::size_t cut = e.id.find_last_of("/=");
        if (e.id == id || e.id.substr(cut == std::string::npos ? 0 : cut + 1) == id) return e;
    }
    throw ZelError(Tr("'%1' has no event %2").arg(path).arg(id));
}

const ImsEvent& ChooseEvent(const std::vector<ImsEvent>& events, const std::string& id, const std::string& path) {
    if (events.empty()) throw ZelError(Tr("'%1' holds no EVENT of an IMS1.0 bulletin").arg(path));
    if (id.empty()) return events.front();
    for (const ImsEvent& e : events)
        if (e.id == id) return e;
    throw ZelError(Tr("'%1' has no event %2").arg(path).arg(id));
}

std::string ModelDirectory(AppContext& context, const std::string& name) {
    if (name.empty()) return context.settings().godographDir;
    const TravelTimeModelList list = LoadTravelTimeModels(context.ini());
    std::string known;
    for (const TravelTimeModel& m : list.models) {
        if (LowerAscii(m.name) == LowerAscii(name)) return m.dir;
        known += (known.empty() ? "" : ", ") + m.name;
    }
    throw ZelError(Tr("unknown travel-time model '%1' (this configuration has: %2)").arg(name).arg(known));
}

// Locates the loaded event and makes it the session's hypocentre; the located observations say
// what the location did with each (station, phase).
LocatedEvent LocateLoadedEvent(BatchSession& session, const LocateOptions& o, Session& state,
                               const std::vector<Station>& stations) {
    const std::vector<Observation> observations = SessionObservations(state, stations);
    if (observations.empty())
        throw ZelError(
            Tr("event %1 of '%2' has no usable phase (a defining phase with a travel-time curve at a "
               "known station)")
                .arg(TrimEventId(state.event().eventId))
                .arg(o.bulletin));
    LocationStart start = DefaultLocationStart(state.event(), observations);
    start.gridSearch = start.gridSearch || o.grid;
    start.fixedDepth = o.depth.has_value();
    start.depth = ClampDepth(o.depth.value_or(start.depth));
    Progress progress(session.err(), Tr("grid search"), 100);
    int done = 0;
    LocatedEvent located;
    try {
        const LocationProgress report = [&](int percent) {
            if (percent > done) progress.advance(static_cast<std::size_t>(percent - done)), done = percent;
        };
        located = LocateSessionEvent(state, stations, start, o.descent ? LocationMethod::Descent : LocationMethod::Svd,
                                     report);
    } catch (const ZelError& e) {
        throw ZelError(Tr("location failed: %1").arg(e.what()));
    }
    const LocationResult& r = located.result;
    if (!r.ok) {
        // Usually a trial depth where some phase has no tabulated time.
        throw ZelError((start.fixedDepth ? Tr("location failed: %1 (try another --depth or model)")
                                        : Tr("location failed: %1 (try --depth KM)"))
                          .arg(r.problem));
    }
    ApplyHypocentre(state, stations, {r.lat, r.lon, r.depth, r.originTime, r.ellipse}, &located.observations);
    return located;
}

std::string Magnitude(const char* name, const std::optional<double>& value, int stations) {
    if (!value) return std::string(name) + " -";
    char text[64];
    std::snprintf(text, sizeof text, "%s %.1f (%d)", name, *value, stations);
    return text;
}

void PrintSummary(std::ostream& out, const CurrentEvent& event, const LocationResult& r, bool fixedDepth,
                  const std::vector<std::string>& notes, int withoutTime, int outliers,
                  const std::optional<RegionInfo>& region, const NetworkMagnitudes& m) {
    // One template per line: a translation aligns its own labels.
    out << Tr("event      %1").arg(TrimEventId(event.eventId)) << '\n';
    out << Tr("origin     %1").arg(FormatBatchTime(r.originTime)) << '\n';
    out << Tr("lat        %1").arg(FormatText("%.4f", r.lat)) << '\n';
    out << Tr("lon        %1").arg(FormatText("%.4f", r.lon)) << '\n';
    out << (fixedDepth ? Tr("depth      %1 fixed") : Tr("depth      %1")).arg(FormatText("%.1f", r.depth))
        << '\n';
    out << Tr("rms        %1").arg(FormatText("%.3f", r.rms)) << '\n';
    if (r.ellipse.valid()) {
        out << Tr("ellipse    %1 x %2 km, azimuth %3")
                   .arg(FormatText("%.1f", r.ellipse.major))
                   .arg(FormatText("%.1f", r.ellipse.minor))
                   .arg(FormatText("%.0f", r.ellipse.direction))
            << '\n';
    }
    out << Tr("phases     %1 used, %2 without travel time, %3 excluded as outliers")
               .arg(r.used)
               .arg(withoutTime)
               .arg(outliers)
        << '\n';
    for (const std::string& note : notes) out << Tr("note       %1").arg(note) << '\n';
    out << (region ? Tr("region     %1 (%2)").arg(region->geographicName).arg(region->seismicName)
                   : Tr("region     -"))
        << '\n';
    out << Tr("magnitudes %1, %2, %3, %4")
               .arg(Magnitude("mb", m.mb, m.mbStations))
               .arg(Magnitude("Ms", m.ms, m.msStations))
               .arg(Magnitude("ML", m.ml, m.mlStations))
               .arg(Magnitude("K", m.energyClass, m.classStations))
        << '\n';
}

// Folders for the table and phase files exist before anything is written or stored.
void PrepareFolder(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error || !std::filesystem::is_directory(dir))
        throw ZelError(Tr("cannot create the folder '%1': %2").arg(dir).arg(error.message()));
}

std::string InFolder(const std::string& dir, const std::string& name) {
    return (std::filesystem::path(dir) / name).string();
}

// The four files of one phase list, replaced together.
void WritePhaseFiles(const std::string& dir, const PhaseFileInput& input, const std::string& workingDir) {
    std::string id = TrimEventId(input.event.eventId);
    if (id.empty()) id = "zel";
    const std::string all = AllPhasesText(input, std::time(nullptr));
    const std::string hypo71 = Hypo71Text(input, ReadHypo71Codes(workingDir + "stations.71"));
    const std::string kpw2 = Kpw2Text(input), travo = TravoText(input);
    if (const auto failure = ReplaceFiles({{InFolder(dir, id + ".arr"), all},
                                           {InFolder(dir, id + ".out"), hypo71},
                                           {InFolder(dir, "zelout.dat"), kpw2},
                                           {InFolder(dir, "zelout.bms"), travo}}))
        throw ZelError(
            Tr("cannot write the file '%1': %2").arg(failure->path).arg(FileWriteReason(failure->failure)));
}

// Said whole, or the exit code tells that it was not.
void Flush(std::ostream& out, const char* name) {
    if (!(out << std::flush)) throw ZelError(Tr("cannot write to %1").arg(name));
}

int Locate(BatchSession& session, BatchArgs& args) {
    LocateOptions o;
    o.eventId = args.option("event");
    o.model = args.option("model");
    const std::string method = args.option("method", "svd");
    if (method != "svd" && method != "descent") throw UsageError(Tr("--method is svd or descent"));
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
    if (args.positionalCount() != 1) throw UsageError(Tr("locate needs the bulletin file (or - for stdin)"));
    o.bulletin = args.positional(0);
    if (o.depth && freeDepth) throw UsageError(Tr("--depth and --free-depth exclude each other"));
    if (o.depth && (*o.depth < kMinDepth || *o.depth > kMaxDepth))
        throw UsageError(Tr("--depth must lie between 1 and 600 km"));
    if (!o.report.empty() && !o.save)
        throw UsageError(Tr("--report needs --save: the report is made from the working database"));

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
    PhaseCatalogue& catalogue = context.session().catalogue();
    catalogue.Load(ModelDirectory(context, o.model), context.settings().workingDir);

    CurrentEvent& event = context.session().event();
    ZELPhases& phases = context.session().phases();
    if (isQuakeMl) {
        const QuakeMlLoadResult loaded =
            LoadQuakeMlEvent(ChooseQuakeMlEvent(quakeMlEvents, o.eventId, o.bulletin), false, event, phases,
                             stations, catalogue);
        for (const std::string& code : loaded.unknownStations)
            Warn(session.err(), Tr("station %1 is not in the station table, its picks skipped").arg(code));
        for (const std::string& name : loaded.unknownPhases)
            Warn(session.err(), Tr("phase %1 is not in the phase catalogue, its picks skipped").arg(name));
    } else {
        const ImsEvent& chosen = ChooseEvent(imsEvents, o.eventId, o.bulletin);
        const ImsLoadResult loaded = LoadImsEvent(chosen, false, event, phases, stations, catalogue,
                                                  ReadLegacyPhaseNames(context.paths().resources));
        if (!loaded.problem.empty()) throw ZelError(loaded.problem);
        if (const std::string skipped = SkippedArrivalsText(chosen.id, loaded.skipped); !skipped.empty())
            Warn(session.err(), skipped);
    }
    const LocatedEvent located = LocateLoadedEvent(session, o, context.session(), stations);
    const LocationResult& r = located.result;
    const std::vector<Observation>& observations = located.observations;
    const NetworkMagnitudes magnitudes =
        ComputeMagnitudes(phases, event, stations, catalogue,
                          {context.settings().workingDir, context.paths().resources + "/magnitudes"});
    std::optional<RegionInfo> region;
    try {
        region = RegionOf(context.databases().work(), r.lat, r.lon);
    } catch (const ZelError& e) {
        Warn(session.err(), Tr("no region: %1").arg(e.what()));
    }
    const bool toStdout = o.ims == "-" || o.report == "-";
    std::ostream& summary = toStdout ? session.err() : session.out();
    PrintSummary(summary, event, r, o.depth.has_value(), LocationNotes(observations, phases, stations, catalogue),
                 CountUse(observations, ObservationUse::NoTravelTime), CountUse(observations, ObservationUse::Outlier),
                 region, magnitudes);
    Flush(summary, toStdout ? "stderr" : "stdout");
    if (o.dryRun) return 0;

    EventStore store(context.databases(), phases, event, catalogue, stations);
    CssEventSaver cssSaver(context.databases(), stations, catalogue);
    CssEventSaver* cssCopy = o.save && context.settings().saveToCssDb ? &cssSaver : nullptr;
    const std::string id = TrimEventId(event.eventId);
    if (o.save) {
        // Every check of the event comes before any file is written or any key drawn.
        store.CheckSavable();
        if (store.EventExists(id) && !session.messages().assumeYes)
            throw ZelError(Tr("event %1 is already stored; give --yes to replace it").arg(id));
    }
    if (!o.css.empty()) PrepareFolder(o.css);
    if (!o.phases.empty()) PrepareFolder(o.phases);
    if (o.save) {
        // The keys the save will store (a stored event keeps its orid), so that the tables below
        // are named by the same orid and a key that cannot be drawn stops before any file.
        store.DrawKeys();
        if (cssCopy) cssCopy->DrawKeys(event, phases);
    }

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
        const std::int64_t orid = event.orid > 0 ? event.orid : 1;
        const CssEvent rows = BuildCssEvent(HypocentreOf(event), orid, PicksOf(phases, stations, catalogue),
                                            CssTarget::TextTables, CountingKeys());
        WriteCssTextTables(rows, orid, o.css, std::time(nullptr));
    }
    if (!o.phases.empty())
        WritePhaseFiles(o.phases, PhaseFileInput{event, phases, stations, catalogue}, context.settings().workingDir);
    if (!o.save) return 0;

    const CssCopyOutcome copy = SaveEvent(store, cssCopy, event, phases);
    Say(session.err(), Tr("event %1 saved").arg(id));
    if (copy.wasMissing && copy.written)
        Say(session.err(), Tr("event %1 was missing from the CSS database; its copy is written now").arg(id));
    if (!copy.failure.empty())
        Warn(session.err(), Tr("event %1 is not in the CSS database: %2 (saving it again writes it)")
                                .arg(id)
                                .arg(copy.failure));
    if (!o.report.empty()) {
        try {
            const Report report = StoredEventReport(context, id);
            if (o.report == "-")
                WriteOutput(session, "-", ReportText(report));
            else
                SaveReport(report, o.report);
        } catch (const ZelError& e) {
            // The event is stored: the analyst must know that a retry needs --yes, or only "show".
            throw ZelError(
                Tr("event %1 is saved, but its report was not written: %2 ('zelbatch show %1' prints it)")
                    .arg(id)
                    .arg(e.what()));
        }
    }
    return 0;
}

}  // namespace

Subcommand LocateSubcommand() {
    return {
        "locate",
        ZEL_TR_NOOP("locate an IMS1.0 bulletin or QuakeML event, compute magnitudes, write and save it"),
        {Usage("zelbatch locate BULLETIN [--event ID] [--model NAME] [--method svd|descent]\n"
               "[--depth KM | --free-depth] [--grid]\n"
               "[--ims FILE] [--quakeml FILE] [--css DIR] [--phases DIR]\n"
               "[--save [--report FILE]] [--dry-run]"),
         Paragraph(ZEL_TR_NOOP(
             "Reads the IMS1.0 bulletin or QuakeML file (a file, or - for stdin) into the phase list as the "
             "workstation's bulletin load does (arrivals it cannot take are skipped with a warning), locates the "
             "event with the internal locator, computes the magnitudes its amplitudes allow (mb from P, Ms from "
             "LR, ML from S, Sg, Sn and Lg, the energy class K on the Vegik scale) and prints a summary: the "
             "hypocentre, and the phases used, left out for want of a travel time and excluded as outliers (a "
             "residual far beyond the spread of the others), by station and phase.")),
         Option("--event ID", ZEL_TR_NOOP("the bulletin event to take (default: the first)")),
         Option("--model NAME", ZEL_TR_NOOP("travel-time model of the configuration, e.g. IASP91 or AK135 "
                                            "(default: the chosen one)")),
         Option("--method M",
                ZEL_TR_NOOP("svd (Geiger's least squares, the default) or descent (the steepest "
                            "descent with a depth scan); both give the error ellipse")),
         Option("--depth KM",
                ZEL_TR_NOOP("fix the depth; --free-depth (the default) lets the locator find it")),
         Option("--grid", ZEL_TR_NOOP("start from the 2-degree grid search, not from the bulletin's origin")),
         Option("--ims FILE", ZEL_TR_NOOP("write the located event as an IMS1.0 bulletin (- for stdout)")),
         Option("--quakeml FILE", ZEL_TR_NOOP("write it as QuakeML 1.2 (- for stdout)")),
         Option("--css DIR",
                ZEL_TR_NOOP("write the CSS 3.0 tables ORID.Origin, .Arrival, .Assoc, .Stamag, .Amplitude")),
         Option("--phases DIR", ZEL_TR_NOOP("write the phase files ID.arr (all phases), ID.out (HYPO71), "
                                            "zelout.dat (KPW2) and zelout.bms (TRAVO)")),
         Option("--save", ZEL_TR_NOOP("store the event in the working database (an event of the same id is "
                                      "replaced only with the global --yes)")),
         Option("--report FILE",
                ZEL_TR_NOOP("with --save: the event's report, HTML for .htm/.html, text for .txt "
                            "or - (stdout)")),
         Option("--dry-run", ZEL_TR_NOOP("locate and print the summary only; nothing is written or stored")),
         Paragraph(ZEL_TR_NOOP(
             "A bulletin that is missing, cut short, malformed or larger than 128 MiB, or an event that cannot "
             "be located or saved (no id, a key that cannot be drawn), ends with exit code 1 before anything "
             "is written or stored. With DATABASE/SAVETOCSSDB the event's copy goes to the CSS database too."))},
        {"free-depth", "grid", "save", "dry-run"},
        Locate};
}

}  // namespace zel::batch
