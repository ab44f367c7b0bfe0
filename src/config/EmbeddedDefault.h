#pragma once
// The first start of a new user: with no configuration at all, ZEL works on an embedded SQLite
// database in the user's data folder, with keys drawn from it, so it is usable at once.

#include <string>
#include <vector>

#include "base/PrivateProfile.h"

namespace zel {

std::string EmbeddedConnectString(const std::string& databasePath);

// When the configuration file does not exist yet, writes the settings of the embedded default
// (working database, local keys, data directory, and `moreKeys` such as the shipped travel-time
// models) and creates their folders. True when it did.
bool PrepareEmbeddedDefault(PrivateProfile& ini, const std::string& databasePath, const std::string& diskLoopDir,
                            const std::vector<ProfileChange>& moreKeys = {});

}  // namespace zel
