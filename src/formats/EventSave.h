#pragma once
// Saving the current event where the configuration keeps it: the working database and, with
// DATABASE/SAVETOCSSDB, its copy in the CSS database. The two are separate databases and commit
// one after the other; every key of both is drawn before the working save commits, so a kill
// between the two commits leaves an event that is whole in the working database and only missing
// from the CSS one: the next save of it says so and writes the copy.

#include <string>

#include "base/UserText.h"

namespace zel {

class CssEventSaver;
class EventStore;
class ZELPhases;
struct CurrentEvent;

// What became of the CSS copy.
struct CssCopyOutcome {
    bool wanted = false;   // a CSS saver was given
    bool written = false;  // the copy is in the CSS database
    // The event was stored before but its copy was not in the CSS database (a save cut short
    // between the two commits); written now unless failure says otherwise.
    bool wasMissing = false;
    std::string failure;  // the analyst's text when the copy could not be written
};

// Saves into the working database (throws ZelError as EventStore::SavePhaseList, with nothing
// stored), then writes the copy with css when it is given. A copy that fails does not undo the
// working save: the outcome tells.
CssCopyOutcome SaveEvent(EventStore& store, CssEventSaver* css, CurrentEvent& event, ZELPhases& phases);

// The analyst's line for a copy that was missing from the CSS database and is written now.
inline constexpr const char* kCssCopyRepaired =
    ZEL_TR_NOOP("Событие отсутствовало в БД CSS 3.0 и записано в неё заново");

}  // namespace zel
