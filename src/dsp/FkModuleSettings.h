#pragma once
// Where the external F-K module is and where it exchanges files with the workstation: section
// "FKEXT" of ZEL.ini. Without a configured module the stand-in built beside the program is used.

#include <string>

namespace zel {

class PrivateProfile;

inline constexpr const char* kFkSection = "FKEXT";
inline constexpr const char* kFkModuleKey = "MODULE";
inline constexpr const char* kFkExchangeKey = "WFD";
inline constexpr const char* kFkStandInName = "zel_fk_module";

struct FkModuleSettings {
    std::string module;       // full path of the program
    std::string exchangeDir;  // wfdisc, samples and results
};

// The stand-in beside the program, in the install's libexec folder or in the build tree; the
// bare name (found on PATH) when none of them holds it.
std::string DefaultFkModule(const std::string& executableDir);

// Missing or empty keys take the stand-in and the folder "FK" of the working directory.
FkModuleSettings LoadFkModuleSettings(const PrivateProfile& ini, const std::string& executableDir,
                                      const std::string& workingDir);
// Both keys in one rewrite; throws ZelError when the file cannot be written.
void SaveFkModuleSettings(PrivateProfile& ini, const FkModuleSettings& settings);

}  // namespace zel
