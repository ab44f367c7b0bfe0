#pragma once
// IMS1.0 bulletins: the events of a bulletin file with their first origin and their phase lines,
// read either by the IMS1.0 columns or field by field between blanks; the chosen event loaded into
// the current event and the phase list; the current event written as an IMS1.0 bulletin with a
// REB-style title.

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/UserText.h"
#include "events/BulletinPhaseNames.h"
#include "events/Locator.h"

namespace zel {

struct CurrentEvent;
struct Station;
class PhaseCatalogue;
class ZELPhases;

inline constexpr const char* kBulletinAuthor = "TOLKZEL";
// Width of the event id field of the EVENT line.
inline constexpr std::size_t kImsEventIdWidth = 8;

struct ImsOrigin {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0.0;
    std::optional<double> timeError, rms, lat, lon, smaj, smin, ellipseAzimuth, depth, depthError;
    bool depthFixed = false;
    std::optional<int> ndef, nsta, gap;
    std::optional<double> minDistance, maxDistance;
    std::string author;
    std::int64_t origId = -1;

    bool HasCoordinates() const { return lat.has_value() && lon.has_value(); }
    double Epoch() const;  // the date and time as epoch seconds
};

// One phase line of a bulletin. Missing numbers hold the values the loader treats as absent.
struct IMSPhaseBlock {
    std::string station;
    double distance = -1.0;   // degrees
    double eventAzimuth = -1.0;
    std::string phase;
    int hour = 0, minute = 0;
    double second = 0.0;
    double residual = -9999.0;
    double azimuth = -1.0;
    double slowness = -9999.0;
    char defining = '_';      // first character of the "Def" field
    double snr = -1.0;
    double amplitude = -1.0;  // nm
    double period = -1.0;     // s
    char pickType = '_';      // "a" automatic, "m" manual
    char onset = '_';         // "i", "e", "q" or "_"
    char firstMotion = '_';   // "c", "d" or "_"
    std::string magnitudeType;
    double magnitude = -1.0;
    std::int64_t arid = -1;
};

struct ImsEvent {
    std::string id;
    std::string region;
    std::optional<ImsOrigin> origin;  // the first origin line of the event
    bool hasPhaseHeader = false;
    std::vector<IMSPhaseBlock> phases;
    // Arrival lines under the phase header that gave no entry (an unassociated arrival of the ISC
    // has no phase name); with `phases` they are every arrival line of the event.
    int withoutPhaseName = 0;
    int unreadable = 0;
};

enum class ImsLayout {
    Columns,     // the IMS1.0 column positions
    Whitespace,  // the same lines, fields separated by blanks
};

// Every EVENT block of the text, in file order. An event's phase lines run from the phase header
// to a blank line (by columns; by fields, to a line shorter than 10 characters), the next EVENT,
// STOP or the end; a line among them that is not an arrival is counted and skipped.
std::vector<ImsEvent> ReadImsBulletin(std::istream& in, ImsLayout layout);
// Throws ZelError "Ошибка открытия файла  '<path>'" when the file does not open.
std::vector<ImsEvent> ReadImsBulletinFile(const std::string& path, ImsLayout layout);

// Splits the two quality letters (columns 101 and 102) into onset and first motion by the letter
// itself, so files with either order read alike.
void SplitQualityLetters(std::string_view letters, char& onset, char& firstMotion);

// The arrival lines of an event that gave no pick, by reason; names and codes with their counts.
struct ImsSkippedArrivals {
    int arrivals = 0;  // every arrival line of the event
    int withoutPhaseName = 0;
    int unreadable = 0;
    std::map<std::string, int> unknownStations;
    std::map<std::string, int> unknownPhases;  // bulletin names that match no catalogue phase
    std::map<std::string, int> noChannel;      // "STA phase": the station has no channel of its component
    std::map<std::string, int> repeated;       // "STA phase" given again: the event's first line stays
    int Count() const;
};

// What a load did: the picks added, the arrivals skipped and, when the event could not be
// loaded, why.
struct ImsLoadResult {
    int added = 0;
    std::string problem;  // empty on success
    ErrorEllipse ellipse;  // the origin's, when it gave one
    ImsSkippedArrivals skipped;
};

// The sentence that says what an event's load skipped and why, e.g. "Из 255 вступлений события
// 1967 пропущено 31: без названия фазы — 28, неизвестные станции — 3 (ABC, DEF)."; empty when
// nothing was skipped.
inline constexpr const char* kImsSkippedArrivals =
    ZEL_TR_NOOP("Из %1 вступлений события %2 пропущено %3: %4.");
inline constexpr const char* kImsSkipNoPhaseName = ZEL_TR_NOOP("без названия фазы — %1");
inline constexpr const char* kImsSkipUnreadable = ZEL_TR_NOOP("нечитаемые строки — %1");
inline constexpr const char* kImsSkipUnknownStations = ZEL_TR_NOOP("неизвестные станции — %1 (%2)");
inline constexpr const char* kImsSkipUnknownPhases = ZEL_TR_NOOP("фазы, которых нет в каталоге, — %1 (%2)");
inline constexpr const char* kImsSkipNoChannel = ZEL_TR_NOOP("нет канала нужной компоненты — %1 (%2)");
inline constexpr const char* kImsSkipRepeated = ZEL_TR_NOOP("повторы уже прочитанной фазы станции — %1 (%2)");
std::string SkippedArrivalsText(const std::string& eventId, const ImsSkippedArrivals& skipped);

// The Russian problems up to the event's id, which ends them.
inline constexpr const char* kImsNoOrigin = "В бюллетене нет строки гипоцентра события ";
inline constexpr const char* kImsNoPhaseHeader = "В бюллетене нет заголовка списка фаз события ";

// Loads the event into the current event and the phase list. Without phasesOnly the list is
// cleared, the origin becomes the hypocentre (valid when it has coordinates) and the event id
// becomes the bulletin's; with phasesOnly the picks are added and the current event's id,
// hypocentre and magnitudes stay. A bulletin P goes to vertical channels only, an S to
// horizontal ones; phase names are matched as MatchBulletinPhase does; unknown stations and
// phases are skipped and counted. A station's phase given twice in the event keeps its first line:
// the repeat, which would replace it (and its amplitude) on the same channels, is skipped and
// counted, so a wrong repeat costs nothing and a wrong first line is the locator's to exclude.
ImsLoadResult LoadImsEvent(const ImsEvent& event, bool phasesOnly, CurrentEvent& current, ZELPhases& phases,
                           const std::vector<Station>& stations, const PhaseCatalogue& catalogue,
                           const LegacyPhaseNames& legacyNames = {});

// What the bulletin writer takes besides the picks.
struct BulletinInput {
    const CurrentEvent& event;
    ErrorEllipse ellipse;  // of the last location; invalid when unknown
    bool depthFixed = false;
};

// The event as an IMS1.0 bulletin.
std::string ImsBulletinText(const BulletinInput& input, const ZELPhases& phases,
                            const std::vector<Station>& stations, const PhaseCatalogue& catalogue);
// Writes it to a file; throws ZelError "Ошибка открытия файла  '<path>'".
void WriteImsBulletin(const std::string& path, const BulletinInput& input, const ZELPhases& phases,
                      const std::vector<Station>& stations, const PhaseCatalogue& catalogue);

// The event id as the 8-character field of the EVENT line: the id without blanks when it fits,
// else its last 8 characters (the seconds of a time-stamp id, which tell events apart).
std::string ImsEventIdField(const std::string& eventId);

}  // namespace zel
