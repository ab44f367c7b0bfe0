// libFuzzer target for the phase-list files read back: the all-phases list (CSS 3.0 arrival
// layout) and the HYPO71 station codes of "stations.71". Any text adds only picks of known
// stations, channels and phases; what was read writes out and reads back as the same picks; any
// station code keeps the HYPO71 lines at their width.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/PhaseListFiles.h"

namespace {

zel::Station MakeStation(const std::string& code, const std::vector<std::string>& channels) {
    zel::Station s;
    s.code = code;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        s.slots[i].channel = channels[i];
        s.slots[i].componentIndex = static_cast<int>(i % 3) + 1;
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<zel::Station> stations = {MakeStation("MOX", {"Z", "N-S", "E-W"}),
                                                       MakeStation("LONGNAME", {"SHZ", "SHN", "SHE"})};
    static const zel::PhaseCatalogue catalogue;
    const std::string text(reinterpret_cast<const char*>(data), size);

    zel::ZELPhases phases;
    std::istringstream in(text);
    const int added = zel::ReadAllPhases(in, true, phases, stations, catalogue);
    if (added < phases.Count()) __builtin_trap();
    for (int i = 0; i < phases.Count(); ++i) {
        const zel::SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size()) ||
            p.phaseIndex < 0 || p.phaseIndex >= catalogue.Count())
            __builtin_trap();
    }

    zel::CurrentEvent event;
    const zel::PhaseFileInput input{event, phases, stations, catalogue};
    std::istringstream written(zel::AllPhasesText(input, 0));
    zel::ZELPhases back;
    zel::ReadAllPhases(written, true, back, stations, catalogue);
    if (back.Count() != phases.Count()) __builtin_trap();

    const zel::Hypo71Codes codes = zel::ReadHypo71Codes(zel::fuzz::ScratchFile("stations.71", text));
    std::istringstream hypo71(zel::Hypo71Text(input, codes));
    for (std::string line; std::getline(hypo71, line);)
        if (line.size() != 80 || line.back() != '\r') __builtin_trap();
    return 0;
}
