// Picks brought in from the CSS 3.0 database and from an automatic location system's tables.

#include <gtest/gtest.h>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "events/EventStore.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/ScratchDatabase.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::Backend;

const PhaseCatalogue& Iasp91() {
    static const PhaseCatalogue catalogue = [] {
        PhaseCatalogue c;
        c.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "/nowhere/");
        return c;
    }();
    return catalogue;
}

std::vector<Station> TwoStations() {
    std::vector<Station> stations(2);
    stations[0].code = "OBN";
    stations[0].slots[0].channel = "SHZ";
    stations[1].code = "ARU";
    stations[1].slots[0].channel = "BHZ";
    return stations;
}

constexpr double kT0 = 1615896000.0;  // 2021-03-16 12:00:00 UTC

struct Program {
    Program(const std::string& work, const std::string& css) {
        DatabaseSettings s;
        s.odbc = work;
        s.odbcCss = css;
        s.localLastId = true;
        db = std::make_unique<Databases>(s, messages);
        OpenDatabases(*db, messages);
        if (!messages.messages().empty()) throw ZelError(messages.messages()[0].text);
        phases.SetKeySource([this] { return db->nextArid(); });
        store = std::make_unique<EventStore>(*db, phases, event, Iasp91(), stations);
        store->clock = [] { return std::time_t{1615896000}; };
    }
    RecordingMessageSink messages;
    std::unique_ptr<Databases> db;
    ZELPhases phases;
    CurrentEvent event;
    std::vector<Station> stations = TwoStations();
    std::unique_ptr<EventStore> store;
};

class EventImportsTest : public test::DatabaseTest {};

TEST_P(EventImportsTest, ASecondaryOriginReplacesTheListWithItsKnownArrivals) {
    test::ScratchDatabase css(GetParam());
    Program p(scratch->connectString(), css.connectString());
    p.phases.Add(SEISMIC_PHASE{});  // replaced by the load
    Db::Connection& c = p.db->css();
    c.execute(
        "insert into origin (lat, lon, depth, time, orid, mb, ms) values (10, 20, -999, ?, 7, 4.5, NULL)",
        {kT0 - 300});
    c.execute(
        "insert into arrival (sta, chan, iphase, time, arid, azimuth, slow, fm, amp, per, qual, deltim) "
        "values "
        "(' OBN ', 'shz', 'P', ?, 501, 200, 8.5, 'd.', 0, 1.0, 'w', 0.2), "
        "('ARU', 'BHZ', 'PKPdf', NULL, 502, NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
        "('XXX', 'BHZ', 'P', ?, 503, NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
        "('ARU', 'BHZ', 'S', ?, 504, -1, NULL, 'c.', 3500, 2.0, 'i', NULL)",
        {kT0, kT0, kT0 + 60});
    c.execute(
        "insert into assoc (arid, orid, sta, phase) values (501, 7, 'OBN', 'P'), (502, 7, 'ARU', 'PKPdf'), "
        "(503, 7, 'XXX', 'P'), (504, 7, 'ARU', 'S'), (504, 8, 'ARU', 'S')");

    ASSERT_EQ(ListSecondaryOrigins(c).size(), 1u);
    p.store->LoadFromSecondary(7, "из CSS");
    EXPECT_EQ(p.event.orid, 7);
    EXPECT_EQ(p.event.comment, "из CSS");
    ASSERT_EQ(p.phases.Count(), 2);  // no time, unknown station: skipped; one row per association of orid 7
    const SEISMIC_PHASE& first = *p.phases.GetAt(0);
    EXPECT_EQ(first.arid, 501);
    EXPECT_EQ(first.hasAmplitude, 0);  // amplitude 0 is no amplitude
    EXPECT_EQ(first.hasAzimuth, 1);
    EXPECT_FLOAT_EQ(first.azimuth, -160.0f);
    EXPECT_FLOAT_EQ(first.slowness, 8.5f);
    EXPECT_EQ(first.firstMotion, 6);
    EXPECT_EQ(first.onset, kOnsetWeak);
    EXPECT_DOUBLE_EQ(first.deltim, 0.2);
    EXPECT_EQ(first.weight, 1);
    EXPECT_EQ(first.included, 1);
    const SEISMIC_PHASE& second = *p.phases.GetAt(1);
    EXPECT_EQ(second.hasAzimuth, 0);  // -1 is no azimuth
    EXPECT_FLOAT_EQ(second.amplitude, 3.5f);
    EXPECT_NEAR(second.ampTime, kT0 + 62.0, 1e-4);
    EXPECT_EQ(second.firstMotion, 5);
    // Depth at the CSS null value: the hypocentre is not valid.
    EXPECT_FALSE(p.event.hypocentreValid);
    EXPECT_FLOAT_EQ(p.event.lat, 10.0f);
    EXPECT_FLOAT_EQ(p.event.depth, 0.0f);
    EXPECT_FLOAT_EQ(p.event.mb, 4.5f);
    EXPECT_FLOAT_EQ(p.event.ms, kMagnitudeNone);

    Program noCss(scratch->connectString(), "");
    EXPECT_THROW(noCss.store->LoadFromSecondary(7, ""), ZelError);
}

ZEL_INSTANTIATE_DATABASE_TEST(EventImportsTest);

TEST(EventImports, AnAutomaticSolutionComesWithResidualsAndTheMbOfItsStations) {
    test::TempDir dir;
    test::ScratchDatabase work(Backend::SQLite);
    Program p(work.connectString(), "");
    Db::Connection automatic;
    automatic.open("Driver=SQLite3;Database=" + dir.file("alert.db") + ";");
    for (const char* ddl :
         {"create table arrival_alert (sta varchar(6), chan varchar(8), iphase varchar(8), time float, arid "
          "int, "
          "azimuth float, slow float, ema float, fm varchar(2), amp float, per float, qual varchar(1))",
          "create table assoc_alert (arid int, orid int, timeres float)",
          "create table stamag_alert (arid int, orid int, magtype varchar(6), magnitude float)",
          "create table origin_alert (orid int, lat float, lon float, depth float, time float, mb float, ms "
          "float)"})
        automatic.execute(ddl);
    automatic.execute(
        "insert into arrival_alert values ('OBN', 'SHZ', 'P', ?, 11, 270, NULL, NULL, 'u.', 2000, 1.5, 'i'), "
        "('ARU', 'BHZ', 'S', ?, 12, NULL, NULL, NULL, NULL, NULL, NULL, 'e'), "
        "('OBN', 'SHZ', 'Pn', ?, 13, NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
        {kT0, kT0 + 50, kT0 - 5});
    automatic.execute("insert into assoc_alert values (11, 3, 0.25), (12, 3, NULL), (13, 4, NULL)");
    // Two magnitudes of the same arrival: only mb is the arrival's mb, and the pick stays single.
    automatic.execute("insert into stamag_alert values (11, 3, 'ML', 3.9), (11, 3, 'mb', 5.1)");
    automatic.execute(
        "insert into origin_alert values (3, 52.5, 160.1, 30, ?, 5.0, -999), (4, 0, 0, 0, ?, 1, 1)",
        {kT0 - 120, kT0 - 9999});

    const std::vector<AutomaticOrigin> origins = ListAutomaticOrigins(automatic);
    ASSERT_EQ(origins.size(), 2u);
    EXPECT_EQ(origins[0].orid, 3);

    p.event.comment = "old";
    p.store->LoadFromAutomatic(automatic, 3);
    EXPECT_EQ(p.event.eventId.size(), kEventIdWidth);
    EXPECT_EQ(TrimEventId(p.event.eventId), NewEventIdFor(1615896000));
    EXPECT_EQ(p.event.comment, "");
    EXPECT_EQ(p.event.orid, 3);
    ASSERT_EQ(p.phases.Count(), 2);
    const SEISMIC_PHASE& pick = *p.phases.GetAt(0);
    EXPECT_FLOAT_EQ(pick.azimuth, -90.0f);  // 270 above 180
    EXPECT_FLOAT_EQ(pick.mb, 5.1f);
    EXPECT_EQ(pick.hasResidual, 1);
    EXPECT_FLOAT_EQ(pick.residual, 0.25f);
    EXPECT_FLOAT_EQ(pick.amplitude, 2.0f);
    EXPECT_EQ(pick.firstMotion, 7);
    EXPECT_EQ(pick.onset, kOnsetImpulsive);
    EXPECT_NE(pick.arid, 11);  // the other system's ids are not ours
    EXPECT_GT(pick.arid, 0);
    EXPECT_EQ(p.phases.GetAt(1)->hasResidual, 0);
    EXPECT_FLOAT_EQ(p.phases.GetAt(1)->mb, -1.0f);
    EXPECT_TRUE(p.event.hypocentreValid);
    EXPECT_DOUBLE_EQ(p.event.originTime, kT0 - 120);
    EXPECT_FLOAT_EQ(p.event.mb, 5.0f);
    EXPECT_FLOAT_EQ(p.event.ms, kMagnitudeNone);
}

}  // namespace
}  // namespace zel
