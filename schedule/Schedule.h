#pragma once
// A schedule entry: what the PC is to do at a time, once or weekly; its line in the schedule
// file in the field order that the file declares; and the order entries sort in.
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "platform/Shell.h"
#include "shared/DateTime.h"

namespace sm {
class TFolders;
}

namespace sm::schedule {

// Weekday flags: flag n is bit n of a TScheduleSet.
enum TScheduleOrder : int {
  swMonday, swTuesday, swWednesday, swThursday, swFriday, swSaturday, swSunday,
  swInvalid,    // in the file only: the entry is disabled
  swInVisible,  // in the file only: the entry is hidden
  swReserve1, swReserve2, swReserve3, swReserve4, swReserve5, swReserve6, swReserve7,
};
using TScheduleSet = uint16_t;
constexpr TScheduleSet Flag(TScheduleOrder o) { return static_cast<TScheduleSet>(1u << o); }
constexpr TScheduleSet kWeekdayBits = 0x7F;

// Commands.
constexpr int scSystem = -1;
constexpr int scBoot = 0;
constexpr int scShutDown = 1;
constexpr int scAppli = 2;
constexpr int scResume = 3;

// Display names by command (0..3) and style (0 English, 1 Japanese, 2 short English).
extern const std::array<std::array<const char*, 3>, 4> CmdList;
// The name of a command in a style; empty for scSystem and values outside the table.
std::string CmdName(int cmd, int style);

// An item of a schedule line that cannot be read, or a field order that is no integer.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int kMaxFieldCodes = 20;
extern const char* const DataFormatStr1302;  // "0,1,2,3,4,5,6,7"

// The unit's module state: the entry counter and the field order. The deliverables keep one for
// the life of the process; tests make their own.
class TScheduleUnit {
 public:
  explicit TScheduleUnit(platform::Platform& platform, TFolders* folders = nullptr)
      : platform_(platform), folders_(folders) {}

  int CurId = 0;                // the last Id given
  std::string DataFormatStr;    // the field order as an integer list (at most 255 bytes)
  std::array<int, kMaxFieldCodes> DataFormat{};
  int MaxDataFormatNdx = -1;    // number of field codes minus one

  // Applies DataFormatStr as the field order and returns the version used; 0 takes the
  // installed version (-1 when there is none). Below version 1.4, and at 1.4 exactly, the
  // built-in order applies. Throws EConvertError for a text without "," that is no integer.
  double SetDataFormat(double ver);
  std::span<const int> FieldOrder() const {
    return {DataFormat.data(), static_cast<size_t>(MaxDataFormatNdx + 1)};
  }
  int NextId() { return ++CurId; }
  platform::Platform& Platform() { return platform_; }

 private:
  platform::Platform& platform_;
  TFolders* folders_;
};

// The unit's own integer-list reader: a text without "," is one integer (an error when it is
// none); otherwise as the settings lists, with blanks and ideographic spaces trimmed.
int ReadCommaDelimitedInteger(std::span<int> data, std::string_view str);

class TSchedule {
 public:
  // From fields; the three texts are stored trimmed.
  TSchedule(TScheduleUnit& unit, int cd, int scd, int grp, TScheduleSet wd, TDateTime dt,
            TDateTime edt, std::string_view eStr, std::string_view aStr, std::string_view nStr,
            bool enbl, bool vsbl, platform::IconList* iList);
  // From a schedule-file value in the unit's field order. Throws EConvertError for a date-time
  // item that is no date-time and a weekday item outside 0..65535.
  TSchedule(TScheduleUnit& unit, std::string_view scheduleStr, platform::IconList* iList);
  // A copy of obj with a new Id (reserved texts are not copied), or with none the default new
  // entry: a shutdown in power mode 1 now, to the minute.
  TSchedule(TScheduleUnit& unit, const TSchedule* obj);

  // Appends the program's icon to iList; its position, or -1.
  int GetNewIcon(platform::IconList* iList);
  // The entry's date column text.
  std::string GetDateStr(bool is24Hour, const platform::LocaleInfo& locale) const;
  // The entry's schedule-file value in the unit's field order.
  std::string MakeScheduleStr(const TScheduleUnit& unit) const;
  // Moves a repeating entry to its next occurrence after now; true when it moved.
  bool SetNearestDateTime(TDateTime now);

  TDateTime DateTime() const { return fDateTime; }
  void SetDateTime(TDateTime v) { fDateTime = v; }
  TDateTime EndDateTime() const { return fEndDateTime; }
  void SetEndDateTime(TDateTime v) { fEndDateTime = v; }
  TScheduleSet WeekSet() const { return fWeekSet; }
  void SetWeekSet(TScheduleSet v) { fWeekSet = v; }
  int Cmd() const { return fCmd; }
  void SetCmd(int v) { fCmd = v; }
  int SubCmd() const { return fSubCmd; }
  void SetSubCmd(int v) { fSubCmd = v; }
  const std::string& ExeStr() const { return fExeStr; }
  void SetExeStr(std::string v) { fExeStr = std::move(v); }
  const std::string& ArgStr() const { return fArgStr; }
  void SetArgStr(std::string v) { fArgStr = std::move(v); }
  const std::string& Note() const { return fNote; }
  void SetNote(std::string v) { fNote = std::move(v); }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool v) { fEnabled = v; }
  bool Visible() const { return fVisible; }
  void SetVisible(bool v) { fVisible = v; }
  int IconIndex() const { return fIconIndex; }
  void SetIconIndex(int v) { fIconIndex = v; }
  int Id() const { return fId; }
  void SetId(int v) { fId = v; }
  int Group() const { return fGroup; }
  void SetGroup(int v) { fGroup = v; }
  bool Done() const { return fDone; }
  void SetDone(bool v) { fDone = v; }

 private:
  void StoreItem(int code, std::string_view item);

  TDateTime fDateTime = 0;
  TDateTime fEndDateTime = MaxDateTime;
  TScheduleSet fWeekSet = 0;
  int fCmd = 0;
  int fSubCmd = 0;
  std::string fExeStr;
  std::string fArgStr;
  std::string fNote;
  bool fEnabled = false;
  bool fVisible = false;
  int fIconIndex = -1;
  int fId = 0;
  int fGroup = 0;
  bool fDone = false;
  std::string fResrv0;
  std::string fresrv1;
  std::string fresrv2;
};

// Negative when item0 sorts first: earlier DateTime first (closer than 1 ms counts as equal),
// then the larger Id first. 0 for the same entry.
int CmpSchedule(const TSchedule& item0, const TSchedule& item1);

}  // namespace sm::schedule
