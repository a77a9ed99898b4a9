#include "ui/NumEdit.h"

#include "ui/PeerFactory.h"

namespace sm::ui {

TSaNumEdit::TSaNumEdit(Widget* parent) : Widget(parent) {
  SetBounds({Left(), Top(), 121, 20});
  SetCursor(Cursor::IBeam);
}

std::unique_ptr<Peer> TSaNumEdit::MakePeer(PeerFactory& f) { return f.Make(*this); }

void TSaNumEdit::SetText(const std::string& t) {
  const std::string old = model_.Text();
  model_.SetText(t);
  if (model_.Text() == old) return;
  Changed(Prop::State);
  if (OnChange) OnChange();
}

namespace {
struct NumStyle {
  int integerLength, decimalLength;
  bool minus, comma, readOnly;
  bool operator==(const NumStyle&) const = default;
};
NumStyle StyleOf(const TNumTextModel& m) {
  return {m.IntegerLength(), m.DecimalLength(), m.Minus(), m.Comma(), m.ReadOnly()};
}
}  // namespace

template <typename Fn> void TSaNumEdit::Restyle(Fn&& change) {
  const NumStyle before = StyleOf(model_);
  const std::string oldText = model_.Text();
  change();
  if (StyleOf(model_) == before) return;
  Changed(Prop::Style);
  if (model_.Text() != oldText) Changed(Prop::State);
}

void TSaNumEdit::SetIntegerLength(int n) { Restyle([&] { model_.SetIntegerLength(n); }); }
void TSaNumEdit::SetDecimalLength(int n) { Restyle([&] { model_.SetDecimalLength(n); }); }
void TSaNumEdit::SetMinus(bool m) { Restyle([&] { model_.SetMinus(m); }); }
void TSaNumEdit::SetComma(bool c) { Restyle([&] { model_.SetComma(c); }); }
void TSaNumEdit::SetReadOnly(bool r) { Restyle([&] { model_.SetReadOnly(r); }); }

bool TSaNumEdit::UserSetText(const std::string& t) {
  if (!Accepts() || model_.ReadOnly()) {
    if (t != model_.Text()) Changed(Prop::State);   // put the real control back
    return false;
  }
  const std::string old = model_.Text();
  model_.SetText(t);
  // The real control shows what the user typed; it follows when the rules cut it.
  if (model_.Text() != t) Changed(Prop::State);
  if (model_.Text() == old) return true;
  Dispatch([this] { if (OnChange) OnChange(); });
  return true;
}

}  // namespace sm::ui
