#include "events/Magnitudes.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/FormatText.h"
#include "base/UserText.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

constexpr double kSmallestDistanceDeg = 0.001;
// log10 of the Wood-Anderson magnification the ML tables are defined for.
const double kLogWoodAndersonGain = std::log10(2080.0);

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    const char last = dir.back();
    return last == '/' || last == '\\' ? dir + name : dir + "/" + name;
}

double UsableDistance(double distanceDeg) { return distanceDeg == 0 ? kSmallestDistanceDeg : distanceDeg; }

StationMagnitude Value(double m) { return {m, {}}; }
StationMagnitude Refused(std::string text) { return {std::nullopt, std::move(text)}; }

}  // namespace

std::string FindCalibrationFile(const std::vector<std::string>& directories, const std::string& name) {
    for (const std::string& dir : directories) {
        const std::string path = JoinPath(dir, name);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) return path;
    }
    return {};
}

bool CCALIBDATA::load(const std::string& path, std::string* error) {
    PHASEDATA table;
    if (!ReadCurveFile(path, table, error)) return false;
    table_ = std::move(table);
    return true;
}

double CCALIBDATA::value(double depthKm, double distanceDeg) const {
    if (!table_.loaded) return -1.0;
    const float q =
        TravelTime(table_, static_cast<float>(std::max(0.0, depthKm)), static_cast<float>(distanceDeg));
    return q == kNoTravelTime ? -1.0 : static_cast<double>(q);
}

int CMLCalib::load(const std::vector<std::string>& directories, const std::string& station) {
    points_.clear();
    path_ = FindCalibrationFile(directories, "ML_" + station + ".txt");
    if (path_.empty()) path_ = FindCalibrationFile(directories, kDefaultMlCalibrationFile);
    if (path_.empty()) return 0;
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        path_.clear();
        return 0;
    }
    std::ostringstream text;
    text << in.rdbuf();
    parse(text.str());
    return 1;
}

void CMLCalib::parse(const std::string& text) {
    points_.clear();
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double distance = 0, value = 0;
    while (in >> distance >> value) points_.emplace_back(distance, value);
}

std::optional<double> CMLCalib::value(double distanceKm) const {
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const auto [d, v] = points_[i];
        if (distanceKm == d) return v;
        if (i + 1 < points_.size()) {
            const auto [d2, v2] = points_[i + 1];
            if (distanceKm > d && distanceKm < d2) return v + (v2 - v) * (distanceKm - d) / (d2 - d);
        }
    }
    return std::nullopt;
}

const char* TableMagnitudeName(TableMagnitudeKind kind) {
    switch (kind) {
        case TableMagnitudeKind::Mb:
            return "Mb";
        case TableMagnitudeKind::Mplp:
            return "MPLP";
        case TableMagnitudeKind::Mpsp:
            return "MPSP";
    }
    return "";
}

const char* TableMagnitudeFile(TableMagnitudeKind kind) {
    switch (kind) {
        case TableMagnitudeKind::Mb:
            return kMbCalibrationFile;
        case TableMagnitudeKind::Mplp:
            return kMplpCalibrationFile;
        case TableMagnitudeKind::Mpsp:
            return kMpspCalibrationFile;
    }
    return "";
}

std::string TableLoadError(TableMagnitudeKind kind) {
    return Tr("Ошибка загрузки файла калибровки для %1").arg(TableMagnitudeName(kind));
}

std::string AmplitudePeriodError(double amplitude, double period) {
    if (period == 0) return Tr("Период = 0");
    if (amplitude == 0) return Tr("Амплитуда = 0");
    if (!(period > 0)) return Tr("Период должен быть больше 0");
    if (!(amplitude > 0)) return Tr("Амплитуда должна быть больше 0");
    return {};
}

StationMagnitude MagnitudeMs(double amplitude, double period, double distanceDeg) {
    if (std::string e = AmplitudePeriodError(amplitude, period); !e.empty()) return Refused(e);
    const double delta = UsableDistance(distanceDeg);
    if (!(delta > 0)) return Refused(Tr("Расстояние должно быть больше 0"));
    return Value(1.66 * std::log10(delta) + std::log10(amplitude / period) + 3.3);
}

StationMagnitude TableMagnitude(TableMagnitudeKind kind, const CCALIBDATA& table, double amplitude,
                                double period, double depthKm, double distanceDeg) {
    if (std::string e = AmplitudePeriodError(amplitude, period); !e.empty()) return Refused(e);
    if (!table.loaded()) return Refused(TableLoadError(kind));
    const double q = table.value(depthKm, UsableDistance(distanceDeg));
    if (q == -1.0) {
        return Refused(Tr("Для расстояния %1° и глубины %2 км нет данных в калибровочном файле для магнитуды "
                          "%3.\nМагнитуда не рассчитана.")
                           .arg(FormatText("%.3f", distanceDeg))
                           .arg(FormatText("%.1f", depthKm))
                           .arg(TableMagnitudeName(kind)));
    }
    const double ratio = (kind == TableMagnitudeKind::Mb ? 2 * amplitude : amplitude) / period;
    return Value(std::log10(ratio) + q);
}

StationMagnitude LocalMagnitude(const CMLCalib* calibration, double amplitude, double distanceDeg,
                                double depthKm) {
    const double a = std::fabs(amplitude);
    if (a == 0 || !std::isfinite(a)) return Refused(Tr("Амплитуда = 0"));
    const double km = std::fabs(distanceDeg) * kKilometresPerDegree;
    if (calibration != nullptr) {
        const std::optional<double> c = calibration->value(km);
        if (!c)
            return Refused(
                Tr("Для данного расстояния до эпицентра нет данных в калибровочном файле для магнитуды ML."));
        return Value(std::log10(a) - *c + kLogWoodAndersonGain - 3);
    }
    const double r = std::sqrt(km * km + depthKm * depthKm);
    if (!(r >= 5 && r <= 800))
        return Refused(Tr("Гипоцентральное расстояние вне допустимого диапазона (5-800 км.)"));
    if (r < 206) return Value(std::log10(a) + 1.43 * std::log10(r) + 0.61);
    return Value(std::log10(a) + 2.51 * std::log10(r) - 1.89);
}

double CodaMagnitude(double t, double a) {
    if (!(t >= 10 && t <= 1000) || !(a >= 0.002 && a <= 3000)) return -1;
    if (t == 1000) return 0;
    const double l = std::log10(t), la = std::log10(a);
    if (t < 25) return 1.25309 * l + la + 1.28256;
    if (t < 70) return 2.46267 * l + la - 0.36967;
    if (t < 200) return 1.62996 * l + la + 1.1321;
    return 2.57025 * l + la - 1.0938;
}

double RautianNomogramClass(double ap, double as, double d) {
    if (!(d >= 5 && d <= 3000) || !(ap >= 0.005 && ap <= 1000) || !(as >= 0.005 && as <= 1000)) return -1;
    double p;
    if (d >= 70)
        p = 3.33425e-9 * d * d * d - 0.0000248002 * d * d + 0.0699801 * d + 53.30075;
    else
        p = 1.63797e-7 * std::pow(d, 5) - 0.0000403237 * std::pow(d, 4) + 0.003838 * d * d * d -
            0.181708 * d * d + 4.86942 * d - 19.0383;
    return 0.074 * p + 1.847 * std::log10(ap + as) + 5.23;
}

std::optional<double> EnergyClass(EnergyClassScale scale, double distanceKm, double depthKm, double ap,
                                  double as) {
    if (!(ap > 0) || !(as > 0)) return std::nullopt;
    const double r = std::sqrt(distanceKm * distanceKm + depthKm * depthKm);
    const double l = std::log10(r);
    double g;
    if (scale == EnergyClassScale::Vegik) {
        if (r >= 5 && r < 75)
            g = 2.11 * l + 1.32;
        else if (r >= 75 && r < 264)
            g = 1.1 * l + 3.21;
        else if (r >= 264 && r <= 800)
            g = 2.98 * l - 1.34;
        else
            return std::nullopt;
    } else {
        if (r >= 5 && r < 95)
            g = 1.92 * l + 1.54;
        else if (r >= 95 && r < 350)
            g = 0.87 * l + 3.61;
        else if (r >= 350 && r <= 1000)
            g = 2.4 * l - 0.28;
        else
            return std::nullopt;
    }
    return 1.84 * (g + std::log10(ap + as));
}

namespace {
std::string ClassText(std::optional<double> k) {
    if (!k) return "???";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", *k);
    return text;
}
}  // namespace

std::string EnergyClassVegik(double distanceKm, double depthKm, double ap, double as) {
    return ClassText(EnergyClass(EnergyClassScale::Vegik, distanceKm, depthKm, ap, as));
}

std::string EnergyClassSkm(double distanceKm, double depthKm, double ap, double as) {
    return ClassText(EnergyClass(EnergyClassScale::Skm, distanceKm, depthKm, ap, as));
}

bool IsPGroupPhase(const std::string& name) { return name == "P" || name == "Pg" || name == "Pn"; }
bool IsSGroupPhase(const std::string& name) { return name == "S" || name == "Sg" || name == "Sn"; }

double LargestGroupAmplitude(const ZELPhases& list, const PhaseCatalogue& catalogue, int station,
                             bool sGroup) {
    double largest = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const SEISMIC_PHASE& p = *list.GetAt(i);
        if (p.stationIndex != station || !p.hasAmplitude) continue;
        const std::string& name = catalogue.Name(p.phaseIndex);
        if (sGroup ? IsSGroupPhase(name) : IsPGroupPhase(name))
            largest = std::max(largest, double{p.amplitude});
    }
    return largest;
}

}  // namespace zel
