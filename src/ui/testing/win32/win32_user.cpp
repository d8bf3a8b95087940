// The Win32 User: finds each control's window through its object and sends
// what a user's input would produce (BM_CLICK, WM_CHAR, scroll messages, key
// presses through the modal loop's own dispatch); reads back what the native
// controls show.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/list_box.h"
#include "ui/menu.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::test {

namespace {

using win32::WindowPeer;

class Win32User final : public User {
 public:
  void Click(std::string_view name) override {
    HWND h = Usable(name, "click");
    SendMessageA(h, BM_CLICK, 0, 0);
    Settle();
  }

  void Type(std::string_view name, std::string_view text) override {
    HWND h = Usable(name, "type into");
    if (auto* e = dynamic_cast<Edit*>(&Named(name)); e && e->ReadOnly())
      throw ScriptFailure("cannot type into read-only '" + std::string(name) + "'");
    SetFocus(h);
    SendMessageA(h, EM_SETSEL, 0, -1);
    if (text.empty()) SendMessageA(h, WM_CHAR, VK_BACK, 1);
    // Characters as the keyboard (or an input method) gives them: UTF-16
    // units, so that a name the code page cannot hold is typed as it is.
    const std::wstring wide = win32::WideText(text);
    for (size_t i = 0; i < wide.size(); ++i) {
      // The first character replaces the selection; the others go at the end.
      const int len = GetWindowTextLengthW(h);
      if (i > 0) SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(len), len);
      SendMessageW(h, WM_CHAR, static_cast<WPARAM>(wide[i]), 1);
    }
    Settle();
  }

  void Clear(std::string_view name) override {
    HWND h = Usable(name, "clear");
    SetFocus(h);
    SendMessageA(h, EM_SETSEL, 0, -1);
    SendMessageA(h, WM_CHAR, VK_BACK, 1);
    Settle();
  }

  void PressKey(int key, unsigned shift) override {
    HWND target = GetFocus();
    if (!target) target = reinterpret_cast<HWND>(ActiveForm().Handle());
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof state);
    if (shift & ssShift) state[VK_SHIFT] = 0x80;
    if (shift & ssCtrl) state[VK_CONTROL] = 0x80;
    if (shift & ssAlt) state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    const bool alt = (shift & ssAlt) != 0;
    const LPARAM context = alt ? (1 << 29) : 0;
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(key), 1 | context);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(key),
                 static_cast<LPARAM>(0xC0000001u) | context);
    win32::PumpPending();
    SetKeyboardState(saved);
    Settle();
  }

  void TypeChars(std::string_view text) override {
    for (char ch : text) {
      HWND target = GetFocus();
      if (!target) throw ScriptFailure("no control has the focus to type on");
      PostMessageA(target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 1);
      win32::PumpPending();
    }
    Settle();
  }

  void Scroll(std::string_view name, int position) override {
    HWND h = Usable(name, "scroll");
    const UINT msg = As<ScrollBar>(name).Vertical() ? WM_VSCROLL : WM_HSCROLL;
    HWND parent = GetParent(h);
    const WPARAM pos = static_cast<WORD>(position);
    SendMessageA(parent, msg, MAKEWPARAM(SB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(h));
    SendMessageA(parent, msg, MAKEWPARAM(SB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(h));
    SendMessageA(parent, msg, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(h));
    Settle();
  }

  // A real click on an arrow or on the page area: the scroll bar tracks the
  // mouse (the button-up is already queued), then the mouse-down event runs.
  void ScrollStep(std::string_view name, ScrollCode code) override {
    HWND h = Usable(name, "scroll");
    const bool vertical = As<ScrollBar>(name).Vertical();
    RECT rc;
    GetClientRect(h, &rc);
    const int length = vertical ? rc.bottom : rc.right;
    const int across = (vertical ? rc.right : rc.bottom) / 2;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    const bool haveInfo = GetScrollBarInfo(h, OBJID_CLIENT, &info) != 0;
    const int arrow = haveInfo && info.dxyLineButton > 0
                          ? info.dxyLineButton
                          : GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    int at = -1;
    switch (code) {
      case ScrollCode::LineUp:
        at = arrow / 2;
        break;
      case ScrollCode::LineDown:
        at = length - arrow / 2 - 1;
        break;
      case ScrollCode::PageUp:
        if (haveInfo && info.xyThumbTop > arrow + 1) at = (arrow + info.xyThumbTop) / 2;
        break;
      case ScrollCode::PageDown:
        if (haveInfo && info.xyThumbBottom < length - arrow - 1)
          at = (info.xyThumbBottom + length - arrow) / 2;
        break;
      default:
        break;
    }
    if (at < 0) throw ScriptFailure("cannot click there on scroll bar '" + std::string(name) + "'");
    const LPARAM point = vertical ? MAKELPARAM(across, at) : MAKELPARAM(at, across);
    PostMessageA(h, WM_LBUTTONUP, 0, point);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Settle();
  }

  void Select(std::string_view name, int index, unsigned shift) override {
    HWND h = Usable(name, "select in");
    SetFocus(h);
    const WORD id = static_cast<WORD>(GetDlgCtrlID(h));
    if (auto* lb = dynamic_cast<ListBox*>(&Named(name))) {
      if (index < 0 || index >= lb->Count())
        throw ScriptFailure("no entry " + std::to_string(index));
      if (lb->MultiSelect()) {
        const int caret = static_cast<int>(SendMessageA(h, LB_GETCARETINDEX, 0, 0));
        if (shift & ssCtrl) {
          const bool on = SendMessageA(h, LB_GETSEL, static_cast<WPARAM>(index), 0) <= 0;
          SendMessageA(h, LB_SETSEL, on, index);
        } else {
          SendMessageA(h, LB_SETSEL, FALSE, -1);
          const int from = (shift & ssShift) && caret >= 0 ? std::min(caret, index) : index;
          const int to = (shift & ssShift) && caret >= 0 ? std::max(caret, index) : index;
          for (int i = from; i <= to; ++i) SendMessageA(h, LB_SETSEL, TRUE, i);
        }
        SendMessageA(h, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
      } else {
        SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
      }
      SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(h));
    } else if (auto* tabs = dynamic_cast<TabControl*>(&Named(name))) {
      if (index < 0 || index >= static_cast<int>(tabs->Tabs().size()))
        throw ScriptFailure("no tab " + std::to_string(index));
      SendMessageA(h, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
      NMHDR n{h, static_cast<UINT_PTR>(id), static_cast<UINT>(TCN_SELCHANGE)};
      SendMessageA(GetParent(h), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&n));
    } else {
      auto& cb = As<ComboBox>(name);
      if (index < 0 || index >= static_cast<int>(cb.Items().size()))
        throw ScriptFailure("no entry " + std::to_string(index));
      SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(h));
    }
    Settle();
  }

  // The mouse messages of a double click: down, up, double-click, up.
  void DoubleClick(std::string_view name, int index) override {
    HWND h = Usable(name, "double-click");
    RECT r;
    GetClientRect(h, &r);
    if (auto* lb = dynamic_cast<ListBox*>(&Named(name)); lb && index >= 0) {
      if (index >= lb->Count()) throw ScriptFailure("no entry " + std::to_string(index));
      SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
      SendMessageA(h, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    }
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
    Settle();
  }

  void SelectCell(std::string_view name, int col, int row, unsigned shift) override {
    HWND h = Usable(name, "click in");
    auto& g = As<StringGrid>(name);
    if (col < 0 || col >= g.ColCount() || row < 0 || row >= g.RowCount() || g.ColWidth(col) <= 0)
      throw ScriptFailure("no visible cell " + std::to_string(col) + "," + std::to_string(row));
    const LPARAM at = CellPoint(h, g, col, row);
    const WPARAM held = ((shift & ssShift) ? MK_SHIFT : 0) | ((shift & ssCtrl) ? MK_CONTROL : 0);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON | held, at);
    SendMessageA(h, WM_LBUTTONUP, held, at);
    Settle();
  }

  void DragRow(std::string_view name, int from, int to) override {
    HWND h = Usable(name, "drag in");
    auto& g = As<StringGrid>(name);
    if (!(g.Options() & goRowMoving) || from < g.FixedRows() || from >= g.RowCount() ||
        to < g.FixedRows() || to >= g.RowCount())
      throw ScriptFailure("row " + std::to_string(from) + " cannot be dragged to " +
                          std::to_string(to));
    int fixedCol = 0;
    while (fixedCol + 1 < g.FixedCols() && g.ColWidth(fixedCol) < 2) ++fixedCol;
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(h, g, fixedCol, from));
    // The mouse goes down the rows in view, as a hand would (the grid
    // scrolls when the target is out of view).
    const LPARAM target = CellPoint(h, g, fixedCol, to);
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, target);
    SendMessageA(h, WM_LBUTTONUP, 0, target);
    Settle();
  }

  void SizeColumn(std::string_view name, int col, int width) override {
    HWND h = Usable(name, "size a column of");
    auto& g = As<StringGrid>(name);
    if (!(g.Options() & goColSizing) || col < 0 || col >= g.ColCount() || g.ColWidth(col) < 2)
      throw ScriptFailure("column " + std::to_string(col) + " cannot be sized");
    const Rect r = g.CellRect(col, 0);
    const int y = r.top + r.height / 2;
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.Right(), y));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.left + width, y));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(r.left + width, y));
    Settle();
  }

  // The middle of a cell, scrolled into view first as a user would.
  static LPARAM CellPoint(HWND h, StringGrid& g, int col, int row) {
    RECT rc;
    GetClientRect(h, &rc);
    const int visible = g.VisibleRows(rc.bottom);
    if (row >= g.FixedRows() && (row < g.TopRow() || row >= g.TopRow() + visible))
      g.SetTopRow(std::min(row, g.MaxTopRow(rc.bottom)));
    const Rect r = g.CellRect(col, row);
    return MAKELPARAM(r.left + r.width / 2, r.top + r.height / 2);
  }

  void Choose(std::string_view menuItem) override {
    MenuItem& item = MenuUsable(menuItem);
    SendMessageA(reinterpret_cast<HWND>(ActiveForm().Handle()), WM_COMMAND,
                 MAKEWPARAM(item.Command(), 0), 0);
    Settle();
  }

  std::string TextOf(std::string_view name) override { return win32::NativeText(Window(name)); }

  int PositionOf(std::string_view name) override {
    return static_cast<int>(SendMessageA(Window(name), SBM_GETPOS, 0, 0));
  }

  std::string FocusedName() override {
    WindowPeer* p = WindowPeer::From(GetFocus());
    return p ? p->GetControl().Name() : std::string();
  }

  void MouseDown(std::string_view name, MouseButton button, int x, int y) override {
    HWND h = Usable(name, "press the mouse on");
    held_ = button == MouseButton::Right ? MK_RBUTTON : MK_LBUTTON;
    SendMessageA(h, button == MouseButton::Right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, held_,
                 MAKELPARAM(x, y));
    Settle();
  }
  void MouseMove(std::string_view name, int x, int y) override {
    SendMessageA(Window(name), WM_MOUSEMOVE, held_, MAKELPARAM(x, y));
    Settle();
  }
  void MouseUp(std::string_view name, MouseButton button, int x, int y) override {
    HWND h = Window(name);
    held_ = 0;
    SendMessageA(h, button == MouseButton::Right ? WM_RBUTTONUP : WM_LBUTTONUP, 0,
                 MAKELPARAM(x, y));
    Settle();
  }

 private:
  HWND Window(std::string_view name) {
    Control& c = Named(name);
    HWND h = reinterpret_cast<HWND>(c.Handle());
    if (!h) throw ScriptFailure("'" + std::string(name) + "' has no window");
    return h;
  }

  HWND Usable(std::string_view name, const char* action) {
    HWND h = Window(name);
    if (!IsWindowVisible(h) || !IsWindowEnabled(h))
      throw ScriptFailure(std::string("cannot ") + action + " '" + std::string(name) +
                          "': it is disabled or hidden");
    return h;
  }

  template <class T>
  T& As(std::string_view name) {
    auto* t = dynamic_cast<T*>(&Named(name));
    if (!t) throw ScriptFailure("'" + std::string(name) + "' is not the expected kind of control");
    return *t;
  }

  // After an action: a failure parked inside a window procedure surfaces here.
  static void Settle() { win32::RethrowParkedFailure(); }

  WPARAM held_ = 0;  // the mouse button held since MouseDown
};

}  // namespace

std::unique_ptr<User> MakeUser() { return std::make_unique<Win32User>(); }

}  // namespace w95::ui::test
