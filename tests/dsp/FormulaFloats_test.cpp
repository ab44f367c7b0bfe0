// A formula that works sample by sample is evaluated over the channel a stretch at a time; its
// floats and interval must be those of the whole evaluation bit for bit, NaN and infinities
// included, and any other formula keeps the whole evaluation.

#include "dsp/FormulaFloats.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "FormulaTestSupport.h"

namespace zel {
namespace {

std::vector<std::uint32_t> Bits(const std::vector<float>& x) {
    std::vector<std::uint32_t> bits;
    for (float v : x) bits.push_back(std::bit_cast<std::uint32_t>(v));
    return bits;
}

TEST(FormulaFloats, StretchesGiveTheWholeEvaluationBitForBit) {
    // Three stretches and a last one of a lone sample, which the language takes for a number; two
    // blocks with a gap of zeros between them, the second running past the span's end.
    constexpr double kStart = 1371211200.0, kSps = 100.0;
    constexpr std::size_t kCount = 3 * 16384 + 1;
    ZELDataBlockArray raw;
    std::vector<float> a(20000), b(30000);
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = static_cast<float>(1000.0 * std::sin(0.003 * i) - 200.0);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<float>(i % 97) * 0.37f - 9.0f;
    raw.blocks.emplace_back(kStart, kSps, a);
    raw.blocks.emplace_back(kStart + 250.0, kSps, b);
    test::FakeFormulaSource source;
    source.channels[1] = FormulaChannel{&raw, kStart, kCount / kSps, {}, 0.0, std::nullopt};

    const char* const formulas[] = {
        // sample by sample
        "current*2", "sqrt(current)+1", "-current^2/3", "log10(current)%7", "floor(current/100)*pi",
        "current/current", "(current-1)*(current+1)", "exp(current/1e4)^-0.5", "abs(sin(current))*deg",
        // whole: a function over all samples, "^" by the first sample, another variable
        "current-mean(current)", "2^current", "current^current", "deriv(current)*e", "current*d1"};
    for (const char* formula : formulas) {
        SCOPED_TRACE(formula);
        FormulaParser parser(formula, &source, "d1");
        const SignalVector whole = parser.Evaluate();
        std::vector<float> expected(whole.Values().begin(), whole.Values().end());
        double dx = 0;
        const std::vector<float> got = FormulaFloats(formula, "d1", &source, dx);
        EXPECT_EQ(Bits(got), Bits(expected));
        EXPECT_EQ(dx, whole.dx);
    }
    // A fault reads as it does in the whole evaluation.
    for (const char* formula : {"current*(", "sqrt(current,2)", "current*nosuch"}) {
        std::string wholeError, stretchError;
        try {
            FormulaParser(formula, &source, "d1").Evaluate();
        } catch (const FormulaError& e) {
            wholeError = e.what();
        }
        try {
            double dx = 0;
            FormulaFloats(formula, "d1", &source, dx);
        } catch (const FormulaError& e) {
            stretchError = e.what();
        }
        EXPECT_FALSE(wholeError.empty()) << formula;
        EXPECT_EQ(stretchError, wholeError) << formula;
    }
}

TEST(FormulaFloats, OnlyFormulasOfCurrentAloneSampleBySampleGoByStretches) {
    const std::pair<const char*, bool> cases[] = {
        {"current*2", true},          {"sqrt(abs(current))+pi", true},
        {"floor(current)%e", true},   {"current^-0.5", true},
        {"(current)^2", true},        {"2^current", false},
        {"current^current", false},   {"current^2^current", false},
        {"current^(2)", false},       {"mean(current)", false},
        {"smooth(current,5)", false}, {"current*d2", false},
        {"current*2;w1", false},      {"3*4", false},
        {"current*#", false},
    };
    for (const auto& [formula, expected] : cases)
        EXPECT_EQ(WorksSampleBySample(formula), expected) << formula;
}

}  // namespace
}  // namespace zel
