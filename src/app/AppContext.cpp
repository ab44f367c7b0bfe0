#include "app/AppContext.h"

#include <filesystem>

#include "app/ConfigPaths.h"
#include "app/EmbeddedDefault.h"
#include "events/TravelTimeModels.h"

namespace zel {

AppPaths DefaultAppPaths() {
    AppPaths paths;
    paths.ini = ZelIniPath();
    paths.registry = RegistryIniPath();
    paths.embeddedDatabase = EmbeddedDatabasePath();
    paths.demoDiskLoop = (std::filesystem::path(paths.embeddedDatabase).parent_path() / "diskloop").string();
    paths.executableDir = ExecutableDirectory();
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
    const std::vector<TravelTimeModel> shipped = ShippedTravelTimeModels(paths_.executableDir);
    firstStart_ = PrepareEmbeddedDefault(ini_, paths_.embeddedDatabase, paths_.demoDiskLoop,
                                         shipped.empty() ? std::vector<ProfileChange>{}
                                                         : TravelTimeModelKeys(shipped, 0));
    settings_ = LoadStartupSettings(ini_, commandLine_, paths_.executableDir);
    databases_ = std::make_unique<Databases>(LoadDatabaseSettings(ini_, commandLine_), messages_);
}

void AppContext::openDatabases() {
    OpenDatabases(*databases_, messages_);
    // Without a CSS database the wfdisc lookup cannot work in this run.
    if (!databases_->cssAvailable()) settings_.wfd = false;
}

void AppContext::loadReferenceData() {}

}  // namespace zel
