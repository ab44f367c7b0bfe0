// Filtering a channel-day at 100 sps (8.64 M samples): the zero-phase band-pass of the channel
// filter at orders 4 and 10, and the filter wizard's zero-phase formula, with the peak of heap
// memory the formula holds beyond its input (peak_MB).
//
// ZEL_BENCH_SIGNAL may name a file of raw little-endian float32 samples to filter instead of the
// built-in noise (bench/compare/butter_vs_scipy.py uses it so SciPy filters the same data).

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "dsp/Butterworth.h"
#include "dsp/FormulaInterface.h"
#include "dsp/FormulaParser.h"
#include "support/HeapCounter.h"

namespace {

constexpr double kSps = 100.0;
constexpr std::size_t kDay = 8640000;

const std::vector<float>& Signal() {
    static const std::vector<float> x = [] {
        std::vector<float> s;
        if (const char* path = std::getenv("ZEL_BENCH_SIGNAL")) {
            std::ifstream in(path, std::ios::binary);
            in.seekg(0, std::ios::end);
            s.resize(static_cast<std::size_t>(in.tellg()) / sizeof(float));
            in.seekg(0);
            in.read(reinterpret_cast<char*>(s.data()),
                    static_cast<std::streamsize>(s.size() * sizeof(float)));
            if (!s.empty()) return s;
        }
        s.resize(kDay);
        std::uint32_t state = 12345;  // a small LCG: same noise on every machine
        for (std::size_t i = 0; i < kDay; ++i) {
            state = state * 1664525u + 1013904223u;
            s[i] = static_cast<float>((state >> 8) * (1.0 / 16777216.0) - 0.5) * 2000.0f +
                   static_cast<float>(500 * std::sin(0.02 * static_cast<double>(i)));
        }
        return s;
    }();
    return x;
}

void BM_ZeroPhaseBandPass(benchmark::State& state) {
    const int order = static_cast<int>(state.range(0));
    const zel::SectionCascade sections = zel::DesignButterworth(order, "BP", 1.0, 5.0, 1 / kSps);
    std::vector<float> work(Signal().size());
    for (auto _ : state) {
        state.PauseTiming();
        work = Signal();
        state.ResumeTiming();
        zel::ApplySectionsZeroPhase(work, true, sections);
        benchmark::DoNotOptimize(work.data());
    }
    state.counters["samples"] = static_cast<double>(work.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(work.size()));
}
BENCHMARK(BM_ZeroPhaseBandPass)->Arg(4)->Arg(10)->Unit(benchmark::kMillisecond);

class ChannelDay : public zel::FormulaInterface {
  public:
    ChannelDay() {
        const std::vector<float>& s = Signal();
        const std::size_t perHour = 360000;
        for (std::size_t h = 0; h * perHour < s.size(); ++h) {
            const std::size_t end = std::min(s.size(), (h + 1) * perHour);
            raw_.Append(
                zel::ZELDataBlock(1700000000.0 + static_cast<double>(h) * 3600.0, kSps,
                                  std::vector<float>(s.begin() + static_cast<std::ptrdiff_t>(h * perHour),
                                                     s.begin() + static_cast<std::ptrdiff_t>(end))));
        }
        channel_.raw = &raw_;
        channel_.spanStart = 1700000000.0;
        channel_.spanLength = static_cast<double>(s.size()) / kSps;
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

// What the filter wizard writes for a zero-phase 1-5 Hz band-pass of order 4.
void BM_WizardFormula(benchmark::State& state) {
    ChannelDay day;
    const char* formula =
        "revers(butter(revers(butter((current-mean(current)),1.000000,5.000000,4)),1.000000,5.000000,4))";
    double peakMb = 0;
    for (auto _ : state) {
        const long long before = zel::bench::StartHeapPeak();
        std::vector<float> out;
        float dx = 0;
        std::string error;
        if (!zel::EvaluateFormulaFloat(formula, "d1", out, dx, error, &day))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(out.data());
        peakMb = std::max(peakMb, static_cast<double>(zel::bench::HeapPeak() - before) / 1e6);
    }
    state.counters["peak_MB"] = peakMb;
}
BENCHMARK(BM_WizardFormula)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
