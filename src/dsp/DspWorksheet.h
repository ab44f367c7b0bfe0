#pragma once
// Worksheet files: the formulas of the DSP workspace in private-profile form,
//   [WORKSHEET] WINDOWS=<count>
//   [W<i>]      COMMAND=<formula of window i>
// Values are stored raw, so formulas keep their commas, semicolons and quotes.

#include <optional>
#include <string>
#include <vector>

namespace zel {

// Writes the count and every formula in one rewrite of the file. Sections W<i> of windows that
// no longer exist lose their COMMAND, so a shorter worksheet saved over a longer one reads back
// as itself. Throws ZelError when the file cannot be written (an existing file is then unchanged).
void SaveWorksheet(const std::string& path, const std::vector<std::string>& formulas);

// The formulas of a worksheet (each cut to 1024 bytes as read); nothing when WINDOWS is missing or
// not a positive number. A count above the 64 windows the formula language can name reads the
// first 64.
std::optional<std::vector<std::string>> LoadWorksheet(const std::string& path);

}  // namespace zel
