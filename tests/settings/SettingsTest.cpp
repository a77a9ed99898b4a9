// The settings file's value encodings, the catalogue's defaults, the multi-boot copy of the
// run-time options, and the registry values (autostart command, clock adjustment).
#include <gtest/gtest.h>

#include <cstring>

#include "platform/memory/MemoryPlatform.h"
#include "shared/Settings.h"

namespace sm {
namespace {

const char* kData = "D:\\Data\\";
const char* kInstall = "C:\\Program Files\\Solmora\\";
const std::string kIni = std::string(kData) + "Solmora.ini";
const std::string kMultiBoot = std::string(kInstall) + "MultiBoot.ini";
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(RealEncoding, WrittenInTheGeneralForm) {
  struct Row { double value; const char* text; } rows[] = {
      {-28.5 / 1440, "-0.0197916666666667"},  // the clock adjustment, minutes in days
      {0.000015, "0.000015"},
      {0.0000015, "1.5E-6"},
      {0.00001, "0.00001"},
      {1E20, "1E20"},
      {0, "0"},
      {-0.0, "0"},
      {1.5, "1.5"},
      {-1, "-1"},
      {100, "100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1234567890123456.0, "1.23456789012346E15"},
      {1.25e-300, "1.25E-300"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatReal(r.value, '.'), r.text) << r.text;
  EXPECT_EQ(FormatReal(1.5, ','), "1,5");
  EXPECT_EQ(FormatReal(1.5e-6, ','), "1,5E-6");
}

TEST(RealEncoding, ReadInFixedOrExponentNotation) {
  struct Row { const char* text; char sep; std::optional<double> value; } rows[] = {
      {"-0.0197916666666667", '.', -0.0197916666666667},
      {"1.5E-6", '.', 1.5e-6},
      {"1e20", '.', 1e20},
      {"1.5", '.', 1.5},
      {"1,5", ',', 1.5},
      {"1,5", '.', std::nullopt},
      {"", '.', std::nullopt},
      {"abc", '.', std::nullopt},
      {"1.5x", '.', std::nullopt},
      {"1E400", '.', std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ParseReal(r.text, r.sep), r.value) << r.text;
}

TEST(DateTimeEncoding, LocaleShortDateBlankLongTimeAndMidnightAsTheDateAlone) {
  platform::LocaleInfo ja = platform::JapaneseLocale();
  platform::LocaleInfo wine = ja;
  wine.shortDate = "yyyy/M/d";
  platform::LocaleInfo us = ja;
  us.shortDate = "M/d/yyyy";
  us.longTime = "h:mm:ss tt";
  us.timeAM = "AM";
  us.timePM = "PM";
  struct Row { TDateTime value; const platform::LocaleInfo* locale; const char* text; } rows[] = {
      {Combine(EncodeDate(2005, 1, 28), EncodeTime(23, 0, 0)), &ja, "2005/01/28 23:00:00"},
      {EncodeDate(2005, 1, 28), &ja, "2005/01/28"},
      {Combine(EncodeDate(2005, 1, 2), EncodeTime(7, 5, 9)), &ja, "2005/01/02 7:05:09"},
      {Combine(EncodeDate(2005, 1, 2), EncodeTime(0, 0, 1)), &ja, "2005/01/02 0:00:01"},
      {Combine(EncodeDate(2005, 1, 2), EncodeTime(7, 5, 9)), &wine, "2005/1/2 7:05:09"},
      {Combine(EncodeDate(2005, 1, 2), EncodeTime(19, 5, 0)), &us, "1/2/2005 7:05:00 PM"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(FormatDateTimeText(r.value, *r.locale), r.text);
    auto back = ParseDateTimeText(r.text, *r.locale);
    ASSERT_TRUE(back.has_value()) << r.text;
    EXPECT_TRUE(SameDateTime(*back, r.value)) << r.text;
  }
}

TEST(DateTimeEncoding, ReadingTakesShortFieldsAndRefusesTheRest) {
  const platform::LocaleInfo ja = platform::JapaneseLocale();
  struct Row { const char* text; std::optional<TDateTime> value; } rows[] = {
      {"2005/1/28 7:05", Combine(EncodeDate(2005, 1, 28), EncodeTime(7, 5, 0))},
      {" 2005/01/28 ", EncodeDate(2005, 1, 28)},
      {"05/01/28", EncodeDate(2005, 1, 28)},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"2005/02/30", std::nullopt},
      {"2005/01/28 25:00:00", std::nullopt},
      {"2005/01/28 7", std::nullopt},
      {"2005/01", std::nullopt},
      {"2005/01/28x", std::nullopt},
  };
  for (const Row& r : rows) {
    auto got = ParseDateTimeText(r.text, ja);
    EXPECT_EQ(got.has_value(), r.value.has_value()) << r.text;
    if (got && r.value) {
      EXPECT_TRUE(SameDateTime(*got, *r.value)) << r.text;
    }
  }
}

struct Catalogue : ::testing::Test {
  platform::MemoryPlatform sys;
  TSolmoraSettings Settings() { return TSolmoraSettings(sys, kData, kInstall); }
};

TEST_F(Catalogue, ValuesReadWithTheirEncodings) {
  sys.files.files[kIni] =
      "[System]\r\nDelayIcon=0x10\r\nEventResume=2\r\nSelfShutDownMode=abc\r\n"
      "SolmoraVersion=1.5\r\n[Timer]\r\nTimeLag=95\r\nBiosBoot=\r\nBiosType=-1\r\n";
  sys.clock.Set(2005, 1, 26, 10, 37, 12);
  TSolmoraSettings s = Settings();
  EXPECT_EQ(s.DelayIcon(), 16);
  EXPECT_TRUE(s.EventResume());
  EXPECT_EQ(s.SelfShutDownMode(), 1);
  EXPECT_EQ(s.SolmoraVersion(), 1.5);
  EXPECT_TRUE(s.HasTimeLag());
  EXPECT_EQ(s.TimeLag(), 95);
  EXPECT_EQ(s.BiosType(), -1);
  EXPECT_EQ(s.BiosBoot(), Combine(EncodeDate(2005, 1, 26), EncodeTime(10, 0, 0)));

  sys.files.files[kIni] = "[System]\r\nEventResume=abc\r\n[Timer]\r\nBiosBoot=2005/01/28\r\n";
  EXPECT_TRUE(s.EventResume());
  EXPECT_EQ(s.BiosBoot(), EncodeDate(2005, 1, 28));
}

TEST_F(Catalogue, DefaultsOfAFileWithoutATimerSection) {
  sys.files.files[kIni] = "[System]\r\nSolmoraRunning=0\r\n";
  sys.clock.Set(2005, 1, 26, 23, 59, 59, 999);
  for (int pass = 0; pass < 2; ++pass) {
    TSolmoraSettings s = Settings();
    EXPECT_FALSE(s.HasTimeLag());
    EXPECT_EQ(s.TimeLag(), 180);
    EXPECT_EQ(s.WaitingTime(), 10);
    EXPECT_EQ(s.BiosType(), 0);
    EXPECT_EQ(s.BiosBoot(), Combine(EncodeDate(2005, 1, 26), EncodeTime(23, 0, 0)));
    EXPECT_EQ(s.DelayIcon(), 0);
    EXPECT_TRUE(s.EventResume());
    EXPECT_EQ(s.SelfShutDownMode(), 1);
    EXPECT_FALSE(s.SolmoraRunning());
    EXPECT_EQ(s.SolmoraVersion(), -1);
    sys.files.files.clear();  // the second pass: no file at all
  }
  EXPECT_TRUE(sys.files.files.empty());  // reading creates nothing
}

TEST_F(Catalogue, WritesUseTheEncodings) {
  TSolmoraSettings s = Settings();
  s.WriteBiosBoot(EncodeDate(2005, 1, 28));
  s.WriteAdjustment(-28.5 / 1440);
  s.WriteRequestTimeLag(true);
  s.WriteSolmoraRunning(true);
  s.WriteTimeLag(120);
  s.WriteWaitingTime(70);
  s.WriteBiosType(4);
  EXPECT_EQ(sys.files.files[kIni],
            "[Timer]\r\nBiosBoot=2005/01/28\r\nAdjustment=-0.0197916666666667\r\nTimeLag=120\r\n"
            "WaitingTime=70\r\nBiosType=4\r\n[System]\r\nRequestTimeLag=1\r\nSolmoraRunning=1\r\n");
  s.DeleteTimeLag();
  s.DeleteSolmoraRunning();
  s.WriteAdjustment(0);
  EXPECT_EQ(sys.files.files[kIni],
            "[Timer]\r\nBiosBoot=2005/01/28\r\nAdjustment=0\r\nWaitingTime=70\r\nBiosType=4\r\n"
            "[System]\r\nRequestTimeLag=1\r\n");
}

TEST_F(Catalogue, OptionsEqualToTheirDefaultsAreDeleted) {
  sys.files.files[kIni] = "[System]\r\nDelayIcon=5\r\nEventResume=0\r\nSelfShutDownMode=0\r\n";
  TSolmoraSettings s = Settings();
  s.StoreDelayIcon(0);
  s.StoreEventResume(true);
  s.StoreSelfShutDownMode(1);
  EXPECT_EQ(sys.files.files[kIni], "[System]\r\n");
  s.StoreDelayIcon(30);
  s.StoreEventResume(false);
  s.StoreSelfShutDownMode(7);  // every mode but 1 is forced
  EXPECT_EQ(sys.files.files[kIni],
            "[System]\r\nDelayIcon=30\r\nEventResume=0\r\nSelfShutDownMode=0\r\n");
}

TEST_F(Catalogue, MultiBootFileTakesTheThreeOptionsOnly) {
  sys.files.files[kMultiBoot] = "[MultiBoot]\r\nPath=E:\\Shared\\\r\n[System]\r\nDelayIcon=20\r\n";
  sys.files.files[kIni] = "[System]\r\nDelayIcon=99\r\nEventResume=0\r\n";
  TSolmoraSettings s = Settings();
  EXPECT_TRUE(s.HasMultiBoot());
  EXPECT_EQ(s.DelayIcon(), 20);
  EXPECT_TRUE(s.EventResume());  // the settings file's "0" is not seen
  s.StoreEventResume(false);
  s.StoreSelfShutDownMode(0);
  s.StoreDelayIcon(0);
  s.WriteSolmoraRunning(true);
  s.WriteTimeLag(150);
  EXPECT_EQ(sys.files.files[kMultiBoot],
            "[MultiBoot]\r\nPath=E:\\Shared\\\r\n[System]\r\nEventResume=0\r\nSelfShutDownMode=0\r\n");
  EXPECT_EQ(sys.files.files[kIni],
            "[System]\r\nDelayIcon=99\r\nEventResume=0\r\nSolmoraRunning=1\r\n[Timer]\r\nTimeLag=150\r\n");

  sys.files.files.erase(kMultiBoot);
  TSolmoraSettings plain = Settings();
  EXPECT_FALSE(plain.HasMultiBoot());
  EXPECT_EQ(plain.DelayIcon(), 99);
  EXPECT_FALSE(plain.EventResume());
}

struct AutoStart : ::testing::Test {
  platform::MemoryPlatform sys;
  TFolders folders{sys};
  std::string Value() {
    const platform::RegValue* v = sys.registry.Find(kRun, "Solmora");
    return v ? v->data : "(none)";
  }
};

TEST_F(AutoStart, WritesTheShortPathAndArgumentsAndTheLastCallWins) {
  sys.pathNames.shortForms[std::string(kInstall) + "SMSetup.exe"] = "C:\\PROGRA~1\\Solmora\\SMSetup.exe";
  sys.pathNames.shortForms[std::string(kInstall) + "Solmora.exe"] = "C:\\PROGRA~1\\Solmora\\Solmora.exe";
  sys.registry.SetText(kRun, "Other", "C:\\other.exe");
  EXPECT_TRUE(SetAutoStart(sys, folders, "Run", "SMSetup.exe", "3", ""));
  EXPECT_EQ(Value(), "C:\\PROGRA~1\\Solmora\\SMSetup.exe 3");
  EXPECT_TRUE(SetAutoStart(sys, folders, "Run", "Solmora.exe", "/D", ""));
  EXPECT_EQ(Value(), "C:\\PROGRA~1\\Solmora\\Solmora.exe /D");
  EXPECT_EQ(sys.registry.keys[kRun].values.size(), 2u);  // one "Solmora" value beside the other
}

TEST_F(AutoStart, WithoutAShortFormTheFullPathIsQuoted) {
  EXPECT_TRUE(SetAutoStart(sys, folders, "Run", "SMSetup.exe", "1", ""));
  EXPECT_EQ(Value(), "\"C:\\Program Files\\Solmora\\SMSetup.exe\" 1");
  EXPECT_TRUE(SetAutoStart(sys, folders, "RunOnce", "Solmora.exe", "/D", "E:\\Tools\\"));
  EXPECT_EQ(sys.registry.Find(kRun + "Once", "Solmora")->data, "\"E:\\Tools\\Solmora.exe\" /D");
}

TEST_F(AutoStart, FalseWhenTheKeyCannotBeOpenedOrWritten) {
  sys.registry.allReadOnly = true;
  EXPECT_FALSE(SetAutoStart(sys, folders, "Run", "Solmora.exe", "/D", ""));
  sys.registry.allReadOnly = false;
  sys.registry.failSet.insert(kRun);
  EXPECT_FALSE(SetAutoStart(sys, folders, "Run", "Solmora.exe", "/D", ""));
  EXPECT_EQ(Value(), "(none)");
}

TEST(GetShortPath, AnswersTheSystemsShortFormOrNothing) {
  platform::MemoryPlatform sys;
  sys.pathNames.shortForms["C:\\Program Files\\x.exe"] = "C:\\PROGRA~1\\x.exe";
  EXPECT_EQ(GetShortPath(sys, "C:\\Program Files\\x.exe"), "C:\\PROGRA~1\\x.exe");
  EXPECT_EQ(GetShortPath(sys, "C:\\missing.exe"), "");
}

TEST(AdjustmentValue, EightBytesOfTheDoubleLittleEndian) {
  platform::MemoryPlatform sys;
  WriteAdjustmentValue(sys, -1.5);  // 0xBFF8000000000000
  const platform::RegValue* v = sys.registry.Find("Software\\Solmora\\Timer", "Adjustment");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(*v, platform::RegValue::Bytes(std::string("\0\0\0\0\0\0\xF8\xBF", 8)));

  sys.registry.failSet.insert("Software\\Solmora\\Timer");
  EXPECT_THROW(WriteAdjustmentValue(sys, 0.5), ERegistryError);
  sys.registry.allReadOnly = true;
  EXPECT_THROW(WriteAdjustmentValue(sys, 0.5), ERegistryError);
}

}  // namespace
}  // namespace sm
