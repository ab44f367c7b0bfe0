// Travel-time lookups on the shipped IASP91 curves, as location calls them thousands of times:
// one TravelTime, the inverse searches, and loading the whole catalogue when the model changes.
//
// Counter: allocs_per_call is the number of heap allocations one call makes (a lookup makes none).

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "config/ConfigPaths.h"
#include "config/ResourceDir.h"
#include "events/PhaseCatalogue.h"
#include "events/TravelTimeModels.h"

namespace {

std::atomic<long long> g_allocations{0};

const zel::PhaseCatalogue& Iasp91() {
    static const zel::PhaseCatalogue catalogue = [] {
        zel::PhaseCatalogue c;
        const std::vector<zel::TravelTimeModel> models =
            zel::ShippedTravelTimeModels(zel::FindResourceDir(zel::ExecutableDirectory()));
        if (models.empty()) std::abort();  // run from a build folder of the source tree
        c.Load(models[0].dir, "");
        return c;
    }();
    return catalogue;
}

struct Point {
    float depth, distance;
};

std::vector<Point> RandomPoints(float maxDistance) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> depth(0, 700), distance(0, maxDistance);
    std::vector<Point> points(4096);
    for (Point& p : points) p = {depth(random), distance(random)};
    return points;
}

void BM_TravelTime(benchmark::State& state) {
    const zel::PhaseCatalogue& c = Iasp91();
    const int p = c.IndexOf("P");
    const std::vector<Point> points = RandomPoints(98);
    std::size_t i = 0;
    const long long before = g_allocations;
    for (auto _ : state) {
        const Point& pt = points[i++ & 4095];
        benchmark::DoNotOptimize(c.TravelTime(p, pt.depth, pt.distance));
    }
    state.counters["allocs_per_call"] = double(g_allocations - before) / double(state.iterations());
}
BENCHMARK(BM_TravelTime);

void BM_DistanceForTime(benchmark::State& state) {
    const zel::PhaseCatalogue& c = Iasp91();
    const int p = c.IndexOf("P");
    std::vector<std::pair<float, float>> queries;
    for (const Point& pt : RandomPoints(95))
        queries.emplace_back(pt.depth, c.TravelTime(p, pt.depth, pt.distance));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [depth, time] = queries[i++ & 4095];
        benchmark::DoNotOptimize(c.DistanceForTime("P", time, depth));
    }
}
BENCHMARK(BM_DistanceForTime);

void BM_DistanceForDifference(benchmark::State& state) {
    const zel::PhaseCatalogue& c = Iasp91();
    const int p = c.IndexOf("P"), s = c.IndexOf("S");
    std::vector<std::pair<float, float>> queries;
    for (const Point& pt : RandomPoints(95))
        queries.emplace_back(pt.depth,
                             c.TravelTime(s, pt.depth, pt.distance) - c.TravelTime(p, pt.depth, pt.distance));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [depth, dt] = queries[i++ & 4095];
        benchmark::DoNotOptimize(c.DistanceForDifference("S", "P", dt, depth));
    }
}
BENCHMARK(BM_DistanceForDifference);

void BM_LoadCatalogue(benchmark::State& state) {
    const std::vector<zel::TravelTimeModel> models = zel::ShippedTravelTimeModels(zel::FindResourceDir(zel::ExecutableDirectory()));
    for (auto _ : state) {
        zel::PhaseCatalogue c;
        c.Load(models.at(0).dir, "");
        benchmark::DoNotOptimize(c.Count());
    }
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

// Out of line, so the compiler does not pair this free() with the malloc() of operator new.
[[gnu::noinline]] void* operator new(std::size_t n) {
    ++g_allocations;
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    if (p != nullptr) std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
