#pragma once
// Connecting a MiniSEED archive (an SDS tree, YEAR/NET/STA/CHAN.D/NET.STA.LOC.CHAN.D.YEAR.DAY, or
// any folder of MiniSEED files) to the catalogue: one FILELIST row per continuous run per file,
// naming the file where it lies. Table ARCHIVEFILES remembers the size and modification time of
// every file looked at, so a second scan reads only what is new or changed and drops the rows of
// files that vanished.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

namespace Db {
class Connection;
}

inline constexpr const char* kArchiveScanCreator = "MSEED_scan";

struct ArchiveScanReport {
    std::size_t files = 0;      // files found under the root
    std::size_t read = 0;       // new or changed files read this time
    std::size_t vanished = 0;   // files gone since the last scan
    std::size_t rowsAdded = 0;  // FILELIST rows written
    std::size_t rowsRemoved = 0;
    // Channels (NET.STA.LOC.CHAN) with data but no slot in the station table, once each: they are
    // catalogued, and show as soon as the station table has them.
    std::vector<std::string> unknownChannels;
    std::vector<std::string> problems;  // the analyst's texts for files that could not be used
    bool stopped = false;               // the progress callback asked to stop

    // The analyst's summary, then the unknown channels and the problems.
    std::string Text() const;
};

// Called after each file with the files done and the total; returning false stops the scan after
// that file (what was catalogued so far stays).
using ArchiveScanProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Scans every regular file below root. Each file is catalogued in a transaction of its own, so a
// failure or a stop never leaves a file half catalogued. Throws ZelError when root is not a
// folder, Db::Error when the catalogue cannot be read or written.
ArchiveScanReport ScanArchive(Db::Connection& work, const std::string& root, const std::string& dataDir,
                              const std::vector<Station>& stations, const ArchiveScanProgress& progress = {});

// The CPATH of a file: relative to the data directory when it lies inside it, else absolute in
// the catalogue's own form ("//" before the path).
std::string CataloguePathOf(const std::string& file, const std::string& dataDir);

// True when the station table has a slot for this channel: the same code (any case) and the same
// location code, an empty location matching a slot of unknown location ("??").
bool StationTableHasChannel(const std::vector<Station>& stations, const std::string& station,
                            const std::string& location, const std::string& channel);

}  // namespace zel
