#pragma once
// The CSS 3.0 text tables of stored events: the events of the working database whose picks or
// origin times fall into a time range, each read with its arrivals and written as its own set of
// five files named by its orid.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "formats/CssEventRows.h"

namespace zel {

namespace Db {
class Connection;
}
struct Station;

struct StoredCssEvent {
    std::int64_t orid = -1;  // -1: the event has none
    std::string eventId;
    CssHypocentre hypocentre;
    std::vector<CssPick> picks;
};

// Newest origin first. Station coordinates come from 'stations' (matched by name); picks of other
// stations go without them. Throws Db::Error.
std::vector<StoredCssEvent> ReadStoredCssEvents(Db::Connection& work, double start, double end,
                                                const std::vector<Station>& stations);

struct StoredTablesResult {
    int written = 0;
    int withoutOrid = 0;  // events that have no orid to name their files by
};
// Throws ZelError "Ошибка открытия файла: <path>" and stops at the first file that cannot be written.
StoredTablesResult WriteStoredCssTables(const std::vector<StoredCssEvent>& events,
                                        const std::string& directory, std::time_t now);

}  // namespace zel
