#include "dsp/StaLtaDetector.h"

#include <algorithm>
#include <cmath>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "dsp/FormulaTokenizer.h"

namespace zel {
namespace {

// Longest window either detector will hold (about 11 days at 100 sps).
constexpr double kMaxWindowSamples = 1e8;

double Clamped(const std::string& text, double fallback, double lo, double hi) {
    const double v = ParseLeadingNumber(text.substr(0, 63));
    if (std::isnan(v)) return fallback;
    return std::clamp(v, lo, hi);
}

// Window length in samples, at least `least`: a short window at a low rate must neither divide by
// 0 nor, for a variance, be a single sample that never varies.
std::size_t WindowSamples(double seconds, double rate, std::size_t least) {
    const double n = std::trunc(seconds * rate);
    if (!(n <= kMaxWindowSamples)) throw ZelError("Окно детектора слишком длинное для частоты дискретизации");
    return std::max<std::size_t>(least, static_cast<std::size_t>(std::max(0.0, n)));
}

void CheckRate(double rate) {
    if (!(rate > 0) || !std::isfinite(rate)) throw ZelError("Нет данных в окне");
}

}  // namespace

std::string DetectorSection(const std::string& station, const std::string& channel) {
    return "ZEL\\Detector\\" + station + "\\" + channel;
}

DetectorParams LoadDetectorDefaults(const PrivateProfile& registry, const std::string& station,
                                    const std::string& channel) {
    const std::string section = DetectorSection(station, channel);
    DetectorParams p;
    p.tlta = Clamped(registry.getString(section, "Tlta", "10."), 10, kTltaMin, kTltaMax);
    p.tsta = Clamped(registry.getString(section, "Tsta", "1."), 1, kTstaMin, kTstaMax);
    p.k = Clamped(registry.getString(section, "K", "4."), 4, kThresholdMin, kThresholdMax);
    p.filter = registry.getString(section, "Filter", "0").rfind('0', 0) != 0;
    return p;
}

// ---- CZELDetector ----

void CZELDetector::Window::Slide(double in, double out) {
    const double old = mean;
    mean += (in - out) / static_cast<double>(n);
    m2 += (in - out) * (in - mean + out - old);
    if (m2 < 0) m2 = 0;
}

void CZELDetector::Start(double rate) {
    CheckRate(rate);
    rate_ = rate;
    nsta_ = WindowSamples(params_.tsta, rate, 2);
    nlta_ = WindowSamples(params_.tlta, rate, 2);
    ring_.assign(nsta_ + nlta_, 0.0);
    head_ = 0;
    sinceRefresh_ = 0;
    sta_ = Window{nsta_, 0, 0};
    lta_ = Window{nlta_, 0, 0};
    last_[0] = last_[1] = last_[2] = 0;
    slope_ = 0;
    x_ = 0;
    ratio_ = 0;
    holdOff_ = static_cast<std::int64_t>(std::trunc(rate * 5));
    counter_ = 0;
    seen_ = 0;
}

double CZELDetector::At(std::size_t age) const {
    const std::size_t n = ring_.size();
    return ring_[(head_ + n - 1 - age) % n];
}

// The sums over the ring afresh: what the sliding updates approximate, exactly.
void CZELDetector::Refresh() {
    auto exact = [&](Window& w, std::size_t firstAge) {
        double sum = 0;
        for (std::size_t a = firstAge; a < firstAge + w.n; ++a) sum += At(a);
        w.mean = sum / static_cast<double>(w.n);
        double m2 = 0;
        for (std::size_t a = firstAge; a < firstAge + w.n; ++a) m2 += (At(a) - w.mean) * (At(a) - w.mean);
        w.m2 = m2;
    };
    exact(sta_, 0);
    exact(lta_, nsta_);
    sinceRefresh_ = 0;
}

bool CZELDetector::Step(double x) {
    if (ring_.empty()) Start(rate_);
    x_ = x;
    last_[2] = last_[1];
    last_[1] = last_[0];
    last_[0] = x;
    // Parabola through the samples at 0, 1/rate, 2/rate: its slope at the middle one.
    slope_ = (last_[2] - last_[0]) * rate_ / 2;

    const std::size_t n = ring_.size();
    const double v = ring_[head_];                 // leaves the long window
    const double u = ring_[(head_ + nlta_) % n];  // moves from the short window to the long one
    ring_[head_] = x;
    head_ = (head_ + 1) % n;
    sta_.Slide(x, u);
    lta_.Slide(u, v);
    if (++sinceRefresh_ >= n) Refresh();

    const double varSta = sta_.Variance();
    const double varLta = lta_.Variance();
    ratio_ = varLta > 0 ? static_cast<float>(varSta / varLta) : 1e8f;

    if (seen_ <= 3 * static_cast<std::uint64_t>(n)) {
        ++seen_;
        return false;
    }
    if (varSta > params_.k * varLta) {
        counter_ = holdOff_;
        return true;
    }
    if (counter_ > 0) {
        --counter_;
        return true;
    }
    return false;
}

double CZELDetector::OnsetDelay() const {
    if (slope_ == 0) return 0;
    return std::fabs(lta_.mean - x_) / std::fabs(slope_);
}

// ---- CGeotechDetector ----

std::int64_t CGeotechDetector::Average::Update(std::int64_t n, std::int64_t x) {
    const std::int64_t d = x < y ? y - x : x - y;
    if (x < y) {
        y -= d / n;
        r -= d % n;
    } else {
        y += d / n;
        r += d % n;
    }
    y += r / n;
    r %= n;
    return d;
}

void CGeotechDetector::Start(double rate) {
    CheckRate(rate);
    nsta_ = static_cast<std::int64_t>(WindowSamples(params_.tsta, rate, 1));
    nlta_ = static_cast<std::int64_t>(WindowSamples(params_.tlta, rate, 1));
    const double whole = std::trunc(params_.k);
    k_ = (static_cast<std::int64_t>(whole) << 16) + static_cast<std::int64_t>((params_.k - whole) * 65535);
    level_ = sta_ = lta_ = Average{};
    ratio_ = 0;
    seen_ = 0;
}

bool CGeotechDetector::Step(double x) {
    // The low 16 bits of the truncated sample as an unsigned number, halved.
    double low = std::isfinite(x) ? std::fmod(std::trunc(x), 65536.0) : 0.0;
    if (low < 0) low += 65536.0;
    const std::int64_t v = static_cast<std::int64_t>(low) >> 1;

    const std::int64_t full = 2 * (nlta_ + nsta_);
    const std::int64_t d = level_.Update(full, v);
    sta_.Update(nsta_, d);
    lta_.Update(nlta_, d);
    if (lta_.y != 0) ratio_ = ((sta_.y / lta_.y) << 16) + (65535 / lta_.y) * (sta_.y % lta_.y);
    const bool trigger = ratio_ >= k_;
    const bool warm = static_cast<std::uint64_t>(full) < seen_;
    ++seen_;
    return trigger && warm;
}

// ---- runs ----

void RunZelDetector(CZELDetector& detector, std::span<const float> samples, double rate, double start,
                    DetectParam& list) {
    detector.Start(rate);
    list.Clear();
    const double tlta = detector.Params().tlta;
    const double tsta = detector.EffectiveTsta();
    bool was = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const bool on = detector.Step(samples[i]);
        if (on && !was) {
            const double t = start + static_cast<double>(i) / rate;
            list.Add(t - tsta / 2, tlta, tsta);
            list.Add(t - detector.OnsetDelay(), tlta, tsta);
        }
        was = on;
    }
    detector.Release();
}

void RunGeotechDetector(CGeotechDetector& detector, std::span<const float> samples, double rate,
                        double start, DetectParam& list) {
    detector.Start(rate);
    list.Clear();
    bool was = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const bool on = detector.Step(samples[i]);
        if (on && !was)
            list.Add(start + static_cast<double>(i) / rate, detector.Params().tlta, detector.Params().tsta);
        was = on;
    }
}

}  // namespace zel
