// Geometry and region lookups: one DistAz (location calls it for every pick and every trial
// epicentre), filling the region tables of a fresh SQLite database at first start, and one
// region query of an epicentre.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <vector>

#include "db/DbDialect.h"
#include "db/Odbc.h"
#include "db/Schema.h"
#include "events/DistAz.h"
#include "events/Regions.h"

namespace {

// The source tree's resources, found upward from the benchmark's build folder.
std::string ResourcesDir() {
    for (std::filesystem::path p = std::filesystem::canonical("/proc/self/exe"); p.has_relative_path();
         p = p.parent_path())
        if (std::filesystem::exists(p / "resources" / "regions")) return (p / "resources").string();
    return "resources";
}

const std::string kResources = ResourcesDir();

struct Pair {
    double lat1, lon1, lat2, lon2;
};

std::vector<Pair> RandomPairs() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180);
    std::vector<Pair> pairs(4096);
    for (Pair& p : pairs) p = {lat(random), lon(random), lat(random), lon(random)};
    return pairs;
}

void BM_DistAz(benchmark::State& state) {
    const std::vector<Pair> pairs = RandomPairs();
    std::size_t i = 0;
    for (auto _ : state) {
        const Pair& p = pairs[i++ % pairs.size()];
        benchmark::DoNotOptimize(zel::DistAz(p.lat1, p.lon1, p.lat2, p.lon2));
    }
}
BENCHMARK(BM_DistAz);

// A scratch SQLite database with the working schema, removed afterwards.
struct ScratchDb {
    ScratchDb()
        : path(std::filesystem::temp_directory_path() / ("zel_regions_bench_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path);
        db.open("Driver=SQLite3;Database=" + (path / "zel.db").string() + ";");
        zel::CreateMissingTables(db, zel::kDialectSqlite, zel::WorkingSchema());
    }
    ~ScratchDb() {
        db.close();
        std::filesystem::remove_all(path);
    }
    std::filesystem::path path;
    zel::Db::Connection db;
};

void BM_FillRegionTables(benchmark::State& state) {
    const zel::RegionTables tables = zel::ReadRegionFiles(kResources + "/regions");
    for (auto _ : state) {
        state.PauseTiming();
        {
            ScratchDb scratch;
            state.ResumeTiming();
            zel::StoreRegionTables(scratch.db, tables);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(tables.map.size());
}
BENCHMARK(BM_FillRegionTables)->Unit(benchmark::kMillisecond);

void BM_RegionOf(benchmark::State& state) {
    ScratchDb scratch;
    zel::EnsureRegionTables(scratch.db, kResources);
    const std::vector<Pair> pairs = RandomPairs();
    std::size_t i = 0;
    for (auto _ : state) {
        const Pair& p = pairs[i++ % pairs.size()];
        benchmark::DoNotOptimize(zel::RegionOf(scratch.db, p.lat1, p.lon1));
    }
}
BENCHMARK(BM_RegionOf)->Unit(benchmark::kMicrosecond);

}  // namespace
