// Pane numbers, active and main flags and activation numbers of a waveform window.

#include "wave/PaneSet.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

std::vector<int> Activations(PaneSet& set) {
    std::vector<int> out;
    for (auto& p : set) out.push_back(p->activation);
    return out;
}

TEST(PaneSetTest, NumbersActivationAndMainRole) {
    PaneSet set;
    for (int i = 0; i < 4; ++i) set.add({}, 0, 10);
    EXPECT_EQ(set[3].number(), 3);
    EXPECT_EQ(set.take(set[1])->number(), 1);
    EXPECT_EQ(set.add({}, 0, 10).number(), 4);  // 1 + the largest in use
    EXPECT_EQ(set.mainPane(), &set[0]);  // the first pane is main until another is chosen
    EXPECT_TRUE(set.activePanes().empty());

    set.clickPlot(set[2]);
    set.clickCaption(set[0]);
    set.clickCaption(set[3]);
    EXPECT_EQ(Activations(set), (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(set.mainPane(), &set[3]);  // activating from the caption makes it main too

    // Deactivating one pane closes the numbering up and hands the main role on.
    set.clickCaption(set[3]);
    EXPECT_EQ(Activations(set), (std::vector<int>{2, 0, 1, 0}));
    EXPECT_EQ(set.mainPane(), &set[0]);
    set.clickCaption(set[2]);
    EXPECT_EQ(Activations(set), (std::vector<int>{1, 0, 0, 0}));

    set.invertSelection();
    EXPECT_EQ(Activations(set), (std::vector<int>{0, 1, 2, 3}));
    set.activateAll();
    EXPECT_EQ(Activations(set), (std::vector<int>{4, 1, 2, 3}));
    set.deactivateAll();
    EXPECT_EQ(Activations(set), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_TRUE(set.activePanes().empty());

    set.clickPlot(set[1]);
    set.makeMain(set[2]);
    EXPECT_EQ(set.mainPane(), &set[2]);
    EXPECT_FALSE(set[1].main);

    // The main role never vanishes while panes exist: it passes on when its pane is taken out and
    // stays when its pane is the last active one to be deactivated.
    set.take(set[2]);
    EXPECT_EQ(set.mainPane(), &set[0]);
    set.deactivateAll();
    set.clickPlot(set[1]);
    set.clickCaption(set[1]);
    EXPECT_EQ(set.mainPane(), &set[1]);
}

TEST(WindowParamStackTest, KeepsTheNewestTwenty) {
    CWindowParamStack stack;
    CWindowParam state;
    EXPECT_FALSE(stack.pop(state));
    for (int i = 0; i < 25; ++i) stack.push({double(i), 1, 0, 0, -1, 1});
    EXPECT_EQ(stack.size(), 20u);
    ASSERT_TRUE(stack.pop(state));
    EXPECT_EQ(state.start, 24);
    for (int i = 0; i < 19; ++i) stack.pop(state);
    EXPECT_EQ(state.start, 5);  // 0..4 were dropped
    EXPECT_FALSE(stack.pop(state));
}

}  // namespace
}  // namespace zel
