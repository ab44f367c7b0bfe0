#pragma once
// A network's own data connected to the working database, the same for the workstation's menu
// commands and zelbatch: a MiniSEED archive catalogued where it lies, and a StationXML inventory
// made the station table with its responses.

#include <string>

#include "data/ArchiveScan.h"
#include "formats/StationXml.h"
#include "session/AppContext.h"

namespace zel {

// Catalogues the archive below root (see ScanArchive), then gives the new catalogue rows their
// calibration from the channels' poles and zeros. Throws ZelError for a root that is not a folder,
// Db::Error for a database failure.
ArchiveScanReport ConnectArchive(AppContext& context, const std::string& root,
                                 const ArchiveScanProgress& progress = {});

// Replaces the stations of the inventory (see ImportStationXml), calibrates the catalogue rows
// that lack it, reloads the station table of the run and tells the session's observers. Picks and
// panes name stations by their index in that table: callers empty them first. Throws ZelError for an unreadable
// inventory, Db::Error for a database failure (nothing is changed then).
StationXmlImportReport ImportStationInventory(AppContext& context, const std::string& path);

}  // namespace zel
