// The toolkit's shared scenarios on real windows, and help on a real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "../../unit/ui/toolkit_scenarios.h"
#include "ui/win32/win32_internal.h"
#include "wine_keys.h"
#include "wine_ui_support.h"

namespace {

class ToolkitOnWine : public ::testing::TestWithParam<toolkit_scenarios::Named> {
 protected:
  wine_ui::RealMachine machine;
};

TEST_P(ToolkitOnWine, Runs) { GetParam().run(); }

INSTANTIATE_TEST_SUITE_P(Toolkit, ToolkitOnWine, ::testing::ValuesIn(toolkit_scenarios::All()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(HelpOnWine, OpensThePlimboHelpFileOnTheFormsOwnWindow) {
  wine_ui::RealMachine machine;
  toolkit_scenarios::Session s;
  toolkit_scenarios::Sample f;
  s.WhenModal<toolkit_scenarios::Sample>(
      [&](toolkit_scenarios::User& u, toolkit_scenarios::Sample&) {
        f.ShowHelp();
        u.Click("BtnCancel");
      });
  f.ShowModal();
  ASSERT_EQ(machine.desktop->helpCalls.size(), 1u);
  EXPECT_NE(machine.desktop->helpCalls[0].owner, 0u);
  EXPECT_EQ(machine.desktop->helpCalls[0].file, "PLIMBO.HLP");
  EXPECT_EQ(machine.desktop->helpCalls[0].command, static_cast<unsigned>(HELP_CONTEXT));
  EXPECT_EQ(machine.desktop->helpCalls[0].data, 300u);
}

}  // namespace

namespace {

// The host's loop: no IsDialogMessage, as a host that knows nothing of us.
void HostLoop() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Press(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  HostLoop();
}

TEST(ModelessOnWine, DialogKeysWorkOnTheHostsPlainMessageLoop) {
  wine_ui::RealMachine machine;
  toolkit_scenarios::Sample f;
  int cancels = 0;
  f.BtnCancel.OnClick = [&](w95::ui::Control&) { ++cancels; };
  f.Show();
  HostLoop();
  auto hwnd = [](w95::ui::Control& c) { return reinterpret_cast<HWND>(c.Handle()); };
  ASSERT_EQ(GetFocus(), hwnd(f.EditName)) << "first control focused on activation";
  Press(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), hwnd(f.BtnSave)) << "Tab moves on";
  EXPECT_EQ(f.ActiveControl(), &f.BtnSave);
  Press(GetFocus(), VK_ESCAPE);
  EXPECT_EQ(cancels, 1) << "Escape presses the cancel button";
  ShowWindow(hwnd(f), SW_MINIMIZE);
  f.Show();
  EXPECT_FALSE(IsIconic(hwnd(f))) << "showing again restores a minimised window";
  f.Close();
  EXPECT_FALSE(IsWindowVisible(hwnd(f)));
}

// The hook that gives modeless forms their keys is set only while one is on
// screen and no modal loop of ours runs; the keys work each time it is back.
TEST(ModelessOnWine, TheKeysHookIsSetOnlyWhileAModelessFormIsUp) {
  using w95::ui::win32::ModelessKeysHooked;
  wine_ui::RealMachine machine;
  toolkit_scenarios::Session s;
  auto hwnd = [](w95::ui::Control& c) { return reinterpret_cast<HWND>(c.Handle()); };
  toolkit_scenarios::Sample f;
  int cancels = 0;
  f.BtnCancel.OnClick = [&](w95::ui::Control&) { ++cancels; };
  EXPECT_FALSE(ModelessKeysHooked());
  f.Show();
  HostLoop();
  EXPECT_TRUE(ModelessKeysHooked());
  f.Hide();
  EXPECT_FALSE(ModelessKeysHooked()) << "hidden, nothing of ours needs the host's messages";
  f.Show();
  HostLoop();
  ASSERT_TRUE(ModelessKeysHooked());
  SetFocus(hwnd(f.EditName));
  Press(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), hwnd(f.BtnSave)) << "Tab on the host's loop once shown again";

  // A modal form over it: the modal loop gives the keys; the hook comes back after.
  bool hookedInModal = true;
  s.WhenModal<toolkit_scenarios::Sample>(
      [&](toolkit_scenarios::User& u, toolkit_scenarios::Sample&) {
        hookedInModal = ModelessKeysHooked();
        u.Click("BtnCancel");
      });
  toolkit_scenarios::Sample modal;
  EXPECT_EQ(modal.ShowModal(), w95::ui::mrCancel);
  EXPECT_FALSE(hookedInModal);
  EXPECT_TRUE(ModelessKeysHooked());
  SetActiveWindow(hwnd(f));
  SetFocus(hwnd(f.BtnSave));
  Press(GetFocus(), VK_ESCAPE);
  EXPECT_EQ(cancels, 1) << "Escape on the host's loop after the modal form";

  // Two modeless forms: the hook stays until the last one goes, also when it
  // is destroyed on screen.
  auto other = std::make_unique<toolkit_scenarios::Sample>();
  other->Show();
  f.Close();
  EXPECT_TRUE(ModelessKeysHooked());
  other.reset();
  EXPECT_FALSE(ModelessKeysHooked());
}

// A form closed by its own key on the host's loop: the hook is taken off
// once its call is over, the loop goes on, and the form can be shown again.
TEST(ModelessOnWine, AFormClosedByAKeyInTheHookTakesTheHookOffAfterIt) {
  using w95::ui::win32::ModelessKeysHooked;
  wine_ui::RealMachine machine;
  auto hwnd = [](w95::ui::Control& c) { return reinterpret_cast<HWND>(c.Handle()); };
  toolkit_scenarios::Sample f;
  f.BtnCancel.OnClick = [&](w95::ui::Control&) { f.Close(); };
  f.Show();
  HostLoop();
  SetFocus(hwnd(f.EditName));
  Press(GetFocus(), VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(hwnd(f)));
  EXPECT_FALSE(ModelessKeysHooked());
  f.Show();
  HostLoop();
  EXPECT_TRUE(ModelessKeysHooked());
  SetFocus(hwnd(f.EditName));
  Press(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), hwnd(f.BtnSave));
  Press(GetFocus(), VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(hwnd(f)));
  EXPECT_FALSE(ModelessKeysHooked());
}

// A window's peer is found through a link kept in the process: it goes when
// the window is destroyed by another hand, and a window of our class made by
// others has none.
TEST(PeerLinksOnWine, FollowTheWindowsNotTheirHandles) {
  using w95::ui::win32::WindowPeer;
  wine_ui::RealMachine machine;
  auto hwnd = [](w95::ui::Control& c) { return reinterpret_cast<HWND>(c.Handle()); };
  toolkit_scenarios::Sample f;
  f.Show();
  HostLoop();
  HWND button = hwnd(f.BtnSave), panel = hwnd(f.Group), radio = hwnd(f.Radio1);
  ASSERT_NE(WindowPeer::From(button), nullptr);
  EXPECT_EQ(&WindowPeer::From(button)->GetControl(), &f.BtnSave);
  EXPECT_EQ(&WindowPeer::From(panel)->GetControl(), &f.Group);
  DestroyWindow(button);
  EXPECT_EQ(WindowPeer::From(button), nullptr) << "a native control destroyed under its peer";
  DestroyWindow(panel);
  EXPECT_EQ(WindowPeer::From(panel), nullptr) << "a panel destroyed under its peer";
  EXPECT_EQ(WindowPeer::From(radio), nullptr) << "and the windows on it";

  HWND stranger = CreateWindowExW(0, L"W95Window", L"", WS_CHILD, 0, 0, 10, 10, hwnd(f), nullptr,
                                  w95::ui::win32::Instance(), nullptr);
  ASSERT_NE(stranger, nullptr);
  EXPECT_EQ(WindowPeer::From(stranger), nullptr);
  SendMessageW(stranger, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
  DestroyWindow(stranger);

  EXPECT_EQ(&WindowPeer::From(hwnd(f))->GetControl(), &f);
  HWND edit = hwnd(f.EditName);
  DestroyWindow(hwnd(f));
  EXPECT_EQ(WindowPeer::From(edit), nullptr) << "the form destroyed by another hand";
  f.Close();  // the peers of windows gone are given up safely
}

}  // namespace

namespace {

// How a menu tree becomes a native menu: hidden items left out, checks,
// radio checks, column breaks, sub-menus, disabled items, shortcut texts.
TEST(MenusOnWine, NativeMenuFollowsTheItems) {
  using namespace w95::ui;
  wine_ui::RealMachine machine;
  toolkit_scenarios::Sample f;
  PopupMenu popup(f, "PopupMenu1");
  popup.Add("mnuA", "&Alpha").SetChecked(true);
  popup.Item(0).SetShortCut("Ctrl+A");
  popup.Add("mnuHidden", "Hidden").SetVisible(false);
  MenuItem& radio = popup.Add("mnuB", "&Beta");
  radio.SetRadioItem(true);
  radio.SetChecked(true);
  popup.Add("mnuSep", "-");
  MenuItem& next = popup.Add("mnuC", "&Gamma");
  next.SetColumnBreak(true);
  next.SetEnabled(false);
  MenuItem& sub = popup.Add("mnuSub", "&More");
  sub.Add("mnuSub1", "One");
  HMENU h = w95::ui::win32::BuildMenu(popup, false);
  ASSERT_EQ(GetMenuItemCount(h), 5) << "the hidden item is left out";
  auto info = [&](UINT pos) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoA(h, pos, TRUE, &mi);
    return mi;
  };
  EXPECT_TRUE(info(0).fState & MFS_CHECKED);
  EXPECT_EQ(info(0).wID, popup.Item(0).Command());
  EXPECT_TRUE(info(1).fType & MFT_RADIOCHECK);
  EXPECT_TRUE(info(1).fState & MFS_CHECKED);
  EXPECT_TRUE(info(2).fType & MFT_SEPARATOR);
  EXPECT_TRUE(info(3).fType & MFT_MENUBARBREAK) << "column break";
  EXPECT_TRUE(info(3).fState & MFS_GRAYED);
  ASSERT_NE(info(4).hSubMenu, nullptr);
  EXPECT_EQ(GetMenuItemCount(info(4).hSubMenu), 1);
  char text[64] = {};
  GetMenuStringA(h, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Alpha\tCtrl+A") << "the shortcut follows a tab, right-aligned";
  GetMenuStringA(h, 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Beta");
  DestroyMenu(h);

  // A bar has no room for shortcut texts: its items show the caption alone.
  MainMenu bar(f, "MainMenu1");
  bar.Add("mnuFile", "&File").SetShortCut("Alt+F");
  HMENU hb = w95::ui::win32::BuildMenu(bar, true);
  GetMenuStringA(hb, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&File");
  DestroyMenu(hb);
}

TEST(MenusOnWine, PopupIsShownAndTheScriptedItemRuns) {
  using namespace w95::ui;
  wine_ui::RealMachine machine;
  toolkit_scenarios::Session s;
  toolkit_scenarios::Sample f;
  PopupMenu popup(f.Files, "PopupMenu1");
  int runs = 0;
  popup.Add("mnuDelete", "&Delete").OnClick = [&](MenuItem&) { ++runs; };
  s.WhenModal<toolkit_scenarios::Sample>(
      [&](toolkit_scenarios::User& u, toolkit_scenarios::Sample&) {
        s.AnswerPopup("mnuDelete");
        popup.Popup(200, 200);
        u.Click("BtnOK");
      });
  f.ShowModal();
  EXPECT_EQ(runs, 1);
}

}  // namespace

namespace {

TEST(TimersOnWine, ARunningTimerTicksInTheModalLoopAndStopsWhenDisabled) {
  using namespace w95::ui;
  wine_ui::RealMachine machine;
  toolkit_scenarios::Session s;
  toolkit_scenarios::Sample f;
  int ticks = 0;
  f.Timer1.SetInterval(10);
  f.Timer1.OnTimer = [&](Control&) {
    if (++ticks == 3) f.Timer1.SetEnabled(false);
  };
  s.WhenModal<toolkit_scenarios::Sample>(
      [&](toolkit_scenarios::User& u, toolkit_scenarios::Sample&) {
        f.Timer1.SetEnabled(true);
        for (int i = 0; i < 100 && f.Timer1.Running(); ++i) {
          w95::ui::win32::PumpPending();
          Sleep(10);
        }
        for (int i = 0; i < 5; ++i) {
          w95::ui::win32::PumpPending();
          Sleep(15);
        }
        u.Click("BtnOK");
      });
  f.ShowModal();
  EXPECT_EQ(ticks, 3);
}

TEST(CursorOnWine, BusyCursorIsTheHourglassUntilTheWorkEnds) {
  using namespace w95::ui;
  wine_ui::RealMachine machine;
  for (int round = 0; round < 2; ++round) {  // the second time from the loaded cursors
    {
      BusyCursor busy;
      EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  }
}

// A font given while the form is off screen reaches every window without a
// repaint then; on screen the windows repaint with it.
TEST(FontOnWine, AFontGivenOffScreenIsTheOneTheWindowsShowWith) {
  using namespace w95::ui;
  wine_ui::RealMachine machine;
  auto hwnd = [](Control& c) { return reinterpret_cast<HWND>(c.Handle()); };
  auto fontOf = [&](Control& c) {
    return reinterpret_cast<HFONT>(SendMessageA(hwnd(c), WM_GETFONT, 0, 0));
  };
  toolkit_scenarios::Sample f;
  f.Show();
  HostLoop();
  f.Hide();
  Font big = f.GetFont();
  big.size += 4;
  f.SetFont(big);
  const HFONT want = w95::ui::win32::FontHandle(big);
  EXPECT_EQ(fontOf(f.LabelName), want);
  EXPECT_EQ(fontOf(f.EditName), want);
  EXPECT_EQ(fontOf(f.BtnSave), want);
  EXPECT_EQ(fontOf(f.Radio2), want) << "on a panel";
  f.Show();
  HostLoop();
  Font small = big;
  small.size -= 6;
  f.SetFont(small);
  EXPECT_EQ(fontOf(f.BtnSave), w95::ui::win32::FontHandle(small));
  EXPECT_TRUE(GetUpdateRect(hwnd(f.BtnSave), nullptr, FALSE)) << "on screen: repainted";
  HostLoop();
  f.Close();
}

}  // namespace

namespace {

using w95::ui::ComboBox;
using w95::ui::Edit;
using w95::ui::Form;

HWND Hwnd(w95::ui::Control& c) { return reinterpret_cast<HWND>(c.Handle()); }

class ThreeBoxes : public Form {
 public:
  ThreeBoxes() : Form("ThreeBoxes") {
    SetCaption("Three boxes");
    SetBounds(40, 40, 300, 160);
    First.SetBounds(8, 8, 120, 21);
    Middle.SetBounds(8, 40, 120, 21);
    Middle.SetItems({"one", "two"});
    Middle.SetItemIndex(1);
    Middle.SetVisible(false);
    Last.SetBounds(8, 72, 120, 21);
    First.SetTabStop(true);
    Middle.SetTabStop(true);
    Last.SetTabStop(true);
  }
  Edit First{*this, "First"};
  ComboBox Middle{*this, "Middle"};
  Edit Last{*this, "Last"};
};

TEST(LazyWindowsOnWine, AControlShownLaterTakesItsPlaceInTheTabOrder) {
  wine_ui::RealMachine machine;
  ThreeBoxes f;
  f.Show();
  HostLoop();
  f.Middle.SetVisible(true);
  HostLoop();
  ASSERT_NE(Hwnd(f.Middle), nullptr);
  EXPECT_TRUE(IsWindowVisible(Hwnd(f.Middle)));
  EXPECT_EQ(SendMessageA(Hwnd(f.Middle), CB_GETCURSEL, 0, 0), 1) << "made with the items it had";
  EXPECT_EQ(GetNextDlgTabItem(Hwnd(f), Hwnd(f.First), FALSE), Hwnd(f.Middle));
  EXPECT_EQ(GetNextDlgTabItem(Hwnd(f), Hwnd(f.Middle), FALSE), Hwnd(f.Last));
  f.Close();
}

TEST(PaintNowOnWine, AShownWindowAndItsChildrenOweNoPaintAfterwards) {
  wine_ui::RealMachine machine;
  ThreeBoxes f;
  f.Show();
  f.PaintNow();
  for (HWND h : {Hwnd(f), Hwnd(f.First), Hwnd(f.Last)}) {
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE)) << "a paint left for the message loop";
  }
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  f.Close();
  HostLoop();
}

TEST(PaintingPauseOnWine, ResumingShowsTheWindowAgainButNotOneHiddenMeanwhile) {
  wine_ui::RealMachine machine;
  ThreeBoxes f;
  f.Show();
  HostLoop();
  {
    const w95::ui::PaintingPause outer(f);
    { const w95::ui::PaintingPause inner(f); }
    EXPECT_FALSE(IsWindowVisible(Hwnd(f.First))) << "still paused after the inner pause";
  }
  EXPECT_TRUE(IsWindowVisible(Hwnd(f)));
  EXPECT_TRUE(IsWindowVisible(Hwnd(f.First)));
  {
    const w95::ui::PaintingPause pause(f);
    f.Close();
  }
  HostLoop();
  EXPECT_FALSE(IsWindowVisible(Hwnd(f))) << "a window closed while paused stays hidden";
  f.Show();
  HostLoop();
  EXPECT_TRUE(IsWindowVisible(Hwnd(f.First)));
  f.Close();
}

// A form's window is made in its place, at its client size with the menu bar
// counted, and showing it keeps it there.
class Centred : public Form {
 public:
  Centred() : Form("Centred") {
    SetCaption("Centred");
    SetPosition(w95::ui::FormPosition::ScreenCenter);
    SetClientSize(320, 200);
    Bar.Add("mnuFile", "&File");
    SetMenu(&Bar);
  }
  w95::ui::MainMenu Bar{*this, "Bar"};
};

TEST(FormPlaceOnWine, MadeCentredAtItsClientSizeWithItsMenuBar) {
  wine_ui::RealMachine machine;
  Centred f;
  f.CreatePeers();
  ASSERT_NE(Hwnd(f), nullptr);
  RECT made;
  GetWindowRect(Hwnd(f), &made);
  f.Show();
  HostLoop();
  RECT shown, client;
  GetWindowRect(Hwnd(f), &shown);
  GetClientRect(Hwnd(f), &client);
  EXPECT_TRUE(EqualRect(&made, &shown)) << "not moved when shown";
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200) << "the menu bar is outside the client area";
  const auto screen = machine.desktop->Screen();
  EXPECT_EQ(shown.left, (screen.width - (shown.right - shown.left)) / 2);
  EXPECT_EQ(shown.top, (screen.height - (shown.bottom - shown.top)) / 2);
  f.SetClientSize(300, 180);
  GetClientRect(Hwnd(f), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 180);
  f.Close();
}

}  // namespace

namespace {

// A form that lets messages run while it previews a key leaves the keys
// typed after it queued; a timer due meanwhile waits for them as well, as
// it would in the loop, and never sees the text of half the keys.
TEST(KeysOnWine, ATimerDueWhileAKeyIsPreviewedWaitsForTheKeysTypedAfterIt) {
  using namespace w95::ui;
  wine_ui::RealMachine machine;
  toolkit_scenarios::Session s;
  toolkit_scenarios::Sample f;
  bool previewing = false;
  std::vector<std::string> seenInPreview;
  f.SetKeyPreview(true);
  f.OnKeyDown = [&](Control&, int&, unsigned) {
    previewing = true;
    Sleep(40);  // the timer is due by now
    Application().ProcessMessages();
    previewing = false;
  };
  f.Timer1.SetInterval(10);
  f.Timer1.OnTimer = [&](Control&) {
    if (previewing) seenInPreview.push_back(f.EditName.Text());
  };
  std::string typed;
  s.WhenModal<toolkit_scenarios::Sample>(
      [&](toolkit_scenarios::User& u, toolkit_scenarios::Sample&) {
        SetFocus(reinterpret_cast<HWND>(f.EditName.Handle()));
        f.Timer1.SetEnabled(true);
        for (WORD key : {'A', 'B', 'C'}) wine_keys::Press(key, {}, 0);
        for (int i = 0; i < 300 && f.EditName.Text() != "abc"; ++i) {
          win32::PumpPending();
          Sleep(10);
        }
        typed = f.EditName.Text();
        f.Timer1.SetEnabled(false);
        u.Click("BtnOK");
      });
  f.ShowModal();
  EXPECT_EQ(typed, "abc");
  EXPECT_EQ(seenInPreview, std::vector<std::string>{});
}

}  // namespace
