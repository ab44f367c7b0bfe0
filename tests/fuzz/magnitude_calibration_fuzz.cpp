// libFuzzer target for the magnitude calibration files: "mb.txt" and its kind (a Q table in the
// layout of a curve file) and the "ML_<station>.txt" distance-value pairs. Any file gives a
// magnitude, or no magnitude with the analyst's reason.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "events/Magnitudes.h"

namespace {

void Check(const zel::StationMagnitude& m) {
    if (!m.value && m.error.empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    zel::CCALIBDATA q;
    std::string error;
    if (q.load(zel::fuzz::ScratchFile("mb.txt", text), &error)) {
        for (double distance : {0.0, 1.0, 20.0, 95.5, 180.0})
            for (double depth : {-5.0, 0.0, 33.0, 700.0})
                Check(zel::TableMagnitude(zel::TableMagnitudeKind::Mb, q, 1.5, 1.0, depth, distance));
    } else if (error.empty() || q.loaded()) {
        __builtin_trap();
    }

    zel::CMLCalib ml;
    ml.parse(text);
    for (double distanceDeg : {0.0, 0.05, 0.5, 2.0, 8.0, 50.0})
        for (double depth : {0.0, 10.0}) Check(zel::LocalMagnitude(&ml, 0.8, distanceDeg, depth));
    return 0;
}
