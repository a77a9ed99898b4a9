// The schedule line reader on any bytes: the first byte picks a field order, the rest is the
// line. A line either reads (and then writes and reads back to the same text) or is refused
// with EConvertError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/memory/MemoryPlatform.h"
#include "schedule/Occurrence.h"
#include "schedule/Schedule.h"
#include "shared/Sjis.h"

using namespace sm;
using namespace sm::schedule;

namespace {
// Texts the line format cannot hold: a NUL ends a text, and a text ending in a lone lead byte
// takes the following "," as its second byte.
bool Representable(const std::string& line, const std::string& written) {
  if (line.find('\0') != std::string::npos) return false;
  for (size_t i = 0; i + 1 < written.size(); ++i)
    if (IsLeadByte(written[i]) && written[i + 1] == ',') return false;
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kOrders[] = {"0,1,2,3,4,5,6,7", "0,1,2", "0,1,2,3,4,5,6,7,8,9,10,11",
                                        "8,7,6,5,4,3,2,1,0", "0,1,99,-3,5"};
  platform::MemoryPlatform mp;
  TScheduleUnit unit(mp);
  unit.DataFormatStr = kOrders[data[0] % 5];
  unit.SetDataFormat(1.5);
  const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    TSchedule e(unit, line, nullptr);
    const std::string written = e.MakeScheduleStr(unit);
    TSchedule again(unit, written, nullptr);
    if (Representable(line, written) && again.MakeScheduleStr(unit) != written) __builtin_trap();
    e.SetNearestDateTime(Now(mp.clock));
    (void)e.GetDateStr(data[0] & 1, mp.locale.Info());
  } catch (const EConvertError&) {
  }
  // The same bytes as a field order.
  unit.DataFormatStr = line;
  try {
    unit.SetDataFormat(1.5);
  } catch (const EConvertError&) {
  }
  return 0;
}
