#pragma once
// What the F-K dialog decides besides drawing: the grid shared by the computations of a run and
// its checks, the colour of a grid point, the phases a result can be attached to, the distance
// a slowness suggests, and attaching the result to a pick.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/Settings.h"
#include "dsp/Fk.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;

// The grid fields' limits.
inline constexpr double kFkSlownessLimit = 20.0;  // s/km, either sign
inline constexpr int kFkMinIntervals = 2;
inline constexpr int kFkMaxIntervals = 1000;

enum class FkGridField { Min, Max, Intervals };
struct FkFieldProblem {
    FkGridField field;
    std::string text;
};
// The grid typed in the three fields, or the first field at fault with the text to show.
// A minimum not below the maximum is refused too: it would leave the grid empty.
struct FkGridInput {
    std::optional<FkGrid> grid;
    std::optional<FkFieldProblem> problem;
};
FkGridInput ParseFkGrid(std::string_view min, std::string_view max, std::string_view intervals);

// The map's ten colours from lowest to highest power.
inline constexpr std::array<Rgb, 10> kFkPalette = {{{0, 0, 255},
                                                    {0, 255, 128},
                                                    {0, 255, 0},
                                                    {0, 255, 0},
                                                    {128, 255, 0},
                                                    {255, 255, 0},
                                                    {255, 192, 0},
                                                    {255, 128, 0},
                                                    {255, 64, 0},
                                                    {255, 0, 0}}};

// Palette entry of normalised power p on the scale [pmin, pmax], 0..9. When every point has the
// same power (a single channel) each one is the maximum: the top colour.
int FkColourIndex(double p, double pmin, double pmax);

// Azimuth (degrees) and slowness (s/km) as the result fields hold them, computed or typed.
struct FkTypedResult {
    double azimuth = 0.0;
    double slowness = 0.0;
};
// Nothing when a field is empty or not a number, or the slowness is negative.
std::optional<FkTypedResult> ParseFkResultFields(std::string_view azimuth, std::string_view slowness);

// A phase picked on the reference channel, which a result can be attached to.
struct FkPhaseChoice {
    std::string name;
    int phaseIndex = -1;
};
// The channel's picks in the phase list's (time) order, named from the catalogue.
std::vector<FkPhaseChoice> FkPhaseChoices(const ZELPhases& phases, const PhaseCatalogue& catalogue, int station,
                                          int slot);

// Epicentral distance (degrees) at which the phase's travel-time curve has this slowness (s/km)
// for a source at 33 km; nothing when the phase has no curve or no distance fits.
std::optional<double> FkDistanceEstimate(const PhaseCatalogue& catalogue, std::string_view phase, double slowness);

// Seconds per degree in one second per kilometre.
inline constexpr double kKmPerDegree = 111.195;

// Puts azimuth (degrees) and slowness (s/km, stored in s/deg) on the channel's pick of the
// phase, both marked defined. False, with nothing changed, when the channel has no such pick.
bool AssociateFkResult(ZELPhases& phases, int station, int slot, int phaseIndex, const FkTypedResult& result);

}  // namespace zel
