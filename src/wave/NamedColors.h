#pragma once
// The twenty named colours the display settings page offers for each trace colour.

#include <array>

#include "config/Settings.h"

namespace zel {

struct NamedColor {
    const char* name;  // a template: shown translated
    Rgb value;
};

const std::array<NamedColor, 20>& NamedColors();

// Index of the first named colour equal to the value; 0 ("другой") when none is.
int NamedColorIndex(const Rgb& value);

}  // namespace zel
