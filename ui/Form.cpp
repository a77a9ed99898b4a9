#include "ui/Form.h"

#include <exception>
#include <stdexcept>

#include "ui/Backend.h"
#include "ui/Controls.h"
#include "ui/PeerFactory.h"

namespace sm::ui {

TForm::TForm(Backend& backend) : Widget(nullptr), backend_(backend) {
  SetBounds({0, 0, 400, 300});
}

TForm::~TForm() {
  if (shown_) {
    if (modal_) backend_.EndModal(*this);
    shown_ = false;
    backend_.DestroyPeers(*this);
  }
}

std::unique_ptr<Peer> TForm::MakePeer(PeerFactory& f) { return f.Make(*this); }

static int Clamp(int v, int lo, int hi) {
  if (lo > 0 && v < lo) v = lo;
  if (hi > 0 && v > hi) v = hi;
  return v;
}

void TForm::SetBounds(Rect r) {
  r.width = Clamp(r.width, Constraints.minWidth, Constraints.maxWidth);
  r.height = Clamp(r.height, Constraints.minHeight, Constraints.maxHeight);
  int oldW = ClientWidth(), oldH = ClientHeight();
  Widget::SetBounds(r);
  if ((ClientWidth() != oldW || ClientHeight() != oldH) && OnResize) OnResize();
}

int TForm::ClientWidth() const {
  return Width() - const_cast<Backend&>(backend_).Frame(*this).width;
}
int TForm::ClientHeight() const {
  return Height() - const_cast<Backend&>(backend_).Frame(*this).height;
}

void TForm::SetClientSize(int w, int h) {
  FrameSize f = backend_.Frame(*this);
  SetBounds({Left(), Top(), w + f.width, h + f.height});
}

void TForm::Open(bool modal) {
  if (shown_) throw std::logic_error("form " + Name + " is already showing");
  modalResult_ = mrNone;
  closeDone_ = false;
  closeRequested_ = false;
  modal_ = modal;
  if (Position == FormPosition::DesktopCenter) {
    Rect wa = backend_.WorkArea();
    SetBounds({wa.left + (wa.width - Width()) / 2, wa.top + (wa.height - Height()) / 2, Width(),
               Height()});
  }
  backend_.CreatePeers(*this);
  if (modal) backend_.BeginModal(*this);
  shown_ = true;
  opening_ = true;
  Dispatch([this] {
    if (OnShow) OnShow();
    if (OnActivate) OnActivate();
  });
  opening_ = false;
}

void TForm::Finish() {
  if (modal_) backend_.EndModal(*this);
  shown_ = false;
  closeDone_ = true;
  focused_ = nullptr;
  backend_.DestroyPeers(*this);
}

int TForm::ShowModal() {
  Open(true);
  backend_.RunLoop(*this, [this] { return closeDone_; });
  modal_ = false;
  return modalResult_;
}

void TForm::ShowForm() { Open(false); }

void TForm::RunMain() {
  Open(false);
  backend_.RunLoop(*this, [this] { return closeDone_; });
}

void TForm::Close() {
  if (!shown_) return;
  if (modal_) modalResult_ = mrCancel;
  closeRequested_ = true;
  if (dispatchDepth_ == 0) CheckClose();
}

bool TForm::CheckClose() {
  if (!shown_ || closing_ || dispatchDepth_ > 0) return closeDone_;
  if (modal_ ? modalResult_ == mrNone : !closeRequested_) return false;
  closing_ = true;
  ++dispatchDepth_;
  bool canClose = true;
  try {
    if (OnCloseQuery) OnCloseQuery(canClose);
  } catch (const std::exception& e) {
    backend_.ShowError(e.what());
    canClose = false;
  }
  if (canClose) {
    try {
      if (OnClose) OnClose();
    } catch (const std::exception& e) {
      backend_.ShowError(e.what());
    }
  }
  --dispatchDepth_;
  closing_ = false;
  closeRequested_ = false;
  if (!canClose) {
    modalResult_ = mrNone;
    return false;
  }
  Finish();
  return true;
}

static TButton* Find(Widget* w, bool isDefault) {
  for (Widget* c : w->Children()) {
    if (auto* b = dynamic_cast<TButton*>(c); b && (isDefault ? b->Default : b->Cancel)) return b;
    if (TButton* b = Find(c, isDefault)) return b;
  }
  return nullptr;
}

TButton* TForm::FindButton(bool isDefault) { return Find(this, isDefault); }

bool TForm::UserKey(Key k) {
  if (!Showing() || backend_.Blocked(*this)) return false;
  if (k == Key::Enter) {
    if (auto* b = dynamic_cast<TButton*>(focused_); b && b->UserPress()) return true;
    TButton* d = FindButton(true);
    return d && d->UserPress();
  }
  TButton* c = FindButton(false);
  return c && c->UserPress();
}

bool TForm::UserCloseBox() {
  if (!shown_ || !EffectivelyEnabled()) return false;
  Dispatch([this] { Close(); });
  return true;
}

void TForm::UserActivate() {
  if (!shown_ || opening_) return;
  Dispatch([this] { if (OnActivate) OnActivate(); });
}

}  // namespace sm::ui
