#include "formats/RoundedTime.h"

#include <cmath>

namespace zel {

RoundedTime RoundTime(double epoch, int digits) {
    const double scale = std::pow(10.0, digits);
    const double units = std::round(epoch * scale);
    const double whole = std::floor(units / scale);
    RoundedTime t;
    t.calendar = EpochToCalendar(whole).value_or(CalendarTime{});
    t.fraction = static_cast<long>(units - whole * scale);
    return t;
}

}  // namespace zel
