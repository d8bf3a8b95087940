// Hints as tooltips: one tooltip window per form, made when the mouse first
// comes onto a control with a hint (or a test asks for it), so that opening
// a form makes no window that may never be used. Each hinted control has two
// tools: one on its own window (the mouse is over an enabled control) and one
// on its parent for the control's rectangle (a disabled control's mouse
// messages go to its parent). Our window procedures relay the mouse messages
// to the tooltip.
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {

HWND FormOf(HWND h) { return GetAncestor(h, GA_ROOT); }

// The peer of the form a window is on, which keeps the form's hint state;
// null for a window not on a form of ours.
ContainerPeer* FormPeerOf(HWND anyWindowOfForm) {
  HWND form = FormOf(anyWindowOfForm);
  return form ? dynamic_cast<ContainerPeer*>(WindowPeer::From(form)) : nullptr;
}

HWND MakeTipWindow(ContainerPeer& form) {
  EnsureCommonControls();
  HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOANIMATE | TTS_NOFADE,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             form.Hwnd(), nullptr, Instance(), nullptr);
  if (tip) form.hintWindow = tip;
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

// The form's tooltip window as it is: null when none is made yet.
HWND TipOf(HWND anyWindowOfForm) {
  const ContainerPeer* form = FormPeerOf(anyWindowOfForm);
  return form ? form->hintWindow : nullptr;
}

// A control's window shows its hint: there is one, it is on, and the window
// is a child window.
bool WantsHint(const Control& c, HWND h) {
  return h && !c.Hint().empty() && c.ShowHint() && GetParent(h) != nullptr &&
         (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD);
}

HWND WindowOf(const Control& c) {
  const Peer* p = c.GetPeer();
  return p ? reinterpret_cast<HWND>(p->Handle()) : nullptr;
}

void AddTools(HWND tip, const Control& c, HWND h) {
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

void AddToolsBelow(HWND tip, const Control& c) {
  for (const Control* child : c.Children()) {
    if (HWND h = WindowOf(*child); WantsHint(*child, h)) AddTools(tip, *child, h);
    AddToolsBelow(tip, *child);
  }
}

// The tooltip window of a form that wants one, with the tools of every
// control of the form that shows a hint.
HWND MakeHints(ContainerPeer& form) {
  HWND tip = MakeTipWindow(form);
  if (!tip) return nullptr;
  form.hintWanted = false;
  AddToolsBelow(tip, form.GetControl());
  return tip;
}

// The mouse is on a control with a hint: on its window, or on its parent
// over a child whose window does not take the mouse (a disabled one).
bool MouseOnHint(HWND h, LPARAM lp) {
  const WindowPeer* p = WindowPeer::From(h);
  if (!p) return false;
  if (WantsHint(p->GetControl(), h)) return true;
  const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  for (const Control* child : p->GetControl().Children()) {
    HWND ch = WindowOf(*child);
    if (!WantsHint(*child, ch) || !IsWindowVisible(ch)) continue;
    RECT r;
    GetWindowRect(ch, &r);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
    if (PtInRect(&r, at)) return true;
  }
  return false;
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
  ContainerPeer* form = FormPeerOf(anyWindowOfForm);
  if (!form) return nullptr;
  if (form->hintWindow) return form->hintWindow;
  return form->hintWanted ? MakeHints(*form) : nullptr;
}

void SyncHint(WindowPeer& peer) {
  HWND h = peer.Hwnd();
  HWND tip = TipOf(h);
  if (!WantsHint(peer.GetControl(), h)) {
    if (tip) DropHint(peer);
    return;
  }
  // Without a tooltip window yet the form only notes that it wants one: the
  // tools are added, from the controls as they are then, when it is made.
  if (!tip) {
    if (ContainerPeer* form = FormPeerOf(h)) form->hintWanted = true;
    return;
  }
  AddTools(tip, peer.GetControl(), h);
}

void MoveHint(WindowPeer& peer) {
  HWND tip = TipOf(peer.Hwnd());
  if (!tip) return;
  TTTOOLINFOA t = ParentTool(peer.Hwnd());
  if (HasTool(tip, t)) SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&t));
}

void DropHint(WindowPeer& peer) {
  HWND tip = TipOf(peer.Hwnd());
  if (!tip || !IsWindow(tip)) return;
  for (TTTOOLINFOA t : {OwnTool(peer.Hwnd()), ParentTool(peer.Hwnd())})
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&t));
}

void DropHintWindow(HWND form) {
  ContainerPeer* peer = FormPeerOf(form);
  if (!peer) return;
  peer->hintWanted = false;
  if (HWND tip = std::exchange(peer->hintWindow, nullptr)) DestroyWindow(tip);
}

void RelayHint(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP &&
      msg != WM_RBUTTONDOWN && msg != WM_RBUTTONUP && msg != WM_MBUTTONDOWN && msg != WM_MBUTTONUP)
    return;
  ContainerPeer* form = FormPeerOf(h);
  if (!form) return;
  HWND tip = form->hintWindow;
  if (!tip) {
    if (!form->hintWanted || !MouseOnHint(h, lp)) return;
    tip = MakeHints(*form);
    if (!tip) return;
  }
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
