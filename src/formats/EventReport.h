#pragma once
// The event report: the events of the working database whose picks or origin times fall into a
// time window, optionally each with its phase table, as an HTML page (UTF-8) or a tab-separated
// text. Everything is read from ORIGIN and ARRIVAL; nothing is written to the database.

#include <optional>
#include <string>
#include <vector>

#include "base/UserText.h"
#include "db/DbDialect.h"

namespace zel {

namespace Db {
class Connection;
}

inline constexpr const char* kReportBadTime = ZEL_TR_NOOP("Введено ошибочное время");
inline constexpr const char* kReportNotShown = ZEL_TR_NOOP("Не выбран файла отчета !!!");
// The file's path and the system's reason.
inline constexpr const char* kReportCreateFailed = ZEL_TR_NOOP("Ошибка создания файла %1\n%2");

// One arrival of an event's phase table, as stored.
struct ReportPhase {
    std::string sta, chan, phase, filter, fm, quality, remark;
    std::optional<double> residual, distance, azimuth, time, ampTime, amplitude, period;
    std::optional<double> ms, mb, mplp, mpsp, energyClass, ml;
};

struct ReportEvent {
    std::string comment, eventId;
    std::optional<double> lon, lat, depth, originTime;
    std::vector<ReportPhase> phases;
};

struct Report {
    double start = 0, end = 0;  // whole seconds
    bool withPhases = false;
    std::vector<ReportEvent> events;
};

// The query for this dialect: the Oracle form for Oracle, the MySQL form for MySQL, the standard
// LEFT JOIN everywhere else. The four window limits are parameters.
std::string ReportQuery(DbDialect dialect, const std::string& commentColumn, bool ascending);

// Reads the events of [start, end] (truncated to whole seconds) and, with phases, their arrivals
// in time and channel order. Throws Db::Error.
Report ReadReport(Db::Connection& work, DbDialect dialect, const std::string& commentColumn, double start,
                  double end, bool withPhases, bool ascending);

// The texts of the cells.
std::string ReportNumber(const std::optional<double>& value);      // "%.3f", empty when missing
std::string ReportOriginTime(const std::optional<double>& epoch);  // dd/mm/yyyy hh:mm:ss, empty when missing
struct ReportPhaseCells {
    std::string sta, chan, filter, residual, fm, quality, phase, delta, azimuth, time, timeMax, amplitude,
        period, magnitudeName, magnitude, remark;
};
ReportPhaseCells PhaseCells(const ReportPhase& phase);

// The window limits as the dialog shows them: dd/mm/yyyy hh:mm:ss.
std::string ReportWindowText(double epoch);

std::string ReportHtml(const Report& report);
std::string ReportText(const Report& report);

// "ZEL_Rpt_<start>-<end>" with both times as yyyymmdd_hhmmss.
std::string DefaultReportFileName(double start, double end);

// Writes the report in the form its suffix names (".htm" or ".html": HTML, ".txt": text, any
// case). Throws ZelError "Ошибка сохранения файла отчета <path>\n<reason>" for another suffix or
// a file that cannot be written (an older file of that name is then left as it was). Returns the
// success message.
std::string SaveReport(const Report& report, const std::string& path);

}  // namespace zel
