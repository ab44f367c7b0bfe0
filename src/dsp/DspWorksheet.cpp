#include "dsp/DspWorksheet.h"

#include <algorithm>

#include "base/PrivateProfile.h"
#include "base/Strings.h"
#include "dsp/DspWorkspace.h"

namespace zel {
namespace {

constexpr const char* kWorksheetSection = "WORKSHEET";
constexpr const char* kWindowsKey = "WINDOWS";
constexpr const char* kCommandKey = "COMMAND";
constexpr std::size_t kCommandReadLimit = 1024;

std::string WindowSection(std::size_t i) { return "W" + std::to_string(i); }

// The index of a section named W<digits>, if it is one.
std::optional<std::size_t> WindowIndex(const std::string& section) {
    if (section.size() < 2 || (section[0] != 'W' && section[0] != 'w')) return std::nullopt;
    if (!std::all_of(section.begin() + 1, section.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (section.size() > 8) return std::nullopt;
    return static_cast<std::size_t>(std::stoul(section.substr(1)));
}

}  // namespace

void SaveWorksheet(const std::string& path, const std::vector<std::string>& formulas) {
    PrivateProfile file(path);
    std::vector<ProfileChange> changes;
    changes.push_back({kWorksheetSection, kWindowsKey, std::to_string(formulas.size())});
    for (std::size_t i = 0; i < formulas.size(); ++i)
        changes.push_back({WindowSection(i), kCommandKey, formulas[i]});
    for (const std::string& section : file.sections()) {
        auto index = WindowIndex(section);
        if (index && *index >= formulas.size()) changes.push_back({section, kCommandKey, std::nullopt});
    }
    file.write(changes);
}

std::optional<std::vector<std::string>> LoadWorksheet(const std::string& path) {
    PrivateProfile file(path);
    const int count = file.getInt(kWorksheetSection, kWindowsKey, 0);
    if (count <= 0) return std::nullopt;
    std::vector<std::string> formulas;
    for (int i = 0; i < std::min(count, kDspMaxWindows); ++i)
        formulas.push_back(
            CutUtf8(file.getString(WindowSection(static_cast<std::size_t>(i)), kCommandKey), kCommandReadLimit));
    return formulas;
}

}  // namespace zel
