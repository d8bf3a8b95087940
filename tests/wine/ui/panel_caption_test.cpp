// Panel captions on real windows sit where the panel's alignment puts them:
// a path display reads from the left edge, inside the bevel.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/controls.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class Captions : public Form {
 public:
  Captions() : Form("Captions") {
    SetCaption("Panel captions");
    SetClientSize(400, 130);
    SetPosition(FormPosition::ScreenCenter);
    int top = 0;
    for (Panel* p : {&Left, &Centre, &Right}) {
      p->SetBounds(0, top, 400, 24);
      p->SetBevelOuter(Bevel::Lowered);
      p->SetColor(0x00C08040);  // a colour no text has
      p->SetCaption(" c:\\Tom & Jerry\\x.bmp [1 of 2]");
      top += 30;
    }
    Left.SetAlignment(Alignment::Left);
    Right.SetAlignment(Alignment::Right);
    BtnOK.SetBounds(320, 100, 75, 25);
    BtnOK.SetModalResult(mrOk);
  }
  Panel Left{*this, "Left"};
  Panel Centre{*this, "Centre"};
  Panel Right{*this, "Right"};
  Button BtnOK{*this, "BtnOK"};
};

// The first and last columns inside the bevel where the caption has ink.
struct Ink {
  int first = -1, last = -1;
};

Ink InkOf(Panel& p) {
  HWND h = reinterpret_cast<HWND>(p.Handle());
  RECT r;
  GetClientRect(h, &r);
  HDC dc = GetDC(h);
  Ink ink;
  for (int x = 2; x < r.right - 2; ++x)
    for (int y = 2; y < r.bottom - 2; ++y)
      if (GetPixel(dc, x, y) != static_cast<COLORREF>(p.GetColor())) {
        if (ink.first < 0) ink.first = x;
        ink.last = x;
        break;
      }
  ReleaseDC(h, dc);
  return ink;
}

TEST(PanelCaptionOnWine, FollowsTheAlignmentAndShowsAmpersands) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Captions>([](test::User& u, Captions& f) {
    w95::ui::win32::PumpPending();
    UpdateWindow(reinterpret_cast<HWND>(f.Handle()));
    const Ink left = InkOf(f.Left), centre = InkOf(f.Centre), right = InkOf(f.Right);
    ASSERT_GT(left.first, 0) << "the caption is drawn";
    const int width = left.last - left.first;
    EXPECT_GT(width, 100);
    EXPECT_LT(width, 300) << "the caption is narrower than the panel";
    EXPECT_LE(left.first, 12) << "left-aligned, one space in";
    EXPECT_NEAR(right.last, 398 - 2, 4) << "right-aligned, inside the bevel";
    EXPECT_NEAR(centre.first - 2, 398 - centre.last, 6) << "centred";
    EXPECT_NEAR(centre.last - centre.first, width, 1);
    EXPECT_NEAR(right.last - right.first, width, 1);
    // The ampersand is shown, not taken for an accelerator mark.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, w95::ui::win32::FontHandle(f.Left.GetFont()));
    SIZE whole{}, inked{};
    const std::string text = f.Left.Text().substr(1);  // the ink starts after the space
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &whole);
    GetTextExtentPoint32A(dc, "&", 1, &inked);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_NEAR(width + 1, whole.cx, inked.cx / 2 + 2);
    wine_ui::WaitForScreenshot("panel_captions");
    u.Click("BtnOK");
  });
  Captions f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

}  // namespace
