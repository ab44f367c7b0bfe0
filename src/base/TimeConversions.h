#pragma once
// Epoch seconds (a double counting seconds since 1970-01-01 00:00:00 UTC) and the calendar.
// Everything is UTC and proleptic Gregorian, so historical events before 1970 convert exactly
// like recent ones. Text comes back as std::string: no shared buffers.

#include <cstdint>
#include <optional>
#include <string>

namespace zel {

// The epochs the conversions accept: years 1 to 9999. Anything else (and NaN or infinity)
// has no calendar form here.
inline constexpr double kFirstEpoch = -62135596800.0;  // 0001-01-01 00:00:00
inline constexpr double kEndEpoch = 253402300800.0;    // 10000-01-01 00:00:00, exclusive

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
int DaysInYear(int year);
bool IsValidDate(int year, int month, int day);

// The calendar fields of a time. From EpochToCalendar the second carries the fraction; from
// EpochToYdhms it is whole and the fraction, rounded, stands apart.
struct CalendarTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int dayOfYear = 1;
    int hour = 0;
    int minute = 0;
    double second = 0.0;
    int weekday = 4;   // 0 = Sunday; 1970-01-01 was a Thursday
    int fraction = 0;  // EpochToYdhms: in units of 10^-digits seconds (milliseconds for digits 3)

    int wholeSecond() const { return static_cast<int>(second); }
};

// Fields beyond their range (day 32, hour 25, second 61.5) carry over as whole days, hours, ...
// would; only a month outside 1..12 has no meaning and throws ZelError.
double CalendarToEpoch(int year, int month, int day, int hour, int minute, double second);

// nullopt when the epoch is not finite or outside [kFirstEpoch, kEndEpoch).
std::optional<CalendarTime> EpochToCalendar(double epoch);

// year * 1000 + day of year, the "jdate" of CSS 3.0 tables. Throws ZelError for a bad month.
int JDate(int year, int month, int day);

struct MonthDay {
    int month = 1;
    int day = 1;
};

// nullopt for a day of year <= 0 or beyond the year.
std::optional<MonthDay> DayOfYearToMonthDay(int year, int dayOfYear);

// Throws ZelError for a month outside 1..12; the day is not checked (day 0 is the day before).
int MonthDayToDayOfYear(int year, int month, int day);

// Calendar fields with whole seconds and the fraction of the second rounded half up to `digits`
// decimals (3: milliseconds). A fraction that rounds up to a whole second carries through
// minute, hour, day and year, so 1970-01-01 23:59:59.9996 becomes 1970-01-02 00:00:00.000.
// digits must be 0..6. nullopt when the epoch has no calendar form.
std::optional<CalendarTime> EpochToYdhms(double epoch, int digits = 3);

// The whole-second calendar of a time rounded to `digits` decimals, as fixed-column formats
// write it (59.996 s with two decimals is the next minute); the default fields for an epoch
// without a calendar form.
CalendarTime RoundedCalendar(double epoch, int digits);

// The day of year is not checked: day 0 is the last day of the previous year.
double YdhmsToEpoch(int year, int dayOfYear, int hour, int minute, int second, int millisecond);

// The multi-format time text (codes 0..15, "Bad dttostr input!" for the others and for epochs
// without a calendar form). Codes 0, 1, 3, 4 and 5 print blanks of their usual width for times
// before 1970, which those forms cannot show; the other codes show them.
std::string FormatTime(double epoch, int code);

// The date and time forms of the user interface, day/month/year.
enum class UiTimeForm {
    DateTime,         // 14/06/2013 12:20:23 (seconds truncated)
    DateTimeMs,       // 14/06/2013 12:20:23.500
    DateTimeRounded,  // 14/06/2013 12:20:24 (seconds rounded)
    Date,             // 14/06/2013
    Clock,            // 12:20:23 (seconds truncated)
    ClockMs,          // 12:20:23.500
};

// Empty when the epoch has no calendar form.
std::string FormatUiTime(double epoch, UiTimeForm form);

// The present local time as the {ts '%Y-%m-%d %H:%M:%S'} literal the LDDATE columns are written with.
std::string NowTimestampLiteral();

// Reads what the date entry fields hold: "d/m/Y", optionally followed by "H:M" or "H:M:S[.fff]".
// nullopt for anything else, including impossible dates such as 30/02/2013.
std::optional<double> ParseUiDateTime(const std::string& text);
// A whole date and time as an analyst types or pastes it (UTC): day first ("d/m/Y", "d.m.Y",
// "d-m-Y") or year first ("Y-m-d", "Y/m/d", "Y.m.d"), then optionally " " or "T" and "H:M",
// "H:M:S" or "H:M:S.fff", then optionally "Z". nullopt for anything else or an impossible date.
std::optional<double> ParseTypedDateTime(const std::string& text);

}  // namespace zel
