#pragma once
// The next due time of a weekly entry and the short texts that tell when an entry is due.
#include <array>
#include <string>

#include "platform/Clock.h"
#include "platform/System.h"
#include "schedule/Schedule.h"

namespace sm::schedule {

// Weekday names, Monday first.
extern const std::array<const char*, 7> WeekStr;

// The present moment from the clock, to the millisecond.
TDateTime Now(platform::Clock& clock);

// The next occurrence strictly after now of a weekday in sw at the time of day of dt; dt itself
// when sw holds no weekday.
TDateTime GetNearestDateTime(TScheduleSet sw, TDateTime dt, TDateTime now);

// "yy/mm/dd(ddd) " when isDateType, then "hh:nn", or "am h:nn" / "pm h:nn".
std::string GetDateTimeStr(TDateTime dt, bool isDateType, bool is24Hour,
                           const platform::LocaleInfo& locale);
// The weekdays, with runs of three or more days as first "～" last; all days as "毎日".
std::string GetWeekStr(TScheduleSet wDay);

}  // namespace sm::schedule
