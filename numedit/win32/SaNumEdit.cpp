#include "numedit/win32/SaNumEdit.h"

#include <imm.h>
#include <windowsx.h>

#include <cstring>

#include "platform/win32/Text.h"

namespace sm::numedit_win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

COLORREF Resolve(TColor c) {
  const auto u = static_cast<uint32_t>(c);
  if ((u & 0xFF000000u) != 0) return GetSysColor(static_cast<int>(u & 0xFF));
  return static_cast<COLORREF>(u);
}

RECT ToRect(const TNumRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void DrawOne(HDC dc, const std::string& text, const TNumRect& r) {
  if (text.empty()) return;
  const std::wstring w = Wide(text);
  RECT rc = ToRect(r);
  DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rc,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_NOCLIP);
}

TNumShift ShiftState() {
  TNumShift s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= nsShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= nsCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= nsAlt;
  return s;
}

// The code page 932 code of one UTF-16 character: one byte, two bytes (lead << 8 | trail), or 0
// when it has none.
uint16_t Cp932Code(wchar_t ch) {
  char buf[4] = {};
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &ch, 1, buf, sizeof buf, nullptr,
                                    &lost);
  if (n <= 0 || lost) return 0;
  if (n == 1) return static_cast<uint8_t>(buf[0]);
  return static_cast<uint16_t>((static_cast<uint8_t>(buf[0]) << 8) | static_cast<uint8_t>(buf[1]));
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* control = new TSaNumEdit(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  TSaNumEdit* control = SaNumEditFromHandle(hwnd);
  if (!control) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete control;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return control->Dispatch(msg, wp, lp);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Clipboard

bool TWin32Clipboard::HasText() const {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

std::string TWin32Clipboard::GetText() const {
  std::string out;
  if (!OpenClipboard(FOwner)) return out;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      out = Narrow(std::wstring(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t))));
      GlobalUnlock(h);
    }
  } else if (HANDLE t = GetClipboardData(CF_TEXT)) {
    if (const auto* p = static_cast<const char*>(GlobalLock(t))) {
      out.assign(p, strnlen(p, GlobalSize(t)));  // taken as code page 932 bytes
      GlobalUnlock(t);
    }
  }
  CloseClipboard();
  return out;
}

void TWin32Clipboard::SetText(const std::string& text) {
  if (!OpenClipboard(FOwner)) return;
  EmptyClipboard();
  const std::wstring w = Wide(text);
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t))) {
    std::memcpy(GlobalLock(h), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);
  }
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
    GlobalUnlock(h);
    if (!SetClipboardData(CF_TEXT, h)) GlobalFree(h);
  }
  CloseClipboard();
}

// ---------------------------------------------------------------------------------------------
// The control

TSaNumEdit::TSaNumEdit(HWND hwnd) : FHwnd(hwnd), FClipboard(hwnd), FBehavior(FModel, FClipboard) {
  FCanvas = CreateCompatibleDC(nullptr);
  FModel.TextMeasure = [this](const std::string& t) { return Measure(t); };
  FModel.OnChange = [this] {
    if (HWND parent = GetParent(FHwnd))
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(FHwnd), EN_CHANGE),
                   reinterpret_cast<LPARAM>(FHwnd));
  };
  FModel.OnErrorBeep = [] { MessageBeep(MB_OK); };
  FModel.OnRefresh = [this] {
    Invalidate();
    CaretMove();
  };
  FModel.OnInvalidate = [this] { Invalidate(); };
  FModel.OnAutoHeight = [this] { ApplyAutoHeight(); };
  FModel.OnAutoWidth = [] {};  // the width is never changed at run time
  FModel.OnRecreateWnd = [this] { ApplyBorder(); };
  FBehavior.OnInvalidate = [this] { Invalidate(); };
  FBehavior.HasFocus = [this] { return Focused(); };
  FBehavior.OnTakeFocus = [this] { SetFocus(FHwnd); };
  FBehavior.OnMoveFocus = [this](bool next) { return MoveFocus(next); };
  FontChanged(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TSaNumEdit::~TSaNumEdit() {
  if (FCanvas) DeleteDC(FCanvas);
}

int TSaNumEdit::Measure(const std::string& text) const {
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(FCanvas, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cx;
}

void TSaNumEdit::SetColor(TColor c) {
  FColor = c;
  Invalidate();
}

void TSaNumEdit::SetFontColor(TColor c) {
  FFontColor = c;
  Invalidate();
}

void TSaNumEdit::SetCtl3D(bool value) {
  if (FModel.Ctl3D == value) return;
  FModel.Ctl3D = value;
  ApplyBorder();
  ApplyAutoHeight();
}

void TSaNumEdit::ApplyBorder() {
  LONG style = GetWindowLongW(FHwnd, GWL_STYLE) & ~WS_BORDER;
  LONG ex = GetWindowLongW(FHwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE;
  if (FModel.BorderStyle() == bsSingle) {
    if (FModel.Ctl3D) ex |= WS_EX_CLIENTEDGE;
    else style |= WS_BORDER;
  }
  SetWindowLongW(FHwnd, GWL_STYLE, style);
  SetWindowLongW(FHwnd, GWL_EXSTYLE, ex);
  SetWindowPos(FHwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RECT rc{};
  GetClientRect(FHwnd, &rc);
  FModel.ClientWidth = rc.right;
  Invalidate();
}

void TSaNumEdit::ApplyAutoHeight() {
  if (FNowInit || !FModel.AutoSize()) return;
  RECT window{}, client{};
  GetWindowRect(FHwnd, &window);
  GetClientRect(FHwnd, &client);
  const int frame = (window.bottom - window.top) - client.bottom;
  const int height = NumEditAutoHeight(FModel, FFontHeight) + frame;
  if (height == window.bottom - window.top) return;
  SetWindowPos(FHwnd, nullptr, 0, 0, window.right - window.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSaNumEdit::FontChanged(HFONT font) {
  const bool focused = !FNowInit && Focused();
  if (focused) CaretDelete();
  FFont = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SelectObject(FCanvas, FFont);
  SIZE m{};
  GetTextExtentPoint32W(FCanvas, L"M", 1, &m);
  FFontHeight = m.cy;
  LOGFONTW lf{};
  GetObjectW(FFont, sizeof lf, &lf);
  FCaretWidth = lf.lfWeight >= FW_BOLD ? 2 : 1;
  if (!FNowInit) ApplyAutoHeight();
  if (focused) CaretCreate();
  Invalidate();
}

void TSaNumEdit::CaretCreate() {
  CreateCaret(FHwnd, nullptr, FCaretWidth, FFontHeight);
  FHasCaret = true;
  CaretMove();
}

void TSaNumEdit::CaretMove() {
  if (!FHasCaret || !Focused()) return;
  RECT rc{};
  GetClientRect(FHwnd, &rc);
  const TNumPoint p = LayoutNumEdit(FModel, rc.right, rc.bottom, FFontHeight).caret;
  SetCaretPos(p.x, p.y);
  ShowCaret(FHwnd);
  if (HIMC imc = ImmGetContext(FHwnd)) {
    COMPOSITIONFORM cf{};
    cf.dwStyle = CFS_POINT;
    cf.ptCurrentPos = POINT{p.x, p.y};
    ImmSetCompositionWindow(imc, &cf);
    ImmReleaseContext(FHwnd, imc);
  }
}

void TSaNumEdit::CaretDelete() {
  if (!FHasCaret) return;
  HideCaret(FHwnd);
  DestroyCaret();
  FHasCaret = false;
}

void TSaNumEdit::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHwnd, &ps);
  RECT rc{};
  GetClientRect(FHwnd, &rc);
  const bool enabled = IsWindowEnabled(FHwnd) != FALSE;
  HBRUSH back = CreateSolidBrush(Resolve(FColor));
  FillRect(dc, &rc, back);
  DeleteObject(back);

  const TNumEditLayout l = LayoutNumEdit(FModel, rc.right, rc.bottom, FFontHeight);
  FValueTextRect = l.valueText;
  const TNumEditColors colors = NumEditColors(FModel, enabled, FColor, FFontColor);
  RECT fill = ToRect(l.fill);
  HBRUSH brush = CreateSolidBrush(Resolve(colors.background));
  FillRect(dc, &fill, brush);
  DeleteObject(brush);

  HGDIOBJ old = SelectObject(dc, FFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Resolve(colors.text));
  if (l.drawMarks) DrawOne(dc, FModel.LeftMark(), l.leftMark);
  DrawOne(dc, l.number, l.valueText);
  if (l.drawMarks) DrawOne(dc, FModel.RightMark(), l.rightMark);
  SelectObject(dc, old);
  EndPaint(FHwnd, &ps);
}

bool TSaNumEdit::MoveFocus(bool next) {
  HWND form = GetAncestor(FHwnd, GA_ROOT);
  if (!form || form == FHwnd) return false;
  PostMessageW(form, WM_NEXTDLGCTL, next ? 0 : 1, 0);
  return true;
}

void TSaNumEdit::OnChar(wchar_t ch) {
  uint16_t code = ch < 0x80 ? ch : TNumEditBehavior::MapImeChar(Cp932Code(ch));
  // A character without an ASCII form reaches the key handling as a refused character.
  char key = code != 0 && code < 0x80 ? static_cast<char>(code) : '\x7F';
  FBehavior.KeyPress(key);
}

void TSaNumEdit::ShowPopup(int x, int y) {
  const auto items = FBehavior.EditPopupOnPopup();
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (int i = 0; i < kNumPopupItems; ++i) {
    if (std::strcmp(items[i].caption, "-") == 0) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = Wide(items[i].caption);
    AppendMenuW(menu, MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(i + 1), caption.c_str());
  }
  const int cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0,
                                 FHwnd, nullptr);
  DestroyMenu(menu);
  if (cmd > 0 && items[cmd - 1].enabled) FBehavior.EditPopupHandler(cmd - 1);
}

LRESULT TSaNumEdit::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      RECT rc{};
      GetClientRect(FHwnd, &rc);
      FModel.ClientWidth = rc.right;
      FModel.Ctl3D = (GetWindowLongW(FHwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
      if (HWND parent = GetParent(FHwnd)) {
        if (auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)))
          FontChanged(font);
      }
      FNowInit = false;
      ApplyAutoHeight();
      return 0;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return FBehavior.DialogCode();
    case WM_KEYDOWN: {
      auto key = static_cast<uint16_t>(wp);
      if (FBehavior.KeyDown(key, ShiftState())) return 0;
      break;
    }
    case WM_CHAR:
      OnChar(static_cast<wchar_t>(wp));
      return 0;
    case WM_IME_CHAR: {
      const uint16_t mapped = TNumEditBehavior::MapImeChar(Cp932Code(static_cast<wchar_t>(wp)));
      if (mapped < 0x80) return DefWindowProcW(FHwnd, msg, mapped, lp);
      break;
    }
    case WM_GETTEXT: {
      if (wp == 0 || lp == 0) return 0;
      const std::wstring w = Wide(FModel.Text());
      const size_t n = w.size() < wp - 1 ? w.size() : wp - 1;
      auto* out = reinterpret_cast<wchar_t*>(lp);
      std::memcpy(out, w.data(), n * sizeof(wchar_t));
      out[n] = L'\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Wide(FModel.Text()).size());
    case WM_SETTEXT:
      FModel.SetText(lp ? Narrow(reinterpret_cast<const wchar_t*>(lp)) : std::string());
      return TRUE;
    case WM_SIZE:
      FModel.ClientWidth = LOWORD(lp);
      InvalidateRect(FHwnd, nullptr, FALSE);
      UpdateWindow(FHwnd);
      if (Focused()) CaretMove();
      return 0;
    case WM_ENABLE:
      Invalidate();
      return 0;
    case WM_SETFONT:
      FontChanged(reinterpret_cast<HFONT>(wp));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FFont);
    case WM_SETFOCUS:
      CaretCreate();
      FBehavior.DoEnter();
      return 0;
    case WM_KILLFOCUS:
      FBehavior.DoExit();
      CaretDelete();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
      if (!Focused()) SetFocus(FHwnd);
      if (msg == WM_LBUTTONDOWN) {
        HWND fg = GetForegroundWindow();
        const bool own = fg && GetWindowThreadProcessId(fg, nullptr) == GetCurrentThreadId();
        FBehavior.MouseDown(TNumMouseButton::Left, own);
        return 0;
      }
      if (msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
        FBehavior.MouseDown(msg == WM_RBUTTONDOWN ? TNumMouseButton::Right
                                                  : TNumMouseButton::Middle, true);
        return 0;
      }
      break;
    }
    case WM_LBUTTONDBLCLK:
      // The double click arrives in place of the second button-down, which follows it.
      FBehavior.DblClick();
      FBehavior.MouseDown(TNumMouseButton::Left, true);
      return 0;
    case WM_MOUSEMOVE:
      FBehavior.MouseMove((wp & MK_LBUTTON) != 0, GET_X_LPARAM(lp), FValueTextRect.left,
                          FValueTextRect.right);
      return 0;
    case WM_CONTEXTMENU: {
      int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
      if (lp == -1) {
        POINT p{FValueTextRect.left, FValueTextRect.bottom};
        ClientToScreen(FHwnd, &p);
        x = p.x;
        y = p.y;
      }
      if (PopupMenu) {
        if (!Focused()) SetFocus(FHwnd);
        TrackPopupMenu(PopupMenu, TPM_RIGHTBUTTON, x, y, 0,
                       GetParent(FHwnd) ? GetParent(FHwnd) : FHwnd, nullptr);
      } else {
        ShowPopup(x, y);
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(FHwnd, msg, wp, lp);
}

bool RegisterSaNumEdit(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kSaNumEditClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;  // no redraw of the whole window on resizing
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM));
  wc.lpszClassName = kSaNumEditClass;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateSaNumEdit(HWND parent, int id, int x, int y, int width, int height) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterSaNumEdit(instance)) return nullptr;
  return CreateWindowExW(WS_EX_CLIENTEDGE, kSaNumEditClass, L"",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

TSaNumEdit* SaNumEditFromHandle(HWND hwnd) {
  wchar_t name[32] = {};
  if (!hwnd || !GetClassNameW(hwnd, name, 32) || wcscmp(name, kSaNumEditClass) != 0) return nullptr;
  return reinterpret_cast<TSaNumEdit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace sm::numedit_win32
