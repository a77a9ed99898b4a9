// STAND-IN for the resident host program "Solmora.exe". Used by the demo and the end-to-end
// tests only; never shipped. It keeps the host's side of the contract and nothing more:
//   - a main window of class "TSolmoraMainForm" that closes on message 1126 (wParam 0, lParam 1);
//   - started with "/S" or "/D" (either runs it);
//   - after a start that finds "System"/"RequestTimeLag" set in "Solmora.ini", it writes
//     "Timer"/"TimeLag" (the seconds since power-on, or /timelag:N) and clears the request;
//   - it loads "Solmora.dll" from its own folder when present and calls its four exports from
//     buttons or from the command line.
//
// Command line: HostStandin.exe [/S | /D] [/data:FOLDER\] [/timelag:N] [/call:NAME ...] [/quit]
//   NAME is schedule, setting, shutdown or about; each call's result is printed as
//   "NAME=RESULT" on standard output. /quit closes the window after the calls.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"
#include "shared/Folders.h"
#include "shared/Settings.h"

namespace {

constexpr UINT SM_MESSAGE_CLOSE = WM_USER + 102;  // 1126
constexpr UINT kRunCalls = WM_APP + 1;

// The exports, stdcall, found by their plain names.
using ShowSettingDlgFn = int(__stdcall*)(double* bios, int32_t* lag, int32_t* wait, int32_t* log,
                                         int32_t* bType, int32_t* iconDelay, int32_t* sDwnWait,
                                         uint8_t* eventResume, uint8_t* isForceSDwn,
                                         uint8_t* isLogEnabled, unsigned char* logfmt,
                                         int32_t logfmtCapacity, unsigned char* services,
                                         int32_t servicesCapacity);
using ShowShutDownDlgFn = int(__stdcall*)(int32_t mode, int32_t wait);
using ShowScheduleDlgFn = int(__stdcall*)(const unsigned char* path, int32_t id, int32_t maxGrp,
                                          int32_t lag);
using ShowAboutDlgFn = void(__stdcall*)(const unsigned char* version, int32_t yearTo);

struct Host {
  sm::platform::Win32Platform platform;
  sm::TFolders folders{platform};
  std::string dataDir;
  HMODULE library = nullptr;
  std::vector<std::string> calls;
  bool quit = false;
  HWND window = nullptr;

  // The host's own settings, as the settings dialog edits them.
  int32_t log = 100, sDwnWait = 10;
  uint8_t isLogEnabled = 1;
  unsigned char logfmt[256] = {0};
  unsigned char services[256] = {0};
};

Host* g_host = nullptr;  // the one host of this program, for the window procedure

void SetShortString(unsigned char* s, const std::string& text) {
  size_t n = text.size() > 255 ? 255 : text.size();
  s[0] = static_cast<unsigned char>(n);
  std::memcpy(s + 1, text.data(), n);
}

template <class F>
F Export(HMODULE library, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::string Call(Host& h, const std::string& name) {
  if (!h.library) return "no Solmora.dll";
  sm::TSolmoraSettings settings(h.platform, h.dataDir, h.folders.SmPath());
  if (name == "schedule") {
    auto fn = Export<ShowScheduleDlgFn>(h.library, "ShowScheduleDlg");
    if (!fn) return "missing export";
    unsigned char path[256];
    SetShortString(path, h.dataDir);
    return std::to_string(fn(path, -1, 0, settings.TimeLag()));
  }
  if (name == "setting") {
    auto fn = Export<ShowSettingDlgFn>(h.library, "ShowSettingDlg");
    if (!fn) return "missing export";
    double bios = settings.BiosBoot();
    int32_t lag = settings.TimeLag(), wait = settings.WaitingTime(), bType = settings.BiosType();
    int32_t iconDelay = settings.DelayIcon();
    uint8_t eventResume = settings.EventResume() ? 1 : 0;
    uint8_t isForce = settings.SelfShutDownMode() != 1 ? 1 : 0;
    int r = fn(&bios, &lag, &wait, &h.log, &bType, &iconDelay, &h.sDwnWait, &eventResume,
               &isForce, &h.isLogEnabled, h.logfmt, 255, h.services, 255);
    if (r == 1) {
      // Storing the values is the host's task.
      settings.WriteBiosType(bType);
      settings.WriteBiosBoot(bios);
      settings.WriteTimeLag(lag);
      settings.WriteWaitingTime(wait);
      settings.StoreDelayIcon(iconDelay);
      settings.StoreEventResume(eventResume != 0);
      settings.StoreSelfShutDownMode(isForce ? 0 : 1);
    }
    return std::to_string(r);
  }
  if (name == "shutdown") {
    auto fn = Export<ShowShutDownDlgFn>(h.library, "ShowShutDownDlg");
    if (!fn) return "missing export";
    return std::to_string(fn(1, h.sDwnWait));
  }
  if (name == "about") {
    auto fn = Export<ShowAboutDlgFn>(h.library, "ShowAboutDlg");
    if (!fn) return "missing export";
    unsigned char version[256];
    SetShortString(version, "1.410 (stand-in)");
    fn(version, 2026);
    return "done";
  }
  return "unknown call";
}

void Report(const std::string& name, const std::string& result) {
  std::printf("%s=%s\n", name.c_str(), result.c_str());
  std::fflush(stdout);
}

const wchar_t* const kButtons[] = {L"ShowScheduleDlg", L"ShowSettingDlg", L"ShowShutDownDlg",
                                   L"ShowAboutDlg"};
const char* const kCallNames[] = {"schedule", "setting", "shutdown", "about"};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      for (int i = 0; i < 4; ++i)
        CreateWindowW(L"BUTTON", kButtons[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                      10 + 34 * i, 200, 28, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                      nullptr, nullptr);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) >= 100 && LOWORD(wp) < 104) {
        const char* name = kCallNames[LOWORD(wp) - 100];
        Report(name, Call(*g_host, name));
      }
      return 0;
    case kRunCalls:
      for (const std::string& c : g_host->calls) Report(c, Call(*g_host, c));
      if (g_host->quit) DestroyWindow(hwnd);
      return 0;
    case SM_MESSAGE_CLOSE:
      if (wp == 0 && lp == 1) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

std::string ExeFolder(Host& h) {
  std::string exe = h.platform.files.ExecutablePath();
  size_t cut = exe.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : exe.substr(0, cut + 1);
}

// The start-up time: seconds since power-on.
int MeasuredTimeLag() { return static_cast<int>(GetTickCount() / 1000); }

}  // namespace

int main(int argc, char** argv) {
  Host host;
  g_host = &host;
  bool started = false;
  int timeLag = -1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "/S" || a == "/D" || a == "/s" || a == "/d") started = true;
    else if (a.rfind("/data:", 0) == 0) host.dataDir = a.substr(6);
    else if (a.rfind("/timelag:", 0) == 0) timeLag = std::atoi(a.c_str() + 9);
    else if (a.rfind("/call:", 0) == 0) host.calls.push_back(a.substr(6));
    else if (a == "/quit") host.quit = true;
  }
  if (!started) {
    std::fprintf(stderr, "usage: HostStandin.exe /S | /D [/data:FOLDER\\] [/timelag:N] "
                         "[/call:schedule|setting|shutdown|about ...] [/quit]\n");
    return 2;
  }
  if (host.dataDir.empty()) host.dataDir = host.folders.DataPath();

  // The start-up time asked for by the wizard's test boot.
  sm::TSettingsFile ini(host.platform, host.dataDir + "Solmora.ini");
  if (ini.ReadBool("System", "RequestTimeLag", false)) {
    ini.WriteInteger("Timer", "TimeLag", timeLag >= 0 ? timeLag : MeasuredTimeLag());
    ini.DeleteKey("System", "RequestTimeLag");
  }

  host.library = LoadLibraryW(sm::platform::win32::Wide(ExeFolder(host) + "Solmora.dll").c_str());

  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TSolmoraMainForm";
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterClassW(&wc)) return 1;
  host.window = CreateWindowW(L"TSolmoraMainForm", L"Solmora host (stand-in)",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 240,
                              200, nullptr, nullptr, wc.hInstance, nullptr);
  if (!host.window) return 1;
  if (!host.calls.empty() || host.quit) PostMessageW(host.window, kRunCalls, 0, 0);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (host.library) FreeLibrary(host.library);
  return 0;
}
