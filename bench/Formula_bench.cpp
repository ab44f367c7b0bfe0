// A channel formula over a channel-day at 100 sps (8.64 M samples, 24 one-hour blocks): time
// per evaluation and the peak of heap memory the evaluation holds beyond its input.
//
// Counters: peak_MB is the largest amount of heap in use during one evaluation above what was
// in use before it; channel_copies is that peak in units of one double copy of the channel
// (69 MB), the least any formula that names "current" needs.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "dsp/FormulaInterface.h"
#include "dsp/FormulaParser.h"
#include "support/HeapCounter.h"

namespace {

constexpr double kSps = 100.0;
constexpr int kHours = 24;
constexpr double kStart = 1700000000.0;

class ChannelDay : public zel::FormulaInterface {
  public:
    ChannelDay() {
        const int perHour = static_cast<int>(3600 * kSps);
        for (int h = 0; h < kHours; ++h) {
            std::vector<float> s(static_cast<std::size_t>(perHour));
            for (int i = 0; i < perHour; ++i) {
                const double t = (h * perHour + i) / kSps;
                s[static_cast<std::size_t>(i)] =
                    static_cast<float>(1000.0 * std::sin(0.7 * t) + 300.0 * std::sin(13.1 * t) + 50.0);
            }
            raw_.Append(zel::ZELDataBlock(kStart + h * 3600.0, kSps, std::move(s)));
        }
        channel_.raw = &raw_;
        channel_.spanStart = kStart;
        channel_.spanLength = kHours * 3600.0;
    }
    const zel::FormulaChannel* ChannelByNumber(int n) override { return n == 1 ? &channel_ : nullptr; }
    const zel::FormulaChannel* ChannelByCode(const std::string&, const std::string&) override {
        return nullptr;
    }
    const zel::SignalVector* WorkspaceSignal(int) override { return nullptr; }

  private:
    zel::ZELDataBlockArray raw_;
    zel::FormulaChannel channel_;
};

ChannelDay& Day() {
    static ChannelDay day;
    return day;
}

const char* const kFormula =
    "sqrt(abs(deriv(current-mean(current))*0.5+integ(center(current))/sizeof(current)))+smooth(current,5)^2";

void Report(benchmark::State& state, long long peak) {
    const double channelBytes = kHours * 3600.0 * kSps * sizeof(double);
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["channel_copies"] = static_cast<double>(peak) / channelBytes;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(kHours * 3600 * kSps));
}

// The channel-formula form: "current" is d1 and the result comes back as floats.
void BM_ChannelFormula(benchmark::State& state, const char* formula) {
    ChannelDay& day = Day();
    long long peak = 0;
    for (auto _ : state) {
        const long long base = zel::bench::StartHeapPeak();
        std::vector<float> out;
        float dx = 0;
        std::string error;
        if (!zel::EvaluateFormulaFloat(formula, "d1", out, dx, error, &day))
            state.SkipWithError(error.c_str());
        if (out.size() != static_cast<std::size_t>(kHours * 3600 * kSps)) state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(out.data());
        peak = std::max(peak, zel::bench::HeapPeak() - base);
    }
    Report(state, peak);
}

}  // namespace

// The channel alone (laying the blocks out and one operator), then a formula of several operators
// and functions.
BENCHMARK_CAPTURE(BM_ChannelFormula, one_operator, "current*2")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ChannelFormula, several_functions, kFormula)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
