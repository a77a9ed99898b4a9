#pragma once
// The numeric edit field as a widget: the field's value text and its formatting rules
// (numedit/NumTextModel.h) behind the widget rules of Widget.h. With real windows its peer is the
// self-drawn "TSaNumEdit" window; headless, tests type through UserSetText.
//
//  * Text set from code is passed through the field's input filter (full-width digits become
//    ASCII, a "," is dropped, the text is cut at the first character the rules refuse, too many
//    integer digits empty it, leading zeros go). When the filtered text differs from the current
//    one, OnChange fires, as for TEdit.
//  * A change of IntegerLength, DecimalLength or Minus filters the current text again (a signed
//    value is emptied when Minus goes off); that follows from the rule and fires nothing.
//  * UserSetText is what the peer reports after the user edited the field: the text goes through
//    the same filter and OnChange fires once when it changed. A ReadOnly field refuses it and the
//    real control is put back to the widget's text. Leaving a field that holds only "-" empties
//    it (the control's rule); the peer reports that as a user edit before OnExit fires.
//  * The height stays the one set on the widget (the control's own automatic height is off), and
//    a ReadOnly field with the default colour is greyed like a read-only TEdit.
#include <memory>
#include <string>

#include "numedit/NumTextModel.h"
#include "ui/Widget.h"

namespace sm::ui {

class TSaNumEdit : public Widget {
 public:
  explicit TSaNumEdit(Widget* parent);

  const std::string& Text() const { return model_.Text(); }
  void SetText(const std::string& t);

  int IntegerLength() const { return model_.IntegerLength(); }   // digits before the point
  void SetIntegerLength(int n);                                  // negative: ignored
  int DecimalLength() const { return model_.DecimalLength(); }   // 0: no point can be entered
  void SetDecimalLength(int n);                                  // negative: ignored
  bool Minus() const { return model_.Minus(); }                  // a sign may be entered
  void SetMinus(bool m);
  bool Comma() const { return model_.Comma(); }                  // digits shown grouped by threes
  void SetComma(bool c);
  bool ReadOnly() const { return model_.ReadOnly(); }
  void SetReadOnly(bool r);

  // The number as the field draws it (grouping included), and every rule the peer copies.
  const std::string& DisplayText() const { return model_.ValText(); }
  const TNumTextModel& Model() const { return model_; }

  NotifyEvent OnChange;
  bool UserSetText(const std::string& t);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  // Runs a property change on the model; the peer hears of the new style, and of the text when
  // the rule change filtered it.
  template <typename Fn> void Restyle(Fn&& change);
  TNumTextModel model_;
};

}  // namespace sm::ui
