#include "data/ArchiveScan.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/Catalogue.h"
#include "data/MiniSeed.h"
#include "data/SampleFile.h"
#include "db/Odbc.h"

namespace zel {
namespace fs = std::filesystem;

namespace {

struct FileStamp {
    std::int64_t size = -1;
    std::int64_t mtime = 0;  // nanoseconds since the epoch
    bool operator==(const FileStamp&) const = default;
};

struct FoundFile {
    std::string path;   // on this machine
    std::string cpath;  // as catalogued
    FileStamp stamp;
};

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// What the catalogue already knows of the files below the root, by CPATH.
// The catalogued form every file below the root begins with: "" for the data directory itself.
std::string RootPrefix(const std::string& root, const std::string& dataDir) {
    if (!dataDir.empty() &&
        fs::absolute(fs::path(root)).lexically_normal() == fs::absolute(fs::path(dataDir)).lexically_normal())
        return {};
    std::string prefix = CataloguePathOf(root, dataDir);
    if (prefix.back() != '/') prefix += '/';
    return prefix;
}

std::map<std::string, FileStamp> KnownFiles(Db::Connection& work, const std::string& rootPrefix) {
    std::map<std::string, FileStamp> known;
    Db::Statement st(work);
    st.execute("select CPATH, FSIZE, MTIME from ARCHIVEFILES");
    while (st.fetch()) {
        const auto cpath = st.text(0);
        if (!cpath || cpath->compare(0, rootPrefix.size(), rootPrefix) != 0) continue;
        // Below the data directory only relative paths lie; absolute ones ("//...") are elsewhere.
        if (rootPrefix.empty() && !cpath->empty() && cpath->front() == '/') continue;
        known[*cpath] = FileStamp{st.integer(1).value_or(-1), st.integer(2).value_or(0)};
    }
    return known;
}

// Removes the rows of a file the catalogue knew.
void Forget(Db::Connection& work, const std::string& cpath, ArchiveScanReport& report) {
    Db::Statement count(work);
    count.execute("select count(*) from FILELIST where CPATH=?", {cpath});
    if (count.fetch()) report.rowsRemoved += static_cast<std::size_t>(count.integer(0).value_or(0));
    count.closeCursor();
    work.execute("delete from FILELIST where CPATH=?", {cpath});
    work.execute("delete from ARCHIVEFILES where CPATH=?", {cpath});
}

void Remember(Db::Connection& work, const FoundFile& file) {
    work.execute("insert into ARCHIVEFILES (CPATH, FSIZE, MTIME, LDDATE) values (?, ?, ?, " +
                     NowTimestampLiteral() + ")",
                 {file.cpath, file.stamp.size, file.stamp.mtime});
}

void Catalogue(Db::Connection& work, const FoundFile& file, const MiniSeedRun& run) {
    const Db::Value lcode = run.location.empty() ? Db::Value{Db::Null{}} : Db::Value{run.location};
    work.execute(
        "insert into FILELIST (STA, SPS, GAIN, CPATH, DATATYPE, CH, CREATER, LDDATE, TBEGIN, TQTY, TEND, "
        "FOFF, "
        "LCODE) values (?, ?, 1, ?, " +
            std::to_string(kEncodingMiniSeed) + ", ?, '" + kArchiveScanCreator + "', " +
            NowTimestampLiteral() + ", ?, ?, ?, ?, ?)",
        {UpperAscii(run.station), run.sps, file.cpath, UpperAscii(run.channel), run.begin, run.Duration(),
         run.begin + run.Duration(), run.firstByte, lcode});
}

// Reads one new or changed file and replaces what the catalogue held of it.
void ReadFile(Db::Connection& work, const FoundFile& file, bool known, const std::vector<Station>& stations,
              std::set<std::string>& unknown, ArchiveScanReport& report) {
    MiniSeedContents contents;
    bool usable = IsMiniSeedFile(file.path);
    if (usable) {
        try {
            contents = ScanMiniSeedFile(file.path);
        } catch (const ZelError& e) {
            report.problems.push_back(e.what());
            usable = false;
        }
    }
    if (usable && contents.runs.empty() && contents.textRecords > 0)
        report.problems.push_back(
            Tr("Файл содержит только текстовые записи, отсчетов нет: %1").arg(file.path));
    Db::Transaction transaction(work);
    if (known) Forget(work, file.cpath, report);
    for (const MiniSeedRun& run : contents.runs) {
        Catalogue(work, file, run);
        ++report.rowsAdded;
        if (!StationTableHasChannel(stations, run.station, run.location, run.channel))
            unknown.insert(run.network + "." + run.station + "." + run.location + "." + run.channel);
    }
    // Files that are no MiniSEED are remembered too, so the next scan does not open them again.
    Remember(work, file);
    transaction.commit();
    ++report.read;
}

}  // namespace

std::string CataloguePathOf(const std::string& file, const std::string& dataDir) {
    const fs::path absolute = fs::absolute(fs::path(file)).lexically_normal();
    if (!dataDir.empty()) {
        const fs::path base = fs::absolute(fs::path(dataDir)).lexically_normal();
        const fs::path relative = absolute.lexically_relative(base);
        if (!relative.empty() && *relative.begin() != ".." && relative != ".")
            return relative.generic_string();
    }
    return "/" + absolute.generic_string();
}

bool StationTableHasChannel(const std::vector<Station>& stations, const std::string& station,
                            const std::string& location, const std::string& channel) {
    const int index = FindStation(stations, station);
    if (index < 0) return false;
    for (const ChannelSlot& slot : stations[index].slots) {
        if (!slot.Used() || !EqualsIgnoringAsciiCase(slot.channel, channel)) continue;
        if (slot.lcode == location || (slot.lcode == "??" && location.empty())) return true;
    }
    return false;
}

std::string ArchiveScanReport::Text() const {
    std::string text = Tr("Файлов в архиве: %1, прочитано новых и измененных: %2, исчезло: %3; "
                          "строк каталога добавлено: %4, удалено: %5")
                           .arg(files)
                           .arg(read)
                           .arg(vanished)
                           .arg(rowsAdded)
                           .arg(rowsRemoved);
    if (stopped) text += "\n" + Tr("Просмотр архива прерван");
    if (!unknownChannels.empty()) {
        text += "\n" + Tr("Каналы, которых нет в таблице станций (в каталоге, но не показываются):");
        for (const std::string& c : unknownChannels) text += "\n  " + c;
    }
    for (const std::string& p : problems) text += "\n" + p;
    return text;
}

ArchiveScanReport ScanArchive(Db::Connection& work, const std::string& root, const std::string& dataDir,
                              const std::vector<Station>& stations, const ArchiveScanProgress& progress) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) throw ZelError(Tr("Нет каталога %1").arg(root));
    ArchiveScanReport report;

    std::vector<FoundFile> found;
    for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string path = it->path().string();
        const auto stamp = StampOf(path);
        if (!stamp) continue;
        found.push_back({path, CataloguePathOf(path, dataDir), *stamp});
    }
    if (ec) report.problems.push_back(Tr("Ошибка чтения каталога %1: %2").arg(root).arg(ec.message()));
    std::sort(found.begin(), found.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.cpath < b.cpath; });
    report.files = found.size();

    std::map<std::string, FileStamp> known = KnownFiles(work, RootPrefix(root, dataDir));

    std::set<std::string> unknown;
    std::size_t done = 0;
    for (const FoundFile& file : found) {
        auto k = known.find(file.cpath);
        const bool wasKnown = k != known.end();
        const bool unchanged = wasKnown && k->second == file.stamp;
        if (wasKnown) known.erase(k);
        if (!unchanged) ReadFile(work, file, wasKnown, stations, unknown, report);
        if (progress && !progress(++done, found.size())) {
            report.stopped = true;
            break;
        }
    }
    // What is left of the known files was not found again: gone from the archive. A stopped scan
    // has not looked everywhere and removes nothing.
    if (!report.stopped) {
        for (const auto& [cpath, stamp] : known) {
            Db::Transaction transaction(work);
            Forget(work, cpath, report);
            transaction.commit();
            ++report.vanished;
        }
    }
    report.unknownChannels.assign(unknown.begin(), unknown.end());
    return report;
}

}  // namespace zel
