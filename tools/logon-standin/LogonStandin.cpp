// STAND-IN for Windows starting the Run key's programs at logon. Used by the end-to-end tests
// only; never shipped. On a system with user account control an administrator's logon programs
// get the filtered half of the administrator's token; this program starts the given command line
// with that filtered token, as the logon would, waits for it and answers its exit code.
//
// Command line: LogonStandin.exe PROGRAM [ARGUMENTS...]   (the rest of the line is passed on as is)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The command line after this program's own name.
std::wstring Rest() {
  const wchar_t* s = GetCommandLineW();
  if (*s == L'"') {
    s = std::wcschr(s + 1, L'"');
    s = s ? s + 1 : L"";
  } else {
    while (*s && *s != L' ' && *s != L'\t') ++s;
  }
  while (*s == L' ' || *s == L'\t') ++s;
  return s;
}

}  // namespace

int main() {
  std::wstring cmd = Rest();
  if (cmd.empty()) {
    std::fprintf(stderr, "usage: LogonStandin PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &token)) {
    std::fprintf(stderr, "cannot open the process token (error %lu)\n", GetLastError());
    return 2;
  }
  TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
  DWORD size = 0;
  GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size);
  HANDLE filtered = nullptr;
  if (type == TokenElevationTypeFull) {
    TOKEN_LINKED_TOKEN linked{};
    if (!GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size)) {
      std::fprintf(stderr, "no filtered token (error %lu)\n", GetLastError());
      CloseHandle(token);
      return 2;
    }
    filtered = linked.LinkedToken;
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // Without a full token to filter, the program starts with this one, as the logon would.
  BOOL started = filtered ? CreateProcessAsUserW(filtered, nullptr, cmd.data(), nullptr, nullptr, FALSE,
                                                 0, nullptr, nullptr, &si, &pi)
                          : CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                           nullptr, &si, &pi);
  DWORD error = GetLastError();
  if (filtered) CloseHandle(filtered);
  CloseHandle(token);
  if (!started) {
    std::fprintf(stderr, "cannot start the program (error %lu)\n", error);
    return 2;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}
