#include "base/TimeConversions.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "base/ZelError.h"

namespace zel {
namespace {

constexpr std::array<int, 12> kDaysBeforeMonth = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr std::array<int, 12> kDaysPerMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsFrom0001To1970 = 62135596800;
constexpr const char* kBadInput = "Bad dttostr input!";

// Division that rounds toward minus infinity: plain integer division would count the leap
// days of years before 1970 wrongly.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Days from 1970-01-01 to January 1 of the year.
std::int64_t DaysBeforeYear(std::int64_t year) {
    return (year - 1970) * 365 + FloorDiv(year - 1969, 4) + FloorDiv(year - 1601, 400) -
           FloorDiv(year - 1901, 100);
}

void CheckMonth(int month) {
    if (month < 1 || month > 12) throw ZelError(Tr("Недопустимый номер месяца: %1").arg(month));
}

bool InRange(double epoch) { return std::isfinite(epoch) && epoch >= kFirstEpoch && epoch < kEndEpoch; }

// Calendar fields of a whole second in range, by counting 400-year, 100-year, 4-year and
// 1-year periods from 0001-01-01 (this deliberately does not reuse DaysBeforeYear, so each
// direction checks the other).
CalendarTime BreakDown(std::int64_t wholeSeconds) {
    std::int64_t s = wholeSeconds + kSecondsFrom0001To1970;  // >= 0 for every epoch in range
    std::int64_t days = s / kSecondsPerDay;
    std::int64_t rest = s % kSecondsPerDay;
    CalendarTime r;
    r.hour = static_cast<int>(rest / 3600);
    r.minute = static_cast<int>(rest % 3600 / 60);
    r.second = static_cast<double>(rest % 60);
    r.weekday = static_cast<int>((days + 1) % 7);  // 0001-01-01 was a Monday

    std::int64_t c400 = days / 146097;
    days %= 146097;
    std::int64_t c100 = days / 36524;
    if (c100 == 4) c100 = 3;  // the last day of a 400-year cycle
    days -= c100 * 36524;
    std::int64_t c4 = days / 1461;
    days %= 1461;
    std::int64_t c1 = days / 365;
    if (c1 == 4) c1 = 3;  // the last day of a leap 4-year group
    days -= c1 * 365;
    r.year = static_cast<int>(400 * c400 + 100 * c100 + 4 * c4 + c1 + 1);
    r.dayOfYear = static_cast<int>(days) + 1;
    // The day of year is within the year by construction.
    auto md = DayOfYearToMonthDay(r.year, r.dayOfYear);
    r.month = md->month;
    r.day = md->day;
    return r;
}

// A C variadic so that the compiler checks every format against its arguments.
[[gnu::format(printf, 1, 2)]] std::string Print(const char* format, ...) {
    char buffer[96];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer - 1);
}

std::string FormatDuration(double seconds) {
    if (!std::isfinite(seconds) || std::fabs(seconds) >= 1e15) return kBadInput;
    const char* sign = seconds < 0 ? "-" : "";
    double a = std::fabs(seconds);
    double whole = std::floor(a);
    auto ms = static_cast<int>(std::floor((a - whole) * 1000.0 + 0.5));
    auto w = static_cast<long long>(whole);
    if (ms >= 1000) {
        ++w;
        ms = 0;
    }
    long long years = w / 31536000;
    w %= 31536000;
    return Print("%s%2.2lld:%3.3d-%2.2d:%2.2d:%2.2d.%3.3d", sign, years, static_cast<int>(w / 86400),
                 static_cast<int>(w % 86400 / 3600), static_cast<int>(w % 3600 / 60),
                 static_cast<int>(w % 60), ms);
}

}  // namespace

bool IsLeapYear(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    return kDaysPerMonth[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

bool IsValidDate(int year, int month, int day) { return day >= 1 && day <= DaysInMonth(year, month); }

double CalendarToEpoch(int year, int month, int day, int hour, int minute, double second) {
    CheckMonth(month);
    std::int64_t days = DaysBeforeYear(year) + kDaysBeforeMonth[month - 1] +
                        ((IsLeapYear(year) && month > 2) ? 1 : 0) + day - 1;
    std::int64_t whole = days * kSecondsPerDay + std::int64_t{hour} * 3600 + std::int64_t{minute} * 60;
    return static_cast<double>(whole) + second;
}

std::optional<CalendarTime> EpochToCalendar(double epoch) {
    if (!InRange(epoch)) return std::nullopt;
    double whole = std::floor(epoch);
    CalendarTime c = BreakDown(static_cast<std::int64_t>(whole));
    c.second += epoch - whole;
    return c;
}

int JDate(int year, int month, int day) { return year * 1000 + MonthDayToDayOfYear(year, month, day); }

std::optional<MonthDay> DayOfYearToMonthDay(int year, int dayOfYear) {
    if (dayOfYear <= 0 || dayOfYear > DaysInYear(year)) return std::nullopt;
    int leap = IsLeapYear(year) ? 1 : 0;
    int month = 12;
    while (month > 1 && dayOfYear <= kDaysBeforeMonth[month - 1] + (month > 2 ? leap : 0)) --month;
    return MonthDay{month, dayOfYear - kDaysBeforeMonth[month - 1] - (month > 2 ? leap : 0)};
}

int MonthDayToDayOfYear(int year, int month, int day) {
    CheckMonth(month);
    int doy = day;
    for (int m = 1; m < month; ++m) doy += DaysInMonth(year, m);
    return doy;
}

std::optional<CalendarTime> EpochToYdhms(double epoch, int digits) {
    if (digits < 0 || digits > 6) throw std::invalid_argument("EpochToYdhms: digits must be 0..6");
    if (!InRange(epoch)) return std::nullopt;
    double whole = std::floor(epoch);
    int units = 1;
    for (int i = 0; i < digits; ++i) units *= 10;
    auto fraction = static_cast<int>(std::floor((epoch - whole) * units + 0.5));
    if (fraction >= units) {  // 59.9996 s is 00.000 of the next minute, never "60"
        whole += 1.0;
        fraction = 0;
    }
    if (!InRange(whole)) return std::nullopt;
    CalendarTime r = BreakDown(static_cast<std::int64_t>(whole));
    r.fraction = fraction;
    return r;
}

CalendarTime RoundedCalendar(double epoch, int digits) { return EpochToYdhms(epoch, digits).value_or(CalendarTime{}); }

double YdhmsToEpoch(int year, int dayOfYear, int hour, int minute, int second, int millisecond) {
    std::int64_t whole = (DaysBeforeYear(year) + dayOfYear - 1) * kSecondsPerDay + std::int64_t{hour} * 3600 +
                         std::int64_t{minute} * 60 + second;
    return static_cast<double>(whole) + millisecond / 1000.0;
}

std::string FormatTime(double epoch, int code) {
    switch (code) {
        case 0:
        case 1:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 10:
        case 11:
        case 15:
            break;
        case 2:
            return FormatDuration(epoch);
        default:
            return kBadInput;
    }
    auto t = EpochToYdhms(epoch, 3);
    if (!t) return kBadInput;
    if (t->year < 1970) {
        switch (code) {
            case 0:
                return std::string(19, ' ');
            case 1:
                return std::string(25, ' ');
            case 3:
                return std::string(14, ' ');
            case 4:
                return std::string(7, ' ');
            case 5:
                return std::string(12, ' ');
            default:
                break;
        }
    }
    const int yy = t->year - 1900;
    switch (code) {
        case 0:
            return Print("%2.2d:%3.3d-%2.2d:%2.2d:%2.2d.%3.3d", yy, t->dayOfYear, t->hour, t->minute,
                         t->wholeSecond(), t->fraction);
        case 1:
            return Print("%s %2.2d, %4.4d %2.2d:%2.2d:%2.2d.%3.3d", kMonthNames[t->month - 1], t->day,
                         t->year, t->hour, t->minute, t->wholeSecond(), t->fraction);
        case 3:
            return Print("%2.2d%3.3d%2.2d%2.2d%2.2d%3.3d", yy, t->dayOfYear, t->hour, t->minute, t->wholeSecond(),
                         t->fraction);
        case 4:
            return Print("%4.4d%3.3d", t->year, t->dayOfYear);
        case 5:
            return Print("%s %2.2d/%2.2d/%2.2d", kWeekdayNames[t->weekday], t->month, t->day, yy);
        case 6:
            return Print("%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d", t->year, t->month, t->day, t->hour, t->minute,
                         t->wholeSecond());
        case 7:
            return Print("%4.4d %2.2d %2.2d %2.2d %2.2d %2.2d", t->year, t->month, t->day, t->hour, t->minute,
                         t->wholeSecond());
        case 10:
            return Print("%4.4d:%3.3d-%2.2d:%2.2d:%2.2d.%3.3d", t->year, t->dayOfYear, t->hour, t->minute,
                         t->wholeSecond(), t->fraction);
        case 11:
            return Print("%04d:%03d-%02d:%02d:%02d", t->year, t->dayOfYear, t->hour, t->minute, t->wholeSecond());
        case 15:
            return Print("%02d:%02d:%02d", t->hour, t->minute, t->wholeSecond());
        default:
            return kBadInput;
    }
}

std::string FormatUiTime(double epoch, UiTimeForm form) {
    // The truncating forms show the second the time lies in; the others round and carry.
    const bool truncate =
        form == UiTimeForm::DateTime || form == UiTimeForm::Date || form == UiTimeForm::Clock;
    const int digits = (form == UiTimeForm::DateTimeMs || form == UiTimeForm::ClockMs) ? 3 : 0;
    if (!InRange(epoch)) return {};
    auto t = EpochToYdhms(truncate ? std::floor(epoch) : epoch, digits);
    if (!t) return {};
    switch (form) {
        case UiTimeForm::DateTime:
        case UiTimeForm::DateTimeRounded:
            return Print("%02d/%02d/%04d %02d:%02d:%02d", t->day, t->month, t->year, t->hour, t->minute,
                         t->wholeSecond());
        case UiTimeForm::DateTimeMs:
            return Print("%02d/%02d/%04d %02d:%02d:%02d.%03d", t->day, t->month, t->year, t->hour, t->minute,
                         t->wholeSecond(), t->fraction);
        case UiTimeForm::Date:
            return Print("%02d/%02d/%04d", t->day, t->month, t->year);
        case UiTimeForm::Clock:
            return Print("%02d:%02d:%02d", t->hour, t->minute, t->wholeSecond());
        case UiTimeForm::ClockMs:
            return Print("%02d:%02d:%02d.%03d", t->hour, t->minute, t->wholeSecond(), t->fraction);
    }
    return {};
}

namespace {

// A cursor over the entry text; each reader consumes what it accepts.
struct Reader {
    const std::string& s;
    std::size_t pos = 0;

    void SkipSpaces() {
        while (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
    }
    bool Char(char c) {
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    // 1..maxDigits decimal digits.
    bool Number(int maxDigits, int& value, int minDigits = 1) {
        int n = 0;
        value = 0;
        while (pos < s.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(s[pos]))) {
            value = value * 10 + (s[pos] - '0');
            ++pos;
            ++n;
        }
        return n >= minDigits && !(pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])));
    }
    bool AtEnd() const { return pos == s.size(); }
};

}  // namespace

std::optional<double> ParseUiDateTime(const std::string& text) {
    Reader r{text};
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    double fraction = 0.0;
    r.SkipSpaces();
    if (!r.Number(2, day) || !r.Char('/') || !r.Number(2, month) || !r.Char('/') || !r.Number(4, year, 4))
        return std::nullopt;
    if (year < 1 || !IsValidDate(year, month, day)) return std::nullopt;
    r.SkipSpaces();
    if (!r.AtEnd()) {
        if (!r.Number(2, hour) || !r.Char(':') || !r.Number(2, minute)) return std::nullopt;
        if (r.Char(':')) {
            if (!r.Number(2, second)) return std::nullopt;
            if (r.Char('.')) {
                double scale = 0.1;
                std::size_t start = r.pos;
                while (r.pos < text.size() && std::isdigit(static_cast<unsigned char>(text[r.pos]))) {
                    fraction += (text[r.pos] - '0') * scale;
                    scale /= 10.0;
                    ++r.pos;
                }
                if (r.pos == start) return std::nullopt;
            }
        }
        r.SkipSpaces();
        if (!r.AtEnd() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    }
    return CalendarToEpoch(year, month, day, hour, minute, second + fraction);
}

std::optional<double> ParseTypedDateTime(const std::string& text) {
    Reader r{text};
    r.SkipSpaces();
    int a = 0, b = 0, c = 0;
    const std::size_t first = r.pos;
    if (!r.Number(4, a)) return std::nullopt;
    const bool yearFirst = r.pos - first == 4;
    const char separator = r.pos < text.size() ? text[r.pos] : '\0';
    if (separator != '/' && separator != '.' && separator != '-') return std::nullopt;
    ++r.pos;
    if (!r.Number(2, b) || !r.Char(separator) || !r.Number(4, c, yearFirst ? 1 : 4)) return std::nullopt;
    const int year = yearFirst ? a : c, month = b, day = yearFirst ? c : a;
    if (year < 1 || !IsValidDate(year, month, day)) return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    double fraction = 0.0;
    if (r.Char('T') || r.Char(' ')) {
        r.SkipSpaces();
        if (!r.AtEnd()) {
            if (!r.Number(2, hour) || !r.Char(':') || !r.Number(2, minute)) return std::nullopt;
            if (r.Char(':')) {
                if (!r.Number(2, second)) return std::nullopt;
                if (r.Char('.') || r.Char(',')) {
                    double scale = 0.1;
                    const std::size_t start = r.pos;
                    for (; r.pos < text.size() && std::isdigit(static_cast<unsigned char>(text[r.pos])); ++r.pos) {
                        fraction += (text[r.pos] - '0') * scale;
                        scale /= 10.0;
                    }
                    if (r.pos == start) return std::nullopt;
                }
            }
        }
    }
    r.Char('Z');
    r.SkipSpaces();
    if (!r.AtEnd() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return CalendarToEpoch(year, month, day, hour, minute, second + fraction);
}

std::string NowTimestampLiteral() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    std::strftime(text, sizeof text, "{ts '%Y-%m-%d %H:%M:%S'}", &local);
    return text;
}

}  // namespace zel
