#pragma once
// FDSN StationXML inventories (read with pugixml) into the station table: SITE and SITECHAN with
// every channel placed on the 24 slots by its orientation, and each channel's response written to
// CALIBRATION as the SAC poles-zeros text the instrument correction reads (counts per metre of
// displacement). Values a file does not give are never invented: such channels are reported.

#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

namespace Db {
class Connection;
}

struct StationXmlResponse {
    // The overall sensitivity: output per input unit at a frequency.
    std::optional<double> sensitivity, sensitivityFrequency;
    std::string inputUnits;  // as written, e.g. "M/S"
    // The first poles-zeros stage, in rad/s (a stage given in Hz is converted).
    bool hasPolesZeros = false;
    bool digital = false;  // the stage is a z-transform, which a SAC text cannot hold
    double normalizationFactor = 1.0, normalizationFrequency = 0.0;  // A0 for rad/s
    // The product of every stage's gain, when each stage gives one: with A0 the scale the
    // stage-by-stage response has.
    std::optional<double> stageGains;
    std::vector<std::complex<double>> zeros, poles;
};

struct StationXmlChannel {
    std::string network, station, location, code;
    std::optional<double> lat, lon, elevation, depth, azimuth, dip, sampleRate;  // degrees, metres, Hz
    std::optional<double> start, end;                                            // epoch seconds
    StationXmlResponse response;
};

struct StationXmlStation {
    std::string network, code, name;
    std::optional<double> lat, lon, elevation;  // degrees, metres
    std::optional<double> start, end;
    std::vector<StationXmlChannel> channels;  // every epoch of every channel, in file order
};

// Every station element of the file. Throws ZelError when the file cannot be read or is no
// StationXML.
std::vector<StationXmlStation> ReadStationXml(const std::string& path);

// The channel's poles and zeros as a SAC text for CALIBRATION: ground displacement in metres to
// counts, one zero at the origin added per time derivative of the input units (M/S one, M/S**2
// two), the constant A0 times the stage gains (or, where a stage gives none, the one that makes
// |H| the overall sensitivity at its frequency). nullopt,
// with the reason, when there is no poles-zeros stage, no sensitivity, a digital stage or input
// units that are no ground motion.
std::optional<std::string> SacPolesZerosText(const StationXmlResponse& response, std::string& why);

struct StationXmlImportReport {
    int stations = 0, channels = 0, responses = 0;
    std::vector<std::string> problems;  // the analyst's texts: what was refused and why

    std::string Text() const;
};

// Replaces SITE, SITECHAN and the CALIBRATION rows of every station of the file in one
// transaction (nothing is changed when it fails). A station keeps the newest epoch of each of its
// channels; CALIBRATION gets one row per epoch. Throws ZelError for an unreadable file or one
// without a station, Db::Error for a database failure.
StationXmlImportReport ImportStationXml(Db::Connection& work, const std::string& path);

// Fills CALIB and CALPER of the catalogue rows that have none from the channel's poles and zeros
// at the row's time: CALPER 1 s and CALIB the nanometres of displacement per count at 1 Hz.
// Returns the rows changed. Throws Db::Error.
int FillCatalogueCalibration(Db::Connection& work);

}  // namespace zel
