#pragma once
// The event subcommands and what they share: the report of one stored event.

#include <string>
#include <vector>

#include "batch/Subcommand.h"
#include "formats/EventReport.h"

namespace zel::batch {

Subcommand LocateSubcommand();
// events, show, delete.
std::vector<Subcommand> StoredEventSubcommands();

// The report of the stored event with this id, with its phase table; ZelError when the working
// database has no such event.
Report StoredEventReport(AppContext& context, const std::string& eventId);

}  // namespace zel::batch
