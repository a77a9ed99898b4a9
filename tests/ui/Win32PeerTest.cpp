// Each Win32 peer against its widget: a property set from code shows in the real control, and a
// real click, key or drag (posted to the control) fires the widget's event once, in order.
#ifndef UNICODE
#define UNICODE
#define _UNICODE
#endif
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numedit/win32/SaNumEdit.h"
#include "platform/win32/Text.h"
#include "ui/Ui.h"
#include "ui/win32/Win32Ui.h"

namespace sm::ui {
namespace {

using platform::win32::Narrow;
using win32::Win32Backend;

HWND H(const Widget& w) { return Win32Backend::WindowOf(w); }

std::string TextOf(HWND h) {
  wchar_t buf[512] = {};
  GetWindowTextW(h, buf, 512);
  return Narrow(buf);
}

// Runs the thread's messages for about ms milliseconds.
void Pump(HWND form, int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (form && IsDialogMessageW(form, &m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(5);
  } while (GetTickCount() < end);
}

void Click(HWND h, int x, int y) {
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class Probe : public TForm {
 public:
  explicit Probe(Backend& b) : TForm(b) {
    Name = "Probe";
    SetCaption("試験フォーム");
    SetClientSize(520, 420);
    Font f;
    f.height = 15;
    SetFont(f);
    OKBtn.SetBounds({10, 10, 75, 25});
    OKBtn.SetCaption("OK");
    OKBtn.ModalResult = mrOk;
    OKBtn.Default = true;
    CancelBtn.SetBounds({90, 10, 75, 25});
    CancelBtn.SetCaption("キャンセル");
    CancelBtn.ModalResult = mrCancel;
    CancelBtn.Cancel = true;
    Chk.SetBounds({10, 45, 150, 20});
    Chk.SetCaption("チェック");
    R1.SetBounds({10, 70, 100, 20});
    R1.SetCaption("一");
    R2.SetBounds({120, 70, 100, 20});
    R2.SetCaption("二");
    Edt.SetBounds({10, 95, 150, 22});
    Cmb.SetBounds({170, 95, 150, 22});
    Cmb.SetItems({"毎日", "毎月", "毎年"});
    UD.SetBounds({330, 95, 17, 22});
    UD.SetRange(0, 5);
    Spin.SetBounds({360, 95, 17, 22});
    LV.SetBounds({10, 130, 400, 150});
    LV.SetColumns({{"", 20, 5, 20}, {"命令", 80, 5, 800}, {"日時", 160, 5, 800}});
    for (const char* s : {"ブート", "シャットダウン", "アプリ起動"}) {
      TListItem it;
      it.subItems = {s, "2005/01/28"};
      LV.AddItem(it);
    }
    Pnl.SetBounds({10, 290, 200, 60});
    Pnl.SetCaption("選択されたデータはありません");
    DTP.SetBounds({220, 290, 120, 22});
    Trk.SetBounds({220, 320, 150, 30});
    Prg.SetBounds({10, 360, 300, 20});
    Lbl.SetBounds({180, 10, 150, 20});
    Lbl.SetCaption("http://www.example.jp/");
    Lbl.SetCursor(Cursor::HandPoint);
    Lbl.OnMouseEnter = [this] { log.push_back("LblEnter"); };
    Lbl.OnMouseLeave = [this] { log.push_back("LblLeave"); };
    Lbl.OnClick = [this] { log.push_back("LblClick"); };
    Tab.SetBounds({380, 290, 130, 60});
    Tab.SetTabs({"一般", "ログ"});
    Tab.OnChanging = [this](bool&) { log.push_back("TabChanging"); };
    Tab.OnChange = [this] { log.push_back("TabChange " + std::to_string(Tab.TabIndex())); };
    Trk.OnChange = [this] { log.push_back("TrkChange " + std::to_string(Trk.Position())); };

    OKBtn.OnClick = [this] { log.push_back("OKBtnClick"); };
    CancelBtn.OnClick = [this] { log.push_back("CancelBtnClick"); };
    Chk.OnClick = [this] { log.push_back("ChkClick"); };
    R2.OnClick = [this] { log.push_back("R2Click"); };
    Edt.OnChange = [this] { log.push_back("EdtChange " + Edt.Text()); };
    Cmb.OnChange = [this] { log.push_back("CmbChange " + std::to_string(Cmb.ItemIndex())); };
    UD.OnChanging = [this](bool&, int to, UpDownDirection) { log.push_back("UDChanging " + std::to_string(to)); };
    UD.OnClickButton = [this](UpDownButton) { log.push_back("UDClick"); };
    Spin.OnUpClick = [this] { log.push_back("SpinUp"); };
    LV.OnMouseDown = [this](MouseButton, unsigned, int, int) { log.push_back("LVDown " + std::to_string(LV.Selected())); };
    LV.OnMouseUp = [this](MouseButton, unsigned, int, int) { log.push_back("LVUp"); };
    LV.OnClick = [this] { log.push_back("LVClick"); };
    LV.OnColumnClick = [this](int c) { log.push_back("Column " + std::to_string(c)); };
    Pnl.OnMouseDown = [this](MouseButton, unsigned, int x, int) { log.push_back("PnlDown " + std::to_string(x)); };
    Pnl.OnMouseMove = [this](unsigned, int x, int) { log.push_back("PnlMove " + std::to_string(x)); };
    Pnl.OnMouseUp = [this](MouseButton, unsigned, int x, int) { log.push_back("PnlUp " + std::to_string(x)); };
    OnClose = [this] { log.push_back("Close"); };
  }
  std::string Log() {
    std::string s;
    for (const auto& e : log) s += (s.empty() ? "" : ",") + e;
    log.clear();
    return s;
  }
  std::vector<std::string> log;
  TButton OKBtn{this}, CancelBtn{this};
  TCheckBox Chk{this};
  TRadioButton R1{this}, R2{this};
  TEdit Edt{this};
  TComboBox Cmb{this};
  TUpDown UD{this};
  TSpinButton Spin{this};
  TListView LV{this};
  TPanel Pnl{this};
  TDateTimePicker DTP{this};
  TTrackBar Trk{this};
  TProgressBar Prg{this};
  TTabControl Tab{this};
  TLabel Lbl{this};
};

class Peers : public ::testing::Test {
 protected:
  void SetUp() override {
    f.ShowForm();
    Pump(H(f), 300);
    f.log.clear();
  }
  void TearDown() override {
    if (f.IsShown()) f.Close();
    Pump(nullptr, 50);
  }
  Win32Backend ui;
  Probe f{ui};
};

TEST_F(Peers, PropertiesSetFromCodeShowInTheControls) {
  ASSERT_NE(H(f), nullptr);
  EXPECT_EQ(TextOf(H(f)), "試験フォーム");
  RECT rc;
  GetClientRect(H(f), &rc);
  EXPECT_EQ(rc.right, 520);
  EXPECT_EQ(rc.bottom, 420);

  f.OKBtn.SetCaption("決定");
  EXPECT_EQ(TextOf(H(f.OKBtn)), "決定");
  f.OKBtn.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(H(f.OKBtn)));
  f.Chk.SetChecked(true);
  EXPECT_EQ(SendMessageW(H(f.Chk), BM_GETCHECK, 0, 0), BST_CHECKED);
  f.R2.SetChecked(true);
  EXPECT_EQ(SendMessageW(H(f.R2), BM_GETCHECK, 0, 0), BST_CHECKED);
  f.Edt.SetText("表示");
  EXPECT_EQ(TextOf(H(f.Edt)), "表示");
  f.Cmb.SetItemIndex(2);
  EXPECT_EQ(SendMessageW(H(f.Cmb), CB_GETCURSEL, 0, 0), 2);
  f.UD.SetPosition(4);
  EXPECT_EQ(SendMessageW(H(f.UD), UDM_GETPOS32, 0, 0), 4);
  f.Prg.SetPosition(40);
  EXPECT_EQ(SendMessageW(H(f.Prg), PBM_GETPOS, 0, 0), 40);
  f.Trk.SetPosition(7);
  EXPECT_EQ(SendMessageW(H(f.Trk), TBM_GETPOS, 0, 0), 7);
  f.DTP.SetDate(DaysFromCivil(2005, 1, 28));
  SYSTEMTIME st{};
  SendMessageW(H(f.DTP), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  EXPECT_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay, 20050128);
  f.LV.SetSelected(1);
  EXPECT_EQ(ListView_GetNextItem(H(f.LV), -1, LVNI_SELECTED), 1);
  f.LV.SetSubItem(2, 1, "レジューム");
  wchar_t buf[64] = {};
  ListView_GetItemText(H(f.LV), 2, 1, buf, 64);
  EXPECT_EQ(Narrow(buf), "レジューム");
  EXPECT_EQ(ListView_GetColumnWidth(H(f.LV), 2), 160);
  f.Pnl.Hide();
  EXPECT_FALSE(IsWindowVisible(H(f.Pnl)));
  EXPECT_EQ(f.Log(), "ChkClick,R2Click,EdtChange 表示");   // from code: only text and checks fire

  POINT pt{3, 4};
  ClientToScreen(H(f.LV), &pt);
  EXPECT_EQ(f.LV.ClientToScreen({3, 4}), (Point{pt.x, pt.y}));

  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(H(f.Edt), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(Narrow(lf.lfFaceName), "ＭＳ Ｐゴシック");
}

TEST(FormStyle, NoTitleBarButtonsAndStayOnTop) {
  Win32Backend ui;
  TForm f(ui);
  f.BorderIcons = 0;
  f.StayOnTop = true;
  f.ShowForm();
  Pump(H(f), 100);
  LONG style = GetWindowLongW(H(f), GWL_STYLE), ex = GetWindowLongW(H(f), GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(style & WS_CAPTION, 0);
  EXPECT_NE(ex & WS_EX_TOPMOST, 0);
  f.Close();
}

TEST_F(Peers, RealInputFiresEachEventOnce) {
  SendMessageW(H(f.Chk), BM_CLICK, 0, 0);
  Pump(H(f), 50);
  EXPECT_TRUE(f.Chk.Checked());
  EXPECT_EQ(f.Log(), "ChkClick");

  SendMessageW(H(f.R2), BM_CLICK, 0, 0);
  SendMessageW(H(f.R2), BM_CLICK, 0, 0);
  Pump(H(f), 50);
  EXPECT_TRUE(f.R2.Checked());
  EXPECT_EQ(f.Log(), "R2Click");

  ::SetFocus(H(f.Edt));
  PostMessageW(H(f.Edt), WM_CHAR, L'7', 1);
  Pump(H(f), 50);
  EXPECT_EQ(f.Log(), "EdtChange 7");

  ::SetFocus(H(f.Cmb));
  PostMessageW(H(f.Cmb), WM_KEYDOWN, VK_DOWN, 1);
  Pump(H(f), 50);
  EXPECT_EQ(f.Cmb.ItemIndex(), 0);
  EXPECT_EQ(f.Log(), "CmbChange 0");

  RECT r;
  GetClientRect(H(f.UD), &r);
  Click(H(f.UD), r.right / 2, r.bottom / 4);   // the up arrow
  Pump(H(f), 100);
  EXPECT_EQ(f.UD.Position(), 1);
  EXPECT_EQ(SendMessageW(H(f.UD), UDM_GETPOS32, 0, 0), 1);
  EXPECT_EQ(f.Log(), "UDChanging 1,UDClick");

  ListView_GetItemRect(H(f.LV), 1, &r, LVIR_BOUNDS);
  Click(H(f.LV), 50, (r.top + r.bottom) / 2);
  Pump(H(f), 100);
  EXPECT_EQ(f.LV.Selected(), 1);
  EXPECT_EQ(ListView_GetNextItem(H(f.LV), -1, LVNI_SELECTED), 1);
  EXPECT_EQ(f.Log(), "LVDown 1,LVUp,LVClick");

  HWND header = ListView_GetHeader(H(f.LV));
  Header_GetItemRect(header, 2, &r);
  Click(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Pump(H(f), 100);
  EXPECT_EQ(f.Log(), "Column 2");

  TabCtrl_GetItemRect(H(f.Tab), 1, &r);
  Click(H(f.Tab), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Pump(H(f), 100);
  EXPECT_EQ(f.Tab.TabIndex(), 1);
  EXPECT_EQ(f.Log(), "TabChanging,TabChange 1");

  PostMessageW(H(f.Lbl), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Pump(H(f), 50);
  SendMessageW(H(f.Lbl), WM_SETCURSOR, reinterpret_cast<WPARAM>(H(f.Lbl)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  Click(H(f.Lbl), 5, 5);
  Pump(H(f), 100);
  EXPECT_EQ(f.Log(), "LblEnter,LblClick");

  ::SetFocus(H(f.Trk));
  PostMessageW(H(f.Trk), WM_KEYDOWN, VK_RIGHT, 1);
  Pump(H(f), 100);
  EXPECT_EQ(f.Trk.Position(), 1);
  EXPECT_EQ(f.Log(), "TrkChange 1");
}

TEST_F(Peers, DragOnAPanelGoesToThePanelUntilTheRelease) {
  HWND p = H(f.Pnl);
  PostMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(p, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 10));
  PostMessageW(p, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 10));   // beyond the right edge
  PostMessageW(p, WM_LBUTTONUP, 0, MAKELPARAM(250, 10));
  Pump(H(f), 100);
  EXPECT_EQ(f.Log(), "PnlDown 10,PnlMove 40,PnlMove 250,PnlUp 250");
}

TEST_F(Peers, SpinRepeatsWhileHeld) {
  PostMessageW(H(f.Spin), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  Pump(H(f), 750);   // once at once, at 400 ms, then every 100 ms
  PostMessageW(H(f.Spin), WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  Pump(H(f), 300);
  int n = 0;
  for (const auto& e : f.log) n += e == "SpinUp";
  EXPECT_GE(n, 3);
  EXPECT_LE(n, 6);
  EXPECT_FALSE(f.Spin.Held());
}

TEST(Modal, EscapeClosesAndNothingIsLeftBehind) {
  Win32Backend ui;
  Probe owner(ui), dlg(ui);
  owner.ShowForm();
  Pump(H(owner), 200);
  HWND ownerWnd = H(owner);
  HWND dlgWnd = nullptr;
  bool ownerWasDisabled = false;
  TTimer t(ui);
  t.Owner = &dlg;
  t.SetInterval(300);
  t.OnTimer = [&] {
    t.SetEnabled(false);
    dlgWnd = H(dlg);
    ownerWasDisabled = !IsWindowEnabled(ownerWnd);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);   // to the focused control
  };
  t.SetEnabled(true);
  EXPECT_EQ(dlg.ShowModal(), mrCancel);
  EXPECT_EQ(dlg.Log(), "CancelBtnClick,Close");
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(ownerWnd));
  ASSERT_NE(dlgWnd, nullptr);
  Pump(nullptr, 50);
  EXPECT_FALSE(IsWindow(dlgWnd));
  owner.Close();
}

// The message box answers with the button pressed in it (found by its caption and pressed
// by a timer, whose messages the box's own loop dispatches).
TEST(SystemDialogs, MessageBoxAnswersWithThePressedButton) {
  Win32Backend ui;
  TTimer t(ui);
  HWND box = nullptr;
  t.SetInterval(300);
  t.OnTimer = [&] {
    box = FindWindowW(nullptr, L"確認");
    if (box) PostMessageW(box, WM_COMMAND, IDNO, 0);
  };
  t.SetEnabled(true);
  EXPECT_EQ(MessageDlg(ui, "削除しますか？", "確認", MsgIcon::Question, MsgButtons::YesNo), idNo);
  EXPECT_NE(box, nullptr);
}

// The file-open dialog starts in the initial folder with the initial name; OK answers that file.
TEST(SystemDialogs, OpenDialogAnswersTheChosenFile) {
  Win32Backend ui;
  TTimer t(ui);
  bool found = false;
  t.SetInterval(500);
  t.OnTimer = [&] {
    if (HWND d = FindWindowW(L"#32770", L"プログラムの選択")) {
      found = true;
      t.SetEnabled(false);
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    }
  };
  t.SetEnabled(true);
  TOpenDialog dlg(ui);
  dlg.Title = "プログラムの選択";
  dlg.Filter = "プログラム|*.exe|すべて|*.*";
  dlg.InitialDir = "C:\\windows\\";
  dlg.FileName = "notepad.exe";
  ASSERT_TRUE(dlg.Execute());
  EXPECT_TRUE(found);
  ASSERT_EQ(dlg.FileNames.size(), 1u);
  std::string name = dlg.FileName;
  for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(name, "c:\\windows\\notepad.exe");
}

TEST(Modal, HandlerExceptionShowsTheErrorBoxOnce) {
  struct Recording : Win32Backend {
    std::vector<std::string> errors;
    void ShowError(const std::string& m) override { errors.push_back(m); }
  } ui;
  Probe f(ui);
  f.Chk.OnClick = [] { throw std::runtime_error("失敗しました"); };
  f.ShowForm();
  Pump(H(f), 100);
  SendMessageW(H(f.Chk), BM_CLICK, 0, 0);
  Pump(H(f), 50);
  EXPECT_EQ(ui.errors, std::vector<std::string>{"失敗しました"});
  f.Close();
}

// The numeric field widget on the real "TSaNumEdit" window.
class NumProbe : public TForm {
 public:
  explicit NumProbe(Backend& b) : TForm(b) {
    Name = "NumProbe";
    SetClientSize(300, 100);
    Num.Name = "Num";
    Num.SetBounds({10, 10, 80, 22});
    Num.SetIntegerLength(3);
    Num.OnChange = [this] { changes.push_back(Num.Text()); };
    Other.SetBounds({100, 10, 75, 25});
  }
  TSaNumEdit Num{this};
  TButton Other{this};
  std::vector<std::string> changes;
};

TEST(NumEditPeer, SettingsAndTextShowInTheControlAndTypingReachesTheWidget) {
  Win32Backend ui;
  NumProbe f(ui);
  f.ShowForm();
  Pump(H(f), 200);
  HWND h = H(f.Num);
  numedit_win32::TSaNumEdit* control = numedit_win32::SaNumEditFromHandle(h);
  ASSERT_NE(control, nullptr);
  const TNumTextModel& m = control->Model();
  EXPECT_EQ(m.IntegerLength(), 3);   // set before the window existed
  RECT rc;
  GetWindowRect(h, &rc);
  EXPECT_EQ(rc.bottom - rc.top, 22);  // the widget's height, not the control's own

  f.Num.SetComma(false);
  f.Num.SetMinus(false);
  f.Num.SetDecimalLength(0);
  EXPECT_FALSE(m.Comma());
  EXPECT_FALSE(m.Minus());
  EXPECT_EQ(m.DecimalLength(), 0);
  f.Num.SetText("１２");
  EXPECT_EQ(TextOf(h), "12");
  EXPECT_EQ(f.changes, std::vector<std::string>{"12"});
  f.changes.clear();

  // Entering selects all, so the first digit replaces the value; a letter is refused.
  ::SetFocus(h);
  Pump(H(f), 50);
  for (wchar_t c : {L'7', L'5', L'x', L'0', L'4'}) PostMessageW(h, WM_CHAR, c, 1);
  PostMessageW(h, WM_KEYDOWN, VK_BACK, 1);
  Pump(H(f), 100);
  EXPECT_EQ(f.changes, (std::vector<std::string>{"7", "75", "750", "75"}));
  EXPECT_EQ(f.Num.Text(), "75");
  EXPECT_EQ(TextOf(h), "75");
  f.changes.clear();

  // Read-only from the widget: the control swallows typing and is greyed.
  f.Num.SetReadOnly(true);
  EXPECT_TRUE(m.ReadOnly());
  EXPECT_EQ(static_cast<std::uint32_t>(control->Color()), 0xFF00000Fu);
  PostMessageW(h, WM_CHAR, L'1', 1);
  Pump(H(f), 50);
  EXPECT_TRUE(f.changes.empty());
  EXPECT_EQ(TextOf(h), "75");

  // Leaving a field that holds only a minus sign empties it, in the widget too.
  f.Num.SetReadOnly(false);
  f.Num.SetMinus(true);
  std::string exitText = "<no exit>";
  ::SetFocus(H(f.Other));
  f.Num.OnExit = [&] { exitText = f.Num.Text(); };
  ::SetFocus(h);   // entering selects all again
  Pump(H(f), 50);
  PostMessageW(h, WM_CHAR, L'-', 1);   // the selected value goes, the sign comes
  Pump(H(f), 50);
  EXPECT_EQ(f.Num.Text(), "-");
  ::SetFocus(H(f.Other));
  Pump(H(f), 50);
  EXPECT_EQ(f.changes, (std::vector<std::string>{"-", ""}));
  EXPECT_EQ(exitText, "");
  f.Close();
}

}  // namespace
}  // namespace sm::ui
