// A demonstration form with one of most widgets, for looking at the Win32 peers (see
// scripts/screenshot.sh). Argument: seconds until the form closes by itself (default 0: stays).
#include <windows.h>

#include <cstdlib>

#include "ui/Ui.h"
#include "ui/win32/Win32Ui.h"

namespace {

using namespace sm::ui;

class TDemoForm : public TForm {
 public:
  explicit TDemoForm(Backend& b) : TForm(b) {
    Name = "Demo";
    SetCaption("Solmora予約編集");
    Border = BorderStyle::Sizeable;
    BorderIcons = 0;
    Constraints = {800, 400, 1200, 800};
    SetBounds({0, 0, 800, 560});
    Position = FormPosition::DesktopCenter;
    Font font;
    font.height = 15;
    SetFont(font);

    Bar.SetHeight(35);
    Bar.SetAlign(Align::Top);
    Bar.SetBevels(Bevel::None, Bevel::None);
    BtnAdd.SetBounds({4, 3, 75, 30});
    BtnAdd.SetCaption("追加");
    BtnDel.SetBounds({84, 3, 75, 30});
    BtnDel.SetCaption("削除");
    BtnDel.SetEnabled(false);
    OKBtn.SetCaption("OK");
    OKBtn.Default = true;
    OKBtn.ModalResult = mrOk;
    CancelBtn.SetCaption("キャンセル");
    CancelBtn.Cancel = true;
    CancelBtn.ModalResult = mrCancel;
    int w = ClientWidth();
    OKBtn.SetBounds({w - 160, 3, 75, 30});
    CancelBtn.SetBounds({w - 80, 3, 75, 30});
    OKBtn.SetAnchors(akRight | akTop);
    CancelBtn.SetAnchors(akRight | akTop);

    Data.SetHeight(234);
    Data.SetAlign(Align::Bottom);
    Data.SetCaption("選択されたデータはありません");
    LViw.SetAlign(Align::Client);

    TImageList* imgs = &images_;
    Image box;
    box.width = box.height = 16;
    box.pixels.assign(256, 0);
    for (int i = 2; i < 14; ++i) {
      for (int j : {2, 13}) box.pixels[j * 16 + i] = box.pixels[i * 16 + j] = 0xFF404040;
    }
    imgs->Add(box);
    Image ticked = box;
    for (int i = 4; i < 12; ++i) ticked.pixels[(i < 7 ? 5 + i : 15 - i / 2) * 16 + i] = 0xFF000000;
    imgs->Add(ticked);
    LViw.SmallImages = imgs;
    LViw.StateImages = imgs;
    LViw.SetColumns({{"", 20, 5, 20}, {"命令", 80, 5, 800}, {"日時", 160, 5, 800},
                     {"アプリケーション／動作", 200, 5, 1200}, {"引数／備考", 320, 5, 1200}});
    const char* rows[][4] = {
        {"ブート", "2005/01/28 07:30", "", "朝の起動"},
        {"シャットダウン", "毎日 23:00", "シャットダウン", ""},
        {"アプリ起動", "月水金 08:00", "C:\\Tools\\backup.exe", "/quiet"},
        {"レジューム", "2005/02/01 06:00", "", "休止状態から復帰"},
    };
    int state = 1;
    for (auto& r : rows) {
      TListItem it;
      it.subItems = {r[0], r[1], r[2], r[3]};
      it.stateIndex = state;
      state = 1 - state;
      LViw.AddItem(it);
    }
    LViw.OnCustomDrawSubItem = [](const TListItem& it, int, int col) -> Color {
      if (it.stateIndex == 0) return clGray;
      if (col != 1) return clBlack;
      const std::string& c = it.subItems[0];
      if (c == "ブート") return clRed;
      if (c == "シャットダウン") return clBlue;
      if (c == "アプリ起動") return Rgb(0, 128, 0);
      return Rgb(255, 0, 255);
    };
    LViw.SetSelected(2);

    GBDate.SetBounds({8, 8, 360, 110});
    GBDate.SetCaption("日時");
    RBtnDay.SetBounds({10, 20, 90, 20});
    RBtnDay.SetCaption("１回のみ");
    RBtnDay.SetChecked(true);
    RBtnWeek.SetBounds({10, 44, 90, 20});
    RBtnWeek.SetCaption("繰り返し");
    DTPicker.SetBounds({110, 20, 130, 24});
    DTPicker.SetDate(DaysFromCivil(2005, 1, 28));
    EdtHour.SetBounds({110, 70, 61, 24});
    EdtHour.SetText("7");
    EdtHour.SetReadOnly(true);
    SpinHour.SetBounds({172, 70, 17, 24});
    LblHour.SetBounds({192, 74, 20, 20});
    LblHour.SetCaption("時");
    BtnNow.SetBounds({250, 20, 90, 26});
    BtnNow.SetCaption("現在日時");

    GBAction.SetBounds({376, 8, 400, 110});
    GBAction.SetCaption("動作");
    const char* cmds[] = {"ブート", "レジューム", "シャットダウン", "アプリ起動"};
    for (int i = 0; i < 4; ++i) {
      RBtnCMD[i].SetBounds({10, 18 + i * 22, 110, 20});
      RBtnCMD[i].SetCaption(cmds[i]);
    }
    RBtnCMD[3].SetChecked(true);
    CmbSDwn.SetBounds({130, 20, 200, 24});
    CmbSDwn.SetItems({"シャットダウン", "強制シャットダウン", "再起動"});
    CmbSDwn.SetItemIndex(0);

    GBNote.SetBounds({8, 124, 768, 60});
    GBNote.SetCaption("備考");
    EdtNote.SetBounds({10, 22, 600, 24});
    EdtNote.SetText("アプリ起動の備考");
    Chk.SetBounds({620, 24, 140, 20});
    Chk.SetCaption("有効にする");
    Chk.SetChecked(true);

    Prg.SetBounds({8, 192, 300, 20});
    Prg.SetPosition(60);
    UD.SetBounds({320, 190, 17, 24});
    Trk.SetBounds({350, 188, 200, 30});
    Link.SetBounds({570, 194, 200, 20});
    Link.SetCaption("http://www.example.jp/");
    Font lf = font;
    lf.color = clBlue;
    lf.underline = true;
    Link.SetFont(lf);
    Link.SetCursor(Cursor::HandPoint);
  }

  TPanel Bar{this};
  TButton BtnAdd{&Bar}, BtnDel{&Bar}, OKBtn{&Bar}, CancelBtn{&Bar};
  TPanel Data{this};
  TListView LViw{this};
  TGroupBox GBDate{&Data};
  TRadioButton RBtnDay{&GBDate}, RBtnWeek{&GBDate};
  TDateTimePicker DTPicker{&GBDate};
  TEdit EdtHour{&GBDate};
  TSpinButton SpinHour{&GBDate};
  TLabel LblHour{&GBDate};
  TButton BtnNow{&GBDate};
  TGroupBox GBAction{&Data};
  TRadioButton RBtnCMD[4] = {TRadioButton{&GBAction}, TRadioButton{&GBAction}, TRadioButton{&GBAction},
                             TRadioButton{&GBAction}};
  TComboBox CmbSDwn{&GBAction};
  TGroupBox GBNote{&Data};
  TEdit EdtNote{&GBNote};
  TCheckBox Chk{&GBNote};
  TProgressBar Prg{&Data};
  TUpDown UD{&Data};
  TTrackBar Trk{&Data};
  TLabel Link{&Data};

 private:
  TImageList images_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  sm::ui::win32::Win32Backend ui;
  TDemoForm form(ui);
  TTimer quit(ui);
  quit.Owner = &form;
  int seconds = std::atoi(cmd);
  quit.OnTimer = [&] { form.SetModalResult(mrCancel); };
  if (seconds > 0) {
    quit.SetInterval(seconds * 1000);
    quit.SetEnabled(true);
  }
  return form.ShowModal();
}
