// Poles-zeros and FAP responses, the CALIBRATION lookup, standard seismographs and the two
// simulation paths. References: tests/data/response (README there).

#include "dsp/Response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

#include "base/ZelError.h"
#include "db/DbDialect.h"
#include "db/Odbc.h"
#include "db/Schema.h"
#include "dsp/Simulation.h"
#include "support/ScratchDatabase.h"
#include "support/TempDir.h"

namespace zel {
namespace {

std::string DataPath(const std::string& name) { return std::string(ZEL_TEST_DATA_DIR) + "/response/" + name; }

std::string Slurp(const std::string& name) {
    std::ifstream in(DataPath(name));
    EXPECT_TRUE(in) << name;
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PolesZerosText, RealFilesAndSeparatorsParseAlike) {
    const auto minimal = ParsePolesZeros(Slurp("SAC_PZs_NZ_CRLZ_HHZ"));
    const auto full = ParsePolesZeros(Slurp("NZCRLZ_HHZ10.pz"));  // comment header, zeros listed at 0
    ASSERT_TRUE(minimal && full);
    EXPECT_EQ(minimal->zeros.size(), 5u);
    EXPECT_EQ(minimal->poles.size(), 4u);
    EXPECT_EQ(minimal->zeros[2], std::complex<double>(0, 0));
    EXPECT_DOUBLE_EQ(minimal->constant, 7.459202e7);
    EXPECT_EQ(full->zeros.size(), 5u);
    EXPECT_NEAR(full->constant, 7.4592e-02, 1e-9);

    const auto piped = ParsePolesZeros("ZEROS 3|POLES 4|-0.1 0.2|-0.1 -0.2|-5 0|-7 0|CONSTANT 2.5e9");
    ASSERT_TRUE(piped);
    EXPECT_EQ(piped->zeros, std::vector<std::complex<double>>(3));
    EXPECT_EQ(piped->poles, (std::vector<std::complex<double>>{{-0.1, 0.2}, {-0.1, -0.2}, {-5, 0}, {-7, 0}}));
    EXPECT_DOUBLE_EQ(piped->constant, 2.5e9);
    EXPECT_TRUE(ParsePolesZeros("zeros 0;poles 1;-1 0;constant 1"));  // any case, ';' breaks lines

    for (const char* bad : {"", "ZEROS x", "ZEROS 2\n1 abc", "POLES 100000\n", "POLES -1", "CONSTANT nan"})
        EXPECT_FALSE(ParsePolesZeros(bad)) << bad;
}

TEST(PolesZerosText, InverseResponseMatchesScipy) {
    const auto pz = ParsePolesZeros(Slurp("SAC_PZs_NZ_CRLZ_HHZ"));
    ASSERT_TRUE(pz);
    std::istringstream ref(Slurp("sacpz_inverse.txt"));
    int rows = 0;
    for (std::string line; std::getline(ref, line);) {
        if (line.empty() || line[0] == '#') continue;
        double f, amp, phase;
        std::istringstream(line) >> f >> amp >> phase;
        EXPECT_NEAR(std::abs(pz->InverseResponse(f)), amp, 1e-7 * amp) << f;
        const auto [a, p] = pz->AmplitudePhase(f);
        EXPECT_NEAR(a, amp, 1e-7 * amp);
        EXPECT_NEAR(p, phase, 1e-6) << f;
        ++rows;
    }
    EXPECT_EQ(rows, 25);
    EXPECT_EQ(PolesZeros{}.InverseResponse(1), std::complex<double>(0));  // not loaded
    PolesZeros dead;
    dead.loaded = true;  // constant 0
    EXPECT_EQ(dead.InverseResponse(1), std::complex<double>(-1));
}

TEST(FapTable, FileReadingRefusesBrokenTables) {
    test::TempDir dir;
    test::WriteFile(dir.file("ok.fap"), "3\n0.5 10\n1 20\n20.0 40\n");
    const ApResponse r = ReadFapFile(dir.file("ok.fap"));
    EXPECT_EQ(r.Value(0.49), 0);
    EXPECT_EQ(r.Value(20.01), 0);
    EXPECT_EQ(r.Value(1), 20);
    EXPECT_DOUBLE_EQ(r.Value(0.75), 15);
    EXPECT_NEAR(r.Value(10.5), 30, 1e-5);
    struct Case {
        const char* name;
        const char* text;
    };
    for (const Case& c : {Case{"empty.fap", ""}, Case{"zero.fap", "0\n"}, Case{"short.fap", "3\n1 2\n3 4\n"},
                          Case{"huge.fap", "99999999999\n1 2\n"}, Case{"words.fap", "2\n1 x\n2 3\n"},
                          Case{"falling.fap", "2\n5 1\n1 1\n"}}) {
        test::WriteFile(dir.file(c.name), c.text);
        EXPECT_THROW(ReadFapFile(dir.file(c.name)), ZelError) << c.name;
    }
    EXPECT_THROW(ReadFapFile(dir.file("missing.fap")), ZelError);
    EXPECT_THROW(ReadFapFile(""), ZelError);
}

TEST(FapTable, DatabaseTextSkipsHeadersAndRefusesGarbage) {
    const auto t = ParseFapText("FAP table\r\nCAL 1\n0.5 10 -90|1 20 0;2 30 10\n\n");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->frequency, (std::vector<float>{0.5f, 1, 2}));
    EXPECT_EQ(t->amplitude, (std::vector<float>{10, 20, 30}));
    EXPECT_FALSE(ParseFapText(""));
    EXPECT_FALSE(ParseFapText("FAP\n1 2\nnonsense\n"));
}

class CalibrationLookup : public test::DatabaseTest {};

TEST_P(CalibrationLookup, PeriodsCompareToTheSecondAndValuesAreBound) {
    Db::Connection db;
    db.open(scratch->connectString());
    const DbDialect dialect = GetParam() == test::Backend::SQLite ? kDialectSqlite : kDialectPostgres;
    CreateMissingTables(db, dialect, WorkingSchema());
    const std::string insert =
        "insert into CALIBRATION (STA, CHAN, STARTDATE, ENDDATE, SAC, FAP) values (?, ?, ";
    // The old calibration ends at noon; the new one starts then, on the same day.
    db.execute(insert + "{ts '2020-01-01 00:00:00'}, {ts '2020-05-05 12:00:00'}, ?, ?)",
               {std::string("ST'A"), std::string("SHZ"), std::string("ZEROS 0|POLES 1|-1 0|CONSTANT 1"),
                std::string("1 10 0|2 20 0")});
    db.execute(insert + "{ts '2020-05-05 12:00:00'}, NULL, ?, ?)",
               {std::string("ST'A"), std::string("SHZ"), std::string("ZEROS 0|POLES 1|-1 0|CONSTANT 2"),
                std::string("1 30 0|2 40 0")});
    const double morning = 1588680000 - 3600;  // 2020-05-05 11:00:00 UTC
    const double evening = 1588680000 + 3600;
    auto constantAt = [&](double t) {
        const auto pz = LoadPolesZeros(db, {"ST'A", "SHZ", "", "??", t});
        return pz ? pz->constant : -1.0;
    };
    EXPECT_EQ(constantAt(morning), 1);
    EXPECT_EQ(constantAt(evening), 2);
    EXPECT_EQ(constantAt(1500000000), -1);  // before any calibration
    EXPECT_EQ(LoadPolesZeros(db, {"ST'A", "SHZ", "", "", std::nullopt})->constant, 2);
    EXPECT_FALSE(LoadPolesZeros(db, {"ST'A", "SHZ", "XX", "", evening}));
    EXPECT_FALSE(LoadPolesZeros(db, {"' OR 1=1 --", "SHZ", "", "", evening}));
    EXPECT_EQ(LoadFapTable(db, {"ST'A", "SHZ", "", "", morning})->amplitude.front(), 10);
    EXPECT_NEAR(RecorderAmplitude(db, "ST'A", "SHZ", "??", evening, 0), 0.5e9, 1);
    EXPECT_EQ(RecorderAmplitude(db, "NONE", "SHZ", "??", evening, 1), -1);
}

ZEL_INSTANTIATE_DATABASE_TEST(CalibrationLookup);

TEST(StandardSeismographs, ResponsesMatchAnIndependentTranscription) {
    const std::map<std::string, int> codes = {
        {"zel_kirnos", 1001}, {"zel_wwssn_lp", 1002}, {"zel_wwssn_sp", 1003}, {"zel_wood_anderson", 1004},
        {"zel_lpsro", 1005},  {"zel_vegik", 1006},    {"zel_skm", 1007}};
    std::istringstream csv(Slurp("standard_seismographs.csv"));
    std::string line;
    std::getline(csv, line);
    int rows = 0;
    while (std::getline(csv, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream s(line);
        std::string name;
        double f, amp, phase, re, im;
        s >> name >> f >> amp >> phase >> re >> im;
        const int code = codes.at(name);
        for (int c : {code, code + (code == 1006 ? 12 : code == 1007 ? 12 : 11)}) {
            const auto t = TargetResponse(c, f);
            EXPECT_NEAR(t.real(), re, 1e-6 * amp + 1e-12) << name << " " << f << " code " << c;
            EXPECT_NEAR(t.imag(), im, 1e-6 * amp + 1e-12) << name << " " << f;
        }
        ++rows;
    }
    EXPECT_EQ(rows, 140);
    EXPECT_EQ(TargetResponse(1000, 3), std::complex<double>(1));
    EXPECT_NEAR(std::abs(TargetResponse(1004, 1.25)), 1 / (2 * 0.8), 1e-4);
}

TEST(StandardSeismographs, NaturalPeriodAndDampingOfTheDominantPair) {
    struct Case {
        int code;
        double period, damping;
    };
    for (const Case& c : {Case{1001, 22.41, 0.453}, Case{1002, 15.26, 0.998}, Case{1003, 0.866, 0.514},
                          Case{1004, 0.800, 0.800}, Case{1006, 0.615, 0.415}, Case{1007, 1.490, 0.450}}) {
        const TargetInstrument* t = TargetOf(c.code);
        ASSERT_NE(t, nullptr);
        const std::complex<double> p = t->poles[0];
        EXPECT_DOUBLE_EQ(p.real(), t->poles[1].real());
        EXPECT_DOUBLE_EQ(p.imag(), -t->poles[1].imag());
        EXPECT_NEAR(2 * std::numbers::pi / std::abs(p), c.period, 0.005 * c.period) << c.code;
        EXPECT_NEAR(-p.real() / std::abs(p), c.damping, 0.002) << c.code;
    }
    // Wood-Anderson keeps its negative-imaginary pole first.
    EXPECT_LT(TargetOf(1004)->poles[0].imag(), 0);
    EXPECT_EQ(TargetOf(1005)->zeros.size(), 7u);
    EXPECT_EQ(TargetOf(1005)->poles.size(), 19u);
    EXPECT_EQ(TargetOf(1010), nullptr);
    // TargetPeak takes the bins the measurement sees: k = 1 .. count/2.
    EXPECT_NEAR(TargetPeak(1004, 1000, 100), 1.0, 0.002);
    EXPECT_EQ(TargetPeak(1000, 10, 100), 1.0);
}

TEST(Simulation, FftFriendlyLengths) {
    struct Case {
        std::size_t n, length;
    };
    for (const Case& c : {Case{300, 296}, Case{4096, 4096}, Case{4097, 4096}, Case{1000, 992}, Case{1, 1},
                          Case{3, 3}, Case{0, 0}, Case{25, 25}})
        EXPECT_EQ(FftFriendlyLength(c.n), c.length) << c.n;
}

// The demo recorder: a 1 Hz velocity sensor, counts per metre of displacement.
PolesZeros Recorder() {
    const double w0 = 2 * std::numbers::pi, h = 0.70710678118654752;
    PolesZeros pz;
    pz.loaded = true;
    pz.constant = 2e9;
    pz.zeros.assign(3, 0);
    pz.poles = {{-h * w0, w0 * std::sqrt(1 - h * h)}, {-h * w0, -w0 * std::sqrt(1 - h * h)}};
    return pz;
}

TEST(Simulation, BinCentredSineThroughPolesAndZeros) {
    const double sps = 100;
    const std::size_t n = 4096;       // 40.96 s: no padding, work length = n
    const double f0 = 100 * sps / n;  // bin 100, 2.44 Hz
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<float>(1000 * std::sin(2 * std::numbers::pi * f0 * i / sps));
    const PolesZeros pz = Recorder();
    struct Case {
        int code;
        double gain;
    };
    const double toNm = std::abs(pz.InverseResponse(f0));
    for (const Case& c : {Case{1000, toNm}, Case{1004, toNm * std::abs(TargetResponse(1004, f0))},
                          Case{1003, toNm * std::abs(TargetResponse(1003, f0))},
                          Case{1010, toNm * 2 * std::numbers::pi * f0}}) {
        const std::vector<float> y = SimulatePolesZeros(pz, sps, x, c.code);
        ASSERT_EQ(y.size(), n);
        double peak = 0;  // the middle, away from the tapers
        for (std::size_t i = n / 4; i < 3 * n / 4; ++i) peak = std::max(peak, double(std::abs(y[i])));
        EXPECT_NEAR(peak, 1000 * c.gain, 0.005 * 1000 * c.gain) << c.code;
    }
}

TEST(Simulation, ShortTracesArePaddedAndLongOnesRefused) {
    const PolesZeros pz = Recorder();
    std::vector<float> x(FftFriendlyLength(300));
    ASSERT_EQ(x.size(), 296u);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(std::sin(0.9 * i) * 100);
    const std::vector<float> y = SimulatePolesZeros(pz, 100, x, 1004);
    EXPECT_EQ(y.size(), 296u);
    for (float v : y) EXPECT_TRUE(std::isfinite(v));

    std::vector<float> tooLong(700 * 20, 1.0f);
    try {
        SimulatePolesZeros(pz, 20, tooLong, 1004);
        FAIL() << "700 s accepted";
    } catch (const ZelError& e) {
        EXPECT_NE(std::string(e.what()).find("10 минутам"), std::string::npos) << e.what();
    }
    EXPECT_EQ(SimulateFap(1015, ApResponse{{0.5f, 20}, {1, 1}}, tooLong, 20).size(), tooLong.size());
}

TEST(Simulation, FapScalesAmplitudesInsideTheTableOnly) {
    const double sps = 100;
    const std::size_t n = 1000;
    ApResponse table{{0.5f, 20.0f}, {2.0f, 2.0f}};
    auto sine = [&](double f) {
        std::vector<float> x(n);
        for (std::size_t i = 0; i < n; ++i)
            x[i] = static_cast<float>(std::cos(2 * std::numbers::pi * f * i / sps));
        return x;
    };
    auto peak = [](const std::vector<float>& y) {
        double p = 0;
        for (float v : y) p = std::max(p, double(std::abs(v)));
        return p;
    };
    EXPECT_NEAR(peak(SimulateFap(1011, table, sine(5), sps)), 2.0, 1e-4);  // bin 50
    EXPECT_LT(peak(SimulateFap(1011, table, sine(0.3), sps)), 1e-5);       // bin 3, below the table
    EXPECT_LT(peak(SimulateFap(1011, table, sine(30), sps)), 1e-5);        // above it
    EXPECT_NEAR(peak(SimulateFap(1015, table, sine(5), sps)), 2 * std::abs(TargetResponse(1004, 5)), 1e-4);
}

}  // namespace
}  // namespace zel
