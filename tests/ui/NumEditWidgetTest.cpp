// The numeric field widget: text set from code and typed by the user goes through the field's
// rules, OnChange fires once per real change, and the peer hears of every style and text change.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/Ui.h"
#include "ui/headless/Headless.h"

namespace sm::ui {
namespace {

using headless::HeadlessBackend;

// Records what the widget tells its peer.
class RecordingPeer : public Peer {
 public:
  explicit RecordingPeer(std::vector<Prop>& log) : log_(log) {}
  void Sync(Prop what, int) override { log_.push_back(what); }

 private:
  std::vector<Prop>& log_;
};

struct Field : TForm {
  explicit Field(Backend& b) : TForm(b) {
    Num.OnChange = [this] { changes.push_back(Num.Text()); };
    Num.SetPeer(std::make_unique<RecordingPeer>(synced));
  }
  TSaNumEdit Num{this};
  TButton Other{this};
  std::vector<std::string> changes;   // the text at each OnChange
  std::vector<Prop> synced;
};

TEST(NumEditWidget, TextFromCodeFollowsTheRules) {
  struct Row {
    const char* name;
    int integerLength, decimalLength;
    bool minus, comma;
    const char* set;
    const char* text;      // the value text afterwards
    const char* shown;     // as the field draws it
    int changes;           // OnChange calls for setting it twice
  } rows[] = {
      {"full-width digits", 9, 3, true, true, "１２３", "123", "123", 1},
      {"grouping dropped", 9, 3, true, true, "1,234", "1234", "1,234", 1},
      {"without Comma", 9, 3, true, false, "1234567", "1234567", "1234567", 1},
      {"cut at a letter", 9, 3, true, true, "12a34", "12", "12", 1},
      {"too many digits", 4, 3, true, true, "12345", "", "", 0},
      {"decimals cut", 9, 2, true, true, "1.2345", "1.23", "1.23", 1},
      {"no point allowed", 9, 0, true, true, "1.5", "1", "1", 1},
      {"no sign allowed", 9, 0, false, false, "-5", "", "", 0},
      {"sign only in front", 9, 3, true, true, "5-", "5", "5", 1},
      {"leading zeros", 3, 0, false, false, "007", "7", "7", 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    HeadlessBackend ui;
    Field f(ui);
    f.Num.SetIntegerLength(r.integerLength);
    f.Num.SetDecimalLength(r.decimalLength);
    f.Num.SetMinus(r.minus);
    f.Num.SetComma(r.comma);
    f.Num.SetText(r.set);
    f.Num.SetText(r.set);
    EXPECT_EQ(f.Num.Text(), r.text);
    EXPECT_EQ(f.Num.DisplayText(), r.shown);
    EXPECT_EQ(f.changes.size(), static_cast<size_t>(r.changes));
    EXPECT_EQ(std::count(f.synced.begin(), f.synced.end(), Prop::State), r.changes);
  }
}

TEST(NumEditWidget, RuleChangesRestyleThePeerAndRefilterSilently) {
  HeadlessBackend ui;
  Field f(ui);
  f.Num.SetText("-12.5");
  f.changes.clear();
  f.synced.clear();

  f.Num.SetDecimalLength(0);   // the decimals go
  EXPECT_EQ(f.Num.Text(), "-12");
  EXPECT_EQ(f.synced, (std::vector<Prop>{Prop::Style, Prop::State}));
  f.synced.clear();
  f.Num.SetComma(false);       // the text stays
  f.Num.SetReadOnly(true);
  EXPECT_EQ(f.synced, (std::vector<Prop>{Prop::Style, Prop::Style}));
  f.synced.clear();
  f.Num.SetMinus(false);       // a signed value is emptied
  EXPECT_EQ(f.Num.Text(), "");
  EXPECT_EQ(f.synced, (std::vector<Prop>{Prop::Style, Prop::State}));
  f.synced.clear();

  // The same values again, and an ignored negative length, tell the peer nothing.
  f.Num.SetDecimalLength(0);
  f.Num.SetComma(false);
  f.Num.SetReadOnly(true);
  f.Num.SetMinus(false);
  f.Num.SetIntegerLength(-1);
  EXPECT_EQ(f.Num.IntegerLength(), 9);
  EXPECT_TRUE(f.synced.empty());
  EXPECT_TRUE(f.changes.empty());
}

TEST(NumEditWidget, UserTextFiresOncePerChange) {
  HeadlessBackend ui;
  Field f(ui);
  f.Num.SetComma(false);
  f.ShowForm();
  f.synced.clear();

  EXPECT_TRUE(f.Num.UserSetText("5"));
  EXPECT_TRUE(f.Num.UserSetText("50"));
  EXPECT_TRUE(f.Num.UserSetText("50"));    // no change: no event
  EXPECT_TRUE(f.Num.UserSetText("５００"));  // filtered like text from code
  EXPECT_EQ(f.changes, (std::vector<std::string>{"5", "50", "500"}));
  // The control showed what the user typed; only the full-width text is put right.
  EXPECT_EQ(f.synced, std::vector<Prop>{Prop::State});
  f.synced.clear();

  EXPECT_TRUE(f.Num.UserSetText("12a"));   // cut by the rules; the control is put right
  EXPECT_EQ(f.Num.Text(), "12");
  EXPECT_EQ(f.synced, std::vector<Prop>{Prop::State});
  EXPECT_EQ(f.changes.back(), "12");
}

TEST(NumEditWidget, RefusedUserTextLeavesTheValueAndPutsTheControlBack) {
  struct Row {
    const char* name;
    void (*prepare)(Field&);
  } rows[] = {
      {"read-only", [](Field& f) { f.Num.SetReadOnly(true); }},
      {"disabled", [](Field& f) { f.Num.SetEnabled(false); }},
      {"hidden", [](Field& f) { f.Num.Hide(); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    HeadlessBackend ui;
    Field f(ui);
    f.Num.SetText("30");
    f.ShowForm();
    r.prepare(f);
    f.changes.clear();
    f.synced.clear();
    EXPECT_FALSE(f.Num.UserSetText("45"));
    EXPECT_EQ(f.Num.Text(), "30");
    EXPECT_TRUE(f.changes.empty());
    EXPECT_EQ(f.synced, std::vector<Prop>{Prop::State});
  }
}

}  // namespace
}  // namespace sm::ui
