#pragma once
// The two STA/LTA detectors of a trace pane, their parameters with the per-channel defaults of the
// registry store, and the pane's detection list.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "dsp/DetectParam.h"

namespace zel {

class PrivateProfile;

struct DetectorParams {
    double tlta = 10;  // long-term window, seconds
    double tsta = 1;   // short-term window, seconds
    double k = 4;      // trigger threshold on STA/LTA
    bool filter = false;  // run on the pane's filtered copy (floating-point detector only)
};

// The limits the parameter pages accept.
inline constexpr double kTltaMin = 1, kTltaMax = 999;
inline constexpr double kTstaMin = 0.1, kTstaMax = 999;
inline constexpr double kThresholdMin = 1, kThresholdMax = 1000;

// Registry section of a channel's defaults: "ZEL\Detector\<station>\<channel>".
std::string DetectorSection(const std::string& station, const std::string& channel);
// Reads Tlta, Tsta, K (text to real, 63 characters at most) and Filter (on unless it starts with
// "0"); missing values are "10.", "1.", "4." and "0". A value outside the page limits (or not a
// number) is brought to the nearest limit, so no window can be empty or absurdly long.
DetectorParams LoadDetectorDefaults(const PrivateProfile& registry, const std::string& station,
                                    const std::string& channel);

// Floating-point detector on running variances of the short and the long window (the STA window
// holds the newest samples, the LTA window the ones before it). The variances are kept as sums of
// squared deviations updated as samples enter and leave, refreshed exactly once per buffer length
// so rounding cannot accumulate over a long channel, and never below 0: a large constant offset
// gives no false triggers. A step costs a few multiplications and no division, whatever the
// window lengths.
class CZELDetector {
  public:
    void SetParams(const DetectorParams& p) { params_ = p; }
    const DetectorParams& Params() const { return params_; }

    // Sizes the windows for this rate (each at least two samples, the fewest that can vary) and
    // clears all state. Throws
    // ZelError for a rate that is not positive or windows too long to hold.
    void Start(double rate);
    // One sample; true while triggered (including the five-second hold-off).
    bool Step(double x);
    // Steps through samples as long as the trigger state stays `on`; returns how many were taken,
    // the first one that changes it included (then `on` holds the new state).
    std::size_t StepUntilChange(std::span<const float> samples, bool& on);
    // Gives the sample buffer's memory back; the next step starts afresh.
    void Release() { std::vector<double>().swap(ring_); }

    float Ratio() const { return varLta_ > 0 ? static_cast<float>(varSta_ / varLta_) : 1e8f; }
    // Seconds from the onset estimate to the current sample: the time the current slope needs
    // to reach the long-term mean (0 on a flat slope).
    double OnsetDelay() const;
    double EffectiveTsta() const { return static_cast<double>(nsta_) / rate_; }
    std::size_t Nsta() const { return nsta_; }
    std::size_t Nlta() const { return nlta_; }

  private:
    // The two windows side by side, the short one in lane 0 and the long one in lane 1: one pair
    // of operations slides both, lane by lane exactly as two scalar updates would.
    using Pair = double __attribute__((vector_size(16)));
    // The loop of Step and StepUntilChange, on local copies of the state so that it stays in
    // registers.
    template <class Sample>
    std::size_t Advance(const Sample* samples, std::size_t count, bool& on);

    DetectorParams params_;
    double rate_ = 1;
    std::size_t nsta_ = 1, nlta_ = 1;
    std::vector<double> ring_;  // the last nlta + nsta samples
    std::size_t head_ = 0;      // where the next sample goes: the oldest one, leaving the long window
    std::size_t middle_ = 0;    // the sample moving from the short window to the long one
    Pair perSample_ = {1, 1};   // 1 / window length
    Pair mean_ = {0, 0};        // means of the windows
    Pair m2_ = {0, 0};          // sums of squared deviations, never below 0
    double varSta_ = 0, varLta_ = 0;
    double last_[3] = {0, 0, 0};  // newest first
    bool on_ = false;             // the last step's state
    std::int64_t holdOff_ = 0, counter_ = 0;
    std::uint64_t seen_ = 0;
};

// Fixed-point detector on exponential averages of absolute deviations. Its input is the low 16
// bits of the truncated sample, unsigned, halved; its averages, remainders and counters are wide
// enough for any window the pages allow.
class CGeotechDetector {
  public:
    void SetParams(const DetectorParams& p) { params_ = p; }
    const DetectorParams& Params() const { return params_; }
    // Sizes the windows (each at least one sample) and clears all state; throws ZelError for a
    // rate that is not positive or windows too long to hold.
    void Start(double rate);
    bool Step(double x);
    // The last STA/LTA ratio in 16.16 fixed point.
    std::int64_t Ratio() const { return ratio_; }

  private:
    struct Average {
        std::int64_t y = 0, r = 0;
        // Returns |x - y| before the update.
        std::int64_t Update(std::int64_t n, std::int64_t x);
    };
    DetectorParams params_;
    std::int64_t nsta_ = 1, nlta_ = 1;
    std::int64_t k_ = 0;  // 16.16
    Average level_, sta_, lta_;
    std::int64_t ratio_ = 0;
    std::uint64_t seen_ = 0;
};

// One run over a pane's samples (sample i at start + i / rate): the detection list is cleared,
// then every off-to-on change adds the middle of the short window and the onset estimate.
void RunZelDetector(CZELDetector& detector, std::span<const float> samples, double rate, double start,
                    DetectParam& list);
// Every off-to-on change adds its own time.
void RunGeotechDetector(CGeotechDetector& detector, std::span<const float> samples, double rate,
                        double start, DetectParam& list);

}  // namespace zel
