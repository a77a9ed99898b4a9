#include "setup/WizardSettings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sm::setup {
namespace {

std::string Pad(int v, size_t width) {
  std::string s = std::to_string(v);
  while (s.size() < width) s.insert(s.begin(), '0');
  return s;
}

// Formats a picture of the platform's notation: y, M, d, H/h, m/n, s runs; '/' and ':' are the
// locale's separators; everything else is copied.
std::string Picture(const std::string& pic, const DateParts& d, const TimeParts& t,
                    const platform::LocaleInfo& loc) {
  std::string out;
  for (size_t i = 0; i < pic.size();) {
    const char c = pic[i];
    size_t n = 1;
    while (i + n < pic.size() && pic[i + n] == c) ++n;
    switch (c) {
      case 'y': out += n <= 2 ? Pad(d.year % 100, 2) : Pad(d.year, 4); break;
      case 'M': out += Pad(d.month, n >= 2 ? 2 : 1); break;
      case 'd': out += Pad(d.day, n >= 2 ? 2 : 1); break;
      case 'H': out += Pad(t.hour, n >= 2 ? 2 : 1); break;
      case 'h': out += Pad(t.hour % 12 == 0 ? 12 : t.hour % 12, n >= 2 ? 2 : 1); break;
      case 'm': case 'n': out += Pad(t.minute, n >= 2 ? 2 : 1); break;
      case 's': out += Pad(t.second, n >= 2 ? 2 : 1); break;
      case '/': out.append(n, loc.dateSeparator); break;
      case ':': out.append(n, loc.timeSeparator); break;
      default: out.append(n, c); break;
    }
    i += n;
  }
  return out;
}

std::string TrimZeros(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

std::string FormatIniDateTime(TDateTime dt, const platform::LocaleInfo& locale) {
  const DateParts d = DecodeDate(dt);
  const TimeParts t = DecodeTime(dt);
  std::string s = Picture(locale.shortDate, d, t, locale);
  if (t.hour || t.minute || t.second || t.millisecond) s += " " + Picture(locale.longTime, d, t, locale);
  return s;
}

std::string FormatIniReal(double v, char sep) {
  if (v == 0 || !std::isfinite(v)) return "0";
  char buf[64];
  const double mag = std::fabs(v);
  std::string s;
  if (mag >= 1e-5 && mag < 1e15) {
    const int intDigits = mag >= 1 ? static_cast<int>(std::floor(std::log10(mag))) + 1 : 0;
    const int lead = mag >= 1 ? 0 : -static_cast<int>(std::floor(std::log10(mag))) - 1;
    int decimals = 15 - intDigits + lead;
    if (decimals < 0) decimals = 0;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    s = TrimZeros(buf);
  } else {
    std::snprintf(buf, sizeof buf, "%.14e", v);
    std::string m(buf);
    const size_t e = m.find('e');
    std::string mant = TrimZeros(m.substr(0, e));
    const int exp = std::atoi(m.c_str() + e + 1);
    s = mant + "E" + std::to_string(exp);
  }
  for (char& c : s)
    if (c == '.') c = sep;
  return s;
}

std::optional<TDateTime> ReadIniDateTime(const IniFile& ini, const std::string& section,
                                         const std::string& key) {
  const std::string text = ini.ReadString(section, key, "");
  if (text.empty()) return std::nullopt;
  return ParseScheduleDateTime(text);
}

void WriteIniDateTime(IniFile& ini, const std::string& section, const std::string& key,
                      TDateTime dt, const platform::LocaleInfo& locale) {
  ini.WriteString(section, key, FormatIniDateTime(dt, locale));
}

bool SetAutoStart(platform::Platform& p, const std::string& installDir, const std::string& key,
                  const std::string& program, const std::string& arguments,
                  const std::string& folder) {
  try {
    auto reg = p.registry.Open(std::string(kRunKeyBase) + key, platform::RegAccess::ReadWrite, true);
    if (!reg) return false;
    const std::string full = (folder.empty() ? installDir : folder) + program;
    std::string path = p.shell.ShortPath(full);
    // Without a short form the full path still starts the program when it is quoted.
    if (path.empty()) path = "\"" + full + "\"";
    return reg->Set(kAutoStartValue, platform::RegValue::Text(path + " " + arguments));
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace sm::setup
