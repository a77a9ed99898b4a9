// Under Wine: the stand-ins for the host program and the time-adjust program keep their side of
// the contract (window class and message 1126, "TimeLag" after "RequestTimeLag", the mutex).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kTools = SM_TOOLS_DIR;

struct Process {
  PROCESS_INFORMATION pi{};
  bool ok = false;
  explicit Process(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cl = commandLine;
    ok = CreateProcessA(nullptr, cl.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  }
  ~Process() {
    if (!ok) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 9);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  bool Ended(DWORD ms) { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
};

// Polls for up to the given time.
template <class F>
bool Within(DWORD ms, F found) {
  for (DWORD waited = 0; waited <= ms; waited += 50) {
    if (found()) return true;
    Sleep(50);
  }
  return false;
}

bool MutexExists() {
  HANDLE m = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, L"SolmoraAdjustTime");
  if (!m) return false;
  CloseHandle(m);
  return true;
}

std::string TempFolder() {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  std::string dir = std::string(buf) + "sm-standin-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

TEST(HostStandin, FoundByItsClassAndClosesOnMessage1126) {
  ASSERT_EQ(FindWindowW(L"TSolmoraMainForm", nullptr), nullptr);
  for (const char* arg : {"/S", "/D"}) {
    Process host("\"" + kTools + "HostStandin.exe\" " + arg + " /data:" + TempFolder());
    ASSERT_TRUE(host.ok) << GetLastError();
    HWND w = nullptr;
    ASSERT_TRUE(Within(15000, [&] { return (w = FindWindowW(L"TSolmoraMainForm", nullptr)) != nullptr; }))
        << arg;
    // Only wParam 0 with lParam 1 closes it.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(w, WM_USER + 102, 1, 0, SMTO_BLOCK, 5000, &answer);
    SendMessageTimeoutW(w, WM_USER + 102, 0, 0, SMTO_BLOCK, 5000, &answer);
    EXPECT_TRUE(IsWindow(w)) << arg;
    PostMessageW(w, WM_USER + 102, 0, 1);
    EXPECT_TRUE(host.Ended(10000)) << arg;
    EXPECT_EQ(host.ExitCode(), 0u) << arg;
  }
}

TEST(HostStandin, MeasuresTheStartUpTimeWhenAsked) {
  const std::string dir = TempFolder() + "asked\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string ini = dir + "Solmora.ini";
  DeleteFileA(ini.c_str());  // process numbers repeat under Wine: a folder may be left from before
  WritePrivateProfileStringA("System", "RequestTimeLag", "1", ini.c_str());
  WritePrivateProfileStringA("Timer", "BiosType", "2", ini.c_str());
  Process host("\"" + kTools + "HostStandin.exe\" /S /timelag:95 /data:" + dir + " /quit");
  ASSERT_TRUE(host.ok);
  ASSERT_TRUE(host.Ended(15000));
  EXPECT_EQ(GetPrivateProfileIntA("Timer", "TimeLag", -1, ini.c_str()), 95u);
  EXPECT_EQ(GetPrivateProfileIntA("Timer", "BiosType", -1, ini.c_str()), 2u);
  char buf[16];
  GetPrivateProfileStringA("System", "RequestTimeLag", "(gone)", buf, sizeof buf, ini.c_str());
  EXPECT_STREQ(buf, "(gone)");

  // Not asked: nothing is written.
  WritePrivateProfileStringA("Timer", "TimeLag", nullptr, ini.c_str());
  Process again("\"" + kTools + "HostStandin.exe\" /D /timelag:40 /data:" + dir + " /quit");
  ASSERT_TRUE(again.ok);
  ASSERT_TRUE(again.Ended(15000));
  EXPECT_EQ(GetPrivateProfileIntA("Timer", "TimeLag", -1, ini.c_str()), static_cast<UINT>(-1));
}

// Runs the host stand-in with its standard output in a file; the output.
std::string RunHost(const std::string& exe, const std::string& args) {
  const std::string out = TempFolder() + "host-output.txt";
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = file;
  si.hStdError = file;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string cl = "\"" + exe + "\" " + args;
  bool ok = CreateProcessA(nullptr, cl.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(file);
  if (!ok) return "(not started)";
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 9);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::string text;
  HANDLE in = CreateFileA(out.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(in, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
  CloseHandle(in);
  std::string clean;  // line ends as "\n"
  for (char c : text)
    if (c != '\r') clean += c;
  return clean;
}

TEST(HostStandin, CallsTheLibrarysExportsFromItsCommandLine) {
  const std::string dir = TempFolder() + "calls\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string ini = dir + "Solmora.ini";
  DeleteFileA(ini.c_str());
  WritePrivateProfileStringA("Timer", "TimeLag", "95", ini.c_str());
  WritePrivateProfileStringA("Timer", "BiosType", "4", ini.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());  // flush the cache

  EXPECT_EQ(RunHost(kTools + "HostStandin.exe", "/S /call:about /quit"), "about=no Solmora.dll\n");

  const std::string out = RunHost(std::string(SM_FAKE_DLL_DIR) + "HostStandin.exe",
                                  "/S /data:" + dir +
                                      " /call:schedule /call:shutdown /call:about /call:setting /quit");
  EXPECT_NE(out.find("fake ShowScheduleDlg path=" + dir + " id=-1 maxGrp=0 lag=95\nschedule=2\n"),
            std::string::npos) << out;
  EXPECT_NE(out.find("fake ShowShutDownDlg mode=1 wait=10\nshutdown=1\n"), std::string::npos) << out;
  EXPECT_NE(out.find("fake ShowAboutDlg version=1.410 (stand-in) yearTo=2026\nabout=done\n"),
            std::string::npos) << out;
  EXPECT_NE(out.find(" lag=95 wait=10 log=100 bType=4 icon=0 sdwn=10 resume=1 force=0 logOn=1 "
                     "fmtcap=255 svccap=255\nsetting=1\n"),
            std::string::npos) << out;
  // After OK the host stores the values the dialog gave back.
  EXPECT_EQ(GetPrivateProfileIntA("Timer", "TimeLag", -1, ini.c_str()), 77u);
  EXPECT_EQ(GetPrivateProfileIntA("System", "DelayIcon", -1, ini.c_str()), 30u);
  EXPECT_EQ(GetPrivateProfileIntA("System", "EventResume", -1, ini.c_str()), 0u);
}

TEST(TimeAdjustStandin, HoldsTheMutexWhileItRuns) {
  ASSERT_FALSE(MutexExists());
  Process adjust("\"" + kTools + "TimeAdjustStandin.exe\" 2");
  ASSERT_TRUE(adjust.ok);
  EXPECT_TRUE(Within(10000, MutexExists));
  ASSERT_TRUE(adjust.Ended(15000));
  EXPECT_FALSE(MutexExists());
}

}  // namespace
