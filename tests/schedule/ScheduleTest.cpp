// Schedule entries: reading and writing a line in the field order, the flags of the weekday item,
// the constructors, icons, and the sort order.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryShell.h"
#include "schedule/Schedule.h"
#include "shared/Folders.h"

namespace sm::schedule {
namespace {

const char* kExample = "2025/03/10 07:05:00,00031,2,0,0,C:\\Tools\\backup.exe,/q,weekday backup";

struct Unit {
  platform::MemoryPlatform mp;
  TScheduleUnit unit{mp};
  explicit Unit(const char* format = DataFormatStr1302, double ver = 1.5) {
    unit.DataFormatStr = format;
    unit.SetDataFormat(ver);
  }
  TSchedule Read(std::string_view line) { return TSchedule(unit, line, nullptr); }
};

TEST(ScheduleLine, TheExampleReadsAndWritesBack) {
  Unit u;
  TSchedule e = u.Read(kExample);
  EXPECT_TRUE(SameDateTime(e.DateTime(), EncodeDate(2025, 3, 10) + EncodeTime(7, 5, 0)));
  EXPECT_EQ(e.WeekSet(), 0x1F);
  EXPECT_EQ(e.Cmd(), scAppli);
  EXPECT_EQ(e.SubCmd(), 0);
  EXPECT_EQ(e.Group(), 0);
  EXPECT_EQ(e.ExeStr(), "C:\\Tools\\backup.exe");
  EXPECT_EQ(e.ArgStr(), "/q");
  EXPECT_EQ(e.Note(), "weekday backup");
  EXPECT_TRUE(e.Enabled());
  EXPECT_TRUE(e.Visible());
  EXPECT_EQ(e.EndDateTime(), MaxDateTime);
  EXPECT_EQ(e.IconIndex(), -1);
  EXPECT_FALSE(e.Done());
  EXPECT_EQ(e.MakeScheduleStr(u.unit), kExample);
}

TEST(ScheduleLine, WeekdayItemFlags) {
  struct Row { const char* item; TScheduleSet week; bool enabled, visible; const char* written; } rows[] = {
      {"00256", 0, true, false, "00256"},   {"00384", 0, false, false, "00384"},
      {"00127", 0x7F, true, true, "00127"}, {"00159", 0x1F, false, true, "00159"},
      {"65535", 0x7F, false, false, "00511"}, {"512", 0, true, true, "00000"},
      {"abc", 0, true, true, "00000"},     {"", 0, true, true, "00000"},
  };
  for (const Row& r : rows) {
    Unit u("0,1");
    TSchedule e = u.Read(std::string("2025/03/10 07:05:00,") + r.item);
    EXPECT_EQ(e.WeekSet(), r.week) << r.item;
    EXPECT_EQ(e.Enabled(), r.enabled) << r.item;
    EXPECT_EQ(e.Visible(), r.visible) << r.item;
    EXPECT_EQ(e.MakeScheduleStr(u.unit), std::string("2025/03/10 07:05:00,") + r.written);
  }
}

TEST(ScheduleLine, UnreadableItemsAreErrors) {
  const char* bad[] = {"", ",00031", "2025/13/10 07:05:00,00031", "tomorrow,00031",
                       "2025/03/10 07:05:00,65536", "2025/03/10 07:05:00,-1"};
  for (const char* line : bad) {
    Unit u;
    EXPECT_THROW(u.Read(line), EConvertError) << line;
    EXPECT_EQ(u.unit.CurId, 0) << line;  // no entry came to be
  }
}

TEST(ScheduleLine, FewerAndMoreItemsThanTheFieldOrder) {
  Unit u;
  TSchedule few = u.Read("2025/03/10 07:05:00,00031,3");
  EXPECT_EQ(few.Cmd(), scResume);
  EXPECT_EQ(few.SubCmd(), 0);
  EXPECT_EQ(few.ExeStr(), "");
  EXPECT_EQ(few.Note(), "");
  EXPECT_EQ(few.MakeScheduleStr(u.unit), "2025/03/10 07:05:00,00031,3,0,0,,,");
  TSchedule more = u.Read(std::string(kExample) + ",extra,items");
  EXPECT_EQ(more.Note(), "weekday backup");
  EXPECT_EQ(more.MakeScheduleStr(u.unit), kExample);
  TSchedule junk = u.Read("2025/03/10 07:05:00,00031,x,1y, 4 ,　C:\\a.exe　, b ,表");
  EXPECT_EQ(junk.Cmd(), 0);
  EXPECT_EQ(junk.SubCmd(), 0);
  EXPECT_EQ(junk.Group(), 4);
  EXPECT_EQ(junk.ExeStr(), "C:\\a.exe");
  EXPECT_EQ(junk.ArgStr(), "b");
  EXPECT_EQ(junk.Note(), "表");
}

TEST(ScheduleLine, OneShotEntryEndsAtItsTime) {
  Unit u("0,1,8");
  TSchedule once = u.Read("2025/03/10 07:05:00,00000,2030/01/01 00:00:00");
  EXPECT_EQ(once.EndDateTime(), once.DateTime());
  TSchedule weekly = u.Read("2025/03/10 07:05:00,00001,2030/01/01 00:00:00");
  EXPECT_TRUE(SameDateTime(weekly.EndDateTime(), EncodeDate(2030, 1, 1)));
  TSchedule open = u.Read("2025/03/10 07:05:00,00001,never");
  EXPECT_EQ(open.EndDateTime(), MaxDateTime);
  EXPECT_EQ(open.MakeScheduleStr(u.unit), "2025/03/10 07:05:00,00001,10000/01/01 00:00:00");
}

TEST(FieldOrder, VersionDecidesWhetherTheFileOrderApplies) {
  struct Row { const char* format; double ver; int fields; const char* written; } rows[] = {
      {"0,1,2", 1.41, 3, "2025/03/10 07:05:00,00031,2"},
      {"0,1,2", 1.5, 3, "2025/03/10 07:05:00,00031,2"},
      {"0,1,2", 1.4, 8, kExample},
      {"0,1,2,3,4,5,6,7,8", 1.3, 8, kExample},
      {"0,1,2,3,4,5,6,7,8", -1, 8, kExample},
      {"7,0,99,1", 1.5, 4, "weekday backup,2025/03/10 07:05:00,,00031"},
  };
  for (const Row& r : rows) {
    Unit u;
    TSchedule e = u.Read(kExample);
    u.unit.DataFormatStr = r.format;
    EXPECT_EQ(u.unit.SetDataFormat(r.ver), r.ver);
    EXPECT_EQ(u.unit.MaxDataFormatNdx, r.fields - 1) << r.format << " " << r.ver;
    EXPECT_EQ(e.MakeScheduleStr(u.unit), r.written) << r.format << " " << r.ver;
  }
}

TEST(FieldOrder, VersionZeroAsksTheInstalledProduct) {
  platform::MemoryPlatform mp;
  TFolders folders(mp);
  TScheduleUnit unit(mp, &folders);
  unit.DataFormatStr = "0,1,2";
  EXPECT_EQ(unit.SetDataFormat(0), -1);  // not installed
  EXPECT_EQ(unit.MaxDataFormatNdx, 7);
  mp.registry.SetText("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora",
                      "UninstallString", "C:\\Solmora\\Uninst.exe");
  mp.files.files["C:\\Solmora\\Solmora.ini"] = "[System]\r\nSolmoraVersion=1.41\r\n";
  unit.DataFormatStr = "0,1,2";
  EXPECT_EQ(unit.SetDataFormat(0), 1.41);
  EXPECT_EQ(unit.MaxDataFormatNdx, 2);
}

TEST(FieldOrder, UnitsOwnListReader) {
  struct Row { const char* text; int count; std::vector<int> values; } rows[] = {
      {"5", 1, {5, 0, 0}}, {"　7 ", 1, {7, 0, 0}}, {"1, 2 ,3", 3, {1, 2, 3}},
      {"1,2,3,4", 4, {1, 2, 3}}, {"1,x,3", 2, {1, 0, 0}}, {",1", 1, {0, 0, 0}},
      {"1,", 1, {1, 0, 0}}, {",", 0, {0, 0, 0}},
  };
  for (const Row& r : rows) {
    std::vector<int> data(3, 9);
    EXPECT_EQ(ReadCommaDelimitedInteger(data, r.text), r.count) << r.text;
    EXPECT_EQ(data, r.values) << r.text;
  }
  std::vector<int> data(3);
  EXPECT_THROW(ReadCommaDelimitedInteger(data, ""), EConvertError);
  EXPECT_THROW(ReadCommaDelimitedInteger(data, "abc"), EConvertError);
  Unit u;
  u.unit.DataFormatStr = "zero";
  EXPECT_THROW(u.unit.SetDataFormat(1.5), EConvertError);
}

TEST(FieldOrder, AtMostTwentyCodes) {
  Unit u("0,1,2,3,4,5,6,7,99,99,99,99,99,99,99,99,99,99,99,99,0,0", 1.5);
  EXPECT_EQ(u.unit.MaxDataFormatNdx, 19);
  EXPECT_EQ(u.Read(kExample).MakeScheduleStr(u.unit), std::string(kExample) + ",,,,,,,,,,,,");
}

TEST(ScheduleEntry, ConstructorsAndIds) {
  platform::MemoryPlatform mp;
  mp.clock.Set(2005, 1, 26, 14, 23, 47, 500);
  mp.files.files["C:\\Tools\\run.exe"] = "MZ";
  platform::MemoryIconList icons(mp.files);
  TScheduleUnit unit(mp);
  unit.DataFormatStr = "0,1,2,3,4,5,6,7,9";
  unit.SetDataFormat(1.5);

  TSchedule fields(unit, scAppli, 0, 3, 0, 100.5, 200.25, " C:\\Tools\\run.exe ", "　-a　", "n ",
                   true, false, &icons);
  EXPECT_EQ(fields.Id(), 1);
  EXPECT_EQ(fields.ExeStr(), "C:\\Tools\\run.exe");
  EXPECT_EQ(fields.ArgStr(), "-a");
  EXPECT_EQ(fields.Note(), "n");
  EXPECT_EQ(fields.EndDateTime(), 200.25);  // kept for a one-shot entry too
  EXPECT_EQ(fields.IconIndex(), 0);
  EXPECT_EQ(fields.Group(), 3);

  TSchedule read(unit, "2025/03/10 07:05:00,00000,2,0,0,C:\\Tools\\run.exe,,,r0", &icons);
  EXPECT_EQ(read.Id(), 2);
  EXPECT_EQ(read.IconIndex(), 1);
  TSchedule copy(unit, &read);
  EXPECT_EQ(copy.Id(), 3);
  EXPECT_EQ(copy.IconIndex(), 1);
  EXPECT_EQ(icons.icons.size(), 2u);  // the copy extracts no icon
  EXPECT_EQ(copy.MakeScheduleStr(unit), "2025/03/10 07:05:00,00000,2,0,0,C:\\Tools\\run.exe,,,");
  EXPECT_EQ(read.MakeScheduleStr(unit), "2025/03/10 07:05:00,00000,2,0,0,C:\\Tools\\run.exe,,,r0");

  TSchedule fresh(unit, nullptr);
  EXPECT_EQ(fresh.Id(), 4);
  EXPECT_EQ(fresh.Cmd(), scShutDown);
  EXPECT_EQ(fresh.SubCmd(), 1);
  EXPECT_EQ(fresh.WeekSet(), 0);
  EXPECT_EQ(fresh.DateTime(), EncodeDate(2005, 1, 26) + EncodeTime(14, 23, 0));
  EXPECT_EQ(fresh.EndDateTime(), fresh.DateTime());
  EXPECT_TRUE(fresh.Enabled());
  EXPECT_TRUE(fresh.Visible());
  EXPECT_EQ(fresh.IconIndex(), -1);
  EXPECT_EQ(fresh.ExeStr(), "");
}

TEST(ScheduleEntry, ProgramIcons) {
  platform::MemoryPlatform mp;
  mp.files.files["C:\\a.exe"] = "MZ";
  mp.files.files["C:\\plain.txt"] = "x";
  platform::MemoryIconList icons(mp.files);
  icons.withoutIcon.insert("C:\\plain.txt");
  TScheduleUnit unit(mp);
  struct Row { const char* exe; platform::IconList* list; int expect; } rows[] = {
      {"C:\\a.exe", &icons, 0}, {"C:\\a.exe", &icons, 1}, {"C:\\a.exe", nullptr, -1},
      {"C:\\missing.exe", &icons, -1}, {"C:\\plain.txt", &icons, -1}, {"", &icons, -1},
  };
  for (const Row& r : rows) {
    TSchedule e(unit, scAppli, 0, 0, 0, 0, 0, r.exe, "", "", true, true, r.list);
    EXPECT_EQ(e.IconIndex(), r.expect) << r.exe;
  }
  EXPECT_EQ(icons.icons.size(), 2u);
}

TEST(ScheduleEntry, SortOrder) {
  platform::MemoryPlatform mp;
  TScheduleUnit unit(mp);
  const double t = EncodeDate(2025, 3, 10) + EncodeTime(7, 5, 0);
  auto make = [&](double dt) { return TSchedule(unit, scBoot, 0, 0, 0, dt, dt, "", "", "", true, true, nullptr); };
  TSchedule a = make(t);                             // Id 1
  TSchedule b = make(t + 0.5 * OneMillisecond);      // Id 2: the same time
  TSchedule c = make(t + 2 * OneMillisecond);        // Id 3: later
  TSchedule d = make(t - 0.4 * OneMillisecond);      // Id 4: the same time
  EXPECT_GT(CmpSchedule(a, b), 0);  // the later-made entry first
  EXPECT_LT(CmpSchedule(b, a), 0);
  EXPECT_EQ(CmpSchedule(a, b), 1);
  EXPECT_LT(CmpSchedule(a, c), 0);
  EXPECT_GT(CmpSchedule(c, b), 0);
  EXPECT_EQ(CmpSchedule(d, a), -3);
  EXPECT_EQ(CmpSchedule(a, a), 0);
}

}  // namespace
}  // namespace sm::schedule
