#include "ui/Components.h"

#include <exception>

#include "ui/Form.h"

namespace sm::ui {

TTimer::~TTimer() {
  if (id_ != 0) backend_.StopTimer(id_);
}

void TTimer::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  Restart();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TTimer::Restart() {
  if (id_ != 0) {
    backend_.StopTimer(id_);
    id_ = 0;
  }
  if (enabled_ && interval_ > 0) id_ = backend_.StartTimer(interval_, [this] { Tick(); });
}

void TTimer::Tick() {
  if (!OnTimer) return;
  if (Owner) {
    Owner->Dispatch([this] { OnTimer(); });
    return;
  }
  try {
    OnTimer();
  } catch (const std::exception& e) {
    backend_.ShowError(e.what());
  }
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup();
  int i = backend_.TrackPopup(*this, {x, y});
  if (i < 0 || i >= static_cast<int>(Items.size())) return;
  const TMenuItem& item = Items[i];
  if (!item.enabled || !item.visible || item.caption == "-") return;
  NotifyEvent click = item.onClick;   // the handler may change the items
  if (click) click();
}

bool TOpenDialog::Execute() {
  FileRequest r;
  r.title = Title;
  r.filter = Filter;
  r.filterIndex = FilterIndex;
  r.initialDir = InitialDir;
  r.fileName = FileName;
  r.multiSelect = MultiSelect;
  auto chosen = backend_.OpenFiles(r);
  if (!chosen || chosen->empty()) return false;
  FileNames = *chosen;
  if (!MultiSelect) FileNames.resize(1);
  FileName = FileNames.front();
  return true;
}

}  // namespace sm::ui
