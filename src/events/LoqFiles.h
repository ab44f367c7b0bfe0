#pragma once
// The exchange with the external hypocentre locator: it reads the picks in CSS 3.0 arrival layout
// (followed by the station coordinates), the start origin in CSS 3.0 origin layout and a small
// configuration that tells it where the tables are and at which character column each field of
// the two files begins. Also the reading side, so that our stand-in locator and the tests read
// the files exactly by the configuration's columns.

#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;
class SEISMIC_PHASE;
struct CurrentEvent;

inline constexpr const char* kLoqProgram = "LOQ.EXE";
inline constexpr const char* kLoqConfigName = "zel.loq.conf";
// How the Russian text of a failed write of the three files begins ("... : path: reason").
inline constexpr const char* kLoqFileOpenError = "Ошибка открытия файла: ";

// The three files of event number n in a directory that ends with a separator.
struct LoqFileNames {
    std::string arrivals;       // "<dir>%08d.sds"
    std::string origin;         // "<dir>%08d.sdn"
    std::string configuration;  // "<dir>zel.loq.conf"
};
LoqFileNames LoqFilesFor(const std::string& directory, int number);

// The directory with a trailing '/' (a Windows '\' already there is kept).
std::string WithTrailingSeparator(std::string directory);

inline constexpr const char* kLoqSection = "LOQ";
inline constexpr const char* kLoqDirKey = "DIR";
// The folder ZEL.ini names when it names none: where the LOQ.EXE stand-in lies beside the program
// (its "loq" folder, an installed libexec/zel/loq, or the build tree's tools/loq), else the
// original's "C:\LOQ".
std::string DefaultLoqDirectory(const std::string& executableDir);

// The fields of one arrival line that are not taken from the pick itself.
struct LoqArrivalContext {
    std::string station;
    std::string channel;
    std::string phase;
    double lat = 0.0;  // channel coordinates
    double lon = 0.0;
    double elev = 0.0;
    int number = 1;  // arrival number: position in the list + 1
    std::time_t now = 0;
};
std::string LoqArrivalLine(const SEISMIC_PHASE& pick, const LoqArrivalContext& context);

std::string LoqOriginLine(const CurrentEvent& event, int number, int picks, int includedPicks, std::time_t now);

// The configuration, six lines.
std::string LoqConfiguration();

// Writes the three files of event `number` into `directory` (with separator). Throws ZelError
// "Ошибка открытия файла: <path>" when a file cannot be written.
void WriteLoqInput(const std::string& directory, int number, const ZELPhases& phases,
                   const std::vector<Station>& stations, const PhaseCatalogue& catalogue, const CurrentEvent& event,
                   std::time_t now);

// ---- reading side

// Attributes of the configuration by element: element name -> attribute -> value.
using LoqConfig = std::map<std::string, std::map<std::string, std::string>>;
LoqConfig ParseLoqConfiguration(const std::string& text);

// The number or the blank-free word that begins at or after a column (leading blanks skipped);
// nullopt when the line is shorter or nothing readable is there.
std::optional<double> NumberAtColumn(const std::string& line, int column);
std::string WordAtColumn(const std::string& line, int column);

struct LoqArrival {
    std::string station;
    std::string phase;
    double time = 0.0;
    long arid = 0;
    double lat = 0.0, lon = 0.0, elev = 0.0;
};
struct LoqOrigin {
    std::optional<double> lat, lon, depth, time;  // nullopt for the CSS 3.0 null values
    long jdate = -1;
    long phases = -1;
};

// Read by the columns of the configuration's Arrival and Origin elements. Throws ZelError when a
// column is missing from the configuration or a line lacks a field.
std::vector<LoqArrival> ReadLoqArrivals(const std::string& text, const LoqConfig& config);
LoqOrigin ReadLoqOrigin(const std::string& text, const LoqConfig& config);

// A Windows-style relative path of the configuration (".\iasp91\iasp91") as a path below `base`.
std::string LoqPath(const std::string& base, const std::string& windowsPath);

}  // namespace zel
