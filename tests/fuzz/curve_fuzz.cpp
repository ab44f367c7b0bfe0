// libFuzzer target for travel-time curve files and the "phaselist" file of a curve set: any text
// gives a table or a reason, the lookups on any table that loads answer a time or -1, and any
// phase list gives entries with the markers last.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "events/PhaseCatalogue.h"
#include "events/TravelTimeTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto entries = zel::ParsePhaseList(text);
    if (entries.size() < zel::kPhaseMarkerNames.size() || entries.back().name != zel::kPhaseMarkerNames.back())
        __builtin_trap();

    zel::PHASEDATA table;
    std::string error;
    if (!zel::ParseCurveText(text, table, &error)) {
        if (error.empty() || table.loaded) __builtin_trap();
        return 0;
    }
    if (table.times.size() != static_cast<std::size_t>(table.depthCount) * table.distanceCount) __builtin_trap();
    // Probe on and between the table's own knots, where brackets and gaps meet, and just outside.
    const int depths = std::min(table.depthCount, 4);
    const int distances = std::min(table.distanceCount, 24);
    for (int i = 0; i < depths; ++i) {
        const float h = table.depths[i];
        for (int j = 0; j < distances; ++j) {
            const float d = table.distances[j];
            const float t = zel::TravelTime(table, h, d);
            zel::TravelTime(table, h + 0.5f, d + 0.25f);
            zel::TravelTime(table, h, d - 1e-3f);
            if (t > 0) zel::DistanceForTime(table, t, h);
        }
        zel::DistanceForDifference(table, table, 0.0f, h);
        zel::DistanceForSlowness(table, 0.1f, h);
    }
    zel::TravelTime(table, table.depths.back() + 1.0f, table.distances.back() + 1.0f);
    zel::FreeTable(table);
    return 0;
}
