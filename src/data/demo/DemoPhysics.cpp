#include "data/demo/DemoPhysics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>

#include "base/ZelError.h"

namespace zel::demo {
namespace {

constexpr double kGap = -1.0;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZelError(Tr("Нет файла %1").arg(path));
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Numbers of a text with "#" comments removed; the first `skipLines` lines are titles.
std::vector<double> Numbers(const std::string& text, int skipLines, const std::string& path) {
    std::istringstream in(text);
    std::string line;
    std::vector<double> values;
    for (int i = 0; i < skipLines && std::getline(in, line); ++i) {
    }
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            char* end = nullptr;
            const double v = std::strtod(word.c_str(), &end);
            if (end == word.c_str() || *end)
                throw ZelError(Tr("Неверное число '%1' в файле %2").arg(word).arg(path));
            values.push_back(v);
        }
    }
    return values;
}

// Index lo of the bracket [x[lo], x[lo + 1]] holding v, by halving as the curve readers do.
std::size_t Bracket(const std::vector<double>& x, double v) {
    std::size_t lo = 0, hi = x.size() - 1;
    while (hi - lo > 1) {
        const std::size_t mid = (hi + lo) / 2;
        if (x[mid] > v)
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

constexpr double kDegree = 0.017453292549885133;

struct Vec3 {
    double x, y, z;
};

Vec3 GeocentricUnit(double latDeg, double lonDeg) {
    const double phi = latDeg * kDegree;
    const double lambda = lonDeg * kDegree;
    double psi;
    if (std::numbers::pi / 2 - std::fabs(phi) >= 0.05)
        psi = std::atan(0.993277 * std::tan(phi));
    else
        psi = phi / 0.993277 + (phi < 0 ? 0.01063193 : -0.01063193);
    return {std::cos(psi) * std::cos(lambda), std::cos(psi) * std::sin(lambda), std::sin(psi)};
}

double AzimuthFrom(const Vec3& a, const Vec3& b) {
    const Vec3 n{b.y * a.z - a.y * b.z, a.x * b.z - a.z * b.x, a.y * b.x - a.x * b.y};
    const double m = std::sqrt((a.x * a.x + a.y * a.y) * (n.x * n.x + n.y * n.y + n.z * n.z));
    if (m == 0) return 0.0;
    double az = std::atan2(-n.z / m, (-a.y * n.x + a.x * n.y) / m) / kDegree;
    return az < 0 ? az + 360.0 : az;
}

}  // namespace

// ---------------------------------------------------------------- travel times

TravelTimeCurve TravelTimeCurve::Load(const std::string& path) {
    const std::vector<double> v = Numbers(ReadText(path), 1, path);
    TravelTimeCurve c;
    std::size_t at = 0;
    auto take = [&](std::size_t n) {
        if (at + n > v.size()) throw ZelError(Tr("Файл годографа %1 короче, чем указано в нем").arg(path));
        std::vector<double> out(v.begin() + static_cast<long>(at), v.begin() + static_cast<long>(at + n));
        at += n;
        return out;
    };
    const auto count = [&] {
        const double n = take(1)[0];
        if (n < 2 || n != std::floor(n))
            throw ZelError(Tr("Неверное число узлов в файле годографа %1").arg(path));
        return static_cast<std::size_t>(n);
    };
    c.depths_ = take(count());
    c.distances_ = take(count());
    for (std::size_t i = 0; i < c.depths_.size(); ++i) c.times_.push_back(take(c.distances_.size()));

    // Second derivatives of a natural spline per depth row; the sweep stops at gaps.
    const std::vector<double>& x = c.distances_;
    const std::size_t n = x.size();
    for (const std::vector<double>& y : c.times_) {
        std::vector<double> y2(n, 0.0), u(n, 0.0);
        for (std::size_t i = 1; i + 1 < n; ++i) {
            if (y[i - 1] == kGap || y[i] == kGap || y[i + 1] == kGap) continue;
            const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
            const double p = sig * y2[i - 1] + 2.0;
            y2[i] = (sig - 1.0) / p;
            const double d = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
            u[i] = (6.0 * d / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
        }
        for (std::size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
        c.second_.push_back(std::move(y2));
    }
    return c;
}

double TravelTimeCurve::RowTime(std::size_t row, double d) const {
    const std::vector<double>& x = distances_;
    const std::vector<double>& y = times_[row];
    const std::vector<double>& y2 = second_[row];
    const std::size_t lo = Bracket(x, d), hi = lo + 1;
    if (y[lo] == kGap || y[hi] == kGap) return kGap;
    double h = x[hi] - x[lo];
    if (h == 0) h = 1e-7;
    const double a = (x[hi] - d) / h, b = (d - x[lo]) / h;
    return a * y[lo] + b * y[hi] + ((a * a * a - a) * y2[lo] + (b * b * b - b) * y2[hi]) * h * h / 6.0;
}

double TravelTimeCurve::Time(double depth, double distance) const {
    if (depths_.empty() || distance < distances_.front() || distance > distances_.back() ||
        depth < depths_.front() || depth > depths_.back())
        return kGap;
    const std::size_t lo = Bracket(depths_, depth), hi = lo + 1;
    const double tLo = RowTime(lo, distance), tHi = RowTime(hi, distance);
    if (tLo < 0 || tHi < 0) return kGap;
    return tLo + (depth - depths_[lo]) * (tHi - tLo) / (depths_[hi] - depths_[lo]);
}

DistAz GeocentricDistAz(double lat1, double lon1, double lat2, double lon2) {
    const Vec3 a = GeocentricUnit(lat1, lon1), b = GeocentricUnit(lat2, lon2);
    const Vec3 c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    DistAz r;
    r.distance =
        std::atan2(std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z), a.x * b.x + a.y * b.y + a.z * b.z) / kDegree;
    r.azimuth = AzimuthFrom(a, b);
    r.backAzimuth = AzimuthFrom(b, a);
    return r;
}

// ---------------------------------------------------------------- magnitudes

RichterCalibration RichterCalibration::Load(const std::string& path) {
    const std::vector<double> v = Numbers(ReadText(path), 0, path);
    if (v.size() < 4 || v.size() % 2) throw ZelError(Tr("Неверный файл калибровки ML %1").arg(path));
    RichterCalibration c;
    for (std::size_t i = 0; i < v.size(); i += 2) c.points_.emplace_back(v[i], v[i + 1]);
    return c;
}

double RichterCalibration::LogA0(double km) const {
    for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
        const auto [x0, y0] = points_[i];
        const auto [x1, y1] = points_[i + 1];
        if (km >= x0 && km <= x1) return y0 + (km - x0) * (y1 - y0) / (x1 - x0);
    }
    throw ZelError("Расстояние вне таблицы калибровки ML");
}

MbCalibration MbCalibration::Load(const std::string& path) {
    std::istringstream in(ReadText(path));
    MbCalibration c;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) continue;
        double v;
        if (first == "depth_km") {
            while (words >> v) c.depths_.push_back(v);
            continue;
        }
        c.distances_.push_back(std::stod(first));
        std::vector<double> row;
        while (words >> v) row.push_back(v);
        if (row.size() != c.depths_.size())
            throw ZelError(Tr("Неверная строка в файле калибровки mb %1").arg(path));
        c.q_.push_back(std::move(row));
    }
    if (c.depths_.size() < 2 || c.distances_.size() < 2)
        throw ZelError(Tr("Неверный файл калибровки mb %1").arg(path));
    return c;
}

double MbCalibration::Q(double distance, double depth) const {
    if (distance < distances_.front() || distance > distances_.back() || depth < depths_.front() ||
        depth > depths_.back())
        throw ZelError("Расстояние или глубина вне таблицы калибровки mb");
    const std::size_t i = Bracket(distances_, distance), j = Bracket(depths_, depth);
    const double u = (distance - distances_[i]) / (distances_[i + 1] - distances_[i]);
    const double w = (depth - depths_[j]) / (depths_[j + 1] - depths_[j]);
    double sum = 0;
    for (int di = 0; di < 2; ++di)
        for (int dj = 0; dj < 2; ++dj) {
            const double weight = (di ? u : 1 - u) * (dj ? w : 1 - w);
            if (weight == 0) continue;
            const double q = q_[i + di][j + dj];
            if (q == kGap) throw ZelError("Нет значения калибровки mb для этого расстояния и глубины");
            sum += weight * q;
        }
    return sum;
}

double WoodAndersonAmplitudeForMl(double ml, double logA0) {
    return std::pow(10.0, ml + logA0 - std::log10(2080.0) + 3.0);
}

double PAmplitudeForMb(double mb, double q, double period) { return period * std::pow(10.0, mb - q); }

double WoodAndersonGain(double f) {
    const std::complex<double> s(0.0, 2 * std::numbers::pi * f);
    const std::complex<double> p1(-6.28319, 4.71239), p2(-6.28319, -4.71239);
    return std::abs(s * s / ((s - p1) * (s - p2)));
}

// ---------------------------------------------------------------- instrument

double Seismometer::Constant() const {
    const double w0 = 2 * std::numbers::pi * naturalFrequency;
    const double w = 2 * std::numbers::pi / calper;
    const std::complex<double> denominator(w0 * w0 - w * w, 2 * damping * w0 * w);
    return (1e9 / calib) * std::abs(denominator) / (w * w * w);
}

std::complex<double> Seismometer::Response(double f) const {
    const double w0 = 2 * std::numbers::pi * naturalFrequency;
    const std::complex<double> s(0.0, 2 * std::numbers::pi * f);
    return Constant() * s * s * s / (s * s + 2 * damping * w0 * s + w0 * w0);
}

double Seismometer::NanometresPerCount(double f) const { return 1e9 / std::abs(Response(f)); }

std::string Seismometer::SacPolesZeros() const {
    const double w0 = 2 * std::numbers::pi * naturalFrequency;
    const double re = -damping * w0, im = w0 * std::sqrt(1 - damping * damping);
    char text[256];
    std::snprintf(text, sizeof text, "ZEROS 3\nPOLES 2\n%.6f %.6f\n%.6f %.6f\nCONSTANT %.6e\n", re, im, re,
                  -im, Constant());
    return text;
}

namespace {
// 0.05 Hz to 50 Hz, twenty points a decade through 1 Hz.
std::vector<double> TableFrequencies() {
    std::vector<double> f;
    for (int k = -26; k <= 34; ++k) f.push_back(std::pow(10.0, k / 20.0));
    return f;
}
}  // namespace

std::string Seismometer::FapFile() const {
    const std::vector<double> freqs = TableFrequencies();
    std::string text = std::to_string(freqs.size()) + "\n";
    char line[96];
    for (double f : freqs) {
        std::snprintf(line, sizeof line, "%.6g %.6g\n", f, NanometresPerCount(f));
        text += line;
    }
    return text;
}

std::string Seismometer::FapText() const {
    std::string text;
    char line[128];
    for (double f : TableFrequencies()) {
        const std::complex<double> inverse = 1e9 / Response(f);
        std::snprintf(line, sizeof line, "%.6g %.6g %.2f\n", f, std::abs(inverse),
                      std::arg(inverse) * 180 / std::numbers::pi);
        text += line;
    }
    return text;
}

SeismometerFilter::SeismometerFilter(const Seismometer& s, double sps) {
    const double w0 = 2 * std::numbers::pi * s.naturalFrequency;
    const double k = w0 / std::tan(w0 / (2 * sps));
    const double c = s.Constant() * 1e-9;  // counts per nm/s at high frequency
    const double a0 = k * k + 2 * s.damping * w0 * k + w0 * w0;
    b0_ = c * k * k / a0;
    b1_ = -2 * b0_;
    b2_ = b0_;
    a1_ = (2 * w0 * w0 - 2 * k * k) / a0;
    a2_ = (k * k - 2 * s.damping * w0 * k + w0 * w0) / a0;
}

double SeismometerFilter::Step(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

// ---------------------------------------------------------------- noise

std::uint64_t Random::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Random::Uniform() { return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53; }

double Random::Normal() {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    const double r = std::sqrt(-2.0 * std::log(Uniform()));
    const double a = 2 * std::numbers::pi * Uniform();
    spare_ = r * std::sin(a);
    haveSpare_ = true;
    return r * std::cos(a);
}

std::uint64_t SeedOf(const std::string& text) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ULL;
    return h;
}

NoiseSource::NoiseSource(std::uint64_t seed, double sps, double microRms, double broadRms)
    : random_(seed), sps_(sps) {
    // Two resonances in a row at 0.2 Hz, 0.08 Hz wide: the ocean microseism, falling off fast
    // enough that it does not leak into the band of the 1 Hz seismometer.
    const double r = std::exp(-std::numbers::pi * 0.08 / sps);
    const double theta = 2 * std::numbers::pi * 0.2 / sps;
    c1_ = 2 * r * std::cos(theta);
    c2_ = -r * r;
    // Deviation per unit innovation, from the impulse response (long enough to have died out).
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, energy = 0;
    for (long i = 0; i < static_cast<long>(300 * sps); ++i) {
        const double x = c1_ * x1 + c2_ * x2 + (i == 0 ? 1.0 : 0.0);
        const double y = c1_ * y1 + c2_ * y2 + x;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        energy += y * y;
    }
    gainMicro_ = microRms / std::sqrt(energy);
    lowPass_ = std::exp(-2 * std::numbers::pi * std::min(10.0, sps / 4) / sps);
    gainBroad_ = broadRms / std::sqrt((1 - lowPass_) / (1 + lowPass_));
}

double NoiseSource::Next() {
    const double a = c1_ * a1_ + c2_ * a2_ + random_.Normal();
    a2_ = a1_;
    a1_ = a;
    const double m = c1_ * m1_ + c2_ * m2_ + a;
    const double velocity = (m - m1_) * gainMicro_ * sps_;
    m2_ = m1_;
    m1_ = m;
    b1_ = lowPass_ * b1_ + (1 - lowPass_) * random_.Normal();
    return velocity + gainBroad_ * b1_;
}

// ---------------------------------------------------------------- wavelets

Wavelet::Wavelet(double onset, double amplitude, double frequency, double rise, double decay)
    : onset_(onset), amplitude_(amplitude), frequency_(frequency), rise_(rise), decay_(decay) {
    // The envelope peaks at rise * ln(1 + decay / rise); the largest swing lies within a period of it.
    const double w = 2 * std::numbers::pi * frequency_;
    const double period = 1.0 / frequency_;
    const double end = rise_ * std::log(1 + decay_ / rise_) + 2 * period;
    const double step = period / 2000;
    double peak = 0;
    for (double t = 0; t <= end; t += step)
        peak =
            std::max(peak, std::fabs((1 - std::exp(-t / rise_)) * std::exp(-t / decay_) * std::sin(w * t)));
    norm_ = peak;
}

double Wavelet::Displacement(double t) const {
    const double tau = t - onset_;
    if (tau < 0 || t > End()) return 0.0;
    const double w = 2 * std::numbers::pi * frequency_;
    const double envelope = (1 - std::exp(-tau / rise_)) * std::exp(-tau / decay_);
    return amplitude_ / norm_ * envelope * std::sin(w * tau);
}

double Wavelet::Velocity(double t) const {
    const double tau = t - onset_;
    if (tau < 0 || t > End()) return 0.0;
    const double w = 2 * std::numbers::pi * frequency_;
    const double grow = 1 - std::exp(-tau / rise_), fall = std::exp(-tau / decay_);
    const double slope = std::exp(-tau / rise_) / rise_ * fall - grow * fall / decay_;
    return amplitude_ / norm_ * (slope * std::sin(w * tau) + grow * fall * w * std::cos(w * tau));
}

}  // namespace zel::demo
