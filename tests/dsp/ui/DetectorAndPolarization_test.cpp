// The detector sheet and the polarization command on the demo disk loop, driven through the
// frame's actions: defaults from the registry store, the detection lists they fill and clear,
// the messages of refused input, and the result stored on a pick.

#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "data/demo/DemoDiskLoop.h"
#include "data/demo/DemoPhysics.h"
#include "dsp/DspWorkspace.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/StaLtaDetector.h"
#include "dsp/ui/DetectorCommands.h"
#include "dsp/ui/DetectorPages.h"
#include "dsp/ui/DspWorkspaceWidget.h"
#include "dsp/ui/PolarizationCommands.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/FilterSettings.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

class DetectorAndPolarizationTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame();
        ASSERT_TRUE(frame->waveforms()->openDefaultView());
        w = frame->waveforms();
        const double start = w->zoomWindows()[0]->pane().start();
        w->removeAllPanes();
        // The three components of the first station, ten minutes with the local earthquake.
        for (int slot = 0; slot < 3; ++slot) panes.push_back(w->addPane(0, slot, start, 600));
        QApplication::processEvents();
        station = context->stations()[0].code;
        for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
            if (a.station == station && a.phase == "P" && a.event == 0) onsetP = a;
        ASSERT_GT(onsetP.time, start);
    }
    void onSheet(std::function<void(CDetectorSheet*)> step) {
        QTimer::singleShot(0, [step] {
            auto* sheet = qobject_cast<CDetectorSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            step(sheet);
            sheet->reject();
        });
    }
    bool said(const std::string& text) const {
        for (const Message& m : messages.messages())
            if (m.text.find(text) != std::string::npos) return true;
        return false;
    }
    waveform* w = nullptr;
    std::vector<CZoomWindow*> panes;
    std::string station;
    demo::DemoArrival onsetP;
};

TEST_F(DetectorAndPolarizationTest, SheetRunsBothDetectorsFromTheChannelDefaults) {
    context->registry().write({{DetectorSection(station, "SHZ"), "Tlta", "12"}});
    CZoomWindow* z = panes[0];
    w->clickPlot(z);
    ASSERT_TRUE(z->pane().active);
    ASSERT_FALSE(panes[1]->pane().active);

    onSheet([&](CDetectorSheet* sheet) {
        EXPECT_EQ(sheet->windowTitle(), "Параметры детектора");
        EXPECT_EQ(sheet->tabs()->tabText(0), "LTA/STA детектор");
        EXPECT_EQ(sheet->tabs()->tabText(1), "Геотех+ LTA/STA детектор");
        EXPECT_EQ(sheet->zelPage()->ltaEdit()->text(), "12");
        EXPECT_EQ(sheet->zelPage()->staEdit()->text(), "1");
        EXPECT_FALSE(sheet->geotechPage()->filterBox()->isEnabled());
        // Out of its limits: the range message, nothing run.
        sheet->zelPage()->ltaEdit()->setText("0.5");
        EXPECT_FALSE(sheet->apply());
        EXPECT_TRUE(said("Введите число между 1 и 999."));
        EXPECT_EQ(z->pane().detections.Size(), 0u);
        sheet->zelPage()->ltaEdit()->setText("10");
        EXPECT_TRUE(sheet->apply());
        // No filtered copy: refused, and the list stays.
        const std::size_t found = z->pane().detections.Size();
        sheet->zelPage()->filterBox()->setChecked(true);
        EXPECT_TRUE(sheet->apply());
        EXPECT_TRUE(said("Нет фильтрованных данных"));
        EXPECT_EQ(z->pane().detections.Size(), found);
    });
    frame->action(33132)->trigger();

    // The P onset of the earthquake is among the onset estimates; the inactive panes have nothing.
    const DetectParam& list = z->pane().detections;
    ASSERT_GE(list.Size(), 2u);
    bool onset = false;
    for (std::size_t i = 1; i < list.Size(); i += 2) onset = onset || std::fabs(list.time[i] - onsetP.time) < 0.5;
    EXPECT_TRUE(onset);
    EXPECT_EQ(list.tlta[0], 10);
    EXPECT_EQ(panes[1]->pane().detections.Size(), 0u);
    z->grab().save("/tmp/zel_detections.png");  // for looking at

    // The Geotech page replaces the list with what that detector finds in the raw samples. (Its
    // 16-bit input makes every negative count a large one, so zero-mean noise keeps it busy and
    // it may find nothing here.)
    onSheet([&](CDetectorSheet* sheet) {
        sheet->tabs()->setCurrentIndex(1);
        sheet->geotechPage()->ltaEdit()->setText("20");
        EXPECT_TRUE(sheet->apply());
    });
    frame->action(33132)->trigger();
    CGeotechDetector geotech;
    DetectorParams g;
    g.tlta = 20;
    geotech.SetParams(g);
    DetectParam expected;
    const TracePane& pane = z->pane();
    RunGeotechDetector(geotech, PaneSamples(pane.data(), pane.start(), pane.duration(), pane.channel().nominalSps),
                       pane.channel().nominalSps, pane.start(), expected);
    EXPECT_EQ(pane.detections.time, expected.time);
    EXPECT_EQ(pane.detections.tlta, expected.tlta);

    // With Filter set the detector reads the filtered copy, only as far as the copy goes (here
    // 40 s of a 600 s pane), at the copy's rate: silence with a burst at its sample 3500.
    auto* detectors = w->findChild<DetectorCommands*>();
    ASSERT_NE(detectors, nullptr);
    TransformedSignal copy;
    copy.samples.assign(4000, 0.0f);
    for (std::size_t i = 3500; i < 3550; ++i) copy.samples[i] = (i % 2 ? -5.0f : 5.0f);
    copy.sps = 100;
    z->pane().setTransformed(copy);
    DetectorParams filtered;
    filtered.filter = true;
    detectors->runZel(filtered);
    ASSERT_EQ(pane.detections.Size(), 2u);
    EXPECT_NEAR(pane.detections.time[0], pane.start() + 35.0 - 0.5, 1e-6);
    EXPECT_NEAR(pane.detections.time[1], pane.start() + 35.0 - 0.02, 1e-6);

    // Entries to clear.
    z->pane().detections.Add(onsetP.time, 10, 1);
    frame->action(33134)->trigger();
    EXPECT_EQ(z->pane().detections.Size(), 0u);
}

TEST_F(DetectorAndPolarizationTest, AzimuthFromThreeComponentsIsStoredOnThePick) {
    auto* commands = w->findChild<PolarizationCommands*>();
    ASSERT_NE(commands, nullptr);
    // Activated in the order N, E, Z: the fields still go by component.
    w->clickPlot(panes[1]);
    w->clickPlot(panes[2]);
    w->clickPlot(panes[0]);
    const auto numbers = commands->componentPanes();
    EXPECT_EQ(numbers[0], panes[0]->pane().number());
    EXPECT_EQ(numbers[1], panes[1]->pane().number());
    EXPECT_EQ(numbers[2], panes[2]->pane().number());
    const std::array<std::string, 3> names = {"d" + std::to_string(numbers[0]), "d" + std::to_string(numbers[1]),
                                              "d" + std::to_string(numbers[2])};

    const int P = w->phaseCatalogue().IndexOf("P");
    std::optional<PolarizationResult> shown;
    commands->confirm = [&](const PolarizationResult& r, const QString& phase) {
        shown = r;
        EXPECT_EQ(phase, "P");
        return true;
    };
    // Unknown names and a missing interval are refused.
    EXPECT_EQ(commands->calculate({names[0], "d99", names[2]}, P), 1);
    EXPECT_TRUE(said("Неправильное имя окна: 'd99'"));
    EXPECT_EQ(commands->calculate(names, P), -1);
    EXPECT_TRUE(said("Не выбран интервал"));
    EXPECT_FALSE(shown);

    // A pick to receive the result, and the first half second of P marked.
    SEISMIC_PHASE pick;
    pick.stationIndex = 0;
    pick.channelIndex = 0;
    pick.phaseIndex = P;
    pick.time = onsetP.time;
    context->session().phases().Add(pick);
    panes[0]->pane().intervalMark = std::pair(onsetP.time - 0.02, onsetP.time + 0.5);
    EXPECT_EQ(commands->calculate(names, P), -1);
    ASSERT_TRUE(shown.has_value());
    const auto& st = demo::DemoStations()[0];
    const demo::DemoEvent& quake = demo::DemoEvents()[0];
    const double baz = demo::GeocentricDistAz(quake.lat, quake.lon, st.lat, st.lon).backAzimuth;
    EXPECT_NEAR(std::remainder(shown->azimuth - baz, 360.0), 0, 3.0);
    EXPECT_GT(shown->rectilinearity, 0.9);
    const SEISMIC_PHASE* stored = context->session().phases().Find(0, 0, P);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->hasAzimuth, 1);
    EXPECT_FLOAT_EQ(stored->azimuth, static_cast<float>(shown->azimuth));
    EXPECT_FLOAT_EQ(stored->emergence, static_cast<float>(shown->incidence));

    // The particle-motion window draws the same three signals between the marks.
    commands->showParticleMotion();
    CGet3WindowNames* motion = commands->particleMotion();
    EXPECT_EQ(motion->windowTitle(), "Движение частиц");
    for (int i = 0; i < 3; ++i) motion->field(i)->setText(QString::fromStdString(names[static_cast<std::size_t>(i)]));
    EXPECT_EQ(motion->refresh(), "");
    EXPECT_FALSE(motion->plot()->empty());
    motion->resize(600, 260);
    motion->grab().save("/tmp/zel_particle_motion.png");  // for looking at
    motion->field(1)->setText("x1");
    EXPECT_EQ(motion->refresh(), "Неправильное имя окна: 'x1'");
    EXPECT_TRUE(motion->plot()->empty());

    // Or three windows of the DSP workspace, whole.
    auto* dsp = qobject_cast<CDSP*>(frame->child(Workbench::kDsp)->widget());
    DspWorkspace* workspace = dsp ? &dsp->model() : nullptr;
    ASSERT_NE(workspace, nullptr);
    ASSERT_GE(workspace->size(), 3);
    for (int i = 0; i < 3; ++i) workspace->putData(i, {0.0 + i, 1.0, -1.0 * i, 2.0}, 0.01);
    for (int i = 0; i < 3; ++i) motion->field(i)->setText(QString("w%1").arg(i));
    EXPECT_EQ(motion->refresh(), "");
    EXPECT_FALSE(motion->plot()->empty());
    motion->field(2)->setText("w70");
    EXPECT_EQ(motion->refresh(), "Неправильное имя окна: 'w70'");
    motion->hide();
}

}  // namespace
}  // namespace zel
