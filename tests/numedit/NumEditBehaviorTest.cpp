// The numeric field's layout (rectangles, caret, colours, automatic size) and its input
// behaviour (keys, characters, mouse, focus, clipboard, popup menu) on top of the text model.
// Widths come from a fixed measure of 7 pixels a byte, so StrWidth of n bytes is 7n + 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numedit/NumEditKeys.h"
#include "numedit/NumEditLayout.h"

namespace sm {
namespace {

constexpr const char* kEn = "円";  // two bytes: 15 pixels

void FixedMeasure(TNumTextModel& m) {
  m.TextMeasure = [](const std::string& t) { return 7 * static_cast<int>(t.size()); };
}

// ---------------------------------------------------------------------------------------------
// Layout: a 117 x 20 client area, a 12-pixel font, margins of 2.

struct LayoutCase {
  const char* name;
  TAlignment align;
  TVertAlignment vert;
  std::string text, leftMark, rightMark;
  bool integerFixed, decimalFixed, comma;
  int integerLength, decimalLength;
  // expected
  int leftL, leftR, valueL, valueR, textL, textR, rightL, rightR, caretX, y;
  bool drawMarks;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, PlacesMarksNumberAndCaret) {
  const LayoutCase& c = GetParam();
  TNumTextModel m;
  FixedMeasure(m);
  m.SetIntegerLength(c.integerLength);
  m.SetDecimalLength(c.decimalLength);
  m.SetComma(c.comma);
  m.SetIntegerFixed(c.integerFixed);
  m.SetDecimalFixed(c.decimalFixed);
  m.SetLeftMark(c.leftMark);
  m.SetRightMark(c.rightMark);
  m.SetAlignment(c.align);
  m.SetVertAlignment(c.vert);
  m.SetText(c.text);

  const TNumEditLayout l = LayoutNumEdit(m, 117, 20, 12);
  EXPECT_EQ(l.leftMark, (TNumRect{c.leftL, c.y, c.leftR, c.y + 12}));
  EXPECT_EQ(l.value, (TNumRect{c.valueL, c.y, c.valueR, c.y + 12}));
  EXPECT_EQ(l.valueText, (TNumRect{c.textL, c.y, c.textR, c.y + 12}));
  EXPECT_EQ(l.rightMark, (TNumRect{c.rightL, c.y, c.rightR, c.y + 12}));
  EXPECT_EQ(l.caret, (TNumPoint{c.caretX, c.y}));
  EXPECT_EQ(l.drawMarks, c.drawMarks);
  // Only the number and its marks are highlighted.
  EXPECT_EQ(l.fill.left, c.leftMark.empty() ? c.textL : c.leftL);
  EXPECT_EQ(l.fill.right, c.rightMark.empty() ? c.textR : c.rightR);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, LayoutTest,
    ::testing::Values(
        // "1,234": 36 pixels flush right, ending one pixel inside the right margin.
        LayoutCase{"RightPlain", taRightJustify, taVCenter, "1234", "", "", false, false, true, 9, 3,
                   78, 78, 78, 114, 78, 114, 114, 114, 113, 4, true},
        // The number ends where the right mark starts; the mark ends one pixel inside the margin.
        LayoutCase{"RightMark2", taRightJustify, taTopJustify, "12", "", kEn, false, false, true, 9,
                   3, 84, 84, 84, 99, 84, 99, 99, 114, 98, 2, true},
        // One more digit: the number grows to the left, its right edge stays.
        LayoutCase{"RightMark3", taRightJustify, taBottomJustify, "123", "", kEn, false, false,
                   true, 9, 3, 77, 77, 77, 99, 77, 99, 99, 114, 98, 6, true},
        LayoutCase{"LeftWithLeftMark", taLeftJustify, taVCenter, "5", kEn, "", false, false, true,
                   9, 3, 2, 17, 17, 25, 17, 25, 25, 25, 24, 4, true},
        // Group of 15 + 15 + 8 = 38 pixels around the centre 58.
        LayoutCase{"Centre", taCenter, taVCenter, "12", kEn, ">", false, false, true, 9, 3, 39, 54,
                   54, 69, 54, 69, 69, 77, 68, 4, true},
        // IntegerFixed: the area is "-0000" wide whatever the number; "7" sits flush right.
        LayoutCase{"IntegerFixed", taRightJustify, taVCenter, "7", "", "", true, false, false, 4, 0,
                   78, 78, 78, 114, 106, 114, 114, 114, 113, 4, true},
        LayoutCase{"IntegerFixedEmpty", taLeftJustify, taVCenter, "", "", "", true, false, false, 4,
                   0, 2, 2, 2, 38, 30, 38, 38, 38, 37, 4, true},
        // DecimalFixed: "1.200" is drawn, the caret stands after "1.2".
        LayoutCase{"DecimalFixed", taRightJustify, taVCenter, "1.2", "", "", false, true, true, 9, 3,
                   78, 78, 78, 114, 78, 114, 114, 114, 99, 4, true},
        // An empty fixed field still shows "0.000" and its marks.
        LayoutCase{"DecimalFixedEmpty", taRightJustify, taVCenter, "", "", kEn, false, true, true,
                   9, 3, 63, 63, 63, 99, 63, 99, 99, 114, 70, 4, true},
        // Empty without fixed options: nothing drawn, caret one pixel left of the area's end.
        LayoutCase{"EmptyPlain", taRightJustify, taVCenter, "", kEn, kEn, false, false, true, 9, 3,
                   114, 114, 114, 114, 114, 114, 114, 114, 113, 4, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumEditLayout, AutomaticSize) {
  TNumTextModel m;
  FixedMeasure(m);
  m.SetIntegerLength(4);
  m.SetDecimalLength(2);
  m.SetRightMark(kEn);
  EXPECT_EQ(NumEditAutoHeight(m, 12), 16);
  // "-0,000.00" 9 bytes = 64, the mark 15, margins 4, plus 2.
  EXPECT_EQ(NumEditAutoWidth(m), 64 + 15 + 4 + 2);
}

TEST(NumEditLayout, Colours) {
  TNumTextModel m;
  m.SetText("12");
  const TColor color = 0x00FFFFFF, font = 0x00000000;
  EXPECT_EQ(NumEditColors(m, true, color, font).background, color);
  EXPECT_EQ(NumEditColors(m, true, color, font).text, font);
  m.SelectAll();
  EXPECT_EQ(NumEditColors(m, true, color, font).background, clHighlight);
  EXPECT_EQ(NumEditColors(m, true, color, font).text, clHighlightText);
  // Disabled: the field colour and DisabledColor, selection or not.
  EXPECT_EQ(NumEditColors(m, false, color, font).background, color);
  EXPECT_EQ(NumEditColors(m, false, color, font).text, m.DisabledColor());
}

// ---------------------------------------------------------------------------------------------
// Behaviour

class MemoryClipboard : public TNumClipboard {
 public:
  bool hasText = false;
  std::string text;
  bool HasText() const override { return hasText; }
  std::string GetText() const override { return text; }
  void SetText(const std::string& t) override {
    text = t;
    hasText = true;
  }
};

struct Field {
  TNumTextModel m;
  MemoryClipboard clip;
  TNumEditBehavior b{m, clip};
  int beeps = 0, changes = 0, focusTaken = 0;
  bool focused = false;
  bool hasParent = true;
  std::vector<bool> moves;  // true: next control

  explicit Field(const std::string& text = {}) {
    FixedMeasure(m);
    m.OnErrorBeep = [this] { ++beeps; };
    m.OnChange = [this] { ++changes; };
    b.HasFocus = [this] { return focused; };
    b.OnTakeFocus = [this] { ++focusTaken; focused = true; };
    b.OnMoveFocus = [this](bool next) {
      if (!hasParent) return false;
      moves.push_back(next);
      return true;
    };
    m.SetText(text);
  }
  bool Down(uint16_t key, TNumShift shift = 0) { return b.KeyDown(key, shift); }
  char Press(char key) {
    b.KeyPress(key);
    return key;
  }
  void Type(const std::string& keys) {
    for (char k : keys) Press(k);
  }
};

TEST(NumEditKeys, ShiftArrowSelectsAllPlainArrowClears) {
  Field f("12");
  EXPECT_TRUE(f.Down(nkLeft, nsShift));
  EXPECT_TRUE(f.m.HasSelection());
  EXPECT_TRUE(f.Down(nkLeft));
  EXPECT_FALSE(f.m.HasSelection());
  f.Type("3");
  EXPECT_EQ(f.m.Text(), "123");  // appended, not replaced

  EXPECT_TRUE(f.Down(nkRight, nsShift));
  EXPECT_TRUE(f.m.HasSelection());
  for (uint16_t k : {nkPrior, nkNext, nkEnd, nkHome, nkRight}) {
    f.m.SelectAll();
    EXPECT_TRUE(f.Down(k)) << k;
    EXPECT_FALSE(f.m.HasSelection()) << k;
  }
  // The modifier tests are exact.
  f.m.ClearSelect();
  EXPECT_FALSE(f.Down(nkLeft, nsShift | nsCtrl));
  EXPECT_FALSE(f.m.HasSelection());
  EXPECT_TRUE(f.Down(nkA, nsCtrl));
  EXPECT_TRUE(f.m.HasSelection());
}

TEST(NumEditKeys, ArrowsMoveFocusOnlyWhenAllowed) {
  Field f("1");
  f.Down(nkUp);
  f.Down(nkDown);
  EXPECT_TRUE(f.moves.empty());  // ArrowFocusMove off
  f.m.SetArrowFocusMove(true);
  f.Down(nkUp);
  f.Down(nkDown);
  EXPECT_EQ(f.moves, (std::vector<bool>{false, true}));
  f.m.SetOptions(OptionBit(eoArrowDown));
  f.moves.clear();
  EXPECT_TRUE(f.Down(nkUp));  // still consumed
  f.Down(nkDown);
  EXPECT_EQ(f.moves, (std::vector<bool>{true}));
}

TEST(NumEditKeys, EditingKeysAndCharacters) {
  Field f;
  f.Type("12a");
  EXPECT_EQ(f.m.Text(), "12");
  EXPECT_EQ(f.beeps, 1);
  // Control characters handled as keys are swallowed silently.
  for (char c : {'\x01', '\x03', '\x08', '\x16', '\x18'}) EXPECT_EQ(f.Press(c), 0);
  EXPECT_EQ(f.beeps, 1);
  EXPECT_TRUE(f.Down(nkBack));
  EXPECT_EQ(f.m.Text(), "1");
  f.Type("-.5");
  EXPECT_EQ(f.m.Text(), "-1.5");
  // Enter without EnterFocusMove is refused like any other character.
  EXPECT_EQ(f.Press('\r'), 0);
  EXPECT_EQ(f.beeps, 2);
  f.m.SetErrorBeep(false);
  EXPECT_EQ(f.Press('x'), 0);
  EXPECT_EQ(f.beeps, 2);
}

TEST(NumEditKeys, EnterMovesFocusWithAParentForm) {
  Field f;
  f.m.SetEnterFocusMove(true);
  EXPECT_EQ(f.Press('\r'), 0);
  EXPECT_EQ(f.moves, (std::vector<bool>{true}));
  f.hasParent = false;
  EXPECT_EQ(f.Press('\r'), '\r');  // left alone
  EXPECT_EQ(f.beeps, 0);
  EXPECT_EQ(f.b.DialogCode(), 133);
  f.m.SetEnterFocusMove(false);
  EXPECT_EQ(f.b.DialogCode(), 129);
}

TEST(NumEditKeys, ReadOnlySwallowsInputAndStillCopies) {
  Field f("12");
  f.m.SetReadOnly(true);
  f.Type("34x");
  EXPECT_EQ(f.m.Text(), "12");
  EXPECT_EQ(f.beeps, 0);
  f.m.SelectAll();
  EXPECT_TRUE(f.Down(nkC, nsCtrl));
  EXPECT_EQ(f.clip.text, "12");
  f.clip.SetText("99");
  EXPECT_FALSE(f.Down(nkV, nsCtrl));
  EXPECT_FALSE(f.Down(nkX, nsCtrl));
  EXPECT_FALSE(f.Down(nkBack));
  EXPECT_FALSE(f.Down(nkDelete));
  EXPECT_EQ(f.m.Text(), "12");
  EXPECT_EQ(f.clip.text, "99");
}

TEST(NumEditClipboard, CopyCutPaste) {
  Field f("1234");
  f.m.SetRightMark(kEn);
  EXPECT_TRUE(f.Down(nkC, nsCtrl));
  EXPECT_FALSE(f.clip.hasText);  // nothing selected
  f.m.SelectAll();
  f.Down(nkC, nsCtrl);
  EXPECT_EQ(f.clip.text, "1234");
  f.m.SetImageCopy(true);
  f.Down(nkC, nsCtrl);
  EXPECT_EQ(f.clip.text, std::string("1,234") + kEn);

  f.m.SetImageCopy(false);
  f.Down(nkX, nsCtrl);
  EXPECT_EQ(f.clip.text, "1234");
  EXPECT_EQ(f.m.Text(), "");
  EXPECT_EQ(f.changes, 1);
}

struct PasteCase {
  std::string before;
  bool selected, comma;
  std::string clip, after;
};

TEST(NumEditClipboard, PasteFiltersTheResult) {
  const PasteCase cases[] = {
      {"", false, false, "1,234", "1234"},
      {"", false, true, "1,234", "1234"},
      {"5", true, true, "a12", ""},      // replaces the selection; cut at the letter
      {"5", false, true, "6", "56"},     // appended without a selection
      {"0", false, true, "7", "7"},      // leading zero treated
  };
  for (const PasteCase& c : cases) {
    Field f(c.before);
    f.m.SetComma(c.comma);
    if (c.selected) f.m.SelectAll();
    f.clip.SetText(c.clip);
    EXPECT_TRUE(f.Down(nkV, nsCtrl));
    EXPECT_EQ(f.m.Text(), c.after) << c.before << " + " << c.clip;
    EXPECT_FALSE(f.m.HasSelection());
    EXPECT_EQ(f.changes, 1);
    EXPECT_TRUE(f.m.CanUndo());
  }
  Field empty("5");
  empty.Down(nkV, nsCtrl);  // no text on the clipboard
  EXPECT_EQ(empty.m.Text(), "5");
  EXPECT_EQ(empty.changes, 0);
}

TEST(NumEditMouse, DoubleClickSelectionSurvivesItsButtonDown) {
  Field f("12");
  f.b.MouseDown(TNumMouseButton::Left, true);
  EXPECT_EQ(f.focusTaken, 1);
  f.b.DblClick();
  EXPECT_TRUE(f.m.HasSelection());
  f.b.MouseDown(TNumMouseButton::Left, true);  // the button-down of the double click
  EXPECT_TRUE(f.m.HasSelection());
  EXPECT_FALSE(f.b.DblClickFlag());
  f.b.MouseDown(TNumMouseButton::Left, true);  // a later click clears
  EXPECT_FALSE(f.m.HasSelection());
  // A right click keeps the selection; a press while another thread owns the foreground does
  // not take the focus.
  f.m.SelectAll();
  f.b.MouseDown(TNumMouseButton::Right, true);
  EXPECT_TRUE(f.m.HasSelection());
  f.focused = false;
  f.b.MouseDown(TNumMouseButton::Left, false);
  EXPECT_EQ(f.focusTaken, 1);
}

TEST(NumEditMouse, DragOverTheNumberSelectsAll) {
  Field f("12");
  f.b.MouseMove(false, 50, 40, 60);
  EXPECT_FALSE(f.m.HasSelection());
  f.b.MouseMove(true, 39, 40, 60);
  EXPECT_FALSE(f.m.HasSelection());
  f.b.MouseMove(true, 60, 40, 60);  // edges included
  EXPECT_TRUE(f.m.HasSelection());
}

TEST(NumEditFocus, ExitEmptiesALoneMinus) {
  Field f;
  f.Type("-");
  EXPECT_EQ(f.m.Text(), "-");
  const int changes = f.changes;
  const std::string undo = f.m.UndoBuffer();
  f.b.DoExit();
  EXPECT_EQ(f.m.Text(), "");
  EXPECT_EQ(f.changes, changes);  // no notification
  EXPECT_EQ(f.m.UndoBuffer(), undo);  // no undo record

  Field keep;
  keep.m.SetOptions(OptionBit(eoMinusOnly));
  keep.Type("-");
  keep.b.DoExit();
  EXPECT_EQ(keep.m.Text(), "-");
}

TEST(NumEditFocus, EnterSelectsAndExitHides) {
  Field f("12");
  f.b.DoEnter();
  EXPECT_TRUE(f.m.HasSelection());
  f.b.DoExit();
  EXPECT_FALSE(f.m.HasSelection());
  f.m.SetHideSelection(false);
  f.m.SetAutoSelect(false);
  f.b.DoEnter();
  EXPECT_FALSE(f.m.HasSelection());
  f.m.SelectAll();
  f.b.DoExit();
  EXPECT_TRUE(f.m.HasSelection());
}

// ---------------------------------------------------------------------------------------------
// Popup menu

std::string Enabled(const std::array<TNumPopupItem, kNumPopupItems>& items) {
  std::string s;
  for (const TNumPopupItem& i : items) s += i.enabled ? '1' : '0';
  return s;
}

TEST(NumEditPopup, CaptionsAndEnabledStates) {
  Field f;
  auto items = f.b.EditPopupOnPopup();
  EXPECT_EQ(f.focusTaken, 1);  // the menu first takes the focus
  EXPECT_STREQ(items[0].caption, "元に戻す(&U)");
  EXPECT_STREQ(items[1].caption, "-");
  EXPECT_STREQ(items[7].caption, "すべて選択(&A)");
  //                           U-TCPD-A
  EXPECT_EQ(Enabled(items), "01000010");
  f.Type("12");
  EXPECT_EQ(Enabled(f.b.EditPopupOnPopup()), "11000011");
  f.m.SelectAll();
  f.clip.SetText("3");
  EXPECT_EQ(Enabled(f.b.EditPopupOnPopup()), "11111110");
  f.m.SetReadOnly(true);
  EXPECT_EQ(Enabled(f.b.EditPopupOnPopup()), "01010010");  // only Copy and separators
  f.m.ClearSelect();
  EXPECT_EQ(Enabled(f.b.EditPopupOnPopup()), "01000011");  // Select all
}

TEST(NumEditPopup, ItemsRunTheirActions) {
  Field f("12");
  f.b.EditPopupHandler(7);
  EXPECT_TRUE(f.m.HasSelection());
  f.b.EditPopupHandler(3);
  EXPECT_EQ(f.clip.text, "12");
  f.b.EditPopupHandler(5);
  EXPECT_EQ(f.m.Text(), "");
  f.b.EditPopupHandler(0);
  EXPECT_EQ(f.m.Text(), "12");
  f.m.SelectAll();
  f.b.EditPopupHandler(2);
  EXPECT_EQ(f.m.Text(), "");
  f.clip.SetText("45");
  f.b.EditPopupHandler(4);
  EXPECT_EQ(f.m.Text(), "45");
  // A click that reaches a read-only field does not edit it.
  f.m.SetReadOnly(true);
  f.m.SelectAll();
  for (int tag : {0, 2, 4, 5}) f.b.EditPopupHandler(tag);
  EXPECT_EQ(f.m.Text(), "45");
}

TEST(NumEditIme, FullWidthCharactersBecomeAscii) {
  const std::pair<uint16_t, uint16_t> cases[] = {
      {0x824F, '0'}, {0x8258, '9'}, {0x8253, '4'}, {0x817C, '-'}, {0x8144, '.'},
      {0x824E, 0x824E}, {0x8259, 0x8259}, {'5', '5'}, {0x8145, 0x8145},
  };
  for (auto [in, out] : cases) EXPECT_EQ(TNumEditBehavior::MapImeChar(in), out) << std::hex << in;
}

}  // namespace
}  // namespace sm
