#include "formats/FixedColumns.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zel {

void PutField(std::string& line, int first, int last, std::string_view text, bool right) {
    const std::size_t width = static_cast<std::size_t>(last - first + 1);
    if (text.size() > width) text = text.substr(0, width);
    if (line.size() < static_cast<std::size_t>(last)) line.resize(last, ' ');
    const std::size_t start = first - 1 + (right ? width - text.size() : 0);
    line.replace(start, text.size(), text);
}

namespace {

std::string FormatFixed(double value, int width, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return buffer;
}

}  // namespace

std::string FitFixed(double value, int width, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    std::string text = FormatFixed(value, width, decimals);
    if (static_cast<int>(text.size()) <= width) return text;
    // Digits left for the integer part once the sign and the decimals have their places.
    const int integerDigits = width - (value < 0 ? 1 : 0) - (decimals > 0 ? decimals + 1 : 0);
    if (integerDigits < 1) return std::string(width, '*');
    const double largest = std::pow(10.0, integerDigits) - std::pow(10.0, -decimals);
    return FormatFixed(value < 0 ? -largest : largest, width, decimals);
}

std::string FitInteger(long long value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) > width) {
        const int digits = width - (value < 0 ? 1 : 0);
        if (digits < 1) return std::string(width, '*');
        text = std::string(value < 0 ? "-" : "") + std::string(digits, '9');
    }
    return std::string(width - text.size(), ' ') + text;
}

std::string ColumnText(std::string_view line, int first, int last) {
    if (static_cast<int>(line.size()) < first) return {};
    return Trimmed(line.substr(first - 1, last - first + 1));
}

std::optional<double> ColumnNumber(std::string_view line, int first, int last) {
    const std::string text = ColumnText(line, first, last);
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace zel
