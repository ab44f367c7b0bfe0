#pragma once
// A time as whole seconds and milliseconds, the start of a trace pane's interval.

#include <cstdint>

namespace zel {

class CWaveformTime {
  public:
    // seconds is the floor of the time and milliseconds the part above it, so the two always
    // add up to the time (-1.5 s is -2 s + 500 ms). 64-bit seconds: times beyond 2038 fit.
    std::int64_t seconds = 0;
    int milliseconds = 0;

    CWaveformTime() = default;
    // Throws ZelError for a time that is not finite or outside the calendar's years 1..9999.
    explicit CWaveformTime(double epoch) { Set(epoch); }
    void Set(double epoch);

    double Epoch() const { return static_cast<double>(seconds) + milliseconds / 1000.0; }

    friend bool operator==(const CWaveformTime&, const CWaveformTime&) = default;
};

}  // namespace zel
