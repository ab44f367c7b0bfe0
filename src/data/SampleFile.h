#pragma once
// The sample files of the disk loop: where a catalogued path lies on this machine, how each
// catalogued encoding decodes into float samples, reading the part of a segment that falls in a
// time window, and the "[ZEL4.0]" files the program writes itself.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ReplaceFile.h"
#include "data/SpareSampleBuffers.h"
#include "data/ZELDataBlock.h"

namespace zel {

// DATATYPE codes of FILELIST.
enum SampleEncoding : int {
    kEncodingInt8 = 0,
    kEncodingInt16Le = 1,
    kEncodingInt32Le = 2,
    kEncodingFloat32Le = 3,
    kEncodingUndecoded = 4,
    kEncodingUInt16Le = 5,
    kEncodingInt32Be = 6,
    kEncodingInt24Be = 7,
    // Not a sample layout: the row names one continuous run of a MiniSEED file, FOFF being the
    // byte of its first record (data/MiniSeed.h). Readers that do not know the code see a gap.
    kEncodingMiniSeed = 10,
};

// Bytes one sample takes in a file; 4 for codes that are not decoded.
int BytesPerSample(int encoding);
bool IsDecodableEncoding(int encoding);
// Decodes count samples from bytes (count * BytesPerSample bytes). Only for decodable encodings.
// May run in place: bytes may lie inside out's storage, as long as they end where out's count
// floats end (the file's bytes read into the tail of the sample buffer).
void DecodeSamples(int encoding, const unsigned char* bytes, std::size_t count, float* out);

// The catalogue's rule: a path is absolute when it starts with "//" or "\\" or has a drive
// letter ("X:"); everything else is relative to the data directory.
bool IsAbsoluteCatalogPath(std::string_view path);

// The file a catalogued path names on this machine: a relative path is joined to the data
// directory (its own leading separator dropped), an absolute one is used as it is; then every
// "\" becomes "/".
std::string SampleFilePath(std::string_view dataDir, std::string_view path, bool relative);

// Where one catalogued segment is and how it is stored.
struct SegmentLocation {
    std::string path;  // as catalogued
    bool relative = true;
    std::int64_t fileOffset = 512;  // byte of the segment's first sample
    double begin = 0.0;             // epoch seconds of the first sample
    double duration = 0.0;          // seconds
    double sps = 0.0;
    int encoding = kEncodingFloat32Le;
};

enum class ReadStatus {
    NoOverlap,        // the window and the segment share no sample; the block is untouched
    Complete,         // every sample of the window was read
    Short,            // the file ended early: the block holds the samples that exist
    MissingFile,      // the file could not be opened or holds none of the samples: no block
    UnknownEncoding,  // the encoding cannot be decoded: no block
};

struct ReadResult {
    ReadStatus status = ReadStatus::NoOverlap;
    std::string fullPath;      // the file that was (or would have been) opened
    std::size_t expected = 0;  // samples the window asks for
    // True when the block was filled with at least one sample.
    bool HasBlock() const { return status == ReadStatus::Complete || status == ReadStatus::Short; }
};

// Reads the samples of the segment that fall in [t1, t2] into block (begin, sps and samples;
// calib and calper are left to the caller). The first sample is the one at or before t1. Only
// samples that really are in the file are returned: a missing or short file, or an encoding that
// cannot be decoded, leaves a gap rather than invented zeros. The file is read with one seek and
// one read of exactly the bytes needed, into a spare buffer when one fits.
ReadResult ReadSegment(ZELDataBlock& block, std::string_view dataDir, const SegmentLocation& segment,
                       double t1, double t2, SpareSampleBuffers* spare = nullptr);

// The window part of a segment: index of its first sample, its begin and its sample count.
struct SegmentWindow {
    std::int64_t first = 0;
    double begin = 0.0;
    std::int64_t count = 0;
};
// count 0 when they share no sample (including a segment without a usable rate or length).
SegmentWindow WindowOfSegment(double segmentBegin, double duration, double sps, double t1, double t2);

// The 512-byte "[ZEL4.0]" header: the text lines, then zero bytes. Throws ZelError when the
// codes are too long to fit or would break the line structure, or the start lies outside the
// calendar (years 1 to 9999).
std::string ZelHeader(std::string_view station, std::string_view channel, double start, double duration,
                      double sps);

// Writes a whole "[ZEL4.0]" file (header, then the samples as little-endian floats) through a
// temporary file and a rename, so a failure never leaves half a file under the final name.
// Throws ZelError.
void WriteZelFile(const std::string& path, std::string_view station, std::string_view channel, double start,
                  double sps, const std::vector<float>& samples);

// Writes bytes to a file through a temporary file and a rename; creates missing directories.
// Throws ZelError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
void WriteFileAtomically(const std::string& path, FilePieces pieces);

}  // namespace zel
