#pragma once
// The real system behind the platform seams.
#include "platform/Platform.h"

namespace sm::platform {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegKey> Open(const std::string& subkey, RegAccess access, bool create) override;
};

class Win32Files : public Files {
 public:
  bool Exists(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  void Replace(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  std::string ExecutablePath() override;
};

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
  bool SetNow(const LocalTime& t) override;
  void Sleep(int ms) override;
};

class Win32Windows : public Windows {
 public:
  WindowId FindByClass(const std::string& windowClass) override;
  bool Post(WindowId window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
};

class Win32Mutexes : public Mutexes {
 public:
  bool Exists(const std::string& name) override;
};

class Win32Shell : public Shell {
 public:
  bool Open(const std::string& path) override;
  bool Start(const std::string& commandLine) override;
};

class Win32Elevation : public Elevation {
 public:
  bool Filtered() override;
  ElevatedRun RunElevated(const std::string& program, const std::string& parameters) override;
};

class Win32User : public User {
 public:
  std::string LogonName() override;
};

class Win32Locale : public Locale {
 public:
  const LocaleInfo& Info() override;

 private:
  bool loaded_ = false;
  LocaleInfo info_;
};

class Win32Power : public Power {
 public:
  bool EnableShutdownPrivilege() override;
  bool RequestExit(unsigned flags) override;
  bool Suspend(bool hibernate) override;
  bool HibernationAllowed() override;
  OsVersionInfo Version() override;
};

class Win32Services : public Services {
 public:
  std::unique_ptr<ServiceManager> OpenManager() override;
};

class Win32PathNames : public PathNames {
 public:
  std::optional<std::string> ShortForm(const std::string& path) override;
};

class Win32Platform {
 public:
  Win32Registry registry;
  Win32Files files;
  Win32Clock clock;
  Win32User user;
  Win32Locale locale;
  Win32Power power;
  Win32Services services;
  Win32PathNames pathNames;
  Win32Windows windows;
  Win32Mutexes mutexes;
  Win32Shell shell;
  Win32Elevation elevation;
  Platform platform{registry, files, clock, user, locale, power, services,
                    pathNames, windows, mutexes, shell, elevation};

  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;
  operator Platform&() { return platform; }
};

}  // namespace sm::platform
