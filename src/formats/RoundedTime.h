#pragma once
// Calendar fields of a time rounded to a number of decimals before it is split, so 59.996 s
// written with two decimals becomes the next minute instead of "59.100" or "60.00".

#include "base/TimeConversions.h"

namespace zel {

struct RoundedTime {
    CalendarTime calendar;  // whole seconds in calendar.second
    long fraction = 0;      // in units of 10^-digits seconds
    int second() const { return static_cast<int>(calendar.second); }
};

RoundedTime RoundTime(double epoch, int digits);

}  // namespace zel
