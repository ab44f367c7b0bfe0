// Phase lists for other programs. HYPO71 and all-phases lines are checked by the columns of their
// layouts (positions copied from the formats' descriptions); the all-phases list is read back.

#include "formats/PhaseListFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/TimeConversions.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/TempDir.h"

namespace zel {
namespace {

std::string Cols(const std::string& line, int first, int last) { return line.substr(first - 1, last - first + 1); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

Station MakeStation(const std::string& code, std::vector<std::string> channels) {
    Station s;
    s.code = code;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        s.slots[i].channel = channels[i];
        s.slots[i].componentIndex = static_cast<int>(i % 3) + 1;
    }
    return s;
}

struct Fixture {
    std::vector<Station> stations = {MakeStation("MOX", {"Z", "N-S", "E-W"}),
                                     MakeStation("LONGNAME", {"SHZ", "SHN", "SHE"})};
    PhaseCatalogue catalogue;
    CurrentEvent event;
    ZELPhases phases;
    int P = catalogue.IndexOf("P"), S = catalogue.IndexOf("S"), Pg = catalogue.IndexOf("Pg");

    SEISMIC_PHASE& Pick(int station, int slot, int phase, double time) {
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.channelIndex = slot;
        p.phaseIndex = phase;
        p.included = 1;
        SetPickTime(p, time);
        return phases.Add(p);
    }
    PhaseFileInput Input() const { return {event, phases, stations, catalogue}; }
};

TEST(Hypo71List, ColumnsOfAPWithItsSAcrossTheHour) {
    Fixture f;
    SEISMIC_PHASE& p = f.Pick(0, 0, f.P, CalendarToEpoch(2024, 9, 1, 12, 59, 50.456));
    p.onset = kOnsetImpulsive;
    p.firstMotion = 1;
    p.weight = 0;
    p.hasAmplitude = 1;
    p.amplitude = 123.456f;  // x 100 = 12345.6: does not fit 4 characters
    p.period = 0.8f;
    p.coda = 45.25;
    SEISMIC_PHASE& s = f.Pick(0, 0, f.S, CalendarToEpoch(2024, 9, 1, 13, 0, 5.2));
    s.onset = kOnsetEmergent;
    s.firstMotion = 4;
    s.weight = 2;
    s.hasAmplitude = 1;
    s.amplitude = 0.5f;
    // A P of a station with a long name and no S.
    f.Pick(1, 0, f.P, CalendarToEpoch(2024, 9, 1, 13, 0, 59.999));

    const std::string text = Hypo71Text(f.Input(), {{"MOX Z", "MX1"}});
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines) {
        ASSERT_EQ(line.size(), 80u);  // 79 characters and the carriage return
        EXPECT_EQ(line.back(), '\r');
    }
    const std::string& a = lines[0];
    EXPECT_EQ(Cols(a, 1, 4), "MX1 ");
    EXPECT_EQ(Cols(a, 5, 8), "IPD0");
    EXPECT_EQ(Cols(a, 10, 24), "240901125950.46");
    EXPECT_EQ(Cols(a, 25, 29), " 0.80");
    EXPECT_EQ(Cols(a, 32, 36), "65.20");  // 13:00:05.20 from 12:59:00
    EXPECT_EQ(Cols(a, 37, 40), "ES?2");
    EXPECT_EQ(Cols(a, 44, 47), "9999");
    EXPECT_EQ(Cols(a, 48, 51), "50.0");
    EXPECT_EQ(Cols(a, 52, 54), "176");
    EXPECT_EQ(Cols(a, 70, 74), "45.25");
    const std::string& b = lines[1];
    EXPECT_EQ(Cols(b, 1, 4), "LONG");
    EXPECT_EQ(Cols(b, 5, 9), "EPU4 ");
    EXPECT_EQ(Cols(b, 10, 24), "240901130100.00");
    EXPECT_EQ(Cols(b, 25, 54), std::string(27, ' ') + "176");
    EXPECT_EQ(Cols(b, 55, 79), std::string(25, ' '));
}

TEST(Hypo71List, StationCodesFileKeyedByStationAndChannel) {
    test::TempDir dir;
    const std::string path = dir.file("stations.71");
    std::ofstream(path) << "mox z MXA\nMOX N-S MXB\nbad line\n";
    const Hypo71Codes codes = ReadHypo71Codes(path);
    EXPECT_EQ(codes.at("MOX Z"), "MXA");
    EXPECT_EQ(codes.at("MOX N-S"), "MXB");
    EXPECT_EQ(codes.size(), 2u);
    EXPECT_TRUE(ReadHypo71Codes(dir.file("missing")).empty());
}

TEST(AllPhasesList, ColumnsOfOneLine) {
    Fixture f;
    SEISMIC_PHASE& p = f.Pick(0, 1, f.S, CalendarToEpoch(2024, 2, 29, 10, 0, 1.25));
    p.deltim = 0.15;
    p.hasAzimuth = 1;
    p.azimuth = -90.0f;
    p.emergence = 35.5f;
    p.hasAmplitude = 1;
    p.amplitude = 0.25f;
    p.period = 0.5f;
    p.firstMotion = 5;
    p.onset = kOnsetImpulsive;
    const std::time_t today = static_cast<std::time_t>(CalendarToEpoch(2026, 12, 8, 12, 0, 0));
    const std::vector<std::string> lines = Lines(AllPhasesText(f.Input(), today));
    ASSERT_EQ(lines.size(), 1u);
    const std::string& l = lines[0];
    EXPECT_EQ(l.size(), 223u);
    EXPECT_EQ(Cols(l, 1, 7), "MOX    ");
    EXPECT_EQ(Cols(l, 8, 24), " 1709200801.25000");
    EXPECT_EQ(Cols(l, 26, 33), "      -1");
    EXPECT_EQ(Cols(l, 35, 41), "2024060");
    EXPECT_EQ(Cols(l, 44, 45), "-1");
    EXPECT_EQ(Cols(l, 53, 54), "-1");
    EXPECT_EQ(Cols(l, 62, 69), "N-S     ");
    EXPECT_EQ(Cols(l, 71, 78), "S       ");
    EXPECT_EQ(Cols(l, 80, 80), "-");
    EXPECT_EQ(Cols(l, 82, 87), " 0.150");
    EXPECT_EQ(Cols(l, 89, 95), " 270.00");
    EXPECT_EQ(Cols(l, 97, 119), "  -1.00   -1.00   -1.00");
    EXPECT_EQ(Cols(l, 121, 127), "  35.50");
    EXPECT_EQ(Cols(l, 129, 135), " -1.000");
    EXPECT_EQ(Cols(l, 137, 146), "     250.0");
    EXPECT_EQ(Cols(l, 148, 154), "   0.50");
    EXPECT_EQ(Cols(l, 156, 162), "   2.70");  // log10(250 / 0.5)
    EXPECT_EQ(Cols(l, 164, 166), "- c");
    EXPECT_EQ(Cols(l, 169, 178), "     -1.00");
    EXPECT_EQ(Cols(l, 180, 180), "i");
    EXPECT_EQ(Cols(l, 182, 196), "ZEL 5.2        ");
    EXPECT_EQ(Cols(l, 198, 205), "      -1");
    EXPECT_EQ(Cols(l, 207, 216), "8-Dec-2026");

    // A station name longer than its column is cut rather than pushing the time along.
    f.Pick(1, 0, f.P, CalendarToEpoch(2024, 2, 29, 10, 0, 2.0));
    const std::string longName = Lines(AllPhasesText(f.Input(), today)).at(1);
    EXPECT_EQ(Cols(longName, 1, 8), "LONGNA  ");
    EXPECT_EQ(longName.size(), 223u);
}

TEST(AllPhasesList, ReadBackKeepsEveryPickIncludingPolaritiesAndOnsets) {
    Fixture f;
    const double t0 = CalendarToEpoch(2024, 9, 1, 12, 0, 0);
    const std::uint8_t motions[] = {0, 1, 2, 5, 6, 7, 8, 4};
    const std::uint8_t onsets[] = {0, 1, 2, 3, 0, 1, 2, 3};
    const int slotPhases[][2] = {{0, 0}, {1, 1}, {2, 1}, {0, 5}, {1, 6}, {2, 6}, {0, 7}, {1, 8}};
    for (int i = 0; i < 8; ++i) {
        SEISMIC_PHASE& p = f.Pick(0, slotPhases[i][0], slotPhases[i][1], t0 + i * 1.5 + 0.00125);
        p.firstMotion = motions[i];
        p.onset = onsets[i];
        p.deltim = 0.1 * (i + 1);
        if (i % 2 == 0) {
            p.hasAzimuth = 1;
            p.azimuth = i == 2 ? -45.5f : 120.25f;
            p.emergence = 12.0f + i;
        }
        if (i % 3 == 0) {
            p.hasAmplitude = 1;
            p.amplitude = 0.0125f * (i + 1);
            p.period = 0.25f * (i + 1);
        }
    }
    std::istringstream in(AllPhasesText(f.Input(), 0));
    ZELPhases back;
    EXPECT_EQ(ReadAllPhases(in, true, back, f.stations, f.catalogue), 8);
    ASSERT_EQ(back.Count(), 8);
    for (int i = 0; i < 8; ++i) {
        const SEISMIC_PHASE& w = *f.phases.GetAt(i);
        const SEISMIC_PHASE* r = back.Find(w.stationIndex, w.channelIndex, w.phaseIndex);
        ASSERT_TRUE(r) << i;
        SCOPED_TRACE(i);
        EXPECT_NEAR(r->time, w.time, 1e-5);
        EXPECT_NEAR(r->deltim, w.deltim, 1e-9);
        EXPECT_EQ(r->hasAzimuth, w.hasAzimuth);
        if (w.hasAzimuth) {
            EXPECT_FLOAT_EQ(r->azimuth, w.azimuth);
            EXPECT_FLOAT_EQ(r->emergence, w.emergence);
        }
        EXPECT_EQ(r->hasAmplitude, w.hasAmplitude);
        if (w.hasAmplitude) {
            EXPECT_FLOAT_EQ(r->amplitude, w.amplitude);
            EXPECT_FLOAT_EQ(r->period, w.period);
        }
        EXPECT_EQ(r->firstMotion, w.firstMotion);
        EXPECT_EQ(r->onset, w.onset);
        EXPECT_EQ(r->weight, 1);
    }
}

TEST(AllPhasesList, ReaderSkipsUnknownsAddsOrReplacesAndDefaultsDeltim) {
    Fixture f;
    f.Pick(0, 0, f.P, CalendarToEpoch(2024, 9, 1, 12, 0, 0));
    const SEISMIC_PHASE& known = *f.phases.GetAt(0);
    std::string line = Lines(AllPhasesText(f.Input(), 0))[0];
    line.replace(81, 6, " 0.000");  // a deltim of 0
    std::string unknownStation = line, unknownChannel = line, unknownPhase = line;
    unknownStation.replace(0, 6, "XYZ   ");
    unknownChannel.replace(61, 8, "BHZ     ");
    unknownPhase.replace(70, 8, "Pxx     ");
    std::string lowerChannel = line;
    lowerChannel.replace(61, 8, "z       ");

    ZELPhases list;
    SEISMIC_PHASE other;
    other.stationIndex = 1;
    other.phaseIndex = f.Pg;
    list.Add(other);
    std::istringstream add(unknownStation + "\n" + unknownChannel + "\n" + unknownPhase + "\n" + lowerChannel + "\n");
    EXPECT_EQ(ReadAllPhases(add, false, list, f.stations, f.catalogue), 1);
    EXPECT_EQ(list.Count(), 2);
    const SEISMIC_PHASE* read = list.Find(0, 0, f.P);
    ASSERT_TRUE(read);
    EXPECT_DOUBLE_EQ(read->deltim, 2.0);
    EXPECT_NEAR(read->time, known.time, 1e-5);

    std::istringstream replace(line + "\n");
    EXPECT_EQ(ReadAllPhases(replace, true, list, f.stations, f.catalogue), 1);
    EXPECT_EQ(list.Count(), 1);
}

TEST(Kpw2List, HeaderPicksAndClosingLine) {
    Fixture f;
    EXPECT_EQ(Kpw2Text(f.Input()), "010170\n0 33.\n@@@@\n");

    f.event.hypocentreValid = true;
    f.event.originTime = CalendarToEpoch(1999, 12, 31, 23, 58, 1.04);
    SEISMIC_PHASE& p = f.Pick(0, 0, f.P, CalendarToEpoch(1999, 12, 31, 23, 59, 12.96));
    p.mb = 5.2f;
    SEISMIC_PHASE& s = f.Pick(0, 1, f.S, CalendarToEpoch(2000, 1, 1, 0, 1, 0));
    s.ms = 4.8f;
    SEISMIC_PHASE& q = f.Pick(1, 0, f.P, CalendarToEpoch(2000, 1, 1, 0, 0, 3.0));
    q.mpsp = 5.5f;
    q.included = 0;  // left out of the list
    EXPECT_EQ(Kpw2Text(f.Input()), "311299\n0 33.\nmox 2359130 2358010 Ms 4.8 Mb 5.2\n@@@@\n");
}

TEST(TravoList, StationLinesWithPhasesAmplitudesAndPeriods) {
    Fixture f;
    f.event.hypocentreValid = true;
    f.event.lat = 43.25f;
    f.event.lon = 76.95f;
    f.event.originTime = CalendarToEpoch(2024, 9, 1, 12, 0, 1.26);
    SEISMIC_PHASE& pz = f.Pick(0, 0, f.P, CalendarToEpoch(2024, 9, 1, 12, 0, 20.04));
    pz.onset = kOnsetImpulsive;
    pz.hasAmplitude = 1;
    pz.amplitude = 0.1234f;
    pz.period = 0.4f;
    SEISMIC_PHASE& sn = f.Pick(0, 1, f.S, CalendarToEpoch(2024, 9, 1, 12, 0, 35.5));
    sn.hasAmplitude = 1;
    sn.amplitude = 1.5f;
    sn.period = 1.25f;
    EXPECT_EQ(TravoText(f.Input()),
              "01-09-24\n"
              "F43.25L76.95T12-00-01.3K\n"
              "MOXIP12-00-20.0ES12-00-35.5N-S1.5000Z0.1234K\n"
              "N-S1.2Z0.4\n"
              "KKK\n");
}

}  // namespace
}  // namespace zel
