#include "dsp/FunctionsArithmetic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"

namespace zel {
namespace {

constexpr ArgumentTexts kBracketTexts = {ZEL_TR_NOOP("Нет скобки '('"), "",
                                         ZEL_TR_NOOP("Нет парной скобки ')'")};
constexpr ArgumentTexts kPlainTexts = {ZEL_TR_NOOP("Ошибка"), "", ZEL_TR_NOOP("Ошибка")};

SignalVector OneSignal(FormulaParser& p, const ArgumentTexts& texts) {
    std::array<SignalVector, 1> a;
    ReadArguments(p, a, texts);
    return std::move(a[0]);
}

template <double (*F)(double)>
SignalVector Map(FormulaParser& p) {
    SignalVector w = OneSignal(p, kBracketTexts);
    for (double& v : w.Values()) v = F(v);
    return w;
}

double Abs(double x) { return std::fabs(x); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Atan(double x) { return std::atan(x); }
double Exp(double x) { return std::exp(x); }
double Sqrt(double x) { return std::sqrt(x); }
// A negative sample gives 0; 0 gives minus infinity.
double Log(double x) { return x < 0 ? 0.0 : std::log(x); }
double Log10(double x) { return x < 0 ? 0.0 : std::log10(x); }

template <double (*F)(double)>
SignalVector Round(FormulaParser& p) {
    SignalVector w = OneSignal(p, kPlainTexts);
    for (double& v : w.Values()) v = F(v);
    w.dx = 1.0;
    return w;
}

double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }

SignalVector Revers(FormulaParser& p) {
    SignalVector w = OneSignal(p, kPlainTexts);
    std::reverse(w.Values().begin(), w.Values().end());
    return w;
}

SignalVector ExtractFn(FormulaParser& p) {
    std::array<SignalVector, 3> a;
    ReadArguments(
        p, a,
        {ZEL_TR_NOOP("Нет скобки '('"), ZEL_TR_NOOP("Ошибка в количестве аргументов в функции EXTRACT"),
         ZEL_TR_NOOP("Нет парной скобки ')'")});
    return Extract(a[0], IntegerArgument(a[1]), CountArgument(a[2], "extract"));
}

SignalVector Integ(FormulaParser& p) { return Integrate(OneSignal(p, kBracketTexts)); }
SignalVector Deriv(FormulaParser& p) { return Derivative(OneSignal(p, kBracketTexts)); }
SignalVector Lderiv(FormulaParser& p) { return FirstDifferences(OneSignal(p, kBracketTexts)); }

SignalVector Conv(FormulaParser& p) {
    std::array<SignalVector, 2> a;
    ReadArguments(p, a,
                  {ZEL_TR_NOOP("Нет скобки '('"), ZEL_TR_NOOP("к-во много аргументов < 2 в функции CONV"),
                   ZEL_TR_NOOP("Нет парной скобки или к-во много аргументов > 2 в функции CONV")});
    return Convolve(a[0], a[1]);
}

SignalVector SmoothFn(FormulaParser& p) {
    std::array<SignalVector, 2> a;
    ReadArguments(p, a,
                  {ZEL_TR_NOOP("Error in formula: Expected '('"),
                   ZEL_TR_NOOP("Error in smooth: wrong arguments number"),
                   ZEL_TR_NOOP("Error in smooth: Expected ')'")});
    return Smooth(std::move(a[0]), IntegerArgument(a[1]));
}

constexpr FormulaFunctionEntry kFunctions[] = {
    {"abs", &Map<Abs>, true},
    {"sin", &Map<Sin>, true},
    {"cos", &Map<Cos>, true},
    {"tan", &Map<Tan>, true},
    {"atan", &Map<Atan>, true},
    {"exp", &Map<Exp>, true},
    {"sqrt", &Map<Sqrt>, true},
    {"log", &Map<Log>, true},
    {"log10", &Map<Log10>, true},
    {"ceil", &Round<Ceil>, true},
    {"floor", &Round<Floor>, true},
    {"revers", &Revers},
    {"rev", &Revers},
    {"extract", &ExtractFn},
    {"integ", &Integ},
    {"deriv", &Deriv},
    {"lderiv", &Lderiv},
    {"rderiv", &Lderiv},
    {"conv", &Conv},
    {"smooth", &SmoothFn},
    {"smh", &SmoothFn},
};

}  // namespace

std::span<const FormulaFunctionEntry> ArithmeticFunctions() { return kFunctions; }

SignalVector Integrate(SignalVector w) {
    const double h = w.dx / 2;
    double previous = w[0];
    w[0] = 0.0;
    for (std::size_t i = 1; i < w.Count(); ++i) {
        const double current = w[i];
        w[i] = w[i - 1] + (previous + current) * h;
        previous = current;
    }
    return w;
}

SignalVector Derivative(SignalVector w) {
    const std::size_t n = w.Count();
    // The parabola through three equally spaced points has the central difference as its slope
    // at the middle point. Worked out from the differences (not from t and t^2 sums), it stays
    // exact however far from the start the sample lies.
    if (n < 2 || w.dx == 0.0) {
        std::fill(w.Values().begin(), w.Values().end(), 0.0);
        return w;
    }
    const double dx = w.dx;
    double before = w[0];
    w[0] = (w[1] - w[0]) / dx;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double here = w[i];
        w[i] = (w[i + 1] - before) / (2 * dx);
        before = here;
    }
    w[n - 1] = (w[n - 1] - before) / dx;
    return w;
}

SignalVector FirstDifferences(SignalVector w) {
    const std::size_t n = w.Count();
    if (n < 2) {
        w[0] = 0.0;
        return w;
    }
    for (std::size_t k = 0; k + 1 < n; ++k) w[k] = w.dx == 0.0 ? 0.0 : (w[k + 1] - w[k]) / w.dx;
    w.Resize(n - 1);
    return w;
}

SignalVector Extract(const SignalVector& w, std::int64_t start, std::size_t length) {
    SignalVector out = SignalVector::Filled(length, w.dx, 0.0, "extract");
    const std::int64_t count = static_cast<std::int64_t>(w.Count());
    for (std::size_t k = 0; k < length; ++k) {
        const std::int64_t p = start - 1 + static_cast<std::int64_t>(k);
        if (p >= count) break;
        if (p >= 0) out[k] = w[static_cast<std::size_t>(p)];
    }
    return out;
}

SignalVector Convolve(const SignalVector& a, const SignalVector& b) {
    CheckSignalCount(static_cast<double>(a.Count()) + static_cast<double>(b.Count()) - 1, "conv");
    SignalVector out =
        SignalVector::Filled(a.Count() + b.Count() - 1, a.dx == b.dx ? a.dx : 1.0, 0.0, "conv");
    for (std::size_t j = 0; j < a.Count(); ++j) {
        const double x = a[j];
        for (std::size_t m = 0; m < b.Count(); ++m) out[j + m] += x * b[m];
    }
    return out;
}

SignalVector Smooth(SignalVector w, std::int64_t n) {
    if (n < 0)
        RaiseFormulaError(Tr("Error in smooth: wrong smoothing length %1").arg(static_cast<long long>(n)));
    const std::int64_t count = static_cast<std::int64_t>(w.Count());
    if (n == 0 || n > count) return w;
    const std::int64_t first = n;
    const std::int64_t last = count - n - 1;  // exclusive
    if (first >= last) return w;
    const double width = static_cast<double>(2 * n + 1);
    // In place: the originals of the last n + 1 samples already averaged are kept aside, which
    // is all that later windows still need of them.
    const std::size_t ringSize = static_cast<std::size_t>(n) + 1;
    std::vector<double> ring(ringSize);
    auto original = [&](std::int64_t k, std::int64_t i) {
        return k >= first && k < i ? ring[static_cast<std::size_t>(k) % ringSize]
                                   : w[static_cast<std::size_t>(k)];
    };
    // A running sum, summed afresh now and then so that rounding cannot pile up over a day; the
    // fresh sums cost no more than one pass however wide the window is.
    const std::int64_t resum = std::max<std::int64_t>(4096, 2 * n + 1);
    double sum = 0;
    for (std::int64_t i = first; i < last; ++i) {
        if ((i - first) % resum == 0) {
            sum = 0;
            for (std::int64_t k = i - n; k <= i + n; ++k) sum += original(k, i);
        } else {
            sum += w[static_cast<std::size_t>(i + n)] - original(i - n - 1, i);
        }
        const std::size_t at = static_cast<std::size_t>(i);
        ring[at % ringSize] = w[at];
        w[at] = sum / width;
    }
    return w;
}

}  // namespace zel
