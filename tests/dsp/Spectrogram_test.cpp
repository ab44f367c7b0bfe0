// The spectrogram against SciPy's (tests/data/spectrogram, see the README there): the power
// matrix, its times and frequencies for three segmentings, the refusals of bad parameters, and the
// formula function's band means over the same signal.

#include "dsp/Spectrogram.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dsp/FormulaTestSupport.h"

namespace zel::test {
namespace {

struct Reference {
    double dx = 0;
    std::vector<double> x;
    struct Case {
        int n = 0, overlap = 0;
        std::size_t segments = 0, bins = 0;
        double df = 0;
        std::vector<double> t, f, p;
    };
    std::vector<Case> cases;
    struct Band {
        int n = 0, overlap = 0;
        double f1 = 0, f2 = 0;
        std::vector<double> mean;
    };
    std::vector<Band> bands;
};

std::vector<double> Rest(std::istringstream& in) {
    std::vector<double> v;
    double d;
    while (in >> d) v.push_back(d);
    return v;
}

const Reference& LoadReference() {
    static const Reference ref = [] {
        Reference r;
        std::ifstream file(std::string(ZEL_TEST_DATA_DIR) + "/spectrogram/reference.txt");
        EXPECT_TRUE(file) << "tests/data/spectrogram/reference.txt is missing";
        std::string line;
        while (std::getline(file, line)) {
            std::istringstream in(line);
            in.imbue(std::locale::classic());
            std::string key;
            in >> key;
            if (key == "input") {
                std::size_t count;
                in >> r.dx >> count;
                r.x = Rest(in);
                EXPECT_EQ(r.x.size(), count);
            } else if (key == "case") {
                Reference::Case c;
                in >> c.n >> c.overlap >> c.segments >> c.bins >> c.df;
                r.cases.push_back(c);
            } else if (key == "t" || key == "f" || key == "p") {
                Reference::Case& c = r.cases.back();
                (key == "t" ? c.t : key == "f" ? c.f : c.p) = Rest(in);
            } else if (key == "band") {
                Reference::Band b;
                in >> b.n >> b.overlap >> b.f1 >> b.f2;
                b.mean = Rest(in);
                r.bands.push_back(b);
            }
        }
        return r;
    }();
    return ref;
}

// Every value within 1e-9 of itself, the smallest bins (some 1e-13 of the peak) included.
void ExpectClose(const std::vector<double>& got, const std::vector<double>& expected,
                 const std::string& what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], expected[i], 1e-9 * std::fabs(expected[i])) << what << " [" << i << "]";
}

TEST(Spectrogram, MatchesScipyForEachSegmenting) {
    const Reference& ref = LoadReference();
    ASSERT_EQ(ref.cases.size(), 3u);
    for (const Reference::Case& c : ref.cases) {
        const std::string name = "nperseg " + std::to_string(c.n) + " noverlap " + std::to_string(c.overlap);
        const Spectrogram s = ComputeSpectrogram(ref.x, ref.dx, c.n, c.overlap);
        EXPECT_EQ(s.segments, c.segments) << name;
        EXPECT_EQ(s.bins, c.bins) << name;
        EXPECT_NEAR(s.df, c.df, 1e-12) << name;
        EXPECT_NEAR(s.step, (c.n - c.overlap) * ref.dx, 1e-12) << name;
        ExpectClose(s.times, c.t, name + " t");
        std::vector<double> f;
        for (std::size_t k = 0; k < s.bins; ++k) f.push_back(s.frequency(k));
        ExpectClose(f, c.f, name + " f");
        ExpectClose(s.power, c.p, name + " power");
    }
    // 64/32 over 500 samples: 14 segments end at sample 479 and the last 20 samples are dropped.
    EXPECT_EQ(ref.cases[0].segments, 14u);
}

class SpectrogramFormula : public CommaLocaleTest {
  protected:
    void SetUp() override {
        CommaLocaleTest::SetUp();
        const Reference& ref = LoadReference();
        src_.workspace[0] = Signal(ref.x, ref.dx);
        src_.workspace[1] = Signal({1, 2, 3, 4, 5}, 0.5);
    }
    FakeFormulaSource src_;
};

TEST_F(SpectrogramFormula, BandMeansOverTheSameSignal) {
    const Reference& ref = LoadReference();
    ASSERT_EQ(ref.bands.size(), 3u);
    for (const Reference::Band& b : ref.bands) {
        std::ostringstream formula;
        formula.imbue(std::locale::classic());
        formula << "spectrogram(w0, " << b.n << ", " << b.overlap;
        // The second band spans every bin: the default without f1, f2.
        if (b.f1 > 0 || b.f2 < 25) formula << ", " << b.f1 << ", " << b.f2;
        formula << ")";
        const Outcome o = Eval(formula.str(), &src_);
        ASSERT_TRUE(o.ok) << formula.str() << ": " << o.error;
        EXPECT_NEAR(o.dx, (b.n - b.overlap) * ref.dx, 1e-12) << formula.str();
        ExpectClose(o.samples, b.mean, formula.str());
    }
}

TEST_F(SpectrogramFormula, BadParametersAreRefused) {
    CountLimit limit(100);
    const std::map<std::string, std::string> cases = {
        {"spectrogram 1", "Нет скобки '('"},
        {"spectrogram(w1, 4)", "Ошибка в количестве аргументов в функции SPECTROGRAM"},
        {"spectrogram(w1, 4, 2, 1)", "Ошибка в количестве аргументов в функции SPECTROGRAM"},
        {"spectrogram(w1, 4, 2", "Нет парной скобки или к-во много аргументов > 5 в функции SPECTROGRAM"},
        {"spectrogram(w1, 4, 2, 0, 1, 2)",
         "Нет парной скобки или к-во много аргументов > 5 в функции SPECTROGRAM"},
        {"spectrogram(w1, 1, 0)",
         "Ошибка в spectrogram: длина окна 1 вне пределов 2 .. 5 (число отсчетов сигнала)"},
        {"spectrogram(w1, 6, 0)",
         "Ошибка в spectrogram: длина окна 6 вне пределов 2 .. 5 (число отсчетов сигнала)"},
        {"spectrogram(7, 2, 0)",
         "Ошибка в spectrogram: длина окна 2 вне пределов 2 .. 1 (число отсчетов сигнала)"},
        {"spectrogram(w1, 4, 4)",
         "Ошибка в spectrogram: перекрытие 4 вне пределов 0 .. 3 (длина окна минус 1)"},
        {"spectrogram(w1, 4, -1)",
         "Ошибка в spectrogram: перекрытие -1 вне пределов 0 .. 3 (длина окна минус 1)"},
        {"spectrogram(w1, 4, 2, 0.6, 0.5)",
         "Ошибка в spectrogram: нижняя частота 0.6 Гц больше верхней 0.5 Гц"},
        {"spectrogram(w1, 4, 2, 0.1, 0.4)",
         "Ошибка в spectrogram: в полосе 0.1 .. 0.4 Гц нет частот спектра (от 0 до 1 Гц с шагом 0.5 Гц)"},
        // 500 samples in windows of 50 moved by 1: 451 windows of 26 frequencies.
        {"spectrogram(w0, 50, 49)",
         "Ошибка в spectrogram: число окон 451 × число частот 26 превышает предел 100 значений; "
         "возьмите окно длиннее или перекрытие меньше"},
    };
    for (const auto& [formula, error] : cases) EXPECT_EQ(ErrorOf(formula, &src_), error) << formula;

    // The one bad input no formula can give.
    const std::vector<double> x = {1, 2, 3, 4};
    try {
        ComputeSpectrogram(x, 0.0, 2, 0);
        ADD_FAILURE() << "a zero interval was accepted";
    } catch (const FormulaError& e) {
        EXPECT_STREQ(e.what(), "Ошибка в spectrogram: шаг по времени 0 с не положителен");
    }
    // Three bins of 0, 0.5 and 1 Hz; windows 0..3 and 2..5 would need a sixth sample: one segment.
    const Outcome one = Eval("spectrogram(w1, 4, 2, 0.5, 0.5)", &src_);
    ASSERT_TRUE(one.ok) << one.error;
    EXPECT_EQ(one.samples.size(), 1u);
}

}  // namespace
}  // namespace zel::test
