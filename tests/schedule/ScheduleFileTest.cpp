// The schedule file: every line read in file order, the section rewritten in one pass, lines
// that cannot be read reported and kept, and opening as the editor does.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryShell.h"
#include "schedule/Occurrence.h"
#include "schedule/ScheduleFile.h"

namespace sm::schedule {
namespace {

const std::string kData = "D:\\Data\\";
const std::string kFile = kData + "Schedule.ini";

// Already in the order the editor writes (sorted, numbered from 0), so that a load and a save
// give the same bytes back.
const std::string kFixture =
    "[System]\r\nDataFormat=0,1,2,3,4,5,6,7\r\n"
    "[Other]\r\nSchedule0=not ours\r\n"
    "[Schedule]\r\n"
    "Schedule0=2005/01/26 23:00:00,00000,1,1,0,,,\r\n"
    "Schedule1=2005/01/27 07:05:00,00031,2,0,0,C:\\Tools\\backup.exe,/q,weekday backup\r\n"
    "Schedule2=2005/01/28 08:00:00,00000,0,0,2,C:\\Program Files\\表計算\\calc.exe,,表の更新\r\n"
    "Schedule3=2005/01/29 09:00:00,00288,3,0,0,,,隠しレジューム\r\n"
    "Schedule4=2005/01/30 06:30:00,00192,0,0,0,,,\r\n";

std::vector<const TSchedule*> View(const std::vector<std::unique_ptr<TSchedule>>& v) {
  std::vector<const TSchedule*> r;
  for (const auto& e : v) r.push_back(e.get());
  return r;
}

TEST(ScheduleFile, EveryLineReadsAndWritesBackToTheSameBytes) {
  platform::MemoryPlatform mp;
  mp.files.files[kFile] = kFixture;
  TScheduleUnit unit(mp);
  TScheduleFile file(mp.files, kData);
  unit.DataFormatStr = file.ReadDataFormat();
  unit.SetDataFormat(1.5);
  const int reads = mp.files.reads;
  LoadedSchedule loaded = file.Load(unit, nullptr);
  EXPECT_EQ(mp.files.reads, reads + 1);  // one pass
  ASSERT_EQ(loaded.entries.size(), 5u);
  EXPECT_TRUE(loaded.errors.empty());
  EXPECT_EQ(loaded.entries[2]->Note(), "表の更新");
  EXPECT_FALSE(loaded.entries[3]->Visible());
  EXPECT_EQ(loaded.entries[3]->WeekSet(), Flag(swSaturday));
  EXPECT_FALSE(loaded.entries[4]->Enabled());
  file.Save(unit, View(loaded.entries));
  EXPECT_EQ(mp.files.files[kFile], kFixture);
}

TEST(ScheduleFile, SavingSortsAndNumbersWithoutGaps) {
  platform::MemoryPlatform mp;
  mp.files.files[kFile] =
      "[Schedule]\r\nSchedule7=2005/02/01 10:00:00,00000,1,0,0,,,late\r\n"
      "Entry=2005/01/31 10:00:00,00000,1,0,0,,,early\r\n"
      "Schedule7=2005/02/01 10:00:00,00000,1,0,0,,,same time, read later\r\n"
      "[Timer]\r\nBiosType=0\r\n";
  TScheduleUnit unit(mp);
  unit.DataFormatStr = DataFormatStr1302;
  unit.SetDataFormat(1.5);
  TScheduleFile file(mp.files, kData);
  LoadedSchedule loaded = file.Load(unit, nullptr);
  ASSERT_EQ(loaded.entries.size(), 3u);
  EXPECT_EQ(loaded.entries[2]->Note(), "same time");  // the note's comma split it
  file.Save(unit, View(loaded.entries));
  EXPECT_EQ(mp.files.files[kFile],
            "[Timer]\r\nBiosType=0\r\n[Schedule]\r\n"
            "Schedule0=2005/01/31 10:00:00,00000,1,0,0,,,early\r\n"
            "Schedule1=2005/02/01 10:00:00,00000,1,0,0,,,same time\r\n"
            "Schedule2=2005/02/01 10:00:00,00000,1,0,0,,,late\r\n");
}

TEST(ScheduleFile, AnUnreadableLineIsReportedAndKept) {
  platform::MemoryPlatform mp;
  mp.files.files[kFile] =
      "[Schedule]\r\n"
      "Schedule0=2005/01/27 07:00:00,00000,1,0,0,,,a\r\n"
      "Schedule1=2005/02/30 07:00:00,00000,1,0,0,,,bad date\r\n"
      "Schedule2=2005/01/28 07:00:00,70000,1,0,0,,,bad weekdays\r\n"
      "Schedule3=2005/01/29 07:00:00,00000,1,0,0,,,c\r\n";
  TScheduleUnit unit(mp);
  unit.DataFormatStr = DataFormatStr1302;
  unit.SetDataFormat(1.5);
  TScheduleFile file(mp.files, kData);
  LoadedSchedule loaded = file.Load(unit, nullptr);
  ASSERT_EQ(loaded.entries.size(), 2u);
  EXPECT_EQ(loaded.entries[1]->Note(), "c");
  ASSERT_EQ(loaded.errors.size(), 2u);
  EXPECT_EQ(loaded.errors[0].key, "Schedule1");
  EXPECT_NE(loaded.errors[0].reason.find("2005/02/30 07:00:00"), std::string::npos);
  EXPECT_EQ(loaded.errors[1].key, "Schedule2");
  EXPECT_NE(loaded.errors[1].reason.find("70000"), std::string::npos);
  file.Save(unit, View(loaded.entries), loaded.errors);
  EXPECT_EQ(mp.files.files[kFile],
            "[Schedule]\r\n"
            "Schedule0=2005/01/27 07:00:00,00000,1,0,0,,,a\r\n"
            "Schedule1=2005/01/29 07:00:00,00000,1,0,0,,,c\r\n"
            "Schedule2=2005/02/30 07:00:00,00000,1,0,0,,,bad date\r\n"
            "Schedule3=2005/01/28 07:00:00,70000,1,0,0,,,bad weekdays\r\n");
}

TEST(ScheduleFile, SaveThatFailsLeavesTheFile) {
  platform::MemoryPlatform mp;
  mp.files.files[kFile] = kFixture;
  mp.files.unwritable.insert(kFile);
  TScheduleUnit unit(mp);
  unit.DataFormatStr = DataFormatStr1302;
  unit.SetDataFormat(1.5);
  TScheduleFile file(mp.files, kData);
  LoadedSchedule loaded = file.Load(unit, nullptr);
  loaded.entries[0]->SetNote("changed");
  EXPECT_THROW(file.Save(unit, View(loaded.entries)), platform::IoError);
  EXPECT_EQ(mp.files.files[kFile], kFixture);
}

TEST(OpenSchedule, AsTheEditorOpens) {
  platform::MemoryPlatform mp;  // Wednesday 2005-01-26 10:00
  mp.files.files[kData + "Solmora.ini"] = "[Timer]\r\nBiosType=-1\r\n";
  mp.files.files["C:\\Tools\\backup.exe"] = "MZ";
  mp.files.files[kFile] =
      "[Schedule]\r\n"
      "A=2005/01/25 07:00:00,00000,1,0,0,,,expired one-shot\r\n"
      "B=2005/01/27 07:00:00,00000,0,0,0,,,boot without BIOS support\r\n"
      "C=2004/06/01 07:05:00,00031,2,0,0,C:\\Tools\\backup.exe,/q,weekly from the past\r\n"
      "D=2005/01/26 12:00:00,00256,1,0,0,,,hidden\r\n"
      "E=2005/01/26 11:00:00,00000,1,3,0,,,soon\r\n"
      "F=someday,00000,1,0,0,,,unreadable\r\n"
      "G=2005/01/26 10:00:00,00000,1,0,0,,,due right now\r\n";
  platform::MemoryIconList icons(mp.files);
  TScheduleUnit unit(mp);
  EditorSchedule s = OpenSchedule(unit, kData, &icons);
  EXPECT_EQ(s.biosType, -1);
  EXPECT_EQ(s.dropped, 2);
  ASSERT_EQ(s.rows.size(), 3u);
  EXPECT_EQ(s.rows[0]->Note(), "due right now");
  EXPECT_EQ(s.rows[1]->Note(), "soon");
  EXPECT_EQ(s.rows[2]->Note(), "weekly from the past");
  EXPECT_EQ(FormatScheduleDateTime(s.rows[2]->DateTime()), "2005/01/27 07:05:00");
  EXPECT_EQ(s.rows[2]->IconIndex(), 0);
  ASSERT_EQ(s.hidden.size(), 1u);
  EXPECT_EQ(s.hidden[0]->Note(), "hidden");
  ASSERT_EQ(s.errors.size(), 1u);
  EXPECT_EQ(s.errors[0].key, "F");
  EXPECT_EQ(unit.MaxDataFormatNdx, 7);  // not installed: the built-in order
}

}  // namespace
}  // namespace sm::schedule
