// A whole event worked the way an analyst works it, through the main frame's commands and their
// dialogs on the demo disk loop: a new event, channels chosen, a band filter, P and S picked with
// the mouse at the demo's true arrivals, the internal location, Wood-Anderson amplitudes and ML,
// the save, the list of events and the reload, the report, the CSS tables and the IMS bulletin.
// The result must be the demo's own earthquake; it runs on the embedded SQLite database of a first
// start and on a shared PostgreSQL working database.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimeZone>
#include <QTreeWidget>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "app/ui/MainFrame.h"
#include "base/TimeConversions.h"
#include "data/demo/DemoDiskLoop.h"
#include "db/Databases.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/ui/FilterPage.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventDialogs.h"
#include "events/ui/LocationDialogs.h"
#include "events/ui/MagnitudeDialogs.h"
#include "events/ui/ResidualPlotWindow.h"
#include "events/ui/ShowOrigins.h"
#include "formats/ImsBulletin.h"
#include "formats/ui/CssFilesDialogs.h"
#include "formats/ui/ReportDialog.h"
#include "session/AppContext.h"
#include "support/ScratchDatabase.h"
#include "support/ui/DemoFrameTest.h"
#include "support/ui/DialogScript.h"
#include "wave/Picking.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/ChannelDialogs.h"
#include "wave/ui/PickDlg.h"
#include "wave/ui/RecordSectionWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

constexpr int kPickMode = 32712;  // "Отметить фазу"
constexpr int kWoodAnderson = 33140;
constexpr const char* kEventId = "BAIKAL-E2E";

// The stations the analyst works: three-component stations around the local event.
const char* const kStations[] = {"ARS", "BGD", "VDR", "ZMK", "LSN", "KRS", "DLN"};

class EndToEnd : public test::DemoFrameTest, public ::testing::WithParamInterface<test::Backend> {
  protected:
    void SetUp() override {
        if (GetParam() == test::Backend::PostgreSQL) {
            scratch = std::make_unique<test::ScratchDatabase>(GetParam());
            if (!scratch->available()) GTEST_SKIP() << "ZEL_TEST_PG is not set: no PostgreSQL server for this run";
            commandLine.odbc = scratch->connectString();
        }
        openDemoFrame([this](AppContext& c) {
            c.ini().writeString("PRESELECTED PHASES", "Selection", "Regional");
            c.ini().writeString("PRESELECTED PHASES", "Regional", "Sn;Pn;P;S");
            // A shared database is not the embedded one a first start fills: its administrator
            // catalogues the network's loop there.
            if (scratch) {
                Databases shared(LoadDatabaseSettings(c.ini(), commandLine), messages);
                ASSERT_EQ(shared.openWorkDb(), 1);
                ASSERT_TRUE(EnsureDemoDiskLoop(c.settings().dataDir, c.paths().resources, shared));
            }
        });
        expectNoWarnings("start");
    }
    void expectNoWarnings(const char* step) {
        for (const Message& m : messages.messages())
            if (m.icon != MessageIcon::Information) ADD_FAILURE() << step << ": " << m.caption << ": " << m.text;
        messages.clear();
    }
    void trigger(int command) {
        QAction* a = frame->action(command);
        ASSERT_TRUE(a->isEnabled()) << command;
        a->trigger();
        QApplication::processEvents();
    }
    // A command of the phase list window that the frame has no id for.
    QAction* phaseListAction(const QString& text) {
        for (QAction* a : frame->child(CMainFrame::kPhaseList)->widget()->actions())
            if (a->text() == text) return a;
        ADD_FAILURE() << "no phase list command " << text.toStdString();
        return nullptr;
    }
    const demo::DemoArrival& truthOf(const std::string& station, const std::string& phase) {
        for (const demo::DemoArrival& a : arrivals)
            if (a.event == 0 && a.station == station && a.phase == phase) return a;
        throw std::runtime_error("no demo arrival " + phase + " at " + station);
    }
    CZoomWindow* paneOf(const std::string& station, const std::string& channel) {
        for (CZoomWindow* w : frame->waveforms()->zoomWindows()) {
            const Station& s = context->stations()[w->pane().channel().stationIndex];
            if (s.code == station && s.slots[w->pane().channel().slot].channel == channel) return w;
        }
        ADD_FAILURE() << "no pane " << station << " " << channel;
        return nullptr;
    }
    static QPoint pointAt(CZoomWindow* w, double t) {
        const TraceMapping m = w->timeMapping();
        return {PickColumn(m, t), (m.plot.top + m.plot.bottom) / 2};
    }
    static double secondsPerPixel(CZoomWindow* w) {
        const TraceMapping m = w->timeMapping();
        return m.duration / (m.plot.right - m.plot.left);
    }
    // A click in pick mode (which stays on) at the arrival, answered with the phase in the dialog.
    void pickAt(CZoomWindow* w, const char* phase, double t) {
        if (!frame->waveforms()->pickMode()) trigger(kPickMode);
        const QPoint at = pointAt(w, t);
        test::DialogScript()
            .then<CPickDlg>([phase](CPickDlg* d) {
                d->phaseBox()->setCurrentText(phase);
                d->accept();
            })
            .run([&] {
                QTest::mousePress(w, Qt::LeftButton, {}, at);
                QTest::mouseRelease(w, Qt::LeftButton, {}, at);
            });
    }
    // A mark dragged with the mouse from a to b (not in pick mode).
    static void dragMark(CZoomWindow* w, double from, double to) {
        const QPoint a = pointAt(w, from), b = pointAt(w, to);
        QTest::mousePress(w, Qt::LeftButton, {}, a);
        for (int x = a.x(); x != b.x(); x += b.x() > a.x() ? 1 : -1) QTest::mouseMove(w, {x, a.y()});
        QTest::mouseRelease(w, Qt::LeftButton, {}, b);
    }
    // The vertical and north channels of each station, a minute from just before the origin, all
    // active: what the analyst has on screen before the first pick.
    void loadChannels() {
        waveform* wave = frame->waveforms();
        wave->removeAllPanes();
        const double start = std::floor(truth.origin) - 5;
        ASSERT_TRUE(test::DialogScript()
                        .then<CSelectTracesDlg>([&](CSelectTracesDlg* d) {
                            QTreeWidget* tree = d->stations();
                            QTreeWidgetItem* all = tree->topLevelItem(tree->topLevelItemCount() - 1);
                            for (const char* code : kStations) {
                                QTreeWidgetItem* item = nullptr;
                                for (int i = 0; i < all->childCount(); ++i)
                                    if (all->child(i)->text(0) == code) item = all->child(i);
                                ASSERT_NE(item, nullptr) << code;
                                tree->setCurrentItem(item);
                                for (int i = 0; i < d->channels()->count(); ++i) {
                                    QListWidgetItem* c = d->channels()->item(i);
                                    if (c->text().startsWith("SHZ") || c->text().startsWith("SHN"))
                                        c->setCheckState(Qt::Checked);
                                }
                            }
                            d->findChild<QDateTimeEdit*>("start")->setDateTime(QDateTime::fromSecsSinceEpoch(
                                static_cast<qint64>(start), QTimeZone::utc()));
                            d->findChild<QDoubleSpinBox*>("duration")->setValue(60);
                            for (QCheckBox* box : d->findChildren<QCheckBox*>())
                                if (box->text() == "Установить данное время для всех станций") box->setChecked(true);
                            d->accept();
                        })
                        .run([&] { trigger(cmd::kAddChannels); }));
        expectNoWarnings("channels");
        QApplication::processEvents();
        ASSERT_EQ(wave->zoomWindows().size(), 2 * std::size(kStations));
    }
    // The located event is the demo's earthquake; returns how far off the epicentre is, in km.
    double expectDemoHypocentre(const CurrentEvent& located) {
        EXPECT_TRUE(located.hypocentreValid);
        const double offsetKm = Distance(located.lat, located.lon, truth.lat, truth.lon) * 111.195;
        EXPECT_LT(offsetKm, 10.0);
        EXPECT_NEAR(located.originTime, truth.origin, 1.5);
        EXPECT_NEAR(located.depth, truth.depth, 10.0);
        return offsetKm;
    }
    const SEISMIC_PHASE* pickOf(CZoomWindow* w, const char* phase) {
        return context->session().phases().Find(w->pane().channel().stationIndex, w->pane().channel().slot,
                                   context->session().catalogue().IndexOf(phase));
    }
    static QTreeWidgetItem* rowOf(QTreeWidget* list, const QString& id) {
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0).trimmed() == id) return list->topLevelItem(i);
        return nullptr;
    }

    std::unique_ptr<test::ScratchDatabase> scratch;
    const std::vector<demo::DemoArrival> arrivals = demo::DemoArrivals(ZEL_RESOURCES_DIR);
    const demo::DemoEvent& truth = demo::DemoEvents()[0];
};

TEST_P(EndToEnd, LocalEarthquakeFromPicksToBulletin) {
    waveform* wave = frame->waveforms();
    ASSERT_TRUE(context->session().catalogue().HasCurve(context->session().catalogue().IndexOf("P")));
    ASSERT_TRUE(context->session().catalogue().HasCurve(context->session().catalogue().IndexOf("S")));

    // A new event: the phase list starts empty under its id.
    ASSERT_TRUE(test::DialogScript()
                    .then<CNewEventDlg>([](CNewEventDlg* d) {
                        d->idEdit()->setText(kEventId);
                        d->commentEdit()->setText("Южный Байкал");
                        d->accept();
                    })
                    .run([&] { trigger(cmd::kNewEvent); }));
    expectNoWarnings("new event");
    ASSERT_EQ(QString::fromStdString(context->session().event().eventId).trimmed(), kEventId);

    // The channels: vertical and north of each station, a minute from just before the origin.
    loadChannels();
    const double start = std::floor(truth.origin) - 5;
    for (CZoomWindow* w : wave->zoomWindows()) {
        EXPECT_DOUBLE_EQ(w->pane().start(), start);
        EXPECT_DOUBLE_EQ(w->pane().duration(), 60);
        EXPECT_TRUE(w->pane().active);
    }

    // A 1-10 Hz band-pass on every active pane.
    ASSERT_TRUE(test::DialogScript()
                    .then<CFilterSheet>([](CFilterSheet* sheet) {
                        GetFilterPage0* page = sheet->page();
                        page->setType(0);
                        page->lowEdit()->setText("1");
                        page->highEdit()->setText("10");
                        page->orderBox()->setValue(4);
                        page->setModified(true);
                        EXPECT_TRUE(sheet->apply());
                    })
                    .run([&] { trigger(cmd::kFilter); }));
    expectNoWarnings("filter");
    for (CZoomWindow* w : wave->zoomWindows()) EXPECT_TRUE(w->pane().transformed().has_value());

    // P on the vertical, S on the north component, clicked where the demo put them.
    for (const char* code : kStations) {
        for (auto [phase, channel] : {std::pair{"P", "SHZ"}, std::pair{"S", "SHN"}}) {
            CZoomWindow* w = paneOf(code, channel);
            ASSERT_NE(w, nullptr);
            const double t = truthOf(code, phase).time;
            pickAt(w, phase, t);
            const SEISMIC_PHASE* p = pickOf(w, phase);
            ASSERT_NE(p, nullptr) << code << " " << phase;
            EXPECT_NEAR(p->time, t, secondsPerPixel(w)) << code << " " << phase;
            EXPECT_EQ(p->included, 1);
        }
    }
    expectNoWarnings("picks");
    trigger(kPickMode);  // marks follow: pick mode off
    ASSERT_FALSE(wave->pickMode());
    ASSERT_EQ(context->session().phases().Count(), 2 * static_cast<int>(std::size(kStations)));

    // The internal location, started at the station that recorded P first.
    const SEISMIC_PHASE* first = nullptr;
    for (int i = 0; i < context->session().phases().Count(); ++i)
        if (!first || context->session().phases().GetAt(i)->time < first->time) first = context->session().phases().GetAt(i);
    const Station& nearest = context->stations()[first->stationIndex];
    ASSERT_TRUE(test::DialogScript()
                    .then<CLocationStartDlg>([&](CLocationStartDlg* d) {
                        d->latEdit()->setText(QString::number(nearest.lat, 'f', 4));
                        d->lonEdit()->setText(QString::number(nearest.lon, 'f', 4));
                        d->depthEdit()->setText("15");
                        d->timeEdit()->setText(
                            QString::fromStdString(FormatUiTime(first->time - 3, UiTimeForm::DateTimeMs)));
                        d->gridBox()->setChecked(false);
                        d->fixedDepthBox()->setChecked(false);
                        d->accept();
                    })
                    .then<CHypocentreDlg>([](CHypocentreDlg* d) {
                        EXPECT_GE(d->residualList()->count(), 10);
                        d->accept();
                    })
                    .run([&] { trigger(cmd::kLocateHypocentre); }));
    expectNoWarnings("location");
    const CurrentEvent located = context->session().event();
    const double offsetKm = expectDemoHypocentre(located);
    for (int i = 0; i < context->session().phases().Count(); ++i) {
        const SEISMIC_PHASE& p = *context->session().phases().GetAt(i);
        EXPECT_EQ(p.hasResidual, 1);
        EXPECT_LT(std::fabs(p.residual), 1.0f);
    }

    // ML at each station: a Wood-Anderson record of the north component, a mark over the S swing,
    // the measurement and the dialog's ML into the S pick.
    for (const char* code : kStations) {
        CZoomWindow* w = paneOf(code, "SHN");
        const double s = truthOf(code, "S").time;
        wave->deactivateAll();
        dragMark(w, s + 4, s - 0.5);
        ASSERT_TRUE(w->pane().main && w->pane().active) << code;
        trigger(kWoodAnderson);
        ASSERT_EQ(w->pane().transformed()->code(), 1004) << code;
        ASSERT_TRUE(test::DialogScript()
                        .then<CAmplitudeDlg>([](CAmplitudeDlg* d) {
                            d->phaseBox()->setCurrentIndex(d->phaseBox()->findText("S"));
                            d->compute(DialogMagnitude::Ml);
                            d->accept();
                        })
                        .run([&] { trigger(cmd::kAmplitudePeriod); }));
        const SEISMIC_PHASE* p = pickOf(w, "S");
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->hasAmplitude, 1) << code;
        EXPECT_NEAR(p->ml, truth.magnitude, 0.3) << code;
    }
    expectNoWarnings("amplitudes");
    trigger(cmd::kRecomputeResiduals);
    expectNoWarnings("magnitudes");

    // Saved into the event, then the list cleared and the event loaded again from the database.
    ASSERT_TRUE(test::DialogScript()
                    .then<CSelectPhaseGroup>([](CSelectPhaseGroup* d) {
                        QTreeWidgetItem* row = rowOf(d->list(), kEventId);
                        ASSERT_NE(row, nullptr);
                        d->list()->setCurrentItem(row);
                        d->accept();
                    })
                    .run([&] { trigger(cmd::kSavePhaseListDb); }));
    expectNoWarnings("save");
    const int orid = context->session().event().orid;
    ASSERT_GT(orid, 0);
    std::map<std::pair<int, int>, SEISMIC_PHASE> saved;
    for (int i = 0; i < context->session().phases().Count(); ++i) {
        const SEISMIC_PHASE& p = *context->session().phases().GetAt(i);
        saved[{p.stationIndex, p.phaseIndex}] = p;
    }

    trigger(cmd::kShowOrigins);
    auto* origins = frame->findChild<CShowOrigins*>();
    ASSERT_NE(origins, nullptr);
    EXPECT_TRUE(origins->isVisible());
    QTreeWidgetItem* listed = rowOf(origins->list(), kEventId);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->text(1).toInt(), orid);
    EXPECT_NEAR(listed->text(3).toDouble(), located.lat, 0.01);
    EXPECT_NEAR(listed->text(4).toDouble(), located.lon, 0.01);
    origins->close();

    trigger(cmd::kClearPhaseList);
    ASSERT_EQ(context->session().phases().Count(), 0);
    context->session().event() = CurrentEvent{};
    ASSERT_TRUE(test::DialogScript()
                    .then<CSelectPhaseGroup>([](CSelectPhaseGroup* d) {
                        QTreeWidgetItem* row = rowOf(d->list(), kEventId);
                        ASSERT_NE(row, nullptr);
                        d->list()->setCurrentItem(row);
                        d->accept();
                    })
                    .run([&] { trigger(cmd::kLoadPhaseListDb); }));
    expectNoWarnings("load");
    const CurrentEvent& reloaded = context->session().event();
    EXPECT_EQ(QString::fromStdString(reloaded.eventId).trimmed(), kEventId);
    EXPECT_EQ(reloaded.orid, orid);
    EXPECT_TRUE(reloaded.hypocentreValid);
    EXPECT_NEAR(reloaded.lat, located.lat, 1e-3);
    EXPECT_NEAR(reloaded.lon, located.lon, 1e-3);
    EXPECT_NEAR(reloaded.depth, located.depth, 0.05);
    EXPECT_NEAR(reloaded.originTime, located.originTime, 0.01);
    ASSERT_EQ(context->session().phases().Count(), static_cast<int>(saved.size()));
    double mlSum = 0;
    int mlCount = 0;
    for (int i = 0; i < context->session().phases().Count(); ++i) {
        const SEISMIC_PHASE& p = *context->session().phases().GetAt(i);
        const auto it = saved.find({p.stationIndex, p.phaseIndex});
        ASSERT_NE(it, saved.end());
        EXPECT_NEAR(p.time, it->second.time, 0.001);
        EXPECT_EQ(p.channelIndex, it->second.channelIndex);
        EXPECT_NEAR(p.ml, it->second.ml, 0.01);
        if (p.ml > 0) mlSum += p.ml, ++mlCount;
    }
    ASSERT_EQ(mlCount, static_cast<int>(std::size(kStations)));

    // The report of the day, saved as text.
    const std::string out = dir.file("out");
    fs::create_directory(out);
    const std::string reportPath = out + "/report.txt";
    ASSERT_TRUE(test::DialogScript()
                    .then<CReportDlg>([&](CReportDlg* d) {
                        d->startEdit()->setText("14/06/2013 00:00:00");
                        d->endEdit()->setText("15/06/2013 00:00:00");
                        d->phasesCheck()->setChecked(true);
                        ASSERT_TRUE(d->showReport());
                        d->saveTo(reportPath);
                    })
                    .run([&] { trigger(cmd::kEventReport); }));
    expectNoWarnings("report");
    const std::string report = test::ReadFile(reportPath);
    EXPECT_NE(report.find(kEventId), std::string::npos);
    EXPECT_NE(report.find("Южный Байкал"), std::string::npos);
    for (const char* code : kStations) EXPECT_NE(report.find(code), std::string::npos) << code;

    // The CSS 3.0 tables of the event under its orid.
    ASSERT_TRUE(test::DialogScript()
                    .then<CCssFilesDlg>([&](CCssFilesDlg* d) {
                        EXPECT_EQ(d->oridEdit()->text().toInt(), orid);
                        d->folderEdit()->setText(QString::fromStdString(out));
                        d->accept();
                    })
                    .run([&] { trigger(cmd::kWriteCssTables); }));
    expectNoWarnings("CSS tables");
    const std::string base = out + "/" + std::to_string(orid) + ".";
    const std::string origin = test::ReadFile(base + "Origin");
    ASSERT_FALSE(origin.empty());
    std::istringstream originFields(origin);
    double lat = 0, lon = 0;
    originFields >> lat >> lon;
    EXPECT_NEAR(lat, located.lat, 1e-3);
    EXPECT_NEAR(lon, located.lon, 1e-3);
    const std::string arrival = test::ReadFile(base + "Arrival");
    EXPECT_EQ(std::count(arrival.begin(), arrival.end(), '\n'), context->session().phases().Count());
    const std::string stamag = test::ReadFile(base + "Stamag");
    EXPECT_EQ(std::count(stamag.begin(), stamag.end(), '\n'), mlCount);
    EXPECT_TRUE(fs::exists(base + "Assoc"));
    EXPECT_TRUE(fs::exists(base + "Amplitude"));

    // The IMS1.0 bulletin, read back with the bulletin reader.
    const std::string bulletinPath = out + "/bulletin.txt";
    QAction* writeBulletin = phaseListAction("Сохранить результаты обработки в формате REB/IMS");
    ASSERT_NE(writeBulletin, nullptr);
    ASSERT_TRUE(test::DialogScript()
                    .then<QFileDialog>([&](QFileDialog* d) {
                        d->selectFile(QString::fromStdString(bulletinPath));
                        static_cast<QDialog*>(d)->accept();  // public as a dialog's OK
                    })
                    .run([&] { writeBulletin->trigger(); }));
    expectNoWarnings("bulletin");
    const std::vector<ImsEvent> bulletin = ReadImsBulletinFile(bulletinPath, ImsLayout::Columns);
    ASSERT_EQ(bulletin.size(), 1u);
    ASSERT_TRUE(bulletin[0].origin && bulletin[0].origin->HasCoordinates());
    EXPECT_NEAR(*bulletin[0].origin->lat, located.lat, 1e-3);
    EXPECT_NEAR(*bulletin[0].origin->lon, located.lon, 1e-3);
    EXPECT_NEAR(bulletin[0].origin->Epoch(), located.originTime, 0.01);
    EXPECT_EQ(bulletin[0].phases.size(), saved.size());
    const std::string bulletinText = test::ReadFile(bulletinPath);
    std::smatch ml;
    ASSERT_TRUE(std::regex_search(bulletinText, ml, std::regex(R"((?:^|\n)ML\s+(\d+\.\d))")))
        << "no network ML in the bulletin";
    const double networkMl = std::stod(ml[1]);
    EXPECT_NEAR(networkMl, mlSum / mlCount, 0.051);
    EXPECT_NEAR(networkMl, truth.magnitude, 0.3);

    std::cout << std::fixed << std::setprecision(3) << "end-to-end (" << test::BackendName(GetParam())
              << "): located " << located.lat << "N " << located.lon << "E h=" << std::setprecision(1)
              << located.depth << " t=" << FormatUiTime(located.originTime, UiTimeForm::DateTimeMs)
              << " ML=" << networkMl << " (mean of " << mlCount << " stations " << std::setprecision(2)
              << mlSum / mlCount << ", epicentre off by " << offsetKm << " km) | truth " << std::setprecision(3) << truth.lat << "N " << truth.lon << "E h="
              << std::setprecision(1) << truth.depth << " t=" << FormatUiTime(truth.origin, UiTimeForm::DateTimeMs)
              << " ML=" << truth.magnitude << std::endl;
}

// The same local event with the keys alone once the channels are on screen: P and S where the
// pointer is, a slip undone and redone, the location from the proposed start, the Wood-Anderson
// records and ML at each station. Every key goes through the window's own shortcuts.
TEST_P(EndToEnd, LocalEarthquakeByKeys) {
    if (GetParam() != test::Backend::SQLite) GTEST_SKIP() << "the keys do not depend on the database";
    ASSERT_TRUE(test::DialogScript()
                    .then<CNewEventDlg>([](CNewEventDlg* d) {
                        d->idEdit()->setText(kEventId);
                        d->accept();
                    })
                    .run([&] { trigger(cmd::kNewEvent); }));
    loadChannels();
    // The offscreen platform gives the keyboard back to no window when a dialog closes; a
    // desktop gives it back to the frame.
    auto regainKeyboard = [&] {
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    };
    regainKeyboard();
    int keys = 0;
    auto key = [&](QWidget* w, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(w, k, mods);
        QApplication::processEvents();
        ++keys;
    };
    auto hover = [&](CZoomWindow* w, double t) {
        frame->waveforms()->scrollToBottomOf(w);  // the analyst scrolls to a pane below the window's edge
        QTest::mouseMove(w, pointAt(w, t));
        QApplication::processEvents();
    };
    ZELPhases& list = context->session().phases();

    for (const char* code : kStations)
        for (auto [phase, channel, k] : {std::tuple{"P", "SHZ", Qt::Key_P}, std::tuple{"S", "SHN", Qt::Key_S}}) {
            CZoomWindow* w = paneOf(code, channel);
            const double t = truthOf(code, phase).time;
            hover(w, t);
            key(w, k);
            const SEISMIC_PHASE* p = pickOf(w, phase);
            ASSERT_NE(p, nullptr) << code << " " << phase;
            EXPECT_NEAR(p->time, t, secondsPerPixel(w)) << code << " " << phase;
        }
    ASSERT_EQ(list.Count(), 2 * static_cast<int>(std::size(kStations)));

    // A slip: the last S taken back and given again.
    CZoomWindow* last = paneOf(kStations[std::size(kStations) - 1], "SHN");
    const SEISMIC_PHASE lastS = *pickOf(last, "S");
    key(last, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(list.Count(), 2 * static_cast<int>(std::size(kStations)) - 1);
    EXPECT_EQ(pickOf(last, "S"), nullptr);
    key(last, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_NE(pickOf(last, "S"), nullptr);
    EXPECT_EQ(pickOf(last, "S")->time, lastS.time);
    EXPECT_EQ(last->picks().size(), 1u);

    ASSERT_TRUE(test::DialogScript()
                    .then<CLocationStartDlg>([&](CLocationStartDlg* d) { key(d, Qt::Key_Return); })
                    .then<CHypocentreDlg>([&](CHypocentreDlg* d) { key(d, Qt::Key_Return); })
                    .run([&] { key(last, Qt::Key_L, Qt::ControlModifier); }));
    expectNoWarnings("location");
    regainKeyboard();
    expectDemoHypocentre(context->session().event());
    EXPECT_TRUE(context->session().event().ellipse.valid());  // the map draws it round the epicentre

    key(last, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);  // Wood-Anderson on every active pane
    for (const char* code : kStations) {
        CZoomWindow* w = paneOf(code, "SHN");
        ASSERT_TRUE(w->pane().transformed() && w->pane().transformed()->code() == 1004) << code;
        hover(w, truthOf(code, "S").time + 0.3);
        ASSERT_TRUE(test::DialogScript()
                        .then<CAmplitudeDlg>([&](CAmplitudeDlg* d) {
                            EXPECT_EQ(d->phaseBox()->currentText(), "S") << code;
                            // A mnemonic needs the dialog to have the keyboard, as a desktop gives it.
                            QApplication::setActiveWindow(d);
                            d->phaseBox()->setFocus();
                            key(d, Qt::Key_M, Qt::AltModifier);
                            QTest::qWait(200);  // a mnemonic clicks the button as the mouse would: released a moment later
                            EXPECT_FALSE(d->resultEdit(DialogMagnitude::Ml)->text().isEmpty()) << code;
                            key(d, Qt::Key_Return);
                        })
                        .run([&] { key(w, Qt::Key_A); }));
        regainKeyboard();
        const SEISMIC_PHASE* p = pickOf(w, "S");
        ASSERT_NE(p, nullptr);
        EXPECT_NEAR(p->ml, truth.magnitude, 0.3) << code;
    }
    expectNoWarnings("amplitudes");
    // ZEL_SHOT_DIR=dir keeps what the analyst saw: the picked window and the menus.
    if (const char* shots = std::getenv("ZEL_SHOT_DIR")) {
        frame->waveforms()->scrollToBottomOf(paneOf("ARS", "SHN"));
        frame->grab().save(QString(shots) + "/picked.png");
        QMenu* waveforms = frame->menu(cmd::Menu::Waveforms);
        waveforms->popup(frame->mapToGlobal(QPoint(100, 30)));
        QApplication::processEvents();
        waveforms->grab().save(QString(shots) + "/menu-waveforms.png");
        for (QAction* a : waveforms->actions())
            if (a->menu() && a->text() == "&Фазы") {
                a->menu()->popup(frame->mapToGlobal(QPoint(400, 30)));
                QApplication::processEvents();
                a->menu()->grab().save(QString(shots) + "/menu-phases.png");
                a->menu()->hide();
            }
        waveforms->hide();
    }
    std::cout << "keys from channels on screen to ML: " << keys << " key presses, no clicks" << std::endl;

    // The verticals as a record section and the location's residuals, each by its key: the S
    // picked on the north component shows on its station's vertical trace.
    frame->waveforms()->deactivateAll();
    for (const char* code : kStations) frame->waveforms()->clickCaption(paneOf(code, "SHZ"));
    auto plotOf = [&]<class Plot>(Plot*) -> Plot* {
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
            if (auto* w = qobject_cast<Plot*>(sub->widget())) return w;
        return nullptr;
    };
    key(last, Qt::Key_G, Qt::ControlModifier);
    auto* section = plotOf(static_cast<RecordSectionWindow*>(nullptr));
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->section().traces.size(), std::size(kStations));
    for (const SectionTrace& t : section->section().traces) {
        std::set<std::string> phases;
        for (const SectionPick& p : t.picks) phases.insert(p.phase);
        EXPECT_EQ(phases, (std::set<std::string>{"P", "S"})) << t.station;
    }
    ASSERT_EQ(section->section().curves.size(), 2u);
    regainKeyboard();
    key(last, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    auto* residuals = plotOf(static_cast<ResidualPlotWindow*>(nullptr));
    ASSERT_NE(residuals, nullptr);
    EXPECT_EQ(residuals->rows().size(), 2 * std::size(kStations));
    // A pick taken out of the calculation shows apart on both plots at once.
    SEISMIC_PHASE* taken = list.Find(paneOf("ZMK", "SHN")->pane().channel().stationIndex,
                                     paneOf("ZMK", "SHN")->pane().channel().slot,
                                     context->session().catalogue().IndexOf("S"));
    ASSERT_NE(taken, nullptr);
    taken->included = 0;
    context->session().changed(SessionChange::Picks);
    EXPECT_EQ(std::count_if(residuals->rows().begin(), residuals->rows().end(),
                            [](const ResidualRow& r) { return !r.defining; }),
              1);
    for (const SectionTrace& t : section->section().traces)
        for (const SectionPick& p : t.picks) EXPECT_EQ(p.included, t.station != "ZMK" || p.phase != "S") << t.station;
    expectNoWarnings("plots");
    if (const char* shots = std::getenv("ZEL_SHOT_DIR")) {
        for (PlotWindow* plot : std::initializer_list<PlotWindow*>{section, residuals}) {
            plot->parentWidget()->resize(1150, 760);
            QApplication::processEvents();
        }
        section->savePng(QString(shots) + "/record-section.png");
        residuals->savePng(QString(shots) + "/residuals.png");
    }
}

ZEL_INSTANTIATE_DATABASE_TEST(EndToEnd);

}  // namespace
}  // namespace zel
