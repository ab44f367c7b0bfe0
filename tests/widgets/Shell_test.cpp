// The frame's geometry and toolbars without a window: tiling, stored toolbar layouts, the
// command table.

#include <gtest/gtest.h>

#include <QKeySequence>
#include <filesystem>
#include <functional>
#include <map>

#include "base/PrivateProfile.h"
#include "config/ToolbarLayout.h"
#include "support/TempDir.h"
#include "widgets/Commands.h"
#include "widgets/WindowTiling.h"

namespace zel {
namespace {

TEST(WindowTilingTest, TilesCoverTheAreaExactlyWithTheRemainderInTheLastWindow) {
    auto h = TileRects(3, {0, 0, 100, 100}, true);
    EXPECT_EQ(h, (std::vector<Rect>{{0, 0, 100, 33}, {0, 33, 100, 33}, {0, 66, 100, 34}}));
    auto v = TileRects(4, {10, 20, 402, 50}, false);
    EXPECT_EQ(v.front(), (Rect{10, 20, 100, 50}));
    EXPECT_EQ(v.back(), (Rect{310, 20, 102, 50}));
    EXPECT_TRUE(TileRects(0, {0, 0, 10, 10}, true).empty());
}

TEST(ToolbarLayoutTest, StoredLayoutsRoundTripAndUnusableOnesAreIgnored) {
    test::TempDir dir;
    PrivateProfile registry(dir.file("registry.ini"));
    const ToolbarLayout offered = cmd::DefaultToolbarLayout("WAVEFORMS");
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(LoadToolbarLayout(registry, "WAVEFORMS", offered), std::nullopt);

    SaveToolbarLayout(registry, "WAVEFORMS", {32701, 0, 33209, 99999});
    // Commands the toolbar does not offer (from another version) are dropped.
    EXPECT_EQ(LoadToolbarLayout(registry, "WAVEFORMS", offered), (ToolbarLayout{32701, 0, 33209}));
    // Little-endian 32-bit ids: 32701 = 0x7FBD, a separator, 33209 = 0x81B9, 99999 = 0x1869F.
    EXPECT_EQ(registry.getString("zel\\toolbar", "waveforms"), "BD7F000000000000B98100009F860100");

    registry.writeString("ZEL\\TOOLBAR", "MAP", "zz");
    EXPECT_EQ(LoadToolbarLayout(registry, "MAP", offered), std::nullopt);
    EXPECT_EQ(DecodeToolbarLayout({1, 2, 3}), std::nullopt);
    auto hasDropDown = [](int id) { return !cmd::DropDownCommands(id).empty(); };
    EXPECT_TRUE(hasDropDown(33209) && hasDropDown(32704) && hasDropDown(33145) && hasDropDown(32733));
    EXPECT_FALSE(hasDropDown(32701));
}

// The command table holds together: each key belongs to one command and reads as a key, the
// waveform menu offers every command of the window once, and every icon it names ships.
TEST(CommandTableTest, KeysAreUniqueMenusCompleteAndIconsShipped) {
    std::map<std::string, int> keys;
    for (const cmd::Command& c : cmd::AllCommands()) {
        if (*c.icon) {
            EXPECT_TRUE(std::filesystem::exists(std::string(ZEL_RESOURCES_DIR) + "/icons/" + c.icon + ".svg"))
                << c.icon;
        }
        if (!*c.shortcut) continue;
        EXPECT_TRUE(keys.emplace(c.shortcut, c.id).second) << c.shortcut << " twice";
        EXPECT_FALSE(QKeySequence(QString::fromUtf8(c.shortcut)).isEmpty()) << c.shortcut;
    }
    EXPECT_TRUE(cmd::IsPaneKey(*cmd::Find(cmd::kKeyPickP)));
    EXPECT_FALSE(cmd::IsPaneKey(*cmd::Find(cmd::kUndoPicks)));
    EXPECT_FALSE(cmd::IsPaneKey(*cmd::Find(cmd::kShowWaveforms)));  // F5

    std::map<int, int> listed;
    std::function<void(const std::vector<cmd::MenuItem>&)> walk = [&](const std::vector<cmd::MenuItem>& items) {
        for (const cmd::MenuItem& item : items) {
            if (item.title) walk(item.items);
            if (item.id) ++listed[item.id];
        }
    };
    walk(cmd::WaveformMenu());
    for (const auto& [id, times] : listed) {
        EXPECT_EQ(times, 1) << id;
        ASSERT_NE(cmd::Find(id), nullptr) << id;
        EXPECT_NE(cmd::CommandText(id).rfind("(*)", 0), 0u) << id << ": a pane-menu entry";
    }
    for (int id : {cmd::kAddChannels, cmd::kFilter, cmd::kSimulateWoodAnderson, cmd::kLocateHypocentre,
                   cmd::kKeyPickSet9, cmd::kSortByMb, cmd::kFkAnalysis})
        EXPECT_EQ(listed.count(id), 1u) << id;
}

}  // namespace
}  // namespace zel
