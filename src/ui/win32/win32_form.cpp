// The form's window: a top-level window of our own class owned by the
// application window, with dialog keys (DM_GETDEFID, IDCANCEL) for the
// modal loop's IsDialogMessage, activation, closing, sizing and the menu bar.
#include <algorithm>

#include "platform/platform.h"
#include "ui/automation.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

DWORD StyleOf(const Form& f) {
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  switch (f.GetBorderStyle()) {
    case BorderStyle::None:
      break;
    case BorderStyle::Single:
      style |= WS_CAPTION | WS_BORDER | (f.BorderIcons() ? WS_MINIMIZEBOX : 0);
      break;
    case BorderStyle::Sizeable:
      style |= WS_CAPTION | WS_THICKFRAME | (f.BorderIcons() ? WS_MINIMIZEBOX | WS_MAXIMIZEBOX : 0);
      break;
    case BorderStyle::Dialog:
      style |= WS_CAPTION | DS_MODALFRAME;
      break;
    case BorderStyle::ToolWindow:
      style |= WS_CAPTION;
      break;
  }
  if (f.BorderIcons() && f.GetBorderStyle() != BorderStyle::None) style |= WS_SYSMENU;
  return style;
}

DWORD ExStyleOf(const Form& f) {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (f.GetBorderStyle() == BorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME;
  if (f.GetBorderStyle() == BorderStyle::ToolWindow) ex |= WS_EX_TOOLWINDOW;
  if (f.StayOnTop()) ex |= WS_EX_TOPMOST;
  return ex;
}

// The outer rectangle of a form's window for its client size and position.
RECT OuterRect(const Form& f, DWORD style, DWORD ex, bool menu) {
  RECT r{0, 0, f.ClientWidth(), f.ClientHeight()};
  AdjustWindowRectEx(&r, style, menu, ex);
  const int w = r.right - r.left, h = r.bottom - r.top;
  int x = f.Left(), y = f.Top();
  if (f.Position() == FormPosition::ScreenCenter) {
    const auto screen = platform::Current().desktop->Screen();
    // A window larger than the screen keeps its caption on it: centred
    // it would start above and left of the screen, out of the user's reach.
    x = std::max(0, (screen.width - w) / 2);
    y = std::max(0, (screen.height - h) / 2);
  }
  return RECT{x, y, x + w, y + h};
}

class FormPeer final : public ContainerPeer {
 public:
  FormPeer(Form& f, HWND h) : ContainerPeer(f, h) {}
  Form& GetForm() { return static_cast<Form&>(control_); }

  ~FormPeer() override {
    ModelessShown(*this, false);
    if (HMENU m = GetMenu(hwnd_)) {
      SetMenu(hwnd_, nullptr);
      DestroyMenu(m);
    }
  }

  // Outer rectangle for the form's client size and position.
  RECT Outer() {
    return OuterRect(GetForm(), static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)),
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)),
                     GetMenu(hwnd_) != nullptr);
  }

  // Made at `outer`, the rectangle Outer() gave then: where the system left
  // it there, it is placed (working out the place again asks the system for
  // the screen's size, a round trip to it each time).
  void MadeAt(const RECT& outer) {
    RECT now;
    if (GetWindowRect(hwnd_, &now) && EqualRect(&now, &outer))
      placed_ = true;
    else
      Place();
  }

  // A window already where it belongs is left alone: moving it to the same
  // place still costs the system a round of messages.
  void Place() {
    const RECT r = Outer();
    RECT now;
    if (GetWindowRect(hwnd_, &now) && EqualRect(&now, &r)) return;
    placing_ = true;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
  }

  void Changed(Prop p) override {
    Form& f = GetForm();
    switch (p) {
      case Prop::Bounds:
        Place();
        break;
      case Prop::Painting:
        // Suspending takes the window's visible bit away (children then take
        // no paint either); resuming gives it back only to a window that is
        // still shown, so a form hidden meanwhile stays hidden.
        if (f.PaintingSuspended()) {
          if (IsWindowVisible(hwnd_)) {
            SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
            redrawOff_ = true;
          }
        } else if (redrawOff_) {
          redrawOff_ = false;
          if (f.Visible()) {
            SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
            RedrawWindow(hwnd_, nullptr, nullptr,
                         RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
          }
        }
        break;
      case Prop::WindowState:
        if (IsWindowVisible(hwnd_))
          ShowWindow(hwnd_, f.GetWindowState() == WindowState::Minimized   ? SW_MINIMIZE
                            : f.GetWindowState() == WindowState::Maximized ? SW_MAXIMIZE
                                                                           : SW_RESTORE);
        break;
      case Prop::Visible:
        if (f.Visible()) {
          if (!placed_) {
            Place();
            placed_ = true;
          }
          if (!f.Modal()) ModelessShown(*this, true);
          ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
          f.UserWindowState(IsZoomed(hwnd_) ? WindowState::Maximized : WindowState::Normal);
          SetForegroundWindow(hwnd_);
        } else {
          ModelessShown(*this, false);
          ShowWindow(hwnd_, SW_HIDE);
        }
        break;
      case Prop::BorderStyle:
        SetWindowLongPtrA(
            hwnd_, GWL_STYLE,
            static_cast<LONG_PTR>(StyleOf(f) | (IsWindowVisible(hwnd_) ? WS_VISIBLE : 0)));
        SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyleOf(f)));
        SetWindowPos(hwnd_, f.StayOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        Place();
        break;
      case Prop::Menu: {
        HMENU old = GetMenu(hwnd_);
        SetMenu(hwnd_, f.Menu() ? BuildMenu(*f.Menu(), true) : nullptr);
        if (old) DestroyMenu(old);
        Place();
        break;
      }
      default:
        WindowPeer::Changed(p);
    }
  }

  LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp) override {
    Form& f = GetForm();
    switch (msg) {
      case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && f.Visible())
          f.UserActivated();
        else if (LOWORD(wp) == WA_INACTIVE)
          Guard([&] {
            if (f.OnDeactivate) f.OnDeactivate(f);
          });
        return 0;
      case WM_SETFOCUS:
        if (Control* a = f.ActiveControl(); a && a->Handle())
          SetFocus(reinterpret_cast<HWND>(a->Handle()));
        return 0;
      case WM_CLOSE:
        f.UserClosing();
        return 0;
      case WM_SIZE:
        f.UserWindowState(wp == SIZE_MINIMIZED   ? WindowState::Minimized
                          : wp == SIZE_MAXIMIZED ? WindowState::Maximized
                                                 : WindowState::Normal);
        if (wp != SIZE_MINIMIZED && !placing_) f.UserResized(LOWORD(lp), HIWORD(lp));
        return 0;
      case WM_MOVE:
        if (!placing_ && !IsIconic(hwnd_) && f.Position() != FormPosition::ScreenCenter) {
          RECT r;
          GetWindowRect(hwnd_, &r);
          f.UserMoved(r.left, r.top);
        }
        return 0;
      case DM_GETDEFID:
        if (Button* b = f.DefaultButton(); b && b->Handle())
          return MAKELRESULT(GetDlgCtrlID(reinterpret_cast<HWND>(b->Handle())), DC_HASDEFID);
        return 0;
      case WM_COMMAND:
        if (lp == 0 && HIWORD(wp) == 0 && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
          f.UserDialogKey(LOWORD(wp) == IDOK ? vkReturn : vkEscape, ssNone);
          return 0;
        }
        break;
      case WM_INITMENUPOPUP:
        RefreshPopup(reinterpret_cast<HMENU>(wp));
        return 0;
      case WM_NCDESTROY:  // destroyed by another hand than ours
        ModelessShown(*this, false);
        break;
      case kRunScript: {
        if (pendingScript_) {
          auto script = std::move(pendingScript_);
          pendingScript_ = nullptr;
          script(f);
          if (f.Modal() && f.GetModalResult() == mrNone)
            throw ScriptFailure("the script left modal form '" + f.Name() + "' open");
        }
        return 0;
      }
      default:
        break;
    }
    return ContainerPeer::Proc(msg, wp, lp);
  }

  std::function<void(Form&)> pendingScript_;

 private:
  bool placed_ = false;
  bool redrawOff_ = false;  // WM_SETREDRAW FALSE sent and not yet undone
  bool placing_ = false;
};

}  // namespace

std::unique_ptr<Peer> MakeFormPeer(Form& form) {
  // Made in its place and at its size, so that it is not moved at once.
  const RECT outer = OuterRect(form, StyleOf(form), ExStyleOf(form), form.Menu() != nullptr);
  HWND h = CreateContainer(
      form, ExStyleOf(form), StyleOf(form), AppWindow(), 0,
      Rect{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top});
  auto peer = std::make_unique<FormPeer>(form, h);
  peer->Changed(Prop::Font);
  if (form.Menu())
    peer->Changed(Prop::Menu);  // placed again for its menu bar
  else
    peer->MadeAt(outer);
  return peer;
}

// Queues a session's script to run inside the form's modal loop.
void QueueScript(Form& form, std::function<void(Form&)> script) {
  if (auto* p = dynamic_cast<FormPeer*>(form.GetPeer())) {
    p->pendingScript_ = std::move(script);
    PostMessageA(p->Hwnd(), kRunScript, 0, 0);
  }
}

}  // namespace w95::ui::win32
