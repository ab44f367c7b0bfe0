// libFuzzer target for recorder responses: SAC poles-zeros texts and frequency-amplitude tables,
// from the CALIBRATION table's text and from a RESPONSE file. Any text gives a response or is
// refused; a response gives numbers at every frequency.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "base/ZelError.h"
#include "dsp/Response.h"

namespace {

constexpr double kFrequencies[] = {0.0, 1e-3, 0.05, 1.0, 7.5, 50.0, 1e4};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto pz = zel::ParsePolesZeros(text)) {
        if (!pz->loaded || pz->zeros.size() > zel::kMaxPolesZeros || pz->poles.size() > zel::kMaxPolesZeros)
            __builtin_trap();
        for (double f : kFrequencies) {
            pz->InverseResponse(f);
            pz->AmplitudePhase(f);
        }
    }
    if (const auto fap = zel::ParseFapText(text)) {
        if (fap->frequency.empty() || fap->frequency.size() != fap->amplitude.size()) __builtin_trap();
        for (double f : kFrequencies) fap->Value(f);
    }
    try {
        const zel::ApResponse file = zel::ReadFapFile(zel::fuzz::ScratchFile("response.fap", text));
        for (double f : kFrequencies) file.Value(f);
    } catch (const zel::ZelError&) {
    }
    return 0;
}
