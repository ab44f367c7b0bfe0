#include "data/MiniSeed.h"

#include <libmseed.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "base/ReadOnlyFile.h"
#include "base/ZelError.h"

namespace zel {
namespace {

// A record is searched for in this many bytes when it carries no length of its own (no
// blockette 1000): the longest record a real network writes, and the header of the next one.
constexpr int kLongestRecord = 8192;
constexpr int kDetectBytes = 128;
// Bytes read at once while walking the records of a window.
constexpr std::size_t kReadAhead = 64 * 1024;

struct RecordDeleter {
    void operator()(MSRecord* msr) const { msr_free(&msr); }
};
using RecordPtr = std::unique_ptr<MSRecord, RecordDeleter>;

double EpochOf(hptime_t t) { return static_cast<double>(t) / HPTMODULUS; }

std::string IdentityOf(const MSRecord& r) {
    return std::string(r.network) + '.' + r.station + '.' + r.location + '.' + r.channel;
}

// The records of one open file, read through a buffer so that walking them costs few reads.
class RecordFile {
  public:
    // Only a regular file is opened: a FIFO named in an archive would block the scan.
    explicit RecordFile(const std::string& path) : file_(path) {
        if (file_.isOpen()) size_ = static_cast<std::int64_t>(file_.size());
    }
    bool IsOpen() const { return size_ >= 0; }
    std::int64_t Size() const { return size_; }

    // The record that starts at offset, headers parsed and, with decode, its samples; nullptr
    // when no record starts there. readAhead is how far past the record the buffer may reach.
    MSRecord* At(std::int64_t offset, bool decode, std::size_t readAhead) {
        if (offset < 0 || offset >= size_) return nullptr;
        int length = DetectLength(offset, readAhead);
        if (length <= 0 || offset + length > size_) return nullptr;
        char* record = Bytes(offset, static_cast<std::size_t>(length), readAhead);
        if (!record) return nullptr;
        MSRecord* msr = record_.release();
        const int rc = msr_unpack(record, length, &msr, decode ? 1 : 0, 0);
        record_.reset(msr);
        if (rc != MS_NOERROR) return nullptr;
        return record_.get();
    }

  private:
    int DetectLength(std::int64_t offset, std::size_t readAhead) {
        const std::int64_t left = size_ - offset;
        const int first = static_cast<int>(std::min<std::int64_t>(kDetectBytes, left));
        const char* head = Bytes(offset, static_cast<std::size_t>(first), readAhead);
        if (!head) return -1;
        int length = ms_detect(head, first);
        if (length != 0) return length;
        // No blockette 1000: the record ends where the next header begins, or at the file's end.
        const int wide = static_cast<int>(std::min<std::int64_t>(kLongestRecord + 64, left));
        head = Bytes(offset, static_cast<std::size_t>(wide), readAhead);
        if (!head) return -1;
        length = ms_detect(head, wide);
        if (length == 0 && left <= kLongestRecord) length = static_cast<int>(left);
        return length;
    }

    char* Bytes(std::int64_t offset, std::size_t length, std::size_t readAhead) {
        if (offset >= bufferStart_ && offset + static_cast<std::int64_t>(length) <=
                                          bufferStart_ + static_cast<std::int64_t>(bufferLength_))
            return buffer_.data() + (offset - bufferStart_);
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::int64_t>(std::max(length, readAhead), size_ - offset));
        if (buffer_.size() < want) buffer_.resize(want);
        bufferStart_ = offset;
        bufferLength_ = file_.readAt(buffer_.data(), want, static_cast<std::uint64_t>(offset));
        return bufferLength_ >= length ? buffer_.data() : nullptr;
    }

    ReadOnlyFile file_;
    std::int64_t size_ = -1;
    std::vector<char> buffer_;
    std::int64_t bufferStart_ = 0;
    std::size_t bufferLength_ = 0;
    RecordPtr record_{msr_init(nullptr)};
};

bool HoldsSamples(const MSRecord& r) { return r.samplecnt > 0 && r.samprate > 0.0; }

// Sample index of a record within a run, by its start time.
std::int64_t IndexInRun(const MSRecord& r, double runBegin, double sps) {
    return std::llround((EpochOf(r.starttime) - runBegin) * sps);
}

void AppendSamples(const MSRecord& r, std::int64_t from, std::int64_t count, std::vector<float>& out) {
    for (std::int64_t i = from; i < from + count; ++i) {
        switch (r.sampletype) {
            case 'i':
                out.push_back(static_cast<float>(static_cast<const std::int32_t*>(r.datasamples)[i]));
                break;
            case 'f':
                out.push_back(static_cast<const float*>(r.datasamples)[i]);
                break;
            case 'd':
                out.push_back(static_cast<float>(static_cast<const double*>(r.datasamples)[i]));
                break;
        }
    }
}

// The first record of the window: the last record of the run whose first sample index is at or
// before 'first'. Records of one run usually have one length, so record k lies k lengths after
// the run's first; a probe that finds anything else ends the search at the run's first record.
std::int64_t FirstRecordOfWindow(RecordFile& file, std::int64_t runStart, const std::string& identity,
                                 int length, double begin, double sps, std::int64_t first) {
    if (first == 0 || length <= 0) return runStart;
    std::int64_t lo = 0, hi = (file.Size() - runStart) / length - 1;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo + 1) / 2;
        const MSRecord* r = file.At(runStart + mid * length, false, 0);
        if (!r || r->reclen != length || IdentityOf(*r) != identity) return runStart;
        if (IndexInRun(*r, begin, sps) <= first)
            lo = mid;
        else
            hi = mid - 1;
    }
    // The record found must hold the sample; otherwise the file is not laid out as assumed.
    const MSRecord* found = file.At(runStart + lo * length, false, 0);
    if (!found || IndexInRun(*found, begin, sps) + found->samplecnt <= first) return runStart;
    return runStart + lo * length;
}

}  // namespace

bool IsMiniSeedFile(const std::string& path) {
    RecordFile file(path);
    return file.IsOpen() && file.At(0, false, 0) != nullptr;
}

MiniSeedContents ScanMiniSeedFile(const std::string& path) {
    RecordFile file(path);
    if (!file.IsOpen()) throw ZelError(Tr("Ошибка открытия файла %1").arg(path));
    MiniSeedContents contents;
    // The run each channel is extending, as an index into contents.runs.
    std::map<std::string, std::size_t> open;
    std::int64_t offset = 0;
    bool anyRecord = false;
    while (offset < file.Size()) {
        const MSRecord* r = file.At(offset, false, 1 << 20);
        if (!r) {
            // Not a record here: look for the next one at the smallest record step.
            contents.skippedBytes += 64;
            offset += 64;
            continue;
        }
        anyRecord = true;
        const std::int64_t here = offset;
        offset += r->reclen;
        if (r->encoding == DE_ASCII) {
            ++contents.textRecords;
            continue;
        }
        if (!HoldsSamples(*r)) continue;
        const std::string identity = IdentityOf(*r);
        const double start = EpochOf(r->starttime);
        auto it = open.find(identity);
        if (it != open.end()) {
            MiniSeedRun& run = contents.runs[it->second];
            const double expected = run.begin + static_cast<double>(run.count) / run.sps;
            if (MS_ISRATETOLERABLE(r->samprate, run.sps) && std::fabs(start - expected) <= 0.5 / run.sps) {
                run.count += r->samplecnt;
                continue;
            }
        }
        MiniSeedRun run;
        run.network = r->network;
        run.station = r->station;
        run.location = r->location;
        run.channel = r->channel;
        run.begin = start;
        run.sps = r->samprate;
        run.count = r->samplecnt;
        run.firstByte = here;
        open[identity] = contents.runs.size();
        contents.runs.push_back(std::move(run));
    }
    if (!anyRecord) throw ZelError(Tr("Файл не содержит записей MiniSEED: %1").arg(path));
    return contents;
}

ReadResult ReadMiniSeedSegment(ZELDataBlock& block, const std::string& fullPath,
                               const SegmentLocation& segment, double t1, double t2) {
    ReadResult result;
    const SegmentWindow w = WindowOfSegment(segment.begin, segment.duration, segment.sps, t1, t2);
    if (w.count == 0) return result;
    result.fullPath = fullPath;
    result.expected = static_cast<std::size_t>(w.count);
    result.status = ReadStatus::MissingFile;
    RecordFile file(fullPath);
    if (!file.IsOpen()) return result;
    const MSRecord* head = file.At(segment.fileOffset, false, 0);
    if (!head || !HoldsSamples(*head)) {
        if (head && head->encoding == DE_ASCII) result.status = ReadStatus::UnknownEncoding;
        return result;
    }
    const std::string identity = IdentityOf(*head);
    const int length = head->reclen;
    if (IndexInRun(*head, segment.begin, segment.sps) != 0) return result;  // the file has changed

    const std::int64_t end = w.first + w.count;
    std::vector<float> samples;
    samples.reserve(result.expected);
    std::int64_t next = w.first;  // index of the next sample wanted
    std::int64_t offset =
        FirstRecordOfWindow(file, segment.fileOffset, identity, length, segment.begin, segment.sps, w.first);
    while (next < end) {
        const MSRecord* r = file.At(offset, false, kReadAhead);
        if (!r) break;
        const int recordLength = r->reclen;
        if (IdentityOf(*r) != identity || !HoldsSamples(*r)) {
            // Another channel's record in a multiplexed file, or one without samples.
            offset += recordLength;
            continue;
        }
        const std::int64_t index = IndexInRun(*r, segment.begin, segment.sps);
        if (index > next || !MS_ISRATETOLERABLE(r->samprate, segment.sps)) break;  // not this run any more
        if (index + r->samplecnt > next) {
            r = file.At(offset, true, kReadAhead);
            if (!r || r->numsamples <= 0) break;
            if (r->sampletype == 'a') {
                if (samples.empty()) result.status = ReadStatus::UnknownEncoding;
                break;
            }
            const std::int64_t from = next - index;
            const std::int64_t take = std::min(r->numsamples - from, end - next);
            if (take <= 0) break;
            AppendSamples(*r, from, take, samples);
            next += take;
        }
        offset += recordLength;
    }
    if (samples.empty()) return result;
    block.samples = std::move(samples);
    block.begin = w.begin;
    block.sps = segment.sps;
    result.status = block.Count() == result.expected ? ReadStatus::Complete : ReadStatus::Short;
    return result;
}

namespace {

// tooLong: the analyst's text for a code wider than its field, %1 the code.
void CopyCode(char (&field)[11], const std::string& code, std::size_t width, const char* tooLong) {
    if (code.size() > width) throw ZelError(Tr(tooLong).arg(code));
    std::memset(field, 0, sizeof field);
    std::memcpy(field, code.data(), code.size());
}

struct TraceDeleter {
    void operator()(MSTrace* mst) const { mst_free(&mst); }
};

void CollectRecord(char* record, int length, void* out) {
    static_cast<std::string*>(out)->append(record, length);
}

}  // namespace

std::string MiniSeedBytes(const MiniSeedChannel& id, const std::vector<ZELDataBlock>& blocks) {
    // Steim-2 holds differences of up to 30 bits: values inside +-2^29 always fit.
    constexpr double kLargest = 536870911.0;
    std::string bytes;
    for (const ZELDataBlock& block : blocks) {
        if (block.Empty()) continue;
        if (!block.HasTimeAxis()) throw ZelError("Блок без частоты дискретизации нельзя записать в MiniSEED");
        std::unique_ptr<MSTrace, TraceDeleter> trace(mst_init(nullptr));
        CopyCode(trace->network, id.network, 2, ZEL_TR_NOOP("Слишком длинный код сети для MiniSEED: %1"));
        CopyCode(trace->station, id.station, 5, ZEL_TR_NOOP("Слишком длинный код станции для MiniSEED: %1"));
        CopyCode(trace->location, id.location, 2, ZEL_TR_NOOP("Слишком длинный код места для MiniSEED: %1"));
        CopyCode(trace->channel, id.channel, 3, ZEL_TR_NOOP("Слишком длинный код канала для MiniSEED: %1"));
        trace->dataquality = 'D';
        trace->starttime = static_cast<hptime_t>(std::llround(block.begin * HPTMODULUS));
        trace->samprate = block.sps;
        // libmseed owns and frees the sample buffer.
        auto* samples = static_cast<std::int32_t*>(std::malloc(block.Count() * sizeof(std::int32_t)));
        if (!samples) throw ZelError("Недостаточно памяти для записи MiniSEED");
        trace->datasamples = samples;
        for (std::size_t i = 0; i < block.Count(); ++i) {
            const double v = std::nearbyint(static_cast<double>(block.samples[i]));
            if (!(std::fabs(v) <= kLargest))
                throw ZelError(Tr("Значение отсчета не может быть записано в MiniSEED (Steim-2): %1")
                                   .arg(std::to_string(block.samples[i])));
            samples[i] = static_cast<std::int32_t>(v);
        }
        trace->numsamples = trace->samplecnt = static_cast<std::int64_t>(block.Count());
        trace->sampletype = 'i';
        std::int64_t packed = 0;
        if (mst_pack(trace.get(), CollectRecord, &bytes, 512, DE_STEIM2, 1, &packed, 1, 0, nullptr) < 0 ||
            packed != static_cast<std::int64_t>(block.Count()))
            throw ZelError("Ошибка упаковки данных MiniSEED");
    }
    return bytes;
}

}  // namespace zel
