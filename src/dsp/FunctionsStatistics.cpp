#include "dsp/FunctionsStatistics.h"

#include <array>
#include <cmath>

#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"

namespace zel {
namespace {

constexpr ArgumentTexts kPlainTexts = {ZEL_TR_NOOP("Ошибка"), "", ZEL_TR_NOOP("Ошибка")};

SignalVector OneSignal(FormulaParser& p, const ArgumentTexts& texts) {
    std::array<SignalVector, 1> a;
    ReadArguments(p, a, texts);
    return std::move(a[0]);
}

SignalVector Max(FormulaParser& p) {
    const SignalVector w = OneSignal(p, kPlainTexts);
    return SignalVector(w[IndexOfMax(w)]);
}
SignalVector Min(FormulaParser& p) {
    const SignalVector w = OneSignal(p, kPlainTexts);
    return SignalVector(w[IndexOfMin(w)]);
}
SignalVector XMax(FormulaParser& p) {
    return SignalVector(static_cast<double>(IndexOfMax(OneSignal(p, kPlainTexts))));
}
SignalVector XMin(FormulaParser& p) {
    return SignalVector(static_cast<double>(IndexOfMin(OneSignal(p, kPlainTexts))));
}
SignalVector MeanFn(FormulaParser& p) { return SignalVector(Mean(OneSignal(p, kPlainTexts))); }
SignalVector SizeOf(FormulaParser& p) {
    return SignalVector(static_cast<double>(OneSignal(p, kPlainTexts).Count()));
}
SignalVector GetDx(FormulaParser& p) { return SignalVector(OneSignal(p, kPlainTexts).dx); }

SignalVector Center(FormulaParser& p) {
    SignalVector w = OneSignal(p, kPlainTexts);
    const double m = Mean(w);
    for (double& v : w.Values()) v -= m;
    return w;
}

SignalVector LinReg(FormulaParser& p) {
    return LinearFit(
        OneSignal(p, {ZEL_TR_NOOP("Нет скобки '(' после LINREG"), "", ZEL_TR_NOOP("Нет парной скобки ')'")}));
}

SignalVector Dpv(FormulaParser& p) {
    std::array<SignalVector, 4> a;
    ReadArguments(p, a,
                  {ZEL_TR_NOOP("Нет скобки '('"), ZEL_TR_NOOP("Ошибка в количестве аргументов в функции dpv"),
                   ZEL_TR_NOOP("Нет парной скобки ')'")});
    return Histogram(a[0], a[1].First(), a[2].First(), CountArgument(a[3], "dpv"));
}

constexpr FormulaFunctionEntry kFunctions[] = {
    {"max", &Max},       {"min", &Min},       {"xmax", &XMax},   {"xmin", &XMin}, {"mean", &MeanFn},
    {"sizeof", &SizeOf}, {"len", &SizeOf},    {"getdx", &GetDx}, {"dx", &GetDx},  {"center", &Center},
    {"cntr", &Center},   {"linreg", &LinReg}, {"dpv", &Dpv},
};

}  // namespace

std::span<const FormulaFunctionEntry> StatisticsFunctions() { return kFunctions; }

std::size_t IndexOfMax(const SignalVector& w) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < w.Count(); ++i)
        if (w[i] > w[best]) best = i;
    return best;
}

std::size_t IndexOfMin(const SignalVector& w) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < w.Count(); ++i)
        if (w[i] < w[best]) best = i;
    return best;
}

double Mean(const SignalVector& w) {
    double s = 0;
    for (double v : w.Values()) s += v;
    return s / static_cast<double>(w.Count());
}

SignalVector LinearFit(SignalVector w) {
    // The same least-squares line as the normal equations, taken about the means: the sums of t
    // and t^2 of a long signal would otherwise cancel each other's digits away.
    const double n = static_cast<double>(w.Count());
    const double tMean = w.dx * (n - 1) / 2;
    const double yMean = Mean(w);
    double stt = 0;
    double sty = 0;
    for (std::size_t i = 0; i < w.Count(); ++i) {
        const double t = static_cast<double>(i) * w.dx - tMean;
        stt += t * t;
        sty += t * (w[i] - yMean);
    }
    const double slope = stt != 0.0 ? sty / stt : 0.0;
    const double intercept = yMean - slope * tMean;
    for (std::size_t i = 0; i < w.Count(); ++i) w[i] = slope * (static_cast<double>(i) * w.dx) + intercept;
    return w;
}

SignalVector Histogram(const SignalVector& w, double lo, double hi, std::size_t n) {
    SignalVector out = SignalVector::Filled(n, 1.0, 0.0, "dpv");
    const double width = (hi - lo) / static_cast<double>(n);
    if (!(width > 0) || !std::isfinite(width)) return out;  // no sample can satisfy lo <= x < lo + width
    const double total = static_cast<double>(w.Count());
    for (double x : w.Values()) {
        const double q = std::floor((x - lo) / width);
        if (!(q >= -2.0 && q <= static_cast<double>(n) + 1.0)) continue;
        // The bin edges are lo + s * width as written, and rounding may put a sample on the
        // neighbouring side of the quotient: try the bins around it against the edges themselves.
        const long long s0 = static_cast<long long>(q);
        for (long long s = s0 - 2; s <= s0 + 2; ++s) {
            if (s < 0 || s >= static_cast<long long>(n)) continue;
            const double edge = lo + static_cast<double>(s) * width;
            if (edge <= x && x < edge + width) out[static_cast<std::size_t>(s)] += 1.0;
        }
    }
    for (double& v : out.Values()) v /= total;
    return out;
}

}  // namespace zel
