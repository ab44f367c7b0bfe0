// The function library against outputs worked out independently with NumPy and SciPy
// (tests/data/formula, see the README there).

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dsp/FormulaTestSupport.h"
#include "dsp/FunctionsGenerators.h"
#include "dsp/FunctionsWindows.h"

namespace zel::test {
namespace {

struct ReferenceCase {
    std::string formula;
    bool eachSample = false;  // tolerance relative to each sample instead of the largest
    double rtol = 0;
    double atol = 0;
    double dx = 0;
    std::vector<double> expected;
};

std::vector<double> Numbers(const std::string& text) {
    std::vector<double> v;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double x;
    while (in >> x) v.push_back(x);
    return v;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> f;
    std::size_t from = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', from);
        f.push_back(line.substr(from, tab == std::string::npos ? tab : tab - from));
        if (tab == std::string::npos) return f;
        from = tab + 1;
    }
}

double Parse(const std::string& s) { return Numbers(s).at(0); }

class FormulaReference : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/formula/reference.tsv");
        ASSERT_TRUE(in) << "tests/data/formula/reference.tsv is missing";
        std::string line;
        while (std::getline(in, line)) {
            const std::vector<std::string> f = Fields(line);
            if (f[0] == "input") {
                ASSERT_EQ(f.size(), 4u);
                source_.workspace[std::stoi(f[1].substr(1))] = Signal(Numbers(f[3]), Parse(f[2]));
            } else if (f[0] == "case") {
                ASSERT_EQ(f.size(), 7u);
                cases_.push_back(
                    {f[1], f[2] == "each", Parse(f[3]), Parse(f[4]), Parse(f[5]), Numbers(f[6])});
            }
        }
        ASSERT_GT(cases_.size(), 30u);
    }

    static void ExpectClose(const std::string& what, const std::vector<double>& got, const ReferenceCase& c) {
        ASSERT_EQ(got.size(), c.expected.size()) << what;
        double peak = 0;
        for (double e : c.expected) peak = std::max(peak, std::fabs(e));
        for (std::size_t i = 0; i < got.size(); ++i) {
            const double scale = c.eachSample ? std::fabs(c.expected[i]) : peak;
            ASSERT_NEAR(got[i], c.expected[i], c.atol + c.rtol * scale) << what << " sample " << i;
        }
    }

    FakeFormulaSource source_;
    std::vector<ReferenceCase> cases_;
};

TEST_F(FormulaReference, FunctionsMatchNumPyAndSciPy) {
    for (const ReferenceCase& c : cases_) {
        if (c.formula == "besseli0") {
            const std::size_t n = c.expected.size() / 2;
            std::vector<double> got;
            for (std::size_t i = 0; i < n; ++i) got.push_back(BesselI0(c.expected[i]));
            ReferenceCase values = c;
            values.expected.erase(values.expected.begin(), values.expected.begin() + static_cast<long>(n));
            ExpectClose("I0", got, values);
            continue;
        }
        if (c.formula.rfind("rand", 0) == 0) SeedFormulaRandom(1);
        const Outcome o = Eval(c.formula, &source_);
        ASSERT_TRUE(o.ok) << c.formula << ": " << o.error;
        EXPECT_NEAR(o.dx, c.dx, 1e-15 * c.dx) << c.formula;
        if (c.formula.rfind("azimuth", 0) == 0) {
            // An eigenvector's sign is arbitrary: azimuths agree modulo 180 degrees.
            ASSERT_EQ(o.samples.size(), c.expected.size());
            for (std::size_t i = 0; i < o.samples.size(); ++i) {
                const double d = std::remainder(o.samples[i] - c.expected[i], 180.0);
                ASSERT_NEAR(d, 0.0, c.atol) << c.formula << " sample " << i;
                EXPECT_GE(o.samples[i], 0.0);
                EXPECT_LT(o.samples[i], 360.0);
            }
            continue;
        }
        ExpectClose(c.formula, o.samples, c);
    }
}

// Every n-th sample of an interpolated signal is the input sample again, for even and odd counts
// and for counts that are not powers of two.
TEST_F(FormulaReference, InterpolationReproducesItsInput) {
    for (int w : {0, 1, 3, 4}) {
        const std::vector<double> input(source_.workspace[w].Values().begin(),
                                        source_.workspace[w].Values().end());
        for (int n : {1, 2, 3, 7}) {
            const std::string f = "interpolate(w" + std::to_string(w) + "," + std::to_string(n) + ")";
            const Outcome o = Eval(f, &source_);
            ASSERT_TRUE(o.ok) << f << ": " << o.error;
            ASSERT_EQ(o.samples.size(), input.size() * static_cast<std::size_t>(n)) << f;
            for (std::size_t i = 0; i < input.size(); ++i)
                ASSERT_NEAR(o.samples[i * static_cast<std::size_t>(n)], input[i], 1e-11)
                    << f << " sample " << i;
        }
    }
}

}  // namespace
}  // namespace zel::test
