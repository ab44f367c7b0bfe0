#pragma once
// The physics of the demo disk loop: travel times from ZEL curve files, geocentric distances,
// the published magnitude calibrations, a short-period velocity seismometer, microseismic noise
// and arrival wavelets. Everything is deterministic: the same call gives the same numbers.
//
// The distance, azimuth and curve reading here are deliberately written apart from the core's
// (events/DistAz, the phase catalogue's tables): the demo's arrivals are what the end-to-end test
// locates to 0.1 km and ML 3.4, so a fault in the core's geometry or interpolation must not be
// able to cancel itself out by making the very picks it is then asked to locate.

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

namespace zel::demo {

// A travel-time curve file: depth rows of times along distance. Looked up with a natural cubic
// spline along distance (not across gaps, marked -1) and linearly between depth rows, so the
// demo's arrivals are exactly what a reader of the same curves computes.
class TravelTimeCurve {
  public:
    // Throws ZelError when the file is missing or malformed.
    static TravelTimeCurve Load(const std::string& path);
    // Seconds, or -1 outside the table or where the phase does not exist.
    double Time(double depthKm, double distanceDeg) const;

  private:
    double RowTime(std::size_t row, double distance) const;
    std::vector<double> depths_;
    std::vector<double> distances_;
    std::vector<std::vector<double>> times_;
    std::vector<std::vector<double>> second_;  // spline second derivatives per row
};

struct DistAz {
    double distance = 0.0;     // degrees
    double azimuth = 0.0;      // at point 1 toward point 2, degrees clockwise from north
    double backAzimuth = 0.0;  // at point 2 toward point 1
};
// On the ellipsoid through geocentric latitudes.
DistAz GeocentricDistAz(double lat1, double lon1, double lat2, double lon2);

// Richter (1958) local-magnitude calibration as "distance_km log10A0" pairs; linear between them.
class RichterCalibration {
  public:
    static RichterCalibration Load(const std::string& path);  // throws ZelError
    // log10 A0 at the epicentral distance; throws ZelError outside the table.
    double LogA0(double distanceKm) const;

  private:
    std::vector<std::pair<double, double>> points_;
};

// Gutenberg & Richter (1956) Q(delta, h) for mb; bilinear, -1 cells are not used.
class MbCalibration {
  public:
    static MbCalibration Load(const std::string& path);  // throws ZelError
    double Q(double distanceDeg, double depthKm) const;  // throws ZelError outside the table

  private:
    std::vector<double> depths_;
    std::vector<double> distances_;
    std::vector<std::vector<double>> q_;  // [distance][depth]
};

// Peak displacement (micrometres) that gives this ML on a Wood-Anderson record through ZEL's ML
// formula ML = log10 A - log10 A0 + log10 2080 - 3.
double WoodAndersonAmplitudeForMl(double ml, double logA0);
// Peak vertical P displacement (micrometres) at period T for this mb: mb = log10(A/T) + Q.
double PAmplitudeForMb(double mb, double q, double period);
// |response| of the standard Wood-Anderson (T0 0.8 s, h 0.8, high-frequency gain 1) at f.
double WoodAndersonGain(double frequency);

// A 1 Hz velocity seismometer with damping 1/sqrt(2) and a digitiser: counts per metre of
// ground displacement H(s) = constant * s^3 / (s^2 + 2 h w0 s + w0^2), with calib nanometres per
// count at calper seconds.
struct Seismometer {
    double naturalFrequency = 1.0;
    double damping = 0.70710678118654752;
    double calib = 0.1;  // nm per count at calper
    double calper = 1.0;

    double Constant() const;
    std::complex<double> Response(double frequency) const;  // counts per metre
    // Nanometres per count at f (the amplitude-frequency table value).
    double NanometresPerCount(double frequency) const;
    // The poles-zeros text in SAC form (displacement in metres to counts).
    std::string SacPolesZeros() const;
    // The amplitude-frequency table: "n", then "f a" lines (Hz, nm per count).
    std::string FapFile() const;
    // The same table as database text: "f a phase" lines.
    std::string FapText() const;
};

// The seismometer as a digital filter from ground velocity (nm/s) to counts: bilinear transform
// prewarped at the natural frequency, so the corner is exact.
class SeismometerFilter {
  public:
    SeismometerFilter(const Seismometer& s, double sps);
    double Step(double velocity);

  private:
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// splitmix64: small, fast and the same everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    double Uniform();  // (0, 1)
    double Normal();   // mean 0, deviation 1

  private:
    std::uint64_t state_;
    bool haveSpare_ = false;
    double spare_ = 0.0;
};

std::uint64_t SeedOf(const std::string& text);

// Ground-velocity noise (nm/s): a microseism resonance near 0.2 Hz plus broadband noise.
class NoiseSource {
  public:
    NoiseSource(std::uint64_t seed, double sps, double microseismDisplacementRms,
                double broadbandVelocityRms);
    double Next();

  private:
    Random random_;
    double sps_;
    double c1_, c2_, gainMicro_;
    double a1_ = 0, a2_ = 0, m1_ = 0, m2_ = 0;
    double lowPass_, gainBroad_, b1_ = 0;
};

// One arrival as ground displacement: a sine under an envelope that rises within `rise` seconds
// and decays with `decay`; its largest displacement is `amplitude` (nanometres, signed).
class Wavelet {
  public:
    Wavelet(double onset, double amplitude, double frequency, double rise, double decay);

    double Onset() const { return onset_; }
    double End() const { return onset_ + 10.0 * decay_; }
    double Displacement(double t) const;
    double Velocity(double t) const;  // nm/s, the exact derivative

  private:
    double onset_, amplitude_, frequency_, rise_, decay_;
    double norm_;  // largest |envelope * sine| of the unit shape
};

}  // namespace zel::demo
