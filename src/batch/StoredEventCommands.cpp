// "events", "show" and "delete": the analyst's events stored in the working database.

#include <cmath>
#include <cstdio>

#include "base/ZelError.h"
#include "batch/BatchTime.h"
#include "batch/EventCommands.h"
#include "events/CurrentEvent.h"
#include "events/EventStore.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/CssDatabase.h"

namespace zel::batch {

namespace {

// Later than any origin time the database can hold as a whole second of a 32-bit count.
constexpr double kEndOfTime = 4102444800.0;  // 2100-01-01

EventStore StoreOf(AppContext& context) {
    return EventStore(context.databases(), context.session().phases(), context.session().event(), context.session().catalogue(),
                      context.stations());
}

std::optional<EventListRow> FindEvent(AppContext& context, const std::string& eventId) {
    for (EventListRow& row : StoreOf(context).ListEvents(true, 0))
        if (TrimEventId(row.eventId) == TrimEventId(eventId)) return std::move(row);
    return std::nullopt;
}

std::string Number(const char* format, const std::optional<double>& value) {
    if (!value) return "-";
    char text[32];
    std::snprintf(text, sizeof text, format, *value);
    return text;
}

// ORIGIN keeps "never computed" as NULL and "no station value" as -1000.
std::string MagnitudeCell(const std::optional<double>& value) {
    return value && *value > kMagnitudeNone ? Number("%.1f", value) : "-";
}

int ListStoredEvents(BatchSession& session, BatchArgs& args) {
    const bool windowed = args.has("from") || args.has("to");
    const double from = args.has("from") ? ParseBatchTime(args.option("from"), "--from") : -kEndOfTime;
    const double to = args.has("to") ? ParseBatchTime(args.option("to"), "--to") : kEndOfTime;
    args.finish(0);
    if (from > to) throw UsageError(Tr("--from lies after --to"));
    AppContext& context = session.context();
    Db::Statement st(context.databases().work());
    // ORIGIN keeps no ML: it is the mean of the picks' station values, as the bulletin writes it.
    const std::string columns =
        "select o.EVENTID, o.ORIGINTIME, o.LAT, o.LON, o.DEPTH, o.MB, o.MS, (select avg(a.ML) from ARRIVAL a "
        "where RTRIM(a.EVENTID) = RTRIM(o.EVENTID) and a.ML > 0), o.ORID from ORIGIN o";
    if (windowed)
        st.execute(columns + " where o.ORIGINTIME >= ? and o.ORIGINTIME <= ? order by o.ORIGINTIME, o.EVENTID", {from, to});
    else
        st.execute(columns + " order by o.ORIGINTIME, o.EVENTID");
    session.out() << "id                   origin time               lat       lon      depth  mb   Ms   ML\n";
    std::vector<std::pair<std::string, std::int64_t>> stored;
    while (st.fetch()) {
        const std::string id = TrimEventId(st.text(0).value_or(""));
        const std::optional<double> time = st.real(1);
        char line[200];
        std::snprintf(line, sizeof line, "%-20s %-24s %9s %10s %6s %4s %4s %4s\n", id.c_str(),
                      time ? FormatBatchTime(*time).c_str() : "-", Number("%.4f", st.real(2)).c_str(),
                      Number("%.4f", st.real(3)).c_str(), Number("%.1f", st.real(4)).c_str(),
                      MagnitudeCell(st.real(5)).c_str(), MagnitudeCell(st.real(6)).c_str(),
                      MagnitudeCell(st.real(7)).c_str());
        session.out() << line;
        if (const auto orid = st.integer(8); orid && *orid > 0) stored.emplace_back(id, *orid);
    }
    // A save cut short between the working and the CSS commit leaves the copy missing.
    Databases& databases = context.databases();
    if (context.settings().saveToCssDb && databases.cssAvailable())
        for (const auto& [id, orid] : stored)
            if (!CssOriginStored(databases.css(), orid))
                Warn(session.err(),
                     Tr("event %1 (orid %2) is missing from the CSS database; saving it again writes it")
                         .arg(id)
                         .arg(static_cast<long long>(orid)));
    return 0;
}

int ShowStoredEvent(BatchSession& session, BatchArgs& args) {
    const bool html = args.flag("html");
    args.finish(1);
    if (args.positionalCount() != 1) throw UsageError(Tr("show needs an event id"));
    const Report report = StoredEventReport(session.context(), args.positional(0));
    session.out() << (html ? ReportHtml(report) : ReportText(report));
    return 0;
}

int DeleteStoredEvent(BatchSession& session, BatchArgs& args) {
    args.finish(1);
    if (args.positionalCount() != 1) throw UsageError(Tr("delete needs an event id"));
    const std::string id = args.positional(0);
    AppContext& context = session.context();
    if (!FindEvent(context, id)) throw ZelError(Tr("no stored event %1").arg(id));
    if (!session.messages().assumeYes)
        throw ZelError(Tr("event %1 not deleted: give the global --yes (zelbatch --yes delete %1)").arg(id));
    const std::optional<std::int64_t> orid = StoreOf(context).DeleteEvent(id);
    // The copy in the CSS database goes with it, as in the workstation.
    if (orid && context.databases().cssAvailable()) DeleteCssOrigin(context.databases().css(), *orid);
    Say(session.err(), Tr("event %1 deleted").arg(id));
    return 0;
}

}  // namespace

Report StoredEventReport(AppContext& context, const std::string& eventId) {
    const std::optional<EventListRow> row = FindEvent(context, eventId);
    if (!row) throw ZelError(Tr("no stored event %1").arg(eventId));
    // The report selects by time; a window around the origin keeps it to this event's neighbours.
    const double from = row->originTime ? std::floor(*row->originTime) - 1 : 0;
    const double to = row->originTime ? std::ceil(*row->originTime) + 1 : kEndOfTime;
    Databases& db = context.databases();
    Report report = ReadReport(db.work(), db.dialect(), db.originCommentColumn(), from, to, true, true);
    std::erase_if(report.events,
                  [&](const ReportEvent& e) { return TrimEventId(e.eventId) != TrimEventId(eventId); });
    if (report.events.empty()) {
        // An event without picks or origin time is outside every window; it still has its row.
        ReportEvent e;
        e.eventId = row->eventId;
        e.comment = row->comment;
        e.lat = row->lat, e.lon = row->lon, e.depth = row->depth, e.originTime = row->originTime;
        report.events.push_back(std::move(e));
    }
    return report;
}

std::vector<Subcommand> StoredEventSubcommands() {
    return {
        {"events",
         ZEL_TR_NOOP("list the events stored in the working database"),
         {Usage("zelbatch events [--from TIME] [--to TIME]"),
          Paragraph(ZEL_TR_NOOP(
              "One line per stored event, by origin time: id, origin time (UTC), latitude, longitude, depth "
              "(km), mb, Ms and ML (the mean of its picks' ML). --from and --to keep the events whose origin "
              "time lies between them; times as 2024-09-01T12:33:19, '2024-09-01 12:33:19.5', 2024-09-01 or "
              "epoch seconds."))},
         {},
         ListStoredEvents},
        {"show",
         ZEL_TR_NOOP("print a stored event in full (its report)"),
         {Usage("zelbatch show ID [--html]"),
          Paragraph(ZEL_TR_NOOP(
              "The event's report as the workstation makes it: hypocentre and the table of its phases, as "
              "tab-separated text, or HTML with --html."))},
         {"html"},
         ShowStoredEvent},
        {"delete",
         ZEL_TR_NOOP("delete a stored event (needs the global --yes)"),
         {Usage("zelbatch --yes delete ID"),
          Paragraph(ZEL_TR_NOOP(
              "Removes the event's origin and phases from the working database (and its copy from the CSS "
              "database when there is one). Without the global --yes nothing is deleted and the exit code is "
              "1."))},
         {},
         DeleteStoredEvent},
    };
}

}  // namespace zel::batch
