#include "schedule/ScheduleFile.h"

#include <algorithm>

#include "schedule/Occurrence.h"
#include "shared/IniFile.h"

namespace sm::schedule {

TScheduleFile::TScheduleFile(platform::Files& files, const std::string& dataPath)
    : files_(files), path_(dataPath + "Schedule.ini") {}

std::string TScheduleFile::ReadDataFormat() const {
  return IniFile(files_, path_).ReadString("System", "DataFormat", DataFormatStr1302);
}

LoadedSchedule TScheduleFile::Load(TScheduleUnit& unit, platform::IconList* iList) const {
  LoadedSchedule out;
  const std::vector<ini::Entry> lines = IniFile(files_, path_).ReadSection("Schedule");
  out.entries.reserve(lines.size());
  for (const ini::Entry& line : lines) {
    try {
      out.entries.push_back(std::make_unique<TSchedule>(unit, line.value, iList));
    } catch (const EConvertError& e) {
      out.errors.push_back({line.key, line.value, e.what()});
    }
  }
  return out;
}

void SortSchedules(std::vector<const TSchedule*>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const TSchedule* a, const TSchedule* b) {
    return CmpSchedule(*a, *b) < 0;
  });
}

void TScheduleFile::Save(const TScheduleUnit& unit, std::vector<const TSchedule*> entries,
                         const std::vector<ScheduleLineError>& kept) {
  SortSchedules(entries);
  std::vector<ini::Entry> lines;
  lines.reserve(entries.size() + kept.size());
  for (const TSchedule* e : entries)
    lines.push_back({"Schedule" + std::to_string(lines.size()), e->MakeScheduleStr(unit)});
  for (const ScheduleLineError& k : kept)
    lines.push_back({"Schedule" + std::to_string(lines.size()), k.value});
  IniFile(files_, path_).ReplaceSection("Schedule", lines);
}

EditorSchedule OpenSchedule(TScheduleUnit& unit, const std::string& dataPath,
                            platform::IconList* iList) {
  platform::Platform& p = unit.Platform();
  EditorSchedule out;
  out.biosType = IniFile(p.files, dataPath + "Solmora.ini").ReadInteger("Timer", "BiosType", 0);
  TScheduleFile file(p.files, dataPath);
  unit.DataFormatStr = file.ReadDataFormat();
  unit.SetDataFormat(0);
  LoadedSchedule loaded = file.Load(unit, iList);
  out.errors = std::move(loaded.errors);
  const TDateTime now = Now(p.clock);
  for (auto& e : loaded.entries) {
    if (e->Cmd() == scBoot && out.biosType == -1) {
      ++out.dropped;
      continue;
    }
    e->SetNearestDateTime(now);
    if (now > e->DateTime()) {
      ++out.dropped;
      continue;
    }
    (e->Visible() ? out.rows : out.hidden).push_back(std::move(e));
  }
  std::stable_sort(out.rows.begin(), out.rows.end(),
                   [](const auto& a, const auto& b) { return CmpSchedule(*a, *b) < 0; });
  return out;
}

}  // namespace sm::schedule
