// libFuzzer target for IMS1.0 bulletins, read by the IMS1.0 columns and by the whitespace layout:
// any text gives events or none, and every event read loads into a current event and a phase
// list (or is refused with the analyst's reason).

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/ImsBulletin.h"

namespace {

// Stations of the seed bulletins, three components each, so that loads really add picks.
std::vector<zel::Station> Stations() {
    std::vector<zel::Station> stations;
    for (const char* code : {"MORC", "VRAC", "KRUC", "OKC", "ARU"}) {
        zel::Station s;
        s.code = code;
        const char* channels[] = {"BHZ", "BHN", "BHE"};
        for (int i = 0; i < 3; ++i) {
            s.slots[i].channel = channels[i];
            s.slots[i].componentIndex = i + 1;
        }
        stations.push_back(s);
    }
    return stations;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<zel::Station> stations = Stations();
    static const zel::PhaseCatalogue catalogue;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (zel::ImsLayout layout : {zel::ImsLayout::Columns, zel::ImsLayout::Whitespace}) {
        std::istringstream in(text);
        const std::vector<zel::ImsEvent> events = zel::ReadImsBulletin(in, layout);
        std::size_t loaded = 0;
        for (const zel::ImsEvent& event : events) {
            if (++loaded > 4) break;  // one event is like the next; the reading above saw them all
            for (bool phasesOnly : {false, true}) {
                zel::CurrentEvent current;
                zel::ZELPhases phases;
                const zel::ImsLoadResult r =
                    zel::LoadImsEvent(event, phasesOnly, current, phases, stations, catalogue);
                if (r.added < 0 || (!r.problem.empty() && r.added != 0)) __builtin_trap();
            }
        }
    }
    return 0;
}
