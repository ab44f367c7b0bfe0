#pragma once
// MiniSEED sample files (SEED data records, read and written with libmseed): the continuous runs
// of each channel a file holds, the samples of one run that fall in a time window, and Steim-2
// files written from data blocks. A catalogue row names one run by the byte of its first record,
// so a network's archive is read where it lies; reading a window decodes only the records it
// needs.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/SampleFile.h"
#include "data/ZELDataBlock.h"

namespace zel {

// One gap-free run of one channel in a file: consecutive records whose samples follow each other
// within half a sample. A gap or an overlap starts a new run.
struct MiniSeedRun {
    std::string network, station, location, channel;
    double begin = 0.0;  // epoch seconds of the first sample
    double sps = 0.0;
    std::int64_t count = 0;      // samples
    std::int64_t firstByte = 0;  // offset of the run's first record in the file

    double Duration() const { return sps > 0 ? static_cast<double>(count) / sps : 0.0; }
};

struct MiniSeedContents {
    std::vector<MiniSeedRun> runs;  // in the order their first records lie in the file
    std::int64_t textRecords = 0;   // ASCII (log) records: text, never samples
    std::int64_t skippedBytes = 0;  // bytes that held no readable data record
};

// True when the file begins with a MiniSEED record.
bool IsMiniSeedFile(const std::string& path);

// The runs of a file from its record headers alone (no sample is decoded). Throws ZelError when
// the file cannot be opened or holds no MiniSEED record.
MiniSeedContents ScanMiniSeedFile(const std::string& path);

// Reads the samples of the run at segment.fileOffset that fall in [t1, t2], with the window rule
// of every sample file (WindowOfSegment against the catalogued begin, duration and rate). Only
// records of the run's own channel are used, and only those the window needs are decoded; text
// records are refused as an unknown encoding, never read as samples. A file that no longer holds
// the run (changed, cut or gone) gives the samples that are really there, or no block.
ReadResult ReadMiniSeedSegment(ZELDataBlock& block, const std::string& fullPath,
                               const SegmentLocation& segment, double t1, double t2);

// The identity a written file gives its records.
struct MiniSeedChannel {
    std::string network, station, location, channel;
};

// The blocks as Steim-2 records of 512 bytes (big-endian), one record sequence per block. The
// samples are counts: each is rounded to the nearest integer. Throws ZelError for a code too long
// for a record header, a block without a usable rate, or a value Steim-2 cannot hold.
std::string MiniSeedBytes(const MiniSeedChannel& id, const std::vector<ZELDataBlock>& blocks);

}  // namespace zel
