#pragma once
// What a location did with the picks: the outlier rule's marks in the phase list, and the
// sentences that tell the analyst which phases were left out and why.

#include <string>
#include <vector>

#include "base/UserText.h"
#include "data/StationModel.h"
#include "events/Locator.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;

// Each takes the list of "STA phase" names as %1, e.g. "NRI P, KBL S (+289.0 с)".
inline constexpr const char* kPhasesWithoutTravelTime =
    ZEL_TR_NOOP("Для фаз %1 в найденном гипоцентре нет времени пробега: они в расчете не участвовали.");
inline constexpr const char* kPhasesExcludedAsOutliers =
    ZEL_TR_NOOP("Фазы %1 исключены из расчета: их невязки далеко за разбросом остальных.");
inline constexpr const char* kPhasesWithoutCurve =
    ZEL_TR_NOOP("Фазы %1 в расчете не участвуют: в выбранной модели для них нет годографа.");
// The phase list's note on a pick the rule took out.
inline constexpr const char* kPickExcludedAsOutlier =
    ZEL_TR_NOOP("Исключена из расчета как выброс; отметьте фазу, чтобы вернуть ее в расчет.");

// "STA phase" of an observation.
std::string ObservationName(const Observation& o, const std::vector<Station>& stations,
                            const PhaseCatalogue& catalogue);

// The sentences for the phases left out for want of a travel time, those excluded as outliers
// (with their residuals) and the picks no curve serves (PhasesWithoutCurveNote); empty when every
// observation was used and every pick has its curve.
std::vector<std::string> LocationNotes(const std::vector<Observation>& observations, const ZELPhases& phases,
                                       const std::vector<Station>& stations, const PhaseCatalogue& catalogue);

// The sentence naming the picks whose phase has a curve name but no curve in the loaded model (a
// bulletin's P* is Pb, which the shipped models do not tabulate), a station's phase once; empty
// when there are none.
std::string PhasesWithoutCurveNote(const ZELPhases& phases, const std::vector<Station>& stations,
                                   const PhaseCatalogue& catalogue);

// The rule's verdict written into the picks behind each observation (all its channel copies that
// took part): an outlier's picks become non-defining and marked; picks the rule had excluded
// before and now uses are defining again. Picks the analyst left out are not touched.
void MarkOutlierPicks(ZELPhases& phases, const std::vector<Observation>& observations);

}  // namespace zel
