#pragma once
// Everything one running ZEL shares between its windows: command line, configuration, the
// registry store, the start-up settings, the two database connections, the station table and the
// analyst's session.

#include <memory>
#include <string>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "config/CommandLine.h"
#include "config/Settings.h"
#include "data/Catalogue.h"
#include "data/StationModel.h"
#include "db/Databases.h"
#include "session/Session.h"

namespace zel {

struct AppPaths {
    std::string ini;
    std::string registry;
    std::string embeddedDatabase;
    std::string demoDiskLoop;
    std::string executableDir;
    std::string resources;  // the data ZEL ships: travel-time curves, calibrations, maps
};

// Paths of this user from the environment (see ConfigPaths).
AppPaths DefaultAppPaths();

class AppContext {
  public:
    AppContext(CommandLineOverrides commandLine, AppPaths paths, MessageSink& messages);

    // Start-up before the main frame exists: the embedded default on a first start, then the
    // settings in their documented order. Throws ZelError when the configuration cannot be written.
    void loadConfiguration();
    // Opens both databases (failures are reported and the program goes on).
    void openDatabases();
    // On the embedded default only: builds the demo disk loop when the database holds no data yet.
    // Problems are reported and the program goes on without the demo.
    void ensureDemoData();
    // Reference data read after the databases open; a missing table or file is not an error here.
    void loadReferenceData();

    const CommandLineOverrides& commandLine() const { return commandLine_; }
    const AppPaths& paths() const { return paths_; }
    PrivateProfile& ini() { return ini_; }
    PrivateProfile& registry() { return registry_; }
    StartupSettings& settings() { return settings_; }
    Databases& databases() { return *databases_; }
    MessageSink& messages() { return messages_; }
    bool firstStart() const { return firstStart_; }
    bool usesEmbeddedDatabase() const;

    // The station table and network list of the working database (empty when it has none).
    std::vector<Station>& stations() { return stations_; }
    const std::vector<Network>& networks() const { return networks_; }
    // What the catalogue reads with: data directory, TEND, wfdisc and the directory map.
    CatalogueSettings catalogueSettings() const;

    Session& session() { return session_; }

  private:
    CommandLineOverrides commandLine_;
    AppPaths paths_;
    MessageSink& messages_;
    PrivateProfile ini_;
    PrivateProfile registry_;
    StartupSettings settings_;
    std::unique_ptr<Databases> databases_;
    bool firstStart_ = false;
    std::vector<Station> stations_;
    std::vector<Network> networks_;
    Session session_;
};

}  // namespace zel
