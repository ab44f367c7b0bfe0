#pragma once
// The phase list as a table, without widgets: the 20 column texts of a pick, what editing a cell
// does, the three-state check box and its rule, the header sort, and the two dialogs' logic
// (a pick typed in by hand, the edit of an existing pick).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "events/SeismicPhase.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;

inline constexpr int kChannelSlots = 24;

// What the phase list needs of the station table: names by (station index, slot).
class PhaseStations {
  public:
    virtual ~PhaseStations() = default;
    virtual int StationCount() const = 0;
    // Empty for an index out of range or an unused slot.
    virtual std::string StationName(int station) const = 0;
    virtual std::string ChannelName(int station, int slot) const = 0;
    virtual std::string LocationCode(int station, int slot) const = 0;
};

// A station table held as plain names.
class StationNameTable : public PhaseStations {
  public:
    struct Station {
        std::string name;
        std::array<std::string, kChannelSlots> channels{};
        std::array<std::string, kChannelSlots> locationCodes{};
    };
    std::vector<Station> stations;

    int StationCount() const override { return static_cast<int>(stations.size()); }
    std::string StationName(int station) const override;
    std::string ChannelName(int station, int slot) const override;
    std::string LocationCode(int station, int slot) const override;
};

enum PhaseColumn {
    kColStation = 0,
    kColChannel,
    kColLocation,
    kColPhase,
    kColOnset,
    kColTime,
    kColResidual,
    kColAmplitude,
    kColPeriod,
    kColAzimuth,
    kColBackAzimuth,
    kColDistance,
    kColMb,
    kColMs,
    kColMplp,
    kColMpsp,
    kColMl,
    kColClass,
    kColCoda,
    kColMcoda,
    kPhaseListColumnCount
};

// The column titles as templates: translated where they are shown.
const std::array<const char*, kPhaseListColumnCount>& PhaseListTitles();

// "hh:mm:ss.cc dd/mm/yyyy" with the time rounded to hundredths before it is split, so a carry
// reaches the minute, hour and date; empty when the time has no calendar form.
std::string FormatPickTime(double time);

// The text of one cell; empty where the value is missing. `stations` may be null.
std::string PhaseCellText(const SEISMIC_PHASE& phase, int column, const PhaseCatalogue& catalogue,
                          const PhaseStations* stations);

// Columns 7 to 18 except the computed back azimuth.
bool IsEditableColumn(int column);

enum class CellEdit {
    Changed,   // the pick took the value
    Ignored,   // a value the column does not take (an amplitude not above 0)
    Rejected,  // not a number, or a column that cannot be edited; nothing changed
};
// The end of an in-place edit: the text as a number, or empty to clear the value.
CellEdit ApplyCellEdit(SEISMIC_PHASE& phase, int column, std::string_view text);

// The row's check image; Outlier: unchecked, and marked as taken out by the location's outlier
// rule.
enum class PickCheck { Included, Excluded, NotSaved, Outlier };
PickCheck CheckStateOf(const SEISMIC_PHASE& phase);
// A click on the check image: flips `included`, except that a phase without a curve can only be
// unchecked; the pick becomes savable either way. Checking a pick the outlier rule took out puts
// it back for good: the rule leaves it alone until the analyst unchecks it.
void ToggleIncluded(SEISMIC_PHASE& phase, bool phaseHasCurve);

// The columns a header click sorts by.
bool IsSortableColumn(int column);
// Stable; a value that is missing (residual, azimuth, back azimuth or distance) sorts after every
// present one, and `descending` reverses the whole order.
void SortPhaseRows(std::vector<SEISMIC_PHASE*>& rows, int column, bool descending,
                   const PhaseCatalogue& catalogue, const PhaseStations* stations);

// The insert-phase dialog's fields.
struct ManualPick {
    int station = -1;
    int channel = -1;
    int phase = -1;
    int firstMotion = 0;  // 0..4: Up, Dn, +, -, ?
    int weight = 0;       // 0..4
    int onset = kOnsetImpulsive;
    std::string time;  // "h:m:s" with an optional fraction of the second
    std::string date;  // "dd-mm-yy" or "dd-mm-yyyy"
};

struct ManualPickResult {
    std::optional<SEISMIC_PHASE> pick;
    std::string error;  // the message to show when there is no pick
};
ManualPickResult BuildManualPick(const ManualPick& input, const PhaseCatalogue& catalogue);

// The edit dialog's fields.
struct PhaseEdit {
    int firstMotion = 0;
    int weight = 0;
    int onset = 0;
    int phase = 0;
    std::string chanType;
    std::string remark;
};
// Writes the fields into the stored pick; the message when another pick of the same channel
// already has the chosen phase (nothing is changed then).
std::optional<std::string> ApplyPhaseEdit(ZELPhases& list, SEISMIC_PHASE& pick, const PhaseEdit& edit,
                                          const PhaseCatalogue& catalogue);

// At most `count` characters of UTF-8 text, never splitting a character.
std::string CutToCharacters(std::string_view text, std::size_t count);

}  // namespace zel
