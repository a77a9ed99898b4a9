#include "shared/DateTime.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace sm {
namespace {

constexpr long long kMsPerDay = 86400000LL;
constexpr long long kUnixEpochSerial = 25569;  // 1970-01-01

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

DateParts CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// A day count as milliseconds since 1899-12-30 00:00, on a continuous time line.
long long ToMs(TDateTime dt) {
  const double whole = std::trunc(dt);
  const long long time = std::llround(std::fabs(dt - whole) * MSecsPerDay);
  const long long days = static_cast<long long>(whole);
  // For negative days the fraction counts forward from that day's midnight.
  return days * kMsPerDay + time;
}

TDateTime FromMs(long long ms) {
  long long days = ms / kMsPerDay;
  long long time = ms % kMsPerDay;
  if (time < 0) {
    time += kMsPerDay;
    --days;
  }
  const double frac = static_cast<double>(time) / MSecsPerDay;
  return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

bool ReadNumber(std::string_view& s, int minDigits, int maxDigits, int& out) {
  int n = 0;
  long long v = 0;
  while (n < static_cast<int>(s.size()) && s[n] >= '0' && s[n] <= '9' && n < maxDigits) {
    v = v * 10 + (s[n] - '0');
    ++n;
  }
  if (n < minDigits || (n < static_cast<int>(s.size()) && s[n] >= '0' && s[n] <= '9')) return false;
  s.remove_prefix(n);
  out = static_cast<int>(v);
  return true;
}

bool Expect(std::string_view& s, char c) {
  if (s.empty() || s.front() != c) return false;
  s.remove_prefix(1);
  return true;
}

}  // namespace

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
         millisecond >= 0 && millisecond < 1000;
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                           static_cast<unsigned>(day)) + kUnixEpochSerial);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) {
  if (!IsValidTime(hour, minute, second, millisecond)) return std::nullopt;
  const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(ms) / MSecsPerDay;
}

TDateTime EncodeDate(int year, int month, int day) {
  if (auto d = TryEncodeDate(year, month, day)) return *d;
  throw std::out_of_range("invalid date");
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (auto t = TryEncodeTime(hour, minute, second, millisecond)) return *t;
  throw std::out_of_range("invalid time");
}

TDateTime Combine(TDateTime date, TDateTime time) {
  const double d = std::trunc(date);
  return d >= 0 ? d + time : d - time;
}

DateParts DecodeDate(TDateTime dt) {
  const long long ms = ToMs(dt);
  long long days = ms / kMsPerDay;
  if (ms % kMsPerDay < 0) --days;
  return CivilFromDays(days - kUnixEpochSerial);
}

TimeParts DecodeTime(TDateTime dt) {
  long long ms = ToMs(dt) % kMsPerDay;
  if (ms < 0) ms += kMsPerDay;
  TimeParts t;
  t.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  t.second = static_cast<int>(ms % 60);
  ms /= 60;
  t.minute = static_cast<int>(ms % 60);
  t.hour = static_cast<int>(ms / 60);
  return t;
}

TDateTime DateOf(TDateTime dt) {
  long long ms = ToMs(dt);
  long long days = ms / kMsPerDay;
  if (ms % kMsPerDay < 0) --days;
  return static_cast<double>(days);
}

TDateTime TimeOf(TDateTime dt) {
  long long ms = ToMs(dt) % kMsPerDay;
  if (ms < 0) ms += kMsPerDay;
  return static_cast<double>(ms) / MSecsPerDay;
}

int IsoWeekday(TDateTime dt) {
  const long long days = static_cast<long long>(DateOf(dt));
  return static_cast<int>(((days + 5) % 7 + 7) % 7) + 1;  // 1899-12-30 was a Saturday
}

TDateTime IncMilliSecond(TDateTime dt, long long ms) { return FromMs(ToMs(dt) + ms); }
TDateTime IncMinute(TDateTime dt, long long minutes) { return IncMilliSecond(dt, minutes * 60000); }
TDateTime IncDay(TDateTime dt, long long days) { return IncMilliSecond(dt, days * kMsPerDay); }

bool SameDateTime(TDateTime a, TDateTime b) { return std::fabs(a - b) < OneMillisecond; }

TDateTime FromLocalTime(const platform::LocalTime& t) {
  return Combine(EncodeDate(t.year, t.month, t.day),
                 EncodeTime(t.hour, t.minute, t.second, t.millisecond));
}

std::string FormatScheduleDateTime(TDateTime dt) {
  const DateParts d = DecodeDate(dt);
  const TimeParts t = DecodeTime(dt);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", d.year, d.month, d.day, t.hour,
                t.minute, t.second);
  return buf;
}

std::optional<TDateTime> ParseScheduleDateTime(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (s == "10000/01/01 00:00:00" || s == "10000/01/01") return MaxDateTime;
  int y, m, d, h = 0, n = 0, sec = 0;
  if (!ReadNumber(s, 1, 4, y) || !Expect(s, '/') || !ReadNumber(s, 1, 2, m) || !Expect(s, '/') ||
      !ReadNumber(s, 1, 2, d))
    return std::nullopt;
  if (!s.empty()) {
    if (!Expect(s, ' ')) return std::nullopt;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    if (!ReadNumber(s, 1, 2, h) || !Expect(s, ':') || !ReadNumber(s, 1, 2, n)) return std::nullopt;
    if (!s.empty() && (!Expect(s, ':') || !ReadNumber(s, 1, 2, sec))) return std::nullopt;
    if (!s.empty()) return std::nullopt;
  }
  auto date = TryEncodeDate(y, m, d);
  auto time = TryEncodeTime(h, n, sec, 0);
  if (!date || !time) return std::nullopt;
  return Combine(*date, *time);
}

}  // namespace sm
