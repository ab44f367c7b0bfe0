// The DSP workspace model: evaluation, the recompute cascade (order, fixed windows, cycles, no
// stale inputs), data put into windows, overlays and the channels of a waveform window.

#include <gtest/gtest.h>

#include <vector>

#include "dsp/DspWorkspace.h"
#include "wave/PaneFormulaChannels.h"
#include "wave/PaneSet.h"

namespace zel {
namespace {

std::vector<double> Samples(const DspWindow& w) {
    if (!w.signal) return {};
    auto v = w.signal->Values();
    return {v.begin(), v.end()};
}

TEST(DspFormulaNames, WindowNameMatchLooksOnlyAtWhatFollows) {
    EXPECT_TRUE(FormulaMentionsWindow("W1*2", 1));
    EXPECT_TRUE(FormulaMentionsWindow("abs(w1)", 1));
    EXPECT_TRUE(FormulaMentionsWindow("w10+w1", 1));  // the second occurrence counts
    EXPECT_FALSE(FormulaMentionsWindow("w10+w11", 1));
    EXPECT_FALSE(FormulaMentionsWindow("w1x", 1));
    EXPECT_TRUE(FormulaMentionsWindow("neww1", 1));  // any word ending in the name
    EXPECT_TRUE(FormulaMentionsWindow("w12", 12));
    EXPECT_FALSE(FormulaMentionsWindow("w2", 12));
}

TEST(DspCascade, ChangingW0RecomputesTheChainAndAFixedWindowStopsIt) {
    DspWorkspace ws(3);
    ws.setFormula(0, "gline(4, 0.5, 2, 1)");  // 1 2 3 4
    ws.setFormula(1, "w0*2");
    ws.setFormula(2, "w1+1");
    EXPECT_EQ(ws.cascade(0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{2, 4, 6, 8}));
    EXPECT_EQ(Samples(ws.window(2)), (std::vector<double>{3, 5, 7, 9}));
    EXPECT_DOUBLE_EQ(ws.window(2).signal->dx, 0.5);
    EXPECT_EQ(ws.window(2).min, 3);
    EXPECT_EQ(ws.window(2).max, 9);
    EXPECT_EQ(ws.window(2).last, 3u);

    ws.setFixed(1, true);
    ws.setFormula(0, "gline(2, 1, 0, 10)");
    EXPECT_EQ(ws.cascade(0), (std::vector<int>{0}));
    EXPECT_EQ(Samples(ws.window(0)), (std::vector<double>{10, 10}));
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{2, 4, 6, 8}));
    EXPECT_EQ(Samples(ws.window(2)), (std::vector<double>{3, 5, 7, 9}));

    // A fixed window that changed itself is not evaluated; its data still reach its readers.
    EXPECT_EQ(ws.cascade(1), (std::vector<int>{2}));
}

TEST(DspCascade, AWindowIsEvaluatedAfterEveryWindowItReads) {
    // Visiting the readers of W0 in number order would evaluate W1 before W2 and leave W1 holding
    // the old W2.
    DspWorkspace ws(3);
    ws.setFormula(0, "1");
    ws.setFormula(1, "w0+w2");
    ws.setFormula(2, "w0*10");
    ws.recomputeAll();
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{11}));
    ws.setFormula(0, "2");
    EXPECT_EQ(ws.cascade(0), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{22}));
}

TEST(DspCascade, CyclesEndWithEveryWindowEvaluatedOnce) {
    DspWorkspace ws(4);
    ws.setFormula(0, "w1+1");
    ws.setFormula(1, "w0+1");
    ws.setFormula(2, "w2+1");  // names itself
    ws.setFormula(3, "w1*0");
    EXPECT_EQ(ws.cascade(0), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(Samples(ws.window(0)), (std::vector<double>{1}));  // W1 was empty: a single 0
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{2}));
    EXPECT_EQ(ws.cascade(2), (std::vector<int>{2}));
    EXPECT_EQ(ws.recomputeAll().size(), 4u);
}

TEST(DspCascade, AFailedWindowKeepsItsErrorAndOffersNoOldSamples) {
    DspWorkspace ws(2);
    ws.setFormula(0, "gline(3, 1, 1, 0)");
    ws.setFormula(1, "w0+100");
    ws.cascade(0);
    ASSERT_EQ(ws.window(1).count(), 3u);
    ws.setFormula(0, "(1+2");
    ws.cascade(0);
    EXPECT_EQ(ws.window(0).error, "Отсутствует )");
    EXPECT_EQ(ws.window(0).count(), 0u);
    // An empty window reads as one sample 0, never as its last good result.
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{100}));
    EXPECT_TRUE(ws.window(1).error.empty());
    ws.setFormula(0, "7");
    ws.cascade(0);
    EXPECT_TRUE(ws.window(0).error.empty());
}

TEST(DspCascade, CurrentIsASingleZeroAndFarWindowsAreFresh) {
    DspWorkspace ws(2);
    ws.setFormula(0, "current+w40+w1");
    ws.cascade(0);
    EXPECT_EQ(Samples(ws.window(0)), (std::vector<double>{0}));
    EXPECT_DOUBLE_EQ(ws.window(0).signal->dx, 1.0);
}

TEST(DspWorkspaceModel, DataPutIntoAWindowIsFixedAndFormulasAreCut) {
    DspWorkspace ws(2);
    ws.setFormula(1, "w0*2");
    EXPECT_FALSE(ws.putData(0, {}, 1.0));
    EXPECT_EQ(ws.window(0).count(), 0u);
    ASSERT_TRUE(ws.putData(0, {3, -1, 4}, 1.0));
    EXPECT_TRUE(ws.window(0).fixed);
    EXPECT_EQ(ws.window(0).min, -1);
    EXPECT_EQ(ws.window(0).shownMax, 4);
    EXPECT_EQ(ws.window(0).last, 2u);
    ws.cascade(0);
    EXPECT_EQ(Samples(ws.window(0)), (std::vector<double>{3, -1, 4}));
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{6, -2, 8}));

    ws.setFormula(1, std::string(2000, '1') + "\n");
    EXPECT_EQ(ws.window(1).formula.size(), kDspMaxFormulaLength);
    ws.setFormula(1, "1+\r\n2");
    EXPECT_EQ(ws.window(1).formula, "1+  2");
    ws.setFormula(1, std::string(1022, 'x') + "Ж");  // never half a character
    EXPECT_EQ(ws.window(1).formula.size(), 1022u);

    ws.reset(100);
    EXPECT_EQ(ws.size(), kDspMaxWindows);
    EXPECT_FALSE(ws.addWindow());
    ws.reset(1);
    EXPECT_FALSE(ws.removeLastWindow());
    EXPECT_TRUE(ws.addWindow());
    ws.setCurrent(1);
    EXPECT_TRUE(ws.removeLastWindow());
    EXPECT_EQ(ws.current(), 0);
}

TEST(DspWorkspaceModel, OverlaysKeepOnlyCurvesOfMoreThanOneSample) {
    DspWorkspace ws(1);
    std::array<std::string, kDspOverlayCount> formulas{};
    formulas[0] = "gline(4, 0.25, 1, 0)";
    formulas[1] = "5";
    formulas[2] = "1+";
    ws.setOverlays(0, formulas);
    const auto& o = ws.window(0).overlays;
    EXPECT_EQ(o[0].samples, (std::vector<double>{0, 0.25, 0.5, 0.75}));
    EXPECT_DOUBLE_EQ(o[0].dx, 0.25);
    EXPECT_TRUE(o[1].samples.empty());
    EXPECT_TRUE(o[2].samples.empty());
    EXPECT_EQ(o[2].error, "Ошибка");
    EXPECT_TRUE(o[3].samples.empty());
    formulas[0].clear();
    ws.setOverlays(0, formulas);
    EXPECT_TRUE(ws.window(0).overlays[0].samples.empty());
}

TEST(DspWorkspaceModel, ChannelsOfTheWaveformWindowByNumberAndCode) {
    PaneSet panes;
    PaneChannel channel;
    channel.station = "ABC";
    channel.channel = "SHZ";
    TracePane& pane = panes.add(channel, 100.0, 1.0);
    ZELDataBlockArray data;
    ZELDataBlock block;
    block.sps = 4;
    block.begin = 100.0;
    block.samples = {1, 2, 3, 4};
    data.blocks.push_back(block);
    pane.setData(data);
    pane.setTransformed(TransformedSignal{{5, 6}, 2.0, {}, 5, 6});

    PaneFormulaChannels channels(&panes);
    DspWorkspace ws(3);
    ws.setChannelSource(&channels);
    ws.setFormula(0, "d0*10");
    ws.setFormula(1, "t0");
    ws.setFormula(2, "abc:shz+d7");
    ws.recomputeAll();
    EXPECT_EQ(Samples(ws.window(0)), (std::vector<double>{10, 20, 30, 40}));
    EXPECT_DOUBLE_EQ(ws.window(0).signal->dx, 0.25);
    EXPECT_EQ(Samples(ws.window(1)), (std::vector<double>{5, 6}));
    EXPECT_FALSE(ws.window(2).error.empty());  // d7: no such pane
}

}  // namespace
}  // namespace zel
