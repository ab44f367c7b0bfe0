#include "data/TimeConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "app/ZelError.h"

namespace zel {
namespace {

struct Row {
    std::string epochText;
    double epoch = 0;
    int year, month, day, doy, hour, minute, second, weekday;
    int ryear, rdoy, rhour, rminute, rsecond, rms;
    std::string code10, code1, code5, uims;
};

std::vector<Row> LoadTable() {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/time/time_table.tsv");
    std::vector<Row> rows;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, '\t')) f.push_back(cell);
        if (f.size() != 19) {
            ADD_FAILURE() << "bad row: " << line;
            continue;
        }
        Row r;
        r.epochText = f[0];
        r.epoch = std::stod(f[0]);
        int* ints[] = {&r.year,    &r.month, &r.day,  &r.doy,   &r.hour,    &r.minute,  &r.second,
                       &r.weekday, &r.ryear, &r.rdoy, &r.rhour, &r.rminute, &r.rsecond, &r.rms};
        for (int i = 0; i < 14; ++i) *ints[i] = std::stoi(f[1 + i]);
        r.code10 = f[15];
        r.code1 = f[16];
        r.code5 = f[17];
        r.uims = f[18];
        rows.push_back(r);
    }
    return rows;
}

// Every conversion against the table that Python's datetime produced (tests/data/time/).
TEST(TimeConversions, AgreesWithPythonDatetimeFrom1800To2200) {
    const std::vector<Row> rows = LoadTable();
    ASSERT_GT(rows.size(), 1200u);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.epochText);
        auto c = EpochToCalendar(r.epoch);
        ASSERT_TRUE(c.has_value());
        EXPECT_EQ(c->year, r.year);
        EXPECT_EQ(c->month, r.month);
        EXPECT_EQ(c->day, r.day);
        EXPECT_EQ(c->dayOfYear, r.doy);
        EXPECT_EQ(c->hour, r.hour);
        EXPECT_EQ(c->minute, r.minute);
        EXPECT_EQ(static_cast<int>(std::floor(c->second)), r.second);
        EXPECT_EQ(c->weekday, r.weekday);

        // Back again, fraction included.
        EXPECT_NEAR(CalendarToEpoch(r.year, r.month, r.day, r.hour, r.minute, c->second), r.epoch, 1e-6);
        EXPECT_EQ(JDate(r.year, r.month, r.day), r.year * 1000 + r.doy);
        EXPECT_EQ(MonthDayToDayOfYear(r.year, r.month, r.day), r.doy);
        for (auto md : {DayOfYearToMonthDay(r.year, r.doy), DayOfYearToMonthDayTable(r.year, r.doy)}) {
            ASSERT_TRUE(md.has_value());
            EXPECT_EQ(md->month, r.month);
            EXPECT_EQ(md->day, r.day);
        }

        auto y = EpochToYdhms(r.epoch);
        ASSERT_TRUE(y.has_value());
        EXPECT_EQ(y->year, r.ryear);
        EXPECT_EQ(y->dayOfYear, r.rdoy);
        EXPECT_EQ(y->hour, r.rhour);
        EXPECT_EQ(y->minute, r.rminute);
        EXPECT_EQ(y->second, r.rsecond);
        EXPECT_EQ(y->fraction, r.rms);
        EXPECT_NEAR(YdhmsToEpoch(r.ryear, r.rdoy, r.rhour, r.rminute, r.rsecond, r.rms), r.epoch, 0.0005);

        EXPECT_EQ(FormatTime(r.epoch, 10), r.code10);
        EXPECT_EQ(FormatTime(r.epoch, 1), r.code1);
        EXPECT_EQ(FormatTime(r.epoch, 5), r.code5);
        EXPECT_EQ(FormatUiTime(r.epoch, UiTimeForm::DateTimeMs), r.uims);
    }
}

// Day by day over 1800..2200: the calendar only ever steps forward by one day, and converting
// back gives the same epoch.
TEST(TimeConversions, EveryDayFrom1800To2200RoundTrips) {
    const double first = CalendarToEpoch(1800, 1, 1, 0, 0, 0.0);
    const double last = CalendarToEpoch(2200, 12, 31, 0, 0, 0.0);
    auto previous = EpochToCalendar(first - 86400 + 43200.25);
    ASSERT_TRUE(previous.has_value());
    EXPECT_EQ(previous->year, 1799);
    int days = 0;
    for (double day = first; day <= last; day += 86400, ++days) {
        const double t = day + 43200.25;
        auto c = EpochToCalendar(t);
        ASSERT_TRUE(c.has_value()) << t;
        const bool newYear = c->year != previous->year;
        if (newYear) {
            ASSERT_EQ(c->year, previous->year + 1) << t;
            ASSERT_EQ(previous->dayOfYear, DaysInYear(previous->year)) << t;
            ASSERT_EQ(c->dayOfYear, 1) << t;
        } else {
            ASSERT_EQ(c->dayOfYear, previous->dayOfYear + 1) << t;
        }
        ASSERT_EQ(c->weekday, (previous->weekday + 1) % 7) << t;
        ASSERT_TRUE(IsValidDate(c->year, c->month, c->day)) << t;
        ASSERT_EQ(c->hour, 12);
        ASSERT_DOUBLE_EQ(c->second, 0.25);
        ASSERT_EQ(CalendarToEpoch(c->year, c->month, c->day, c->hour, c->minute, c->second), t);
        ASSERT_EQ(YdhmsToEpoch(c->year, c->dayOfYear, 12, 0, 0, 250), t);
        previous = c;
    }
    // 401 years hold 97 leap days: 1800, 1900, 2100 and 2200 are not leap years, 2000 is.
    EXPECT_EQ(days, 401 * 365 + 97);
}

TEST(TimeConversions, KnownEpochs) {
    auto c = EpochToCalendar(0.0);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->year, 1970);
    EXPECT_EQ(c->month, 1);
    EXPECT_EQ(c->day, 1);
    EXPECT_EQ(c->hour, 0);
    EXPECT_EQ(c->second, 0.0);

    c = EpochToCalendar(951782400.0);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->month, 2);
    EXPECT_EQ(c->day, 29);
    EXPECT_EQ(c->dayOfYear, 60);
    EXPECT_EQ(JDate(2000, 2, 29), 2000060);

    c = EpochToCalendar(1293839999.5);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->year, 2010);
    EXPECT_EQ(c->dayOfYear, 365);
    EXPECT_EQ(c->hour, 23);
    EXPECT_EQ(c->minute, 59);
    EXPECT_DOUBLE_EQ(c->second, 59.5);

    // Historical events before 1970 convert in both directions.
    EXPECT_EQ(CalendarToEpoch(1968, 1, 1, 0, 0, 0.0), -63158400.0);
    EXPECT_EQ(YdhmsToEpoch(1968, 1, 0, 0, 0, 0), -63158400.0);
    EXPECT_EQ(CalendarToEpoch(1969, 12, 31, 23, 59, 58.5), -1.5);
    EXPECT_EQ(YdhmsToEpoch(1900, 60, 0, 0, 0, 0), CalendarToEpoch(1900, 3, 1, 0, 0, 0.0));
    EXPECT_EQ(CalendarToEpoch(1, 1, 1, 0, 0, 0.0), kFirstEpoch);
    EXPECT_EQ(CalendarToEpoch(10000, 1, 1, 0, 0, 0.0), kEndEpoch);

    // Fields beyond their range carry.
    EXPECT_EQ(CalendarToEpoch(2013, 1, 32, 0, 0, 0.0), CalendarToEpoch(2013, 2, 1, 0, 0, 0.0));
    EXPECT_EQ(CalendarToEpoch(2013, 6, 14, 24, 0, 0.0), CalendarToEpoch(2013, 6, 15, 0, 0, 0.0));

    EXPECT_EQ(DayOfYearToMonthDay(2000, 366)->month, 12);
    EXPECT_EQ(DayOfYearToMonthDay(2000, 366)->day, 31);
    EXPECT_FALSE(DayOfYearToMonthDay(2001, 366).has_value());
    EXPECT_FALSE(DayOfYearToMonthDay(2001, 0).has_value());
    EXPECT_FALSE(DayOfYearToMonthDayTable(2001, -3).has_value());
    EXPECT_FALSE(DayOfYearToMonthDayTable(1900, 366).has_value());

    // Hundredths and whole seconds round half up and carry just like milliseconds.
    auto y = EpochToYdhms(CalendarToEpoch(2013, 12, 31, 23, 59, 59.996), 2);
    ASSERT_TRUE(y.has_value());
    EXPECT_EQ(y->year, 2014);
    EXPECT_EQ(y->dayOfYear, 1);
    EXPECT_EQ(y->second, 0);
    EXPECT_EQ(y->fraction, 0);
    y = EpochToYdhms(1371212423.5, 0);
    EXPECT_EQ(y->second, 24);
    EXPECT_EQ(y->fraction, 0);
}

// Hand-worked forms of 2013-06-14 12:20:23.5 UTC, a Friday, day 165.
TEST(TimeConversions, FormatTimeCodes) {
    const double t = 1371212423.5;
    EXPECT_EQ(FormatTime(t, 0), "113:165-12:20:23.500");
    EXPECT_EQ(FormatTime(t, 1), "Jun 14, 2013 12:20:23.500");
    EXPECT_EQ(FormatTime(t, 3), "113165122023500");
    EXPECT_EQ(FormatTime(t, 4), "2013165");
    EXPECT_EQ(FormatTime(t, 5), "Fri 06/14/113");
    EXPECT_EQ(FormatTime(t, 6), "20130614122023");
    EXPECT_EQ(FormatTime(t, 7), "2013 06 14 12 20 23");
    EXPECT_EQ(FormatTime(t, 10), "2013:165-12:20:23.500");
    EXPECT_EQ(FormatTime(t, 11), "2013:165-12:20:23");
    EXPECT_EQ(FormatTime(t, 15), "12:20:23");
    EXPECT_EQ(FormatTime(86399.9996, 10), "1970:002-00:00:00.000");
    EXPECT_EQ(FormatTime(86399.9996, 15), "00:00:00");
    EXPECT_EQ(FormatTime(1e9, 0), "101:252-01:46:40.000");

    // Code 2 is a duration of 365-day years, days, hours, minutes, seconds, milliseconds.
    EXPECT_EQ(FormatTime(31536000 + 2 * 86400 + 3 * 3600 + 4 * 60 + 5.5, 2), "01:002-03:04:05.500");
    EXPECT_EQ(FormatTime(59.9996, 2), "00:000-00:01:00.000");
    EXPECT_EQ(FormatTime(-5.5, 2), "-00:000-00:00:05.500");

    for (int code : {-1, 8, 9, 12, 13, 14, 16, 1000}) EXPECT_EQ(FormatTime(t, code), "Bad dttostr input!");

    // Before 1970 codes 0, 1, 3, 4 and 5 give blanks of their width; the others show the time.
    const double y1968 = -63158400.0 + 3661.25;  // 1968-01-01 01:01:01.250
    EXPECT_EQ(FormatTime(y1968, 0), std::string(19, ' '));
    EXPECT_EQ(FormatTime(y1968, 1), std::string(25, ' '));
    EXPECT_EQ(FormatTime(y1968, 3), std::string(14, ' '));
    EXPECT_EQ(FormatTime(y1968, 4), std::string(7, ' '));
    EXPECT_EQ(FormatTime(y1968, 5), std::string(12, ' '));
    EXPECT_EQ(FormatTime(y1968, 6), "19680101010101");
    EXPECT_EQ(FormatTime(y1968, 7), "1968 01 01 01 01 01");
    EXPECT_EQ(FormatTime(y1968, 10), "1968:001-01:01:01.250");
    EXPECT_EQ(FormatTime(y1968, 11), "1968:001-01:01:01");
    EXPECT_EQ(FormatTime(y1968, 15), "01:01:01");
    // 1969-12-31 23:59:59.9996 rounds into 1970 and is shown.
    EXPECT_EQ(FormatTime(-0.0004, 4), "1970001");
}

TEST(TimeConversions, UiFormsPadAndCarrySeconds) {
    const double t = CalendarToEpoch(2013, 6, 14, 12, 20, 5.5);
    EXPECT_EQ(FormatUiTime(t, UiTimeForm::DateTime), "14/06/2013 12:20:05");
    EXPECT_EQ(FormatUiTime(t, UiTimeForm::DateTimeMs), "14/06/2013 12:20:05.500");
    EXPECT_EQ(FormatUiTime(t, UiTimeForm::DateTimeRounded), "14/06/2013 12:20:06");
    EXPECT_EQ(FormatUiTime(t, UiTimeForm::Date), "14/06/2013");
    EXPECT_EQ(FormatUiTime(t, UiTimeForm::Clock), "12:20:05");
    EXPECT_EQ(FormatUiTime(t, UiTimeForm::ClockMs), "12:20:05.500");

    const double nearMidnight = CalendarToEpoch(2013, 12, 31, 23, 59, 59.9996);
    EXPECT_EQ(FormatUiTime(nearMidnight, UiTimeForm::DateTimeMs), "01/01/2014 00:00:00.000");
    EXPECT_EQ(FormatUiTime(nearMidnight, UiTimeForm::ClockMs), "00:00:00.000");
    EXPECT_EQ(FormatUiTime(nearMidnight - 0.4, UiTimeForm::DateTimeRounded), "01/01/2014 00:00:00");
    // The truncating forms stay in the second the time lies in.
    EXPECT_EQ(FormatUiTime(nearMidnight, UiTimeForm::DateTime), "31/12/2013 23:59:59");
    EXPECT_EQ(FormatUiTime(nearMidnight, UiTimeForm::Date), "31/12/2013");
    EXPECT_EQ(FormatUiTime(nearMidnight, UiTimeForm::Clock), "23:59:59");

    EXPECT_EQ(FormatUiTime(-1.5, UiTimeForm::DateTimeMs), "31/12/1969 23:59:58.500");
    EXPECT_EQ(FormatUiTime(-1.5, UiTimeForm::Clock), "23:59:58");
}

TEST(TimeConversions, BadInputIsRefusedNotCrashed) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, -inf, 1e300, -1e300, kEndEpoch, kFirstEpoch - 1}) {
        EXPECT_FALSE(EpochToCalendar(bad).has_value()) << bad;
        EXPECT_FALSE(EpochToYdhms(bad).has_value()) << bad;
        EXPECT_EQ(FormatTime(bad, 10), "Bad dttostr input!") << bad;
        EXPECT_EQ(FormatUiTime(bad, UiTimeForm::DateTimeMs), "") << bad;
    }
    EXPECT_EQ(FormatTime(nan, 2), "Bad dttostr input!");
    // The last millisecond of year 9999 would round into year 10000.
    EXPECT_FALSE(EpochToYdhms(kEndEpoch - 0.0001).has_value());
    EXPECT_TRUE(EpochToCalendar(kEndEpoch - 0.0001).has_value());

    EXPECT_THROW(CalendarToEpoch(2013, 13, 1, 0, 0, 0.0), ZelError);
    EXPECT_THROW(CalendarToEpoch(2013, 0, 1, 0, 0, 0.0), ZelError);
    EXPECT_THROW(JDate(2013, -1, 1), ZelError);
    EXPECT_THROW(MonthDayToDayOfYear(2013, 99, 1), ZelError);
    EXPECT_THROW(EpochToYdhms(0.0, 7), std::invalid_argument);
    EXPECT_EQ(DaysInMonth(2013, 13), 0);
}

TEST(TimeConversions, ParsesDateEntries) {
    EXPECT_EQ(ParseUiDateTime("14/06/2013 12:20:23.5"), 1371212423.5);
    EXPECT_EQ(ParseUiDateTime(" 1/1/1968 "), -63158400.0);
    EXPECT_EQ(ParseUiDateTime("29/02/2000"), 951782400.0);
    EXPECT_EQ(ParseUiDateTime("29/02/2000 00:00:00.00"), 951782400.0);
    EXPECT_EQ(ParseUiDateTime("14/06/2013 12:20"), 1371212400.0);
    for (const char* bad : {"", "garbage", "29/02/1900", "31/04/2013", "14/06/13", "14-06-2013", "0/06/2013",
                            "14/06/2013 24:00", "14/06/2013 12:60", "14/06/2013 12:20:60", "14/06/2013 12",
                            "14/06/2013 12:20:23.", "14/06/2013 12:20 x", "14/006/2013", "14/06/20130"}) {
        EXPECT_FALSE(ParseUiDateTime(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace zel
