#include "formats/EventSave.h"

#include <optional>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "events/CurrentEvent.h"
#include "events/EventStore.h"
#include "events/ZELPhases.h"
#include "formats/CssDatabase.h"

namespace zel {

CssCopyOutcome SaveEvent(EventStore& store, CssEventSaver* css, CurrentEvent& event, ZELPhases& phases) {
    CssCopyOutcome outcome;
    outcome.wanted = css != nullptr;
    store.CheckSavable();
    const std::optional<std::int64_t> stored = store.StoredOrid(event.eventId);
    store.DrawKeys();
    if (css) {
        css->DrawKeys(event, phases);
        Databases& databases = css->databases();
        try {
            outcome.wasMissing =
                stored && databases.cssAvailable() && !CssOriginStored(databases.css(), *stored);
        } catch (const ZelError&) {
            // The copy's own write below reports what is wrong with the CSS database.
        }
    }
    store.SavePhaseList();
    if (!css) return outcome;
    try {
        css->Save(event, phases);
        outcome.written = true;
    } catch (const ZelError& e) {
        outcome.failure = e.what();
    }
    return outcome;
}

}  // namespace zel
