// The widget layer's event semantics, driven through the headless backend.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Ui.h"
#include "ui/headless/Headless.h"

namespace sm::ui {
namespace {

using headless::HeadlessBackend;

// A small form with one of each kind; every event appends its name to `log`.
class Probe : public TForm {
 public:
  explicit Probe(Backend& b) : TForm(b) {
    Name = "Probe";
    SetClientSize(400, 300);
    OKBtn.ModalResult = mrOk;
    OKBtn.Default = true;
    CancelBtn.ModalResult = mrCancel;
    CancelBtn.Cancel = true;
    Cmb.SetItems({"a", "b", "c"});
    UD.SetRange(0, 5);
    Tab.SetTabs({"一", "二"});
    OnShow = [this] { log.push_back("Show"); };
    OnActivate = [this] { log.push_back("Activate"); };
    OnCloseQuery = [this](bool& can) { log.push_back("CloseQuery"); can = allowClose; };
    OnClose = [this] { log.push_back("Close"); };
    OKBtn.OnClick = [this] { log.push_back("OKBtnClick"); };
    CancelBtn.OnClick = [this] { log.push_back("CancelBtnClick"); };
    Chk.OnClick = [this] { log.push_back("ChkClick"); };
    R1.OnClick = [this] { log.push_back("R1Click"); };
    R2.OnClick = [this] { log.push_back("R2Click"); };
    Edt.OnChange = [this] { log.push_back("EdtChange"); };
    Cmb.OnChange = [this] { log.push_back("CmbChange"); };
    SBtn.OnClick = [this] { log.push_back("SBtnClick"); };
    UD.OnChanging = [this](bool& allow, int to, UpDownDirection d) {
      log.push_back("UDChanging " + std::to_string(to) + " " +
                    (d == UpDownDirection::Up ? "up" : d == UpDownDirection::Down ? "down" : "none"));
      allow = allowStep;
    };
    UD.OnClickButton = [this](UpDownButton) { log.push_back("UDClick"); };
    Tab.OnChanging = [this](bool& allow) { log.push_back("TabChanging"); allow = allowStep; };
    Tab.OnChange = [this] { log.push_back("TabChange"); };
    DTP.OnChange = [this] { log.push_back("DTPChange"); };
    Trk.OnChange = [this] { log.push_back("TrkChange"); };
  }
  std::string Log() const {
    std::string s;
    for (const auto& e : log) s += (s.empty() ? "" : ",") + e;
    return s;
  }
  std::vector<std::string> log;
  bool allowClose = true, allowStep = true;
  TPanel Pnl{this};
  TButton OKBtn{&Pnl};
  TButton CancelBtn{&Pnl};
  TCheckBox Chk{this};
  TRadioButton R1{this};
  TRadioButton R2{this};
  TEdit Edt{this};
  TComboBox Cmb{this};
  TSpeedButton SBtn{this};
  TUpDown UD{this};
  TTabControl Tab{this};
  TDateTimePicker DTP{this};
  TTrackBar Trk{this};
};

TEST(Form, ShowModalRunsOpenAndCloseInOrder) {
  HeadlessBackend ui;
  Probe f(ui);
  ui.modalScripts.push_back([&](TForm&) { f.OKBtn.UserPress(); });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(f.Log(), "Show,Activate,OKBtnClick,CloseQuery,Close");
  EXPECT_TRUE(ui.ShownForms().empty());
  EXPECT_FALSE(f.IsShown());
}


// Each user action or change from code, on a shown form, and the events it fires.
TEST(Events, UserActionsAndChangesFromCode) {
  struct Case {
    const char* what;
    std::function<void(Probe&)> act;
    const char* events;
  } cases[] = {
      {"check box pressed", [](Probe& f) { f.Chk.UserPress(); }, "ChkClick"},
      {"check box set from code", [](Probe& f) { f.Chk.SetChecked(true); }, "ChkClick"},
      {"check box set to its value", [](Probe& f) { f.Chk.SetChecked(false); }, ""},
      {"radio pressed", [](Probe& f) { f.R2.UserPress(); }, "R2Click"},
      {"checked radio pressed again", [](Probe& f) { f.R2.SetChecked(true); f.log.clear(); f.R2.UserPress(); }, ""},
      {"radio set from code", [](Probe& f) { f.R1.SetChecked(true); }, "R1Click"},
      {"radio unchecked from code", [](Probe& f) { f.R1.SetChecked(true); f.log.clear(); f.R1.SetChecked(false); }, ""},
      {"edit typed", [](Probe& f) { f.Edt.UserSetText("x"); }, "EdtChange"},
      {"edit set from code", [](Probe& f) { f.Edt.SetText("x"); }, "EdtChange"},
      {"edit set to its text", [](Probe& f) { f.Edt.SetText(""); }, ""},
      {"read-only edit typed", [](Probe& f) { f.Edt.SetReadOnly(true); f.Edt.UserSetText("x"); }, ""},
      {"combo chosen", [](Probe& f) { f.Cmb.UserSelect(1); }, "CmbChange"},
      {"combo same item chosen", [](Probe& f) { f.Cmb.SetItemIndex(1); f.Cmb.UserSelect(1); }, ""},
      {"combo index from code", [](Probe& f) { f.Cmb.SetItemIndex(2); }, ""},
      {"speed button pressed", [](Probe& f) { f.SBtn.UserPress(); }, "SBtnClick"},
      {"up-down up", [](Probe& f) { f.UD.UserStep(UpDownButton::Next); }, "UDChanging 1 up,UDClick"},
      {"up-down down at min", [](Probe& f) { f.UD.UserStep(UpDownButton::Prev); }, ""},
      {"up-down wraps down", [](Probe& f) { f.UD.SetWrap(true); f.UD.UserStep(UpDownButton::Prev); }, "UDChanging 5 none,UDClick"},
      {"up-down refused", [](Probe& f) { f.allowStep = false; f.UD.UserStep(UpDownButton::Next); }, "UDChanging 1 up"},
      {"up-down from code", [](Probe& f) { f.UD.SetPosition(3); }, ""},
      {"tab chosen", [](Probe& f) { f.Tab.UserSelect(1); }, "TabChanging,TabChange"},
      {"tab refused", [](Probe& f) { f.allowStep = false; f.Tab.UserSelect(1); }, "TabChanging"},
      {"tab from code", [](Probe& f) { f.Tab.SetTabIndex(1); }, ""},
      {"date picked", [](Probe& f) { f.DTP.UserPick(2005, 1, 28); }, "DTPChange"},
      {"date from code", [](Probe& f) { f.DTP.SetDate(38380); }, ""},
      {"track moved", [](Probe& f) { f.Trk.UserMove(4); }, "TrkChange"},
      {"track from code", [](Probe& f) { f.Trk.SetPosition(4); }, ""},
      {"disabled check box", [](Probe& f) { f.Chk.SetEnabled(false); f.Chk.UserPress(); }, ""},
      {"button in a disabled panel", [](Probe& f) { f.Pnl.SetEnabled(false); f.CancelBtn.UserPress(); }, ""},
      {"button in a hidden panel", [](Probe& f) { f.Pnl.Hide(); f.OKBtn.UserPress(); }, ""},
  };
  for (const Case& c : cases) {
    HeadlessBackend ui;
    Probe f(ui);
    f.ShowForm();
    f.log.clear();
    c.act(f);
    EXPECT_EQ(f.Log(), c.events) << c.what;
    EXPECT_TRUE(ui.errors.empty()) << c.what;
  }
}

TEST(Events, ValuesAfterUserActions) {
  HeadlessBackend ui;
  Probe f(ui);
  f.ShowForm();
  f.R1.UserPress();
  f.R2.UserPress();
  EXPECT_FALSE(f.R1.Checked());
  EXPECT_TRUE(f.R2.Checked());
  f.SBtn.Toggle = true;
  f.SBtn.UserPress();
  EXPECT_TRUE(f.SBtn.Down());
  f.Cmb.UserSelect(2);
  EXPECT_EQ(f.Cmb.Text(), "c");
  f.Cmb.SetItems({"x"});
  EXPECT_EQ(f.Cmb.ItemIndex(), -1);
  f.allowStep = false;
  f.UD.UserStep(UpDownButton::Next);
  EXPECT_EQ(f.UD.Position(), 0);
  f.allowStep = true;
  f.UD.SetPosition(99);
  EXPECT_EQ(f.UD.Position(), 5);
  f.DTP.SetDate(38380.75);   // 2005-01-28 18:00
  f.DTP.UserPick(2005, 2, 1);
  EXPECT_DOUBLE_EQ(f.DTP.Date(), 38384.75);
}

TEST(Calendar, DayCounts) {
  struct { int y, m, d, days; } rows[] = {
      {1899, 12, 30, 0}, {1900, 1, 1, 2}, {1900, 3, 1, 61}, {2005, 1, 28, 38380},
      {2000, 2, 29, 36585}, {2026, 12, 11, 46367}, {1899, 12, 29, -1},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(DaysFromCivil(r.y, r.m, r.d), r.days) << r.y << "-" << r.m << "-" << r.d;
    int y, m, d;
    CivilFromDays(r.days, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, r.y * 10000 + r.m * 100 + r.d) << r.days;
  }
}

TEST(Form, CloseSequence) {
  struct Case {
    const char* what;
    std::function<void(Probe&)> script;
    int result;
    const char* events;
  } cases[] = {
      {"Enter presses the default button", [](Probe& f) { f.UserKey(Key::Enter); }, mrOk,
       "Show,Activate,OKBtnClick,CloseQuery,Close"},
      {"Escape presses the cancel button", [](Probe& f) { f.UserKey(Key::Escape); }, mrCancel,
       "Show,Activate,CancelBtnClick,CloseQuery,Close"},
      {"close box", [](Probe& f) { f.UserCloseBox(); }, mrCancel, "Show,Activate,CloseQuery,Close"},
      {"refused, then allowed",
       [](Probe& f) {
         f.allowClose = false;
         f.OKBtn.UserPress();
         EXPECT_EQ(f.GetModalResult(), mrNone);
         EXPECT_TRUE(f.IsShown());
         f.allowClose = true;
         f.CancelBtn.UserPress();
       },
       mrCancel, "Show,Activate,OKBtnClick,CloseQuery,CancelBtnClick,CloseQuery,Close"},
      {"handler keeps the form open",
       [](Probe& f) {
         f.OKBtn.OnClick = [&f] { f.log.push_back("OKBtnClick"); f.SetModalResult(mrNone); };
         f.OKBtn.UserPress();
         f.Close();
       },
       mrCancel, "Show,Activate,OKBtnClick,CloseQuery,Close"},
      {"Enter on a disabled default button", [](Probe& f) {
         f.OKBtn.SetEnabled(false);
         EXPECT_FALSE(f.UserKey(Key::Enter));
         f.UserKey(Key::Escape);
       }, mrCancel, "Show,Activate,CancelBtnClick,CloseQuery,Close"},
      {"Enter on a focused button presses it", [](Probe& f) {
         f.CancelBtn.SetFocus();
         f.UserKey(Key::Enter);
       }, mrCancel, "Show,Activate,CancelBtnClick,CloseQuery,Close"},
  };
  for (const Case& c : cases) {
    HeadlessBackend ui;
    Probe f(ui);
    ui.modalScripts.push_back([&](TForm&) { c.script(f); });
    EXPECT_EQ(f.ShowModal(), c.result) << c.what;
    EXPECT_EQ(f.Log(), c.events) << c.what;
    EXPECT_FALSE(f.IsShown()) << c.what;
  }
}

TEST(Form, ModalDisablesTheOthersAndCanBeShownAgain) {
  HeadlessBackend ui;
  Probe owner(ui), dlg(ui);
  owner.ShowForm();
  ui.modalScripts.push_back([&](TForm&) {
    EXPECT_TRUE(ui.IsDisabled(owner));
    EXPECT_FALSE(ui.IsDisabled(dlg));
    EXPECT_FALSE(owner.Chk.UserPress());   // the owner takes no input meanwhile
    EXPECT_FALSE(owner.UserKey(Key::Enter));
    dlg.OKBtn.UserPress();
  });
  EXPECT_EQ(dlg.ShowModal(), mrOk);
  EXPECT_FALSE(ui.IsDisabled(owner));
  EXPECT_TRUE(owner.Chk.UserPress());
  EXPECT_EQ(owner.Log(), "Show,Activate,ChkClick");
  ui.modalScripts.push_back([&](TForm&) { dlg.CancelBtn.UserPress(); });
  EXPECT_EQ(dlg.ShowModal(), mrCancel);
  EXPECT_THROW(owner.ShowModal(), std::logic_error);   // already showing
}

TEST(Form, ScriptThatLeavesTheFormOpenFails) {
  HeadlessBackend ui;
  Probe f(ui);
  ui.modalScripts.push_back([](TForm&) {});
  EXPECT_THROW(f.ShowModal(), std::logic_error);
}

TEST(Form, PlacementAndLimits) {
  HeadlessBackend ui;
  Probe f(ui);
  f.Constraints = {600, 400, 600, 400};
  f.SetBounds({0, 0, 300, 900});
  EXPECT_EQ(f.Bounds(), (Rect{0, 0, 600, 400}));
  EXPECT_EQ(f.ClientWidth(), 592);
  EXPECT_EQ(f.ClientHeight(), 366);
  f.Position = FormPosition::DesktopCenter;
  f.ShowForm();
  EXPECT_EQ(f.Left(), (1280 - 600) / 2);
  EXPECT_EQ(f.Top(), (984 - 400) / 2);
}

TEST(Errors, HandlerExceptionEndsInTheErrorBoxAndTheFormGoesOn) {
  HeadlessBackend ui;
  Probe f(ui);
  f.Chk.OnClick = [] { throw std::runtime_error("壊れた"); };
  ui.modalScripts.push_back([&](TForm&) {
    f.Chk.UserPress();
    EXPECT_TRUE(f.Chk.Checked());
    f.OKBtn.UserPress();
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(ui.errors, std::vector<std::string>{"壊れた"});
  // A change from code lets the exception reach the code that made it.
  EXPECT_THROW(f.Chk.SetChecked(false), std::runtime_error);
}

TEST(Errors, StandardErrorBoxOfTheBase) {
  // The base backend's error box: the message, the Error icon, one OK button, the title.
  struct Recorder : HeadlessBackend {
    void ShowError(const std::string& m) override { Backend::ShowError(m); }
  } ui;
  ui.Title = "Solmora";
  ui.answers.push_back(idOk);
  ui.ShowError("失敗");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "失敗");
  EXPECT_EQ(ui.messages[0].caption, "Solmora");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
}

TEST(Timers, TimerAndSpinRepeat) {
  HeadlessBackend ui;
  Probe f(ui);
  TTimer t(ui);
  t.Owner = &f;
  int ticks = 0;
  t.OnTimer = [&] { ++ticks; };
  t.SetInterval(1000);
  ui.Advance(5000);
  EXPECT_EQ(ticks, 0);   // starts disabled
  t.SetEnabled(true);
  ui.Advance(2999);
  EXPECT_EQ(ticks, 2);
  t.SetEnabled(false);
  ui.Advance(5000);
  EXPECT_EQ(ticks, 2);

  TSpinButton spin(&f);
  std::vector<long long> at;
  spin.OnUpClick = [&] { at.push_back(ui.Now()); };
  f.ShowForm();
  long long t0 = ui.Now();
  spin.UserPressArrow(true);
  ui.Advance(650);
  spin.UserReleaseArrow();
  ui.Advance(1000);
  std::vector<long long> expect{t0, t0 + 400, t0 + 500, t0 + 600};
  EXPECT_EQ(at, expect);
  EXPECT_EQ(ui.ActiveTimers(), 0);
}

TEST(Timers, TimerClosingItsModalForm) {
  HeadlessBackend ui;
  Probe f(ui);
  TTimer t(ui);
  t.Owner = &f;
  t.SetInterval(100);
  t.OnTimer = [&] { f.SetModalResult(mrOk); };
  f.OnShow = [&] { t.SetEnabled(true); };
  ui.modalScripts.push_back([&](TForm&) { ui.Advance(100); });
  EXPECT_EQ(f.ShowModal(), mrOk);
}

TEST(Layout, AlignAndAnchors) {
  HeadlessBackend ui;
  TForm f(ui);
  f.Border = BorderStyle::None;
  f.SetBounds({0, 0, 800, 600});
  TPanel bar(&f), data(&f);
  TListView list(&f);
  TButton ok(&bar);
  bar.SetHeight(35);
  bar.SetAlign(Align::Top);
  data.SetHeight(234);
  data.SetAlign(Align::Bottom);
  list.SetAlign(Align::Client);
  ok.SetBounds({700, 3, 75, 30});
  ok.SetAnchors(akRight | akTop);
  EXPECT_EQ(bar.Bounds(), (Rect{0, 0, 800, 35}));
  EXPECT_EQ(data.Bounds(), (Rect{0, 366, 800, 234}));
  EXPECT_EQ(list.Bounds(), (Rect{0, 35, 800, 331}));
  f.SetBounds({0, 0, 1000, 700});
  EXPECT_EQ(data.Bounds(), (Rect{0, 466, 1000, 234}));
  EXPECT_EQ(list.Bounds(), (Rect{0, 35, 1000, 431}));
  EXPECT_EQ(ok.Left(), 900);
  data.Hide();
  EXPECT_EQ(list.Height(), 665);
}

TEST(Layout, ClientToScreenAddsTheFrameAndTheParents) {
  HeadlessBackend ui;   // frame 8 x 34: 4 pixels each side, 30 above
  TForm f(ui);
  f.SetBounds({100, 50, 400, 300});
  TPanel p(&f);
  p.SetBounds({10, 20, 100, 100});
  TButton b(&p);
  b.SetBounds({5, 5, 20, 20});
  EXPECT_EQ(b.ClientToScreen({1, 1}), (Point{100 + 4 + 10 + 5 + 1, 50 + 30 + 20 + 5 + 1}));
}

TEST(ListView, RowsSelectionAndMouse) {
  HeadlessBackend ui;
  Probe f(ui);
  TListView lv(&f);
  lv.SetColumns({{"", 20, 5, 20}, {"命令", 80, 5, 800}});
  for (const char* s : {"c", "a", "b"}) {
    TListItem it;
    it.subItems = {s};
    lv.AddItem(it);
  }
  std::vector<std::string> log;
  lv.OnMouseDown = [&](MouseButton, unsigned, int x, int) { log.push_back("Down " + std::to_string(lv.Selected()) + " " + std::to_string(x)); };
  lv.OnMouseUp = [&](MouseButton, unsigned, int, int) { log.push_back("Up"); };
  lv.OnClick = [&] { log.push_back("Click"); };
  lv.OnColumnClick = [&](int c) { log.push_back("Column " + std::to_string(c)); };
  f.ShowForm();
  lv.UserClickRow(1, MouseButton::Left, 7, 30);
  lv.UserClickRow(-1, MouseButton::Right, 9, 200);
  lv.UserColumnClick(1);
  EXPECT_EQ(log, (std::vector<std::string>{"Down 1 7", "Up", "Click", "Down -1 9", "Up", "Column 1"}));

  lv.SetSelected(0);   // "c"
  lv.Sort([](const TListItem& a, const TListItem& b) { return a.subItems[0] < b.subItems[0]; });
  EXPECT_EQ(lv.Item(0).subItems[0], "a");
  EXPECT_EQ(lv.Selected(), 2);
  lv.DeleteItem(0);
  EXPECT_EQ(lv.Selected(), 1);
  lv.DeleteItem(1);
  EXPECT_EQ(lv.Selected(), -1);

  lv.UserResizeColumn(0, 40);
  EXPECT_EQ(lv.ColumnWidth(0), 20);
  lv.UserResizeColumn(1, 2);
  EXPECT_EQ(lv.ColumnWidth(1), 5);
  lv.OnCustomDrawSubItem = [](const TListItem&, int, int col) { return col == 1 ? clRed : clDefault; };
  EXPECT_EQ(lv.TextColor(0, 1), clRed);
  EXPECT_EQ(lv.TextColor(0, 2), clDefault);
}

TEST(SystemDialogs, MessageBoxFileDialogAndPopup) {
  HeadlessBackend ui;
  ui.answers = {idNo};
  EXPECT_EQ(MessageDlg(ui, "削除しますか？", "確認", MsgIcon::Question, MsgButtons::YesNo), idNo);
  EXPECT_EQ(ui.messages.at(0).buttons, MsgButtons::YesNo);
  EXPECT_THROW(MessageDlg(ui, "もう一度", ""), std::logic_error);   // no answer queued

  TOpenDialog dlg(ui);
  dlg.InitialDir = "C:\\Apps\\";
  dlg.FileName = "a.exe";
  dlg.MultiSelect = true;
  ui.files = {std::vector<std::string>{"C:\\Apps\\a.exe", "C:\\Apps\\b.exe"}, std::nullopt};
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName, "C:\\Apps\\a.exe");
  EXPECT_EQ(dlg.FileNames.size(), 2u);
  EXPECT_EQ(ui.fileRequests.at(0).initialDir, "C:\\Apps\\");
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.FileName, "C:\\Apps\\a.exe");   // a cancel leaves the last choice

  TPopupMenu menu(ui);
  std::string ran;
  menu.Items = {{"追加", true, true, [&] { ran += "add"; }}, {"削除", false, true, [&] { ran += "del"; }}};
  ui.menuChoices = {1, 0, -1};
  menu.Popup(10, 20);
  menu.Popup(30, 40);
  menu.Popup(0, 0);
  EXPECT_EQ(ran, "add");   // the disabled item and the dismissal do nothing
  EXPECT_EQ(ui.menuPositions.at(1), (Point{30, 40}));
}

TEST(Fonts, ChildrenFollowTheParentUntilSetThemselves) {
  HeadlessBackend ui;
  Probe f(ui);
  Font big;
  big.height = 15;
  f.SetFont(big);
  EXPECT_EQ(f.OKBtn.GetFont().height, 15);
  EXPECT_EQ(f.OKBtn.GetFont().charset, kShiftJisCharset);
  Font bold = big;
  bold.bold = true;
  f.Pnl.SetFont(bold);
  EXPECT_TRUE(f.OKBtn.GetFont().bold);
  EXPECT_FALSE(f.Chk.GetFont().bold);
}

TEST(Focus, ExitBeforeEnter) {
  HeadlessBackend ui;
  Probe f(ui);
  std::string log;
  f.Edt.OnEnter = [&] { log += "EdtEnter,"; };
  f.Edt.OnExit = [&] { log += "EdtExit,"; };
  f.Cmb.OnEnter = [&] { log += "CmbEnter,"; };
  f.ShowForm();
  f.Edt.SetFocus();
  f.Cmb.SetFocus();
  EXPECT_EQ(log, "EdtEnter,EdtExit,CmbEnter,");
  EXPECT_TRUE(f.Cmb.Focused());
}

}  // namespace
}  // namespace sm::ui
