#include "schedule/Occurrence.h"

#include <cstdio>

namespace sm::schedule {

const std::array<const char*, 7> WeekStr = {"月", "火", "水", "木", "金", "土", "日"};

TDateTime Now(platform::Clock& clock) { return FromLocalTime(clock.Now()); }

TDateTime GetNearestDateTime(TScheduleSet sw, TDateTime dt, TDateTime now) {
  TDateTime result = dt;
  if (sw == 0) return result;
  const TDateTime time = TimeOf(dt);
  TDateTime day = DateOf(now);
  for (int i = 0; i < 8; ++i, day = IncDay(day, 1)) {
    const int weekday = IsoWeekday(day) - 1;
    if (sw & (1u << weekday)) {
      result = Combine(day, time);
      if (now < result && !SameDateTime(now, result)) return result;
    }
  }
  return result;
}

bool TSchedule::SetNearestDateTime(TDateTime now) {
  if (fWeekSet == 0) return false;
  const TDateTime next = GetNearestDateTime(fWeekSet, fDateTime, now);
  if (SameDateTime(next, fDateTime)) return false;
  fDone = false;
  fDateTime = next;
  return true;
}

std::string GetDateTimeStr(TDateTime dt, bool isDateType, bool is24Hour,
                           const platform::LocaleInfo& locale) {
  const DateParts d = DecodeDate(dt);
  const TimeParts t = DecodeTime(dt);
  std::string r;
  char buf[64];
  if (isDateType) {
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d(", d.year % 100, d.month, d.day);
    r += buf;
    r += locale.shortDayNames[static_cast<size_t>(IsoWeekday(dt) % 7)];  // Sunday first
    r += ") ";
  }
  if (is24Hour)
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
  else if (t.hour >= 12)
    std::snprintf(buf, sizeof buf, "pm %d:%02d", t.hour - 12, t.minute);
  else
    std::snprintf(buf, sizeof buf, "am %d:%02d", t.hour, t.minute);
  return r + buf;
}

std::string GetWeekStr(TScheduleSet wDay) {
  int w[9] = {};  // w[i + 1] is weekday i; no wrap from Sunday to Monday
  for (int i = 0; i < 7; ++i) w[i + 1] = (wDay >> i) & 1;
  int prev = 0;
  std::string r;
  for (int i = 0; i < 7; ++i) {
    const int t = (w[i] + w[i + 1] + w[i + 2]) * w[i + 1];
    if (t == 1 || t == 2)
      r += WeekStr[static_cast<size_t>(i)];
    else if (t == 3 && prev != 3)
      r += "～";
    prev = t;
  }
  if (r == "月～日") r = "毎日";
  return r;
}

std::string TSchedule::GetDateStr(bool is24Hour, const platform::LocaleInfo& locale) const {
  if (fWeekSet == 0) return GetDateTimeStr(fDateTime, true, is24Hour, locale);
  return GetWeekStr(fWeekSet) + " " + GetDateTimeStr(fDateTime, false, is24Hour, locale);
}

}  // namespace sm::schedule
