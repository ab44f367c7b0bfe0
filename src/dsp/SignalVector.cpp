#include "dsp/SignalVector.h"

#include <charconv>
#include <cmath>

#include "base/LargeBuffer.h"

namespace zel {
namespace {

// 2^27 doubles are 1 GiB: a channel-day at 1000 sps (86.4 M samples) still fits.
std::size_t g_countLimit = std::size_t{1} << 27;

// Messages are read by people whatever the desktop locale: always a decimal point.
std::string CountText(double n) {
    char buf[64];
    std::to_chars_result r;
    if (std::isfinite(n) && std::fabs(n) < 1e18)
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(std::trunc(n)));
    else
        r = std::to_chars(buf, buf + sizeof buf, n, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

}  // namespace

void RaiseFormulaError(const std::string& text) { throw FormulaError(text); }
void RaiseFormulaError(const UserText& text) { throw FormulaError(text); }

std::size_t SignalCountLimit() { return g_countLimit; }
void SetSignalCountLimit(std::size_t limit) { g_countLimit = limit < 1 ? 1 : limit; }

void CheckSignalCount(double requested, const char* what) {
    if (!(requested >= 1.0) || requested > static_cast<double>(g_countLimit))
        RaiseFormulaError(Tr("Error in %1: wrong number of samples %2").arg(what).arg(CountText(requested)));
}

SignalVector::SignalVector(std::vector<double> samples, double dx) : dx(dx), samples_(std::move(samples)) {
    if (samples_.empty()) {
        samples_.assign(1, 0.0);
        this->dx = 1.0;
    }
}

SignalVector SignalVector::Filled(std::size_t n, double dx, double value, const char* what) {
    CheckSignalCount(static_cast<double>(n), what);
    SignalVector v;
    v.samples_.clear();
    ReserveLarge(v.samples_, n);
    v.samples_.assign(n, value);
    v.dx = dx;
    return v;
}

void SignalVector::Resize(std::size_t n, const char* what) {
    CheckSignalCount(static_cast<double>(n), what);
    ReserveLarge(samples_, n);
    samples_.resize(n, 0.0);
}

std::vector<double> SignalVector::Release() {
    std::vector<double> out = std::move(samples_);
    samples_.assign(1, 0.0);
    dx = 1.0;
    return out;
}

}  // namespace zel
