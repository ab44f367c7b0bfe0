#include "wave/FkAnalysis.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "base/UserText.h"
#include "dsp/DspNumberText.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

// The depth the distance estimate assumes.
constexpr float kEstimateDepthKm = 33.0f;

// One finite number filling the text (blanks around it allowed).
std::optional<double> WholeNumber(std::string_view text) {
    std::size_t at = 0;
    double value = 0.0;
    if (!ReadNumber(text, at, value) || !std::isfinite(value)) return std::nullopt;
    if (text.find_first_not_of(" \t", at) != std::string_view::npos) return std::nullopt;
    return value;
}

}  // namespace

FkGridInput ParseFkGrid(std::string_view min, std::string_view max, std::string_view intervals) {
    const std::string range = Tr("Введите число между -20 и 20.");
    FkGrid grid;
    for (auto [field, text, value] : {std::tuple{FkGridField::Min, min, &grid.min},
                                      std::tuple{FkGridField::Max, max, &grid.max}}) {
        const auto v = WholeNumber(text);
        if (!v) return {std::nullopt, FkFieldProblem{field, Tr("Введите число.")}};
        if (*v < -kFkSlownessLimit || *v > kFkSlownessLimit) return {std::nullopt, FkFieldProblem{field, range}};
        *value = *v;
    }
    const auto n = WholeNumber(intervals);
    if (!n || *n != std::trunc(*n))
        return {std::nullopt, FkFieldProblem{FkGridField::Intervals, Tr("Введите целое число.")}};
    if (*n < kFkMinIntervals || *n > kFkMaxIntervals)
        return {std::nullopt,
                FkFieldProblem{FkGridField::Intervals, Tr("Введите целое число между 2 и 1000.")}};
    grid.intervals = static_cast<int>(*n);
    if (grid.min >= grid.max)
        return {std::nullopt,
                FkFieldProblem{FkGridField::Max, Tr("Максимум Px и Py должен быть больше минимума.")}};
    return {grid, std::nullopt};
}

int FkColourIndex(double p, double pmin, double pmax) {
    const int top = static_cast<int>(kFkPalette.size()) - 1;
    if (!(pmax > pmin)) return top;
    const double scaled = (p - pmin) * top / (pmax - pmin);
    if (!(scaled >= 0)) return 0;  // below the scale, or NaN
    return std::min(top, static_cast<int>(scaled));
}

std::optional<FkTypedResult> ParseFkResultFields(std::string_view azimuth, std::string_view slowness) {
    const auto a = WholeNumber(azimuth);
    const auto s = WholeNumber(slowness);
    if (!a || !s || *s < 0) return std::nullopt;
    return FkTypedResult{*a, *s};
}

std::vector<FkPhaseChoice> FkPhaseChoices(const ZELPhases& phases, const PhaseCatalogue& catalogue, int station,
                                          int slot) {
    std::vector<FkPhaseChoice> choices;
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.stationIndex != station || p.channelIndex != slot) continue;
        const std::string& name = catalogue.Name(p.phaseIndex);
        if (!name.empty()) choices.push_back({name, p.phaseIndex});
    }
    return choices;
}

std::optional<double> FkDistanceEstimate(const PhaseCatalogue& catalogue, std::string_view phase, double slowness) {
    const float d = catalogue.DistanceForSlowness(phase, static_cast<float>(slowness), kEstimateDepthKm);
    if (!(d > 0)) return std::nullopt;
    return d;
}

bool AssociateFkResult(ZELPhases& phases, int station, int slot, int phaseIndex, const FkTypedResult& result) {
    SEISMIC_PHASE* pick = phases.Find(station, slot, phaseIndex);
    if (pick == nullptr) return false;
    pick->azimuth = static_cast<float>(result.azimuth);
    pick->hasAzimuth = 1;
    pick->slowness = static_cast<float>(result.slowness * kKmPerDegree);
    pick->hasSlowness = 1;
    return true;
}

}  // namespace zel
