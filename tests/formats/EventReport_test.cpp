// The event report read from a real working database, its HTML checked by an independent strict
// checker (tidy) and its text checked against the documented tab layout; saving by suffix.

#include "formats/EventReport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "support/ScratchDatabase.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::DatabaseTest;

// 2021-03-16 12:00:00 UTC.
constexpr double kT0 = 1615896000.0;
// Stored padded to 20 characters, as the event save writes ids.
constexpr const char* kEv1 = "EV1                 ";
const std::string kComment = "<b>Камчатка</b> & 'x' \"y\"";

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = line.find(separator, from)) != std::string::npos; from = at + 1)
        parts.push_back(line.substr(from, at - from));
    parts.push_back(line.substr(from));
    return parts;
}

// stdout and stderr of a shell command.
std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

class EventReportTest : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped()) return;
        DatabaseSettings settings;
        settings.odbc = scratch->connectString();
        db = std::make_unique<Databases>(settings, messages);
        ASSERT_EQ(db->openWorkDb(), 1);
        auto origin = [&](const char* id, Db::Value lat, Db::Value time, const std::string& comment) {
            db->work().execute(
                "insert into ORIGIN (EVENTID, LAT, LON, DEPTH, ORIGINTIME, COMMENTS, ORID) values "
                "(?, ?, 158.25, 33.0, ?, ?, 1)",
                {std::string(id), lat, time, comment});
        };
        origin(kEv1, 52.5, kT0 + 100.0, kComment);
        origin("EV2", Db::Null{}, kT0 + 50.0, "без фаз");
        origin("EV3", 10.0, kT0 - 10000.0, "");
        origin("EV4", 11.0, Db::Null{}, "");
        const std::string insert =
            "insert into ARRIVAL (EVENTID, STA, CHAN, IPHASE, ITIME, FM, IM_EM, AMPL, PER, AMPTIME, MB, MS, "
            "ML, "
            "RESIDUALS, DIST, AZIMUTH, AFILTYPE, REMARK) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, "
            "?)";
        const Db::Value null = Db::Null{};
        db->work().execute(
            insert, {std::string(kEv1), std::string("OBN"), std::string("SHZ"), std::string("P"),
                     kT0 + 200.257, std::string("U"), std::string("I"), 1.5, 0.8, kT0 + 200.65, 5.1, null,
                     null, -0.42, 45.04, 12.5, std::string("BP 1-5"), std::string("x<y")});
        // Ms and Ml: Ml is named. An amplitude without a period shows neither.
        db->work().execute(insert, {std::string(kEv1), std::string("ARU"), std::string("BHZ"),
                                    std::string("S"), kT0 + 300.0, std::string("-"), std::string("E"), 2.0,
                                    null, null, null, 4.6, 3.3, null, null, null, null, null});
        db->work().execute(insert, {std::string("EV3"), std::string("OBN"), std::string("SHZ"),
                                    std::string("P"), kT0 - 9000.0, std::string("U"), std::string("I"), null,
                                    null, null, null, null, null, null, null, null, null, null});
        db->work().execute(insert, {std::string("EV4"), std::string("OBN"), std::string("SHZ"),
                                    std::string("P"), kT0 + 1000.0, std::string("?"), std::string("W"), null,
                                    null, null, null, null, null, null, null, null, null, null});
    }

    Report Read(bool withPhases, bool ascending) {
        return ReadReport(db->work(), db->dialect(), db->originCommentColumn(), kT0 + 0.9, kT0 + 3600.5,
                          withPhases, ascending);
    }

    RecordingMessageSink messages;
    std::unique_ptr<Databases> db;
};

TEST_P(EventReportTest, ListsTheEventsOfTheWindowWithTheirPhases) {
    const Report report = Read(true, true);
    EXPECT_EQ(report.start, kT0);
    EXPECT_EQ(report.end, kT0 + 3600.0);
    std::vector<std::string> ids;
    for (const ReportEvent& e : report.events) ids.push_back(e.eventId.substr(0, 3));
    // EV2 has no arrivals but its origin time is inside; EV3 lies before the window.
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_NE(std::find(ids.begin(), ids.end(), "EV2"), ids.end());
    EXPECT_EQ(std::find(ids.begin(), ids.end(), "EV3"), ids.end());
    const auto ev1 = std::find(ids.begin(), ids.end(), "EV1"), ev4 = std::find(ids.begin(), ids.end(), "EV4");
    EXPECT_LT(ev1, ev4);  // earliest pick first
    const Report descending = Read(false, false);
    std::vector<std::string> reversed;
    for (const ReportEvent& e : descending.events) reversed.push_back(e.eventId.substr(0, 3));
    EXPECT_GT(std::find(reversed.begin(), reversed.end(), "EV1"),
              std::find(reversed.begin(), reversed.end(), "EV4"));
    EXPECT_TRUE(descending.events[0].phases.empty());

    const ReportEvent& e = report.events[ev1 - ids.begin()];
    EXPECT_EQ(e.comment, kComment);
    ASSERT_EQ(e.phases.size(), 2u);
    const ReportPhaseCells p = PhaseCells(e.phases[0]);
    EXPECT_EQ(p.sta, "OBN");
    EXPECT_EQ(p.filter, "BP 1-5");
    EXPECT_EQ(p.residual, "-0.4");
    EXPECT_EQ(p.delta, "45.0");
    EXPECT_EQ(p.azimuth, " 12.5");
    EXPECT_EQ(p.time, "12:03:20.25");
    EXPECT_EQ(p.timeMax, "12:03:20.65");
    EXPECT_EQ(p.amplitude, "1.500");
    EXPECT_EQ(p.period, " 0.80");
    EXPECT_EQ(p.magnitudeName, "Mb");
    EXPECT_EQ(p.magnitude, "5.1");
    const ReportPhaseCells s = PhaseCells(e.phases[1]);
    EXPECT_EQ(s.filter, " - ");
    EXPECT_EQ(s.residual, " - ");
    EXPECT_EQ(s.timeMax, "    -     ");
    EXPECT_EQ(s.amplitude, " - ");
    EXPECT_EQ(s.period, " - ");
    EXPECT_EQ(s.magnitudeName, "Ml");
    EXPECT_EQ(s.magnitude, "3.3");
}

TEST_P(EventReportTest, HtmlPassesAStrictCheckerAndEscapesTheComments) {
    const Report report = Read(true, true);
    const std::string html = ReportHtml(report);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;Камчатка&lt;/b&gt; &amp; &#39;x&#39; &quot;y&quot;"), std::string::npos);
    EXPECT_EQ(html.find("<b>Камчатка"), std::string::npos);
    EXPECT_NE(html.find("x&lt;y"), std::string::npos);
    EXPECT_NE(html.find("<title>Отчет 16/03/2021 12:00:00 - 16/03/2021 13:00:00</title>"), std::string::npos);

    if (Shell("command -v tidy").empty()) GTEST_SKIP() << "tidy is not installed: the HTML was not checked";
    test::TempDir dir;
    const std::string path = dir.file("report.htm");
    EXPECT_EQ(SaveReport(report, path), "Успешное сохранение отчета в файл " + path);
    EXPECT_EQ(Shell("tidy -errors -q " + path), "");
    EXPECT_EQ(Shell("tidy -errors -q " + path + " >/dev/null; echo $?"), "0\n");
}

TEST_P(EventReportTest, TextFollowsTheTabLayout) {
    const std::string text = ReportText(Read(true, true));
    const std::vector<std::string> lines = Split(text, '\n');
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Отчет за период '16/03/2021 12:00:00 - 16/03/2021 13:00:00'");
    EXPECT_EQ(lines[1], std::string(78, '='));
    EXPECT_EQ(lines[2], "Индекс\t\tВремя в очаге\t\tШирота\tДолгота\tГлубина\tКомментарий");
    EXPECT_EQ(lines[3], std::string(78, '='));
    std::size_t at = 4;
    while (at < lines.size() && lines[at].rfind("EV1", 0) != 0) ++at;
    ASSERT_LT(at + 7, lines.size());
    EXPECT_EQ(Split(lines[at], '\t'), (std::vector<std::string>{"EV1                 ", "16/03/2021 12:01:40",
                                                                "52.500", "158.250", "33.000", kComment}));
    EXPECT_EQ(lines[at + 1], std::string(133, '-'));
    EXPECT_EQ(lines[at + 2],
              " Sta\tChan\tFlt\t Res\tFm\tQual\tPhase\tDelta\t Az\t Time\t\tTime max\t Amp\t Per\t M\t Comm");
    EXPECT_EQ(lines[at + 3], std::string(133, '-'));
    EXPECT_EQ(Split(lines[at + 4], '\t'),
              (std::vector<std::string>{"OBN", "SHZ", "BP 1-5", "-0.4", "U", "I", "P", "45.0", " 12.5",
                                        "12:03:20.25", "12:03:20.65", "1.500", " 0.80", "Mb 5.1", "x<y"}));
    EXPECT_EQ(Split(lines[at + 5], '\t'),
              (std::vector<std::string>{"ARU", "BHZ", " - ", " - ", "-", "E", "S", " - ", " - ",
                                        "12:05:00.00", "    -     ", " - ", " - ", "Ml 3.3", ""}));
    EXPECT_EQ(lines[at + 6], std::string(133, '-'));
    // An event without a position leaves its cells empty.
    const auto ev2 = text.find("EV2\t16/03/2021 12:00:50\t\t158.250\t33.000\tбез фаз\n");
    EXPECT_NE(ev2, std::string::npos);
}

ZEL_INSTANTIATE_DATABASE_TEST(EventReportTest);

TEST(EventReport, OriginSecondsRoundWithCarryAndEmptyStaysEmpty) {
    EXPECT_EQ(ReportOriginTime(kT0 + 59.7), "16/03/2021 12:01:00");
    EXPECT_EQ(ReportOriginTime(std::nullopt), "");
    EXPECT_EQ(ReportNumber(std::nullopt), "");
    EXPECT_EQ(ReportNumber(-0.0004), "-0.000");
    EXPECT_EQ(DefaultReportFileName(kT0, kT0 + 86399.0), "ZEL_Rpt_20210316_120000-20210317_115959");
}

TEST(EventReport, SavingDispatchesOnTheSuffixAndReportsWhatWasNotWritten) {
    Report report;
    report.start = kT0;
    report.end = kT0 + 60;
    test::TempDir dir;
    SaveReport(report, dir.file("a.TXT"));
    EXPECT_EQ(test::ReadFile(dir.file("a.TXT")).rfind("Отчет за период", 0), 0u);
    SaveReport(report, dir.file("b.html"));
    EXPECT_EQ(test::ReadFile(dir.file("b.html")).rfind("<!DOCTYPE html>", 0), 0u);
    // ".htm" inside the name is not the suffix: nothing is written, and the analyst is told.
    try {
        SaveReport(report, dir.file("c.htm.doc"));
        ADD_FAILURE() << "saved";
    } catch (const ZelError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("Ошибка сохранения файла отчета " + dir.file("c.htm.doc") + "\n", 0),
            0u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.htm.doc")));
    EXPECT_THROW(SaveReport(report, dir.file("missing/d.txt")), ZelError);
}

}  // namespace
}  // namespace zel
