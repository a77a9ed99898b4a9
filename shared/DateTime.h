#pragma once
// Date-times as day counts: whole days since 1899-12-30, the fraction the time of day, in local
// time. A day before 1899-12-30 is negative and its time of day is the fraction's magnitude
// (-1.25 is 1899-12-29 06:00). Two date-times closer than one millisecond are the same.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace sm {

using TDateTime = double;

// The first instant after 9999-12-31: no end.
constexpr TDateTime MaxDateTime = 2958466.0;
constexpr double MSecsPerDay = 86400000.0;
constexpr double OneMillisecond = 1.0 / MSecsPerDay;

struct DateParts {
  int year = 1899, month = 12, day = 30;
  bool operator==(const DateParts&) const = default;
};
struct TimeParts {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  bool operator==(const TimeParts&) const = default;
};

bool IsValidDate(int year, int month, int day);  // year 1..9999
bool IsValidTime(int hour, int minute, int second, int millisecond);
int DaysInMonth(int year, int month);

// The day count of a date; nothing when the date does not exist (or lies outside 1..9999).
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond);
// As above, throwing std::out_of_range for an invalid date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
// A date plus a time of day (the time counts forward also for days before 1899-12-30).
TDateTime Combine(TDateTime date, TDateTime time);

// Date and time of a day count, rounded to the millisecond (a time that rounds up to 24:00 moves
// to 00:00 of the next day).
DateParts DecodeDate(TDateTime dt);
TimeParts DecodeTime(TDateTime dt);

TDateTime DateOf(TDateTime dt);  // the day at 00:00
TDateTime TimeOf(TDateTime dt);  // the time of day, 0 <= t < 1

// ISO weekday: Monday 1 .. Sunday 7.
int IsoWeekday(TDateTime dt);

TDateTime IncMinute(TDateTime dt, long long minutes);
TDateTime IncDay(TDateTime dt, long long days);
TDateTime IncMilliSecond(TDateTime dt, long long ms);

// Closer than one millisecond.
bool SameDateTime(TDateTime a, TDateTime b);

// The clock's reading as a day count.
TDateTime FromLocalTime(const platform::LocalTime& t);

// The schedule file's form "yyyy/mm/dd hh:nn:ss" (seconds truncated). MaxDateTime formats as
// 10000/01/01 00:00:00.
std::string FormatScheduleDateTime(TDateTime dt);
// Reads that form back. Also taken: one-digit month, day, hour, minute and second, a missing
// seconds part, a date without a time, blanks around the text, and the text of MaxDateTime.
// Nothing for anything else.
std::optional<TDateTime> ParseScheduleDateTime(std::string_view text);

}  // namespace sm
