// The engine's own promises beyond the platform's rules: encodings, the one-pass section calls,
// fresh reads, refusal of what the format cannot hold, and failures that lose nothing.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "shared/IniFile.h"
#include "shared/IniFormat.h"

namespace sm {
namespace {

const char* kPath = "C:\\Data\\Solmora.ini";

TEST(Charset, NarrowLiteralsAreCodePage932) {
  // 表 is 0x95 0x5C: its second byte is a backslash.
  EXPECT_EQ(std::string("表"), std::string("\x95\x5C"));
  EXPECT_EQ(std::string("ゾ"), std::string("\x83\x5D"));
}

TEST(IniEncoding, Integers) {
  struct Row { const char* text; int fallback; int expect; } rows[] = {
      {"0x10", 7, 16}, {"0X1a", 7, 26}, {"$1A", 7, 26}, {"42", 7, 42}, {"-5", 7, -5}, {"+5", 7, 5},
      {"", 7, 7}, {"abc", 7, 7}, {"42A", 7, 7}, {"0x", 7, 7}, {"-", 7, 7}, {"4 2", 7, 7},
      {"2147483647", 7, 2147483647}, {"2147483648", 7, 7}, {"-2147483648", 7, -2147483647 - 1},
      {"0xFFFFFFFF", 7, -1}, {"0x100000000", 7, 7}, {"99999999999999999999", 7, 7},
  };
  for (const Row& r : rows) EXPECT_EQ(ini::ParseInt(r.text, r.fallback), r.expect) << r.text;
}

TEST(IniEncoding, BooleansAreIntegers) {
  platform::MemoryFiles files;
  files.files[kPath] = "[System]\r\nA=2\r\nB=abc\r\nC=0\r\nD=\r\nE=0x0\r\n";
  IniFile ini(files, kPath);
  EXPECT_TRUE(ini.ReadBool("System", "A", false));
  EXPECT_TRUE(ini.ReadBool("System", "B", true));
  EXPECT_FALSE(ini.ReadBool("System", "B", false));
  EXPECT_FALSE(ini.ReadBool("System", "C", true));
  EXPECT_TRUE(ini.ReadBool("System", "D", true));
  EXPECT_FALSE(ini.ReadBool("System", "E", true));
  ini.WriteBool("System", "F", true);
  ini.WriteBool("System", "G", false);
  ini.WriteInteger("System", "H", -120);
  EXPECT_TRUE(files.files[kPath].ends_with("\r\nF=1\r\nG=0\r\nH=-120\r\n")) << files.files[kPath];
}

TEST(IniEngine, KeyExistsWhateverTheValue) {
  platform::MemoryFiles files;
  files.files[kPath] = "[Timer]\r\nTimeLag=\r\n;BiosBoot=1\r\nBare\r\n";
  IniFile ini(files, kPath);
  EXPECT_TRUE(ini.KeyExists("timer", "TIMELAG"));
  EXPECT_FALSE(ini.KeyExists("Timer", "BiosBoot"));
  EXPECT_FALSE(ini.KeyExists("Timer", "Bare"));
  EXPECT_FALSE(ini.KeyExists("System", "TimeLag"));
  EXPECT_TRUE(ini.SectionExists("TIMER"));
}

TEST(IniEngine, SectionIsReadInFileOrderWithEveryLine) {
  const std::string file =
      "[Other]\r\nSchedule9=x\r\n[Schedule]\r\nSchedule2=b\r\n; note\r\nSchedule0=\"a\"\r\n"
      "Schedule2=c\r\nbare\r\n\r\n[Next]\r\nSchedule5=z\r\n";
  std::vector<ini::Entry> expect = {{"Schedule2", "b"}, {"Schedule0", "a"}, {"Schedule2", "c"}};
  EXPECT_EQ(ini::Section(file, "schedule"), expect);
  EXPECT_TRUE(ini::Section(file, "Missing").empty());
  EXPECT_EQ(ini::SectionNames(file), (std::vector<std::string>{"Other", "Schedule", "Next"}));
}

// Replacing a section in one pass gives what erasing it and writing each key gives, except that
// every section of the name goes, so that no stale duplicate is left to shadow or mix with it.
TEST(IniEngine, ReplaceSectionEqualsEraseThenWrites) {
  const std::vector<ini::Entry> entries = {{"Schedule0", "1,2"}, {"Schedule1", "3,4"}};
  struct Row { const char* name; std::string before; } rows[] = {
      {"missing section", "[Timer]\r\nTimeLag=95\r\n"},
      {"empty file", ""},
      {"section in the middle with a comment", "[A]\r\nx=1\r\n[Schedule]\r\n;keep\r\nSchedule0=old\r\nSchedule7=old\r\n[B]\r\ny=2\r\n"},
      {"no final break", "[Schedule]\r\nSchedule0=old"},
  };
  for (const Row& r : rows) {
    std::string stepwise = ini::EraseSection(r.before, "Schedule");
    for (const auto& e : entries) stepwise = ini::Write(stepwise, "Schedule", e.key, e.value);
    EXPECT_EQ(ini::ReplaceSection(r.before, "Schedule", entries), stepwise) << r.name;
  }
  const std::string dup = "[Schedule]\r\nSchedule0=a\r\n[X]\r\n[Schedule]\r\nSchedule5=stale\r\n";
  EXPECT_EQ(ini::ReplaceSection(dup, "Schedule", entries),
            "[X]\r\n[Schedule]\r\nSchedule0=1,2\r\nSchedule1=3,4\r\n");
  EXPECT_EQ(ini::ReplaceSection(dup, "Schedule", {}), "[X]\r\n");
}

TEST(IniEngine, BatchReadsAndWritesTheFileOnce) {
  platform::MemoryFiles files;
  files.files[kPath] = "[Schedule]\r\nSchedule0=old\r\n";
  IniFile ini(files, kPath);
  std::vector<ini::Entry> entries;
  for (int i = 0; i < 500; ++i) entries.push_back({"Schedule" + std::to_string(i), "v"});
  ini.ReplaceSection("Schedule", entries);
  EXPECT_EQ(files.reads, 1);
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(ini.ReadSection("Schedule").size(), 500u);
}

TEST(IniEngine, EveryOperationSeesOtherProgramsWrites) {
  platform::MemoryFiles files;
  IniFile ours(files, kPath);
  ours.WriteString("Timer", "WaitingTime", "10");
  files.files[kPath] += "TimeLag=95\r\n";  // another program adds a key in between
  EXPECT_EQ(ours.ReadInteger("Timer", "TimeLag", 180), 95);
  ours.WriteString("Timer", "BiosType", "4");
  EXPECT_EQ(files.files[kPath], "[Timer]\r\nWaitingTime=10\r\nTimeLag=95\r\nBiosType=4\r\n");
}

TEST(IniEngine, ValuesThatNeedQuotesRoundTrip) {
  for (std::string v : {" lead", "trail ", "\"quoted\"", "'single'", "\t", "\"", "a\"b\"c"}) {
    std::string file = ini::Write("", "S", "k", v);
    EXPECT_EQ(ini::Find(file, "S", "k"), v) << file;
  }
  EXPECT_EQ(ini::Write("", "S", "k", "plain value"), "[S]\r\nk=plain value\r\n");
}

TEST(IniEngine, RefusesWhatTheFormatCannotHold) {
  platform::MemoryFiles files;
  files.files[kPath] = "[S]\r\nk=1\r\n";
  IniFile ini(files, kPath);
  struct Row { const char* section; const char* key; std::string value; } rows[] = {
      {"S", "a=b", "1"}, {"S", "a\r\nb", "1"}, {"S", "[x", "1"}, {"S", ";x", "1"},
      {"S", "k", "line\r\nbreak"}, {"S", "k", std::string("nul\0x", 5)}, {"S]", "k", "1"},
      {"S\n", "k", "1"}, {"S\x81", "k", "1"},
  };
  for (const Row& r : rows) {
    EXPECT_THROW(ini.WriteString(r.section, r.key, r.value), ini::BadName) << r.key;
  }
  EXPECT_THROW(ini.ReplaceSection("S", {{"ok", "1"}, {"bad=key", "2"}}), ini::BadName);
  EXPECT_EQ(files.files[kPath], "[S]\r\nk=1\r\n");
  // A Japanese section name whose second byte is "]" is fine.
  EXPECT_NO_THROW(ini.WriteString("ゾーン", "k", "1"));
}

TEST(IniEngine, FailuresLoseNothing) {
  platform::MemoryFiles files;
  files.files[kPath] = "[S]\r\nk=1\r\n";
  IniFile ini(files, kPath);

  files.unwritable.insert(kPath);
  EXPECT_THROW(ini.WriteString("S", "k", "2"), platform::IoError);
  EXPECT_THROW(ini.DeleteKey("S", "k"), platform::IoError);
  EXPECT_EQ(files.files[kPath], "[S]\r\nk=1\r\n");
  files.unwritable.clear();

  // A file that exists but cannot be read: reads give defaults, and a write must not replace it
  // with a file holding only the new key.
  files.unreadable.insert(kPath);
  EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("S", "k", 5), 5);
  EXPECT_THROW(ini.WriteString("S", "n", "2"), platform::IoError);
  files.unreadable.clear();
  EXPECT_EQ(files.files[kPath], "[S]\r\nk=1\r\n");
}

TEST(IniEngine, ShiftJisNamesCompareExactlyInTheirSecondByte) {
  // ア (0x83 0x41) and ヂ (0x83 0x61) differ only in a second byte that looks like "A" and "a".
  const std::string file = "[ア]\r\nk=1\r\n";
  EXPECT_EQ(ini::Find(file, "ア", "k"), "1");
  EXPECT_EQ(ini::Find(file, "ヂ", "k"), std::nullopt);
  EXPECT_EQ(ini::Find("[S]\r\n表=ソ\r\n", "s", "表"), "ソ");
}

}  // namespace
}  // namespace sm
