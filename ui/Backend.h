#pragma once
// What a backend provides to the widget layer: peers, the message loop, timers, the screen, and
// the system's own dialogs (message box, file-open dialog, popup menu).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Widget.h"

namespace sm::ui {

class TForm;
class TPopupMenu;

enum class MsgIcon { None, Error, Warning, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
// Answers carry the platform's button identifiers.
enum MsgAnswer : int { idOk = 1, idCancel = 2, idAbort = 3, idRetry = 4, idIgnore = 5, idYes = 6, idNo = 7 };

struct MessageRequest {
  std::string text, caption;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  int defaultButton = 0;  // 0 = first button, 1 = second, 2 = third
};

struct FileRequest {
  std::string title;
  std::string filter;        // "説明|*.exe|すべて|*.*"
  int filterIndex = 1;       // 1-based, as the platform counts
  std::string initialDir;    // folder shown first; empty: the system's choice
  std::string fileName;      // name shown first
  bool multiSelect = false;
};

// The frame around a form's client area for its style (outer size minus client size).
struct FrameSize {
  int width = 0, height = 0;
};

using TimerId = std::uint32_t;

class Backend {
 public:
  virtual ~Backend() = default;

  // Peers: created for a form and all its widgets when it is shown, destroyed when it closes.
  virtual void CreatePeers(TForm& form) = 0;
  virtual void DestroyPeers(TForm& form) = 0;
  // Disables / re-enables the other top-level windows of the thread around a modal form.
  virtual void BeginModal(TForm& form) = 0;
  virtual void EndModal(TForm& form) = 0;
  // Runs messages until done() answers true (checked after each message).
  virtual void RunLoop(TForm& form, const std::function<bool()>& done) = 0;

  // Whether a modal form above this one keeps it from taking user input.
  virtual bool Blocked(const TForm& form) = 0;
  virtual FrameSize Frame(const TForm& form) = 0;
  virtual Rect WorkArea() = 0;
  virtual Point CursorPos() = 0;
  virtual void SetCursorPos(Point screen) = 0;
  virtual Cursor ScreenCursor() = 0;
  virtual void SetScreenCursor(Cursor c) = 0;   // Default: each widget shows its own

  // Timers of the user-interface thread: fn runs every `ms` milliseconds until stopped.
  virtual TimerId StartTimer(int ms, std::function<void()> fn) = 0;
  virtual void StopTimer(TimerId id) = 0;

  // The system's dialogs, owned by the active form.
  virtual int ShowMessage(const MessageRequest& r) = 0;
  // The chosen files (full paths), or nothing when cancelled.
  virtual std::optional<std::vector<std::string>> OpenFiles(const FileRequest& r) = 0;
  // The index of the chosen item, or -1.
  virtual int TrackPopup(const TPopupMenu& menu, Point screen) = 0;

  // The standard error box for an exception that left an event handler: the exception's message
  // with the Error icon and an OK button, captioned with Title.
  virtual void ShowError(const std::string& message);
  std::string Title = "Solmora";
};

// Message box owned by the active form; returns the MsgAnswer of the pressed button. (Not named
// MessageBox: the platform headers define that name as a macro.)
int MessageDlg(Backend& b, const std::string& text, const std::string& caption,
               MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
               int defaultButton = 0);

}  // namespace sm::ui
