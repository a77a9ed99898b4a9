#pragma once
// The Win32 backend: each widget's peer is a real window (common controls version 6, wide-character
// functions, text converted from code page 932 explicitly). All peer windows share one window
// procedure that dispatches to the peer stored with the window.
//
// A program that shows forms links sm_ui_win32 and adds ui/win32/Manifest.rc to its sources (the
// manifest selects common controls 6 and declares DPI awareness).
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/Backend.h"
#include "ui/PeerFactory.h"

struct HWND__;

namespace sm::ui::win32 {

class Win32Backend : public Backend, public PeerFactory {
 public:
  Win32Backend();
  ~Win32Backend() override;

  void CreatePeers(TForm& form) override;
  void DestroyPeers(TForm& form) override;
  void BeginModal(TForm& form) override;
  void EndModal(TForm& form) override;
  void RunLoop(TForm& form, const std::function<bool()>& done) override;
  bool Blocked(const TForm& form) override;
  FrameSize Frame(const TForm& form) override;
  Rect WorkArea() override;
  Point CursorPos() override;
  void SetCursorPos(Point screen) override;
  Cursor ScreenCursor() override { return screenCursor_; }
  void SetScreenCursor(Cursor c) override;
  TimerId StartTimer(int ms, std::function<void()> fn) override;
  void StopTimer(TimerId id) override;
  int ShowMessage(const MessageRequest& r) override;
  std::optional<std::vector<std::string>> OpenFiles(const FileRequest& r) override;
  int TrackPopup(const TPopupMenu& menu, Point screen) override;

  std::unique_ptr<Peer> Make(TForm&) override;
  std::unique_ptr<Peer> Make(TButton&) override;
  std::unique_ptr<Peer> Make(TSpeedButton&) override;
  std::unique_ptr<Peer> Make(TCheckBox&) override;
  std::unique_ptr<Peer> Make(TRadioButton&) override;
  std::unique_ptr<Peer> Make(TComboBox&) override;
  std::unique_ptr<Peer> Make(TEdit&) override;
  std::unique_ptr<Peer> Make(TLabel&) override;
  std::unique_ptr<Peer> Make(TPanel&) override;
  std::unique_ptr<Peer> Make(TGroupBox&) override;
  std::unique_ptr<Peer> Make(TTabControl&) override;
  std::unique_ptr<Peer> Make(TListView&) override;
  std::unique_ptr<Peer> Make(TUpDown&) override;
  std::unique_ptr<Peer> Make(TSpinButton&) override;
  std::unique_ptr<Peer> Make(TTrackBar&) override;
  std::unique_ptr<Peer> Make(TProgressBar&) override;
  std::unique_ptr<Peer> Make(TDateTimePicker&) override;
  std::unique_ptr<Peer> Make(TSaNumEdit&) override;

  // The window of a widget's peer, or nullptr (for tests and the screenshot tool).
  static HWND__* WindowOf(const Widget& w);
  // The window that a child of w is created in. A widget kind of its own (a self-drawn control)
  // overrides MakePeer, and when the factory is this backend creates its window there with
  // NextControlId() as its identifier; it then handles its own messages.
  static HWND__* ContainerOf(const Widget& w);

  // Backend internals used by the peers.
  void RunTimer(TimerId id);
  int NextControlId() { return nextId_++; }

 private:
  void FreeGraveyard();
  HWND__* timerWindow_ = nullptr;
  std::map<TimerId, std::function<void()>> timers_;
  TimerId nextTimer_ = 1;
  int nextId_ = 100;
  Cursor screenCursor_ = Cursor::Default;
  std::vector<std::vector<HWND__*>> disabled_;
  std::vector<std::unique_ptr<Peer>> graveyard_;
  int loopDepth_ = 0;
};

}  // namespace sm::ui::win32
