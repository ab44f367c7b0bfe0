// Detections offered as picks: the naming and check rule, and the rows of EVENTLIST and ALERT.

#include "events/Detections.h"

#include <gtest/gtest.h>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

// P at OBN is predicted at 1000 s and PKiKP at 1030 s; S at 1400 s; ARU has no prediction.
std::optional<double> Predict(const std::string& station, const std::string& phase) {
    if (station != "OBN") return std::nullopt;
    if (phase == "P") return 1000.0;
    if (phase == "PKiKP") return 1030.0;
    if (phase == "S") return 1400.0;
    return std::nullopt;
}

DetectionRow Proposed(const char* station, double time, const char* phase = "N") {
    DetectionRow row;
    row.station = station;
    row.time = time;
    row.phase = phase;
    ProposePhase(row, Predict);
    return row;
}

TEST(Detections, AreNamedAfterTheCloserPredictionAndCheckedWithinTenSeconds) {
    DetectionRow p = Proposed("OBN", 1004.5);
    EXPECT_EQ(p.phase, "P");
    EXPECT_TRUE(p.checked);
    EXPECT_DOUBLE_EQ(*p.difference, 4.5);

    DetectionRow k = Proposed("OBN", 1022.0);  // 22 after P, 8 before PKiKP
    EXPECT_EQ(k.phase, "PKiKP");
    EXPECT_TRUE(k.checked);
    EXPECT_DOUBLE_EQ(*k.difference, -8.0);

    DetectionRow near = Proposed("OBN", 1075.0);  // 45 after PKiKP: shown, not checked
    EXPECT_EQ(near.phase, "N");
    EXPECT_FALSE(near.checked);
    EXPECT_DOUBLE_EQ(*near.difference, 45.0);

    EXPECT_FALSE(Proposed("OBN", 1100.0).difference);  // 70 s off: nothing shown
    EXPECT_FALSE(Proposed("ARU", 1000.0).checked);

    // A stored phase keeps its name and is compared with its own prediction.
    DetectionRow s = Proposed("OBN", 1395.0, "S");
    EXPECT_EQ(s.phase, "S");
    EXPECT_TRUE(s.checked);
    EXPECT_DOUBLE_EQ(*s.difference, -5.0);
    EXPECT_FALSE(Proposed("OBN", 1002.0, "S").difference);
}

class DetectionsTest : public test::DatabaseTest {};

TEST_P(DetectionsTest, EventListAndAlertRowsBecomePicks) {
    test::ScratchDatabase css(GetParam());
    DatabaseSettings s;
    s.odbc = scratch->connectString();
    s.odbcCss = css.connectString();
    s.localLastId = true;
    RecordingMessageSink messages;
    Databases db(s, messages);
    OpenDatabases(db, messages);
    ASSERT_TRUE(messages.messages().empty()) << messages.messages()[0].text;

    db.work().execute(
        "insert into EVENTLIST (STA, TBEGIN, EVENT_TYPE) values ('OBN', 999, 1), ('ARU', 1200, 1), "
        "('OBN', 1500, 1), ('OBN', 1600, 1)");
    std::vector<DetectionRow> rows = ReadEventListDetections(db.work(), 900, 1600, Predict);
    ASSERT_EQ(rows.size(), 3u);  // the upper bound is excluded
    EXPECT_EQ(rows[0].phase, "P");
    EXPECT_TRUE(rows[0].checked);

    db.css().execute(
        "insert into ALERT (sta, time, phase, azimuth, slow) values ('OBN', 1001, 'N', 250, 4.5), "
        "('ARU', 1001, 'Pn', NULL, NULL), ('OBN', 1402, 'S', NULL, NULL), ('OBN', 2000, 'P', 1, 1)");
    std::vector<DetectionRow> alerts = ReadAlertDetections(db.css(), 1000, 1402, Predict);
    ASSERT_EQ(alerts.size(), 3u);  // both bounds included, newest first, then station descending
    EXPECT_EQ(alerts[0].phase, "S");
    EXPECT_EQ(alerts[1].station, "OBN");
    EXPECT_EQ(alerts[1].phase, "P");
    EXPECT_EQ(alerts[2].phase, "Pn");
    EXPECT_FALSE(alerts[2].checked);

    std::vector<Station> stations(2);
    stations[0].code = "OBN";
    stations[0].slots[0].channel = "SHZ";
    stations[1].code = "ARU";
    PhaseCatalogue catalogue;
    ZELPhases phases;
    alerts[2].checked = true;  // ARU has no channel: left out
    EXPECT_EQ(AddCheckedDetections(alerts, stations, catalogue, phases), 2);
    ASSERT_EQ(phases.Count(), 2);
    const SEISMIC_PHASE& p = *phases.GetAt(0);
    EXPECT_EQ(p.phaseIndex, catalogue.IndexOf("P"));
    EXPECT_DOUBLE_EQ(p.time, 1001.0);
    EXPECT_FLOAT_EQ(p.azimuth, -110.0f);
    EXPECT_FLOAT_EQ(p.slowness, 4.5f);
}

ZEL_INSTANTIATE_DATABASE_TEST(DetectionsTest);

}  // namespace
}  // namespace zel

namespace zel {
namespace {

TEST(Detections, PredictionsComeFromTheCurrentHypocentreAndTheCurves) {
    PhaseCatalogue catalogue;
    catalogue.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "/nowhere/");
    std::vector<Station> stations(1);
    stations[0].code = "EQT";
    stations[0].lon = 30.0f;  // 30 degrees along the equator
    CurrentEvent event;
    event.originTime = 1000.0;
    EXPECT_FALSE(PredictorFor(event, stations, catalogue));  // no hypocentre, no predictions
    event.hypocentreValid = true;
    const ArrivalPredictor predict = PredictorFor(event, stations, catalogue);
    ASSERT_TRUE(predict);
    // The P travel time to 30 degrees from a surface focus is about 6 min 12 s.
    EXPECT_NEAR(*predict("EQT", "P"), 1000.0 + 372.0, 3.0);
    EXPECT_FALSE(predict("EQT", "AML"));
    EXPECT_FALSE(predict("NONE", "P"));
}

}  // namespace
}  // namespace zel
