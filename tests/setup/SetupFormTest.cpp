// The setup wizard driven through its widgets on the headless backend and the in-memory system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/memory/MemoryPlatform.h"
#include "setup/SetupForm.h"
#include "shared/Settings.h"
#include "ui/headless/Headless.h"

namespace sm::setup {
namespace {

const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora";
const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kInstall = "C:\\Program Files\\Solmora\\";
const std::string kData = "D:\\Data\\";
const std::string kIni = kData + "Solmora.ini";
const std::string kMultiBoot = kInstall + "MultiBoot.ini";
const std::string kHostStart = "\"" + kInstall + "Solmora.exe\" /S";
const char* kResetup =
    "再セットアップを行うには、スタートボタンのSolmoraから\n「Solmoraの再セットアップ」を選択してください。";
constexpr platform::WindowId kHostWindow = 0x1234;

struct Wizard {
  platform::MemoryPlatform mp;
  ui::headless::HeadlessBackend ui;
  std::unique_ptr<TSolmoraSetupForm> form;

  Wizard() {
    mp.registry.SetText(kUninstall, "UninstallString", "\"" + kInstall + "Uninst.exe\"");
    mp.registry.SetText("Software\\Solmora", "DataPath", kData);
    mp.pathNames.shortForms[kInstall + "SMSetup.exe"] = "C:\\PROGRA~1\\Solmora\\SMSetup.exe";
    mp.pathNames.shortForms[kInstall + "Solmora.exe"] = "C:\\PROGRA~1\\Solmora\\Solmora.exe";
    mp.clock.Set(2005, 1, 26, 10, 0, 0);
    mp.services.services["SolmoraAdjustTime"].accepted = {128};
  }
  int PowerOffs() {
    int n = 0;
    for (unsigned flags : mp.power.exitCalls) n += flags == (platform::kExitShutDown | platform::kExitPowerOff);
    return n;
  }
  void Settings(const std::string& text) { mp.files.files[kIni] = text; }
  void HostRunning() { mp.windows.byClass["TSolmoraMainForm"] = kHostWindow; }

  bool Start(std::vector<std::string> args = {}) {
    form = std::make_unique<TSolmoraSetupForm>(ui, mp.platform, std::move(args));
    if (!form->FormCreate()) return false;
    form->ShowForm();
    return true;
  }
  TSolmoraSetupForm& F() { return *form; }
  int ShownPage() {
    int shown = -1;
    auto pages = form->Pages();
    for (int i = 0; i < 6; ++i)
      if (pages[i]->Visible()) {
        EXPECT_EQ(shown, -1) << "two pages shown";
        shown = i;
      }
    return shown;
  }
  void Next() { ASSERT_TRUE(form->BtnNext.UserPress()); }
  void Prev() { ASSERT_TRUE(form->BtnPrev.UserPress()); }
  IniFile Ini() { return IniFile(mp.files, kIni); }
  std::string Read(const char* section, const char* key) {
    return Ini().ReadString(section, key, "<none>");
  }
  std::string RunValue() {
    const platform::RegValue* v = mp.registry.Find(kRun, "Solmora");
    return v ? v->data : "<none>";
  }
};

// ---------------------------------------------------------------------------------------------
// Start-up

TEST(SetupStartUp, WaitsForTheTimeAdjustProgram) {
  Wizard w;
  w.mp.mutexes.held = {"SolmoraAdjustTime"};
  w.mp.mutexes.releaseAfterChecks = 3;
  ASSERT_TRUE(w.Start());
  EXPECT_EQ(w.mp.clock.sleeps, std::vector<int>(4, 500));
  EXPECT_TRUE(w.ui.messages.empty());
}

TEST(SetupStartUp, GivesUpAfterFiftyOneAttemptsAndTouchesNothing) {
  Wizard w;
  w.HostRunning();
  w.Settings("[System]\nSolmoraRunning=1\n");
  w.mp.mutexes.held = {"SolmoraAdjustTime"};
  w.ui.answers.push_back(ui::idOk);
  EXPECT_FALSE(w.Start());
  EXPECT_EQ(w.mp.clock.sleeps, std::vector<int>(51, 500));
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text, "SolmoraAdjustTime Error!!");
  EXPECT_TRUE(w.mp.windows.posted.empty());
  EXPECT_EQ(w.mp.files.writes, 0);
}

TEST(SetupStartUp, WithoutTheProductInstalledShowsItsMessageAndWritesNothing) {
  Wizard w;
  w.HostRunning();
  w.mp.registry.keys.erase(kUninstall);
  w.Settings("[System]\nSolmoraRunning=1\n");
  w.ui.answers.push_back(ui::idOk);
  EXPECT_FALSE(w.Start({"3"}));
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text, "Solmoraがインストールされていません。");
  // The host was asked to close before the test and is not started again.
  EXPECT_EQ(w.mp.windows.posted.size(), 1u);
  EXPECT_EQ(w.mp.files.writes, 0);
  EXPECT_EQ(w.mp.registry.Find(kRun, "Solmora"), nullptr);
  EXPECT_TRUE(w.mp.shell.started.empty());
}

TEST(SetupStartUp, FrameCaptionSizeAndHostClose) {
  Wizard w;
  w.HostRunning();
  ASSERT_TRUE(w.Start());
  EXPECT_EQ(w.F().Caption(), "Solmora セットアップ  Version 1.410");
  EXPECT_EQ(w.F().Width(), 600);
  EXPECT_EQ(w.F().Height(), 400);
  EXPECT_EQ(w.F().ClientWidth(), 592);
  EXPECT_EQ(w.F().ClientHeight(), 366);
  EXPECT_EQ(w.F().BorderIcons, ui::biSystemMenu | ui::biMinimize);
  ASSERT_EQ(w.mp.windows.posted.size(), 1u);
  EXPECT_EQ(w.mp.windows.posted[0], (platform::MemoryWindows::Posted{kHostWindow, 1126, 0, 1}));
  EXPECT_EQ(w.F().InstallDir, kInstall);
  EXPECT_EQ(w.F().DataDir, kData);
}

TEST(SetupStartUp, StartPageFromTheCommandLine) {
  struct Row {
    std::vector<std::string> args;
    int page;
  } rows[] = {{{}, 0},     {{"1"}, 1},  {{"3"}, 3},   {{"5"}, 5},   {{"0"}, 0},
              {{"6"}, 0},  {{"-1"}, 0}, {{"2a"}, 0},  {{""}, 0},    {{"x", "3"}, 0},
              {{"12"}, 0}, {{"2", "x"}, 2}};
  for (const Row& r : rows) {
    Wizard w;
    ASSERT_TRUE(w.Start(r.args));
    SCOPED_TRACE(r.page);
    EXPECT_EQ(w.F().Step, r.page);
    EXPECT_EQ(w.ShownPage(), r.page);
    EXPECT_EQ(w.F().BtnPrev.Enabled(), r.page > 0);
    EXPECT_EQ(w.F().BtnCancel.Enabled(), r.page < 5);
    EXPECT_TRUE(w.F().BtnNext.Enabled());
    EXPECT_EQ(w.F().BtnNext.Caption(), r.page == 5 ? "終了" : "次へ＞");
    EXPECT_EQ(w.F().RBtnBiosOK.Checked(), r.page > 0);
    EXPECT_EQ(w.F().RBtnBiosNo.Checked(), r.page == 0);
    EXPECT_EQ(w.F().ManualPage,
              kInstall + "Manual\\Page05-0" + std::to_string(r.page + 1) + ".htm");
  }
}

TEST(SetupStartUp, ReadsTheTimingValues) {
  struct Row {
    const char* timer;
    const char* lagM;
    const char* lagS;
    bool testBootChoice;
    int waitM, waitS;
  } rows[] = {
      {"TimeLag=95\nWaitingTime=125\n", "1", "35", true, 2, 5},
      {"WaitingTime=59\n", "3", "0", false, 0, 59},
      {"", "3", "0", false, 0, 10},
      {"TimeLag=\n", "3", "0", true, 0, 10},
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(r.timer);
    w.Settings(std::string("[Timer]\n") + r.timer);
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.F().EdtTimeLagM.Text(), r.lagM);
    EXPECT_EQ(w.F().EdtTimeLagS.Text(), r.lagS);
    EXPECT_EQ(w.F().RBtnTestBootNotDone.Enabled(), r.testBootChoice);
    EXPECT_EQ(w.F().RBtnTestBootDone.Enabled(), r.testBootChoice);
    EXPECT_EQ(w.F().UDWaitTimeM.Position(), r.waitM);
    EXPECT_EQ(w.F().UDWaitTimeS.Position(), r.waitS);
    EXPECT_EQ(w.F().SNWaitTimeS.Text(), std::to_string(r.waitS));
  }
}

TEST(SetupStartUp, ReadsTheRunTimeOptions) {
  struct Row {
    const char* system;
    int delay;
    bool resume, normal;
  } rows[] = {
      {"", 0, true, true},
      {"DelayIcon=-5\n", 5, true, true},
      {"DelayIcon=130\n", 10, true, true},
      {"DelayIcon=0x10\nEventResume=0\nSelfShutDownMode=0\n", 16, false, false},
      {"EventResume=2\nSelfShutDownMode=2\n", 0, true, false},
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(r.system);
    w.Settings(std::string("[System]\n") + r.system);
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.F().UDDelayIcon.Position(), r.delay);
    EXPECT_EQ(w.F().SNDelayIcon.Text(), std::to_string(r.delay));
    EXPECT_EQ(w.F().ChkEventResume.Checked(), r.resume);
    EXPECT_EQ(w.F().RBSDwnDefault.Checked(), r.normal);
    EXPECT_EQ(w.F().RBForceSDwnDefault.Checked(), !r.normal);
  }
}

TEST(SetupStartUp, TheMultiBootFileHoldsTheOptions) {
  Wizard w;
  w.Settings("[System]\nDelayIcon=7\nEventResume=0\nSelfShutDownMode=0\n");
  w.mp.files.files[kMultiBoot] = "[System]\nDelayIcon=3\n";
  ASSERT_TRUE(w.Start());
  EXPECT_TRUE(w.F().HasMultiBoot);
  EXPECT_EQ(w.F().UDDelayIcon.Position(), 3);
  EXPECT_TRUE(w.F().ChkEventResume.Checked());
  EXPECT_TRUE(w.F().RBSDwnDefault.Checked());
}

TEST(SetupStartUp, TheResumeMarkerIsReadAndDeletedAtEveryStart) {
  struct Row {
    const char* marker;
    bool hostWindow;
    bool hostWasRunning;
  } rows[] = {
      {"SolmoraRunning=1\n", false, true},
      {"SolmoraRunning=0\n", false, false},
      {"SolmoraRunning=0\n", true, true},
      {"", false, false},
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(r.marker);
    if (r.hostWindow) w.HostRunning();
    w.Settings(std::string("[System]\n") + r.marker + "DelayIcon=4\n");
    ASSERT_TRUE(w.Start({"3"}));
    EXPECT_EQ(w.F().HostWasRunning, r.hostWasRunning);
    EXPECT_FALSE(w.Ini().KeyExists("System", "SolmoraRunning"));
    EXPECT_EQ(w.Read("System", "DelayIcon"), "4");
  }
}

TEST(SetupStartUp, AStartWithoutSettingsFileWritesNothing) {
  Wizard w;
  w.mp.files.unwritable.insert(kIni);
  ASSERT_TRUE(w.Start({"3"}));
  EXPECT_EQ(w.mp.files.writes, 0);
  EXPECT_TRUE(w.ui.errors.empty());
  EXPECT_EQ(w.ShownPage(), 3);
}

TEST(SetupStartUp, ReadsTheAlarm) {
  struct Row {
    const char* stored;
    int year, month, day, hour, minute, typeIndex;
  } rows[] = {
      {"BiosBoot=2005/03/30 07:45:00\nBiosType=2\n", 2005, 3, 28, 7, 45, 3},
      {"BiosBoot=2010/1/5 23:05\nBiosType=-1\n", 2010, 1, 5, 23, 5, 0},
      {"BiosBoot=\n", 2005, 1, 26, 10, 0, 1},  // today at the current hour
      {"BiosBoot=abc\nBiosType=9\n", 2005, 1, 26, 10, 0, 1},
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(r.stored);
    w.mp.clock.Set(2005, 1, 26, 10, 17, 42);
    w.Settings(std::string("[Timer]\n") + r.stored);
    ASSERT_TRUE(w.Start());
    EXPECT_TRUE(SameDateTime(w.F().AlarmDateTime, Combine(EncodeDate(r.year, r.month, r.day),
                                                          EncodeTime(r.hour, r.minute, 0))));
    EXPECT_EQ(w.F().UDYear.Position(), r.year);
    EXPECT_EQ(w.F().SNEYear.Text(), std::to_string(r.year));
    EXPECT_EQ(w.F().CmbMonth.ItemIndex(), r.month - 1);
    EXPECT_EQ(w.F().CmbDay.ItemIndex(), r.day - 1);
    EXPECT_EQ(w.F().CmbHour.ItemIndex(), r.hour);
    EXPECT_EQ(w.F().UDMinute.Position(), r.minute);
    EXPECT_EQ(w.F().CBBootType.ItemIndex(), r.typeIndex);
    EXPECT_EQ(w.F().GBoxBIOSDate.Visible(), r.typeIndex > 0);
  }
}

// ---------------------------------------------------------------------------------------------
// Page flow

TEST(SetupPageFlow, PageZeroShutsDownForTheBiosSetupWhenConfirmed) {
  Wizard w;
  w.HostRunning();
  ASSERT_TRUE(w.Start());
  w.ui.answers.push_back(ui::idYes);
  w.Next();
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text,
            "シャットダウンします。\nその後、手動で電源を投入しBIOS設定を行ってください\nよろしいですか？");
  EXPECT_EQ(w.ui.messages[0].icon, ui::MsgIcon::Question);
  EXPECT_EQ(w.ui.messages[0].buttons, ui::MsgButtons::YesNo);
  EXPECT_EQ(w.PowerOffs(), 1);
  EXPECT_FALSE(w.F().Visible());  // the PC is going down
  EXPECT_EQ(w.RunValue(), "C:\\PROGRA~1\\Solmora\\SMSetup.exe 1");
  EXPECT_EQ(w.Read("System", "SolmoraRunning"), "1");
}

TEST(SetupPageFlow, PageZeroDeclinedStaysAndWritesNothing) {
  Wizard w;
  w.HostRunning();
  ASSERT_TRUE(w.Start());
  const int writes = w.mp.files.writes;
  w.ui.answers.push_back(ui::idNo);
  w.Next();
  EXPECT_EQ(w.ShownPage(), 0);
  EXPECT_TRUE(w.F().BtnNext.Enabled());
  EXPECT_TRUE(w.F().Visible());
  EXPECT_EQ(w.PowerOffs(), 0);
  EXPECT_EQ(w.mp.files.writes, writes);
  EXPECT_EQ(w.RunValue(), "<none>");
}

TEST(SetupPageFlow, TheHostMarkerIsWrittenOnlyWhenTheHostWasRunning) {
  Wizard w;
  ASSERT_TRUE(w.Start());
  w.ui.answers.push_back(ui::idYes);
  w.Next();
  EXPECT_EQ(w.PowerOffs(), 1);
  EXPECT_FALSE(w.Ini().KeyExists("System", "SolmoraRunning"));
}

TEST(SetupPageFlow, ResumedAtPageOneGoesBackAndForwardWithoutShutdown) {
  Wizard w;
  ASSERT_TRUE(w.Start({"1"}));
  w.Prev();
  EXPECT_EQ(w.ShownPage(), 0);
  w.Next();
  EXPECT_EQ(w.ShownPage(), 1);
  EXPECT_TRUE(w.ui.messages.empty());
  EXPECT_EQ(w.PowerOffs(), 0);
}

TEST(SetupPageFlow, UnableBootSkipsTheTestPagesBothWays) {
  for (const char* timer : {"", "TimeLag=150\n"}) {
    Wizard w;
    SCOPED_TRACE(timer);
    w.Settings(std::string("[Timer]\n") + timer);
    ASSERT_TRUE(w.Start({"1"}));
    ASSERT_TRUE(w.F().CBBootType.UserSelect(0));
    EXPECT_FALSE(w.F().GBoxBIOSDate.Visible());
    EXPECT_FALSE(w.F().REditBIOSDate.Visible());
    w.Next();
    EXPECT_EQ(w.ShownPage(), 4);
    EXPECT_EQ(w.Read("Timer", "BiosType"), "-1");
    EXPECT_EQ(w.Read("Timer", "TimeLag"), *timer ? "150" : "120");
    EXPECT_EQ(w.F().EdtTimeLagM.Text(), "2");
    EXPECT_EQ(w.F().EdtTimeLagS.Text(), "0");
    EXPECT_TRUE(w.F().RBtnTestBootNotDone.Enabled());
    EXPECT_TRUE(w.F().RBtnTestBootDone.Enabled());
    w.Prev();
    EXPECT_EQ(w.ShownPage(), 1);
  }
}

TEST(SetupPageFlow, OtherTypesGoOnToTheTestBootAndBackOneByOne) {
  Wizard w;
  w.Settings("[Timer]\nTimeLag=95\n");
  ASSERT_TRUE(w.Start({"1"}));
  ASSERT_TRUE(w.F().CBBootType.UserSelect(2));
  w.Next();
  EXPECT_EQ(w.ShownPage(), 2);
  EXPECT_EQ(w.Read("Timer", "BiosType"), "1");
  ASSERT_TRUE(w.F().RBtnTestBootDone.UserPress());
  w.Next();
  EXPECT_EQ(w.ShownPage(), 3);
  w.Next();
  EXPECT_EQ(w.ShownPage(), 4);
  for (int page : {3, 2, 1, 0}) {
    w.Prev();
    EXPECT_EQ(w.ShownPage(), page);
  }
  EXPECT_EQ(w.PowerOffs(), 0);
}

TEST(SetupPageFlow, PageTwoDeclinedStays) {
  Wizard w;
  w.Settings("[Timer]\nTimeLag=95\n");
  ASSERT_TRUE(w.Start({"2"}));
  w.ui.answers.push_back(ui::idNo);
  w.Next();
  EXPECT_EQ(w.ShownPage(), 2);
  EXPECT_EQ(w.Read("Timer", "TimeLag"), "95");
  EXPECT_EQ(w.PowerOffs(), 0);
}

TEST(SetupPageFlow, PageThreeGatesNextOnTheAutoBootAnswer) {
  Wizard w;
  w.Settings("[Timer]\nTimeLag=95\n");
  ASSERT_TRUE(w.Start({"3"}));
  ASSERT_TRUE(w.F().RBtnNotAutoBoot.UserPress());
  EXPECT_FALSE(w.F().BtnNext.Enabled());
  EXPECT_FALSE(w.F().PnlTimeLag.Visible());
  // Away and back by next: the page switch enables next; the panel stays hidden until a click.
  w.Prev();
  EXPECT_EQ(w.ShownPage(), 2);
  ASSERT_TRUE(w.F().RBtnTestBootDone.UserPress());
  w.Next();
  EXPECT_EQ(w.ShownPage(), 3);
  EXPECT_TRUE(w.F().BtnNext.Enabled());
  EXPECT_FALSE(w.F().PnlTimeLag.Visible());
  ASSERT_TRUE(w.F().RBtnAutoBoot.UserPress());
  EXPECT_TRUE(w.F().BtnNext.Enabled());
  EXPECT_TRUE(w.F().PnlTimeLag.Visible());
  w.Next();
  EXPECT_EQ(w.ShownPage(), 4);
}

TEST(SetupPageFlow, CancelAndCloseBox) {
  struct Row {
    bool host;
    bool closeBox;
  } rows[] = {{false, false}, {true, false}, {true, true}, {false, true}};
  for (const Row& r : rows) {
    Wizard w;
    if (r.host) w.HostRunning();
    ASSERT_TRUE(w.Start({r.closeBox ? "5" : "0"}));
    w.ui.answers.push_back(ui::idOk);
    if (r.closeBox)
      ASSERT_TRUE(w.F().UserCloseBox());
    else
      ASSERT_TRUE(w.F().BtnCancel.UserPress());
    EXPECT_FALSE(w.F().IsShown());
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, kResetup);
    EXPECT_EQ(w.mp.shell.started, r.host ? std::vector<std::string>{kHostStart}
                                         : std::vector<std::string>{});
    EXPECT_EQ(w.RunValue(), "<none>");
  }
}

TEST(SetupPageFlow, ManualButtonOpensThePageOfTheCurrentPage) {
  Wizard w;
  ASSERT_TRUE(w.Start({"4"}));
  ASSERT_TRUE(w.F().BtnShowManual.UserPress());
  EXPECT_EQ(w.mp.shell.opened, std::vector<std::string>{kInstall + "Manual\\Page05-05.htm"});
}

TEST(SetupPageFlow, AFailedShutdownBringsTheWizardBack) {
  Wizard w;
  ASSERT_TRUE(w.Start());
  w.mp.power.exitFails = true;
  w.ui.answers.push_back(ui::idYes);
  w.Next();
  EXPECT_EQ(w.ui.errors, std::vector<std::string>{"コンピュータの電源を切ることができませんでした。"});
  EXPECT_TRUE(w.F().Visible());
  EXPECT_TRUE(w.F().BtnNext.Enabled());
  EXPECT_EQ(w.F().Step, 0);
  EXPECT_EQ(w.ShownPage(), 0);
  // The resume point stays registered.
  EXPECT_EQ(w.RunValue(), "C:\\PROGRA~1\\Solmora\\SMSetup.exe 1");
}

// ---------------------------------------------------------------------------------------------
// Actions

TEST(SetupActions, SaveBiosAlarmReplacesOnlyTheFieldsOfTheType) {
  // Stored alarm 2005-03-17 07:45:33; the shown fields are then set to year 2010, month 6,
  // day 9, hour 22, minute 5.
  struct Row {
    int typeIndex;
    const char* stored;
  } rows[] = {
      {1, "2005/03/17 22:05:00"},
      {2, "2005/03/09 22:05:00"},
      {3, "2005/06/09 22:05:00"},
      {4, "2010/06/09 22:05:00"},
      {5, "2005/03/17 22:05:00"},
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(r.typeIndex);
    w.Settings("[Timer]\nBiosBoot=2005/03/17 07:45:33\nTimeLag=95\n");
    ASSERT_TRUE(w.Start({"1"}));
    ASSERT_TRUE(w.F().CBBootType.UserSelect(r.typeIndex));
    if (w.F().UDYear.Visible()) {
      for (int i = 2005; i < 2010; ++i) ASSERT_TRUE(w.F().UDYear.UserStep(ui::UpDownButton::Next));
    }
    if (w.F().CmbMonth.Visible()) {
      ASSERT_TRUE(w.F().CmbMonth.UserSelect(5));
    }
    if (w.F().CmbDay.Visible()) {
      ASSERT_TRUE(w.F().CmbDay.UserSelect(8));
    }
    ASSERT_TRUE(w.F().CmbHour.UserSelect(22));
    for (int i = 45; i != 5; i = (i + 1) % 60) ASSERT_TRUE(w.F().UDMinute.UserStep(ui::UpDownButton::Next));
    EXPECT_EQ(w.F().SAMinute.Text(), "5");
    w.Next();
    EXPECT_EQ(w.Read("Timer", "BiosBoot"), r.stored);
    EXPECT_EQ(w.Read("Timer", "BiosType"), std::to_string(r.typeIndex - 1));
    EXPECT_EQ(w.Read("Timer", "TimeLag"), "95");
  }
}

TEST(SetupActions, AlarmFieldsShownPerType) {
  struct Row {
    int index;
    bool week, year, month, day;
  } rows[] = {{1, false, false, false, false}, {2, false, false, false, true},
              {3, false, false, true, true},   {4, false, true, true, true},
              {5, true, false, false, false}};
  Wizard w;
  ASSERT_TRUE(w.Start({"1"}));
  for (const Row& r : rows) {
    SCOPED_TRACE(r.index);
    ASSERT_TRUE(w.F().CBBootType.UserSelect(r.index));
    EXPECT_TRUE(w.F().GBoxBIOSDate.Visible());
    EXPECT_TRUE(w.F().REditBIOSDate.Visible());
    EXPECT_EQ(w.F().CmbWeek.Visible(), r.week);
    EXPECT_EQ(w.F().SNEYear.Visible(), r.year);
    EXPECT_EQ(w.F().UDYear.Visible(), r.year);
    EXPECT_EQ(w.F().CmbMonth.Visible(), r.month);
    EXPECT_EQ(w.F().CmbDay.Visible(), r.day);
    EXPECT_TRUE(w.F().CmbHour.Visible());
    EXPECT_TRUE(w.F().SAMinute.Visible());
    // Left to right in the order weekday, year, month, day, hour, minute.
    EXPECT_LT(w.F().CmbHour.Left(), w.F().SAMinute.Left());
    if (r.day) {
      EXPECT_LT(w.F().CmbDay.Left(), w.F().CmbHour.Left());
    }
    if (r.month) {
      EXPECT_LT(w.F().CmbMonth.Left(), w.F().CmbDay.Left());
    }
    if (r.year) {
      EXPECT_LT(w.F().UDYear.Left(), w.F().CmbMonth.Left());
    }
    if (r.week) {
      EXPECT_LT(w.F().CmbWeek.Left(), w.F().CmbHour.Left());
    }
  }
}

TEST(SetupActions, WeekdayChoiceMovesTheAlarmWithinTwentyEightDays) {
  struct Row {
    int y, m, d;      // stored alarm
    int choice;       // CmbWeek index, Monday 0
    int ey, em, ed;   // result
  } rows[] = {
      {2005, 1, 27, 6, 2005, 1, 23},  // Thursday -> Sunday: the 30th would be past the 28th
      {2005, 2, 2, 0, 2005, 2, 7},    // Wednesday -> Monday: the 31st of January would be
      {2005, 1, 26, 4, 2005, 1, 28},  // Wednesday -> Friday, same week
      {2005, 1, 3, 6, 2005, 1, 9},    // Monday -> Sunday
      {2004, 12, 27, 6, 2005, 1, 2},  // across the year's end
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(r.d);
    w.Settings("[Timer]\nBiosType=4\nBiosBoot=" + std::to_string(r.y) + "/" + std::to_string(r.m) +
               "/" + std::to_string(r.d) + " 06:30:00\n");
    ASSERT_TRUE(w.Start({"1"}));
    ASSERT_TRUE(w.F().CmbWeek.Visible());
    ASSERT_TRUE(w.F().CmbWeek.UserSelect(r.choice));
    EXPECT_TRUE(SameDateTime(w.F().AlarmDateTime,
                             Combine(EncodeDate(r.ey, r.em, r.ed), EncodeTime(6, 30, 0))));
    EXPECT_EQ(w.F().UDYear.Position(), r.ey);
    EXPECT_EQ(w.F().CmbMonth.ItemIndex(), r.em - 1);
    EXPECT_EQ(w.F().CmbDay.ItemIndex(), r.ed - 1);
    w.Next();
    EXPECT_EQ(w.Read("Timer", "BiosBoot"),
              FormatDateTimeText(w.F().AlarmDateTime, w.mp.locale.info));
  }
}

TEST(SetupActions, WaitSecondsCarryIntoMinutes) {
  struct Row {
    int m, s;
    ui::UpDownButton press;
    int em, es;
  } rows[] = {
      {0, 0, ui::UpDownButton::Prev, 0, 0},
      {0, 59, ui::UpDownButton::Next, 1, 0},
      {3, 0, ui::UpDownButton::Prev, 2, 59},
      {3, 10, ui::UpDownButton::Prev, 3, 9},
      {3, 58, ui::UpDownButton::Next, 3, 59},
      {1000, 59, ui::UpDownButton::Next, 1000, 59},   // no carry beyond the largest minute
      {1000, 58, ui::UpDownButton::Next, 1000, 59},
  };
  for (const Row& r : rows) {
    Wizard w;
    SCOPED_TRACE(std::to_string(r.m) + ":" + std::to_string(r.s));
    ASSERT_TRUE(w.Start({"3"}));
    w.F().SetPosition(w.F().UDWaitTimeM, r.m);
    w.F().SetPosition(w.F().UDWaitTimeS, r.s);
    w.F().UDWaitTimeS.UserStep(r.press);
    EXPECT_EQ(w.F().UDWaitTimeM.Position(), r.em);
    EXPECT_EQ(w.F().UDWaitTimeS.Position(), r.es);
    EXPECT_EQ(w.F().SNWaitTimeM.Text(), std::to_string(r.em));
    EXPECT_EQ(w.F().SNWaitTimeS.Text(), std::to_string(r.es));
  }
}

struct BootTest : Wizard {
  // Alarm at 10:30:00 on the day of saving, 10:00:00, 30 shutdown seconds.
  void Run(uint32_t platformId) {
    mp.power.version.platformId = platformId;
    HostRunning();
    Settings("[Timer]\nTimeLag=95\nBiosBoot=2005/01/26 10:30:00\nBiosType=0\n");
    ASSERT_TRUE(Start({"2"}));
    ASSERT_EQ(F().UDSD.Position(), 30);
    mp.clock.Set(2005, 1, 26, 10, 0, 0);  // the start-up wait took some time
    ui.answers.push_back(ui::idYes);
    Next();
  }
  static constexpr double kAdjustment = -28.5 / (24 * 60);
};

TEST(SetupActions, BootTestOnTheNtFamilyGoesThroughTheService) {
  BootTest w;
  w.Run(2);
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text, "シャットダウンします。よろしいですか？\n１分程度で自動的に再起動するはずです。");
  EXPECT_EQ(w.RunValue(), "C:\\PROGRA~1\\Solmora\\SMSetup.exe 3");
  EXPECT_EQ(w.Read("System", "SolmoraRunning"), "1");
  EXPECT_EQ(w.Read("System", "RequestTimeLag"), "1");
  EXPECT_FALSE(w.Ini().KeyExists("Timer", "TimeLag"));
  EXPECT_EQ(w.Read("Timer", "BiosBoot"), "2005/01/26 10:30:00");
  // -28.5 minutes, within the precision of day counts.
  EXPECT_NEAR(std::stod(w.Read("Timer", "Adjustment")), BootTest::kAdjustment, 1e-9);
  const platform::RegValue* v = w.mp.registry.Find(kTimerKey, "Adjustment");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->type, platform::RegType::Binary);
  ASSERT_EQ(v->data.size(), 8u);
  double stored;
  std::memcpy(&stored, v->data.data(), 8);
  EXPECT_NEAR(stored, BootTest::kAdjustment, 1e-9);
  EXPECT_NE(std::find(w.mp.services.log.begin(), w.mp.services.log.end(),
                      "control SolmoraAdjustTime 128"),
            w.mp.services.log.end());
  EXPECT_EQ(w.mp.clock.sleeps.back(), 2000);
  EXPECT_TRUE(w.mp.clock.setTimes.empty());
  EXPECT_EQ(w.PowerOffs(), 1);
}

TEST(SetupActions, BootTestOnWindows9xSetsTheClockItself) {
  BootTest w;
  w.Run(1);
  ASSERT_EQ(w.mp.clock.setTimes.size(), 1u);
  const platform::LocalTime& t = w.mp.clock.setTimes[0];
  EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
            std::vector<int>({2005, 1, 26, 10, 28, 32}));
  EXPECT_EQ(w.mp.registry.Find(kTimerKey, "Adjustment"), nullptr);
  EXPECT_TRUE(w.mp.services.log.empty());
  EXPECT_EQ(w.PowerOffs(), 1);
}

TEST(SetupActions, BootTestStopsWhenTheRegistryValueCannotBeWritten) {
  BootTest w;
  w.mp.registry.failSet.insert(kTimerKey);
  w.Run(2);
  EXPECT_EQ(w.ui.errors.size(), 1u);
  EXPECT_TRUE(w.mp.services.log.empty());
  EXPECT_EQ(w.PowerOffs(), 0);
  EXPECT_TRUE(w.F().Visible());
  EXPECT_TRUE(w.F().BtnNext.Enabled());
  EXPECT_EQ(w.ShownPage(), 2);
}

TEST(SetupActions, FinishStoresDefaultsByDeletingKeys) {
  Wizard w;
  w.HostRunning();
  w.Settings("[System]\nDelayIcon=5\nEventResume=0\nSelfShutDownMode=0\nOther=x\n"
             "[Timer]\nAdjustment=-0.01\nBiosBoot=2005/01/20 06:00:00\nWaitingTime=75\n");
  ASSERT_TRUE(w.Start({"4"}));
  w.F().SetPosition(w.F().UDDelayIcon, 0);
  ASSERT_TRUE(w.F().ChkEventResume.UserPress());
  ASSERT_TRUE(w.F().RBSDwnDefault.UserPress());
  w.Next();
  EXPECT_EQ(w.ShownPage(), 5);
  w.Next();
  EXPECT_FALSE(w.F().IsShown());
  EXPECT_TRUE(w.F().Finished);
  for (const char* key : {"DelayIcon", "EventResume", "SelfShutDownMode"})
    EXPECT_FALSE(w.Ini().KeyExists("System", key)) << key;
  EXPECT_EQ(w.Read("System", "Other"), "x");
  EXPECT_EQ(w.Read("Timer", "WaitingTime"), "75");
  EXPECT_EQ(w.Read("Timer", "BiosBoot"), "2005/01/20 6:00:00");
  EXPECT_EQ(w.Read("Timer", "Adjustment"), "0");
  EXPECT_EQ(w.RunValue(), "C:\\PROGRA~1\\Solmora\\Solmora.exe /D");
  EXPECT_TRUE(w.ui.messages.empty());
  EXPECT_EQ(w.mp.shell.started, std::vector<std::string>{kHostStart});
}

TEST(SetupActions, FinishWritesNonDefaultOptionsIntoTheMultiBootFile) {
  Wizard w;
  w.Settings("[Timer]\nWaitingTime=10\n");
  w.mp.files.files[kMultiBoot] = "[System]\nPath=D:\\Data\\\n";
  ASSERT_TRUE(w.Start({"3"}));
  w.F().SetPosition(w.F().UDWaitTimeM, 2);
  w.F().SetPosition(w.F().UDWaitTimeS, 5);
  w.Next();
  w.F().SetPosition(w.F().UDDelayIcon, 30);
  ASSERT_TRUE(w.F().ChkEventResume.UserPress());
  ASSERT_TRUE(w.F().RBForceSDwnDefault.UserPress());
  w.Next();
  w.Next();
  IniFile mb(w.mp.files, kMultiBoot);
  EXPECT_EQ(mb.ReadString("System", "DelayIcon", ""), "30");
  EXPECT_EQ(mb.ReadString("System", "EventResume", ""), "0");
  EXPECT_EQ(mb.ReadString("System", "SelfShutDownMode", ""), "0");
  EXPECT_EQ(mb.ReadString("System", "Path", ""), "D:\\Data\\");
  for (const char* key : {"DelayIcon", "EventResume", "SelfShutDownMode"})
    EXPECT_FALSE(w.Ini().KeyExists("System", key)) << key;
  EXPECT_EQ(w.Read("Timer", "WaitingTime"), "125");
  EXPECT_EQ(w.Read("Timer", "Adjustment"), "0");
  EXPECT_TRUE(w.Ini().KeyExists("Timer", "BiosBoot"));
  // The host had not been running: it is started because setup finished.
  EXPECT_EQ(w.mp.shell.started, std::vector<std::string>{kHostStart});
}

// ---------------------------------------------------------------------------------------------
// Numeric fields and their up-downs

TEST(SetupNumericFields, PlainDigitsSizedToTheRange) {
  Wizard w;
  ASSERT_TRUE(w.Start());
  struct Row {
    const char* name;
    ui::TSaNumEdit& field;
    int integerLength;
    bool readOnly;
  } rows[] = {
      {"SNEYear", w.F().SNEYear, 4, true},         {"SAMinute", w.F().SAMinute, 2, true},
      {"SASD", w.F().SASD, 3, true},               {"SNWaitTimeM", w.F().SNWaitTimeM, 4, false},
      {"SNWaitTimeS", w.F().SNWaitTimeS, 2, false}, {"SNDelayIcon", w.F().SNDelayIcon, 3, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.field.IntegerLength(), r.integerLength);
    EXPECT_EQ(r.field.ReadOnly(), r.readOnly);
    EXPECT_EQ(r.field.DecimalLength(), 0);
    EXPECT_FALSE(r.field.Minus());
    EXPECT_FALSE(r.field.Comma());
  }
}

TEST(SetupNumericFields, TypedMinutesAreStoredAndSteppedFrom) {
  Wizard w;
  w.Settings("[Timer]\nWaitingTime=70\n");
  ASSERT_TRUE(w.Start({"3"}));
  ASSERT_EQ(w.F().SNWaitTimeS.Text(), "10");
  ASSERT_TRUE(w.F().SNWaitTimeM.UserSetText("2"));
  ASSERT_TRUE(w.F().SNWaitTimeM.UserSetText("25"));
  EXPECT_EQ(w.F().UDWaitTimeM.Position(), 25);
  // Typed seconds beyond the range: the up-down stands at 59, and its step carries from there.
  ASSERT_TRUE(w.F().SNWaitTimeS.UserSetText("75"));
  EXPECT_EQ(w.F().UDWaitTimeS.Position(), 59);
  ASSERT_TRUE(w.F().UDWaitTimeS.UserStep(ui::UpDownButton::Next));
  EXPECT_EQ(w.F().SNWaitTimeM.Text(), "26");
  EXPECT_EQ(w.F().SNWaitTimeS.Text(), "0");
  ASSERT_TRUE(w.F().SNWaitTimeS.UserSetText("8"));
  w.Next();
  w.Next();
  w.Next();
  EXPECT_TRUE(w.F().Finished);
  EXPECT_EQ(w.Read("Timer", "WaitingTime"), std::to_string(26 * 60 + 8));
}

TEST(SetupNumericFields, LeavingAFieldShowsThePositionThatWillBeStored) {
  struct Row {
    const char* typed;
    int position;
    const char* shownAfterExit;
  } rows[] = {{"45", 45, "45"}, {"500", 119, "119"}, {"", 0, "0"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.typed);
    Wizard w;
    w.Settings("[System]\nDelayIcon=30\n");
    ASSERT_TRUE(w.Start({"4"}));
    w.F().SNDelayIcon.SetFocus();
    ASSERT_TRUE(w.F().SNDelayIcon.UserSetText(r.typed));
    EXPECT_EQ(w.F().UDDelayIcon.Position(), r.position);
    EXPECT_EQ(w.F().SNDelayIcon.Text(), r.typed);   // kept while the user is in the field
    w.F().ChkEventResume.SetFocus();
    EXPECT_EQ(w.F().SNDelayIcon.Text(), r.shownAfterExit);
    w.Next();
    w.Next();
    const std::string stored = r.position ? std::to_string(r.position) : "<none>";
    EXPECT_EQ(w.Read("System", "DelayIcon"), stored);
  }
}

TEST(SetupNumericFields, ReadOnlyFieldsChangeOnlyThroughTheirUpDown) {
  Wizard w;
  w.Settings("[Timer]\nBiosType=3\nBiosBoot=2005/01/20 06:40:00\nTimeLag=95\n");
  ASSERT_TRUE(w.Start({"1"}));
  for (ui::TSaNumEdit* field : {&w.F().SNEYear, &w.F().SAMinute}) {
    SCOPED_TRACE(field == &w.F().SNEYear ? "SNEYear" : "SAMinute");
    ASSERT_TRUE(field->Showing());
    const std::string before = field->Text();
    EXPECT_FALSE(field->UserSetText("12"));
    EXPECT_EQ(field->Text(), before);
  }
  EXPECT_EQ(w.F().UDYear.Position(), 2005);
  EXPECT_EQ(w.F().UDMinute.Position(), 40);
  ASSERT_TRUE(w.F().UDMinute.UserStep(ui::UpDownButton::Prev));
  EXPECT_EQ(w.F().SAMinute.Text(), "39");
  w.Next();
  ASSERT_EQ(w.ShownPage(), 2);
  ASSERT_TRUE(w.F().SASD.Showing());
  EXPECT_FALSE(w.F().SASD.UserSetText("90"));
  EXPECT_EQ(w.F().SASD.Text(), "30");
  EXPECT_EQ(w.F().UDSD.Position(), 30);
}

}  // namespace
}  // namespace sm::setup
