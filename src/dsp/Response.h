#pragma once
// Recorder responses: SAC poles-zeros texts and frequency-amplitude (FAP) tables, read from the
// working database's CALIBRATION table or from the RESPONSE directory.

#include <complex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel {

namespace Db {
class Connection;
}

// More would be no instrument but a corrupt or hostile text.
constexpr int kMaxPolesZeros = 1000;
constexpr int kMaxFapPoints = 100000;

// CSACset: counts per metre of ground displacement as constant * prod(s - z) / prod(s - p).
struct PolesZeros {
    double constant = 0;
    std::vector<std::complex<double>> zeros, poles;
    bool loaded = false;

    // 1e9 / H(i 2 pi f): nanometres per count. -1 when |H| = 0; 0 when nothing is loaded.
    std::complex<double> InverseResponse(double f) const;
    // |1e9 / H| and its phase in degrees; (-1, 0) when |H| = 0.
    std::pair<double, double> AmplitudePhase(double f) const;
};

// Parses a SAC poles-zeros text ("|" and ";" count as line breaks; keywords ZEROS, POLES and
// CONSTANT found anywhere in a line's first word, any case; value lines fill the list last
// started, lines beyond its count are ignored, missing ones stay 0). nullopt when a number
// cannot be read, a count is negative or above kMaxPolesZeros, or nothing was given.
std::optional<PolesZeros> ParsePolesZeros(std::string_view text);

// CAPResponse: ascending frequencies (Hz) and amplitudes.
struct ApResponse {
    std::vector<float> frequency, amplitude;

    // 0 outside the table; the row's value at a row frequency; linear between rows.
    double Value(double f) const;
};

// Reads the FAP file: a count, then that many "frequency amplitude" pairs, frequencies
// ascending. Throws ZelError naming the file when it cannot be opened or read completely: a
// broken table must not pass for an instrument that records nothing.
ApResponse ReadFapFile(const std::string& path);

// The FAP text of the CALIBRATION table: lines split at CR, LF, "|" and ";", empty lines and
// lines starting "FAP" or "CAL" skipped, every other line "frequency amplitude [phase]".
// nullopt when a line cannot be read or no point is given.
std::optional<ApResponse> ParseFapText(std::string_view text);

// Which row of CALIBRATION: station and channel, optionally an epoch time (UTC seconds) that
// must lie in [STARTDATE, ENDDATE) or after STARTDATE of an open row, a network and a location
// ("" and "??" mean not given).
struct CalibrationKey {
    std::string station, channel, network, location;
    std::optional<double> time;
};

// The SQL of the lookup of one column ("SAC" or "FAP"): every user value is a bound parameter
// (returned in order); the time is a {ts} literal to the second on every back-end, so a
// calibration that ended earlier on the same day never matches.
std::pair<std::string, std::vector<std::string>> CalibrationQuery(std::string_view column,
                                                                  const CalibrationKey& key);

// The column's text of the newest matching row; nullopt for no row or NULL. Throws Db::Error.
std::optional<std::string> ReadCalibrationText(Db::Connection& work, std::string_view column,
                                               const CalibrationKey& key);

// CSACset::Load: the parsed poles and zeros, or nullopt (no row, NULL, empty or unreadable).
std::optional<PolesZeros> LoadPolesZeros(Db::Connection& work, const CalibrationKey& key);
// The FAP table of the database, or nullopt.
std::optional<ApResponse> LoadFapTable(Db::Connection& work, const CalibrationKey& key);

// |InverseResponse(f)| of the channel's poles and zeros at `time`, or -1 when none is found
// (the amplitude measurement then falls back to other sources).
double RecorderAmplitude(Db::Connection& work, const std::string& station, const std::string& channel,
                         const std::string& location, double time, double f);

}  // namespace zel
