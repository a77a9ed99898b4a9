// The widget layer's event semantics, driven through the headless backend.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sm::ui
