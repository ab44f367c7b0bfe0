// The station model and the network list, read from and written to real databases.

#include "data/StationModel.h"

#include <gtest/gtest.h>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

class StationModelTest : public test::DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped()) return;
        DatabaseSettings settings;
        settings.odbc = scratch->connectString();
        settings.localLastId = true;
        db = std::make_unique<Databases>(settings, messages);
        ASSERT_EQ(db->openWorkDb(), 1);
    }

    void Site(const std::vector<Db::Value>& values) {
        db->work().execute(
            "insert into SITE (STA, LAT, LON, ELEV, NGROUPS, NINDEX, REFSTA, DNORTH, DEAST) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
            values);
    }
    void Chan(const std::vector<Db::Value>& values) {
        db->work().execute(
            "insert into SITECHAN (STA, CHAN, CALIBFILE, NGROUP, CHANINDEX, SPS, LAT, LON, EDEPH, LCODE) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            values);
    }

    RecordingMessageSink messages;
    std::unique_ptr<Databases> db;
};

const Db::Value kNull = Db::Null{};
Db::Value I(std::int64_t v) { return v; }
Db::Value S(const char* v) { return std::string(v); }

TEST_P(StationModelTest, StationsAndSlotsFollowTheRowsWithTheirDefaultsAndLimits) {
    Site({S("ABC"), 55.5, 37.25, 0.2, I(3), I(4), S("ABC"), 1.5, -2.5});
    Site({S("DEF"), -10.0, 170.0, 1.0, I(1), kNull, kNull, kNull, kNull});
    Site({S("NOLAT"), kNull, 1.0, 1.0, I(1), I(1), kNull, kNull, kNull});
    Site({S("NOGRP"), 1.0, 1.0, 1.0, kNull, I(1), kNull, kNull, kNull});
    const std::string longCode(31, 'L');
    Site({longCode + "X", 1.0, 2.0, 3.0, I(1), I(1), kNull, kNull, kNull});

    // Group 1 component 1 is the first slot; group 8 component 3 the last of the 24.
    Chan({S("ABC"), S("SHZ"), S("abc_shz.fap"), I(1), I(1), 100.0, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), S("SHN"), kNull, I(1), I(2), 100.0, 55.6, 37.3, 0.25, S("00")});
    Chan({S("ABC"), S("BHZ"), kNull, I(2), I(1), 40.0, 1.0, kNull, 2.0, S("??")});
    Chan({S("ABC"), S("LAST"), kNull, I(8), I(3), 1.0, kNull, kNull, kNull, kNull});
    // None of these names a slot of the model: they must not land anywhere.
    Chan({S("ABC"), S("G9"), kNull, I(9), I(1), 1.0, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), S("G0"), kNull, I(0), I(3), 1.0, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), S("GNEG"), kNull, I(-1), I(3), 1.0, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), S("C4"), kNull, I(1), I(4), 1.0, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), S("C0"), kNull, I(2), I(0), 1.0, kNull, kNull, kNull, kNull});
    // Rows missing a required value are skipped.
    Chan({S("ABC"), S("NOSPS"), kNull, I(3), I(1), kNull, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), kNull, kNull, I(3), I(2), 1.0, kNull, kNull, kNull, kNull});
    Chan({S("ABC"), S("NOGROUP"), kNull, kNull, I(3), 1.0, kNull, kNull, kNull, kNull});
    Chan({Db::Value(longCode + "X"), S("SHZ"), kNull, I(1), I(1), 20.0, kNull, kNull, kNull, kNull});
    // Values longer than the model's fields are cut.
    Chan({S("DEF"), S("CHANNEL_CODE_16X"), Db::Value(std::string(70, 'f')), I(1), I(1), 20.0, kNull, kNull,
          kNull, kNull});

    const std::vector<Station> stations = LoadStations(db->work());
    ASSERT_EQ(stations.size(), 3u);
    const Station& abc = stations[static_cast<std::size_t>(FindStation(stations, "abc"))];
    EXPECT_EQ(abc.code, "ABC");
    EXPECT_FLOAT_EQ(abc.lat, 55.5f);
    EXPECT_FLOAT_EQ(abc.lon, 37.25f);
    EXPECT_FLOAT_EQ(abc.elev, 0.2f);
    EXPECT_EQ(abc.ngroups, 3);
    EXPECT_EQ(abc.index, 4);
    EXPECT_EQ(abc.refsta, "ABC");
    EXPECT_FLOAT_EQ(abc.dnorth, 1.5f);
    EXPECT_FLOAT_EQ(abc.deast, -2.5f);

    std::vector<int> used;
    for (int i = 0; i < kSlotsPerStation; ++i)
        if (abc.slots[i].Used()) used.push_back(i);
    EXPECT_EQ(used, (std::vector<int>{0, 1, 3, 23}));
    EXPECT_EQ(abc.slots[0].channel, "SHZ");
    EXPECT_EQ(abc.slots[0].calibFile, "abc_shz.fap");
    EXPECT_EQ(abc.slots[0].lcode, "??");
    EXPECT_EQ(abc.slots[0].componentIndex, 1);
    EXPECT_FLOAT_EQ(abc.slots[0].lat, 55.5f);  // no coordinates of its own: the station's
    EXPECT_FLOAT_EQ(abc.slots[0].elev, 0.2f);
    EXPECT_EQ(abc.slots[1].lcode, "00");
    EXPECT_FLOAT_EQ(abc.slots[1].lat, 55.6f);
    EXPECT_FLOAT_EQ(abc.slots[1].elev, 0.25f);
    EXPECT_EQ(abc.slots[1].calibFile, "");
    EXPECT_FLOAT_EQ(abc.slots[3].lat, 55.5f);  // one of the three missing: all three from the station
    EXPECT_FLOAT_EQ(abc.slots[3].elev, 0.2f);
    EXPECT_EQ(abc.slots[3].sps, 40.0);
    EXPECT_EQ(abc.slots[23].channel, "LAST");
    EXPECT_EQ(abc.slots[23].componentIndex, 3);
    EXPECT_EQ(abc.FindSlot("bhz"), 3);
    EXPECT_EQ(abc.FindSlot("G9"), -1);

    const Station& def = stations[static_cast<std::size_t>(FindStation(stations, "DEF"))];
    EXPECT_EQ(def.index, kNoStationIndex);
    EXPECT_EQ(def.refsta, "");
    EXPECT_EQ(def.dnorth, 0.0f);
    EXPECT_EQ(def.slots[0].channel, "CHANNEL_CODE_16");
    EXPECT_EQ(def.slots[0].calibFile, std::string(63, 'f'));

    ASSERT_EQ(FindStation(stations, longCode), 2);
    EXPECT_EQ(stations[2].slots[0].channel, "SHZ");  // the cut code keeps its channels
    EXPECT_EQ(FindStation(stations, "NOLAT"), -1);
}

TEST(StationModel, SlotRuleAndCutting) {
    EXPECT_EQ(SlotOf(1, 1), 0);
    EXPECT_EQ(SlotOf(2, 3), 5);
    EXPECT_EQ(SlotOf(8, 3), 23);
    EXPECT_EQ(SlotOf(9, 1), std::nullopt);
    EXPECT_EQ(SlotOf(0, 1), std::nullopt);
    EXPECT_EQ(SlotOf(1, 0), std::nullopt);
    EXPECT_EQ(SlotOf(1, 4), std::nullopt);
    EXPECT_EQ(SlotOf(-5, 2), std::nullopt);
    // A cut never splits a two-byte Cyrillic character.
    EXPECT_EQ(CutToWidth("Обнинск", 3), "О");
    EXPECT_EQ(CutToWidth("ABCDEF", 4), "ABCD");
    EXPECT_EQ(CutToWidth("AB", 4), "AB");
    EXPECT_EQ(SplitStationList(" ABC;DEF ;;GHI"), (std::vector<std::string>{"ABC", "DEF", "GHI"}));
    EXPECT_TRUE(SplitStationList("").empty());
}

TEST_P(StationModelTest, NetworksSaveAndLoadAndAFailedSaveKeepsTheOldList) {
    const std::vector<Network> first = {{"Сеть 'Байкал'", "ARS;BGD;VDR"},
                                        {"O'Neil; drop table SITE; --", "X"}};
    SaveNetworks(db->work(), first);
    std::vector<Network> loaded = LoadNetworks(db->work());
    ASSERT_EQ(loaded.size(), 2u);
    std::sort(loaded.begin(), loaded.end(), [](auto& a, auto& b) { return a.name < b.name; });
    EXPECT_EQ(loaded[0].name, "O'Neil; drop table SITE; --");
    EXPECT_EQ(loaded[1].name, "Сеть 'Байкал'");
    EXPECT_EQ(loaded[1].stations, "ARS;BGD;VDR");

    // Saving replaces the whole table.
    SaveNetworks(db->work(), {{"Only", "A;B"}});
    loaded = LoadNetworks(db->work());
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].name, "Only");

    // Too long to be read back whole: refused before anything is touched.
    EXPECT_THROW(SaveNetworks(db->work(), {{std::string(100, 'n'), "A"}}), ZelError);
    EXPECT_THROW(SaveNetworks(db->work(), {{"N", std::string(5000, 'a')}}), ZelError);
    EXPECT_EQ(LoadNetworks(db->work()).size(), 1u);

    // A failure in the middle of the save rolls back: the old list is still there.
    db->work().execute("drop table NETWORKS");
    db->work().execute(
        "create table NETWORKS (NETNAME VARCHAR(100) CHECK (NETNAME <> 'bad'), NETLIST VARCHAR(5000), "
        "NETTYPE VARCHAR(32), LDDATE TIMESTAMP)");
    SaveNetworks(db->work(), {{"Kept", "K"}});
    EXPECT_THROW(SaveNetworks(db->work(), {{"New", "N"}, {"bad", "B"}}), Db::Error);
    loaded = LoadNetworks(db->work());
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].name, "Kept");

    // Rows with a null column are not networks.
    db->work().execute("insert into NETWORKS (NETNAME) values ('nolist')");
    EXPECT_EQ(LoadNetworks(db->work()).size(), 1u);
}

ZEL_INSTANTIATE_DATABASE_TEST(StationModelTest);

}  // namespace
}  // namespace zel
