#pragma once
// The standard controls. Each class states which of its changes fire which event; the general
// rules are in Widget.h.
#include <functional>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Widget.h"

namespace sm::ui {

// Push button. A user press (click, Space, or Enter/Escape through the form when Default/Cancel):
// first the form's ModalResult becomes this button's ModalResult when that is not mrNone, then
// OnClick fires once. A handler may set the form's ModalResult back to mrNone to keep it open.
class TButton : public Widget {
 public:
  using Widget::Widget;
  int ModalResult = mrNone;
  bool Default = false;   // pressed by Enter
  bool Cancel = false;    // pressed by Escape
  bool UserPress();
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;
};

// Flat picture or text button (speed button / picture button). With Toggle on, a press flips Down
// before OnClick fires; Down set from code fires nothing. OnMouseDown fires on the press as for any
// widget, before OnClick (which fires at the release).
class TSpeedButton : public Widget {
 public:
  using Widget::Widget;
  bool Toggle = false;
  bool Down() const { return down_; }
  void SetDown(bool d);
  Image Glyph;            // drawn left of the caption, or alone; empty: caption only
  void SetGlyph(const Image& g) { Glyph = g; Changed(Prop::Style); }
  bool UserPress();
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  bool down_ = false;
};

// Check box. A user press toggles Checked, then OnClick fires. Checked set from code to a new value
// fires OnClick as well.
class TCheckBox : public Widget {
 public:
  using Widget::Widget;
  bool Checked() const { return checked_; }
  void SetChecked(bool c);
  bool UserPress();
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  bool checked_ = false;
};

// Radio button. The radio buttons with the same parent form one group: checking one unchecks the
// others (they fire nothing). A user press on an unchecked button checks it and fires its OnClick;
// a press on the checked one fires nothing. Checked set to true from code does the same as a user
// press on an unchecked button (OnClick fires); set to false it only unchecks.
class TRadioButton : public Widget {
 public:
  using Widget::Widget;
  bool Checked() const { return checked_; }
  void SetChecked(bool c);
  bool UserPress();
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  bool checked_ = false;
};

// Drop-down list (no free text). A user choice of a different item sets ItemIndex, then OnChange
// fires. ItemIndex set from code fires nothing; SetItems resets ItemIndex to -1 and fires nothing.
class TComboBox : public Widget {
 public:
  using Widget::Widget;
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  void AddItem(const std::string& s);
  int ItemIndex() const { return index_; }
  void SetItemIndex(int i);          // out of range: -1
  std::string Text() const;          // the chosen item's text, or empty
  int DropDownCount = 8;
  NotifyEvent OnChange;
  bool UserSelect(int index);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

// Single-line text field. Text set from code to a new value fires OnChange, as typing does; each
// user edit that changes the text fires OnChange once. ReadOnly keeps the user from typing (the
// text can still be selected); a greyed field is ReadOnly with Color clBtnFace.
class TEdit : public Widget {
 public:
  using Widget::Widget;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& t);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r);
  int MaxLength = 0;                 // bytes; 0 = no limit
  NotifyEvent OnChange;
  // The user replaced the text (typing, pasting, deleting). A ReadOnly field refuses.
  bool UserSetText(const std::string& t);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  std::string text_;
  bool readOnly_ = false;
};

enum class TextAlign { Left, Center, Right };

// Static text; lines are separated by "\r\n" or "\n". As a link label: Cursor HandPoint, OnClick,
// OnMouseEnter/OnMouseLeave, and the colour set through its Font. A user click fires OnClick.
class TLabel : public Widget {
 public:
  using Widget::Widget;
  bool WordWrap = false;
  TextAlign Alignment = TextAlign::Left;
  bool Transparent = true;
  bool UserPress();
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;
};

enum class Bevel { None, Lowered, Raised };

// Container with an optional centred caption and two bevels (outer, inner).
class TPanel : public Widget {
 public:
  using Widget::Widget;
  Bevel BevelOuter = Bevel::Raised;
  Bevel BevelInner = Bevel::None;
  void SetBevels(Bevel outer, Bevel inner) { BevelOuter = outer; BevelInner = inner; Changed(Prop::Style); }
  bool UserPress();                  // a click on the panel itself: OnClick
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;
};

// Framed container with a caption.
class TGroupBox : public Widget {
 public:
  using Widget::Widget;
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;
};

// Row of tabs above a container area; the form shows and hides its own panels on OnChange. A user
// choice of another tab fires OnChanging(allow) (refusal keeps the tab), then sets TabIndex and
// fires OnChange. TabIndex set from code fires nothing.
class TTabControl : public Widget {
 public:
  using Widget::Widget;
  const std::vector<std::string>& Tabs() const { return tabs_; }
  void SetTabs(std::vector<std::string> tabs);   // TabIndex becomes 0, or -1 without tabs
  int TabIndex() const { return index_; }
  void SetTabIndex(int i);
  // The area below the tabs, in the control's client coordinates (the backend's measure; the
  // headless backend leaves 24 pixels for the tabs and 4 around).
  Rect DisplayRect() const;
  std::function<void(bool& allow)> OnChanging;
  NotifyEvent OnChange;
  bool UserSelect(int index);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  std::vector<std::string> tabs_;
  int index_ = -1;
};

}  // namespace sm::ui
