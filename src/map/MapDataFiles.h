#pragma once
// Where the map's data files lie: the coastlines "map.pnt" and the relief bands "map00.bmp" ...
// "map08.bmp". They are converted at set-up from Debian's Natural Earth and GSHHS data and may be
// missing; the map then draws without them and says so.

#include <string>
#include <vector>

namespace zel {

inline constexpr const char* kCoastlineFileName = "map.pnt";
// Beside the program in a build tree, under resources/ once installed.
inline constexpr const char* kBuildMapDataFolder = "mapdata";
inline constexpr const char* kInstalledMapDataFolder = "map";

struct MapDataFiles {
    std::string coastline;           // empty: not found
    std::vector<std::string> bands;  // one per relief band, empty entries not found

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
