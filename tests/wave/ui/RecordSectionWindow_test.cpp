// The record section window on the demo frame: refused without a hypocentre, then opened for the
// demo's local earthquake, where a click on a trace makes that trace's pane the main pane of the
// waveform window.

#include "wave/ui/RecordSectionWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/ui/MainFrame.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/CurrentEvent.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

class RecordSectionWindowTest : public test::DemoFrameTest {};

TEST_F(RecordSectionWindowTest, ClickOnATraceMakesItsPaneMain) {
    openDemoFrame();
    waveform* wave = frame->waveforms();
    ASSERT_GE(wave->zoomWindows().size(), 3u);
    wave->activateAll();
    wave->makeMain(wave->zoomWindows().front());
    auto sectionWindow = [&]() -> RecordSectionWindow* {
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
            if (auto* w = qobject_cast<RecordSectionWindow*>(sub->widget())) return w;
        return nullptr;
    };

    messages.clear();
    frame->action(cmd::kRecordSection)->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, kNoHypocentreText);
    EXPECT_EQ(sectionWindow(), nullptr);

    const demo::DemoEvent& truth = demo::DemoEvents()[0];
    CurrentEvent& event = context->session().event();
    event.hypocentreValid = true;
    event.lat = static_cast<float>(truth.lat);
    event.lon = static_cast<float>(truth.lon);
    event.depth = static_cast<float>(truth.depth);
    event.originTime = truth.origin;
    messages.clear();
    frame->action(cmd::kRecordSection)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(messages.messages().empty());
    RecordSectionWindow* window = sectionWindow();
    ASSERT_NE(window, nullptr);
    const RecordSection& section = window->section();
    ASSERT_EQ(section.traces.size(), wave->zoomWindows().size());

    // The farthest trace, whose pane lies below the first one filling the window, clicked a
    // little inside the plot at its distance.
    const SectionTrace& far = section.traces.back();
    CZoomWindow* first = wave->zoomWindows().front();
    ASSERT_NE(first->pane().number(), far.paneNumber);
    wave->maximize(first, true);
    auto inView = [](CZoomWindow* w) { return w->parentWidget()->rect().contains(w->geometry()); };
    for (CZoomWindow* w : wave->zoomWindows())
        if (w->pane().number() == far.paneNumber) {
            ASSERT_FALSE(inView(w));
        }
    const PlotRect plot = RecordSectionPlot(window->rect(), window->style().font);
    const SectionFrame f = FrameSection(section, plot, window->style().reduction);
    const QPoint at(plot.left + 30, static_cast<int>(f.y(far.distanceKm)));
    ASSERT_EQ(window->traceAt(at), static_cast<int>(section.traces.size()) - 1);
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QApplication::processEvents();
    int mains = 0;
    for (CZoomWindow* w : wave->zoomWindows()) {
        if (!w->pane().main) continue;
        ++mains;
        EXPECT_EQ(w->pane().number(), far.paneNumber);
        EXPECT_EQ(w->pane().channel().stationIndex, far.stationIndex);
        EXPECT_TRUE(inView(w));
    }
    EXPECT_EQ(mains, 1);
}

}  // namespace
}  // namespace zel
