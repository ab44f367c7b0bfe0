#include "dsp/FunctionsGenerators.h"

#include <array>
#include <cmath>

#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"

namespace zel {
namespace {

constexpr double kPi = 3.141592653589793;

std::uint32_t g_next = 1;

struct GeneratorTexts {
    const char* open;
    const char* comma;    // between points and spacing
    const char* tooMany;  // a missing ")" or more than four arguments
};

struct GeneratorArgs {
    std::size_t points;
    double spacing;
    std::array<double, 2> extra;
};

// (points, spacing [, p1 [, p2]]): after spacing at most three more tokens are looked at: ")"
// ends the list, "," brings an argument (a third one is read and dropped), anything else, or a
// fourth look, is the argument-count error.
GeneratorArgs ReadGeneratorArgs(FormulaParser& p, const GeneratorTexts& texts, std::array<double, 2> defaults,
                                const char* what) {
    p.ExpectOpen(texts.open);
    const SignalVector points = p.ParseExpression();
    p.ExpectComma(texts.comma);
    GeneratorArgs args{0, p.ParseScalar(), defaults};
    bool closed = false;
    for (int look = 0; look < 3 && !closed; ++look) {
        if (p.At(')')) {
            closed = true;
            break;
        }
        if (!p.At(',')) RaiseFormulaError(Tr(texts.tooMany));
        p.NextToken();
        const double v = p.ParseScalar();
        if (look < 2) args.extra[static_cast<std::size_t>(look)] = v;
    }
    if (!closed) RaiseFormulaError(Tr(texts.tooMany));
    args.points = CountArgument(points, what);
    return args;
}

SignalVector Gline(FormulaParser& p) {
    const GeneratorArgs a = ReadGeneratorArgs(
        p,
        {ZEL_TR_NOOP("Error in formula: expected '('"), ZEL_TR_NOOP("Error in formula: expected ','"),
         ZEL_TR_NOOP("Error in GLINE arguments number")},
        {1.0, 0.0}, "gline");
    return GenerateLine(a.points, a.spacing, a.extra[0], a.extra[1]);
}

SignalVector Gsin(FormulaParser& p) {
    const GeneratorArgs a =
        ReadGeneratorArgs(p,
                          {ZEL_TR_NOOP("Ошибка"), ZEL_TR_NOOP("Ошибка"),
                           ZEL_TR_NOOP("Нет парной скобки или к-во много аргументов > 4 в функции GSIN")},
                          {1.0, 0.0}, "gsin");
    return GenerateSine(a.points, a.spacing, a.extra[0], a.extra[1], false);
}

SignalVector Gcos(FormulaParser& p) {
    const GeneratorArgs a =
        ReadGeneratorArgs(p,
                          {ZEL_TR_NOOP("Ошибка"), ZEL_TR_NOOP("Ошибка"),
                           ZEL_TR_NOOP("Нет парной скобки или к-во много аргументов > 4 в функции GCOS")},
                          {1.0, 0.0}, "gcos");
    return GenerateSine(a.points, a.spacing, a.extra[0], a.extra[1], true);
}

SignalVector Rand(FormulaParser& p) {
    std::array<SignalVector, 2> a;
    ReadArguments(p, a,
                  {ZEL_TR_NOOP("Ошибка"), ZEL_TR_NOOP("Ошибка"), ZEL_TR_NOOP("Нет парной скобки в Rand")});
    return GenerateRandom(CountArgument(a[0], "rand"), a[1].First());
}

constexpr FormulaFunctionEntry kFunctions[] = {
    {"gline", &Gline}, {"gsin", &Gsin}, {"gcos", &Gcos}, {"rand", &Rand}};

}  // namespace

std::span<const FormulaFunctionEntry> GeneratorFunctions() { return kFunctions; }

SignalVector GenerateLine(std::size_t points, double spacing, double a, double b) {
    SignalVector out = SignalVector::Filled(points, spacing, 0.0, "gline");
    for (std::size_t i = 0; i < points; ++i) out[i] = a * spacing * static_cast<double>(i) + b;
    return out;
}

SignalVector GenerateSine(std::size_t points, double spacing, double v, double fi, bool cosine) {
    SignalVector out = SignalVector::Filled(points, spacing, 0.0, cosine ? "gcos" : "gsin");
    for (std::size_t i = 0; i < points; ++i) {
        const double phase = 2.0 * kPi * v * spacing * static_cast<double>(i) + fi;
        out[i] = cosine ? std::cos(phase) : std::sin(phase);
    }
    return out;
}

int FormulaRandom() {
    g_next = g_next * 1103515245u + 12345u;
    return static_cast<int>((g_next / 65536u) % 32768u);
}

void SeedFormulaRandom(std::uint32_t seed) { g_next = seed; }

SignalVector GenerateRandom(std::size_t points, double spacing) {
    SignalVector out = SignalVector::Filled(points, spacing, 0.0, "rand");
    for (std::size_t i = 0; i < points; ++i) out[i] = FormulaRandom() / 32767.0;
    return out;
}

}  // namespace zel
