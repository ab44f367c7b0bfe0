// The distance, region and travel-time commands in the frame of a fresh install with the demo
// data: the region tables filled at the first start, and the distance estimate from the S-P time
// of the demo earthquake on an active pane, which must find the demo's true distance.

#include "events/ui/GeometryCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cmath>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/Regions.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "support/TestAppPaths.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

class GeometryCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        context = std::make_unique<AppContext>(CommandLineOverrides{}, test::TestAppPaths(dir), messages);
        context->loadConfiguration();
        frame = CreateMainFrame(*context, {.splash = false, .demoData = true});
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        QApplication::processEvents();
        context->session().catalogue().Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "");
        commands = frame->findChild<GeometryCommands*>();
    }
    void TearDown() override {
        delete frame;
        context.reset();
    }

    test::TempDir dir;
    RecordingMessageSink messages;
    std::unique_ptr<AppContext> context;
    CMainFrame* frame = nullptr;
    GeometryCommands* commands = nullptr;
};

TEST_F(GeometryCommandsTest, FirstStartFillsTheRegionTablesAndEnablesTheCommands) {
    ASSERT_NE(commands, nullptr);
    for (int id : {32768, 32724, 32717, 33107, 33182, 33219})
        EXPECT_TRUE(frame->action(id)->isEnabled()) << id;
    const auto region = RegionOf(context->databases().work(), 52.02, 105.45);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->geographicName, "LAKE BAYKAL REGION, RUSSIA");

    // No active pane: the waveform window's message, and no dialog.
    for (CZoomWindow* w : frame->waveforms()->zoomWindows()) w->pane().active = false;
    messages.clear();
    frame->action(32717)->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Не выбрано главное окно");
}

TEST_F(GeometryCommandsTest, DistanceEstimateOnTheDemoEarthquakeFindsTheTrueDistance) {
    const auto panes = frame->waveforms()->zoomWindows();
    ASSERT_FALSE(panes.empty());
    for (CZoomWindow* w : panes) w->pane().active = w->pane().main = false;
    TracePane& pane = panes.front()->pane();
    pane.active = pane.main = true;
    const int station = pane.channel().stationIndex, slot = pane.channel().slot;
    const std::string code = context->stations().at(station).code;

    // The analyst's P and S picks on that channel, read to the hundredth of a second.
    double trueDistance = -1;
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR)) {
        if (a.event != 0 || a.station != code) continue;
        SEISMIC_PHASE pick;
        pick.stationIndex = station;
        pick.channelIndex = slot;
        pick.phaseIndex = context->session().catalogue().IndexOf(a.phase);
        pick.included = 1;
        SetPickTime(pick, std::round(a.time * 100) / 100);
        context->session().phases().Add(pick);
        trueDistance = a.distance;
    }
    ASSERT_EQ(context->session().phases().Count(), 2);

    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDistanceEstimateDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ran = true;
        dialog->depthEdit()->setText("10");
        dialog->calculate();  // the answer is shown and taken with OK
        dialog->reject();
    });
    messages.clear();
    frame->action(32717)->trigger();
    ASSERT_TRUE(ran);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages()[0].text.starts_with("Расстояние до эпицентра"));

    const demo::DemoEvent& event = demo::DemoEvents().at(0);
    ASSERT_TRUE(context->session().distanceEstimates().count(station));
    EXPECT_NEAR(context->session().distanceEstimates().at(station), trueDistance, 1.0);
    EXPECT_NEAR(context->session().event().originTime, event.origin, 1.0);
    EXPECT_EQ(context->session().event().depth, 10.0f);
    for (int i = 0; i < context->session().phases().Count(); ++i)
        EXPECT_NEAR(context->session().phases().GetAt(i)->distance, trueDistance, 1.0);
}

}  // namespace
}  // namespace zel
