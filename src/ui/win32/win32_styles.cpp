// How controls become windows: the window styles that show a control's
// properties (each written once, for the window's creation and for a change
// on screen), and MakePeer, which makes the window and its peer.
#include <windows.h>
#include <commctrl.h>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/media_bar.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {
int nextId = 100;

// A window made after its later siblings (a control shown for the first time,
// or added to a window on screen) goes where the control stands among them:
// the system's tab order is the order of the windows.
void KeepSiblingOrder(Control& c, HWND h) {
  const auto& siblings = c.Parent()->Children();
  HWND before = HWND_TOP;
  bool later = false;
  for (auto it = siblings.begin(); it != siblings.end(); ++it) {
    if (*it == &c) {
      for (auto next = it + 1; next != siblings.end() && !later; ++next)
        later = (*next)->GetPeer() != nullptr;
      break;
    }
    if (const Peer* p = (*it)->GetPeer(); p && p->Handle())
      before = reinterpret_cast<HWND>(p->Handle());
  }
  if (later) SetWindowPos(h, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
}  // namespace

DWORD StylesOf(const Button& b) {
  // Glyph buttons are drawn by their peer, the others by the system.
  if (b.Glyph() != GlyphKind::None) return BS_OWNERDRAW;
  return b.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

DWORD StylesOf(const Label& l) {
  switch (l.GetAlignment()) {
    case Alignment::Right:
      return SS_RIGHT;
    case Alignment::Center:
      return SS_CENTER;
    default:
      return SS_LEFT;
  }
}

DWORD StylesOf(const Edit& e) {
  const DWORD align = e.GetAlignment() == Alignment::Right    ? ES_RIGHT
                      : e.GetAlignment() == Alignment::Center ? ES_CENTER
                                                              : ES_LEFT;
  return ES_AUTOHSCROLL | align | (e.ReadOnly() ? ES_READONLY : 0);
}

DWORD StylesOf(const ListBox& lb) {
  DWORD style = 0;
  if (lb.MultiSelect()) style |= lb.ExtendedSelect() ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (lb.Columns() > 0 && lb.Header().empty()) style |= LBS_MULTICOLUMN | WS_HSCROLL;
  if (lb.Style() == ListStyle::OwnerDrawFixed) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  return style;
}

std::unique_ptr<Peer> MakePeer(Control& c) {
  if (auto* f = dynamic_cast<Form*>(&c)) return MakeFormPeer(*f);
  Control* parent = c.Parent();
  HWND ph = parent ? reinterpret_cast<HWND>(parent->Handle()) : nullptr;
  if (!ph) return nullptr;  // not on a window (yet)
  // A media bar shows a few of its nine buttons at a time and most are never
  // shown in a window's life: a hidden one gets its window when first shown.
  if (!c.Visible() && dynamic_cast<MediaBar*>(parent)) return nullptr;
  if (c.WindowWhenShown() && !c.Visible()) return nullptr;  // made by SetVisible(true)
  const Rect& r = c.Bounds();
  const int id = nextId++;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.Visible() ? WS_VISIBLE : 0) |
                (c.TabStop() ? WS_TABSTOP : 0) | (c.Enabled() ? 0 : WS_DISABLED);
  // Unicode windows all: they hold any text the toolkit gives them.
  auto native = [&](const wchar_t* cls, DWORD more, DWORD ex) {
    return CreateWindowExW(ex, cls, WideText(c.Text()).c_str(), style | more, r.left, r.top,
                           r.width, r.height, ph, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           Instance(), nullptr);
  };
  std::unique_ptr<WindowPeer> peer;
  if (auto* b = dynamic_cast<Button*>(&c)) {
    peer = MakeButtonPeer(c, native(L"BUTTON", StylesOf(*b), 0));
  } else if (dynamic_cast<CheckBox*>(&c)) {
    peer = MakeButtonPeer(c, native(L"BUTTON", BS_CHECKBOX, 0));
  } else if (dynamic_cast<RadioButton*>(&c)) {
    peer = MakeButtonPeer(c, native(L"BUTTON", BS_RADIOBUTTON, 0));
  } else if (auto* l = dynamic_cast<Label*>(&c)) {
    peer = MakeLabelPeer(c, native(L"STATIC", StylesOf(*l) | SS_NOTIFY, 0));
  } else if (auto* e = dynamic_cast<Edit*>(&c)) {
    peer = MakeEditPeer(c, native(L"EDIT", StylesOf(*e), WS_EX_CLIENTEDGE));
  } else if (auto* sb = dynamic_cast<ScrollBar*>(&c)) {
    peer = MakeScrollBarPeer(c, native(L"SCROLLBAR", sb->Vertical() ? SBS_VERT : SBS_HORZ, 0));
  } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
    // A hidden combo box gets its window when it is first shown: its
    // drop-down list is a window of its own, and making the two is the
    // dearest part of opening a window.
    if (!c.Visible()) return nullptr;
    const DWORD kind = cb->Style() == ComboStyle::DropDownList ? CBS_DROPDOWNLIST
                       : cb->Style() == ComboStyle::DropDown   ? CBS_DROPDOWN
                                                               : CBS_SIMPLE;
    const DWORD drawn = cb->ShowsGlyphs() ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0;
    HWND h =
        CreateWindowExW(0, L"COMBOBOX", L"", style | kind | drawn | WS_VSCROLL | CBS_AUTOHSCROLL,
                        r.left, r.top, r.width, r.height + 16 * cb->DropDownCount(), ph,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    peer = MakeComboPeer(c, h);
  } else if (auto* lb = dynamic_cast<ListBox*>(&c)) {
    // The same for a hidden list: it takes its entries when it is made.
    if (!c.Visible()) return nullptr;
    const DWORD more = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | StylesOf(*lb);
    peer = MakeListPeer(c, native(L"LISTBOX", more, WS_EX_CLIENTEDGE));
  } else if (dynamic_cast<StringGrid*>(&c)) {
    peer = MakeGridPeer(c, CreateContainer(c, WS_EX_CLIENTEDGE, style | WS_VSCROLL, ph, id, r));
  } else if (dynamic_cast<Image*>(&c) || dynamic_cast<Gauge*>(&c)) {
    peer = MakeImagePeer(c, CreateContainer(c, 0, style, ph, id, r));
  } else if (dynamic_cast<TabControl*>(&c)) {
    EnsureCommonControls();
    peer = MakeTabPeer(c, native(WC_TABCONTROLW, WS_CLIPCHILDREN, 0));
  } else {  // panels and any other container
    peer = MakePanelPeer(c, CreateContainer(c, WS_EX_CONTROLPARENT, style, ph, id, r));
  }
  KeepSiblingOrder(c, reinterpret_cast<HWND>(peer->Handle()));
  // A combo box took its font before its entries (MakeComboPeer).
  if (!dynamic_cast<ComboBox*>(&c)) peer->Changed(Prop::Font);
  if (!c.Hint().empty()) SyncHint(*peer);
  return peer;
}

}  // namespace w95::ui::win32
