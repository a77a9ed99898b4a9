// Under Wine: the autostart command, the clock adjustment and the settings file as the
// platform's own functions read them back, and the power, service and short-path seams.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/Win32Platform.h"
#include "shared/Power.h"
#include "shared/Settings.h"

namespace sm {
namespace {

std::string TempFolder() {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  std::string dir = std::string(buf) + "sm-settings-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

std::string RegText(const char* key, const char* name) {
  HKEY k;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return "(no key)";
  char buf[1024];
  DWORD type = 0, size = sizeof buf;
  LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(k);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return "(no text value)";
  return std::string(buf, size > 0 ? size - 1 : 0);
}

std::string Profile(const std::string& path, const char* section, const char* key) {
  char buf[512];
  DWORD n = GetPrivateProfileStringA(section, key, "(missing)", buf, sizeof buf, path.c_str());
  return std::string(buf, n);
}

TEST(AutoStartOnWindows, RunValueHoldsTheShortPathAndOnlyTheLastCommand) {
  platform::Win32Platform sys;
  TFolders folders(sys);
  const std::string dir = TempFolder() + "Program Folder With Blanks\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  for (const char* exe : {"SMSetup.exe", "Solmora.exe"}) {
    HANDLE h = CreateFileA((dir + exe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  }
  char shortName[MAX_PATH];
  ASSERT_GT(GetShortPathNameA((dir + "Solmora.exe").c_str(), shortName, MAX_PATH), 0u);
  EXPECT_EQ(GetShortPath(sys, dir + "Solmora.exe"), shortName);
  EXPECT_EQ(std::string(shortName).find(' '), std::string::npos);

  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  ASSERT_TRUE(SetAutoStart(sys, folders, "Run", "SMSetup.exe", "3", dir));
  ASSERT_TRUE(SetAutoStart(sys, folders, "Run", "Solmora.exe", "/D", dir));
  EXPECT_EQ(RegText(run, "Solmora"), std::string(shortName) + " /D");

  ASSERT_TRUE(SetAutoStart(sys, folders, "Run", "NotThere.exe", "1", dir));
  EXPECT_EQ(RegText(run, "Solmora"), "\"" + dir + "NotThere.exe\" 1");
  EXPECT_EQ(GetShortPath(sys, dir + "NotThere.exe"), "");
}

TEST(AdjustmentOnWindows, RawEightBytesUnderTheTimerKey) {
  platform::Win32Platform sys;
  const double days = -28.5 / 1440;
  WriteAdjustmentValue(sys, days);
  HKEY k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Solmora\\Timer", 0, KEY_READ, &k),
            ERROR_SUCCESS);
  unsigned char buf[16];
  DWORD type = 0, size = sizeof buf;
  ASSERT_EQ(RegQueryValueExA(k, "Adjustment", nullptr, &type, buf, &size), ERROR_SUCCESS);
  RegCloseKey(k);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(size, 8u);
  double back = 0;
  std::memcpy(&back, buf, 8);
  EXPECT_EQ(back, days);
}

TEST(SettingsFileOnWindows, ThePlatformsProfileFunctionsReadWhatWeWrite) {
  platform::Win32Platform sys;
  const std::string dir = TempFolder();
  const std::string ini = dir + "Solmora.ini";
  DeleteFileA(ini.c_str());
  TSolmoraSettings s(sys, dir, dir);
  const TDateTime alarm = Combine(EncodeDate(2005, 1, 28), EncodeTime(23, 0, 0));
  s.WriteBiosBoot(alarm);
  s.WriteAdjustment(-28.5 / 1440);
  s.WriteTimeLag(95);
  s.StoreEventResume(false);
  s.WriteRequestTimeLag(true);

  const std::string bios = Profile(ini, "Timer", "BiosBoot");
  EXPECT_EQ(bios, FormatDateTimeText(alarm, sys.locale.Info()));
  EXPECT_EQ(bios.substr(0, 5), "2005/");  // Wine answers "yyyy/M/d", Windows "yyyy/MM/dd"
  EXPECT_EQ(bios.substr(bios.size() - 9), " 23:00:00");
  EXPECT_EQ(Profile(ini, "Timer", "Adjustment"), "-0.0197916666666667");
  EXPECT_EQ(GetPrivateProfileIntA("Timer", "TimeLag", 0, ini.c_str()), 95u);
  EXPECT_EQ(Profile(ini, "System", "EventResume"), "0");
  EXPECT_EQ(Profile(ini, "System", "RequestTimeLag"), "1");

  // And the other way round: what the platform writes, the catalogue reads.
  WritePrivateProfileStringA("Timer", "WaitingTime", "0x10", ini.c_str());
  WritePrivateProfileStringA("Timer", "BiosBoot", bios.substr(0, bios.size() - 9).c_str(), ini.c_str());
  EXPECT_EQ(s.WaitingTime(), 16);
  EXPECT_EQ(s.BiosBoot(), EncodeDate(2005, 1, 28));
  EXPECT_EQ(s.TimeLag(), 95);
}

TEST(PowerSeamOnWindows, QueriesAnswerWithoutPoweringOff) {
  platform::Win32Platform sys;
  platform::OsVersionInfo v = sys.power.Version();
  EXPECT_EQ(v.platformId, 2u);
  EXPECT_GE(v.major, 5u);
  std::vector<std::string> list;
  EnumExitWinProc(list, sys.power);
  EXPECT_TRUE(list.size() == 6 || list.size() == 7);
  EXPECT_TRUE(sys.power.EnableShutdownPrivilege());
}

TEST(ServicesOnWindows, MissingServiceAndRejectedControlAnswerZero) {
  platform::Win32Platform sys;
  EXPECT_EQ(SendServiceControl(sys.services, "SolmoraNoSuchService", 128), 0u);

  // An installed but stopped service rejects a user-defined control.
  SC_HANDLE scm = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(scm, nullptr);
  SC_HANDLE svc = CreateServiceW(scm, L"SolmoraTestStopped", L"Solmora test (stopped)",
                                 SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                 SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                 L"C:\\windows\\system32\\notepad.exe", nullptr, nullptr, nullptr,
                                 nullptr, nullptr);
  if (!svc) svc = OpenServiceW(scm, L"SolmoraTestStopped", SERVICE_ALL_ACCESS);
  ASSERT_NE(svc, nullptr);
  EXPECT_EQ(SendServiceControl(sys.services, "SolmoraTestStopped", 128), 0u);
  DeleteService(svc);
  CloseServiceHandle(svc);
  CloseServiceHandle(scm);
}

}  // namespace
}  // namespace sm
