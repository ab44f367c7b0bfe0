#pragma once
#include <filesystem>

// One GSHHG binned netCDF file rewritten as a binned line file; false (with a note on standard
// error) when the input is missing or not of GSHHG's layout.
bool ConvertGshhgFile(const std::filesystem::path& input, const std::filesystem::path& output);
