// libFuzzer target for the disk-loop sample files: a catalogue row of any values over a file of
// any bytes must read as samples that really are in the file or as a gap, and station and
// channel codes of any bytes give a whole "[ZEL4.0]" header or a clear error.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "base/ZelError.h"
#include "data/SampleFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    zel::SegmentLocation segment;
    segment.path = "segment";
    segment.encoding = in.ConsumeIntegralInRange<int>(-1, 9);
    segment.fileOffset = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int64_t>(0, 1024)
                                          : in.ConsumeIntegral<std::int64_t>();
    segment.begin = in.ConsumeFloatingPoint<double>();
    segment.duration = in.ConsumeFloatingPoint<double>();
    segment.sps = in.ConsumeFloatingPoint<double>();
    const double t1 = in.ConsumeFloatingPoint<double>();
    const double t2 = in.ConsumeFloatingPoint<double>();
    const std::string station = in.ConsumeRandomLengthString(16);
    const std::string channel = in.ConsumeRandomLengthString(16);
    const std::string dir = zel::fuzz::ScratchDirectory().string();
    zel::fuzz::ScratchFile(segment.path, in.ConsumeRemainingBytesAsString());

    zel::ZELDataBlock block;
    const zel::ReadResult r = zel::ReadSegment(block, dir, segment, t1, t2);
    if (r.HasBlock() && (block.samples.empty() || block.samples.size() > r.expected)) __builtin_trap();
    if (!r.HasBlock() && !block.samples.empty()) __builtin_trap();

    try {
        const std::string header = zel::ZelHeader(station, channel, segment.begin, segment.duration, segment.sps);
        if (header.size() != 512 || header.rfind("[ZEL4.0]", 0) != 0) __builtin_trap();
    } catch (const zel::ZelError&) {
    }
    return 0;
}
