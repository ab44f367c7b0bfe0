#pragma once
// One picked seismic phase of one channel of one station. The pick is identified by the triple
// (station index, channel slot, phase index); everything else is measurement or bookkeeping.
// A plain record: copies are deep and copy every field.

#include <cstdint>
#include <string>

namespace zel {

// Onset quality codes and their letters.
enum OnsetCode : std::uint8_t { kOnsetEmergent = 0, kOnsetImpulsive = 1, kOnsetWeak = 2, kOnsetNone = 3 };
// First-motion codes 0..8: "U", "D", "+", "-", "?", "c", "d", "u", "r".
inline constexpr int kFirstMotionCount = 9;
inline constexpr int kMaxWeight = 4;
inline constexpr std::size_t kRemarkLength = 80;

class SEISMIC_PHASE {
  public:
    SEISMIC_PHASE() = default;
    virtual ~SEISMIC_PHASE() = default;
    SEISMIC_PHASE(const SEISMIC_PHASE&) = default;
    SEISMIC_PHASE(SEISMIC_PHASE&&) = default;
    SEISMIC_PHASE& operator=(const SEISMIC_PHASE&) = default;
    SEISMIC_PHASE& operator=(SEISMIC_PHASE&&) = default;

    // Broken-down time of day of the onset (UTC); hundredths are truncated.
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t hundredths = 0;
    double time = 0.0;  // onset, epoch seconds
    std::uint8_t onset = kOnsetEmergent;
    std::uint8_t firstMotion = 0;
    std::uint8_t weight = 4;
    std::int32_t year = 0;
    std::uint8_t month = 1;
    std::uint8_t day = 1;
    float amplitude = 0.0f;  // micrometres
    float period = 0.0f;     // seconds
    std::int32_t hasAmplitude = 0;
    std::int32_t included = 0;  // takes part in location and magnitudes
    double deltim = 0.0;
    std::int32_t hasResidual = 0;
    float residual = 1.0f;
    std::int32_t hasSlowness = 0;
    float slowness = 1.0f;  // seconds per degree
    std::int32_t hasAzimuth = 0;
    float azimuth = 0.0f;
    float emergence = 0.0f;
    float planarity = 0.0f;
    float rectilinearity = 0.0f;
    std::int32_t screenX = 0;  // display state of the trace pane, never stored
    std::int32_t stationIndex = 0;
    std::int32_t channelIndex = 0;
    std::int32_t phaseIndex = 0;
    std::int32_t arid = -1;
    std::int32_t commid = -1;
    double ampTime = 0.0;
    // Station magnitudes; not greater than 0 = not measured.
    float mb = -1.0f;
    float ms = -1.0f;
    float mplp = -1.0f;
    float mpsp = -1.0f;
    float ml = -1.0f;
    std::string comment;
    float distance = -1.0f;  // degrees; not greater than 0 = unknown
    double coda = -1.0;
    double energyClass = 0.0;
    double mcoda = -1.0;
    std::int32_t savable = 1;
    std::string chanType;
    std::string remark;
    std::string ampFilter;
    std::string pickFilter;
    float backAzimuth = -1.0f;  // -1 = unknown
    // The location's outlier rule took the pick out (included is 0 then); the phase list shows it
    // and the next location judges it anew. Neither flag is stored: they belong to this session.
    std::int32_t outlier = 0;
    // The analyst put a pick the rule had taken out back in: the rule leaves it alone.
    std::int32_t keptByAnalyst = 0;

    bool operator==(const SEISMIC_PHASE&) const = default;

    bool SameIdentity(const SEISMIC_PHASE& other) const {
        return stationIndex == other.stationIndex && channelIndex == other.channelIndex &&
               phaseIndex == other.phaseIndex;
    }
};

// Sets the epoch time and the broken-down fields that go with it. False (record unchanged) when
// the time has no calendar form.
bool SetPickTime(SEISMIC_PHASE& phase, double epoch);

// The letters of the codes; "?" for a code outside its range.
const char* OnsetLetter(int onset);
const char* FirstMotionLetter(int firstMotion);
// Onset letter, first-motion letter and weight digit, e.g. "IU0".
std::string OnsetCodeText(const SEISMIC_PHASE& phase);

}  // namespace zel
