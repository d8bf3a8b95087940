// Hints as tooltips: one tooltip window per form, made when its first control
// with a hint gets a window. Each hinted control has two tools: one on its
// own window (the mouse is over an enabled control) and one on its parent for
// the control's rectangle (a disabled control's mouse messages go to its
// parent). Our window procedures relay the mouse messages to the tooltip.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

constexpr char kTipProp[] = "W95HintWindow";

HWND FormOf(HWND h) { return GetAncestor(h, GA_ROOT); }

HWND MakeTipWindow(HWND form) {
  EnsureCommonControls();
  HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOANIMATE | TTS_NOFADE,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form,
                             nullptr, Instance(), nullptr);
  if (tip) SetPropA(form, kTipProp, tip);
  return tip;
}

// The two tools of a control: on its own window, and on its parent by
// rectangle (identified by the control id).
TTTOOLINFOA OwnTool(HWND h) {
  TTTOOLINFOA t{};
  t.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every version of the control
  t.hwnd = h;
  t.uId = 0;
  t.rect = RECT{0, 0, 0x7FFF, 0x7FFF};
  return t;
}

TTTOOLINFOA ParentTool(HWND h) {
  TTTOOLINFOA t{};
  t.cbSize = TTTOOLINFOA_V2_SIZE;
  t.hwnd = GetParent(h);
  t.uId = static_cast<UINT_PTR>(GetDlgCtrlID(h));
  GetWindowRect(h, &t.rect);
  MapWindowPoints(nullptr, t.hwnd, reinterpret_cast<POINT*>(&t.rect), 2);
  return t;
}

bool HasTool(HWND tip, TTTOOLINFOA t) {
  t.lpszText = nullptr;  // else the tooltip copies the text into it
  return SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&t)) != 0;
}

}  // namespace

void EnsureCommonControls() {
  static const bool ready = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)ready;
}

HWND HintWindow(HWND anyWindowOfForm) {
  HWND form = FormOf(anyWindowOfForm);
  return form ? static_cast<HWND>(GetPropA(form, kTipProp)) : nullptr;
}

void SyncHint(WindowPeer& peer) {
  HWND h = peer.Hwnd();
  Control& c = peer.GetControl();
  const bool wanted = !c.Hint().empty() && c.ShowHint() && GetParent(h) != nullptr &&
                      (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD);
  HWND tip = HintWindow(h);
  if (!wanted) {
    if (tip) DropHint(peer);
    return;
  }
  if (!tip) tip = MakeTipWindow(FormOf(h));
  if (!tip) return;
  for (TTTOOLINFOA t : {OwnTool(h), ParentTool(h)}) {
    t.lpszText = const_cast<char*>(c.Hint().c_str());
    if (!HasTool(tip, t)) {
      t.uFlags = 0;
      SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&t));
    } else {
      SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&t));
      SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&t));
    }
  }
}

void MoveHint(WindowPeer& peer) {
  HWND tip = HintWindow(peer.Hwnd());
  if (!tip) return;
  TTTOOLINFOA t = ParentTool(peer.Hwnd());
  if (HasTool(tip, t)) SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&t));
}

void DropHint(WindowPeer& peer) {
  HWND tip = HintWindow(peer.Hwnd());
  if (!tip || !IsWindow(tip)) return;
  for (TTTOOLINFOA t : {OwnTool(peer.Hwnd()), ParentTool(peer.Hwnd())})
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&t));
}

void DropHintWindow(HWND form) {
  if (HWND tip = static_cast<HWND>(RemovePropA(form, kTipProp))) DestroyWindow(tip);
}

void RelayHint(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP &&
      msg != WM_RBUTTONDOWN && msg != WM_RBUTTONUP && msg != WM_MBUTTONDOWN && msg != WM_MBUTTONUP)
    return;
  HWND tip = HintWindow(h);
  if (!tip) return;
  MSG m{};
  m.hwnd = h;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  m.time = static_cast<DWORD>(GetMessageTime());
  GetCursorPos(&m.pt);
  SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

}  // namespace w95::ui::win32
