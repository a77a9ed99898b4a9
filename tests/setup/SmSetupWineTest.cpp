// SmSetup.exe as a real program under the window system: a prepared machine (uninstall
// registration, product key, data folder, the host stand-in as "Solmora.exe"), a start at the
// last page finished with its button, a value typed into a numeric field and stored, and a start
// without the product installed.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"
#include "shared/IniFile.h"

namespace {

using sm::platform::RegAccess;
using sm::platform::RegValue;
using sm::platform::win32::Narrow;
using sm::platform::win32::Wide;

const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora";
const char* kProduct = "Software\\Solmora";
const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* kCaption = L"Solmora セットアップ  Version 1.410";

struct Found {
  DWORD pid;
  std::wstring text, cls;
  HWND hwnd = nullptr;
};

BOOL CALLBACK FindChild(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  // Asked of the control itself: an edit keeps its text where GetWindowText from another
  // process does not look.
  wchar_t buf[256] = L"";
  DWORD_PTR got = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 1000, &got);
  if (f->text == buf) {
    f->hwnd = h;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindTop(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t cls[64];
  GetClassNameW(h, cls, 64);
  if (pid == f->pid && f->cls == cls && IsWindowVisible(h)) {
    f->hwnd = h;
    return FALSE;
  }
  return TRUE;
}

// The visible child window of a class (the hidden pages hold the others).
BOOL CALLBACK FindVisibleOfClass(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  wchar_t cls[64];
  GetClassNameW(h, cls, 64);
  if (f->cls == cls && IsWindowVisible(h)) {
    f->hwnd = h;
    return FALSE;
  }
  return TRUE;
}

template <class F>
bool WaitFor(F done, int ms = 20000) {
  for (int t = 0; t < ms; t += 100) {
    if (done()) return true;
    Sleep(100);
  }
  return false;
}

// The wizard's window, once it shows; nullptr when it did not.
HWND WaitForForm() {
  HWND form = nullptr;
  WaitFor([&] { return (form = FindWindowW(nullptr, kCaption)) != nullptr; });
  return form;
}

// The host stand-in's window, once it shows; nullptr when it did not.
HWND WaitForHost() {
  HWND host = nullptr;
  WaitFor([&] { return (host = FindWindowW(L"TSolmoraMainForm", nullptr)) != nullptr; });
  return host;
}

// A child of parent with this text, once it exists; nullptr when it did not.
HWND WaitForChild(HWND parent, const wchar_t* text) {
  Found f{0, text, L""};
  WaitFor([&] {
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&f));
    return f.hwnd != nullptr;
  });
  return f.hwnd;
}

// A shown top-level window of the process with this class ("#32770": a message box).
HWND WaitForTop(DWORD pid, const wchar_t* cls) {
  Found f{pid, L"", cls};
  WaitFor([&] {
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&f));
    return f.hwnd != nullptr;
  });
  return f.hwnd;
}

// Clicks the button with this caption; false when there is none.
bool Press(HWND form, const wchar_t* caption) {
  HWND button = WaitForChild(form, caption);
  return button && PostMessageW(button, BM_CLICK, 0, 0);
}

PROCESS_INFORMATION Launch(std::wstring cmd) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  EXPECT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << Narrow(cmd);
  return pi;
}

// Waits for the process to end and closes its handles: its exit code, or 99 when it did not end.
DWORD Ended(PROCESS_INFORMATION& pi) {
  DWORD code = 99;
  if (pi.hProcess && WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  pi = {};
  return code;
}

class SmSetupProgram : public ::testing::Test {
 protected:
  sm::platform::Win32Platform sys;
  std::string root, install, data;

  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    root = Narrow(tmp) + "smsetup-e2e\\";
    install = root + "Solmora\\";
    data = root + "Data\\";
    CreateDirectoryW(Wide(root).c_str(), nullptr);
    CreateDirectoryW(Wide(install).c_str(), nullptr);
    CreateDirectoryW(Wide(data).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Wide(SM_SMSETUP_EXE).c_str(), Wide(install + "SMSetup.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(Wide(SM_HOST_EXE).c_str(), Wide(install + "Solmora.exe").c_str(), FALSE));
    Set(kUninstall, "UninstallString", "\"" + install + "Uninst.exe\"");
    Set(kProduct, "DataPath", data);
    if (auto k = sys.registry.Open(kRun, RegAccess::ReadWrite, true)) k->Remove("Solmora");
    sys.files.Replace(data + "Solmora.ini",
                      "[System]\r\nDelayIcon=0\r\nEventResume=1\r\n"
                      "[Timer]\r\nTimeLag=95\r\nWaitingTime=75\r\nBiosBoot=2005/01/26 10:30:00\r\n"
                      "Adjustment=-0.01\r\n");
  }

  void TearDown() override {
    // The host stand-in started by the wizard is asked to close, as the wizard itself would.
    if (HWND host = FindWindowW(L"TSolmoraMainForm", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(host, &pid);
      HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
      PostMessageW(host, WM_USER + 102, 0, 1);
      if (process) {
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
      }
    }
    if (auto k = sys.registry.Open(kUninstall, RegAccess::ReadWrite, false)) k->Remove("UninstallString");
    if (auto k = sys.registry.Open(kProduct, RegAccess::ReadWrite, false)) k->Remove("DataPath");
    if (auto k = sys.registry.Open(kRun, RegAccess::ReadWrite, false)) k->Remove("Solmora");
  }

  void Set(const char* key, const char* name, const std::string& text) {
    auto k = sys.registry.Open(key, RegAccess::ReadWrite, true);
    ASSERT_TRUE(k);
    ASSERT_TRUE(k->Set(name, RegValue::Text(text)));
  }

  PROCESS_INFORMATION Start(const std::string& args) {
    return Launch(Wide("\"" + install + "SMSetup.exe\" " + args));
  }

  // The wizard's own process, found by its window.
  static DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
  }
  static DWORD ParentOf(DWORD pid) {
    DWORD parent = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof e;
    for (BOOL more = Process32FirstW(snap, &e); more; more = Process32NextW(snap, &e))
      if (e.th32ProcessID == pid) parent = e.th32ParentProcessID;
    CloseHandle(snap);
    return parent;
  }
  static TOKEN_ELEVATION_TYPE ElevationOf(DWORD pid) {
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return type;
    HANDLE token = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
      DWORD size = 0;
      GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size);
      CloseHandle(token);
    }
    CloseHandle(process);
    return type;
  }

  std::string RunValue() {
    auto k = sys.registry.Open(kRun, RegAccess::Read, false);
    if (!k) return "<none>";
    auto v = k->Get("Solmora");
    return v ? v->data : "<none>";
  }
  // The Run value hands the logon over to the host.
  void ExpectRunValueStartsTheHost() {
    const std::string run = RunValue();
    ASSERT_GT(run.size(), 15u);
    EXPECT_EQ(run.substr(run.size() - 15), "\\Solmora.exe /D") << run;
  }
};

TEST_F(SmSetupProgram, FinishedFromTheLastPageHandsOverToTheHost) {
  PROCESS_INFORMATION pi = Start("5");
  HWND form = WaitForForm();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(Press(form, L"終了"));
  EXPECT_EQ(Ended(pi), 0u);

  sm::IniFile ini(sys.files, data + "Solmora.ini");
  EXPECT_EQ(ini.ReadString("Timer", "WaitingTime", ""), "75");
  EXPECT_EQ(ini.ReadString("Timer", "Adjustment", ""), "0");
  // The locale's short date: "yyyy/MM/dd" on Windows, "yyyy/M/d" under Wine.
  const std::string alarm = ini.ReadString("Timer", "BiosBoot", "");
  EXPECT_TRUE(alarm == "2005/01/26 10:30:00" || alarm == "2005/1/26 10:30:00") << alarm;
  EXPECT_FALSE(ini.KeyExists("System", "DelayIcon"));
  EXPECT_FALSE(ini.KeyExists("System", "EventResume"));
  ExpectRunValueStartsTheHost();
  EXPECT_NE(WaitForHost(), nullptr);
}

// The resume after the test boot: the host, started at logon with the request set, measures
// the start-up time; the wizard started at page 3 closes the host, shows the measured seconds,
// enables the test-boot choice and, cancelled, starts the host again.
TEST_F(SmSetupProgram, ResumedAfterTheTestBootShowsWhatTheHostMeasured) {
  sys.files.Replace(data + "Solmora.ini",
                    "[System]\r\nRequestTimeLag=1\r\n[Timer]\r\nBiosBoot=2005/01/26 10:30:00\r\n");
  PROCESS_INFORMATION host =
      Launch(Wide("\"" + install + "Solmora.exe\" /D /data:" + data + " /timelag:95"));
  ASSERT_NE(WaitForHost(), nullptr);

  PROCESS_INFORMATION pi = Start("3");
  EXPECT_EQ(Ended(host), 0u) << "the host was not closed";
  HWND form = WaitForForm();
  ASSERT_NE(form, nullptr);
  EXPECT_NE(WaitForChild(form, L"35"), nullptr);   // 95 s: 1 min 35 s
  HWND done = WaitForChild(form, L"自動起動テストは終了している（シャットダウン＆自動起動をパスする）");
  ASSERT_NE(done, nullptr);
  EXPECT_TRUE(IsWindowEnabled(done));
  sm::IniFile ini(sys.files, data + "Solmora.ini");
  EXPECT_EQ(ini.ReadString("Timer", "TimeLag", ""), "95");
  EXPECT_FALSE(ini.KeyExists("System", "RequestTimeLag"));

  ASSERT_TRUE(Press(form, L"キャンセル"));
  HWND box = WaitForTop(pi.dwProcessId, L"#32770");   // the re-setup message
  ASSERT_NE(box, nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Ended(pi), 0u);
  EXPECT_NE(WaitForHost(), nullptr);
  EXPECT_EQ(RunValue(), "<none>");   // the wizard never removes or writes it on the way out
}

// Started at logon by the Run key with an administrator's filtered rights: the wizard starts
// itself again through the consent prompt and waits; the run that shows the pages hands the
// host's start back, so the host is started by the waiting run and keeps the filtered rights.
// (Wine grants the full rights without a prompt and does not raise the token, so the rights of
// the second run are not checked here.)
TEST_F(SmSetupProgram, StartedWithFilteredRightsRunsAgainAndTheWaitingRunStartsTheHost) {
  PROCESS_INFORMATION logon = Launch(Wide("\"" SM_LOGON_EXE "\" \"" + install + "SMSetup.exe\" 5"));
  HWND form = WaitForForm();
  ASSERT_NE(form, nullptr);
  const DWORD filtered = ParentOf(ProcessOf(form));
  EXPECT_NE(filtered, logon.dwProcessId);
  EXPECT_EQ(ParentOf(filtered), logon.dwProcessId);
  EXPECT_EQ(ElevationOf(filtered), TokenElevationTypeLimited);

  ASSERT_TRUE(Press(form, L"終了"));
  HWND host = WaitForHost();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(ParentOf(ProcessOf(host)), filtered);
  EXPECT_EQ(ElevationOf(ProcessOf(host)), TokenElevationTypeLimited);
  EXPECT_EQ(Ended(logon), 0u);
  ExpectRunValueStartsTheHost();
}

TEST_F(SmSetupProgram, TypedIconDelayIsStored) {
  PROCESS_INFORMATION pi = Start("4");
  HWND form = WaitForForm();
  ASSERT_NE(form, nullptr);
  Found field{pi.dwProcessId, L"", L"TSaNumEdit"};
  ASSERT_TRUE(WaitFor([&] {
    EnumChildWindows(form, FindVisibleOfClass, reinterpret_cast<LPARAM>(&field));
    return field.hwnd != nullptr;
  }));
  wchar_t text[16] = {};
  // Asked with the message itself: GetWindowText reads another process's window title instead.
  SendMessageW(field.hwnd, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"0");
  for (wchar_t c : {L'4', L'5'}) PostMessageW(field.hwnd, WM_CHAR, c, 1);
  ASSERT_TRUE(Press(form, L"次へ＞"));
  ASSERT_TRUE(Press(form, L"終了"));
  EXPECT_EQ(Ended(pi), 0u);

  sm::IniFile ini(sys.files, data + "Solmora.ini");
  EXPECT_EQ(ini.ReadString("System", "DelayIcon", ""), "45");
  EXPECT_EQ(ini.ReadString("Timer", "WaitingTime", ""), "75");
}

TEST_F(SmSetupProgram, WithoutTheProductInstalledShowsItsMessageAndWritesNothing) {
  if (auto k = sys.registry.Open(kUninstall, RegAccess::ReadWrite, false)) k->Remove("UninstallString");
  const std::string before = *sys.files.Read(data + "Solmora.ini");
  PROCESS_INFORMATION pi = Start("3");
  HWND box = WaitForTop(pi.dwProcessId, L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(WaitForChild(box, L"Solmoraがインストールされていません。"), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Ended(pi), 0u);
  EXPECT_EQ(*sys.files.Read(data + "Solmora.ini"), before);
  EXPECT_EQ(RunValue(), "<none>");
  EXPECT_EQ(FindWindowW(nullptr, kCaption), nullptr);
}

}  // namespace
