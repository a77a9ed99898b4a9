#pragma once
// The numeric edit field as a Win32 window: a registered window class that paints the number and
// its marks with GDI and answers the keyboard, mouse, focus, clipboard, popup-menu and window
// messages through the portable model (NumTextModel.h) and behaviour (NumEditKeys.h).
//
// Text is code page 932 inside; UTF-16 only at the window boundary.
#include <windows.h>

#include <string>

#include "numedit/NumEditKeys.h"
#include "numedit/NumEditLayout.h"
#include "numedit/NumTextModel.h"

namespace sm::numedit_win32 {

constexpr const wchar_t* kSaNumEditClass = L"TSaNumEdit";

// The clipboard as CF_UNICODETEXT (preferred) or CF_TEXT, both read and written as code page 932.
class TWin32Clipboard : public TNumClipboard {
 public:
  explicit TWin32Clipboard(HWND owner) : FOwner(owner) {}
  bool HasText() const override;
  std::string GetText() const override;
  void SetText(const std::string& text) override;

 private:
  HWND FOwner;
};

class TSaNumEdit {
 public:
  explicit TSaNumEdit(HWND hwnd);
  ~TSaNumEdit();
  TSaNumEdit(const TSaNumEdit&) = delete;
  TSaNumEdit& operator=(const TSaNumEdit&) = delete;

  TNumTextModel& Model() { return FModel; }
  TNumEditBehavior& Behavior() { return FBehavior; }
  HWND Handle() const { return FHwnd; }

  TColor Color() const { return FColor; }
  void SetColor(TColor c);
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor c);
  bool Ctl3D() const { return FModel.Ctl3D; }
  void SetCtl3D(bool value);
  int FontHeight() const { return FFontHeight; }
  const TNumRect& ValueTextRect() const { return FValueTextRect; }
  // A popup menu of the owner's; while one is set it replaces the built-in menu, and its
  // commands go to the parent window as WM_COMMAND. The owner keeps the menu alive.
  HMENU PopupMenu = nullptr;

  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

 private:
  int Measure(const std::string& text) const;
  void Paint();
  void CaretCreate();
  void CaretMove();
  void CaretDelete();
  bool Focused() const { return GetFocus() == FHwnd; }
  void Invalidate() { InvalidateRect(FHwnd, nullptr, FALSE); }
  void FontChanged(HFONT font);
  void ApplyAutoHeight();
  void ApplyBorder();
  void ShowPopup(int x, int y);
  void OnChar(wchar_t ch);
  bool MoveFocus(bool next);

  HWND FHwnd;
  TNumTextModel FModel;
  TWin32Clipboard FClipboard;
  TNumEditBehavior FBehavior;
  HFONT FFont = nullptr;
  HDC FCanvas = nullptr;  // a memory DC holding the control font, for measuring
  bool FNowInit = true;  // until WM_CREATE: no sizing, no caret
  int FFontHeight = 12;
  int FCaretWidth = 1;
  bool FHasCaret = false;
  TColor FColor = static_cast<TColor>(0xFF000005);      // the system window colour
  TColor FFontColor = static_cast<TColor>(0xFF000008);  // the system window-text colour
  TNumRect FValueTextRect;
};

// Registers the window class once per process; answers false when registration failed.
bool RegisterSaNumEdit(HINSTANCE instance);
// Creates a field as a child of parent with a sunken single border; nullptr on failure.
HWND CreateSaNumEdit(HWND parent, int id, int x, int y, int width, int height);
// The control behind a field's window, or nullptr for another window.
TSaNumEdit* SaNumEditFromHandle(HWND hwnd);

}  // namespace sm::numedit_win32
