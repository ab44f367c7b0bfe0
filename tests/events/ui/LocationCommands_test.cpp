// Location in the frame: the LOQ.EXE stand-in run from its own folder on the demo event (files,
// configuration, locating, console output), a locator that overruns and is killed, the messages
// of the location commands, the result applied to the current event and its picks, and the
// start and result dialogs.

#include "events/ui/LocationCommands.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <filesystem>

#include "base/TimeConversions.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/EventStore.h"
#include "events/LoqFiles.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/LoqRunner.h"
#include "session/AppContext.h"
#include "support/MisbehavingProgram.h"
#include "support/TempDir.h"
#include "support/TestAppPaths.h"
#include "support/ui/DialogScript.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

std::string StandInFolder() { return DefaultLoqDirectory(fs::path(ZEL_BINARY).parent_path().string()); }

// The demo's stations at the places its SITE rows give them (array elements at their offsets).
std::vector<Station> DemoStationTable() {
    std::vector<Station> out;
    for (const demo::DemoStation& d : demo::DemoStations()) {
        const double km = 111.1953;
        Station s;
        s.code = d.code;
        s.lat = static_cast<float>(d.lat + d.dnorth / km);
        s.lon = static_cast<float>(d.lon + d.deast / (km * std::cos(d.lat * M_PI / 180.0)));
        s.elev = static_cast<float>(d.elev);
        s.slots[0].channel = "SHZ";
        s.slots[0].lat = s.lat;
        s.slots[0].lon = s.lon;
        out.push_back(s);
    }
    return out;
}

// P and S of the demo's local event at their true times, included.
void AddDemoPicks(ZELPhases& list, const std::vector<Station>& stations, const PhaseCatalogue& catalogue) {
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR)) {
        if (a.event != 0 || a.phase == "pP") continue;
        SEISMIC_PHASE p;
        p.stationIndex = FindStation(stations, a.station);
        p.phaseIndex = catalogue.IndexOf(a.phase);
        SetPickTime(p, a.time);
        p.included = 1;
        p.weight = 0;
        list.Add(p);
    }
}

const PhaseCatalogue& Iasp91() {
    static const PhaseCatalogue catalogue = [] {
        PhaseCatalogue c;
        c.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "/nowhere/");
        return c;
    }();
    return catalogue;
}

// A private copy of the stand-in's folder, so that runs never share their files.
void CopyStandIn(const fs::path& to) {
    fs::copy(StandInFolder(), to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

struct Solution {
    double lat = 0, lon = 0, depth = 0;
};
std::optional<Solution> ParseSolution(const QString& output) {
    const QRegularExpression re(R"(LAT\s+(-?[\d.]+)\s+LON\s+(-?[\d.]+)\s+DEPTH\s+([\d.]+))");
    const QRegularExpressionMatch m = re.match(output);
    if (!m.hasMatch()) return std::nullopt;
    return Solution{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()};
}

TEST(LoqStandIn, TheDefaultFolderIsTheStandInBesideTheProgram) {
    const std::string folder = StandInFolder();
    EXPECT_TRUE(fs::is_regular_file(fs::path(folder) / kLoqProgram)) << folder;
    EXPECT_TRUE(fs::is_regular_file(fs::path(folder) / "iasp91" / "phaselist"));
    EXPECT_EQ(DefaultLoqDirectory("/nowhere/bin"), "C:\\LOQ");
}

TEST(LoqStandIn, RoundTripOnTheDemoEventFromAGridStart) {
    test::TempDir dir;
    CopyStandIn(dir.path());
    const std::vector<Station> stations = DemoStationTable();
    ZELPhases picks;
    AddDemoPicks(picks, stations, Iasp91());
    CurrentEvent noStart;  // no hypocentre yet: the stand-in searches the whole Earth
    WriteLoqInput(dir.path().string(), 12, picks, stations, Iasp91(), noStart, 0);

    QString streamed;
    int chunks = 0;
    const LoqOutcome outcome = RunLoq(QString::fromStdString(dir.path().string()), 12, 60000, [&](const QString& t) {
        streamed += t;
        ++chunks;
    });
    ASSERT_TRUE(outcome.started);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output.toStdString();
    EXPECT_GE(chunks, 1);
    EXPECT_EQ(streamed, outcome.output);
    EXPECT_TRUE(LoqProblem("x", outcome, 60000).isEmpty());

    const std::optional<Solution> s = ParseSolution(outcome.output);
    ASSERT_TRUE(s) << outcome.output.toStdString();
    const demo::DemoEvent& truth = demo::DemoEvents()[0];
    // The file keeps station coordinates to 0.01 degree: a kilometre or so of play.
    EXPECT_LT(Distance(s->lat, s->lon, truth.lat, truth.lon) * 111.195, 5.0) << outcome.output.toStdString();
    EXPECT_NEAR(s->depth, truth.depth, 6.0);
    EXPECT_EQ(test::ReadFile(dir.file("loq_log")), outcome.output.toStdString());
    EXPECT_TRUE(outcome.output.contains("ZMK")) << "residual lines name the stations";
}

TEST(LoqStandIn, AnOverrunningLocatorIsKilledAndReported) {
    test::TempDir dir;
    test::WriteFile(dir.file(kLoqProgram), "#!/bin/sh\necho started\necho $$ > pid\nexec sleep 30\n");
    fs::permissions(dir.file(kLoqProgram), fs::perms::owner_all);
    const LoqOutcome outcome = RunLoq(QString::fromStdString(dir.path().string()), 1, 500);
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_TRUE(outcome.output.contains("started"));
    EXPECT_TRUE(LoqProblem(QString::fromStdString(dir.path().string()), outcome, 500).contains("остановлен"));
    const int pid = std::stoi(test::ReadFile(dir.file("pid")));
    EXPECT_NE(::kill(pid, 0), 0) << "the locator still runs";

    test::TempDir empty;
    const LoqOutcome missing = RunLoq(QString::fromStdString(empty.path().string()), 1, 500);
    EXPECT_FALSE(missing.started);
    EXPECT_TRUE(LoqProblem("/opt/loq", missing, 500).startsWith("Не удалось запустить /opt/loq/LOQ.EXE"));
}

// The commands against a fresh install's context with the demo's stations and picks.
class LocationCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppPaths paths = test::TestAppPaths(dir_);
        paths.executableDir = fs::path(ZEL_BINARY).parent_path().string() + "/";  // the stand-in's default
        context_ = std::make_unique<AppContext>(CommandLineOverrides{}, paths, messages_);
        context_->loadConfiguration();
        context_->openDatabases();
        context_->stations() = DemoStationTable();
        context_->session().catalogue().Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", dir_.path().string());
        store_ = std::make_unique<EventStore>(context_->databases(), context_->session().phases(), context_->session().event(),
                                              context_->session().catalogue(), context_->stations());
        commands_ = std::make_unique<LocationCommands>(nullptr, *context_, *store_, nullptr);
    }
    test::TempDir dir_;
    RecordingMessageSink messages_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<EventStore> store_;
    std::unique_ptr<LocationCommands> commands_;
};

TEST_F(LocationCommandsTest, TooFewPhasesIsRefusedWithItsMessage) {
    AddDemoPicks(context_->session().phases(), context_->stations(), context_->session().catalogue());
    while (context_->session().phases().Count() > 3) context_->session().phases().Remove(context_->session().phases().GetAt(3)->stationIndex, 0,
                                                              context_->session().phases().GetAt(3)->phaseIndex);
    EXPECT_FALSE(commands_->locateFrom({52.0, 105.0, 10.0, 1371211697.0}, true));
    ASSERT_EQ(messages_.messages().size(), 1u);
    EXPECT_EQ(messages_.messages()[0].text, kTooFewPhases);
    // The entered point became the current hypocentre all the same.
    EXPECT_TRUE(context_->session().event().hypocentreValid);
    EXPECT_FLOAT_EQ(context_->session().event().lat, 52.0f);
}

TEST_F(LocationCommandsTest, ADescentWithoutTravelTimesSaysSo) {
    AddDemoPicks(context_->session().phases(), context_->stations(), context_->session().catalogue());
    LocationStart start{52.0, 105.0, 2000.0, 1371211697.0};  // a fixed depth below every table
    start.fixedDepth = true;
    EXPECT_FALSE(commands_->locateFrom(start, false));
    ASSERT_EQ(messages_.messages().size(), 1u);
    EXPECT_EQ(messages_.messages()[0].text, kNoSolution);
}

TEST_F(LocationCommandsTest, ALocatedEventIsAppliedToTheCurrentEventAndItsPicks) {
    AddDemoPicks(context_->session().phases(), context_->stations(), context_->session().catalogue());
    const demo::DemoEvent& truth = demo::DemoEvents()[0];
    const std::optional<LocationResult> r =
        commands_->locateFrom({truth.lat + 0.2, truth.lon + 0.2, 20.0, truth.origin + 3.0}, true);
    ASSERT_TRUE(r);
    EXPECT_TRUE(messages_.messages().empty());
    EXPECT_EQ(commands_->lastObservations().size(), static_cast<std::size_t>(context_->session().phases().Count()));
    EXPECT_TRUE(r->ellipse.valid());

    commands_->apply({r->lat, r->lon, r->depth, r->originTime, "Южный Байкал"});
    const CurrentEvent& e = context_->session().event();
    EXPECT_TRUE(e.hypocentreValid);
    EXPECT_EQ(e.comment, "Южный Байкал");
    EXPECT_NEAR(e.lat, truth.lat, 0.05);
    for (int i = 0; i < context_->session().phases().Count(); ++i) {
        const SEISMIC_PHASE& p = *context_->session().phases().GetAt(i);
        EXPECT_EQ(p.hasResidual, 1);
        EXPECT_LT(std::fabs(p.residual), 0.3f);
        EXPECT_GT(p.distance, 0.0f);
    }
}

// A new event with its picks and nothing else: the start dialog offers the grid search from the
// station of the first arrival, shortly before it, and OK on those defaults locates the event
// (the old defaults, 0, 0 and "now", had no travel time for any phase).
TEST_F(LocationCommandsTest, OkOnTheStartDialogsDefaultsLocatesTheDemoEvent) {
    AddDemoPicks(context_->session().phases(), context_->stations(), context_->session().catalogue());
    const demo::DemoEvent& truth = demo::DemoEvents()[0];
    const double first = context_->session().phases().GetAt(0)->time;  // the list is in time order
    for (bool svd : {false, true}) {
        SCOPED_TRACE(svd ? "svd" : "descent");
        context_->session().event() = CurrentEvent{};
        ASSERT_TRUE(test::DialogScript()
                        .then<CLocationStartDlg>([&](CLocationStartDlg* d) {
                            EXPECT_TRUE(d->gridBox()->isChecked());
                            EXPECT_FALSE(d->fixedDepthBox()->isChecked());
                            EXPECT_NE(d->latEdit()->text().toDouble(), 0.0);
                            EXPECT_EQ(d->timeEdit()->text().toStdString(),
                                      FormatUiTime(first - kStartBeforeFirstArrival, UiTimeForm::DateTimeMs));
                            d->accept();
                        })
                        .then<CHypocentreDlg>([](CHypocentreDlg* d) { d->accept(); })
                        .run([&] { commands_->locate(svd); }));
        EXPECT_TRUE(messages_.messages().empty());
        const CurrentEvent& e = context_->session().event();
        EXPECT_LT(Distance(e.lat, e.lon, truth.lat, truth.lon) * kEllipseKmPerDegree, 2.0);
        EXPECT_NEAR(e.originTime, truth.origin, 0.5);
    }
}

TEST_F(LocationCommandsTest, TheLoqCommandSavesItsFolderAndShowsTheOutput) {
    AddDemoPicks(context_->session().phases(), context_->stations(), context_->session().catalogue());
    context_->session().event().hypocentreValid = true;
    context_->session().event().lat = 52.0f;
    context_->session().event().lon = 105.5f;
    context_->session().event().depth = 10.0f;
    context_->session().event().orid = 5;
    EXPECT_EQ(commands_->loqFolder().toStdString(), StandInFolder());
    CopyStandIn(dir_.path() / "loq");
    const QString folder = QString::fromStdString((dir_.path() / "loq").string());

    CLoqDlg dialog(folder, context_->session().event().orid,
                   [this](const QString& f, int n, const std::function<void(const QString&)>& out) {
                       commands_->runLoqIn(f, n, out);
                   });
    EXPECT_EQ(dialog.numberBox()->value(), 5);
    dialog.runButton()->click();
    EXPECT_TRUE(messages_.messages().empty()) << messages_.messages()[0].text;
    EXPECT_TRUE(ParseSolution(dialog.outputBox()->toPlainText()));
    EXPECT_TRUE(fs::exists(dir_.path() / "loq" / "00000005.sds"));
    EXPECT_EQ(context_->ini().getString(kLoqSection, kLoqDirKey, ""), folder.toStdString() + "/");
    EXPECT_EQ(commands_->loqFolder(), folder + "/");

    // A folder that does not exist: the first file cannot be opened.
    commands_->runLoqIn(folder + "/missing", 5, {});
    ASSERT_EQ(messages_.messages().size(), 1u);
    EXPECT_EQ(messages_.messages()[0].text, std::string(kLoqFileOpenError) + folder.toStdString() +
                                                "/missing/00000005.sds: No such file or directory");
}

TEST_F(LocationCommandsTest, ALocatorThatCrashesFailsOrBabblesIsReportedAndThePicksStay) {
    AddDemoPicks(context_->session().phases(), context_->stations(), context_->session().catalogue());
    context_->session().event().hypocentreValid = true;
    context_->session().event().lat = 52.0f;
    const ZELPhases before = context_->session().phases();
    fs::create_directories(dir_.path() / "loq");
    const std::string program = (dir_.path() / "loq" / kLoqProgram).string();
    const QString folder = QString::fromStdString((dir_.path() / "loq").string());

    struct Case {
        const char* mode;
        std::string message;  // empty: a normal end
    };
    for (const Case& c : {Case{"abort", program + " завершился аварийно"},
                          Case{"exit 3", program + " завершился с кодом 3"}, Case{"garbage", ""}}) {
        SCOPED_TRACE(c.mode);
        messages_.clear();
        test::InstallMisbehavingProgram(program, c.mode);
        QString shown;
        commands_->runLoqIn(folder, 5, [&](const QString& text) { shown += text; });
        if (c.message.empty()) {
            EXPECT_TRUE(messages_.messages().empty()) << messages_.messages()[0].text;
        } else {
            ASSERT_EQ(messages_.messages().size(), 1u);
            EXPECT_EQ(messages_.messages()[0].text, c.message);
        }
        EXPECT_TRUE(shown.startsWith("misbehaving program started")) << shown.left(80).toStdString();
        EXPECT_LE(shown.toLocal8Bit().size(), 3 * kLoqOutputLimit);  // bounded, whatever the bytes
        // Nothing is read back from the locator: the picks and the hypocentre are as they were.
        ASSERT_EQ(context_->session().phases().Count(), before.Count());
        for (int i = 0; i < before.Count(); ++i) {
            EXPECT_EQ(context_->session().phases().GetAt(i)->stationIndex, before.GetAt(i)->stationIndex);
            EXPECT_EQ(context_->session().phases().GetAt(i)->time, before.GetAt(i)->time);
            EXPECT_EQ(context_->session().phases().GetAt(i)->hasResidual, before.GetAt(i)->hasResidual);
        }
        EXPECT_FLOAT_EQ(context_->session().event().lat, 52.0f);
    }
}

TEST(LocationDialogs, StartDialogReadsThePointAndRefusesBadFields) {
    CLocationStartDlg dialog(52.5, 105.25, 10.0, 1371211697.35);
    EXPECT_EQ(dialog.latEdit()->text(), "52.5000");
    EXPECT_EQ(dialog.timeEdit()->text(), "14/06/2013 12:08:17.350");
    dialog.latEdit()->setText("северная");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.latEdit()->setText("0");
    dialog.depthEdit()->setText("-5");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.depthEdit()->setText("10");
    dialog.latEdit()->setText("95");  // out of range on purpose: the search folds it
    dialog.fixedDepthBox()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.start().lat, 95.0);
    EXPECT_DOUBLE_EQ(dialog.start().originTime, 1371211697.35);
    EXPECT_TRUE(dialog.start().fixedDepth);
    EXPECT_FALSE(dialog.start().gridSearch);
}

TEST(LocationDialogs, ResultDialogShowsCopiesAndReadsBack) {
    RegionInfo region;
    region.seismicNumber = "18";
    region.seismicNameRu = "Байкальская рифтовая зона";
    region.geographicNumber = 641;
    region.geographicNameRu = "Lake Baikal region";
    ErrorEllipse ellipse{3.25, 1.5, 42.0};
    CHypocentreDlg dialog({52.02, 105.45, 10.0, 1371211697.35, ""}, {"ZMKP +00:00:0.12"}, ellipse, region);
    EXPECT_EQ(dialog.timeEdit()->text(), "14/6/2013 - 12:8:17.35");
    EXPECT_EQ(dialog.majorEdit()->text(), "3.25");
    EXPECT_EQ(dialog.residualList()->count(), 1);
    dialog.copySeismicButton()->click();
    EXPECT_EQ(dialog.commentEdit()->text(), "Байкальская рифтовая зона");
    dialog.copyGeographicButton()->click();
    EXPECT_EQ(dialog.commentEdit()->text(), "Lake Baikal region");

    std::optional<HypocentreValues> stored;
    dialog.onStore = [&](const HypocentreValues& v) { stored = v; };
    dialog.depthEdit()->setText("12.5");
    dialog.storeButton()->click();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->depth, 12.5);
    EXPECT_EQ(stored->comment, "Lake Baikal region");

    dialog.timeEdit()->setText("31/2/2013 - 1:2:3");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.timeEdit()->setText("14/6/2013 - 12:8:20.5");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.values().originTime, 1371211700.5);
}

}  // namespace
}  // namespace zel
