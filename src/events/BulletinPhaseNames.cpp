#include "events/BulletinPhaseNames.h"

#include <fstream>
#include <sstream>

#include "events/PhaseCatalogue.h"

namespace zel {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

LegacyPhaseNames ParseLegacyPhaseNames(std::string_view text) {
    LegacyPhaseNames pairs;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string legacy, current;
        if (words >> legacy >> current) pairs.emplace_back(legacy, current);
    }
    return pairs;
}

LegacyPhaseNames ReadLegacyPhaseNames(const std::string& resourceDir) {
    std::ifstream in(resourceDir + "/" + kLegacyPhaseNamesFile, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseLegacyPhaseNames(text.str());
}

int MatchBulletinPhase(std::string_view name, const PhaseCatalogue& catalogue,
                       const LegacyPhaseNames& legacy) {
    if (name.empty()) return -1;
    if (const int exact = catalogue.IndexOf(name); exact >= 0) return exact;
    for (const auto& [old, current] : legacy)
        if (EqualIgnoringCase(old, name)) return catalogue.IndexOf(current);
    int found = -1;
    for (int i = 0; i < catalogue.Count(); ++i) {
        if (!EqualIgnoringCase(catalogue.Name(i), name) ||
            (found >= 0 && catalogue.Name(i) == catalogue.Name(found)))
            continue;
        if (found >= 0) return -1;  // PP and pP: the case is the only difference, so it decides
        found = i;
    }
    return found;
}

}  // namespace zel
