// Writing an event out: the CSS 3.0 rows and text lines of a large event (picks on every station
// of a big network), and the HTML and text report of a month of events with their phase tables.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "formats/CssEventRows.h"
#include "formats/EventReport.h"

namespace {

constexpr double kT0 = 1615896000.0;

std::vector<zel::CssPick> Picks(int count) {
    std::vector<zel::CssPick> picks(count);
    for (int i = 0; i < count; ++i) {
        zel::CssPick& p = picks[i];
        p.sta = "ST" + std::to_string(i % 1000);
        p.chan = "SHZ";
        p.phase = i % 2 ? "S" : "P";
        p.time = kT0 + 60.0 + i;
        p.hasAmplitude = true;
        p.amplitude = 0.5 + i % 7;
        p.period = 1.0;
        p.ampTime = p.time + 0.5;
        p.firstMotion = "U";
        p.onset = "I";
        p.included = true;
        p.residual = 0.1;
        p.arid = i + 1;
        p.mb = 4.5;
        p.staLat = 40.0 + i % 30;
        p.staLon = 10.0 + i % 90;
    }
    return picks;
}

void BM_CssTextLinesOfOneEvent(benchmark::State& state) {
    const std::vector<zel::CssPick> picks = Picks(static_cast<int>(state.range(0)));
    zel::CssHypocentre h;
    h.valid = true;
    h.lat = 52.5;
    h.lon = 158.3;
    h.depth = 33;
    h.time = kT0;
    for (auto _ : state) {
        const zel::CssEvent rows =
            zel::BuildCssEvent(h, 1, picks, zel::CssTarget::TextTables, zel::CountingKeys());
        std::string text = zel::CssOriginLine(rows.origin, "12:00:00 16.03.21");
        for (const auto& a : rows.arrivals) text += zel::CssArrivalLine(a, "12:00:00 16.03.21");
        for (const auto& a : rows.assocs) text += zel::CssAssocLine(a, "12:00:00 16.03.21");
        for (const auto& a : rows.stamags) text += zel::CssStamagLine(a, "12:00:00 16.03.21");
        for (const auto& a : rows.amplitudes) text += zel::CssAmplitudeLine(a, "12:00:00 16.03.21");
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CssTextLinesOfOneEvent)->Arg(100)->Arg(2000);

zel::Report MonthOfEvents(int events, int phases) {
    zel::Report report;
    report.start = kT0;
    report.end = kT0 + 30 * 86400.0;
    report.withPhases = true;
    for (int e = 0; e < events; ++e) {
        zel::ReportEvent event;
        event.eventId = "20210316" + std::to_string(100000 + e);
        event.comment = "Камчатка <глубокое> & \"сильное\"";
        event.lat = 52.5;
        event.lon = 158.3;
        event.depth = 33;
        event.originTime = kT0 + e * 2000.0;
        for (int p = 0; p < phases; ++p) {
            zel::ReportPhase phase;
            phase.sta = "OBN";
            phase.chan = "SHZ";
            phase.phase = "P";
            phase.time = *event.originTime + 60 + p;
            phase.amplitude = 1.5;
            phase.period = 0.8;
            phase.mb = 4.9;
            phase.residual = 0.2;
            event.phases.push_back(phase);
        }
        report.events.push_back(std::move(event));
    }
    return report;
}

void BM_ReportHtml(benchmark::State& state) {
    const zel::Report report = MonthOfEvents(1000, 20);
    for (auto _ : state) benchmark::DoNotOptimize(zel::ReportHtml(report));
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ReportHtml)->Unit(benchmark::kMillisecond);

void BM_ReportText(benchmark::State& state) {
    const zel::Report report = MonthOfEvents(1000, 20);
    for (auto _ : state) benchmark::DoNotOptimize(zel::ReportText(report));
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ReportText)->Unit(benchmark::kMillisecond);

}  // namespace
