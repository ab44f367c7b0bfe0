#include "map/MapDataFiles.h"

#include <algorithm>
#include <filesystem>

#include "base/UserText.h"
#include "map/ReliefBands.h"

namespace zel {
namespace {

std::string FindFile(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path.string();
    }
    return {};
}

}  // namespace

bool MapDataFiles::hasRelief() const {
    return std::any_of(bands.begin(), bands.end(), [](const std::string& b) { return !b.empty(); });
}

std::string MapDataFiles::linesFile(MapLayer layer, MapResolution resolution) const {
    const auto it = lines.find(BinnedLinesFileName(layer, resolution));
    return it == lines.end() ? std::string() : it->second;
}

std::vector<std::string> MapDataFolders(const std::string& dataDir, const std::string& executableDir,
                                        const std::string& resourcesDir) {
    std::vector<std::string> folders{dataDir};
    if (!executableDir.empty())
        folders.push_back((std::filesystem::path(executableDir) / kBuildMapDataFolder).string());
    if (!resourcesDir.empty())
        folders.push_back((std::filesystem::path(resourcesDir) / kInstalledMapDataFolder).string());
    return folders;
}

MapDataFiles FindMapDataFiles(const std::vector<std::string>& folders) {
    MapDataFiles files;
    files.coastline = FindFile(folders, kCoastlineFileName);
    for (int band = 0; band < kReliefBandCount; ++band)
        files.bands.push_back(FindFile(folders, ReliefBandFileName(band)));
    for (MapLayer layer : {MapLayer::Shore, MapLayer::River, MapLayer::Border})
        for (MapResolution r : {MapResolution::Crude, MapResolution::Low, MapResolution::Intermediate,
                                MapResolution::High}) {
            const std::string name = BinnedLinesFileName(layer, r);
            if (std::string path = FindFile(folders, name); !path.empty()) files.lines[name] = std::move(path);
        }
    return files;
}

std::string MissingCoastlineText() {
    return Tr("Нет файла береговой линии %1: береговая линия не рисуется").arg(kCoastlineFileName);
}

std::string MissingReliefText() {
    return Tr("Нет файлов рельефа map00.bmp ... map08.bmp: рельеф не рисуется");
}

}  // namespace zel
