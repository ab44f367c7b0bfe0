// Saves the events SAVE<first> .. SAVE<first+count-1>, each with the same picks (one P on each of
// PICKS stations), and prints "saved N failed M": the concurrency test runs two of these at once on
// one database, so that a save that was written twice shows as a second event or doubled arrivals.
// usage: zel_test_eventsave CONNECT FIRST COUNT PICKS

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/MessageSink.h"
#include "base/ZelError.h"
#include "db/Databases.h"
#include "events/CurrentEvent.h"
#include "events/EventStore.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s CONNECT FIRST COUNT PICKS\n", argv[0]);
        return 2;
    }
    zel::DatabaseSettings settings;
    settings.odbc = argv[1];
    settings.localLastId = true;
    zel::RecordingMessageSink messages;
    zel::Databases databases(settings, messages);
    if (!databases.openWorkDb()) {
        std::fprintf(stderr, "%s\n", messages.messages().back().text.c_str());
        return 1;
    }
    const int first = std::atoi(argv[2]), count = std::atoi(argv[3]), picks = std::atoi(argv[4]);
    std::vector<zel::Station> stations(static_cast<std::size_t>(picks));
    for (int i = 0; i < picks; ++i) {
        stations[static_cast<std::size_t>(i)].code = "S" + std::to_string(i);
        stations[static_cast<std::size_t>(i)].slots[0].channel = "SHZ";
    }
    const zel::PhaseCatalogue catalogue;
    int saved = 0, failed = 0;
    for (int n = first; n < first + count; ++n) {
        zel::ZELPhases phases;
        zel::CurrentEvent event;
        event.eventId = zel::PadEventId("SAVE" + std::to_string(n));
        for (int i = 0; i < picks; ++i) {
            zel::SEISMIC_PHASE p;
            p.stationIndex = i;
            p.channelIndex = 0;
            p.phaseIndex = catalogue.IndexOf("P");
            zel::SetPickTime(p, 1615896000.0 + i);
            phases.Add(p);
        }
        zel::EventStore store(databases, phases, event, catalogue, stations);
        try {
            store.SavePhaseList();
            ++saved;
        } catch (const zel::ZelError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            ++failed;
        }
    }
    std::printf("saved %d failed %d\n", saved, failed);
    return 0;
}
