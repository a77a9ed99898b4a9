// Arbitrary bytes through the numeric field: the whole input through the filter and SetText, then
// the input again as a sequence of keys, property changes, pastes and undos. After every step the
// value text, the undo value, the display string and the selection must obey their rules.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "numedit/NumTextModel.h"

namespace {

using sm::TNumTextModel;

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "rule broken: %s [", what);
  for (unsigned char c : text) std::fprintf(stderr, "%02X", c);
  std::fprintf(stderr, "]\n");
  std::abort();
}

void Require(bool ok, const char* what, const std::string& text) {
  if (!ok) Fail(what, text);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The rules of a filtered text, before the leading-zero treatment.
void CheckFiltered(const TNumTextModel& m, const std::string& t) {
  size_t dots = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    Require(IsDigit(c) || c == '-' || c == '.', "foreign character", t);
    if (c == '-') Require(i == 0 && m.Minus(), "misplaced minus", t);
    if (c == '.') ++dots;
  }
  Require(dots <= 1, "two points", t);
  const size_t dot = t.find('.');
  if (dot != std::string::npos) {
    Require(m.DecimalLength() > 0, "point without decimals allowed", t);
    Require(t.size() - dot - 1 <= static_cast<size_t>(m.DecimalLength()), "too many decimals", t);
  }
  const size_t sign = (!t.empty() && t[0] == '-') ? 1 : 0;
  const std::string integer = t.substr(sign, (dot == std::string::npos ? t.size() : dot) - sign);
  // With no integer digits allowed, the "0" that a typed point brings in front of itself is the
  // only one (it stays when the point is deleted again).
  const bool zeroInFront = m.IntegerLength() == 0 && integer == "0";
  Require(zeroInFront || integer.size() <= static_cast<size_t>(m.IntegerLength()),
          "too many integer digits", t);
}

void CheckValue(const TNumTextModel& m, const std::string& t) {
  CheckFiltered(m, t);
  const size_t sign = (!t.empty() && t[0] == '-') ? 1 : 0;
  const size_t dot = t.find('.');
  const std::string integer = t.substr(sign, (dot == std::string::npos ? t.size() : dot) - sign);
  Require(integer.empty() || integer == "0" || integer[0] != '0', "leading zero", t);
  Require(dot == std::string::npos || !integer.empty(), "empty integer part before point", t);
  Require(TNumTextModel::MaeZeroSyori(t) == t, "leading-zero pass changes a value", t);
  const bool zeroInFront = m.IntegerLength() == 0 && integer == "0";
  Require(zeroInFront || m.NumFilter(t) == t, "filter changes a value", t);
}

void CheckModel(const TNumTextModel& m) {
  CheckValue(m, m.Text());
  CheckValue(m, m.UndoBuffer());
  Require(m.ValText() == m.CreateDrawString(m.Text()), "stale display string", m.ValText());
  Require(m.SelStart() == 0, "selection start", m.Text());
  Require(m.SelLength() == 0 || m.SelLength() == static_cast<int>(m.ValText().size()),
          "partial selection", m.ValText());
}

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool More() const { return pos < size; }
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  std::string Bytes() {
    const size_t n = Byte() % 24;
    std::string s;
    while (s.size() < n && More()) s += static_cast<char>(Byte());
    return s;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string whole(reinterpret_cast<const char*>(data), size);
  int changes = 0;

  TNumTextModel m;
  m.TextMeasure = [](const std::string& t) { return 7 * static_cast<int>(t.size()); };
  m.OnChange = [&changes] { ++changes; };
  CheckFiltered(m, m.NumFilter(whole));
  m.SetText(whole);
  CheckModel(m);

  Reader in{data, size};
  while (in.More()) {
    const uint8_t op = in.Byte();
    const int before = changes;
    const std::string old = m.Text();
    char key = 0;
    uint16_t vk = 8;
    bool typed = false;
    switch (op % 24) {
      case 0: case 1: case 2: case 3:
        key = static_cast<char>('0' + in.Byte() % 10);
        m.AddChar(key);
        typed = true;
        break;
      case 4: key = '.'; m.AddDot(key); typed = true; break;
      case 5: key = '-'; m.AddMinus(key); typed = true; break;
      case 6: m.OneCharDelete(vk); break;
      case 7: m.SelectAll(); break;
      case 8: m.ClearSelect(); break;
      case 9: m.Undo(); break;
      case 10: m.Clear(); break;
      case 11: m.SetText(in.Bytes()); break;
      case 12: m.PasteText(in.Bytes()); break;
      case 13: m.SetIntegerLength(in.Byte() % 13 - 1); break;
      case 14: m.SetDecimalLength(in.Byte() % 7 - 1); break;
      case 15: m.SetMinus(!m.Minus()); break;
      case 16: m.SetComma(!m.Comma()); break;
      case 17: m.SetDecimalFixed(!m.DecimalFixed()); break;
      case 18: m.SetIntegerFixed(!m.IntegerFixed()); break;
      case 19: m.SetReadOnly(!m.ReadOnly()); break;
      case 20: m.SetOptions(m.Options() ^ sm::OptionBit(sm::eoORInputStop)); break;
      case 21: m.ClientWidth = in.Byte(); break;
      case 22: (in.Byte() & 1) ? m.SetLeftMark(in.Bytes()) : m.SetRightMark(in.Bytes()); break;
      default: {
        const std::string clip = m.ClipboardText();
        if (m.HasSelection()) m.CutDone();
        else Require(clip.empty(), "copy without a selection", clip);
        break;
      }
    }
    CheckModel(m);
    if (typed) {
      Require(key == 0, "typed key not consumed", m.Text());
      if (m.ReadOnly()) Require(m.Text() == old && changes == before, "read-only field changed", m.Text());
      // A key accepted under the fit test leaves a text that fits, unless it removed the sign.
      const bool signRemoved = op % 24 == 5 && !old.empty() && old[0] == '-' &&
                               (m.Text().empty() || m.Text()[0] != '-');
      if (changes != before && m.HasOption(sm::eoORInputStop) && !signRemoved)
        Require(m.StringWidthCheck(m.Text()), "accepted key does not fit", m.Text());
    }
  }
  return 0;
}
