#include "session/AppContext.h"

#include "wave/FilterSettings.h"

#include <filesystem>

#include "base/ZelError.h"
#include "config/ConfigPaths.h"
#include "config/EmbeddedDefault.h"
#include "config/ResourceDir.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/MonitoredRegions.h"
#include "events/Regions.h"
#include "events/TravelTimeModels.h"

namespace zel {

AppPaths DefaultAppPaths() {
    AppPaths paths;
    paths.ini = ZelIniPath();
    paths.registry = RegistryIniPath();
    paths.embeddedDatabase = EmbeddedDatabasePath();
    paths.demoDiskLoop = (std::filesystem::path(paths.embeddedDatabase).parent_path() / "diskloop").string();
    paths.executableDir = ExecutableDirectory();
    paths.resources = FindResourceDir(paths.executableDir);
    return paths;
}

AppContext::AppContext(CommandLineOverrides commandLine, AppPaths paths, MessageSink& messages)
    : commandLine_(std::move(commandLine)),
      paths_(std::move(paths)),
      messages_(messages),
      ini_(paths_.ini),
      registry_(paths_.registry) {}

void AppContext::loadConfiguration() {
    // A fresh install computes travel times with the shipped IASP91 curves (AK135 offered too).
    const std::vector<TravelTimeModel> shipped = ShippedTravelTimeModels(paths_.resources);
    firstStart_ = PrepareEmbeddedDefault(
        ini_, paths_.embeddedDatabase, paths_.demoDiskLoop,
        shipped.empty() ? std::vector<ProfileChange>{} : TravelTimeModelKeys(shipped, 0));
    settings_ = LoadStartupSettings(ini_, commandLine_, paths_.executableDir);
    if (firstStart_ && FilterPresetNames(registry_).empty()) SaveDefaultFilterPresets(registry_);
    databases_ = std::make_unique<Databases>(LoadDatabaseSettings(ini_, commandLine_), messages_);
    // New picks take their arrival ids from this run's working database.
    session_.phases().SetKeySource([this] { return databases_->nextArid(); });
}

void AppContext::openDatabases() {
    OpenDatabases(*databases_, messages_);
    // Without a CSS database the wfdisc lookup cannot work in this run.
    if (!databases_->cssAvailable()) settings_.wfd = false;
}

bool AppContext::usesEmbeddedDatabase() const {
    return databases_ && databases_->settings().odbc == EmbeddedConnectString(paths_.embeddedDatabase);
}

void AppContext::ensureDemoData() {
    if (!usesEmbeddedDatabase() || !databases_->work().isOpen()) return;
    try {
        EnsureDemoDiskLoop(settings_.dataDir, paths_.resources, *databases_);
    } catch (const ZelError& e) {
        messages_.show({Tr("Демонстрационные данные не созданы: %1").arg(e.what()), "ZEL",
                        MessageIcon::Warning, MessageButtons::Ok});
    }
}

void AppContext::loadReferenceData() {
    stations_.clear();
    networks_.clear();
    if (!databases_->work().isOpen()) return;
    // A database without these tables still lets the program start; the windows show no stations.
    try {
        networks_ = LoadNetworks(databases_->work());
    } catch (const ZelError&) {
    }
    try {
        stations_ = LoadStations(databases_->work());
    } catch (const ZelError&) {
    }
    // A fresh database gets the Flinn-Engdahl region tables from the shipped files.
    try {
        EnsureRegionTables(databases_->work(), paths_.resources);
    } catch (const ZelError& e) {
        messages_.show({Tr("Таблицы регионов не заполнены: %1").arg(e.what()), "ZEL", MessageIcon::Warning,
                        MessageButtons::Ok});
    }
    try {
        session_.monitoredRegions().load(databases_->work());
    } catch (const ZelError&) {
        session_.monitoredRegions().clear();
    }
}

CatalogueSettings AppContext::catalogueSettings() const {
    CatalogueSettings c;
    c.dataDir = settings_.dataDir;
    c.useTend = settings_.useTend;
    c.useWfdisc = settings_.wfd;
    for (const DirectoryMapEntry& e : settings_.directoryMap) c.directoryMap.emplace_back(e.name, e.dir);
    return c;
}

}  // namespace zel
