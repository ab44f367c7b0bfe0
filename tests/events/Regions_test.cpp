// Region names from the shipped Flinn-Engdahl files, loaded into a fresh working database and
// looked up with the region query, against names given by independent sources
// (tests/data/regions/, see the README there). Monitored regions follow CONTREG.

#include "events/Regions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "db/Odbc.h"
#include "events/MonitoredRegions.h"
#include "support/ScratchDatabase.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::DatabaseTest;

const std::string kRegionsDir = std::string(ZEL_RESOURCES_DIR) + "/regions";

struct Named {
    double lon, lat;
    std::string name, source;
};

std::vector<Named> ReadNamed() {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/regions/flinn_engdahl_names.tsv");
    std::vector<Named> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::stringstream ss(line);
        for (std::string field; std::getline(ss, field, '\t');) f.push_back(field);
        if (f.size() == 4) rows.push_back({std::stod(f[0]), std::stod(f[1]), f[2], f[3]});
    }
    return rows;
}

// Every word of the printed name except "REGION" is in ours: the bulletins print the 1974 form
// of a name that the 1995 revision lengthened ("VANCOUVER ISLAND REGION" is now
// "VANCOUVER ISLAND, CANADA REGION").
bool SameRegionAsPrinted(const std::string& ours, const std::string& printed) {
    std::stringstream words(printed);
    for (std::string w; words >> w;)
        if (w != "REGION" && ours.find(w) == std::string::npos) return false;
    return true;
}

DatabaseSettings SettingsFor(const std::string& connect) {
    DatabaseSettings s;
    s.odbc = connect;
    s.localLastId = true;
    return s;
}

TEST(RegionFiles, ReadIntoTheTableLayout) {
    const RegionTables t = ReadRegionFiles(kRegionsDir);
    ASSERT_EQ(t.geographic.size(), 757u);
    EXPECT_EQ(t.geographic[542].number, 543);
    EXPECT_EQ(t.geographic[542].name, "GERMANY");
    EXPECT_EQ(t.geographic[542].nameRu, "GERMANY");  // no Russian list is shipped
    ASSERT_EQ(t.seismic.size(), 50u);
    EXPECT_EQ(t.seismic[27].name, "Lake Issyk-Kul to Lake Baykal");
    // Every band of both hemispheres starts at 0 and ends at 181 east, -181 west.
    int starts = 0, ends = 0;
    for (const RegionMapRow& m : t.map) {
        EXPECT_GE(m.lat, -91);
        EXPECT_LE(m.lat, 90);
        if (m.lon1 == 0) ++starts;
        if (m.lon2 == 181 || m.lon2 == -181) ++ends;
        EXPECT_TRUE((m.lon1 >= 0 && m.lon2 > m.lon1) || (m.lon1 <= 0 && m.lon2 < m.lon1));
    }
    EXPECT_EQ(starts, 4 * 91);
    EXPECT_EQ(ends, 4 * 91);
    // Geographic region 730 (added in 1995) belongs to seismic region 5.
    for (const RegionMapRow& m : t.map) {
        if (m.grn == 730) {
            EXPECT_EQ(m.srn, 5);
        }
    }
}

TEST(RegionFiles, BandsKeepTheTwoSidesOfTheEquatorApart) {
    EXPECT_EQ(RegionBand(0.0), 0);
    EXPECT_EQ(RegionBand(0.7), 0);
    EXPECT_EQ(RegionBand(-0.7), -1);
    EXPECT_EQ(RegionBand(-33.2), -34);
    EXPECT_EQ(RegionBand(89.99), 89);
    EXPECT_EQ(RegionBand(90), 90);
    EXPECT_EQ(RegionBand(-90), -91);
}

TEST(RegionFiles, MissingOrBrokenFilesAreNamed) {
    test::TempDir dir;
    try {
        ReadRegionFiles(dir.path().string());
        FAIL();
    } catch (const ZelError& e) {
        EXPECT_NE(std::string(e.what()).find("names.asc"), std::string::npos);
    }
    for (const char* f :
         {"names.asc", "seismic_regions.csv", "geo_to_seismic.csv", "nwsect.asc", "sesect.asc", "swsect.asc"})
        std::ofstream(dir.file(f)) << std::ifstream(kRegionsDir + "/" + f).rdbuf();
    // A quadrant with a region number that does not exist.
    std::ofstream(dir.file("nesect.asc")) << "0 561 9 9999\n";
    try {
        ReadRegionFiles(dir.path().string());
        FAIL();
    } catch (const ZelError& e) {
        EXPECT_NE(std::string(e.what()).find("nesect.asc"), std::string::npos);
    }
}

class RegionsTest : public DatabaseTest {};

TEST_P(RegionsTest, FreshDatabaseNamesEpicentresAsIndependentSourcesDo) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    ASSERT_TRUE(EnsureRegionTables(db.work(), ZEL_RESOURCES_DIR));
    EXPECT_FALSE(EnsureRegionTables(db.work(), ZEL_RESOURCES_DIR));  // only once

    const auto named = ReadNamed();
    ASSERT_GE(named.size(), 50u);
    for (const Named& n : named) {
        const auto r = RegionOf(db.work(), n.lat, n.lon);
        const std::string where = std::to_string(n.lat) + " " + std::to_string(n.lon) + " " + n.name;
        ASSERT_TRUE(r) << where;
        if (n.source == "gse2-bulletin")
            EXPECT_TRUE(SameRegionAsPrinted(r->geographicName, n.name)) << where << ": " << r->geographicName;
        else
            EXPECT_EQ(r->geographicName, n.name) << where;
        EXPECT_EQ(r->geographicNameRu, r->geographicName);
    }

    // Both names, numbers and the seismic region of the demo network's home.
    auto r = RegionOf(db.work(), 51.8, 104.9);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->geographicName, "LAKE BAYKAL REGION, RUSSIA");
    EXPECT_EQ(r->seismicNumber, "28");
    EXPECT_EQ(r->seismicName, "Lake Issyk-Kul to Lake Baykal");

    // Just west of Greenwich truncates to 0 and is looked up in the western rows.
    r = RegionOf(db.work(), 51.5, -0.5);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->geographicName, "UNITED KINGDOM");
    r = RegionOf(db.work(), 51.5, 0.5);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->geographicName, "UNITED KINGDOM");
    EXPECT_FALSE(RegionOf(db.work(), 91, 0));
    EXPECT_TRUE(RegionOf(db.work(), -90, 180));
}

TEST_P(RegionsTest, MonitoredRegionsFollowTheTableWithQuotesInNames) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    db.work().execute(
        "insert into CONTREG (NAME, LAT1, LON1, LAT2, LON2) values ('Байкал', 51, 103, 56, 110)");
    db.work().execute(
        "insert into CONTREG (NAME, LAT1, LON1, LAT2, LON2) values ('no corner', 1, 2, 3, NULL)");

    MonitoredRegions regions;
    regions.load(db.work());
    ASSERT_EQ(regions.regions().size(), 1u);  // the row with a NULL is skipped
    EXPECT_EQ(regions.regions()[0].name, "Байкал");
    EXPECT_FLOAT_EQ(regions.regions()[0].lon2, 110.0f);

    // A name with quotes is data, not SQL.
    CContReg quoted;
    quoted.name = "Hövsgöl'); delete from CONTREG; --";
    quoted.lat1 = 50.5f;
    quoted.lon1 = 99.25f;
    quoted.lat2 = 52.0f;
    quoted.lon2 = 101.0f;
    regions.insert(db.work(), quoted);
    EXPECT_TRUE(regions.nameTaken(quoted.name));
    EXPECT_FALSE(regions.nameTaken(quoted.name, 1));

    CContReg renamed = quoted;
    renamed.name = "O'Higgins";
    renamed.lat2 = 53.0f;
    regions.update(db.work(), 1, renamed);

    MonitoredRegions reread;
    reread.load(db.work());
    ASSERT_EQ(reread.regions().size(), 2u);
    EXPECT_EQ(reread.find("Байкал"), 0);
    const int at = reread.find("O'Higgins");
    ASSERT_GE(at, 0);
    EXPECT_FLOAT_EQ(reread.regions()[at].lat2, 53.0f);
    EXPECT_FLOAT_EQ(reread.regions()[at].lon1, 99.25f);

    reread.remove(db.work(), at);
    regions.load(db.work());
    ASSERT_EQ(regions.regions().size(), 1u);
    EXPECT_EQ(regions.regions()[0].name, "Байкал");
}

TEST_P(RegionsTest, FailedWriteLeavesTheListAsItWas) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    MonitoredRegions regions;
    CContReg r;
    r.name = "Камчатка";
    regions.insert(db.work(), r);
    db.work().execute("drop table CONTREG");
    CContReg other = r;
    other.name = "Курилы";
    EXPECT_THROW(regions.insert(db.work(), other), Db::Error);
    EXPECT_THROW(regions.update(db.work(), 0, other), Db::Error);
    EXPECT_THROW(regions.remove(db.work(), 0), Db::Error);
    ASSERT_EQ(regions.regions().size(), 1u);
    EXPECT_EQ(regions.regions()[0].name, "Камчатка");
    EXPECT_THROW(regions.load(db.work()), Db::Error);
    EXPECT_EQ(regions.regions().size(), 1u);
}

ZEL_INSTANTIATE_DATABASE_TEST(RegionsTest);

}  // namespace
}  // namespace zel
