#include "base/TimeConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "base/ZelError.h"

namespace zel {
namespace {

std::vector<int> Fields(const CalendarTime& c) {
    return {c.year,   c.month, c.day, c.dayOfYear, c.hour, c.minute, static_cast<int>(std::floor(c.second)),
            c.weekday};
}
std::vector<int> YdhmsFields(const CalendarTime& y) {
    return {y.year, y.dayOfYear, y.hour, y.minute, y.wholeSecond(), y.fraction};
}

// Every conversion against the table that Python's datetime produced (tests/data/time/README.md).
TEST(TimeConversions, AgreesWithPythonDatetimeFrom1800To2200) {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/time/time_table.tsv");
    std::string line;
    std::getline(in, line);  // column names
    int rows = 0;
    while (std::getline(in, line)) {
        SCOPED_TRACE(line);
        std::vector<std::string> f;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
        ASSERT_EQ(f.size(), 19u);
        const double epoch = std::stod(f[0]);
        std::vector<int> n;
        for (int i = 1; i <= 14; ++i) n.push_back(std::stoi(f[i]));
        const std::vector<int> calendar(n.begin(), n.begin() + 8);  // y m d doy h m s weekday
        const std::vector<int> rounded(n.begin() + 8, n.end());     // y doy h m s ms
        const int year = n[0], month = n[1], day = n[2], doy = n[3];
        ++rows;

        auto c = EpochToCalendar(epoch);
        ASSERT_TRUE(c.has_value());
        EXPECT_EQ(Fields(*c), calendar);
        EXPECT_NEAR(CalendarToEpoch(year, month, day, n[4], n[5], c->second), epoch, 1e-6);
        EXPECT_EQ(JDate(year, month, day), year * 1000 + doy);
        EXPECT_EQ(MonthDayToDayOfYear(year, month, day), doy);
        const std::optional<MonthDay> md = DayOfYearToMonthDay(year, doy);
        ASSERT_TRUE(md.has_value());
        EXPECT_EQ(md->month * 100 + md->day, month * 100 + day);

        auto y = EpochToYdhms(epoch);
        ASSERT_TRUE(y.has_value());
        EXPECT_EQ(YdhmsFields(*y), rounded);
        EXPECT_NEAR(YdhmsToEpoch(y->year, y->dayOfYear, y->hour, y->minute, y->wholeSecond(), y->fraction), epoch,
                    0.0005);

        EXPECT_EQ(FormatTime(epoch, 10), f[15]);
        EXPECT_EQ(FormatTime(epoch, 1), f[16]);
        EXPECT_EQ(FormatTime(epoch, 5), f[17]);
        EXPECT_EQ(FormatUiTime(epoch, UiTimeForm::DateTimeMs), f[18]);
    }
    EXPECT_GT(rows, 1200);
}

// Day by day over 1800..2200: the calendar only ever steps forward by one day, and converting
// back gives the same epoch.
TEST(TimeConversions, EveryDayFrom1800To2200RoundTrips) {
    const double first = CalendarToEpoch(1800, 1, 1, 0, 0, 0.0);
    const double last = CalendarToEpoch(2200, 12, 31, 0, 0, 0.0);
    auto previous = EpochToCalendar(first - 86400 + 43200.25);
    ASSERT_EQ(previous->year, 1799);
    int days = 0;
    for (double day = first; day <= last; day += 86400, ++days) {
        const double t = day + 43200.25;
        auto c = EpochToCalendar(t);
        ASSERT_TRUE(c.has_value()) << t;
        if (c->year != previous->year) {
            ASSERT_EQ(c->year, previous->year + 1) << t;
            ASSERT_EQ(previous->dayOfYear, DaysInYear(previous->year)) << t;
            ASSERT_EQ(c->dayOfYear, 1) << t;
        } else {
            ASSERT_EQ(c->dayOfYear, previous->dayOfYear + 1) << t;
        }
        ASSERT_EQ(c->weekday, (previous->weekday + 1) % 7) << t;
        ASSERT_TRUE(IsValidDate(c->year, c->month, c->day)) << t;
        ASSERT_EQ(CalendarToEpoch(c->year, c->month, c->day, c->hour, c->minute, c->second), t);
        ASSERT_EQ(YdhmsToEpoch(c->year, c->dayOfYear, 12, 0, 0, 250), t);
        previous = c;
    }
    // 401 years hold 97 leap days: 1800, 1900, 2100 and 2200 are not leap years, 2000 is.
    EXPECT_EQ(days, 401 * 365 + 97);
}

TEST(TimeConversions, KnownEpochs) {
    EXPECT_EQ(Fields(*EpochToCalendar(0.0)), (std::vector<int>{1970, 1, 1, 1, 0, 0, 0, 4}));
    EXPECT_EQ(Fields(*EpochToCalendar(951782400.0)), (std::vector<int>{2000, 2, 29, 60, 0, 0, 0, 2}));
    EXPECT_EQ(JDate(2000, 2, 29), 2000060);
    EXPECT_EQ(Fields(*EpochToCalendar(1293839999.5)), (std::vector<int>{2010, 12, 31, 365, 23, 59, 59, 5}));
    EXPECT_EQ(EpochToCalendar(1293839999.5)->second, 59.5);

    // Historical events before 1970 convert in both directions.
    EXPECT_EQ(CalendarToEpoch(1968, 1, 1, 0, 0, 0.0), -63158400.0);
    EXPECT_EQ(YdhmsToEpoch(1968, 1, 0, 0, 0, 0), -63158400.0);
    EXPECT_EQ(CalendarToEpoch(1969, 12, 31, 23, 59, 58.5), -1.5);
    EXPECT_EQ(CalendarToEpoch(1, 1, 1, 0, 0, 0.0), kFirstEpoch);
    EXPECT_EQ(CalendarToEpoch(10000, 1, 1, 0, 0, 0.0), kEndEpoch);

    // Fields beyond their range carry.
    EXPECT_EQ(CalendarToEpoch(2013, 1, 32, 0, 0, 0.0), CalendarToEpoch(2013, 2, 1, 0, 0, 0.0));
    EXPECT_EQ(CalendarToEpoch(2013, 6, 14, 24, 0, 0.0), CalendarToEpoch(2013, 6, 15, 0, 0, 0.0));

    EXPECT_EQ(DayOfYearToMonthDay(2000, 366)->day, 31);
    EXPECT_FALSE(DayOfYearToMonthDay(2001, 366).has_value());
    EXPECT_FALSE(DayOfYearToMonthDay(2001, 0).has_value());
    EXPECT_FALSE(DayOfYearToMonthDay(2001, -3).has_value());
    EXPECT_FALSE(DayOfYearToMonthDay(1900, 366).has_value());

    // Hundredths and whole seconds round half up and carry just like milliseconds.
    EXPECT_EQ(YdhmsFields(*EpochToYdhms(CalendarToEpoch(2013, 12, 31, 23, 59, 59.996), 2)),
              (std::vector<int>{2014, 1, 0, 0, 0, 0}));
    EXPECT_EQ(YdhmsFields(*EpochToYdhms(1371212423.5, 0)), (std::vector<int>{2013, 165, 12, 20, 24, 0}));
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
    const std::pair<int, int> blanks[] = {{0, 19}, {1, 25}, {3, 14}, {4, 7}, {5, 12}};
    for (auto [code, width] : blanks) EXPECT_EQ(FormatTime(y1968, code), std::string(width, ' ')) << code;
    EXPECT_EQ(FormatTime(y1968, 6), "19680101010101");
    EXPECT_EQ(FormatTime(y1968, 7), "1968 01 01 01 01 01");
    EXPECT_EQ(FormatTime(y1968, 10), "1968:001-01:01:01.250");
    EXPECT_EQ(FormatTime(y1968, 11), "1968:001-01:01:01");
    EXPECT_EQ(FormatTime(y1968, 15), "01:01:01");
    EXPECT_EQ(FormatTime(-0.0004, 4), "1970001");  // rounds into 1970 and is shown
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
    EXPECT_FALSE(EpochToYdhms(kEndEpoch - 0.0001).has_value());  // would round into year 10000

    EXPECT_THROW(CalendarToEpoch(2013, 13, 1, 0, 0, 0.0), ZelError);
    EXPECT_THROW(CalendarToEpoch(2013, 0, 1, 0, 0, 0.0), ZelError);
    EXPECT_THROW(JDate(2013, -1, 1), ZelError);
    EXPECT_THROW(MonthDayToDayOfYear(2013, 99, 1), ZelError);
    EXPECT_THROW(EpochToYdhms(0.0, 7), std::invalid_argument);
}

TEST(TimeConversions, ParsesDateEntries) {
    EXPECT_EQ(ParseUiDateTime("14/06/2013 12:20:23.5"), 1371212423.5);
    EXPECT_EQ(ParseUiDateTime(" 1/1/1968 "), -63158400.0);
    EXPECT_EQ(ParseUiDateTime("29/02/2000 00:00:00.00"), 951782400.0);
    EXPECT_EQ(ParseUiDateTime("14/06/2013 12:20"), 1371212400.0);
    for (const char* bad : {"", "garbage", "29/02/1900", "31/04/2013", "14/06/13", "14-06-2013", "0/06/2013",
                            "14/06/2013 24:00", "14/06/2013 12:60", "14/06/2013 12:20:60", "14/06/2013 12",
                            "14/06/2013 12:20:23.", "14/06/2013 12:20 x", "14/006/2013", "14/06/20130"}) {
        EXPECT_FALSE(ParseUiDateTime(bad).has_value()) << bad;
    }
    // What an analyst pastes from a bulletin, a log or another program's field.
    for (const char* same : {"2013-06-14T12:20:23.5Z", "2013-06-14 12:20:23.5", "14.06.2013 12:20:23.5",
                             "14/06/2013 12:20:23,5", "2013/06/14 12:20:23.500", " 14-06-2013 12:20:23.5 "})
        EXPECT_EQ(ParseTypedDateTime(same), 1371212423.5) << same;
    EXPECT_EQ(ParseTypedDateTime("2013-06-14"), 1371168000.0);
    EXPECT_EQ(ParseTypedDateTime("2013-06-14T12:20"), 1371212400.0);
    for (const char* bad : {"", "2013-06-31", "2013-06/14", "14.06.13 12:00", "2013-06-14T25:00", "2013-06-14X",
                            "20130614", "2013-06-14 12:20:23.", "12:20:23"})
        EXPECT_FALSE(ParseTypedDateTime(bad).has_value()) << bad;
}

}  // namespace
}  // namespace zel
