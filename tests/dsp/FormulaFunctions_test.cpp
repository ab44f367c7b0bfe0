// The function library through the language: the registry, every function's argument messages,
// the documented edge cases, and the cases where the library refuses or mends what used to crash
// or give wrong numbers.

#include "dsp/FormulaFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "dsp/Butterworth.h"
#include "dsp/FormulaHelp.h"
#include "dsp/FormulaTestSupport.h"
#include "dsp/FunctionsGenerators.h"

namespace zel::test {
namespace {

void ExpectSample(double got, double expected, const std::string& formula, std::size_t i) {
    if (std::isinf(expected))
        EXPECT_EQ(got, expected) << formula << " sample " << i;
    else
        EXPECT_NEAR(got, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << formula << " sample " << i;
}

class FormulaFunctions : public CommaLocaleTest {
  protected:
    void SetUp() override {
        CommaLocaleTest::SetUp();
        src_.workspace[0] = Signal({3, 7, 7, 1}, 0.5);
        src_.workspace[1] = Signal({3, 7, 7, 1}, 0.25);
        src_.workspace[2] = Signal({2, 1, 1}, 0.5);
        src_.workspace[3] = Signal({10, 20, 30, 40, 50}, 0.1);
    }
    void TearDown() override {
        CommaLocaleTest::TearDown();
    }
    Outcome Run(const std::string& f) { return Eval(f, &src_); }
    std::vector<double> Values(const std::string& f) {
        const Outcome o = Run(f);
        EXPECT_TRUE(o.ok) << f << ": " << o.error;
        return o.samples;
    }
    std::string Error(const std::string& f) { return ErrorOf(f, &src_); }

    FakeFormulaSource src_;
};

TEST_F(FormulaFunctions, RegistryNamesAndHelp) {
    const auto names = FormulaFunctionNames();
    ASSERT_EQ(names.size(), 55u);
    EXPECT_EQ(names.front(), "max");
    EXPECT_EQ(names[53], "xMax");
    EXPECT_EQ(names.back(), "spectrogram");  // after the original library's 54
    std::set<std::string> lower;
    for (std::string_view n : names) lower.insert(LowerAscii(n));
    EXPECT_EQ(lower.size(), 55u) << "a name is listed twice";
    for (const std::string& n : lower) EXPECT_NE(FindFormulaFunction(n), nullptr) << n;
    EXPECT_EQ(FindFormulaFunction("xMin"), nullptr) << "lookup takes the lower-cased word";
    EXPECT_DOUBLE_EQ(Values("XMIN(w2)+XMax(w0)").at(0), 2.0);

    // Every function button has a template that is itself a call of a known name, and its help.
    for (const FormulaButton& b : FormulaFunctionButtons()) {
        EXPECT_TRUE(lower.count(std::string(b.name))) << b.name;
        EXPECT_EQ(LowerAscii(b.insert.substr(0, b.name.size())), b.name);
        EXPECT_FALSE(b.helpText.empty()) << b.name;
    }
    EXPECT_EQ(FormulaFunctionButtons().size(), 35u);
    ASSERT_NE(FindFormulaButton("imfft"), nullptr);
    EXPECT_EQ(
        FindFormulaButton("imfft")->helpText,
        "imfft(W) - Imaginary part of the first half of the FFT of the W.\n W padding zeros to signal length "
        "will be power of 2");
    ASSERT_NE(FindFormulaButton("integ"), nullptr);
    EXPECT_EQ(FindFormulaButton("integ")->helpText, "integ(W)- - Calculates the integral of the W. ");
    ASSERT_NE(FindFormulaButton("deg"), nullptr);
    EXPECT_EQ(FindFormulaButton("deg")->helpText, "deg - 57.29577951308232087680");
    EXPECT_EQ(FindFormulaButton("smooth"), nullptr);  // no button, no help
}

TEST_F(FormulaFunctions, ButterReadsItsArgumentsInOrderAndFilters) {
    // The window's dx, then the lower and upper edge and the order (truncated) reach the filter.
    std::vector<double> expected = {10, 20, 30, 40, 50};
    ButterFormula(expected, 0.1, 0.5, 2.0, 3);
    EXPECT_EQ(Values("butter(w3,0.5,2,3.9)"), expected);
    EXPECT_EQ(Values("FLT(w3,0,1,2)").size(), 5u);
    EXPECT_EQ(Error("butter 1"), "Нет скобки '('");
    EXPECT_EQ(Error("butter(w3)"), "Ошибка");
    EXPECT_EQ(Error("butter(w3,1,2,3"), "Нет парной скобки ')'");
    EXPECT_EQ(Error("flt(w3,1,2,3,4)"), "Нет парной скобки ')'");
}

TEST_F(FormulaFunctions, ArgumentMessages) {
    struct Case {
        std::string formula;
        std::string error;
    };
    std::vector<Case> cases = {
        {"azimuth 1", "Error in formula: Expected '('"},
        {"azimuth(w0)", "Error in azimuth: wrong arguments number"},
        {"azimuth(w0,w0,w0,2", "Error in azimuth: Expected ')'"},
        {"azimuth(w0,w0,w0,2,2)", "Error in azimuth: Expected ')'"},
        {"azimuth(w0,w1,w0,2)", "Error in azimuth: arguments have different sample interval"},
        {"azimuth(w0,w0,w0,5)", "Error in azimuth: wrong sliding window length 5"},
        {"azimuth(w0,w0,w0,-1.7)", "Error in azimuth: wrong sliding window length -1"},
        {"azimuth(w0,w0,w0,0)", "Error in azimuth: wrong sliding window length 0"},
        {"planar(w0,w0)", "Error in planarity: wrong arguments number"},
        {"planar(w0,w0,w0,1", "Error in planarity: Expected ')'"},
        {"planar(w0,w0,w1,1)", "Error in planarity: arguments have different sample interval"},
        {"planar(w0,w0,w0,9)", "Error in planarity: wrong sliding window length 9"},
        {"rectilin 1", "Error in formula: Expected '('"},
        {"rectilin(w0,w0,w0)", "Error in rectilinearity: wrong arguments number"},
        {"rectilin(w0,w0,w0,1;", "Error in rectilinearity: Expected ')'"},
        {"rectilin(w1,w0,w0,1)", "Error in rectilinearity: arguments have different sample interval"},
        {"interpolate 1", "Error in formula: Expected '('"},
        {"interpolate(w0)", "Error in interpolate: wrong arguments number"},
        {"interpolate(w0,2", "Error in interpolate: Expected ')'"},
        {"interpolate(w0,0)", "Error in interpolate: wrong interpolation order 0"},
        {"smooth 1", "Error in formula: Expected '('"},
        {"smh(w0)", "Error in smooth: wrong arguments number"},
        {"smooth(w0,1", "Error in smooth: Expected ')'"},
        {"smooth(w0,-1)", "Error in smooth: wrong smoothing length -1"},
        {"gline 1", "Error in formula: expected '('"},
        {"gline(5)", "Error in formula: expected ','"},
        {"gline(5,1", "Error in GLINE arguments number"},
        {"gline(5,1 2)", "Error in GLINE arguments number"},
        {"gline(5,1,2,3,4)", "Error in GLINE arguments number"},
        {"gline(5,1,2,3,unknown)",
         "'unknown' - undefined variables or function"},  // read before the count fails
        {"gline(0,1)", "Error in gline: wrong number of samples 0"},
        {"gline(-3,1)", "Error in gline: wrong number of samples -3"},
        {"gline(1e12,1)", "Error in gline: wrong number of samples 1000000000000"},
        {"avspectrum 1", "Error in formula: expected '('"},
        {"avspectrum(w3,2)", "Error in formula: expected ','"},
        {"avspectrum(w3,2,1", "Error in formula: expected ')'"},
        {"avspectrum(w3,2,0)", "Error in avspectrum: wrong window shift 0"},
        {"avspectrum(w3,2,-4)", "Error in avspectrum: wrong window shift -4"},
        {"avspectrum(w3,0,1)", "Error in avspectrum: wrong window length 0"},
        {"avspectrum(w3,65537,1)", "Error in avspectrum: wrong window length 65537"},
        {"avspectrum(w3,5,1)", "Error in avspectrum: signal of 5 samples is too short for windows of 5"},
        {"gsin 1", "Ошибка"},
        {"gsin(4)", "Ошибка"},
        {"gsin(4,1,1,1,1)", "Нет парной скобки или к-во много аргументов > 4 в функции GSIN"},
        {"gcos(4", "Ошибка"},
        {"gcos(4,1,1,1", "Нет парной скобки или к-во много аргументов > 4 в функции GCOS"},
        {"extract 1", "Нет скобки '('"},
        {"extract(w0,1)", "Ошибка в количестве аргументов в функции EXTRACT"},
        {"extract(w0,1,2", "Нет парной скобки ')'"},
        {"extract(w0,1,0)", "Error in extract: wrong number of samples 0"},
        {"linreg 1", "Нет скобки '(' после LINREG"},
        {"linreg(w0", "Нет парной скобки ')'"},
        {"conv 1", "Нет скобки '('"},
        {"conv(w0)", "к-во много аргументов < 2 в функции CONV"},
        {"conv(w0,w0,w0)", "Нет парной скобки или к-во много аргументов > 2 в функции CONV"},
        {"kaiser 1", "Нет скобки '('"},
        {"kaiser(w0,1,2)", "Нет парной скобки или к-во много аргументов > 2 в функции KAISER"},
        {"kaiser(w0", "Нет парной скобки в функции KAISER"},
        {"kaiser(w0 1)", "Нет парной скобки в функции KAISER"},
        {"rand 1", "Ошибка"},
        {"rand(5)", "Ошибка"},
        {"rand(5,1", "Нет парной скобки в Rand"},
        {"rand(0,1)", "Error in rand: wrong number of samples 0"},
        {"dpv 1", "Нет скобки '('"},
        {"dpv(w0,0,1)", "Ошибка в количестве аргументов в функции dpv"},
        {"dpv(w0,0,1,4", "Нет парной скобки ')'"},
        {"dpv(w0,0,1,0)", "Error in dpv: wrong number of samples 0"},
        {"spectrum(gline(65537,1))", "Error in spectrum: signal of 65537 samples is longer than 65536"},
        {"fft(gline(70000,1))", "Error in spectrum: signal of 70000 samples is longer than 65536"},
        {"refft(gline(65537,1))", "Error in refft: signal of 65537 samples is longer than 65536"},
        {"imfft(gline(65537,1))", "Error in imfft: signal of 65537 samples is longer than 65536"},
        {"sin(1", "Нет парной скобки ')'"},
        {"sin(1,2)", "Нет парной скобки ')'"},
        {"sin(unknown)", "'unknown' - undefined variables or function"},
    };
    for (const char* name : {"max", "min", "mean", "sizeof", "len", "ceil", "floor", "revers", "rev", "xMin",
                             "xMax", "center", "cntr", "getdx", "dx"}) {
        cases.push_back({std::string(name) + " 1", "Ошибка"});
        cases.push_back({std::string(name) + "(w0", "Ошибка"});
        cases.push_back({std::string(name) + "(w0,w0)", "Ошибка"});
    }
    for (const char* name : {"abs",      "sqrt", "integ",     "deriv",     "lderiv", "rderiv", "log10",
                             "log",      "exp",  "hanning",   "sin",       "cos",    "tan",    "atan",
                             "spectrum", "fft",  "spectrum2", "dspectrum", "dft",    "refft",  "imfft"}) {
        cases.push_back({std::string(name) + " 1", "Нет скобки '('"});
        cases.push_back({std::string(name) + "(w0", "Нет парной скобки ')'"});
    }
    for (const Case& c : cases) EXPECT_EQ(Error(c.formula), c.error) << c.formula;

    // A count that is not a number at all is refused like any other bad count.
    EXPECT_EQ(Error("gline(sqrt(-1),1)").rfind("Error in gline: wrong number of samples ", 0), 0u);
}

TEST_F(FormulaFunctions, DocumentedCases) {
    struct Case {
        const char* formula;
        std::vector<double> expected;
        double dx;
    };
    const Case cases[] = {
        {"max(w0)", {7}, 1},
        {"xmax(w0)", {1}, 1},
        {"min(w0)", {1}, 1},
        {"xmin(w2)", {1}, 1},
        {"mean(w0)", {4.5}, 1},
        {"sizeof(w0)", {4}, 1},
        {"len(w3)", {5}, 1},
        {"getdx(w3)", {0.1}, 1},
        {"center(w0)", {-1.5, 2.5, 2.5, -3.5}, 0.5},
        {"revers(w3)", {50, 40, 30, 20, 10}, 0.1},
        {"extract(w3,1,3)", {10, 20, 30}, 0.1},
        {"extract(w3,0,3)", {0, 10, 20}, 0.1},
        {"extract(w3,5,3)", {50, 0, 0}, 0.1},
        {"extract(w3,-9,3)", {0, 0, 0}, 0.1},
        {"extract(w3,1e30,2)", {0, 0}, 0.1},
        {"integ(gline(5,0.5,0,1))", {0, 0.5, 1, 1.5, 2}, 0.5},
        {"deriv(gline(5,1)^2)", {1, 2, 4, 6, 7}, 1},
        {"lderiv(w3)", {100, 100, 100, 100}, 0.1},
        {"rderiv(w0)", {8, 0, -12}, 0.5},
        {"conv(gline(2,1,0,1),gline(2,1,0,1))", {1, 2, 1}, 1},
        {"conv(w0,w1)", {9, 42, 91, 104, 63, 14, 1}, 1},  // intervals differ: 1
        {"dpv(gline(4,0.3),0,1,4)", {0.25, 0.25, 0.25, 0.25}, 1},
        {"dpv(gline(3,0.5),0,1,2)", {1.0 / 3, 1.0 / 3}, 1},  // 1.0 equals max: in no bin
        {"dpv(w0,1,0,2)", {0, 0}, 1},                        // max below min: empty bins
        {"ceil(w3/7)", {2, 3, 5, 6, 8}, 1},
        {"floor(-w3/7)", {-2, -3, -5, -6, -8}, 1},
        {"log(gline(3,1,-1,1))", {0, -std::numeric_limits<double>::infinity(), 0}, 1},
        {"log10(gline(3,1,-7.5,10))", {1, std::log10(2.5), 0}, 1},
        {"abs(-w3)", {10, 20, 30, 40, 50}, 0.1},
        {"linreg(w3)", {10, 20, 30, 40, 50}, 0.1},
        {"gline(3,0.5)", {0, 0.5, 1}, 0.5},
        {"gline(3,0.5,4)", {0, 2, 4}, 0.5},
        {"gline(3,0.5,4,1)", {1, 3, 5}, 0.5},
    };
    for (const Case& c : cases) {
        const Outcome o = Run(c.formula);
        ASSERT_TRUE(o.ok) << c.formula << ": " << o.error;
        ASSERT_EQ(o.samples.size(), c.expected.size()) << c.formula;
        for (std::size_t i = 0; i < o.samples.size(); ++i)
            ExpectSample(o.samples[i], c.expected[i], c.formula, i);
        EXPECT_DOUBLE_EQ(o.dx, c.dx) << c.formula;
    }

    src_.workspace[9] = Signal({0, 3, 0, 3, 0}, 1);
    EXPECT_EQ(Values("smooth(w9,1)"), (std::vector<double>{0, 1, 2, 3, 0}));
    EXPECT_EQ(Values("smh(w9,0)"), (std::vector<double>{0, 3, 0, 3, 0}));
    EXPECT_EQ(Values("smooth(w9,6)"), (std::vector<double>{0, 3, 0, 3, 0}));

    const Outcome s = Run("spectrum(gline(1000,0.01))");
    EXPECT_EQ(s.samples.size(), 512u);
    EXPECT_DOUBLE_EQ(s.dx, 1.0 / (1024 * 0.01));
    EXPECT_EQ(Run("spectrum2(gline(999,0.01))").samples.size(), 500u);
    EXPECT_EQ(Run("dspectrum(gline(999,0.01))").samples.size(), 500u);
    EXPECT_EQ(Run("dspectrum(gline(999,0.01))").samples.back(), 0.0);

    // hanning of three samples pads to four and uses 2 pi i / 3.
    const std::vector<double> h = Values("hanning(gline(3,1,0,1))");
    ASSERT_EQ(h.size(), 4u);
    EXPECT_DOUBLE_EQ(h[0], 0.0);
    EXPECT_DOUBLE_EQ(h[1], 0.5 * (1 - std::cos(2 * 3.141592653589793 / 3)));
    EXPECT_DOUBLE_EQ(h[2], 0.5 * (1 - std::cos(4 * 3.141592653589793 / 3)));
    EXPECT_EQ(h[3], 0.0);
    EXPECT_EQ(Values("kaiser(w3)"), Values("kaiser(w3,7.865)"));
    EXPECT_EQ(Values("kaiser(w3)").size(), 8u);

    const std::vector<double> g = Values("gsin(4,0.25)");
    ASSERT_EQ(g.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(g[i], std::vector<double>({0, 1, 0, -1})[i], 1e-15);
    EXPECT_NEAR(Values("gcos(3,0.25,1,3.141592653589793)").at(1), 0.0, 1e-15);

    // sqrt of a negative sample is not a number; log of a negative sample is 0.
    EXPECT_TRUE(std::isnan(Values("sqrt(-4)").at(0)));
}

TEST_F(FormulaFunctions, MendedFaults) {
    // Derivatives stay exact far from the start of a long signal.
    const Outcome line = Run("deriv(gline(300000,0.01,3,7))");
    ASSERT_TRUE(line.ok);
    for (double v : line.samples) ASSERT_NEAR(v, 3.0, 1e-6);
    const Outcome wave = Run("deriv(gsin(200000,0.001,2))");
    ASSERT_TRUE(wave.ok);
    for (std::size_t i = 1; i + 1 < wave.samples.size(); i += 997)
        ASSERT_NEAR(wave.samples[i],
                    2 * 3.141592653589793 * 2 * std::cos(2 * 3.141592653589793 * 2 * 0.001 * i), 1e-3);
    // An interval of 0 gives zeros, never infinities.
    EXPECT_EQ(Values("deriv(w0+gline(4,0,1,1))"), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(Values("lderiv(w2+gline(3,0,1,1))"), (std::vector<double>{0, 0}));

    // One-sample inputs: no reading past the end, no division by zero.
    struct One {
        const char* formula;
        std::vector<double> expected;
    };
    const One ones[] = {
        {"deriv(5)", {0}},          {"lderiv(5)", {0}},        {"rderiv(5)", {0}},
        {"integ(5)", {0}},          {"spectrum(5)", {5}},      {"refft(5)", {5}},
        {"imfft(5)", {0}},          {"spectrum2(5)", {5}},     {"dspectrum(5)", {0}},
        {"linreg(5)", {5}},         {"smooth(5,1)", {5}},      {"interpolate(5,3)", {5, 5, 5}},
        {"conv(5,2)", {10}},        {"dpv(5,0,10,2)", {0, 1}}, {"hanning(5)", {0, 0}},
        {"rectilin(1,1,1,1)", {0}}, {"xmax(5)", {0}},          {"center(5)", {0}},
        {"revers(5)", {5}},
    };
    for (const One& c : ones) {
        const Outcome o = Run(c.formula);
        ASSERT_TRUE(o.ok) << c.formula << ": " << o.error;
        ASSERT_EQ(o.samples.size(), c.expected.size()) << c.formula;
        for (std::size_t i = 0; i < o.samples.size(); ++i)
            ExpectSample(o.samples[i], c.expected[i], c.formula, i);
    }
    EXPECT_EQ(Error("avspectrum(5,1,1)"),
              "Error in avspectrum: signal of 1 samples is too short for windows of 1");
    // A one-sample window has no half-length to divide by.
    EXPECT_EQ(Values("avspectrum(w3,1,1)"), (std::vector<double>{25}));  // mean |w3[0..3]| = (10+20+30+40)/4

    // A flat line cannot be fitted with a slope: the mean, not not-a-number.
    EXPECT_EQ(Values("linreg(gline(3,0,0,4))"), (std::vector<double>{4, 4, 4}));

    // Counts above the limit, also those made by padding or products, are messages.
    {
        CountLimit limit(1000);
        EXPECT_EQ(Error("gline(1001,1)"), "Error in gline: wrong number of samples 1001");
        EXPECT_EQ(Error("conv(gline(600,1),gline(600,1))"), "Error in conv: wrong number of samples 1199");
        EXPECT_EQ(Error("interpolate(gline(600,1),2)"), "Error in interpolate: wrong number of samples 1200");
        EXPECT_EQ(Error("interpolate(gline(600,1),1e6)"),
                  "Error in interpolate: wrong number of samples 600000000");
        EXPECT_EQ(Error("interpolate(gline(600,1),1e300)"),
                  "Error in interpolate: wrong number of samples 2.76701e+21");
        EXPECT_EQ(Error("hanning(gline(600,1))"), "Error in hanning: wrong number of samples 1024");
        EXPECT_EQ(Error("rand(1e300,1)"), "Error in rand: wrong number of samples 1e+300");
        EXPECT_TRUE(Run("gline(1000,1)").ok);
    }
    // An allocation the library cannot make is a message, not a crash.
    {
        CountLimit limit(std::numeric_limits<std::size_t>::max());
        EXPECT_EQ(Error("gline(4e18,1)"), "Недостаточно памяти для вычисления формулы");
    }

    // Sliding windows no longer than the shortest component are accepted.
    EXPECT_EQ(Run("azimuth(w0,w0,w0,4)").samples, (std::vector<double>{0, 0, 0, 0}));
}

// The running sum of smooth, refreshed every few thousand samples and fed from the originals it
// keeps aside, against plain sums over each window.
TEST_F(FormulaFunctions, SmoothOfALongSignalMatchesPlainAverages) {
    SeedFormulaRandom(7);
    src_.workspace[10] = Signal(Values("rand(20000,1)*1000+1e6"), 1);
    const std::vector<double> w(src_.workspace[10].Values().begin(), src_.workspace[10].Values().end());
    for (int n : {1, 7, 3000, 9999}) {
        const std::vector<double> got = Values("smooth(w10," + std::to_string(n) + ")");
        ASSERT_EQ(got.size(), w.size());
        for (std::size_t i = 0; i < w.size(); ++i) {
            double expected = w[i];
            if (i >= static_cast<std::size_t>(n) && i + n + 1 < w.size()) {
                double sum = 0;
                for (std::size_t k = i - n; k <= i + n; ++k) sum += w[k];
                expected = sum / (2 * n + 1);
            }
            ASSERT_NEAR(got[i], expected, 1e-7) << "n " << n << " sample " << i;
        }
    }
}

TEST_F(FormulaFunctions, RandomNumbersFollowTheDocumentedGenerator) {
    SeedFormulaRandom(1);
    const std::vector<int> first = {FormulaRandom(), FormulaRandom(), FormulaRandom()};
    EXPECT_EQ(first, (std::vector<int>{16838, 5758, 10113}));  // the C standard's example from seed 1
    SeedFormulaRandom(1);
    const std::vector<double> r = Values("rand(3,0.5)");
    EXPECT_EQ(r, (std::vector<double>{16838 / 32767.0, 5758 / 32767.0, 10113 / 32767.0}));
    EXPECT_EQ(Run("rand(3,0.5)").dx, 0.5);
    EXPECT_NE(Values("rand(3,1)"), r) << "the generator goes on, it is not reseeded per formula";
    const std::vector<double> many = Values("rand(20000,1)");
    EXPECT_LE(*std::max_element(many.begin(), many.end()), 1.0);
    EXPECT_GE(*std::min_element(many.begin(), many.end()), 0.0);
}

}  // namespace
}  // namespace zel::test
