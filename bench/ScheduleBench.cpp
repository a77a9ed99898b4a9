// A schedule of 100,000 lines: loading, next occurrences, sorting and saving, each against a
// plain read of the same file's bytes split into lines, measured in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory/MemoryPlatform.h"
#include "platform/posix/PosixFiles.h"
#include "schedule/Occurrence.h"
#include "schedule/ScheduleFile.h"

namespace {

using namespace sm;
using namespace sm::schedule;

constexpr int kLines = 100000;

struct Fixture {
  platform::MemoryPlatform mp;  // clock, locale; files come from the disk
  platform::PosixFiles disk;
  platform::Platform p{mp.registry, disk, mp.clock, mp.user,
                       mp.locale, mp.power, mp.services, mp.pathNames};
  std::string dir = "/tmp/sm-bench-" + std::to_string(::getpid()) + "/";
  TScheduleUnit unit{p};
  std::vector<std::unique_ptr<TSchedule>> entries;

  Fixture() {
    std::string file = "[System]\r\nDataFormat=0,1,2,3,4,5,6,7\r\n[Schedule]\r\n";
    for (int i = 0; i < kLines; ++i) {
      const int day = 1 + i % 28, hour = i % 24, minute = (i * 7) % 60;
      char line[256];
      std::snprintf(line, sizeof line,
                    "Schedule%d=2005/%02d/%02d %02d:%02d:00,%05d,%d,%d,0,C:\\Program Files\\表計算\\"
                    "tool%d.exe,/arg %d,メモ %d\r\n",
                    i, 1 + i % 12, day, hour, minute, (i % 3 == 0) ? (i % 128) : 0, i % 4, i % 7,
                    i, i, i);
      file += line;
    }
    std::system(("mkdir -p " + dir).c_str());
    disk.Replace(dir + "Schedule.ini", file);
    unit.DataFormatStr = DataFormatStr1302;
    unit.SetDataFormat(1.5);
    entries = TScheduleFile(disk, dir).Load(unit, nullptr).entries;
  }
  ~Fixture() { std::system(("rm -rf " + dir).c_str()); }
};

Fixture& F() {
  static Fixture f;  // built once for the whole run, outside the timings
  return f;
}

void SetLines(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_PlainReadSplit(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    const std::string bytes = f.disk.Read(f.dir + "Schedule.ini").value();
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
      if (bytes[i] == '\n') {
        lines.emplace_back(bytes, start, i - start);
        start = i + 1;
      }
    benchmark::DoNotOptimize(lines.data());
  }
  SetLines(state);
}

void BM_Load(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    LoadedSchedule s = TScheduleFile(f.disk, f.dir).Load(f.unit, nullptr);
    benchmark::DoNotOptimize(s.entries.data());
  }
  SetLines(state);
}

void BM_NextOccurrence(benchmark::State& state) {
  Fixture& f = F();
  const TDateTime now = Now(f.mp.clock);
  for (auto _ : state) {
    double sum = 0;
    for (const auto& e : f.entries) sum += GetNearestDateTime(e->WeekSet(), e->DateTime(), now);
    benchmark::DoNotOptimize(sum);
  }
  SetLines(state);
}

void BM_Sort(benchmark::State& state) {
  Fixture& f = F();
  std::vector<const TSchedule*> view;
  for (const auto& e : f.entries) view.push_back(e.get());
  for (auto _ : state) {
    std::vector<const TSchedule*> v = view;  // file order, as after loading
    SortSchedules(v);
    benchmark::DoNotOptimize(v.data());
  }
  SetLines(state);
}

void BM_Save(benchmark::State& state) {
  Fixture& f = F();
  std::vector<const TSchedule*> view;
  for (const auto& e : f.entries) view.push_back(e.get());
  TScheduleFile out(f.disk, f.dir + "out-");
  for (auto _ : state) out.Save(f.unit, view);
  SetLines(state);
}

BENCHMARK(BM_PlainReadSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextOccurrence)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's seconds per iteration for the summary.
class Summary : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  std::vector<std::string> order;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.iterations == 0) continue;
      const std::string name = r.benchmark_name();
      if (!seconds.count(name)) order.push_back(name);
      seconds[name] = r.real_accumulated_time / static_cast<double>(r.iterations);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Summary summary;
  benchmark::RunSpecifiedBenchmarks(&summary);
  const double plain = summary.seconds.count("BM_PlainReadSplit") ? summary.seconds["BM_PlainReadSplit"] : 0;
  std::printf("\n%-20s %14s %16s\n", "schedule of 100000", "lines/s", "time vs plain");
  for (const std::string& name : summary.order) {
    const double s = summary.seconds[name];
    std::printf("%-20s %14.0f %15.1fx\n", name.c_str(), kLines / s, plain > 0 ? s / plain : 0.0);
  }
  benchmark::Shutdown();
  return 0;
}
