// Filter presets in the registry store, the page check, the caption text and filtering a pane.

#include "wave/FilterSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "dsp/Butterworth.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"
#include "support/TempDir.h"

namespace zel {
namespace {

TEST(FilterPresets, StoreReadBackDefaultsAndDelete) {
    test::TempDir dir;
    PrivateProfile reg(dir.file("registry.ini"));
    ChannelFilterSettings s;
    s.lowText = "0.05", s.highText = "2.5", s.low = 0.05f, s.high = 2.5f, s.type = 3, s.order = 7;
    s.zeroPhase = false;
    SaveFilterPreset(reg, "Микросейсмы", s);
    SaveFilterPreset(reg, "second", ChannelFilterSettings{});
    EXPECT_EQ(FilterPresetNames(reg), (std::vector<std::string>{"Микросейсмы", "second"}));
    EXPECT_EQ(LoadFilterPreset(reg, "Микросейсмы"), s);

    // Hand-edited values: missing or unknown type is band-pass, lower-case "true" is not zero phase.
    reg.writeString("ZEL\\Butter Filter\\odd", "FilterType", "XX");
    reg.writeString("ZEL\\Butter Filter\\odd", "ZeroPhase", "true");
    reg.writeString("ZEL\\Butter Filter\\odd", "Low", "2");
    reg.writeString("ZEL\\Filter\\set\\other", "Low", "9");  // another family of keys
    const ChannelFilterSettings odd = LoadFilterPreset(reg, "odd");
    EXPECT_EQ(odd.type, 0);
    EXPECT_FALSE(odd.zeroPhase);
    EXPECT_EQ(odd.low, 2.0f);
    EXPECT_EQ(odd.highText, "1.4");
    EXPECT_EQ(odd.order, 3);
    EXPECT_EQ(FilterPresetNames(reg).size(), 3u);

    DeleteFilterPreset(reg, "second");
    EXPECT_EQ(FilterPresetNames(reg), (std::vector<std::string>{"Микросейсмы", "odd"}));
    EXPECT_EQ(LoadFilterPreset(reg, "second"), ChannelFilterSettings{});

    for (const std::string& bad :
         {std::string(), std::string(129, 'x'), std::string("a]b"), std::string("a\\b")})
        EXPECT_THROW(SaveFilterPreset(reg, bad, s), ZelError) << bad;
    EXPECT_NO_THROW(SaveFilterPreset(reg, std::string(128, 'x'), s));
}

TEST(FilterPresets, PageCheckAndCaption) {
    ChannelFilterSettings s;
    EXPECT_FALSE(ValidateFilterPage(s));
    s.low = 0.9f, s.high = 0.5f;  // same whole part, still an inverted band
    EXPECT_TRUE(ValidateFilterPage(s));
    s.type = 1;  // low-pass ignores the lower edge
    EXPECT_FALSE(ValidateFilterPage(s));
    s.order = 11;
    EXPECT_TRUE(ValidateFilterPage(s));

    ChannelFilterSettings c;
    EXPECT_EQ(TransformationCaption(c), "Полосовой 0.7-1.4 Гц, порядок 3, нулевая фаза");
    c.type = 1, c.zeroPhase = false;
    EXPECT_EQ(TransformationCaption(c), "ФНЧ 1.4 Гц, порядок 3");
    c.type = 1015;
    EXPECT_EQ(TransformationCaption(c), "Симуляция Wood-Anderson с использованием АЧХ");
}

ZELDataBlockArray Blocks(double start, double sps, std::size_t n, double gapAt = -1) {
    ZELDataBlockArray a;
    std::vector<float> first, second;
    for (std::size_t i = 0; i < n; ++i) {
        const float v = static_cast<float>(100 + 50 * std::sin(2 * std::numbers::pi * 3 * i / sps));
        (gapAt >= 0 && i / sps >= gapAt ? second : first).push_back(v);
    }
    a.Append(ZELDataBlock(start, sps, first));
    // The second block starts one second after the first ends: a gap.
    if (!second.empty()) a.Append(ZELDataBlock(start + gapAt + 1, sps, second));
    return a;
}

TEST(PaneFilter, ClampsTheUpperEdgeAndRefusesAnEmptyBand) {
    const double start = 1e9, sps = 20;
    const ZELDataBlockArray data = Blocks(start, sps, 200);
    ChannelFilterSettings s;
    s.type = 0, s.low = 1, s.high = 15, s.order = 4;
    const TransformedSignal t = FilterPaneSignal(data, start, 10.7, sps, s);
    ASSERT_EQ(t.samples.size(), 200u);  // trunc(10.7) s at 20 sps
    std::vector<float> expected = PaneSamples(data, start, 10, sps);
    double mean = 0;
    for (float v : expected) mean += v;
    for (float& v : expected) v = static_cast<float>(v - mean / 200);
    FilterSamples(expected, 1 / sps, 0, 4, 1, 9.9, true);  // 15 Hz held to 9.9 Hz
    for (std::size_t i = 0; i < 200; ++i) ASSERT_NEAR(t.samples[i], expected[i], 1e-4) << i;
    EXPECT_EQ(t.code(), 0);
    EXPECT_EQ(t.sps, sps);

    for (auto [type, low] : {std::pair{0, 9.95f}, std::pair{3, 10.0f}, std::pair{4, 1.0f}}) {
        s.type = type, s.low = low;
        EXPECT_THROW(FilterPaneSignal(data, start, 10, sps, s), ZelError) << type << " " << low;
    }
    EXPECT_THROW(FilterPaneSignal(data, start + 3600, 10, sps, s), ZelError);  // no samples there
}

TEST(PaneFilter, GapsTakeTheMeanNotZeros) {
    const double start = 1e9, sps = 10;
    const std::vector<float> x = PaneSamples(Blocks(start, sps, 100, 5), start, 12, sps);
    ASSERT_EQ(x.size(), 120u);
    double sum = 0;
    for (std::size_t i = 0; i < 50; ++i) sum += x[i];
    for (std::size_t i = 60; i < 110; ++i) sum += x[i];
    const double mean = sum / 100;
    for (std::size_t i : {50u, 55u, 59u, 110u, 119u}) EXPECT_NEAR(x[i], mean, 1e-3) << i;
    EXPECT_FLOAT_EQ(x[60], static_cast<float>(100 + 50 * std::sin(2 * std::numbers::pi * 3 * 50 / sps)));
}

// A window of 10 samples at 10 Hz over hand-placed blocks; -1 in `grid` stands for the mean of
// the covered samples. The kept and the given-up forms must place alike.
TEST(PaneFilter, BlocksPlacedOnTheGridKeptOrGivenUp) {
    const double start = 1e9, sps = 10;
    struct Block {
        double offset, rate;
        std::vector<float> samples;
    };
    struct Case {
        const char* layout;
        std::vector<Block> blocks;
        std::vector<float> grid;
        float mean;
    };
    const std::vector<Case> cases = {
        {"from the start, short", {{0, sps, {0, 1, 2, 3, 4}}}, {0, 1, 2, 3, 4, -1, -1, -1, -1, -1}, 2},
        {"from before the start",
         {{-0.2, sps, {0, 1, 2, 3, 4, 5}}},
         {2, 3, 4, 5, -1, -1, -1, -1, -1, -1},
         3.5},
        {"longer than the window",
         {{-0.1, sps, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         0},
        {"after the start", {{0.3, sps, {0, 1, 2}}}, {-1, -1, -1, 0, 1, 2, -1, -1, -1, -1}, 1},
        {"a SAC float delta's rate",
         {{0, sps * (1 + 2e-9), {0, 1, 2, 3, 4}}},
         {0, 1, 2, 3, 4, -1, -1, -1, -1, -1},
         2},
        {"off the grid's rate", {{0, 3, {0, 1, 2, 3}}}, {0, -1, -1, 1, -1, -1, -1, 2, -1, -1}, 1},
        {"a later block takes only what is free",
         {{0, sps, {0, 1, 2}}, {0.2, sps, {10, 11, 12, 13}}},
         {0, 1, 2, 11, 12, 13, -1, -1, -1, -1},
         6.5},
    };
    for (const Case& c : cases) {
        ZELDataBlockArray data;
        for (const Block& b : c.blocks) data.blocks.emplace_back(start + b.offset, b.rate, b.samples);
        std::vector<float> expected = c.grid;
        for (float& v : expected)
            if (v == -1) v = c.mean;
        EXPECT_EQ(PaneSamples(data, start, 1, sps), expected) << c.layout;
        EXPECT_EQ(PaneSamples(std::move(data), start, 1, sps), expected) << c.layout;
        EXPECT_TRUE(data.blocks.empty()) << c.layout;  // NOLINT(bugprone-use-after-move): it says so
    }
}

// Peak of the middle half of what the wizard's formula makes of a sine of f Hz at 100 sps.
double WizardGain(const std::string& formula, double f) {
    std::string text = formula;
    const std::string sine = "gsin(4000,0.01," + std::to_string(f) + ",0)";
    for (std::size_t at; (at = text.find("current")) != std::string::npos;) text.replace(at, 7, sine);
    SignalVector out;
    std::string error;
    EXPECT_TRUE(EvaluateFormula(text, out, error)) << error;
    double peak = 0;
    for (std::size_t i = 1000; i < 3000 && i < out.Count(); ++i) peak = std::max(peak, std::abs(out[i]));
    return peak;
}

TEST(FilterWizard, FormulasOfEachTypeAndAWorkingBandReject) {
    EXPECT_EQ(FilterWizardFormula(0, 1, 5, 3, false), "butter((current-mean(current)),1.000000,5.000000,3)");
    EXPECT_EQ(
        FilterWizardFormula(1, 1, 5, 3, true),
        "revers(butter(revers(butter((current-mean(current)),0.000000,5.000000,3)),0.000000,5.000000,3))");
    EXPECT_EQ(FilterWizardFormula(3, 1, 5, 3, false), "butter((current-mean(current)),1.000000,0.000000,3)");
    for (bool zeroPhase : {false, true}) {
        const std::string br = FilterWizardFormula(2, 2, 10, 4, zeroPhase);
        EXPECT_GT(WizardGain(br, 0.5), 0.9) << br;
        EXPECT_GT(WizardGain(br, 30), 0.9) << br;
        EXPECT_LT(WizardGain(br, 4.5), 0.05) << br;
    }
}

}  // namespace
}  // namespace zel
