// The Win32 peers: one native window per control. Forms and panels are
// windows of our own class whose procedure reflects child notifications
// (WM_COMMAND, WM_xSCROLL, WM_DRAWITEM, WM_CTLCOLOR...) to the child's peer;
// native controls are subclassed for focus, keys and mouse.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/panel.h"
#include "ui/screen.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

constexpr char kWindowClass[] = "W95Window";
int nextId = 100;

std::string NativeText(HWND h) {
  std::string s(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
  s.resize(static_cast<size_t>(GetWindowTextA(h, s.data(), static_cast<int>(s.size()))));
  return s;
}


// Input common to every peer; true when the message was used up.
bool CommonInput(WindowPeer& p, UINT msg, WPARAM wp, LPARAM lp) {
  Control& c = p.GetControl();
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_SETFOCUS: c.UserFocused(); return false;
    case WM_KEYDOWN:
      if (c.OnKeyDown) {
        int key = static_cast<int>(wp);
        c.UserKeyDown(key, ShiftState());
        return key == 0;
      }
      return false;
    case WM_CHAR:
      if (c.OnKeyPress) {
        char ch = static_cast<char>(wp);
        c.UserKeyPress(ch);
        return ch == 0;
      }
      return false;
    case WM_LBUTTONDBLCLK: c.UserDblClick(); return false;
    case WM_RBUTTONDOWN: c.UserMouseDown(MouseButton::Right, ShiftState(), x, y); return false;
    case WM_RBUTTONUP: c.UserMouseUp(MouseButton::Right, ShiftState(), x, y); return false;
    case WM_LBUTTONUP: c.UserMouseUp(MouseButton::Left, ShiftState(), x, y); return false;
    case WM_MOUSEMOVE:
      if (c.OnMouseMove) c.UserMouseMove(ShiftState(), x, y);
      return false;
    case WM_SETCURSOR:
      if (Screen().GetCursor() != Cursor::Default) {
        ::SetCursor(LoadCursorA(nullptr, CursorId(Screen().GetCursor())));
        return true;
      }
      return false;
    default: return false;
  }
}

LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  WindowPeer* p = WindowPeer::From(h);
  if (!p) return DefWindowProcA(h, msg, wp, lp);
  // The control's own procedure may run a loop of its own (tracking, a
  // drop-down): its form is not freed under it.
  const HandlerScope running;
  WNDPROC original = p->original;
  LRESULT result = 0;
  bool used = false;
  Safely([&] {
    if (msg == kDeferred) {
      p->Deferred();
      used = true;
      return;
    }
    RelayHint(h, msg, wp, lp);
    if (msg == WM_LBUTTONDOWN) {
      // The control's own handling (a scroll bar tracks the mouse until the
      // button is released) comes first; the mouse-down event after it.
      result = CallWindowProcA(original, h, msg, wp, lp);
      used = true;
      if (WindowPeer::From(h) == p)
        p->GetControl().UserMouseDown(MouseButton::Left, ShiftState(),
                                      static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      return;
    }
    used = CommonInput(*p, msg, wp, lp);
    if (used && msg == WM_SETCURSOR) result = TRUE;
  });
  if (used) return result;
  return CallWindowProcA(original, h, msg, wp, lp);
}

// ---- Peers of native controls.

class NativePeer : public WindowPeer {
 public:
  NativePeer(Control& c, HWND h) : WindowPeer(c, h) {
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  }
  ~NativePeer() override {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  }
};

class ButtonPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void Command(WORD code) override {
    if (code == BN_CLICKED) control_.UserClick();
  }
  void Changed(Prop p) override {
    auto* b = dynamic_cast<Button*>(&control_);
    if (p == Prop::Checked) {
      bool on = false;
      if (auto* cb = dynamic_cast<CheckBox*>(&control_)) on = cb->Checked();
      if (auto* rb = dynamic_cast<RadioButton*>(&control_)) on = rb->Checked();
      SendMessageA(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (p == Prop::Default || p == Prop::Glyph) {
      // Glyph buttons are drawn here (owner drawn), the others by the system.
      if (!b) return;
      const DWORD type = b->Glyph() != GlyphKind::None ? BS_OWNERDRAW
                         : b->IsDefault()               ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      if (type == BS_OWNERDRAW) {
        LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(BS_TYPEMASK);
        SetWindowLongPtrA(hwnd_, GWL_STYLE, style | BS_OWNERDRAW);
        Invalidate();
      } else {
        SendMessageA(hwnd_, BM_SETSTYLE, type, TRUE);
      }
    } else {
      WindowPeer::Changed(p);
    }
  }
  void DrawItem(const DRAWITEMSTRUCT& d) override {
    auto* b = dynamic_cast<Button*>(&control_);
    if (!b) return;
    HDC dc = d.hDC;
    RECT r = d.rcItem;
    const bool pressed = (d.itemState & ODS_SELECTED) != 0;
    const bool enabled = (d.itemState & ODS_DISABLED) == 0;
    if (b->IsDefault() || (d.itemState & ODS_FOCUS)) {
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    HFONT old = static_cast<HFONT>(SelectObject(dc, FontHandle(control_.GetFont())));
    RECT calc{0, 0, 0, 0};
    const std::string& text = control_.Text();
    if (!text.empty()) DrawTextA(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    const Rect whole{d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left, d.rcItem.bottom - d.rcItem.top};
    const ButtonFace face = LayoutButtonFace(whole, true, calc.right, calc.bottom, pressed);
    HdcCanvas canvas(dc, control_.GetFont());
    canvas.DrawGlyph(face.glyph.x, face.glyph.y, b->Glyph(), enabled);
    if (!text.empty()) {
      RECT tr{face.text.left, face.text.top, face.text.Right(), face.text.Bottom()};
      SetBkMode(dc, TRANSPARENT);
      if (!enabled) {
        // Embossed: the highlight one pixel down and right, the shadow over it.
        RECT hr = tr;
        OffsetRect(&hr, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text.c_str(), -1, &hr, DT_SINGLELINE);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
      } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      }
      DrawTextA(dc, text.c_str(), -1, &tr, DT_SINGLELINE);
    }
    SelectObject(dc, old);
    if (d.itemState & ODS_FOCUS) {
      RECT f = r;
      InflateRect(&f, -3, -3);
      ::DrawFocusRect(dc, &f);
    }
  }
};

class LabelPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void Command(WORD code) override {
    if (code == STN_CLICKED) control_.UserClick();
    if (code == STN_DBLCLK) control_.UserDblClick();
  }
  HBRUSH ControlColor(HDC dc) override {
    SetTextColor(dc, ColorRef(control_.GetFont().color));
    SetBkMode(dc, TRANSPARENT);
    Control* parent = control_.Parent();
    return BrushOf(parent ? parent->GetColor() : clBtnFace);
  }
  void Changed(Prop p) override {
    if (p == Prop::Alignment) {
      auto& l = static_cast<Label&>(control_);
      LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
      style |= l.GetAlignment() == Alignment::Right ? SS_RIGHT
               : l.GetAlignment() == Alignment::Center ? SS_CENTER : SS_LEFT;
      SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
      Invalidate();
    } else {
      WindowPeer::Changed(p);
    }
  }
};

class EditPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void Command(WORD code) override {
    if (code == EN_CHANGE && !updating_) static_cast<Edit&>(control_).UserEdited(NativeText(hwnd_));
  }
  HBRUSH ControlColor(HDC dc) override {
    SetTextColor(dc, ColorRef(control_.GetFont().color));
    SetBkColor(dc, ColorRef(control_.GetColor()));
    return BrushOf(control_.GetColor());
  }
  void Changed(Prop p) override {
    auto& e = static_cast<Edit&>(control_);
    if (p == Prop::ReadOnly) SendMessageA(hwnd_, EM_SETREADONLY, e.ReadOnly(), 0);
    else if (p == Prop::Selection) SendMessageA(hwnd_, EM_SETSEL, 0, -1);
    else WindowPeer::Changed(p);
  }
};

class ScrollBarPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void Scroll(WORD code, int pos) override {
    auto& sb = static_cast<ScrollBar&>(control_);
    ScrollCode c;
    switch (code) {
      case SB_LINEUP: c = ScrollCode::LineUp; break;
      case SB_LINEDOWN: c = ScrollCode::LineDown; break;
      case SB_PAGEUP: c = ScrollCode::PageUp; break;
      case SB_PAGEDOWN: c = ScrollCode::PageDown; break;
      case SB_THUMBPOSITION: c = ScrollCode::Position; break;
      case SB_THUMBTRACK: c = ScrollCode::Track; break;
      case SB_TOP: c = ScrollCode::Top; break;
      case SB_BOTTOM: c = ScrollCode::Bottom; break;
      default: c = ScrollCode::EndScroll; break;
    }
    sb.UserScroll(c, pos);
  }
  void Changed(Prop p) override {
    if (p == Prop::Range || p == Prop::Position || p == Prop::Steps) Sync();
    else WindowPeer::Changed(p);
  }
  void Sync() {
    auto& sb = static_cast<ScrollBar&>(control_);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = sb.Min();
    si.nMax = sb.Max();
    si.nPos = sb.Position();
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
    // With nothing to scroll the system disables the bar's window as well as
    // greying its arrows; the control is still enabled, so it must still
    // take the focus (a form moving the focus onto it would otherwise leave
    // the real focus behind).
    if (control_.Enabled() && !IsWindowEnabled(hwnd_)) EnableWindow(hwnd_, TRUE);
  }
};

class ComboPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  // Items with glyphs: the field and the entries are as high as a glyph.
  void DrawItem(const DRAWITEMSTRUCT& d) override {
    auto& cb = static_cast<ComboBox&>(control_);
    HdcCanvas canvas(d.hDC, control_.GetFont());
    unsigned state = odNone;
    if (d.itemState & ODS_SELECTED) state |= odSelected;
    if (d.itemState & ODS_DISABLED) state |= odDisabled;
    const Rect r{d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left, d.rcItem.bottom - d.rcItem.top};
    Guard([&] { cb.DrawItem(static_cast<int>(d.itemID), canvas, r, state); });
    if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(d.hDC, &d.rcItem);
  }
  void MeasureItem(MEASUREITEMSTRUCT& m) override { m.itemHeight = kGlyphSize; }
  void Command(WORD code) override {
    auto& cb = static_cast<ComboBox&>(control_);
    if (code == CBN_SELCHANGE && !updating_)
      cb.UserSelected(static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)));
    else if (code == CBN_EDITCHANGE && !updating_)
      cb.UserEdited(NativeText(hwnd_));
    else if (code == CBN_DROPDOWN)
      Guard([&] {
        if (cb.OnDropDown) cb.OnDropDown(cb);
      });
  }
  void Changed(Prop p) override {
    auto& cb = static_cast<ComboBox&>(control_);
    updating_ = true;
    if (p == Prop::Items) {
      SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
      for (const auto& s : cb.Items()) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
      SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(cb.ItemIndex()), 0);
    } else if (p == Prop::ItemIndex) {
      SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(cb.ItemIndex()), 0);
    } else if (p == Prop::Text) {
      if (cb.Style() != ComboStyle::DropDownList && NativeText(hwnd_) != cb.Text())
        SetWindowTextA(hwnd_, cb.Text().c_str());
    } else {
      WindowPeer::Changed(p);
    }
    updating_ = false;
  }
};

class ListPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  ListBox& List() { return static_cast<ListBox&>(control_); }
  void Command(WORD code) override {
    if (code != LBN_SELCHANGE || updating_) return;
    ListBox& lb = List();
    // The selected entries in one message, not one message per entry.
    std::vector<bool> sel(static_cast<size_t>(lb.Count()));
    auto mark = [&](LRESULT i) {
      if (i >= 0 && i < lb.Count()) sel[static_cast<size_t>(i)] = true;
    };
    if (lb.MultiSelect()) {
      const LRESULT n = SendMessageA(hwnd_, LB_GETSELCOUNT, 0, 0);
      std::vector<int> chosen(static_cast<size_t>(std::max<LRESULT>(n, 0)));
      if (n > 0) SendMessageA(hwnd_, LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(chosen.data()));
      for (int i : chosen) mark(i);
    } else {
      mark(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
    }
    shown_ = sel;
    const int focused = static_cast<int>(
        SendMessageA(hwnd_, lb.MultiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
    lb.UserSelectionChanged(focused, sel);
  }
  void DrawItem(const DRAWITEMSTRUCT& d) override {
    if (static_cast<int>(d.itemID) < 0 || static_cast<int>(d.itemID) >= List().Count()) return;
    HdcCanvas canvas(d.hDC, control_.GetFont());
    unsigned state = odNone;
    if (d.itemState & ODS_SELECTED) state |= odSelected;
    if (d.itemState & ODS_FOCUS) state |= odFocused;
    if (d.itemState & ODS_DISABLED) state |= odDisabled;
    const Rect r{d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left, d.rcItem.bottom - d.rcItem.top};
    Guard([&] { List().DrawItem(static_cast<int>(d.itemID), canvas, r, state); });
    if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
  }
  void MeasureItem(MEASUREITEMSTRUCT& m) override { m.itemHeight = static_cast<UINT>(List().ItemHeight()); }
  void Changed(Prop p) override {
    ListBox& lb = List();
    updating_ = true;
    if (p == Prop::Items && Splice()) {
      // Only the run of entries that changed.
    } else if (p == Prop::Items) {
      // The whole list is sent again; where the user had scrolled stays.
      const LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
      SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
      SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
      shown_.assign(static_cast<size_t>(lb.Count()), false);
      SendMessageA(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(lb.Count()), 0);
      for (int i = 0; i < lb.Count(); ++i)
        SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lb.Item(i).c_str()));
      SyncSelection();
      if (top > 0 && top < lb.Count()) SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
      SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
      Invalidate();
    } else if (p == Prop::ItemIndex || p == Prop::Selection) {
      SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
      SyncSelection();
      SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
      Invalidate();
    } else if (p == Prop::TopIndex) {
      SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(lb.TopIndex()), 0);
    } else if (p == Prop::Style || p == Prop::Bounds) {
      // Windows often set several styles in a row (or set one and take it
      // back): the list is made again once, after them, if still needed.
      if (p == Prop::Style && !remakePosted_) {
        remakePosted_ = true;
        PostMessageA(hwnd_, kDeferred, 0, 0);
      }
      if (lb.Columns() > 0)
        SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(lb.Width() / lb.Columns()), 0);
      else if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & LBS_MULTICOLUMN)
        SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(lb.Width() - 4, 1)), 0);
      SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, lb.ItemHeight());
      WindowPeer::Changed(p);
    } else {
      WindowPeer::Changed(p);
    }
    updating_ = false;
  }
  // The styles a list box reads only when it is made.
  static constexpr DWORD kMadeStyles = LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_MULTICOLUMN |
                                       LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_HSCROLL;
  static DWORD StylesFor(const ListBox& lb) {
    DWORD more = 0;
    if (lb.MultiSelect()) more |= lb.ExtendedSelect() ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (lb.Columns() > 0) more |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (lb.Style() == ListStyle::OwnerDrawFixed) more |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    return more;
  }
  // A style change after the window exists: a new native list in the old
  // one's place (same id, tab order, font and hint), with the entries, the
  // selection and the scroll place carried over.
  void Deferred() override {
    remakePosted_ = false;
    Recreate();
  }
  bool remakePosted_ = false;
  void Recreate() {
    ListBox& lb = List();
    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    // A list made with columns shows a single column as one column the
    // width of the list (see Changed): only going to columns needs a new list.
    // The scroll bar is left out of the comparison: a list with columns
    // shows and hides it itself as its entries need.
    const DWORD have = static_cast<DWORD>(style & kMadeStyles);
    const DWORD keep = lb.Columns() == 0 ? have & (LBS_MULTICOLUMN | WS_HSCROLL) : 0;
    if ((have & ~WS_HSCROLL) == ((StylesFor(lb) | keep) & ~WS_HSCROLL)) return;
    const LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    const bool focused = GetFocus() == hwnd_;
    HWND old = hwnd_;
    if (!control_.Hint().empty()) DropHint(*this);
    const Rect& r = control_.Bounds();
    HWND fresh = CreateWindowExA(static_cast<DWORD>(GetWindowLongPtrA(old, GWL_EXSTYLE)), "LISTBOX", "",
                                 static_cast<DWORD>(style & ~static_cast<LONG_PTR>(kMadeStyles)) | StylesFor(lb) | keep,
                                 r.left, r.top, r.width, r.height, GetParent(old),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))), Instance(), nullptr);
    if (!fresh) return;
    SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrA(old, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrA(old, GWLP_USERDATA, 0);
    hwnd_ = fresh;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    DestroyWindow(old);
    WindowPeer::Changed(Prop::Font);
    Changed(Prop::Items);
    const bool was = updating_;
    updating_ = true;
    if (top > 0 && top < lb.Count()) SendMessageA(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    updating_ = was;
    if (focused) SetFocus(hwnd_);
    if (!control_.Hint().empty()) SyncHint(*this);
  }
  // A new list that shares most of its entries with the one shown: the
  // entries that went are deleted and those that came inserted, the others
  // stay with their place on screen. False (nothing done) when the whole
  // list is better sent again or the list holds other than was sent.
  bool Splice() {
    ListBox& lb = List();
    const ListBox::Splice* sp = lb.LastSplice();
    if (!sp || sp->removed + sp->added >= lb.Count() / 2 ||
        SendMessageA(hwnd_, LB_GETCOUNT, 0, 0) != lb.Count() - sp->added + sp->removed ||
        shown_.size() != static_cast<size_t>(lb.Count() - sp->added + sp->removed))
      return false;
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    for (int k = 0; k < sp->removed; ++k) SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(sp->at), 0);
    for (int k = 0; k < sp->added; ++k)
      SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(sp->at + k),
                   reinterpret_cast<LPARAM>(lb.Item(sp->at + k).c_str()));
    const auto at = shown_.begin() + sp->at;
    shown_.insert(shown_.erase(at, at + sp->removed), static_cast<size_t>(sp->added), false);
    SyncSelection();
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    Invalidate();
    return true;
  }
  // What the native list shows selected, as last sent or read.
  std::vector<bool> shown_;
  void SyncSelection() {
    ListBox& lb = List();
    if (lb.MultiSelect()) {
      // Only the entries whose state differs from what the list shows, each
      // run of them with one message.
      const int n = lb.Count();
      shown_.resize(static_cast<size_t>(n), false);
      auto differs = [&](int i) { return shown_[static_cast<size_t>(i)] != lb.Selected(i); };
      for (int i = 0; i < n; ++i) {
        if (!differs(i)) continue;
        const bool on = lb.Selected(i);
        int last = i;
        while (last + 1 < n && differs(last + 1) && lb.Selected(last + 1) == on) ++last;
        if (last == i)
          SendMessageA(hwnd_, LB_SETSEL, on, i);
        else if (on)
          SendMessageA(hwnd_, LB_SELITEMRANGEEX, static_cast<WPARAM>(i), last);
        else  // a range given backwards is let go
          SendMessageA(hwnd_, LB_SELITEMRANGEEX, static_cast<WPARAM>(last), i);
        for (int k = i; k <= last; ++k) shown_[static_cast<size_t>(k)] = on;
        i = last;
      }
      if (lb.ItemIndex() >= 0) SendMessageA(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(lb.ItemIndex()), FALSE);
    } else {
      SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(lb.ItemIndex()), 0);
    }
  }
};

// ---- Peers of our own windows (forms, panels, grids).

class PanelPeer : public ContainerPeer {
 public:
  using ContainerPeer::ContainerPeer;
  void Paint(HDC dc) override {
    auto& p = static_cast<Panel&>(control_);
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, BrushOf(p.GetColor()));
    UINT edge = 0;
    if (p.BevelOuter() == Bevel::Lowered) edge |= BDR_SUNKENOUTER;
    if (p.BevelOuter() == Bevel::Raised) edge |= BDR_RAISEDOUTER;
    if (p.BevelInner() == Bevel::Lowered) edge |= BDR_SUNKENINNER;
    if (p.BevelInner() == Bevel::Raised) edge |= BDR_RAISEDINNER;
    if (edge) DrawEdge(dc, &r, edge, BF_RECT);
    if (!p.Text().empty()) {
      // A caption to one side keeps clear of the bevels.
      const int bevels = (p.BevelOuter() != Bevel::None) + (p.BevelInner() != Bevel::None);
      InflateRect(&r, -bevels * p.BevelWidth(), 0);
      const UINT align = p.GetAlignment() == Alignment::Left    ? DT_LEFT
                         : p.GetAlignment() == Alignment::Right ? DT_RIGHT
                                                                : DT_CENTER;
      SetBkMode(dc, TRANSPARENT);
      HGDIOBJ old = SelectObject(dc, FontHandle(p.GetFont()));
      DrawTextA(dc, p.Text().c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
      SelectObject(dc, old);
    }
  }
  void Changed(Prop p) override {
    if (p == Prop::Text) PutText(control_.Text());  // the caption is also the window's text
    if (p == Prop::Bevel || p == Prop::Text || p == Prop::Alignment) Invalidate();
    else WindowPeer::Changed(p);
  }
};

class GridPeer : public ContainerPeer {
 public:
  using ContainerPeer::ContainerPeer;
  StringGrid& Grid() { return static_cast<StringGrid&>(control_); }
  int ClientHeight() {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.bottom;
  }
  void ShowRow(int row) {
    StringGrid& g = Grid();
    if (row < g.FixedRows()) return;
    const int visible = g.VisibleRows(ClientHeight());
    if (row < g.TopRow()) g.SetTopRow(row);
    else if (row >= g.TopRow() + visible) g.SetTopRow(row - visible + 1);
  }
  void SyncScroll() {
    StringGrid& g = Grid();
    g.SetPageRows(g.VisibleRows(ClientHeight()));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = g.FixedRows();
    si.nMax = std::max(g.RowCount() - 1, g.FixedRows());
    si.nPage = static_cast<UINT>(g.PageRows());
    si.nPos = g.TopRow();
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  void ScrollTo(int top) {
    StringGrid& g = Grid();
    g.SetTopRow(std::clamp(top, g.FixedRows(), g.MaxTopRow(ClientHeight())));
  }
  void Paint(HDC dc) override {
    // Drawn off screen, then put on screen at once: no flicker, and far
    // fewer trips to the display than cell by cell.
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ old = SelectObject(mem, bmp);
    {
      HdcCanvas canvas(mem, control_.GetFont());
      Grid().Paint(canvas, client.right, client.bottom, GetFocus() == hwnd_);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }

  // Row dragging shows where the row will land as an inverted bar, drawn
  // over a fully painted grid and inverted back before the grid changes.
  void DropMark() {
    StringGrid& g = Grid();
    if (dragTo_ < g.TopRow() && dragTo_ >= g.FixedRows()) return;
    const Rect r = g.CellRect(0, dragTo_);
    const int y = dragTo_ > dragFrom_ ? r.Bottom() - 1 : r.top - 1;
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC dc = GetDC(hwnd_);
    PatBlt(dc, 0, y, client.right, 2, DSTINVERT);
    ReleaseDC(hwnd_, dc);
  }
  void EndDrag() {
    if (dragFrom_ >= 0) {
      DropMark();
      dragFrom_ = -1;
    }
    sizing_ = -1;
    if (GetCapture() == hwnd_) ReleaseCapture();
  }

  LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp) override {
    StringGrid& g = Grid();
    const Point at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
      case WM_LBUTTONDOWN: {
        SetFocus(hwnd_);
        int col, row;
        if ((g.Options() & goColSizing) && (sizing_ = g.SizingColAt(at)) >= 0) {
          sizeFrom_ = at.x - g.ColWidth(sizing_);
          SetCapture(hwnd_);
        } else if ((g.Options() & goRowMoving) && g.CellAt(at, col, row) && col < g.FixedCols() &&
                   row >= g.FixedRows()) {
          dragFrom_ = dragTo_ = row;
          SetCapture(hwnd_);
          UpdateWindow(hwnd_);
          DropMark();
        } else if (g.CellAt(at, col, row)) {
          g.UserSelectCell(col, row);
        }
        g.UserMouseDown(MouseButton::Left, ShiftState(), at.x, at.y);
        return 0;
      }
      case WM_MOUSEMOVE:
        if (sizing_ >= 0) {
          g.UserSizeCol(sizing_, at.x - sizeFrom_);
          UpdateWindow(hwnd_);
        } else if (dragFrom_ >= 0) {
          int col, row = -1;
          if (at.y < g.FixedRows() * g.RowStep()) row = g.TopRow() > g.FixedRows() ? g.TopRow() - 1 : g.FixedRows();
          else if (!g.CellAt(Point{0, at.y}, col, row)) row = g.RowCount() - 1;
          row = std::clamp(row, g.FixedRows(), g.RowCount() - 1);
          if (row != dragTo_) {
            DropMark();
            dragTo_ = row;
            ShowRow(row);
            UpdateWindow(hwnd_);
            DropMark();
          }
        }
        break;
      case WM_LBUTTONUP: {
        const int from = dragFrom_, to = dragTo_;
        EndDrag();
        if (from >= 0 && from != to) g.UserMoveRow(from, to);
        g.UserMouseUp(MouseButton::Left, ShiftState(), at.x, at.y);
        return 0;
      }
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_) EndDrag();
        return 0;
      case WM_SETCURSOR: {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        if (LOWORD(lp) == HTCLIENT && (g.Options() & goColSizing) &&
            (sizing_ >= 0 || g.SizingColAt(Point{p.x, p.y}) >= 0)) {
          ::SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
          return TRUE;
        }
        break;
      }
      case WM_GETDLGCODE: {
        // Arrows and characters, and the keys the grid wants for itself
        // (Return), but not Tab and Escape, which stay the dialog's.
        const auto* m = reinterpret_cast<const MSG*>(lp);
        const bool own = m && m->message == WM_KEYDOWN && g.WantsKey(static_cast<int>(m->wParam));
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (own ? DLGC_WANTMESSAGE : 0);
      }
      case WM_KEYDOWN: {
        int key = static_cast<int>(wp);
        g.UserKeyDown(key, ShiftState());
        return 0;
      }
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        Invalidate();
        break;
      case WM_VSCROLL: {
        int top = g.TopRow();
        switch (LOWORD(wp)) {
          case SB_LINEUP: --top; break;
          case SB_LINEDOWN: ++top; break;
          case SB_PAGEUP: top -= g.PageRows(); break;
          case SB_PAGEDOWN: top += g.PageRows(); break;
          case SB_TOP: top = g.FixedRows(); break;
          case SB_BOTTOM: top = g.RowCount(); break;
          case SB_THUMBTRACK:
            if (!(g.Options() & goThumbTracking)) return 0;
            [[fallthrough]];
          case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd_, SB_VERT, &si);
            top = si.nTrackPos;
            break;
          }
          default: return 0;
        }
        ScrollTo(top);
        return 0;
      }
      case WM_MOUSEWHEEL:
        ScrollTo(g.TopRow() - 3 * GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA);
        return 0;
      case WM_SIZE: SyncScroll(); break;
      default: break;
    }
    return ContainerPeer::Proc(msg, wp, lp);
  }
  void Changed(Prop p) override {
    if (p == Prop::Selection) ShowRow(Grid().Row());
    if (p == Prop::Cells || p == Prop::Selection || p == Prop::TopIndex) {
      SyncScroll();
      Invalidate();
    } else {
      WindowPeer::Changed(p);
    }
  }

 private:
  int sizing_ = -1;    // the column whose border is being dragged
  int sizeFrom_ = 0;   // mouse x less that column's width
  int dragFrom_ = -1;  // the row being dragged
  int dragTo_ = -1;    // where it would land
};

class ImagePeer : public ContainerPeer {
 public:
  using ContainerPeer::ContainerPeer;
  // An image keeps the mouse while its left button is held, so that a drag
  // that leaves it still reports where the pointer is and where it ends.
  LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_LBUTTONDOWN) SetCapture(hwnd_);
    const LRESULT result = ContainerPeer::Proc(msg, wp, lp);
    if (msg == WM_LBUTTONUP && GetCapture() == hwnd_) ReleaseCapture();
    return result;
  }
  void Paint(HDC dc) override {
    ContainerPeer::Paint(dc);
    HdcCanvas canvas(dc, control_.GetFont());
    if (auto* image = dynamic_cast<Image*>(&control_)) image->Paint(canvas);
    if (auto* gauge = dynamic_cast<Gauge*>(&control_)) gauge->Paint(canvas);
  }
};

class TabPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  TabControl& Tabs() { return static_cast<TabControl&>(control_); }
  void Notify(const NMHDR& n) override {
    if (n.code == static_cast<UINT>(TCN_SELCHANGE) && !updating_)
      Tabs().UserSelected(static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)));
  }
  void Changed(Prop p) override {
    updating_ = true;
    if (p == Prop::Items) {
      SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
      for (size_t i = 0; i < Tabs().Tabs().size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(Tabs().Tabs()[i].c_str());
        SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
      }
      SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(Tabs().TabIndex()), 0);
    } else if (p == Prop::ItemIndex) {
      SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(Tabs().TabIndex()), 0);
    } else {
      WindowPeer::Changed(p);
    }
    updating_ = false;
  }
};

LRESULT CALLBACK ContainerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* p = dynamic_cast<ContainerPeer*>(WindowPeer::From(h));
  if (!p) return DefWindowProcA(h, msg, wp, lp);
  const HandlerScope running;  // the system's move and size loops run in here
  LRESULT result = 0;
  bool handled = false;
  Safely([&] {
    RelayHint(h, msg, wp, lp);
    result = p->Proc(msg, wp, lp);
    handled = true;
  });
  return handled ? result : DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

LPCSTR CursorId(Cursor c) {
  switch (c) {
    case Cursor::HourGlass: return IDC_WAIT;
    case Cursor::NoDrop: return IDC_NO;
    case Cursor::HSplit:
    case Cursor::SizeWE: return IDC_SIZEWE;
    case Cursor::VSplit:
    case Cursor::SizeNS: return IDC_SIZENS;
    case Cursor::Cross: return IDC_CROSS;
    case Cursor::Drag: return IDC_UPARROW;
    default: return IDC_ARROW;
  }
}
unsigned ShiftState() {
  unsigned s = ssNone;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

void ContainerPeer::Paint(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, BrushOf(control_.GetColor()));
}

// Messages every container handles: reflection to child peers, painting and
// the common input.
LRESULT ContainerPeer::Proc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        if (WindowPeer* child = From(reinterpret_cast<HWND>(lp))) child->Command(HIWORD(wp));
        return 0;
      }
      if (MenuItem* item = FindMenuCommand(LOWORD(wp))) item->Click();
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lp)
        if (WindowPeer* child = From(reinterpret_cast<HWND>(lp)))
          child->Scroll(LOWORD(wp), static_cast<short>(HIWORD(wp)));
      return 0;
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const NMHDR*>(lp);
      if (WindowPeer* child = From(n->hwndFrom)) child->Notify(*n);
      return 0;
    }
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (WindowPeer* child = From(d->hwndItem)) child->DrawItem(*d);
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (WindowPeer* child = From(GetDlgItem(hwnd_, static_cast<int>(m->CtlID)))) child->MeasureItem(*m);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
      if (WindowPeer* child = From(reinterpret_cast<HWND>(lp)))
        return reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(wp)));
      return DefWindowProcA(hwnd_, msg, wp, lp);
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      control_.UserMouseDown(MouseButton::Left, ShiftState(), static_cast<short>(LOWORD(lp)),
                             static_cast<short>(HIWORD(lp)));
      return 0;
    case WM_LBUTTONUP:
      control_.UserMouseUp(MouseButton::Left, ShiftState(), static_cast<short>(LOWORD(lp)),
                           static_cast<short>(HIWORD(lp)));
      control_.UserClick();
      return 0;
    default:
      if (CommonInput(*this, msg, wp, lp)) return msg == WM_SETCURSOR ? TRUE : 0;
      return DefWindowProcA(hwnd_, msg, wp, lp);
  }
}

namespace {
bool containerRegistered = false;
}  // namespace

void UnregisterContainerClass() {
  if (containerRegistered) UnregisterClassA(kWindowClass, Instance());
  containerRegistered = false;
}

HWND CreateContainer(Control& c, DWORD exStyle, DWORD style, HWND parent, int id, const Rect& r) {
  bool& registered = containerRegistered;
  if (!registered) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &ContainerProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(exStyle, kWindowClass, c.Text().c_str(), style, r.left, r.top, r.width,
                         r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         Instance(), nullptr);
}

std::unique_ptr<Peer> MakeFormPeer(Form& form);  // win32_form.cpp

std::unique_ptr<Peer> MakePeer(Control& c) {
  if (auto* f = dynamic_cast<Form*>(&c)) return MakeFormPeer(*f);
  Control* parent = c.Parent();
  HWND ph = parent ? reinterpret_cast<HWND>(parent->Handle()) : nullptr;
  if (!ph) return nullptr;  // not on a window (yet)
  const Rect& r = c.Bounds();
  const int id = nextId++;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.Visible() ? WS_VISIBLE : 0) |
                (c.TabStop() ? WS_TABSTOP : 0) | (c.Enabled() ? 0 : WS_DISABLED);
  auto native = [&](const char* cls, DWORD more, DWORD ex) {
    return CreateWindowExA(ex, cls, c.Text().c_str(), style | more, r.left, r.top, r.width, r.height,
                           ph, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  };
  std::unique_ptr<WindowPeer> peer;
  if (auto* b = dynamic_cast<Button*>(&c)) {
    const DWORD type = b->Glyph() != GlyphKind::None ? BS_OWNERDRAW
                       : b->IsDefault()               ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    peer = std::make_unique<ButtonPeer>(c, native("BUTTON", type, 0));
  } else if (dynamic_cast<CheckBox*>(&c)) {
    peer = std::make_unique<ButtonPeer>(c, native("BUTTON", BS_CHECKBOX, 0));
    peer->Changed(Prop::Checked);
  } else if (dynamic_cast<RadioButton*>(&c)) {
    peer = std::make_unique<ButtonPeer>(c, native("BUTTON", BS_RADIOBUTTON, 0));
    peer->Changed(Prop::Checked);
  } else if (auto* l = dynamic_cast<Label*>(&c)) {
    const DWORD align = l->GetAlignment() == Alignment::Right ? SS_RIGHT
                        : l->GetAlignment() == Alignment::Center ? SS_CENTER : SS_LEFT;
    peer = std::make_unique<LabelPeer>(c, native("STATIC", align | SS_NOTIFY, 0));
  } else if (auto* e = dynamic_cast<Edit*>(&c)) {
    const DWORD align = e->GetAlignment() == Alignment::Right ? ES_RIGHT
                        : e->GetAlignment() == Alignment::Center ? ES_CENTER : ES_LEFT;
    peer = std::make_unique<EditPeer>(
        c, native("EDIT", ES_AUTOHSCROLL | align | (e->ReadOnly() ? ES_READONLY : 0), WS_EX_CLIENTEDGE));
    if (e->MaxLength() > 0) SendMessageA(peer->Hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(e->MaxLength()), 0);
  } else if (auto* sb = dynamic_cast<ScrollBar*>(&c)) {
    auto p = std::make_unique<ScrollBarPeer>(c, native("SCROLLBAR", sb->Vertical() ? SBS_VERT : SBS_HORZ, 0));
    p->Sync();
    peer = std::move(p);
  } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
    const DWORD kind = cb->Style() == ComboStyle::DropDownList ? CBS_DROPDOWNLIST
                       : cb->Style() == ComboStyle::DropDown   ? CBS_DROPDOWN : CBS_SIMPLE;
    const DWORD drawn = cb->ShowsGlyphs() ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0;
    HWND h = CreateWindowExA(0, "COMBOBOX", "", style | kind | drawn | WS_VSCROLL | CBS_AUTOHSCROLL, r.left, r.top,
                             r.width, r.height + 16 * cb->DropDownCount(), ph,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    peer = std::make_unique<ComboPeer>(c, h);
    if (cb->ShowsGlyphs()) {
      SendMessageA(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kGlyphSize);
      SendMessageA(h, CB_SETITEMHEIGHT, 0, kGlyphSize);
    }
    peer->Changed(Prop::Items);
    peer->Changed(Prop::Text);
  } else if (auto* lb = dynamic_cast<ListBox*>(&c)) {
    DWORD more = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (lb->MultiSelect()) more |= lb->ExtendedSelect() ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (lb->Columns() > 0) more |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (lb->Style() == ListStyle::OwnerDrawFixed) more |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    peer = std::make_unique<ListPeer>(c, native("LISTBOX", more, WS_EX_CLIENTEDGE));
    peer->Changed(Prop::Style);
    peer->Changed(Prop::Items);
  } else if (dynamic_cast<StringGrid*>(&c)) {
    auto grid = std::make_unique<GridPeer>(c, CreateContainer(c, WS_EX_CLIENTEDGE, style | WS_VSCROLL, ph, id, r));
    grid->SyncScroll();
    peer = std::move(grid);
  } else if (dynamic_cast<Image*>(&c) || dynamic_cast<Gauge*>(&c)) {
    peer = std::make_unique<ImagePeer>(c, CreateContainer(c, 0, style, ph, id, r));
  } else if (dynamic_cast<TabControl*>(&c)) {
    EnsureCommonControls();
    peer = std::make_unique<TabPeer>(c, native(WC_TABCONTROLA, WS_CLIPCHILDREN, 0));
    peer->Changed(Prop::Items);
  } else {  // panels and any other container
    peer = std::make_unique<PanelPeer>(c, CreateContainer(c, WS_EX_CONTROLPARENT, style, ph, id, r));
  }
  peer->Changed(Prop::Font);
  if (!c.Hint().empty()) SyncHint(*peer);
  return peer;
}

}  // namespace w95::ui::win32
