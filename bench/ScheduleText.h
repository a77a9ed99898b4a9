#pragma once
// Schedule sections of realistic length for the settings-file benchmarks.
#include <string>
#include <vector>

#include "shared/IniFormat.h"

namespace sm::bench {

inline std::vector<ini::Entry> ScheduleEntries(int n) {
  std::vector<ini::Entry> out;
  out.reserve(static_cast<size_t>(n));
  static const char* notes[] = {"毎朝のバックアップ", "定期メンテナンス", "", "録画予約 ゾーン表示"};
  for (int i = 0; i < n; ++i) {
    char date[40];
    snprintf(date, sizeof date, "20%02d/%02d/%02d %02d:%02d:00", 25 + i % 5, 1 + i % 12,
             1 + i % 28, i % 24, (i * 7) % 60);
    std::string v = std::string(date) + "," + std::to_string(31 + i % 96) + "," +
                    std::to_string(i % 4) + ",0,C:\\Program Files\\Tools\\app" +
                    std::to_string(i % 50) + ".exe,/quiet /log," + notes[i % 4] + ",0";
    out.push_back({"Schedule" + std::to_string(i), v});
  }
  return out;
}

inline std::string ScheduleFile(int n) {
  return ini::ReplaceSection("[System]\r\nDataFormat=0,1,2,3,4,5,6,7\r\n", "Schedule",
                             ScheduleEntries(n));
}

// The baseline: the file's bytes split into lines, nothing else.
inline std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      size_t end = (i > start && bytes[i - 1] == '\r') ? i - 1 : i;
      lines.emplace_back(bytes, start, end - start);
      start = i + 1;
    }
  }
  if (start < bytes.size()) lines.emplace_back(bytes, start, bytes.size() - start);
  return lines;
}

}  // namespace sm::bench
