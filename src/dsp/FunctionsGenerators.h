#pragma once
// Generators of the formula language: gline, gsin, gcos and rand.

#include <cstddef>
#include <cstdint>

#include "dsp/SignalVector.h"

namespace zel {

// points samples a * spacing * i + b, dx = spacing.
SignalVector GenerateLine(std::size_t points, double spacing, double a, double b);

// points samples sin (or cos) of 2 pi v spacing i + fi, dx = spacing.
SignalVector GenerateSine(std::size_t points, double spacing, double v, double fi, bool cosine);

// The 15-bit generator of the C standard's example (next = next * 1103515245 + 12345, value =
// next / 65536 % 32768), seeded with 1 at start-up and never reseeded by the language itself,
// so a formula with rand gives the same numbers on every platform.
int FormulaRandom();
void SeedFormulaRandom(std::uint32_t seed);

// points samples FormulaRandom() / 32767, dx = spacing.
SignalVector GenerateRandom(std::size_t points, double spacing);

}  // namespace zel
