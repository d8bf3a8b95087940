// A real popup menu with two columns, checks, a radio item and a sub-menu,
// opened where it was asked for and closed by a timer inside the menu's own
// loop (no test session: the menu is the platform's, as a user sees it).
// With W95_SHOTS set: the shot "popup_columns".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ui/controls.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

struct Seen {
  RECT menu{};
  int ticks = 0;
};
Seen seen;

// Each tick inside the menu loop: note where the menu is, announce it for a
// screenshot, and close it once the shot is taken (at once without one).
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  ++seen.ticks;
  GetWindowRect(menu, &seen.menu);
  const char* dir = std::getenv("W95_SHOTS");
  if (!dir) {
    EndMenu();
    return;
  }
  const std::string ready = std::string(dir) + "\\popup_columns.ready";
  const std::string done = std::string(dir) + "\\popup_columns.done";
  if (seen.ticks == 3)
    CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (seen.ticks > 3 &&
      (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES || seen.ticks > 600))
    EndMenu();
}

TEST(PopupMenusOnWine, ShowTheirColumnsWhereAsked) {
  wine_ui::RealMachine machine;
  Form f("Owner");
  f.SetCaption("Menu owner");
  f.SetClientSize(200, 100);
  f.Show();
  PopupMenu popup(f, "mnuEffect");
  int clicks = 0;
  const char* first[] = {"&None", "&Wipe left", "Wipe &right", "Wipe &up", "Wipe &down", "&Fade"};
  const char* second[] = {"&Dissolve", "&Blinds", "&Checker", "Spi&ral", "&Zoom in", "Zoom &out"};
  for (int i = 0; i < 6; ++i)
    popup.Add("mnuA" + std::to_string(i), first[i]).OnClick = [&](MenuItem&) { ++clicks; };
  for (int i = 0; i < 6; ++i) {
    MenuItem& m = popup.Add("mnuB" + std::to_string(i), second[i]);
    m.SetColumnBreak(i == 0);
    m.SetRadioItem(true);
    m.SetChecked(i == 2);
  }
  popup.Item(1).SetChecked(true);
  MenuItem& more = popup.Add("mnuMore", "&More");
  more.Add("mnuMore1", "&Slow");
  more.Add("mnuMore2", "&Fast");
  seen = Seen{};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &Tick);
  popup.Popup(300, 200);
  KillTimer(nullptr, timer);
  EXPECT_GT(seen.ticks, 0) << "the menu was on screen";
  EXPECT_EQ(seen.menu.left, 300);
  EXPECT_EQ(seen.menu.top, 200);
  EXPECT_GT(seen.menu.right - seen.menu.left, 2 * 60) << "two columns side by side";
  EXPECT_LT(seen.menu.bottom - seen.menu.top, 9 * 16) << "seven rows at most, not thirteen";
  EXPECT_EQ(clicks, 0) << "closed without a choice";
  f.Hide();
}

}  // namespace
