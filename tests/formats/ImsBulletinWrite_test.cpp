// The written IMS1.0 bulletin: fields checked at the columns of the IMS1.0 format (the positions
// below are copied from the format description, not from the writer), and the bulletin read back
// by the reader.

#include <gtest/gtest.h>

#include <sstream>

#include "base/TimeConversions.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/FixedColumns.h"
#include "formats/ImsBulletin.h"

namespace zel {
namespace {

// 1-based first and last column.
std::string Cols(const std::string& line, int first, int last) {
    if (static_cast<int>(line.size()) < first) return std::string(last - first + 1, ' ');
    std::string s = line.substr(first - 1, last - first + 1);
    s.resize(last - first + 1, ' ');
    return s;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

Station MakeStation(const std::string& code, float lat, float lon) {
    Station s;
    s.code = code;
    s.lat = lat;
    s.lon = lon;
    const char* names[] = {"SHZ", "SHN", "SHE"};
    for (int i = 0; i < 3; ++i) {
        s.slots[i].channel = names[i];
        s.slots[i].componentIndex = i + 1;
    }
    return s;
}

struct Fixture {
    std::vector<Station> stations = {MakeStation("MORC", 49.7769f, 17.5425f), MakeStation("KRUC", 49.0620f, 16.3952f)};
    PhaseCatalogue catalogue;
    CurrentEvent event;
    ZELPhases phases;

    Fixture() {
        event.eventId = "ev1234";
        event.eventId.resize(20, ' ');
        event.comment = "CZECH REPUBLIC";
        event.orid = 77;
        event.hypocentreValid = true;
        event.lat = 49.8219f;
        event.lon = 18.5593f;
        event.depth = 1.0f;
        event.originTime = CalendarToEpoch(2024, 9, 1, 12, 33, 19.913);
        SEISMIC_PHASE p;
        p.stationIndex = 0;
        p.channelIndex = 0;
        p.phaseIndex = catalogue.IndexOf("Pg");
        SetPickTime(p, CalendarToEpoch(2024, 9, 1, 12, 33, 32.77));
        p.onset = kOnsetImpulsive;
        p.firstMotion = 5;
        p.included = 1;
        p.hasResidual = 1;
        p.residual = 0.2f;
        p.hasAzimuth = 1;
        p.azimuth = -94.3f;  // stored reduced; the bulletin wants [0, 360)
        p.hasSlowness = 1;
        p.slowness = 19.3f;
        p.arid = 501;
        phases.Add(p);
        SEISMIC_PHASE s;
        s.stationIndex = 1;
        s.channelIndex = 1;
        s.phaseIndex = catalogue.IndexOf("Sg");
        SetPickTime(s, CalendarToEpoch(2024, 9, 1, 12, 34, 10.07));
        s.onset = kOnsetEmergent;
        s.firstMotion = 6;
        s.hasAmplitude = 1;
        s.amplitude = 0.0023f;
        s.period = 0.21f;
        s.ml = 1.3f;
        s.arid = 502;
        s.distance = 1.6f;
        phases.Add(s);
    }
    std::string Text(ErrorEllipse ellipse = {2.2, 1.7, 61}) const {
        return ImsBulletinText(BulletinInput{event, ellipse, true}, phases, stations, catalogue);
    }
};

TEST(ImsBulletinWrite, FieldsSitAtTheirIms10Columns) {
    Fixture f;
    const std::vector<std::string> lines = Lines(f.Text());
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "\t\t\tZEL - REB    Event   ev1234     origin time  01/09/24 12:33:19.913");
    EXPECT_EQ(Cols(lines[1], 1, 5), "EVENT");
    EXPECT_EQ(Cols(lines[1], 7, 14), "  ev1234");
    EXPECT_EQ(Cols(lines[1], 16, 29), "CZECH REPUBLIC");

    const std::string& o = lines[3];
    EXPECT_EQ(Cols(o, 1, 10), "2024/09/01");
    EXPECT_EQ(Cols(o, 12, 22), "12:33:19.91");
    EXPECT_EQ(Cols(o, 37, 44), " 49.8219");
    EXPECT_EQ(Cols(o, 46, 54), "  18.5593");
    EXPECT_EQ(Cols(o, 57, 61), "  2.2");
    EXPECT_EQ(Cols(o, 63, 67), "  1.7");
    EXPECT_EQ(Cols(o, 69, 71), " 61");
    EXPECT_EQ(Cols(o, 72, 77), "  1.0f");
    EXPECT_EQ(Cols(o, 31, 35), " 0.20");  // only the P pick is defining and has a residual
    EXPECT_EQ(Cols(o, 84, 87), "   1");
    EXPECT_EQ(Cols(o, 89, 92), "   1");
    EXPECT_EQ(Cols(o, 98, 110), std::string(13, ' '));  // the defining pick has no distance
    EXPECT_EQ(Cols(o, 112, 112), "m");
    EXPECT_EQ(Cols(o, 119, 127), "TOLKZEL  ");
    EXPECT_EQ(Cols(o, 129, 136), "      77");

    EXPECT_EQ(lines[5], "Magnitude  Err Nsta Author      OrigID");
    const std::string& m = lines[6];
    EXPECT_EQ(Cols(m, 1, 5), "ML   ");
    EXPECT_EQ(Cols(m, 7, 10), " 1.3");
    EXPECT_EQ(Cols(m, 12, 14), "0.0");
    EXPECT_EQ(Cols(m, 16, 19), "   1");
    EXPECT_EQ(Cols(m, 31, 38), "      77");

    const std::string& p = lines[9];
    EXPECT_EQ(Cols(p, 1, 5), "MORC ");
    EXPECT_EQ(Cols(p, 20, 27), "Pg      ");
    EXPECT_EQ(Cols(p, 29, 40), "12:33:32.77 ");
    EXPECT_EQ(Cols(p, 42, 46), "  0.2");
    EXPECT_EQ(Cols(p, 48, 52), "265.7");
    EXPECT_EQ(Cols(p, 60, 65), "  19.3");
    EXPECT_EQ(Cols(p, 74, 76), "T__");
    EXPECT_EQ(Cols(p, 100, 100), "m");
    EXPECT_EQ(Cols(p, 101, 101), "c");  // polarity before onset, as the format has it
    EXPECT_EQ(Cols(p, 102, 102), "i");
    EXPECT_EQ(Cols(p, 115, 122), "     501");
    const std::string& s = lines[10];
    EXPECT_EQ(Cols(s, 74, 76), "___");
    EXPECT_EQ(Cols(s, 84, 92), "      2.3");
    EXPECT_EQ(Cols(s, 94, 98), " 0.21");
    EXPECT_EQ(Cols(s, 100, 102), "mde");
    EXPECT_EQ(Cols(s, 104, 108), "ML   ");
    EXPECT_EQ(Cols(s, 110, 113), " 1.3");
    // Distances of both picks from the epicentre, in degrees.
    EXPECT_NEAR(std::stod(Cols(p, 7, 12)), 0.67, 0.011);
    EXPECT_NEAR(std::stod(Cols(s, 7, 12)), 1.60, 0.011);
}

TEST(ImsBulletinWrite, LongIdsTimesAtTheMinuteAndHugeValuesKeepTheirFields) {
    Fixture f;
    f.event.eventId = "20261208215400      ";
    f.event.originTime = CalendarToEpoch(2024, 9, 1, 12, 33, 59.996);
    SEISMIC_PHASE* p = f.phases.GetAt(0);
    p->residual = 1234.5f;
    p->time = CalendarToEpoch(2024, 9, 1, 23, 59, 59.999);
    p->arid = 123456789;
    const std::vector<std::string> lines = Lines(f.Text());
    EXPECT_EQ(lines[0], "\t\t\tZEL - REB    Event 08215400     origin time  01/09/24 12:33:59.996");
    EXPECT_EQ(Cols(lines[1], 6, 15), " 08215400 ");
    EXPECT_EQ(Cols(lines[3], 12, 22), "12:34:00.00");
    EXPECT_EQ(Cols(lines[9], 29, 40), "00:00:00.00 ");
    EXPECT_EQ(Cols(lines[9], 41, 47), " 999.9 ");
    EXPECT_EQ(Cols(lines[9], 114, 122), " 99999999");
}

TEST(ImsBulletinWrite, ReadBackGivesEveryWrittenField) {
    Fixture f;
    std::istringstream in(f.Text());
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 1u);
    const ImsEvent& e = events[0];
    EXPECT_EQ(e.id, "ev1234");
    EXPECT_EQ(e.region, "CZECH REPUBLIC");
    ASSERT_TRUE(e.origin);
    EXPECT_NEAR(e.origin->Epoch(), f.event.originTime, 0.005);
    EXPECT_DOUBLE_EQ(*e.origin->lat, 49.8219);
    EXPECT_DOUBLE_EQ(*e.origin->lon, 18.5593);
    EXPECT_DOUBLE_EQ(*e.origin->depth, 1.0);
    EXPECT_TRUE(e.origin->depthFixed);
    EXPECT_DOUBLE_EQ(*e.origin->smaj, 2.2);
    EXPECT_DOUBLE_EQ(*e.origin->smin, 1.7);
    EXPECT_DOUBLE_EQ(*e.origin->ellipseAzimuth, 61);
    EXPECT_DOUBLE_EQ(*e.origin->rms, 0.2);
    EXPECT_EQ(e.origin->ndef, 1);
    EXPECT_EQ(e.origin->nsta, 1);
    EXPECT_EQ(e.origin->author, "TOLKZEL");
    EXPECT_EQ(e.origin->origId, 77);
    ASSERT_EQ(e.phases.size(), 2u);
    EXPECT_EQ(e.phases[0].pickType, 'm');

    // Loaded as a new event, the picks come back as they were.
    CurrentEvent event;
    ZELPhases phases;
    const ImsLoadResult r = LoadImsEvent(e, false, event, phases, f.stations, f.catalogue);
    EXPECT_TRUE(r.problem.empty());
    EXPECT_EQ(Trimmed(event.eventId), "ev1234");
    EXPECT_EQ(event.orid, 77);
    EXPECT_FLOAT_EQ(event.lat, f.event.lat);
    EXPECT_FLOAT_EQ(event.lon, f.event.lon);
    EXPECT_FLOAT_EQ(event.depth, f.event.depth);
    EXPECT_DOUBLE_EQ(r.ellipse.minor, 1.7);
    const SEISMIC_PHASE& wantP = *f.phases.GetAt(0);
    const SEISMIC_PHASE* p = phases.Find(0, 0, wantP.phaseIndex);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->time, wantP.time, 0.005);
    EXPECT_EQ(p->onset, wantP.onset);
    EXPECT_EQ(p->firstMotion, wantP.firstMotion);
    EXPECT_FLOAT_EQ(p->residual, wantP.residual);
    EXPECT_FLOAT_EQ(p->azimuth, wantP.azimuth + 360.0f);
    EXPECT_FLOAT_EQ(p->slowness, wantP.slowness);
    EXPECT_EQ(p->arid, wantP.arid);
    const SEISMIC_PHASE& wantS = *f.phases.GetAt(1);
    const SEISMIC_PHASE* s = phases.Find(1, 1, wantS.phaseIndex);
    ASSERT_TRUE(s);
    EXPECT_NEAR(s->time, wantS.time, 0.005);
    EXPECT_EQ(s->onset, wantS.onset);
    EXPECT_EQ(s->firstMotion, wantS.firstMotion);
    EXPECT_FLOAT_EQ(s->amplitude, wantS.amplitude);
    EXPECT_FLOAT_EQ(s->period, wantS.period);
    EXPECT_FLOAT_EQ(s->ml, wantS.ml);
    EXPECT_FALSE(s->hasResidual);
    EXPECT_FALSE(s->hasAzimuth);
    EXPECT_EQ(s->arid, wantS.arid);
}

TEST(ImsBulletinWrite, NoHypocentreNoOriginLineNorDistances) {
    Fixture f;
    f.event.hypocentreValid = false;
    const std::vector<std::string> lines = Lines(f.Text());
    EXPECT_EQ(lines[3], "");
    std::istringstream in(f.Text());
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_FALSE(events[0].origin);
    ASSERT_EQ(events[0].phases.size(), 2u);
    EXPECT_DOUBLE_EQ(events[0].phases[0].distance, -1.0);
}

}  // namespace
}  // namespace zel
