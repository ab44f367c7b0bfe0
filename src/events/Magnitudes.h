#pragma once
// Station magnitudes from a measured ground amplitude (micrometres, zero to peak) and period:
// Ms, mb, MPLP, MPSP, ML and the coda magnitude, with their calibration tables, and the energy
// class K of a station from its P- and S-group amplitudes.

#include <optional>
#include <string>
#include <vector>

#include "events/DistAz.h"
#include "events/TravelTimeTable.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;

// Calibration files the program ships; a file of the same name in the working directory (site
// data) takes precedence.
inline constexpr const char* kMbCalibrationFile = "mb.txt";
inline constexpr const char* kMplpCalibrationFile = "mplp.txt";
inline constexpr const char* kMpspCalibrationFile = "mpsp.txt";
inline constexpr const char* kDefaultMlCalibrationFile = "ML_def.txt";

// The first of dir + name over the directories that names an existing file; empty when none does.
std::string FindCalibrationFile(const std::vector<std::string>& directories, const std::string& name);

// Q(h, delta) in the layout of a travel-time curve file (title; depths; distances; one row of
// values per depth), interpolated as the curves are.
class CCALIBDATA {
  public:
    // False (table unchanged) when the file is missing or malformed; `error` says why.
    bool load(const std::string& path, std::string* error = nullptr);
    bool loaded() const { return table_.loaded; }
    // Q, or -1 outside the table. Negative depths count as 0.
    double value(double depthKm, double distanceDeg) const;

  private:
    PHASEDATA table_;
};

// Per-station ML calibration: "distance_km value" pairs, distances ascending, value = log10 A0.
class CMLCalib {
  public:
    // Reads "ML_<station>.txt", else "ML_def.txt", from the first directory that has it: 1 when
    // a file was read, 0 when neither exists.
    int load(const std::vector<std::string>& directories, const std::string& station);
    // Pairs read until the text ends or stops being numbers.
    void parse(const std::string& text);
    const std::string& path() const { return path_; }
    // Linear between neighbouring points; a table distance takes its own value; nothing below
    // the first or above the last point.
    std::optional<double> value(double distanceKm) const;

  private:
    std::vector<std::pair<double, double>> points_;
    std::string path_;
};

// A station magnitude, or the analyst's text why there is none.
struct StationMagnitude {
    std::optional<double> value;
    std::string error;
};

enum class TableMagnitudeKind { Mb, Mplp, Mpsp };
const char* TableMagnitudeName(TableMagnitudeKind kind);  // "Mb", "MPLP", "MPSP"
const char* TableMagnitudeFile(TableMagnitudeKind kind);
// "Ошибка загрузки файла калибровки для ..."
std::string TableLoadError(TableMagnitudeKind kind);

// The checks every magnitude button makes first: period and amplitude not 0 (nor negative, which
// has no logarithm). Empty when both are usable.
std::string AmplitudePeriodError(double amplitude, double period);

// 1.66 log10 delta + log10(A/T) + 3.3; a distance of 0 counts as 0.001 degree.
StationMagnitude MagnitudeMs(double amplitude, double period, double distanceDeg);
// mb: log10(2A/T) + Q; MPLP, MPSP: log10(A/T) + Q. A point outside the table gives no magnitude
// (the -1 of the lookup is never added into it).
StationMagnitude TableMagnitude(TableMagnitudeKind kind, const CCALIBDATA& table, double amplitude,
                                double period, double depthKm, double distanceDeg);
// ML from |A| at epicentral distance delta and depth h: by the calibration table when one was
// read (null: none), else by the built-in formula over the hypocentral distance 5..800 km.
StationMagnitude LocalMagnitude(const CMLCalib* calibration, double amplitude, double distanceDeg,
                                double depthKm);

// Coda magnitude from the duration t (s, 10..1000) and amplitude A (0.002..3000); -1 outside.
double CodaMagnitude(double duration, double amplitude);

// Energy class by the Rautian nomogram: D 5..3000 km, Ap and As 0.005..1000 um; -1 outside.
double RautianNomogramClass(double ap, double as, double distanceKm);

enum class EnergyClassScale { Vegik, Skm };
// K = 1.84 (g(R) + log10(Ap + As)), R = sqrt(distance^2 + depth^2); nullopt when Ap or As is 0
// (or below) or R lies outside the scale's range.
std::optional<double> EnergyClass(EnergyClassScale scale, double distanceKm, double depthKm, double ap,
                                  double as);
// The same as the dialog shows it: "%.1f", or "???".
std::string EnergyClassVegik(double distanceKm, double depthKm, double ap, double as);
std::string EnergyClassSkm(double distanceKm, double depthKm, double ap, double as);

// Phase groups of the energy class.
bool IsPGroupPhase(const std::string& name);  // "P", "Pg", "Pn"
bool IsSGroupPhase(const std::string& name);  // "S", "Sg", "Sn"
// The largest amplitude of the station's picks of a group (on any channel); 0 when none has one.
double LargestGroupAmplitude(const ZELPhases& list, const PhaseCatalogue& catalogue, int station,
                             bool sGroup);

}  // namespace zel
