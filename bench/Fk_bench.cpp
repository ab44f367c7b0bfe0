// The F-K grid search over the demo array (ten channels at 100 sps): the default grid of 200 x
// 200 points on marks of 4 and 20 seconds, reported as grid points per second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/demo/DemoDiskLoop.h"
#include "dsp/Fk.h"

namespace {

std::vector<zel::FkChannel> ArrayChannels(double window) {
    std::vector<zel::FkChannel> channels;
    std::uint32_t state = 12345;  // same noise on every machine
    for (const zel::demo::DemoStation& st : zel::demo::DemoStations()) {
        if (std::string(st.refsta) != "BKA0") continue;
        zel::FkChannel c{{}, 0.0, st.sps, 5.0, 5.0 + window, st.dnorth, st.deast};
        c.samples.resize(static_cast<std::size_t>((window + 10) * st.sps));
        for (float& v : c.samples) {
            state = state * 1664525u + 1013904223u;
            v = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
        }
        channels.push_back(std::move(c));
    }
    return channels;
}

void BM_FkGridSearch(benchmark::State& state) {
    const std::vector<zel::FkChannel> channels = ArrayChannels(static_cast<double>(state.range(0)));
    const zel::FkGrid grid;
    std::size_t points = 0;
    for (auto _ : state) {
        const zel::FkResult r = zel::FkGridSearch(channels, 100.0, grid);
        benchmark::DoNotOptimize(r.best);
        points += r.points.size();
    }
    state.counters["points_per_s"] =
        benchmark::Counter(static_cast<double>(points), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FkGridSearch)->Arg(4)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
