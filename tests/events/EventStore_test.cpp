// Events in the working database: create, save, list, load and delete against real servers,
// and saves broken by a real failure half-way.

#include "events/EventStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "db/TransactionLock.h"
#include "events/EventKeys.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

using test::Backend;
using test::DatabaseTest;

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
    stations[0].slots[1].channel = "SHN";
    stations[1].code = "ARU";
    stations[1].slots[0].channel = "BHZ";
    return stations;
}

DatabaseSettings SettingsFor(const std::string& connect) {
    DatabaseSettings s;
    s.odbc = connect;
    s.localLastId = true;
    return s;
}

// One program's view of the database: connections, phase list, current event and the store.
struct Session {
    explicit Session(const std::string& connect) : db(SettingsFor(connect), messages) {
        if (db.openWorkDb() != 1) throw ZelError(messages.messages().at(0).text);
        phases.SetKeySource([this] { return db.nextArid(); });
    }
    RecordingMessageSink messages;
    Databases db;
    ZELPhases phases;
    CurrentEvent event;
    std::vector<Station> stations = TwoStations();
    EventStore store{db, phases, event, Iasp91(), stations};
};

SEISMIC_PHASE Pick(int station, int slot, const char* phase, double time) {
    SEISMIC_PHASE p;
    p.stationIndex = station;
    p.channelIndex = slot;
    p.phaseIndex = Iasp91().IndexOf(phase);
    SetPickTime(p, time);
    return p;
}

// 2021-03-16 12:00:00 UTC and a few seconds after.
constexpr double kT0 = 1615896000.0;

int Count(Databases& db, const std::string& sql, const std::vector<Db::Value>& params = {}) {
    Db::Statement st(db.work());
    st.execute(sql, params);
    int n = 0;
    while (st.fetch()) ++n;
    return n;
}

class EventStoreTest : public DatabaseTest {};

TEST_P(EventStoreTest, NewEventRefusesATakenIdAndResetsTheCurrentEvent) {
    Session s(scratch->connectString());
    s.phases.Add(Pick(0, 0, "P", kT0));
    s.event.hypocentreValid = true;
    s.event.originTime = kT0 - 60;
    s.event.ellipse = {12.0, 5.0, 30.0};
    s.store.NewEvent("20210316120000", "Kamchatka's \"first\"");
    EXPECT_EQ(s.event.eventId, "20210316120000      ");
    EXPECT_EQ(s.event.orid, 1);
    EXPECT_TRUE(s.phases.Empty());
    EXPECT_FALSE(s.event.hypocentreValid);
    EXPECT_FALSE(s.event.ellipse.valid());  // the map drew it round the old epicentre
    EXPECT_EQ(s.event.originTime, 0.0);
    EXPECT_EQ(s.event.mb, kMagnitudeNone);

    // Taken, whether typed padded or not; nothing is written for the refused one.
    for (const char* id : {"20210316120000", "20210316120000   "}) {
        try {
            s.store.NewEvent(id, "other");
            ADD_FAILURE() << "duplicate accepted";
        } catch (const ZelError& e) {
            EXPECT_STREQ(e.what(), kDuplicateEventId);
        }
    }
    EXPECT_THROW(s.store.NewEvent("   ", ""), ZelError);
    Db::Statement st(s.db.work());
    st.execute("select EVENTID, COMMENTS, ORID from ORIGIN");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(0), "20210316120000      ");
    EXPECT_EQ(st.text(1), "Kamchatka's \"first\"");
    EXPECT_EQ(st.integer(2), 1);
    EXPECT_FALSE(st.fetch());
}

TEST_P(EventStoreTest, SaveWritesTheEventAndLoadReadsItBack) {
    Session s(scratch->connectString());
    s.store.NewEvent("EV-1", "Камчатка, Kamchatka's");
    s.event.hypocentreValid = true;
    s.event.lat = 52.12345f;
    s.event.lon = 160.5f;
    s.event.depth = 33.0f;
    s.event.originTime = kT0 - 100.0;

    SEISMIC_PHASE p = Pick(0, 0, "P", kT0 + 0.25);
    p.onset = kOnsetImpulsive;
    p.firstMotion = 1;  // D
    p.weight = 1;
    p.included = 1;
    p.hasAmplitude = 1;
    p.amplitude = 0.5f;
    p.period = 1.25f;
    p.ampTime = kT0 + 1.5;
    p.hasAzimuth = 1;
    p.azimuth = -90.0f;
    p.emergence = 30.0f;
    p.rectilinearity = 0.75f;
    p.hasResidual = 1;
    p.residual = -0.5f;
    p.distance = 12.5f;
    p.mb = 5.0f;
    p.remark = "O'Brien: ложная";
    p.pickFilter = "BP 1-5";
    s.phases.Add(p);
    SEISMIC_PHASE s2 = Pick(0, 1, "S", kT0 + 30.0);
    s2.mb = 6.0f;
    s2.onset = kOnsetNone;
    s2.firstMotion = 8;  // r
    s2.chanType = "BROADBAND";  // wider than its column: cut, not a failed save
    s.phases.Add(s2);
    SEISMIC_PHASE kept = Pick(1, 0, "AML", kT0 + 40.0);
    kept.savable = 0;
    s.phases.Add(kept);
    s.store.SavePhaseList();

    // Network mb is the mean of 5 and 6 with the population variance 0.25.
    EXPECT_FLOAT_EQ(s.event.mb, 5.5f);
    Db::Statement st(s.db.work());
    st.execute("select LAT, LON, DEPTH, ORIGINTIME, MB, MBUNC, MS, MSUNC, COMMENTS, ORID from ORIGIN");
    ASSERT_TRUE(st.fetch());
    EXPECT_DOUBLE_EQ(*st.real(0), 52.123);
    EXPECT_DOUBLE_EQ(*st.real(2), 33.0);
    EXPECT_DOUBLE_EQ(*st.real(3), kT0 - 100.0);
    EXPECT_DOUBLE_EQ(*st.real(4), 5.5);
    EXPECT_DOUBLE_EQ(*st.real(5), 0.25);
    // No station Ms: computed as none, written as such rather than NULL.
    EXPECT_DOUBLE_EQ(*st.real(6), -1000.0);
    EXPECT_EQ(st.text(8), "Камчатка, Kamchatka's");
    EXPECT_EQ(st.integer(9), s.event.orid);
    EXPECT_FALSE(st.fetch());
    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL"), 2);  // the unsavable pick stays out
    st.execute("select FM, IM_EM, SLOW, PER, AZIMUTH, CHANTYPE from ARRIVAL where IPHASE='S'");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(5), "BROA");
    EXPECT_EQ(st.text(0), "r");
    EXPECT_EQ(st.text(1), "-");
    EXPECT_FALSE(st.real(2));
    EXPECT_FALSE(st.real(3));
    EXPECT_FALSE(st.real(4));
    st.closeCursor();

    // Saving again replaces rather than adds.
    s.store.SavePhaseList();
    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL"), 2);
    EXPECT_EQ(Count(s.db, "select ORID from ORIGIN"), 1);

    // Another program loads it.
    Session other(scratch->connectString());
    other.phases.Add(Pick(1, 0, "Pn", kT0));  // cleared by the replacing load
    other.event.ellipse = {12.0, 5.0, 30.0};     // of the solution shown before: not this event's
    other.store.LoadPhaseList("EV-1", true);
    EXPECT_FALSE(other.event.ellipse.valid());
    EXPECT_EQ(other.event.eventId, "EV-1                ");
    EXPECT_EQ(other.event.comment, "Камчатка, Kamchatka's");
    EXPECT_EQ(other.event.orid, s.event.orid);
    EXPECT_TRUE(other.event.hypocentreValid);
    EXPECT_FLOAT_EQ(other.event.lat, 52.123f);
    EXPECT_FLOAT_EQ(other.event.ms, -1000.0f);
    ASSERT_EQ(other.phases.Count(), 2);
    const SEISMIC_PHASE& q = *other.phases.GetAt(0);
    EXPECT_EQ(q.phaseIndex, Iasp91().IndexOf("P"));
    EXPECT_NEAR(q.time, kT0 + 0.25, 1e-4);
    EXPECT_EQ(q.hundredths, 25);
    EXPECT_EQ(q.onset, kOnsetImpulsive);
    EXPECT_EQ(q.firstMotion, 1);
    EXPECT_EQ(q.weight, 1);
    EXPECT_EQ(q.included, 1);
    EXPECT_EQ(q.hasAmplitude, 1);
    EXPECT_FLOAT_EQ(q.amplitude, 0.5f);
    EXPECT_FLOAT_EQ(q.period, 1.25f);
    EXPECT_EQ(q.hasAzimuth, 1);
    EXPECT_FLOAT_EQ(q.azimuth, -90.0f);
    EXPECT_FLOAT_EQ(q.rectilinearity, 0.75f);
    EXPECT_EQ(q.hasResidual, 1);
    EXPECT_FLOAT_EQ(q.residual, -0.5f);
    EXPECT_FLOAT_EQ(q.distance, 12.5f);
    EXPECT_EQ(q.remark, "O'Brien: ложная");
    EXPECT_EQ(q.pickFilter, "BP 1-5");
    EXPECT_EQ(q.arid, s.phases.GetAt(0)->arid);
    const SEISMIC_PHASE& r = *other.phases.GetAt(1);
    EXPECT_EQ(r.onset, kOnsetNone);
    EXPECT_EQ(r.firstMotion, 8);
    EXPECT_EQ(r.hasAmplitude, 0);
    EXPECT_FLOAT_EQ(r.distance, -1.0f);

    // Adding the same event twice gives each pick once and keeps the current event.
    other.event.eventId = PadEventId("OTHER");
    other.store.LoadPhaseList("EV-1", false);
    other.store.LoadPhaseList("EV-1", false);
    EXPECT_EQ(other.phases.Count(), 2);
    EXPECT_EQ(other.event.eventId, PadEventId("OTHER"));

    // Deleting takes the origin and its arrivals.
    EXPECT_EQ(other.store.DeleteEvent("EV-1"), s.event.orid);
    EXPECT_EQ(Count(s.db, "select ORID from ORIGIN"), 0);
    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL"), 0);
}

TEST_P(EventStoreTest, RowsWrittenUnpaddedByOtherToolsStillMatch) {
    Session s(scratch->connectString());
    s.db.work().execute(
        "insert into ORIGIN (EVENTID, LAT, LON, DEPTH, ORIGINTIME, COMMENTS, ORID) values ('EV7', 10, 20, "
        "NULL, "
        "1000, 'plain', NULL)");
    s.db.work().execute(
        "insert into ARRIVAL (EVENTID, STA, CHAN, IPHASE, ITIME, FM, IM_EM, ARID) values ('EV7', ' obn ', "
        "'shn', "
        "'Pn', 1000.5, 'x', 'e', 17)");
    // Rows of stations, channels or phases this installation does not know are skipped.
    s.db.work().execute(
        "insert into ARRIVAL (EVENTID, STA, CHAN, IPHASE, ITIME) values ('EV7', 'NOPE', 'SHZ', 'P', 1001), "
        "('EV7', 'OBN', 'LHZ', 'P', 1002), ('EV7', 'OBN', 'SHZ', 'Pdiff?', 1003)");

    EXPECT_TRUE(s.store.EventExists("EV7                 "));
    EXPECT_THROW(s.store.NewEvent("EV7", ""), ZelError);
    s.store.LoadPhaseList(PadEventId("EV7"), true);
    ASSERT_EQ(s.phases.Count(), 1);
    const SEISMIC_PHASE& p = *s.phases.GetAt(0);
    EXPECT_EQ(p.channelIndex, 1);
    EXPECT_EQ(p.firstMotion, 4);  // an unknown letter reads as "?"
    EXPECT_EQ(p.onset, kOnsetEmergent);
    EXPECT_EQ(p.arid, 17);
    // No depth: the hypocentre is not valid; no orid: a new one is drawn.
    EXPECT_FALSE(s.event.hypocentreValid);
    EXPECT_EQ(s.event.depth, -1.0f);
    EXPECT_EQ(s.event.orid, 1);
    EXPECT_EQ(s.event.mbVariance, -999.0f);

    // The save replaces the unpadded rows with padded ones.
    s.store.SavePhaseList();
    Db::Statement st(s.db.work());
    st.execute("select EVENTID from ORIGIN union all select EVENTID from ARRIVAL");
    int rows = 0;
    while (st.fetch()) {
        EXPECT_EQ(st.text(0), "EV7                 ");
        ++rows;
    }
    EXPECT_EQ(rows, 2);
}

TEST_P(EventStoreTest, PicksSharingOneBulletinArrivalIdAreSavedAsSeparateArrivals) {
    Session s(scratch->connectString());
    s.store.NewEvent("EV-S", "");
    // A bulletin's S read onto both horizontal channels: one id, two picks.
    SEISMIC_PHASE north = Pick(0, 1, "S", kT0 + 5.0);
    north.arid = 4242;
    SEISMIC_PHASE east = north;
    east.channelIndex = 0;
    s.phases.Add(north);
    s.phases.Add(east);
    s.store.SavePhaseList();

    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL"), 2);
    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL where ARID = 4242"), 1);
    EXPECT_NE(s.phases.GetAt(0)->arid, s.phases.GetAt(1)->arid);
    // Saving again keeps the ids it gave.
    const std::int32_t given = s.phases.GetAt(1)->arid;
    s.store.SavePhaseList();
    EXPECT_EQ(s.phases.GetAt(1)->arid, given);
    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL"), 2);
}

TEST_P(EventStoreTest, TheEventListShowsTheNewestFirstUpToItsLimit) {
    Session s(scratch->connectString());
    std::time_t when = 1600000000;
    s.store.clock = [&when] { return when; };
    for (const char* id : {"A", "B", "C"}) {
        s.store.NewEvent(id, std::string("comment ") + id);
        when += 3600;
    }
    const std::vector<EventListRow> newest = s.store.ListEvents(false, 2);
    ASSERT_EQ(newest.size(), 2u);
    EXPECT_EQ(TrimEventId(newest[0].eventId), "C");
    EXPECT_EQ(newest[0].comment, "comment C");
    EXPECT_EQ(newest[0].orid, 3);
    EXPECT_FALSE(newest[0].lat);
    EXPECT_EQ(TrimEventId(newest[1].eventId), "B");
    EXPECT_EQ(s.store.ListEvents(true, 2).size(), 3u);

    // Saving into another listed event takes its orid and comment; the current one keeps its own.
    s.event.comment = "edited";
    s.store.SelectForSave(newest[0]);
    EXPECT_EQ(s.event.orid, 3);
    EXPECT_EQ(s.event.comment, "edited");
    s.store.SelectForSave(newest[1]);
    EXPECT_EQ(s.event.eventId, PadEventId("B"));
    EXPECT_EQ(s.event.orid, 2);
    EXPECT_EQ(s.event.comment, "comment B");
}

TEST(EventListQuery, EachDialectLimitsRowsItsOwnWay) {
    EXPECT_EQ(
        EventListQuery(kDialectSqlServer, "COMMENTS", false, 20),
        "select TOP 20 EVENTID, LAT, LON, DEPTH, ORIGINTIME, LDDATE, COMMENTS,ORID from ORIGIN order by "
        "LDDATE desc, ORIGINTIME desc");
    EXPECT_EQ(EventListQuery(kDialectOracle, "COMMENT", false, 5),
              "select EVENTID, LAT, LON, DEPTH, ORIGINTIME, LDDATE, COMMENT,ORID from (SELECT * from ORIGIN "
              "order by LDDATE desc, ORIGINTIME desc) where rownum <=5");
    for (DbDialect d : {kDialectSqlite, kDialectPostgres, kDialectMySql})
        EXPECT_TRUE(EventListQuery(d, "COMMENTS", false, 7).ends_with("ORIGINTIME desc LIMIT 7"));
    EXPECT_TRUE(EventListQuery(kDialectSqlite, "COMMENTS", true, 7).ends_with("ORIGINTIME desc"));
}

TEST(EventIds, ArePaddedToTwentyAndComparedWithoutTrailingBlanks) {
    EXPECT_EQ(PadEventId("20210316120000"), "20210316120000      ");
    EXPECT_EQ(PadEventId("123456789012345678901234"), "12345678901234567890");
    // Cut on a character boundary: ten two-byte letters fill the width.
    EXPECT_EQ(PadEventId("ЖЖЖЖЖЖЖЖЖЖЖ"), "ЖЖЖЖЖЖЖЖЖЖ");
    EXPECT_EQ(TrimEventId(" A B  "), " A B");
    EXPECT_EQ(TrimEventId("    "), "");
}

TEST(OriginMagnitude, NeverComputedIsNullButNoneIsWritten) {
    EXPECT_TRUE(std::holds_alternative<Db::Null>(OriginMagnitude(-999.0f, -999.0f)));
    EXPECT_TRUE(std::holds_alternative<Db::Null>(OriginMagnitude(999.0f, 0.5f)));
    EXPECT_EQ(std::get<double>(OriginMagnitude(-1000.0f, -1000.0f)), -1000.0);
    EXPECT_EQ(std::get<double>(OriginMagnitude(4.2f, 0.12345f)), 0.123);
}

// The previously stored event: an origin and two arrivals.
void StoreOldEvent(Session& s) {
    s.store.NewEvent("OLD", "before");
    s.event.hypocentreValid = true;
    s.event.lat = 10.0f;
    s.event.lon = 20.0f;
    s.phases.Add(Pick(0, 0, "P", kT0));
    s.phases.Add(Pick(0, 1, "S", kT0 + 20));
    s.store.SavePhaseList();
}

void ExpectOldEventIntact(const std::string& connect) {
    Session check(connect);
    check.store.LoadPhaseList("OLD", true);
    EXPECT_EQ(check.event.comment, "before");
    EXPECT_FLOAT_EQ(check.event.lat, 10.0f);
    EXPECT_EQ(check.phases.Count(), 2);
    EXPECT_EQ(Count(check.db, "select ORID from ORIGIN"), 1);
    EXPECT_EQ(Count(check.db, "select ARID from ARRIVAL"), 2);
}

// A new version of the event with five picks, whose save fails half-way.
void ChangeEvent(Session& s) {
    s.event.comment = "after";
    s.event.lat = 50.0f;
    s.phases.Add(Pick(1, 0, "P", kT0 + 5));
    s.phases.Add(Pick(1, 0, "S", kT0 + 25));
    s.phases.Add(Pick(0, 0, "Pn", kT0 - 2));
}

TEST_P(EventStoreTest, ASaveBrokenHalfWayLeavesTheStoredEventAsItWas) {
    const std::string connect = scratch->connectString();
    Session s(connect);
    StoreOldEvent(s);
    ChangeEvent(s);
    if (GetParam() == Backend::SQLite) {
        // The fourth arrival row of any save is refused by the server.
        s.db.work().execute(
            "create trigger REFUSE_FOURTH before insert on ARRIVAL when (select count(*) from ARRIVAL) >= 3 "
            "begin select raise(abort, 'fourth arrival refused'); end");
        try {
            s.store.SavePhaseList();
            ADD_FAILURE() << "save reported success";
        } catch (const ZelError& e) {
            EXPECT_NE(std::string(e.what()).find("fourth arrival refused"), std::string::npos) << e.what();
        }
        s.db.work().execute("drop trigger REFUSE_FOURTH");
    } else {
        // The server ends the saving backend after its second arrival row.
        std::int64_t pid = 0;
        {
            Db::Statement st(s.db.work());
            st.execute("select pg_backend_pid()");
            ASSERT_TRUE(st.fetch());
            pid = *st.integer(0);
        }
        Db::Connection admin;
        admin.open(connect);
        s.store.afterArrivalWritten = [&](int written) {
            if (written != 2) return;
            Db::Statement kill(admin);
            kill.execute("select pg_terminate_backend(?)", {pid});
        };
        EXPECT_THROW(s.store.SavePhaseList(), ZelError);
    }
    ExpectOldEventIntact(connect);
}

TEST_P(EventStoreTest, StoreHypocentreUpdatesOnlyAnExistingRow) {
    Session s(scratch->connectString());
    s.store.NewEvent("EV-H", "old");
    CurrentEvent located = s.event;
    located.lat = -33.25f;
    located.lon = 151.5f;
    located.depth = 12.0f;
    located.originTime = kT0 + 0.125;
    located.comment = "Новый Южный Уэльс";
    located.orid = 77;
    EXPECT_TRUE(s.store.StoreHypocentre("EV-H", located));
    EXPECT_FALSE(s.store.StoreHypocentre("NO-SUCH", located));
    Db::Statement st(s.db.work());
    st.execute("select LAT, LON, DEPTH, ORIGINTIME, COMMENTS, ORID, LDDATE from ORIGIN");
    ASSERT_TRUE(st.fetch());
    EXPECT_DOUBLE_EQ(*st.real(0), -33.25);
    EXPECT_DOUBLE_EQ(*st.real(1), 151.5);
    EXPECT_DOUBLE_EQ(*st.real(2), 12.0);
    EXPECT_DOUBLE_EQ(*st.real(3), kT0 + 0.125);
    EXPECT_EQ(st.text(4), "Новый Южный Уэльс");
    EXPECT_EQ(st.integer(5), 77);
    EXPECT_TRUE(st.text(6));
    EXPECT_FALSE(st.fetch());
}

// Ends the server backend of a session's working connection from a second connection, as an
// administrator or a server restart would.
void TerminateBackend(Session& s, const std::string& connect) {
    std::int64_t pid = 0;
    {
        Db::Statement st(s.db.work());
        st.execute("select pg_backend_pid()");
        ASSERT_TRUE(st.fetch());
        pid = *st.integer(0);
    }
    Db::Connection admin;
    admin.open(connect);
    Db::Statement kill(admin);
    kill.execute("select pg_terminate_backend(pid) from pg_stat_activity where pid=?", {pid});
}

TEST_P(EventStoreTest, ALostServerFailsSaveAndLoadClearlyAndKeepsTheListAndTheStoredEvent) {
    if (GetParam() != Backend::PostgreSQL) GTEST_SKIP() << "a server backend to end exists only on PostgreSQL";
    const std::string connect = scratch->connectString();
    Session s(connect);
    StoreOldEvent(s);
    ChangeEvent(s);

    TerminateBackend(s, connect);
    try {
        s.store.SavePhaseList();
        ADD_FAILURE() << "save reported success";
    } catch (const ZelError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    ExpectOldEventIntact(connect);

    // A load over the lost connection: the analyst's unsaved picks and event stay as they were,
    // so that a later save cannot write an empty list under the other event's id.
    s.phases.RemoveAll();
    s.phases.Add(Pick(1, 0, "P", kT0 + 5));
    s.event.eventId = PadEventId("UNSAVED");
    s.event.comment = "mine";
    EXPECT_THROW(s.store.LoadPhaseList("OLD", true), Db::Error);
    EXPECT_EQ(TrimEventId(s.event.eventId), "UNSAVED");
    EXPECT_EQ(s.event.comment, "mine");
    ASSERT_EQ(s.phases.Count(), 1);
    EXPECT_EQ(s.phases.GetAt(0)->stationIndex, 1);
    EXPECT_THROW(s.store.LoadPhaseList("OLD", false), Db::Error);
    EXPECT_EQ(s.phases.Count(), 1);

    // After reconnecting, the stored event loads whole, and saves work again.
    s.db.closeAll();
    ASSERT_EQ(s.db.openWorkDb(), 1);
    s.store.LoadPhaseList("OLD", true);
    EXPECT_EQ(s.event.comment, "before");
    EXPECT_EQ(s.phases.Count(), 2);
    ChangeEvent(s);
    s.store.SavePhaseList();
    Session check(connect);
    check.store.LoadPhaseList("OLD", true);
    EXPECT_EQ(check.event.comment, "after");
    EXPECT_EQ(check.phases.Count(), 5);
}

TEST_P(EventStoreTest, ASaveOntoAFullDiskFailsClearlyAndKeepsTheStoredEvent) {
    if (GetParam() != Backend::SQLite) GTEST_SKIP() << "the server's disk is not this process's to fill";
    const std::string connect = scratch->connectString();
    const std::size_t at = connect.find("Database=") + 9;
    const std::string file = connect.substr(at, connect.find(';', at) - at);
    {
        Session s(connect);
        StoreOldEvent(s);
    }
    // Another program's session whose database file cannot grow: the new version needs more pages.
    const auto failure = test::FailureWithFileSizeLimit(std::filesystem::file_size(file), [&] {
        Session s(connect);
        s.store.LoadPhaseList("OLD", true);
        ChangeEvent(s);
        for (int phase = 0; phase < Iasp91().Count(); ++phase)
            for (auto [station, slot] : {std::pair{0, 0}, {0, 1}, {1, 0}}) {
                SEISMIC_PHASE p = Pick(station, slot, "P", kT0 + 100 + phase);
                p.phaseIndex = phase;
                p.remark = std::string(kEventTextWidth, 'x');
                s.phases.Add(p);
            }
        if (s.phases.Count() < 100) throw std::logic_error("too few picks to outgrow the file");
        s.store.SavePhaseList();
    });
    ASSERT_TRUE(failure) << "the save was reported done";
    // The driver's own text: a size limit reads as an I/O error, a full disk as "disk is full".
    EXPECT_NE(failure->find("disk"), std::string::npos) << *failure;
    ExpectOldEventIntact(connect);
}

// A key that cannot be drawn used to be stored as -1, and a re-save drew a new orid every time.
TEST_P(EventStoreTest, AReSaveKeepsItsOridAndAFailedKeyDrawStoresNothing) {
    Session s(scratch->connectString());
    s.phases.Add(Pick(0, 0, "P", kT0));
    s.event.eventId = PadEventId("EV-KEYS");
    s.store.SavePhaseList();
    ASSERT_EQ(s.event.orid, 1);
    // The same id saved again as a bulletin load brings it: no orid, arrivals without ids.
    s.event.orid = -1;
    s.phases.GetAt(0)->arid = -1;
    s.store.SavePhaseList();
    EXPECT_EQ(s.event.orid, 1);
    EXPECT_EQ(Count(s.db, "select ORID from ORIGIN where ORID = 1"), 1);
    EXPECT_EQ(Count(s.db, "select KEYVALUE from LASTID where KEYNAME = 'orid' and KEYVALUE = 1"), 1);

    // No key counter to draw from: keys come from a CSS database this installation does not have.
    RecordingMessageSink messages;
    DatabaseSettings cssKeys = SettingsFor(scratch->connectString());
    cssKeys.localLastId = false;
    Databases db(cssKeys, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    ZELPhases phases;
    CurrentEvent event;
    const std::vector<Station> stations = TwoStations();
    EventStore store(db, phases, event, Iasp91(), stations);
    phases.Add(Pick(0, 0, "P", kT0));
    event.eventId = PadEventId("EV-NOKEY");
    auto failure = [&](auto&& save) {
        try {
            save();
        } catch (const ZelError& e) {
            return std::string(e.what());
        }
        return std::string("saved");
    };
    EXPECT_EQ(failure([&] { store.SavePhaseList(); }), kNoNewOrid);
    EXPECT_EQ(failure([&] { store.NewEvent("EV-NOKEY", ""); }), kNoNewOrid);
    // An orid, but no arid key left.
    s.db.work().execute("delete from LASTID where KEYNAME = 'arid'");
    s.event.eventId = PadEventId("EV-NOARID");
    s.event.orid = -1;
    s.phases.GetAt(0)->arid = -1;
    EXPECT_EQ(failure([&] { s.store.SavePhaseList(); }), kNoNewArid);
    EXPECT_EQ(Count(s.db, "select EVENTID from ORIGIN"), 1);
    EXPECT_EQ(Count(s.db, "select ARID from ARRIVAL where ARID <= 0"), 0);
}

// Two programs saving the same ids at once: each save takes its turn, so every id is one event
// with one set of arrivals, whichever program wrote it last.
TEST_P(EventStoreTest, TwoProgramsSavingTheSameIdsAtOnceLeaveOneEventPerId) {
    { Session schema(scratch->connectString()); }
    // SQLite writes one program at a time anyway, and each of its commits waits for the disk.
    const int kIds = GetParam() == Backend::SQLite ? 10 : 60;
    constexpr int kPicks = 12;
    const std::string command = std::string(ZEL_TEST_BIN_DIR) + "/zel_test_eventsave '" +
                                scratch->connectString() + "' 0 " + std::to_string(kIds) + " " +
                                std::to_string(kPicks);
    FILE* first = popen(command.c_str(), "r");
    FILE* second = popen(command.c_str(), "r");
    ASSERT_TRUE(first && second);
    for (FILE* f : {first, second}) {
        char line[64] = {};
        ASSERT_TRUE(std::fgets(line, sizeof line, f));
        EXPECT_EQ(std::string(line), "saved " + std::to_string(kIds) + " failed 0\n");
        EXPECT_EQ(pclose(f), 0);
    }
    Session s(scratch->connectString());
    EXPECT_EQ(Count(s.db, "select distinct EVENTID from ORIGIN"), kIds);
    EXPECT_EQ(Count(s.db, "select EVENTID from ORIGIN"), kIds);
    EXPECT_EQ(Count(s.db, "select EVENTID from ARRIVAL"), kIds * kPicks);
    EXPECT_EQ(Count(s.db, "select distinct ARID from ARRIVAL"), kIds * kPicks);
    EXPECT_EQ(Count(s.db, "select distinct ORID from ORIGIN"), kIds);
}

// A save behind another program's save of the same id says that it waits, and gives up after the
// lock timeout with a clear message instead of waiting for ever.
TEST_P(EventStoreTest, ASaveBehindAnotherSaysItWaitsAndGivesUpAfterTheLockTimeout) {
    { Session schema(scratch->connectString()); }
    Db::Connection other;
    other.open(scratch->connectString());
    const DbDialect dialect = DetectDialect(other);
    Db::Transaction holding(other);
    Db::LockForTransaction(other, dialect, "ORIGIN EV-WAIT", {});

    RecordingMessageSink messages;
    DatabaseSettings settings = SettingsFor(scratch->connectString());
    settings.lockWaitSeconds = 1;
    Databases db(settings, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    std::vector<std::string> told;
    db.setWaitNotice([&](const std::string& text) { told.push_back(text); });
    ZELPhases phases;
    CurrentEvent event;
    const std::vector<Station> stations = TwoStations();
    EventStore store(db, phases, event, Iasp91(), stations);
    // Keys drawn already: on SQLite the other program's lock holds the key counter too.
    SEISMIC_PHASE pick = Pick(0, 0, "P", kT0);
    pick.arid = 77;
    phases.Add(pick);
    event.eventId = PadEventId("EV-WAIT");
    event.orid = 7;
    const auto start = std::chrono::steady_clock::now();
    try {
        store.SavePhaseList();
        ADD_FAILURE() << "saved while another program held the event";
    } catch (const ZelError& e) {
        EXPECT_EQ(std::string(e.what()), EventBeingSavedText("EV-WAIT"));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(told, std::vector<std::string>{EventWaitText("EV-WAIT")});
    holding.commit();
    // The other program done, the save goes through.
    store.SavePhaseList();
    EXPECT_EQ(Count(db, "select ORID from ORIGIN where ORID = 7"), 1);
}

ZEL_INSTANTIATE_DATABASE_TEST(EventStoreTest);

}  // namespace
}  // namespace zel
