#include "session/NetworkData.h"

#include "db/Databases.h"

namespace zel {

ArchiveScanReport ConnectArchive(AppContext& context, const std::string& root, const ArchiveScanProgress& progress) {
    Db::Connection& work = context.databases().work();
    ArchiveScanReport report = ScanArchive(work, root, context.settings().dataDir, context.stations(), progress);
    FillCatalogueCalibration(work);
    return report;
}

StationXmlImportReport ImportStationInventory(AppContext& context, const std::string& path) {
    Db::Connection& work = context.databases().work();
    StationXmlImportReport report = ImportStationXml(work, path);
    FillCatalogueCalibration(work);
    context.stations() = LoadStations(work);
    context.session().changed(SessionChange::Stations);
    return report;
}

}  // namespace zel
