#pragma once
// Value encodings of the settings file that the wizard writes (date-times in the locale's short
// date and long time, reals in the general decimal form) and the logon autostart value.
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "shared/DateTime.h"
#include "shared/IniFile.h"

namespace sm::setup {

// The locale's short date, one blank, its long time; the time is left out at exactly 00:00:00.
std::string FormatIniDateTime(TDateTime dt, const platform::LocaleInfo& locale);
// The general decimal form: at most 15 significant digits, no trailing zeros; fixed notation for
// magnitudes from 0.00001 with at most 15 integer digits, else exponent notation ("1.5E-5").
std::string FormatIniReal(double v, char decimalSeparator);

std::optional<TDateTime> ReadIniDateTime(const IniFile& ini, const std::string& section,
                                         const std::string& key);
void WriteIniDateTime(IniFile& ini, const std::string& section, const std::string& key,
                      TDateTime dt, const platform::LocaleInfo& locale);

// Writes the autostart value "Solmora" under "Software\Microsoft\Windows\CurrentVersion\" + key:
// the short form of folder + program (the install folder when folder is empty), one blank, the
// arguments. False when the key cannot be opened or written; nothing is reported.
bool SetAutoStart(platform::Platform& p, const std::string& installDir, const std::string& key,
                  const std::string& program, const std::string& arguments,
                  const std::string& folder);

constexpr const char* kRunKeyBase = "Software\\Microsoft\\Windows\\CurrentVersion\\";
constexpr const char* kAutoStartValue = "Solmora";

}  // namespace sm::setup
