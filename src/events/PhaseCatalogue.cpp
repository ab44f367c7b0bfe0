#include "events/PhaseCatalogue.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "base/PrivateProfile.h"
#include "config/Settings.h"

namespace zel {
namespace {

constexpr const char* kSetsSection = "PRESELECTED PHASES";

const std::string& EmptyString() {
    static const std::string empty;
    return empty;
}

void AppendMarkers(std::vector<PhaseCatalogueEntry>& entries) {
    for (const char* marker : kPhaseMarkerNames) entries.push_back({marker, ""});
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

const std::vector<PhaseCatalogueEntry>& DefaultPhaseCatalogue() {
    static const std::vector<PhaseCatalogueEntry> catalogue = [] {
        std::vector<PhaseCatalogueEntry> entries = {
            {"P", "P"},
            {"S", "S"},
            {"PKiKP", "pkikp"},
            {"PKPdf", "PKP(df)"},
            {"Pn", "P_n"},
            {"Pg", "P_g"},
            {"Sn", "S_n"},
            {"Sg", "S_g"},
            {"LQ", "LQ"},
            {"LR", "LR"},
            {"LRM", "LRM"},
            {"Lg", "L_g"},
            {"Rg", "R_g"},
            {"PKKPab", "PKKP(ab)"},
            {"PKKPbc", "PKKP(bc)"},
            {"PKKPdf", "PKKP(df)"},
            {"PKPPKP", "PKPPKP"},
            {"PKP", "PKP"},
            {"PKPab", "PKP(ab)"},
            {"PKPbc", "PKP(bc)"},
            {"PP", "PP"},
            {"PPP", "PPP"},
            {"PPS", "PPS"},
            {"PS", "PS"},
            {"Pb", "P_b"},
            {"PcP", "P_cP"},
            {"PcS", "P_cS"},
            {"pPKiKP", "_pPKiKP"},
            {"pPKP", "_pPKP"},
            {"SKKS", "SKKS"},
            {"SKKSac", "SKKS(ac)"},
            {"SKKSdf", "SKKS(df)"},
            {"SKPab", "SKP(ab)"},
            {"SKPdf", "SKP(df)"},
            {"SKSac", "SKS(ac)"},
            {"SKSdf", "SKS(df)"},
            {"SP", "SP"},
            {"SPP", "SPP"},
            {"SS", "SS"},
            {"SSS", "SSS"},
            {"Sb", "S_b"},
            {"ScP", "S_cP"},
            {"ScS", "S_cS"},
            {"pP", "_pP"},
            {"pS", "_pS"},
            {"sP", "_sP"},
            {"sS", "_sS"},
            {"sPcP", "_sP_cP"},
            {"sPKSab", "_sPKS(ab)"},
            {"sPKSbc", "_sPKS(bc)"},
            {"sPKSdf", "_sPKS(df)"},
            {"sPKKPdf", "_sPKKP(df)"},
        };
        AppendMarkers(entries);
        return entries;
    }();
    return catalogue;
}

std::vector<PhaseCatalogueEntry> ParsePhaseList(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        const std::size_t begin = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > begin) tokens.emplace_back(text.substr(begin, i - begin));
    }
    std::vector<PhaseCatalogueEntry> entries;
    for (std::size_t k = 0; k + 1 < tokens.size(); k += 2) entries.push_back({tokens[k], tokens[k + 1]});
    AppendMarkers(entries);
    return entries;
}

std::string CurveDirectory(std::string_view modelDir, std::string_view workingDir) {
    std::string dir(modelDir);
    if (dir.empty()) {
        dir = workingDir;
        if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
        dir += "phases/";
    }
    std::replace(dir.begin(), dir.end(), '\\', '/');
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

PhaseCatalogue::PhaseCatalogue() { SetEntries(DefaultPhaseCatalogue()); }

void PhaseCatalogue::SetEntries(std::vector<PhaseCatalogueEntry> entries) {
    entries_ = std::move(entries);
    tables_.assign(entries_.size(), PHASEDATA{});
    RebuildIndex();
}

void PhaseCatalogue::RebuildIndex() {
    index_.clear();
    // The first of two equal names keeps the name; picks always point at it.
    for (int i = 0; i < Count(); ++i) index_.emplace(entries_[i].name, i);
}

void PhaseCatalogue::Load(std::string_view modelDir, std::string_view workingDir) {
    curveDir_ = CurveDirectory(modelDir, workingDir);
    std::ifstream in(curveDir_ + "phaselist", std::ios::binary);
    if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        SetEntries(ParsePhaseList(text.str()));
    } else {
        SetEntries(DefaultPhaseCatalogue());
    }
    for (int i = 0; i < Count(); ++i) LoadTable(entries_[i].name, tables_[i]);
}

void PhaseCatalogue::FreeTables() {
    for (PHASEDATA& table : tables_) FreeTable(table);
}

int PhaseCatalogue::IndexOf(std::string_view name) const {
    auto it = index_.find(std::string(name));
    return it == index_.end() ? -1 : it->second;
}

const std::string& PhaseCatalogue::Name(int index) const {
    return index >= 0 && index < Count() ? entries_[index].name : EmptyString();
}

const std::string& PhaseCatalogue::CurveName(int index) const {
    return index >= 0 && index < Count() ? entries_[index].curve : EmptyString();
}

bool PhaseCatalogue::HasCurve(int index) const {
    return index >= 0 && index < Count() && !entries_[index].curve.empty() && tables_[index].loaded;
}

const PHASEDATA* PhaseCatalogue::Table(int index) const {
    return index >= 0 && index < Count() ? &tables_[index] : nullptr;
}

bool PhaseCatalogue::LoadTable(std::string_view phaseName, PHASEDATA& table) const {
    const int index = IndexOf(phaseName);
    if (index < 0 || entries_[index].curve.empty()) return false;
    const std::string path = CurveFilePath(curveDir_, entries_[index].curve);
    if (path.empty()) return false;
    PHASEDATA read;
    if (!ReadCurveFile(path, read)) return false;
    read.name = std::string(phaseName.substr(0, kPhaseDataNameLength));
    table = std::move(read);
    return true;
}

float PhaseCatalogue::TravelTime(int phaseIndex, float depth, float distance) const {
    return HasCurve(phaseIndex) ? zel::TravelTime(tables_[phaseIndex], depth, distance) : kNoTravelTime;
}

float PhaseCatalogue::DistanceForTime(std::string_view phase, float time, float depth) const {
    const int i = IndexOf(phase);
    return HasCurve(i) ? zel::DistanceForTime(tables_[i], time, depth) : kNoTravelTime;
}

float PhaseCatalogue::DistanceForDifference(std::string_view phaseA, std::string_view phaseB,
                                            float difference, float depth) const {
    const int a = IndexOf(phaseA), b = IndexOf(phaseB);
    if (!HasCurve(a) || !HasCurve(b)) return kNoTravelTime;
    return zel::DistanceForDifference(tables_[a], tables_[b], difference, depth);
}

float PhaseCatalogue::DistanceForSlowness(std::string_view phase, float slowness, float depth) const {
    const int i = IndexOf(phase);
    return HasCurve(i) ? zel::DistanceForSlowness(tables_[i], slowness, depth) : 0.0f;
}

std::vector<std::string> ParsePhaseSet(std::string_view text) {
    std::vector<std::string> names;
    std::string current;
    for (char c : text) {
        if (c == ',' || c == ';') {
            if (!current.empty()) names.push_back(std::move(current));
            current.clear();
        } else if (!IsBlank(c)) {
            current += c;
        }
    }
    if (!current.empty()) names.push_back(std::move(current));
    return names;
}

std::string FormatPhaseSet(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + ";";
    return text;
}

PhaseSets LoadPhaseSets(const PrivateProfile& ini) {
    PhaseSets sets;
    sets.selection = ini.getString(kSetsSection, "Selection", "");
    sets.teleseismic = ParsePhaseSet(ini.getString(kSetsSection, "Teleseismic", ""));
    sets.regional = ParsePhaseSet(ini.getString(kSetsSection, "Regional", ""));
    sets.local = ParsePhaseSet(ini.getString(kSetsSection, "Local", ""));
    return sets;
}

void SavePhaseSets(PrivateProfile& ini, const PhaseSets& sets) {
    ini.write({
        {kSetsSection, "Selection", sets.selection},
        {kSetsSection, "Teleseismic", FormatPhaseSet(sets.teleseismic)},
        {kSetsSection, "Regional", FormatPhaseSet(sets.regional)},
        {kSetsSection, "Local", FormatPhaseSet(sets.local)},
    });
}

std::vector<int> OfferedPhases(const PhaseCatalogue& catalogue, const PhaseSets& sets) {
    const std::vector<std::string>* set = nullptr;
    switch (PhasePresetIndex(sets.selection)) {
        case kPresetTeleseismic:
            set = &sets.teleseismic;
            break;
        case kPresetRegional:
            set = &sets.regional;
            break;
        case kPresetLocal:
            set = &sets.local;
            break;
        default:
            break;
    }
    std::vector<int> offered;
    for (int i = 0; i < catalogue.Count(); ++i)
        if (!set || set->empty() || std::find(set->begin(), set->end(), catalogue.Name(i)) != set->end())
            offered.push_back(i);
    return offered;
}

}  // namespace zel
