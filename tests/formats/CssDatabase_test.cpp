// Saving the current event into a real CSS 3.0 database: one set of rows however often it is
// saved, the CSS codes and units, and a save broken half-way that leaves the previous rows whole.

#include "formats/CssDatabase.h"

#include <gtest/gtest.h>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "db/Databases.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

constexpr double kT0 = 1615896000.0;  // 2021-03-16 12:00:00 UTC

std::vector<Station> TwoStations() {
    std::vector<Station> stations(2);
    stations[0].code = "OBN";
    stations[0].lat = 55.11f;
    stations[0].lon = 36.57f;
    stations[0].slots[0].channel = "SHZ";
    stations[1].code = "ARU";
    stations[1].lat = 56.43f;
    stations[1].lon = 58.56f;
    stations[1].slots[0].channel = "BHZ";
    return stations;
}

struct Program {
    Program(const std::string& work, const std::string& css) {
        DatabaseSettings s;
        s.odbc = work;
        s.odbcCss = css;
        s.userCss = "zel";
        s.localLastId = false;  // keys from the CSS database's own LASTID
        db = std::make_unique<Databases>(s, messages);
        OpenDatabases(*db, messages);
        if (!messages.messages().empty()) throw ZelError(messages.messages()[0].text);
        saverPtr = std::make_unique<CssEventSaver>(*db, stations, catalogue);
        saver().clock = [] { return std::time_t{1615896000}; };
    }

    SEISMIC_PHASE& Add(int station, const char* phase, double time) {
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.phaseIndex = catalogue.IndexOf(phase);
        SetPickTime(p, time);
        return phases.Add(p);
    }

    int Count(const std::string& sql) {
        Db::Statement st(db->css());
        st.execute(sql);
        int n = 0;
        while (st.fetch()) ++n;
        return n;
    }

    RecordingMessageSink messages;
    std::unique_ptr<Databases> db;
    PhaseCatalogue catalogue;
    std::vector<Station> stations = TwoStations();
    ZELPhases phases;
    CurrentEvent event;
    std::unique_ptr<CssEventSaver> saverPtr;
    CssEventSaver& saver() { return *saverPtr; }
};

class CssDatabaseTest : public test::DatabaseTest {};

TEST_P(CssDatabaseTest, SavingTwiceLeavesOneSetOfRows) {
    test::ScratchDatabase css(GetParam());
    Program p(scratch->connectString(), css.connectString());
    p.event.hypocentreValid = true;
    p.event.lat = 52.5f;
    p.event.lon = 158.25f;
    p.event.depth = 33.0f;
    p.event.originTime = kT0;
    p.event.mb = 5.2f;
    p.event.ms = kMagnitudeNone;
    SEISMIC_PHASE& first = p.Add(0, "P", kT0 + 400.25);
    first.hasAmplitude = 1;
    first.amplitude = 1.5f;
    first.period = 0.8f;
    first.ampTime = kT0 + 400.65;
    first.mb = 5.1f;
    first.ms = 4.4f;
    first.firstMotion = 0;  // U
    first.onset = kOnsetImpulsive;
    first.included = 1;
    first.hasResidual = 1;
    first.residual = 0.4f;
    first.comment = "Станция O'Brien; \"шум\"";
    SEISMIC_PHASE& second = p.Add(1, "S", kT0 + 700.0);
    second.firstMotion = 3;  // -
    second.included = 0;

    p.saver().Save(p.event, p.phases);
    const std::int32_t orid = p.event.orid;
    const std::int32_t arid = p.phases.GetAt(0)->arid;
    EXPECT_GT(orid, 0);
    EXPECT_GT(arid, 0);
    EXPECT_GT(p.phases.GetAt(0)->commid, 0);
    EXPECT_EQ(p.phases.GetAt(1)->commid, -1);
    p.saver().Save(p.event, p.phases);
    EXPECT_EQ(p.event.orid, orid);
    EXPECT_EQ(p.phases.GetAt(0)->arid, arid);

    EXPECT_EQ(p.Count("select * from origin"), 1);
    EXPECT_EQ(p.Count("select * from arrival"), 2);
    EXPECT_EQ(p.Count("select * from assoc"), 2);
    EXPECT_EQ(p.Count("select * from amplitude"), 1);
    EXPECT_EQ(p.Count("select * from stamag"), 2);  // mb and Ms of the pick with the amplitude
    EXPECT_EQ(p.Count("select * from remark"), 1);

    Db::Statement st(p.db->css());
    st.execute("select lat, lon, depth, nass, ndef, mb, ms, jdate, algorithm from origin where orid=?",
               {std::int64_t{orid}});
    ASSERT_TRUE(st.fetch());
    EXPECT_NEAR(*st.real(0), 52.5, 1e-5);
    EXPECT_NEAR(*st.real(2), 33.0, 1e-5);
    EXPECT_EQ(st.integer(3), 2);
    EXPECT_EQ(st.integer(4), 1);
    EXPECT_NEAR(*st.real(5), 5.2, 1e-5);
    EXPECT_EQ(st.real(6), -999.0);  // "none computed" is not a magnitude
    EXPECT_EQ(st.integer(7), 2021075);
    EXPECT_EQ(st.text(8), "ZEL");
    st.closeCursor();

    st.execute("select amp, per, fm, qual, chan, commid from arrival where arid=?", {std::int64_t{arid}});
    ASSERT_TRUE(st.fetch());
    EXPECT_NEAR(*st.real(0), 1500.0, 1e-3);
    EXPECT_NEAR(*st.real(1), 0.8, 1e-6);
    EXPECT_EQ(st.text(2), "c.");
    EXPECT_EQ(st.text(3), "i");
    EXPECT_EQ(st.text(4), "shz");
    EXPECT_EQ(st.integer(5), p.phases.GetAt(0)->commid);
    st.closeCursor();
    st.execute("select fm from arrival where arid=?", {std::int64_t{p.phases.GetAt(1)->arid}});
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(0), "d.");
    st.closeCursor();

    st.execute("select amp, units, amptype from amplitude");
    ASSERT_TRUE(st.fetch());
    EXPECT_NEAR(*st.real(0), 1500.0, 1e-3);
    EXPECT_EQ(st.text(1), "nm");
    EXPECT_EQ(st.text(2), "A5/2");
    st.closeCursor();

    st.execute("select timeres, timedef, delta, seaz, esaz from assoc order by arid");
    ASSERT_TRUE(st.fetch());
    EXPECT_NEAR(*st.real(0), 0.4, 1e-6);
    EXPECT_EQ(st.text(1), "d");
    // OBN (Obninsk) to Kamchatka: about 62 degrees, the event lies to the north-east.
    EXPECT_NEAR(*st.real(2), 62.0, 1.5);
    const double seaz = st.real(3).value_or(-1);
    EXPECT_GT(seaz, 0.0);
    EXPECT_LT(seaz, 90.0);
    EXPECT_GE(*st.real(4), 0.0);
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.real(0), -999.0);
    EXPECT_EQ(st.text(1), "n");
    st.closeCursor();

    st.execute("select magtype, magnitude, ampid from stamag order by magtype");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(0), "mb");
    EXPECT_NEAR(*st.real(1), 5.1, 1e-5);
    EXPECT_GT(*st.integer(2), 0);
    st.closeCursor();

    st.execute("select remark from remark");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(0), "Станция O'Brien; \"шум\"");
    st.closeCursor();

    // A comment taken away takes its remark with it at the next save.
    p.phases.GetAt(0)->comment.clear();
    p.saver().Save(p.event, p.phases);
    EXPECT_EQ(p.Count("select * from remark"), 0);
    EXPECT_EQ(p.Count("select * from arrival"), 2);
}

TEST_P(CssDatabaseTest, AnEventWithoutHypocentreIsKeptAtTheNorthPoleDepth900) {
    test::ScratchDatabase css(GetParam());
    Program p(scratch->connectString(), css.connectString());
    p.Add(0, "P", kT0);
    p.saver().Save(p.event, p.phases);
    Db::Statement st(p.db->css());
    st.execute("select lat, lon, depth, time, mb from origin");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.real(0), 90.0);
    EXPECT_EQ(st.real(1), 180.0);
    EXPECT_EQ(st.real(2), 900.0);
    EXPECT_EQ(st.real(3), 0.0);
    EXPECT_EQ(st.real(4), -999.0);
    st.closeCursor();
    st.execute("select delta, seaz, esaz from assoc");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.real(0), -1.0);
    EXPECT_EQ(st.real(2), -999.0);
}

TEST_P(CssDatabaseTest, AFailedSaveLeavesThePreviousRowsWholeAndKeepsItsKeys) {
    test::ScratchDatabase css(GetParam());
    Program p(scratch->connectString(), css.connectString());
    p.Add(0, "P", kT0);
    p.Add(1, "P", kT0 + 30);
    p.saver().Save(p.event, p.phases);

    SEISMIC_PHASE& third = p.Add(1, "S", kT0 + 60);
    third.hasAmplitude = 1;
    third.amplitude = 2.0f;
    third.period = 1.0f;
    p.saver().afterPickWritten = [](int written) {
        if (written == 2) throw Db::Error("connection lost", "08S01");
    };
    try {
        p.saver().Save(p.event, p.phases);
        ADD_FAILURE() << "saved";
    } catch (const ZelError& e) {
        EXPECT_EQ(std::string(e.what()), std::string(kCssSaveFailed) + "\nconnection lost");
    }
    EXPECT_GT(p.phases.GetAt(2)->arid, 0);  // drawn before the failure, kept
    EXPECT_EQ(p.Count("select * from origin"), 1);
    EXPECT_EQ(p.Count("select * from arrival"), 2);
    EXPECT_EQ(p.Count("select * from assoc"), 2);
    EXPECT_EQ(p.Count("select * from amplitude"), 0);
    Db::Statement st(p.db->css());
    st.execute("select nass from origin");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(0), 2);
    st.closeCursor();

    // A key that cannot be drawn stops the save before anything is written.
    p.saver().afterPickWritten = nullptr;
    p.db->css().execute("delete from LASTID where keyname='ampid'");
    try {
        p.saver().Save(p.event, p.phases);
        ADD_FAILURE() << "saved";
    } catch (const ZelError& e) {
        EXPECT_STREQ(e.what(), "Ошибка при получении нового AMPID");
    }
    EXPECT_EQ(p.Count("select * from arrival"), 2);
}

TEST_P(CssDatabaseTest, DeletingAnOriginTakesItsOwnRowsOnly) {
    test::ScratchDatabase css(GetParam());
    Program p(scratch->connectString(), css.connectString());
    SEISMIC_PHASE& first = p.Add(0, "P", kT0);
    first.hasAmplitude = 1;
    first.amplitude = 1.0f;
    first.period = 1.0f;
    first.mb = 4.0f;
    first.comment = "first";
    p.saver().Save(p.event, p.phases);
    const std::int64_t deleted = p.event.orid;

    CurrentEvent other;
    ZELPhases otherPhases;
    SEISMIC_PHASE pick;
    pick.stationIndex = 1;
    pick.phaseIndex = p.catalogue.IndexOf("P");
    SetPickTime(pick, kT0 + 5000);
    pick.comment = "second";
    otherPhases.Add(pick);
    p.saver().Save(other, otherPhases);

    DeleteCssOrigin(p.db->css(), deleted);
    for (const char* table : {"origin", "arrival", "assoc", "remark"})
        EXPECT_EQ(p.Count(std::string("select * from ") + table), 1) << table;
    EXPECT_EQ(p.Count("select * from amplitude"), 0);
    EXPECT_EQ(p.Count("select * from stamag"), 0);
    Db::Statement st(p.db->css());
    st.execute("select orid from origin");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(0), other.orid);
}

TEST_P(CssDatabaseTest, WithoutACssDatabaseNothingIsDrawn) {
    DatabaseSettings s;
    s.odbc = scratch->connectString();
    RecordingMessageSink messages;
    Databases db(s, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    PhaseCatalogue catalogue;
    const std::vector<Station> stations = TwoStations();
    CssEventSaver saver(db, stations, catalogue);
    CurrentEvent event;
    ZELPhases phases;
    try {
        saver.Save(event, phases);
        ADD_FAILURE() << "saved";
    } catch (const ZelError& e) {
        EXPECT_STREQ(e.what(), kCssNotConnected);
    }
    EXPECT_EQ(event.orid, -1);
}

ZEL_INSTANTIATE_DATABASE_TEST(CssDatabaseTest);

}  // namespace
}  // namespace zel
