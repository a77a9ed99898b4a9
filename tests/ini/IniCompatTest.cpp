// The compatibility table against the engine, natively, on the in-memory file seam.
#include "platform/memory/MemoryPlatform.h"
#include "tests/ini/IniCaseRunner.h"

namespace sm::testing {
namespace {

TEST(IniCompatibility, EngineAnswersEveryCase) {
  auto cases = IniCompatibilityCases();
  for (const IniCase& c : cases) {
    platform::MemoryFiles files;
    EngineBackend engine(files, "C:\\Data\\Test.ini");
    RunIniCase(c, engine);
  }
}

}  // namespace
}  // namespace sm::testing
