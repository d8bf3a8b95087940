#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/code_page_text.h"
#include "ui/application.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {
std::exception_ptr parked;
std::unordered_map<HWND, WindowPeer*> peers;  // WindowPeer::From
}  // namespace

HINSTANCE Instance() {
  // The module that holds this code (the DLL, or a test program).
  static HINSTANCE instance = [] {
    HMODULE m = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&Instance), &m);
    return m;
  }();
  return instance;
}

void Safely(const std::function<void()>& fn) {
  const HandlerScope running;
  try {
    fn();
  } catch (const ScriptFailure&) {
    if (!parked) parked = std::current_exception();
  } catch (const std::exception& e) {
    // An error outside any handler's Guard: the standard error box, as for
    // handlers; only a failing box itself is parked.
    try {
      Application().ShowException(e);
    } catch (...) {
      if (!parked) parked = std::current_exception();
    }
  } catch (...) {
    if (!parked) parked = std::current_exception();
  }
}

std::wstring WideText(std::string_view shown) {
  const std::u16string w = platform::WideFromShown(shown);
  return std::wstring(reinterpret_cast<const wchar_t*>(w.data()), w.size());
}

std::string ShownText(std::wstring_view wide) {
  return platform::ShownFromWide(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

bool HasParkedFailure() { return parked != nullptr; }

void RethrowParkedFailure() {
  if (!parked) return;
  std::exception_ptr e = parked;
  parked = nullptr;
  std::rethrow_exception(e);
}

WindowPeer::WindowPeer(Control& control, HWND hwnd) : control_(control), hwnd_(hwnd) {
  Link(hwnd_, this);
}

WindowPeer::~WindowPeer() {
  // Unlinked first: the messages of the window's destruction find no peer.
  Unlink(hwnd_, this);
  if (!IsWindow(hwnd_)) return;
  if (!control_.Hint().empty()) DropHint(*this);
  DestroyWindow(hwnd_);
}

WindowPeer* WindowPeer::From(HWND hwnd) {
  if (!hwnd) return nullptr;
  const auto it = peers.find(hwnd);
  return it == peers.end() ? nullptr : it->second;
}

void WindowPeer::Link(HWND hwnd, WindowPeer* peer) {
  if (hwnd) peers[hwnd] = peer;
}

void WindowPeer::Unlink(HWND hwnd, const WindowPeer* peer) {
  if (const auto it = peers.find(hwnd); it != peers.end() && it->second == peer) peers.erase(it);
}

void WindowPeer::Gone(HWND hwnd) { peers.erase(hwnd); }

void WindowPeer::PutText(const std::string& text) {
  if (NativeText(hwnd_) == text) return;  // what the user typed stays as typed
  updating_ = true;
  SetWindowTextW(hwnd_, WideText(text).c_str());
  updating_ = false;
}

void WindowPeer::Changed(Prop p) {
  const Rect& r = control_.Bounds();
  switch (p) {
    case Prop::Text:
    case Prop::Caption:
      PutText(control_.Text());
      break;
    case Prop::Bounds: {
      // The parent repaints where the control stood, so no piece of it is
      // left behind, whatever the parent's own clipping.
      HWND parent = GetParent(hwnd_);
      RECT old{};
      GetWindowRect(hwnd_, &old);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&old), 2);
      MoveWindow(hwnd_, r.left, r.top, r.width, r.height, TRUE);
      if (parent && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD) && IsWindowVisible(hwnd_))
        InvalidateRect(parent, &old, TRUE);
      if (!control_.Hint().empty()) MoveHint(*this);
      break;
    }
    case Prop::Hint:
      SyncHint(*this);
      break;
    case Prop::Enabled:
      EnableWindow(hwnd_, control_.Enabled());
      break;
    case Prop::Visible:
      ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Prop::Font:
      // A window not on screen is painted when it comes: asking for a
      // repaint now costs the system a round trip for nothing.
      SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(control_.GetFont())),
                   IsWindowVisible(hwnd_));
      for (Control* c : control_.Children())
        if (c->ParentFont() && c->GetPeer()) c->GetPeer()->Changed(Prop::Font);
      break;
    default:
      Invalidate();
      break;
  }
}

void WindowPeer::Focus() {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
}

HBRUSH WindowPeer::ControlColor(HDC dc) {
  SetTextColor(dc, ColorRef(control_.GetFont().color));
  SetBkColor(dc, ColorRef(control_.GetColor()));
  return BrushOf(control_.GetColor());
}

COLORREF ColorRef(Color c) {
  return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c);
}

namespace {
// Made once per colour and font, given back when the library is unloaded.
std::map<Color, HBRUSH> brushes;
std::map<std::tuple<std::string, int, int, bool, bool, bool>, HFONT> fonts;
}  // namespace

void ReleaseGdiCache() {
  ReleaseKeptBars();
  for (auto& [c, b] : brushes)
    if (b) DeleteObject(b);
  brushes.clear();
  for (auto& [f, h] : fonts)
    if (h) DeleteObject(h);
  fonts.clear();
}

HBRUSH BrushOf(Color c) {
  if (IsSystemColor(c)) return GetSysColorBrush(static_cast<int>(c & 0xFF));
  auto& b = brushes[c];
  if (!b) b = CreateSolidBrush(static_cast<COLORREF>(c));
  return b;
}

HFONT FontHandle(const Font& f) {
  auto& h = fonts[{f.name, f.size, f.pixelHeight, f.bold, f.italic, f.underline}];
  if (!h) {
    HDC screen = GetDC(nullptr);
    const int height = FontHeight(f, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    h = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
  }
  return h;
}

}  // namespace w95::ui::win32
