// Picks made on the demo panes with the mouse: pick mode, the pick dialog, the phase list entry
// with its time, identity and codes, replacement, copies to the other channels, moving a label,
// the interval mark and deletion inside it, and a pane rendered with its pick lines.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "base/PrivateProfile.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/PhasesWnd.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/PickDlg.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

constexpr int kPickModeCommand = 32712;

class PickingWindowTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame([](AppContext& c) {
            c.ini().writeString("PRESELECTED PHASES", "Selection", "Regional");
            c.ini().writeString("PRESELECTED PHASES", "Regional", "Sn;Pn;P;S");
        });
        // The test run has no curve directory of its own: the shipped curves give P and S theirs.
        context->session().catalogue().Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "");
        // The classic pick mode, which one pick ends.
        context->settings().pickModeStays = false;
    }
    // A pick gesture from a to b in pick mode, with `step` run on the pick dialog it opens.
    template <class Step>
    void PickWith(CZoomWindow* z, QPoint a, QPoint b, Step step) {
        frame->action(kPickModeCommand)->trigger();
        ASSERT_TRUE(frame->waveforms()->pickMode());
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<CPickDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            ran = true;
            step(d);
        });
        QTest::mousePress(z, Qt::LeftButton, {}, a);
        for (int x = a.x(); x != b.x(); x += b.x() > a.x() ? 1 : -1) QTest::mouseMove(z, {x, a.y()});
        QTest::mouseMove(z, b);
        QTest::mouseRelease(z, Qt::LeftButton, {}, b);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(frame->waveforms()->pickMode());
        EXPECT_FALSE(frame->action(kPickModeCommand)->isChecked());
    }
    static void Choose(CPickDlg* d, const char* phase) {
        d->phaseBox()->setCurrentText(phase);
        d->accept();
    }
    static double TimeAt(CZoomWindow* z, int x) {
        const TraceMapping m = z->timeMapping();
        return m.start + (x - m.plot.left) * m.duration / (m.plot.right - m.plot.left);
    }
    static double SecondsPerPixel(CZoomWindow* z) {
        const TraceMapping m = z->timeMapping();
        return m.duration / (m.plot.right - m.plot.left);
    }

};

TEST_F(PickingWindowTest, PickReplaceCopyMoveAndDeleteInMark) {
    waveform* w = frame->waveforms();
    const PhaseCatalogue& catalogue = w->phaseCatalogue();
    const int P = catalogue.IndexOf("P"), S = catalogue.IndexOf("S");
    ASSERT_GE(P, 0);
    ASSERT_TRUE(catalogue.HasCurve(P) && catalogue.HasCurve(S));
    ASSERT_FALSE(w->zoomWindows().empty());
    const double start = w->zoomWindows()[0]->pane().start();

    // Three channels of the first station, one pane each.
    w->removeAllPanes();
    std::vector<CZoomWindow*> z;
    for (int slot = 0; slot < 3; ++slot) {
        ASSERT_TRUE(context->stations()[0].slots[slot].Used());
        z.push_back(w->addPane(0, slot, start, 600));
    }
    QApplication::processEvents();
    CZoomWindow* pane = z[0];
    const PlotRect r = pane->plot();
    const int y = (r.top + r.bottom) / 2;
    const double px = SecondsPerPixel(pane);
    ZELPhases& list = context->session().phases();

    // A drag of 30 pixels: time from the pixel midpoint, uncertainty from the span.
    const int x1 = r.left + 300, x2 = x1 + 30;
    const double uncertainty = 30 * px;  // about 16 s on this pane: weight 3, weak
    PickWith(pane, {x1, y}, {x2, y}, [&](CPickDlg* d) {
        EXPECT_EQ(d->phaseBox()->itemText(0), "P");  // the Regional set "Sn;Pn;P;S" in catalogue order
        EXPECT_EQ(d->phaseBox()->count(), 4);
        EXPECT_EQ(d->weightGroup()->checkedId(), 3);
        EXPECT_EQ(d->onsetGroup()->checkedId(), kOnsetWeak);
        EXPECT_EQ(d->firstMotionGroup()->checkedId(), 4);
        d->firstMotionGroup()->button(0)->click();
        Choose(d, "P");
    });
    ASSERT_EQ(list.Count(), 1);
    const SEISMIC_PHASE* p = list.Find(0, 0, P);
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->time, (TimeAt(pane, x1) + TimeAt(pane, x2)) / 2, px);
    EXPECT_NEAR(p->deltim, uncertainty, px);
    EXPECT_EQ(OnsetCodeText(*p), "WU3");
    EXPECT_EQ(p->included, catalogue.HasCurve(P) ? 1 : 0);
    EXPECT_EQ(p->savable, 1);
    ASSERT_TRUE(pane->pane().intervalMark.has_value());  // left on the uncertainty range
    EXPECT_NEAR(pane->pane().intervalMark->first, TimeAt(pane, x1), 1e-6);
    EXPECT_NEAR(pane->pane().intervalMark->second, TimeAt(pane, x2), 1e-6);
    ASSERT_EQ(pane->picks().size(), 1u);
    EXPECT_NEAR(pane->picks()[0].x, (x1 + x2) / 2.0, 1.0);
    EXPECT_TRUE(z[1]->picks().empty());
    auto* phases = qobject_cast<CPhasesWnd*>(frame->child(CMainFrame::kPhaseList)->widget());
    ASSERT_NE(phases, nullptr);
    EXPECT_EQ(phases->model()->rowCount(), 1);

    // A plain click picks P again: one pick, the later, impulsive with weight 0.
    const int x3 = r.left + 500;
    PickWith(pane, {x3, y}, {x3 + 2, y}, [&](CPickDlg* d) {
        EXPECT_EQ(d->weightGroup()->checkedId(), 0);
        EXPECT_EQ(d->onsetGroup()->checkedId(), kOnsetImpulsive);
        Choose(d, "P");
    });
    ASSERT_EQ(list.Count(), 1);
    p = list.Find(0, 0, P);
    EXPECT_NEAR(p->time, TimeAt(pane, x3), px);
    EXPECT_EQ(p->deltim, 0);
    EXPECT_EQ(OnsetCodeText(*p), "I?0");

    // An unknown phase keeps the dialog open; S with "copy" goes to all three channels.
    const int x4 = r.left + 700;
    PickWith(pane, {x4, y}, {x4, y}, [&](CPickDlg* d) {
        Choose(d, "Xq");
        EXPECT_TRUE(d->isVisible());
        d->copyBox()->setChecked(true);
        Choose(d, "S");
    });
    ASSERT_EQ(list.Count(), 4);
    for (int slot = 0; slot < 3; ++slot) {
        const SEISMIC_PHASE* s = list.Find(0, slot, S);
        ASSERT_NE(s, nullptr) << slot;
        EXPECT_NEAR(s->time, TimeAt(pane, x4), px);
        EXPECT_EQ(s->included, slot == 0 && catalogue.HasCurve(S) ? 1 : 0);
        EXPECT_EQ(z[slot]->picks().size(), slot == 0 ? 2u : 1u);
    }

    // Cancel adds nothing; a release outside the plot ends pick mode without a dialog.
    PickWith(pane, {x4 + 50, y}, {x4 + 50, y}, [](CPickDlg* d) { d->reject(); });
    EXPECT_EQ(list.Count(), 4);
    frame->action(kPickModeCommand)->trigger();
    QTest::mousePress(pane, Qt::LeftButton, {}, {x4, y});
    QTest::mouseRelease(pane, Qt::LeftButton, {}, {r.right + 5, y});
    EXPECT_FALSE(w->pickMode());
    EXPECT_EQ(list.Count(), 4);
    // Escape ends pick mode too, and a double-click then starts no rectangle.
    frame->action(kPickModeCommand)->trigger();
    QTest::mouseDClick(pane, Qt::LeftButton, {}, {x4 + 80, y});
    EXPECT_FALSE(pane->rectangleAnchor().has_value());
    QTest::keyClick(pane, Qt::Key_Escape);
    EXPECT_FALSE(w->pickMode());

    // A label pulled 40 pixels right moves S on that channel; a 4-pixel pull moves nothing.
    const SEISMIC_PHASE before = *list.Find(0, 1, S);
    const PickMark label = z[1]->picks()[0];
    const QPoint grab(label.x + 3, z[1]->plot().top + 4);
    QTest::mousePress(z[1], Qt::LeftButton, {}, grab);
    QTest::mouseMove(z[1], grab + QPoint(4, 0));
    QTest::mouseRelease(z[1], Qt::LeftButton, {}, grab + QPoint(4, 0));
    EXPECT_EQ(list.Find(0, 1, S)->time, before.time);
    QTest::mousePress(z[1], Qt::LeftButton, {}, grab);
    for (int d = 1; d <= 40; ++d) QTest::mouseMove(z[1], grab + QPoint(d, 0));
    QTest::mouseRelease(z[1], Qt::LeftButton, {}, grab + QPoint(40, 0));
    EXPECT_NEAR(list.Find(0, 1, S)->time, TimeAt(z[1], label.x + 40), px);
    EXPECT_EQ(z[1]->picks()[0].x, label.x + 40);
    EXPECT_EQ(list.Find(0, 0, S)->time, before.time);  // the other channels keep theirs

    // A mark dragged right to left around P, then "delete in interval" from the pane.
    QTest::mousePress(pane, Qt::LeftButton, {}, {x3 + 20, y});
    for (int x = x3 + 20; x >= x3 - 20; --x) QTest::mouseMove(pane, {x, y});
    QTest::mouseRelease(pane, Qt::LeftButton, {}, {x3 - 20, y});
    ASSERT_TRUE(pane->pane().intervalMark.has_value());
    EXPECT_LT(pane->pane().intervalMark->first, pane->pane().intervalMark->second);
    EXPECT_TRUE(pane->pane().main && pane->pane().active);
    w->includeInMark(pane, false);
    EXPECT_EQ(list.Find(0, 0, P)->included, 0);
    EXPECT_EQ(list.Find(0, 0, S)->included, catalogue.HasCurve(S) ? 1 : 0);  // outside the mark
    w->deleteInMark(pane);
    EXPECT_EQ(list.Find(0, 0, P), nullptr);
    EXPECT_EQ(list.Count(), 3);
    ASSERT_EQ(pane->picks().size(), 1u);
    EXPECT_EQ(pane->picks()[0].name, "S");
    EXPECT_EQ(phases->model()->rowCount(), 3);

    // Deleting the row in the phase list window takes the line off the pane as well.
    phases->table()->selectRow(phases->model()->rowOf(list.Find(0, 0, S)));
    phases->deleteSelected();
    EXPECT_EQ(list.Find(0, 0, S), nullptr);
    EXPECT_TRUE(pane->picks().empty());
    EXPECT_EQ(z[1]->picks().size(), 1u);
}

TEST_F(PickingWindowTest, PickCarriesTheSimulationInForce) {
    waveform* w = frame->waveforms();
    ASSERT_FALSE(w->zoomWindows().empty());
    const double start = w->zoomWindows()[0]->pane().start();
    w->removeAllPanes();
    CZoomWindow* pane = w->addPane(0, 0, start, 600);
    w->activateAll();
    frame->action(33137)->trigger();  // "Симуляция смещения"
    ASSERT_TRUE(pane->pane().transformed().has_value());
    const PlotRect r = pane->plot();
    const QPoint at(r.left + 200, (r.top + r.bottom) / 2);
    PickWith(pane, at, at, [](CPickDlg* d) { Choose(d, "P"); });
    const SEISMIC_PHASE* p = context->session().phases().Find(0, 0, w->phaseCatalogue().IndexOf("P"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->pickFilter, "Симуляция смещения");
}

TEST_F(PickingWindowTest, PaneShowsPickLinesAndMark) {
    waveform* w = frame->waveforms();
    ASSERT_FALSE(w->zoomWindows().empty());
    const double start = w->zoomWindows()[0]->pane().start();
    w->removeAllPanes();
    CZoomWindow* pane = w->addPane(0, 0, start, 1200);
    CZoomWindow* second = w->addPane(1, 0, start, 1200);
    QApplication::processEvents();
    const PhaseCatalogue& catalogue = w->phaseCatalogue();
    const TraceMapping m = pane->timeMapping();
    const TracePane& tp = pane->pane();
    for (auto [name, f, included] : {std::tuple{"P", 0.25, 1}, {"S", 0.5, 0}, {"Pn", 0.0, 1}}) {
        SEISMIC_PHASE pick;
        pick.stationIndex = tp.channel().stationIndex;
        pick.channelIndex = tp.channel().slot;
        pick.phaseIndex = catalogue.IndexOf(name);
        pick.included = included;
        ASSERT_TRUE(SetPickTime(pick, m.start + f * m.duration));
        context->session().phases().Add(pick);
    }
    SEISMIC_PHASE s2;
    s2.stationIndex = second->pane().channel().stationIndex;
    s2.channelIndex = second->pane().channel().slot;
    s2.phaseIndex = catalogue.IndexOf("S");
    s2.included = 1;
    ASSERT_TRUE(SetPickTime(s2, m.start + 0.6 * m.duration));
    context->session().phases().Add(s2);
    pane->pane().intervalMark = IntervalMark{m.start + 0.7 * m.duration, m.start + 0.8 * m.duration};
    w->redrawPicks();
    ASSERT_EQ(second->picks().size(), 1u);
    frame->grab().save("/tmp/zel_demo_picks.png");  // for looking at
    ASSERT_EQ(pane->picks().size(), 2u);            // the pick at the very start has no line
    const QImage image = pane->grab().toImage();
    image.save("/tmp/zel_pane_picks.png");
    const int bottom = m.plot.bottom - 2;
    const int xp = pane->picks()[0].x, xs = pane->picks()[1].x;
    EXPECT_EQ(image.pixelColor(xp, bottom), QColor(255, 0, 0));
    // The excluded S is dotted green: some rows of its column are green.
    int green = 0;
    for (int yy = bottom - 20; yy <= bottom; ++yy) green += image.pixelColor(xs, yy) == QColor(0, 255, 0);
    EXPECT_GT(green, 3);
    EXPECT_LT(green, 21);
    int olive = 0;
    const int xm = PickColumn(m, m.start + 0.7 * m.duration);
    for (int dx = -1; dx <= 1; ++dx)
        for (int yy = bottom - 20; yy <= bottom; ++yy)
            olive += image.pixelColor(xm + dx, yy) == QColor(128, 128, 0);
    EXPECT_GT(olive, 5);

    // Shift-click centres the mark on the pointer, keeping its length.
    const int xc = PickColumn(m, m.start + 0.3 * m.duration);
    QTest::mouseClick(pane, Qt::LeftButton, Qt::ShiftModifier, {xc, (m.plot.top + m.plot.bottom) / 2});
    ASSERT_TRUE(pane->pane().intervalMark.has_value());
    const double centre = TimeAt(pane, xc);
    EXPECT_NEAR(pane->pane().intervalMark->first, centre - 0.05 * m.duration, 1e-3);
    EXPECT_NEAR(pane->pane().intervalMark->second, centre + 0.05 * m.duration, 1e-3);

    // "Выровнять отметки" gives the main pane's mark to the others.
    ASSERT_GE(w->zoomWindows().size(), 2u);
    CZoomWindow* other = w->zoomWindows()[1];
    w->makeMain(pane);
    frame->action(32775)->trigger();
    EXPECT_EQ(other->pane().intervalMark, pane->pane().intervalMark);

    // "Удалить интервальные отметки" on the active panes; none active is refused with a message.
    w->deactivateAll();
    messages.clear();
    frame->action(33135)->trigger();
    EXPECT_TRUE(pane->pane().intervalMark.has_value());
    EXPECT_FALSE(messages.messages().empty());
    w->activateAll();
    frame->action(33135)->trigger();
    EXPECT_FALSE(pane->pane().intervalMark.has_value());
}

}  // namespace
}  // namespace zel
