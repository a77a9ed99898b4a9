#include "ui/Controls.h"

#include "ui/PeerFactory.h"

namespace sm::ui {

std::unique_ptr<Peer> TButton::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TSpeedButton::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TCheckBox::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TRadioButton::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TComboBox::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TEdit::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TLabel::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TPanel::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TGroupBox::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TTabControl::MakePeer(PeerFactory& f) { return f.Make(*this); }

bool TButton::UserPress() {
  if (!Accepts()) return false;
  Dispatch([this] {
    if (ModalResult != mrNone) Form()->SetModalResult(ModalResult);
    if (OnClick) OnClick();
  });
  return true;
}

void TSpeedButton::SetDown(bool d) {
  if (d == down_) return;
  down_ = d;
  Changed(Prop::State);
}

bool TSpeedButton::UserPress() {
  if (!Accepts()) return false;
  Dispatch([this] {
    if (Toggle) SetDown(!down_);
    if (OnClick) OnClick();
  });
  return true;
}

void TCheckBox::SetChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  Changed(Prop::State);
  if (OnClick) OnClick();
}

bool TCheckBox::UserPress() {
  if (!Accepts()) return false;
  Dispatch([this] { SetChecked(!checked_); });
  return true;
}

void TRadioButton::SetChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  Changed(Prop::State);
  if (!c) return;
  for (Widget* w : Parent()->Children()) {
    auto* r = dynamic_cast<TRadioButton*>(w);
    if (r && r != this && r->checked_) {
      r->checked_ = false;
      r->Changed(Prop::State);
    }
  }
  if (OnClick) OnClick();
}

bool TRadioButton::UserPress() {
  if (!Accepts()) return false;
  if (checked_) {
    Changed(Prop::State);   // the real control may have drawn itself unchecked meanwhile
    return true;
  }
  Dispatch([this] { SetChecked(true); });
  return true;
}

void TComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  index_ = -1;
  Changed(Prop::Items);
}

void TComboBox::AddItem(const std::string& s) {
  items_.push_back(s);
  Changed(Prop::Items);
}

void TComboBox::SetItemIndex(int i) {
  if (i < 0 || i >= static_cast<int>(items_.size())) i = -1;
  if (i == index_) return;
  index_ = i;
  Changed(Prop::State);
}

std::string TComboBox::Text() const { return index_ >= 0 ? items_[index_] : std::string(); }

bool TComboBox::UserSelect(int index) {
  if (!Accepts() || index < 0 || index >= static_cast<int>(items_.size())) return false;
  if (index == index_) return true;
  Dispatch([this, index] {
    index_ = index;
    if (OnChange) OnChange();
  });
  return true;
}

void TEdit::SetText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  Changed(Prop::State);
  if (OnChange) OnChange();
}

void TEdit::SetReadOnly(bool r) {
  if (r == readOnly_) return;
  readOnly_ = r;
  Changed(Prop::Style);
}

bool TEdit::UserSetText(const std::string& t) {
  if (!Accepts() || readOnly_) {
    if (t != text_) Changed(Prop::State);   // put the real control back
    return false;
  }
  if (t == text_) return true;
  Dispatch([this, &t] {
    text_ = t;   // the real control shows it already
    if (OnChange) OnChange();
  });
  return true;
}

bool TLabel::UserPress() {
  if (!Accepts()) return false;
  Dispatch([this] { if (OnClick) OnClick(); });
  return true;
}

bool TPanel::UserPress() {
  if (!Accepts()) return false;
  Dispatch([this] { if (OnClick) OnClick(); });
  return true;
}

void TTabControl::SetTabs(std::vector<std::string> tabs) {
  tabs_ = std::move(tabs);
  index_ = tabs_.empty() ? -1 : 0;
  Changed(Prop::Items);
}

void TTabControl::SetTabIndex(int i) {
  if (i < 0 || i >= static_cast<int>(tabs_.size())) i = -1;
  if (i == index_) return;
  index_ = i;
  Changed(Prop::State);
}

Rect TTabControl::DisplayRect() const { return {4, 28, Width() - 8, Height() - 32}; }

bool TTabControl::UserSelect(int index) {
  if (!Accepts() || index < 0 || index >= static_cast<int>(tabs_.size())) return false;
  if (index == index_) return true;
  Dispatch([this, index] {
    bool allow = true;
    if (OnChanging) OnChanging(allow);
    if (!allow) {
      Changed(Prop::State);
      return;
    }
    index_ = index;
    Changed(Prop::State);
    if (OnChange) OnChange();
  });
  return true;
}

}  // namespace sm::ui
