// A network's MiniSEED archive connected in place: scanning an SDS tree of 24 channels x 30 days
// of 100-sps Steim-2 day files (made here, 512-byte records), rescanning it unchanged, and
// reading 24 channel-hours out of it through the catalogue, each against a plain read of the
// same bytes. ZEL_BENCH_ARCHIVE_DAYS shrinks the archive for a quick look.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/TimeConversions.h"
#include "data/ArchiveScan.h"
#include "data/Catalogue.h"
#include "data/MiniSeed.h"
#include "db/Odbc.h"
#include "db/Schema.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kFirstDay = 1370995200.0;  // 2013-06-12 00:00:00 UTC
constexpr double kSps = 100.0;

int Days() {
    const char* days = std::getenv("ZEL_BENCH_ARCHIVE_DAYS");
    return days ? std::max(1, std::atoi(days)) : 30;
}

std::vector<std::pair<std::string, std::string>> Channels() {
    std::vector<std::pair<std::string, std::string>> out;
    for (const char* sta : {"ARS", "BGD", "VDR", "GNK", "DLN", "ZMK", "ILM", "KRS"})
        for (const char* ch : {"SHZ", "SHN", "SHE"}) out.emplace_back(sta, ch);
    return out;
}

struct Archive {
    fs::path dir;
    std::unique_ptr<zel::Db::Connection> db;
    std::vector<std::string> files;
    Archive() {
        std::string pattern = (fs::temp_directory_path() / "zelbench-sds.XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir = pattern;
        db = std::make_unique<zel::Db::Connection>();
        db->open("Driver=SQLite3;Database=" + (dir / "zel.db").string() + ";");
        zel::CreateMissingTables(*db, zel::kDialectSqlite, zel::WorkingSchema());
        // Microseismic noise of a few hundred counts: a slow swell and a small ripple, as quiet
        // short-period channels record.
        std::vector<float> day(static_cast<std::size_t>(86400 * kSps));
        for (std::size_t i = 0; i < day.size(); ++i) {
            const double t = static_cast<double>(i) / kSps;
            day[i] = static_cast<float>(std::round(300 * std::sin(2 * M_PI * t / 6.0) + 20 * std::sin(2 * M_PI * t * 3.1)));
        }
        for (const auto& [sta, ch] : Channels()) {
            for (int d = 0; d < Days(); ++d) {
                const double begin = kFirstDay + 86400.0 * d;
                const auto c = zel::EpochToYdhms(begin, 0);
                char name[128];
                std::snprintf(name, sizeof name, "%04d/XX/%s/%s.D/XX.%s..%s.D.%04d.%03d", c->year, sta.c_str(),
                              ch.c_str(), sta.c_str(), ch.c_str(), c->year, c->dayOfYear);
                const fs::path file = dir / "sds" / name;
                fs::create_directories(file.parent_path());
                std::ofstream(file, std::ios::binary)
                    << zel::MiniSeedBytes({"XX", sta, "", ch}, {zel::ZELDataBlock(begin, kSps, day)});
                files.push_back(file.string());
            }
        }
    }
    ~Archive() {
        db.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Archive& TheArchive() {
    static Archive made;
    return made;
}

// Reads [offset, offset + bytes) of each file as the plain reference.
double PlainRead(const std::vector<std::string>& files, double fromFraction, double fraction) {
    std::vector<char> buffer;
    const auto t0 = Clock::now();
    for (const std::string& f : files) {
        const auto size = static_cast<double>(fs::file_size(f));
        const auto bytes = static_cast<std::size_t>(size * fraction);
        buffer.resize(bytes);
        const int fd = ::open(f.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(::pread(fd, buffer.data(), bytes, static_cast<off_t>(size * fromFraction)));
        ::close(fd);
    }
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

void ScanAgainstPlainRead(benchmark::State& state) {
    Archive& a = TheArchive();
    double scanSeconds = 0, rescanSeconds = 0, plainSeconds = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        a.db->execute("delete from FILELIST");
        a.db->execute("delete from ARCHIVEFILES");
        const double plain = PlainRead(a.files, 0.0, 1.0);
        auto t0 = Clock::now();
        rows = zel::ScanArchive(*a.db, (a.dir / "sds").string(), "", {}).rowsAdded;
        auto t1 = Clock::now();
        const std::size_t reread = zel::ScanArchive(*a.db, (a.dir / "sds").string(), "", {}).read;
        auto t2 = Clock::now();
        if (reread != 0) state.SkipWithError("the rescan read files again");
        scanSeconds += std::chrono::duration<double>(t1 - t0).count();
        rescanSeconds += std::chrono::duration<double>(t2 - t1).count();
        plainSeconds += plain;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    if (rows != a.files.size()) state.SkipWithError("one row per day file was expected");
    const double n = static_cast<double>(state.iterations());
    state.counters["files"] = static_cast<double>(a.files.size());
    state.counters["plain_read_ms"] = 1000 * plainSeconds / n;
    state.counters["rescan_unchanged_ms"] = 1000 * rescanSeconds / n;
    state.counters["ratio_to_plain_read"] = scanSeconds / plainSeconds;
}
BENCHMARK(ScanAgainstPlainRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// 24 channel-hours (12:00 to 13:00 of the middle day) through the catalogue, against a plain read
// of that hour's share of the same files.
void ReadChannelHoursAgainstPlainRead(benchmark::State& state) {
    Archive& a = TheArchive();
    if (zel::ScanArchive(*a.db, (a.dir / "sds").string(), "", {}).files != a.files.size()) std::abort();
    const int middle = Days() / 2;
    const double t1 = kFirstDay + 86400.0 * middle + 12 * 3600.0;
    std::vector<std::string> middleFiles;
    for (std::size_t i = static_cast<std::size_t>(middle); i < a.files.size(); i += static_cast<std::size_t>(Days()))
        middleFiles.push_back(a.files[i]);
    zel::CatalogueSettings settings;
    double loadSeconds = 0, plainSeconds = 0;
    std::size_t samples = 0;
    for (auto _ : state) {
        const double plain = PlainRead(middleFiles, 12.0 / 24.0, 1.0 / 24.0);
        const auto t0 = Clock::now();
        samples = 0;
        for (const auto& [sta, ch] : Channels()) {
            zel::ZELDataBlockArray channel;
            zel::LoadSegments(*a.db, settings, sta, ch, "??", t1, t1 + 3600, channel);
            samples += channel.TotalCount();
            benchmark::DoNotOptimize(channel.blocks.data());
        }
        const double load = std::chrono::duration<double>(Clock::now() - t0).count();
        loadSeconds += load;
        plainSeconds += plain;
        state.SetIterationTime(load);
    }
    if (samples != 24u * 360000u) state.SkipWithError("24 full channel-hours were expected");
    state.counters["plain_read_ms"] = 1000 * plainSeconds / static_cast<double>(state.iterations());
    state.counters["ratio_to_plain_read"] = loadSeconds / plainSeconds;
    state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK(ReadChannelHoursAgainstPlainRead)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
