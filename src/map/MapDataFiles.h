#pragma once
// Where the map's data files lie: the coastlines "map.pnt", the relief bands "map00.bmp" ...
// "map08.bmp" and the binned shorelines, rivers and borders. They are converted at set-up from Debian's Natural Earth and GSHHS data and may be
// missing; the map then draws without them and says so.

#include <map>
#include <string>
#include <vector>

#include "map/BinnedLines.h"

namespace zel {

inline constexpr const char* kCoastlineFileName = "map.pnt";
// Beside the program in a build tree, under resources/ once installed.
inline constexpr const char* kBuildMapDataFolder = "mapdata";
inline constexpr const char* kInstalledMapDataFolder = "map";

struct MapDataFiles {
    std::string coastline;           // empty: not found
    std::vector<std::string> bands;  // one per relief band, empty entries not found
    std::map<std::string, std::string> lines;  // binned line files found, by file name

    // The path of a binned line file, empty when it was not found.
    std::string linesFile(MapLayer layer, MapResolution resolution) const;
    bool hasLines() const { return !linesFile(MapLayer::Shore, MapResolution::Crude).empty(); }

    bool hasCoastline() const { return !coastline.empty(); }
    bool hasRelief() const;
};

// The folders searched, in order: the data directory of the configuration, the converted files
// beside the program (build tree), the installed resources.
std::vector<std::string> MapDataFolders(const std::string& dataDir, const std::string& executableDir,
                                        const std::string& resourcesDir);

// Each file from the first folder that holds it.
MapDataFiles FindMapDataFiles(const std::vector<std::string>& folders);

// The status-bar note for a drawing mode whose files are missing (empty when they are there).
std::string MissingCoastlineText();
std::string MissingReliefText();

}  // namespace zel
