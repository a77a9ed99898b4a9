#include "platform/Registry.h"
#include "platform/System.h"

namespace sm::platform {

RegValue RegValue::DWord(uint32_t v) {
  std::string d(4, '\0');
  for (int i = 0; i < 4; ++i) d[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return {RegType::DWord, d};
}

uint32_t RegValue::AsDWord() const {
  uint32_t v = 0;
  for (size_t i = 0; i < 4 && i < data.size(); ++i)
    v |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  return v;
}

LocaleInfo JapaneseLocale() {
  LocaleInfo l;
  l.shortDate = "yyyy/MM/dd";
  l.longTime = "H:mm:ss";
  l.dateSeparator = '/';
  l.timeSeparator = ':';
  l.decimalSeparator = '.';
  l.shortDayNames = {"日", "月", "火", "水", "木", "金", "土"};
  l.timeAM = "午前";
  l.timePM = "午後";
  return l;
}

}  // namespace sm::platform
