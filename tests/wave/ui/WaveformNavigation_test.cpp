// The waveform window driven through its widgets on the demo disk loop: a channel list chosen
// in the load dialog, rectangle zooms by double-clicks, "Вернуться", time alignment, the save and
// scale dialogs and the commands without panes, with the view stacks they leave behind.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "events/CurrentEvent.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/ChannelLists.h"
#include "wave/Navigation.h"
#include "wave/TimePresets.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/ChannelDialogs.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

// Runs `step` on the modal dialog that the next command opens.
template <class Dialog, class Step>
void OnNextDialog(Step step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        step(dialog);
    });
}

class WaveformNavigationTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame();
    }
    void TearDown() override {
        if (frame->waveforms()->timeAligned()) frame->action(33057)->setChecked(false);
        DemoFrameTest::TearDown();
    }

    // The centre of a pane's plot shifted by a fraction of its width and height.
    static QPoint At(CZoomWindow* w, double fx, double fy) {
        const PlotRect r = w->plot();
        return {r.left + static_cast<int>((r.right - r.left) * fx),
                r.top + static_cast<int>((r.bottom - r.top) * fy)};
    }
    // Time and amplitude of a plot point, read as the pane reads it.
    static std::pair<double, double> ValueAt(CZoomWindow* w, QPoint pos) {
        const PlotRect r = w->plot();
        const TraceMapping m = w->pane().mapping(r);
        return {m.start + (pos.x() - r.left) * m.duration / (r.right - r.left),
                m.min + (r.bottom - pos.y()) * (m.max - m.min) / (r.bottom - r.top)};
    }
    void BadListsScaleDialogAndCommandsWithoutPanes();
    static void ZoomByDoubleClicks(CZoomWindow* w, QPoint a, QPoint b) {
        QTest::mouseDClick(w, Qt::LeftButton, {}, a);
        ASSERT_TRUE(w->rectangleAnchor().has_value());
        QTest::mouseMove(w, b);
        QTest::mouseDClick(w, Qt::LeftButton, {}, b);
        EXPECT_FALSE(w->rectangleAnchor().has_value());
    }

};

TEST_F(WaveformNavigationTest, LoadListZoomByRectangleReturnAndAlign) {
    waveform* w = frame->waveforms();
    const auto& stations = context->stations();
    ASSERT_GE(stations.size(), 2u);
    ASSERT_FALSE(w->zoomWindows().empty());
    const double first = w->zoomWindows()[0]->pane().start();

    // A list of three channels: the inactive one first, the main one last.
    const std::string a = stations[0].code, b = stations[1].code;
    const std::string ca = stations[0].slots[0].channel, cb = stations[1].slots[0].channel;
    const std::string ca2 = stations[0].slots[1].channel;
    ASSERT_FALSE(ca2.empty());
    SaveChannelList(context->registry(), "утро",
                    {{"", a, ca2, stations[0].slots[1].lcode, false, false, false},
                     {"", b, cb, stations[1].slots[0].lcode, true, false, false},
                     {"", a, ca, stations[0].slots[0].lcode, true, true, false}},
                    0);
    SaveTimePreset(context->registry(), b, cb, first + 600, 1200);
    SaveTimePreset(context->registry(), a, ca, first + 900, 600);

    OnNextDialog<CChannelListDlg>([](CChannelListDlg* d) {
        ASSERT_EQ(d->lists()->topLevelItemCount(), 1);
        d->lists()->setCurrentItem(d->lists()->topLevelItem(0));
        QTest::mouseClick(d->findChild<QPushButton*>("choose"), Qt::LeftButton);
    });
    frame->action(33143)->trigger();
    QApplication::processEvents();

    // Active panes first in activation order, numbered by their saved positions.
    std::vector<CZoomWindow*> panes = w->zoomWindows();
    ASSERT_EQ(panes.size(), 3u);
    EXPECT_EQ(panes[0]->pane().number(), 1);
    EXPECT_EQ(panes[1]->pane().number(), 2);
    EXPECT_EQ(panes[2]->pane().number(), 0);
    EXPECT_EQ(panes[0]->pane().channel().station, b);
    EXPECT_TRUE(panes[0]->pane().active && !panes[0]->pane().main);
    EXPECT_TRUE(panes[1]->pane().main);
    EXPECT_FALSE(panes[2]->pane().active);
    EXPECT_EQ(panes[1]->pane().start(), first + 900);
    EXPECT_EQ(panes[2]->pane().start(), 1.0);  // a channel without a time preset
    EXPECT_EQ(panes[2]->pane().duration(), 3600);
    EXPECT_LT(panes[0]->y(), panes[1]->y());

    // Rectangle zoom in the main pane by two double-clicks.
    CZoomWindow* main = panes[1];
    ASSERT_GT(main->pane().data().blocks.size(), 0u);
    const CWindowParam loaded = ViewOf(main->pane());
    const QPoint p1 = At(main, 0.6, 0.7), p2 = At(main, 0.2, 0.3);
    const auto [t1, a1] = ValueAt(main, p1);
    const auto [t2, a2] = ValueAt(main, p2);
    ZoomByDoubleClicks(main, p1, p2);
    EXPECT_DOUBLE_EQ(main->pane().start(), t2);
    EXPECT_EQ(main->pane().duration(), std::floor(t1 - t2));
    EXPECT_DOUBLE_EQ(main->pane().dataMin(), a1);
    EXPECT_DOUBLE_EQ(main->pane().dataMax(), a2);
    EXPECT_EQ(main->pane().views.size(), 1u);
    EXPECT_EQ(panes[0]->pane().views.size(), 0u);  // not aligned: only this pane
    EXPECT_EQ(panes[0]->pane().start(), first + 600);
    // The new interval is what the pane remembers for its channel.
    EXPECT_EQ(LoadTimePreset(context->registry(), a, ca)->first, t2);

    frame->action(33023)->trigger();  // "Вернуться"
    EXPECT_EQ(ViewOf(main->pane()), loaded);
    EXPECT_EQ(main->pane().views.size(), 0u);
    frame->action(33023)->trigger();  // an empty stack changes nothing
    EXPECT_EQ(ViewOf(main->pane()), loaded);

    // With time alignment on, the other active pane takes the main interval at once and
    // follows the next rectangle; the inactive one stays.
    frame->action(33057)->setChecked(true);
    EXPECT_EQ(panes[0]->pane().start(), first + 900);
    EXPECT_EQ(panes[0]->pane().duration(), 600);
    const QPoint q1 = At(main, 0.25, 0.2), q2 = At(main, 0.75, 0.8);
    const double span = std::floor(ValueAt(main, q2).first - ValueAt(main, q1).first);
    ZoomByDoubleClicks(main, q1, q2);
    EXPECT_EQ(main->pane().duration(), span);
    EXPECT_EQ(panes[0]->pane().start(), main->pane().start());
    EXPECT_EQ(panes[0]->pane().duration(), span);
    EXPECT_EQ(panes[0]->pane().views.size(), 1u);
    EXPECT_EQ(panes[2]->pane().views.size(), 0u);
    frame->action(33022)->trigger();  // compress: both stay aligned
    EXPECT_EQ(panes[0]->pane().duration(), 2 * span);
    EXPECT_EQ(main->pane().duration(), 2 * span);
    EXPECT_EQ(panes[0]->pane().start(), main->pane().start());
    EXPECT_EQ(main->pane().views.size(), 2u);
    frame->action(33023)->trigger();
    frame->action(33023)->trigger();
    EXPECT_EQ(ViewOf(main->pane()), loaded);

    // A shifted amplitude range survives the reload of a time command.
    frame->action(33019)->trigger();
    const double lowered = main->pane().dataMin();
    EXPECT_LT(lowered, loaded.min);
    frame->action(33018)->trigger();
    EXPECT_EQ(main->pane().dataMin(), lowered);
    EXPECT_EQ(main->pane().start(), first + 1200);

    frame->action(33057)->setChecked(false);
    for (const Message& m : messages.messages()) ADD_FAILURE() << "unexpected message: " << m.text;
    messages.clear();

    // The demo loop is slow to build: the failure cases run on the same window.
    BadListsScaleDialogAndCommandsWithoutPanes();
}

void WaveformNavigationTest::BadListsScaleDialogAndCommandsWithoutPanes() {
    waveform* w = frame->waveforms();
    const std::size_t before = w->zoomWindows().size();
    ASSERT_GT(before, 0u);

    // A list that cannot be read leaves the panes on screen.
    EXPECT_FALSE(w->loadChannelList("никогда не сохранялся"));
    EXPECT_EQ(w->zoomWindows().size(), before);
    ASSERT_EQ(messages.messages().size(), 1u);
    messages.clear();

    // Saving refuses an empty name with the dialog still open, then saves under a typed one.
    OnNextDialog<CChannelListDlg>([](CChannelListDlg* d) {
        d->accept();
        EXPECT_TRUE(d->isVisible());
        QTest::keyClicks(d->nameField(), "all 2");
        d->accept();
    });
    frame->action(33144)->trigger();
    const auto saved = ReadChannelList(context->registry(), "all 2");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), before);

    // Scale dialog: a field that is not a number keeps it open; numbers are stored.
    CZoomWindow* pane = w->zoomWindows()[0];
    OnNextDialog<CScaleDlg>([](CScaleDlg* d) {
        d->field(0)->setText("abc");
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget(); box && !qobject_cast<CScaleDlg*>(box))
                box->close();
        });
        d->accept();
        EXPECT_TRUE(d->isVisible());
        d->field(0)->setText("250.5");
        d->field(1)->setText("-1e2");
        d->accept();
    });
    w->scaleDialog(pane);
    EXPECT_EQ(pane->pane().dataMax(), 250.5);
    EXPECT_EQ(pane->pane().dataMin(), -100);
    pane->redraw();
    EXPECT_EQ(pane->pane().shownMax(), 250.5);

    // Nothing active: the navigation, deletion commands say so and change nothing.
    w->deactivateAll();
    frame->action(33021)->trigger();
    frame->action(33212)->trigger();
    EXPECT_EQ(w->zoomWindows().size(), before);
    ASSERT_EQ(messages.messages().size(), 2u);
    for (const Message& m : messages.messages()) EXPECT_EQ(m.text, "Не выбрано главное окно");

    // Delete removes only the uppermost active pane.
    w->activateAll();
    frame->action(33212)->trigger();
    EXPECT_EQ(w->zoomWindows().size(), before - 1);
    EXPECT_NE(w->zoomWindows()[0], pane);
}

// The distance order reads the session's hypocentre: the channel at the epicentre comes first.
TEST_F(WaveformNavigationTest, DistanceOrderPutsTheChannelAtTheEpicentreFirst) {
    waveform* w = frame->waveforms();
    ASSERT_GE(w->zoomWindows().size(), 2u);
    const int firstStation = w->zoomWindows().front()->pane().channel().stationIndex;
    int nearest = -1;
    for (const CZoomWindow* z : w->zoomWindows())
        if (z->pane().channel().stationIndex != firstStation) nearest = z->pane().channel().stationIndex;
    ASSERT_GE(nearest, 0) << "the demo shows more than one station";
    const Station& st = context->stations()[static_cast<std::size_t>(nearest)];
    CurrentEvent& event = context->session().event();
    event.lat = static_cast<float>(st.lat);
    event.lon = static_cast<float>(st.lon);
    event.hypocentreValid = true;
    w->sortPanes(PaneOrder::Distance);
    EXPECT_EQ(w->zoomWindows().front()->pane().channel().stationIndex, nearest);
}

}  // namespace
}  // namespace zel
