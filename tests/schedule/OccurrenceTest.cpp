// Next occurrence of weekly entries and the texts that tell when an entry is due.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "schedule/Occurrence.h"

namespace sm::schedule {
namespace {

constexpr TScheduleSet Mon = 1, Tue = 2, Wed = 4, Thu = 8, Fri = 16, Sat = 32, Sun = 64;

double At(int y, int m, int d, int h, int n, int s = 0, int ms = 0) {
  return EncodeDate(y, m, d) + EncodeTime(h, n, s, ms);
}

TEST(NextOccurrence, FromAWednesdayAtTen) {
  platform::MemoryClock clock;  // Wednesday 2005-01-26 10:00
  const double now = Now(clock);
  EXPECT_TRUE(SameDateTime(now, At(2005, 1, 26, 10, 0)));
  struct Row { TScheduleSet sw; double dt; double expect; const char* what; } rows[] = {
      {Wed, At(2001, 5, 5, 9, 0), At(2005, 2, 2, 9, 0), "same weekday, time passed: next week"},
      {Wed, At(2001, 5, 5, 11, 0), At(2005, 1, 26, 11, 0), "same weekday, time ahead: today"},
      {Wed, At(2001, 5, 5, 10, 0), At(2005, 2, 2, 10, 0), "exactly now: next week"},
      {Wed, At(2001, 5, 5, 10, 0, 0, 1), At(2005, 1, 26, 10, 0, 0, 1), "one millisecond ahead"},
      {0x7F, At(2030, 1, 1, 9, 30), At(2005, 1, 27, 9, 30), "every day, passed today: tomorrow"},
      {Sun, At(2005, 1, 26, 8, 0), At(2005, 1, 30, 8, 0), "Sunday only"},
      {Mon | Fri, At(2005, 1, 26, 23, 59), At(2005, 1, 28, 23, 59), "next Friday"},
      {0, At(2001, 5, 5, 9, 0), At(2001, 5, 5, 9, 0), "no weekday: unchanged"},
      {0x80, At(2001, 5, 5, 9, 0), At(2001, 5, 5, 9, 0), "flag bits only: unchanged"},
  };
  for (const Row& r : rows)
    EXPECT_TRUE(SameDateTime(GetNearestDateTime(r.sw, r.dt, now), r.expect))
        << r.what << ": " << FormatScheduleDateTime(GetNearestDateTime(r.sw, r.dt, now));
  platform::MemoryClock monday;
  monday.Set(2005, 1, 24, 12, 0);
  EXPECT_TRUE(SameDateTime(GetNearestDateTime(Sun, At(2000, 1, 1, 8, 0), Now(monday)),
                           At(2005, 1, 30, 8, 0)));
}

TEST(NextOccurrence, MovingAnEntry) {
  platform::MemoryPlatform mp;
  TScheduleUnit unit(mp);
  const double now = Now(mp.clock);
  TSchedule ahead(unit, scBoot, 0, 0, Wed, At(2005, 2, 16, 9, 0), MaxDateTime, "", "", "", true, true, nullptr);
  ahead.SetDone(true);
  EXPECT_TRUE(ahead.SetNearestDateTime(now));  // three weeks ahead moves back
  EXPECT_TRUE(SameDateTime(ahead.DateTime(), At(2005, 2, 2, 9, 0)));
  EXPECT_FALSE(ahead.Done());
  ahead.SetDone(true);
  EXPECT_FALSE(ahead.SetNearestDateTime(now));  // already there
  EXPECT_TRUE(ahead.Done());
  TSchedule once(unit, scBoot, 0, 0, 0, At(2004, 1, 1, 9, 0), 0, "", "", "", true, true, nullptr);
  EXPECT_FALSE(once.SetNearestDateTime(now));
  EXPECT_EQ(once.DateTime(), At(2004, 1, 1, 9, 0));
}

TEST(ScheduleTexts, Weekdays) {
  struct Row { TScheduleSet set; const char* expect; } rows[] = {
      {Mon | Tue | Wed | Thu | Fri, "月～金"}, {0x7F, "毎日"}, {Mon | Wed | Fri, "月水金"},
      {Sat | Sun, "土日"}, {Mon | Tue, "月火"}, {0x7F & ~Mon, "火～日"},
      {0x7F & ~Tue, "月水～日"}, {Sun | Mon, "月日"}, {0, ""}, {Thu, "木"},
      {Mon | Tue | Wed | Fri | Sat | Sun, "月～水金～日"}, {0xFF80, ""},
  };
  for (const Row& r : rows) EXPECT_EQ(GetWeekStr(r.set), r.expect) << r.set;
  // The bytes the host program and the list expect: 月 0x8C8E, ～ 0x8160, 水 0x9085, 毎日.
  EXPECT_EQ(GetWeekStr(Mon | Tue | Wed), "\x8C\x8E\x81\x60\x90\x85");
  EXPECT_EQ(GetWeekStr(0x7F), "\x96\x88\x93\xFA");
}

TEST(ScheduleTexts, DateAndTime) {
  const platform::LocaleInfo ja = platform::JapaneseLocale();
  struct Row { double dt; bool date, h24; const char* expect; } rows[] = {
      {At(2025, 3, 10, 7, 5), true, true, "25/03/10(月) 07:05"},
      {At(2025, 3, 10, 7, 5), true, false, "25/03/10(月) am 7:05"},
      {At(2025, 3, 9, 12, 30), false, false, "pm 0:30"},
      {At(2025, 3, 9, 0, 15), false, false, "am 0:15"},
      {At(2025, 3, 9, 23, 59, 59), false, false, "pm 11:59"},
      {At(2025, 3, 9, 0, 15), false, true, "00:15"},
      {At(2005, 1, 30, 23, 59), true, true, "05/01/30(日) 23:59"},
  };
  for (const Row& r : rows) EXPECT_EQ(GetDateTimeStr(r.dt, r.date, r.h24, ja), r.expect);
  platform::LocaleInfo en = ja;
  en.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  en.dateSeparator = '-';
  EXPECT_EQ(GetDateTimeStr(At(2025, 3, 10, 7, 5), true, true, en), "25/03/10(Mon) 07:05");
}

TEST(ScheduleTexts, EntryDateColumn) {
  platform::MemoryPlatform mp;
  TScheduleUnit unit(mp);
  const platform::LocaleInfo& ja = mp.locale.Info();
  TSchedule weekly(unit, scAppli, 0, 0, 0x1F, At(2005, 1, 26, 19, 30), MaxDateTime, "", "", "", true, true, nullptr);
  EXPECT_EQ(weekly.GetDateStr(true, ja), "月～金 19:30");
  EXPECT_EQ(weekly.GetDateStr(false, ja), "月～金 pm 7:30");
  TSchedule once(unit, scAppli, 0, 0, 0, At(2005, 1, 26, 19, 30), 0, "", "", "", true, true, nullptr);
  EXPECT_EQ(once.GetDateStr(true, ja), "05/01/26(水) 19:30");
}

}  // namespace
}  // namespace sm::schedule
