// Glyph buttons and hints on real windows: the glyphs are on screen pixel for
// pixel (normal and greyed), and hints become tooltips that follow the
// control's hint, its place and ShowHint, and pop up when the mouse rests on
// a control, enabled or not. With W95_SHOTS set: the shot "glyph_buttons".
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/controls.h"
#include "ui/media_bar.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;
namespace win32 = w95::ui::win32;

class Glyphs : public Form {
 public:
  Glyphs() : Form("Glyphs") {
    SetCaption("Glyph buttons");
    SetClientSize(300, 120);
    SetPosition(FormPosition::ScreenCenter);
    BtnFind.SetBounds(8, 8, 25, 25);
    BtnFind.SetGlyph(GlyphKind::Find);
    BtnFind.SetHint("Find slide");
    BtnTrash.SetBounds(36, 8, 25, 25);
    BtnTrash.SetGlyph(GlyphKind::Trash);
    BtnTrash.SetHint("Trash file");
    BtnTrash.SetEnabled(false);
    BtnSetup.SetBounds(64, 8, 78, 27);
    BtnSetup.SetGlyph(GlyphKind::Print);
    BtnSetup.SetCaption("&Setup");
    BtnPlain.SetBounds(150, 8, 75, 25);
    BtnPlain.SetCaption("Plain");
    Bar.SetBounds(0, 60, 300, 30);
    Bar.SetHint("Media bar");
    BtnPlay.SetBounds(4, 3, 24, 24);
    BtnPlay.SetGlyph(GlyphKind::Play);
    BtnPlay.SetHint("Play");
    BtnClose.SetBounds(220, 90, 75, 25);
    BtnClose.SetCaption("Close");
    BtnClose.SetCancel(true);
    BtnClose.SetModalResult(mrCancel);
  }
  Button BtnFind{*this, "BtnFind"};
  Button BtnTrash{*this, "BtnTrash"};
  Button BtnSetup{*this, "BtnSetup"};
  Button BtnPlain{*this, "BtnPlain"};
  Panel Bar{*this, "Bar"};
  Button BtnPlay{Bar, "BtnPlay"};
  Button BtnClose{*this, "BtnClose"};
};

HWND H(Control& c) { return reinterpret_cast<HWND>(c.Handle()); }

COLORREF Resolve(Color c) {
  return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c);
}

// Pixels of the glyph on screen that differ from its picture.
int GlyphMismatches(Button& b, bool enabled) {
  HWND h = H(b);
  RECT r;
  GetClientRect(h, &r);
  const ButtonFace face = LayoutButtonFace(Rect{0, 0, r.right, r.bottom}, true, 0, 0, false);
  const GlyphPixels px = RenderGlyph(b.Glyph(), enabled);
  HDC dc = GetDC(h);
  int wrong = 0;
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) {
      const Color want = px[static_cast<size_t>(y * kGlyphSize + x)];
      if (want == clNone) continue;
      if (GetPixel(dc, face.glyph.x + x, face.glyph.y + y) != Resolve(want)) ++wrong;
    }
  ReleaseDC(h, dc);
  return wrong;
}

std::string ToolText(HWND tip, HWND hwnd, UINT_PTR id) {
  char buf[256] = {};
  TTTOOLINFOA t{};
  t.cbSize = TTTOOLINFOA_V2_SIZE;
  t.hwnd = hwnd;
  t.uId = id;
  t.lpszText = buf;
  SendMessageA(tip, TTM_GETTEXTA, sizeof buf, reinterpret_cast<LPARAM>(&t));
  return buf;
}

int ToolCount(HWND tip) { return static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0)); }

UINT_PTR IdOf(Control& c) { return static_cast<UINT_PTR>(GetDlgCtrlID(H(c))); }

// Pumps messages until cond holds or about two seconds have passed.
bool WaitFor(const std::function<bool()>& cond) {
  for (int i = 0; i < 100; ++i) {
    win32::PumpPending();
    if (cond()) return true;
    Sleep(20);
  }
  return cond();
}

// The tooltip's current tool (window and id) once it is visible.
bool TipShownFor(HWND tip, HWND hwnd, UINT_PTR id) {
  if (!IsWindowVisible(tip)) return false;
  TTTOOLINFOA t{};
  t.cbSize = TTTOOLINFOA_V2_SIZE;
  if (!SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&t))) return false;
  return t.hwnd == hwnd && t.uId == id;
}

void RestMouseOn(Control& c) {
  RECT r;
  GetWindowRect(H(c), &r);
  SetCursorPos(r.left + 3, r.top + 3);
  win32::PumpPending();
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST(GlyphButtonsOnWine, DrawTheirGlyphsNormalAndGreyed) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Glyphs>([](test::User& u, Glyphs& f) {
    win32::PumpPending();
    UpdateWindow(H(f));
    auto type = [](Control& c) { return GetWindowLongPtrA(H(c), GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(type(f.BtnFind), BS_OWNERDRAW);
    EXPECT_EQ(type(f.BtnPlain), BS_PUSHBUTTON) << "a button without a glyph stays the system's";
    EXPECT_EQ(GlyphMismatches(f.BtnFind, true), 0) << "find, enabled";
    EXPECT_GT(GlyphMismatches(f.BtnFind, false), 20) << "an enabled button is not greyed";
    EXPECT_EQ(GlyphMismatches(f.BtnTrash, false), 0) << "trash, greyed";
    EXPECT_EQ(GlyphMismatches(f.BtnPlay, true), 0) << "play, on a panel";

    // Enabling redraws in colour; a glyph set later makes the button owner drawn.
    f.BtnTrash.SetEnabled(true);
    UpdateWindow(H(f.BtnTrash));
    EXPECT_EQ(GlyphMismatches(f.BtnTrash, true), 0) << "trash, enabled again";
    f.BtnPlain.SetGlyph(GlyphKind::Stop);
    UpdateWindow(H(f.BtnPlain));
    EXPECT_EQ(type(f.BtnPlain), BS_OWNERDRAW);
    f.BtnTrash.SetEnabled(false);
    win32::PumpPending();

    // Clicks still reach the button.
    int clicks = 0;
    f.BtnFind.OnClick = [&](Control&) { ++clicks; };
    u.Click("BtnFind");
    EXPECT_EQ(clicks, 1);
    u.PressKey(vkEscape);
  });
  Glyphs f;
  EXPECT_EQ(f.ShowModal(), mrCancel);
}

TEST(HintsOnWine, BecomeTooltipsThatFollowTheControl) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Glyphs>([](test::User& u, Glyphs& f) {
    win32::PumpPending();
    HWND tip = win32::HintWindow(H(f));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(ToolCount(tip), 2 * 4) << "own and parent tool for each of the four hints";
    EXPECT_EQ(ToolText(tip, H(f.BtnFind), 0), "Find slide");
    EXPECT_EQ(ToolText(tip, H(f), IdOf(f.BtnTrash)), "Trash file");
    EXPECT_EQ(ToolText(tip, H(f.Bar), IdOf(f.BtnPlay)), "Play");

    f.BtnFind.SetHint("Find slides");
    EXPECT_EQ(ToolText(tip, H(f.BtnFind), 0), "Find slides");
    f.BtnFind.SetShowHint(false);
    EXPECT_EQ(ToolCount(tip), 2 * 3);
    f.BtnFind.SetShowHint(true);
    EXPECT_EQ(ToolCount(tip), 2 * 4);

    // The parent's tool follows a move.
    f.BtnTrash.SetBounds(36, 30, 25, 25);
    TTTOOLINFOA t{};
    t.cbSize = TTTOOLINFOA_V2_SIZE;
    t.hwnd = H(f);
    t.uId = IdOf(f.BtnTrash);
    ASSERT_TRUE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&t)));
    EXPECT_EQ(t.rect.top, 30);
    EXPECT_EQ(t.rect.bottom, 55);
    f.BtnTrash.SetBounds(36, 8, 25, 25);

    // The mouse resting on an enabled button, then on a disabled one.
    RestMouseOn(f.BtnFind);
    EXPECT_TRUE(WaitFor([&] { return TipShownFor(tip, H(f.BtnFind), 0); }))
        << "tooltip over an enabled button";
    wine_ui::WaitForScreenshot("glyph_buttons");
    RestMouseOn(f.BtnTrash);
    EXPECT_TRUE(WaitFor([&] { return TipShownFor(tip, H(f), IdOf(f.BtnTrash)); }))
        << "tooltip over a disabled button";
    f.BtnTrash.SetShowHint(false);
    EXPECT_FALSE(IsWindowVisible(tip)) << "switching the hint off hides it";
    SetCursorPos(0, 0);
    u.PressKey(vkEscape);
  });
  Glyphs f;
  EXPECT_EQ(f.ShowModal(), mrCancel);
}

// The tooltip windows owned by a form.
struct TipCount {
  HWND form;
  int count = 0;
};

BOOL CALLBACK CountTip(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<TipCount*>(lp);
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 && GetWindow(h, GW_OWNER) == c->form) ++c->count;
  return TRUE;
}

int TipWindowsOf(HWND form) {
  TipCount c{form};
  EnumThreadWindows(GetCurrentThreadId(), &CountTip, reinterpret_cast<LPARAM>(&c));
  return c.count;
}

// A form opens without a tooltip window: it comes when the mouse first
// comes onto a control with a hint, enabled (the button's own window) or
// disabled (its parent), with the tools of every hinted control; the mouse
// on a control without a hint makes none.
TEST(HintsOnWine, TheTooltipWindowComesWithTheMouseOnAHintedControl) {
  wine_ui::RealMachine machine;
  for (const bool disabled : {false, true}) {
    Glyphs f;
    f.Show();
    win32::PumpPending();
    EXPECT_EQ(TipWindowsOf(H(f)), 0) << "none while the form opens";
    RestMouseOn(f.BtnPlain);
    win32::PumpPending();
    EXPECT_EQ(TipWindowsOf(H(f)), 0) << "none for a control without a hint";
    Button& target = disabled ? f.BtnTrash : f.BtnFind;
    RestMouseOn(target);
    EXPECT_TRUE(WaitFor([&] { return TipWindowsOf(H(f)) == 1; })) << disabled;
    HWND tip = win32::HintWindow(H(f));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipWindowsOf(H(f)), 1) << "asking again makes no second one";
    EXPECT_EQ(ToolCount(tip), 2 * 4) << "own and parent tool for each of the four hints";
    EXPECT_EQ(ToolText(tip, H(f.Bar), IdOf(f.BtnPlay)), "Play");
    EXPECT_TRUE(WaitFor([&] {
      return disabled ? TipShownFor(tip, H(f), IdOf(f.BtnTrash))
                      : TipShownFor(tip, H(f.BtnFind), 0);
    })) << "the first rest already shows the hint; disabled: "
        << disabled;
    SetCursorPos(0, 0);
    f.Close();
    win32::PumpPending();
  }
}

// A media bar's buttons that are hidden when its window is made get theirs
// when first shown: enabled as the bar says, with their hints, left to right
// in the tab order.
class Player : public Form {
 public:
  Player() : Form("Player") {
    SetCaption("Player");
    SetBounds(40, 40, 300, 80);
    Bar.SetBounds(0, 0, 200, 24);
    Bar.SetVisibleButtons(ButtonSet(MediaButton::Play, MediaButton::Stop));
    Bar.SetEnabledButtons(ButtonSet(MediaButton::Play, MediaButton::Stop, MediaButton::Back));
    Bar.ButtonOf(MediaButton::Back).SetHint("Step back (Left)");
  }
  MediaBar Bar{*this, "Bar"};
};

TEST(MediaBarOnWine, HiddenButtonsGetTheirWindowsWhenFirstShown) {
  wine_ui::RealMachine machine;
  Player f;
  f.Show();
  win32::PumpPending();
  Button& play = f.Bar.ButtonOf(MediaButton::Play);
  Button& step = f.Bar.ButtonOf(MediaButton::Step);
  Button& back = f.Bar.ButtonOf(MediaButton::Back);
  ASSERT_NE(H(play), nullptr);
  EXPECT_EQ(back.GetPeer(), nullptr) << "no window for a button not shown yet";

  f.Bar.SetVisibleButtons(ButtonSet(MediaButton::Play, MediaButton::Step, MediaButton::Back));
  win32::PumpPending();
  ASSERT_NE(H(step), nullptr);
  ASSERT_NE(H(back), nullptr);
  EXPECT_TRUE(IsWindowVisible(H(back)));
  EXPECT_FALSE(IsWindowEnabled(H(step))) << "Step is not in the enabled set";
  EXPECT_TRUE(IsWindowEnabled(H(back)));
  RECT r;
  GetWindowRect(H(back), &r);
  MapWindowPoints(nullptr, H(f.Bar), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, back.Left());
  EXPECT_EQ(r.right - r.left, back.Width());
  HWND tip = win32::HintWindow(H(f));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(ToolText(tip, H(back), 0), "Step back (Left)");
  EXPECT_EQ(ToolText(tip, H(f.Bar), IdOf(step)), "Step");
  // The windows in the bar's order: Play, Stop (hidden now), Step, Back.
  HWND stop = H(f.Bar.ButtonOf(MediaButton::Stop));
  EXPECT_EQ(GetWindow(H(play), GW_HWNDNEXT), stop);
  EXPECT_EQ(GetWindow(stop, GW_HWNDNEXT), H(step));
  EXPECT_EQ(GetWindow(H(step), GW_HWNDNEXT), H(back));
  f.Close();
}

}  // namespace
