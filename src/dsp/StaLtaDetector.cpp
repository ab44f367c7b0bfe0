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

namespace {

struct MeanAndSquares {
    double mean = 0, m2 = 0;
};

// A window's sums afresh: what the sliding updates approximate, exactly. Four partial sums keep
// the adds independent (and round no worse than one running sum).
MeanAndSquares Exact(const double* x, std::size_t n) {
    double s[4] = {0, 0, 0, 0};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4)
        for (int l = 0; l < 4; ++l) s[l] += x[i + l];
    for (; i < n; ++i) s[0] += x[i];
    const double mean = ((s[0] + s[1]) + (s[2] + s[3])) / static_cast<double>(n);
    double q[4] = {0, 0, 0, 0};
    for (i = 0; i + 4 <= n; i += 4)
        for (int l = 0; l < 4; ++l) q[l] += (x[i + l] - mean) * (x[i + l] - mean);
    for (; i < n; ++i) q[0] += (x[i] - mean) * (x[i] - mean);
    return {mean, (q[0] + q[1]) + (q[2] + q[3])};
}

}  // namespace

void CZELDetector::Start(double rate) {
    CheckRate(rate);
    rate_ = rate;
    nsta_ = WindowSamples(params_.tsta, rate, 2);
    nlta_ = WindowSamples(params_.tlta, rate, 2);
    ring_.assign(nsta_ + nlta_, 0.0);
    head_ = 0;
    middle_ = nlta_;
    perSample_ = Pair{1.0 / static_cast<double>(nsta_), 1.0 / static_cast<double>(nlta_)};
    mean_ = m2_ = Pair{0, 0};
    varSta_ = varLta_ = 0;
    last_[0] = last_[1] = last_[2] = 0;
    on_ = false;
    holdOff_ = static_cast<std::int64_t>(std::trunc(rate * 5));
    counter_ = 0;
    seen_ = 0;
}

template <class Sample>
std::size_t CZELDetector::Advance(const Sample* samples, std::size_t count, bool& on) {
    if (ring_.empty()) Start(rate_);
    double* const ring = ring_.data();
    const std::size_t n = ring_.size();
    const std::uint64_t warmUp = 3 * static_cast<std::uint64_t>(n);
    const double k = params_.k;
    std::size_t head = head_, middle = middle_;
    const Pair perSample = perSample_;
    Pair mean = mean_, m2 = m2_;
    double varSta = varSta_, varLta = varLta_;
    std::int64_t counter = counter_;
    std::uint64_t seen = seen_;
    bool state = on;
    std::size_t i = 0;
    while (i < count) {
        const double x = samples[i++];
        const double v = ring[head];    // leaves the long window
        const double u = ring[middle];  // moves from the short window to the long one
        ring[head] = x;
        if (++head == n) head = 0;
        if (++middle == n) middle = 0;
        // x enters the short window and u leaves it; u enters the long window and v leaves it.
        const Pair in = {x, u}, out = {u, v};
        const Pair old = mean;
        mean += (in - out) * perSample;
        m2 += (in - out) * (in - mean + out - old);
        m2 = m2 < 0 ? Pair{0, 0} : m2;
        // Once per buffer length, when the ring holds the samples oldest first: the long window,
        // then the short one.
        if (head == 0) {
            const MeanAndSquares s = Exact(ring + nlta_, nsta_), l = Exact(ring, nlta_);
            mean = Pair{s.mean, l.mean};
            m2 = Pair{s.m2, l.m2};
        }
        const Pair variance = m2 * perSample;
        varSta = variance[0];
        varLta = variance[1];

        bool triggered = false;
        if (seen <= warmUp) {
            ++seen;
        } else if (varSta > k * varLta) {
            counter = holdOff_;
            triggered = true;
        } else if (counter > 0) {
            --counter;
            triggered = true;
        }
        if (triggered != state) {
            state = triggered;
            break;
        }
    }
    on = state;
    // The three newest samples, for the onset slope.
    const std::size_t taken = i < 3 ? i : 3;
    for (std::size_t s = 0; s < 3 - taken; ++s) last_[2 - s] = last_[2 - s - taken];
    for (std::size_t a = 0; a < taken; ++a) last_[a] = samples[i - 1 - a];
    head_ = head;
    middle_ = middle;
    mean_ = mean;
    m2_ = m2;
    varSta_ = varSta;
    varLta_ = varLta;
    counter_ = counter;
    seen_ = seen;
    return i;
}

bool CZELDetector::Step(double x) {
    Advance(&x, 1, on_);
    return on_;
}

std::size_t CZELDetector::StepUntilChange(std::span<const float> samples, bool& on) {
    return Advance(samples.data(), samples.size(), on);
}

double CZELDetector::OnsetDelay() const {
    // Parabola through the samples at 0, 1/rate, 2/rate: its slope at the middle one.
    const double slope = (last_[2] - last_[0]) * rate_ / 2;
    if (slope == 0) return 0;
    return std::fabs(mean_[1] - last_[0]) / std::fabs(slope);
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
    bool on = false;
    for (std::size_t i = 0; i < samples.size();) {
        const bool was = on;
        i += detector.StepUntilChange(samples.subspan(i), on);
        if (on && !was) {
            const double t = start + static_cast<double>(i - 1) / rate;
            list.Add(t - tsta / 2, tlta, tsta);
            list.Add(t - detector.OnsetDelay(), tlta, tsta);
        }
    }
    detector.Release();
}

void RunGeotechDetector(CGeotechDetector& detector, std::span<const float> samples, double rate, double start,
                        DetectParam& list) {
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
