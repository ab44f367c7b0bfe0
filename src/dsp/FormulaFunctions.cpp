#include "dsp/FormulaFunctions.h"

#include <array>
#include <cmath>
#include <string>
#include <unordered_map>

#include "dsp/Butterworth.h"
#include "dsp/FormulaParser.h"
#include "dsp/FormulaTokenizer.h"

namespace zel {
namespace {

// The registry order is part of the user interface (the workspace lists the functions in it).
// spectrogram comes after the 54 names of the original library.
constexpr std::array<std::string_view, 55> kNames = {
    "max",   "min",        "cos",       "sin",    "gcos",    "gsin",        "mean",       "abs",
    "exp",   "spectrum",   "extract",   "log10",  "hanning", "linreg",      "kaiser",     "gline",
    "integ", "rderiv",     "lderiv",    "deriv",  "conv",    "refft",       "imfft",      "tan",
    "atan",  "sqrt",       "log",       "ceil",   "floor",   "interpolate", "butter",     "revers",
    "rand",  "sizeof",     "rectilin",  "planar", "smooth",  "dspectrum",   "getdx",      "azimuth",
    "dpv",   "avspectrum", "spectrum2", "smh",    "flt",     "rev",         "fft",        "dft",
    "len",   "dx",         "center",    "cntr",   "xMin",    "xMax",        "spectrogram"};
// The Butterworth filter of the language, under both its names.
constexpr std::array<std::string_view, 2> kFilterNames = {"butter", "flt"};

// butter(W, lfr, hfr, n): the arguments are read here so the filter module only filters.
SignalVector Butter(FormulaParser& p) {
    std::array<SignalVector, 4> a;
    ReadArguments(
        p, a, {ZEL_TR_NOOP("Нет скобки '('"), ZEL_TR_NOOP("Ошибка"), ZEL_TR_NOOP("Нет парной скобки ')'")});
    SignalVector w = std::move(a[0]);
    const double lfr = a[1].First();
    const double hfr = a[2].First();
    const std::int64_t n = IntegerArgument(a[3]);
    ButterFormula(w.Values(), w.dx, lfr, hfr, static_cast<int>(std::clamp<std::int64_t>(n, -1000, 1000)));
    return w;
}

using Table = std::unordered_map<std::string, FormulaFunctionEntry>;

const Table& Registry() {
    static const Table table = [] {
        Table t;
        for (auto theme : {ArithmeticFunctions(), StatisticsFunctions(), SpectrumFunctions(),
                           WindowFunctions(), GeneratorFunctions(), PolarizationFunctions()})
            for (const FormulaFunctionEntry& e : theme) t.emplace(std::string(e.name), e);
        for (std::string_view name : kFilterNames)
            t.emplace(std::string(name), FormulaFunctionEntry{name, &Butter});
        // Only the listed names are the language's; a theme entry outside the list stays hidden.
        Table listed;
        for (std::string_view name : kNames) {
            auto it = t.find(LowerAscii(name));
            if (it != t.end()) listed.emplace(it->first, it->second);
        }
        return listed;
    }();
    return table;
}

}  // namespace

std::span<const std::string_view> FormulaFunctionNames() { return kNames; }

FormulaFunction FindFormulaFunction(std::string_view lowerName) {
    const Table& t = Registry();
    auto it = t.find(std::string(lowerName));
    return it == t.end() ? nullptr : it->second.function;
}

bool IsSampleBySampleFunction(std::string_view lowerName) {
    const Table& t = Registry();
    auto it = t.find(std::string(lowerName));
    return it != t.end() && it->second.sampleBySample;
}

void ReadArguments(FormulaParser& parser, std::span<SignalVector> args, const ArgumentTexts& texts) {
    parser.ExpectOpen(texts.open);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) parser.ExpectComma(texts.comma);
        args[i] = parser.ParseExpression();
    }
    parser.ExpectClose(texts.close);
}

std::int64_t IntegerArgument(const SignalVector& v) {
    constexpr double kLimit = 4.611686018427387904e18;  // 2^62
    const double x = v.First();
    if (std::isnan(x)) return 0;
    return static_cast<std::int64_t>(std::trunc(std::clamp(x, -kLimit, kLimit)));
}

std::size_t CountArgument(const SignalVector& v, const char* what) {
    const double n = std::trunc(v.First());
    CheckSignalCount(n, what);
    return static_cast<std::size_t>(n);
}

}  // namespace zel
