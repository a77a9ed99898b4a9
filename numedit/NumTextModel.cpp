#include "numedit/NumTextModel.h"

#include "shared/Sjis.h"

namespace sm {

namespace {

constexpr auto npos = std::string::npos;

// The second byte of a double-byte character: 0x40..0x7E and 0x80..0xFC.
bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes that are neither a character of their own nor a lead byte: they only ever stand as the
// second byte of a pair.
bool IsTrailOnlyByte(unsigned char b) { return b == 0x80 || b == 0xA0; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Zeros(int count) { return std::string(static_cast<size_t>(count), '0'); }

// Full-width digits, minus and full stop become their single-byte forms, the full-width comma is
// dropped; the walk ends at any other double-byte character and at a broken pair, and whatever
// follows that point is discarded.
std::string NormaliseFullWidth(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(b)) {
      if (i + 1 >= text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1]))) break;
      const unsigned code = b * 256u + static_cast<unsigned char>(text[i + 1]);
      if (code > 0x824E && code <= 0x8258) {
        out += static_cast<char>('0' + (code - 0x824F));
      } else if (code == 0x817C) {
        out += '-';
      } else if (code == 0x8144) {
        out += '.';
      } else if (code != 0x8143) {
        break;
      }
      i += 2;
    } else if (IsTrailOnlyByte(b)) {
      break;
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}

}  // namespace

TNumTextModel::TNumTextModel() { FValText = CreateDrawString(FText); }

// ---------------------------------------------------------------------------------------------
// Text operations

std::string TNumTextModel::NumFilter(const std::string& text) const {
  const std::string normal = NormaliseFullWidth(text);

  std::string out;
  bool dotSeen = false;
  for (size_t k = 0; k < normal.size(); ++k) {
    const char c = normal[k];
    if (c == ',') continue;
    if (c == '.') {
      if (FDecimalLength == 0 || dotSeen) break;
      dotSeen = true;
    } else if (c == '-') {
      if (!FMinus || k != 0) break;
    } else if (!IsDigit(c)) {
      break;
    }
    out += c;
  }

  if (!out.empty()) {
    const size_t dot = out.find('.');
    if (dot != npos && out.size() - dot - 1 > static_cast<size_t>(FDecimalLength))
      out.resize(dot + 1 + static_cast<size_t>(FDecimalLength));  // cut, not rounded
    const size_t sign = out.find('-') != npos ? 1 : 0;
    const size_t integerDigits = (dot == npos ? out.size() : dot) - sign;
    if (integerDigits > static_cast<size_t>(FIntegerLength)) out.clear();
  }
  return out;
}

std::string TNumTextModel::MaeZeroSyori(const std::string& text) {
  const bool negative = text.find('-') != npos;
  std::string body = negative ? text.substr(1) : text;
  size_t integerEnd = body.find('.');
  if (integerEnd == npos) integerEnd = body.size();
  size_t zeros = 0;
  while (zeros < integerEnd && body[zeros] == '0') ++zeros;
  body.erase(0, zeros);
  if (zeros > 0 && body.empty()) body.assign(1, '0');
  if (!body.empty() && body[0] == '.') body.insert(body.begin(), '0');
  if (negative) body.insert(body.begin(), '-');
  return body;
}

TNumParts TNumTextModel::TextEncode(const std::string& text) {
  TNumParts parts;
  std::string rest = text;
  if (!rest.empty() && rest[0] == '-') {
    parts.sign.assign(1, '-');
    rest.erase(0, 1);
  }
  const size_t dot = rest.find('.');
  if (dot != npos) {
    parts.integer = rest.substr(0, dot);
    parts.point.assign(1, '.');
    parts.decimals = rest.substr(dot + 1);
  } else {
    parts.integer = rest;
  }
  return parts;
}

std::string TNumTextModel::TextDecode(const TNumParts& parts) {
  return parts.sign + parts.integer + parts.point + parts.decimals;
}

std::string TNumTextModel::InsertComma(const std::string& digits) {
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string TNumTextModel::CreateDrawString2(const std::string& text) const {
  TNumParts p = TextEncode(text);
  if (FComma) p.integer = InsertComma(p.integer);
  if (FDecimalFixed) {
    p.decimals += Zeros(FDecimalLength);
    p.decimals.resize(static_cast<size_t>(FDecimalLength));
    if (FDecimalLength > 0) p.point.assign(1, '.');
  }
  if ((FIntegerFixed || FDecimalFixed) && p.integer.empty()) p.integer.assign(1, '0');
  return TextDecode(p);
}

std::string TNumTextModel::CreateDrawString(const std::string& text) const {
  const std::string number = CreateDrawString2(text);
  return number.empty() ? std::string() : FLeftMark + number + FRightMark;
}

std::string TNumTextModel::MaxTextStr() const {
  TNumParts p = TextEncode(FText);
  if (FIntegerFixed) {
    p.integer = Zeros(FIntegerLength);
    if (FMinus) p.sign.assign(1, '-');
  }
  if ((FIntegerFixed || FDecimalFixed) && p.integer.empty()) p.integer.assign(1, '0');
  if (FDecimalFixed) {
    p.point.assign(1, '.');
    p.decimals = Zeros(FDecimalLength);
  }
  if (FComma) p.integer = InsertComma(p.integer);
  return TextDecode(p);
}

std::string TNumTextModel::MaxTextStr2() const {
  const std::string integer = Zeros(FIntegerLength);
  return std::string(FMinus ? "-" : "") + (FComma ? InsertComma(integer) : integer) + "." +
         Zeros(FDecimalLength);
}

int TNumTextModel::StrWidth(const std::string& text) const {
  if (text.empty()) return 0;
  return (TextMeasure ? TextMeasure(text) : 0) + 1;
}

int TNumTextModel::CalcStringWidth(const std::string& text) const {
  return StrWidth(CreateDrawString(text));
}

int TNumTextModel::CalcStringWidth2() const {
  TNumParts p = TextEncode(FText);
  if (FComma) p.integer = InsertComma(p.integer);
  if (p.integer.empty() && (FIntegerFixed || FDecimalFixed)) p.integer.assign(1, '0');
  return StrWidth(TextDecode(p));
}

int TNumTextModel::CalcDrawWidth() const {
  const int frame = (FBorderStyle == bsSingle && Ctl3D) ? 2 : 1;
  return ClientWidth - FLeftMargin - FRightMargin - 2 * frame;
}

bool TNumTextModel::StringWidthCheck(const std::string& text) const {
  return CalcDrawWidth() >= CalcStringWidth(text);
}

// ---------------------------------------------------------------------------------------------
// The value text

void TNumTextModel::SetText(const std::string& text) {
  if (text == FText) return;
  FText = MaeZeroSyori(NumFilter(text));
  Rebuild();
  Call(OnRefresh);
}

void TNumTextModel::Rebuild() {
  FValText = CreateDrawString(FText);
  if (FSelLength != 0) FSelLength = static_cast<int>(FValText.size());
}

void TNumTextModel::Refilter() {
  FText = NumFilter(FText);
  // The undo value must obey the new rules too, or Undo would bring back a value they forbid.
  FUndoBuffer = NumFilter(FUndoBuffer);
}

void TNumTextModel::Beep() const {
  if (FErrorBeep) Call(OnErrorBeep);
}

void TNumTextModel::Notify() const { Call(OnChange); }

// An accepted key: undo record of the old value (the whole old value when the key replaced a
// selection), the new value, no selection.
void TNumTextModel::Store(const std::string& candidate) {
  UndoDataSet();
  FText = candidate;
  FSelStart = 0;
  FSelLength = 0;
  Rebuild();
  Call(OnRefresh);
  Notify();
}

bool TNumTextModel::Fits(const std::string& candidate) const {
  return !HasOption(eoORInputStop) || StringWidthCheck(candidate);
}

// ---------------------------------------------------------------------------------------------
// Editing. A key typed into a selection replaces the whole value; it is judged against the empty
// text, and a refused key leaves the value and the selection as they were.

void TNumTextModel::AddChar(char& key) {
  if (!IsDigit(key)) return;
  const char digit = key;
  key = 0;
  if (FReadOnly) return;
  const std::string base = HasSelection() ? std::string() : FText;

  const size_t dot = base.find('.');
  const size_t integerEnd = dot == npos ? base.size() : dot;
  const size_t decimals = dot == npos ? 0 : base.size() - dot - 1;
  const size_t integerDigits = base.find('-') != npos ? integerEnd - 1 : integerEnd;
  const bool decimalsFull = FDecimalLength > 0 && dot != npos &&
                            decimals >= static_cast<size_t>(FDecimalLength);
  const bool integerFull = (dot == npos || FDecimalLength == 0) &&
                           integerDigits >= static_cast<size_t>(FIntegerLength);
  if (decimalsFull || integerFull) return Beep();

  const std::string candidate = MaeZeroSyori(base + digit);
  if (!Fits(candidate)) return Beep();
  Store(candidate);
}

void TNumTextModel::AddDot(char& key) {
  if (key != '.') return;
  key = 0;
  if (FReadOnly) return;
  if (FDecimalLength == 0) return Beep();
  const std::string base = HasSelection() ? std::string() : FText;
  if (base.find('.') != npos) return Beep();
  const std::string candidate = MaeZeroSyori(base + '.');
  if (!Fits(candidate)) return Beep();
  Store(candidate);
}

void TNumTextModel::AddMinus(char& key) {
  if (key != '-') return;
  key = 0;
  if (FReadOnly) return;
  if (!FMinus) return Beep();
  const std::string base = HasSelection() ? std::string() : FText;
  if (base.find('-') != npos) return Store(base.substr(1));
  const std::string candidate = "-" + base;
  if (!Fits(candidate)) return Beep();
  Store(candidate);
}

void TNumTextModel::OneCharDelete(uint16_t& key) {
  key = 0;
  if (FReadOnly || FText.empty()) return;
  if (HasSelection()) return Clear();
  std::string candidate = FText.substr(0, FText.size() - 1);
  if (!candidate.empty() && candidate.back() == '.') candidate.pop_back();
  Store(candidate);
}

void TNumTextModel::Clear() {
  UndoDataSet();
  FText.clear();
  Rebuild();
  ClearSelect();
  Call(OnRefresh);
}

void TNumTextModel::UndoDataSet() {
  FUndoBuffer = FText;
  FCanUndo = true;
}

void TNumTextModel::UndoDataChange() {
  FText.swap(FUndoBuffer);
  FCanUndo = true;
}

void TNumTextModel::Undo() {
  if (!FCanUndo) return;
  UndoDataChange();
  Rebuild();
  SelectAll();
  Call(OnRefresh);
  Notify();
}

std::string TNumTextModel::ClipboardText() const {
  if (!HasSelection()) return std::string();
  return FImageCopy ? FValText : FText;
}

void TNumTextModel::CutDone() {
  if (!HasSelection()) return;
  Clear();
  Notify();
}

void TNumTextModel::PasteText(const std::string& clip) {
  UndoDataSet();
  const std::string filtered = HasSelection() ? NumFilter(clip) : NumFilter(FText + clip);
  FText = MaeZeroSyori(filtered);
  Rebuild();
  ClearSelect();
  Call(OnRefresh);
  Notify();
}

// ---------------------------------------------------------------------------------------------
// Selection

void TNumTextModel::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(FValText.size());
  Call(OnInvalidate);
}

void TNumTextModel::ClearSelect() {
  FSelStart = 0;
  FSelLength = 0;
  Call(OnInvalidate);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TNumTextModel::SetIntegerLength(int value) {
  if (value < 0 || value == FIntegerLength) return;
  FIntegerLength = value;
  Refilter();
  Rebuild();
  Call(OnAutoWidth);
  Call(OnRefresh);
}

void TNumTextModel::SetDecimalLength(int value) {
  if (value < 0 || value == FDecimalLength) return;
  FDecimalLength = value;
  Refilter();
  Rebuild();
  Call(OnAutoWidth);
  Call(OnRefresh);
}

void TNumTextModel::SetMinus(bool value) {
  if (value == FMinus) return;
  FMinus = value;
  Refilter();
  Rebuild();
  Call(OnAutoWidth);
  Call(OnRefresh);
}

namespace {
template <typename T>
bool Change(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}
}  // namespace

void TNumTextModel::SetComma(bool value) {
  if (Change(FComma, value)) DisplayChanged();
}
void TNumTextModel::SetDecimalFixed(bool value) {
  if (Change(FDecimalFixed, value)) DisplayChanged();
}
void TNumTextModel::SetIntegerFixed(bool value) {
  if (Change(FIntegerFixed, value)) DisplayChanged();
}
void TNumTextModel::SetLeftMark(const std::string& value) {
  if (Change(FLeftMark, value)) DisplayChanged();
}
void TNumTextModel::SetRightMark(const std::string& value) {
  if (Change(FRightMark, value)) DisplayChanged();
}

void TNumTextModel::DisplayChanged() {
  Rebuild();
  Call(OnAutoWidth);
  Call(OnRefresh);
}

void TNumTextModel::SetTopMargin(int value) {
  if (value < 0 || !Change(FTopMargin, value)) return;
  Call(OnAutoHeight);
  Call(OnRefresh);
}
void TNumTextModel::SetBottomMargin(int value) {
  if (value < 0 || !Change(FBottomMargin, value)) return;
  Call(OnAutoHeight);
  Call(OnRefresh);
}
void TNumTextModel::SetLeftMargin(int value) {
  if (value < 0 || !Change(FLeftMargin, value)) return;
  Call(OnAutoWidth);
  Call(OnRefresh);
}
void TNumTextModel::SetRightMargin(int value) {
  if (value < 0 || !Change(FRightMargin, value)) return;
  Call(OnAutoWidth);
  Call(OnRefresh);
}

void TNumTextModel::SetAlignment(TAlignment value) {
  if (Change(FAlignment, value)) Call(OnRefresh);
}
void TNumTextModel::SetVertAlignment(TVertAlignment value) {
  if (Change(FVertAlignment, value)) Call(OnRefresh);
}

void TNumTextModel::SetAutoSize(bool value) {
  if (!Change(FAutoSize, value)) return;
  Call(OnAutoHeight);
  Call(OnAutoWidth);
  Call(OnRefresh);
}

void TNumTextModel::SetBorderStyle(TBorderStyle value) {
  if (!Change(FBorderStyle, value)) return;
  Call(OnRecreateWnd);
  Call(OnAutoHeight);
  Call(OnAutoWidth);
  Call(OnRefresh);
}

void TNumTextModel::SetAutoSelect(bool value) {
  if (Change(FAutoSelect, value)) Call(OnInvalidate);
}
void TNumTextModel::SetDisabledColor(TColor value) {
  if (Change(FDisabledColor, value)) Call(OnInvalidate);
}

}  // namespace sm
