#pragma once
// The schedule file "Schedule.ini" of a data folder: the field order in "System", one entry per
// line in "Schedule". The section is read and rewritten in one pass each; other sections are
// left untouched.
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Shell.h"
#include "schedule/Schedule.h"

namespace sm::schedule {

// A line of the "Schedule" section that could not be read.
struct ScheduleLineError {
  std::string key;
  std::string value;   // kept as it was, so that a save writes it back unchanged
  std::string reason;
};

struct LoadedSchedule {
  std::vector<std::unique_ptr<TSchedule>> entries;  // in file order
  std::vector<ScheduleLineError> errors;            // in file order
};

class TScheduleFile {
 public:
  // dataPath ends with the folder separator.
  TScheduleFile(platform::Files& files, const std::string& dataPath);

  const std::string& Path() const { return path_; }
  // "System"/"DataFormat", the built-in order when missing.
  std::string ReadDataFormat() const;
  // Every line of the section in file order, read in the unit's current field order. A line
  // that cannot be read is reported with its key and kept aside; all other lines are read.
  LoadedSchedule Load(TScheduleUnit& unit, platform::IconList* iList) const;
  // Rewrites the section: the entries sorted by CmpSchedule as Schedule0, Schedule1, ..., then
  // the kept unreadable lines unchanged, numbered on without gaps. Throws platform::IoError
  // when the file cannot be replaced (it is then unchanged).
  void Save(const TScheduleUnit& unit, std::vector<const TSchedule*> entries,
            const std::vector<ScheduleLineError>& kept = {});

 private:
  platform::Files& files_;
  std::string path_;
};

// Sorts by CmpSchedule (stably, so that an order is kept even where date-times only nearly
// meet).
void SortSchedules(std::vector<const TSchedule*>& entries);

// What the schedule editor holds after opening a data folder: the listed entries sorted, the
// hidden ones aside, the lines that could not be read.
struct EditorSchedule {
  int biosType = 0;
  std::vector<std::unique_ptr<TSchedule>> rows;    // visible, sorted by CmpSchedule
  std::vector<std::unique_ptr<TSchedule>> hidden;  // in file order
  std::vector<ScheduleLineError> errors;
  int dropped = 0;  // boot entries without BIOS support and one-shot entries whose time passed
};

// Opens dataPath's files as the editor does: "BiosType" from "Solmora.ini", the field order
// from "Schedule.ini" (with the installed version from the unit's folders), every line; moves
// weekly entries to their next occurrence, drops expired one-shot entries and, under BiosType
// -1, boot entries.
EditorSchedule OpenSchedule(TScheduleUnit& unit, const std::string& dataPath,
                            platform::IconList* iList);

}  // namespace sm::schedule
