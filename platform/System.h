#pragma once
// Seams for facts about the user and the locale.
#include <array>
#include <string>

namespace sm::platform {

class User {
 public:
  virtual ~User() = default;
  // The logon name of the user running the process; empty when it cannot be obtained.
  virtual std::string LogonName() = 0;
};

// Locale facts in the platform's own picture notation (code page 932 text).
struct LocaleInfo {
  std::string shortDate;        // e.g. "yyyy/MM/dd"
  std::string longTime;         // e.g. "H:mm:ss"
  char dateSeparator = '/';
  char timeSeparator = ':';
  char decimalSeparator = '.';
  std::array<std::string, 7> shortDayNames;  // Sunday first
  std::string timeAM, timePM;   // "午前", "午後"
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual const LocaleInfo& Info() = 0;
};

// What a Japanese system answers.
LocaleInfo JapaneseLocale();

}  // namespace sm::platform
