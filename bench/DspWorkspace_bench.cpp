// The DSP workspace on an hour at 100 sps (360 000 samples): the cascade through all 64 windows
// chained one on the next, and the data-file text of that hour written and read back.

#include <benchmark/benchmark.h>

#include <string>

#include "dsp/DspDataFile.h"
#include "dsp/DspWorkspace.h"

namespace {

constexpr const char* kHour = "gsin(360000, 0.01, 1.3, 0)";

void BM_CascadeThroughSixtyFourWindows(benchmark::State& state) {
    zel::DspWorkspace ws(zel::kDspMaxWindows);
    ws.setFormula(0, kHour);
    for (int i = 1; i < ws.size(); ++i) ws.setFormula(i, "w" + std::to_string(i - 1) + "*1.01+1");
    for (auto _ : state) benchmark::DoNotOptimize(ws.cascade(0));
    state.SetItemsProcessed(state.iterations() * ws.size() * 360000);
}
BENCHMARK(BM_CascadeThroughSixtyFourWindows)->Unit(benchmark::kMillisecond);

void BM_DataFileTextRoundTrip(benchmark::State& state) {
    zel::DspWorkspace ws(1);
    ws.setFormula(0, kHour);
    ws.cascade(0);
    const auto samples = ws.window(0).signal->Values();
    for (auto _ : state) benchmark::DoNotOptimize(zel::ParseDataText(zel::DataFileText(samples)));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(samples.size()));
}
BENCHMARK(BM_DataFileTextRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
