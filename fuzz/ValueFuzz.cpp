// Arbitrary text through the settings file's real and date-time readers, and arbitrary values
// through their writers. Invariants: nothing crashes; a written real reads back to 15
// significant digits (below 1E308) and writes again as the same text; a written date-time reads back to the
// second in both the Windows and the Wine form of the Japanese short date.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

#include "shared/Settings.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  sm::platform::LocaleInfo windows = sm::platform::JapaneseLocale();
  sm::platform::LocaleInfo wine = windows;
  wine.shortDate = "yyyy/M/d";

  const double real = in.ConsumeFloatingPoint<double>();
  // Near the largest double, 15 digits round beyond it: such values are not round-tripped.
  if (std::isfinite(real) && std::fabs(real) < 1e308) {
    const std::string text = sm::FormatReal(real, '.');
    auto back = sm::ParseReal(text, '.');
    Check(back.has_value());
    Check(std::fabs(*back - real) <= std::fabs(real) * 1e-14);
    Check(sm::FormatReal(*back, '.') == text);
  }

  // Whole seconds from 0001-01-01 to 9999-12-31.
  const long long seconds = in.ConsumeIntegralInRange<long long>(-693593LL * 86400, 2958465LL * 86400 + 86399);
  const sm::TDateTime dt = sm::IncMilliSecond(0, seconds * 1000);
  for (const auto* locale : {&windows, &wine}) {
    auto back = sm::ParseDateTimeText(sm::FormatDateTimeText(dt, *locale), *locale);
    Check(back.has_value());
    Check(sm::SameDateTime(*back, dt));
  }

  const std::string text = in.ConsumeRemainingBytesAsString();
  (void)sm::ParseReal(text, '.');
  (void)sm::ParseDateTimeText(text, windows);
  (void)sm::ParseDateTimeText(text, wine);
  return 0;
}
