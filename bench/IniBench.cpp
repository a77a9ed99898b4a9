// Writing and reading a schedule section through the settings-file engine on real files, against
// a plain read of the same bytes split into lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "bench/ScheduleText.h"
#include "platform/posix/PosixFiles.h"
#include "shared/IniFile.h"

namespace {

std::string TempPath(int n) {
  return "/tmp/sm-inibench-" + std::to_string(getpid()) + "-" + std::to_string(n) + ".ini";
}

void BM_EngineWriteSection(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  sm::platform::PosixFiles files;
  std::string path = TempPath(n);
  files.Replace(path, "[System]\r\nDataFormat=0,1,2,3,4,5,6,7\r\n");
  sm::IniFile ini(files, path);
  auto entries = sm::bench::ScheduleEntries(n);
  for (auto _ : state) ini.ReplaceSection("Schedule", entries);
  state.SetItemsProcessed(state.iterations() * n);
  files.Remove(path);
}

void BM_EngineReadSection(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  sm::platform::PosixFiles files;
  std::string path = TempPath(n);
  files.Replace(path, sm::bench::ScheduleFile(n));
  sm::IniFile ini(files, path);
  for (auto _ : state) {
    auto entries = ini.ReadSection("Schedule");
    benchmark::DoNotOptimize(entries.data());
    if (entries.size() != static_cast<size_t>(n)) state.SkipWithError("wrong count");
  }
  state.SetItemsProcessed(state.iterations() * n);
  files.Remove(path);
}

void BM_PlainReadSplit(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  sm::platform::PosixFiles files;
  std::string path = TempPath(n);
  files.Replace(path, sm::bench::ScheduleFile(n));
  for (auto _ : state) {
    auto lines = sm::bench::SplitLines(*files.Read(path));
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
  files.Remove(path);
}

BENCHMARK(BM_EngineWriteSection)->Arg(4000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineReadSection)->Arg(4000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadSplit)->Arg(4000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Prints the ratio the engine is held to: reading 100,000 lines against the plain read.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_name.str() == "BM_EngineReadSection/100000") engine_ = r.GetAdjustedRealTime();
      if (r.run_name.str() == "BM_PlainReadSplit/100000") plain_ = r.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (engine_ > 0 && plain_ > 0)
      std::printf("ratio: engine read of 100000 lines / plain read-and-split = %.2f (target <= 3)\n",
                  engine_ / plain_);
  }

 private:
  double engine_ = 0, plain_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
