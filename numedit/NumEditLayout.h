#pragma once
// Where the numeric edit field draws its number and marks, with which colours, and where its
// caret stands. Pure arithmetic on the text model and the client size, so a window peer only
// paints what this computes.
//
// The field works like a calculator display: the left mark, the value area (as wide as the widest
// possible number) and the right mark form one group placed by the alignment; the number is drawn
// flush right inside the value area and the caret stands after the last typed character.
#include <string>

#include "numedit/NumTextModel.h"

namespace sm {

// A rectangle as the window system keeps it: right and bottom are exclusive.
struct TNumRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  bool operator==(const TNumRect&) const = default;
};
struct TNumPoint {
  int x = 0, y = 0;
  bool operator==(const TNumPoint&) const = default;
};

struct TNumEditLayout {
  TNumRect leftMark;   // GetLeftMarkRect
  TNumRect value;      // GetValueRect: the area reserved for the widest number
  TNumRect valueText;  // GetValueTextRect: the formatted number, flush right in the value area
  TNumRect rightMark;  // GetRightMarkRect
  TNumRect fill;       // the part painted in the highlight (or field) colour
  TNumPoint caret;     // GetCaretPoint
  std::string number;  // the formatted number without marks
  bool drawMarks = false;  // marks are drawn only next to a non-empty number
};

// The layout for a client area of clientWidth x clientHeight and a font fontHeight pixels high;
// every width comes from the model's text measure.
TNumEditLayout LayoutNumEdit(const TNumTextModel& m, int clientWidth, int clientHeight,
                             int fontHeight);

// Client height the automatic height gives (only meaningful while AutoSize is on).
int NumEditAutoHeight(const TNumTextModel& m, int fontHeight);
// Client width the automatic width gives at design time.
int NumEditAutoWidth(const TNumTextModel& m);

// Colours of the number and its marks.
struct TNumEditColors {
  TColor background;
  TColor text;
};
constexpr TColor clHighlight = static_cast<TColor>(0xFF00000D);
constexpr TColor clHighlightText = static_cast<TColor>(0xFF00000E);
TNumEditColors NumEditColors(const TNumTextModel& m, bool enabled, TColor color, TColor fontColor);

}  // namespace sm
