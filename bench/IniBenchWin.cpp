// Under Wine: a schedule section written and read through the settings-file engine and through
// the platform's profile functions (one key per call, and one section per call), with ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "bench/ScheduleText.h"
#include "platform/win32/Win32Platform.h"
#include "shared/IniFile.h"

namespace {

double Seconds(const std::function<void()>& f, int repeat) {
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  double best = 1e30;
  for (int i = 0; i < repeat; ++i) {
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    best = std::min(best, double(b.QuadPart - a.QuadPart) / double(freq.QuadPart));
  }
  return best;
}

std::string SectionBlock(const std::vector<sm::ini::Entry>& entries) {
  std::string block;
  for (const auto& e : entries) block += e.key + "=" + e.value + '\0';
  block += '\0';
  return block;
}

std::string ReadSectionCall(const std::string& path) {
  std::string buf(1 << 16, '\0');
  for (;;) {
    DWORD n = GetPrivateProfileSectionA("Schedule", buf.data(), static_cast<DWORD>(buf.size()),
                                        path.c_str());
    if (n + 2 < buf.size()) return buf.substr(0, n);
    buf.resize(buf.size() * 2);
  }
}

}  // namespace

int main() {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  const std::string dir = std::string(tmp) + "sm-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  sm::platform::Win32Files files;

  for (int n : {4000, 100000}) {
    auto entries = sm::bench::ScheduleEntries(n);
    const std::string enginePath = dir + "engine" + std::to_string(n) + ".ini";
    const std::string apiPath = dir + "api" + std::to_string(n) + ".ini";
    files.Replace(enginePath, "[System]\r\nDataFormat=0,1,2,3,4,5,6,7\r\n");
    sm::IniFile ini(files, enginePath);

    double engineWrite = Seconds([&] { ini.ReplaceSection("Schedule", entries); }, 5);
    size_t got = 0;
    double engineRead = Seconds([&] { got = ini.ReadSection("Schedule").size(); }, 5);
    if (got != entries.size()) std::printf("error: engine read %zu of %d lines\n", got, n);
    double plainRead = Seconds([&] { got = sm::bench::SplitLines(*files.Read(enginePath)).size(); }, 5);

    files.Replace(apiPath, "[System]\r\nDataFormat=0,1,2,3,4,5,6,7\r\n");
    std::string block = SectionBlock(entries);
    double sectionWrite = Seconds([&] { WritePrivateProfileSectionA("Schedule", block.c_str(), apiPath.c_str()); }, n > 4000 ? 1 : 3);
    double sectionRead = Seconds([&] { got = ReadSectionCall(apiPath).size(); }, 3);

    std::printf("%d lines (%zu bytes)\n", n, files.Read(enginePath)->size());
    std::printf("  engine:   write %.4f s, read %.4f s\n", engineWrite, engineRead);
    std::printf("  platform: write one section per call %.4f s, read one section per call %.4f s\n",
                sectionWrite, sectionRead);
    std::printf("  plain read of the bytes split into lines: %.4f s\n", plainRead);
    std::printf("  ratio engine read / plain read-and-split: %.2f\n", engineRead / plainRead);

    if (n == 4000) {
      // One key per call, as a per-key ini wrapper does: erase, then write each key; list the
      // keys, then read each one.
      double keyWrite = Seconds([&] {
        WritePrivateProfileStringA("Schedule", nullptr, nullptr, apiPath.c_str());
        for (const auto& e : entries)
          WritePrivateProfileStringA("Schedule", e.key.c_str(), e.value.c_str(), apiPath.c_str());
      }, 1);
      double keyRead = Seconds([&] {
        std::string keys(1 << 20, '\0');
        DWORD len = GetPrivateProfileStringA("Schedule", nullptr, "", keys.data(),
                                             static_cast<DWORD>(keys.size()), apiPath.c_str());
        char value[2048];
        size_t count = 0;
        for (size_t p = 0; p < len && keys[p]; p += strlen(&keys[p]) + 1, ++count)
          GetPrivateProfileStringA("Schedule", &keys[p], "", value, sizeof value, apiPath.c_str());
        got = count;
      }, 1);
      std::printf("  platform: write one key per call %.3f s, read one key per call %.3f s\n",
                  keyWrite, keyRead);
      std::printf("  ratio one-key-per-call / engine: write %.0f, read %.0f (target >= 100)\n",
                  keyWrite / engineWrite, keyRead / engineRead);
    }
  }
  return 0;
}
