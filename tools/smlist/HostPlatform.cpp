#include "tools/smlist/HostPlatform.h"

#include <cstdio>

#include "platform/memory/MemoryPlatform.h"
#include "shared/Sjis.h"

#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#else
#include <iconv.h>
#include <sys/time.h>

#include <ctime>

#include "platform/posix/PosixFiles.h"
#endif

namespace host {
namespace {

using namespace sm;

class FixedClock : public platform::Clock {
 public:
  explicit FixedClock(platform::Clock& real) : real_(real) {}
  bool fixed = false;
  platform::LocalTime at;
  platform::LocalTime Now() override { return fixed ? at : real_.Now(); }

 private:
  platform::Clock& real_;
};

#ifndef _WIN32
// Windows-style paths onto this machine's files: each "\" that is a character of its own
// becomes "/".
std::string ToPosix(const std::string& p) {
  std::string r = p;
  for (size_t i = 0; i < r.size(); i += CharLen(r, i))
    if (CharLen(r, i) == 1 && r[i] == '\\') r[i] = '/';
  return r;
}

class LinuxFiles : public platform::Files {
 public:
  bool Exists(const std::string& path) override { return posix_.Exists(ToPosix(path)); }
  std::optional<std::string> Read(const std::string& path) override { return posix_.Read(ToPosix(path)); }
  void Replace(const std::string& path, const std::string& bytes) override {
    posix_.Replace(ToPosix(path), bytes);
  }
  bool Remove(const std::string& path) override { return posix_.Remove(ToPosix(path)); }
  std::string ExecutablePath() override {
    std::string p = posix_.ExecutablePath();
    for (char& c : p)
      if (c == '/') c = '\\';
    return p;
  }

 private:
  platform::PosixFiles posix_;
};

class LinuxClock : public platform::Clock {
 public:
  platform::LocalTime Now() override {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    const std::time_t secs = tv.tv_sec;
    localtime_r(&secs, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
            tm.tm_sec,         static_cast<int>(tv.tv_usec / 1000), tm.tm_wday};
  }
};
#endif

}  // namespace

struct HostPlatform::Impl {
#ifdef _WIN32
  platform::Win32Platform real;
  platform::Files& files = real.files;
  platform::Registry& registry = real.registry;
  platform::User& user = real.user;
  platform::Locale& locale = real.locale;
  platform::Power& power = real.power;
  platform::Services& services = real.services;
  platform::PathNames& pathNames = real.pathNames;
  FixedClock clock{real.clock};
#else
  LinuxFiles files;
  platform::MemoryRegistry registry;
  platform::MemoryUser user;
  platform::MemoryLocale locale;
  platform::MemoryPower power;
  platform::MemoryServices services;
  platform::MemoryPathNames pathNames;
  LinuxClock realClock;
  FixedClock clock{realClock};
#endif
  platform::Platform platform{registry, files, clock, user, locale, power, services, pathNames};
  std::string dataFolder;
};

HostPlatform::HostPlatform(const std::string& folder) : impl_(std::make_unique<Impl>()) {
  std::string f = folder;
#ifndef _WIN32
  for (char& c : f)
    if (c == '/') c = '\\';
  impl_->registry.SetText("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora",
                          "UninstallString",
                          (f.empty() || f.back() == '\\' ? f : f + "\\") + "Uninst.exe");
#endif
  if (!f.empty() && f.back() != '\\' && f.back() != ':') f += '\\';
  impl_->dataFolder = f;
}

HostPlatform::~HostPlatform() = default;
platform::Platform& HostPlatform::platform() { return impl_->platform; }
const std::string& HostPlatform::DataFolder() const { return impl_->dataFolder; }

void HostPlatform::FixTime(TDateTime at) {
  const DateParts d = DecodeDate(at);
  const TimeParts t = DecodeTime(at);
  impl_->clock.at = {d.year, d.month, d.day, t.hour, t.minute, t.second, t.millisecond,
                     IsoWeekday(at) % 7};
  impl_->clock.fixed = true;
}

namespace {
void Write(std::FILE* out, const std::string& text) {
#ifdef _WIN32
  std::fwrite(text.data(), 1, text.size(), out);
#else
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::fwrite(text.data(), 1, text.size(), out);
    return;
  }
  std::string in = text, result(text.size() * 3 + 16, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = result.data();
  size_t dstLeft = result.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
      if (dstLeft == 0) break;
      *dst++ = '?';  // a byte that is no code page 932 character
      --dstLeft;
      ++src;
      --srcLeft;
    }
  }
  iconv_close(cd);
  std::fwrite(result.data(), 1, result.size() - dstLeft, out);
#endif
}
}  // namespace

void Print(const std::string& cp932) { Write(stdout, cp932); }
void PrintError(const std::string& cp932) { Write(stderr, cp932); }

}  // namespace host
