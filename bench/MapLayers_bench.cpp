// The map rebuilds its picture after every zoom or shift: the coastline segments of the whole
// file, one azimuth line pair per pick with an azimuth (2 x 7199 great-circle points) and a
// distance circle per estimated station. A synthetic coastline of the size of the converted
// GSHHS file (about 7000 points in lines of 50) stands in for map.pnt.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "map/BinnedLines.h"
#include "map/Coastline.h"
#include "map/GreatCircle.h"

namespace {

std::vector<zel::CoastPoint> SyntheticCoastline(int points) {
    std::vector<zel::CoastPoint> coast;
    for (int i = 0; i < points; ++i) {
        const double t = i * 0.05;
        coast.push_back({static_cast<std::int16_t>(i % 50 == 0 ? zel::kCoastlineStartCode : 1),
                         60.0 * std::sin(t * 0.37), zel::NormalizeLongitude(i * 0.3)});
    }
    return coast;
}

void BM_CoastlineSegments(benchmark::State& state) {
    const std::vector<zel::CoastPoint> coast = SyntheticCoastline(static_cast<int>(state.range(0)));
    const zel::MapProjection projection(zel::MapView{-90, 90, 170, -170, 20},
                                        zel::MapArea{30, 15, 1230, 800});
    for (auto _ : state) benchmark::DoNotOptimize(zel::CoastlineSegments(coast, projection));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CoastlineSegments)->Arg(7000)->Arg(70000)->Unit(benchmark::kMicrosecond);

void BM_AzimuthLinePair(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(zel::AzimuthLine(52.0, 104.0, 37.0));
        benchmark::DoNotOptimize(zel::AzimuthLine(52.0, 104.0, 217.0));
    }
}
BENCHMARK(BM_AzimuthLinePair)->Unit(benchmark::kMicrosecond);

void BM_DistanceCircle(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(zel::DistanceCircle(52.0, 104.0, 12.5));
}
BENCHMARK(BM_DistanceCircle)->Unit(benchmark::kMicrosecond);

// A network view's lines at the resolution its scale chooses: the bins it overlaps of the high
// resolution shorelines and rivers (file read once, as the map window keeps it), and the whole world
// at crude resolution.
void BM_BinnedLinesInView(benchmark::State& state) {
    const bool network = state.range(0) == 1;
    const zel::MapResolution resolution = network ? zel::MapResolution::High : zel::MapResolution::Crude;
    std::vector<zel::BinnedLines> files;
    for (zel::MapLayer layer : {zel::MapLayer::Shore, zel::MapLayer::River}) {
        auto file = zel::BinnedLines::Read(std::string(ZEL_MAP_DATA_DIR) + "/" +
                                           zel::BinnedLinesFileName(layer, resolution));
        if (!file) {
            state.SkipWithError("no converted GSHHG files in this build");
            return;
        }
        files.push_back(std::move(*file));
    }
    const zel::MapView view = network ? zel::MapView{50.3, 54.7, 101.5, 110.5, 9.0} : zel::MapView{};
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (const zel::BinnedLines& file : files)
            for (const auto& line : file.linesIn(view, 4)) points += line.points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_BinnedLinesInView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
