#include "data/SampleFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "base/ReadOnlyFile.h"
#include "base/ReplaceFile.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/MiniSeed.h"

namespace zel {
namespace {

constexpr std::size_t kHeaderSize = 512;

std::int32_t SignExtend24(std::uint32_t v) { return static_cast<std::int32_t>(v << 8) >> 8; }

void AppendTwoDigits(std::string& out, long long v) {
    out += static_cast<char>('0' + (v / 10) % 10);
    out += static_cast<char>('0' + v % 10);
}

// "hh mm ss" of a second count within a day.
std::string ClockText(long long secondOfDay) {
    std::string out;
    AppendTwoDigits(out, secondOfDay / 3600);
    out += ' ';
    AppendTwoDigits(out, secondOfDay / 60 % 60);
    out += ' ';
    AppendTwoDigits(out, secondOfDay % 60);
    return out;
}

bool HasLineBreakingBytes(std::string_view text) {
    for (char c : text)
        if (c == '\r' || c == '\n' || c == '\0') return true;
    return false;
}

}  // namespace

int BytesPerSample(int encoding) {
    switch (encoding) {
        case kEncodingInt8:
            return 1;
        case kEncodingInt16Le:
        case kEncodingUInt16Le:
            return 2;
        case kEncodingInt24Be:
            return 3;
        default:
            return 4;
    }
}

bool IsDecodableEncoding(int encoding) {
    switch (encoding) {
        case kEncodingInt8:
        case kEncodingInt16Le:
        case kEncodingInt32Le:
        case kEncodingFloat32Le:
        case kEncodingUInt16Le:
        case kEncodingInt32Be:
        case kEncodingInt24Be:
            return true;
        default:
            return false;
    }
}

namespace {

// Whole words from possibly unaligned bytes; memcpy also keeps the in-place decoding well defined.
std::uint32_t Word(const unsigned char* b) {
    std::uint32_t w;
    std::memcpy(&w, b, 4);
    return w;
}
std::uint32_t Swapped(std::uint32_t w) { return __builtin_bswap32(w); }
std::uint32_t LittleEndianWord(const unsigned char* b) {
    return std::endian::native == std::endian::little ? Word(b) : Swapped(Word(b));
}
std::uint32_t BigEndianWord(const unsigned char* b) {
    return std::endian::native == std::endian::little ? Swapped(Word(b)) : Word(b);
}

// Chunk by chunk: the chunk's bytes are copied aside before its samples are written, and a
// sample lies at or before the bytes of every later one, so the decoding may run in place (see
// DecodeSamples). The fixed-length inner loop works on memory nothing else points to, which the
// compiler turns into vector instructions.
template <std::size_t width, class Decode>
void DecodeEach(const unsigned char* b, std::size_t count, float* out, Decode decode) {
    constexpr std::size_t kChunk = 512;
    unsigned char local[kChunk * width];
    float decoded[kChunk];
    std::size_t i = 0;
    for (; i + kChunk <= count; i += kChunk) {
        std::memcpy(local, b + width * i, sizeof local);
        for (std::size_t k = 0; k < kChunk; ++k) decoded[k] = decode(local + width * k);
        std::memcpy(out + i, decoded, sizeof decoded);
    }
    const std::size_t rest = count - i;
    std::memcpy(local, b + width * i, width * rest);
    for (std::size_t k = 0; k < rest; ++k) decoded[k] = decode(local + width * k);
    std::memcpy(out + i, decoded, rest * sizeof(float));
}

#if defined(__x86_64__)
// Big-endian int32 and int24 samples four at a time: one byte shuffle puts each sample's bytes in
// the top of a 32-bit lane, an arithmetic shift extends the sign. Loads run 16 bytes ahead, so
// the loop stops where they would pass the last sample's bytes; the caller decodes the rest.
// In place (the bytes ending where the floats end) every load comes before the store over it.
// Returns the number of samples decoded.
__attribute__((target("ssse3"))) std::size_t DecodeBigEndianInLanes(std::size_t width, const unsigned char* b,
                                                                    std::size_t count, float* out) {
    const __m128i order = width == 3 ? _mm_setr_epi8(-1, 2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9)
                                     : _mm_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12);
    const int shift = width == 3 ? 8 : 0;
    std::size_t i = 0;
    for (; width * i + 16 <= width * count; i += 4) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + width * i));
        const __m128i values = _mm_sra_epi32(_mm_shuffle_epi8(bytes, order), _mm_cvtsi32_si128(shift));
        _mm_storeu_ps(out + i, _mm_cvtepi32_ps(values));
    }
    return i;
}

bool HasByteShuffles() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#endif

// The part the lanes above leave, or all where the processor has no byte shuffles.
template <std::size_t width, class Decode>
void DecodeBigEndian(const unsigned char* b, std::size_t count, float* out, Decode decode) {
    std::size_t done = 0;
#if defined(__x86_64__)
    if (HasByteShuffles()) done = DecodeBigEndianInLanes(width, b, count, out);
#endif
    DecodeEach<width>(b + width * done, count - done, out + done, decode);
}

}  // namespace

void DecodeSamples(int encoding, const unsigned char* b, std::size_t count, float* out) {
    switch (encoding) {
        case kEncodingInt8:
            DecodeEach<1>(b, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int8_t>(*p));
            });
            break;
        case kEncodingInt16Le:
            DecodeEach<2>(b, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int16_t>(p[0] | p[1] << 8));
            });
            break;
        case kEncodingUInt16Le:
            DecodeEach<2>(b, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
            });
            break;
        case kEncodingInt32Le:
            DecodeEach<4>(b, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int32_t>(LittleEndianWord(p)));
            });
            break;
        case kEncodingFloat32Le:
            DecodeEach<4>(b, count, out,
                          [](const unsigned char* p) { return std::bit_cast<float>(LittleEndianWord(p)); });
            break;
        case kEncodingInt32Be:
            DecodeBigEndian<4>(b, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int32_t>(BigEndianWord(p)));
            });
            break;
        case kEncodingInt24Be:
            DecodeBigEndian<3>(b, count, out, [](const unsigned char* p) {
                return static_cast<float>(
                    SignExtend24(std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2])));
            });
            break;
        default:
            throw ZelError(Tr("DecodeSamples: encoding %1 is not decodable").arg(encoding));
    }
}

bool IsAbsoluteCatalogPath(std::string_view path) {
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return true;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return true;
    return path.size() >= 2 && path[1] == ':';
}

std::string SampleFilePath(std::string_view dataDir, std::string_view path, bool relative) {
    std::string full;
    if (relative) {
        full = dataDir;
        if (!full.empty() && full.back() != '\\' && full.back() != '/') full += '/';
        if (!path.empty() && (path.front() == '\\' || path.front() == '/')) path.remove_prefix(1);
    }
    full += path;
    for (char& c : full)
        if (c == '\\') c = '/';
    return full;
}

SegmentWindow WindowOfSegment(double segmentBegin, double duration, double sps, double t1, double t2) {
    SegmentWindow w;
    // A row with no rate or a negative length has no samples to give.
    if (!(sps > 0.0) || !std::isfinite(sps) || !(duration >= 0.0) || !std::isfinite(segmentBegin)) return w;
    const double segmentEnd = segmentBegin + duration;
    double first = 0.0;
    if (t1 <= segmentBegin && segmentBegin <= t2) {
        w.begin = segmentBegin;
    } else if (segmentBegin < t1 && t1 < segmentEnd) {
        first = std::trunc((t1 - segmentBegin) * sps);
        w.begin = segmentBegin + first / sps;
    } else {
        return w;
    }
    // Counts beyond any real file are cut later against the file's size; here they only must not overflow.
    constexpr double kLimit = 1.0e15;
    // A window reaching the segment's end counts from the duration itself: an epoch time's rounding,
    // or a rate such as 1 / 0.01f (100.0000002 Hz), would otherwise cost the segment its last sample.
    const double n = t2 >= segmentEnd ? std::min(std::trunc(duration * sps - first + 1e-6), kLimit)
                                      : std::min(std::trunc((t2 - w.begin) * sps), kLimit);
    if (!(n > 0.0) || first > kLimit) return SegmentWindow{};
    w.first = static_cast<std::int64_t>(first);
    w.count = static_cast<std::int64_t>(n);
    return w;
}

ReadResult ReadSegment(ZELDataBlock& block, std::string_view dataDir, const SegmentLocation& segment,
                       double t1, double t2, SpareSampleBuffers* spare) {
    ReadResult result;
    const SegmentWindow w = WindowOfSegment(segment.begin, segment.duration, segment.sps, t1, t2);
    if (w.count == 0) return result;
    result.fullPath = SampleFilePath(dataDir, segment.path, segment.relative);
    if (segment.encoding == kEncodingMiniSeed) return ReadMiniSeedSegment(block, result.fullPath, segment, t1, t2);
    result.expected = static_cast<std::size_t>(w.count);
    if (!IsDecodableEncoding(segment.encoding)) {
        result.status = ReadStatus::UnknownEncoding;
        return result;
    }
    result.status = ReadStatus::MissingFile;
    // A pipe catalogued as a sample file is a missing file, never a wait.
    const ReadOnlyFile file(result.fullPath);
    if (!file.isOpen()) return result;
    const auto fileSize = static_cast<std::int64_t>(file.size());

    const int bytes = BytesPerSample(segment.encoding);
    // Only as many samples as the file really holds are allocated, whatever the row claims.
    const double start = static_cast<double>(segment.fileOffset) + static_cast<double>(w.first) * bytes;
    if (segment.fileOffset < 0 || start >= static_cast<double>(fileSize)) return result;
    const std::int64_t startByte = segment.fileOffset + w.first * bytes;
    const std::int64_t available = (fileSize - startByte) / bytes;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(w.count, available));
    if (wanted == 0) return result;

    // The file's bytes go to the end of the sample buffer and are decoded forwards in place: one
    // buffer, one pass. Little-endian floats on a little-endian machine already are the samples.
    std::vector<float> samples = spare ? spare->take(wanted) : std::vector<float>(wanted);
    auto* buffer = reinterpret_cast<unsigned char*>(samples.data());
    const std::size_t rawBytes = wanted * static_cast<std::size_t>(bytes);
    unsigned char* raw = buffer + (wanted * sizeof(float) - rawBytes);
    const std::size_t got =
        file.readAt(raw, rawBytes, static_cast<std::uint64_t>(startByte)) / static_cast<std::size_t>(bytes);
    if (!(segment.encoding == kEncodingFloat32Le && std::endian::native == std::endian::little))
        DecodeSamples(segment.encoding, raw, got, samples.data());
    if (got == 0) return result;
    samples.resize(got);
    block.samples = std::move(samples);
    block.begin = w.begin;
    block.sps = segment.sps;
    result.status = got == result.expected ? ReadStatus::Complete : ReadStatus::Short;
    return result;
}

std::string ZelHeader(std::string_view station, std::string_view channel, double start, double duration,
                      double sps) {
    if (HasLineBreakingBytes(station) || HasLineBreakingBytes(channel))
        throw ZelError("Коды станции и канала не могут содержать переводов строки");
    // Outside the calendar the date below would overflow.
    if (!(start >= kFirstEpoch && start < kEndEpoch) || !std::isfinite(duration) || duration < 0 ||
        !std::isfinite(sps))
        throw ZelError("Неверные время, длительность или частота для заголовка файла");
    const double whole = std::floor(start);
    const long long days = static_cast<long long>(std::floor(whole / 86400.0));
    const long long secondOfDay = static_cast<long long>(whole - static_cast<double>(days) * 86400.0);
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    // The duration is broken down like a time of day: whole days drop out.
    const long long durationSeconds = static_cast<long long>(std::fmod(std::floor(duration), 86400.0));

    char rate[64];
    auto [end, ec] = std::to_chars(rate, rate + sizeof rate, sps, std::chars_format::fixed, 6);
    if (ec != std::errc()) throw ZelError("Неверная частота для заголовка файла");

    std::string text =
        "[ZEL4.0]\r\nData offset=512\r\nStart time=" + ClockText(secondOfDay) + "\r\nStart date=";
    AppendTwoDigits(text, static_cast<unsigned>(date.day()));
    text += ' ';
    AppendTwoDigits(text, static_cast<unsigned>(date.month()));
    text += ' ';
    const int year = static_cast<int>(date.year());
    char yearText[16];
    std::snprintf(yearText, sizeof yearText, "%04d", year);
    text += yearText;
    text += "\r\nTime duration=" + ClockText(durationSeconds) + "\r\nData Type=FLOAT\r\nSpS=";
    text.append(rate, end);
    text += "\r\nStation=";
    text += station;
    text += "\r\nChannels=\"";
    text += channel;
    text += "\"\r\n";
    // At least one zero byte must end the text inside the header.
    if (text.size() >= kHeaderSize)
        throw ZelError("Коды станции и канала слишком длинны для заголовка файла");
    text.resize(kHeaderSize, '\0');
    return text;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    WriteFileAtomically(path, FilePieces(&bytes, 1));
}

void WriteFileAtomically(const std::string& path, FilePieces pieces) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    if (const auto failure = ReplaceFile(path, pieces)) {
        if (!failure->opened)
            throw ZelError(Tr("Не могу создать файл '%1': %2").arg(path).arg(FileWriteReason(*failure)));
        throw ZelError(Tr("Ошибка записи файла '%1': %2").arg(path).arg(FileWriteReason(*failure)));
    }
}

void WriteZelFile(const std::string& path, std::string_view station, std::string_view channel, double start,
                  double sps, const std::vector<float>& samples) {
    const double duration = sps > 0 ? static_cast<double>(samples.size()) / sps : 0.0;
    const std::string header = ZelHeader(station, channel, start, duration, sps);
    // The samples are little-endian floats: on such a machine they are written as they lie.
    std::string swapped;
    std::string_view body(reinterpret_cast<const char*>(samples.data()), samples.size() * sizeof(float));
    if constexpr (std::endian::native != std::endian::little) {
        swapped.reserve(body.size());
        for (float v : samples) {
            const std::uint32_t u = std::bit_cast<std::uint32_t>(v);
            for (int shift = 0; shift < 32; shift += 8) swapped += static_cast<char>(u >> shift & 0xFF);
        }
        body = swapped;
    }
    const std::string_view pieces[] = {header, body};
    WriteFileAtomically(path, pieces);
}

}  // namespace zel
