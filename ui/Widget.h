#pragma once
// The widget layer: the controls the forms are written against, with their properties and events.
// Forms never touch a window handle; a backend (ui/win32 for real windows, ui/headless for tests)
// gives the widgets a peer, runs the modal loop and answers message boxes, file dialogs and menus.
//
// Text is code page 932 bytes (std::string) everywhere in this layer.
//
// Rules shared by every widget and both backends:
//  * Events are std::function members; an empty one is simply not called.
//  * User actions arrive through the widget's User... entry points (called by a Win32 peer when the
//    real control reports the action, or by a test through the headless backend). An entry point on
//    a widget that is not showing (itself or a parent hidden), not enabled (itself or a parent
//    disabled) or on a form blocked by a modal form does nothing and returns false.
//  * Programmatic changes: texts and check states set from code fire their event (an edit's Text,
//    a check box's or radio button's Checked, as a user change would); positions, indices,
//    selections and dates set from code fire nothing (ItemIndex, TabIndex, Position, Selected,
//    Date, a speed button's Down). Setting a property to the value it already has fires nothing.
//  * A user action runs its handlers inside Dispatch: an exception leaving a handler ends in the
//    backend's standard error box (Backend::ShowError) and the program goes on; nothing is
//    swallowed silently. Events fired by a change from code run directly, so their exceptions
//    reach the code that made the change. When the outermost dispatch returns, a form whose
//    ModalResult became non-zero (or whose Close() was called) runs its close sequence (Form.h).
//  * Focus: SetFocus on a shown form moves the focus; OnExit of the old widget fires before
//    OnEnter of the new one.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sm::ui {

class Backend;
class PeerFactory;
class TForm;

// ---------------------------------------------------------------------------------------------
// Small value types

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// 0x00BBGGRR as the platform's colour reference; values with the top bit set name system colours.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Color clDefault = 0xFF000000u;      // the control's own default
constexpr Color clBtnFace = 0x8000000Fu;      // system colour 15
constexpr Color clWindow = 0x80000005u;       // system colour 5
constexpr Color clWindowText = 0x80000008u;   // system colour 8
constexpr Color clGrayText = 0x80000011u;     // system colour 17
constexpr Color clBlack = Rgb(0, 0, 0);
constexpr Color clWhite = Rgb(255, 255, 255);
constexpr Color clBlue = Rgb(0, 0, 255);
constexpr Color clRed = Rgb(255, 0, 0);
constexpr Color clGray = Rgb(128, 128, 128);

constexpr int kShiftJisCharset = 128;
struct Font {
  std::string face = "ＭＳ Ｐゴシック";
  int height = 12;          // character height in pixels
  int charset = kShiftJisCharset;
  Color color = clWindowText;
  bool bold = false, italic = false, underline = false;
  bool operator==(const Font&) const = default;
};

enum class Cursor { Default, Arrow, HandPoint, SizeWE, IBeam, Wait };
enum class Align { None, Top, Bottom, Left, Right, Client };
// Anchors keep a distance to the parent's edges when the parent is resized.
enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum class MouseButton { Left, Right, Middle };
// Shift state reported with mouse events.
enum Shift : unsigned { ssShift = 1, ssCtrl = 2, ssAlt = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
enum class Key { Enter, Escape };

using MouseEvent = std::function<void(MouseButton, unsigned shift, int x, int y)>;
using MoveEvent = std::function<void(unsigned shift, int x, int y)>;
using NotifyEvent = std::function<void()>;

// ---------------------------------------------------------------------------------------------
// Peer: what a backend attaches to a widget. The widget tells its peer which property changed; the
// peer reads the widget's current state. Peers report user actions back through the User...
// entry points.
enum class Prop {
  Bounds, Visible, Enabled, Caption, Font, Color, Cursor,
  State,    // the widget's value: checked, down, text, position, index, date ...
  Items,    // lists: items, columns, rows, tabs, range
  Style,    // read-only, wrap, bevels, grid lines, images ...
  Row,      // one list-view row changed (index given)
};

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Sync(Prop what, int index) = 0;
  virtual void Focus() {}
  // Client to screen coordinates as the window system places the control; false: not known.
  virtual bool ToScreen(Point&) { return false; }
};

// ---------------------------------------------------------------------------------------------

class Widget {
 public:
  // parent: the container that holds this widget; nullptr only for a form. The widget does not
  // own its children: a form declares its widgets as members, parents before children.
  explicit Widget(Widget* parent);
  virtual ~Widget();
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  Widget* Parent() const { return parent_; }
  const std::vector<Widget*>& Children() const { return children_; }
  TForm* Form();              // the form this widget belongs to (itself for a form)
  Backend& GetBackend();

  std::string Name;           // for messages and tests; no behaviour

  // Geometry relative to the parent's client area (a form: the outer window on the screen).
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  Rect Bounds() const { return bounds_; }
  void SetLeft(int v) { SetBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
  void SetTop(int v) { SetBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
  void SetWidth(int v) { SetBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
  void SetHeight(int v) { SetBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
  virtual void SetBounds(Rect r);
  // Size of the area children are placed in (a form: outer size less the frame).
  virtual int ClientWidth() const { return bounds_.width; }
  virtual int ClientHeight() const { return bounds_.height; }

  Align GetAlign() const { return align_; }
  void SetAlign(Align a);
  unsigned Anchors() const { return anchors_; }
  void SetAnchors(unsigned a) { anchors_ = a; }

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Showing() const;       // visible together with every parent (a form: shown on the screen)
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool EffectivelyEnabled() const;  // enabled together with every parent

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);

  // The own font, or the parent's while ParentFont (the default) is on.
  const Font& GetFont() const;
  void SetFont(const Font& f);
  bool ParentFont() const { return parentFont_; }
  Color GetColor() const { return color_; }
  void SetColor(Color c);
  Cursor GetCursor() const { return cursor_; }   // the pointer shape over this widget
  void SetCursor(Cursor c);
  std::string Hint;

  void SetFocus();
  bool Focused() const;

  Point ClientToScreen(Point p);

  // Events shared by all widgets. OnClick of the concrete widgets is documented there.
  NotifyEvent OnClick;
  MouseEvent OnMouseDown, OnMouseUp;
  MoveEvent OnMouseMove;
  NotifyEvent OnMouseEnter, OnMouseLeave;
  NotifyEvent OnEnter, OnExit;   // focus arrives, focus leaves

  // User entry points shared by all widgets (mouse coordinates are client coordinates). A mouse
  // button pressed on a widget captures the mouse: moves and the release go to the same widget
  // until the release. These fire only OnMouseDown/Move/Up; clicks are the concrete widget's.
  bool UserMouseDown(MouseButton b, unsigned shift, int x, int y);
  bool UserMouseMove(unsigned shift, int x, int y);
  bool UserMouseUp(MouseButton b, unsigned shift, int x, int y);
  bool UserMouseEnter();
  bool UserMouseLeave();
  void UserFocus(bool gained);
  // Kept in step with the real control when the user moves or resizes it (no event but the
  // form's OnResize).
  void UserBounds(Rect r);

  // Backend side.
  Peer* GetPeer() const { return peer_.get(); }
  void SetPeer(std::unique_ptr<Peer> p) { peer_ = std::move(p); }
  std::unique_ptr<Peer> TakePeer() { return std::move(peer_); }
  virtual std::unique_ptr<Peer> MakePeer(PeerFactory& f) = 0;
  // Runs fn as the handling of a user action: at the outermost level exceptions end in the error
  // box, then the form's close check runs. Nested (inside another handler) it only runs fn.
  void Dispatch(const std::function<void()>& fn);

 protected:
  void Changed(Prop what, int index = -1);
  // Showing, enabled, and not on a form that a modal form above it blocks.
  bool Accepts() const;
  void Realign();                  // lays out aligned and anchored children
  virtual void Resized(int oldClientW, int oldClientH);

 private:
  friend class TForm;
  Widget* parent_;
  std::vector<Widget*> children_;
  std::unique_ptr<Peer> peer_;
  Rect bounds_{0, 0, 75, 25};
  Align align_ = Align::None;
  unsigned anchors_ = akLeft | akTop;
  bool visible_ = true, enabled_ = true, parentFont_ = true;
  std::string caption_;
  Font font_;
  Color color_ = clDefault;
  Cursor cursor_ = Cursor::Default;
};

}  // namespace sm::ui
