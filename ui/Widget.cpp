#include "ui/Widget.h"

#include <algorithm>
#include <exception>

#include "ui/Backend.h"
#include "ui/Form.h"

namespace sm::ui {

Widget::Widget(Widget* parent) : parent_(parent) {
  if (parent_) parent_->children_.push_back(this);
}

Widget::~Widget() {
  peer_.reset();
  if (parent_) {
    auto& c = parent_->children_;
    c.erase(std::remove(c.begin(), c.end(), this), c.end());
    if (TForm* f = parent_->Form(); f && f->focused_ == this) f->focused_ = nullptr;
  }
}

TForm* Widget::Form() {
  Widget* w = this;
  while (w->parent_) w = w->parent_;
  return dynamic_cast<TForm*>(w);
}

Backend& Widget::GetBackend() { return Form()->GetBackend(); }

void Widget::Changed(Prop what, int index) {
  if (peer_) peer_->Sync(what, index);
}

void Widget::SetBounds(Rect r) {
  if (r.width < 0) r.width = 0;
  if (r.height < 0) r.height = 0;
  if (r == bounds_) return;
  int oldW = ClientWidth(), oldH = ClientHeight();
  bounds_ = r;
  Changed(Prop::Bounds);
  if (ClientWidth() != oldW || ClientHeight() != oldH) Resized(oldW, oldH);
  if (align_ != Align::None && parent_) parent_->Realign();
}

void Widget::UserBounds(Rect r) {
  if (r == bounds_) return;
  int oldW = ClientWidth(), oldH = ClientHeight();
  bounds_ = r;
  if (ClientWidth() != oldW || ClientHeight() != oldH) {
    Dispatch([&] { Resized(oldW, oldH); });
  }
}

void Widget::SetAlign(Align a) {
  if (a == align_) return;
  align_ = a;
  if (parent_) parent_->Realign();
}

void Widget::Resized(int oldW, int oldH) {
  int dx = ClientWidth() - oldW, dy = ClientHeight() - oldH;
  for (Widget* c : children_) {
    if (c->align_ != Align::None) continue;
    Rect b = c->bounds_;
    if (c->anchors_ & akRight) {
      if (c->anchors_ & akLeft) b.width += dx; else b.left += dx;
    }
    if (c->anchors_ & akBottom) {
      if (c->anchors_ & akTop) b.height += dy; else b.top += dy;
    }
    if (!(b == c->bounds_)) c->SetBounds(b);
  }
  Realign();
}

// Aligned children take the edges in the order top, bottom, left, right, then the rest goes to the
// client-aligned ones; within one kind, in declaration order.
void Widget::Realign() {
  Rect area{0, 0, ClientWidth(), ClientHeight()};
  auto place = [](Widget* c, Rect r) {
    if (r.width < 0) r.width = 0;
    if (r.height < 0) r.height = 0;
    if (r == c->bounds_) return;
    int oldW = c->ClientWidth(), oldH = c->ClientHeight();
    c->bounds_ = r;
    c->Changed(Prop::Bounds);
    if (c->ClientWidth() != oldW || c->ClientHeight() != oldH) c->Resized(oldW, oldH);
  };
  for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (Widget* c : children_) {
      if (c->align_ != a || !c->visible_) continue;
      const Rect& b = c->bounds_;
      switch (a) {
        case Align::Top:
          place(c, {area.left, area.top, area.width, b.height});
          area.top += b.height; area.height -= b.height;
          break;
        case Align::Bottom:
          place(c, {area.left, area.top + area.height - b.height, area.width, b.height});
          area.height -= b.height;
          break;
        case Align::Left:
          place(c, {area.left, area.top, b.width, area.height});
          area.left += b.width; area.width -= b.width;
          break;
        case Align::Right:
          place(c, {area.left + area.width - b.width, area.top, b.width, area.height});
          area.width -= b.width;
          break;
        default:
          place(c, area);
          break;
      }
    }
  }
}

void Widget::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Prop::Visible);
  if (parent_ && align_ != Align::None) parent_->Realign();
}

bool Widget::Showing() const {
  if (!visible_) return false;
  if (!parent_) {
    auto* f = dynamic_cast<const TForm*>(this);
    return f && f->IsShown();
  }
  return parent_->Showing();
}

void Widget::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed(Prop::Enabled);
}

bool Widget::Accepts() const {
  if (!Showing() || !EffectivelyEnabled()) return false;
  TForm* f = const_cast<Widget*>(this)->Form();
  return !(f && f->GetBackend().Blocked(*f));
}

bool Widget::EffectivelyEnabled() const {
  for (const Widget* w = this; w; w = w->parent_)
    if (!w->enabled_) return false;
  return true;
}

void Widget::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed(Prop::Caption);
}

const Font& Widget::GetFont() const {
  if (parentFont_ && parent_) return parent_->GetFont();
  return font_;
}

static void FontChanged(Widget* w) {
  for (Widget* c : w->Children())
    if (c->ParentFont()) FontChanged(c);
}

void Widget::SetFont(const Font& f) {
  parentFont_ = false;
  font_ = f;
  Changed(Prop::Font);
  for (Widget* c : children_)
    if (c->parentFont_) { c->Changed(Prop::Font); FontChanged(c); }
}

void Widget::SetColor(Color c) {
  if (c == color_) return;
  color_ = c;
  Changed(Prop::Color);
}

void Widget::SetCursor(Cursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  Changed(Prop::Cursor);
}

void Widget::SetFocus() {
  TForm* f = Form();
  if (!f || !Accepts()) return;
  if (peer_) {
    peer_->Focus();   // the focus messages come back through UserFocus
    return;
  }
  if (f->focused_ == this) return;
  if (Widget* old = f->focused_) old->UserFocus(false);
  UserFocus(true);
}

bool Widget::Focused() const {
  TForm* f = const_cast<Widget*>(this)->Form();
  return f && f->focused_ == this;
}

void Widget::UserFocus(bool gained) {
  TForm* f = Form();
  if (!f) return;
  if (gained) {
    f->focused_ = this;
    Dispatch([this] { if (OnEnter) OnEnter(); });
  } else {
    if (f->focused_ == this) f->focused_ = nullptr;
    Dispatch([this] { if (OnExit) OnExit(); });
  }
}

Point Widget::ClientToScreen(Point p) {
  if (peer_ && peer_->ToScreen(p)) return p;
  for (Widget* w = this; w; w = w->parent_) {
    p.x += w->bounds_.left;
    p.y += w->bounds_.top;
    if (!w->parent_) {
      if (auto* f = dynamic_cast<TForm*>(w)) {
        FrameSize fr = f->GetBackend().Frame(*f);
        p.x += fr.width / 2;
        p.y += fr.height - fr.width / 2;
      }
    }
  }
  return p;
}

bool Widget::UserMouseDown(MouseButton b, unsigned shift, int x, int y) {
  if (!Accepts()) return false;
  Dispatch([&] { if (OnMouseDown) OnMouseDown(b, shift, x, y); });
  return true;
}

bool Widget::UserMouseMove(unsigned shift, int x, int y) {
  if (!Accepts()) return false;
  Dispatch([&] { if (OnMouseMove) OnMouseMove(shift, x, y); });
  return true;
}

bool Widget::UserMouseUp(MouseButton b, unsigned shift, int x, int y) {
  if (!Accepts()) return false;
  Dispatch([&] { if (OnMouseUp) OnMouseUp(b, shift, x, y); });
  return true;
}

bool Widget::UserMouseEnter() {
  if (!Accepts()) return false;
  Dispatch([&] { if (OnMouseEnter) OnMouseEnter(); });
  return true;
}

bool Widget::UserMouseLeave() {
  if (!Showing()) return false;
  Dispatch([&] { if (OnMouseLeave) OnMouseLeave(); });
  return true;
}

void Widget::Dispatch(const std::function<void()>& fn) {
  TForm* f = Form();
  if (!f) { fn(); return; }
  if (f->dispatchDepth_ > 0) { fn(); return; }
  ++f->dispatchDepth_;
  try {
    fn();
  } catch (const std::exception& e) {
    f->GetBackend().ShowError(e.what());
  } catch (...) {
    f->GetBackend().ShowError("予期しないエラーが発生しました。");
  }
  --f->dispatchDepth_;
  f->CheckClose();
}

}  // namespace sm::ui
