#pragma once
// Controls that hold a number or a date: up-down, spin button, track bar, progress bar, date
// picker. Positions and dates set from code fire nothing.
#include <functional>

#include "ui/Widget.h"

namespace sm::ui {

enum class UpDownDirection { None, Up, Down };
enum class UpDownButton { Next, Prev };   // Next: the up arrow

// Up-down arrows stepping Position by Increment within Min..Max. A user press on an arrow:
//  1. the new position is Position ± Increment; beyond a limit it becomes the other limit when
//     Wrap is on (the direction is then reported as None), otherwise the press does nothing;
//  2. OnChanging(allow, newPosition, direction) fires; a refusal leaves Position unchanged and
//     fires nothing more;
//  3. Position becomes the new value, then OnClick(button) fires.
// Position set from code is clamped to Min..Max. With real windows a press on an arrow fires
// OnMouseDown first, then the steps above, then OnMouseUp at the release.
class TUpDown : public Widget {
 public:
  using Widget::Widget;
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);   // Position is clamped into the new range
  int Position() const { return pos_; }
  void SetPosition(int p);
  int Increment = 1;
  bool Wrap() const { return wrap_; }
  void SetWrap(bool w) { wrap_ = w; Changed(Prop::Style); }
  std::function<void(bool& allow, int newPosition, UpDownDirection dir)> OnChanging;
  std::function<void(UpDownButton)> OnClickButton;
  bool UserStep(UpDownButton b);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  int min_ = 0, max_ = 100, pos_ = 0;
  bool wrap_ = false;
};

// Two arrows (up above down) that repeat while held: a press fires OnUpClick or OnDownClick at
// once, again 400 ms later while the button is still held, and then every 100 ms until the
// release. The repeat runs on the backend's timers (so a headless test advances its clock).
class TSpinButton : public Widget {
 public:
  explicit TSpinButton(Widget* parent) : Widget(parent) {}
  ~TSpinButton() override;
  NotifyEvent OnUpClick, OnDownClick;
  static constexpr int kFirstRepeatMs = 400;
  static constexpr int kRepeatMs = 100;
  bool UserPressArrow(bool up);      // button down on an arrow
  void UserReleaseArrow();           // button up (or the capture lost)
  bool Held() const { return timer_ != 0; }
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  void Fire();
  void Stop();
  bool up_ = true;
  unsigned timer_ = 0;
  bool firstRepeat_ = false;
};

// Horizontal track bar. A user move of the thumb to a new position fires OnChange.
class TTrackBar : public Widget {
 public:
  using Widget::Widget;
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return pos_; }
  void SetPosition(int p);
  int Frequency = 1;                 // a tick mark every Frequency positions
  NotifyEvent OnChange;
  bool UserMove(int position);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  int min_ = 0, max_ = 10, pos_ = 0;
};

// Progress bar; the user cannot change it.
class TProgressBar : public Widget {
 public:
  using Widget::Widget;
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return pos_; }
  void SetPosition(int p);           // clamped to Min..Max
  int Step = 10;
  void StepIt() { SetPosition(pos_ + Step); }
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  int min_ = 0, max_ = 100, pos_ = 0;
};

// Date picker showing a date only. Date is a day count (days since 1899-12-30); the time of day
// of a value set from code is kept and returned unchanged. A user choice of another day sets the
// date part (keeping the time part) and fires OnChange.
class TDateTimePicker : public Widget {
 public:
  using Widget::Widget;
  double Date() const { return date_; }
  void SetDate(double d);
  NotifyEvent OnChange;
  // The user picked the calendar day y-m-d.
  bool UserPick(int year, int month, int day);
  std::unique_ptr<Peer> MakePeer(PeerFactory& f) override;

 private:
  double date_ = 0;
};

// Calendar helpers for the day count used by the date picker.
int DaysFromCivil(int year, int month, int day);                  // 1899-12-30 is 0
void CivilFromDays(int days, int& year, int& month, int& day);

}  // namespace sm::ui
