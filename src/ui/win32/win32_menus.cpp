// Native menus built from MenuItem trees: hidden items are left out, checks
// (radio checks for radio items), column breaks, sub-menus, shortcut texts
// after a tab (the menu right-aligns them). A sub-menu is
// rebuilt each time it opens, so it shows the items' current state.
#include <map>
#include <string>

#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {
std::map<HMENU, const MenuItem*> popups;

void Fill(HMENU menu, const MenuItem& parent, bool bar) {
  while (GetMenuItemCount(menu) > 0) {
    HMENU sub = GetSubMenu(menu, 0);
    if (sub) popups.erase(sub);
    DeleteMenu(menu, 0, MF_BYPOSITION);
  }
  for (int i = 0; i < parent.Count(); ++i) {
    const MenuItem& item = parent.Item(i);
    if (!item.Visible()) continue;
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    mi.fType = item.IsSeparator() ? MFT_SEPARATOR : MFT_STRING;
    if (item.RadioItem()) mi.fType |= MFT_RADIOCHECK;
    if (item.ColumnBreak()) mi.fType |= bar ? MFT_MENUBREAK : MFT_MENUBARBREAK;
    mi.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.Enabled() ? 0 : MFS_GRAYED);
    mi.wID = item.Command();
    std::string text = item.Caption();
    if (!bar && !item.ShortCut().empty() && !item.IsSeparator()) text += "\t" + item.ShortCut();
    std::wstring wide = WideText(text);
    mi.dwTypeData = wide.data();
    if (item.Count() > 0) {
      mi.fMask |= MIIM_SUBMENU;
      mi.hSubMenu = CreatePopupMenu();
      popups[mi.hSubMenu] = &item;
      Fill(mi.hSubMenu, item, false);
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mi);
  }
}
}  // namespace

HMENU BuildMenu(const MenuItem& root, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  Fill(menu, root, bar);
  return menu;
}

void RefreshPopup(HMENU menu) {
  auto it = popups.find(menu);
  if (it != popups.end()) Fill(menu, *it->second, false);
}

}  // namespace w95::ui::win32
