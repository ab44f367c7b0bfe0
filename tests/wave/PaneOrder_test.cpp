// The sort orders of the panes: keys, directions and stability.

#include "wave/PaneOrder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "wave/PaneSet.h"

namespace zel {
namespace {

std::vector<Station> Stations(std::initializer_list<std::pair<const char*, int>> list) {
    std::vector<Station> out;
    for (auto [code, index] : list) {
        Station s;
        s.code = code;
        s.index = index;
        out.push_back(s);
    }
    return out;
}

// Panes on the given station indexes; pane i has number i.
PaneSet Panes(std::initializer_list<int> stationIndexes) {
    PaneSet set;
    for (int s : stationIndexes) {
        PaneChannel ch;
        ch.stationIndex = s;
        set.add(ch, 0, 10);
    }
    return set;
}

TEST(PaneOrderTest, EveryOrderIsStableWithItsOwnDirection) {
    const auto stations = Stations({{"C", 5}, {"A", kNoStationIndex}, {"B", 7}, {"a", 1}});
    PaneSet set = Panes({0, 1, 2, 1, 3});  // C, A, B, A (second channel), a
    const std::vector<double> picks = {20, DBL_MAX, 10, 5, DBL_MAX};
    const std::vector<double> amplitude = {1, 3, 3, 2, NAN};
    PaneKeySource keys;
    keys.earliestPick = [&](const TracePane& p) { return picks[p.number()]; };
    keys.pAmplitude = [&](const TracePane& p) { return amplitude[p.number()]; };
    keys.mb = [&](const TracePane& p) { return p.number() == 2 ? 4.5 : 0.0; };
    keys.distance = [&](const TracePane& p) -> std::optional<double> { return 10.0 - p.number(); };
    set.clickPlot(set[4]);
    set.clickPlot(set[2]);

    struct Case {
        PaneOrder order;
        std::vector<std::size_t> expected;
    };
    const Case cases[] = {
        // A, A keep their order; "a" sorts with "A" before "B" but after it by case.
        {PaneOrder::Name, {1, 3, 4, 2, 0}},
        // No index first, then 7, 5, 1.
        {PaneOrder::StationIndex, {1, 3, 2, 0, 4}},
        // Channels without picks at the bottom, in their previous order.
        {PaneOrder::PickTime, {3, 2, 0, 1, 4}},
        {PaneOrder::Activation, {4, 2, 0, 1, 3}},
        {PaneOrder::Distance, {4, 3, 2, 1, 0}},
        {PaneOrder::Amplitude, {1, 2, 3, 0, 4}},  // not a number goes last
        {PaneOrder::Mb, {2, 0, 1, 3, 4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaneSortOrder(set, c.order, stations, keys), c.expected) << static_cast<int>(c.order);

    keys.distance = [](const TracePane&) -> std::optional<double> { return std::nullopt; };
    EXPECT_EQ(PaneSortOrder(set, PaneOrder::Distance, stations, keys),
              (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

TEST(PaneOrderTest, ReorderMovesPanesAndRefusesWhatIsNoPermutation) {
    PaneSet set = Panes({0, 0, 0});
    set.reorder({2, 0, 1});
    EXPECT_EQ(set[0].number(), 2);
    EXPECT_EQ(set[1].number(), 0);
    for (const std::vector<std::size_t>& bad : {std::vector<std::size_t>{0, 1}, {0, 0, 1}, {0, 1, 3}}) {
        set.reorder(bad);
        EXPECT_EQ(set[0].number(), 2);
        EXPECT_EQ(set[2].number(), 1);
    }
}

}  // namespace
}  // namespace zel
