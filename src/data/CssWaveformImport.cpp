#include "data/CssWaveformImport.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>
#include <sstream>

#include "base/ReadOnlyFile.h"
#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/Catalogue.h"
#include "data/SacFile.h"
#include "data/SampleFile.h"
#include "db/Odbc.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

template <typename T>
bool ParseNumber(std::string_view field, T& out) {
    const std::string_view t = TrimmedView(field);
    if (t.empty()) return false;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size();
}

std::string TextField(std::string_view line, std::size_t pos, std::size_t width) {
    std::string_view f = line.substr(pos, width);
    const auto last = f.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view{} : f.substr(0, last + 1));
}

// Bytes of one sample, most significant first when bigEndian.
std::uint32_t Assemble(const unsigned char* p, int size, bool bigEndian) {
    std::uint32_t u = 0;
    for (int i = 0; i < size; ++i) u |= std::uint32_t{p[bigEndian ? size - 1 - i : i]} << (8 * i);
    return u;
}

float SampleValue(const std::string& type, const unsigned char* p) {
    if (type == "t4") return std::bit_cast<float>(Assemble(p, 4, true));
    if (type == "f4") return std::bit_cast<float>(Assemble(p, 4, false));
    if (type == "s4") return static_cast<float>(static_cast<std::int32_t>(Assemble(p, 4, true)));
    if (type == "i4") return static_cast<float>(static_cast<std::int32_t>(Assemble(p, 4, false)));
    if (type == "s2") return static_cast<float>(static_cast<std::int16_t>(Assemble(p, 2, true)));
    return static_cast<float>(static_cast<std::int16_t>(Assemble(p, 2, false)));  // i2
}

std::string ForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The slot of the station that takes this wfdisc channel: slot order up to the first empty
// slot, the code compared without regard to case, and only slots of unknown location.
const ChannelSlot* SlotFor(const Station& station, const std::string& channel) {
    for (const ChannelSlot& slot : station.slots) {
        if (!slot.Used()) break;
        if (EqualsIgnoringAsciiCase(slot.channel, channel) && slot.lcode == "??") return &slot;
    }
    return nullptr;
}

// The sample file of a wfdisc line: its dir (unless ".") and dfile joined under the wfdisc's folder.
fs::path SourceOf(const std::string& wfdiscDir, const WfdiscRecord& line) {
    fs::path source(wfdiscDir);
    if (line.dir != ".") source /= fs::path(line.dir).relative_path();
    return source / fs::path(line.dfile).relative_path();
}

// True when the open file, every link followed, lies in the folder tree of root.
bool LiesUnder(const ReadOnlyFile& file, const std::string& source, const std::string& root) {
    std::error_code ec;
    const fs::path top = fs::canonical(root.empty() ? "." : root, ec);
    if (ec) return false;
    std::string where = file.resolvedPath();
    if (where.empty()) where = fs::canonical(source, ec).string();
    if (ec) return false;
    const std::string prefix = top.string() == "/" ? "/" : top.string() + "/";
    return where.compare(0, prefix.size(), prefix) == 0;
}

// The source bytes of a segment; throws ZelError with the analyst's text.
std::string ReadSourceBytes(const std::string& wfdiscDir, const std::string& path, long long foff,
                            long long nsamp, int sampleSize) {
    const ReadOnlyFile in(path);
    if (in.notRegular()) throw ZelError(Tr("Файл не является обычным файлом: %1").arg(path));
    if (!in.isOpen()) throw ZelError(Tr("Ошибка открытия файла %1").arg(path));
    // Only the wfdisc's own folder tree: an index must not copy any file it names into the disk loop.
    if (!LiesUnder(in, path, wfdiscDir))
        throw ZelError(Tr("Файл данных лежит вне каталога файла wfdisc: %1").arg(path));
    const std::uint64_t size = in.size();
    // Checked before multiplying and allocating: a wrong nsamp or foff must neither overflow nor
    // ask for gigabytes.
    if (foff < 0 || nsamp < 0 || static_cast<std::uint64_t>(foff) > size ||
        static_cast<std::uint64_t>(nsamp) > (size - static_cast<std::uint64_t>(foff)) / sampleSize)
        throw ZelError(Tr("Ошибка чтения файла %1").arg(path));
    const auto count = static_cast<std::size_t>(nsamp * sampleSize);
    std::string bytes(count, '\0');
    if (in.readAt(bytes.data(), count, static_cast<std::uint64_t>(foff)) != count)
        throw ZelError(Tr("Ошибка чтения файла %1").arg(path));
    return bytes;
}

constexpr double kMaxInt32 = 2147483647.0;
constexpr double kMinInt32 = -2147483648.0;

std::int32_t ClampToInt32(float v) {
    if (std::isnan(v)) return 0;
    const double d = std::trunc(static_cast<double>(v));
    if (d >= kMaxInt32) return std::numeric_limits<std::int32_t>::max();
    if (d <= kMinInt32) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(d);
}

float ClampToFinite(float v) {
    if (std::isnan(v)) return 0.0f;
    return std::clamp(v, std::numeric_limits<float>::lowest(), std::numeric_limits<float>::max());
}

void AppendWord(std::string& out, std::uint32_t u, bool bigEndian) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(u >> (8 * (bigEndian ? 3 - i : i)) & 0xFF);
}

std::string SampleBytes(const std::vector<float>& samples, WfdiscExportFormat format) {
    std::string out;
    out.reserve(samples.size() * 4);
    for (float v : samples) {
        switch (format) {
            case WfdiscExportFormat::Float32Le:
                AppendWord(out, std::bit_cast<std::uint32_t>(ClampToFinite(v)), false);
                break;
            case WfdiscExportFormat::Int32Be:
                AppendWord(out, static_cast<std::uint32_t>(ClampToInt32(v)), true);
                break;
            case WfdiscExportFormat::Int32Le:
                AppendWord(out, static_cast<std::uint32_t>(ClampToInt32(v)), false);
                break;
        }
    }
    return out;
}

const char* DatatypeOf(WfdiscExportFormat format) {
    switch (format) {
        case WfdiscExportFormat::Float32Le:
            return "f4";
        case WfdiscExportFormat::Int32Be:
            return "s4";
        case WfdiscExportFormat::Int32Le:
            break;
    }
    return "i4";
}

}  // namespace

std::optional<WfdiscRecord> ParseWfdiscLine(std::string_view line) {
    if (line.size() != kWfdiscLineLength) return std::nullopt;
    WfdiscRecord r;
    r.sta = TextField(line, 0, 6);
    r.chan = TextField(line, 7, 8);
    r.instype = TextField(line, 134, 6);
    r.segtype = line[141];
    r.datatype = TextField(line, 143, 2);
    r.clip = line[146];
    r.dir = TextField(line, 148, 64);
    r.dfile = TextField(line, 213, 32);
    r.lddate = TextField(line, 266, 17);
    const bool ok = ParseNumber(line.substr(16, 17), r.time) && ParseNumber(line.substr(34, 8), r.wfid) &&
                    ParseNumber(line.substr(43, 8), r.chanid) && ParseNumber(line.substr(52, 8), r.jdate) &&
                    ParseNumber(line.substr(61, 17), r.endtime) && ParseNumber(line.substr(79, 8), r.nsamp) &&
                    ParseNumber(line.substr(88, 11), r.samprate) &&
                    ParseNumber(line.substr(100, 16), r.calib) &&
                    ParseNumber(line.substr(117, 16), r.calper) &&
                    ParseNumber(line.substr(246, 10), r.foff) && ParseNumber(line.substr(257, 8), r.commid);
    if (!ok) return std::nullopt;
    return r;
}

std::string FormatWfdiscLine(const WfdiscRecord& r) {
    char text[512];
    std::snprintf(
        text, sizeof text,
        "%-6.6s %-8.8s %17.5lf %8lld %8lld %8lld %17.5lf %8lld %11.7f %16.6f %16.6f %-6.6s %c %-2.2s %c "
        "%-64.64s %-32.32s %10lld %8lld %-17.17s\n",
        r.sta.c_str(), r.chan.c_str(), r.time, r.wfid, r.chanid, r.jdate, r.endtime, r.nsamp, r.samprate,
        r.calib, r.calper, r.instype.c_str(), r.segtype, r.datatype.c_str(), r.clip, r.dir.c_str(),
        r.dfile.c_str(), r.foff, r.commid, r.lddate.c_str());
    // Numbers too wide for their columns would shift every later field: no reader could use it.
    const std::string line = text;
    if (line.size() != kWfdiscLineLength + 1) throw ZelError("Ошибка записи файла wfdisc");
    return line;
}

int WfdiscSampleSize(const std::string& datatype) {
    if (datatype == "t4" || datatype == "s4" || datatype == "f4" || datatype == "i4") return 4;
    if (datatype == "t8" || datatype == "f8") return 8;
    if (datatype == "s2" || datatype == "i2" || datatype == "g2") return 2;
    return 0;
}

bool IsConvertibleWfdiscType(const std::string& datatype) {
    return datatype == "t4" || datatype == "s4" || datatype == "s2" || datatype == "f4" || datatype == "i4" ||
           datatype == "i2";
}

std::vector<float> ConvertWfdiscSamples(const std::string& datatype, std::string_view bytes) {
    if (!IsConvertibleWfdiscType(datatype))
        throw ZelError(Tr("Не могу конвертировать данные типа %1").arg(datatype));
    const auto size = static_cast<std::size_t>(WfdiscSampleSize(datatype));
    std::vector<float> out(bytes.size() / size);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = SampleValue(datatype, p + i * size);
    return out;
}

std::vector<float> ReadWfdiscSamples(const std::string& wfdiscDir, const WfdiscRecord& line) {
    if (!IsConvertibleWfdiscType(line.datatype))
        throw ZelError(Tr("Не могу конвертировать данные типа %1").arg(line.datatype));
    return ConvertWfdiscSamples(
        line.datatype, ReadSourceBytes(wfdiscDir, SourceOf(wfdiscDir, line).string(), line.foff, line.nsamp,
                                       WfdiscSampleSize(line.datatype)));
}

std::string ImportFileName(const std::string& station, const std::string& channel, double start,
                           int variant) {
    const auto c = EpochToCalendar(start);
    if (!c) throw ZelError(Tr("Не могу создать файл '%1/%2'").arg(station).arg(channel));
    char text[64];
    std::snprintf(text, sizeof text, "%02d%02d%02d-%02d%02d%04d", c->hour, c->minute,
                  static_cast<int>(std::floor(c->second)), c->day, c->month, c->year);
    std::string name = station + "/" + text;
    if (variant > 0) name += "_" + std::to_string(variant);
    return name + "." + channel;
}

CssWaveformImporter::CssWaveformImporter(Db::Connection& work, const std::vector<Station>& stations,
                                         std::string dataDir, bool useTend,
                                         InsertFailureQuestion continueAfterInsertFailure)
    : work_(work),
      stations_(stations),
      dataDir_(std::move(dataDir)),
      useTend_(useTend),
      continueAfterInsertFailure_(std::move(continueAfterInsertFailure)) {}

std::vector<std::string> WfdiscFilesOf(const std::string& folder, std::error_code& ec) {
    std::vector<std::string> files;
    ec.clear();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().find(".wfd") != std::string::npos && !it->is_directory(ec))
            files.push_back(it->path().string());
    std::sort(files.begin(), files.end());
    return files;
}

CssImportReport CssWaveformImporter::ImportDirectory(const std::string& folder, CXChanArray& spans) {
    CssImportReport report;
    std::error_code ec;
    const std::vector<std::string> files = WfdiscFilesOf(folder, ec);
    if (ec) report.errors.push_back(Tr("Ошибка открытия файла %1").arg(folder));
    for (const std::string& file : files) {
        ImportWfdisc(file, spans, report);
        if (report.stopped) return report;
    }
    for (const std::string& file : SacFilesOf(folder, ec)) {
        ImportSac(file, spans, report);
        if (report.stopped) break;
    }
    return report;
}

CssImportReport CssWaveformImporter::ImportSac(const std::string& sacPath, CXChanArray& spans) {
    CssImportReport report;
    ImportSac(sacPath, spans, report);
    return report;
}

void CssWaveformImporter::ImportSac(const std::string& sacPath, CXChanArray& spans, CssImportReport& report) {
    WfdiscRecord line;
    try {
        line = SacAsWfdiscLine(sacPath);
    } catch (const ZelError& e) {
        report.errors.push_back(e.what());
        return;
    }
    const int s = FindStation(stations_, line.sta);
    if (s < 0 || !SlotFor(stations_[static_cast<std::size_t>(s)], line.chan)) {
        report.errors.push_back(
            Tr("Канала %1 %2 нет в таблице станций: %3").arg(line.sta).arg(line.chan).arg(sacPath));
        return;
    }
    const std::string dir = fs::path(sacPath).parent_path().string();
    if (!ImportSegment(dir, line, stations_[static_cast<std::size_t>(s)], spans, report))
        report.stopped = true;
}

CssImportReport CssWaveformImporter::ImportWfdisc(const std::string& wfdiscPath, CXChanArray& spans) {
    CssImportReport report;
    ImportWfdisc(wfdiscPath, spans, report);
    return report;
}

void CssWaveformImporter::ImportWfdisc(const std::string& wfdiscPath, CXChanArray& spans,
                                       CssImportReport& report) {
    const ReadOnlyFile file(wfdiscPath);
    std::string content;
    if (file.notRegular()) {
        report.errors.push_back(Tr("Файл не является обычным файлом: %1").arg(wfdiscPath));
        return;
    }
    if (!file.isOpen()) {
        report.errors.push_back(Tr("Ошибка открытия файла %1").arg(wfdiscPath));
        return;
    }
    const bool readWhole = file.readAll(content);
    std::istringstream in(content);
    const std::string wfdiscDir = fs::path(wfdiscPath).parent_path().string();
    std::string text;
    // Whole lines: a line of another length is not a wfdisc line, whatever its first 283 bytes.
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const auto line = ParseWfdiscLine(text);
        if (!line || line->nsamp <= 0 || !(line->samprate > 0) || !std::isfinite(line->time)) continue;
        const int s = FindStation(stations_, line->sta);
        if (s < 0) continue;
        if (!ImportSegment(wfdiscDir, *line, stations_[static_cast<std::size_t>(s)], spans, report)) {
            report.stopped = true;
            return;
        }
    }
    if (!readWhole) report.errors.push_back(Tr("Ошибка чтения файла %1").arg(wfdiscPath));
}

bool CssWaveformImporter::ImportSegment(const std::string& wfdiscDir, const WfdiscRecord& line,
                                        const Station& station, CXChanArray& spans, CssImportReport& report) {
    const ChannelSlot* slot = SlotFor(station, line.chan);
    if (!slot) return true;
    // A segment that cannot be read is reported and left out; the other segments still come in.
    std::vector<float> samples;
    std::string relative;
    try {
        samples = ReadWfdiscSamples(wfdiscDir, line);
        // A start time no calendar holds has no file name: that segment alone is left out.
        relative = FreeFileName(station.code, line.chan, line.time);
    } catch (const ZelError& e) {
        report.errors.push_back(e.what());
        return true;
    }
    const std::string full = SampleFilePath(dataDir_, relative, true);
    try {
        WriteZelFile(full, station.code, line.chan, line.time, line.samprate, samples);
    } catch (const ZelError&) {
        report.errors.push_back(Tr("Не могу создать файл '%1'").arg(full));
        return false;
    }
    written_.insert(relative);
    const double duration = static_cast<double>(line.nsamp) / line.samprate;
    if (!Catalogue(relative, UpperAscii(station.code), UpperAscii(slot->channel), line, duration)) {
        if (continueAfterInsertFailure_("Error of insert record in ZEL-DB (filelist -> " + relative +
                                        ")\nContinue?"))
            return true;
        return false;
    }
    ++report.segments;
    spans.AddSpan(station.code, slot->channel, line.time,
                  line.time + static_cast<double>(line.nsamp - 1) / line.samprate);
    return true;
}

std::string CssWaveformImporter::FreeFileName(const std::string& station, const std::string& channel,
                                              double start) {
    // A name is reused only by the same segment imported again: another segment starting in the
    // same second, in this import or an earlier one, gets a file of its own.
    for (int variant = 0;; ++variant) {
        const std::string relative = ImportFileName(station, channel, start, variant);
        if (written_.count(relative)) continue;
        std::error_code ec;
        if (!fs::exists(SampleFilePath(dataDir_, relative, true), ec) && !ec) return relative;
        Db::Statement st(work_);
        st.execute(
            "select count(*) from FILELIST where replace(CPATH, ?, ?) = ? and STA = ? and CH = ? and "
            "TBEGIN = ?",
            {std::string("\\"), std::string("/"), relative, UpperAscii(station), UpperAscii(channel), start});
        if (st.fetch() && st.integer(0).value_or(0) > 0) return relative;
    }
}

bool CssWaveformImporter::Catalogue(const std::string& relativePath, const std::string& station,
                                    const std::string& channel, const WfdiscRecord& line, double duration) {
    std::vector<Db::Value> values{station,    line.samprate, ForwardSlashes(relativePath),
                                  channel,    line.time,     duration,
                                  Db::Null{}, line.calib,    line.calper};
    if (useTend_) values[6] = line.time + duration;
    try {
        Db::Transaction transaction(work_);
        // The file under this path was just rewritten: rows of this path described its old content.
        DeleteCatalogueRowsByPath(work_, relativePath);
        work_.execute(
            "insert into FILELIST (STA, SPS, GAIN, CPATH, DATATYPE, CH, CREATER, LDDATE, TBEGIN, TQTY, "
            "TEND, CALIB, CALPER, FOFF) values (?, ?, 1, ?, 3, ?, 'CSS2ZEL_import', " +
                NowTimestampLiteral() + ", ?, ?, ?, ?, ?, 512)",
            values);
        transaction.commit();
        return true;
    } catch (const ZelError&) {
        return false;
    }
}

void ExportWfdisc(const std::string& wfdiscPath, const XZELDataBlockArrays& channels,
                  WfdiscExportFormat format) {
    const fs::path dir = fs::path(wfdiscPath).parent_path();
    std::string index;
    int running = 0;
    try {
        for (const ZELDataBlockArray& channel : channels) {
            for (const ZELDataBlock& block : channel.blocks) {
                if (block.Empty() || !block.HasTimeAxis()) continue;
                const auto c = EpochToCalendar(block.begin);
                if (!c) continue;
                WfdiscRecord r;
                r.sta = channel.station;
                r.chan = LowerAscii(channel.channel);
                r.time = block.begin;
                // The time of the last sample, as every CSS reader takes it.
                r.endtime = block.begin + static_cast<double>(block.Count() - 1) / block.sps;
                r.jdate = JDate(c->year, c->month, c->day);
                r.nsamp = static_cast<long long>(block.Count());
                r.samprate = block.sps;
                r.calib = block.calib;
                r.calper = block.calper;
                r.datatype = DatatypeOf(format);
                r.dir = ".";
                char dfile[128];
                std::snprintf(dfile, sizeof dfile, "%d-%02d%02d%02d%02d%02d%04d-%s-%s.w", running++, c->hour,
                              c->minute, static_cast<int>(std::floor(c->second)), c->day, c->month, c->year,
                              r.sta.c_str(), r.chan.c_str());
                r.dfile = dfile;
                r.foff = 0;
                r.lddate = FormatTime(block.begin, 11);
                index += FormatWfdiscLine(r);
                WriteFileAtomically((dir / r.dfile).string(), SampleBytes(block.samples, format));
            }
        }
        // The index last, so it never names a sample file that was not written.
        WriteFileAtomically(wfdiscPath, index);
    } catch (const ZelError&) {
        throw ZelError("Ошибка записи файла wfdisc");
    }
}

}  // namespace zel
