// The CSS 3.0 bulletin text tables read back column by column. The column positions below are
// copied from the CSS 3.0 relation definitions (1-based first and last character of each field),
// not from the writer, so a field that drifts by one character fails here.

#include "formats/CssTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "base/ZelError.h"
#include "formats/CssEventRows.h"
#include "support/TempDir.h"

namespace zel {
namespace {

struct Column {
    const char* name;
    int first, last;
};

const std::vector<Column> kOrigin = {
    {"lat", 1, 9},       {"lon", 11, 19},         {"depth", 21, 29},   {"time", 31, 47},
    {"orid", 49, 56},    {"evid", 58, 65},        {"jdate", 67, 74},   {"nass", 76, 79},
    {"ndef", 81, 84},    {"ndp", 86, 89},         {"grn", 91, 98},     {"srn", 100, 107},
    {"etype", 109, 115}, {"depdp", 117, 125},     {"dtype", 127, 127}, {"mb", 129, 135},
    {"mbid", 137, 144},  {"ms", 146, 152},        {"msid", 154, 161},  {"ml", 163, 169},
    {"mlid", 171, 178},  {"algorithm", 180, 194}, {"auth", 196, 210},  {"commid", 212, 219},
    {"lddate", 221, 237}};
const std::vector<Column> kArrival = {
    {"sta", 1, 6},       {"time", 8, 24},    {"arid", 26, 33},   {"jdate", 35, 42},    {"stassid", 44, 51},
    {"chanid", 53, 60},  {"chan", 62, 69},   {"iphase", 71, 78}, {"stype", 80, 80},    {"deltim", 82, 87},
    {"azimuth", 89, 95}, {"delaz", 97, 103}, {"slow", 105, 111}, {"delslo", 113, 119}, {"ema", 121, 127},
    {"rect", 129, 135},  {"amp", 137, 146},  {"per", 148, 154},  {"logat", 156, 162},  {"clip", 164, 164},
    {"fm", 166, 167},    {"snr", 169, 178},  {"qual", 180, 180}, {"auth", 182, 196},   {"commid", 198, 205},
    {"lddate", 207, 223}};
const std::vector<Column> kAssoc = {
    {"arid", 1, 8},    {"orid", 10, 17},     {"sta", 19, 24},      {"phase", 26, 33},   {"belief", 35, 38},
    {"delta", 40, 47}, {"seaz", 49, 55},     {"esaz", 57, 63},     {"timeres", 65, 72}, {"timedef", 74, 74},
    {"azres", 76, 82}, {"azdef", 84, 84},    {"slores", 86, 92},   {"slodef", 94, 94},  {"emares", 96, 102},
    {"wgt", 104, 109}, {"vmodel", 111, 125}, {"commid", 127, 134}, {"lddate", 136, 152}};
const std::vector<Column> kStamag = {{"magid", 1, 8},     {"sta", 10, 15},       {"arid", 17, 24},
                                     {"orid", 26, 33},    {"evid", 35, 42},      {"phase", 44, 51},
                                     {"magtype", 53, 58}, {"magnitude", 60, 66}, {"uncertainty", 68, 74},
                                     {"auth", 76, 90},    {"commid", 92, 99},    {"lddate", 101, 117}};
const std::vector<Column> kAmplitude = {{"ampid", 1, 8},        {"arid", 10, 17},    {"parid", 19, 26},
                                        {"chan", 28, 35},       {"amp", 37, 47},     {"per", 49, 55},
                                        {"snr", 57, 66},        {"amptime", 68, 84}, {"start_time", 86, 102},
                                        {"duration", 104, 110}, {"bandw", 112, 118}, {"amptype", 120, 127},
                                        {"units", 129, 143},    {"clip", 145, 145},  {"inarrival", 147, 147},
                                        {"auth", 149, 163},     {"lddate", 165, 181}};

// The fields of one line by name, blanks trimmed; the line must have exactly the table's width
// and blanks between the fields.
std::map<std::string, std::string> Fields(const std::string& line, const std::vector<Column>& columns) {
    std::map<std::string, std::string> fields;
    EXPECT_EQ(static_cast<int>(line.size()), columns.back().last) << line;
    int previous = 0;
    for (const Column& c : columns) {
        for (int gap = previous + 1; gap < c.first; ++gap)
            EXPECT_EQ(line.at(gap - 1), ' ') << c.name << " is not preceded by a blank in\n" << line;
        std::string value = line.substr(c.first - 1, c.last - c.first + 1);
        const auto a = value.find_first_not_of(' ');
        value = a == std::string::npos ? "" : value.substr(a, value.find_last_not_of(' ') - a + 1);
        fields[c.name] = value;
        previous = c.last;
    }
    return fields;
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// 2021-03-16 12:00:00 UTC: day 75 of 2021.
constexpr double kOriginTime = 1615896000.0;

std::vector<CssPick> TwoPicks() {
    CssPick p;
    p.sta = "OBN";
    p.chan = "SHZ";
    p.phase = "P";
    p.time = kOriginTime + 400.25;
    p.deltim = 0.05;
    p.hasAzimuth = true;
    p.azimuth = -30;
    p.ema = 40;
    p.hasAmplitude = true;
    p.amplitude = 1.5;  // micrometres
    p.period = 0.8;
    p.ampTime = kOriginTime + 400.65;
    p.firstMotion = "U";
    p.onset = "I";
    p.weight = 1;
    p.included = true;
    p.residual = 0.4;
    p.arid = 11;
    p.mb = 5.1;
    p.staLat = 55.1;
    p.staLon = 36.6;

    CssPick s;
    s.sta = "ARU";
    s.chan = "BHZ";
    s.phase = "S";
    s.time = kOriginTime + 700.0;
    s.firstMotion = "-";
    s.onset = "-";
    s.weight = 4;
    s.included = false;
    s.arid = 12;
    s.ml = 3.3;
    s.staLat = 56.4;
    s.staLon = 58.6;
    return {p, s};
}

CssGeometry FixedGeometry(double, double, double, double) { return {12.345, -20.0, 150.0}; }

TEST(CssTextTables, EveryFieldSitsInItsCssColumn) {
    CssHypocentre h;
    h.valid = true;
    h.lat = 52.5;
    h.lon = 158.25;
    h.depth = 33;
    h.time = kOriginTime;
    h.mb = 5.2;
    h.ms = -1000;  // computed, but no station had one
    const CssEvent rows =
        BuildCssEvent(h, 77, TwoPicks(), CssTarget::TextTables, CountingKeys(), FixedGeometry);
    test::TempDir dir;
    WriteCssTextTables(rows, 77, dir.path().string(), 0);

    const auto origin = Lines(dir.file("77.Origin"));
    ASSERT_EQ(origin.size(), 1u);
    auto o = Fields(origin[0], kOrigin);
    EXPECT_EQ(o["lat"], "52.5000");
    EXPECT_EQ(o["lon"], "158.2500");
    EXPECT_EQ(o["depth"], "33.0000");
    EXPECT_EQ(o["time"], "1615896000.00000");
    EXPECT_EQ(o["orid"], "77");
    EXPECT_EQ(o["evid"], "-1");
    EXPECT_EQ(o["jdate"], "2021075");
    EXPECT_EQ(o["nass"], "2");
    EXPECT_EQ(o["ndef"], "1");
    EXPECT_EQ(o["etype"], "-");
    EXPECT_EQ(o["mb"], "5.20");
    EXPECT_EQ(o["ms"], "-999.00");  // -1000 is a "none" too
    EXPECT_EQ(o["ml"], "-999.00");
    EXPECT_EQ(o["algorithm"], "ZEL");
    EXPECT_EQ(o["auth"], "ZEL");
    EXPECT_EQ(o["commid"], "-1");
    EXPECT_EQ(o["lddate"].size(), 17u);

    const auto arrivals = Lines(dir.file("77.Arrival"));
    ASSERT_EQ(arrivals.size(), 2u);
    auto a = Fields(arrivals[0], kArrival);
    EXPECT_EQ(a["sta"], "OBN");
    EXPECT_EQ(a["time"], "1615896400.25000");
    EXPECT_EQ(a["arid"], "11");
    EXPECT_EQ(a["jdate"], "2021075");
    EXPECT_EQ(a["chan"], "shz");
    EXPECT_EQ(a["iphase"], "P");
    EXPECT_EQ(a["deltim"], "0.050");
    EXPECT_EQ(a["azimuth"], "330.00");
    EXPECT_EQ(a["ema"], "40.00");
    EXPECT_EQ(a["amp"], "1500.0");  // 1.5 um in nanometres
    EXPECT_EQ(a["per"], "0.80");
    EXPECT_EQ(a["logat"], "3.27");  // log10(1500 / 0.8) = 3.273
    EXPECT_EQ(a["fm"], "c.");
    EXPECT_EQ(a["qual"], "i");
    EXPECT_EQ(a["auth"], "ZEL");
    auto b = Fields(arrivals[1], kArrival);
    EXPECT_EQ(b["fm"], "d.");
    EXPECT_EQ(b["qual"], "-");
    EXPECT_EQ(b["amp"], "-1.0");
    EXPECT_EQ(b["azimuth"], "-1.00");
    EXPECT_EQ(b["logat"], "-999.00");

    const auto assocs = Lines(dir.file("77.Assoc"));
    ASSERT_EQ(assocs.size(), 2u);
    auto s = Fields(assocs[0], kAssoc);
    EXPECT_EQ(s["arid"], "11");
    EXPECT_EQ(s["orid"], "77");
    EXPECT_EQ(s["sta"], "OBN");
    EXPECT_EQ(s["phase"], "P");
    EXPECT_EQ(s["belief"], "-1.0");
    EXPECT_EQ(s["delta"], "12.345");
    EXPECT_EQ(s["seaz"], "340.00");
    EXPECT_EQ(s["esaz"], "150.00");
    EXPECT_EQ(s["timeres"], "0.400");
    EXPECT_EQ(s["timedef"], "d");
    EXPECT_EQ(s["wgt"], "0.200");
    EXPECT_EQ(s["vmodel"], "JB");
    auto t = Fields(assocs[1], kAssoc);
    EXPECT_EQ(t["timeres"], "-999.000");
    EXPECT_EQ(t["timedef"], "n");
    EXPECT_EQ(t["wgt"], "0.800");

    const auto stamags = Lines(dir.file("77.Stamag"));
    ASSERT_EQ(stamags.size(), 2u);
    auto m = Fields(stamags[0], kStamag);
    EXPECT_EQ(m["magid"], "1");
    EXPECT_EQ(m["sta"], "OBN");
    EXPECT_EQ(m["arid"], "11");
    EXPECT_EQ(m["orid"], "77");
    EXPECT_EQ(m["phase"], "P");
    EXPECT_EQ(m["magtype"], "Mb");
    EXPECT_EQ(m["magnitude"], "5.10");
    auto l = Fields(stamags[1], kStamag);
    EXPECT_EQ(l["magid"], "2");
    EXPECT_EQ(l["magtype"], "ML");
    EXPECT_EQ(l["magnitude"], "3.30");

    const auto amplitudes = Lines(dir.file("77.Amplitude"));
    ASSERT_EQ(amplitudes.size(), 1u);
    auto p = Fields(amplitudes[0], kAmplitude);
    EXPECT_EQ(p["ampid"], "1");
    EXPECT_EQ(p["arid"], "11");
    EXPECT_EQ(p["parid"], "-1");
    EXPECT_EQ(p["chan"], "shz");
    EXPECT_EQ(p["amp"], "1500.00");
    EXPECT_EQ(p["per"], "0.80");
    EXPECT_EQ(p["amptime"], "1615896400.65000");
    EXPECT_EQ(p["amptype"], "A5/2");
    EXPECT_EQ(p["units"], "nm");
    EXPECT_EQ(p["inarrival"], "n");
    EXPECT_EQ(p["auth"], "ZEL");
}

TEST(CssTextTables, MissingValuesAreCssNullsAndOversizedOnesNeverShiftColumns) {
    std::vector<CssPick> picks = TwoPicks();
    picks[0].sta = "VERYLONGSTATION";
    picks[0].chan = "Канал";   // cut on a character boundary within its 8 bytes
    picks[0].amplitude = 5e9;  // 5e12 nm does not fit the arrival's amp column
    const CssEvent rows = BuildCssEvent(CssHypocentre{}, 3, picks, CssTarget::TextTables, CountingKeys());

    auto o = Fields(CssOriginLine(rows.origin, CssTextLoadDate(0)).substr(0, 237), kOrigin);
    EXPECT_EQ(o["lat"], "-999.0000");
    EXPECT_EQ(o["depth"], "-999.0000");
    EXPECT_EQ(o["time"], "-9999999999.99900");  // the CSS null time, ten nines
    EXPECT_EQ(o["jdate"], "-1");
    EXPECT_EQ(o["mb"], "-1.00");
    EXPECT_EQ(o["ms"], "-1.00");

    const std::string line = CssArrivalLine(rows.arrivals[0], CssTextLoadDate(0));
    ASSERT_EQ(line.back(), '\n');
    auto a = Fields(line.substr(0, line.size() - 1), kArrival);
    EXPECT_EQ(a["sta"], "VERYLO");
    EXPECT_EQ(a["chan"], "Кана");
    EXPECT_EQ(a["amp"], "-1.0");
    EXPECT_EQ(a["per"], "0.80");
    // Without a hypocentre the distance and azimuths are unknown.
    auto s = Fields(CssAssocLine(rows.assocs[0], "x").substr(0, 152), kAssoc);
    EXPECT_EQ(s["delta"], "-1.000");
    EXPECT_EQ(s["seaz"], "-1.00");
    EXPECT_EQ(s["esaz"], "-999.00");
}

TEST(CssTextTables, FirstMotionAndOnsetCodes) {
    const std::map<std::string, std::string> fm = {{"U", "c."}, {"+", "c."}, {"D", "d."}, {"-", "d."},
                                                   {"?", "-"},  {"c", "c."}, {"d", "d."}, {"u", ".u"},
                                                   {"r", ".r"}, {"", "-"}};
    for (const auto& [letter, code] : fm) EXPECT_EQ(CssFirstMotion(letter), code) << letter;
    EXPECT_EQ(CssQuality("E"), "e");
    EXPECT_EQ(CssQuality("I"), "i");
    EXPECT_EQ(CssQuality("W"), "w");
    EXPECT_EQ(CssQuality("-"), "-");
}

TEST(CssTextTables, AFileThatCannotBeOpenedStopsTheWritingWithItsPathAndReason) {
    test::TempDir dir;
    const CssEvent rows =
        BuildCssEvent(CssHypocentre{}, 5, TwoPicks(), CssTarget::TextTables, CountingKeys());
    const std::string missing = dir.file("no/such/dir");
    try {
        WriteCssTextTables(rows, 5, missing, 0);
        ADD_FAILURE() << "no error";
    } catch (const ZelError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Ошибка открытия файла: " + missing + "/5.Origin: No such file or directory");
    }
    // The five are written as one set: one that cannot be written keeps the others out.
    std::filesystem::create_directory(dir.file("out"));
    std::filesystem::create_directory(dir.file("out/5.Arrival"));  // a directory where a file should go
    EXPECT_THROW(WriteCssTextTables(rows, 5, dir.file("out"), 0), ZelError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/5.Origin")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/5.Assoc")));
}

}  // namespace
}  // namespace zel
