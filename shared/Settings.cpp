#include "shared/Settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shared/IniFormat.h"

namespace sm {

// ---- Real numbers ----

std::string FormatReal(double value, char sep) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // 15 significant digits, rounded: d.dddddddddddddde[+-]x
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  const char* p = buf;
  std::string sign;
  if (*p == '-') sign = "-", ++p;
  std::string digits;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exp = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = sign;
  if (exp >= -5 && exp <= 14) {
    if (exp < 0) {
      out += '0';
      out += sep;
      out += std::string(static_cast<size_t>(-exp - 1), '0');
      out += digits;
    } else {
      size_t intLen = static_cast<size_t>(exp) + 1;
      if (digits.size() <= intLen) {
        out += digits + std::string(intLen - digits.size(), '0');
      } else {
        out += digits.substr(0, intLen);
        out += sep;
        out += digits.substr(intLen);
      }
    }
  } else {
    out += digits[0];
    if (digits.size() > 1) {
      out += sep;
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exp);
  }
  return out;
}

std::optional<double> ParseReal(const std::string& text, char sep) {
  double v = 0;
  // A number beyond the range of a double does not parse either.
  if (!ParseLocaleDouble(text, sep, v) || !std::isfinite(v)) return std::nullopt;
  return v;
}

// ---- Date-times in the locale's pictures ----

namespace {

// Runs of one picture letter, e.g. "yyyy", "M", "ss"; quoted text and other characters are
// literals.
struct Piece {
  char letter = 0;  // 0: literal
  size_t count = 0;
  std::string literal;
};

std::vector<Piece> Pieces(const std::string& picture) {
  std::vector<Piece> out;
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'' || c == '"') {
      size_t end = picture.find(c, i + 1);
      if (end == std::string::npos) end = picture.size();
      out.push_back({0, 0, picture.substr(i + 1, end - i - 1)});
      i = end + 1;
      continue;
    }
    if (std::strchr("yMdHhmst", c) != nullptr) {
      size_t j = i;
      while (j < picture.size() && picture[j] == c) ++j;
      out.push_back({c, j - i, {}});
      i = j;
      continue;
    }
    // A double-byte character is copied whole.
    size_t len = (static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) <= 0x9F) ||
                         (static_cast<unsigned char>(c) >= 0xE0 && static_cast<unsigned char>(c) <= 0xFC)
                     ? 2
                     : 1;
    out.push_back({0, 0, picture.substr(i, len)});
    i += len;
  }
  return out;
}

std::string Number(int v, size_t width) {
  std::string s = std::to_string(v);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

std::string FormatPicture(const std::string& picture, const DateParts& d, const TimeParts& t,
                          const platform::LocaleInfo& locale) {
  std::string out;
  for (const Piece& p : Pieces(picture)) {
    switch (p.letter) {
      case 0: out += p.literal; break;
      case 'y': out += p.count <= 2 ? Number(d.year % 100, 2) : Number(d.year, 4); break;
      case 'M': out += Number(d.month, p.count >= 2 ? 2 : 1); break;
      case 'd':
        if (p.count >= 3) {
          out += locale.shortDayNames[static_cast<size_t>(IsoWeekday(EncodeDate(d.year, d.month, d.day)) % 7)];
        } else {
          out += Number(d.day, p.count);
        }
        break;
      case 'H': out += Number(t.hour, p.count >= 2 ? 2 : 1); break;
      case 'h': out += Number(t.hour % 12 == 0 ? 12 : t.hour % 12, p.count >= 2 ? 2 : 1); break;
      case 'm': out += Number(t.minute, p.count >= 2 ? 2 : 1); break;
      case 's': out += Number(t.second, p.count >= 2 ? 2 : 1); break;
      case 't': out += t.hour < 12 ? locale.timeAM : locale.timePM; break;
    }
  }
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Numbers of the text in order, each ended by a non-digit; false when a number is too long.
bool Numbers(const std::string& text, std::vector<int>& out) {
  for (size_t i = 0; i < text.size();) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j - i > 4) return false;
    out.push_back(std::atoi(text.substr(i, j - i).c_str()));
    i = j;
  }
  return true;
}

// The date part: three numbers separated by the date separator (or "/", "-", "."), in the order
// of the short date picture.
std::optional<TDateTime> ParseDatePart(const std::string& text, const platform::LocaleInfo& l) {
  for (char c : text)
    if (!IsDigit(c) && c != l.dateSeparator && c != '/' && c != '-' && c != '.') return std::nullopt;
  std::vector<int> n;
  if (!Numbers(text, n) || n.size() != 3) return std::nullopt;
  if (!IsDigit(text.front()) || !IsDigit(text.back())) return std::nullopt;
  std::string order;
  for (const Piece& p : Pieces(l.shortDate))
    if ((p.letter == 'y' || p.letter == 'M' || p.letter == 'd') &&
        order.find(p.letter) == std::string::npos)
      order += p.letter;
  if (order.size() != 3) order = "yMd";
  int y = 0, m = 0, d = 0;
  size_t yearDigits = 0;
  for (size_t i = 0, pos = 0; i < 3; ++i) {
    size_t start = text.find_first_of("0123456789", pos);
    size_t end = text.find_first_not_of("0123456789", start);
    if (end == std::string::npos) end = text.size();
    if (order[i] == 'y') yearDigits = end - start;
    (order[i] == 'y' ? y : order[i] == 'M' ? m : d) = n[i];
    pos = end;
  }
  // A two-digit year lies within 1950..2049.
  if (yearDigits <= 2) y += y < 50 ? 2000 : 1900;
  return TryEncodeDate(y, m, d);
}

// The time part: hour, minute and an optional second, with an optional AM/PM marker before or
// after.
std::optional<TDateTime> ParseTimePart(std::string text, const platform::LocaleInfo& l) {
  int half = 0;  // 1 AM, 2 PM
  auto strip = [&](const std::string& marker, int which) {
    if (marker.empty() || half) return;
    if (text.size() >= marker.size() && text.compare(0, marker.size(), marker) == 0) {
      text.erase(0, marker.size());
      half = which;
    } else if (text.size() >= marker.size() &&
               text.compare(text.size() - marker.size(), marker.size(), marker) == 0) {
      text.erase(text.size() - marker.size());
      half = which;
    }
  };
  strip(l.timeAM, 1);
  strip(l.timePM, 2);
  strip("AM", 1);
  strip("PM", 2);
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty() || !IsDigit(text.front()) || !IsDigit(text.back())) return std::nullopt;
  for (char c : text)
    if (!IsDigit(c) && c != l.timeSeparator && c != ':') return std::nullopt;
  std::vector<int> n;
  if (!Numbers(text, n) || n.size() < 2 || n.size() > 3) return std::nullopt;
  int h = n[0];
  if (half) {
    if (h < 1 || h > 12) return std::nullopt;
    h = h % 12 + (half == 2 ? 12 : 0);
  }
  return TryEncodeTime(h, n[1], n.size() == 3 ? n[2] : 0, 0);
}

}  // namespace

std::string FormatDateTimeText(TDateTime value, const platform::LocaleInfo& locale) {
  const DateParts d = DecodeDate(value);
  const TimeParts t = DecodeTime(value);
  std::string out = FormatPicture(locale.shortDate, d, t, locale);
  if (t.hour != 0 || t.minute != 0 || t.second != 0 || t.millisecond != 0) {
    out += ' ';
    out += FormatPicture(locale.longTime, d, t, locale);
  }
  return out;
}

std::optional<TDateTime> ParseDateTimeText(const std::string& text,
                                           const platform::LocaleInfo& locale) {
  size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return std::nullopt;
  size_t e = text.find_last_not_of(' ');
  std::string s = text.substr(b, e - b + 1);
  size_t blank = s.find(' ');
  auto date = ParseDatePart(s.substr(0, blank), locale);
  if (!date) return std::nullopt;
  if (blank == std::string::npos) return *date;
  auto time = ParseTimePart(s.substr(blank + 1), locale);
  if (!time) return std::nullopt;
  return Combine(*date, *time);
}

// ---- One settings file ----

bool TSettingsFile::KeyExists(const std::string& section, const std::string& key) const {
  return ini_.KeyExists(section, key);
}

int TSettingsFile::ReadInteger(const std::string& s, const std::string& k, int fallback) const {
  return ini_.ReadInteger(s, k, fallback);
}

bool TSettingsFile::ReadBool(const std::string& s, const std::string& k, bool fallback) const {
  return ini_.ReadBool(s, k, fallback);
}

double TSettingsFile::ReadReal(const std::string& s, const std::string& k, double fallback) const {
  return ParseReal(ini_.ReadString(s, k, ""), locale_.Info().decimalSeparator).value_or(fallback);
}

TDateTime TSettingsFile::ReadDateTime(const std::string& s, const std::string& k,
                                      TDateTime fallback) const {
  return ParseDateTimeText(ini_.ReadString(s, k, ""), locale_.Info()).value_or(fallback);
}

std::string TSettingsFile::ReadString(const std::string& s, const std::string& k,
                                      const std::string& fallback) const {
  return ini_.ReadString(s, k, fallback);
}

void TSettingsFile::WriteInteger(const std::string& s, const std::string& k, int value) {
  ini_.WriteInteger(s, k, value);
}

void TSettingsFile::WriteBool(const std::string& s, const std::string& k, bool value) {
  ini_.WriteBool(s, k, value);
}

void TSettingsFile::WriteReal(const std::string& s, const std::string& k, double value) {
  ini_.WriteString(s, k, FormatReal(value, locale_.Info().decimalSeparator));
}

void TSettingsFile::WriteDateTime(const std::string& s, const std::string& k, TDateTime value) {
  ini_.WriteString(s, k, FormatDateTimeText(value, locale_.Info()));
}

void TSettingsFile::WriteString(const std::string& s, const std::string& k, const std::string& v) {
  ini_.WriteString(s, k, v);
}

void TSettingsFile::DeleteKey(const std::string& s, const std::string& k) { ini_.DeleteKey(s, k); }

// ---- The catalogue ----

namespace {
const char* const kSystem = "System";
const char* const kTimer = "Timer";
}  // namespace

TSolmoraSettings::TSolmoraSettings(platform::Platform& platform, const std::string& dataDir,
                                   const std::string& installDir)
    : clock_(platform.clock),
      hasMultiBoot_(platform.files.Exists(installDir + "MultiBoot.ini")),
      file_(platform, dataDir + "Solmora.ini"),
      options_(platform, hasMultiBoot_ ? installDir + "MultiBoot.ini" : dataDir + "Solmora.ini") {}

int TSolmoraSettings::DelayIcon() const { return options_.ReadInteger(kSystem, "DelayIcon", 0); }
bool TSolmoraSettings::EventResume() const { return options_.ReadBool(kSystem, "EventResume", true); }
int TSolmoraSettings::SelfShutDownMode() const {
  return options_.ReadInteger(kSystem, "SelfShutDownMode", 1);
}
bool TSolmoraSettings::SolmoraRunning() const {
  return file_.ReadBool(kSystem, "SolmoraRunning", false);
}
double TSolmoraSettings::SolmoraVersion() const {
  return file_.ReadReal(kSystem, "SolmoraVersion", -1);
}

void TSolmoraSettings::StoreDelayIcon(int seconds) {
  if (seconds > 0) options_.WriteInteger(kSystem, "DelayIcon", seconds);
  else options_.DeleteKey(kSystem, "DelayIcon");
}

void TSolmoraSettings::StoreEventResume(bool resume) {
  if (!resume) options_.WriteBool(kSystem, "EventResume", false);
  else options_.DeleteKey(kSystem, "EventResume");
}

void TSolmoraSettings::StoreSelfShutDownMode(int mode) {
  if (mode != 1) options_.WriteInteger(kSystem, "SelfShutDownMode", 0);
  else options_.DeleteKey(kSystem, "SelfShutDownMode");
}

void TSolmoraSettings::WriteSolmoraRunning(bool running) {
  file_.WriteBool(kSystem, "SolmoraRunning", running);
}
void TSolmoraSettings::DeleteSolmoraRunning() { file_.DeleteKey(kSystem, "SolmoraRunning"); }
void TSolmoraSettings::WriteRequestTimeLag(bool request) {
  file_.WriteBool(kSystem, "RequestTimeLag", request);
}

bool TSolmoraSettings::HasTimeLag() const { return file_.KeyExists(kTimer, "TimeLag"); }
int TSolmoraSettings::TimeLag() const { return file_.ReadInteger(kTimer, "TimeLag", 180); }
int TSolmoraSettings::WaitingTime() const { return file_.ReadInteger(kTimer, "WaitingTime", 10); }
int TSolmoraSettings::BiosType() const { return file_.ReadInteger(kTimer, "BiosType", 0); }

TDateTime TSolmoraSettings::BiosBoot() const {
  const platform::LocalTime now = clock_.Now();
  const TDateTime fallback = Combine(EncodeDate(now.year, now.month, now.day), EncodeTime(now.hour, 0, 0));
  return file_.ReadDateTime(kTimer, "BiosBoot", fallback);
}

void TSolmoraSettings::WriteTimeLag(int seconds) { file_.WriteInteger(kTimer, "TimeLag", seconds); }
void TSolmoraSettings::DeleteTimeLag() { file_.DeleteKey(kTimer, "TimeLag"); }
void TSolmoraSettings::WriteWaitingTime(int seconds) {
  file_.WriteInteger(kTimer, "WaitingTime", seconds);
}
void TSolmoraSettings::WriteBiosBoot(TDateTime alarm) { file_.WriteDateTime(kTimer, "BiosBoot", alarm); }
void TSolmoraSettings::WriteBiosType(int type) { file_.WriteInteger(kTimer, "BiosType", type); }
void TSolmoraSettings::WriteAdjustment(double days) { file_.WriteReal(kTimer, "Adjustment", days); }

// ---- Registry values ----

std::string GetShortPath(platform::Platform& platform, const std::string& path) {
  return platform.pathNames.ShortForm(path).value_or(std::string());
}

bool SetAutoStart(platform::Platform& platform, TFolders& folders, const std::string& key,
                  const std::string& program, const std::string& arguments,
                  const std::string& folder) {
  const std::string dir = folder.empty() ? folders.SmPath() : folder;
  auto run = platform.registry.Open(kRunKeyPrefix + key, platform::RegAccess::ReadWrite, true);
  if (!run) return false;
  const std::string full = dir + program;
  std::string path = GetShortPath(platform, full);
  // Without a short form (a program file that does not exist yet) the full path still starts
  // the program when it is quoted.
  if (path.empty()) path = "\"" + full + "\"";
  return run->Set("Solmora", platform::RegValue::Text(path + " " + arguments));
}

void WriteAdjustmentValue(platform::Platform& platform, double days) {
  auto key = platform.registry.Open(kTimerKey, platform::RegAccess::ReadWrite, true);
  if (!key) throw ERegistryError(std::string("cannot open ") + kTimerKey);
  uint64_t bits = 0;
  std::memcpy(&bits, &days, sizeof bits);
  std::string raw(8, '\0');
  for (int i = 0; i < 8; ++i) raw[static_cast<size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  if (!key->Set("Adjustment", platform::RegValue::Bytes(raw)))
    throw ERegistryError(std::string("cannot write Adjustment under ") + kTimerKey);
}

}  // namespace sm
