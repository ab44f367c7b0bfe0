#pragma once
// The phase catalogue: which phase names exist (the phase index of a pick is a position here),
// under which curve name each one's travel-time table is known, and the tables themselves. Twelve
// marker names without curves always close the list. Also the phase sets of ZEL.ini that decide
// which phases the pick dialog offers.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "events/TravelTimeTable.h"

namespace zel {

class PrivateProfile;

struct PhaseCatalogueEntry {
    std::string name;
    std::string curve;  // empty: the phase has no curve
    friend bool operator==(const PhaseCatalogueEntry&, const PhaseCatalogueEntry&) = default;
};

inline constexpr std::array<const char*, 12> kPhaseMarkerNames = {"tx", "Sx", "Unk", "_",   "N",   "I",
                                                                  "E",  "Tk", "A",   "AML", "AMB", "AMS"};

// The catalogue used when there is no phase list file: 52 phases and the markers, 64 in all.
const std::vector<PhaseCatalogueEntry>& DefaultPhaseCatalogue();

// The entries of a "phaselist" file (whitespace-separated "name curve" pairs; an unpaired last
// name is dropped) followed by the markers.
std::vector<PhaseCatalogueEntry> ParsePhaseList(std::string_view text);

// Where a model's files are: its directory, or "phases/" under the working directory when the
// model directory setting is empty. Ends with '/'.
std::string CurveDirectory(std::string_view modelDir, std::string_view workingDir);

class PhaseCatalogue {
  public:
    PhaseCatalogue();  // the default catalogue, without tables

    // Reads "phaselist" of the curve directory (the default catalogue when it does not open),
    // then every phase's table; a table that fails to read leaves its phase without a curve.
    void Load(std::string_view modelDir, std::string_view workingDir);
    // Names without tables (tests, and the first step of Load).
    void SetEntries(std::vector<PhaseCatalogueEntry> entries);
    void FreeTables();

    int Count() const { return static_cast<int>(entries_.size()); }
    int IndexOf(std::string_view name) const;  // exact, case-sensitive; -1 when unknown
    // Empty for an index out of range.
    const std::string& Name(int index) const;
    const std::string& CurveName(int index) const;
    const std::string& curveDirectory() const { return curveDir_; }
    // The phase can take part in calculations: it has a curve name and a loaded table.
    bool HasCurve(int index) const;
    // nullptr for an index out of range or an unknown name.
    const PHASEDATA* Table(int index) const;
    const PHASEDATA* Table(std::string_view name) const { return Table(IndexOf(name)); }

    // Reads the table of a phase from its curve file in the curve directory. False, with the
    // table untouched, for an unknown phase, an empty curve name or a file that does not parse.
    bool LoadTable(std::string_view phaseName, PHASEDATA& table) const;

    // The lookups by phase; a phase without a curve answers -1 (0 for the slowness search).
    float TravelTime(int phaseIndex, float depth, float distance) const;
    float DistanceForTime(std::string_view phase, float time, float depth) const;
    float DistanceForDifference(std::string_view phaseA, std::string_view phaseB, float difference,
                                float depth) const;
    float DistanceForSlowness(std::string_view phase, float slowness, float depth) const;

  private:
    void RebuildIndex();

    std::vector<PhaseCatalogueEntry> entries_;
    std::vector<PHASEDATA> tables_;
    std::unordered_map<std::string, int> index_;
    std::string curveDir_;
};

// Section "PRESELECTED PHASES" of ZEL.ini.
struct PhaseSets {
    std::string selection;  // "Teleseismic", "Regional", "Local" or anything else for every phase
    std::vector<std::string> teleseismic;
    std::vector<std::string> regional;
    std::vector<std::string> local;
};

// Names separated by ',' or ';', blanks skipped.
std::vector<std::string> ParsePhaseSet(std::string_view text);
// Each name followed by ';'.
std::string FormatPhaseSet(const std::vector<std::string>& names);
PhaseSets LoadPhaseSets(const PrivateProfile& ini);
void SavePhaseSets(PrivateProfile& ini, const PhaseSets& sets);

// Catalogue indices the pick dialog offers under the active set: the set's known phases in
// catalogue order, or every phase for "Full" and for an empty or missing set.
std::vector<int> OfferedPhases(const PhaseCatalogue& catalogue, const PhaseSets& sets);

}  // namespace zel
