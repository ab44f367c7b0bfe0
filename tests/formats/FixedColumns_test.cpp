// Fixed-column fields: numbers saturate instead of spilling, text is cut and placed by column.

#include "base/TimeConversions.h"
#include "formats/FixedColumns.h"

#include <gtest/gtest.h>

#include <cmath>


namespace zel {
namespace {

TEST(FixedColumns, NumbersSaturateToTheirWidth) {
    EXPECT_EQ(FitFixed(12.345, 6, 2), " 12.35");
    EXPECT_EQ(FitFixed(123456.0, 6, 1), "9999.9");
    EXPECT_EQ(FitFixed(-123456.0, 6, 1), "-999.9");
    EXPECT_EQ(FitFixed(1e9, 4, 0), "9999");
    EXPECT_EQ(FitFixed(NAN, 5, 1), "  0.0");
    EXPECT_EQ(FitInteger(42, 4), "  42");
    EXPECT_EQ(FitInteger(123456789, 8), "99999999");
    EXPECT_EQ(FitInteger(-123456789, 8), "-9999999");
}

TEST(FixedColumns, FieldsPlacedAndReadByColumn) {
    std::string line = "ab";
    PutField(line, 5, 8, "xy", true);
    EXPECT_EQ(line, "ab    xy");
    PutField(line, 3, 4, "LONGER");
    EXPECT_EQ(line, "abLO  xy");
    EXPECT_EQ(ColumnText(line, 5, 8), "xy");
    EXPECT_EQ(ColumnText(line, 20, 30), "");
    PutField(line, 10, 15, " -1.5 ");
    EXPECT_DOUBLE_EQ(*ColumnNumber(line, 10, 15), -1.5);
    EXPECT_FALSE(ColumnNumber(line, 1, 4));   // "abLO" is not a number
    EXPECT_FALSE(ColumnNumber(line, 9, 9));   // blank
    EXPECT_FALSE(ColumnNumber("1.0f", 1, 4));  // trailing letters are not part of a number
}

TEST(RoundedTime, RoundsBeforeSplitting) {
    // 2024-09-01 23:59:59.996 with two decimals is the next day's midnight.
    const CalendarTime t = RoundedCalendar(1725235199.996, 2);
    EXPECT_EQ(t.day, 2);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.wholeSecond(), 0);
    EXPECT_EQ(t.fraction, 0);
    const CalendarTime u = RoundedCalendar(1725235199.994, 2);
    EXPECT_EQ(u.wholeSecond(), 59);
    EXPECT_EQ(u.fraction, 99);
}

}  // namespace
}  // namespace zel
