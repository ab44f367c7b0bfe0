// Saved channel lists in the registry store: what is written, numeric order of the subkeys,
// names and codes without case, missing channels and presets, and bad names.

#include "wave/ChannelLists.h"

#include <gtest/gtest.h>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "support/TempDir.h"
#include "wave/TimePresets.h"

namespace zel {
namespace {

std::vector<Station> Stations() {
    std::vector<Station> st(2);
    st[0].code = "ABC";
    st[0].slots[0].channel = "SHZ";
    st[0].slots[0].lcode = "00";
    st[0].slots[1].channel = "SHZ";
    st[0].slots[1].lcode = "10";
    st[0].slots[2].channel = "SHN";  // lcode "??"
    st[1].code = "XYZ";
    st[1].slots[0].channel = "BHZ";
    return st;
}

TEST(ChannelListsTest, SaveWritesOneSubkeyPerPaneAndReadsBackInOrder) {
    test::TempDir dir;
    PrivateProfile reg(dir.file("registry.ini"));
    std::vector<ChannelListEntry> entries(12);
    for (int i = 0; i < 12; ++i) entries[i] = {"", "ABC", "SHZ", i % 2 ? "10" : "00", i == 3, i == 5, false};
    entries[11].station = "XYZ";
    SaveChannelList(reg, "mylist", entries, 1371212405);

    EXPECT_EQ(reg.getString("ZEL\\waveforms-mylist\\3", "ACTIVEWINDOW"), "1");
    EXPECT_EQ(reg.getString("ZEL\\waveforms-mylist\\3", "MAINWINDOW"), "0");
    EXPECT_EQ(reg.getString("ZEL\\waveforms-mylist\\5", "MAINWINDOW"), "1");
    EXPECT_EQ(reg.getString("ZEL\\waveforms-mylist\\11", "STA"), "XYZ");
    EXPECT_EQ(reg.getString("ZEL\\waveforms-mylist\\0", "BEAM"), "0");
    EXPECT_EQ(reg.getString("ZEL\\waveforms-mylist\\1", "LCODE"), "10");

    // "10" and "11" come after "9", not after "1".
    const auto back = ReadChannelList(reg, "MYLIST");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 12u);
    for (int i = 0; i < 12; ++i) {
        ChannelListEntry expected = entries[i];
        expected.position = std::to_string(i);
        EXPECT_EQ((*back)[i], expected) << i;
    }

    const auto lists = ChannelLists(reg);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].name, "mylist");
    EXPECT_EQ(ChannelListTimeText(lists[0].changed), "14/06/2013 12:20:05");

    // Saving again under the same name replaces every old subkey.
    SaveChannelList(reg, "MyList", {entries[11]}, 0);
    EXPECT_EQ(ReadChannelList(reg, "mylist")->size(), 1u);
    EXPECT_FALSE(reg.hasSection("ZEL\\waveforms-mylist\\5"));

    // An empty list is still a list; a deleted one is gone.
    SaveChannelList(reg, "empty", {}, 0);
    EXPECT_EQ(ReadChannelList(reg, "empty")->size(), 0u);
    DeleteChannelList(reg, "mylist");
    EXPECT_FALSE(ReadChannelList(reg, "mylist"));
    EXPECT_FALSE(ReadChannelList(reg, "never saved"));
    EXPECT_EQ(ChannelLists(reg).size(), 1u);
}

TEST(ChannelListsTest, ListsWrittenElsewhereAndResolution) {
    test::TempDir dir;
    PrivateProfile reg(dir.file("registry.ini"));
    // As a list carried over from another machine: no LCODE, lower case, no change time, a
    // vanished station, a subkey that is not a number.
    reg.write({{"ZEL\\waveforms-old\\2", "STA", "abc"},
               {"ZEL\\waveforms-old\\2", "CHAN", "shn"},
               {"ZEL\\waveforms-old\\2", "ACTIVEWINDOW", "1"},
               {"ZEL\\waveforms-old\\0", "STA", "GONE"},
               {"ZEL\\waveforms-old\\0", "CHAN", "SHZ"},
               {"ZEL\\waveforms-old\\1", "STA", "ABC"},
               {"ZEL\\waveforms-old\\1", "CHAN", "SHZ"},
               {"ZEL\\waveforms-old\\1", "LCODE", "10"},
               {"ZEL\\waveforms-old\\1", "MAINWINDOW", "1"},
               {"ZEL\\waveforms-old\\1", "BEAM", "1"}});
    const auto lists = ChannelLists(reg);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(ChannelListTimeText(lists[0].changed), "01/01/1970 00:00:00");

    const auto entries = ReadChannelList(reg, "old");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[2].locationCode, "??");

    SaveTimePreset(reg, "ABC", "SHZ", 1371212400, 600);
    SaveTimePreset(reg, "ABC", "SHN", std::numeric_limits<double>::quiet_NaN(), 600);
    const auto plan = PlanChannelList(*entries, Stations(), reg);
    ASSERT_EQ(plan.size(), 2u);  // GONE is dropped
    EXPECT_EQ(plan[0].slot, 1);  // SHZ with location 10, not the first SHZ
    EXPECT_EQ(plan[0].number, 1);
    EXPECT_TRUE(plan[0].main && plan[0].beam && !plan[0].active);
    EXPECT_EQ(plan[0].start, 1371212400);
    EXPECT_EQ(plan[0].duration, 600);
    EXPECT_EQ(plan[1].slot, 2);
    EXPECT_EQ(plan[1].number, 2);
    EXPECT_TRUE(plan[1].active);
    EXPECT_EQ(plan[1].start, 1.0);  // a damaged preset reads as none
    EXPECT_EQ(plan[1].duration, 3600);

    EXPECT_EQ(FindChannel(Stations(), "xyz", "bhz", "??"), std::make_pair(1, 0));
    EXPECT_FALSE(FindChannel(Stations(), "XYZ", "BHZ", "00"));
    EXPECT_FALSE(FindChannel(Stations(), "ABC", "", "??"));
}

TEST(ChannelListsTest, NamesThatCannotBeKeysAreRefusedBeforeAnythingIsTouched) {
    test::TempDir dir;
    PrivateProfile reg(dir.file("registry.ini"));
    SaveChannelList(reg, "keep", {{"", "ABC", "SHZ", "00", true, true, false}}, 0);
    for (const char* bad : {"", "a\\b", "a]b", "[x", "tab\there", "line\nbreak"}) {
        EXPECT_THROW(SaveChannelList(reg, bad, {}, 0), ZelError) << bad;
        EXPECT_THROW(CheckChannelListName(bad), ZelError) << bad;
    }
    EXPECT_EQ(ReadChannelList(reg, "keep")->size(), 1u);
    EXPECT_NO_THROW(CheckChannelListName("Список 1 (утро)"));
}

}  // namespace
}  // namespace zel
