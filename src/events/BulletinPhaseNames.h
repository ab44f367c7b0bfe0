#pragma once
// How a phase name of another agency's bulletin finds its catalogue entry: the exact name, else
// the legacy name table (P* is Pb), else the one catalogue name that equals it regardless of case
// (PN is Pn). Two catalogue names that differ only in case (PP and pP) match nothing that way.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel {

class PhaseCatalogue;

// Where the shipped table lies below the resource folder.
inline constexpr const char* kLegacyPhaseNamesFile = "phases/legacy_phase_names.txt";

// "legacy current" pairs.
using LegacyPhaseNames = std::vector<std::pair<std::string, std::string>>;

// The pairs of the text ("#" starts a comment; a line without two names is ignored).
LegacyPhaseNames ParseLegacyPhaseNames(std::string_view text);
// The table of the resource folder; empty when the file does not open.
LegacyPhaseNames ReadLegacyPhaseNames(const std::string& resourceDir);

// The catalogue index of a bulletin's phase name; -1 when nothing matches.
int MatchBulletinPhase(std::string_view name, const PhaseCatalogue& catalogue,
                       const LegacyPhaseNames& legacy);

}  // namespace zel
