#pragma once
// Fixed-column text lines of the exchange formats: fields placed at 1-based character columns,
// numbers that never spill into the next field, and fields read back by column.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/Strings.h"

namespace zel {

// Writes text into columns [first, last] of line (1-based, inclusive), growing the line with
// blanks. Longer text is cut to the field; shorter text is left-aligned, or right-aligned when
// 'right' is set.
void PutField(std::string& line, int first, int last, std::string_view text, bool right = false);

// "%width.decimals f"; a value too wide for the field becomes the largest value of its sign that
// fits (9999.9 for width 6, decimals 1), so a field never eats its neighbour's columns.
std::string FitFixed(double value, int width, int decimals);
// "%width d", saturated in the same way.
std::string FitInteger(long long value, int width);

// The text of columns [first, last] without surrounding blanks; empty when the line is shorter.
std::string ColumnText(std::string_view line, int first, int last);
// The number in columns [first, last]; nullopt when the field is blank or not a number.
std::optional<double> ColumnNumber(std::string_view line, int first, int last);

// printf into a string; for the short fields and lines of these formats (at most 255 characters).
std::string Printf(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

}  // namespace zel
