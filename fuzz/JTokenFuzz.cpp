// jToken, the other cutting functions and both integer-list readers on any bytes: the first
// byte picks the delimiter and quoting, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "schedule/Schedule.h"
#include "shared/JString.h"

using namespace sm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kDelims[] = {",", "\\", "\"", "::", "表", "", "\x95", "\x81"};
  const char* delim = kDelims[data[0] & 7];
  const bool quoted = (data[0] & 8) != 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::string rest = text;
  size_t consumed = 0;
  for (int guard = 0; !rest.empty(); ++guard) {
    const size_t before = rest.size();
    const std::string token = jToken(rest, delim, quoted);
    if (rest.size() >= before || guard > static_cast<int>(text.size())) __builtin_trap();
    consumed += token.size();
  }
  if (consumed > text.size()) __builtin_trap();

  const int n = jLength(text);
  (void)jCopy(text, data[0] % 5, n);
  (void)jLeft(text, data[0] % 9);
  (void)jPos(delim, text);
  (void)jTrim(text);
  (void)ExtractFilePath(text);

  std::vector<int> list(data[0] % 6);
  const int count = ReadCommaDelimitedInteger(list, text);
  if (count < 0) __builtin_trap();
  try {
    (void)schedule::ReadCommaDelimitedInteger(list, text);
  } catch (const schedule::EConvertError&) {
  }
  return 0;
}
