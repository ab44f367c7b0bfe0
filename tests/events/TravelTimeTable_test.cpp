// Travel-time tables: the curve-file parser, the spline against SciPy, the edges of the table and
// the inverse searches.

#include "events/TravelTimeTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

#include "support/TempDir.h"

namespace zel {
namespace {

const std::string kData = std::string(ZEL_TEST_DATA_DIR) + "/traveltimes/";
const std::string kIasp91 = std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/";

PHASEDATA Read(const std::string& path) {
    PHASEDATA table;
    std::string error;
    EXPECT_TRUE(ReadCurveFile(path, table, &error)) << path << ": " << error;
    return table;
}

TEST(TravelTimeTable, ParsesCommentsBlankLinesAndNumbersSpreadOverLines) {
    PHASEDATA t = Read(kData + "spline_gaps");
    ASSERT_TRUE(t.loaded);
    EXPECT_EQ(t.depthCount, 2);
    EXPECT_EQ(t.distanceCount, 12);
    EXPECT_EQ(t.depths, (std::vector<float>{0, 10}));
    EXPECT_FLOAT_EQ(t.distances[3], 3.0f);
    EXPECT_FLOAT_EQ(t.distances[11], 15.0f);
    EXPECT_FLOAT_EQ(t.Time(0, 4), 61.0f);
    EXPECT_FLOAT_EQ(t.Time(1, 0), -1.0f);
    EXPECT_FLOAT_EQ(t.Time(1, 11), 186.0f);

    // Windows line ends and a title that looks like data change nothing.
    PHASEDATA crlf;
    ASSERT_TRUE(ParseCurveText("12 # not a count\r\n1\r\n5\r\n2\r\n0 1\r\n3.5 +4.5e0\r\n", crlf));
    EXPECT_EQ(crlf.depthCount, 1);
    EXPECT_FLOAT_EQ(TravelTime(crlf, 5, 1), 4.5f);
    EXPECT_FLOAT_EQ(TravelTime(crlf, 5, 0.5f), 4.0f);  // two points: a straight line
}

TEST(TravelTimeTable, ADamagedFileLeavesTheTableAsItWas) {
    const char* bad[] = {
        "",                                     // nothing at all
        "title\n",                              // no counts
        "title\n2 0\n0 10\n2\n0 1\n1 2 3 4\n",  // count line with more on it
        "title\nx\n",                           // count not a number
        "title\n0\n2\n0 1\n",                   // no depths
        "title\n1\n0\n1\n5\n7\n",               // one distance is no curve
        "title\n1\n0\n2\n0 1\n1\n",             // times missing
        "title\n1\n0\n2\n0 1\n1 2 3\n",         // more times on the last line than counted
        "title\n1\n0\n2\n0 1 2\n1 2\n",         // more distances than counted
        "title\n1\n0\n2\n0 1\n1 2x\n",          // a damaged number
        "title\n1\n0\n2\n0 1\n1 nan\n",         // not finite
        "title\n1\n0\n3\n0 1 1\n1 2 3\n",       // distances not strictly ascending
        "title\n2\n10 0\n2\n0 1\n1 2 3 4\n",    // depths descending
        "title\n3000\n",                        // counts beyond what the text holds
        "title\n99999999999\n",                 // a count out of range
    };
    // A table too large to be a curve: counts that fit, a product that does not.
    std::string huge = "title\n3000\n";
    for (int i = 0; i < 3000; ++i) huge += std::to_string(i) + "\n";
    huge += "2000\n";
    for (int i = 0; i < 2000; ++i) huge += std::to_string(i) + "\n";
    PHASEDATA kept = Read(kData + "spline_gaps");
    std::vector<std::string> texts(std::begin(bad), std::end(bad));
    texts.push_back(huge);
    for (const std::string& text : texts) {
        PHASEDATA table = kept;
        std::string error;
        EXPECT_FALSE(ParseCurveText(text, table, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(table.times, kept.times) << text;
        EXPECT_TRUE(table.loaded);
    }
    PHASEDATA missing;
    EXPECT_FALSE(ReadCurveFile(kData + "no such curve", missing));
    EXPECT_FALSE(missing.loaded);
    EXPECT_FLOAT_EQ(TravelTime(missing, 0, 0), -1.0f);
}

// Every row of spline_reference.txt: SciPy's natural spline on each run of values between gaps.
TEST(TravelTimeTable, MatchesSciPyNaturalSplineRunByRunAndIsMinusOneAtGapsAndOutside) {
    std::map<std::string, PHASEDATA> tables;
    tables["spline_gaps"] = Read(kData + "spline_gaps");
    tables["P"] = Read(kIasp91 + "P");
    std::ifstream in(kData + "spline_reference.txt");
    ASSERT_TRUE(in);
    std::string curve;
    double depth, distance, expected;
    int rows = 0, gaps = 0;
    double worst = 0.0;
    while (in >> curve >> depth >> distance >> expected) {
        ++rows;
        const float got = TravelTime(tables.at(curve), float(depth), float(distance));
        if (expected == -1.0) {
            ++gaps;
            EXPECT_EQ(got, -1.0f) << curve << " " << depth << " " << distance;
            continue;
        }
        // Float tables: a few units of the float's last place at 1000 s.
        EXPECT_NEAR(got, expected, 1e-3) << curve << " " << depth << " " << distance;
        worst = std::max(worst, std::fabs(got - expected));
    }
    EXPECT_EQ(rows, 606);
    EXPECT_GT(gaps, 100);
    std::cout << "spline vs SciPy: " << rows << " rows, " << gaps << " at -1, max |error| " << worst
              << " s\n";
}

TEST(TravelTimeTable, EdgesOfTheTable) {
    PHASEDATA df = Read(kIasp91 + "PKP(df)");
    EXPECT_GT(TravelTime(df, 33, 180.0f), 1000.0f);
    EXPECT_EQ(TravelTime(df, 33, 180.001f), -1.0f);
    EXPECT_GT(TravelTime(df, 700, 180.0f), 1000.0f);
    EXPECT_EQ(TravelTime(df, 700.01f, 180.0f), -1.0f);
    EXPECT_EQ(TravelTime(df, -0.01f, 150.0f), -1.0f);
    EXPECT_EQ(TravelTime(df, 33, NAN), -1.0f);
    EXPECT_EQ(TravelTime(df, NAN, 150.0f), -1.0f);
    EXPECT_EQ(TravelTime(df, 33, 10.0f), -1.0f);  // the leading gap: no PKIKP at 10 degrees

    // Grid values come back as they are in the file, whatever the spline does between them.
    EXPECT_FLOAT_EQ(TravelTime(df, 0, 150.0f), df.Time(0, 300));
    EXPECT_FLOAT_EQ(TravelTime(df, 250, 150.0f), df.Time(9, 300));

    // On a tabulated depth the deeper row does not matter, on a tabulated distance the next one
    // does not: PPS has no time at 700 km, P none beyond 98 degrees.
    PHASEDATA pps = Read(kIasp91 + "PPS");
    EXPECT_FLOAT_EQ(TravelTime(pps, 600, 119.0f), pps.Time(13, 238));
    EXPECT_EQ(TravelTime(pps, 600.5f, 119.0f), -1.0f);
    PHASEDATA p = Read(kIasp91 + "P");
    EXPECT_FLOAT_EQ(TravelTime(p, 33, 98.0f), p.Time(3, 196));
    EXPECT_EQ(TravelTime(p, 33, 98.001f), -1.0f);

    FreeTable(df);
    EXPECT_FALSE(df.loaded);
    EXPECT_EQ(TravelTime(df, 33, 150.0f), -1.0f);
}

TEST(TravelTimeTable, CurveFilesStayInsideTheirDirectory) {
    EXPECT_EQ(CurveFilePath("/m/iasp91", "P_n"), "/m/iasp91/P_n");
    EXPECT_EQ(CurveFilePath("/m/iasp91/", "PKP(df)"), "/m/iasp91/PKP(df)");
    EXPECT_EQ(CurveFilePath("C:\\zel\\tt\\", "_pP"), "C:/zel/tt/_pP");
    EXPECT_EQ(CurveFilePath("", "S"), "S");
    for (const char* name : {"", ".", "..", "../ZEL.ini", "a/b", "a\\b"})
        EXPECT_EQ(CurveFilePath("/m", name), "");
}

TEST(TravelTimeTable, DistanceForTimeSearchesOnlyWhereTheCurveExists) {
    PHASEDATA p = Read(kIasp91 + "P");
    PHASEDATA df = Read(kIasp91 + "PKP(df)");
    // Round trips over the whole valid range, including close to the trailing gap at 98.5.
    for (float depth : {0.0f, 33.0f, 41.5f, 600.0f})
        for (float d : {0.7f, 5.3f, 20.0f, 47.25f, 90.1f, depth < 100 ? 97.9f : 95.9f}) {
            const float t = TravelTime(p, depth, d);
            ASSERT_GT(t, 0.0f) << depth << " " << d;
            const float found = DistanceForTime(p, t, depth);
            EXPECT_NEAR(TravelTime(p, depth, found), t, 1e-3) << depth << " " << d;
            EXPECT_NEAR(found, d, 2e-3) << depth << " " << d;
        }
    // Behind a leading gap too.
    const float t = TravelTime(df, 100, 151.3f);
    EXPECT_NEAR(DistanceForTime(df, t, 100), 151.3f, 1e-3);

    // Later than any P, earlier than any P, and no curve at all: nothing fits.
    EXPECT_EQ(DistanceForTime(p, 900.0f, 33), -1.0f);
    EXPECT_EQ(DistanceForTime(p, 1.0f, 100), -1.0f);
    EXPECT_EQ(DistanceForTime(df, 100.0f, 33), -1.0f);
    EXPECT_EQ(DistanceForTime(p, 300.0f, 800), -1.0f);
    EXPECT_EQ(DistanceForTime(PHASEDATA{}, 300.0f, 33), -1.0f);
    // A time that is exactly a grid value is found at once.
    EXPECT_FLOAT_EQ(DistanceForTime(p, p.Time(0, 0), 0), 0.0f);
}

TEST(TravelTimeTable, DistanceForDifferenceFindsSMinusPAndRefusesWhatNoDistanceGives) {
    PHASEDATA p = Read(kIasp91 + "P");
    PHASEDATA s = Read(kIasp91 + "S");
    for (float depth : {10.0f, 33.0f, 250.0f})
        for (float d : {1.3f, 8.0f, 25.5f, 60.0f, 95.2f}) {
            const float dt = TravelTime(s, depth, d) - TravelTime(p, depth, d);
            ASSERT_GT(dt, 0.0f);
            EXPECT_NEAR(DistanceForDifference(s, p, dt, depth), d, 5e-3) << depth << " " << d;
        }
    // S-P never reaches an hour, and never goes below 0 where both exist.
    EXPECT_EQ(DistanceForDifference(s, p, 3600.0f, 33), -1.0f);
    EXPECT_EQ(DistanceForDifference(s, p, -5.0f, 33), -1.0f);
    EXPECT_EQ(DistanceForDifference(s, PHASEDATA{}, 60.0f, 33), -1.0f);
    // Curves that never exist at the same distance.
    PHASEDATA df = Read(kIasp91 + "PKP(df)");
    PHASEDATA pn = Read(kIasp91 + "P_n");
    EXPECT_EQ(DistanceForDifference(df, pn, 10.0f, 33), -1.0f);
}

TEST(TravelTimeTable, DistanceForSlownessKeepsToTheCurveAndItsGaps) {
    PHASEDATA p = Read(kIasp91 + "P");
    // TauP ray parameters (s/deg) of P at teleseismic distances, from traveltime_spot.csv's model.
    // Steps are 0.9 degrees, so the answer is the nearest step.
    const float d60 = DistanceForSlowness(p, 6.8772f / 111.0f, 33);
    EXPECT_GT(d60, 55.0f);
    EXPECT_LT(d60, 65.0f);
    // A slowness no P has: the answer is still a distance where P exists, never the edge of a gap
    // read as a huge time step.
    PHASEDATA df = Read(kIasp91 + "PKP(df)");
    for (float slowness : {0.5f, 10.0f}) {
        const float d = DistanceForSlowness(df, slowness, 33);
        EXPECT_GT(TravelTime(df, 33, d), 0.0f) << slowness;
    }
    EXPECT_EQ(DistanceForSlowness(PHASEDATA{}, 0.1f, 33), 0.0f);
    EXPECT_EQ(DistanceForSlowness(p, 0.1f, 900), 0.0f);
}

}  // namespace
}  // namespace zel
