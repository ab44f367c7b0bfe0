// Pieces of the application shell that need no window: tiling geometry, toolbar layouts, first start.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/EmbeddedDefault.h"
#include "app/ExitConfirmation.h"
#include "app/PrivateProfile.h"
#include "app/ToolbarLayout.h"
#include "app/WindowTiling.h"
#include "support/TempDir.h"

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
    const ToolbarLayout offered = DefaultToolbarLayout("WAVEFORMS");
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
    EXPECT_TRUE(HasDropDownMenu(33209) && HasDropDownMenu(32704) && HasDropDownMenu(33145) &&
                HasDropDownMenu(32733));
    EXPECT_FALSE(HasDropDownMenu(32701));
}

TEST(EmbeddedDefaultTest, OnlyTheFirstStartWritesTheEmbeddedDatabaseSettings) {
    test::TempDir dir;
    PrivateProfile ini(dir.file("config/ZEL.ini"));
    ASSERT_TRUE(PrepareEmbeddedDefault(ini, dir.file("data/zel.db"), dir.file("data/loop")));
    EXPECT_EQ(ini.getString("DATABASE", "ODBC"), "Driver=SQLite3;Database=" + dir.file("data/zel.db") + ";");
    EXPECT_EQ(ini.getInt("DATABASE", "LOCALLASTID", 0), 1);
    EXPECT_EQ(ini.getString("DATA", "DIR"), dir.file("data/loop") + "/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("data/loop")));

    // An analyst's own configuration is never overwritten.
    ini.writeString("DATABASE", "ODBC", "MYDSN");
    EXPECT_FALSE(PrepareEmbeddedDefault(ini, dir.file("data/zel.db"), dir.file("data/loop")));
    EXPECT_EQ(ini.getString("DATABASE", "ODBC"), "MYDSN");
}

TEST(ExitConfirmationTest, QuestionsAndAnswers) {
    RecordingMessageSink messages;
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(ConfirmExit(true, messages, nullptr));
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(ConfirmExit(false, messages, [] { return false; }));  // No: close without saving
    EXPECT_EQ(messages.messages().back().buttons, MessageButtons::YesNoCancel);
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(ConfirmExit(false, messages, nullptr));  // nothing could save the list: stay open
}

}  // namespace
}  // namespace zel
