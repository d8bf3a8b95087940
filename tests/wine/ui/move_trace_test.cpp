// Controls that move or change size on a real window leave a clean parent:
// where a button stood, the panel shows its own colour again.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class Layout : public Form {
 public:
  Layout() : Form("Layout") {
    SetCaption("Layout");
    SetClientSize(300, 120);
    SetPosition(FormPosition::ScreenCenter);
    Top.SetBounds(0, 0, 300, 40);
    Top.SetColor(0x00C08040);  // a colour no button has
    for (Button* b : {&B1, &B2, &B3}) b->SetCaption("Btn");
    B1.SetBounds(200, 8, 24, 24);
    B2.SetBounds(226, 8, 24, 24);
    B3.SetBounds(252, 8, 24, 24);
    BtnOK.SetBounds(220, 90, 75, 25);
    BtnOK.SetModalResult(mrOk);
  }
  Panel Top{*this, "Top"};
  Button B1{Top, "B1"};
  Button B2{Top, "B2"};
  Button B3{Top, "B3"};
  Button BtnOK{*this, "BtnOK"};
};

// Pixels of the panel inside r (panel coordinates) that are not its colour.
int Stray(Panel& p, RECT r) {
  HWND h = reinterpret_cast<HWND>(p.Handle());
  HDC dc = GetDC(h);
  int stray = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (GetPixel(dc, x, y) != static_cast<COLORREF>(p.GetColor())) ++stray;
  ReleaseDC(h, dc);
  return stray;
}

TEST(MovedControlsOnWine, LeaveNoTracesOnTheirParent) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Layout>([](test::User& u, Layout& f) {
    w95::ui::win32::PumpPending();
    UpdateWindow(reinterpret_cast<HWND>(f.Handle()));
    ASSERT_GT(Stray(f.Top, RECT{200, 8, 276, 32}), 100) << "the buttons are drawn";
    // The layout moves them left and one shrinks, as a resize would.
    f.B1.SetBounds(100, 8, 24, 24);
    f.B2.SetBounds(126, 8, 24, 24);
    f.B3.SetBounds(152, 8, 24, 12);
    for (int i = 0; i < 5; ++i) {
      w95::ui::win32::PumpPending();
      Sleep(20);
    }
    wine_ui::WaitForScreenshot("moved_controls");
    EXPECT_EQ(Stray(f.Top, RECT{180, 4, 296, 36}), 0) << "where the buttons stood";
    EXPECT_EQ(Stray(f.Top, RECT{152, 21, 176, 34}), 0) << "below the shrunk button";
    u.Click("BtnOK");
  });
  Layout f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

}  // namespace
