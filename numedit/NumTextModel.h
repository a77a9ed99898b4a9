#pragma once
// The text model of the numeric edit field: the value text and its rules, the display string, the
// input filter, the editing keys with their one-level undo, the selection (all or nothing), the
// widest texts and the fit test. Everything that touches a window (painting, the caret, the
// clipboard, sizing the window) is left to the control that owns the model; the model tells it
// what to do through the hooks below.
//
// Value text rules, kept by every operation:
// - only "-", "." and the digits; never ",", marks or filling zeros;
// - "-" only as the first character and only while Minus is on;
// - at most one "."; none while DecimalLength is 0; at most DecimalLength digits after it;
// - at most IntegerLength digits in front of the "." (or in all without one);
// - no leading zeros: the integer part is empty, "0", or starts with 1..9; never empty before ".";
// - it may be empty, "-" alone, or end with ".".
#include <cstdint>
#include <functional>
#include <string>

namespace sm {

enum TSaNumEditOption : uint8_t {
  eoMinusOnly = 0,      // a lone "-" survives leaving the field
  eoArrowUp = 1,        // Up may move the focus to the previous control
  eoArrowDown = 2,      // Down may move the focus to the next control
  eoAutoWidthSize = 3,  // automatic width
  eoORInputStop = 4,    // a key whose result would not fit the drawing width is refused
};
// A set of options in one byte: member n in bit n.
using TSaNumEditOptions = uint8_t;
constexpr TSaNumEditOptions OptionBit(TSaNumEditOption o) { return static_cast<TSaNumEditOptions>(1u << o); }
constexpr TSaNumEditOptions kDefaultNumEditOptions = OptionBit(eoArrowUp) | OptionBit(eoArrowDown);

enum TVertAlignment : uint8_t { taTopJustify = 0, taBottomJustify = 1, taVCenter = 2 };
enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TBorderStyle : uint8_t { bsNone = 0, bsSingle = 1 };

// Colours as the toolkit stores them: 0x00BBGGRR, or a system colour (0xFF000000 | index).
using TColor = int32_t;
constexpr TColor clGrayText = static_cast<TColor>(0xFF000011);

// Pixel width of a single line of code page 932 text in the control's font, as the platform
// measures it.
using TTextMeasure = std::function<int(const std::string&)>;

// The four parts of a value text.
struct TNumParts {
  std::string sign;      // "-" or empty
  std::string integer;   // the digits in front of the point
  std::string point;     // "." or empty
  std::string decimals;  // the digits after the point
};

class TNumTextModel {
 public:
  TNumTextModel();

  // --- Hooks filled by the owner; each may stay empty. ---
  std::function<void()> OnChange;        // the change notification
  std::function<void()> OnErrorBeep;     // a refused key, only while ErrorBeep is on
  std::function<void()> OnRefresh;       // invalidate and move the caret
  std::function<void()> OnInvalidate;    // repaint only
  std::function<void()> OnAutoWidth;     // apply the automatic width
  std::function<void()> OnAutoHeight;    // apply the automatic height
  std::function<void()> OnRecreateWnd;   // the border style changed: recreate the window
  TTextMeasure TextMeasure;              // empty: every text measures 0 pixels (plus the 1 of StrWidth)

  // Window facts the owner keeps up to date; they feed CalcDrawWidth.
  int ClientWidth = 117;  // the client width of a 121-pixel control with a sunken single border
  bool Ctl3D = true;

  // --- The value text. ---
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);  // filtered, leading zeros treated; no undo, no notification
  const std::string& ValText() const { return FValText; }  // the display string

  // --- Text operations. ---
  std::string NumFilter(const std::string& text) const;
  static std::string MaeZeroSyori(const std::string& text);
  static TNumParts TextEncode(const std::string& text);
  static std::string TextDecode(const TNumParts& parts);
  static std::string InsertComma(const std::string& digits);
  std::string CreateDrawString(const std::string& text) const;
  std::string CreateDrawString2(const std::string& text) const;
  std::string MaxTextStr() const;
  std::string MaxTextStr2() const;
  int MaxTextWidth() const { return StrWidth(MaxTextStr()); }
  int StrWidth(const std::string& text) const;
  int CalcStringWidth(const std::string& text) const;
  int CalcStringWidth2() const;
  int CalcDrawWidth() const;
  bool StringWidthCheck(const std::string& text) const;

  // --- Editing. Each takes the typed key and sets it to 0 when it was consumed or refused. ---
  void AddChar(char& key);   // a digit "0".."9"
  void AddDot(char& key);    // "."
  void AddMinus(char& key);  // "-": toggles the sign
  void OneCharDelete(uint16_t& key);  // Backspace or Delete
  void Clear();   // empties the value with an undo record; no change notification
  void Undo();    // ReadOnly is for the caller to test, as for the clipboard commands
  void UndoDataSet();
  void UndoDataChange();
  bool CanUndo() const { return FCanUndo; }
  const std::string& UndoBuffer() const { return FUndoBuffer; }

  // What the clipboard commands of the control do to the value.
  std::string ClipboardText() const;          // the text Copy and Cut put on the clipboard
  void CutDone();                             // after Cut copied: Clear, then the notification
  void PasteText(const std::string& clip);    // Paste of the clipboard text (the caller tests ReadOnly)

  // --- Selection: the whole display string or nothing. ---
  void SelectAll();
  void ClearSelect();
  bool HasSelection() const { return FSelLength != 0; }
  int SelStart() const { return FSelStart; }
  int SelLength() const { return FSelLength; }

  // --- Properties. Setting a property to its current value does nothing. ---
  int IntegerLength() const { return FIntegerLength; }
  void SetIntegerLength(int value);
  int DecimalLength() const { return FDecimalLength; }
  void SetDecimalLength(int value);
  bool Minus() const { return FMinus; }
  void SetMinus(bool value);
  bool Comma() const { return FComma; }
  void SetComma(bool value);
  bool DecimalFixed() const { return FDecimalFixed; }
  void SetDecimalFixed(bool value);
  bool IntegerFixed() const { return FIntegerFixed; }
  void SetIntegerFixed(bool value);
  const std::string& LeftMark() const { return FLeftMark; }
  void SetLeftMark(const std::string& value);
  const std::string& RightMark() const { return FRightMark; }
  void SetRightMark(const std::string& value);
  int TopMargin() const { return FTopMargin; }
  void SetTopMargin(int value);
  int BottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(int value);
  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int value);
  int RightMargin() const { return FRightMargin; }
  void SetRightMargin(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TVertAlignment VertAlignment() const { return FVertAlignment; }
  void SetVertAlignment(TVertAlignment value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value);
  TColor DisabledColor() const { return FDisabledColor; }
  void SetDisabledColor(TColor value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  bool ErrorBeep() const { return FErrorBeep; }
  void SetErrorBeep(bool value) { FErrorBeep = value; }
  bool ImageCopy() const { return FImageCopy; }
  void SetImageCopy(bool value) { FImageCopy = value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value) { FHideSelection = value; }
  bool EnterFocusMove() const { return FEnterFocusMove; }
  void SetEnterFocusMove(bool value) { FEnterFocusMove = value; }
  bool ArrowFocusMove() const { return FArrowFocusMove; }
  void SetArrowFocusMove(bool value) { FArrowFocusMove = value; }
  TSaNumEditOptions Options() const { return FOptions; }
  void SetOptions(TSaNumEditOptions value) { FOptions = value; }
  bool HasOption(TSaNumEditOption o) const { return (FOptions & OptionBit(o)) != 0; }

 private:
  void Rebuild();  // the display string from the value text; a selection follows its length
  void Refilter(); // the value text (and the undo value) through the filter after a rule change
  void Beep() const;
  void Notify() const;
  static void Call(const std::function<void()>& f) { if (f) f(); }
  void Store(const std::string& candidate);
  bool Fits(const std::string& candidate) const;
  void DisplayChanged();

  int FTopMargin = 2, FLeftMargin = 2, FBottomMargin = 2, FRightMargin = 2;
  TAlignment FAlignment = taRightJustify;
  TVertAlignment FVertAlignment = taVCenter;
  bool FMinus = true;
  int FIntegerLength = 9;
  int FDecimalLength = 3;
  std::string FValText;
  bool FErrorBeep = true;
  bool FComma = true;
  TColor FDisabledColor = clGrayText;
  bool FImageCopy = false;
  bool FEnterFocusMove = false;
  std::string FLeftMark;
  bool FArrowFocusMove = false;
  bool FDecimalFixed = false;
  std::string FRightMark;
  TSaNumEditOptions FOptions = kDefaultNumEditOptions;
  bool FIntegerFixed = false;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FReadOnly = false;
  std::string FText;
  int FSelLength = 0;
  int FSelStart = 0;
  bool FHideSelection = true;
  std::string FUndoBuffer;
  bool FCanUndo = false;
};

}  // namespace sm
