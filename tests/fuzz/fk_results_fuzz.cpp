// libFuzzer target for the files of the external F-K module read back: its "results" file and the
// site file of array offsets. Any file gives finite numbers or nothing.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "dsp/FkExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto r = zel::ReadFkResults(zel::fuzz::ScratchFile("results", text)))
        if (!std::isfinite(r->slowness) || !std::isfinite(r->azimuth)) __builtin_trap();
    for (const zel::FkSiteOffsets& s : zel::ReadFkSiteFile(zel::fuzz::ScratchFile("0.site", text)))
        if (s.station.empty() || !std::isfinite(s.dnorth) || !std::isfinite(s.deast)) __builtin_trap();
    return 0;
}
