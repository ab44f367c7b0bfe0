// What the analyst waits for when a window opens: reading 24 channel-hours from the demo loop
// through the catalogue, against a plain read of the same bytes; and one window query against
// a catalogue of 100000 files.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/SampleFile.h"
#include "data/demo/DemoDiskLoop.h"
#include "db/Odbc.h"
#include "db/Schema.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kResources = (fs::path(__FILE__).parent_path().parent_path() / "resources").string();
constexpr double kBegin = 1371211200.0;  // the demo hour

struct Scratch {
    fs::path dir;
    std::unique_ptr<zel::Db::Connection> db;
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "zelbench.XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir = pattern;
        db = std::make_unique<zel::Db::Connection>();
        db->open("Driver=SQLite3;Database=" + (dir / "zel.db").string() + ";");
        zel::CreateMissingTables(*db, zel::kDialectSqlite, zel::WorkingSchema());
    }
    ~Scratch() {
        db.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

// The demo loop, made once for the whole run.
Scratch& DemoLoop() {
    static Scratch made;
    static const bool generated = [] {
        zel::demo::DemoLoopOptions o;
        o.dataDir = (made.dir / "loop").string();
        o.resourcesDir = kResources;
        zel::demo::GenerateDemoDiskLoop(*made.db, o);
        return true;
    }();
    (void)generated;
    return made;
}

// 24 channels at 100 sps: eight three-component stations, float, int32 and int24 files among them.
std::vector<std::pair<std::string, std::string>> Channels() {
    std::vector<std::pair<std::string, std::string>> out;
    for (const char* sta : {"ARS", "BGD", "VDR", "GNK", "DLN", "ZMK", "ILM", "KRS"})
        for (const char* ch : {"SHZ", "SHN", "SHE"}) out.emplace_back(sta, ch);
    return out;
}

struct Piece {
    std::string path;
    std::int64_t offset;
    std::size_t bytes;
};

// The same bytes LoadSegments reads, listed once from the catalogue.
std::vector<Piece> Pieces(zel::Db::Connection& db, const std::string& dataDir) {
    std::vector<Piece> pieces;
    for (const auto& [sta, ch] : Channels()) {
        zel::Db::Statement st(db);
        st.execute(
            "select CPATH, FOFF, SPS, TQTY, DATATYPE from FILELIST where STA=? and CH=? order by TBEGIN",
            {sta, ch});
        while (st.fetch()) {
            const auto samples = static_cast<std::size_t>(*st.real(2) * *st.real(3) + 0.5);
            pieces.push_back({zel::SampleFilePath(dataDir, *st.text(0), true), *st.integer(1),
                              samples * static_cast<std::size_t>(zel::BytesPerSample(*st.integer(4)))});
        }
    }
    return pieces;
}

// Drops the pieces' files from the page cache, so that the next read comes from the disk.
void Evict(const std::vector<Piece>& pieces) {
    for (const Piece& p : pieces) {
        const int fd = ::open(p.path.c_str(), O_RDONLY);
        if (fd < 0) continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// Two plain reads of the pieces on one core: into one reused buffer, which never leaves the
// processor's cache, and into a buffer kept for each piece, as any reader that hands the samples
// on must.
double PlainRead(const std::vector<Piece>& pieces, bool keep) {
    static std::vector<char> reused;
    std::vector<std::unique_ptr<char[]>> kept;
    const auto t0 = Clock::now();
    for (const Piece& p : pieces) {
        char* into = nullptr;
        if (keep) {
            kept.emplace_back(new char[p.bytes]);
            into = kept.back().get();
        } else {
            reused.resize(std::max(reused.size(), p.bytes));
            into = reused.data();
        }
        const int fd = ::open(p.path.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(::pread(fd, into, p.bytes, p.offset));
        ::close(fd);
    }
    benchmark::DoNotOptimize(kept.data());
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Warm: the files are in the page cache, as after the first look at a window. Cold: each side
// reads the files just evicted from it, the sides taking turns at going first. ZEL reads the 24
// panes as the workstation does: one catalogue query, the files read on the machine's cores.
void LoadSegmentsAgainstPlainRead(benchmark::State& state, bool cold) {
    Scratch& loop = DemoLoop();
    zel::CatalogueSettings settings;
    settings.dataDir = (loop.dir / "loop").string();
    const std::vector<Piece> pieces = Pieces(*loop.db, settings.dataDir);
    std::vector<zel::ChannelRequest> requests;
    for (const auto& [sta, ch] : Channels()) requests.push_back({sta, ch, "??", kBegin, kBegin + 3600});
    double seconds[3] = {};  // ZEL, reused buffer, kept buffers
    std::size_t samples = 0;
    std::vector<zel::ZELDataBlockArray> channels;  // the panes, reloaded as when paging through time
    auto load = [&] {
        const auto t0 = Clock::now();
        zel::LoadSegments(*loop.db, settings, requests, channels);
        const double took = std::chrono::duration<double>(Clock::now() - t0).count();
        samples = 0;
        for (const zel::ZELDataBlockArray& channel : channels) samples += channel.TotalCount();
        return took;
    };
    int turn = 0;
    for (auto _ : state) {
        double took[3] = {};
        for (int k = 0; k < 3; ++k) {
            const int side = (turn + k) % 3;
            if (cold) Evict(pieces);
            took[side] = side == 0 ? load() : PlainRead(pieces, side == 2);
        }
        turn = (turn + 1) % 3;
        for (int side = 0; side < 3; ++side) seconds[side] += took[side];
        state.SetIterationTime(took[0]);
    }
    if (samples != 24u * 360000u) state.SkipWithError("the demo loop did not give 24 full channel-hours");
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["plain_read_ms"] = 1000 * seconds[1] / iterations;
    state.counters["kept_read_ms"] = 1000 * seconds[2] / iterations;
    state.counters["ratio_to_plain_read"] = seconds[0] / seconds[1];
    state.counters["ratio_to_kept_read"] = seconds[0] / seconds[2];
    state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK_CAPTURE(LoadSegmentsAgainstPlainRead, warm, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK_CAPTURE(LoadSegmentsAgainstPlainRead, cold, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// 100000 catalogued files: 24 channels with a file every hour for about 174 days.
Scratch& BigCatalogue() {
    static Scratch made;
    static const bool filled = [] {
        zel::Db::Transaction transaction(*made.db);
        zel::Db::Statement st(*made.db);
        const auto channels = Channels();
        for (int i = 0; i < 100000; ++i) {
            const auto& [sta, ch] = channels[static_cast<std::size_t>(i) % channels.size()];
            const double tbegin = kBegin + 3600.0 * (i / static_cast<int>(channels.size()));
            st.execute(
                "insert into FILELIST (STA, CH, TBEGIN, TQTY, TEND, SPS, CPATH, DATATYPE, FOFF, GAIN) values "
                "(?, ?, ?, 3600, ?, 100, ?, 3, 512, 1)",
                {sta, ch, tbegin, tbegin + 3600, "x/" + sta + ch + std::to_string(i)});
        }
        transaction.commit();
        return true;
    }();
    (void)filled;
    return made;
}

void WindowQueryOn100000Rows(benchmark::State& state) {
    Scratch& catalogue = BigCatalogue();
    zel::CatalogueSettings settings;
    settings.dataDir = (catalogue.dir / "none").string();
    // Ninety days in, across an hour boundary: two segments (their files are absent here).
    const double t1 = kBegin + 90 * 86400.0 + 1800, t2 = t1 + 3600;
    std::size_t found = 0;
    for (auto _ : state) {
        zel::ZELDataBlockArray channel;
        const zel::SegmentLoadReport r =
            zel::LoadSegments(*catalogue.db, settings, "GNK", "SHN", "??", t1, t2, channel);
        found = r.problems.size();
    }
    if (found != 2) state.SkipWithError("the window did not find its two segments");
}
BENCHMARK(WindowQueryOn100000Rows)->Unit(benchmark::kMicrosecond);

}  // namespace
