#include "dsp/FkModuleSettings.h"

#include <filesystem>

#include "base/PrivateProfile.h"

namespace zel {

std::string DefaultFkModule(const std::string& executableDir) {
    if (!executableDir.empty()) {
        const std::filesystem::path exe(executableDir);
        for (const std::filesystem::path& dir :
             {exe, exe / ".." / "libexec" / "zel", exe / ".." / "tools" / "fk_module"}) {
            std::error_code error;
            if (std::filesystem::is_regular_file(dir / kFkStandInName, error))
                return std::filesystem::weakly_canonical(dir / kFkStandInName, error).string();
        }
    }
    return kFkStandInName;
}

FkModuleSettings LoadFkModuleSettings(const PrivateProfile& ini, const std::string& executableDir,
                                      const std::string& workingDir) {
    FkModuleSettings s{ini.getString(kFkSection, kFkModuleKey), ini.getString(kFkSection, kFkExchangeKey)};
    if (s.module.empty()) s.module = DefaultFkModule(executableDir);
    if (s.exchangeDir.empty()) s.exchangeDir = (std::filesystem::path(workingDir) / "FK").string();
    return s;
}

void SaveFkModuleSettings(PrivateProfile& ini, const FkModuleSettings& settings) {
    ini.write({{kFkSection, kFkModuleKey, settings.module}, {kFkSection, kFkExchangeKey, settings.exchangeDir}});
}

}  // namespace zel
