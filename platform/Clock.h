#pragma once
// Clock seam: the local date and time to the millisecond.
#include <cstdint>

namespace sm::platform {

struct LocalTime {
  int year = 2000, month = 1, day = 1;  // month 1..12, day 1..31
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int weekday = 6;  // 0 = Sunday .. 6 = Saturday, as the platform reports it
  bool operator==(const LocalTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Sets the local date and time (weekday ignored); false when the system refused.
  virtual bool SetNow(const LocalTime& t) = 0;
  // Blocks the calling thread for ms milliseconds.
  virtual void Sleep(int ms) = 0;
};

}  // namespace sm::platform
