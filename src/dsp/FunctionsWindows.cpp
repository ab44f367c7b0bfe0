#include "dsp/FunctionsWindows.h"

#include <array>
#include <cmath>

#include "dsp/Fft.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"

namespace zel {
namespace {

constexpr double kPi = 3.141592653589793;

// exp(-|x|) * I0(x): the polynomial of 9.8.2 needs no exponential, so window ratios stay finite
// for any beta (I0 itself overflows a double beyond x = 713).
double ScaledBesselI0(double x) {
    const double ax = std::fabs(x);
    if (ax <= 3.75) {
        const double t = (x / 3.75) * (x / 3.75);
        const double i0 =
            1.0 + t * (3.5156229 +
                       t * (3.0899424 + t * (1.2067492 + t * (0.2659732 + t * (0.0360768 + t * 0.0045813)))));
        return i0 * std::exp(-ax);
    }
    const double u = 3.75 / ax;
    const double p =
        0.39894228 +
        u * (0.01328592 +
             u * (0.00225319 +
                  u * (-0.00157565 +
                       u * (0.00916281 +
                            u * (-0.02057706 + u * (0.02635537 + u * (-0.01647633 + u * 0.00392377)))))));
    return p / std::sqrt(ax);
}

SignalVector Hanning(FormulaParser& p) {
    std::array<SignalVector, 1> a;
    ReadArguments(p, a, {ZEL_TR_NOOP("Нет скобки '('"), "", ZEL_TR_NOOP("Нет парной скобки ')'")});
    return HannWindow(std::move(a[0]));
}

// kaiser(W [, b]): the second argument may be left out.
SignalVector Kaiser(FormulaParser& p) {
    p.ExpectOpen(ZEL_TR_NOOP("Нет скобки '('"));
    SignalVector w = p.ParseExpression();
    double beta = kDefaultKaiserBeta;
    if (p.At(',')) {
        p.NextToken();
        beta = p.ParseScalar();
        p.ExpectClose(ZEL_TR_NOOP("Нет парной скобки или к-во много аргументов > 2 в функции KAISER"));
    } else {
        p.ExpectClose(ZEL_TR_NOOP("Нет парной скобки в функции KAISER"));
    }
    return KaiserWindow(std::move(w), beta);
}

constexpr FormulaFunctionEntry kFunctions[] = {{"hanning", &Hanning}, {"kaiser", &Kaiser}};

}  // namespace

std::span<const FormulaFunctionEntry> WindowFunctions() { return kFunctions; }

double BesselI0(double x) { return ScaledBesselI0(x) * std::exp(std::fabs(x)); }

SignalVector HannWindow(SignalVector w) {
    const std::size_t count = w.Count();
    const std::size_t n = PowerOfTwoAtLeast(count);
    w.Resize(n, "hanning");
    const double last = static_cast<double>(n - 1);
    for (std::size_t i = 0; i < count; ++i)
        w[i] = 0.5 * w[i] * (1.0 - std::cos(2.0 * kPi * static_cast<double>(i) / last));
    return w;
}

SignalVector KaiserWindow(SignalVector w, double beta) {
    const std::size_t count = w.Count();
    const std::size_t n = PowerOfTwoAtLeast(count);
    w.Resize(n, "kaiser");
    const double nn = static_cast<double>(n);
    const double peak = std::fabs(kPi * beta);
    const double peakScaled = ScaledBesselI0(peak);
    for (std::size_t i = 0; i < count; ++i) {
        const double c = static_cast<double>(i) - nn / 2;
        const double r = 2.0 * c / nn;
        const double x = peak * std::sqrt(1.0 - r * r);
        // I0(x) / I0(peak) with both exponentials folded into one that cannot overflow (x <= peak).
        w[i] *= ScaledBesselI0(x) / peakScaled * std::exp(x - peak);
    }
    return w;
}

}  // namespace zel
