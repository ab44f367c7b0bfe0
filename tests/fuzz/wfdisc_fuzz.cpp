// libFuzzer target for wfdisc files: every line parses or is skipped, a parsed line's samples
// (read here from the input file itself, whatever its foff, nsamp and datatype) come back whole
// or as a clear error, and a parsed line written out again reads back.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "base/ZelError.h"
#include "data/CssWaveformImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zel::fuzz::ScratchFile("input.wfdisc", text);
    const std::string dir = zel::fuzz::ScratchDirectory().string();
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto record = zel::ParseWfdiscLine(line);
        if (!record) continue;
        try {
            const std::string written = zel::FormatWfdiscLine(*record);
            if (!zel::ParseWfdiscLine(std::string_view(written).substr(0, zel::kWfdiscLineLength)))
                __builtin_trap();
        } catch (const zel::ZelError&) {
        }
        record->dir = ".";
        record->dfile = "input.wfdisc";
        try {
            const auto samples = zel::ReadWfdiscSamples(dir, *record);
            if (static_cast<long long>(samples.size()) != record->nsamp) __builtin_trap();
        } catch (const zel::ZelError&) {
        }
    }
    return 0;
}
