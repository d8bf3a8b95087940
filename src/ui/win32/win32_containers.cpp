// Windows of our own class (forms, panels, images, gauges, grids): one
// window procedure that reflects the children's notifications (WM_COMMAND,
// WM_xSCROLL, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR...) to their peers, and the
// input every peer shares.
#include <windows.h>

#include <map>

#include "platform/code_page_text.h"
#include "ui/application.h"
#include "ui/image.h"
#include "ui/panel.h"
#include "ui/screen.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"W95Window";

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
      DrawTextW(dc, WideText(p.Text()).c_str(), -1, &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
      SelectObject(dc, old);
    }
  }
  void Changed(Prop p) override {
    if (p == Prop::Text) PutText(control_.Text());  // the caption is also the window's text
    if (p == Prop::Bevel || p == Prop::Text || p == Prop::Alignment)
      Invalidate();
    else
      WindowPeer::Changed(p);
  }
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

LRESULT CALLBACK ContainerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* p = dynamic_cast<ContainerPeer*>(WindowPeer::From(h));
  if (!p) return DefWindowProcW(h, msg, wp, lp);
  const HandlerScope running;  // the system's move and size loops run in here
  LRESULT result = 0;
  bool handled = false;
  Safely([&] {
    RelayHint(h, msg, wp, lp);
    result = p->Proc(msg, wp, lp);
    handled = true;
  });
  if (!handled) result = DefWindowProcW(h, msg, wp, lp);
  if (msg == WM_NCDESTROY) WindowPeer::Gone(h);  // destroyed under its peer
  return result;
}

}  // namespace

// Input common to every peer; true when the message was used up.
bool CommonInput(WindowPeer& p, UINT msg, WPARAM wp, LPARAM lp) {
  Control& c = p.GetControl();
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_SETFOCUS:
      c.UserFocused();
      return false;
    case WM_KEYDOWN:
      if (c.OnKeyDown) {
        int key = static_cast<int>(wp);
        c.UserKeyDown(key, ShiftState());
        return key == 0;
      }
      return false;
    case WM_CHAR: {
      // Every control sees its characters first (a list's type-ahead before
      // the native list's own search of one letter). Key events take the
      // characters of the code page; any other goes to the window alone.
      const std::u16string unit(1, static_cast<char16_t>(wp));
      const auto inCodePage = platform::CodePageFromWide(unit);
      if (!inCodePage || inCodePage->size() != 1) return false;
      char ch = (*inCodePage)[0];
      c.UserKeyPress(ch);
      return ch == 0;
    }
    case WM_LBUTTONDBLCLK:
      c.UserDblClick();
      return false;
    case WM_RBUTTONDOWN:
      c.UserMouseDown(MouseButton::Right, ShiftState(), x, y);
      return false;
    case WM_RBUTTONUP:
      c.UserMouseUp(MouseButton::Right, ShiftState(), x, y);
      return false;
    case WM_LBUTTONUP:
      c.UserMouseUp(MouseButton::Left, ShiftState(), x, y);
      return false;
    case WM_MOUSEMOVE:
      if (c.OnMouseMove) c.UserMouseMove(ShiftState(), x, y);
      return false;
    case WM_SETCURSOR:
      if (Screen().GetCursor() != Cursor::Default) {
        ::SetCursor(CursorHandle(Screen().GetCursor()));
        return true;
      }
      return false;
    default:
      return false;
  }
}

LPCSTR CursorId(Cursor c) {
  switch (c) {
    case Cursor::HourGlass:
      return IDC_WAIT;
    case Cursor::NoDrop:
      return IDC_NO;
    case Cursor::HSplit:
    case Cursor::SizeWE:
      return IDC_SIZEWE;
    case Cursor::VSplit:
    case Cursor::SizeNS:
      return IDC_SIZENS;
    case Cursor::Cross:
      return IDC_CROSS;
    case Cursor::Drag:
      return IDC_UPARROW;
    default:
      return IDC_ARROW;
  }
}
HCURSOR CursorHandle(Cursor c) {
  // The system's shared cursors stay for the life of the process: each is
  // looked up once (asking costs the system a round trip, and a busy
  // window asks at every move of the mouse).
  static std::map<LPCSTR, HCURSOR> loaded;
  const LPCSTR id = CursorId(c);
  HCURSOR& h = loaded[id];
  if (!h) h = LoadCursorA(nullptr, id);
  return h;
}

unsigned ShiftState() {
  unsigned s = ssNone;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

void ContainerPeer::Invalidate() {
  if (invalid_) return;
  invalid_ = true;
  WindowPeer::Invalidate();
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
      if (WindowPeer* child = From(GetDlgItem(hwnd_, static_cast<int>(m->CtlID))))
        child->MeasureItem(*m);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
      if (WindowPeer* child = From(reinterpret_cast<HWND>(lp)))
        return reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(wp)));
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      invalid_ = false;  // a change from here on asks again
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
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

namespace {
bool containerRegistered = false;
}  // namespace

void UnregisterContainerClass() {
  if (containerRegistered) UnregisterClassW(kWindowClass, Instance());
  containerRegistered = false;
}

HWND CreateContainer(Control& c, DWORD exStyle, DWORD style, HWND parent, int id, const Rect& r) {
  bool& registered = containerRegistered;
  if (!registered) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &ContainerProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    registered = true;
  }
  return CreateWindowExW(exStyle, kWindowClass, WideText(c.Text()).c_str(), style, r.left, r.top,
                         r.width, r.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
}

std::unique_ptr<WindowPeer> MakePanelPeer(Control& c, HWND h) {
  return std::make_unique<PanelPeer>(c, h);
}

std::unique_ptr<WindowPeer> MakeImagePeer(Control& c, HWND h) {
  return std::make_unique<ImagePeer>(c, h);
}

}  // namespace w95::ui::win32
