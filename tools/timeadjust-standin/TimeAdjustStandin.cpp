// STAND-IN for the product's time-adjust program. Used by the demo and the end-to-end tests
// only; never shipped. It keeps the one thing this system relies on: while it runs it holds a
// mutex named "SolmoraAdjustTime", and the mutex disappears when it ends.
//
// Command line: TimeAdjustStandin.exe SECONDS   (how long to hold the mutex; default 5)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  if (seconds < 0) seconds = 0;
  HANDLE mutex = CreateMutexW(nullptr, TRUE, L"SolmoraAdjustTime");
  if (!mutex) {
    std::fprintf(stderr, "cannot create the mutex (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("holding SolmoraAdjustTime for %d s\n", seconds);
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return 0;
}
