#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <powrprof.h>

#include <thread>

#include "platform/win32/Text.h"

namespace sm::platform {

using win32::Narrow;
using win32::Wide;

namespace win32 {

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace win32

namespace {

class Win32Key : public RegKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}
  ~Win32Key() override { RegCloseKey(key_); }
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  std::optional<RegValue> Get(const std::string& name) override {
    std::wstring wname = Wide(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    std::string buf(size, '\0');
    if (RegQueryValueExW(key_, wname.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buf.data()), &size) != ERROR_SUCCESS)
      return std::nullopt;
    buf.resize(size);
    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ: {
        std::wstring w(reinterpret_cast<const wchar_t*>(buf.data()), buf.size() / 2);
        while (!w.empty() && w.back() == L'\0') w.pop_back();
        return RegValue::Text(Narrow(w));
      }
      case REG_DWORD:
        return RegValue{RegType::DWord, buf};
      default:
        return RegValue::Bytes(buf);
    }
  }

  bool Set(const std::string& name, const RegValue& value) override {
    std::wstring wname = Wide(name);
    LONG rc;
    if (value.type == RegType::String) {
      std::wstring w = Wide(value.data);
      rc = RegSetValueExW(key_, wname.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                          static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
    } else {
      rc = RegSetValueExW(key_, wname.c_str(), 0,
                          value.type == RegType::DWord ? REG_DWORD : REG_BINARY,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size()));
    }
    return rc == ERROR_SUCCESS;
  }

  bool Remove(const std::string& name) override {
    return RegDeleteValueW(key_, Wide(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

// Closes a handle when the scope ends.
struct Handle {
  HANDLE h;
  explicit Handle(HANDLE x) : h(x) {}
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void Close() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
  }
};

std::string ErrorText(const char* what) {
  return std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
}

bool Transient(DWORD e) {
  return e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION || e == ERROR_ACCESS_DENIED;
}

}  // namespace

std::unique_ptr<RegKey> Win32Registry::Open(const std::string& subkey, RegAccess access,
                                            bool create) {
  REGSAM sam = access == RegAccess::Read ? KEY_READ : (KEY_READ | KEY_WRITE);
  HKEY key = nullptr;
  std::wstring w = Wide(subkey);
  LONG rc = create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, w.c_str(), 0, nullptr, 0, sam, nullptr,
                                     &key, nullptr)
                   : RegOpenKeyExW(HKEY_LOCAL_MACHINE, w.c_str(), 0, sam, &key);
  if (rc != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32Key>(key);
}

bool Win32Files::Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32Files::Read(const std::string& path) {
  std::wstring w = Wide(path);
  // Other programs keep reading and writing the file through the platform's profile functions,
  // which share read, write and delete; a short retry covers a writer that holds it exclusively.
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 10; ++attempt) {
    h = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) break;
    DWORD e = GetLastError();
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) return std::nullopt;
    if (e != ERROR_SHARING_VIOLATION && e != ERROR_LOCK_VIOLATION) break;
    Sleep(25 * (attempt + 1));
  }
  if (h == INVALID_HANDLE_VALUE) throw IoError(path, ErrorText("cannot open"));
  Handle file(h);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) throw IoError(path, ErrorText("cannot size"));
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 30));
    if (!ReadFile(h, bytes.data() + got, want, &n, nullptr)) throw IoError(path, ErrorText("cannot read"));
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

void Win32Files::Replace(const std::string& path, const std::string& bytes) {
  std::wstring target = Wide(path);
  DWORD attrs = GetFileAttributesW(target.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
    throw IoError(path, "the file is read-only");

  // The new contents go to a temporary file beside the target, are flushed, and then take the
  // target's place in one step.
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (unsigned n = 0; n < 100 && h == INVALID_HANDLE_VALUE; ++n) {
    temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
        GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
  if (h == INVALID_HANDLE_VALUE) throw IoError(path, ErrorText("cannot create a temporary file"));
  {
    Handle file(h);
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
      DWORD n = 0;
      DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      ok = WriteFile(h, bytes.data() + done, want, &n, nullptr) && n > 0;
      done += n;
    }
    if (!ok || !FlushFileBuffers(h)) {
      std::string why = ErrorText("cannot write");
      file.Close();
      DeleteFileW(temp.c_str());
      throw IoError(path, why);
    }
  }
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return;
    DWORD e = GetLastError();
    if (!Transient(e) || attempt == 10) {
      std::string why = ErrorText("cannot replace");
      DeleteFileW(temp.c_str());
      throw IoError(path, why);
    }
    Sleep(static_cast<DWORD>(10 * (attempt + 1)));
  }
}

bool Win32Files::Remove(const std::string& path) {
  if (DeleteFileW(Wide(path).c_str())) return true;
  DWORD e = GetLastError();
  return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
}

std::string Win32Files::ExecutablePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return Narrow(buf);
    }
    buf.resize(buf.size() * 2);
  }
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
          st.wDayOfWeek};
}

std::string Win32User::LogonName() {
  DWORD size = 0;
  GetUserNameW(nullptr, &size);
  if (size == 0) return {};
  std::wstring buf(size, L'\0');
  if (!GetUserNameW(buf.data(), &size)) return {};
  buf.resize(size > 0 ? size - 1 : 0);
  return Narrow(buf);
}

const LocaleInfo& Win32Locale::Info() {
  if (loaded_) return info_;
  auto get = [](LCTYPE type, const std::string& fallback) {
    wchar_t buf[128];
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 128);
    return n > 1 ? Narrow(std::wstring(buf, static_cast<size_t>(n - 1))) : fallback;
  };
  LocaleInfo ja = JapaneseLocale();
  info_.shortDate = get(LOCALE_SSHORTDATE, ja.shortDate);
  info_.longTime = get(LOCALE_STIMEFORMAT, ja.longTime);
  info_.dateSeparator = get(LOCALE_SDATE, "/")[0];
  info_.timeSeparator = get(LOCALE_STIME, ":")[0];
  info_.decimalSeparator = get(LOCALE_SDECIMAL, ".")[0];
  static const LCTYPE days[7] = {LOCALE_SABBREVDAYNAME7, LOCALE_SABBREVDAYNAME1,
                                 LOCALE_SABBREVDAYNAME2, LOCALE_SABBREVDAYNAME3,
                                 LOCALE_SABBREVDAYNAME4, LOCALE_SABBREVDAYNAME5,
                                 LOCALE_SABBREVDAYNAME6};
  for (int i = 0; i < 7; ++i) info_.shortDayNames[i] = get(days[i], ja.shortDayNames[i]);
  info_.timeAM = get(LOCALE_S1159, ja.timeAM);
  info_.timePM = get(LOCALE_S2359, ja.timePM);
  loaded_ = true;
  return info_;
}

bool Win32Clock::SetNow(const LocalTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  st.wMilliseconds = static_cast<WORD>(t.millisecond);
  return ::SetLocalTime(&st) != 0;
}

void Win32Clock::Sleep(int ms) { ::Sleep(static_cast<DWORD>(ms)); }

WindowId Win32Windows::FindByClass(const std::string& windowClass) {
  return reinterpret_cast<WindowId>(::FindWindowW(win32::Wide(windowClass).c_str(), nullptr));
}

bool Win32Windows::Post(WindowId window, unsigned message, std::uintptr_t wParam,
                        std::intptr_t lParam) {
  return ::PostMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam) != 0;
}

bool Win32Mutexes::Exists(const std::string& name) {
  HANDLE h = ::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, win32::Wide(name).c_str());
  if (!h) return false;
  ::CloseHandle(h);
  return true;
}

bool Win32Shell::Open(const std::string& path) {
  auto r = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", win32::Wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return r > 32;
}

bool Win32Shell::Start(const std::string& commandLine) {
  std::wstring cmd = win32::Wide(commandLine);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

bool Win32Elevation::Filtered() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  Handle owned(token);
  TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size)) return false;
  return type == TokenElevationTypeLimited;
}

ElevatedRun Win32Elevation::RunElevated(const std::string& program, const std::string& parameters) {
  std::wstring file = win32::Wide(program), params = win32::Wide(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
  info.lpVerb = L"runas";
  info.lpFile = file.c_str();
  info.lpParameters = params.c_str();
  info.nShow = SW_SHOWNORMAL;
  ElevatedRun run;
  if (!::ShellExecuteExW(&info)) {
    run.error = ::GetLastError();
    run.outcome = run.error == ERROR_CANCELLED ? ElevatedRun::Outcome::Declined
                                               : ElevatedRun::Outcome::Failed;
    return run;
  }
  if (!info.hProcess) return run;   // started through another program: nothing to wait for
  Handle process(info.hProcess);
  DWORD code = 0;
  if (::WaitForSingleObject(info.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(info.hProcess, &code)) {
    run.error = ::GetLastError();
    return run;
  }
  run.outcome = ElevatedRun::Outcome::Ended;
  run.exitCode = code;
  return run;
}

bool Win32Power::EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return false;
  Handle owned(token);
  TOKEN_PRIVILEGES tp{};
  if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &tp.Privileges[0].Luid))
    return false;
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // Counts as obtained when the call succeeds, also when it could not assign the privilege
  // (ERROR_NOT_ALL_ASSIGNED): the exit call then fails and says so.
  return AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr) != FALSE;
}

bool Win32Power::RequestExit(unsigned flags) { return ExitWindowsEx(flags, 0) != FALSE; }

bool Win32Power::Suspend(bool hibernate) {
  return SetSuspendState(hibernate ? TRUE : FALSE, FALSE, FALSE) != FALSE;
}

bool Win32Power::HibernationAllowed() { return IsPwrHibernateAllowed() != FALSE; }

OsVersionInfo Win32Power::Version() {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  OsVersionInfo r{};
  if (!GetVersionExW(&v)) return r;
  r.platformId = v.dwPlatformId;
  r.major = v.dwMajorVersion;
  r.minor = v.dwMinorVersion;
  r.build = v.dwBuildNumber;
  return r;
}

namespace {

class Win32Service : public Service {
 public:
  explicit Win32Service(SC_HANDLE h) : h_(h) {}
  ~Win32Service() override { CloseServiceHandle(h_); }
  Win32Service(const Win32Service&) = delete;
  Win32Service& operator=(const Win32Service&) = delete;
  std::optional<uint32_t> Control(uint32_t code) override {
    SERVICE_STATUS status{};
    if (!ControlService(h_, code, &status)) return std::nullopt;
    return status.dwCurrentState;
  }

 private:
  SC_HANDLE h_;
};

class Win32Manager : public ServiceManager {
 public:
  explicit Win32Manager(SC_HANDLE h) : h_(h) {}
  ~Win32Manager() override { CloseServiceHandle(h_); }
  Win32Manager(const Win32Manager&) = delete;
  Win32Manager& operator=(const Win32Manager&) = delete;
  std::unique_ptr<Service> Open(const std::string& name) override {
    SC_HANDLE s = OpenServiceW(h_, Wide(name).c_str(), SERVICE_ALL_ACCESS);
    if (!s) return nullptr;
    return std::make_unique<Win32Service>(s);
  }

 private:
  SC_HANDLE h_;
};

}  // namespace

std::unique_ptr<ServiceManager> Win32Services::OpenManager() {
  SC_HANDLE h = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!h) return nullptr;
  return std::make_unique<Win32Manager>(h);
}

std::optional<std::string> Win32PathNames::ShortForm(const std::string& path) {
  std::wstring w = Wide(path);
  wchar_t buf[MAX_PATH];
  DWORD n = GetShortPathNameW(w.c_str(), buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::nullopt;
  std::string s = Narrow(std::wstring(buf, n));
  if (s.size() > 259) return std::nullopt;
  return s;
}

}  // namespace sm::platform
