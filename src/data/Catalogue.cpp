#include "data/Catalogue.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>

#include "base/MessageSink.h"
#include "base/ParallelFor.h"
#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/SampleFile.h"
#include "db/Databases.h"
#include "db/Odbc.h"

namespace zel {
namespace {

constexpr const char* kCaption = "ZEL";

std::string WithForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Notes a problem once per file and kind.
void Note(SegmentLoadReport& report, LoadProblem::Kind kind, const std::string& path,
          const std::string& encoding) {
    for (const LoadProblem& p : report.problems)
        if (p.kind == kind && p.path == path && p.encoding == encoding) return;
    report.problems.push_back({kind, path, encoding});
}

// Reads one segment into the target, noting what could not be read.
void ReadInto(ZELDataBlockArray& target, SegmentLoadReport& report, const std::string& dataDir,
              const SegmentLocation& segment, const std::string& encodingName, std::optional<double> calib,
              std::optional<double> calper, double t1, double t2, SpareSampleBuffers& spare) {
    ZELDataBlock block;
    const ReadResult r = ReadSegment(block, dataDir, segment, t1, t2, &spare);
    switch (r.status) {
        case ReadStatus::NoOverlap:
            return;
        case ReadStatus::MissingFile:
            Note(report, LoadProblem::MissingFile, r.fullPath, {});
            return;
        case ReadStatus::UnknownEncoding:
            Note(report, LoadProblem::UnknownEncoding, r.fullPath, encodingName);
            return;
        case ReadStatus::Short:
            Note(report, LoadProblem::ShortFile, r.fullPath, {});
            break;
        case ReadStatus::Complete:
            break;
    }
    const bool calibrated = calib && calper;
    block.calib = calibrated ? *calib : 1.0;
    block.calper = calibrated ? *calper : 1.0;
    target.Append(std::move(block));
    ++report.blocks;
}

// Runs a query; a failure carries the statement so the analyst sees what was asked.
void Execute(Db::Statement& st, const std::string& sql, const std::vector<Db::Value>& params) {
    try {
        st.execute(sql, params);
    } catch (const Db::Error& e) {
        throw Db::Error(std::string(e.what()) + "\n" + sql, e.sqlState());
    }
}

bool Fetch(Db::Statement& st, const std::string& sql) {
    try {
        return st.fetch();
    } catch (const Db::Error& e) {
        throw Db::Error(std::string(e.what()) + "\n" + sql, e.sqlState());
    }
}

// Rows naming the same file: either separator, and for a relative path with or without the
// leading separator the reader drops anyway.
std::int64_t CountRowsOfPath(Db::Statement& st, const std::string& path) {
    std::string bare = WithForwardSlashes(path);
    if (!IsAbsoluteCatalogPath(path) && !bare.empty() && bare.front() == '/') bare.erase(0, 1);
    const std::string rooted = IsAbsoluteCatalogPath(path) ? bare : "/" + bare;
    st.execute("select count(*) from FILELIST where replace(CPATH, ?, ?) in (?, ?)",
               {std::string("\\"), std::string("/"), bare, rooted});
    std::int64_t n = st.fetch() ? st.integer(0).value_or(0) : 0;
    st.closeCursor();
    return n;
}

// Whether this process may remove the file (the directory must take the change).
bool CanRemove(const std::filesystem::path& file) {
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

void ShowFileDeleteError(MessageSink& messages, const std::string& path) {
    messages.show(
        {Tr("Ошибка удаления файла %1").arg(path), kCaption, MessageIcon::Warning, MessageButtons::Ok});
}

}  // namespace

std::string SegmentLoadReport::Text() const {
    std::string text;
    for (const LoadProblem& p : problems) {
        if (!text.empty()) text += '\n';
        switch (p.kind) {
            case LoadProblem::MissingFile:
                text += Tr("Нет файла данных: %1").arg(p.path);
                break;
            case LoadProblem::ShortFile:
                text += Tr("Файл данных короче, чем указано в каталоге: %1").arg(p.path);
                break;
            case LoadProblem::UnknownEncoding:
                text += Tr("Неизвестный формат данных %1: %2").arg(p.encoding).arg(p.path);
                break;
        }
    }
    return text;
}

std::optional<int> EncodingOfWfdiscType(const std::string& datatype) {
    const std::string t = LowerAscii(Trimmed(datatype));
    if (t == "s4") return kEncodingInt32Be;
    if (t == "i4") return kEncodingInt32Le;
    if (t == "s3") return kEncodingInt24Be;
    // The same layouts as catalogue codes 1 and 3.
    if (t == "i2") return kEncodingInt16Le;
    if (t == "f4") return kEncodingFloat32Le;
    return std::nullopt;
}

namespace {

// At most this many channels in one catalogue query, so that no driver meets a statement with
// more parameters than it takes.
constexpr std::size_t kChannelsPerQuery = 50;

// Codes compared as the database compares them: a fixed-width column pads with spaces.
bool SameCode(const std::optional<std::string>& stored, const std::string& wanted) {
    if (!stored) return false;
    std::string_view s = *stored;
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s == wanted;
}

// "??" also matches rows without a location code.
bool SameLocation(const std::optional<std::string>& stored, const std::string& lcode) {
    return (lcode == "??" && !stored) || SameCode(stored, lcode);
}

bool SameChannel(const ChannelRequest& a, const ChannelRequest& b) {
    return a.station == b.station && a.channel == b.channel && a.lcode == b.lcode;
}

// The FILELIST rows of the requests [first, last) in one query, each row handed to every
// request whose channel and window it matches, in the order of TBEGIN.
void FindSegmentsOfGroup(Db::Connection& work, const CatalogueSettings& settings,
                         const std::vector<ChannelRequest>& requests, std::size_t first, std::size_t last,
                         std::vector<std::vector<CataloguedSegment>>& found) {
    std::string channels;
    std::vector<Db::Value> params;
    double t1 = requests[first].t1, t2 = requests[first].t2;
    for (std::size_t i = first; i < last; ++i) {
        const ChannelRequest& r = requests[i];
        t1 = std::min(t1, r.t1);
        t2 = std::max(t2, r.t2);
        if (std::any_of(requests.begin() + static_cast<std::ptrdiff_t>(first),
                        requests.begin() + static_cast<std::ptrdiff_t>(i),
                        [&](const ChannelRequest& earlier) { return SameChannel(earlier, r); }))
            continue;
        if (!channels.empty()) channels += " or ";
        channels += r.lcode == "??" ? "(STA=? and CH=? and (LCODE=? or LCODE Is Null))"
                                    : "(STA=? and CH=? and LCODE=?)";
        params.insert(params.end(), {r.station, r.channel, r.lcode});
    }
    params.insert(params.end(), {t2, t1});
    const std::string end = settings.useTend ? "TEND" : "TBEGIN+TQTY";
    const std::string sql =
        "select STA, CH, LCODE, TBEGIN, SPS, TQTY, DATATYPE, FOFF, CPATH, CALIB, CALPER, " + end +
        " from FILELIST where (" + channels + ") and (TBEGIN <= ?) and (" + end + " >= ?) order by TBEGIN";
    Db::Statement st(work);
    Execute(st, sql, params);
    while (Fetch(st, sql)) {
        const auto station = st.text(0), channel = st.text(1), lcode = st.text(2);
        const auto tbegin = st.real(3), sps = st.real(4), tqty = st.real(5), segmentEnd = st.real(11);
        const auto datatype = st.integer(6);
        const auto cpath = st.text(8);
        if (!tbegin || !cpath || !sps || !tqty || !segmentEnd) continue;
        CataloguedSegment segment;
        segment.location.path = *cpath;
        segment.location.relative = !IsAbsoluteCatalogPath(*cpath);
        segment.location.fileOffset = st.integer(7).value_or(512);
        segment.location.begin = *tbegin;
        segment.location.duration = *tqty;
        segment.location.sps = *sps;
        segment.location.encoding = datatype ? static_cast<int>(*datatype) : -1;
        segment.encodingName = datatype ? std::to_string(*datatype) : std::string("NULL");
        segment.calib = st.real(9);
        segment.calper = st.real(10);
        for (std::size_t i = first; i < last; ++i) {
            const ChannelRequest& r = requests[i];
            if (SameCode(station, r.station) && SameCode(channel, r.channel) &&
                SameLocation(lcode, r.lcode) && *tbegin <= r.t2 && *segmentEnd >= r.t1)
                found[i].push_back(segment);
        }
    }
}

void Prepare(ZELDataBlockArray& target, const ChannelRequest& request) {
    target.Clear();
    target.station = request.station;
    target.channel = request.channel;
}

}  // namespace

std::vector<std::vector<CataloguedSegment>> FindSegments(Db::Connection& work,
                                                         const CatalogueSettings& settings,
                                                         const std::vector<ChannelRequest>& requests) {
    std::vector<std::vector<CataloguedSegment>> found(requests.size());
    for (std::size_t first = 0; first < requests.size(); first += kChannelsPerQuery)
        FindSegmentsOfGroup(work, settings, requests, first,
                            std::min(requests.size(), first + kChannelsPerQuery), found);
    return found;
}

std::vector<CataloguedSegment> FindWfdiscSegments(Db::Connection& css, const CatalogueSettings& settings,
                                                  const ChannelRequest& request) {
    // Real wfdisc tables hold channel codes in either case.
    const std::string sql =
        "select time, samprate, nsamp, datatype, foff, dir, dfile, calib, calper from wfdisc where sta=? and "
        "lower(chan)=? and ( time<=? and endtime>=? or time>=? and time<=?) order by time";
    std::vector<CataloguedSegment> found;
    Db::Statement st(css);
    Execute(st, sql,
            {request.station, LowerAscii(request.channel), request.t1, request.t1, request.t1, request.t2});
    while (Fetch(st, sql)) {
        const auto time = st.real(0);
        const auto samprate = st.real(1);
        const auto nsamp = st.integer(2);
        const std::string datatype = Trimmed(st.text(3).value_or(""));
        const auto foff = st.integer(4);
        const std::string dir = Trimmed(st.text(5).value_or(""));
        const std::string dfile = Trimmed(st.text(6).value_or(""));
        if (!time || !nsamp || !samprate) continue;
        const auto mapped = std::find_if(settings.directoryMap.begin(), settings.directoryMap.end(),
                                         [&](const auto& entry) { return entry.first == dir; });
        CataloguedSegment segment;
        segment.location.path = mapped != settings.directoryMap.end()
                                    ? mapped->second + "/" + dfile
                                    : settings.dataDir + "/" + dir + "/" + dfile;
        segment.location.relative = false;
        segment.location.fileOffset = foff.value_or(0);
        segment.location.begin = *time;
        segment.location.sps = *samprate;
        segment.location.duration = *samprate > 0 ? static_cast<double>(*nsamp) / *samprate : 0.0;
        segment.location.encoding = EncodingOfWfdiscType(datatype).value_or(-1);
        segment.encodingName = datatype;
        segment.calib = st.real(7);
        segment.calper = st.real(8);
        found.push_back(std::move(segment));
    }
    return found;
}

SegmentLoadReport ReadSegments(const std::vector<CataloguedSegment>& segments, const std::string& dataDir,
                               const ChannelRequest& request, ZELDataBlockArray& target) {
    SpareSampleBuffers spare;
    for (ZELDataBlock& block : target.blocks) spare.give(std::move(block.samples));
    Prepare(target, request);
    SegmentLoadReport report;
    for (const CataloguedSegment& s : segments)
        ReadInto(target, report, dataDir, s.location, s.encodingName, s.calib, s.calper, request.t1,
                 request.t2, spare);
    return report;
}

SegmentLoadReport LoadWfdiscSegments(Db::Connection& css, const CatalogueSettings& settings,
                                     const std::string& station, const std::string& channel, double t1,
                                     double t2, ZELDataBlockArray& target) {
    const ChannelRequest request{station, channel, "??", t1, t2};
    Prepare(target, request);
    return ReadSegments(FindWfdiscSegments(css, settings, request), settings.dataDir, request, target);
}

namespace {

// The targets named for the requests; what they held stays for ReadSegments to reuse.
void PrepareTargets(const std::vector<ChannelRequest>& requests, std::vector<ZELDataBlockArray>& targets) {
    targets.resize(requests.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        targets[i].station = requests[i].station;
        targets[i].channel = requests[i].channel;
    }
}

// Each channel reads its own files into its own target, so the reads share out over the cores;
// a read that fails keeps the others' samples and is rethrown after them.
std::vector<SegmentLoadReport> ReadFound(const std::vector<std::vector<CataloguedSegment>>& found,
                                         const std::string& dataDir,
                                         const std::vector<ChannelRequest>& requests,
                                         std::vector<ZELDataBlockArray>& targets) {
    std::vector<SegmentLoadReport> reports(requests.size());
    std::vector<std::exception_ptr> failures(requests.size());
    ParallelFor(requests.size(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) try {
                reports[i] = ReadSegments(found[i], dataDir, requests[i], targets[i]);
            } catch (...) {
                failures[i] = std::current_exception();
            }
    });
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    return reports;
}

// What find gives; when it throws, the targets are left cleared and named.
template <class Find>
std::vector<std::vector<CataloguedSegment>> FoundOrCleared(const std::vector<ChannelRequest>& requests,
                                                           std::vector<ZELDataBlockArray>& targets,
                                                           Find find) {
    PrepareTargets(requests, targets);
    try {
        return find();
    } catch (...) {
        for (std::size_t i = 0; i < requests.size(); ++i) Prepare(targets[i], requests[i]);
        throw;
    }
}

}  // namespace

std::vector<SegmentLoadReport> LoadSegments(Db::Connection& work, const CatalogueSettings& settings,
                                            const std::vector<ChannelRequest>& requests,
                                            std::vector<ZELDataBlockArray>& targets) {
    const auto found =
        FoundOrCleared(requests, targets, [&] { return FindSegments(work, settings, requests); });
    return ReadFound(found, settings.dataDir, requests, targets);
}

std::vector<SegmentLoadReport> LoadChannelSegments(Databases& databases, const CatalogueSettings& settings,
                                                   const std::vector<ChannelRequest>& requests,
                                                   std::vector<ZELDataBlockArray>& targets) {
    if (!settings.useWfdisc || !databases.cssAvailable())
        return LoadSegments(databases.work(), settings, requests, targets);
    const auto found = FoundOrCleared(requests, targets, [&] {
        std::vector<std::vector<CataloguedSegment>> each;
        for (const ChannelRequest& r : requests)
            each.push_back(FindWfdiscSegments(databases.css(), settings, r));
        return each;
    });
    return ReadFound(found, settings.dataDir, requests, targets);
}

namespace {

// One channel through a form for many: the target's buffers are filled again, and it ends as the
// many-channel form leaves its targets, on a failure too.
template <class LoadMany>
SegmentLoadReport LoadOne(const ChannelRequest& request, ZELDataBlockArray& target, LoadMany loadMany) {
    std::vector<ZELDataBlockArray> targets(1);
    targets.front() = std::move(target);
    try {
        SegmentLoadReport report = loadMany(std::vector<ChannelRequest>{request}, targets).front();
        target = std::move(targets.front());
        return report;
    } catch (...) {
        target = std::move(targets.front());
        throw;
    }
}

}  // namespace

SegmentLoadReport LoadSegments(Db::Connection& work, const CatalogueSettings& settings,
                               const std::string& station, const std::string& channel,
                               const std::string& lcode, double t1, double t2, ZELDataBlockArray& target) {
    return LoadOne({station, channel, lcode, t1, t2}, target, [&](const auto& requests, auto& targets) {
        return LoadSegments(work, settings, requests, targets);
    });
}

SegmentLoadReport LoadChannelSegments(Databases& databases, const CatalogueSettings& settings,
                                      const std::string& station, const std::string& channel,
                                      const std::string& lcode, double t1, double t2,
                                      ZELDataBlockArray& target) {
    return LoadOne({station, channel, lcode, t1, t2}, target, [&](const auto& requests, auto& targets) {
        return LoadChannelSegments(databases, settings, requests, targets);
    });
}

bool DeleteCatalogueRowsByPath(Db::Connection& work, const std::string& path) {
    // Compared with both kinds of separator made alike, and never as a LIKE pattern: "%" and "_"
    // in a path are characters, not wildcards.
    try {
        return work.execute("delete from FILELIST where replace(CPATH, ?, ?) = ?",
                            {std::string("\\"), std::string("/"), WithForwardSlashes(path)});
    } catch (const Db::Error& e) {
        throw ZelError(Tr("Ошибка базы данных: Error of delete record in ZEL-DB (FILELIST -> %1)\n%2")
                           .arg(path)
                           .arg(e.what()));
    }
}

bool DeleteSegment(Db::Connection& work, const std::string& dataDir, const std::string& cpath,
                   std::optional<std::int64_t> foff, MessageSink& messages) {
    const std::filesystem::path file = SampleFilePath(dataDir, cpath, !IsAbsoluteCatalogPath(cpath));
    std::error_code ec;
    bool removeFile = false;
    try {
        Db::Transaction transaction(work);
        Db::Statement st(work);
        const bool deleted =
            foff ? st.execute("delete from FILELIST where CPATH=? and FOFF = ?", {cpath, *foff})
                 : st.execute("delete from FILELIST where CPATH=? and FOFF is NULL", {cpath});
        // The file goes only with the last row that uses it: other segments may lie in it. A
        // file this call found no row for is not the catalogue's to remove.
        removeFile = deleted && CountRowsOfPath(st, cpath) == 0 && std::filesystem::is_regular_file(file, ec);
        if (removeFile && !CanRemove(file)) {
            ShowFileDeleteError(messages, file.string());
            return false;  // rolled back: the row stays with its file
        }
        transaction.commit();
    } catch (const Db::Error& e) {
        messages.show({e.what(), kCaption, MessageIcon::Error, MessageButtons::Ok});
        return false;
    }
    // Only after the commit: a failed commit must not cost the file.
    if (removeFile && !std::filesystem::remove(file, ec)) {
        ShowFileDeleteError(messages, file.string());
        return false;
    }
    return true;
}

int CleanDiskLoop(Db::Connection& work, const std::string& dataDir, const std::string& station, double t1,
                  double t2, MessageSink& messages) {
    const std::string question = Tr("Удалить файлы  с данными станции %1 в интервале %2 - %3")
                                     .arg(station)
                                     .arg(FormatUiTime(t1, UiTimeForm::DateTime))
                                     .arg(FormatUiTime(t2, UiTimeForm::DateTime));
    if (messages.show({question, kCaption, MessageIcon::Question, MessageButtons::YesNo}) !=
        MessageAnswer::Yes)
        return -1;
    std::vector<std::pair<std::string, std::optional<std::int64_t>>> rows;
    {
        Db::Statement st(work);
        st.execute("select CPATH, FOFF from FILELIST where tbegin>=? and tbegin<? and sta=?",
                   {std::floor(t1), std::floor(t2), station});
        while (st.fetch()) {
            auto cpath = st.text(0);
            if (cpath) rows.emplace_back(*cpath, st.integer(1));
        }
    }
    int removed = 0;
    for (const auto& [cpath, foff] : rows)
        if (DeleteSegment(work, dataDir, cpath, foff, messages)) ++removed;
    return removed;
}

std::optional<std::pair<double, double>> CataloguedSpan(Db::Connection& work) {
    if (!work.isOpen()) return std::nullopt;
    try {
        Db::Statement st(work);
        st.execute("select min(TBEGIN), max(TEND) from FILELIST");
        if (!st.fetch()) return std::nullopt;
        const std::optional<double> first = st.real(0), last = st.real(1);
        if (!first || !last) return std::nullopt;
        return std::pair{*first, *last};
    } catch (const ZelError&) {
        return std::nullopt;
    }
}

std::vector<CatalogueFile> ListCatalogueFiles(Db::Connection& work, const std::string& station,
                                              std::optional<std::pair<double, double>> range,
                                              const std::vector<std::string>& channels) {
    std::string sql = "select STA, CH, TBEGIN, TQTY, SPS, CPATH, DATATYPE, FOFF from FILELIST where STA=?";
    std::vector<Db::Value> params{station};
    if (range) {
        sql += " and (TBEGIN between ? and ?)";
        params.emplace_back(static_cast<std::int64_t>(std::trunc(range->first)));
        params.emplace_back(static_cast<std::int64_t>(std::trunc(range->second)));
    }
    if (!channels.empty()) {
        sql += " and (  1=0 ";
        for (const std::string& ch : channels) {
            sql += " or CH=? ";
            params.emplace_back(ch);
        }
        sql += "  ) ";
    }
    sql += " order by FILELIST.TBEGIN DESC, FILELIST.CH DESC";
    std::vector<CatalogueFile> files;
    Db::Statement st(work);
    Execute(st, sql, params);
    while (Fetch(st, sql)) {
        CatalogueFile f;
        f.station = st.text(0).value_or("");
        f.channel = st.text(1).value_or("");
        f.begin = st.real(2).value_or(0.0);
        f.duration = st.real(3).value_or(0.0);
        f.sps = st.real(4).value_or(0.0);
        f.path = st.text(5).value_or("");
        f.encoding = static_cast<int>(st.integer(6).value_or(-1));
        f.foff = st.integer(7);
        files.push_back(std::move(f));
    }
    return files;
}

std::vector<CatalogueFile> ListWfdiscFiles(Db::Connection& css, const std::string& station, double t1,
                                           double t2) {
    const std::string sql =
        "select sta, chan, time, nsamp, samprate, dir, dfile, datatype, foff from wfdisc where sta=? and "
        "(time between ? and ?) order by time DESC, chan DESC";
    std::vector<CatalogueFile> files;
    Db::Statement st(css);
    Execute(st, sql,
            {station, static_cast<std::int64_t>(std::trunc(t1)), static_cast<std::int64_t>(std::trunc(t2))});
    while (Fetch(st, sql)) {
        CatalogueFile f;
        f.station = Trimmed(st.text(0).value_or(""));
        f.channel = Trimmed(st.text(1).value_or(""));
        f.begin = st.real(2).value_or(0.0);
        const double nsamp = static_cast<double>(st.integer(3).value_or(0));
        f.sps = st.real(4).value_or(0.0);
        f.duration = f.sps > 0 ? nsamp / f.sps : 0.0;
        f.path = Trimmed(st.text(5).value_or("")) + "/" + Trimmed(st.text(6).value_or(""));
        f.encoding = EncodingOfWfdiscType(st.text(7).value_or("")).value_or(-1);
        f.foff = st.integer(8);
        files.push_back(std::move(f));
    }
    return files;
}

}  // namespace zel
