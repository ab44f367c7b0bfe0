#include "dsp/DspNumberText.h"

#include <charconv>
#include <cmath>

namespace zel {

std::string FormatFixed(double value) {
    char buffer[400];  // the longest double in fixed notation has 309 digits before the point
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buffer, end);
}

bool ReadNumber(std::string_view text, std::size_t& at, double& value) {
    std::size_t i = at;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n' ||
                               text[i] == '\f' || text[i] == '\v'))
        ++i;
    // from_chars takes a minus but not a plus sign.
    bool plus = i < text.size() && text[i] == '+';
    const char* begin = text.data() + i + (plus ? 1 : 0);
    if (plus && begin < text.data() + text.size() && *begin == '-') return false;
    double v = 0;
    auto [end, ec] = std::from_chars(begin, text.data() + text.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Like strtod: too large is infinite, too small is zero.
        const std::string_view digits(begin, static_cast<std::size_t>(end - begin));
        const std::size_t e = digits.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        v = tiny ? 0.0 : (digits.front() == '-' ? -HUGE_VAL : HUGE_VAL);
    } else if (ec != std::errc()) {
        return false;
    }
    value = v;
    at = static_cast<std::size_t>(end - text.data());
    return true;
}

}  // namespace zel
