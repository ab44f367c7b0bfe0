#include "config/EmbeddedDefault.h"

#include <filesystem>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"

namespace zel {

std::string EmbeddedConnectString(const std::string& databasePath) {
    return "Driver=SQLite3;Database=" + databasePath + ";";
}

bool PrepareEmbeddedDefault(PrivateProfile& ini, const std::string& databasePath, const std::string& diskLoopDir,
                            const std::vector<ProfileChange>& moreKeys) {
    if (std::filesystem::exists(ini.path())) return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(databasePath).parent_path(), error);
    if (!error) std::filesystem::create_directories(diskLoopDir, error);
    if (error) throw ZelError(Tr("Не удалось создать каталог данных ZEL: %1").arg(error.message()));
    std::string dataDir = diskLoopDir;
    if (!dataDir.empty() && dataDir.back() != '/') dataDir += '/';
    std::vector<ProfileChange> keys = {
        {"DATABASE", "ODBC", EmbeddedConnectString(databasePath)},
        {"DATABASE", "LOCALLASTID", std::string("1")},
        {"DATA", "DIR", dataDir},
        // Phase sets a new analyst can pick with at once: the pick dialog offers the chosen set
        // instead of the whole catalogue, which stays a choice of the settings away.
        {"PRESELECTED PHASES", "Selection", std::string("Local")},
        {"PRESELECTED PHASES", "Local", std::string("Pg;Sg;Pn;Sn;Lg;P;S")},
        {"PRESELECTED PHASES", "Regional", std::string("Pn;Sn;Pg;Sg;Lg;P;S")},
        {"PRESELECTED PHASES", "Teleseismic", std::string("P;pP;sP;PcP;PKP;S;ScS;SKS;LR;LQ")},
    };
    keys.insert(keys.end(), moreKeys.begin(), moreKeys.end());
    ini.write(keys);
    return true;
}

}  // namespace zel
