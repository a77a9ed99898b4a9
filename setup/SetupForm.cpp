#include "setup/SetupForm.h"

#include <cstdlib>
#include <cstring>


namespace sm::setup {
namespace {

const char* const kHeadings[6] = {"--- 手順 １ ---", "--- 手順 ２ ---", "--- 手順 ３ ---",
                                  "--- 手順 ４ ---", "--- 手順 ５ ---", "--- 手順 ６ ---"};
const char* const kManualPages[6] = {"Manual\\Page05-01.htm", "Manual\\Page05-02.htm",
                                     "Manual\\Page05-03.htm", "Manual\\Page05-04.htm",
                                     "Manual\\Page05-05.htm", "Manual\\Page05-06.htm"};
const char* const kBootTypes[6] = {"ブート不可（BIOS未対応)", "毎日１回起動（時・分指定）",
                                   "毎月１回起動（日・時・分指定）",
                                   "毎年１回起動（月・日・時・分指定）",
                                   "年・月・日・時・分を指定して起動", "毎週１回起動（時・分指定）"};
const char* const kWeekdays[7] = {"月曜日", "火曜日", "水曜日", "木曜日",
                                  "金曜日", "土曜日", "日曜日"};

const char* kNext = "次へ＞";
const char* kFinish = "終了";
const char* kMsgAdjustRunning = "SolmoraAdjustTime Error!!";
const char* kMsgNotInstalled = "Solmoraがインストールされていません。";
const char* kMsgResetup =
    "再セットアップを行うには、スタートボタンのSolmoraから\n「Solmoraの再セットアップ」を選択してください。";
const char* kAskBiosShutdown =
    "シャットダウンします。\nその後、手動で電源を投入しBIOS設定を行ってください\nよろしいですか？";
const char* kAskTestBoot = "シャットダウンします。よろしいですか？\n１分程度で自動的に再起動するはずです。";

// Which date fields each type index shows: weekday, year, month, day (hour and minute always).
struct FieldRow {
  bool week, year, month, day;
};
const FieldRow kFields[6] = {
    {false, false, false, false}, {false, false, false, false}, {false, false, false, true},
    {false, false, true, true},   {false, true, true, true},    {true, false, false, false},
};

std::vector<std::string> Numbered(int from, int to, const char* unit) {
  std::vector<std::string> v;
  for (int i = from; i <= to; ++i) v.push_back(std::to_string(i) + unit);
  return v;
}

platform::LocalTime ToLocalTime(TDateTime dt) {
  const DateParts d = DecodeDate(dt);
  const TimeParts t = DecodeTime(dt);
  return {d.year, d.month, d.day, t.hour, t.minute, t.second, t.millisecond, IsoWeekday(dt) % 7};
}

constexpr uint32_t kNtPlatformId = 2;  // VER_PLATFORM_WIN32_NT

TDateTime WithDay(TDateTime dt, int year, int month, int day) {
  return Combine(EncodeDate(year, month, day), TimeOf(dt));
}

// How many decimal digits the largest value of a range has.
int DigitCount(int max) {
  int n = 1;
  for (int v = max; v >= 10; v /= 10) ++n;
  return n;
}

// The number in a numeric field's digits; the empty field reads as 0. The field allows only a
// few digits, the cap keeps any longer text in range all the same.
int FieldValue(const std::string& digits) {
  int v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') continue;
    v = v > 99999999 ? 999999999 : v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

int StartPageFromArgs(const std::vector<std::string>& args) {
  if (args.empty()) return 0;
  const std::string& a = args.front();
  if (a.size() != 1 || a[0] < '0' || a[0] > '5') return 0;
  return a[0] - '0';
}

std::string HostCommandLine(const std::string& installDir) {
  return "\"" + installDir + "Solmora.exe\" /S";
}

TSolmoraSetupForm::TSolmoraSetupForm(ui::Backend& backend, platform::Platform& platform,
                                     std::vector<std::string> args)
    : TForm(backend), ExitWin(platform.power), p_(platform), folders_(platform), args_(std::move(args)) {
  Design();
}

void TSolmoraSetupForm::Pair(ui::TUpDown& ud, ui::TSaNumEdit& field, bool editable) {
  pairs_.push_back({&ud, &field});
  field.SetComma(false);
  field.SetMinus(false);
  field.SetDecimalLength(0);
  field.SetIntegerLength(DigitCount(ud.Max()));
  field.SetReadOnly(!editable);
  ud.SetLeft(field.Left() + field.Width());
  ud.SetTop(field.Top());
  ud.SetWidth(16);
  ud.SetHeight(field.Height());
  ud.OnClickButton = [&ud, &field](ui::UpDownButton) {
    field.SetText(std::to_string(ud.Position()));
  };
  if (editable) {
    // The page actions read the position, so it follows the typing at once; the field itself
    // keeps what was typed until the user leaves it.
    field.OnChange = [&ud, &field] { ud.SetPosition(FieldValue(field.Text())); };
    field.OnExit = [&ud, &field] { field.SetText(std::to_string(ud.Position())); };
  }
  field.SetText(std::to_string(ud.Position()));
}

void TSolmoraSetupForm::SetPosition(ui::TUpDown& ud, int position) {
  ud.SetPosition(position);
  for (auto& [u, e] : pairs_)
    if (u == &ud) e->SetText(std::to_string(ud.Position()));
}

void TSolmoraSetupForm::Design() {
  Name = "SolmoraSetupForm";
  Border = ui::BorderStyle::Single;
  BorderIcons = ui::biSystemMenu | ui::biMinimize;
  Position = ui::FormPosition::DesktopCenter;
  Constraints = {600, 400, 600, 400};
  SetBounds({0, 0, 600, 400});

  auto pages = Pages();
  for (int i = 0; i < 6; ++i) {
    pages[i]->Name = "Pnl" + std::to_string(i);
    pages[i]->SetBevels(ui::Bevel::None, ui::Bevel::None);
    pages[i]->SetVisible(false);
    pages[i]->SetBounds({0, 0, 592, 315});
    Headings[i].SetCaption(kHeadings[i]);
    Headings[i].SetBounds({16, 8, 200, 16});
  }

  BtnShowManual.SetCaption("マニュアル参照");
  BtnShowManual.SetBounds({8, 328, 110, 25});
  BtnPrev.SetCaption("＜戻る");
  BtnPrev.SetBounds({300, 328, 85, 25});
  BtnPrev.SetEnabled(false);
  BtnNext.SetCaption(kNext);
  BtnNext.SetBounds({390, 328, 85, 25});
  BtnCancel.SetCaption("キャンセル");
  BtnCancel.SetBounds({496, 328, 85, 25});

  // Page 0.
  LblPrepare.WordWrap = true;
  LblPrepare.SetBounds({16, 32, 560, 190});
  LblPrepare.SetCaption(
      "　BIOSの自動起動を設定します。時計を用意してください。\n"
      "「次へ＞」を押すとシャットダウンしますので、手動で電源を入れ、BIOSの設定画面で次の設定を行って"
      "ください。\n"
      "　1. 日付と時刻を秒まで正確に合わせる。\n"
      "　2. 自動起動の日時を設定する（年・月を指定するBIOSでは今月、日は1日～28日、秒は0。毎日起動の"
      "BIOSでは時・分・秒だけ）。\n"
      "　3. シャットダウンにおよそ何秒かかるかを調べておく。\n"
      "　4. BIOSに自動起動の設定がない場合は、２番目の項目（既に設定済み）を選んでください。");
  RBtnBiosNo.SetCaption("まだBIOS設定はできていない（「次へ＞」ボタンでシャットダウンします）");
  RBtnBiosNo.SetBounds({32, 236, 540, 20});
  RBtnBiosNo.SetChecked(true);
  RBtnBiosOK.SetCaption("既にBIOS設定はできている（BIOS設定＆手動起動はパスする）");
  RBtnBiosOK.SetBounds({32, 264, 540, 20});

  // Page 1.
  LblBootType.SetCaption("　自動起動BIOSのタイプと設定した自動起動の日時を入力してください。");
  LblBootType.SetBounds({16, 32, 560, 16});
  GBoxBootType.SetCaption("BIOS自動起動のタイプ");
  GBoxBootType.SetBounds({16, 56, 560, 56});
  CBBootType.SetBounds({16, 22, 300, 20});
  CBBootType.SetItems({kBootTypes, kBootTypes + 6});
  GBoxBIOSDate.Name = "GBoxBIOSDate";
  GBoxBIOSDate.SetCaption("BIOS起動日時");
  GBoxBIOSDate.SetBounds({16, 120, 560, 60});
  CmbWeek.SetItems({kWeekdays, kWeekdays + 7});
  CmbWeek.SetBounds({16, 24, 80, 20});
  SNEYear.SetBounds({16, 24, 48, 20});
  UDYear.SetRange(2004, 2099);
  UDYear.SetWrap(true);
  UDYear.SetPosition(2005);
  Pair(UDYear, SNEYear, false);
  CmbMonth.SetItems(Numbered(1, 12, "月"));
  CmbMonth.SetBounds({16, 24, 56, 20});
  CmbDay.SetItems(Numbered(1, 28, "日"));
  CmbDay.SetBounds({16, 24, 56, 20});
  CmbHour.SetItems(Numbered(0, 23, "時"));
  CmbHour.SetBounds({16, 24, 56, 20});
  SAMinute.SetBounds({16, 24, 32, 20});
  UDMinute.SetRange(0, 59);
  UDMinute.SetWrap(true);
  Pair(UDMinute, SAMinute, false);
  LblMinute.SetCaption("分 0秒");
  LblMinute.SetBounds({16, 27, 48, 16});
  REditBIOSDate.Name = "REditBIOSDate";
  REditBIOSDate.WordWrap = true;
  REditBIOSDate.SetCaption(
      "ここでの選択とBIOSの自動起動設定が一致していないとSolmoraは動作しません。\n"
      "BIOSの設定方法はマニュアルの「BIOS設定について」をごらんください。");
  REditBIOSDate.SetBounds({16, 192, 560, 40});

  // Page 2.
  LblTestBoot.WordWrap = true;
  LblTestBoot.SetBounds({16, 32, 560, 120});
  LblTestBoot.SetCaption(
      "　自動起動のテストを行います。「次へ＞」を押すとシャットダウンし、２分以内に自動的に電源が入る"
      "はずです。\n"
      "電源が入ってからWindowsが安定して動くまでの秒数を計っておいてください。\n"
      "自動的に電源が入らない場合は、手動で電源を入れてBIOS設定とこのセットアップをやり直してください。"
      "\n"
      "シャットダウンに要する秒数を指定してください。");
  RBtnTestBootNotDone.SetCaption("まだ自動起動テストは行っていない。または、再度テストする。");
  RBtnTestBootNotDone.SetBounds({32, 160, 540, 20});
  RBtnTestBootNotDone.SetChecked(true);
  RBtnTestBootDone.SetCaption("自動起動テストは終了している（シャットダウン＆自動起動をパスする）");
  RBtnTestBootDone.SetBounds({32, 188, 540, 20});
  LblSD.SetCaption("シャットダウンに要する秒数：");
  LblSD.SetBounds({32, 232, 180, 16});
  SASD.SetBounds({216, 228, 40, 20});
  UDSD.SetRange(0, 300);
  UDSD.SetWrap(true);
  UDSD.SetPosition(30);
  Pair(UDSD, SASD, false);
  LblSDUnit.SetCaption("秒");
  LblSDUnit.SetBounds({276, 232, 20, 16});

  // Page 3.
  LblAutoBoot.WordWrap = true;
  LblAutoBoot.SetBounds({16, 32, 560, 64});
  LblAutoBoot.SetCaption(
      "　PCは正常に自動起動しましたか？\n"
      "自動起動しなかった場合は「＜戻る」ボタンで戻ってやり直してください。\n"
      "自動起動した場合は、計っておいたWindowsが安定するまでの秒数を入力してください（起動時にアプリを"
      "起動するのに必要です）。");
  RBtnAutoBoot.SetCaption("自動起動した");
  RBtnAutoBoot.SetBounds({32, 104, 200, 20});
  RBtnAutoBoot.SetChecked(true);
  RBtnNotAutoBoot.SetCaption("自動起動しなかった");
  RBtnNotAutoBoot.SetBounds({240, 104, 200, 20});
  PnlTimeLag.Name = "PnlTimeLag";
  PnlTimeLag.SetBevels(ui::Bevel::None, ui::Bevel::None);
  PnlTimeLag.SetBounds({16, 136, 560, 80});
  LblTimeLag.SetCaption("自動計測された起動に要する秒数：");
  LblTimeLag.SetBounds({16, 12, 260, 16});
  EdtTimeLagM.SetReadOnly(true);
  EdtTimeLagM.SetBounds({280, 8, 40, 20});
  EdtTimeLagS.SetReadOnly(true);
  LblTimeLagMin.SetCaption("分");
  LblTimeLagMin.SetBounds({340, 12, 14, 16});
  EdtTimeLagS.SetBounds({360, 8, 32, 20});
  LblTimeLagSec.SetCaption("秒");
  LblTimeLagSec.SetBounds({416, 12, 14, 16});
  LblWaitTime.SetCaption("起動してからWindowsが安定するまでの秒数：");
  LblWaitTime.SetBounds({16, 48, 260, 16});
  SNWaitTimeM.SetBounds({280, 44, 40, 20});
  UDWaitTimeM.SetRange(0, 1000);
  Pair(UDWaitTimeM, SNWaitTimeM, true);
  LblWaitTimeMin.SetCaption("分");
  LblWaitTimeMin.SetBounds({340, 48, 14, 16});
  SNWaitTimeS.SetBounds({360, 44, 32, 20});
  UDWaitTimeS.SetRange(0, 59);
  UDWaitTimeS.SetWrap(true);
  UDWaitTimeS.SetPosition(10);
  Pair(UDWaitTimeS, SNWaitTimeS, true);
  LblWaitTimeSec.SetCaption("秒");
  LblWaitTimeSec.SetBounds({416, 48, 14, 16});

  // Page 4.
  GBoxDelayIcon.SetCaption("アイコン登録の遅延");
  GBoxDelayIcon.SetBounds({16, 32, 560, 56});
  LblDelayIcon.SetCaption("タスクトレイへのアイコン登録を遅らせる秒数(0～119)：");
  LblDelayIcon.SetBounds({16, 26, 340, 16});
  SNDelayIcon.SetBounds({360, 22, 40, 20});
  UDDelayIcon.SetRange(0, 119);
  UDDelayIcon.SetWrap(true);
  Pair(UDDelayIcon, SNDelayIcon, true);
  GBoxResume.SetCaption("レジューム設定");
  GBoxResume.SetBounds({16, 100, 560, 56});
  ChkEventResume.SetCaption(
      "アプリ起動やシャットダウン予約時間前にサスペンド／休止状態から復帰する");
  ChkEventResume.SetBounds({16, 24, 530, 20});
  ChkEventResume.SetChecked(true);
  GrDefaultSDwn.Name = "GrDefaultSDwn";
  GrDefaultSDwn.SetCaption("自動シャットダウンの方法");
  GrDefaultSDwn.SetBounds({16, 168, 560, 56});
  RBSDwnDefault.SetCaption("シャットダウン");
  RBSDwnDefault.SetBounds({16, 24, 160, 20});
  RBSDwnDefault.SetChecked(true);
  RBForceSDwnDefault.SetCaption("強制シャットダウン");
  RBForceSDwnDefault.SetBounds({200, 24, 160, 20});

  // Page 5.
  LblFinished.SetBounds({16, 32, 560, 40});
  LblFinished.SetCaption("　セットアップが終了しました。\n　必ずマニュアルを読んでからお使いください。");

  // Events, bound after the design values so that those fire nothing.
  BtnNext.OnClick = [this] { BtnNextClick(); };
  BtnPrev.OnClick = [this] { BtnPrevClick(); };
  BtnCancel.OnClick = [this] { BtnCancelClick(); };
  BtnShowManual.OnClick = [this] { BtnShowManualClick(); };
  OnClose = [this] { FormClose(); };
  CBBootType.OnChange = [this] { CBBootTypeChange(); };
  CmbWeek.OnChange = [this] { CmbWeekChange(); };
  UDWaitTimeS.OnChanging = [this](bool& allow, int, ui::UpDownDirection dir) {
    UDWaitTimeSChangingEx(allow, dir);
  };
  RBtnAutoBoot.OnClick = [this] { RBtnAutoBootClick(); };
  RBtnNotAutoBoot.OnClick = [this] { RBtnAutoBootClick(); };
}

void TSolmoraSetupForm::Message(const std::string& text) {
  ui::MessageDlg(GetBackend(), text, GetBackend().Title);
}

bool TSolmoraSetupForm::Confirm(const std::string& text) {
  return ui::MessageDlg(GetBackend(), text, GetBackend().Title, ui::MsgIcon::Question,
                        ui::MsgButtons::YesNo) == ui::idYes;
}

void TSolmoraSetupForm::StoreAutoStart(const std::string& program, const std::string& arguments) {
  // A failed registration only means that the wizard will not resume by itself.
  (void)SetAutoStart(p_, folders_, "Run", program, arguments, "");
}

bool TSolmoraSetupForm::FormCreate() {
  // 1. The time-adjust program must have ended.
  bool adjustRunning = true;
  for (int attempt = 0; attempt < kMutexAttempts && adjustRunning; ++attempt) {
    p_.clock.Sleep(kMutexPauseMs);
    adjustRunning = p_.mutexes.Exists(kAdjustMutex);
  }
  if (adjustRunning) {
    Message(kMsgAdjustRunning);
    return false;
  }
  Finished = false;

  // 3. Ask a running host to close.
  const platform::WindowId host = p_.windows.FindByClass(kHostWindowClass);
  HostWasRunning = host != 0;
  if (HostWasRunning) p_.windows.Post(host, SM_MESSAGE_CLOSE, 0, 1);

  SetCaption(std::string("Solmora セットアップ  Version ") + kSetupVersion);
  SetBounds({Left(), Top(), 600, 400});
  PrevAction = NextAction = [this] { NoAction(); };

  if (!folders_.IsSolmoraInstalled()) {
    Message(kMsgNotInstalled);
    return false;
  }
  InstallDir = folders_.SmPath();
  DataDir = folders_.RegDataPath();
  // Without a data folder in the product key the settings live where the host looks for them.
  if (DataDir.empty()) DataDir = folders_.DataPath();
  if (!DataDir.empty() && DataDir.back() != '\\') DataDir += '\\';

  Step = StartPageFromArgs(args_);

  TSolmoraSettings settings = Settings();
  HasMultiBoot = settings.HasMultiBoot();
  // The three run-time options come from the multi-boot file when there is one.
  const long long delay = settings.DelayIcon();
  SetPosition(UDDelayIcon, static_cast<int>((delay < 0 ? -delay : delay) % 120));
  ChkEventResume.SetChecked(settings.EventResume());
  const bool normalShutdown = settings.SelfShutDownMode() == 1;
  (normalShutdown ? RBSDwnDefault : RBForceSDwnDefault).SetChecked(true);
  if (!HostWasRunning) HostWasRunning = settings.SolmoraRunning();
  // Consumed at every start; without the key there is nothing to delete (and no file to touch).
  if (settings.File().KeyExists("System", "SolmoraRunning")) settings.DeleteSolmoraRunning();

  const bool measured = settings.HasTimeLag();
  RBtnTestBootNotDone.SetEnabled(measured);
  RBtnTestBootDone.SetEnabled(measured);
  const int lag = settings.TimeLag();
  EdtTimeLagM.SetText(std::to_string(lag / 60));
  EdtTimeLagS.SetText(std::to_string(lag % 60));
  const int wait = settings.WaitingTime();
  SetPosition(UDWaitTimeM, wait / 60);
  SetPosition(UDWaitTimeS, wait % 60);
  if (Step > 0) RBtnBiosOK.SetChecked(true);

  AlarmDateTime = settings.BiosBoot();
  DateParts d = DecodeDate(AlarmDateTime);
  if (d.day > 28) AlarmDateTime = WithDay(AlarmDateTime, d.year, d.month, 28), d.day = 28;
  const TimeParts t = DecodeTime(AlarmDateTime);
  SetPosition(UDYear, d.year);
  CmbMonth.SetItemIndex(d.month - 1);
  CmbDay.SetItemIndex(d.day - 1);
  CmbHour.SetItemIndex(t.hour);
  SetPosition(UDMinute, t.minute);

  // A stored type outside the table reads as the default, a daily alarm.
  int type = settings.BiosType();
  if (type < -1 || type > 4) type = 0;
  CBBootType.SetItemIndex(type + 1);
  CBBootTypeChange();

  ShowStep();
  return true;
}

void TSolmoraSetupForm::ShowStep() {
  auto pages = Pages();
  pages[ShownStep]->SetVisible(false);
  ShownStep = Step >= 0 && Step <= 5 ? Step : ShownStep;

  BtnNext.SetEnabled(true);
  BtnPrev.SetEnabled(Step > 0);
  BtnCancel.SetEnabled(Step < 5);
  BtnNext.SetCaption(kNext);
  PrevAction = NextAction = [this] { NoAction(); };

  if (Step >= 0 && Step <= 5) ManualPage = InstallDir + kManualPages[Step];
  switch (Step) {
    case 0: NextAction = [this] { ShutdownForBiosSetup(); }; break;
    case 1: NextAction = [this] { SaveBiosAlarm(); }; break;
    case 2: NextAction = [this] { RunBootTest(); }; break;
    case 4: PrevAction = [this] { BackFromOptions(); }; break;
    case 5:
      NextAction = [this] { FinishSetup(); };
      BtnNext.SetCaption(kFinish);
      break;
    default: break;
  }

  if (Step >= 0 && Step <= 5) {
    ui::TPanel& page = *pages[Step];
    page.SetAlign(ui::Align::Top);
    page.SetHeight(315);
    page.SetVisible(true);
  }
}

void TSolmoraSetupForm::BtnNextClick() {
  BtnNext.SetEnabled(false);
  try {
    NextAction();
  } catch (const std::exception& e) {
    // The click ends here, on the same page. A shutdown action may have hidden the window
    // already: bring it back so that the user can go on.
    GetBackend().ShowError(e.what());
    SetVisible(true);
    BtnNext.SetEnabled(true);
    return;
  }
  ++Step;
  ShowStep();
}

void TSolmoraSetupForm::BtnPrevClick() {
  PrevAction();
  BtnNext.SetEnabled(true);
  --Step;
  ShowStep();
}

void TSolmoraSetupForm::BtnCancelClick() { Close(); }

void TSolmoraSetupForm::BtnShowManualClick() { (void)p_.shell.Open(ManualPage); }

void TSolmoraSetupForm::FormClose() {
  if (!Finished) Message(kMsgResetup);
  if (!HostWasRunning && !Finished) return;
  if (HandHostStartToParent)
    HostStartHandedOver = true;
  else
    (void)p_.shell.Start(HostCommandLine(InstallDir));
}

// ---------------------------------------------------------------------------------------------
// Page actions

void TSolmoraSetupForm::ShutdownForBiosSetup() {
  if (!RBtnBiosNo.Checked()) return;
  if (!Confirm(kAskBiosShutdown)) {
    --Step;
    return;
  }
  Hide();
  StoreAutoStart("SMSetup.exe", "1");
  if (HostWasRunning) Settings().WriteSolmoraRunning(true);
  ExitWin.PowerOffWindows();
}

void TSolmoraSetupForm::SaveBiosAlarm() {
  const int index = TypeIndex();
  DateParts d = DecodeDate(AlarmDateTime);
  if (index == 3 || index == 4) d.year = UDYear.Position();
  if (index >= 2) d.month = CmbMonth.ItemIndex() + 1;
  if (index >= 1) d.day = CmbDay.ItemIndex() + 1;
  AlarmDateTime = Combine(EncodeDate(d.year, d.month, d.day),
                          EncodeTime(CmbHour.ItemIndex(), UDMinute.Position(), 0, 0));

  TSolmoraSettings settings = Settings();
  settings.WriteBiosBoot(AlarmDateTime);
  settings.WriteBiosType(index - 1);
  if (index == 0) {
    if (!settings.HasTimeLag()) settings.WriteTimeLag(120);
    EdtTimeLagM.SetText("2");
    EdtTimeLagS.SetText("0");
    RBtnTestBootNotDone.SetEnabled(true);
    RBtnTestBootDone.SetEnabled(true);
    Step = 3;
  }
}

void TSolmoraSetupForm::RunBootTest() {
  if (!RBtnTestBootNotDone.Checked()) return;
  if (!Confirm(kAskTestBoot)) {
    --Step;
    return;
  }
  Hide();
  StoreAutoStart("SMSetup.exe", "3");

  TSolmoraSettings settings = Settings();
  if (HostWasRunning) settings.WriteSolmoraRunning(true);
  settings.WriteRequestTimeLag(true);
  settings.DeleteTimeLag();
  settings.WriteBiosBoot(AlarmDateTime);
  const double adjustment =
      FromLocalTime(p_.clock.Now()) + (UDSD.Position() + 60) / 86400.0 - AlarmDateTime;
  settings.WriteAdjustment(adjustment);

  p_.clock.Sleep(kBootTestPauseMs);

  // The family decides, not the version number: every NT-family system leaves the clock to the
  // time-adjust service.
  if (ExitWin.Version().platformId != kNtPlatformId) {
    if (!p_.clock.SetNow(ToLocalTime(FromLocalTime(p_.clock.Now()) - adjustment)))
      throw std::runtime_error("時刻を設定できませんでした。");
  } else {
    WriteAdjustmentValue(p_, adjustment);
    (void)SendServiceControl(p_.services, kAdjustService, SERVICE_CONTROL_DATA_UPDATE);
  }
  ExitWin.PowerOffWindows();
}

void TSolmoraSetupForm::BackFromOptions() {
  if (TypeIndex() == 0) Step = 2;
}

void TSolmoraSetupForm::FinishSetup() {
  // The options go to the multi-boot file when there is one, the timing values always here.
  TSolmoraSettings settings = Settings();
  settings.StoreDelayIcon(UDDelayIcon.Position());
  settings.StoreEventResume(ChkEventResume.Checked());
  settings.StoreSelfShutDownMode(RBForceSDwnDefault.Checked() ? 0 : 1);
  settings.WriteWaitingTime(UDWaitTimeM.Position() * 60 + UDWaitTimeS.Position());
  settings.WriteBiosBoot(AlarmDateTime);
  settings.WriteAdjustment(0);
  StoreAutoStart("Solmora.exe", "/D");
  Finished = true;
  Close();
}

// ---------------------------------------------------------------------------------------------
// Control handlers

void TSolmoraSetupForm::ShowAlarmFields() {
  const FieldRow& row = kFields[TypeIndex()];
  int x = 16;
  auto place = [&x](ui::Widget& w, bool shown) {
    w.SetVisible(shown);
    if (!shown) return;
    w.SetLeft(x);
    x += w.Width() + 8;
  };
  auto placeNumber = [&](ui::TSaNumEdit& e, ui::TUpDown& ud, bool shown) {
    place(e, shown);
    ud.SetVisible(shown);
    if (!shown) return;
    x -= 8;
    ud.SetLeft(x);
    x += ud.Width() + 8;
  };
  place(CmbWeek, row.week);
  placeNumber(SNEYear, UDYear, row.year);
  place(CmbMonth, row.month);
  place(CmbDay, row.day);
  place(CmbHour, true);
  placeNumber(SAMinute, UDMinute, true);
  place(LblMinute, true);
}

void TSolmoraSetupForm::CBBootTypeChange() {
  const int index = TypeIndex();
  GBoxBIOSDate.SetVisible(index > 0);
  REditBIOSDate.SetVisible(index > 0);
  if (index <= 0) return;
  ShowAlarmFields();
  CmbWeek.SetItemIndex(IsoWeekday(AlarmDateTime) - 1);
}

void TSolmoraSetupForm::CmbWeekChange() {
  const int diff = (CmbWeek.ItemIndex() + 1) - IsoWeekday(AlarmDateTime);
  AlarmDateTime = IncDay(AlarmDateTime, diff);
  if (DecodeDate(AlarmDateTime).day > 28) AlarmDateTime = IncDay(AlarmDateTime, diff < 0 ? 7 : -7);
  const DateParts d = DecodeDate(AlarmDateTime);
  SetPosition(UDYear, d.year);
  CmbMonth.SetItemIndex(d.month - 1);
  CmbDay.SetItemIndex(d.day - 1);
}

void TSolmoraSetupForm::UDWaitTimeSChangingEx(bool& allowChange, ui::UpDownDirection direction) {
  if (direction != ui::UpDownDirection::None) return;
  const int seconds = UDWaitTimeS.Position();
  if (seconds == 0) {
    if (UDWaitTimeM.Position() <= 0)
      allowChange = false;
    else
      SetPosition(UDWaitTimeM, UDWaitTimeM.Position() - 1);
  } else if (seconds == 59) {
    // At the largest minute there is nothing to carry into: the seconds stay at 59 rather than
    // fall back to 0.
    if (UDWaitTimeM.Position() >= UDWaitTimeM.Max())
      allowChange = false;
    else
      SetPosition(UDWaitTimeM, UDWaitTimeM.Position() + 1);
  }
}

void TSolmoraSetupForm::RBtnAutoBootClick() {
  const bool booted = RBtnAutoBoot.Checked();
  PnlTimeLag.SetVisible(booted);
  BtnNext.SetEnabled(booted);
}

}  // namespace sm::setup
