// Power modes and their list, the power-off with its two failures, the version classes and the
// service control, against the in-memory system.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "shared/Power.h"

namespace sm {
namespace {

TEST(ExitWinStr, NamesEveryModeInBothLanguages) {
  EXPECT_STREQ(ExitWinStr[ewFrcPwrOffWin][0], "強制電源断");
  EXPECT_STREQ(ExitWinStr[ewFrcPwrOffWin][1], "ForcePowerOff");
  EXPECT_STREQ(ExitWinStr[ewLogOffWin][1], "LogOff");
  EXPECT_STREQ(ExitWinStr[ewHibernate][0], "休止状態");
  EXPECT_STREQ(ExitWinStr[ewHibernate][1], "Hibernation");
  EXPECT_STREQ(ExitWinStr[7][0], "");
  EXPECT_STREQ(ExitWinStr[8][1], "");
  EXPECT_STREQ(ExitWinStr[ewBIOS][0], "BIOSシャットダウン");
  EXPECT_STREQ(ExitWinStr[ewBIOS][1], "");
}

TEST(EnumExitWinProc, OffersModesZeroToFiveAndHibernationWhenAllowed) {
  const std::vector<std::string> withoutHibernation = {
      "強制電源断", "電源断", "強制リブート", "リブート", "ログオフ", "サスペンド"};
  platform::MemoryPower power;
  std::vector<std::string> list = {"left over", "from before"};
  EnumExitWinProc(list, power);
  EXPECT_EQ(list, withoutHibernation);

  power.hibernationAllowed = true;
  EnumExitWinProc(list, power);
  EnumExitWinProc(list, power);  // cleared first, not doubled
  ASSERT_EQ(list.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(list.begin(), list.begin() + 6), withoutHibernation);
  EXPECT_EQ(list[ewHibernate], "休止状態");
}

TEST(GetOSVersion, EveryRowOfTheTable) {
  struct Row { uint32_t id, major, minor; TOSVersion expect; } rows[] = {
      {1, 4, 0, OV_Win95},   {1, 4, 10, OV_Win98},  {1, 0, 10, OV_Win98},  {1, 9, 10, OV_Win98},
      {1, 4, 90, OV_WinMe},  {1, 4, 3, OV_Other},   {1, 5, 1, OV_Other},
      {2, 3, 51, OV_WinNT3}, {2, 4, 0, OV_WinNT4},  {2, 4, 7, OV_WinNT4},  {2, 5, 0, OV_Win2k},
      {2, 5, 1, OV_WinXP},   {2, 5, 2, OV_2003},    {2, 5, 3, OV_Other},   {2, 6, 0, OV_Vista},
      {2, 6, 1, OV_Win7},    {2, 6, 2, OV_Other},   {2, 6, 3, OV_Other},   {2, 10, 0, OV_Other},
      {2, 7, 0, OV_Other},   {2, 2, 0, OV_Other},   {0, 3, 10, OV_Other},  {3, 5, 1, OV_Other},
  };
  for (const Row& r : rows)
    EXPECT_EQ(GetOSVersion(platform::OsVersionInfo{r.id, r.major, r.minor, 0}), r.expect)
        << r.id << " " << r.major << "." << r.minor;
  platform::MemoryPower power;  // answers Windows XP
  EXPECT_EQ(GetOSVersion(power), OV_WinXP);
}

struct PowerOff : ::testing::Test {
  platform::MemoryPower power;
  std::string Message() {
    try {
      TExitWin(power).PowerOffWindows();
    } catch (const EExitError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(PowerOff, NtFamilyTakesThePrivilegeThenShutsDownAndPowersOff) {
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(power.privilegeCalls, 1);
  EXPECT_EQ(power.exitCalls, std::vector<unsigned>{9u});  // shut down | power off, not forced
}

TEST_F(PowerOff, NineXFamilySkipsThePrivilege) {
  power.version = {1, 4, 10, 2222};
  power.privilegeFails = true;
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(power.privilegeCalls, 0);
  EXPECT_EQ(power.exitCalls, std::vector<unsigned>{9u});
}

TEST_F(PowerOff, PrivilegeNotObtainedStopsBeforeTheExitCall) {
  power.privilegeFails = true;
  EXPECT_EQ(Message(), "特権の取得に失敗しました。");
  EXPECT_TRUE(power.exitCalls.empty());
}

TEST_F(PowerOff, RefusedExitCall) {
  power.exitFails = true;
  EXPECT_EQ(Message(), "コンピュータの電源を切ることができませんでした。");
  power.version = {1, 4, 90, 0};
  EXPECT_EQ(Message(), "コンピュータの電源を切ることができませんでした。");
}

TEST_F(PowerOff, CreationRefreshesTheVersionRecord) {
  TExitWin exitWin(power);
  EXPECT_EQ(power.versionQueries, 1);
  power.version = {1, 4, 0, 0};
  exitWin.PowerOffWindows();  // the record of the construction: NT, so the privilege is asked
  EXPECT_EQ(power.privilegeCalls, 1);
  TExitWin again(power);
  EXPECT_EQ(again.Version().platformId, 1u);
}

struct ServiceControl : ::testing::Test {
  platform::MemoryServices services;
  void SetUp() override {
    services.services["SolmoraAdjustTime"] = {4, {SERVICE_CONTROL_DATA_UPDATE}, false};
    services.services["Stopped"] = {1, {}, false};
    services.services["Locked"] = {4, {128}, true};
  }
};

TEST_F(ServiceControl, AcceptedControlAnswersTheStateAndClosesServiceThenManager) {
  EXPECT_EQ(SendServiceControl(services, "solmoraadjusttime", 128), 4u);
  EXPECT_EQ(services.log, (std::vector<std::string>{"open manager", "open solmoraadjusttime",
                                                    "control solmoraadjusttime 128",
                                                    "close solmoraadjusttime", "close manager"}));
  EXPECT_EQ(services.openHandles, 0);
}

TEST_F(ServiceControl, EveryFailureAnswersZeroAndLeavesNoHandleOpen) {
  struct Row { const char* name; uint32_t code; const char* last; } rows[] = {
      {"NoSuchService", 128, "close manager"},
      {"Locked", 128, "close manager"},    // the service cannot be opened
      {"Stopped", 200, "close manager"},   // the control is rejected
  };
  for (const Row& r : rows) {
    services.log.clear();
    EXPECT_EQ(SendServiceControl(services, r.name, r.code), 0u) << r.name;
    EXPECT_EQ(services.log.back(), r.last) << r.name;
    EXPECT_EQ(services.openHandles, 0) << r.name;
  }
  services.managerFails = true;
  EXPECT_EQ(SendServiceControl(services, "SolmoraAdjustTime", 128), 0u);
  EXPECT_EQ(services.openHandles, 0);
}

}  // namespace
}  // namespace sm
