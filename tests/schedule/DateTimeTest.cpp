// Day counts: encoding, decoding, weekdays, arithmetic, the millisecond rule and the schedule
// file's text form.
#include <gtest/gtest.h>

#include "shared/DateTime.h"

namespace sm {
namespace {

TEST(DateTime, DayCountsOfKnownDates) {
  struct Row { int y, m, d; double serial; } rows[] = {
      {1899, 12, 30, 0}, {1899, 12, 31, 1}, {1900, 1, 1, 2}, {1899, 12, 29, -1},
      {2000, 2, 29, 36585}, {2025, 3, 10, 45726}, {9999, 12, 31, 2958465}, {1, 1, 1, -693593},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(EncodeDate(r.y, r.m, r.d), r.serial) << r.y << "-" << r.m << "-" << r.d;
    EXPECT_EQ(DecodeDate(r.serial), (DateParts{r.y, r.m, r.d})) << r.serial;
  }
  EXPECT_FALSE(TryEncodeDate(2001, 2, 29));
  EXPECT_FALSE(TryEncodeDate(2025, 13, 1));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1));
  EXPECT_FALSE(TryEncodeDate(0, 12, 31));
  EXPECT_THROW(EncodeDate(2025, 4, 31), std::out_of_range);
  EXPECT_THROW(EncodeTime(24, 0, 0), std::out_of_range);
}

TEST(DateTime, TimeOfDayRoundsToTheMillisecond) {
  const double dt = EncodeDate(2025, 3, 10) + EncodeTime(7, 5, 9, 123);
  EXPECT_EQ(DecodeTime(dt), (TimeParts{7, 5, 9, 123}));
  // Just below midnight rounds into the next day rather than to 24:00.
  const double late = EncodeDate(2025, 3, 10) + 1.0 - 0.1 * OneMillisecond;
  EXPECT_EQ(DecodeTime(late), (TimeParts{0, 0, 0, 0}));
  EXPECT_EQ(DecodeDate(late), (DateParts{2025, 3, 11}));
  // Before 1899-12-30 the fraction counts forward from the day's midnight.
  EXPECT_EQ(DecodeTime(-1.25), (TimeParts{6, 0, 0, 0}));
  EXPECT_EQ(DecodeDate(-1.25), (DateParts{1899, 12, 29}));
  EXPECT_EQ(Combine(-1, 0.25), -1.25);
}

TEST(DateTime, IsoWeekdays) {
  struct Row { int y, m, d, iso; } rows[] = {
      {2025, 3, 10, 1}, {2005, 1, 26, 3}, {2025, 3, 16, 7}, {1899, 12, 30, 6}, {1899, 12, 24, 7},
  };
  for (const Row& r : rows)
    EXPECT_EQ(IsoWeekday(Combine(EncodeDate(r.y, r.m, r.d), 0.75)), r.iso) << r.y << "-" << r.m << "-" << r.d;
}

TEST(DateTime, AddingMinutesAndDaysCrossesMonthsAndYears) {
  const double dt = EncodeDate(2024, 12, 31) + EncodeTime(23, 50, 0);
  EXPECT_TRUE(SameDateTime(IncMinute(dt, 15), EncodeDate(2025, 1, 1) + EncodeTime(0, 5, 0)));
  EXPECT_TRUE(SameDateTime(IncMinute(dt, -24 * 60), EncodeDate(2024, 12, 30) + EncodeTime(23, 50, 0)));
  EXPECT_TRUE(SameDateTime(IncDay(dt, 60), EncodeDate(2025, 3, 1) + EncodeTime(23, 50, 0)));
  EXPECT_TRUE(SameDateTime(IncDay(0.5, -1), -1.5));
}

TEST(DateTime, EqualWithinOneMillisecond) {
  const double dt = EncodeDate(2025, 3, 10) + EncodeTime(7, 5, 0);
  EXPECT_TRUE(SameDateTime(dt, dt + 0.5 * OneMillisecond));
  EXPECT_TRUE(SameDateTime(dt, dt - 0.9 * OneMillisecond));
  EXPECT_FALSE(SameDateTime(dt, dt + 1.5 * OneMillisecond));
}

TEST(DateTime, FromTheClock) {
  platform::LocalTime t{2005, 1, 26, 14, 23, 47, 250, 3};
  EXPECT_EQ(DecodeDate(FromLocalTime(t)), (DateParts{2005, 1, 26}));
  EXPECT_EQ(DecodeTime(FromLocalTime(t)), (TimeParts{14, 23, 47, 250}));
}

TEST(DateTime, ScheduleFileForm) {
  EXPECT_EQ(FormatScheduleDateTime(EncodeDate(2025, 3, 10) + EncodeTime(7, 5, 0, 999)),
            "2025/03/10 07:05:00");
  EXPECT_EQ(FormatScheduleDateTime(MaxDateTime), "10000/01/01 00:00:00");
  EXPECT_EQ(FormatScheduleDateTime(0), "1899/12/30 00:00:00");

  struct Row { const char* text; std::optional<double> expect; } rows[] = {
      {"2025/03/10 07:05:00", EncodeDate(2025, 3, 10) + EncodeTime(7, 5, 0)},
      {"2025/3/1 7:05", EncodeDate(2025, 3, 1) + EncodeTime(7, 5, 0)},
      {" 2025/03/10 ", EncodeDate(2025, 3, 10)},
      {"10000/01/01 00:00:00", MaxDateTime},
      {"", std::nullopt}, {"2025/02/30 00:00:00", std::nullopt}, {"2025/03/10 24:00:00", std::nullopt},
      {"2025-03-10 07:05:00", std::nullopt}, {"2025/03/10 07:05:00x", std::nullopt},
      {"2025/03/10 07", std::nullopt}, {"20250/03/10", std::nullopt}, {"10000/01/02", std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ParseScheduleDateTime(r.text), r.expect) << r.text;
}

}  // namespace
}  // namespace sm
