#pragma once
// The settings file "Solmora.ini": its value encodings, the catalogue of its keys with their
// defaults, the multi-boot copy of the three run-time options, and the registry values the
// wizard writes (the logon autostart command and the clock adjustment).
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/Platform.h"
#include "shared/DateTime.h"
#include "shared/Folders.h"
#include "shared/IniFile.h"

namespace sm {

// Real numbers in the general form: at most 15 significant digits, trailing zeros and a bare
// separator dropped, fixed notation from 0.00001 up while the integer part has at most 15
// digits, otherwise the shortest exponent (1.5E-6, 1E20).
std::string FormatReal(double value, char decimalSeparator);
std::optional<double> ParseReal(const std::string& text, char decimalSeparator);

// Date-times as the locale writes them: its short date, one blank, its long time; the time is
// left out at exactly 00:00:00.
std::string FormatDateTimeText(TDateTime value, const platform::LocaleInfo& locale);
// Reads that form back (one- or two-digit fields in the short date's order, the time optional,
// seconds optional); nothing for anything else.
std::optional<TDateTime> ParseDateTimeText(const std::string& text,
                                           const platform::LocaleInfo& locale);

// One settings file with the shared value encodings. Reads never fail: a missing file, section
// or key, or a value that does not parse, gives the default. Writes throw platform::IoError.
class TSettingsFile {
 public:
  TSettingsFile(platform::Platform& platform, std::string path)
      : locale_(platform.locale), ini_(platform.files, std::move(path)) {}

  const std::string& Path() const { return ini_.Path(); }
  bool Exists() const { return ini_.Exists(); }
  bool KeyExists(const std::string& section, const std::string& key) const;

  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  double ReadReal(const std::string& section, const std::string& key, double fallback) const;
  TDateTime ReadDateTime(const std::string& section, const std::string& key,
                         TDateTime fallback) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;

  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void WriteReal(const std::string& section, const std::string& key, double value);
  void WriteDateTime(const std::string& section, const std::string& key, TDateTime value);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void DeleteKey(const std::string& section, const std::string& key);

 private:
  platform::Locale& locale_;
  IniFile ini_;
};

// The keys of "Solmora.ini" with their defaults. The run-time options "DelayIcon",
// "EventResume" and "SelfShutDownMode" live in the install folder's "MultiBoot.ini" instead
// when that file exists (decided when this object is made). An option equal to its default is
// stored by deleting its key.
class TSolmoraSettings {
 public:
  TSolmoraSettings(platform::Platform& platform, const std::string& dataDir,
                   const std::string& installDir);

  bool HasMultiBoot() const { return hasMultiBoot_; }
  TSettingsFile& File() { return file_; }        // dataDir + "Solmora.ini"
  TSettingsFile& Options() { return options_; }  // the file of the three run-time options

  // "System"
  int DelayIcon() const;                 // 0
  bool EventResume() const;              // true
  int SelfShutDownMode() const;          // 1 normal; anything else forced
  bool SolmoraRunning() const;           // false
  double SolmoraVersion() const;         // -1
  void StoreDelayIcon(int seconds);      // written only when above 0
  void StoreEventResume(bool resume);    // written as "0" only when false
  void StoreSelfShutDownMode(int mode);  // written as 0 only when not 1
  void WriteSolmoraRunning(bool running);
  void DeleteSolmoraRunning();
  void WriteRequestTimeLag(bool request);

  // "Timer"
  bool HasTimeLag() const;
  int TimeLag() const;                   // 180
  int WaitingTime() const;               // 10
  TDateTime BiosBoot() const;            // today at the current hour, minute 0, second 0
  int BiosType() const;                  // 0
  void WriteTimeLag(int seconds);
  void DeleteTimeLag();
  void WriteWaitingTime(int seconds);
  void WriteBiosBoot(TDateTime alarm);
  void WriteBiosType(int type);
  void WriteAdjustment(double days);

 private:
  platform::Clock& clock_;
  bool hasMultiBoot_;
  TSettingsFile file_;
  TSettingsFile options_;
};

// A registry value could not be written.
class ERegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The system's short (8.3) form of an existing path; empty when there is none.
std::string GetShortPath(platform::Platform& platform, const std::string& path);

// Writes the logon autostart command line "<short path of folder + program> <arguments>" as the
// value "Solmora" under "Software\Microsoft\Windows\CurrentVersion\" + key. An empty folder
// means the install folder. Without a short form the full path is written in double quotes.
// False when the key cannot be opened or the value not written.
bool SetAutoStart(platform::Platform& platform, TFolders& folders, const std::string& key,
                  const std::string& program, const std::string& arguments,
                  const std::string& folder);

// Writes "Adjustment" under "Software\Solmora\Timer" (created if missing) as the 8 bytes of the
// double, little-endian. Throws ERegistryError when the key or the value cannot be written.
void WriteAdjustmentValue(platform::Platform& platform, double days);

inline const char* const kRunKeyPrefix = "Software\\Microsoft\\Windows\\CurrentVersion\\";
inline const char* const kTimerKey = "Software\\Solmora\\Timer";

}  // namespace sm
