#include "numedit/NumEditKeys.h"

namespace sm {

const std::array<const char*, kNumPopupItems> kNumPopupCaptions = {
    "元に戻す(&U)", "-", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "削除(&D)", "-",
    "すべて選択(&A)",
};

bool TNumEditBehavior::KeyDown(uint16_t& key, TNumShift shift) {
  auto consume = [&key] { key = 0; return true; };
  if (shift == nsShift && (key == nkLeft || key == nkRight)) {
    FModel.SelectAll();
    Invalidate();
    return consume();
  }
  if (shift == nsCtrl && key == nkA) {
    FModel.SelectAll();
    Invalidate();
    return consume();
  }
  if (shift == nsCtrl && key == nkC) {
    CopyToClipboard();
    return consume();
  }
  if (shift == 0) {
    switch (key) {
      case nkPrior: case nkNext: case nkEnd: case nkHome: case nkLeft: case nkRight:
        FModel.ClearSelect();
        Invalidate();
        return consume();
      case nkUp: case nkDown: {
        const bool next = key == nkDown;
        FModel.ClearSelect();
        Invalidate();
        if (FModel.ArrowFocusMove() && FModel.HasOption(next ? eoArrowDown : eoArrowUp) &&
            OnMoveFocus)
          OnMoveFocus(next);
        return consume();
      }
      default: break;
    }
  }
  if (FModel.ReadOnly()) return false;
  if (shift == nsCtrl && key == nkV) {
    PasteFromClipboard();
    return consume();
  }
  if (shift == nsCtrl && key == nkX) {
    CutToClipboard();
    return consume();
  }
  if (shift == 0 && (key == nkBack || key == nkDelete)) {
    FModel.OneCharDelete(key);
    key = 0;
    return true;
  }
  return false;
}

void TNumEditBehavior::KeyPress(char& key) {
  if (key == 0) return;
  if (FModel.ReadOnly()) {
    key = 0;
    return;
  }
  switch (key) {
    case 1: case 3: case 8: case 22: case 24:
      key = 0;
      return;
    case 13:
      if (FModel.EnterFocusMove()) {
        if (OnMoveFocus && OnMoveFocus(true)) key = 0;
        return;
      }
      break;
    case '-': FModel.AddMinus(key); return;
    case '.': FModel.AddDot(key); return;
    default:
      if (key >= '0' && key <= '9') {
        FModel.AddChar(key);
        return;
      }
      break;
  }
  if (FModel.ErrorBeep() && FModel.OnErrorBeep) FModel.OnErrorBeep();
  key = 0;
}

void TNumEditBehavior::MouseDown(TNumMouseButton button, bool foregroundOwnThread) {
  if (!FDblClickFlag && button == TNumMouseButton::Left) {
    if (foregroundOwnThread && !Focused() && OnTakeFocus) OnTakeFocus();
    FModel.ClearSelect();
    Invalidate();
  }
  FDblClickFlag = false;
}

void TNumEditBehavior::DblClick() {
  FModel.SelectAll();
  Invalidate();
  FDblClickFlag = true;
}

void TNumEditBehavior::MouseMove(bool leftHeld, int x, int valueTextLeft, int valueTextRight) {
  if (leftHeld && x >= valueTextLeft && x <= valueTextRight) {
    FModel.SelectAll();
    Invalidate();
  }
}

void TNumEditBehavior::DoEnter() {
  if (FModel.AutoSelect()) {
    FModel.SelectAll();
    Invalidate();
  }
}

void TNumEditBehavior::DoExit() {
  if (FModel.Text() == "-" && !FModel.HasOption(eoMinusOnly)) {
    FModel.SetText(std::string());  // no undo record, no change notification
    Invalidate();
  }
  if (FModel.HideSelection()) {
    FModel.ClearSelect();
    Invalidate();
  }
}

void TNumEditBehavior::CopyToClipboard() {
  if (!FModel.HasSelection()) return;
  FClipboard.SetText(FModel.ClipboardText());
}

void TNumEditBehavior::CutToClipboard() {
  if (!FModel.HasSelection()) return;
  CopyToClipboard();
  FModel.CutDone();
}

void TNumEditBehavior::PasteFromClipboard() {
  if (!FClipboard.HasText()) return;
  FModel.PasteText(FClipboard.GetText());
}

std::array<TNumPopupItem, kNumPopupItems> TNumEditBehavior::EditPopupOnPopup() {
  if (!Focused() && OnTakeFocus) OnTakeFocus();
  const bool sel = FModel.HasSelection();
  const bool ro = FModel.ReadOnly();
  const std::array<bool, kNumPopupItems> enabled = {
      FModel.CanUndo() && !ro, true, sel && !ro, sel, FClipboard.HasText() && !ro, sel && !ro,
      true, !sel && !FModel.Text().empty(),
  };
  std::array<TNumPopupItem, kNumPopupItems> items{};
  for (int i = 0; i < kNumPopupItems; ++i) items[i] = {kNumPopupCaptions[i], enabled[i]};
  return items;
}

void TNumEditBehavior::EditPopupHandler(int tag) {
  // The menu disables these while ReadOnly; a stale click must not edit a read-only field.
  if (FModel.ReadOnly() && (tag == 0 || tag == 2 || tag == 4 || tag == 5)) return;
  switch (tag) {
    case 0: FModel.Undo(); break;
    case 2: CutToClipboard(); break;
    case 3: CopyToClipboard(); break;
    case 4: PasteFromClipboard(); break;
    case 5: FModel.Clear(); Invalidate(); break;
    case 7: FModel.SelectAll(); Invalidate(); break;
    default: break;
  }
}

uint16_t TNumEditBehavior::MapImeChar(uint16_t code) {
  if (code > 0x824E && code <= 0x8258) return static_cast<uint16_t>('0' + (code - 0x824F));
  if (code == 0x817C) return '-';
  if (code == 0x8144) return '.';
  return code;
}

}  // namespace sm
