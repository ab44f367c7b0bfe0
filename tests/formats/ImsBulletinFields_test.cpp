// The second bulletin layout: the same lines with their fields separated by blanks.

#include <gtest/gtest.h>

#include <sstream>

#include "base/TimeConversions.h"
#include "formats/ImsBulletin.h"

namespace zel {
namespace {

std::string Padded(std::string line, std::size_t width) {
    line.resize(std::max(line.size(), width), ' ');
    return line;
}

TEST(ImsBulletinFields, OriginAndPhasesReadBetweenBlanks) {
    const std::string text =
        "event 42 somewhere\n"
        "Date Time Err RMS Latitude Longitude Smaj Smin Az Depth Err Ndef Nsta Gap mdist Mdist Qual Author OrigID\n" +
        Padded("2024/09/01 12:33:19.91 0.34 0.17 -49.8219 118.5593 2.2 1.7 61 12.5f 2.0 9 5 280 0.66 1.60 m "
               "TOLKZEL 2032257",
               140) +
        "\n"
        "Sta Dist EvAz Phase Time TRes Azim AzRes Slow SRes Def SNR Amp Per Qual Magnitude ArrID\n"
        "\n"
        "MORC 0.66 266.5 Pg 12:33:32.774 0.2 85.7 -1.0 12.3 0.5 T__ 3.1 4.7 0.20 m_ci ML 1.0 19692970\n"
        "KRUC 1.60 242.5 Sg 12:34:10.074 -0.1 60.9\n"
        "short\n"
        "VRAC 1.38 248.9 Pg 12:33:45.474 -0.2 67.4 0 0 0 T__ 0 0 0 m_e ML 1 5\n";
    std::istringstream in(text);
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Whitespace);
    ASSERT_EQ(events.size(), 1u);
    const ImsEvent& e = events[0];
    EXPECT_EQ(e.id, "42");
    ASSERT_TRUE(e.origin);
    EXPECT_DOUBLE_EQ(e.origin->Epoch(), CalendarToEpoch(2024, 9, 1, 12, 33, 19.91));
    EXPECT_DOUBLE_EQ(*e.origin->lat, -49.8219);
    EXPECT_DOUBLE_EQ(*e.origin->lon, 118.5593);
    EXPECT_DOUBLE_EQ(*e.origin->depth, 12.5);
    EXPECT_TRUE(e.origin->depthFixed);
    EXPECT_DOUBLE_EQ(*e.origin->ellipseAzimuth, 61);
    EXPECT_EQ(e.origin->ndef, 9);
    EXPECT_EQ(e.origin->author, "TOLKZEL");
    EXPECT_EQ(e.origin->origId, 2032257);
    // A line shorter than 10 characters ends the list.
    ASSERT_EQ(e.phases.size(), 2u);
    const IMSPhaseBlock& p = e.phases[0];
    EXPECT_EQ(p.station, "MORC");
    EXPECT_DOUBLE_EQ(p.distance, 0.66);
    EXPECT_EQ(p.phase, "Pg");
    EXPECT_DOUBLE_EQ(p.second, 32.774);
    EXPECT_DOUBLE_EQ(p.residual, 0.2);
    EXPECT_DOUBLE_EQ(p.azimuth, 85.7);
    EXPECT_DOUBLE_EQ(p.slowness, 12.3);
    EXPECT_EQ(p.defining, 'T');
    EXPECT_DOUBLE_EQ(p.amplitude, 4.7);
    EXPECT_DOUBLE_EQ(p.period, 0.20);
    EXPECT_EQ(p.onset, 'i');
    EXPECT_EQ(p.firstMotion, 'c');
    EXPECT_EQ(p.magnitudeType, "ML");
    EXPECT_DOUBLE_EQ(p.magnitude, 1.0);
    EXPECT_EQ(p.arid, 19692970);
    // The fields that are there are taken; the rest keep their absent values.
    const IMSPhaseBlock& s = e.phases[1];
    EXPECT_EQ(s.station, "KRUC");
    EXPECT_DOUBLE_EQ(s.azimuth, 60.9);
    EXPECT_DOUBLE_EQ(s.slowness, -9999.0);
    EXPECT_DOUBLE_EQ(s.amplitude, -1.0);
    EXPECT_EQ(s.arid, -1);
}

TEST(ImsBulletinFields, ShortOriginLineIsNoOrigin) {
    std::istringstream in(
        "EVENT 7\n"
        "   Date       Time        Err   RMS Latitude Longitude\n"
        "2024/09/01 12:33:19.91 0.34 0.17 49.8219 18.5593\n"
        "Sta     Dist  EvAz Phase\n");
    const std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Whitespace);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_FALSE(events[0].origin);
    EXPECT_TRUE(events[0].hasPhaseHeader);
}

// Found by fuzzing: an id of 1e99 or nan was converted to an integer regardless, and "nan" read
// between blanks became a coordinate of a valid hypocentre.
TEST(ImsBulletinFields, NumbersNoFieldCanHoldAreAbsentInBothLayouts) {
    const std::string fields =
        "EVENT 1\n"
        "Date Time Err RMS Latitude Longitude Smaj Smin Az Depth Err Ndef Nsta Gap mdist Mdist Qual Author OrigID\n" +
        Padded("2024/09/01 12:33:19.91 0.34 0.17 nan 18.5 2.2 1.7 61 12.5 2.0 1e99 5 280 0.66 1.60 m X 1e99", 140) +
        "\nSta Dist EvAz Phase Time TRes Azim AzRes Slow SRes Def SNR Amp Per Qual Magnitude ArrID\n"
        "MORC 0.66 266.5 Pg 12:33:32.774 0.2 85.7 -1.0 12.3 0.5 T__ 3.1 4.7 0.20 m_ci ML 1.0 nan\n";
    std::istringstream in(fields);
    std::vector<ImsEvent> events = ReadImsBulletin(in, ImsLayout::Whitespace);
    ASSERT_EQ(events.size(), 1u);
    ASSERT_TRUE(events[0].origin);
    EXPECT_FALSE(events[0].origin->lat);
    EXPECT_FALSE(events[0].origin->HasCoordinates());
    ASSERT_EQ(events[0].phases.size(), 1u);
    EXPECT_EQ(events[0].phases[0].arid, -1);

    std::string origin = Padded("2024/09/01 12:33:19.91", 140);
    origin.replace(128, 8, "    1e99");  // OrigID, columns 129-136
    origin.replace(83, 4, "1e99");       // Ndef, columns 84-87
    std::string phase = Padded("MORC               Pg       12:33:32.774", 122);
    phase.replace(114, 8, "   -1e99");  // ArrID, columns 115-122
    std::istringstream columns("EVENT 2\n   Date       Time  Latitude Longitude\n" + origin +
                               "\n\nSta     Dist  EvAz Phase        Time\n" + phase + "\n");
    events = ReadImsBulletin(columns, ImsLayout::Columns);
    ASSERT_EQ(events.size(), 1u);
    ASSERT_TRUE(events[0].origin);
    EXPECT_EQ(events[0].origin->origId, -1);
    EXPECT_FALSE(events[0].origin->ndef);
    ASSERT_EQ(events[0].phases.size(), 1u);
    EXPECT_EQ(events[0].phases[0].arid, -1);
}

}  // namespace
}  // namespace zel
