#include "schedule/Schedule.h"

#include <cstdio>

#include "shared/Folders.h"
#include "shared/JString.h"

namespace sm::schedule {

const std::array<std::array<const char*, 3>, 4> CmdList = {{
    {"Boot", "ブート", "Boot"},
    {"ShutDown", "遮断", "SDwn"},
    {"Execute", "アプリ", "Exec"},
    {"Resume", "レジューム", "Resume"},
}};

const char* const DataFormatStr1302 = "0,1,2,3,4,5,6,7";

std::string CmdName(int cmd, int style) {
  if (cmd < 0 || cmd >= static_cast<int>(CmdList.size()) || style < 0 || style > 2) return {};
  return CmdList[static_cast<size_t>(cmd)][static_cast<size_t>(style)];
}

namespace {

// The trimmed text as a decimal integer, or an error naming it.
int ToInteger(std::string_view text) {
  int v;
  const std::string t = jTrim(text);
  if (!ParseDecimal(t, v)) throw EConvertError("'" + t + "' is not a valid integer value");
  return v;
}

bool TryInteger(std::string_view text, int& v) { return ParseDecimal(jTrim(text), v); }

// An integer item of a schedule line; anything else reads as 0.
int IntegerItem(std::string_view item) {
  int v;
  return ParseDecimal(TrimControl(item), v) ? v : 0;
}

}  // namespace

int ReadCommaDelimitedInteger(std::span<int> data, std::string_view str) {
  for (int& e : data) e = 0;
  if (jPos(",", str) == 0) {
    const int v = ToInteger(str);
    if (!data.empty()) data[0] = v;
    return 1;
  }
  int count = 0;
  std::string s(str);
  for (size_t i = 0; i < data.size(); ++i) {
    int v;
    if (!TryInteger(jToken(s, ","), v)) break;  // consumed, not stored, not counted
    data[i] = v;
    ++count;
    s = jTrim(s);
    if (s.empty()) return count;
  }
  while (!s.empty()) {
    int v;
    if (!TryInteger(jToken(s, ","), v)) break;
    ++count;
    s = jTrim(s);
  }
  return count;
}

double TScheduleUnit::SetDataFormat(double ver) {
  if (ver == 0) ver = folders_ ? folders_->SmVersionByDouble() : -1;
  // The version is compared with 1.4 held more precisely than a double: the double nearest 1.4
  // lies just below it, and no double lies between the two, so "at most the double 1.4" is
  // exactly "below 1.4": a stored 1.4 takes the built-in order, 1.41 does not.
  if (ver <= 1.4) DataFormatStr = DataFormatStr1302;
  if (DataFormatStr.size() > 255) DataFormatStr.resize(255);
  std::array<int, kMaxFieldCodes> codes{};
  const int n = ReadCommaDelimitedInteger(codes, DataFormatStr);
  DataFormat = codes;  // codes after the 20th are 0 and never used
  MaxDataFormatNdx = (n < kMaxFieldCodes ? n : kMaxFieldCodes) - 1;
  return ver;
}

TSchedule::TSchedule(TScheduleUnit& unit, int cd, int scd, int grp, TScheduleSet wd, TDateTime dt,
                     TDateTime edt, std::string_view eStr, std::string_view aStr,
                     std::string_view nStr, bool enbl, bool vsbl, platform::IconList* iList)
    : fDateTime(dt), fEndDateTime(edt), fWeekSet(wd), fCmd(cd), fSubCmd(scd),
      fExeStr(jTrim(eStr)), fArgStr(jTrim(aStr)), fNote(jTrim(nStr)), fEnabled(enbl),
      fVisible(vsbl), fGroup(grp) {
  fId = unit.NextId();
  fIconIndex = GetNewIcon(iList);
  fDone = false;
}

void TSchedule::StoreItem(int code, std::string_view item) {
  switch (code) {
    case 0: {
      auto dt = ParseScheduleDateTime(item);
      if (!dt) throw EConvertError("'" + std::string(item) + "' is not a valid date and time");
      fDateTime = *dt;
      break;
    }
    case 1: {
      const int v = IntegerItem(item);
      if (v < 0 || v > 65535)
        throw EConvertError("weekday value " + std::to_string(v) + " is out of range 0..65535");
      fEnabled = (v & Flag(swInvalid)) == 0;
      fVisible = (v & Flag(swInVisible)) == 0;
      fWeekSet = static_cast<TScheduleSet>(v & kWeekdayBits);
      break;
    }
    case 2: fCmd = IntegerItem(item); break;
    case 3: fSubCmd = IntegerItem(item); break;
    case 4: fGroup = IntegerItem(item); break;
    case 5: fExeStr = jTrim(item); break;
    case 6: fArgStr = jTrim(item); break;
    case 7: fNote = jTrim(item); break;
    case 8: fEndDateTime = ParseScheduleDateTime(item).value_or(MaxDateTime); break;
    case 9: fResrv0 = jTrim(item); break;
    case 10: fresrv1 = jTrim(item); break;
    case 11: fresrv2 = jTrim(item); break;
    default: break;  // an unknown code: the item is skipped
  }
}

TSchedule::TSchedule(TScheduleUnit& unit, std::string_view scheduleStr, platform::IconList* iList) {
  std::string rest(scheduleStr);
  for (int code : unit.FieldOrder()) StoreItem(code, jToken(rest, ","));
  if (fWeekSet == 0) fEndDateTime = fDateTime;
  fId = unit.NextId();
  fIconIndex = GetNewIcon(iList);
  fDone = false;
}

namespace {
TSchedule Default(TScheduleUnit& unit) {
  platform::LocalTime t = unit.Platform().clock.Now();
  t.second = 0;
  t.millisecond = 0;
  const TDateTime now = FromLocalTime(t);
  return TSchedule(unit, scShutDown, 1, 0, 0, now, now, "", "", "", true, true, nullptr);
}
}  // namespace

TSchedule::TSchedule(TScheduleUnit& unit, const TSchedule* obj)
    : TSchedule(obj ? TSchedule(unit, obj->fCmd, obj->fSubCmd, obj->fGroup, obj->fWeekSet,
                                obj->fDateTime, obj->fEndDateTime, obj->fExeStr, obj->fArgStr,
                                obj->fNote, obj->fEnabled, obj->fVisible, nullptr)
                    : Default(unit)) {
  if (obj) fIconIndex = obj->fIconIndex;
}

int TSchedule::GetNewIcon(platform::IconList* iList) {
  if (!iList) return -1;
  return iList->AddFileIcon(fExeStr);
}

std::string TSchedule::MakeScheduleStr(const TScheduleUnit& unit) const {
  unsigned flags = fWeekSet & ~static_cast<unsigned>(Flag(swInvalid) | Flag(swInVisible));
  if (!fEnabled) flags |= Flag(swInvalid);
  if (!fVisible) flags |= Flag(swInVisible);
  std::string r;
  bool first = true;
  for (int code : unit.FieldOrder()) {
    if (!first) r += ',';
    first = false;
    switch (code) {
      case 0: r += FormatScheduleDateTime(fDateTime); break;
      case 1: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%05u", flags);
        r += buf;
        break;
      }
      case 2: r += std::to_string(fCmd); break;
      case 3: r += std::to_string(fSubCmd); break;
      case 4: r += std::to_string(fGroup); break;
      case 5: r += fExeStr; break;
      case 6: r += fArgStr; break;
      case 7: r += fNote; break;
      case 8: r += FormatScheduleDateTime(fEndDateTime); break;
      case 9: r += fResrv0; break;
      case 10: r += fresrv1; break;
      case 11: r += fresrv2; break;
      default: break;  // an empty item
    }
  }
  return r;
}

int CmpSchedule(const TSchedule& item0, const TSchedule& item1) {
  if (!SameDateTime(item0.DateTime(), item1.DateTime()))
    return item0.DateTime() < item1.DateTime() ? -1 : 1;
  return item1.Id() - item0.Id();
}

}  // namespace sm::schedule
