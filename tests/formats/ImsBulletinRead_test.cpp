// Reading IMS1.0 bulletins. The expected values of the real bulletin were read off the file by
// hand, not produced by the reader.

#include <gtest/gtest.h>

#include <sstream>

#include "base/TimeConversions.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/ImsBulletin.h"

namespace zel {
namespace {

const std::string kRealBulletin = std::string(ZEL_TEST_DATA_DIR) + "/bulletins/ipe202409sel_ims.txt";

struct Expected {
    const char* sta;
    double dist, evaz;
    const char* phase;
    int h, m;
    double s, tres, azim;
    char def;
    double snr, amp, per;
    const char* qual;  // pick type, polarity, onset as the reader should hand them back
    const char* magType;
    double mag;
    long long arid;
};

void ExpectPhases(const ImsEvent& e, const std::vector<Expected>& want) {
    ASSERT_EQ(e.phases.size(), want.size()) << e.id;
    for (std::size_t i = 0; i < want.size(); ++i) {
        const IMSPhaseBlock& p = e.phases[i];
        const Expected& w = want[i];
        SCOPED_TRACE(e.id + " phase line " + std::to_string(i + 1));
        EXPECT_EQ(p.station, w.sta);
        EXPECT_DOUBLE_EQ(p.distance, w.dist);
        EXPECT_DOUBLE_EQ(p.eventAzimuth, w.evaz);
        EXPECT_EQ(p.phase, w.phase);
        EXPECT_EQ(p.hour, w.h);
        EXPECT_EQ(p.minute, w.m);
        EXPECT_DOUBLE_EQ(p.second, w.s);
        EXPECT_DOUBLE_EQ(p.residual, w.tres);
        EXPECT_DOUBLE_EQ(p.azimuth, w.azim);
        EXPECT_EQ(p.defining, w.def);
        EXPECT_DOUBLE_EQ(p.snr, w.snr);
        EXPECT_DOUBLE_EQ(p.amplitude, w.amp);
        EXPECT_DOUBLE_EQ(p.period, w.per);
        EXPECT_EQ(std::string({p.pickType, p.firstMotion, p.onset}), w.qual);
        EXPECT_EQ(p.magnitudeType, w.magType);
        EXPECT_DOUBLE_EQ(p.magnitude, w.mag);
        EXPECT_EQ(p.arid, w.arid);
    }
}

constexpr double N = -1.0, NR = -9999.0;  // absent number; absent residual

TEST(ImsBulletinRead, RealBulletinOriginsAndEveryPhaseLine) {
    const std::vector<ImsEvent> events = ReadImsBulletinFile(kRealBulletin, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 3u);

    // An origin without coordinates; two comment lines between the header and the phases.
    const ImsEvent& a = events[0];
    EXPECT_EQ(a.id, "2032247");
    EXPECT_EQ(a.region, "CZECH REPUBLIC, OSTRAVA");
    ASSERT_TRUE(a.origin);
    EXPECT_EQ(a.origin->year, 2024);
    EXPECT_EQ(a.origin->month, 9);
    EXPECT_EQ(a.origin->day, 1);
    EXPECT_EQ(a.origin->hour, 11);
    EXPECT_EQ(a.origin->minute, 18);
    EXPECT_DOUBLE_EQ(a.origin->second, 16.35);
    EXPECT_FALSE(a.origin->HasCoordinates());
    EXPECT_FALSE(a.origin->depth);
    EXPECT_FALSE(a.origin->rms);
    EXPECT_EQ(a.origin->author, "IPEC");
    EXPECT_EQ(a.origin->origId, 2032247);
    EXPECT_TRUE(a.hasPhaseHeader);
    ExpectPhases(a, {{"MORC", N, N, "Pg", 11, 18, 16.350, NR, N, '_', N, N, N, "m_e", "", N, 19692935},
                     {"MORC", N, N, "Sg", 11, 18, 24.166, NR, N, '_', N, N, N, "m_e", "", N, 19692936},
                     {"VRAC", N, N, "Pg", 11, 18, 29.164, NR, N, '_', N, N, N, "m_e", "", N, 19692938},
                     {"KRUC", N, N, "Pg", 11, 18, 32.577, NR, N, '_', N, N, N, "m_e", "", N, 19692939},
                     {"VRAC", N, N, "Sg", 11, 18, 46.554, NR, N, '_', N, N, N, "m_e", "", N, 19692937},
                     {"KRUC", N, N, "Sg", 11, 18, 53.542, NR, N, '_', N, N, N, "m_e", "", N, 19692940}});

    // A full origin with a magnitude block and a comment line among the phases.
    const ImsEvent& b = events[1];
    EXPECT_EQ(b.id, "2032257");
    ASSERT_TRUE(b.origin);
    const ImsOrigin& o = *b.origin;
    EXPECT_DOUBLE_EQ(o.Epoch(), CalendarToEpoch(2024, 9, 1, 12, 33, 19.91));
    EXPECT_DOUBLE_EQ(*o.timeError, 0.34);
    EXPECT_DOUBLE_EQ(*o.rms, 0.17);
    EXPECT_DOUBLE_EQ(*o.lat, 49.8219);
    EXPECT_DOUBLE_EQ(*o.lon, 18.5593);
    EXPECT_DOUBLE_EQ(*o.smaj, 2.2);
    EXPECT_DOUBLE_EQ(*o.smin, 1.7);
    EXPECT_DOUBLE_EQ(*o.ellipseAzimuth, 61);
    EXPECT_DOUBLE_EQ(*o.depth, 1.0);
    EXPECT_TRUE(o.depthFixed);
    EXPECT_FALSE(o.depthError);
    EXPECT_EQ(o.ndef, 9);
    EXPECT_EQ(o.nsta, 5);
    EXPECT_EQ(o.gap, 280);
    EXPECT_DOUBLE_EQ(*o.minDistance, 0.66);
    EXPECT_DOUBLE_EQ(*o.maxDistance, 1.60);
    EXPECT_EQ(o.origId, 2032257);
    ExpectPhases(b, {{"MORC", 0.66, 266.5, "Pg", 12, 33, 32.774, 0.2, 85.7, 'T', N, N, N, "m_e", "", N, 19692970},
                     {"MORC", 0.66, 266.5, "Sg", 12, 33, 40.556, -0.1, 85.7, 'T', 1.0, 4.7, 0.20, "m_q", "ML", 1.0,
                      19692975},
                     {"JAVC", 1.13, 211.4, "Pg", 12, 33, 41.838, 0.2, 30.8, 'T', 2.0, N, N, "a_i", "", N, 19692976},
                     {"VRAC", 1.38, 248.9, "Pg", 12, 33, 45.474, -0.2, 67.4, 'T', N, N, N, "m_e", "", N, 19692977},
                     {"VRAC", 1.38, 248.9, "Sg", 12, 34, 3.009, -0.1, 67.4, 'T', N, 3.0, 0.23, "m_e", "ML", 1.3,
                      19692978},
                     {"KRUC", 1.60, 242.5, "Pg", 12, 33, 49.149, 0.1, 60.9, 'T', N, N, N, "m_e", "", N, 19692983},
                     {"KRUC", 1.60, 242.5, "Sg", 12, 34, 10.074, -0.1, 60.9, 'T', N, 2.3, 0.21, "m_e", "ML", 1.3,
                      19692980}});

    // The repeated KRUC Sg with a wrong hour and no amplitude or magnitude value is read as written.
    const ImsEvent& c = events[2];
    EXPECT_EQ(c.id, "2032696");
    ASSERT_TRUE(c.origin);
    EXPECT_DOUBLE_EQ(c.origin->Epoch(), CalendarToEpoch(2024, 9, 10, 0, 25, 55.18));
    EXPECT_DOUBLE_EQ(*c.origin->lat, 49.8293);
    EXPECT_DOUBLE_EQ(*c.origin->lon, 18.5549);
    EXPECT_EQ(c.origin->ndef, 13);
    EXPECT_EQ(c.origin->nsta, 9);
    EXPECT_DOUBLE_EQ(*c.origin->maxDistance, 1.61);
    ExpectPhases(c, {{"MORC", 0.66, 265.8, "Pg", 0, 26, 7.944, 0.1, 85.0, 'T', N, N, N, "m_e", "", N, 19696327},
                     {"MORC", 0.66, 265.8, "Sg", 0, 26, 15.590, -0.3, 85.0, 'T', N, 4.9, 0.29, "m_e", "ML", 1.0,
                      19696328},
                     {"JAVC", 1.13, 211.1, "Pg", 0, 26, 16.977, -0.0, 30.4, 'T', N, N, N, "m_e", "", N, 19696329},
                     {"VRAC", 1.38, 248.5, "Pg", 0, 26, 20.821, -0.1, 67.0, 'T', N, N, N, "m_e", "", N, 19696330},
                     {"VRAC", 1.38, 248.5, "Sg", 0, 26, 38.476, 0.1, 67.0, 'T', N, 0.4, 0.02, "m_e", "ML", 0.4,
                      19696332},
                     {"KRUC", 1.61, 242.2, "Pg", 0, 26, 24.327, 0.0, 60.6, 'T', N, N, N, "m_e", "", N, 19696331},
                     {"KRUC", 1.61, 242.2, "Sg", 0, 26, 45.547, 0.1, 60.6, 'T', N, 1.5, 0.24, "m_e", "ML", 1.1,
                      19696333},
                     {"KRUC", 1.61, 242.2, "Sg", 8, 26, 45.547, 0.1, 60.6, 'T', N, N, 0.24, "m_e", "ML", N,
                      19696999}});
}

// The ISC's unassociated arrivals have no phase name; one such line used to end the event's
// phases. In either layout every arrival line is now an entry or counted, and the block runs on.
TEST(ImsBulletinRead, IscArrivalsWithoutAPhaseNameCostOnlyThemselves) {
    const std::string isc = std::string(ZEL_TEST_DATA_DIR) + "/bulletins/isc_layout_1967.txt";
    for (ImsLayout layout : {ImsLayout::Columns, ImsLayout::Whitespace}) {
        SCOPED_TRACE(layout == ImsLayout::Columns ? "columns" : "fields");
        const std::vector<ImsEvent> events = ReadImsBulletinFile(isc, layout);
        ASSERT_EQ(events.size(), 1u);
        const ImsEvent& e = events[0];
        ASSERT_EQ(e.phases.size(), 53u);
        EXPECT_EQ(e.phases.back().station, "WEL");
        EXPECT_EQ(e.phases.back().phase, "PKP");
        // By columns the six are known for what they are; split by blanks they do not read.
        EXPECT_EQ(e.withoutPhaseName, layout == ImsLayout::Columns ? 6 : 0);
        EXPECT_EQ(e.unreadable, layout == ImsLayout::Columns ? 0 : 6);
    }
    // By columns a blank line ends the phases: what follows is no arrival, nor counted as one.
    std::istringstream in(
        "EVENT 7\n"
        "Sta     Dist  EvAz Phase        Time      TRes  Azim AzRes   Slow   SRes Def   SNR       Amp   Per Qual "
        "Magnitude    ArrID\n"
        "MORC               Pn       00:00:10.000                                 T__                       m_e\n"
        "MORC               pn       00:00:11.0xx                                 T__                       m_e\n"
        "\n"
        "DATA_TYPE COMMENT IMS1.0\n");
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].phases.size(), 1u);
    EXPECT_EQ(events[0].unreadable, 1);
}

TEST(ImsBulletinRead, EventWordInAnyCaseAndMissingPartsReported) {
    std::istringstream in(
        " event 11 first\n"
        "Sta     Dist  EvAz Phase        Time      TRes  Azim AzRes   Slow   SRes Def   SNR       Amp   Per Qual "
        "Magnitude    ArrID\n"
        "Event 12 second\n"
        "   Date       Time        Err   RMS Latitude Longitude  Smaj  Smin  Az Depth   Err Ndef Nsta Gap  mdist  "
        "Mdist Qual   Author      OrigID\n"
        "2024/09/01 12:33:19.91   0.34  0.17  49.8219   18.5593   2.2   1.7  61   1.0f         9    5 280   0.66   "
        "1.60 a i km IPEC       2032257\n"
        "EVENTS are not events\n");
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].id, "11");
    EXPECT_FALSE(events[0].origin);
    EXPECT_TRUE(events[0].hasPhaseHeader);
    EXPECT_EQ(events[1].id, "12");
    EXPECT_TRUE(events[1].origin);
    EXPECT_FALSE(events[1].hasPhaseHeader);

    CurrentEvent current;
    ZELPhases phases;
    PhaseCatalogue catalogue;
    EXPECT_EQ(LoadImsEvent(events[0], false, current, phases, {}, catalogue).problem,
              std::string(kImsNoOrigin) + "11");
    EXPECT_EQ(LoadImsEvent(events[1], false, current, phases, {}, catalogue).problem,
              std::string(kImsNoPhaseHeader) + "12");
    EXPECT_FALSE(current.hypocentreValid);
}

TEST(ImsBulletinRead, QualityLettersInEitherOrder) {
    char onset = 0, motion = 0;
    SplitQualityLetters("ci", onset, motion);  // the standard's order: polarity, onset
    EXPECT_EQ(onset, 'i');
    EXPECT_EQ(motion, 'c');
    SplitQualityLetters("ed", onset, motion);  // onset first, as older files of this system have it
    EXPECT_EQ(onset, 'e');
    EXPECT_EQ(motion, 'd');
    SplitQualityLetters("_q", onset, motion);
    EXPECT_EQ(onset, 'q');
    EXPECT_EQ(motion, '_');
}

Station ThreeComponent(const std::string& code) {
    Station s;
    s.code = code;
    const char* names[] = {"SHZ", "SHN", "SHE"};
    for (int i = 0; i < 3; ++i) {
        s.slots[i].channel = names[i];
        s.slots[i].componentIndex = i + 1;
    }
    return s;
}

Station VerticalOnly(const std::string& code) {
    Station s;
    s.code = code;
    s.slots[0].channel = "SHZ";
    s.slots[0].componentIndex = 1;
    return s;
}

TEST(ImsBulletinRead, LoadPutsPhasesOnTheirComponentsAndKeepsCurrentEventInPhasesOnlyMode) {
    const std::vector<ImsEvent> events = ReadImsBulletinFile(kRealBulletin, ImsLayout::Columns);
    const std::vector<Station> stations = {ThreeComponent("MORC"), VerticalOnly("VRAC"), ThreeComponent("KRUC")};
    PhaseCatalogue catalogue;
    const int pg = catalogue.IndexOf("Pg"), sg = catalogue.IndexOf("Sg");

    CurrentEvent current;
    ZELPhases phases;
    const ImsLoadResult r = LoadImsEvent(events[1], false, current, phases, stations, catalogue);
    EXPECT_TRUE(r.problem.empty());
    // MORC: Pg on Z, Sg on N and E; VRAC: Pg on Z, its Sg has no horizontal; KRUC like MORC; JAVC unknown.
    EXPECT_EQ(r.added, 3 + 1 + 3);
    EXPECT_EQ(phases.Count(), 7);
    EXPECT_TRUE(phases.Find(0, 0, pg));
    EXPECT_FALSE(phases.Find(0, 1, pg));
    EXPECT_FALSE(phases.Find(0, 0, sg));
    const SEISMIC_PHASE* morcSg = phases.Find(0, 2, sg);
    ASSERT_TRUE(morcSg);
    EXPECT_NEAR(morcSg->time, CalendarToEpoch(2024, 9, 1, 12, 33, 40.556), 1e-6);
    EXPECT_TRUE(morcSg->hasAmplitude);
    EXPECT_FLOAT_EQ(morcSg->amplitude, 0.0047f);
    EXPECT_FLOAT_EQ(morcSg->period, 0.20f);
    EXPECT_FLOAT_EQ(morcSg->ml, 1.0f);
    EXPECT_EQ(morcSg->onset, kOnsetWeak);
    EXPECT_EQ(morcSg->firstMotion, 4);
    EXPECT_EQ(morcSg->weight, 2);
    EXPECT_EQ(morcSg->arid, 19692975);
    EXPECT_FLOAT_EQ(morcSg->residual, -0.1f);
    EXPECT_FLOAT_EQ(morcSg->distance, 0.66f);
    EXPECT_FLOAT_EQ(morcSg->azimuth, 85.7f);
    EXPECT_FALSE(morcSg->hasSlowness);
    EXPECT_FALSE(morcSg->included);  // no travel-time table loaded for Sg here
    EXPECT_TRUE(current.hypocentreValid);
    EXPECT_FLOAT_EQ(current.lat, 49.8219f);
    EXPECT_FLOAT_EQ(current.depth, 1.0f);
    EXPECT_EQ(current.orid, 2032257);
    EXPECT_EQ(current.eventId, "2032257             ");
    EXPECT_DOUBLE_EQ(r.ellipse.major, 2.2);
    EXPECT_DOUBLE_EQ(r.ellipse.direction, 61);

    // Phases only: the picks are added, the current event keeps its id, hypocentre and magnitudes.
    current.mb = 4.5f;
    current.ms = 3.9f;
    const ImsLoadResult more = LoadImsEvent(events[2], true, current, phases, stations, catalogue);
    EXPECT_TRUE(more.problem.empty());
    EXPECT_EQ(current.eventId, "2032257             ");
    EXPECT_FLOAT_EQ(current.mb, 4.5f);
    EXPECT_FLOAT_EQ(current.ms, 3.9f);
    EXPECT_EQ(current.orid, 2032257);
    EXPECT_FLOAT_EQ(current.lat, 49.8219f);
    EXPECT_EQ(phases.Count(), 7);  // the same station, channel and phase: each pick was replaced
    // The event's repeated KRUC Sg (8 hours late, without its amplitude) would destroy the first
    // one on both horizontals: the first line stays, the repeat is skipped and named.
    const SEISMIC_PHASE* krucSg = phases.Find(2, 1, sg);
    ASSERT_TRUE(krucSg);
    EXPECT_NEAR(krucSg->time, CalendarToEpoch(2024, 9, 10, 0, 26, 45.547), 1e-6);
    EXPECT_EQ(krucSg->arid, 19696333);
    EXPECT_FLOAT_EQ(krucSg->amplitude, 0.0015f);
    EXPECT_EQ(more.skipped.repeated, (std::map<std::string, int>{{"KRUC Sg", 1}}));
}

TEST(ImsBulletinRead, ArrivalBeforeTheOriginHourIsOnTheNextDay) {
    std::istringstream in(
        "EVENT 5\n"
        "   Date       Time        Err   RMS Latitude Longitude  Smaj  Smin  Az Depth   Err Ndef Nsta Gap  mdist  "
        "Mdist Qual   Author      OrigID\n"
        "2024/12/31 23:59:50.00         10.0000   20.0000               10.0\n"
        "\n"
        "Sta     Dist  EvAz Phase        Time      TRes  Azim AzRes   Slow   SRes Def   SNR       Amp   Per Qual "
        "Magnitude    ArrID\n"
        "MORC               Pn       00:00:10.000                                 T__                       m_e\n");
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 1u);
    CurrentEvent current;
    ZELPhases phases;
    PhaseCatalogue catalogue;
    LoadImsEvent(events[0], false, current, phases, {ThreeComponent("MORC")}, catalogue);
    ASSERT_EQ(phases.Count(), 1);  // Pn: the vertical only
    EXPECT_EQ(phases.GetAt(0)->channelIndex, 0);
    EXPECT_DOUBLE_EQ(phases.GetAt(0)->time, CalendarToEpoch(2025, 1, 1, 0, 0, 10.0));
}

}  // namespace
}  // namespace zel
