#pragma once
// Amplitude and period of a wave group on a trace pane: the interval mark selects samples of the
// pane's transformed signal, the largest swing of the group gives the peak-to-peak amplitude and
// the period, and the swing is converted into zero-to-peak ground displacement in micrometres.

#include <span>
#include <string>

#include "data/StationModel.h"
#include "wave/Picking.h"
#include "wave/TracePane.h"

namespace zel {

namespace Db {
class Connection;
}

// The largest swing of x (sample interval dt): the dominant period N (samples) of the detrended
// group sets the window length N/2 + 3, and the window with the largest max - min wins.
struct Swing {
    double peakToPeak = 0;   // in the units of x
    double period = 0;       // seconds: twice the time between the extremes
    int centre = 0;          // index halfway between the extremes
    int dominantPeriod = 0;  // N, samples; 0 when the group is too short for a spectrum
};
// Throws ZelError when the group holds no window (fewer than three samples).
Swing FindLargestSwing(std::span<const float> x, double dt);

// A swing measured on a pane, placed in time.
struct PaneSwing {
    Swing swing;
    int firstSample = 0;  // index of the measured group in the transformed signal
    int samples = 0;      // samples measured
    IntervalMark mark;    // [t_c - T/2, t_c + T/2] around the swing's centre
    double time = 0;      // the middle of the new mark
};

// Checks the pane (transformed signal, interval mark inside the pane) and measures the samples
// under the mark. Throws ZelError with the analyst's text. The samples are indexed with the
// transformed signal's own rate and never read past its end, whatever the channel's nominal
// rate says.
PaneSwing MeasurePaneSwing(const TracePane& pane);

// Conversion of a swing into ground displacement.
enum AmplitudeMethod : int { kAmplitudeByFapFile = 0, kAmplitudeByCalib = 1, kAmplitudeByDatabase = 2 };

struct GroundAmplitude {
    double amplitude = 0;  // micrometres, zero to peak
    double response = 0;   // the response value used: nm per count, or |T| of the simulated instrument
};

// A simulated seismograph (code 1000 and above) records nanometres: P / 1000, divided by the
// instrument's |T(1/T)| when normalising and that value is positive, then halved.
GroundAmplitude SimulatedGroundAmplitude(int code, double peakToPeak, double period, bool normalise);
// A filtered record in counts with `nmPerCount` at the period and the segment's gain. Throws
// ZelError when the response or the gain is 0 (or not a number): nothing to divide by.
GroundAmplitude FilteredGroundAmplitude(double peakToPeak, double nmPerCount, double gain);

// Where a filtered pane's response comes from.
struct ChannelResponseSource {
    Db::Connection* work = nullptr;  // null: no database
    std::string workingDir;          // holds RESPONSE/
    std::string station;
    ChannelSlot slot;
    double calib = 0;  // of the data block at the measurement time, nm per count
    double calper = 0;
};

// nm per count of the channel at `period` by one method (the database method falls back to the
// RESPONSE file when the database has no response). Only the RESPONSE file's value still needs
// the segment gain divided out. Throws ZelError with the analyst's text.
struct ChannelResponse {
    double nmPerCount = 0;
    bool fromFile = false;
};
ChannelResponse ChannelNmPerCount(int method, double period, double time,
                                  const ChannelResponseSource& source);
// The gain of the catalogued segment that covers `time`; 1 when no segment row says otherwise.
double SegmentGain(Db::Connection& work, const std::string& station, const std::string& channel, double time);

// The whole conversion of a swing measured on a pane.
GroundAmplitude PaneGroundAmplitude(const TracePane& pane, const PaneSwing& measured, int method,
                                    bool normalise, const ChannelResponseSource& source);

}  // namespace zel
