#include "events/SeismicPhase.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/TimeConversions.h"

namespace zel {

bool SetPickTime(SEISMIC_PHASE& phase, double epoch) {
    std::optional<CalendarTime> c = EpochToCalendar(epoch);
    if (!c) return false;
    phase.time = epoch;
    phase.year = c->year;
    phase.month = static_cast<std::uint8_t>(c->month);
    phase.day = static_cast<std::uint8_t>(c->day);
    phase.hour = c->hour;
    phase.minute = c->minute;
    const double whole = std::floor(c->second);
    phase.second = static_cast<std::int32_t>(whole);
    // Truncated, and never 100 however close the fraction comes to a whole second.
    phase.hundredths = std::min(99, static_cast<std::int32_t>((c->second - whole) * 100.0));
    return true;
}

const char* OnsetLetter(int onset) {
    static const char* const letters[] = {"E", "I", "W", "-"};
    return onset >= 0 && onset < 4 ? letters[onset] : "?";
}

const char* FirstMotionLetter(int firstMotion) {
    static const char* const letters[kFirstMotionCount] = {"U", "D", "+", "-", "?", "c", "d", "u", "r"};
    return firstMotion >= 0 && firstMotion < kFirstMotionCount ? letters[firstMotion] : "?";
}

std::string OnsetCodeText(const SEISMIC_PHASE& phase) {
    std::string text = OnsetLetter(phase.onset);
    text += FirstMotionLetter(phase.firstMotion);
    text += phase.weight <= 9 ? std::string(1, static_cast<char>('0' + phase.weight)) : std::string("?");
    return text;
}

}  // namespace zel
