#pragma once
// The function registry of the formula language and the argument reading its functions share.
// Every function reads its own "(", arguments and ")" from the parser and returns one value.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "dsp/SignalVector.h"

namespace zel {

class FormulaParser;

using FormulaFunction = SignalVector (*)(FormulaParser&);

struct FormulaFunctionEntry {
    std::string_view name;  // lower case, as looked up
    FormulaFunction function;
    // Each result sample is the function of the argument's sample at the same index alone.
    bool sampleBySample = false;
};

// The registered names in their fixed order (55, aliases included), spelled as the registry
// spells them (xMin, xMax); lookup ignores case.
std::span<const std::string_view> FormulaFunctionNames();

// The function of a lower-case name, or null.
FormulaFunction FindFormulaFunction(std::string_view lowerName);
// Whether a lower-case name is a function that works sample by sample (abs, sin, ...).
bool IsSampleBySampleFunction(std::string_view lowerName);

// --- argument reading ---

// The texts a function raises for a missing "(", a missing "," between arguments and a missing
// ")" (or an argument too many): templates marked ZEL_TR_NOOP, translated when raised.
struct ArgumentTexts {
    const char* open;
    const char* comma;
    const char* close;
};

// Reads "(" a1 "," a2 ... ")" with exactly `count` expressions. The ")" stays current.
void ReadArguments(FormulaParser& parser, std::span<SignalVector> args, const ArgumentTexts& texts);

// An integer argument: the first sample truncated toward zero, held within +-2^62 (NaN gives 0).
std::int64_t IntegerArgument(const SignalVector& v);

// A sample count: the first sample truncated, refused unless 1 .. SignalCountLimit().
std::size_t CountArgument(const SignalVector& v, const char* what);

// The functions of each theme, looked up by the registry.
std::span<const FormulaFunctionEntry> ArithmeticFunctions();
std::span<const FormulaFunctionEntry> StatisticsFunctions();
std::span<const FormulaFunctionEntry> SpectrumFunctions();
std::span<const FormulaFunctionEntry> WindowFunctions();
std::span<const FormulaFunctionEntry> GeneratorFunctions();
std::span<const FormulaFunctionEntry> PolarizationFunctions();

}  // namespace zel
