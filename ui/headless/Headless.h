#pragma once
// The headless backend: widgets without windows, for tests. The widgets keep all their state
// themselves; this backend adds a clock for timers, the screen, and scripted answers for modal
// forms, message boxes, file dialogs and popup menus. Tests act on widgets through their User...
// entry points (UserPress, UserSetText, UserSelect, UserStep, UserPressArrow, UserClickRow ...)
// and read the properties back.
//
// A drag is UserMouseDown, UserMouseMove ..., UserMouseUp on the same widget (the mouse stays
// captured by the widget it went down on, as with real windows); timers and the spin buttons'
// repeat run when the test calls Advance(ms). ShowForm() shows a form without a loop, so a test
// can also drive a form directly and read its properties between the steps.
//
//   ui::headless::HeadlessBackend ui;
//   ui.modalScripts.push_back([&](ui::TForm&) { dlg.OKBtn.UserPress(); });
//   ui.answers.push_back(ui::idYes);           // the next message box (MessageDlg) answers Yes
//   EXPECT_EQ(dlg.ShowModal(), ui::mrOk);
//   EXPECT_EQ(ui.messages.at(0).text, "...");
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Backend.h"

namespace sm::ui::headless {

class HeadlessBackend : public Backend {
 public:
  // Run, in order, by each ShowModal / RunMain: the script acts as the user while the form is
  // showing. When a script returns and its form is still open, the form stays open; the run then
  // throws std::logic_error (a test that forgets to close a form fails loudly). With no script
  // queued, ShowModal throws std::logic_error too.
  std::deque<std::function<void(TForm&)>> modalScripts;
  // Answers of the next message boxes, in order; with none queued a message box throws
  // std::logic_error. Every box shown is recorded in `messages`; errors from handlers in `errors`.
  std::deque<int> answers;
  std::vector<MessageRequest> messages;
  std::vector<std::string> errors;
  // Answers of the next file dialogs (nullopt: cancelled); requests are recorded.
  std::deque<std::optional<std::vector<std::string>>> files;
  std::vector<FileRequest> fileRequests;
  // Item indices chosen in the next popup menus (-1: dismissed); positions are recorded.
  std::deque<int> menuChoices;
  std::vector<Point> menuPositions;

  Rect workArea{0, 0, 1280, 984};
  FrameSize frame{8, 34};            // a single-border frame with a title bar
  Point cursor{0, 0};
  Cursor screenCursor = Cursor::Default;

  // Moves the clock on by ms milliseconds, firing each due timer in time order.
  void Advance(int ms);
  long long Now() const { return now_; }
  int ActiveTimers() const { return static_cast<int>(timers_.size()); }
  // The forms shown at the moment, in the order they were shown.
  const std::vector<TForm*>& ShownForms() const { return shown_; }
  // Forms disabled by a modal form above them.
  bool IsDisabled(const TForm& f) const;

  void CreatePeers(TForm& form) override;
  void DestroyPeers(TForm& form) override;
  void BeginModal(TForm& form) override;
  void EndModal(TForm& form) override;
  void RunLoop(TForm& form, const std::function<bool()>& done) override;
  bool Blocked(const TForm& form) override { return IsDisabled(form); }
  FrameSize Frame(const TForm& form) override;
  Rect WorkArea() override { return workArea; }
  Point CursorPos() override { return cursor; }
  void SetCursorPos(Point p) override { cursor = p; }
  Cursor ScreenCursor() override { return screenCursor; }
  void SetScreenCursor(Cursor c) override { screenCursor = c; }
  TimerId StartTimer(int ms, std::function<void()> fn) override;
  void StopTimer(TimerId id) override;
  int ShowMessage(const MessageRequest& r) override;
  std::optional<std::vector<std::string>> OpenFiles(const FileRequest& r) override;
  int TrackPopup(const TPopupMenu& menu, Point screen) override;
  void ShowError(const std::string& message) override { errors.push_back(message); }

 private:
  struct Timer { long long due; int ms; std::function<void()> fn; };
  std::map<TimerId, Timer> timers_;
  TimerId nextId_ = 1;
  long long now_ = 0;
  std::vector<TForm*> shown_;
  std::vector<std::vector<TForm*>> disabled_;
};

}  // namespace sm::ui::headless
