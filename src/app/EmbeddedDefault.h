#pragma once
// The first start of a new user: with no configuration at all, ZEL works on an embedded SQLite
// database in the user's data folder, with keys drawn from it, so it is usable at once.

#include <string>

namespace zel {

class PrivateProfile;

std::string EmbeddedConnectString(const std::string& databasePath);

// When the configuration file does not exist yet, writes the settings of the embedded default
// (working database, local keys, data directory) and creates their folders. True when it did.
bool PrepareEmbeddedDefault(PrivateProfile& ini, const std::string& databasePath,
                            const std::string& diskLoopDir);

}  // namespace zel
