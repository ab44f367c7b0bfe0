#include "formats/XmlValues.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Strings.h"
#include "base/TimeConversions.h"

namespace zel {

std::optional<double> XmlNumber(const pugi::xml_node& node) {
    if (!node) return std::nullopt;
    const std::string text = Trimmed(node.child_value());
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<double> IsoEpoch(const char* text) {
    int y, mo, d, h = 0, mi = 0;
    double s = 0;
    if (std::sscanf(text, "%d-%d-%dT%d:%d:%lf", &y, &mo, &d, &h, &mi, &s) < 3 || !IsValidDate(y, mo, d))
        return std::nullopt;
    return CalendarToEpoch(y, mo, d, h, mi, s);
}

}  // namespace zel
