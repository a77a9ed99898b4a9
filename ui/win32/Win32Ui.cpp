#include "ui/win32/Win32Ui.h"

#ifndef UNICODE
#define UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "numedit/win32/SaNumEdit.h"
#include "platform/win32/Text.h"
#include "ui/Ui.h"


namespace sm::ui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

const wchar_t kFormClass[] = L"SmForm";
const wchar_t kPanelClass[] = L"SmPanel";
const wchar_t kSpinClass[] = L"SmSpin";
const wchar_t kTimerClass[] = L"SmTimers";
const UINT_PTR kSubclassId = 0x534D;   // "SM"

// One window, destroyed with its owner.
class Window {
 public:
  Window() = default;
  explicit Window(HWND h) : h_(h) {}
  ~Window() { Reset(); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND get() const { return h_; }
  void Reset(HWND h = nullptr) {
    if (h_ && IsWindow(h_)) DestroyWindow(h_);
    h_ = h;
  }

 private:
  HWND h_ = nullptr;
};

class FontHandle {
 public:
  FontHandle() = default;
  ~FontHandle() { Reset(nullptr); }
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  HFONT get() const { return h_; }
  void Reset(HFONT h) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  HFONT h_ = nullptr;
};

class ImageListHandle {
 public:
  ~ImageListHandle() { Reset(nullptr); }
  HIMAGELIST get() const { return h_; }
  void Reset(HIMAGELIST h) {
    if (h_) ImageList_Destroy(h_);
    h_ = h;
  }

 private:
  HIMAGELIST h_ = nullptr;
};

COLORREF ToColorRef(Color c, int fallbackSys) {
  if (c == clDefault) return GetSysColor(fallbackSys);
  if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c);
}

HBRUSH SysBrush(Color c, int fallbackSys) {
  if (c == clDefault) return GetSysColorBrush(fallbackSys);
  if (c & 0x80000000u) return GetSysColorBrush(static_cast<int>(c & 0xFF));
  return nullptr;
}

HBITMAP ToBitmap(const Image& img) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = img.width;
  bi.bmiHeader.biHeight = -img.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp && bits) {
    auto* out = static_cast<std::uint32_t*>(bits);
    for (size_t i = 0; i < img.pixels.size(); ++i) {
      std::uint32_t p = img.pixels[i];
      std::uint32_t a = p >> 24;
      // premultiplied, as image lists expect for 32-bit images with alpha
      std::uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255,
                    b = (p & 0xFF) * a / 255;
      out[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  return bmp;
}

LPCWSTR CursorId(Cursor c) {
  switch (c) {
    case Cursor::HandPoint: return IDC_HAND;
    case Cursor::SizeWE: return IDC_SIZEWE;
    case Cursor::IBeam: return IDC_IBEAM;
    case Cursor::Wait: return IDC_WAIT;
    default: return IDC_ARROW;
  }
}

std::wstring WindowTextOf(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(h, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

LRESULT CALLBACK PeerProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

}  // namespace

// ---------------------------------------------------------------------------------------------
// The peer base: one window, its font, and the shared message handling.

class WinPeer : public Peer {
 public:
  WinPeer(Win32Backend& b, Widget& w) : backend_(b), w_(w) {}
  ~WinPeer() override {
    if (hwnd_.get()) RemoveWindowSubclass(hwnd_.get(), PeerProc, kSubclassId);
  }
  HWND hwnd() const { return hwnd_.get(); }
  Widget& widget() { return w_; }
  bool dead = false;

  // The window children are created in.
  virtual HWND Container() { return hwnd(); }

  void Create(const wchar_t* cls, DWORD style, DWORD exStyle) {
    HWND parent = nullptr;
    if (w_.Parent()) parent = Win32Backend::ContainerOf(*w_.Parent());
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (w_.Visible()) style |= WS_VISIBLE;
    if (!w_.Enabled()) style |= WS_DISABLED;
    Rect r = w_.Bounds();
    HWND h = CreateWindowExW(exStyle, cls, Wide(w_.Caption()).c_str(), style, r.left, r.top, r.width,
                             CreateHeight(), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(backend_.NextControlId())),
                             GetModuleHandleW(nullptr), nullptr);
    if (!h) throw std::runtime_error("CreateWindowEx failed for " + w_.Name);
    Attach(h);
  }

  void Attach(HWND h) {
    hwnd_.Reset(h);
    SetWindowSubclass(h, PeerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ApplyFont();
  }

  virtual int CreateHeight() { return w_.Height(); }

  void ApplyFont() {
    const Font& f = w_.GetFont();
    HFONT h = CreateFontW(-f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, 0,
                          static_cast<BYTE>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH, Wide(f.face).c_str());
    font_.Reset(h);
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(h), TRUE);
  }

  void Sync(Prop what, int index) override {
    if (!hwnd()) return;
    syncing_ = true;
    switch (what) {
      case Prop::Bounds: {
        Rect r = w_.Bounds();
        SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, CreateHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case Prop::Visible: ShowWindow(hwnd(), w_.Visible() ? SW_SHOWNA : SW_HIDE); break;
      case Prop::Enabled: EnableWindow(hwnd(), w_.Enabled()); break;
      case Prop::Caption: SetWindowTextW(hwnd(), Wide(w_.Caption()).c_str()); break;
      case Prop::Font: ApplyFont(); InvalidateRect(hwnd(), nullptr, TRUE); break;
      case Prop::Color: InvalidateRect(hwnd(), nullptr, TRUE); break;
      default: SyncOwn(what, index); break;
    }
    syncing_ = false;
  }
  virtual void SyncOwn(Prop, int) {}
  void Focus() override { ::SetFocus(hwnd()); }
  bool ToScreen(Point& p) override {
    POINT pt{p.x, p.y};
    if (!::ClientToScreen(hwnd(), &pt)) return false;
    p = {pt.x, pt.y};
    return true;
  }

  // Notifications from the parent window about this control.
  virtual bool OnCommand(WORD, LRESULT&) { return false; }
  virtual bool OnNotify(NMHDR*, LRESULT&) { return false; }
  virtual bool OnScroll(LRESULT&) { return false; }
  virtual bool ColorsEdit() { return false; }   // answers the colour message of an edit field
  virtual bool OnCtlColor(HDC dc, LRESULT& result) {
    SetTextColor(dc, ToColorRef(w_.GetFont().color, COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    Widget* p = w_.Parent();
    HBRUSH br = p ? SysBrush(p->GetColor(), COLOR_BTNFACE) : GetSysColorBrush(COLOR_BTNFACE);
    if (!br) br = GetSysColorBrush(COLOR_BTNFACE);
    result = reinterpret_cast<LRESULT>(br);
    return true;
  }

  // This window's own messages; false: default handling.
  virtual bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_SETFOCUS: w_.UserFocus(true); return false;
      case WM_KILLFOCUS: w_.UserFocus(false); return false;
      case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
          Cursor c = backend_.ScreenCursor() != Cursor::Default ? backend_.ScreenCursor() : w_.GetCursor();
          if (c != Cursor::Default) {
            SetCursor(LoadCursorW(nullptr, CursorId(c)));
            result = TRUE;
            return true;
          }
        }
        return false;
      case WM_MOUSEMOVE:
        if (!tracking_) {
          TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, hwnd(), 0};
          tracking_ = TrackMouseEvent(&t);
          w_.UserMouseEnter();
        }
        w_.UserMouseMove(ShiftOf(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return false;
      case WM_MOUSELEAVE:
        tracking_ = false;
        w_.UserMouseLeave();
        return false;
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
        w_.UserMouseDown(msg == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right, ShiftOf(wp),
                         GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return false;
      case WM_LBUTTONUP: case WM_RBUTTONUP:
        w_.UserMouseUp(msg == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right, ShiftOf(wp),
                       GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return false;
      default:
        return false;
    }
  }

  static unsigned ShiftOf(WPARAM wp) {
    unsigned s = 0;
    if (wp & MK_SHIFT) s |= ssShift;
    if (wp & MK_CONTROL) s |= ssCtrl;
    if (wp & MK_LBUTTON) s |= ssLeft;
    if (wp & MK_RBUTTON) s |= ssRight;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
  }

 protected:
  Win32Backend& backend_;
  Widget& w_;
  Window hwnd_;
  FontHandle font_;
  bool syncing_ = false;
  bool tracking_ = false;
};

namespace {

WinPeer* PeerOf(HWND h) {
  DWORD_PTR data = 0;
  if (h && GetWindowSubclass(h, PeerProc, kSubclassId, &data)) return reinterpret_cast<WinPeer*>(data);
  return nullptr;
}

// The one window procedure of all peers: notifications about a child go to the child's peer,
// the rest to the window's own peer, then to the default handling.
LRESULT CALLBACK PeerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<WinPeer*>(data);
  if (self->dead) return DefSubclassProc(h, msg, wp, lp);
  LRESULT result = 0;
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        if (WinPeer* child = PeerOf(reinterpret_cast<HWND>(lp)); child && !child->dead) {
          if (child->OnCommand(HIWORD(wp), result)) return result;
          return DefSubclassProc(h, msg, wp, lp);
        }
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (WinPeer* child = PeerOf(hdr->hwndFrom); child && !child->dead && child != self) {
        if (child->OnNotify(hdr, result)) return result;
        return DefSubclassProc(h, msg, wp, lp);
      }
      break;
    }
    case WM_HSCROLL: case WM_VSCROLL:
      if (WinPeer* child = PeerOf(reinterpret_cast<HWND>(lp)); child && !child->dead) {
        if (child->OnScroll(result)) return result;
      }
      break;
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT:
      if (WinPeer* child = PeerOf(reinterpret_cast<HWND>(lp)); child && !child->dead) {
        if (msg == WM_CTLCOLOREDIT && !child->ColorsEdit()) break;
        if (child->OnCtlColor(reinterpret_cast<HDC>(wp), result)) return result;
      }
      break;
    default:
      break;
  }
  if (self->Handle(msg, wp, lp, result)) return result;
  return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Peers of the concrete widgets.

namespace {

DWORD FormStyle(const TForm& f) {
  DWORD s = WS_CLIPCHILDREN | WS_CAPTION;
  if (f.BorderIcons & biSystemMenu) s |= WS_SYSMENU;
  if (f.BorderIcons & biMinimize) s |= WS_MINIMIZEBOX;
  if (f.BorderIcons & biMaximize) s |= WS_MAXIMIZEBOX;
  if (f.Border == BorderStyle::Sizeable) s |= WS_THICKFRAME;
  if (f.Border == BorderStyle::None) s = WS_POPUP | WS_CLIPCHILDREN;
  return s;
}
DWORD FormExStyle(const TForm& f) {
  DWORD s = WS_EX_CONTROLPARENT;
  if (f.Border == BorderStyle::Dialog || f.BorderIcons == 0) s |= WS_EX_DLGMODALFRAME;
  if (f.StayOnTop) s |= WS_EX_TOPMOST;
  return s;
}

class FormPeer : public WinPeer {
 public:
  FormPeer(Win32Backend& b, TForm& f) : WinPeer(b, f), f_(f) {
    Rect r = f.Bounds();
    HWND owner = GetActiveWindow();
    HWND h = CreateWindowExW(FormExStyle(f), kFormClass, Wide(f.Caption()).c_str(), FormStyle(f),
                             r.left, r.top, r.width, r.height, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!h) throw std::runtime_error("CreateWindowEx failed for form " + f.Name);
    Attach(h);
  }
  void SyncOwn(Prop, int) override {}
  void Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    if (Widget* fw = f_.FocusedWidget(); fw && Win32Backend::WindowOf(*fw))
      first = Win32Backend::WindowOf(*fw);
    if (first) ::SetFocus(first);
  }
  void Sync(Prop what, int index) override {
    if (what == Prop::Bounds) {
      Rect r = f_.Bounds();
      SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    if (what == Prop::Visible) {
      ShowWindow(hwnd(), f_.Visible() ? SW_SHOW : SW_HIDE);
      return;
    }
    WinPeer::Sync(what, index);
  }
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    switch (msg) {
      case WM_COMMAND:
        if (lp == 0 && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
          f_.UserKey(LOWORD(wp) == IDOK ? Key::Enter : Key::Escape);
          return true;
        }
        return false;
      case WM_CLOSE:
        f_.UserCloseBox();
        return true;
      case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) f_.UserActivate();
        return false;
      case WM_GETMINMAXINFO: {
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        const SizeConstraints& c = f_.Constraints;
        if (c.minWidth) mm->ptMinTrackSize.x = c.minWidth;
        if (c.minHeight) mm->ptMinTrackSize.y = c.minHeight;
        if (c.maxWidth) mm->ptMaxTrackSize.x = c.maxWidth;
        if (c.maxHeight) mm->ptMaxTrackSize.y = c.maxHeight;
        return true;
      }
      case WM_WINDOWPOSCHANGED: {
        if (IsIconic(hwnd())) return false;
        RECT wr;
        GetWindowRect(hwnd(), &wr);
        Rect r{wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top};
        int oldW = f_.ClientWidth(), oldH = f_.ClientHeight();
        f_.UserBounds(r);
        if ((f_.ClientWidth() != oldW || f_.ClientHeight() != oldH) && f_.OnResize)
          f_.Dispatch([this] { f_.OnResize(); });
        return false;
      }
      default:
        return WinPeer::Handle(msg, wp, lp, result);
    }
  }

 private:
  TForm& f_;
};

class ButtonPeer : public WinPeer {
 public:
  ButtonPeer(Win32Backend& b, TButton& w) : WinPeer(b, w), b_(w) {
    Create(L"BUTTON", WS_TABSTOP | (w.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0);
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == BN_CLICKED) b_.UserPress();
    return true;
  }

 private:
  TButton& b_;
};

class SpeedButtonPeer : public WinPeer {
 public:
  SpeedButtonPeer(Win32Backend& b, TSpeedButton& w) : WinPeer(b, w), b_(w) {
    DWORD style = WS_TABSTOP | (w.Toggle ? (BS_CHECKBOX | BS_PUSHLIKE) : BS_PUSHBUTTON);
    if (!w.Glyph.pixels.empty() && w.Caption().empty()) style |= BS_BITMAP;
    Create(L"BUTTON", style, 0);
    SyncOwn(Prop::Style, -1);
    SyncOwn(Prop::State, -1);
  }
  ~SpeedButtonPeer() override {
    if (bitmap_) DeleteObject(bitmap_);
  }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::State) SendMessageW(hwnd(), BM_SETCHECK, b_.Down() ? BST_CHECKED : BST_UNCHECKED, 0);
    if (what == Prop::Style && !b_.Glyph.pixels.empty()) {
      HBITMAP bmp = ToBitmap(b_.Glyph);
      SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
      if (bitmap_) DeleteObject(bitmap_);
      bitmap_ = bmp;
    }
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == BN_CLICKED) b_.UserPress();
    return true;
  }

 private:
  TSpeedButton& b_;
  HBITMAP bitmap_ = nullptr;
};

class CheckBoxPeer : public WinPeer {
 public:
  CheckBoxPeer(Win32Backend& b, TCheckBox& w) : WinPeer(b, w), c_(w) {
    Create(L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0);
    SyncOwn(Prop::State, -1);
  }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::State) SendMessageW(hwnd(), BM_SETCHECK, c_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == BN_CLICKED) c_.UserPress();
    return true;
  }

 private:
  TCheckBox& c_;
};

class RadioPeer : public WinPeer {
 public:
  RadioPeer(Win32Backend& b, TRadioButton& w) : WinPeer(b, w), r_(w) {
    Create(L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0);
    SyncOwn(Prop::State, -1);
  }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::State) SendMessageW(hwnd(), BM_SETCHECK, r_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == BN_CLICKED) r_.UserPress();
    return true;
  }

 private:
  TRadioButton& r_;
};

class ComboPeer : public WinPeer {
 public:
  ComboPeer(Win32Backend& b, TComboBox& w) : WinPeer(b, w), c_(w) {
    Create(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0);
    SyncOwn(Prop::Items, -1);
  }
  int CreateHeight() override { return w_.Height() + 18 * (static_cast<TComboBox&>(w_).DropDownCount + 1); }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::Items) {
      SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
      for (const std::string& s : c_.Items())
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(s).c_str()));
    }
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(c_.ItemIndex()), 0);
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == CBN_SELCHANGE && !syncing_) {
      int i = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
      if (!c_.UserSelect(i)) SyncOwn(Prop::State, -1);
    }
    return true;
  }

 private:
  TComboBox& c_;
};

class EditPeer : public WinPeer {
 public:
  EditPeer(Win32Backend& b, TEdit& w) : WinPeer(b, w), e_(w) {
    Create(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | (w.ReadOnly() ? ES_READONLY : 0), WS_EX_CLIENTEDGE);
    SyncOwn(Prop::State, -1);
  }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::State) SetWindowTextW(hwnd(), Wide(e_.Text()).c_str());
    if (what == Prop::Style) {
      SendMessageW(hwnd(), EM_SETREADONLY, e_.ReadOnly(), 0);
      InvalidateRect(hwnd(), nullptr, TRUE);
    }
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == EN_CHANGE && !syncing_) {
      syncing_ = true;
      e_.UserSetText(Narrow(WindowTextOf(hwnd())));
      syncing_ = false;
    }
    return true;
  }
  bool ColorsEdit() override { return e_.ReadOnly() || e_.GetColor() != clDefault; }
  bool OnCtlColor(HDC dc, LRESULT& result) override {   // read-only and coloured edits
    SetTextColor(dc, ToColorRef(w_.GetFont().color, COLOR_WINDOWTEXT));
    COLORREF bk = ToColorRef(w_.GetColor(), e_.ReadOnly() ? COLOR_BTNFACE : COLOR_WINDOW);
    SetBkColor(dc, bk);
    brush_.Reset(CreateSolidBrush(bk));
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
  }

 private:
  struct Brush {
    HBRUSH h = nullptr;
    ~Brush() { Reset(nullptr); }
    void Reset(HBRUSH n) { if (h) DeleteObject(h); h = n; }
    HBRUSH get() const { return h; }
  };
  TEdit& e_;
  Brush brush_;
};

class LabelPeer : public WinPeer {
 public:
  LabelPeer(Win32Backend& b, TLabel& w) : WinPeer(b, w), l_(w) {
    DWORD align = w.Alignment == TextAlign::Center ? SS_CENTER : w.Alignment == TextAlign::Right ? SS_RIGHT : SS_LEFT;
    Create(L"STATIC", SS_NOTIFY | align | (w.WordWrap ? 0 : SS_LEFTNOWORDWRAP * (align == SS_LEFT)), 0);
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == STN_CLICKED) l_.UserPress();
    return true;
  }

 private:
  TLabel& l_;
};

// Panels are drawn by the peer: background, two bevels, centred caption.
class PanelPeer : public WinPeer {
 public:
  PanelPeer(Win32Backend& b, TPanel& w) : WinPeer(b, w), p_(w) {
    Create(kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
  }
  void SyncOwn(Prop, int) override { InvalidateRect(hwnd(), nullptr, TRUE); }
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    switch (msg) {
      case WM_ERASEBKGND: result = 1; return true;
      case WM_PAINT: Paint(); return true;
      case WM_LBUTTONDOWN: SetCapture(hwnd()); break;
      case WM_LBUTTONUP: {
        bool captured = GetCapture() == hwnd();
        if (captured) ReleaseCapture();
        WinPeer::Handle(msg, wp, lp, result);
        RECT rc;
        GetClientRect(hwnd(), &rc);
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (PtInRect(&rc, pt) && !dead) p_.UserPress();
        return true;
      }
      default: break;
    }
    return WinPeer::Handle(msg, wp, lp, result);
  }
  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    HBRUSH sys = SysBrush(p_.GetColor(), COLOR_BTNFACE);
    HBRUSH own = sys ? nullptr : CreateSolidBrush(static_cast<COLORREF>(p_.GetColor()));
    FillRect(dc, &rc, sys ? sys : own);
    if (own) DeleteObject(own);
    if (p_.BevelOuter != Bevel::None) {
      DrawEdge(dc, &rc, p_.BevelOuter == Bevel::Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    if (p_.BevelInner != Bevel::None) {
      DrawEdge(dc, &rc, p_.BevelInner == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
    }
    if (!p_.Caption().empty()) {
      HGDIOBJ old = SelectObject(dc, font_.get());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ToColorRef(p_.GetFont().color, COLOR_WINDOWTEXT));
      std::wstring t = Wide(p_.Caption());
      DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(dc, old);
    }
    EndPaint(hwnd(), &ps);
  }

 private:
  TPanel& p_;
};

class GroupBoxPeer : public WinPeer {
 public:
  GroupBoxPeer(Win32Backend& b, TGroupBox& w) : WinPeer(b, w) {
    Create(L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
  }
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg == WM_NCHITTEST) {   // the frame takes the mouse, so the box is no hole in the form
      result = HTCLIENT;
      return true;
    }
    if (msg == WM_ERASEBKGND) {   // the box draws only its frame; its inside is the parent's colour
      RECT rc;
      GetClientRect(hwnd(), &rc);
      Widget* p = w_.Parent();
      HBRUSH br = p ? SysBrush(p->GetColor(), COLOR_BTNFACE) : nullptr;
      FillRect(reinterpret_cast<HDC>(wp), &rc, br ? br : GetSysColorBrush(COLOR_BTNFACE));
      result = 1;
      return true;
    }
    if (msg == WM_PAINT) {   // some button implementations paint the group box without erasing
      RECT rc;
      if (GetUpdateRect(hwnd(), &rc, FALSE)) {
        HDC dc = GetDC(hwnd());
        SendMessageW(hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(hwnd(), dc);
      }
      return false;
    }
    return WinPeer::Handle(msg, wp, lp, result);
  }
};

class TabPeer : public WinPeer {
 public:
  TabPeer(Win32Backend& b, TTabControl& w) : WinPeer(b, w), t_(w) {
    Create(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    SyncOwn(Prop::Items, -1);
  }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::Items) {
      TabCtrl_DeleteAllItems(hwnd());
      int i = 0;
      for (const std::string& s : t_.Tabs()) {
        std::wstring ws = Wide(s);
        TCITEMW it{};
        it.mask = TCIF_TEXT;
        it.pszText = ws.data();
        SendMessageW(hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(i++), reinterpret_cast<LPARAM>(&it));
      }
    }
    TabCtrl_SetCurSel(hwnd(), t_.TabIndex());
  }
  bool OnNotify(NMHDR* hdr, LRESULT& result) override {
    result = 0;
    if (hdr->code == TCN_SELCHANGE && !syncing_) {
      int i = TabCtrl_GetCurSel(hwnd());
      if (!t_.UserSelect(i)) SyncOwn(Prop::State, -1);
    }
    return true;
  }

 private:
  TTabControl& t_;
};

class ListViewPeer : public WinPeer {
 public:
  ListViewPeer(Win32Backend& b, TListView& w) : WinPeer(b, w), l_(w) {
    Create(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
    SyncOwn(Prop::Items, -1);
  }
  void SyncOwn(Prop what, int index) override {
    HWND h = hwnd();
    DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | (l_.GridLines ? LVS_EX_GRIDLINES : 0);
    ListView_SetExtendedListViewStyle(h, ex);
    SyncImages();
    if (what == Prop::Items) {
      ListView_DeleteAllItems(h);
      while (ListView_DeleteColumn(h, 0)) {}
      int c = 0;
      for (const TListColumn& col : l_.Columns()) {
        std::wstring cap = Wide(col.caption);
        LVCOLUMNW lc{};
        lc.mask = LVCF_TEXT | LVCF_WIDTH;
        lc.pszText = cap.data();
        lc.cx = col.width;
        SendMessageW(h, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c++), reinterpret_cast<LPARAM>(&lc));
      }
      for (int r = 0; r < l_.Count(); ++r) {
        LVITEMW it{};
        it.mask = LVIF_TEXT;
        it.iItem = r;
        std::wstring empty;
        it.pszText = empty.data();
        SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
        SetRow(r);
      }
      SyncSelection();
    } else if (what == Prop::Row) {
      if (index >= 0 && index < l_.Count()) SetRow(index);
    } else if (what == Prop::State) {
      SyncSelection();
      if (index >= 0) ListView_EnsureVisible(h, index, FALSE);
    }
  }
  void SyncImages() {
    if (l_.SmallImages && l_.SmallImages->Version() + 1 != smallVersion_) {
      small_.Reset(Build(*l_.SmallImages));
      smallVersion_ = l_.SmallImages->Version() + 1;
      ListView_SetImageList(hwnd(), small_.get(), LVSIL_SMALL);
    }
    if (l_.StateImages && l_.StateImages->Version() + 1 != stateVersion_) {
      state_.Reset(Build(*l_.StateImages));
      stateVersion_ = l_.StateImages->Version() + 1;
      ListView_SetImageList(hwnd(), state_.get(), LVSIL_STATE);
    }
  }
  static HIMAGELIST Build(const TImageList& list) {
    HIMAGELIST il = ImageList_Create(list.Width(), list.Height(), ILC_COLOR32, list.Count(), 4);
    for (int i = 0; i < list.Count(); ++i) {
      HBITMAP bmp = ToBitmap(list.At(i));
      ImageList_Add(il, bmp, nullptr);
      DeleteObject(bmp);
    }
    return il;
  }
  void SetRow(int r) {
    HWND h = hwnd();
    const TListItem& item = l_.Item(r);
    std::wstring cap = Wide(item.caption);
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    it.iItem = r;
    it.pszText = cap.data();
    it.iImage = item.imageIndex;
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(item.stateIndex >= 0 ? item.stateIndex + 1 : 0);
    SendMessageW(h, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    for (size_t s = 0; s < item.subItems.size() && s + 1 < l_.Columns().size(); ++s) {
      std::wstring t = Wide(item.subItems[s]);
      LVITEMW si{};
      si.mask = LVIF_TEXT | LVIF_IMAGE;
      si.iItem = r;
      si.iSubItem = static_cast<int>(s + 1);
      si.pszText = t.data();
      si.iImage = s < item.subItemImages.size() ? item.subItemImages[s] : -1;
      SendMessageW(h, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&si));
    }
  }
  void SyncSelection() {
    ListView_SetItemState(hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (l_.Selected() >= 0)
      ListView_SetItemState(hwnd(), l_.Selected(), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  int HitRow(LPARAM lp) {
    LVHITTESTINFO hi{};
    hi.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    int r = static_cast<int>(SendMessageW(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hi)));
    if (r < 0) {   // beside the texts of a row, still on the row
      hi.pt.x = 2;
      r = static_cast<int>(SendMessageW(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hi)));
    }
    return r;
  }
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    switch (msg) {
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_LBUTTONDBLCLK: {
        ::SetFocus(hwnd());
        SetCapture(hwnd());
        l_.UserPressRow(HitRow(lp), msg == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Left,
                        GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        result = 0;
        return true;
      }
      case WM_LBUTTONUP: case WM_RBUTTONUP:
        if (GetCapture() == hwnd()) ReleaseCapture();
        l_.UserReleaseRow(msg == WM_RBUTTONUP ? MouseButton::Right : MouseButton::Left,
                          GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        result = 0;
        return true;
      case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->code == HDN_ITEMCHANGINGW || hdr->code == HDN_ITEMCHANGINGA) {
          auto* nh = reinterpret_cast<NMHEADERW*>(lp);
          if (nh->pitem && (nh->pitem->mask & HDI_WIDTH) && nh->iItem < static_cast<int>(l_.Columns().size())) {
            const TListColumn& c = l_.Columns()[nh->iItem];
            if (c.minWidth && nh->pitem->cxy < c.minWidth) nh->pitem->cxy = c.minWidth;
            if (c.maxWidth && nh->pitem->cxy > c.maxWidth) nh->pitem->cxy = c.maxWidth;
          }
          return false;
        }
        if (hdr->code == HDN_ITEMCHANGEDW || hdr->code == HDN_ITEMCHANGEDA) {
          auto* nh = reinterpret_cast<NMHEADERW*>(lp);
          if (!syncing_ && nh->iItem >= 0 && nh->iItem < static_cast<int>(l_.Columns().size()))
            l_.UserResizeColumn(nh->iItem, ListView_GetColumnWidth(hwnd(), nh->iItem));
          return false;
        }
        return false;
      }
      default:
        return WinPeer::Handle(msg, wp, lp, result);
    }
  }
  bool OnNotify(NMHDR* hdr, LRESULT& result) override {
    result = 0;
    switch (hdr->code) {
      case LVN_COLUMNCLICK:
        l_.UserColumnClick(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
        return true;
      case LVN_ITEMCHANGED: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        if (!syncing_ && (nm->uChanged & LVIF_STATE) && (nm->uNewState & LVIS_SELECTED) &&
            !(nm->uOldState & LVIS_SELECTED))
          l_.UserSelectedByKey(nm->iItem);
        return true;
      }
      case NM_CUSTOMDRAW: {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        switch (cd->nmcd.dwDrawStage) {
          case CDDS_PREPAINT: result = CDRF_NOTIFYITEMDRAW; return true;
          case CDDS_ITEMPREPAINT: result = CDRF_NOTIFYSUBITEMDRAW; return true;
          case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            int row = static_cast<int>(cd->nmcd.dwItemSpec);
            Color c = row < l_.Count() ? l_.TextColor(row, cd->iSubItem) : clDefault;
            cd->clrText = ToColorRef(c, COLOR_WINDOWTEXT);
            result = CDRF_DODEFAULT;
            return true;
          }
          default: result = CDRF_DODEFAULT; return true;
        }
      }
      default:
        return false;
    }
  }

 private:
  TListView& l_;
  ImageListHandle small_, state_;
  unsigned smallVersion_ = 0, stateVersion_ = 0;
};

class UpDownPeer : public WinPeer {
 public:
  UpDownPeer(Win32Backend& b, TUpDown& w) : WinPeer(b, w), u_(w) {
    Create(UPDOWN_CLASSW, UDS_ARROWKEYS, 0);
    SyncOwn(Prop::Items, -1);
  }
  void SyncOwn(Prop, int) override {
    SendMessageW(hwnd(), UDM_SETRANGE32, static_cast<WPARAM>(u_.Min()), static_cast<LPARAM>(u_.Max()));
    SendMessageW(hwnd(), UDM_SETPOS32, 0, static_cast<LPARAM>(u_.Position()));
  }
  bool OnNotify(NMHDR* hdr, LRESULT& result) override {
    if (hdr->code != UDN_DELTAPOS) return false;
    auto* nm = reinterpret_cast<NMUPDOWN*>(hdr);
    result = TRUE;   // the widget decides the new position
    if (nm->iDelta != 0) u_.UserStep(nm->iDelta > 0 ? UpDownButton::Next : UpDownButton::Prev);
    return true;
  }

 private:
  TUpDown& u_;
};

// Two arrows drawn by the peer; the repeat while held is the widget's.
class SpinPeer : public WinPeer {
 public:
  SpinPeer(Win32Backend& b, TSpinButton& w) : WinPeer(b, w), s_(w) { Create(kSpinClass, 0, 0); }
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    switch (msg) {
      case WM_ERASEBKGND: result = 1; return true;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        RECT rc;
        GetClientRect(hwnd(), &rc);
        RECT up = rc, down = rc;
        up.bottom = rc.bottom / 2;
        down.top = up.bottom;
        DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | (pressed_ == 1 ? DFCS_PUSHED : 0) |
                                                  (w_.EffectivelyEnabled() ? 0 : DFCS_INACTIVE));
        DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | (pressed_ == 2 ? DFCS_PUSHED : 0) |
                                                    (w_.EffectivelyEnabled() ? 0 : DFCS_INACTIVE));
        EndPaint(hwnd(), &ps);
        return true;
      }
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: {
        RECT rc;
        GetClientRect(hwnd(), &rc);
        bool up = GET_Y_LPARAM(lp) < rc.bottom / 2;
        SetCapture(hwnd());
        pressed_ = up ? 1 : 2;
        InvalidateRect(hwnd(), nullptr, FALSE);
        WinPeer::Handle(WM_LBUTTONDOWN, wp, lp, result);
        if (!dead) s_.UserPressArrow(up);
        return true;
      }
      case WM_LBUTTONUP:
        if (GetCapture() == hwnd()) ReleaseCapture();   // WM_CAPTURECHANGED releases the arrow
        WinPeer::Handle(msg, wp, lp, result);
        return true;
      case WM_CAPTURECHANGED:
        pressed_ = 0;
        InvalidateRect(hwnd(), nullptr, FALSE);
        s_.UserReleaseArrow();
        return true;
      default:
        return WinPeer::Handle(msg, wp, lp, result);
    }
  }

 private:
  TSpinButton& s_;
  int pressed_ = 0;
};

class TrackBarPeer : public WinPeer {
 public:
  TrackBarPeer(Win32Backend& b, TTrackBar& w) : WinPeer(b, w), t_(w) {
    Create(TRACKBAR_CLASSW, WS_TABSTOP | TBS_AUTOTICKS | TBS_HORZ, 0);
    SyncOwn(Prop::Items, -1);
  }
  void SyncOwn(Prop, int) override {
    SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, t_.Min());
    SendMessageW(hwnd(), TBM_SETRANGEMAX, FALSE, t_.Max());
    SendMessageW(hwnd(), TBM_SETTICFREQ, static_cast<WPARAM>(t_.Frequency), 0);
    SendMessageW(hwnd(), TBM_SETPOS, TRUE, t_.Position());
  }
  bool OnScroll(LRESULT& result) override {
    result = 0;
    if (!syncing_) t_.UserMove(static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0)));
    return true;
  }

 private:
  TTrackBar& t_;
};

class ProgressPeer : public WinPeer {
 public:
  ProgressPeer(Win32Backend& b, TProgressBar& w) : WinPeer(b, w), p_(w) {
    Create(PROGRESS_CLASSW, 0, 0);
    SyncOwn(Prop::Items, -1);
  }
  void SyncOwn(Prop, int) override {
    SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(p_.Min()), static_cast<LPARAM>(p_.Max()));
    SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(p_.Position()), 0);
  }

 private:
  TProgressBar& p_;
};

class DatePickerPeer : public WinPeer {
 public:
  DatePickerPeer(Win32Backend& b, TDateTimePicker& w) : WinPeer(b, w), d_(w) {
    Create(DATETIMEPICK_CLASSW, WS_TABSTOP | DTS_SHORTDATEFORMAT, 0);
    SyncOwn(Prop::State, -1);
  }
  void SyncOwn(Prop, int) override {
    SYSTEMTIME st{};
    int y, m, d;
    CivilFromDays(static_cast<int>(std::floor(d_.Date())), y, m, d);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(((static_cast<int>(std::floor(d_.Date())) % 7) + 7 + 6) % 7);
    SendMessageW(hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  }
  bool OnNotify(NMHDR* hdr, LRESULT& result) override {
    if (hdr->code != DTN_DATETIMECHANGE) return false;
    result = 0;
    if (syncing_) return true;
    SYSTEMTIME st{};
    if (SendMessageW(hwnd(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
      d_.UserPick(st.wYear, st.wMonth, st.wDay);
    return true;
  }

 private:
  TDateTimePicker& d_;
};

// The self-drawn numeric field. The widget's rules and text go to the control's own model; what
// the user types comes back from the control's EN_CHANGE through UserSetText.
class NumEditPeer : public WinPeer {
 public:
  NumEditPeer(Win32Backend& b, TSaNumEdit& w) : WinPeer(b, w), n_(w) {
    if (!numedit_win32::RegisterSaNumEdit(GetModuleHandleW(nullptr)))
      throw std::runtime_error("RegisterClass failed for " + w.Name);
    Create(numedit_win32::kSaNumEditClass, WS_TABSTOP, WS_EX_CLIENTEDGE);
    control_ = numedit_win32::SaNumEditFromHandle(hwnd());
    if (!control_) throw std::runtime_error("no numeric field behind " + w.Name);
    // The widget's bounds are the field's: the height the control gave itself on creation goes.
    control_->Model().SetAutoSize(false);
    WinPeer::Sync(Prop::Bounds, -1);
    SyncOwn(Prop::Style, -1);
  }
  void Sync(Prop what, int index) override {
    WinPeer::Sync(what, index);
    if (what == Prop::Color || what == Prop::Font) ApplyColors();
  }
  void SyncOwn(Prop what, int) override {
    if (what == Prop::Style) {
      const TNumTextModel& from = n_.Model();
      TNumTextModel& to = control_->Model();
      to.SetIntegerLength(from.IntegerLength());
      to.SetDecimalLength(from.DecimalLength());
      to.SetMinus(from.Minus());
      to.SetComma(from.Comma());
      to.SetReadOnly(from.ReadOnly());
      ApplyColors();
    }
    if (what == Prop::Style || what == Prop::State)
      SetWindowTextW(hwnd(), Wide(n_.Text()).c_str());
  }
  bool OnCommand(WORD code, LRESULT&) override {
    if (code == EN_CHANGE) Report();
    return true;
  }
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != WM_KILLFOCUS) return WinPeer::Handle(msg, wp, lp, result);
    // Leaving the field empties a lone minus sign without a change message of the control's;
    // the widget hears of it before its OnExit.
    result = DefSubclassProc(hwnd(), msg, wp, lp);
    if (control_->Model().Text() != n_.Text()) Report();
    WinPeer::Handle(msg, wp, lp, result);
    return true;
  }

 private:
  void Report() {
    if (syncing_) return;
    syncing_ = true;
    n_.UserSetText(control_->Model().Text());
    syncing_ = false;
  }
  static sm::TColor ToControlColor(Color c) {
    if (c & 0x80000000u) return static_cast<sm::TColor>(0xFF000000u | (c & 0xFFu));
    return static_cast<sm::TColor>(c);
  }
  // A read-only field in the default colour is greyed as a read-only edit is.
  void ApplyColors() {
    Color back = n_.GetColor();
    if (back == clDefault) back = n_.ReadOnly() ? clBtnFace : clWindow;
    Color text = n_.GetFont().color;
    if (text == clDefault) text = clWindowText;
    control_->SetColor(ToControlColor(back));
    control_->SetFontColor(ToControlColor(text));
  }
  TSaNumEdit& n_;
  numedit_win32::TSaNumEdit* control_ = nullptr;
};

// The hidden window that receives the timers of the thread.
LRESULT CALLBACK TimerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* b = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (b) b->RunTimer(static_cast<TimerId>(wp));
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

void RegisterClasses() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
  wc.lpszClassName = kPanelClass;
  wc.hbrBackground = nullptr;
  RegisterClassExW(&wc);
  wc.style = CS_DBLCLKS;
  wc.lpszClassName = kSpinClass;
  RegisterClassExW(&wc);
  wc.style = 0;
  wc.lpfnWndProc = TimerProc;
  wc.lpszClassName = kTimerClass;
  RegisterClassExW(&wc);
}

void ForEachPreOrder(Widget& w, const std::function<void(Widget&)>& fn) {
  fn(w);
  for (Widget* c : w.Children()) ForEachPreOrder(*c, fn);
}

void TakePeersPostOrder(Widget& w, std::vector<std::unique_ptr<Peer>>& into) {
  for (Widget* c : w.Children()) TakePeersPostOrder(*c, into);
  if (auto p = w.TakePeer()) {
    if (auto* wp = dynamic_cast<WinPeer*>(p.get())) wp->dead = true;
    into.push_back(std::move(p));
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

Win32Backend::Win32Backend() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                            ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                            ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  RegisterClasses();
  timerWindow_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Backend::~Win32Backend() {
  for (auto& [id, fn] : timers_) KillTimer(timerWindow_, id);
  graveyard_.clear();
  DestroyWindow(timerWindow_);
}

HWND__* Win32Backend::WindowOf(const Widget& w) {
  auto* p = dynamic_cast<WinPeer*>(w.GetPeer());
  return p ? p->hwnd() : nullptr;
}

HWND__* Win32Backend::ContainerOf(const Widget& w) {
  auto* p = dynamic_cast<WinPeer*>(w.GetPeer());
  return p ? p->Container() : nullptr;
}

void Win32Backend::CreatePeers(TForm& form) {
  FreeGraveyard();
  ForEachPreOrder(form, [this](Widget& w) { w.SetPeer(w.MakePeer(*this)); });
  static_cast<FormPeer*>(form.GetPeer())->Show();
}

void Win32Backend::DestroyPeers(TForm& form) {
  if (HWND h = WindowOf(form)) ShowWindow(h, SW_HIDE);
  TakePeersPostOrder(form, graveyard_);
  if (loopDepth_ == 0) FreeGraveyard();
}

void Win32Backend::FreeGraveyard() { graveyard_.clear(); }

namespace {
struct EnumState {
  HWND except;
  std::vector<HWND>* out;
};
BOOL CALLBACK CollectEnabled(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<EnumState*>(lp);
  if (h != s->except && IsWindowVisible(h) && IsWindowEnabled(h)) s->out->push_back(h);
  return TRUE;
}
}  // namespace

void Win32Backend::BeginModal(TForm& form) {
  std::vector<HWND> off;
  EnumState s{WindowOf(form), &off};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&s));
  for (HWND h : off) EnableWindow(h, FALSE);
  disabled_.push_back(std::move(off));
}

void Win32Backend::EndModal(TForm&) {
  if (disabled_.empty()) return;
  for (HWND h : disabled_.back())
    if (IsWindow(h)) EnableWindow(h, TRUE);
  disabled_.pop_back();
}

void Win32Backend::RunLoop(TForm& form, const std::function<bool()>& done) {
  ++loopDepth_;
  MSG m;
  while (!done()) {
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(m.wParam));   // pass the quit on
      break;
    }
    HWND top = WindowOf(form);
    if (top && IsDialogMessageW(top, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  --loopDepth_;
  if (loopDepth_ == 0) FreeGraveyard();
}

bool Win32Backend::Blocked(const TForm& form) {
  HWND h = WindowOf(form);
  return h && !IsWindowEnabled(h);
}

FrameSize Win32Backend::Frame(const TForm& form) {
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, FormStyle(form), FALSE, FormExStyle(form));
  return {r.right - r.left - 100, r.bottom - r.top - 100};
}

Rect Win32Backend::WorkArea() {
  RECT r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Point Win32Backend::CursorPos() {
  POINT p;
  GetCursorPos(&p);
  return {p.x, p.y};
}

void Win32Backend::SetCursorPos(Point p) { ::SetCursorPos(p.x, p.y); }

void Win32Backend::SetScreenCursor(Cursor c) {
  screenCursor_ = c;
  SetCursor(LoadCursorW(nullptr, CursorId(c)));
}

TimerId Win32Backend::StartTimer(int ms, std::function<void()> fn) {
  TimerId id = nextTimer_++;
  timers_[id] = std::move(fn);
  SetTimer(timerWindow_, id, static_cast<UINT>(ms), nullptr);
  return id;
}

void Win32Backend::StopTimer(TimerId id) {
  KillTimer(timerWindow_, id);
  timers_.erase(id);
}

void Win32Backend::RunTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  auto fn = it->second;   // the callback may stop its own timer
  fn();
}

int Win32Backend::ShowMessage(const MessageRequest& r) {
  UINT flags = MB_TASKMODAL;
  switch (r.icon) {
    case MsgIcon::Error: flags |= MB_ICONERROR; break;
    case MsgIcon::Warning: flags |= MB_ICONWARNING; break;
    case MsgIcon::Information: flags |= MB_ICONINFORMATION; break;
    case MsgIcon::Question: flags |= MB_ICONQUESTION; break;
    default: break;
  }
  switch (r.buttons) {
    case MsgButtons::OkCancel: flags |= MB_OKCANCEL; break;
    case MsgButtons::YesNo: flags |= MB_YESNO; break;
    case MsgButtons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
    case MsgButtons::RetryCancel: flags |= MB_RETRYCANCEL; break;
    case MsgButtons::AbortRetryIgnore: flags |= MB_ABORTRETRYIGNORE; break;
    default: flags |= MB_OK; break;
  }
  if (r.defaultButton == 1) flags |= MB_DEFBUTTON2;
  if (r.defaultButton == 2) flags |= MB_DEFBUTTON3;
  return MessageBoxW(GetActiveWindow(), Wide(r.text).c_str(), Wide(r.caption).c_str(), flags);
}

std::optional<std::vector<std::string>> Win32Backend::OpenFiles(const FileRequest& r) {
  std::wstring filter = Wide(r.filter);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  std::wstring buf(32768, L'\0');
  std::wstring initial = Wide(r.fileName);
  std::copy(initial.begin(), initial.begin() + std::min(initial.size(), buf.size() - 1), buf.begin());
  std::wstring dir = Wide(r.initialDir), title = Wide(r.title);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = r.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(r.filterIndex);
  ofn.lpstrFile = buf.data();
  ofn.nMaxFile = static_cast<DWORD>(buf.size());
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              (r.multiSelect ? OFN_ALLOWMULTISELECT : 0);
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  std::vector<std::string> out;
  std::wstring first(buf.c_str());
  const wchar_t* p = buf.c_str() + first.size() + 1;
  if (!r.multiSelect || *p == L'\0') {
    out.push_back(Narrow(first));
  } else {   // the folder, then the names
    std::wstring folder = first;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    while (*p) {
      std::wstring name(p);
      out.push_back(Narrow(folder + name));
      p += name.size() + 1;
    }
  }
  return out;
}

int Win32Backend::TrackPopup(const TPopupMenu& menu, Point screen) {
  struct Menu {
    HMENU h = CreatePopupMenu();
    ~Menu() { DestroyMenu(h); }
  } m;
  for (size_t i = 0; i < menu.Items.size(); ++i) {
    const TMenuItem& it = menu.Items[i];
    if (!it.visible) continue;
    if (it.caption == "-") {
      AppendMenuW(m.h, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuW(m.h, MF_STRING | (it.enabled ? 0 : MF_GRAYED), i + 1, Wide(it.caption).c_str());
  }
  HWND owner = GetActiveWindow();
  if (!owner) owner = timerWindow_;
  SetForegroundWindow(owner);
  int cmd = TrackPopupMenu(m.h, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                           owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  return cmd - 1;
}

std::unique_ptr<Peer> Win32Backend::Make(TForm& w) { return std::make_unique<FormPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TButton& w) { return std::make_unique<ButtonPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TSpeedButton& w) { return std::make_unique<SpeedButtonPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TCheckBox& w) { return std::make_unique<CheckBoxPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TRadioButton& w) { return std::make_unique<RadioPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TComboBox& w) { return std::make_unique<ComboPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TEdit& w) { return std::make_unique<EditPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TLabel& w) { return std::make_unique<LabelPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TPanel& w) { return std::make_unique<PanelPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TGroupBox& w) { return std::make_unique<GroupBoxPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TTabControl& w) { return std::make_unique<TabPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TListView& w) { return std::make_unique<ListViewPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TUpDown& w) { return std::make_unique<UpDownPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TSpinButton& w) { return std::make_unique<SpinPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TTrackBar& w) { return std::make_unique<TrackBarPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TProgressBar& w) { return std::make_unique<ProgressPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TDateTimePicker& w) { return std::make_unique<DatePickerPeer>(*this, w); }
std::unique_ptr<Peer> Win32Backend::Make(TSaNumEdit& w) { return std::make_unique<NumEditPeer>(*this, w); }

}  // namespace sm::ui::win32
