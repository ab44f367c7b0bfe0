// Locating a 30-pick event (P and S at 15 stations of the demo network, true arrival times) on
// the shipped IASP91 curves: both methods from a start a few tens of kilometres off, and with the
// 2-degree grid over the whole Earth in front (16471 misfits of 30 picks each).
//
// Counter: misfits_per_s is the rate of travel-time lookups divided by the 30 picks, i.e. of
// misfit evaluations (the least-squares steps make their lookups for the derivatives instead).

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/ConfigPaths.h"
#include "config/ResourceDir.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/Locator.h"
#include "events/PhaseCatalogue.h"

namespace {

struct Setup {
    zel::PhaseCatalogue catalogue;
    std::vector<zel::Observation> observations;
};

const Setup& ThirtyPicks() {
    static const Setup setup = [] {
        Setup s;
        const std::string resources = zel::FindResourceDir(zel::ExecutableDirectory());
        if (resources.empty()) std::abort();  // run from a build folder of the source tree
        s.catalogue.Load(resources + "/traveltimes/iasp91/", "");
        const auto& stations = zel::demo::DemoStations();
        for (const zel::demo::DemoArrival& a : zel::demo::DemoArrivals(resources)) {
            if (a.event != 0 || a.phase == "pP" || s.observations.size() == 30) continue;
            for (const auto& st : stations) {
                if (a.station != st.code) continue;
                const double km = 111.1953;
                zel::Observation o;
                o.lat = st.lat + st.dnorth / km;
                o.lon = st.lon + st.deast / (km * std::cos(st.lat * M_PI / 180.0));
                o.phase = s.catalogue.IndexOf(a.phase);
                o.time = a.time;
                s.observations.push_back(o);
            }
        }
        if (s.observations.size() != 30) std::abort();
        return s;
    }();
    return setup;
}

void Locate(benchmark::State& state, bool svd, bool grid) {
    const Setup& s = ThirtyPicks();
    const zel::demo::DemoEvent& truth = zel::demo::DemoEvents()[0];
    zel::LocationStart start{truth.lat + 0.3, truth.lon - 0.4, 33.0, truth.origin + 5.0};
    start.gridSearch = grid;
    long long misfits = 0;
    const zel::TravelTimeFunction tt = zel::CatalogueTravelTimes(s.catalogue);
    const zel::TravelTimeFunction counted = [&](int phase, double depth, double distance) {
        ++misfits;
        return tt(phase, depth, distance);
    };
    for (auto _ : state) {
        zel::Locator locator(s.observations, counted);
        const zel::LocationResult r = svd ? locator.LocateSvd(start) : locator.LocateDescent(start);
        benchmark::DoNotOptimize(r);
    }
    state.counters["misfits_per_s"] =
        benchmark::Counter(static_cast<double>(misfits) / 30.0, benchmark::Counter::kIsRate);
}

void BM_LocateDescent(benchmark::State& state) { Locate(state, false, false); }
void BM_LocateDescentGrid(benchmark::State& state) { Locate(state, false, true); }
void BM_LocateSvd(benchmark::State& state) { Locate(state, true, false); }
void BM_LocateSvdGrid(benchmark::State& state) { Locate(state, true, true); }

BENCHMARK(BM_LocateDescent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateDescentGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateSvd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateSvdGrid)->Unit(benchmark::kMillisecond);

}  // namespace
