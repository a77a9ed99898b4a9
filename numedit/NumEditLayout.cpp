#include "numedit/NumEditLayout.h"

namespace sm {

TNumEditLayout LayoutNumEdit(const TNumTextModel& m, int clientWidth, int clientHeight,
                             int fontHeight) {
  const bool showMarks = !m.Text().empty() || m.IntegerFixed() || m.DecimalFixed();
  const int M = m.MaxTextWidth();
  const int L = showMarks ? m.StrWidth(m.LeftMark()) : 0;
  const int R = showMarks ? m.StrWidth(m.RightMark()) : 0;
  const int T = M + L + R;
  const int H = fontHeight;
  const int CW = clientWidth, CH = clientHeight;

  int x0 = 0;
  int rightMarkLeft = 0;
  switch (m.Alignment()) {
    case taLeftJustify:
      x0 = m.LeftMargin();
      rightMarkLeft = x0 + L + M;
      break;
    case taRightJustify:
      x0 = CW - m.RightMargin() - R - 1 - M - L;
      rightMarkLeft = x0 + L + M;
      break;
    case taCenter: {
      const int centre = (CW - m.LeftMargin() - m.RightMargin()) / 2 + m.LeftMargin();
      x0 = centre - T / 2;
      rightMarkLeft = centre + T / 2 - R;
      break;
    }
  }
  int y = 0;
  switch (m.VertAlignment()) {
    case taTopJustify: y = m.TopMargin(); break;
    case taBottomJustify: y = CH - H - m.BottomMargin(); break;
    case taVCenter: y = (CH - H - m.TopMargin() - m.BottomMargin()) / 2 + m.TopMargin(); break;
  }

  TNumEditLayout out;
  out.leftMark = {x0, y, x0 + L, y + H};
  out.value = {x0 + L, y, x0 + L + M, y + H};
  out.rightMark = {rightMarkLeft, y, rightMarkLeft + R, y + H};
  out.number = m.CreateDrawString2(m.Text());
  const int W = m.StrWidth(out.number);
  out.valueText = {out.value.right - W, y, out.value.right, y + H};
  out.caret = {out.valueText.left + m.CalcStringWidth2() - 1, y};
  out.fill = out.valueText;
  if (!m.LeftMark().empty()) out.fill.left = out.leftMark.left;
  if (!m.RightMark().empty()) out.fill.right = out.rightMark.right;
  out.drawMarks = !out.number.empty();
  return out;
}

int NumEditAutoHeight(const TNumTextModel& m, int fontHeight) {
  return fontHeight + m.TopMargin() + m.BottomMargin();
}

int NumEditAutoWidth(const TNumTextModel& m) {
  return m.StrWidth(m.MaxTextStr2()) + m.StrWidth(m.LeftMark()) + m.StrWidth(m.RightMark()) +
         m.LeftMargin() + m.RightMargin() + 2;
}

TNumEditColors NumEditColors(const TNumTextModel& m, bool enabled, TColor color, TColor fontColor) {
  if (!enabled) return {color, m.DisabledColor()};
  if (m.HasSelection()) return {clHighlight, clHighlightText};
  return {color, fontColor};
}

}  // namespace sm
