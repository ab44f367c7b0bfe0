#pragma once
// Numbers as the workspace's text formats write and read them, with a decimal point whatever the
// locale: "%f" on the way out, "%lf"-style reading on the way in.

#include <string>
#include <string_view>

namespace zel {

// printf's "%f": fixed notation, six decimals.
std::string FormatFixed(double value);

// Skips white space from `at`, then reads one number (optional sign, decimal or exponent form,
// inf, nan) into `value` and moves `at` past it. False, with `at` unchanged, when no number starts there.
bool ReadNumber(std::string_view text, std::size_t& at, double& value);

}  // namespace zel
