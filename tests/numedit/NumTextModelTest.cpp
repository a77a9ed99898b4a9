// The numeric field's text model: the input filter, the formatting, the editing keys with undo
// and selection, the property setters, the widths and the fit test. Widths come from a fixed
// measure of 7 pixels a byte, so StrWidth of n bytes is 7n + 1.
#include <gtest/gtest.h>

#include <string>

#include "numedit/NumTextModel.h"

namespace sm {
namespace {

constexpr const char* kYen = "\x81\x8F";  // full-width yen sign
constexpr const char* kEn = "円";

struct Settings {
  int integerLength = 9;
  int decimalLength = 3;
  bool minus = true;
  bool comma = true;
  bool decimalFixed = false;
  bool integerFixed = false;
  bool readOnly = false;
  bool errorBeep = true;
  bool inputStop = false;  // eoORInputStop
  int clientWidth = 117;
  std::string leftMark = {}, rightMark = {};
};

// A model with counters on its hooks.
struct Field {
  TNumTextModel m;
  int changes = 0, beeps = 0, refreshes = 0, invalidates = 0, autoWidths = 0, autoHeights = 0,
      recreates = 0;

  explicit Field(const Settings& s = {}) {
    m.TextMeasure = [](const std::string& t) { return 7 * static_cast<int>(t.size()); };
    m.SetIntegerLength(s.integerLength);
    m.SetDecimalLength(s.decimalLength);
    m.SetMinus(s.minus);
    m.SetComma(s.comma);
    m.SetDecimalFixed(s.decimalFixed);
    m.SetIntegerFixed(s.integerFixed);
    m.SetReadOnly(s.readOnly);
    m.SetErrorBeep(s.errorBeep);
    if (s.inputStop) m.SetOptions(m.Options() | OptionBit(eoORInputStop));
    m.ClientWidth = s.clientWidth;
    m.SetLeftMark(s.leftMark);
    m.SetRightMark(s.rightMark);
    m.OnChange = [this] { ++changes; };
    m.OnErrorBeep = [this] { ++beeps; };
    m.OnRefresh = [this] { ++refreshes; };
    m.OnInvalidate = [this] { ++invalidates; };
    m.OnAutoWidth = [this] { ++autoWidths; };
    m.OnAutoHeight = [this] { ++autoHeights; };
    m.OnRecreateWnd = [this] { ++recreates; };
  }

  // Keys: digits, ".", "-" as typed; '\b' Backspace; 'A' select all; 'U' undo; 'C' clear.
  void Type(const std::string& keys) {
    for (char k : keys) {
      char key = k;
      uint16_t vk = 8;
      switch (k) {
        case '.': m.AddDot(key); break;
        case '-': m.AddMinus(key); break;
        case '\b': m.OneCharDelete(vk); break;
        case 'A': m.SelectAll(); break;
        case 'U': m.Undo(); break;
        case 'C': m.Clear(); break;
        default: m.AddChar(key); break;
      }
    }
  }
};

TEST(NumFilter, StoredTextOfSetText) {
  struct Row { Settings s; const char* input; const char* stored; } rows[] = {
      {{}, "\x82\x50\x82\x51\x82\x52", "123"},  // full-width 1 2 3
      {{}, "1,234", "1234"},
      {{}, "12a34", "12"},
      {{.integerLength = 4}, "12345", ""},  // too many integer digits empty the value
      {{.integerLength = 4}, "-1234", "-1234"},
      {{.integerLength = 4}, "1234.5", "1234.5"},
      {{.integerLength = 4}, "12345.5", ""},
      {{.integerLength = 4}, "-12345", ""},
      {{.decimalLength = 2}, "1.2345", "1.23"},  // excess decimals are cut, not rounded
      {{.decimalLength = 2}, "1.239", "1.23"},
      {{.decimalLength = 0}, "1.5", "1"},
      {{.minus = false}, "-5", ""},
      {{}, "5-", "5"},
      {{}, ",-5", ""},  // the minus sign is not the first character
      {{}, "1.2.3", "1.2"},
      {{}, "\x81\x7C" "12", "-12"},       // full-width minus
      {{}, "1\x81\x44" "5", "1.5"},       // full-width full stop
      {{}, "1\x81\x43" "234", "1234"},    // full-width comma
      {{}, "\x82\x4F\x82\x58", "9"},      // full-width 0 and 9, leading zero removed
      {{}, "1\x82\x4E" "2", "1"},         // the code just below full-width 0
      {{}, "1\x82\x59" "2", "1"},         // the code just above full-width 9
      {{}, "1\x82\x60" "2", "1"},         // full-width A ends the walk
      {{}, "1\xB1" "2", "1"},             // a single-byte katakana is not a digit
      {{}, "12\x82", "12"},               // a lead byte at the end
      {{}, "1\x82" "5", "1"},             // a lead byte without its trail byte
      {{}, "12\x80" "3", "12"},           // a trail byte on its own
      {{}, "12\xA0" "3", "12"},
      {{}, "-", "-"},
      {{}, ".", "0."},
      {{}, "-.", "-0."},
      {{}, ".5", "0.5"},
      {{}, "007", "7"},
      {{}, "-0012", "-12"},
  };
  for (const Row& r : rows) {
    Field f(r.s);
    f.m.SetText(r.input);
    EXPECT_EQ(f.m.Text(), r.stored) << r.input;
    EXPECT_EQ(f.changes, 0);
  }
}

TEST(NumFilter, EmbeddedZeroByteEndsTheWalk) {
  Field f;
  f.m.SetText(std::string("12\0" "34", 5));
  EXPECT_EQ(f.m.Text(), "12");
}

TEST(MaeZeroSyori, LeadingZeros) {
  struct Row { const char* in; const char* out; } rows[] = {
      {"007", "7"}, {"000", "0"}, {"00.5", "0.5"}, {".", "0."}, {"-0012", "-12"}, {"-", "-"},
      {"-0", "-0"}, {"", ""}, {"0", "0"}, {"10", "10"}, {"0.05", "0.05"}, {"-.", "-0."},
  };
  for (const Row& r : rows) EXPECT_EQ(TNumTextModel::MaeZeroSyori(r.in), r.out) << r.in;
}

TEST(TextParts, EncodeDecodeAndComma) {
  struct Row { const char* text; TNumParts parts; } rows[] = {
      {"-12.5", {"-", "12", ".", "5"}}, {"12", {"", "12", "", ""}}, {"-", {"-", "", "", ""}},
      {"0.", {"", "0", ".", ""}},       {"", {"", "", "", ""}},
  };
  for (const Row& r : rows) {
    const TNumParts p = TNumTextModel::TextEncode(r.text);
    EXPECT_EQ(p.sign, r.parts.sign) << r.text;
    EXPECT_EQ(p.integer, r.parts.integer) << r.text;
    EXPECT_EQ(p.point, r.parts.point) << r.text;
    EXPECT_EQ(p.decimals, r.parts.decimals) << r.text;
    EXPECT_EQ(TNumTextModel::TextDecode(p), r.text);
  }
  struct Group { const char* in; const char* out; } groups[] = {
      {"", ""}, {"1", "1"}, {"123", "123"}, {"1234", "1,234"}, {"123456", "123,456"},
      {"1234567", "1,234,567"}, {"123456789", "123,456,789"},
  };
  for (const Group& g : groups) EXPECT_EQ(TNumTextModel::InsertComma(g.in), g.out);
}

TEST(Formatting, DisplayNumberAndWidestText) {
  struct Row {
    Settings s;
    const char* text;
    const char* display;  // CreateDrawString
    const char* number;   // CreateDrawString2
    const char* widest;   // MaxTextStr
  } rows[] = {
      {{.decimalLength = 2, .decimalFixed = true}, "12.5", "12.50", "12.50", "12.00"},
      {{.decimalLength = 2, .decimalFixed = true}, "", "0.00", "0.00", "0.00"},
      {{.decimalLength = 2, .decimalFixed = true}, "-", "-0.00", "-0.00", "-0.00"},
      {{.decimalLength = 2, .decimalFixed = true}, "-12", "-12.00", "-12.00", "-12.00"},
      {{.decimalLength = 0, .decimalFixed = true}, "12", "12", "12", "12."},
      {{}, "1234567", "1,234,567", "1,234,567", "1,234,567"},
      {{}, "123456789", "123,456,789", "123,456,789", "123,456,789"},
      {{}, "1234.567", "1,234.567", "1,234.567", "1,234.567"},
      {{.comma = false}, "1234567", "1234567", "1234567", "1234567"},
      {{}, "", "", "", ""},
      {{}, "12.", "12.", "12.", "12."},
      {{.integerFixed = true}, "", "0", "0", "-000,000,000"},
      {{.integerLength = 4, .minus = false, .integerFixed = true}, "5", "5", "5", "0,000"},
      {{.integerFixed = true}, "-", "-0", "-0", "-000,000,000"},
      {{.decimalFixed = true, .leftMark = kYen, .rightMark = kEn}, "",
       "\x81\x8F" "0.000" "円", "0.000", "0.000"},
      {{.leftMark = kYen, .rightMark = kEn}, "", "", "", ""},  // no marks for an empty field
      {{.leftMark = kYen, .rightMark = kEn}, "1234", "\x81\x8F" "1,234" "円", "1,234", "1,234"},
  };
  for (const Row& r : rows) {
    Field f(r.s);
    f.m.SetText(r.text);
    EXPECT_EQ(f.m.CreateDrawString(r.text), r.display) << r.text;
    EXPECT_EQ(f.m.ValText(), r.display) << r.text;
    EXPECT_EQ(f.m.CreateDrawString2(r.text), r.number) << r.text;
    EXPECT_EQ(f.m.MaxTextStr(), r.widest) << r.text;
  }
}

TEST(Formatting, WidestTextTheLengthsAllow) {
  EXPECT_EQ(Field().m.MaxTextStr2(), "-000,000,000.000");
  EXPECT_EQ(Field({.integerLength = 4, .decimalLength = 0, .minus = false, .comma = false}).m.MaxTextStr2(),
            "0000.");
}

TEST(Editing, KeysTyped) {
  struct Row {
    Settings s;
    const char* start;
    const char* keys;
    const char* text;
    const char* display;
    int beeps;
    int changes;
    bool selected = false;
  } rows[] = {
      {{}, "", "0", "0", "0", 0, 1},
      {{}, "", "00", "0", "0", 0, 2},
      {{}, "", "007", "7", "7", 0, 3},
      {{}, "", ".", "0.", "0.", 0, 1},
      {{}, "", "-.", "-0.", "-0.", 0, 2},
      {{}, "", "-05", "-5", "-5", 0, 3},
      {{}, "", "-0", "-0", "-0", 0, 2},
      {{}, "12.5", "\b", "12", "12", 0, 1},
      {{}, "0.5", "\b", "0", "0", 0, 1},
      {{}, "-", "\b", "", "", 0, 1},
      {{}, "", "\b", "", "", 0, 0},
      {{}, "5", "--", "5", "5", 0, 2},
      {{}, "5", "--U", "-5", "-5", 0, 3, true},
      {{}, "12", "UU", "12", "12", 0, 0},  // nothing recorded yet: nothing to undo
      {{}, "", "12UU", "12", "12", 0, 4, true},
      {{}, "", "12U", "1", "1", 0, 3, true},
      {{}, "1.5", ".", "1.5", "1.5", 1, 0},
      {{.integerLength = 4}, "1234", "5", "1234", "1,234", 1, 0},
      {{.integerLength = 4}, "-1234", "5", "-1234", "-1,234", 1, 0},
      {{.integerLength = 4}, "1234", ".5", "1234.5", "1,234.5", 0, 2},
      {{.decimalLength = 2}, "1.23", "4", "1.23", "1.23", 1, 0},
      {{.decimalLength = 0}, "12", ".", "12", "12", 1, 0},
      {{.minus = false}, "5", "-", "5", "5", 1, 0},
      {{.integerLength = 1, .errorBeep = false}, "1", "2", "1", "1", 0, 0},
      {{.readOnly = true}, "12", "3.-\bU", "12", "12", 0, 0},
      // A refused key records nothing: undo goes back past it to the last accepted key.
      {{.integerLength = 2}, "", "123U", "1", "1", 1, 3, true},
      // Typing into a selection replaces the value; undo brings the replaced value back.
      {{}, "123", "A5", "5", "5", 0, 1},
      {{}, "123", "A5U", "123", "123", 0, 2, true},
      {{}, "123", "A-", "-", "-", 0, 1},
      {{}, "123", "A.", "0.", "0.", 0, 1},
      {{}, "123", "A\b", "", "", 0, 0},  // the selection is cleared without a notification
      {{}, "123", "A\bU", "123", "123", 0, 1, true},
      {{}, "123", "C", "", "", 0, 0},
      {{.minus = false}, "123", "A-", "123", "123", 1, 0, true},
      {{.decimalLength = 0}, "123", "A.", "123", "123", 1, 0, true},
      // A refused key leaves a selected value as it was.
      {{.inputStop = true, .clientWidth = 15}, "1234", "A5", "1234", "1,234", 1, 0, true},
      // The decimal digits of a fixed-decimal field with a sign.
      {{.decimalLength = 2, .decimalFixed = true}, "", "-", "-", "-0.00", 0, 1},
      {{.decimalLength = 2, .decimalFixed = true}, "", "-5.2", "-5.2", "-5.20", 0, 4},
      {{.decimalLength = 2, .decimalFixed = true}, "", "-5.257", "-5.25", "-5.25", 1, 5},
      {{.decimalLength = 2, .decimalFixed = true}, "-5.25", "\b\b", "-5", "-5.00", 0, 2},
      {{.decimalLength = 2, .decimalFixed = true}, "-5", "-", "5", "5.00", 0, 1},
      // Nine grouped integer digits, and the tenth refused.
      {{}, "", "1234567890", "123456789", "123,456,789", 1, 9},
      // The fit test: a draw width of 36 pixels holds five bytes.
      {{.inputStop = true, .clientWidth = 44}, "", "12345", "1234", "1,234", 1, 4},
      {{.clientWidth = 44}, "", "12345", "12345", "12,345", 0, 5},
      {{.inputStop = true, .clientWidth = 44, .leftMark = kYen}, "", "12345", "123", "\x81\x8F" "123", 2, 3},
      {{.inputStop = true, .clientWidth = 44}, "1234", "-", "1234", "1,234", 1, 0},
      {{.inputStop = true, .clientWidth = 44}, "123", ".", "123.", "123.", 0, 1},
      // Removing the sign is never refused.
      {{.inputStop = true, .clientWidth = 15}, "-5", "-", "5", "5", 0, 1},
      // The point is tested as it will be stored: 0. does not fit where . alone would.
      {{.inputStop = true, .clientWidth = 22}, "", ".", "", "", 1, 0},
  };
  for (const Row& r : rows) {
    Field f(r.s);
    f.m.SetText(r.start);
    f.Type(r.keys);
    const std::string where = std::string(r.start) + " + " + r.keys;
    EXPECT_EQ(f.m.Text(), r.text) << where;
    EXPECT_EQ(f.m.ValText(), r.display) << where;
    EXPECT_EQ(f.beeps, r.beeps) << where;
    EXPECT_EQ(f.changes, r.changes) << where;
    EXPECT_EQ(f.m.HasSelection(), r.selected) << where;
  }
}

TEST(Editing, EveryKeyIsConsumed) {
  Field f({.integerLength = 1, .readOnly = false});
  f.m.SetText("5");
  char digit = '6', dot = '.', minus = '-';
  uint16_t back = 8;
  f.m.AddChar(digit);  // refused
  f.m.AddDot(dot);
  f.m.AddMinus(minus);
  f.m.OneCharDelete(back);
  EXPECT_EQ(digit, 0);
  EXPECT_EQ(dot, 0);
  EXPECT_EQ(minus, 0);
  EXPECT_EQ(back, 0);
  char letter = 'a';
  f.m.AddChar(letter);  // not a digit: left to the caller
  EXPECT_EQ(letter, 'a');
}

TEST(Undo, ExchangesOneLevel) {
  Field f;
  f.Type("12");
  EXPECT_EQ(f.m.UndoBuffer(), "1");
  f.m.Undo();
  EXPECT_EQ(f.m.Text(), "1");
  EXPECT_EQ(f.m.UndoBuffer(), "12");
  EXPECT_EQ(f.m.SelLength(), 1);  // undo selects all
  f.m.SetText("77");               // no undo record
  EXPECT_EQ(f.m.UndoBuffer(), "12");
  f.m.Undo();
  EXPECT_EQ(f.m.Text(), "12");
  EXPECT_EQ(f.m.UndoBuffer(), "77");
}

TEST(Undo, NeverRestoresAValueTheRulesNowForbid) {
  Field f;
  f.Type("1234");
  f.m.SetIntegerLength(2);
  EXPECT_EQ(f.m.Text(), "");
  f.m.Undo();
  EXPECT_EQ(f.m.Text(), "");

  Field g;
  g.Type("-5");  // the undo value is "-"
  g.m.SetMinus(false);
  g.m.Undo();
  EXPECT_EQ(g.m.Text(), "");
  EXPECT_EQ(g.m.UndoBuffer(), "");
}

TEST(Selection, WholeDisplayOrNothing) {
  Field f;
  f.m.SetText("1234");
  f.m.SelectAll();
  EXPECT_EQ(f.m.SelStart(), 0);
  EXPECT_EQ(f.m.SelLength(), 5);  // "1,234"
  f.m.SetText("1234567");         // the selection follows the display string
  EXPECT_EQ(f.m.SelLength(), 9);
  f.m.SetText("");
  EXPECT_FALSE(f.m.HasSelection());
  f.m.SelectAll();  // nothing to select
  EXPECT_FALSE(f.m.HasSelection());

  Field fixed({.decimalFixed = true});
  fixed.m.SelectAll();  // the empty value shows 0.000
  EXPECT_EQ(fixed.m.SelLength(), 5);
  uint16_t back = 8;
  fixed.m.OneCharDelete(back);  // nothing to delete: the selection stays
  EXPECT_EQ(fixed.m.SelLength(), 5);
  EXPECT_EQ(fixed.changes, 0);
  fixed.m.ClearSelect();
  EXPECT_FALSE(fixed.m.HasSelection());
}

TEST(Clipboard, CopyCutAndPaste) {
  Field f;
  f.m.SetText("1234");
  EXPECT_EQ(f.m.ClipboardText(), "");  // nothing selected
  f.m.SelectAll();
  EXPECT_EQ(f.m.ClipboardText(), "1234");
  f.m.SetImageCopy(true);
  EXPECT_EQ(f.m.ClipboardText(), "1,234");
  f.m.CutDone();
  EXPECT_EQ(f.m.Text(), "");
  EXPECT_EQ(f.changes, 1);
  f.m.Undo();
  EXPECT_EQ(f.m.Text(), "1234");

  struct Row { Settings s; const char* start; bool selected; const char* clip; const char* text; } rows[] = {
      {{.comma = false}, "", false, "1,234", "1234"},
      {{}, "12", false, "3.5", "123.5"},
      {{}, "12", true, "abc", ""},
      {{}, "12", true, "0042", "42"},
      {{.integerLength = 3}, "12", false, "34", ""},
      {{}, "-", false, "\x82\x55", "-6"},
  };
  for (const Row& r : rows) {
    Field p(r.s);
    p.m.SetText(r.start);
    if (r.selected) p.m.SelectAll();
    p.m.PasteText(r.clip);
    EXPECT_EQ(p.m.Text(), r.text) << r.start << " + " << r.clip;
    EXPECT_FALSE(p.m.HasSelection());
    EXPECT_EQ(p.changes, 1);
    p.m.Undo();
    EXPECT_EQ(p.m.Text(), r.start);
  }
}

TEST(Properties, DefaultsOfANewField) {
  TNumTextModel m;
  EXPECT_EQ(m.Alignment(), taRightJustify);
  EXPECT_EQ(m.VertAlignment(), taVCenter);
  EXPECT_EQ(m.BorderStyle(), bsSingle);
  EXPECT_EQ(m.IntegerLength(), 9);
  EXPECT_EQ(m.DecimalLength(), 3);
  EXPECT_TRUE(m.Minus());
  EXPECT_TRUE(m.Comma());
  EXPECT_TRUE(m.ErrorBeep());
  EXPECT_TRUE(m.AutoSelect());
  EXPECT_TRUE(m.AutoSize());
  EXPECT_TRUE(m.HideSelection());
  EXPECT_FALSE(m.ReadOnly() || m.DecimalFixed() || m.IntegerFixed() || m.ImageCopy() ||
               m.EnterFocusMove() || m.ArrowFocusMove());
  EXPECT_EQ(m.Options(), 6);
  EXPECT_EQ(m.DisabledColor(), clGrayText);
  EXPECT_EQ(m.TopMargin() + m.BottomMargin() + m.LeftMargin() + m.RightMargin(), 8);
  EXPECT_EQ(m.Text(), "");
  EXPECT_EQ(m.ValText(), "");
  EXPECT_FALSE(m.CanUndo());
  EXPECT_FALSE(m.HasSelection());
}

TEST(Properties, RulesRefilterTheValue) {
  struct Row { const char* start; void (*change)(TNumTextModel&); const char* text; const char* display; } rows[] = {
      {"12345", [](TNumTextModel& m) { m.SetIntegerLength(4); }, "", ""},
      {"1234", [](TNumTextModel& m) { m.SetIntegerLength(4); }, "1234", "1,234"},
      {"12345", [](TNumTextModel& m) { m.SetIntegerLength(-1); }, "12345", "12,345"},
      {"1.234", [](TNumTextModel& m) { m.SetDecimalLength(1); }, "1.2", "1.2"},
      {"1.234", [](TNumTextModel& m) { m.SetDecimalLength(0); }, "1", "1"},
      {"0.5", [](TNumTextModel& m) { m.SetDecimalLength(0); }, "0", "0"},
      {"12.", [](TNumTextModel& m) { m.SetDecimalLength(0); }, "12", "12"},
      {"1.234", [](TNumTextModel& m) { m.SetDecimalLength(-2); }, "1.234", "1.234"},
      {"-5", [](TNumTextModel& m) { m.SetMinus(false); }, "", ""},
      {"-", [](TNumTextModel& m) { m.SetMinus(false); }, "", ""},
      {"5", [](TNumTextModel& m) { m.SetMinus(false); }, "5", "5"},
      {"1234", [](TNumTextModel& m) { m.SetComma(false); }, "1234", "1234"},
      {"5", [](TNumTextModel& m) { m.SetDecimalFixed(true); }, "5", "5.000"},
      {"", [](TNumTextModel& m) { m.SetIntegerFixed(true); }, "", "0"},
      {"5", [](TNumTextModel& m) { m.SetLeftMark(kYen); }, "5", "\x81\x8F" "5"},
      {"5", [](TNumTextModel& m) { m.SetRightMark(kEn); }, "5", "5円"},
  };
  for (const Row& r : rows) {
    Field f;
    f.m.SetText(r.start);
    r.change(f.m);
    EXPECT_EQ(f.m.Text(), r.text) << r.start;
    EXPECT_EQ(f.m.ValText(), r.display) << r.start;
    EXPECT_EQ(f.changes, 0);
    EXPECT_FALSE(f.m.CanUndo());
  }
}

TEST(Properties, SettersTellTheOwnerWhatToRedo) {
  struct Row {
    const char* name;
    void (*change)(TNumTextModel&);
    int autoWidths, autoHeights, refreshes, invalidates, recreates;
  } rows[] = {
      {"IntegerLength", [](TNumTextModel& m) { m.SetIntegerLength(5); }, 1, 0, 1, 0, 0},
      {"DecimalLength", [](TNumTextModel& m) { m.SetDecimalLength(1); }, 1, 0, 1, 0, 0},
      {"Minus", [](TNumTextModel& m) { m.SetMinus(false); }, 1, 0, 1, 0, 0},
      {"Comma", [](TNumTextModel& m) { m.SetComma(false); }, 1, 0, 1, 0, 0},
      {"DecimalFixed", [](TNumTextModel& m) { m.SetDecimalFixed(true); }, 1, 0, 1, 0, 0},
      {"IntegerFixed", [](TNumTextModel& m) { m.SetIntegerFixed(true); }, 1, 0, 1, 0, 0},
      {"LeftMark", [](TNumTextModel& m) { m.SetLeftMark("a"); }, 1, 0, 1, 0, 0},
      {"RightMark", [](TNumTextModel& m) { m.SetRightMark("a"); }, 1, 0, 1, 0, 0},
      {"TopMargin", [](TNumTextModel& m) { m.SetTopMargin(3); }, 0, 1, 1, 0, 0},
      {"BottomMargin", [](TNumTextModel& m) { m.SetBottomMargin(0); }, 0, 1, 1, 0, 0},
      {"TopMargin < 0", [](TNumTextModel& m) { m.SetTopMargin(-1); }, 0, 0, 0, 0, 0},
      {"LeftMargin", [](TNumTextModel& m) { m.SetLeftMargin(4); }, 1, 0, 1, 0, 0},
      {"RightMargin", [](TNumTextModel& m) { m.SetRightMargin(4); }, 1, 0, 1, 0, 0},
      {"RightMargin < 0", [](TNumTextModel& m) { m.SetRightMargin(-4); }, 0, 0, 0, 0, 0},
      {"Alignment", [](TNumTextModel& m) { m.SetAlignment(taCenter); }, 0, 0, 1, 0, 0},
      {"VertAlignment", [](TNumTextModel& m) { m.SetVertAlignment(taTopJustify); }, 0, 0, 1, 0, 0},
      {"AutoSize", [](TNumTextModel& m) { m.SetAutoSize(false); }, 1, 1, 1, 0, 0},
      {"BorderStyle", [](TNumTextModel& m) { m.SetBorderStyle(bsNone); }, 1, 1, 1, 0, 1},
      {"AutoSelect", [](TNumTextModel& m) { m.SetAutoSelect(false); }, 0, 0, 0, 1, 0},
      {"DisabledColor", [](TNumTextModel& m) { m.SetDisabledColor(0); }, 0, 0, 0, 1, 0},
      {"ReadOnly", [](TNumTextModel& m) { m.SetReadOnly(true); }, 0, 0, 0, 0, 0},
      {"Options", [](TNumTextModel& m) { m.SetOptions(0); }, 0, 0, 0, 0, 0},
      // The same value again does nothing.
      {"IntegerLength =", [](TNumTextModel& m) { m.SetIntegerLength(9); }, 0, 0, 0, 0, 0},
      {"Comma =", [](TNumTextModel& m) { m.SetComma(true); }, 0, 0, 0, 0, 0},
      {"LeftMargin =", [](TNumTextModel& m) { m.SetLeftMargin(2); }, 0, 0, 0, 0, 0},
      {"BorderStyle =", [](TNumTextModel& m) { m.SetBorderStyle(bsSingle); }, 0, 0, 0, 0, 0},
  };
  for (const Row& r : rows) {
    Field f;
    r.change(f.m);
    EXPECT_EQ(f.autoWidths, r.autoWidths) << r.name;
    EXPECT_EQ(f.autoHeights, r.autoHeights) << r.name;
    EXPECT_EQ(f.refreshes, r.refreshes) << r.name;
    EXPECT_EQ(f.invalidates, r.invalidates) << r.name;
    EXPECT_EQ(f.recreates, r.recreates) << r.name;
    EXPECT_EQ(f.changes + f.beeps, 0) << r.name;
  }
}

TEST(Widths, MeasuredThroughTheInjectedFunction) {
  Field f({.leftMark = kYen});
  EXPECT_EQ(f.m.StrWidth(""), 0);
  EXPECT_EQ(f.m.StrWidth("12"), 15);
  EXPECT_EQ(f.m.CalcStringWidth(""), 0);
  EXPECT_EQ(f.m.CalcStringWidth("1234"), 7 * 7 + 1);  // mark + "1,234"
  f.m.SetText("1234.5");
  EXPECT_EQ(f.m.CalcStringWidth2(), 7 * 7 + 1);  // "1,234.5", no mark
  EXPECT_EQ(f.m.MaxTextWidth(), 7 * 7 + 1);

  Field fixed({.decimalFixed = true});
  EXPECT_EQ(fixed.m.CalcStringWidth2(), 8);  // "0": the filling zeros are not typed
  fixed.m.SetText("12.5");
  EXPECT_EQ(fixed.m.CalcStringWidth2(), 29);  // "12.5", not "12.500"

  TNumTextModel plain;  // no measure given: only the extra pixel
  EXPECT_EQ(plain.StrWidth("123"), 1);
}

TEST(Widths, DrawWidthAndFit) {
  Field f;
  EXPECT_EQ(f.m.CalcDrawWidth(), 117 - 2 - 2 - 4);
  f.m.Ctl3D = false;
  EXPECT_EQ(f.m.CalcDrawWidth(), 117 - 2 - 2 - 2);
  f.m.Ctl3D = true;
  f.m.SetBorderStyle(bsNone);
  EXPECT_EQ(f.m.CalcDrawWidth(), 117 - 2 - 2 - 2);
  f.m.ClientWidth = 44;  // draw width 38: five bytes (36 pixels) fit, six (43) do not
  EXPECT_TRUE(f.m.StringWidthCheck("1234"));
  EXPECT_FALSE(f.m.StringWidthCheck("12345"));
  EXPECT_TRUE(f.m.StringWidthCheck(""));
}

}  // namespace
}  // namespace sm
