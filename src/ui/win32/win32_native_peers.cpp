// Peers of the native controls: buttons (push buttons owner drawn when they
// carry a glyph), check boxes and radio buttons, labels, edits, scroll bars,
// combo boxes and tab controls. Each native window is subclassed for focus,
// keys and mouse; its notifications come back through the parent's
// reflection (win32_containers.cpp).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/scroll_bar.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

// What the user typed or pasted, read wide: a character the code page cannot
// hold comes back as itself (in UTF-8), never as a look-alike ("Ωmega" is not
// "omega").
std::string NativeText(HWND h) {
  std::wstring s(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  s.resize(static_cast<size_t>(GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
  return ShownText(s);
}

LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  WindowPeer* p = WindowPeer::From(h);
  if (!p) return DefWindowProcW(h, msg, wp, lp);
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
    if (msg == WM_THEMECHANGED) ReleaseKeptBars();
    if (msg == WM_PAINT && wp == 0 && p->PaintKept()) {
      used = true;
      return;
    }
    RelayHint(h, msg, wp, lp);
    if (msg == WM_MOUSEMOVE) p->MouseMoved();
    if (msg == WM_LBUTTONDOWN) {
      // The control's own handling (a scroll bar tracks the mouse until the
      // button is released) comes first; the mouse-down event after it.
      result = CallWindowProcW(original, h, msg, wp, lp);
      used = true;
      if (WindowPeer::From(h) == p)
        p->GetControl().UserMouseDown(MouseButton::Left, ShiftState(),
                                      static_cast<short>(LOWORD(lp)),
                                      static_cast<short>(HIWORD(lp)));
      return;
    }
    used = CommonInput(*p, msg, wp, lp);
    if (used && msg == WM_SETCURSOR) result = TRUE;
  });
  if (!used) result = CallWindowProcW(original, h, msg, wp, lp);
  if (msg == WM_NCDESTROY) WindowPeer::Gone(h);  // destroyed under its peer
  return result;
}

NativePeer::NativePeer(Control& c, HWND h) : WindowPeer(c, h) {
  original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

NativePeer::~NativePeer() {
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}

namespace {

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
      // A glyph button's down state is in its drawing.
      if (b)
        Invalidate();
      else
        SendMessageA(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (p == Prop::Default || p == Prop::Glyph) {
      if (!b) return;
      const DWORD type = StylesOf(*b);
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
    const bool pressed = (d.itemState & ODS_SELECTED) != 0 || b->Down();
    const bool enabled = (d.itemState & ODS_DISABLED) == 0;
    if (b->IsDefault() || (d.itemState & ODS_FOCUS)) {
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    HFONT old = static_cast<HFONT>(SelectObject(dc, FontHandle(control_.GetFont())));
    RECT calc{0, 0, 0, 0};
    const std::wstring text = WideText(control_.Text());
    if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    const Rect whole{d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left,
                     d.rcItem.bottom - d.rcItem.top};
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
        DrawTextW(dc, text.c_str(), -1, &hr, DT_SINGLELINE);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
      } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      }
      DrawTextW(dc, text.c_str(), -1, &tr, DT_SINGLELINE);
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
      SetWindowLongPtrA(hwnd_, GWL_STYLE, style | static_cast<LONG_PTR>(StylesOf(l)));
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
    if (p == Prop::ReadOnly)
      SendMessageA(hwnd_, EM_SETREADONLY, e.ReadOnly(), 0);
    else if (p == Prop::Selection)
      SendMessageA(hwnd_, EM_SETSEL, 0, -1);
    else
      WindowPeer::Changed(p);
  }
};

// What decides how a scroll bar looks: its size and style, its values and
// the state of each of its parts as the system reports them, its colour and
// the system's colours.
struct BarLook {
  int width = 0, height = 0;
  LONG_PTR style = 0;
  bool enabled = false;
  int min = 0, max = 0, page = 0, pos = 0;
  int thumbTop = 0, thumbBottom = 0, arrow = 0;
  DWORD states[CCHILDREN_SCROLLBAR + 1] = {};
  Color color = 0;
  COLORREF system[6] = {};
  bool operator==(const BarLook&) const = default;
};

// The system draws a themed scroll bar piece by piece along its length: a
// long bar costs milliseconds at each paint, every time a window opens or is
// uncovered. What it drew is kept for the looks last seen, so that a bar at
// rest is painted again with one copy. A bar being tracked, under the mouse
// or with the focus is always drawn by the system.
struct KeptBar {
  BarLook look;
  HBITMAP bitmap = nullptr;
};
constexpr size_t kKeptBars = 24;
std::vector<KeptBar>& KeptBars() {
  static std::vector<KeptBar> kept;
  return kept;
}

bool LookOf(HWND h, Control& c, BarLook& look) {
  RECT r;
  GetClientRect(h, &r);
  look.width = r.right;
  look.height = r.bottom;
  look.style = GetWindowLongPtrW(h, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_VISIBLE | WS_TABSTOP);
  look.enabled = IsWindowEnabled(h) != 0;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  if (!GetScrollInfo(h, SB_CTL, &si) || !GetScrollBarInfo(h, OBJID_CLIENT, &sbi)) return false;
  look.min = si.nMin;
  look.max = si.nMax;
  look.page = static_cast<int>(si.nPage);
  look.pos = si.nPos;
  look.thumbTop = sbi.xyThumbTop;
  look.thumbBottom = sbi.xyThumbBottom;
  look.arrow = sbi.dxyLineButton;
  std::copy(std::begin(sbi.rgstate), std::end(sbi.rgstate), std::begin(look.states));
  look.color = c.GetColor();
  const int colours[] = {COLOR_SCROLLBAR,  COLOR_BTNFACE,    COLOR_BTNSHADOW,
                         COLOR_BTNHILIGHT, COLOR_3DDKSHADOW, COLOR_BTNTEXT};
  for (size_t i = 0; i < std::size(colours); ++i) look.system[i] = GetSysColor(colours[i]);
  return look.width > 0 && look.height > 0;
}

class ScrollBarPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void MouseMoved() override { mouseCame_ = true; }
  // The bar looks as it does at rest: not tracked, without the focus (which
  // puts a caret on it), and not under the mouse. The system lights a part
  // under the mouse only once the mouse has moved over the bar: until then
  // the cursor, which costs a round trip to the display, is not asked.
  bool AtRest() {
    if (GetCapture() == hwnd_ || GetFocus() == hwnd_) return false;
    if (!mouseCame_) return true;
    POINT at;
    RECT r;
    if (GetCursorPos(&at) && GetWindowRect(hwnd_, &r) && PtInRect(&r, at)) return false;
    mouseCame_ = false;
    return true;
  }
  bool PaintKept() override {
    BarLook look;
    if (!AtRest() || !LookOf(hwnd_, control_, look)) return false;
    auto& kept = KeptBars();
    auto it =
        std::find_if(kept.begin(), kept.end(), [&](const KeptBar& k) { return k.look == look; });
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap =
        it != kept.end() ? it->bitmap : CreateCompatibleBitmap(dc, look.width, look.height);
    HGDIOBJ old = SelectObject(mem, bitmap);
    if (it == kept.end()) {
      // The system's own drawing, once, into the picture kept.
      CallWindowProcW(original, hwnd_, WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
      if (kept.size() == kKeptBars) {
        DeleteObject(kept.front().bitmap);
        kept.erase(kept.begin());
      }
      kept.push_back({look, bitmap});
    }
    BitBlt(dc, 0, 0, look.width, look.height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    EndPaint(hwnd_, &ps);
    return true;
  }
  void Scroll(WORD code, int pos) override {
    auto& sb = static_cast<ScrollBar&>(control_);
    ScrollCode c;
    switch (code) {
      case SB_LINEUP:
        c = ScrollCode::LineUp;
        break;
      case SB_LINEDOWN:
        c = ScrollCode::LineDown;
        break;
      case SB_PAGEUP:
        c = ScrollCode::PageUp;
        break;
      case SB_PAGEDOWN:
        c = ScrollCode::PageDown;
        break;
      case SB_THUMBPOSITION:
        c = ScrollCode::Position;
        break;
      case SB_THUMBTRACK:
        c = ScrollCode::Track;
        break;
      case SB_TOP:
        c = ScrollCode::Top;
        break;
      case SB_BOTTOM:
        c = ScrollCode::Bottom;
        break;
      default:
        c = ScrollCode::EndScroll;
        break;
    }
    sb.UserScroll(c, pos);
  }
  void Changed(Prop p) override {
    if (p == Prop::Range || p == Prop::Position || p == Prop::Steps)
      Sync();
    else
      WindowPeer::Changed(p);
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

 private:
  bool mouseCame_ = false;  // the mouse moved over the bar and may still be on it
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
    const Rect r{d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left,
                 d.rcItem.bottom - d.rcItem.top};
    Guard([&] { cb.DrawItem(static_cast<int>(d.itemID), canvas, r, state); });
    if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT))
      DrawFocusRect(d.hDC, &d.rcItem);
  }
  void MeasureItem(MEASUREITEMSTRUCT& m) override { m.itemHeight = kGlyphSize; }
  void Command(WORD code) override {
    auto& cb = static_cast<ComboBox&>(control_);
    if (code == CBN_SELCHANGE && !updating_)
      cb.UserSelected(static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)));
    else if (code == CBN_EDITCHANGE && !updating_)
      cb.UserEdited(NativeText(hwnd_));
    else if (code == CBN_DROPDOWN)
      cb.UserDroppedDown();
  }
  void Changed(Prop p) override {
    auto& cb = static_cast<ComboBox&>(control_);
    updating_ = true;
    if (p == Prop::Items) {
      SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
      for (const auto& s : cb.Items())
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(s).c_str()));
      SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(cb.ItemIndex()), 0);
    } else if (p == Prop::ItemIndex) {
      SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(cb.ItemIndex()), 0);
    } else if (p == Prop::Text) {
      if (cb.Style() != ComboStyle::DropDownList && NativeText(hwnd_) != cb.Text())
        SetWindowTextW(hwnd_, WideText(cb.Text()).c_str());
    } else {
      WindowPeer::Changed(p);
    }
    updating_ = false;
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

}  // namespace

void ReleaseKeptBars() {
  for (KeptBar& k : KeptBars()) DeleteObject(k.bitmap);
  KeptBars().clear();
}

std::unique_ptr<WindowPeer> MakeButtonPeer(Control& c, HWND h) {
  auto peer = std::make_unique<ButtonPeer>(c, h);
  if (!dynamic_cast<Button*>(&c)) peer->Changed(Prop::Checked);
  return peer;
}

std::unique_ptr<WindowPeer> MakeLabelPeer(Control& c, HWND h) {
  return std::make_unique<LabelPeer>(c, h);
}

std::unique_ptr<WindowPeer> MakeEditPeer(Control& c, HWND h) {
  auto peer = std::make_unique<EditPeer>(c, h);
  if (const int max = static_cast<Edit&>(c).MaxLength(); max > 0)
    SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(max), 0);
  return peer;
}

std::unique_ptr<WindowPeer> MakeScrollBarPeer(Control& c, HWND h) {
  auto peer = std::make_unique<ScrollBarPeer>(c, h);
  peer->Sync();
  return peer;
}

std::unique_ptr<WindowPeer> MakeComboPeer(Control& c, HWND h) {
  auto peer = std::make_unique<ComboPeer>(c, h);
  // The font first: a combo box measures its field and its drop-down list
  // again for a new font, and resizes both (the list is a window of its own)
  // when its entries were added with the system's font.
  peer->Changed(Prop::Font);
  if (static_cast<ComboBox&>(c).ShowsGlyphs()) {
    SendMessageA(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kGlyphSize);
    SendMessageA(h, CB_SETITEMHEIGHT, 0, kGlyphSize);
  }
  peer->Changed(Prop::Items);
  peer->Changed(Prop::Text);
  return peer;
}

std::unique_ptr<WindowPeer> MakeTabPeer(Control& c, HWND h) {
  auto peer = std::make_unique<TabPeer>(c, h);
  peer->Changed(Prop::Items);
  return peer;
}

}  // namespace w95::ui::win32
