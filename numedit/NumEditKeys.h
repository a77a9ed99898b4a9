#pragma once
// The numeric edit field's keyboard, mouse, focus, clipboard and popup-menu behaviour, written
// against the text model and two small seams (the clipboard and the owner's window actions), so
// the window peer only translates messages.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "numedit/NumTextModel.h"

namespace sm {

// Virtual key codes, with the window system's values.
enum TNumKey : uint16_t {
  nkBack = 0x08, nkPrior = 0x21, nkNext = 0x22, nkEnd = 0x23, nkHome = 0x24, nkLeft = 0x25,
  nkUp = 0x26, nkRight = 0x27, nkDown = 0x28, nkDelete = 0x2E,
  nkA = 'A', nkC = 'C', nkV = 'V', nkX = 'X',
};

// Modifier keys held with a key; the tests are exact (Shift means Shift alone).
using TNumShift = uint8_t;
constexpr TNumShift nsShift = 1, nsCtrl = 2, nsAlt = 4;

// The text clipboard in code page 932.
class TNumClipboard {
 public:
  virtual ~TNumClipboard() = default;
  virtual bool HasText() const = 0;
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

enum class TNumMouseButton : uint8_t { Left, Right, Middle };

// The built-in popup menu: caption and enabled state of each item; the tag is the index.
struct TNumPopupItem {
  const char* caption;
  bool enabled;
};
constexpr int kNumPopupItems = 8;
extern const std::array<const char*, kNumPopupItems> kNumPopupCaptions;

class TNumEditBehavior {
 public:
  TNumEditBehavior(TNumTextModel& model, TNumClipboard& clipboard)
      : FModel(model), FClipboard(clipboard) {}

  // --- Window actions of the owner; each may stay empty. ---
  std::function<void()> OnInvalidate;          // repaint
  std::function<void()> OnTakeFocus;           // give the control's window the focus
  std::function<bool()> HasFocus;              // empty: never focused
  std::function<bool(bool next)> OnMoveFocus;  // ask the parent form to move the focus;
                                               // false when there is no parent form

  // Keys: each returns true and sets key to 0 when it consumed the key.
  bool KeyDown(uint16_t& key, TNumShift shift);
  void KeyPress(char& key);

  // Mouse. foregroundOwnThread: the foreground window belongs to the control's thread.
  void MouseDown(TNumMouseButton button, bool foregroundOwnThread);
  void DblClick();
  void MouseMove(bool leftHeld, int x, int valueTextLeft, int valueTextRight);
  bool DblClickFlag() const { return FDblClickFlag; }

  // Focus.
  void DoEnter();
  void DoExit();

  // Clipboard commands.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // Popup menu: EditPopupOnPopup gives the states, EditPopupHandler runs an item by its tag.
  std::array<TNumPopupItem, kNumPopupItems> EditPopupOnPopup();
  void EditPopupHandler(int tag);

  // The dialog-code answer: arrows and characters, and all keys with EnterFocusMove.
  int DialogCode() const { return FModel.EnterFocusMove() ? 133 : 129; }

  // The input-method character mapping: full-width digits, minus and full stop become ASCII;
  // any other code is returned unchanged.
  static uint16_t MapImeChar(uint16_t code);

 private:
  void Invalidate() const { if (OnInvalidate) OnInvalidate(); }
  bool Focused() const { return HasFocus && HasFocus(); }

  TNumTextModel& FModel;
  TNumClipboard& FClipboard;
  bool FDblClickFlag = false;
};

}  // namespace sm
