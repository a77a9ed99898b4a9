#pragma once
// A self-contained Japanese Windows system in memory, for tests: registry, files (Windows paths,
// compared without regard to ASCII case), a settable clock, a user and the Japanese locale.
// Each test makes its own; nothing is shared between instances.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sm::platform {

// Orders texts without regard to ASCII letter case, as Windows compares paths and key names.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class MemoryRegistry : public Registry {
 public:
  struct Key {
    std::map<std::string, RegValue, NoCaseLess> values;
  };
  std::map<std::string, Key, NoCaseLess> keys;
  // Keys (exact subkey paths) that open for reading only, as for an ordinary user on HKLM.
  std::set<std::string, NoCaseLess> readOnly;
  // Keys whose values cannot be written even when opened for writing.
  std::set<std::string, NoCaseLess> failSet;
  bool allReadOnly = false;  // every key: no write access, no creation

  std::unique_ptr<RegKey> Open(const std::string& subkey, RegAccess access, bool create) override;

  // Test conveniences.
  void SetText(const std::string& key, const std::string& name, const std::string& text);
  void SetDWord(const std::string& key, const std::string& name, uint32_t v);
  const RegValue* Find(const std::string& key, const std::string& name) const;
};

class MemoryFiles : public Files {
 public:
  std::map<std::string, std::string, NoCaseLess> files;
  std::set<std::string, NoCaseLess> unreadable;   // Read throws IoError
  std::set<std::string, NoCaseLess> unwritable;   // Replace throws IoError, Remove fails
  std::string executable = "C:\\Program Files\\Solmora\\Solmora.exe";
  int reads = 0, writes = 0;  // operations seen, for tests that count file passes

  bool Exists(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  void Replace(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  std::string ExecutablePath() override { return executable; }
};

class MemoryClock : public Clock {
 public:
  LocalTime now{2005, 1, 26, 10, 0, 0, 0, 3};  // a Wednesday at 10:00
  std::vector<LocalTime> setTimes;  // every SetNow, in order
  std::vector<int> sleeps;          // every Sleep, in order
  bool refuseSet = false;
  LocalTime Now() override { return now; }
  bool SetNow(const LocalTime& t) override;
  // Moves the clock on by ms instead of waiting.
  void Sleep(int ms) override;
  // Sets the time; the weekday follows from the date.
  void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0);
};

class MemoryUser : public User {
 public:
  std::string name = "taro";
  std::string LogonName() override { return name; }
};

class MemoryLocale : public Locale {
 public:
  LocaleInfo info = JapaneseLocale();
  const LocaleInfo& Info() override { return info; }
};

class MemoryWindows : public Windows {
 public:
  struct Posted {
    WindowId window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Posted&) const = default;
  };
  std::map<std::string, WindowId> byClass;   // the top-level windows present
  std::vector<Posted> posted;
  WindowId FindByClass(const std::string& windowClass) override;
  bool Post(WindowId window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
};

class MemoryMutexes : public Mutexes {
 public:
  std::set<std::string> held;
  int checks = 0;                  // Exists calls seen
  int releaseAfterChecks = -1;     // the held mutexes go away once this many checks were made
  bool Exists(const std::string& name) override;
};

class MemoryShell : public Shell {
 public:
  std::vector<std::string> opened, started;
  bool Open(const std::string& path) override { opened.push_back(path); return true; }
  bool Start(const std::string& commandLine) override { started.push_back(commandLine); return true; }
};

// A process with the rights a test gives it; each elevated start is recorded and answered by
// `answer`.
class MemoryElevation : public Elevation {
 public:
  bool filtered = false;
  ElevatedRun answer{ElevatedRun::Outcome::Ended, 0, 0};
  struct Run { std::string program, parameters; };
  std::vector<Run> runs;
  bool Filtered() override { return filtered; }
  ElevatedRun RunElevated(const std::string& program, const std::string& parameters) override {
    runs.push_back({program, parameters});
    return answer;
  }
};

// Records what was asked; each call can be made to fail.
class MemoryPower : public Power {
 public:
  OsVersionInfo version;  // Windows XP unless a test says otherwise
  bool hibernationAllowed = false;
  bool privilegeFails = false, exitFails = false, suspendFails = false;
  int privilegeCalls = 0, versionQueries = 0;
  std::vector<unsigned> exitCalls;     // the flags of each exit request
  std::vector<bool> suspendCalls;      // hibernate flag of each suspend request

  bool EnableShutdownPrivilege() override;
  bool RequestExit(unsigned flags) override;
  bool Suspend(bool hibernate) override;
  bool HibernationAllowed() override { return hibernationAllowed; }
  OsVersionInfo Version() override;
};

// A service control manager with installed services; log holds every open, control and close.
class MemoryServices : public Services {
 public:
  struct Entry {
    uint32_t state = 4;                  // running
    std::set<uint32_t> accepted;         // control codes the service takes
    bool openFails = false;              // e.g. access denied
  };
  std::map<std::string, Entry, NoCaseLess> services;
  bool managerFails = false;
  std::vector<std::string> log;
  int openHandles = 0;

  std::unique_ptr<ServiceManager> OpenManager() override;
};

// Short forms of existing paths, as a test sets them.
class MemoryPathNames : public PathNames {
 public:
  std::map<std::string, std::string, NoCaseLess> shortForms;
  std::optional<std::string> ShortForm(const std::string& path) override;
};

class MemoryPlatform {
 public:
  MemoryRegistry registry;
  MemoryFiles files;
  MemoryClock clock;
  MemoryUser user;
  MemoryLocale locale;
  MemoryPower power;
  MemoryServices services;
  MemoryPathNames pathNames;
  MemoryWindows windows;
  MemoryMutexes mutexes;
  MemoryShell shell;
  MemoryElevation elevation;
  Platform platform{registry, files, clock, user, locale, power, services,
                    pathNames, windows, mutexes, shell, elevation};

  MemoryPlatform() = default;
  MemoryPlatform(const MemoryPlatform&) = delete;
  MemoryPlatform& operator=(const MemoryPlatform&) = delete;
  operator Platform&() { return platform; }
};

// Weekday of a date of the Gregorian calendar, 0 = Sunday.
int WeekdayOf(int year, int month, int day);

}  // namespace sm::platform
