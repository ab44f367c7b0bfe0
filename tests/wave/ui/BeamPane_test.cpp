// The beam pane on the demo array: the filtered array panes formed into one beam pane for the
// teleseism's true back azimuth and slowness, formed again, reloaded, navigated and saved in a
// channel list.

#include "wave/ui/BeamPane.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <cmath>

#include "app/ui/MainFrame.h"
#include "base/PrivateProfile.h"
#include "data/demo/DemoDiskLoop.h"
#include "data/demo/DemoPhysics.h"
#include "dsp/ui/FilterCommands.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/PaneText.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

double PeakIn(const std::vector<float>& x, double start, double sps, double from, double to) {
    double peak = 0;
    const auto a = static_cast<std::size_t>(std::max(0.0, (from - start) * sps));
    const auto b = std::min(x.size(), static_cast<std::size_t>((to - start) * sps));
    for (std::size_t i = a; i < b; ++i) peak = std::max(peak, std::fabs(static_cast<double>(x[i])));
    return peak;
}

class BeamPaneTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame();
        w = frame->waveforms();
        w->removeAllPanes();
        int teleseism = 0;
        while (std::string(demo::DemoEvents()[static_cast<std::size_t>(teleseism)].magnitudeType) != "mb")
            ++teleseism;
        const demo::DemoEvent& ev = demo::DemoEvents()[static_cast<std::size_t>(teleseism)];
        double distance = 0;
        for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
            if (a.station == "BKA0" && a.phase == "P" && a.event == teleseism)
                onset = a.time, distance = a.distance;
        ASSERT_GT(onset, 0.0);
        // The truth the demo was made with: the direction to the event and dT/dDelta of its P curve.
        const demo::DemoStation& ref = demo::DemoStations()[12];
        ASSERT_EQ(std::string(ref.code), "BKA0");
        backAzimuth = static_cast<float>(demo::GeocentricDistAz(ref.lat, ref.lon, ev.lat, ev.lon).azimuth);
        const auto p = demo::TravelTimeCurve::Load(ZEL_RESOURCES_DIR "/traveltimes/iasp91/P");
        slowness = static_cast<float>(
            (p.Time(ev.depth, distance + 0.05) - p.Time(ev.depth, distance - 0.05)) / 0.1 / 111.195);
        ASSERT_GT(slowness, 0.03f);

        // Every array vertical, a minute around the onset, band-passed by the filter command.
        for (const demo::DemoStation& st : demo::DemoStations()) {
            if (std::string(st.refsta) != "BKA0") continue;
            const int s = FindStation(context->stations(), st.code);
            ASSERT_GE(s, 0) << st.code;
            const int slot = context->stations()[static_cast<std::size_t>(s)].FindSlot("SHZ");
            CZoomWindow* pane = w->addPane(s, slot, onset - 30, 60);
            if (std::string(st.code) == "BKA0") reference = pane;
            parts.push_back(pane);
        }
        ASSERT_NE(reference, nullptr);
        ASSERT_EQ(parts.size(), 10u);
        w->activateAll();
        w->makeMain(reference);
        filter();
    }
    void filter() {
        ChannelFilterSettings band;
        band.low = 0.5f, band.high = 3.0f, band.lowText = "0.5", band.highText = "3";
        auto* commands = w->findChild<FilterCommands*>();
        ASSERT_NE(commands, nullptr);
        ASSERT_TRUE(commands->filterActivePanes(band));
    }
    std::vector<CZoomWindow*> beams() const {
        std::vector<CZoomWindow*> out;
        for (CZoomWindow* z : w->zoomWindows())
            if (z->isBeam()) out.push_back(z);
        return out;
    }
    CBeamWindow* form(float azimuth, float s) { return FormBeamPane(*w, *reference, parts, azimuth, s); }

    waveform* w = nullptr;
    CZoomWindow* reference = nullptr;
    std::vector<const CZoomWindow*> parts;
    double onset = 0;
    float backAzimuth = 0, slowness = 0;
};

TEST_F(BeamPaneTest, TeleseismBeamIsOnePaneShownAtTheBottom) {
    CBeamWindow* beam = form(backAzimuth, slowness);
    ASSERT_NE(beam, nullptr);
    ASSERT_EQ(beams(), std::vector<CZoomWindow*>{beam});
    EXPECT_EQ(w->zoomWindows().back(), beam);
    EXPECT_EQ(w->zoomWindows().size(), 11u);
    const std::string caption = PaneCaption(beam->pane());
    EXPECT_EQ(caption.rfind("D10 #BEAM#  BKA0.SHZ.", 0), 0u) << caption;
    EXPECT_EQ(beam->objectName(), "D10");
    ASSERT_EQ(beam->pane().data().blocks.size(), 1u);
    const ZELDataBlock& b = beam->pane().data().blocks[0];
    EXPECT_EQ(b.begin, reference->pane().start());
    EXPECT_EQ(b.sps, 100.0);
    EXPECT_EQ(b.samples.size(), 6000u);

    // Aligned by the true delays the P waves add up: the beam keeps the single traces' P
    // amplitude (their noise averages down, their signal does not).
    double single = 0;
    for (const CZoomWindow* p : parts) {
        const TransformedSignal& t = *p->pane().transformed();
        single +=
            PeakIn(t.samples, p->pane().start(), t.sps, onset, onset + 5) / static_cast<double>(parts.size());
    }
    const double aligned = PeakIn(b.samples, b.begin, b.sps, onset, onset + 5);
    EXPECT_GT(aligned, 0.9 * single);
    EXPECT_LT(aligned, 1.1 * single);

    // Formed again for another direction: the same pane, new samples (b goes with the old block).
    const std::vector<float> before = b.samples;
    const double begin = b.begin, sps = b.sps;
    EXPECT_EQ(form(backAzimuth + 180, 3 * slowness), beam);
    EXPECT_EQ(beams().size(), 1u);
    EXPECT_EQ(w->zoomWindows().size(), 11u);
    ASSERT_EQ(beam->pane().data().blocks.size(), 1u);
    EXPECT_NE(beam->pane().data().blocks[0].samples, before);
    EXPECT_LT(PeakIn(beam->pane().data().blocks[0].samples, begin, sps, onset, onset + 5), 0.8 * aligned);

    // With panes taller than the window the stack scrolls so that the beam's bottom edge is the
    // window's bottom.
    w->paneResized(reference, w->height() / 3, true);
    form(backAzimuth, slowness);
    QApplication::processEvents();
    const int client = beam->parentWidget()->height();
    EXPECT_LE(beam->geometry().y() + beam->height() + 1, client);
    EXPECT_GE(beam->geometry().y() + beam->height() + 1, client - 1);
    EXPECT_TRUE(beam->isVisible());

    w->paneResized(reference, w->height() / 6, true);
    w->scrollToBottomOf(beam);
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(QString(ZEL_TEST_BIN_DIR) + "/beam_pane.png"));
}

TEST_F(BeamPaneTest, SlownessZeroIsThePlainAverageOfTheFilteredPanes) {
    const CBeamWindow* beam = form(137.0f, 0.0f);
    ASSERT_EQ(beam->pane().data().blocks.size(), 1u);
    const std::vector<float>& b = beam->pane().data().blocks[0].samples;
    ASSERT_EQ(b.size(), 6000u);
    for (std::size_t i = 0; i < b.size(); i += 7) {
        double mean = 0;
        for (const CZoomWindow* p : parts) mean += p->pane().transformed()->samples[i] / 10.0;
        ASSERT_NEAR(b[i], mean, 1e-4 * (1 + std::fabs(mean))) << i;
    }
}

TEST_F(BeamPaneTest, ReloadAndTimeNavigationKeepTheBeam) {
    CBeamWindow* beam = form(backAzimuth, slowness);
    const std::vector<float> samples = beam->pane().data().blocks.at(0).samples;
    w->reload(beam);
    ASSERT_EQ(beam->pane().data().blocks.size(), 1u);
    EXPECT_EQ(beam->pane().data().blocks[0].samples, samples);

    // Only the beam active: a time shift moves its view over the stored beam.
    w->deactivateAll();
    w->clickPlot(beam);
    const double start = beam->pane().start();
    w->navigate(NavCommand::ShiftLater);
    EXPECT_GT(beam->pane().start(), start);
    ASSERT_EQ(beam->pane().data().blocks.size(), 1u);
    EXPECT_EQ(beam->pane().data().blocks[0].samples, samples);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(BeamPaneTest, ChannelListKeepsTheBeamPaneButNotItsSamples) {
    form(backAzimuth, slowness);
    ASSERT_TRUE(w->saveChannelList("beam"));
    const PrivateProfile& registry = context->registry();
    EXPECT_EQ(registry.getString("ZEL\\waveforms-beam\\10", "BEAM"), "1");
    EXPECT_EQ(registry.getString("ZEL\\waveforms-beam\\10", "STA"), "BKA0");
    EXPECT_EQ(registry.getString("ZEL\\waveforms-beam\\0", "BEAM"), "0");

    ASSERT_TRUE(w->loadChannelList("beam"));
    ASSERT_EQ(w->zoomWindows().size(), 11u);
    const std::vector<CZoomWindow*> restored = beams();
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_TRUE(restored[0]->pane().data().blocks.empty());
    EXPECT_NE(PaneCaption(restored[0]->pane()).find("#BEAM#"), std::string::npos);
    for (CZoomWindow* z : w->zoomWindows()) {
        if (z->isBeam()) continue;
        EXPECT_EQ(z->pane().data().blocks.size(), 1u) << PaneCaption(z->pane());
    }

    // Forming the beam again fills the restored pane instead of adding one.
    parts.clear();
    reference = nullptr;
    for (CZoomWindow* z : w->zoomWindows())
        if (!z->isBeam()) {
            parts.push_back(z);
            if (z->pane().channel().station == "BKA0") reference = z;
        }
    ASSERT_NE(reference, nullptr);
    filter();
    EXPECT_EQ(form(backAzimuth, slowness), restored[0]);
    EXPECT_EQ(beams().size(), 1u);
    EXPECT_EQ(restored[0]->pane().data().blocks.size(), 1u);
}

}  // namespace
}  // namespace zel
