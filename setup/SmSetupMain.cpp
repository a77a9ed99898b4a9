// SmSetup: the wizard as the program's main window (start-up and rights in SetupStart.h).
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"
#include "setup/SetupStart.h"
#include "ui/win32/Win32Ui.h"

namespace {

// The arguments after the program name, as code page 932 text.
std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.push_back(sm::platform::win32::Narrow(argv[i]));
    LocalFree(argv);
  }
  return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  sm::platform::Win32Platform platform;
  sm::ui::win32::Win32Backend ui;
  ui.Title = "SmSetup";
  return sm::setup::RunSetup(ui, platform.platform, Arguments());
}
