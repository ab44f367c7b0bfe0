#pragma once
// Conversion of recorded counts into ground displacement or velocity, or into the record of a
// standard seismograph, in the frequency domain: through the recorder's poles and zeros (PZ) or
// through its amplitude table (FAP, amplitudes only).

#include <complex>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "base/UserText.h"
#include "dsp/Response.h"

namespace zel {

// Transformation codes of the pane (below 1000: band filter types).
enum SimulationCode : int {
    kSimDisplacement = 1000,
    kSimKirnos = 1001,
    kSimWwssnLp = 1002,
    kSimWwssnSp = 1003,
    kSimWoodAnderson = 1004,
    kSimLpsro = 1005,
    kSimVegik = 1006,
    kSimSkm = 1007,
    kSimVelocity = 1010,
    kFapDisplacement = 1011,
    kFapKirnos = 1012,
    kFapWwssnLp = 1013,
    kFapWwssnSp = 1014,
    kFapWoodAnderson = 1015,
    kFapLpsro = 1016,
    kFapVegik = 1018,
    kFapSkm = 1019,
};

bool IsFapCode(int code);
// Codes with a defined result (1008, 1009 and 1017 have none).
bool IsSimulationCode(int code);
// The command text of a code ("Симуляция KIRNOS", "К смещению по АЧХ", ...); "" for others.
// Always the Russian template: picks store it in the database.
std::string SimulationText(int code);
// The same text as the analyst reads it, in the interface's language.
UserText SimulationCaption(int code);

// A standard instrument: T(s) = gain * prod(s - z) / prod(s - p).
struct TargetInstrument {
    const char* name;
    std::vector<std::complex<double>> zeros, poles;
    double gain;
};
// The instrument of a code (PZ or FAP); nullptr for displacement, velocity and unknown codes.
const TargetInstrument* TargetOf(int code);

// T(i 2 pi f) of the code's instrument; 1 for codes without one.
std::complex<double> TargetResponse(int code, double f);
// The largest |T| over f = k * sampleRate / count, k = 1 .. count / 2.
double TargetPeak(int code, std::size_t count, double sampleRate);

// Among n, n-1, ... above 0.96 n, the length with the largest power-of-two factor (ties keep the
// longer). When no such length has a factor above 1 (tiny n), n itself: any length transforms.
std::size_t FftFriendlyLength(std::size_t n);

// Traces longer than this are refused on the PZ path (the transform runs on the whole trace).
constexpr double kMaxPolesZerosSeconds = 600;

// The PZ path over `input` (count samples at sampleRate, count should come from
// FftFriendlyLength). Throws ZelError for more than ten minutes of data or an empty input.
std::vector<float> SimulatePolesZeros(const PolesZeros& recorder, double sampleRate,
                                      std::span<const float> input, int code);

// The FAP path: amplitudes scaled by the table and |T|, phases kept.
std::vector<float> SimulateFap(int code, const ApResponse& table, std::span<const float> input,
                               double sampleRate);

}  // namespace zel
