#pragma once
// The setup wizard's form: six pages that make the BIOS alarm and the product's timing values
// agree, with the shutdowns that need a restart and the resume after the next logon.
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "shared/DateTime.h"
#include "shared/Folders.h"
#include "shared/Power.h"
#include "shared/Settings.h"
#include "ui/Ui.h"

namespace sm::setup {

constexpr const char* kSetupVersion = "1.410";
constexpr unsigned SM_MESSAGE_CLOSE = 0x0400 + 102;  // WM_USER + 102 = 1126
constexpr const char* kHostWindowClass = "TSolmoraMainForm";
constexpr const char* kAdjustMutex = "SolmoraAdjustTime";
constexpr const char* kAdjustService = "SolmoraAdjustTime";
constexpr int kMutexAttempts = 51;
constexpr int kMutexPauseMs = 500;
constexpr int kBootTestPauseMs = 2000;

// The page number from the first command-line argument: a decimal integer 0..5, otherwise 0.
int StartPageFromArgs(const std::vector<std::string>& args);
// The command line that starts the host from the install folder (ending in a separator); quoted,
// so that a folder with blanks cannot start another program.
std::string HostCommandLine(const std::string& installDir);

class TSolmoraSetupForm : public ui::TForm {
 public:
  TSolmoraSetupForm(ui::Backend& backend, platform::Platform& platform,
                    std::vector<std::string> args);

  // Start-up; false when the program is to end without showing the form.
  bool FormCreate();
  void ShowStep();
  void BtnNextClick();
  void BtnPrevClick();
  void BtnCancelClick();
  void BtnShowManualClick();
  void FormClose();

  // Page actions.
  void NoAction() {}
  void ShutdownForBiosSetup();
  void SaveBiosAlarm();
  void RunBootTest();
  void BackFromOptions();
  void FinishSetup();

  // Handlers of the page controls.
  void CBBootTypeChange();
  void CmbWeekChange();
  void UDWaitTimeSChangingEx(bool& allowChange, ui::UpDownDirection direction);
  void RBtnAutoBootClick();

  // Form state.
  int Step = 0;
  std::function<void()> PrevAction, NextAction;
  TDateTime AlarmDateTime = 0;
  std::string ManualPage;
  bool HostWasRunning = false;
  bool Finished = false;
  bool HasMultiBoot = false;
  std::string InstallDir, DataDir;
  int ShownStep = 0;

  // Set when a run with filtered rights waits for this one (SetupStart.h): closing then leaves
  // the host's start to it and only records it in HostStartHandedOver.
  bool HandHostStartToParent = false;
  bool HostStartHandedOver = false;

  // Frame.
  ui::TPanel Pnl0{this}, Pnl1{this}, Pnl2{this}, Pnl3{this}, Pnl4{this}, Pnl5{this};
  ui::TButton BtnShowManual{this}, BtnPrev{this}, BtnNext{this}, BtnCancel{this};
  std::array<ui::TPanel*, 6> Pages() { return {&Pnl0, &Pnl1, &Pnl2, &Pnl3, &Pnl4, &Pnl5}; }
  std::array<ui::TLabel, 6> Headings{ui::TLabel{&Pnl0}, ui::TLabel{&Pnl1}, ui::TLabel{&Pnl2},
                                     ui::TLabel{&Pnl3}, ui::TLabel{&Pnl4}, ui::TLabel{&Pnl5}};

  // Page 0.
  ui::TLabel LblPrepare{&Pnl0};
  ui::TRadioButton RBtnBiosNo{&Pnl0}, RBtnBiosOK{&Pnl0};

  // Page 1.
  ui::TLabel LblBootType{&Pnl1};
  ui::TGroupBox GBoxBootType{&Pnl1};
  ui::TComboBox CBBootType{&GBoxBootType};
  ui::TGroupBox GBoxBIOSDate{&Pnl1};
  ui::TComboBox CmbWeek{&GBoxBIOSDate};
  ui::TSaNumEdit SNEYear{&GBoxBIOSDate};
  ui::TUpDown UDYear{&GBoxBIOSDate};
  ui::TComboBox CmbMonth{&GBoxBIOSDate}, CmbDay{&GBoxBIOSDate}, CmbHour{&GBoxBIOSDate};
  ui::TSaNumEdit SAMinute{&GBoxBIOSDate};
  ui::TUpDown UDMinute{&GBoxBIOSDate};
  ui::TLabel LblMinute{&GBoxBIOSDate};
  ui::TLabel REditBIOSDate{&Pnl1};

  // Page 2.
  ui::TLabel LblTestBoot{&Pnl2};
  ui::TRadioButton RBtnTestBootNotDone{&Pnl2}, RBtnTestBootDone{&Pnl2};
  ui::TLabel LblSD{&Pnl2};
  ui::TSaNumEdit SASD{&Pnl2};
  ui::TUpDown UDSD{&Pnl2};
  ui::TLabel LblSDUnit{&Pnl2};

  // Page 3.
  ui::TLabel LblAutoBoot{&Pnl3};
  ui::TRadioButton RBtnAutoBoot{&Pnl3}, RBtnNotAutoBoot{&Pnl3};
  ui::TPanel PnlTimeLag{&Pnl3};
  ui::TLabel LblTimeLag{&PnlTimeLag};
  ui::TEdit EdtTimeLagM{&PnlTimeLag}, EdtTimeLagS{&PnlTimeLag};
  ui::TLabel LblTimeLagMin{&PnlTimeLag}, LblTimeLagSec{&PnlTimeLag};
  ui::TLabel LblWaitTime{&PnlTimeLag};
  ui::TSaNumEdit SNWaitTimeM{&PnlTimeLag};
  ui::TUpDown UDWaitTimeM{&PnlTimeLag};
  ui::TSaNumEdit SNWaitTimeS{&PnlTimeLag};
  ui::TUpDown UDWaitTimeS{&PnlTimeLag};
  ui::TLabel LblWaitTimeMin{&PnlTimeLag}, LblWaitTimeSec{&PnlTimeLag};

  // Page 4.
  ui::TGroupBox GBoxDelayIcon{&Pnl4};
  ui::TLabel LblDelayIcon{&GBoxDelayIcon};
  ui::TSaNumEdit SNDelayIcon{&GBoxDelayIcon};
  ui::TUpDown UDDelayIcon{&GBoxDelayIcon};
  ui::TGroupBox GBoxResume{&Pnl4};
  ui::TCheckBox ChkEventResume{&GBoxResume};
  ui::TGroupBox GrDefaultSDwn{&Pnl4};
  ui::TRadioButton RBSDwnDefault{&GrDefaultSDwn}, RBForceSDwnDefault{&GrDefaultSDwn};

  // Page 5.
  ui::TLabel LblFinished{&Pnl5};

  // The power component: power-off and the system's version record.
  TExitWin ExitWin;

  // Sets an up-down's position and shows it in its numeric field.
  void SetPosition(ui::TUpDown& ud, int position);

 private:
  void Design();
  // Couples a numeric field with its up-down: the field shows the position. An editable field
  // moves the position to what the user typed (clamped to the range), and shows the position
  // again when it loses the focus.
  void Pair(ui::TUpDown& ud, ui::TSaNumEdit& field, bool editable);
  int TypeIndex() const { return CBBootType.ItemIndex(); }
  TSolmoraSettings Settings() { return TSolmoraSettings(p_, DataDir, InstallDir); }
  void ShowAlarmFields();
  bool Confirm(const std::string& text);
  void Message(const std::string& text);
  void StoreAutoStart(const std::string& program, const std::string& arguments);

  platform::Platform& p_;
  TFolders folders_;
  std::vector<std::string> args_;
  std::vector<std::pair<ui::TUpDown*, ui::TSaNumEdit*>> pairs_;
};

}  // namespace sm::setup
