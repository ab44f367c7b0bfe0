// Filtering the active panes, as the filter sheet does: 24 panes of one channel-hour at 100 sps
// band-passed side by side on the machine's cores, and the same panes one after another.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/MessageSink.h"
#include "session/AppContext.h"
#include "session/PaneTransformation.h"
#include "wave/FilterSettings.h"
#include "wave/TracePane.h"

namespace {

constexpr double kSps = 100.0;
constexpr double kStart = 1700000000.0;
constexpr std::size_t kPanes = 24, kHour = 360000;

std::vector<zel::TracePane> HourPanes() {
    std::vector<zel::TracePane> panes;
    std::uint32_t state = 12345;  // a small LCG: same noise on every machine
    for (std::size_t p = 0; p < kPanes; ++p) {
        std::vector<float> x(kHour);
        for (std::size_t i = 0; i < kHour; ++i) {
            state = state * 1664525u + 1013904223u;
            x[i] = static_cast<float>((state >> 8) * (1.0 / 16777216.0) - 0.5) * 2000.0f +
                   static_cast<float>(500 * std::sin(0.02 * static_cast<double>(i)));
        }
        zel::ZELDataBlockArray data;
        data.blocks.emplace_back(kStart, kSps, std::move(x));
        zel::PaneChannel channel;
        channel.nominalSps = kSps;
        panes.emplace_back(static_cast<int>(p) + 1, channel, kStart, 3600.0);
        panes.back().setData(std::move(data));
    }
    return panes;
}

zel::Transformation BandPass() {
    zel::ChannelFilterSettings s;
    s.type = 0, s.low = 1, s.high = 5, s.order = 4, s.zeroPhase = true;
    return zel::Transformation::Filtered(s);
}

void BM_FilterActivePanesSideBySide(benchmark::State& state) {
    const std::vector<zel::TracePane> panes = HourPanes();
    std::vector<const zel::TracePane*> targets;
    for (const zel::TracePane& p : panes) targets.push_back(&p);
    zel::RecordingMessageSink messages;
    zel::AppContext context({}, {}, messages);
    const zel::Transformation how = BandPass();
    for (auto _ : state) {
        std::vector<zel::PaneTransformOutcome> outcomes = zel::TransformPanes(context, targets, how, nullptr);
        benchmark::DoNotOptimize(outcomes.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPanes * kHour));
}
BENCHMARK(BM_FilterActivePanesSideBySide)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FilterActivePanesOneByOne(benchmark::State& state) {
    const std::vector<zel::TracePane> panes = HourPanes();
    const zel::Transformation how = BandPass();
    for (auto _ : state) {
        for (const zel::TracePane& p : panes) {
            zel::TransformedSignal t =
                zel::FilterPaneSignal(p.data(), p.start(), p.duration(), kSps, how.filter);
            benchmark::DoNotOptimize(t.samples.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPanes * kHour));
}
BENCHMARK(BM_FilterActivePanesOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
