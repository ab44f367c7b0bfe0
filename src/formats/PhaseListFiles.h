#pragma once
// The phase list as input files of other processing programs (KPW2, TRAVO, HYPO71) and as a list
// of all picks in the CSS 3.0 arrival layout, which can be read back.

#include <ctime>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace zel {

struct CurrentEvent;
struct Station;
class PhaseCatalogue;
class ZELPhases;

struct PhaseFileInput {
    const CurrentEvent& event;
    const ZELPhases& phases;
    const std::vector<Station>& stations;
    const PhaseCatalogue& catalogue;
};

std::string Kpw2Text(const PhaseFileInput& in);
std::string TravoText(const PhaseFileInput& in);

// HYPO71 station codes by "STATION CHANNEL" (upper case), from the lines "sta chan code" of
// "stations.71"; a file that does not open gives none.
using Hypo71Codes = std::map<std::string, std::string>;
Hypo71Codes ReadHypo71Codes(const std::string& path);
// One 79-character line ending in "\r\n" per "P" pick.
std::string Hypo71Text(const PhaseFileInput& in, const Hypo71Codes& codes);

// One 223-character line per pick; 'today' gives the load date.
std::string AllPhasesText(const PhaseFileInput& in, std::time_t today);
// Adds the picks of an all-phases list (after clearing the list when 'replace' is set); lines of
// unknown stations, channels or phases are skipped. Returns the number of picks added.
int ReadAllPhases(std::istream& text, bool replace, ZELPhases& phases, const std::vector<Station>& stations,
                  const PhaseCatalogue& catalogue);

// Writes the text; throws ZelError "Ошибка открытия файла  '<path>': <reason>" when it cannot,
// leaving an older file of that name as it was.
void WritePhaseFile(const std::string& path, const std::string& text);

}  // namespace zel
