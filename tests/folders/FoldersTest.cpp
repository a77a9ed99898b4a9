// Install folder, data folder with the multi-boot file, product key and installed version.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "shared/Folders.h"

namespace sm {
namespace {

const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora";
const char* kProduct = "Software\\Solmora";
const std::string kInstall = "C:\\Program Files\\Solmora\\";

struct Machine {
  platform::MemoryPlatform mp;
  TFolders folders{mp};
  Machine() {
    mp.files.executable = "C:\\Host\\Solmora.exe";
    // Keys under HKEY_LOCAL_MACHINE do not open for writing for an ordinary user.
    mp.registry.allReadOnly = true;
  }
  void Register(const std::string& uninstall) {
    mp.registry.SetText(kUninstall, "UninstallString", uninstall);
  }
};

TEST(InstallFolder, FromTheUninstallRegistration) {
  struct Row { const char* value; const char* expect; } rows[] = {
      {"\"C:\\Program Files\\Solmora\\Uninst.exe\" /x", "C:\\Program Files\\Solmora\\"},
      {"\"C:\\A \"\"B\"\"\\Uninst.exe\"", "C:\\A \"B\"\\"},
      {"C:\\Solmora\\Uninst.exe /log=D:\\x", "C:\\Solmora\\Uninst.exe /log=D:\\"},
      {"C:\\表\\Uninst.exe", "C:\\表\\"},
      {"C:\\表", "C:\\"},
      {"D:Uninst.exe", "D:"},
      {"Uninst.exe", ""},
      {"\"C:\\Unclosed\\Uninst.exe", "C:\\Unclosed\\"},
  };
  for (const Row& r : rows) {
    Machine m;
    m.Register(r.value);
    EXPECT_EQ(m.folders.GetSolmoraPath(), r.expect) << r.value;
  }
}

TEST(InstallFolder, NotRegisteredFallsBackToTheExecutable) {
  Machine m;
  m.mp.registry.keys[kUninstall];  // the key exists without "UninstallString"
  EXPECT_EQ(m.folders.GetSolmoraPath(), "");
  EXPECT_FALSE(m.folders.IsSolmoraInstalled());
  EXPECT_EQ(m.folders.SmPath(), "C:\\Host\\");
  EXPECT_EQ(m.folders.SmVersionByDouble(), -1);
  EXPECT_EQ(m.mp.files.reads, 0);  // no settings file opened
  m.Register("\"" + kInstall + "Uninst.exe\"");
  EXPECT_EQ(m.folders.SmPath(), kInstall);  // computed afresh every call
}

TEST(DataFolder, MultiBootPathRules) {
  struct Row { const char* file; const char* data; const char* after; } rows[] = {
      {"[MultiBoot]\r\nPath=D:\\ShareData\r\n", "D:\\ShareData\\", "[MultiBoot]\r\nPath=D:\\ShareData\\\r\n"},
      {"[MultiBoot]\r\nPath=\r\n", "\\", "[MultiBoot]\r\nPath=\\\r\n"},
      {"[MultiBoot]\r\nUserName=x\r\n", "C:\\Program Files\\Solmora\\", nullptr},
      {"[MultiBoot]\r\nPath=D:\\表\r\n", "D:\\表\\", "[MultiBoot]\r\nPath=D:\\表\\\r\n"},
      {"[MultiBoot]\r\nPath=D:\\Data\\\r\n", "D:\\Data\\", nullptr},
  };
  for (const Row& r : rows) {
    Machine m;
    m.Register(kInstall + "Uninst.exe");
    m.mp.files.files[kInstall + "MultiBoot.ini"] = r.file;
    EXPECT_EQ(m.folders.DataPath(), r.data) << r.file;
    EXPECT_EQ(m.mp.files.files[kInstall + "MultiBoot.ini"], r.after ? r.after : r.file);
    EXPECT_EQ(m.mp.files.writes, r.after ? 1 : 0) << r.file;
  }
}

TEST(DataFolder, ReadOnceForEachInstallFolder) {
  Machine m;
  m.Register(kInstall + "Uninst.exe");
  EXPECT_EQ(m.folders.DataPath(), kInstall);  // no multi-boot file
  m.mp.files.files[kInstall + "MultiBoot.ini"] = "[MultiBoot]\r\nPath=E:\\\r\nUserName= 　hanako \t\r\n";
  EXPECT_EQ(m.folders.DataPath(), kInstall);  // the later file is not seen
  EXPECT_EQ(m.folders.ReadMultiBootIni("", kInstall), "　hanako");  // empty request reloads
  EXPECT_EQ(m.folders.DataPath(), "E:\\");
  const int reads = m.mp.files.reads;
  EXPECT_EQ(m.folders.DataPath(), "E:\\");
  EXPECT_EQ(m.mp.files.reads, reads);
  EXPECT_EQ(m.folders.ReadMultiBootIni("user", kInstall), "　hanako");
  EXPECT_EQ(m.folders.ReadMultiBootIni("Path", kInstall), "　hanako");  // "path" compared exactly
  EXPECT_EQ(m.folders.ReadMultiBootIni("path", "F:\\"), "F:\\");  // another folder loads again
  EXPECT_EQ(m.folders.ReadMultiBootIni("user", "F:\\"), "　hanako");  // the name stays
}

TEST(DataFolder, UserNameDefaultsToTheLogonName) {
  Machine m;
  m.mp.user.name = "jiro";
  m.mp.files.files["C:\\Host\\MultiBoot.ini"] = "[MultiBoot]\r\nPath=D:\\\r\n";
  EXPECT_EQ(m.folders.ReadMultiBootIni("user", "C:\\Host\\"), "jiro");
}

TEST(DataFolder, WriteBackThatFailsStillAnswersTheCorrectedFolder) {
  Machine m;
  m.mp.files.files["C:\\Host\\MultiBoot.ini"] = "[MultiBoot]\r\nPath=D:\\X\r\n";
  m.mp.files.unwritable.insert("C:\\Host\\MultiBoot.ini");
  EXPECT_EQ(m.folders.DataPath(), "D:\\X\\");
}

TEST(Version, FromTheSettingsFile) {
  struct Row { const char* value; char sep; double expect; } rows[] = {
      {"1.5", '.', 1.5}, {"abc", '.', -1}, {"", '.', -1}, {"1,41", ',', 1.41}, {"1.41", ',', -1},
      {"2E0", '.', 2}, {"1.5x", '.', -1},
  };
  for (const Row& r : rows) {
    Machine m;
    m.Register(kInstall + "Uninst.exe");
    m.mp.locale.info.decimalSeparator = r.sep;
    m.mp.files.files[kInstall + "Solmora.ini"] = std::string("[System]\r\nSolmoraVersion=") + r.value + "\r\n";
    EXPECT_EQ(m.folders.SmVersionByDouble(), r.expect) << r.value;
  }
  Machine none;
  none.Register(kInstall + "Uninst.exe");
  EXPECT_EQ(none.folders.SmVersionByDouble(), -1);
}

TEST(ProductKey, ValuesByRequestName) {
  Machine m;
  EXPECT_EQ(m.folders.ReadRegData("StartUpWait"), "0");  // no key
  EXPECT_EQ(m.folders.RegUserName(), "");
  m.mp.registry.SetText(kProduct, "UserName", "taro");
  m.mp.registry.SetText(kProduct, "IniFileName", "Solmora.ini");
  m.mp.registry.SetDWord(kProduct, "StartUpWait", 30);
  EXPECT_EQ(m.folders.RegUserName(), "taro");
  EXPECT_EQ(m.folders.ReadRegData("IniFileName"), "");
  EXPECT_EQ(m.folders.ReadRegData("IniFile"), "Solmora.ini");
  EXPECT_EQ(m.folders.ReadRegData("StartUpWait"), "30");
  EXPECT_EQ(m.folders.RegDataPath(), "");
  // Read again until a data folder was found, then never again.
  m.mp.registry.SetText(kProduct, "DataPath", "D:\\Data\\");
  EXPECT_EQ(m.folders.RegDataPath(), "D:\\Data\\");
  m.mp.registry.SetText(kProduct, "DataPath", "E:\\Other\\");
  m.mp.registry.SetText(kProduct, "UserName", "hanako");
  EXPECT_EQ(m.folders.RegDataPath(), "D:\\Data\\");
  EXPECT_EQ(m.folders.RegUserName(), "taro");
}

TEST(ProductKey, ValueOfAnotherTypeIsIgnored) {
  Machine m;
  m.mp.registry.SetText(kProduct, "StartUpWait", "15");
  m.mp.registry.SetDWord(kProduct, "UserName", 7);
  EXPECT_EQ(m.folders.ReadRegData("StartUpWait"), "0");
  EXPECT_EQ(m.folders.RegUserName(), "");
}

}  // namespace
}  // namespace sm
