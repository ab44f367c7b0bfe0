// StationXML inventories against ObsPy's reading of the same files (tests/data/oracle/
// stationxml_read.txt), and their import into the station table and CALIBRATION.

#include "formats/StationXml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "db/Databases.h"
#include "db/Odbc.h"
#include "dsp/Response.h"
#include "dsp/Simulation.h"
#include "support/WorkDatabaseTest.h"

namespace zel {
namespace {

const std::string kXml = std::string(ZEL_TEST_DATA_DIR) + "/stationxml/";

struct OracleChannel {
    std::string id;
    std::map<std::string, double> values;  // lat, lon, elev, depth, azimuth, dip, rate
    double start = 0;
    bool hasResponse = false;
    std::vector<std::complex<double>> zeros, poles;
    double resp[3] = {0, 0, 0};  // |response| at 0.1, 1, 10 Hz, output per input unit
};

std::complex<double> ParseComplex(const std::string& text) {
    // "a+bj" or "a-bj"; the sign of the imaginary part is the last + or - not after an exponent.
    std::size_t split = std::string::npos;
    for (std::size_t i = 1; i < text.size(); ++i)
        if ((text[i] == '+' || text[i] == '-') && text[i - 1] != 'e') split = i;
    return {std::stod(text.substr(0, split)), std::stod(text.substr(split, text.size() - split - 1))};
}

double ParseIso(const std::string& t) {
    int y, mo, d, h, mi;
    double s;
    std::sscanf(t.c_str(), "%d-%d-%dT%d:%d:%lfZ", &y, &mo, &d, &h, &mi, &s);
    return CalendarToEpoch(y, mo, d, h, mi, s);
}

// File name -> its channels, and the station lines' channel counts.
std::map<std::string, std::vector<OracleChannel>> ReadOracle(std::map<std::string, int>& stationChannels) {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/oracle/stationxml_read.txt");
    std::map<std::string, std::vector<OracleChannel>> files;
    std::string line, file;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "==") {
            words >> file;
            files[file];
        } else if (word == "station") {
            std::string id, key;
            words >> id;
            double v;
            while (words >> key && key != "channels") words >> v;
            words >> stationChannels[file + " " + id];
        } else if (word == "channel") {
            OracleChannel c;
            words >> c.id;
            std::string key, value;
            while (words >> key >> value) {
                if (key == "start")
                    c.start = ParseIso(value);
                else if (key != "end")
                    c.values[key] = std::stod(value);
            }
            files[file].push_back(c);
        } else if (word == "zeros" || word == "poles") {
            auto& list = word == "zeros" ? files[file].back().zeros : files[file].back().poles;
            for (std::string z; words >> z;) list.push_back(ParseComplex(z));
        } else if (word == "|resp|") {
            std::string hz, first;
            words >> hz >> hz >> first;
            if (hz == "computable:") continue;
            OracleChannel& c = files[file].back();
            c.hasResponse = true;
            c.resp[0] = std::stod(first);
            words >> c.resp[1] >> c.resp[2];
        }
    }
    return files;
}

std::string IdOf(const StationXmlChannel& c) {
    return c.network + "." + c.station + "." + c.location + "." + c.code;
}

// Every file read as ObsPy reads it: the channels it keeps (those with coordinates) with their
// coordinates, orientation, rate and poles and zeros; the converted SAC text's |response| within
// 1 % of evalresp's where the poles and zeros are the whole response (up to 0.2 of the sample
// rate; the digital anti-alias filter, which no SAC text holds, ripples above and rules near the
// Nyquist frequency, so frequencies above 0.4 of the rate are not compared).
TEST(StationXml, EveryFixtureReadsAndConvertsAsObsPyReadsIt) {
    std::map<std::string, int> stationChannels;
    const auto oracle = ReadOracle(stationChannels);
    ASSERT_EQ(oracle.size(), 6u);
    int compared = 0;
    for (const auto& [file, channels] : oracle) {
        SCOPED_TRACE(file);
        const std::vector<StationXmlStation> stations = ReadStationXml(kXml + file);
        std::vector<const StationXmlChannel*> kept;
        for (const StationXmlStation& s : stations) {
            int withCoordinates = 0;
            for (const StationXmlChannel& c : s.channels)
                if (c.lat && c.lon && c.elevation) kept.push_back(&c), ++withCoordinates;
            EXPECT_EQ(withCoordinates, stationChannels.at(file + " " + s.network + "." + s.code));
        }
        ASSERT_EQ(kept.size(), channels.size());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const StationXmlChannel& c = *kept[i];
            const OracleChannel& o = channels[i];
            SCOPED_TRACE(o.id);
            EXPECT_EQ(IdOf(c), o.id);
            EXPECT_NEAR(*c.start, o.start, 1e-6);
            EXPECT_DOUBLE_EQ(*c.lat, o.values.at("lat"));
            EXPECT_DOUBLE_EQ(*c.lon, o.values.at("lon"));
            EXPECT_DOUBLE_EQ(*c.elevation, o.values.at("elev"));
            EXPECT_DOUBLE_EQ(*c.depth, o.values.at("depth"));
            EXPECT_DOUBLE_EQ(*c.azimuth, o.values.at("azimuth"));
            EXPECT_DOUBLE_EQ(*c.dip, o.values.at("dip"));
            EXPECT_DOUBLE_EQ(*c.sampleRate, o.values.at("rate"));
            std::string why;
            const std::optional<std::string> text = SacPolesZerosText(c.response, why);
            ASSERT_EQ(text.has_value(), o.hasResponse) << why;
            if (!text) continue;
            ASSERT_EQ(c.response.zeros.size(), o.zeros.size());
            ASSERT_EQ(c.response.poles.size(), o.poles.size());
            for (std::size_t k = 0; k < o.zeros.size(); ++k)
                EXPECT_LT(std::abs(c.response.zeros[k] - o.zeros[k]), 1e-6);
            for (std::size_t k = 0; k < o.poles.size(); ++k)
                EXPECT_LT(std::abs(c.response.poles[k] - o.poles[k]), 1e-6 * std::abs(o.poles[k]));
            const std::optional<PolesZeros> pz = ParsePolesZeros(*text);
            ASSERT_TRUE(pz);
            const double frequencies[3] = {0.1, 1.0, 10.0};
            for (int k = 0; k < 3; ++k) {
                if (frequencies[k] > 0.4 * *c.sampleRate) continue;
                // Counts per metre of displacement, back to counts per m/s.
                const double velocity = 1e9 / std::abs(pz->InverseResponse(frequencies[k])) /
                                        (2 * std::numbers::pi * frequencies[k]);
                // Up to 0.2 of the rate within 1 %; above, the anti-alias filter's passband ripple
                // (2.4 % at 10 Hz on the 40-Hz channels) is in evalresp's value and not in any SAC text.
                EXPECT_NEAR(velocity / o.resp[k], 1.0, frequencies[k] <= 0.2 * *c.sampleRate ? 0.01 : 0.03)
                    << frequencies[k] << " Hz";
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 27);  // seven 40-Hz channels at three frequencies, three 20-Hz ones at two
    EXPECT_THROW(ReadStationXml(kXml + "missing.xml"), ZelError);
}

class StationXmlImportTest : public test::WorkDatabaseTest {};

// The station table from an inventory: groups by location and band, components by orientation
// (1/2 channels by their azimuth), the newest epoch in SITECHAN, every epoch's response in
// CALIBRATION; a Wood-Anderson simulation then runs on an imported channel with the expected gain.
TEST_P(StationXmlImportTest, AnInventoryFillsTheStationTableAndCalibrations) {
    const StationXmlImportReport report = ImportStationXml(db->work(), kXml + "IU_ANMO_BH.xml");
    EXPECT_EQ(report.stations, 1);
    EXPECT_EQ(report.channels, 6);
    EXPECT_EQ(report.responses, 9);
    EXPECT_TRUE(report.problems.empty()) << report.Text();
    const std::vector<Station> stations = LoadStations(db->work());
    ASSERT_EQ(stations.size(), 1u);
    const Station& anmo = stations[0];
    EXPECT_EQ(anmo.code, "ANMO");
    EXPECT_EQ(anmo.ngroups, 2);
    EXPECT_NEAR(anmo.elev, 1.820, 1e-6);  // km
    const std::vector<std::pair<std::string, std::string>> slots = {
        {"BHZ", "00"}, {"BH1", "00"}, {"BH2", "00"},  // azimuth 328 is nearer north than 58
        {"BHZ", "10"}, {"BH2", "10"}, {"BH1", "10"},  // the newest epoch: 161 north, 71 east
    };
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(anmo.slots[i].channel, slots[i].first) << i;
        EXPECT_EQ(anmo.slots[i].lcode, slots[i].second) << i;
        EXPECT_EQ(anmo.slots[i].componentIndex, static_cast<int>(i % 3 + 1));
    }
    EXPECT_NEAR(anmo.slots[3].elev, 1.7893, 1e-6);
    EXPECT_EQ(anmo.slots[3].sps, 40.0);

    // Each epoch's own response: 10.BHZ before and after its 2014 sensor change.
    const double in2013 = CalendarToEpoch(2013, 6, 14, 12, 0, 0),
                 in2016 = CalendarToEpoch(2016, 1, 1, 0, 0, 0);
    const auto old = LoadPolesZeros(db->work(), {"ANMO", "BHZ", "", "10", in2013});
    const auto now = LoadPolesZeros(db->work(), {"ANMO", "BHZ", "", "10", in2016});
    ASSERT_TRUE(old && now);
    EXPECT_EQ(old->poles.size(), 5u);
    EXPECT_EQ(now->poles.size(), 11u);
    EXPECT_EQ(old->zeros.size(), 3u);  // two of the sensor's, one for displacement

    // Wood-Anderson from a 1 Hz sine of 1000 counts: in the middle of the trace, 1000 counts times
    // nanometres per count times the instrument's gain at 1 Hz.
    const double rate = 40.0;
    std::vector<float> input(FftFriendlyLength(2400));
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] =
            static_cast<float>(1000.0 * std::sin(2 * std::numbers::pi * static_cast<double>(i) / rate));
    const std::vector<float> wa = SimulatePolesZeros(*old, rate, input, kSimWoodAnderson);
    ASSERT_EQ(wa.size(), input.size());
    float peak = 0;
    for (std::size_t i = wa.size() / 3; i < 2 * wa.size() / 3; ++i) peak = std::max(peak, std::fabs(wa[i]));
    const double expected =
        1000.0 * std::abs(old->InverseResponse(1.0)) * std::abs(TargetResponse(kSimWoodAnderson, 1.0));
    EXPECT_NEAR(peak / expected, 1.0, 0.03);

    // A state-of-health channel comes in without a response, reported; a file without stations
    // changes nothing.
    const StationXmlImportReport soh = ImportStationXml(db->work(), kXml + "stationxml_BK.CMB.__.LKS.xml");
    EXPECT_EQ(soh.channels, 1);
    EXPECT_EQ(soh.responses, 0);
    ASSERT_EQ(soh.problems.size(), 1u);
    EXPECT_NE(soh.problems[0].find("BK.CMB..LKS"), std::string::npos);
    const StationXmlImportReport noCoordinates =
        ImportStationXml(db->work(), kXml + "channel_without_coordinates.xml");
    EXPECT_EQ(noCoordinates.channels, 0);
    EXPECT_EQ(noCoordinates.problems.size(), 1u);
    EXPECT_THROW(ImportStationXml(db->work(), kXml + "minimal_station.xml"), ZelError);
    EXPECT_EQ(LoadStations(db->work()).size(), 3u);
    // Importing again replaces, never doubles.
    ImportStationXml(db->work(), kXml + "IU_ANMO_BH.xml");
    Db::Statement st(db->work());
    st.execute("select count(*) from SITECHAN where STA='ANMO'");
    st.fetch();
    EXPECT_EQ(*st.integer(0), 6);
    st.execute("select count(*) from CALIBRATION where STA='ANMO'");
    st.fetch();
    EXPECT_EQ(*st.integer(0), 9);
}

ZEL_INSTANTIATE_DATABASE_TEST(StationXmlImportTest);

}  // namespace
}  // namespace zel
