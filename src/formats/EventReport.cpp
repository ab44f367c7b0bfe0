#include "formats/EventReport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/ReplaceFile.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "config/InterfaceLanguage.h"
#include "db/Odbc.h"

namespace zel {
namespace {

// The events' column headings, the same in both forms of the report.
constexpr const char* kReportIndex = ZEL_TR_NOOP("Индекс");
constexpr const char* kReportOriginTime = ZEL_TR_NOOP("Время в очаге");
constexpr const char* kReportLatitude = ZEL_TR_NOOP("Широта");
constexpr const char* kReportLongitude = ZEL_TR_NOOP("Долгота");
constexpr const char* kReportDepth = ZEL_TR_NOOP("Глубина");
constexpr const char* kReportComment = ZEL_TR_NOOP("Комментарий");

std::string Printf(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// An empty cell still draws its borders.
std::string HtmlCell(const std::string& text) { return text.empty() ? "&nbsp;" : Escaped(text); }

// hh:mm:ss.hh with the hundredths cut, as the picks keep them.
std::string ClockHundredths(double epoch) {
    const std::optional<CalendarTime> t = EpochToCalendar(epoch);
    if (!t) return {};
    const double whole = std::floor(t->second);
    const int hundredths = std::min(99, static_cast<int>(std::floor((t->second - whole) * 100.0 + 1e-4)));
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", t->hour, t->minute, static_cast<int>(whole),
                  hundredths);
    return text;
}

std::string Stamp(double epoch, const char* format) {
    const std::optional<CalendarTime> t = EpochToYdhms(epoch, 0);
    if (!t) return {};
    char text[64];
    if (std::strcmp(format, "file") == 0)
        std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d", t->year, t->month, t->day, t->hour,
                      t->minute, t->wholeSecond());
    else
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", t->day, t->month, t->year, t->hour,
                      t->minute, t->wholeSecond());
    return text;
}

const std::vector<const char*>& PhaseHeader() {
    static const std::vector<const char*> names = {"Sta",      "Chan",  "Flt",   "Res", "Fm",
                                                   "Qual",     "Phase", "Delta", "Az",  "Time",
                                                   "Time max", "Amp",   "Per",   "M",   "Comm"};
    return names;
}

std::vector<std::string> CellList(const ReportPhaseCells& c) {
    const std::string m = c.magnitudeName.empty() ? std::string() : c.magnitudeName + " " + c.magnitude;
    return {c.sta,     c.chan, c.filter,  c.residual,  c.fm,     c.quality, c.phase, c.delta,
            c.azimuth, c.time, c.timeMax, c.amplitude, c.period, m,         c.remark};
}

std::string LowerSuffix(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string suffix = path.substr(dot);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return suffix;
}

}  // namespace

std::string ReportQuery(DbDialect dialect, const std::string& commentColumn, bool ascending) {
    const std::string select = "Select " + commentColumn +
                               " as ORREMARK, ORIGIN.EVENTID as EVENTID, ORIGIN.LON as LON,ORIGIN.LAT as "
                               "LAT, ORIGIN.DEPTH as DEPTH, "
                               "ORIGIN.ORIGINTIME as ORIGINTIME, min(ARRIVAL.ITIME)  as itime ";
    const std::string window =
        "((ARRIVAL.ITIME >= ? and ARRIVAL.ITIME <=?) or (ORIGIN.ORIGINTIME >= ? and ORIGIN.ORIGINTIME <= ?))";
    const std::string group = " group by " + commentColumn +
                              ", ORIGIN.EVENTID, ORIGIN.LON, ORIGIN.LAT, ORIGIN.DEPTH, ORIGIN.ORIGINTIME";
    const std::string order = ascending ? " asc " : " desc ";
    switch (dialect) {
        case kDialectOracle:
            return select + "FROM ORIGIN,ARRIVAL where ORIGIN.EVENTID = ARRIVAL.EVENTID and " + window +
                   group + " order by min(ARRIVAL.ITIME)" + order;
        case kDialectMySql:
            return select + " FROM ORIGIN  LEFT  JOIN ARRIVAL  ON ARRIVAL.EVENTID = ORIGIN.EVENTID WHERE " +
                   window + group + " order by ITIME" + order;
        default:
            return select + " FROM ORIGIN  LEFT  JOIN ARRIVAL  ON ARRIVAL.EVENTID = ORIGIN.EVENTID WHERE " +
                   window + group + " order by min(ARRIVAL.ITIME)" + order;
    }
}

Report ReadReport(Db::Connection& work, DbDialect dialect, const std::string& commentColumn, double start,
                  double end, bool withPhases, bool ascending) {
    Report report;
    report.start = std::trunc(start);
    report.end = std::trunc(end);
    report.withPhases = withPhases;
    const auto from = static_cast<std::int64_t>(report.start), to = static_cast<std::int64_t>(report.end);
    {
        Db::Statement st(work);
        st.execute(ReportQuery(dialect, commentColumn, ascending), {from, to, from, to});
        while (st.fetch()) {
            ReportEvent e;
            e.comment = st.text(0).value_or("");
            e.eventId = st.text(1).value_or("");
            e.lon = st.real(2);
            e.lat = st.real(3);
            e.depth = st.real(4);
            e.originTime = st.real(5);
            report.events.push_back(std::move(e));
        }
    }
    if (!withPhases) return report;
    for (ReportEvent& e : report.events) {
        Db::Statement st(work);
        // Ids are compared without trailing blanks: other tools store them unpadded.
        const auto last = e.eventId.find_last_not_of(' ');
        st.execute(
            "select STA, CHAN, IPHASE, AFILTYPE, FM, IM_EM, REMARK, RESIDUALS, DIST, AZIMUTH, ITIME, "
            "AMPTIME, AMPL, PER, MS, MB, MPLP, MPSP, REGCLASS, ML from ARRIVAL where RTRIM(EVENTID)=? "
            "order by ITIME, CHAN",
            {last == std::string::npos ? std::string() : e.eventId.substr(0, last + 1)});
        while (st.fetch()) {
            ReportPhase p;
            p.sta = st.text(0).value_or("");
            p.chan = st.text(1).value_or("");
            p.phase = st.text(2).value_or("");
            p.filter = st.text(3).value_or("");
            p.fm = st.text(4).value_or("");
            p.quality = st.text(5).value_or("");
            p.remark = st.text(6).value_or("");
            p.residual = st.real(7);
            p.distance = st.real(8);
            p.azimuth = st.real(9);
            p.time = st.real(10);
            p.ampTime = st.real(11);
            p.amplitude = st.real(12);
            p.period = st.real(13);
            p.ms = st.real(14);
            p.mb = st.real(15);
            p.mplp = st.real(16);
            p.mpsp = st.real(17);
            p.energyClass = st.real(18);
            p.ml = st.real(19);
            e.phases.push_back(std::move(p));
        }
    }
    return report;
}

std::string ReportNumber(const std::optional<double>& value) { return value ? Printf("%.3f", *value) : ""; }

std::string ReportOriginTime(const std::optional<double>& epoch) { return epoch ? Stamp(*epoch, "ui") : ""; }

std::string ReportWindowText(double epoch) { return Stamp(epoch, "ui"); }

ReportPhaseCells PhaseCells(const ReportPhase& p) {
    ReportPhaseCells c;
    c.sta = p.sta;
    c.chan = p.chan;
    c.phase = p.phase;
    c.filter = p.filter.empty() ? " - " : p.filter;
    c.residual = p.residual ? Printf("% 3.1f", *p.residual) : " - ";
    c.fm = p.fm;
    c.quality = p.quality;
    c.delta = p.distance ? Printf("%.1f", *p.distance) : " - ";
    c.azimuth = p.azimuth ? Printf("%5.1f", *p.azimuth) : " - ";
    c.time = p.time ? ClockHundredths(*p.time) : "";
    c.timeMax = p.ampTime ? ClockHundredths(*p.ampTime) : "    -     ";
    const bool both = p.amplitude && p.period;
    c.amplitude = both ? Printf("%5.3f", *p.amplitude) : " - ";
    c.period = both ? Printf("%5.2f", *p.period) : " - ";
    const std::pair<const std::optional<double>*, const char*> magnitudes[] = {
        {&p.ms, "Ms"},     {&p.mb, "Mb"},         {&p.mplp, "MPLP"},
        {&p.mpsp, "MPSP"}, {&p.energyClass, "K"}, {&p.ml, "Ml"}};
    for (const auto& [value, name] : magnitudes)
        if (*value) {
            c.magnitudeName = name;
            c.magnitude = Printf("%.1f", **value);
        }
    c.remark = p.remark;
    return c;
}

std::string ReportHtml(const Report& report) {
    const auto th = [](const char* id) { return "<th class=\"cell\">" + Escaped(Tr(id)) + "</th>"; };
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"" + std::string(InterfaceLanguageCode(CurrentInterfaceLanguage())) +
        "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        Escaped(Tr("Отчет %1 - %2").arg(ReportWindowText(report.start)).arg(ReportWindowText(report.end))) +
        "</title>\n<style>\n"
        // Simple selectors and long-hand borders: the viewer's own HTML engine knows no more.
        "table.events { border-collapse: collapse; }\n"
        "td.cell, th.cell { border-width: 1px; border-style: solid; border-color: black; padding: 2px; }\n"
        "table.phases { border-collapse: collapse; }\n"
        "td.nowrap { white-space: nowrap; }\n"
        "tr.grey { background-color: #e0e0e0; }\n"
        "</style>\n</head>\n<body>\n"
        "<table class=\"events\">\n<tr>\n" +
        th(kReportIndex) + th(kReportOriginTime) + th(kReportLatitude) + th(kReportLongitude) +
        th(kReportDepth) + th(kReportComment) + "\n</tr>\n";
    for (const ReportEvent& e : report.events) {
        const std::string td = "</td><td class=\"cell\">";
        html += "<tr>\n<td class=\"cell\">" + HtmlCell(e.eventId) + "</td><td class=\"cell nowrap\">" +
                HtmlCell(ReportOriginTime(e.originTime)) + td + HtmlCell(ReportNumber(e.lat)) + td +
                HtmlCell(ReportNumber(e.lon)) + td + HtmlCell(ReportNumber(e.depth)) + td +
                HtmlCell(e.comment) + "</td>\n</tr>\n";
        if (!report.withPhases) continue;
        html += "<tr><td class=\"cell nowrap\" colspan=\"6\"><table class=\"phases\">\n<tr>";
        for (const char* name : PhaseHeader()) html += std::string("<th>&nbsp;") + name + "&nbsp;</th>";
        html += "</tr>\n";
        bool grey = false;
        for (const ReportPhase& p : e.phases) {
            html += grey ? "<tr class=\"grey\">" : "<tr>";
            grey = !grey;
            for (const std::string& cell : CellList(PhaseCells(p)))
                html += "<td>&nbsp;" + Escaped(cell) + "&nbsp;</td>";
            html += "</tr>\n";
        }
        html += "</table></td></tr>\n";
    }
    html += "</table>\n</body>\n</html>\n";
    return html;
}

std::string ReportText(const Report& report) {
    const std::string equals(78, '='), dashes(133, '-');
    std::string text = Tr("Отчет за период '%1 - %2'")
                           .arg(ReportWindowText(report.start))
                           .arg(ReportWindowText(report.end)) +
                       "\n" + equals + "\n" + Tr(kReportIndex) + "\t\t" + Tr(kReportOriginTime) + "\t\t" +
                       Tr(kReportLatitude) + "\t" + Tr(kReportLongitude) + "\t" + Tr(kReportDepth) + "\t" +
                       Tr(kReportComment) + "\n" + equals + "\n";
    for (const ReportEvent& e : report.events) {
        text += e.eventId + "\t" + ReportOriginTime(e.originTime) + "\t" + ReportNumber(e.lat) + "\t" +
                ReportNumber(e.lon) + "\t" + ReportNumber(e.depth) + "\t" + e.comment + "\n";
        if (!report.withPhases) continue;
        text +=
            dashes + "\n" +
            " Sta\tChan\tFlt\t Res\tFm\tQual\tPhase\tDelta\t Az\t Time\t\tTime max\t Amp\t Per\t M\t Comm\n" +
            dashes + "\n";
        for (const ReportPhase& p : e.phases) {
            const ReportPhaseCells c = PhaseCells(p);
            for (const std::string& cell : {c.sta, c.chan, c.filter, c.residual, c.fm, c.quality, c.phase,
                                            c.delta, c.azimuth, c.time, c.timeMax, c.amplitude, c.period})
                text += cell + "\t";
            text += c.magnitudeName + " " + c.magnitude + "\t" + c.remark + "\n";
        }
        text += dashes + "\n";
    }
    return text;
}

std::string DefaultReportFileName(double start, double end) {
    return "ZEL_Rpt_" + Stamp(start, "file") + "-" + Stamp(end, "file");
}

std::string SaveReport(const Report& report, const std::string& path) {
    const auto failed = [&](const std::string& reason) {
        return ZelError(Tr("Ошибка сохранения файла отчета %1\n%2").arg(path).arg(reason));
    };
    const std::string suffix = LowerSuffix(path);
    std::string body;
    if (suffix == ".htm" || suffix == ".html")
        body = ReportHtml(report);
    else if (suffix == ".txt")
        body = ReportText(report);
    else
        throw failed(Tr("Имя файла должно оканчиваться на .htm или .txt"));
    if (const auto failure = ReplaceFile(path, body)) {
        if (!failure->opened)
            throw ZelError(Tr(kReportCreateFailed).arg(path).arg(std::strerror(failure->error)));
        throw failed(std::strerror(failure->error));
    }
    return Tr("Успешное сохранение отчета в файл %1").arg(path);
}

}  // namespace zel
