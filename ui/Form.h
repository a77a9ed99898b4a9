#pragma once
// A form: one top-level window with its widgets.
//
// A form is written as a class derived from TForm that declares its widgets as members (parents
// before children) and binds their events in its constructor:
//
//   class TDlgAbout : public ui::TForm {
//    public:
//     explicit TDlgAbout(ui::Backend& b) : TForm(b) {
//       SetCaption("バージョン情報");
//       SetClientSize(300, 120);
//       Position = ui::FormPosition::DesktopCenter;
//       OKBtn.SetCaption("OK"); OKBtn.SetBounds({110, 80, 75, 25});
//       OKBtn.Default = true; OKBtn.ModalResult = ui::mrOk;
//       OKBtn.OnClick = [this] { OKBtnClick(); };
//     }
//     ui::TButton OKBtn{this};
//   };
//
//   TDlgAbout dlg(backend);
//   int result = dlg.ShowModal();
//
// ShowModal:
//  1. Throws std::logic_error when the form is already showing.
//  2. ModalResult becomes mrNone; the backend creates the peers (real windows) of the form and of
//     all its widgets; a DesktopCenter form is centred on the desktop's work area.
//  3. Every other enabled top-level window of the calling thread is disabled; the form is shown
//     and gets the focus; OnShow fires, then OnActivate (OnActivate also fires each time the form
//     becomes the active window again).
//  4. A message loop runs on the caller's thread until the close sequence completes.
//  5. Close sequence, started when ModalResult is non-zero after an event (a button with a
//     ModalResult was pressed, a handler set it, Close() or the close box set mrCancel):
//     OnCloseQuery(canClose) fires; when it refuses, ModalResult returns to mrNone and the loop goes
//     on. Otherwise OnClose fires, the other windows are enabled again, the form is hidden and its
//     peers destroyed. ShowModal returns ModalResult; no window of the form is left behind.
//  Enter presses the focused button, or else the Default button; Escape presses the Cancel
//  button (each only when showing and enabled).
//
// The form's own creation work (a handler the forms call FormCreate) runs in the derived
// constructor; OnShow and OnActivate run when it is shown. Destroy a form only while it is not
// showing (after ShowModal returned, or after Close()).
//
// Show/Close without modality: Show() creates the peers and shows the form (OnShow, OnActivate);
// Close() runs OnCloseQuery and OnClose and hides it. RunMain(): shows the form as the program's
// main window and runs the message loop until it is closed (the close sequence as above, with
// mrNone allowed).
#include <functional>

#include "ui/Widget.h"

namespace sm::ui {

class TButton;

enum ModalResult : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
};

enum class FormPosition { Designed, DesktopCenter };
enum class BorderStyle { Sizeable, Single, Dialog, None };
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

// Outer size limits; 0 = no limit. Sizes set from code or by the user are clamped to them.
struct SizeConstraints {
  int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
};

class TForm : public Widget {
 public:
  explicit TForm(Backend& backend);
  ~TForm() override;

  Backend& GetBackend() { return backend_; }

  FormPosition Position = FormPosition::Designed;
  BorderStyle Border = BorderStyle::Single;
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;  // 0: no title-bar buttons
  bool StayOnTop = false;
  SizeConstraints Constraints;   // applied by SetBounds

  void SetBounds(Rect r) override;
  // The client area: outer size less the frame that the backend reports for this form's style.
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientSize(int w, int h);

  int GetModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }

  int ShowModal();
  void ShowForm();               // non-modal show
  void Close();                  // modal: ModalResult = mrCancel; otherwise the close sequence
  void RunMain();
  bool IsModal() const { return modal_; }
  bool IsShown() const { return shown_; }

  NotifyEvent OnShow;
  NotifyEvent OnActivate;
  std::function<void(bool& canClose)> OnCloseQuery;
  NotifyEvent OnClose;
  NotifyEvent OnResize;          // the client size changed (from code or by the user)

  // The focused widget of this form, or nullptr.
  Widget* FocusedWidget() const { return focused_; }

  // User entry points.
  bool UserKey(Key k);           // Enter / Escape, as described above
  bool UserCloseBox();           // the title bar's close box or Alt+F4: Close()
  void UserActivate();           // the form became the active window

  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

  // Backend side: the close sequence when due; true when the form has closed.
  bool CheckClose();
  bool CloseDone() const { return closeDone_; }

 private:
  friend class Widget;
  void Open(bool modal);
  void Finish();
  TButton* FindButton(bool isDefault);
  Backend& backend_;
  int modalResult_ = mrNone;
  bool modal_ = false, shown_ = false, closeDone_ = false, closing_ = false;
  bool closeRequested_ = false, opening_ = false;
  int dispatchDepth_ = 0;
  Widget* focused_ = nullptr;
};

}  // namespace sm::ui
