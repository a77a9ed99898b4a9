#include "ui/Ranges.h"

#include <cmath>

#include "ui/Backend.h"
#include "ui/PeerFactory.h"

namespace sm::ui {

std::unique_ptr<Peer> TUpDown::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TSpinButton::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TTrackBar::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TProgressBar::MakePeer(PeerFactory& f) { return f.Make(*this); }
std::unique_ptr<Peer> TDateTimePicker::MakePeer(PeerFactory& f) { return f.Make(*this); }

static int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = max < min ? min : max;
  pos_ = Clamp(pos_, min_, max_);
  Changed(Prop::Items);
}

void TUpDown::SetPosition(int p) {
  p = Clamp(p, min_, max_);
  if (p == pos_) return;
  pos_ = p;
  Changed(Prop::State);
}

bool TUpDown::UserStep(UpDownButton b) {
  if (!Accepts()) return false;
  UpDownDirection dir = b == UpDownButton::Next ? UpDownDirection::Up : UpDownDirection::Down;
  long long np = pos_ + static_cast<long long>(b == UpDownButton::Next ? Increment : -Increment);
  if (np > max_ || np < min_) {
    bool atLimit = (np > max_) ? pos_ == max_ : pos_ == min_;
    if (wrap_) {
      np = np > max_ ? min_ : max_;
      dir = UpDownDirection::None;
    } else if (atLimit) {
      return true;
    } else {
      np = np > max_ ? max_ : min_;
    }
  }
  int next = static_cast<int>(np);
  Dispatch([this, b, dir, next] {
    bool allow = true;
    if (OnChanging) OnChanging(allow, next, dir);
    if (!allow) {
      Changed(Prop::State);
      return;
    }
    pos_ = next;
    Changed(Prop::State);
    if (OnClickButton) OnClickButton(b);
  });
  return true;
}

TSpinButton::~TSpinButton() { Stop(); }

bool TSpinButton::UserPressArrow(bool up) {
  if (!Accepts()) return false;
  Stop();
  up_ = up;
  firstRepeat_ = true;
  timer_ = GetBackend().StartTimer(kFirstRepeatMs, [this] {
    if (!Accepts()) { Stop(); return; }
    if (firstRepeat_) {
      firstRepeat_ = false;
      GetBackend().StopTimer(timer_);
      timer_ = GetBackend().StartTimer(kRepeatMs, [this] {
        if (!Accepts()) { Stop(); return; }
        Fire();
      });
    }
    Fire();
  });
  Fire();
  return true;
}

void TSpinButton::UserReleaseArrow() { Stop(); }

void TSpinButton::Fire() {
  Dispatch([this] {
    if (up_ ? static_cast<bool>(OnUpClick) : static_cast<bool>(OnDownClick)) (up_ ? OnUpClick : OnDownClick)();
  });
}

void TSpinButton::Stop() {
  if (timer_ != 0) {
    GetBackend().StopTimer(timer_);
    timer_ = 0;
  }
}

void TTrackBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max < min ? min : max;
  pos_ = Clamp(pos_, min_, max_);
  Changed(Prop::Items);
}

void TTrackBar::SetPosition(int p) {
  p = Clamp(p, min_, max_);
  if (p == pos_) return;
  pos_ = p;
  Changed(Prop::State);
}

bool TTrackBar::UserMove(int position) {
  if (!Accepts()) return false;
  position = Clamp(position, min_, max_);
  if (position == pos_) return true;
  Dispatch([this, position] {
    pos_ = position;
    Changed(Prop::State);
    if (OnChange) OnChange();
  });
  return true;
}

void TProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max < min ? min : max;
  pos_ = Clamp(pos_, min_, max_);
  Changed(Prop::Items);
}

void TProgressBar::SetPosition(int p) {
  p = Clamp(p, min_, max_);
  if (p == pos_) return;
  pos_ = p;
  Changed(Prop::State);
}

void TDateTimePicker::SetDate(double d) {
  if (d == date_) return;
  date_ = d;
  Changed(Prop::State);
}

bool TDateTimePicker::UserPick(int year, int month, int day) {
  if (!Accepts()) return false;
  double whole = std::floor(date_);
  double time = date_ - whole;
  double next = DaysFromCivil(year, month, day) + time;
  if (next == date_) return true;
  Dispatch([this, next] {
    date_ = next;
    Changed(Prop::State);
    if (OnChange) OnChange();
  });
  return true;
}

// Proleptic Gregorian calendar on a day number; 1899-12-30 is day 0.
int DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;  // days from 1970-01-01, then to 1899-12-30
}

void CivilFromDays(int days, int& year, int& month, int& day) {
  int z = days - 25569 + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  day = doy - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = yoe + era * 400 + (month <= 2);
}

}  // namespace sm::ui
