// Arbitrary file bytes through the settings-file parser and editor. Invariants: nothing crashes;
// a written key reads back; writing twice changes nothing more; a new section leaves every old
// byte in place; a replaced section reads back as written; a written key can be deleted.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "shared/IniFormat.h"

using namespace sm::ini;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Names the writer accepts and that read back as themselves.
std::string Name(FuzzedDataProvider& in) {
  static const char* names[] = {"S", "s", "Schedule", "System", "ゾーン", "表", "k", "Timer", "a b", ""};
  return names[in.ConsumeIntegralInRange<size_t>(0, std::size(names) - 1)];
}

std::string Value(FuzzedDataProvider& in) {
  std::string v = in.ConsumeRandomLengthString(64);
  std::string out;
  for (char c : v)
    if (c != '\r' && c != '\n' && c != '\0') out += c;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::string section = Name(in), key = Name(in), value = Value(in);
  if (key.empty()) key = "k";
  std::string file = in.ConsumeRemainingBytesAsString();

  // Reading never fails.
  (void)Find(file, section, key);
  (void)Section(file, section);
  (void)SectionNames(file);

  std::string once = Write(file, section, key, value);
  Check(Find(once, section, key) == value);
  Check(Write(once, section, key, value) == once);

  std::string fresh = Write(file, "NewSection-Fuzz", key, value);
  Check(fresh.compare(0, file.size(), file) == 0);

  std::vector<Entry> entries = {{key, value}, {key + "2", "x"}};
  std::string replaced = ReplaceSection(file, section, entries);
  Check(Section(replaced, section) == entries);

  std::string deleted = DeleteKey(once, section, key);
  Check(deleted.size() < once.size());
  (void)EraseSection(file, section);
  return 0;
}
