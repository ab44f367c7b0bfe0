// The swing search behind the amplitude-and-period measurement: its Fourier step is a direct
// quadratic sum over the marked samples, so the time grows with the square of the mark. Marks of
// 5 s (the pick dialog's automatic option) to a minute at 100 samples per second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "wave/AmplitudeMeasurement.h"

namespace {

void BM_LargestSwing(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / 100.0;
        x[i] = static_cast<float>(std::exp(-t / 3) * std::sin(2 * std::numbers::pi * 1.3 * t) +
                                  0.1 * std::sin(2 * std::numbers::pi * 0.2 * t));
    }
    for (auto _ : state) benchmark::DoNotOptimize(zel::FindLargestSwing(x, 0.01));
    state.SetComplexityN(static_cast<benchmark::IterationCount>(n));
}
BENCHMARK(BM_LargestSwing)->Arg(500)->Arg(1000)->Arg(2000)->Arg(6000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
