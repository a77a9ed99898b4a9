#pragma once
// Components without a window of their own: timer, popup menu, file-open dialog.
#include <functional>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Widget.h"

namespace sm::ui {

// A timer of the user-interface thread. While Enabled and Interval > 0 it fires OnTimer every
// Interval milliseconds (through Dispatch, so exceptions reach the error box). Changing Interval
// or Enabled restarts the count. It starts disabled; destroying it stops it.
class TTimer {
 public:
  explicit TTimer(Backend& b) : backend_(b) {}
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  NotifyEvent OnTimer;
  // The form whose modal close check runs after each tick; optional.
  TForm* Owner = nullptr;

 private:
  void Restart();
  void Tick();
  Backend& backend_;
  bool enabled_ = false;
  int interval_ = 1000;
  TimerId id_ = 0;
};

struct TMenuItem {
  std::string caption;               // "-": a separator
  bool enabled = true, visible = true;
  NotifyEvent onClick;
};

// Popup menu. Popup(x, y) (screen coordinates) fires OnPopup (which may change the items), shows
// the menu and, after it closed, fires the chosen item's onClick once.
class TPopupMenu {
 public:
  explicit TPopupMenu(Backend& b) : backend_(b) {}
  std::vector<TMenuItem> Items;
  NotifyEvent OnPopup;
  TForm* Owner = nullptr;
  void Popup(int x, int y);

 private:
  Backend& backend_;
};

// File-open dialog. Execute() shows it and answers whether the user chose; then FileName is the
// first chosen file and FileNames all of them (one unless MultiSelect).
class TOpenDialog {
 public:
  explicit TOpenDialog(Backend& b) : backend_(b) {}
  std::string Title, Filter, InitialDir, FileName;
  int FilterIndex = 1;
  bool MultiSelect = false;
  std::vector<std::string> FileNames;
  bool Execute();

 private:
  Backend& backend_;
};

}  // namespace sm::ui
