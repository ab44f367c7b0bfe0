// STA/LTA over a channel-day at 100 sps (8.64 M samples): both detectors with Tlta 10 s and 999 s,
// Tsta 1 s. The floating-point detector keeps its windows in a ring buffer, so the cost per sample
// must not grow with Tlta; peak_MB is the heap it holds beyond the input.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "dsp/StaLtaDetector.h"
#include "support/HeapCounter.h"

namespace {

constexpr double kSps = 100.0;
constexpr std::size_t kDay = 8640000;

const std::vector<float>& Day() {
    static const std::vector<float> x = [] {
        std::vector<float> s(kDay);
        std::uint32_t state = 12345;  // a small LCG: same noise on every machine
        for (std::size_t i = 0; i < s.size(); ++i) {
            state = state * 1664525u + 1013904223u;
            s[i] = static_cast<float>(static_cast<int>(state >> 20) - 2048) + (i % 360000 < 500 ? 20000.0f : 0.0f);
        }
        return s;
    }();
    return x;
}

zel::DetectorParams Params(double tlta) {
    zel::DetectorParams p;
    p.tlta = tlta;
    return p;
}

void BM_ZelDetectorDay(benchmark::State& state) {
    const auto& x = Day();
    zel::CZELDetector d;
    d.SetParams(Params(static_cast<double>(state.range(0))));
    zel::DetectParam list;
    for (auto _ : state) {
        const long long base = zel::bench::StartHeapPeak();
        zel::RunZelDetector(d, x, kSps, 0.0, list);
        state.counters["peak_MB"] = static_cast<double>(zel::bench::HeapPeak() - base) / 1e6;
        benchmark::DoNotOptimize(list.time.data());
    }
    state.counters["triggers"] = static_cast<double>(list.Size() / 2);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(x.size()));
}
BENCHMARK(BM_ZelDetectorDay)->Arg(10)->Arg(999)->Unit(benchmark::kMillisecond);

void BM_GeotechDetectorDay(benchmark::State& state) {
    const auto& x = Day();
    zel::CGeotechDetector d;
    d.SetParams(Params(static_cast<double>(state.range(0))));
    zel::DetectParam list;
    for (auto _ : state) {
        zel::RunGeotechDetector(d, x, kSps, 0.0, list);
        benchmark::DoNotOptimize(list.time.data());
    }
    state.counters["triggers"] = static_cast<double>(list.Size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(x.size()));
}
BENCHMARK(BM_GeotechDetectorDay)->Arg(10)->Arg(999)->Unit(benchmark::kMillisecond);

}  // namespace
